#include "editors/safety/CompareDialog.h"

#include "safety/ConfigCheck.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QTreeWidget>
#include <QVBoxLayout>

TCompareDialog::TCompareDialog(const QString& caption, const QString& leftCaption,
                               const QString& rightCaption, const QList<TDifference>& differences,
                               QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCompare"));
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("lblCompareSummary"));
    summary_->setWordWrap(true);
    summary_->setText(differences.isEmpty()
                          ? QStringLiteral("The configurations are the same.")
                          : QStringLiteral("%1 %2.").arg(differences.size()).arg(
                                differences.size() == 1 ? QStringLiteral("difference")
                                                        : QStringLiteral("differences")));
    layout->addWidget(summary_);

    auto* filterRow = new QHBoxLayout;
    auto* filterLabel = new QLabel(QStringLiteral("&Filter:"), this);
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("txtFilter"));
    filter_->setAccessibleName(QStringLiteral("Filter"));
    filter_->setClearButtonEnabled(true);
    filterLabel->setBuddy(filter_);
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter_, 1);
    layout->addLayout(filterRow);

    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("tvwDifferences"));
    tree_->setAccessibleName(QStringLiteral("Differences"));
    tree_->setUniformRowHeights(true);
    tree_->setAlternatingRowColors(true);
    tree_->setHeaderLabels({QStringLiteral("Item"), QStringLiteral("Field"), leftCaption, rightCaption});
    tree_->header()->setSectionResizeMode(QHeaderView::Interactive);
    tree_->header()->setStretchLastSection(true);
    QMap<int, QTreeWidgetItem*> pages;
    for (const TDifference& d : differences) {
        QTreeWidgetItem*& page = pages[d.Page];
        if (!page) {
            page = new QTreeWidgetItem(QStringList{PageCaption(d.Page)});
            page->setData(0, Qt::UserRole, PageCaption(d.Page));
        }
        auto* row = new QTreeWidgetItem(page, {d.Item, d.Field, d.Left, d.Right});
        row->setToolTip(2, d.Left);
        row->setToolTip(3, d.Right);
    }
    // Pages in the main window's order.
    for (auto it = pages.begin(); it != pages.end(); ++it)
        tree_->addTopLevelItem(it.value());
    for (QTreeWidgetItem* page : pages)
        page->setFirstColumnSpanned(true);
    tree_->expandAll();
    for (int c = 0; c < 3; ++c)
        tree_->resizeColumnToContents(c);
    layout->addWidget(tree_, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("btnClose"));
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(QStringLiteral("Close"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) { ApplyFilter(text); });
    ApplyFilter(QString());
    resize(760, 480);
}

void TCompareDialog::SetFilter(const QString& text)
{
    filter_->setText(text);
}

int TCompareDialog::VisibleDifferences() const
{
    int visible = 0;
    for (int p = 0; p < tree_->topLevelItemCount(); ++p) {
        const QTreeWidgetItem* page = tree_->topLevelItem(p);
        for (int r = 0; r < page->childCount(); ++r)
            visible += page->child(r)->isHidden() ? 0 : 1;
    }
    return visible;
}

void TCompareDialog::ApplyFilter(const QString& text)
{
    const QString needle = text.trimmed();
    for (int p = 0; p < tree_->topLevelItemCount(); ++p) {
        QTreeWidgetItem* page = tree_->topLevelItem(p);
        const QString pageName = page->data(0, Qt::UserRole).toString();
        const bool pageMatches = pageName.contains(needle, Qt::CaseInsensitive);
        int shown = 0;
        for (int r = 0; r < page->childCount(); ++r) {
            QTreeWidgetItem* row = page->child(r);
            bool match = needle.isEmpty() || pageMatches;
            for (int c = 0; c < 4 && !match; ++c)
                match = row->text(c).contains(needle, Qt::CaseInsensitive);
            row->setHidden(!match);
            shown += match ? 1 : 0;
        }
        page->setHidden(shown == 0);
        page->setText(0, QStringLiteral("%1 (%2)").arg(pageName).arg(shown));
    }
}
