#include "editors/print/OnTopPrompts.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>
#include <QWindow>

namespace {

// While it lives, every dialog window that is about to be shown and is not a window of top
// becomes one: its native window's transient parent is top's, set before it is mapped.
class TTransientFilter : public QObject {
public:
    explicit TTransientFilter(QWidget* top) : top_(top) { qApp->installEventFilter(this); }
    ~TTransientFilter() override { qApp->removeEventFilter(this); }
    TTransientFilter(const TTransientFilter&) = delete;
    TTransientFilter& operator=(const TTransientFilter&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show || !top_)
            return false;
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (!dialog || !dialog->isWindow() || dialog == top_ || top_->isAncestorOf(dialog))
            return false;
        QWindow* window = dialog->windowHandle();
        QWindow* topWindow = top_->window()->windowHandle();
        if (window && topWindow && window->transientParent() != topWindow)
            window->setTransientParent(topWindow);
        return false;
    }

private:
    QPointer<QWidget> top_;
};

} // namespace

template <typename F> auto TOnTopPrompts::OnTop(F prompt)
{
    QWidget* top = QApplication::activeModalWidget();
    if (!top)
        top = dialog_;
    const TTransientFilter filter(top && top->isVisible() ? top : nullptr);
    return prompt();
}

void TOnTopPrompts::information(const QString& text, const QString& caption)
{
    OnTop([&] { inner_.information(text, caption); });
}

void TOnTopPrompts::warning(const QString& text, const QString& caption)
{
    OnTop([&] { inner_.warning(text, caption); });
}

void TOnTopPrompts::error(const QString& text, const QString& caption)
{
    OnTop([&] { inner_.error(text, caption); });
}

TPromptAnswer TOnTopPrompts::confirm(const QString& text, TPromptButtons buttons, TPromptKind kind)
{
    return OnTop([&] { return inner_.confirm(text, buttons, kind); });
}

void TOnTopPrompts::beep()
{
    inner_.beep();
}
