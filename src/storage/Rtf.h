#pragma once

#include "storage/RichText.h"

#include <QByteArray>

// Our own small Rich Text Format reader and writer, enough for comments and event logs:
// paragraphs, alignment, bold, italic, underline, font, font size and colour.

// True when the bytes are RTF (they start with "{\rtf", blanks and a byte-order mark aside).
bool IsRtf(const QByteArray& bytes);

// Reads RTF as word processors write it (font and colour tables, \'xx and \uN escapes,
// ignorable destinations ...), or plain text when the bytes are not RTF. Never fails: what
// it does not understand it skips.
TRichText ReadRichText(const QByteArray& bytes);

// Writes RTF that common word processors open. The output is 7-bit ASCII; other characters
// are escaped.
QByteArray WriteRtf(const TRichText& text);
