// Conversion between the report model and the result view's QTextDocument.
#include "RichTextConvert.h"

#include "CodePage.h"
#include "ReportWrap.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

QTextCharFormat RunFormat(unsigned flags)
{
    QTextCharFormat format;
    format.setFontWeight((flags & kRunBold) ? QFont::Bold : QFont::Normal);
    format.setFontItalic((flags & kRunItalic) != 0);
    format.setFontUnderline((flags & kRunUnderline) != 0);
    return format;
}

unsigned RunFlags(const QTextCharFormat& format)
{
    unsigned flags = 0;
    if (format.fontWeight() >= QFont::DemiBold)
        flags |= kRunBold;
    if (format.fontItalic())
        flags |= kRunItalic;
    if (format.fontUnderline())
        flags |= kRunUnderline;
    return flags;
}

void InsertRun(QTextCursor& cursor, std::string_view text, unsigned flags)
{
    if (text.empty())
        return;
    // insertText turns each "\n" into a paragraph break whose block takes this format, which
    // RichTextFromDocument reads back as the format of that line end.
    // Decoded as the rich-text writer decodes it: each invalid byte shows as one U+FFFD.
    const std::u16string units = Utf8ToUtf16(text);
    cursor.insertText(QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size())), RunFormat(flags));
}

void RichTextToDocument(const CRichText& text, QTextDocument& document)
{
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockCharFormat(RunFormat(0));
    cursor.setCharFormat(RunFormat(0));
    for (const CTextRun& run : text.Runs())
        InsertRun(cursor, run.text, run.flags);
    cursor.endEditBlock();
}

namespace
{
void AppendFragmentText(CRichText& out, const QString& text, unsigned flags)
{
    QString cleaned;
    cleaned.reserve(text.size());
    for (QChar c : text) {
        if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            cleaned += QLatin1Char('\n');
        else if (c != QChar::ObjectReplacementCharacter)
            cleaned += c;
    }
    out.Append(cleaned.toStdString(), flags);
}
} // namespace

CRichText RichTextFromDocument(const QTextDocument& document)
{
    CRichText out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        // A block split off for showing continues its paragraph: no line end between them.
        if (block != document.begin() && !IsSoftBreak(block))
            out.Append("\n", RunFlags(block.charFormat()));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid())
                AppendFragmentText(out, fragment.text(), RunFlags(fragment.charFormat()));
        }
    }
    return out;
}
