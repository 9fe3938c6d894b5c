// The drawings of the toolbar icons, the program icon and the start-up picture. Each icon is
// drawn on a 32 by 32 grid and scaled to the size asked for.
#include "Artwork.h"

#include "FrameCommands.h"
#include "ScreenText.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

namespace
{
using Drawing = std::function<void(QPainter&)>;

const QColor kOutline(0x4a, 0x4f, 0x57);
const QColor kPaper(0xfd, 0xfd, 0xfb);
const QColor kBlue(0x2f, 0x6d, 0xb5);

QPixmap Render(int size, const Drawing& draw)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(size / 32.0, size / 32.0);
    draw(painter);
    return pixmap;
}

QIcon IconOf(const Drawing& draw)
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(Render(size, draw));
    return icon;
}

void Page(QPainter& p, const QRectF& r, bool lines)
{
    const qreal fold = 6;
    QPolygonF shape;
    shape << r.topLeft() << QPointF(r.right() - fold, r.top()) << QPointF(r.right(), r.top() + fold) << r.bottomRight()
          << r.bottomLeft();
    p.setPen(QPen(kOutline, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kPaper);
    p.drawPolygon(shape);
    QPolygonF corner;
    corner << QPointF(r.right() - fold, r.top()) << QPointF(r.right() - fold, r.top() + fold)
           << QPointF(r.right(), r.top() + fold);
    p.setBrush(QColor(0xd5, 0xd8, 0xdc));
    p.drawPolygon(corner);
    if (!lines)
        return;
    p.setPen(QPen(QColor(0x9a, 0xa3, 0xad), 1.4));
    for (qreal y = r.top() + fold + 4; y < r.bottom() - 3; y += 4)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

void DrawNew(QPainter& p)
{
    Page(p, QRectF(7, 3, 19, 26), false);
    // A small spark: something new.
    QPainterPath star;
    const QPointF c(9, 8);
    star.moveTo(c + QPointF(0, -5));
    star.quadTo(c, c + QPointF(5, 0));
    star.quadTo(c, c + QPointF(0, 5));
    star.quadTo(c, c + QPointF(-5, 0));
    star.quadTo(c, c + QPointF(0, -5));
    p.setPen(QPen(QColor(0xb0, 0x80, 0x10), 0.8));
    p.setBrush(QColor(0xf6, 0xc3, 0x2c));
    p.drawPath(star);
}

void DrawOpen(QPainter& p)
{
    p.setPen(QPen(QColor(0x8a, 0x62, 0x18), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygonF back;
    back << QPointF(3, 7) << QPointF(11, 7) << QPointF(13.5, 10) << QPointF(26, 10) << QPointF(26, 26)
         << QPointF(3, 26);
    p.setBrush(QColor(0xc8, 0x96, 0x2d));
    p.drawPolygon(back);
    QPolygonF front;
    front << QPointF(7, 14) << QPointF(30, 14) << QPointF(26, 26) << QPointF(3, 26);
    p.setBrush(QColor(0xf2, 0xc4, 0x5a));
    p.drawPolygon(front);
}

void DrawSave(QPainter& p)
{
    p.setPen(QPen(QColor(0x23, 0x48, 0x7c), 1.3));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xdf, 0xe6, 0xee));
    p.drawRect(QRectF(9, 4.7, 14, 8.5));
    p.setBrush(kBlue);
    p.drawRect(QRectF(18, 6, 3, 6));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(8, 16.5, 16, 10.5), 1, 1);
    p.setPen(QPen(QColor(0x9a, 0xa3, 0xad), 1.2));
    p.drawLine(QPointF(10.5, 20), QPointF(21.5, 20));
    p.drawLine(QPointF(10.5, 23.5), QPointF(21.5, 23.5));
}

void DrawCut(QPainter& p)
{
    p.setPen(QPen(QColor(0x5a, 0x60, 0x68), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12.5, 19), QPointF(21.5, 3.5));
    p.drawLine(QPointF(19.5, 19), QPointF(10.5, 3.5));
    p.setPen(QPen(QColor(0xc0, 0x39, 0x2b), 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(10, 24), 4.2, 4.2);
    p.drawEllipse(QPointF(22, 24), 4.2, 4.2);
}

void DrawCopy(QPainter& p)
{
    Page(p, QRectF(4, 3, 15, 19), true);
    Page(p, QRectF(12, 10, 15, 19), true);
}

void DrawPaste(QPainter& p)
{
    p.setPen(QPen(QColor(0x6e, 0x4a, 0x22), 1.3));
    p.setBrush(QColor(0xb0, 0x7d, 0x45));
    p.drawRoundedRect(QRectF(5, 5, 20, 24), 2, 2);
    Page(p, QRectF(10, 10, 17, 20), true);
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1.2));
    p.setBrush(QColor(0x9a, 0x9f, 0xa6));
    p.drawRoundedRect(QRectF(10, 2.5, 10, 5), 1.5, 1.5);
}

