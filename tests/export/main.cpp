// The export tests' entry point: a QApplication on the offscreen platform unless another one is
// asked for, so PDF and ODF text are laid out without a display.
#include <QApplication>

#include <cstdlib>
#include <gtest/gtest.h>

// Under the sanitizers the GUI tests skip the leak check (also while ctest lists the tests):
// fontconfig and Qt's platform plugins keep allocations until exit that are not ours. The core
// tests keep it.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0";
}

namespace
{
QtMessageHandler g_defaultHandler = nullptr;

/// The offscreen platform's notes about what it cannot do are no test output.
void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    // Qt also notes the unwritable files the tests export to on purpose.
    if (type != QtFatalMsg && (message.contains(QLatin1String("This plugin does not support")) ||
                               message.contains(QLatin1String("XDG_RUNTIME_DIR not set")) ||
                               message.contains(QLatin1String("QPainter::begin")) ||
                               message.contains(QLatin1String("cannot be opened for writing"))))
        return;
    g_defaultHandler(type, context, message);
}
} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    g_defaultHandler = qInstallMessageHandler(FilterMessages);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
