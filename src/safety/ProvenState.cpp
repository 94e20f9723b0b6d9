#include "safety/ProvenState.h"

#include "model/Data.h"
#include "safety/Backups.h"
#include "storage/ConfigFile.h"
#include "storage/ConfigWriter.h"
#include "storage/ProfileFile.h"
#include "storage/Prompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString Section = QStringLiteral("Proven State");
const QString WhenFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

// Beside the state: written to since, without proof.
QString UnsettledMark(const QString& path)
{
    return path + QStringLiteral(".unsettled");
}

// A kept state is read without asking anything; the reason of a failure is kept.
class TSilentPrompts : public TPrompts {
public:
    QString Last;
    void information(const QString&, const QString&) override {}
    void warning(const QString&, const QString&) override {}
    void error(const QString& text, const QString&) override { Last = text; }
    TPromptAnswer confirm(const QString&, TPromptButtons, TPromptKind) override
    {
        return TPromptAnswer::paNo;
    }
    void beep() override {}
};

} // namespace

QString TProvenState::WhenText() const
{
    return When.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
}

namespace ProvenState {

QString PathFor(const QString& configurationPath, int panel)
{
    if (configurationPath.isEmpty())
        return QString();
    return QDir(Backups::DefaultFolder(configurationPath))
        .filePath(QStringLiteral("proven/%1.panel%2.QEM")
                      .arg(QFileInfo(configurationPath).completeBaseName())
                      .arg(panel));
}

bool Write(const QString& path, const TData& configuration, int panel, bool bySaveAll,
           const QDateTime& when, QString* error)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("Cannot create the folder %1").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    TProfileFile profile;
    WriteConfiguration(configuration, profile);
    const TSiteConfig& site = configuration.SiteConfig;
    profile.WriteInteger(Section, QStringLiteral("Panel"), panel);
    profile.WriteString(Section, QStringLiteral("Proven"), when.toString(WhenFormat));
    profile.WriteString(Section, QStringLiteral("By"),
                        bySaveAll ? QStringLiteral("Save All") : QStringLiteral("Load All"));
    profile.WriteString(Section, QStringLiteral("MainVersion"), site.MainVersion);
    profile.WriteString(Section, QStringLiteral("Loop1Version"), site.Loop1Version);
    profile.WriteString(Section, QStringLiteral("Loop2Version"), site.Loop2Version);
    profile.WriteString(Section, QStringLiteral("FrontPanelVersion"), site.FrontPanelVersion);
    profile.WriteInteger(Section, QStringLiteral("LoopCount"), configuration.LoopCount);
    profile.WriteBool(Section, QStringLiteral("MaintenanceDateSent"),
                      configuration.SendMaintenanceDate);
    QString reason;
    if (WriteWholeFile(path, profile.ToBytes(), &reason)) {
        QFile::remove(UnsettledMark(path));
        return true;
    }
    if (error)
        *error = QStringLiteral("The panel's proven state could not be kept as %1: %2")
                     .arg(QDir::toNativeSeparators(path), reason);
    return false;
}

bool Keep(const TData& data, bool bySaveAll, QString* error)
{
    const QString path = PathFor(data.FileName, data.PanelNumber);
    return path.isEmpty()
        || Write(path, data, data.PanelNumber, bySaveAll, QDateTime::currentDateTime(), error);
}

bool MarkUnsettled(const QString& configurationPath, int panel, QString* error)
{
    const QString path = PathFor(configurationPath, panel);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return true;
    QString reason;
    if (WriteWholeFile(UnsettledMark(path),
                       QDateTime::currentDateTime().toString(WhenFormat).toLatin1() + '\n', &reason))
        return true;
    if (error)
        *error = QStringLiteral("The panel's proven state %1 could not be marked as no longer "
                                "proven: %2. Delete it before using Save Changes again.")
                     .arg(QDir::toNativeSeparators(path), reason);
    return false;
}

bool Read(const QString& path, TProvenState& state, QString* error)
{
    state = {};
    if (path.isEmpty() || !QFileInfo::exists(path))
        return true;
    TProfileFile profile;
    QString reason;
    auto configuration = std::make_shared<TData>();
    TSilentPrompts prompts;
    if (!profile.LoadFromFile(path, &reason) || !profile.SectionExists(Section)
        || !TConfigFile(*configuration, prompts).Open(path)) {
        if (error)
            *error = QStringLiteral("The panel's proven state %1 cannot be read%2")
                         .arg(QDir::toNativeSeparators(path),
                              reason.isEmpty() && prompts.Last.isEmpty()
                                  ? QString()
                                  : QStringLiteral(": ") + (reason.isEmpty() ? prompts.Last : reason));
        return false;
    }
    TSiteConfig& site = configuration->SiteConfig;
    site.MainVersion = profile.ReadString(Section, QStringLiteral("MainVersion"), site.MainVersion);
    site.Loop1Version = profile.ReadString(Section, QStringLiteral("Loop1Version"), site.Loop1Version);
    site.Loop2Version = profile.ReadString(Section, QStringLiteral("Loop2Version"), site.Loop2Version);
    site.FrontPanelVersion =
        profile.ReadString(Section, QStringLiteral("FrontPanelVersion"), site.FrontPanelVersion);
    configuration->LoopCount =
        profile.ReadInteger(Section, QStringLiteral("LoopCount"), configuration->LoopCount) == 1 ? 1 : 2;
    configuration->SendMaintenanceDate =
        profile.ReadBool(Section, QStringLiteral("MaintenanceDateSent"), false);
    state.Panel = profile.ReadInteger(Section, QStringLiteral("Panel"), 1);
    configuration->PanelNumber = state.Panel;
    state.When = QDateTime::fromString(profile.ReadString(Section, QStringLiteral("Proven"), QString()),
                                       WhenFormat);
    state.BySaveAll = profile.ReadString(Section, QStringLiteral("By"), QString())
                      != QLatin1String("Load All");
    state.Unsettled = QFileInfo::exists(UnsettledMark(path));
    state.Configuration = std::move(configuration);
    return true;
}

} // namespace ProvenState
