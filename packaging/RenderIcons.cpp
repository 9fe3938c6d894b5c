// Build tool: writes the program icon as PNG files, OUTDIR/NxN/apps/zentavo.png for each size
// of the hicolor theme, from the same drawing the window uses.
#include "Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: zentavo-render-icons OUTDIR\n", stderr);
        return 1;
    }
    QGuiApplication application(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        if (!QDir().mkpath(dir) || !ApplicationPicture(size).save(dir + QStringLiteral("/zentavo.png"), "PNG")) {
            std::fprintf(stderr, "zentavo-render-icons: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
