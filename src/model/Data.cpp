#include "model/Data.h"

#include "model/Tones.h"

#include <algorithm>
#include <utility>

TData::TData(QObject* parent) : QObject(parent)
{
    Loop1.OnNamesChanged = [this] { RebuildNameTable(); };
    Loop2.OnNamesChanged = [this] { RebuildNameTable(); };
    C_ETable.OnChange = [this] { Edit(dpCauseEffect, QStringLiteral("Cause and Effect")); };
    ResetToNew();
}

namespace {

// Revisions are unique across every document of the program, so a state restored by undo
// is told apart from one that merely has the same number of edits behind it.
quint64 NextRevision()
{
    static quint64 last = 0;
    return ++last;
}

} // namespace

void TData::AnnounceModified(bool wasModified)
{
    if (Modified() != wasModified)
        emit ModifiedChanged(Modified());
}

void TData::MarkSaved()
{
    const bool was = Modified();
    savedRevision_ = revision_;
    AnnounceModified(was);
}

void TData::Edit(TDocParts parts, const QString& label)
{
    TDocEdit edit(*this, parts, label);
}

void TData::BeginEdit(const QString& label)
{
    if (editDepth_++ == 0) {
        editParts_ = {};
        editLabel_ = label;
    }
}

TDocEdit::~TDocEdit()
{
    data_.editParts_ |= parts_;
    data_.EndEdit();
}

void TData::EndEdit()
{
    Q_ASSERT(editDepth_ > 0);
    if (--editDepth_ > 0 || !editParts_)
        return;
    const TDocParts parts = editParts_;
    editParts_ = {};
    const bool was = Modified();
    revision_ = NextRevision();
    AnnounceModified(was);
    emit Edited(editLabel_.isEmpty() ? QStringLiteral("edit") : editLabel_, parts);
    emit Changed(parts);
}

TQEMLoop& TData::Loop(int n)
{
    if (n != 1 && n != 2)
        ZolIndexFailure(n, 1, 2);
    return n == 1 ? Loop1 : Loop2;
}

const TQEMLoop& TData::Loop(int n) const
{
    return const_cast<TData*>(this)->Loop(n);
}

void TData::AssignContent(const TData& source, bool keepFileAndLog)
{
    if (&source == this)
        return;
    const auto loop1Hook = Loop1.OnNamesChanged;
    const auto loop2Hook = Loop2.OnNamesChanged;
    const auto tableHook = C_ETable.OnChange;

    ZoneList = source.ZoneList;
    GroupList = source.GroupList;
    SiteConfig = source.SiteConfig;
    RepeaterList = source.RepeaterList;
    Loop1 = source.Loop1;
    Loop2 = source.Loop2;
    Network = source.Network;
    C_ETable = source.C_ETable;
    NameTable = source.NameTable;
    LoopCount = source.LoopCount;
    if (!keepFileAndLog)
        FileName = source.FileName;
    ConvertingFile = source.ConvertingFile;
    DelayTimer = source.DelayTimer;
    PulsedTone = source.PulsedTone;
    ContinuousTone = source.ContinuousTone;
    Comments = source.Comments;
    if (!keepFileAndLog)
        EventLog = source.EventLog;
    PanelNumber = source.PanelNumber;
    SendMaintenanceDate = source.SendMaintenanceDate;
    const bool was = Modified();
    revision_ = source.revision_;

    Loop1.OnNamesChanged = loop1Hook;
    Loop2.OnNamesChanged = loop2Hook;
    C_ETable.OnChange = tableHook;
    AnnounceModified(was);
    emit Reset();
}

void TData::ResetToNew()
{
    LoopCount = 2;

    const int points = NoLoopDevices();
    for (TQEMLoop* loop : {&Loop1, &Loop2}) {
        for (int p = 1; p <= points; ++p) {
            TDeviceType& d = loop->Devices[p];
            d.TypeCode = NotFittedCode;
            d.TypeMismatch = false;
            d.Zone = 1;
            d.Name = NoNameAllocated;
            d.SubName1 = NoNameAllocated;
            d.SubName2 = NoNameAllocated;
            d.SubName3 = NoNameAllocated;
        }
    }

    ZoneList.ResetToNew();
    DelayTimer = 300;
    ZoneList.SetSilenceable(17, true);

    SiteConfig.ResetToNew();
    Network.ResetToNew();
    RepeaterList.ResetToNew();
    SiteConfig.MainVersion = NotAvailableVersion;
    SiteConfig.FrontPanelVersion = NotAvailableVersion;
    SiteConfig.Loop1Version = NotAvailableVersion;
    SiteConfig.Loop2Version = NotAvailableVersion;

    C_ETable.ResetToNew();

    EventLog.clear();
    Comments = QStringLiteral("Comments Page");

    if (SystemType() == stHochikiLoop) {
        PulsedTone = 1;
        ContinuousTone = 0;
    } else {
        PulsedTone = 0;
        ContinuousTone = 0;
    }
    SendMaintenanceDate = false;

    RebuildNameTable();
    const bool was = Modified();
    revision_ = NextRevision();
    savedRevision_ = revision_;
    AnnounceModified(was);
    emit Reset();
}

