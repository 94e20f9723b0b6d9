#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QTabWidget;

// Makes the pages view-only while a transfer runs: the tabs still change and the pages still
// scroll, but no key, click, wheel or mnemonic reaches a control that would edit. Each refused
// input calls refused, which tells the user why.
class TPageHostLock : public QObject {
    Q_OBJECT

public:
    TPageHostLock(QTabWidget& tabs, std::function<void()> refused);
    ~TPageHostLock() override;

    void SetLocked(bool locked);
    bool Locked() const { return locked_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnAPage(QObject* watched) const;

    QPointer<QTabWidget> tabs_;
    std::function<void()> refused_;
    bool locked_ = false;
};
