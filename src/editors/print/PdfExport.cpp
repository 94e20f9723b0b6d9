#include "editors/print/PdfExport.h"

#include "Printer/PrevPrinter.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>

QString SavePagesAsPdf(const TPreviewPrinter& engine, const QString& path)
{
    const QString failed = QStringLiteral("The PDF file %1 could not be written.").arg(path);
    if (engine.PageCount() == 0)
        return QStringLiteral("There are no pages to save.");

    // Each page on its own sheet: the log's pages are landscape.
    const auto layoutOf = [&engine](int i) {
        const QSize sheet = engine.Page(i).Sheet();
        const QSizeF inches(double(sheet.width()) / engine.ResolutionX(),
                            double(sheet.height()) / engine.ResolutionY());
        return QPageLayout(QPageSize(inches, QPageSize::Inch), QPageLayout::Portrait, QMarginsF(),
                           QPageLayout::Inch);
    };
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setResolution(engine.ResolutionY());
    pdf.setFullPage(true);
    pdf.setPageLayout(layoutOf(0));
    pdf.setDocName(engine.Title);
    pdf.setOutputFileName(path);

    QPainter painter;
    if (!painter.begin(&pdf))
        return failed;
    for (int i = 0; i < engine.PageCount(); ++i) {
        if (i > 0 && !(pdf.setPageLayout(layoutOf(i)) && pdf.newPage()))
            return failed;
        engine.Page(i).Replay(painter, QPoint(0, 0));
    }
    return painter.end() ? QString() : failed;
}
