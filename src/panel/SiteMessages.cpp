#include "panel/SiteMessages.h"

#include "model/Data.h"
#include "panel/Message.h"
#include "panel/SentValues.h"

namespace {

constexpr int TimesSize = 10;

int Flag(bool on)
{
    return on ? 1 : 0;
}

} // namespace

QByteArray SiteRequest(char letter)
{
    return TMessage(letter).Bytes();
}

void ReadMaintenanceText(TData& data, const QByteArray& payload)
{
    data.SiteConfig.MaintenanceString = TReply(payload).TrimmedText();
}

bool ReadMaintenanceDate(TData& data, const QByteArray& payload)
{
    const TReply reply(payload);
    if (!reply.Has(3))
        return false;
    const QDate date(2000 + reply.Byte(0), reply.Byte(1), reply.Byte(2));
    if (date.isValid())
        data.SiteConfig.MaintenanceDate = date;
    return true;
}

bool ReadLevel2Code(TData& data, const QByteArray& payload)
{
    const TReply reply(payload);
    if (!reply.Has(2))
        return false;
    data.SiteConfig.AL2Code = QString::number(reply.Word(0));
    return true;
}

bool ReadLevel3Code(TData& data, const QByteArray& payload)
{
    const TReply reply(payload);
    if (!reply.Has(2))
        return false;
    TSiteConfig& site = data.SiteConfig;
    site.AL3Code = QString::number(reply.Word(0));
    if (reply.Has(3))
        site.Discovery_Polling_LED = reply.Byte(2) == 1;
    if (reply.Has(6)) {
        site.MCP_Delay = reply.Byte(3) + 1;
        site.Detector_Delay = reply.Byte(4) + 1;
        site.IO_Delay = reply.Byte(5) + 1;
    }
    return true;
}

bool ReadDelays(TData& data, const QByteArray& payload)
{
    const TReply reply(payload);
    if (!reply.Has(6))
        return false;
    data.SiteConfig.PhasedDelay = reply.Word(0);
    data.SiteConfig.InvestigationPeriod = reply.Word(2);
    data.SiteConfig.InvestigationPeriod1 = reply.Word(4);
    return true;
}

void ReadQuiescentText(TData& data, const QByteArray& payload)
{
    data.SiteConfig.QuiescentString = TReply(payload).TrimmedText();
}

bool ReadTimes(TData& data, const QByteArray& payload)
{
    const TReply reply(payload);
    if (!reply.Has(6))
        return false;
    TSiteConfig& site = data.SiteConfig;
    site.NightEnd = TimeText(reply.Byte(1), reply.Byte(0));
    site.NightBegin = TimeText(reply.Byte(3), reply.Byte(2));
    // The panel reports the recalibration time minute first.
    site.ReCalTime = TimeText(reply.Byte(5), reply.Byte(4));
    if (reply.Has(7))
        site.Day_Enable_Flags = reply.Byte(6);
    if (reply.Has(8))
        site.Night_Enable_Flags = reply.Byte(7);
    if (reply.Has(9))
        site.BST_Adjustment = reply.Byte(8) == 1;
    if (reply.Has(TimesSize))
        site.RealTime_Event_Output = reply.Byte(9) == 1;
    return true;
}

QByteArray MaintenanceTextWrite(const TData& data)
{
    return TMessage('H').Text(FitText(data.SiteConfig.MaintenanceString, 1)).Byte(0).Bytes();
}

QByteArray MaintenanceDateWrite(const TData& data)
{
    const QDate date = data.SiteConfig.MaintenanceDate;
    if (!date.isValid())
        return {};
    return TMessage('L')
        .Byte(date.year() - 2000)
        .Byte(date.month())
        .Byte(date.day())
        .Byte(0)
        .Byte(0)
        .Byte(0)
        .Bytes();
}

QByteArray Level2CodeWrite(const TData& data)
{
    return TMessage('P').Word(SentAccessCode(data.SiteConfig.AL2Code)).Bytes();
}

QByteArray Level3CodeWrite(const TData& data)
{
    const TSiteConfig& site = data.SiteConfig;
    return TMessage('R')
        .Word(SentAccessCode(site.AL3Code))
        .Byte(Flag(site.Discovery_Polling_LED))
        .Byte(site.MCP_Delay - 1)
        .Byte(site.Detector_Delay - 1)
        .Byte(site.IO_Delay - 1)
        .Bytes();
}

QByteArray FaultLockoutWrite(const TData& data)
{
    return TMessage('Y').Byte(data.SiteConfig.FaultLockout).Bytes();
}

QByteArray ClockWrite(const QDateTime& now)
{
    const QDate d = now.date();
    const QTime t = now.time();
    return TMessage('U')
        .Byte(d.year() - 2000)
        .Byte(d.month())
        .Byte(d.day())
        .Byte(t.hour())
        .Byte(t.minute())
        .Byte(t.second())
        .Bytes();
}

QByteArray DelaysWrite(const TData& data)
{
    const TSiteConfig& site = data.SiteConfig;
    return TMessage('T')
        .Word(site.PhasedDelay)
        .Word(site.InvestigationPeriod)
        .Word(site.InvestigationPeriod1)
        .Bytes();
}

QByteArray QuiescentTextWrite(const TData& data)
{
    return TMessage('n').Text(FitText(data.SiteConfig.QuiescentString, 1)).Byte(0).Bytes();
}

QByteArray TimesWrite(const TData& data)
{
    const TSiteConfig& site = data.SiteConfig;
    return TMessage('p')
        .Byte(TimeMinute(site.NightEnd))
        .Byte(TimeHour(site.NightEnd))
        .Byte(TimeMinute(site.NightBegin))
        .Byte(TimeHour(site.NightBegin))
        // The panel takes the recalibration time hour first.
        .Byte(TimeHour(site.ReCalTime))
        .Byte(TimeMinute(site.ReCalTime))
        .Byte(site.Day_Enable_Flags)
        .Byte(site.Night_Enable_Flags)
        .Byte(Flag(site.BST_Adjustment))
        .Byte(Flag(site.RealTime_Event_Output))
        .Bytes();
}
