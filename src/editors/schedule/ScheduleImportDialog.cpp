#include "editors/schedule/ScheduleImportDialog.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidgetItemIterator>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

const std::array<QString, 4> KindCaptions = {
    QStringLiteral("Added"), QStringLiteral("Changed"), QStringLiteral("Removed"),
    QStringLiteral("Untouched")};

QPushButton* NamedButton(QDialogButtonBox* box, const QString& caption, QDialogButtonBox::ButtonRole role,
                         const QString& objectName)
{
    QPushButton* button = box->addButton(caption, role);
    button->setObjectName(objectName);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return button;
}

} // namespace

TfrmScheduleImport::TfrmScheduleImport(const TSchedulePlan& plan, const QString& source,
                                       QWidget* parent)
    : QDialog(parent), paste_(source.isEmpty())
{
    setObjectName(QStringLiteral("frmScheduleImport"));
    setWindowTitle(paste_ ? QStringLiteral("Paste into the Loop Summary")
                          : ScheduleImportCaption + QStringLiteral(" - ") + QFileInfo(source).fileName());
    auto* layout = new QVBoxLayout(this);

    lblCounts_ = new QLabel(this);
    lblCounts_->setObjectName(QStringLiteral("lblCounts"));
    lblCounts_->setWordWrap(true);
    layout->addWidget(lblCounts_);

    tvwChanges_ = new QTreeWidget(this);
    tvwChanges_->setObjectName(QStringLiteral("tvwChanges"));
    // A changed device lists each value that changes on a line of its own.
    tvwChanges_->setUniformRowHeights(false);
    tvwChanges_->setAlternatingRowColors(true);
    tvwChanges_->header()->setStretchLastSection(true);
    layout->addWidget(tvwChanges_, 1);

    auto* buttons = new QDialogButtonBox(this);
    if (plan.Refused()) {
        btnCancel_ = NamedButton(buttons, QStringLiteral("&Close"), QDialogButtonBox::RejectRole,
                                 QStringLiteral("btnClose"));
        ShowRefusals(plan);
    } else {
        btnAccept_ = NamedButton(buttons, QStringLiteral("&Accept"), QDialogButtonBox::AcceptRole,
                                 QStringLiteral("btnAccept"));
        btnCancel_ = NamedButton(buttons, QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole,
                                 QStringLiteral("btnCancel"));
        // Nothing to accept when the schedule changes nothing.
        btnAccept_->setEnabled(plan.ChangeCount() > 0);
        btnAccept_->setDefault(plan.ChangeCount() > 0);
        ShowChanges(plan);
    }
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    FitToContent();
}

