// Soft breaks: a long paragraph of a report shown as one block per wrapped line.
#include "ReportWrap.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>
#include <map>
#include <optional>
#include <vector>

namespace
{
const int kSoftBreakProperty = QTextFormat::UserProperty + 0x51;
const char kSoftBreaksMade[] = "zentavoSoftBreaks";
/// The stretch of a paragraph laid out for real to check the computed wraps against.
const int kTrialLength = 3000;

/// Positions along a line in 1/64 pixel, as the text layout keeps them.
using Fixed = long long;

Fixed ToFixed(double pixels)
{
    return std::llround(pixels * 64);
}

/// How a face lays out: the advance of each character, and the advance the layout counts
/// when it finds the tab stop after a word, which is a little larger than the one it draws.
struct Pitch
{
    Fixed advance = 0;
    double tabAdvance = 0; // in 1/64 pixel
};

/// The advance of `text` laid out on one line: where a character after it would start.
double Advance(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e7);
    layout.endLayout();
    return line.cursorToX(static_cast<int>(text.size()));
}

/// The face's pitch, or nothing when its characters differ in width.
std::optional<Pitch> MeasurePitch(const QFont& font)
{
    const int count = 64;
    const double digits = Advance(QString(count, QLatin1Char('0')), font);
    for (const char c : {'i', 'W', ' ', '.'}) {
        if (Advance(QString(count, QLatin1Char(c)), font) != digits)
            return std::nullopt;
    }
    Pitch pitch;
    pitch.advance = ToFixed(digits / count);
    if (pitch.advance <= 0)
        return std::nullopt;
    // The smallest tab stop that ten characters still fit before: the layout moves to the next
    // stop unless the stop lies beyond ten of its counted advances.
    const QString probe = QString(10, QLatin1Char('0')) + QLatin1String("\tx");
    auto fits = [&](int extra) {
        const double stop = static_cast<double>(10 * pitch.advance + extra) / 64;
        QTextOption option;
        option.setTabStopDistance(stop);
        QTextLayout layout(probe, font);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(1e7);
        layout.endLayout();
        return line.cursorToX(11) < 1.5 * stop;
    };
    int low = 0;
    int high = 256;
    if (!fits(high))
        return std::nullopt;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (fits(middle))
            high = middle;
        else
            low = middle + 1;
    }
    pitch.tabAdvance = (10.0 * static_cast<double>(pitch.advance) + low - 0.5) / 10;
    return pitch;
}

bool IsWordCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '.' || u == ',';
}

/// Where the lines of `text` start when it wraps at `width` (line starts after the first),
/// for text of words made of letters, digits, points and commas (a minus sign may start a
/// number) between blanks and tabs; nothing for any other text or a word wider than a line.
std::optional<std::vector<int>> WrapStarts(const QString& text, const Pitch& pitch, Fixed tab, Fixed width)
{
    std::vector<int> starts;
    Fixed x = 0;
    double counted = 0; // x as the tab stops are found
    int lineStart = 0;
    const int n = static_cast<int>(text.size());
    for (int i = 0; i < n;) {
        int j = i;
        Fixed wordEnd = x;
        double countedEnd = counted;
        if (text[j] == QLatin1Char('-') && j + 1 < n && text[j + 1].isDigit()) {
            ++j;
            wordEnd += pitch.advance;
            countedEnd += pitch.tabAdvance;
        }
        for (; j < n && IsWordCharacter(text[j]); ++j) {
            wordEnd += pitch.advance;
            countedEnd += pitch.tabAdvance;
        }
        if (j < n && text[j] != QLatin1Char(' ') && text[j] != QLatin1Char('\t'))
            return std::nullopt;
        if (wordEnd > width && i > lineStart) {
            starts.push_back(i); // the word goes to the next line
            lineStart = i;
            x = 0;
            counted = 0;
            continue;
        }
        if (wordEnd - x > width)
            return std::nullopt; // a word alone wider than the line breaks inside itself
        x = wordEnd;
        counted = countedEnd;
        for (; j < n && (text[j] == QLatin1Char(' ') || text[j] == QLatin1Char('\t')); ++j) {
            if (text[j] == QLatin1Char('\t')) {
                x = (static_cast<Fixed>(std::floor(counted / static_cast<double>(tab))) + 1) * tab;
                counted = static_cast<double>(x);
            } else {
                x += pitch.advance;
                counted += pitch.tabAdvance;
            }
        }
        i = j;
    }
    return starts;
}

