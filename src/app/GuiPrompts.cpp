#include "app/GuiPrompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString Title(const QString& caption)
{
    return caption.isEmpty() ? QApplication::applicationName() : ShownText(caption);
}

void Show(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& caption)
{
    QMessageBox box(icon, Title(caption), ShownText(text), QMessageBox::Ok, parent);
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
    const QMessageBox::Icon icon =
        kind == TPromptKind::pkConfirmation ? QMessageBox::Question : QMessageBox::Warning;
    const bool destructive = kind == TPromptKind::pkDestructive;
    QMessageBox box(icon, Title(QString()), ShownText(text), QMessageBox::NoButton, parent_);
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