void TfrmScheduleImport::FitToContent()
{
    // Measured with every branch open; the untouched devices close again afterwards.
    tvwChanges_->expandAll();
    const QAbstractItemView* view = tvwChanges_;
    int width = 0;
    for (int c = 0; c < tvwChanges_->columnCount(); ++c)
        width += std::max(view->sizeHintForColumn(c), tvwChanges_->header()->sectionSizeHint(c));
    int rows = 0;
    for (QTreeWidgetItemIterator it(tvwChanges_); *it; ++it)
        rows += std::max(1, static_cast<int>((*it)->text(tvwChanges_->columnCount() - 1).count(QLatin1Char('\n'))) + 1);
    if (btnAccept_ && tvwChanges_->topLevelItemCount() > skUntouched)
        tvwChanges_->topLevelItem(skUntouched)->setExpanded(false);
    const QFontMetrics metrics(font());
    const QMargins margins = layout()->contentsMargins();
    const int frame = 2 * tvwChanges_->frameWidth() + margins.left() + margins.right()
        + tvwChanges_->verticalScrollBar()->sizeHint().width() + metrics.averageCharWidth() * 4;
    const QRect screen = (parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
                             ->availableGeometry();
    const int wanted = std::max(width + frame, metrics.averageCharWidth() * 60);
    const int w = std::min(wanted, screen.width() * 9 / 10);
    const int h = std::min(metrics.height() * (std::min(rows, 30) + 8), screen.height() * 8 / 10);
    // Narrower than the texts: the last column wraps instead of ending in "…".
    if (wanted > w) {
        tvwChanges_->setWordWrap(true);
        tvwChanges_->setTextElideMode(Qt::ElideNone);
    }
    resize(w, h);
}

void TfrmScheduleImport::ShowChanges(const TSchedulePlan& plan)
{
    lblCounts_->setText(QStringLiteral("%1 added, %2 changed, %3 removed, %4 untouched. "
                                       "Accept applies every change as one step that Undo takes back.")
                            .arg(plan.Count(skAdded))
                            .arg(plan.Count(skChanged))
                            .arg(plan.Count(skRemoved))
                            .arg(plan.Count(skUntouched)));
    tvwChanges_->setAccessibleName(QStringLiteral("Changes"));
    tvwChanges_->setHeaderLabels({QStringLiteral("Device"), QStringLiteral("Line"), QStringLiteral("Change")});
    std::array<QTreeWidgetItem*, 4> branches{};
    for (int kind = skAdded; kind <= skUntouched; ++kind) {
        auto* branch = new QTreeWidgetItem(QStringList{QStringLiteral("%1 (%2)")
                                                           .arg(KindCaptions[static_cast<std::size_t>(kind)])
                                                           .arg(plan.Count(static_cast<TScheduleChangeKind>(kind)))});
        branches[static_cast<std::size_t>(kind)] = branch;
        tvwChanges_->addTopLevelItem(branch);
        branch->setFirstColumnSpanned(true);
    }
    for (const TScheduleChange& change : plan.Changes) {
        QTreeWidgetItem* branch = branches[static_cast<std::size_t>(change.Kind)];
        auto* item = new QTreeWidgetItem(branch, {change.Device,
                                                  change.Line > 0 ? QString::number(change.Line) : QString(),
                                                  change.Details.join(QLatin1Char('\n'))});
        item->setToolTip(2, change.Details.join(QLatin1Char('\n')));
    }
    // The untouched devices are many and say nothing new: their branch starts closed.
    for (int kind = skAdded; kind < skUntouched; ++kind)
        branches[static_cast<std::size_t>(kind)]->setExpanded(true);
    tvwChanges_->resizeColumnToContents(0);
    tvwChanges_->resizeColumnToContents(1);
}

void TfrmScheduleImport::ShowRefusals(const TSchedulePlan& plan)
{
    QString text = paste_ ? QStringLiteral("The pasted block was refused; nothing was changed. "
                                           "Correct these cells of the block and paste it again.")
                          : QStringLiteral("The schedule was refused; nothing was changed. Correct "
                                           "these cells and import it again.");
    if (plan.LinesNotChecked > 0)
        text += QStringLiteral(" The %1 lines after the last one listed were not checked.")
                    .arg(plan.LinesNotChecked);
    lblCounts_->setText(text);
    tvwChanges_->setAccessibleName(QStringLiteral("Refused cells"));
    tvwChanges_->setRootIsDecorated(false);
    tvwChanges_->setHeaderLabels({paste_ ? QStringLiteral("Line of the block") : QStringLiteral("Line"),
                                  QStringLiteral("Column"), QStringLiteral("Why")});
    for (const TScheduleError& e : plan.Errors) {
        QString column = e.Column > 0 ? QString::number(e.Column) : QString();
        if (!e.Heading.isEmpty())
            column += (column.isEmpty() ? QString() : QStringLiteral(" ")) + e.Heading;
        auto* item = new QTreeWidgetItem(
            tvwChanges_, {e.Line > 0 ? QString::number(e.Line) : QString(), column, e.Message});
        item->setToolTip(2, e.Message);
    }
    tvwChanges_->resizeColumnToContents(0);
    tvwChanges_->resizeColumnToContents(1);
}

void ShowPasteRefusal(const TSchedulePlan& plan, QWidget* parent)
{
    TfrmScheduleImport dialog(plan, QString(), parent);
    dialog.exec();
}

bool ConfirmScheduleChanges(const TSchedulePlan& plan, const QString& source, QWidget* parent)
{
    TfrmScheduleImport dialog(plan, source, parent);
    return dialog.exec() == QDialog::Accepted && !plan.Refused() && plan.ChangeCount() > 0;
}
