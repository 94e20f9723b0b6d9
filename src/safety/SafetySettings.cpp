#include "safety/SafetySettings.h"

#include "storage/Prompts.h"

#include <QSettings>

namespace {

const QString VerifyKey = QStringLiteral("Safety/VerifyAfterSave");
const QString BackupKey = QStringLiteral("Safety/BackupBeforeSave");
constexpr int ErrorsShown = 10;

QSettings& UserStore()
{
    static QSettings store(QStringLiteral("Brenmoor"), QStringLiteral("QEM Tools"));
    return store;
}

} // namespace

TSafetySettings TSafetySettings::Load(QSettings& store)
{
    TSafetySettings settings;
    settings.VerifyAfterSave = store.value(VerifyKey, true).toBool();
    settings.BackupBeforeSave = store.value(BackupKey, false).toBool();
    return settings;
}

void TSafetySettings::Save(QSettings& store) const
{
    store.setValue(VerifyKey, VerifyAfterSave);
    store.setValue(BackupKey, BackupBeforeSave);
    store.sync();
}

TSafetySettings TSafetySettings::Load()
{
    return Load(UserStore());
}

void TSafetySettings::Save() const
{
    Save(UserStore());
}

bool ConfirmSaveWithErrors(TPrompts& prompts, const QList<TFinding>& findings)
{
    QStringList lines;
    int errors = 0;
    for (const TFinding& f : findings) {
        if (f.Severity != fsError)
            continue;
        if (++errors <= ErrorsShown)
            lines << QStringLiteral("%1 / %2: %3").arg(PageCaption(f.Page), f.ItemText, f.Text);
    }
    if (errors == 0)
        return true;
    if (errors > ErrorsShown)
        lines << QStringLiteral("... and %1 more").arg(errors - ErrorsShown);
    const QString text = QStringLiteral("The check found %1 %2 in this configuration:\n\n%3\n\n"
                                        "Save it to the panel all the same?")
                             .arg(errors)
                             .arg(errors == 1 ? QStringLiteral("error") : QStringLiteral("errors"),
                                  lines.join(QLatin1Char('\n')));
    return prompts.confirm(text, TPromptButtons::pbYesNo, TPromptKind::pkDestructive)
        == TPromptAnswer::paYes;
}
