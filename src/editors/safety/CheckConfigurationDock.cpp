#include "editors/safety/CheckConfigurationDock.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Each severity has its own symbol shape as well as its word, so it reads without colour.
QIcon SeverityIcon(const QStyle* style, TFindingSeverity severity)
{
    switch (severity) {
    case fsError: return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case fsWarning: return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case fsNote: return style->standardIcon(QStyle::SP_MessageBoxInformation);
    }
    return QIcon();
}

QString SeverityCaption(TFindingSeverity severity)
{
    const QString text = TConfigCheck::SeverityText(severity);
    return text.left(1).toUpper() + text.mid(1);
}

QString Counted(qsizetype n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromLatin1(n == 1 ? one : many));
}

} // namespace

TCheckConfigurationDock::TCheckConfigurationDock(QWidget* parent) : QDockWidget(parent)
{
    setObjectName(QStringLiteral("dckCheckConfiguration"));
    setWindowTitle(QStringLiteral("Check Configuration"));
    setAccessibleName(windowTitle());

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    auto* top = new QHBoxLayout;
    summary_ = new QLabel(QStringLiteral("The configuration has not been checked yet."), body);
    summary_->setObjectName(QStringLiteral("lblCheckSummary"));
    summary_->setWordWrap(true);
    again_ = new QPushButton(QStringLiteral("&Check Again"), body);
    again_->setObjectName(QStringLiteral("btnCheckAgain"));
    again_->setAccessibleName(QStringLiteral("Check Again"));
    top->addWidget(summary_, 1);
    top->addWidget(again_);
    layout->addLayout(top);

    list_ = new QTreeWidget(body);
    list_->setObjectName(QStringLiteral("lstFindings"));
    list_->setAccessibleName(QStringLiteral("Findings"));
    list_->setRootIsDecorated(false);
    list_->setAlternatingRowColors(true);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels({QStringLiteral("Severity"), QStringLiteral("Page"),
                            QStringLiteral("Item"), QStringLiteral("Finding")});
    list_->header()->setStretchLastSection(true);
    list_->header()->setSectionResizeMode(QHeaderView::Interactive);
    layout->addWidget(list_, 1);
    setWidget(body);

    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Activated(item); });
    connect(again_, &QPushButton::clicked, this, &TCheckConfigurationDock::CheckRequested);
}

void TCheckConfigurationDock::ShowFindings(const QList<TFinding>& findings)
{
    findings_ = findings;
    // Errors first, then warnings, then notes; by page within each.
    std::stable_sort(findings_.begin(), findings_.end(),
                     [](const TFinding& a, const TFinding& b) { return a.Severity < b.Severity; });
    list_->clear();
    int counts[3] = {0, 0, 0};
    for (int i = 0; i < findings_.size(); ++i) {
        const TFinding& f = findings_.at(i);
        ++counts[f.Severity];
        auto* row = new QTreeWidgetItem(
            list_, {SeverityCaption(f.Severity), PageCaption(f.Page), f.ItemText, f.Text});
        row->setIcon(0, SeverityIcon(style(), f.Severity));
        row->setToolTip(3, f.Text);
        row->setData(0, Qt::UserRole, i);
    }
    for (int c = 0; c < 3; ++c)
        list_->resizeColumnToContents(c);
    summary_->setText(findings_.isEmpty()
                          ? QStringLiteral("No errors, warnings or notes.")
                          : QStringLiteral("%1, %2, %3.")
                                .arg(Counted(counts[fsError], "error", "errors"),
                                     Counted(counts[fsWarning], "warning", "warnings"),
                                     Counted(counts[fsNote], "note", "notes")));
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
}

void TCheckConfigurationDock::Activated(QTreeWidgetItem* item)
{
    const int index = item ? item->data(0, Qt::UserRole).toInt() : -1;
    if (index < 0 || index >= findings_.size())
        return;
    const TFinding& f = findings_.at(index);
    emit FindingActivated(f.Page, f.Item, f.Field);
}
