#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

// Checks run when the user enters and leaves a field, with the focus returned to a field that
// fails. The check itself runs at once on leaving (the main window moves the focus away and
// reads the result straight after); its message and the focus return wait until Qt has
// finished moving the focus. Focus changes while a failure is being reported (the message box
// taking the focus, the focus coming back, a field passed on the way) start no further checks,
// so two fields that fail against each other cannot bounce the focus between them.
class TFieldExitChecks : public QObject {
    Q_OBJECT

public:
    // Leaving returns how to report a failure, or nothing when the field may be left.
    using TReport = std::function<void()>;
    using TLeave = std::function<TReport()>;
    using TEnter = std::function<void()>;

    explicit TFieldExitChecks(QObject* parent = nullptr) : QObject(parent) {}

    void Watch(QWidget* field, TEnter onEnter, TLeave onLeave);
    // Runs the leave check of field as if the user left it (Enter in the field), keeping the
    // focus there when it fails.
    void CheckNow(QWidget* field);
    // A failure is waiting to be reported or is being reported.
    bool Reporting() const { return reporting_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TWatch {
        QWidget* Field;
        TEnter OnEnter;
        TLeave OnLeave;
    };
    const TWatch* Find(QObject* field) const;
    void Leave(const TWatch& watch);
    void Report(QPointer<QWidget> field, TReport report);

    QList<TWatch> watches_;
    bool reporting_ = false;
};
