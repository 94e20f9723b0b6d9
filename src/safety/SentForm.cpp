#include "safety/SentForm.h"

#include "model/Data.h"
#include "panel/SentValues.h"

#include <QHash>

namespace {

// Every point name in the order the name table is built from them.
template <typename F> void ForEachPointName(const TData& data, F visit)
{
    for (const TQEMLoop* loop : {&data.Loop1, &data.Loop2})
        for (int p = 1; p <= TQEMLoop::MaxPoints; ++p) {
            const TDeviceType& d = loop->Devices[p];
            visit(d.Name);
            if (loop->HasChannelNames(p))
                for (int k = 1; k <= 3; ++k)
                    visit(d.SubName(k));
        }
}

QString MatchKey(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end).toCaseFolded();
}

} // namespace

QList<TMergedName> MergedNames(const TData& data)
{
    QList<TMergedName> groups;
    QHash<QString, qsizetype> byKey;
    ForEachPointName(data, [&](const QString& name) {
        const QString key = MatchKey(name);
        if (name.isEmpty() || key.isEmpty())
            return;
        const auto found = byKey.constFind(key);
        if (found == byKey.constEnd()) {
            byKey.insert(key, groups.size());
            groups.append(TMergedName{name, {}});
            return;
        }
        TMergedName& group = groups[*found];
        if (name != group.Kept && !group.Merged.contains(name))
            group.Merged.append(name);
    });
    groups.removeIf([](const TMergedName& g) { return g.Merged.isEmpty(); });
    return groups;
}

QString MergedNameText(const TMergedName& merged)
{
    QStringList quoted;
    for (const QString& name : QStringList{merged.Kept} + merged.Merged)
        quoted << QLatin1Char('\'') + name + QLatin1Char('\'');
    const QString last = quoted.takeLast();
    return QStringLiteral("The names %1 and %2 differ only in letter case or trailing blanks; "
                          "the panel keeps them as one name, '%3'.")
        .arg(quoted.join(QStringLiteral(", ")), last, merged.Kept);
}

void ToSentForm(TData& data)
{
    const int points = data.NoLoopDevices();
    const TNameTable& table = data.NameTable;
    auto kept = [&table](QString& name) {
        const int index = table.FindName(name);
        if (index >= 0)
            name = table.Name(index);
    };
    for (TQEMLoop* loop : {&data.Loop1, &data.Loop2})
        for (int p = 1; p <= points; ++p) {
            TDeviceType& d = loop->Devices[p];
            if (!loop->IsFitted(p))
                continue;
            const int zoneByte = SentZoneByte(*loop, p);
            if (loop->HasChannelNames(p))
                d.SharedData[1] = zoneByte;
            else
                d.Zone = zoneByte & 0x3F;
            kept(d.Name);
            if (loop->HasChannelNames(p))
                for (int k = 1; k <= 3; ++k)
                    kept(d.SubName(k));
        }
    TSiteConfig& site = data.SiteConfig;
    site.AL2Code = QString::number(SentAccessCode(site.AL2Code));
    site.AL3Code = QString::number(SentAccessCode(site.AL3Code));
}