void DrawUndo(QPainter& p)
{
    QPainterPath arc;
    arc.moveTo(25, 26);
    arc.cubicTo(29, 13, 19, 7, 10, 12.5);
    p.setPen(QPen(kBlue, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    QPolygonF head;
    head << QPointF(3, 15) << QPointF(11, 6) << QPointF(14, 17.5);
    p.setPen(QPen(kBlue, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kBlue);
    p.drawPolygon(head);
}

void DrawLetter(QPainter& p, const QString& letter, bool bold, bool italic, bool underline)
{
    QFont font(italic ? QStringLiteral("Serif") : QStringLiteral("Sans Serif"));
    font.setStyleHint(italic ? QFont::Serif : QFont::SansSerif);
    font.setPixelSize(25);
    font.setBold(bold);
    font.setItalic(italic);
    p.setFont(font);
    p.setPen(QColor(0x22, 0x26, 0x2b));
    p.drawText(QRectF(0, -1, 32, underline ? 27 : 32), Qt::AlignCenter, letter);
    if (underline) {
        p.setPen(QPen(kBlue, 2.6, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(7, 28.5), QPointF(25, 28.5));
    }
}

void DrawPrint(QPainter& p)
{
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(0x8a, 0x90, 0x98));
    p.drawRoundedRect(QRectF(3, 11, 26, 12), 2.5, 2.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 19, 14, 10));
    p.setPen(QPen(QColor(0x9a, 0xa3, 0xad), 1.2));
    p.drawLine(QPointF(11.5, 23), QPointF(20.5, 23));
    p.drawLine(QPointF(11.5, 26), QPointF(20.5, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4c, 0xc2, 0x5c));
    p.drawEllipse(QPointF(25, 15), 1.4, 1.4);
}

// A normal density curve over a few bars: the mark of the program.
void DrawMark(QPainter& p, const QRectF& r, const QColor& curve, const QColor& bars)
{
    p.setPen(Qt::NoPen);
    p.setBrush(bars);
    const qreal barWidth = r.width() / 7;
    const qreal heights[] = {0.18, 0.45, 0.8, 0.45, 0.18};
    for (int i = 0; i < 5; ++i) {
        const qreal h = r.height() * heights[i];
        p.drawRect(QRectF(r.left() + barWidth * (i + 1), r.bottom() - h, barWidth * 0.8, h));
    }
    QPainterPath path;
    const int steps = 40;
    for (int i = 0; i <= steps; ++i) {
        const qreal z = -3.0 + 6.0 * i / steps;
        const QPointF point(r.left() + r.width() * i / steps, r.bottom() - r.height() * std::exp(-z * z / 2));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(curve, r.height() / 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void DrawApplication(QPainter& p)
{
    QLinearGradient gradient(0, 0, 0, 32);
    gradient.setColorAt(0, QColor(0x2e, 0x8b, 0xc0));
    gradient.setColorAt(1, QColor(0x17, 0x4a, 0x73));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
    DrawMark(p, QRectF(4, 7, 24, 19), Qt::white, QColor(255, 255, 255, 90));
}

Drawing DrawingOf(unsigned id)
{
    switch (id) {
    case kCmdFileNew:
        return DrawNew;
    case kCmdFileOpen:
        return DrawOpen;
    case kCmdFileSave:
        return DrawSave;
    case kCmdCut:
        return DrawCut;
    case kCmdCopy:
        return DrawCopy;
    case kCmdPaste:
        return DrawPaste;
    case kCmdUndo:
        return DrawUndo;
    case kCmdEditRedo:
        return [](QPainter& p) {
            p.translate(32, 0);
            p.scale(-1, 1); // the undo arrow, mirrored
            DrawUndo(p);
        };
    case kCmdFormatBold:
        return [](QPainter& p) { DrawLetter(p, QStringLiteral("B"), true, false, false); };
    case kCmdFormatItalic:
        return [](QPainter& p) { DrawLetter(p, QStringLiteral("I"), false, true, false); };
    case kCmdFormatUnderline:
        return [](QPainter& p) { DrawLetter(p, QStringLiteral("U"), false, false, true); };
    case kCmdFilePrint:
        return DrawPrint;
    default:
        return {};
    }
}

const char* ThemeNameOf(unsigned id)
{
    switch (id) {
    case kCmdFileNew:
        return "document-new";
    case kCmdFileOpen:
        return "document-open";
    case kCmdFileSave:
        return "document-save";
    case kCmdCut:
        return "edit-cut";
    case kCmdCopy:
        return "edit-copy";
    case kCmdPaste:
        return "edit-paste";
    case kCmdUndo:
        return "edit-undo";
    case kCmdEditRedo:
        return "edit-redo";
    case kCmdFormatBold:
        return "format-text-bold";
    case kCmdFormatItalic:
        return "format-text-italic";
    case kCmdFormatUnderline:
        return "format-text-underline";
    case kCmdFilePrint:
        return "document-print";
    default:
        return nullptr;
    }
}
} // namespace

QIcon DrawnCommandIcon(unsigned id)
{
    const Drawing drawing = DrawingOf(id);
    return drawing ? IconOf(drawing) : QIcon();
}

QIcon CommandIcon(unsigned id)
{
    const char* name = ThemeNameOf(id);
    if (!name)
        return QIcon();
    return QIcon::fromTheme(QString::fromLatin1(name), DrawnCommandIcon(id));
}

QIcon ApplicationIcon()
{
    return IconOf(DrawApplication);
}

QPixmap ApplicationPicture(int size)
{
    return Render(size, DrawApplication);
}

QPixmap StartupPicture()
{
    const QSize size(520, 300);
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient background(0, 0, size.width(), size.height());
    background.setColorAt(0, QColor(0x12, 0x2b, 0x45));
    background.setColorAt(1, QColor(0x1d, 0x6a, 0x8a));
    p.fillRect(pixmap.rect(), background);
    DrawMark(p, QRectF(250, 120, 250, 160), QColor(255, 255, 255, 120), QColor(255, 255, 255, 28));
    p.drawPixmap(36, 44, Render(88, DrawApplication));

    QFont title(QStringLiteral("Sans Serif"));
    title.setPixelSize(46);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(142, 46, 360, 56), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zentavo"));
    QFont text(QStringLiteral("Sans Serif"));
    text.setPixelSize(17);
    p.setFont(text);
    p.setPen(QColor(0xd6, 0xe6, 0xf2));
    p.drawText(QRectF(144, 102, 360, 26), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromStdString(ScreenText("PURPOSE", "Statistics for epidemiologists")));
    text.setPixelSize(13);
    p.setFont(text);
    p.setPen(QColor(0xa9, 0xc4, 0xd8));
    p.drawText(QRectF(36, 256, 300, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromStdString(
                   ScreenText("VERSION", "Version %1", {QCoreApplication::applicationVersion().toStdString()})));
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
    return pixmap;
}
