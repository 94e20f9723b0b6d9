#include "panel/PanelTexts.h"

#include "model/Data.h"

namespace {

QString ControlName(ushort c)
{
    static const char* const names[] = {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL",
                                        "BS",  "TAB", "LF",  "VT",  "FF",  "CR",  "SO",  "SI",
                                        "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB",
                                        "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
    return c < 32 ? QLatin1String(names[c]) : QStringLiteral("DEL");
}

// Why the panel would refuse the text; empty when it takes it.
QString Refusal(const QString& text)
{
    for (int i = 0; i < text.size(); ++i) {
        const ushort c = text.at(i).unicode();
        if (c < 32 || c == 127)
            return QStringLiteral("a control character (%1) at character %2")
                .arg(ControlName(c))
                .arg(i + 1);
        if (c > 255)
            return QStringLiteral("a character the panel cannot show (%1) at character %2")
                .arg(text.at(i))
                .arg(i + 1);
    }
    return {};
}

} // namespace

QList<TRefusedText> TextsThePanelRefuses(const TData& data)
{
    QList<TRefusedText> out;
    auto check = [&out](TPanelPage page, int item, const QString& field, const QString& name,
                        const QString& text) {
        const QString why = Refusal(text);
        if (!why.isEmpty())
            out.append({page, item, field, name, why});
    };
    for (int i = 0; i < data.NameTable.Count(); ++i)
        check(ppLoopSummary, 0, QString(), QStringLiteral("Device name %1").arg(i),
              data.NameTable.Entries().at(i));
    for (int z = 1; z <= MaxZone; ++z)
        check(ppZoneConfig, z, QString(), QStringLiteral("Zone %1 name").arg(z),
              data.ZoneList.Zone(z).Name);
    check(ppSiteConfig, 0, QStringLiteral("MaintenanceString"), QStringLiteral("Maintenance text"),
          data.SiteConfig.MaintenanceString);
    check(ppSiteConfig, 0, QStringLiteral("QuiescentString"), QStringLiteral("Quiescent text"),
          data.SiteConfig.QuiescentString);
    for (int n = 1; n <= MaxNetworkPanels; ++n)
        check(ppNetworkConfig, n, QString(), QStringLiteral("Network panel %1 name").arg(n),
              data.RepeaterList.Repeaters[n].Name);
    check(ppNetworkConfig, 0, QStringLiteral("PanelName"), QStringLiteral("This panel's name"),
          data.RepeaterList.PanelName);
    return out;
}

QString RefusedTextMessage(const TRefusedText& refused)
{
    return QStringLiteral("%1 holds %2, which the panel refuses. Change it before saving to the "
                          "panel; nothing was sent.")
        .arg(refused.ItemText, refused.Reason);
}
