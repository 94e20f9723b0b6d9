#include "app/GuiPrompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString Title(const QString& caption)
{
    return caption.isEmpty() ? QApplication::applicationName() : ShownText(caption);
}

// A message belongs on top of whatever window is on top: a modal dialog, else a window that
// stays on top of the others (the print options), else a dialog of the main window (the
// transfer's Status window). A box parented to that window opens above it.
QWidget* Owner(QWidget* parent)
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    QWidget* dialog = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if (!w->isVisible() || (type != Qt::Dialog && type != Qt::Window) || w == parent)
            continue;
        if (w->windowFlags() & Qt::WindowStaysOnTopHint)
            return w;
        if (type == Qt::Dialog && parent && w->parentWidget()
            && w->parentWidget()->window() == parent->window())
            dialog = w;
    }
    return dialog ? dialog : parent;
}

void Show(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& caption)
{
    QMessageBox box(icon, Title(caption), ShownText(text), QMessageBox::Ok, Owner(parent));
    // Line breaks in a message are kept (rich text would run its lines together).
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

QString ShownText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
    return shown;
}

void TGuiPrompts::information(const QString& text, const QString& caption)
{
    Show(parent_, QMessageBox::Information, text, caption);
}

void TGuiPrompts::warning(const QString& text, const QString& caption)
{
    Show(parent_, QMessageBox::Warning, text, caption);
}

void TGuiPrompts::error(const QString& text, const QString& caption)
{
    Show(parent_, QMessageBox::Critical, text, caption);
}

TPromptAnswer TGuiPrompts::confirm(const QString& text, TPromptButtons buttons, TPromptKind kind)
{
    const QMessageBox::Icon icon = kind == TPromptKind::pkConfirmation ? QMessageBox::Question
                                   : kind == TPromptKind::pkError      ? QMessageBox::Critical
                                                                       : QMessageBox::Warning;
    const bool destructive = kind == TPromptKind::pkDestructive;
    QMessageBox box(icon, Title(QString()), ShownText(text), QMessageBox::NoButton, Owner(parent_));
    box.setTextFormat(Qt::PlainText);
    switch (buttons) {
    case TPromptButtons::pbYesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(destructive ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case TPromptButtons::pbYesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(destructive ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case TPromptButtons::pbAbortRetry:
        box.setStandardButtons(QMessageBox::Abort | QMessageBox::Retry);
        box.setDefaultButton(QMessageBox::Retry);
        box.setEscapeButton(QMessageBox::Abort);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return TPromptAnswer::paYes;
    case QMessageBox::No: return TPromptAnswer::paNo;
    case QMessageBox::Abort: return TPromptAnswer::paAbort;
    case QMessageBox::Retry: return TPromptAnswer::paRetry;
    default:
        if (buttons == TPromptButtons::pbAbortRetry)
            return TPromptAnswer::paAbort;
        return buttons == TPromptButtons::pbYesNo ? TPromptAnswer::paNo : TPromptAnswer::paCancel;
    }
}

void TGuiPrompts::beep()
{
    QApplication::beep();
}
