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

    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setResolution(engine.ResolutionY());
    pdf.setFullPage(true);
    const QSizeF inches(double(engine.PageWidth()) / engine.ResolutionX(),
                        double(engine.PageHeight()) / engine.ResolutionY());
    pdf.setPageLayout(QPageLayout(QPageSize(inches, QPageSize::Inch), QPageLayout::Portrait,
                                  QMarginsF(), QPageLayout::Inch));
    pdf.setDocName(engine.Title);
    pdf.setOutputFileName(path);

    QPainter painter;
    if (!painter.begin(&pdf))
        return failed;
    for (int i = 0; i < engine.PageCount(); ++i) {
        if (i > 0 && !pdf.newPage())
            return failed;
        engine.Page(i).Replay(painter, QPoint(0, 0));
    }
    return painter.end() ? QString() : failed;
}
