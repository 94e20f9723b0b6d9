#include "editors/site/FieldExitChecks.h"

#include <QFocusEvent>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>

namespace {

// A window or menu taking the focus for a while is not the user leaving the field.
bool IsUserMove(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
        && reason != Qt::MenuBarFocusReason;
}

// The field may sit on a page the user has just left by its tab: bring that page back so the
// focus can really return to the field.
void ShowPageOf(QWidget* field)
{
    for (QWidget* w = field; w != nullptr; w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        if (stack == nullptr)
            continue;
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
            tabs->setCurrentWidget(w);
        else
            stack->setCurrentWidget(w);
    }
}

} // namespace

void TFieldExitChecks::Watch(QWidget* field, TEnter onEnter, TLeave onLeave)
{
    watches_.append({field, std::move(onEnter), std::move(onLeave)});
    field->installEventFilter(this);
}

const TFieldExitChecks::TWatch* TFieldExitChecks::Find(QObject* field) const
{
    for (const TWatch& w : watches_)
        if (w.Field == field)
            return &w;
    return nullptr;
}

void TFieldExitChecks::CheckNow(QWidget* field)
{
    if (const TWatch* watch = Find(field); watch != nullptr && !reporting_)
        Leave(*watch);
}

bool TFieldExitChecks::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::FocusIn && type != QEvent::FocusOut)
        return QObject::eventFilter(watched, event);
    const TWatch* watch = Find(watched);
    if (watch == nullptr || reporting_ || !IsUserMove(static_cast<QFocusEvent*>(event)->reason()))
        return QObject::eventFilter(watched, event);
    if (type == QEvent::FocusIn) {
        if (watch->OnEnter)
            watch->OnEnter();
    } else {
        Leave(*watch);
    }
    return QObject::eventFilter(watched, event);
}

void TFieldExitChecks::Leave(const TWatch& watch)
{
    TReport report = watch.OnLeave();
    if (!report)
        return;
    reporting_ = true;
    // Never open a message box from inside a focus change: report once it is over.
    QTimer::singleShot(0, this, [this, field = QPointer<QWidget>(watch.Field),
                                 report = std::move(report)] { Report(field, report); });
}

void TFieldExitChecks::Report(QPointer<QWidget> field, TReport report)
{
    report();
    if (field) {
        if (!field->isVisible())
            ShowPageOf(field);
        field->setFocus(Qt::OtherFocusReason);
    }
    reporting_ = false;
}
