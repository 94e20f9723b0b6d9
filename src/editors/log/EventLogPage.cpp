#include "editors/log/EventLogPage.h"

#include "model/Data.h"
#include "storage/CommentsFile.h"
#include "storage/Prompts.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TfrmEventLog::TfrmEventLog(TEditorContext& context, QWidget* parent)
    : TPage(context, ppViewEventLog, 80, parent)
{
    txtEventLog_ = new QPlainTextEdit(this);
    txtEventLog_->setObjectName(QStringLiteral("txtEventLog"));
    txtEventLog_->setAccessibleName(QStringLiteral("Event Log"));
    txtEventLog_->setReadOnly(true);
    txtEventLog_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtEventLog_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtEventLog_->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtEventLog_);
}

void TfrmEventLog::Refresh()
{
    const QStringList& log = Data().EventLog;
    if (log.size() == shownLines_)
        return;
    txtEventLog_->setPlainText(log.join(QLatin1Char('\n')));
    shownLines_ = log.size();
}

void TfrmEventLog::AppendShown(const QString& text)
{
    txtEventLog_->appendPlainText(text);
    shownLines_ = Data().EventLog.size();
}

void TfrmEventLog::AppendLine(const QString& text)
{
    Data().EventLog.append(text);
    AppendShown(text);
}

void TfrmEventLog::ClearDisplay()
{
    ClearEventLog(Data());
    txtEventLog_->clear();
    shownLines_ = 0;
}

bool TfrmEventLog::LoadFromFile(const QString& path)
{
    QString error;
    if (!LoadEventLog(path, Data().EventLog, &error)) {
        Prompts().error(error, LoadEventLogTitle);
        return false;
    }
    shownLines_ = -1;
    Refresh();
    return true;
}

bool TfrmEventLog::SaveToFile(const QString& path)
{
    QString error;
    if (!SaveEventLog(path, Data().EventLog, &error)) {
        Prompts().error(error, SaveEventLogTitle);
        return false;
    }
    return true;
}

QString TfrmEventLog::Text() const
{
    return txtEventLog_->toPlainText();
}
