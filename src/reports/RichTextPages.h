#pragma once

class QTextDocument;
class TPreviewPrinter;

// Records rich text (the comments, the event log) as pages of the engine's open document,
// starting on its current page and asking for more as the text runs on, an inch in from
// every edge of the sheet. Each line's pieces become texts of their own font and colour, so
// the preview, the PDF and the printer show the same pages. Nothing is drawn for text without
// a visible character.
void RecordRichText(TPreviewPrinter& engine, QTextDocument& document);
