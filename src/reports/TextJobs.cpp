#include "reports/Reports.h"

#include "reports/RichTextDocument.h"
#include "reports/RichTextPages.h"

#include "model/Data.h"
#include "storage/Rtf.h"

#include <QTextDocument>

namespace {

// The rich-text views print with the report's default face.
void SetUpDocument(QTextDocument& document)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    document.setDefaultFont(font);
}

} // namespace

void TReports::PrintCommentsPage()
{
    // Pages of a job of their own, after the report's; none when there is no text.
    firstSection_ = false;
    engine_->BeginJobPages(QStringLiteral("QEM Tools - Comments"));
    QTextDocument document;
    SetUpDocument(document);
    // The document keeps the comments file's text: RTF, or plain text from older files.
    FillDocument(document, ReadRichText(data_.Comments.toLatin1()));
    RecordRichText(*engine_, document);
}

void TReports::PrintEventLog()
{
    // The log's job is landscape; the report's pages stay portrait.
    firstSection_ = false;
    const TPrinterOrientation before = engine_->Orientation;
    engine_->Orientation = poLandscape;
    engine_->BeginJobPages(QStringLiteral("QEM Tools - Event log"));
    QTextDocument document;
    SetUpDocument(document);
    FillDocument(document, TRichText::FromLines(data_.EventLog));
    RecordRichText(*engine_, document);
    engine_->Orientation = before;
}

void TReports::PrintChangeRecord()
{
    firstSection_ = false;
    engine_->BeginJobPages(QStringLiteral("QEM Tools - Change record"));
    QTextDocument document;
    SetUpDocument(document);
    const QStringList lines = ChangeRecord.isEmpty()
        ? QStringList{QStringLiteral("No change record has been kept for this configuration yet: "
                                     "one entry is added after each Save All that reaches the panel.")}
        : ChangeRecord;
    FillDocument(document, TRichText::FromLines(lines));
    RecordRichText(*engine_, document);
}
