// Build tool: writes the program icon as PNG files, OUTDIR/NxN/apps/zentavo.png for each size
// of the hicolor theme (or each size given), from the same drawing the window uses.
#include "Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("usage: zentavo-render-icons OUTDIR [SIZE...]\n", stderr);
        return 1;
    }
    std::vector<int> sizes{16, 22, 24, 32, 48, 64, 128, 256};
    if (argc > 2) {
        sizes.clear();
        for (int arg = 2; arg < argc; ++arg) {
            char* end = nullptr;
            const long size = std::strtol(argv[arg], &end, 10);
            if (*end != '\0' || size < 1 || size > 4096) {
                std::fprintf(stderr, "zentavo-render-icons: not a size: %s\n", argv[arg]);
                return 1;
            }
            sizes.push_back(static_cast<int>(size));
        }
    }
    QGuiApplication application(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int size : sizes) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        if (!QDir().mkpath(dir) || !ApplicationPicture(size).save(dir + QStringLiteral("/zentavo.png"), "PNG")) {
            std::fprintf(stderr, "zentavo-render-icons: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
