// Conversion between the report model (CRichText: runs with bold, italic and underline) and the
// QTextDocument of the result view, so the view shows and stores exactly the model's content.
#pragma once

#include "RichText.h"

#include <QString>
#include <QTextCharFormat>

#include <string_view>

class QTextCursor;
class QTextDocument;

/// The character format of a run: bold, italic and underline stated explicitly, everything
/// else (face, size) left to the document's default font.
QTextCharFormat RunFormat(unsigned flags);
/// The run flags (1 bold, 2 italic, 4 underline) a character format shows.
unsigned RunFlags(const QTextCharFormat& format);

/// Inserts UTF-8 text at the cursor with the run's format; "\n" starts a new paragraph.
void InsertRun(QTextCursor& cursor, std::string_view text, unsigned flags);
/// Replaces the whole content of the document with the runs, as one edit block.
void RichTextToDocument(const CRichText& text, QTextDocument& document);
/// The document's content as runs: paragraphs joined by "\n" (the line end carries the format
/// of the paragraph it starts), line separators as "\n", object characters dropped.
CRichText RichTextFromDocument(const QTextDocument& document);