/// Whether a real layout of the paragraph's start wraps at `starts`.
bool TrialAgrees(const QString& text, const QFont& font, const QTextOption& option, double lineWidth,
                 const std::vector<int>& starts)
{
    const QString trial = text.left(kTrialLength);
    QTextLayout layout(trial, font);
    layout.setTextOption(option);
    layout.beginLayout();
    std::vector<int> laid;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(lineWidth);
        if (line.textStart() > 0)
            laid.push_back(line.textStart());
    }
    layout.endLayout();
    // The trial's last line may end early where the trial was cut: it is not compared.
    if (!laid.empty())
        laid.pop_back();
    for (size_t k = 0; k < laid.size(); ++k) {
        if (k >= starts.size() || starts[k] != laid[k])
            return false;
    }
    return true;
}

using PitchCache = std::map<QString, std::optional<Pitch>>;

const std::optional<Pitch>& PitchOf(const QFont& font, PitchCache& cache)
{
    auto [known, added] = cache.try_emplace(font.key());
    if (added)
        known->second = MeasurePitch(font);
    return known->second;
}

/// The face of the block's first character and its pitch, when every character of the block
/// lays out with the same pitch (bold or italic in a fixed-pitch face do).
std::optional<std::pair<QFont, Pitch>> BlockPitch(const QTextBlock& block, const QFont& base, PitchCache& cache)
{
    std::optional<std::pair<QFont, Pitch>> first;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        const QFont font = fragment.charFormat().font().resolve(base);
        const std::optional<Pitch>& pitch = PitchOf(font, cache);
        if (!pitch)
            return std::nullopt;
        if (!first)
            first.emplace(font, *pitch);
        else if (first->second.advance != pitch->advance || first->second.tabAdvance != pitch->tabAdvance)
            return std::nullopt;
    }
    return first;
}
} // namespace

bool IsSoftBreak(const QTextBlock& block)
{
    return block.blockFormat().boolProperty(kSoftBreakProperty);
}

bool HasSoftBreaks(const QTextDocument& document)
{
    return document.property(kSoftBreaksMade).toBool();
}

int SplitLongParagraphs(QTextDocument& document, double lineWidth, int minLength)
{
    const QTextOption option = document.defaultTextOption();
    const Fixed tab = ToFixed(option.tabStopDistance());
    const Fixed width = ToFixed(lineWidth);
    if (tab <= 0 || width <= 0)
        return 0;
    // Each long paragraph with the positions of its line starts.
    std::vector<std::pair<int, std::vector<int>>> splits;
    PitchCache pitches;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.length() <= minLength || IsSoftBreak(block) || IsSoftBreak(block.next()))
            continue;
        const auto facePitch = BlockPitch(block, document.defaultFont(), pitches);
        if (!facePitch)
            continue;
        const auto& [font, pitch] = *facePitch;
        const QString text = block.text();
        std::optional<std::vector<int>> starts = WrapStarts(text, pitch, tab, width);
        if (!starts || starts->empty() || !TrialAgrees(text, font, option, lineWidth, *starts))
            continue;
        splits.emplace_back(block.position(), std::move(*starts));
    }
    if (splits.empty())
        return 0;
    int made = 0;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    // From the end, so each position still holds when it is reached.
    for (size_t p = splits.size(); p-- > 0;) {
        const auto& [blockStart, lineStarts] = splits[p];
        for (size_t l = lineStarts.size(); l-- > 0;) {
            cursor.setPosition(blockStart + lineStarts[l]);
            QTextBlockFormat format = cursor.blockFormat();
            format.setProperty(kSoftBreakProperty, true);
            cursor.insertBlock(format, cursor.charFormat());
            ++made;
        }
    }
    cursor.endEditBlock();
    document.setProperty(kSoftBreaksMade, true);
    return made;
}

int JoinSoftBreaks(QTextDocument& document)
{
    std::vector<int> breaks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (IsSoftBreak(block))
            breaks.push_back(block.position());
    }
    document.setProperty(kSoftBreaksMade, QVariant());
    if (breaks.empty())
        return 0;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (size_t b = breaks.size(); b-- > 0;) {
        cursor.setPosition(breaks[b]);
        cursor.deletePreviousChar(); // the joined block keeps the format of the one before
    }
    cursor.endEditBlock();
    return static_cast<int>(breaks.size());
}
