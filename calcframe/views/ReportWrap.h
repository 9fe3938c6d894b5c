// Long paragraphs of a shown report as several blocks. The layout of a text document works a
// block at a time, and lays out lazily only a document of many blocks: a random list of 100,000
// numbers is one paragraph, which took a third of a second to show every time. Such a paragraph
// is shown split where its lines wrap anyway ("soft breaks"), so it looks the same and only the
// lines on screen are laid out at once. Soft breaks belong to the view alone: the stored text,
// the copied text and the printed page never contain them, and the paragraph is whole again
// before the user changes its text.
#pragma once

#include <QTextBlock>

class QTextDocument;

/// Below this length a paragraph lays out quickly enough as one block.
inline constexpr int kLongParagraph = 4000;

/// True when `block` continues the paragraph of the block before it.
bool IsSoftBreak(const QTextBlock& block);
/// Whether SplitLongParagraphs made soft breaks in the document that are still there.
bool HasSoftBreaks(const QTextDocument& document);

/// Splits each paragraph of more than `minLength` characters at the starts of its wrapped lines
/// at `lineWidth` pixels (the width the text has inside the document's margins). Only
/// paragraphs of printable ASCII and tabs in a fixed-pitch face are split, and only when a trial
/// layout of their start wraps where the split would; others stay whole. Returns the number of
/// soft breaks made.
int SplitLongParagraphs(QTextDocument& document, double lineWidth, int minLength = kLongParagraph);
/// Makes every split paragraph whole again; returns the number of soft breaks removed.
int JoinSoftBreaks(QTextDocument& document);
