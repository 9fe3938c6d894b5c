// Qt implementation of the UI services.
#include "QtUIServices.h"

#include "ReportHtml.h"
#include "ScreenText.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <QRegularExpression>

namespace
{
const char kRtfMimeType[] = "text/rtf";
const char kRtfMimeTypeAlt[] = "application/rtf";

/// The progress of a computation on the interface thread: it has no Cancel button and cannot
/// be closed by the user (the computation cannot be interrupted).
class CProgressWindow : public QProgressDialog
{
public:
    using QProgressDialog::QProgressDialog;

protected:
    void reject() override {}
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

QMessageBox::StandardButtons ButtonsOf(unsigned buttons)
{
    switch (buttons) {
    case MB_OKCANCEL:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNOCANCEL:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

int AnswerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Cancel:
        return IDCANCEL;
    default:
        return IDOK;
    }
}
} // namespace

CQtUIServices::CQtUIServices(QObject* parent) : QObject(parent)
{
    // Reading the clipboard in each enabling pass could block on X11: the formats are read
    // once per change and cached.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        ReadClipboardFormats();
        emit clipboardChanged();
    });
    ReadClipboardFormats();
}

CQtUIServices::~CQtUIServices()
{
    ProgressEnd();
    while (m_waitDepth > 0)
        EndWaitCursor();
}

void CQtUIServices::SetMainWindow(QWidget* window)
{
    m_mainWindow = window;
}

QWidget* CQtUIServices::DialogParent() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return m_mainWindow;
}

int CQtUIServices::MessageBox(const std::string& text, unsigned buttons)
{
    // The icon of the message's kind: a question asks, a lone OK reports a refusal or a failure.
    const QMessageBox::Icon icon = buttons == MB_OK ? QMessageBox::Warning : QMessageBox::Question;
    QMessageBox box(icon, QString::fromStdString(ScreenText("PROGRAM", "Zentavo")), QString::fromStdString(text),
                    ButtonsOf(buttons), DialogParent());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(buttons == MB_YESNOCANCEL || buttons == MB_YESNO ? QMessageBox::Yes : QMessageBox::Ok);
    if (buttons == MB_YESNO)
        box.setEscapeButton(QMessageBox::No);
    // A message during a long computation must be readable: the wait cursor steps aside.
    if (m_waitDepth > 0)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = AnswerOf(box.exec());
    if (m_waitDepth > 0)
        QApplication::restoreOverrideCursor();
    return answer;
}

void CQtUIServices::Beep(unsigned, unsigned)
{
    QApplication::beep();
}

void CQtUIServices::BeginWaitCursor()
{
    ++m_waitDepth;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CQtUIServices::EndWaitCursor()
{
    if (m_waitDepth == 0)
        return;
    --m_waitDepth;
    QApplication::restoreOverrideCursor();
}

void CQtUIServices::Repaint()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CQtUIServices::ProgressBegin(const std::string& caption, int maximum)
{
    if (!m_progress) {
        m_progress = new CProgressWindow(DialogParent());
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setCancelButton(nullptr);
        m_progress->setMinimumDuration(0);
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
        m_progress->setMinimumWidth(320);
    }
    m_progress->setWindowTitle(QString::fromStdString(caption));
    m_progress->setLabelText(QString::fromStdString(caption));
    m_progress->setRange(0, std::max(maximum, 0));
    m_progress->setValue(0);
    m_progress->show();
    Repaint();
}

void CQtUIServices::ProgressSetPos(int position)
{
    if (!m_progress)
        return;
    m_progress->setValue(position);
    Repaint();
}

void CQtUIServices::ProgressEnd()
{
    delete m_progress.data();
}

std::optional<std::string> CQtUIServices::AskFileName(const CFileDialogRequest& request)
{
    QFileDialog dialog(DialogParent(), QString::fromStdString(request.title));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QString filters = QString::fromStdString(request.filterName);
    // With several file types the extension follows the one chosen, not a fixed default.
    const bool severalTypes = filters.contains(QLatin1String(";;"));
    dialog.setNameFilter(filters);
    if (!severalTypes)
        dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.initialName.empty())
        dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(request.initialName)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    QString path = dialog.selectedFiles().constFirst();
    // A native dialog may hand back the name without the extension: add it, and ask about
    // overwriting the file that name now means.
    QString suffix = QString::fromStdString(request.defaultExtension);
    if (severalTypes) {
        // "HTML Files (*.html *.htm)": the first pattern's extension.
        static const QRegularExpression firstPattern(QStringLiteral("\\(\\*\\.([^ )]+)"));
        const QRegularExpressionMatch match = firstPattern.match(dialog.selectedNameFilter());
        if (match.hasMatch())
            suffix = match.captured(1);
    }
    if (request.save && !suffix.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
        path += QLatin1Char('.') + suffix;
        if (request.confirmOverwrite && QFileInfo::exists(path)) {
            const std::string name = QFileInfo(path).fileName().toStdString();
            const std::string question = ScreenText("FILE_EXISTS", "%1 already exists.", {name}) + "\n" +
                                         ScreenText("REPLACE_IT", "Do you want to replace it?");
            if (MessageBox(question, MB_YESNO) != IDYES)
                return std::nullopt;
        }
    }
    return QFile::encodeName(path).toStdString();
}

bool CQtUIServices::SetClipboard(const CClipboardData& data, std::string&)
{
    auto* mime = new QMimeData;
    if (!data.calculation.empty()) {
        mime->setData(QString::fromLatin1(kCalculationMimeType),
                      QByteArray(reinterpret_cast<const char*>(data.calculation.data()),
                                 static_cast<qsizetype>(data.calculation.size())));
    }
    const QByteArray rtf = QByteArray::fromStdString(data.rtf);
    mime->setData(QString::fromLatin1(kRtfMimeType), rtf);
    mime->setData(QString::fromLatin1(kRtfMimeTypeAlt), rtf);
    mime->setText(QString::fromStdString(data.plainText));
    // Web and office editors take HTML where they do not read RTF.
    mime->setHtml(QString::fromStdString(RichTextToHtmlBlock(CRichText::FromRtf(data.rtf))));
    QGuiApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
    ReadClipboardFormats();
    return true; // QClipboard reports no failure
}

std::optional<std::vector<unsigned char>> CQtUIServices::GetClipboardCalculation()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    const QString type = QString::fromLatin1(kCalculationMimeType);
    if (!mime || !mime->hasFormat(type))
        return std::nullopt;
    const QByteArray bytes = mime->data(type);
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

void CQtUIServices::ReadClipboardFormats()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    m_clipboardHasCalculation = mime && mime->hasFormat(QString::fromLatin1(kCalculationMimeType));
}
