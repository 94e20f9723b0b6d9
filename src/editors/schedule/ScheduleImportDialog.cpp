#include "editors/schedule/ScheduleImportDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

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
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmScheduleImport"));
    setWindowTitle(ScheduleImportCaption + QStringLiteral(" - ") + QFileInfo(source).fileName());
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

    const QFontMetrics metrics(font());
    resize(metrics.averageCharWidth() * 90, metrics.height() * 28);
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
    QString text = QStringLiteral("The schedule was refused; nothing was changed. Correct these "
                                  "cells and import it again.");
    if (plan.LinesNotChecked > 0)
        text += QStringLiteral(" The %1 lines after the last one listed were not checked.")
                    .arg(plan.LinesNotChecked);
    lblCounts_->setText(text);
    tvwChanges_->setAccessibleName(QStringLiteral("Refused cells"));
    tvwChanges_->setRootIsDecorated(false);
    tvwChanges_->setHeaderLabels({QStringLiteral("Line"), QStringLiteral("Column"), QStringLiteral("Why")});
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

bool ConfirmScheduleChanges(const TSchedulePlan& plan, const QString& source, QWidget* parent)
{
    TfrmScheduleImport dialog(plan, source, parent);
    return dialog.exec() == QDialog::Accepted && !plan.Refused() && plan.ChangeCount() > 0;
}
