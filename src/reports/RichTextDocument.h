#pragma once

#include "storage/RichText.h"

class QTextDocument;

// Lays rich text (comments, event log) into a text document for printing: one block per
// paragraph, runs with their character formatting.
void FillDocument(QTextDocument& document, const TRichText& text);
