#include "reports/Reports.h"

#include "reports/RichTextDocument.h"

#include "model/Data.h"
#include "storage/Rtf.h"

#include <QPrinter>
#include <QTextDocument>

namespace {

// The rich-text views print with the report's default face.
void SetUpDocument(QTextDocument& document)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    document.setDefaultFont(font);
}

// The printer's orientation for one job, set back to portrait however the job ends.
class TJobOrientation {
public:
    TJobOrientation(QPrinter& printer, QPageLayout::Orientation orientation) : printer_(printer)
    {
        printer_.setPageOrientation(orientation);
    }
    ~TJobOrientation() { printer_.setPageOrientation(QPageLayout::Portrait); }
    TJobOrientation(const TJobOrientation&) = delete;
    TJobOrientation& operator=(const TJobOrientation&) = delete;

private:
    QPrinter& printer_;
};

} // namespace

void TReports::PrintCommentsPage()
{
    // The page this may open stays empty; the engine drops it when the document ends.
    StartSection();
    QTextDocument document;
    SetUpDocument(document);
    // The document keeps the comments file's text: RTF, or plain text from older files.
    FillDocument(document, ReadRichText(data_.Comments.toLatin1()));
    if (engine_->StartJob(QStringLiteral("QEM Tools - Comments")))
        document.print(&engine_->Printer());
}

void TReports::PrintEventLog()
{
    const TJobOrientation landscape(engine_->Printer(), QPageLayout::Landscape);
    QTextDocument document;
    SetUpDocument(document);
    FillDocument(document, TRichText::FromLines(data_.EventLog));
    if (engine_->StartJob(QStringLiteral("QEM Tools - Event log")))
        document.print(&engine_->Printer());
}