void TData::SwitchProtocol(TSystemType type)
{
    Loop1.SystemType = type;
    Loop2.SystemType = type;
    FileName.clear();
    ResetToNew();
    emit ProtocolSwitched(type);
}

void TData::ClearTypeMismatchMarks()
{
    TDocParts cleared;
    const int points = NoLoopDevices();
    for (const int n : {1, 2})
        for (int p = 1; p <= points; ++p)
            if (std::exchange(Loop(n).Devices[p].TypeMismatch, false))
                cleared |= LoopPart(n);
    if (cleared)
        emit Changed(cleared);
}

QString SwitchProtocolQuestion(TSystemType type)
{
    return QStringLiteral("You are switching to ") + SystemTypeName(type)
        + QStringLiteral(" protocol. This will clear your current setup. Do you wish to continue?");
}

TNameTable TData::NameTableAsSent() const
{
    TNameTable table;
    auto enter = [&table](const QString& name) {
        const QString text = name.isEmpty() ? NoNameAllocated : name;
        if (table.FindName(text) < 0)
            table.Append(text);
    };
    for (const TQEMLoop* loop : {&Loop1, &Loop2}) {
        for (int p = 1; p <= TQEMLoop::MaxPoints; ++p) {
            const TDeviceType& d = loop->Devices[p];
            enter(d.Name);
            if (loop->HasChannelNames(p))
                for (int k = 1; k <= 3; ++k)
                    enter(d.SubName(k));
        }
    }
    return table;
}

void TData::RebuildNameTable()
{
    NameTable = NameTableAsSent();

    const int points = NoLoopDevices();
    auto indexOf = [this](const QString& name) { return qMax(0, NameTable.FindName(name)); };
    for (TQEMLoop* loop : {&Loop1, &Loop2}) {
        for (int p = 1; p <= points; ++p) {
            TDeviceType& d = loop->Devices[p];
            d.NameIndex() = indexOf(d.Name);
            if (loop->HasChannelNames(p))
                for (int k = 1; k <= 3; ++k)
                    d.SubNameIndex(k) = indexOf(d.SubName(k));
        }
    }
}

void TData::ApplyNameIndexes()
{
    const int points = NoLoopDevices();
    for (TQEMLoop* loop : {&Loop1, &Loop2}) {
        for (int p = 1; p <= points; ++p) {
            TDeviceType& d = loop->Devices[p];
            // An index the panel gave beyond its own table points at "No name allocated", so
            // the point's name and its index agree when the point is saved or sent again.
            auto take = [this](int& index) {
                if (!NameTable.IsValidIndex(index))
                    index = 0;
                return NameTable.Name(index);
            };
            d.Name = take(d.NameIndex());
            const bool channels = loop->HasChannelNames(p);
            for (int k = 1; k <= 3; ++k)
                d.SubName(k) = channels ? take(d.SubNameIndex(k)) : NoNameAllocated;
        }
    }
}

QStringList TData::ContinuousToneNames() const
{
    return ::ContinuousToneNames(SystemType());
}

QStringList TData::PulsedToneNames() const
{
    return ::PulsedToneNames(SystemType());
}

void TData::SetContinuousTone(int index)
{
    TDocEdit edit(*this, dpSite, QStringLiteral("Continuous Tone"));
    ContinuousTone = index;
    if (PulsedToneFollowsContinuous(SystemType()))
        PulsedTone = index;
}

void TData::SetPulsedTone(int index)
{
    TDocEdit edit(*this, dpSite, QStringLiteral("Pulsed Tone"));
    PulsedTone = index;
}

void TData::SetAccessCode(int level, const QString& text)
{
    QString& code = level == 2 ? SiteConfig.AL2Code : SiteConfig.AL3Code;
    if (code == text)
        return;
    TDocEdit edit(*this, dpSite, QStringLiteral("Access Level %1 code").arg(level));
    code = text;
}

namespace {

// A code the fields could hold: digits 1 to 4 only. A code from a file or a panel outside
// that (the keyswitch code, a number the panel gave, no code at all) is shown flagged and
// holds nothing back.
bool TypedCode(const QString& code)
{
    return !code.isEmpty() && std::all_of(code.begin(), code.end(),
                       [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('4'); });
}

} // namespace

TAccessCodeCheck TData::AccessCodeCheck() const
{
    for (const int level : {3, 2})
        if (TypedCode(level == 2 ? SiteConfig.AL2Code : SiteConfig.AL3Code))
            if (const TAccessCodeCheck check = CheckAccessCodes(SiteConfig, level); !check.Valid)
                return check;
    return {};
}

QList<int> TData::ZonesWithExcessiveSounderDelay(int maxOutputDelay) const
{
    QList<int> zones;
    for (int n = 1; n <= MaxZone; ++n) {
        const TOutputDelayCheck check =
            CheckOutputDelays(ZoneList.Zone(n), SiteConfig.InvestigationPeriod,
                              SiteConfig.InvestigationPeriod1, maxOutputDelay);
        if (check.SounderTooLong)
            zones << n;
    }
    return zones;
}
