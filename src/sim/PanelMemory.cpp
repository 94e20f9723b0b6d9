#include "sim/PanelMemory.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace {

constexpr quint8 NoDependency = 'N';

QByteArray Hex(const quint8* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)).toHex(' ').toUpper();
}

template <std::size_t N>
QByteArray Hex(const std::array<quint8, N>& block)
{
    return Hex(block.data(), N);
}

QByteArray Hex16(quint16 value)
{
    const std::array<quint8, 2> bytes{static_cast<quint8>(value & 0xFF), static_cast<quint8>(value >> 8)};
    return Hex(bytes);
}

// Texts keep every byte: control bytes, backslash and bytes above 0x7E are written as \xHH.
QByteArray EscapeText(const QByteArray& text)
{
    QByteArray out;
    for (char c : text) {
        const auto b = static_cast<quint8>(c);
        if (b < 0x20 || b > 0x7E || b == '\\')
            out += "\\x" + QByteArray::number(b, 16).rightJustified(2, '0').toUpper();
        else
            out += c;
    }
    return out;
}

bool UnescapeText(const QByteArray& text, QByteArray& out)
{
    out.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (i + 3 >= text.size() || text[i + 1] != 'x')
            return false;
        bool ok = false;
        const int b = text.mid(i + 2, 2).toInt(&ok, 16);
        if (!ok)
            return false;
        out += static_cast<char>(b);
        i += 3;
    }
    return true;
}

bool ParseHex(const QByteArray& text, QByteArray& out)
{
    out.clear();
    for (const QByteArray& part : text.simplified().split(' ')) {
        if (part.isEmpty())
            continue;
        bool ok = false;
        const int b = part.toInt(&ok, 16);
        if (!ok || part.size() > 2 || b < 0 || b > 255)
            return false;
        out += static_cast<char>(b);
    }
    return true;
}

template <std::size_t N>
bool ToBlock(const QByteArray& bytes, std::array<quint8, N>& block)
{
    if (static_cast<std::size_t>(bytes.size()) != N)
        return false;
    std::copy(bytes.begin(), bytes.end(), block.begin());
    return true;
}

bool ToByte(const QByteArray& bytes, quint8& value)
{
    if (bytes.size() != 1)
        return false;
    value = static_cast<quint8>(bytes[0]);
    return true;
}

bool To16(const QByteArray& bytes, quint16& value)
{
    if (bytes.size() != 2)
        return false;
    value = static_cast<quint16>(static_cast<quint8>(bytes[0]) | static_cast<quint8>(bytes[1]) << 8);
    return true;
}

// "name.3" -> 3 when it lies in first..last.
bool Index(const QList<QByteArray>& parts, int at, int first, int last, int& index)
{
    if (parts.size() <= at)
        return false;
    bool ok = false;
    index = parts[at].toInt(&ok);
    return ok && index >= first && index <= last;
}

} // namespace

TPanelMemory::TPanelMemory()
{
    TPointRecord empty{};
    empty[0] = NotFitted;
    for (auto& loop : Points)
        loop.Fill(empty);
    Names.push_back("No name allocated");
    TBlock<19> zone{};
    zone[8] = NoDependency;
    zone[9] = NoDependency;
    ZoneData.Fill(zone);
    NonFireFlags.fill('F');
}

bool TPanelMemory::Save(const QString& path, QString* error) const
{
    QByteArray out = "# ZOL panel memory (zolpanel-sim). \"key = hex bytes\" or \"key : text\".\n";
    auto hexLine = [&out](const QByteArray& key, const QByteArray& hex) { out += key + " = " + hex + "\n"; };
    auto textLine = [&out](const QByteArray& key, const QByteArray& text) {
        out += key + " : " + EscapeText(text) + "\n";
    };
    textLine("version.main", MainVersion);
    textLine("version.loop1", Loop1Version);
    textLine("version.loop2", Loop2Version);
    textLine("version.frontpanel", FrontPanelVersion);
    hexLine("protocol", Hex(&Protocol, 1));
    hexLine("loopcount", Hex(&LoopCount, 1));
    const quint8 link = NvmLinkFitted ? 0xFF : 0x00;
    hexLine("nvmlink", Hex(&link, 1));
    TPointRecord empty{};
    empty[0] = NotFitted;
    for (int loop = 1; loop <= 2; ++loop)
        for (int point = 0; point <= 255; ++point)
            if (Points[loop][point] != empty)
                hexLine("point." + QByteArray::number(loop) + "." + QByteArray::number(point),
                        Hex(Points[loop][point]));
    for (std::size_t i = 0; i < Names.size(); ++i)
        textLine("name." + QByteArray::number(static_cast<int>(i)), Names[i]);
    for (int zone = 0; zone <= 40; ++zone) {
        const QByteArray n = QByteArray::number(zone);
        textLine("zone.name." + n, ZoneNames[zone]);
        hexLine("zone.data." + n, Hex(ZoneData[zone]));
        hexLine("groups." + n, Hex(Groups[zone]));
        hexLine("sets." + n, Hex(Sets[zone]));
    }
    hexLine("nonfire", Hex(NonFireFlags));
    const std::array<quint8, 3> tones{PulsedTone, ContinuousTone, ReSound};
    hexLine("tones", Hex(tones));
    hexLine("setdelay", Hex16(SetDelay));
    textLine("maintenance.text", MaintenanceText);
    hexLine("maintenance.date", Hex(MaintenanceDate));
    hexLine("level2", Hex16(Level2Code));
    hexLine("level3", Hex(Level3));
    hexLine("faultlockout", Hex(&FaultLockout, 1));
    hexLine("clock", Hex(Clock));
    hexLine("delays", Hex(PhasedDelays));
    textLine("quiescent", QuiescentText);
    hexLine("times", Hex(Times));
    for (int panel = 1; panel <= 8; ++panel) {
        const QByteArray n = QByteArray::number(panel);
        textLine("network.name." + n, NetworkNames[panel]);
        hexLine("network.fitted." + n, Hex(&NetworkFitted[panel], 1));
    }
    hexLine("network.matrix", Hex(NetworkMatrix));
    textLine("panelname", PanelName);
    hexLine("segment", Hex(&Segment, 1));
    for (int event = 1; event <= 16; ++event)
        hexLine("ce." + QByteArray::number(event), Hex(CEEvents[event]));
    for (const QByteArray& event : Events)
        textLine("event", event);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool TPanelMemory::Load(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    TPanelMemory m;
    m.Names.clear();
    int lineNumber = 0;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        ++lineNumber;
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const qsizetype space = line.indexOf(' ');
        const QByteArray key = line.left(space);
        const bool isText = line.mid(space, 3) == " : ";
        const bool isHex = line.mid(space, 3) == " = ";
        const QByteArray value = line.mid(space + 3);
        QByteArray bytes;
        bool ok = space > 0 && ((isText && UnescapeText(value, bytes)) || (isHex && ParseHex(value, bytes)));
        const QList<QByteArray> parts = key.split('.');
        int i = 0;
        int j = 0;
        if (ok && isText) {
            if (key == "version.main") m.MainVersion = bytes;
            else if (key == "version.loop1") m.Loop1Version = bytes;
            else if (key == "version.loop2") m.Loop2Version = bytes;
            else if (key == "version.frontpanel") m.FrontPanelVersion = bytes;
            else if (parts[0] == "name" && Index(parts, 1, 0, MaxNames - 1, i) && i == static_cast<int>(m.Names.size()))
                m.Names.push_back(bytes);
            else if (parts[0] == "zone" && parts.size() == 3 && parts[1] == "name" && Index(parts, 2, 0, 40, i))
                m.ZoneNames[i] = bytes;
            else if (key == "maintenance.text") m.MaintenanceText = bytes;
            else if (key == "quiescent") m.QuiescentText = bytes;
            else if (parts[0] == "network" && parts.size() == 3 && parts[1] == "name" && Index(parts, 2, 1, 8, i))
                m.NetworkNames[i] = bytes;
            else if (key == "panelname") m.PanelName = bytes;
            else if (key == "event") m.Events.push_back(bytes);
            else ok = false;
        } else if (ok) {
            quint8 link = 0;
            std::array<quint8, 3> tones{};
            if (key == "protocol") ok = ToByte(bytes, m.Protocol);
            else if (key == "loopcount") ok = ToByte(bytes, m.LoopCount);
            else if (key == "nvmlink") { ok = ToByte(bytes, link); m.NvmLinkFitted = link == 0xFF; }
            else if (parts[0] == "point" && Index(parts, 1, 1, 2, i) && Index(parts, 2, 0, 255, j))
                ok = ToBlock(bytes, m.Points[i][j]);
            else if (parts[0] == "zone" && parts.size() == 3 && parts[1] == "data" && Index(parts, 2, 0, 40, i))
                ok = ToBlock(bytes, m.ZoneData[i]);
            else if (parts[0] == "groups" && Index(parts, 1, 0, 40, i)) ok = ToBlock(bytes, m.Groups[i]);
            else if (parts[0] == "sets" && Index(parts, 1, 0, 40, i)) ok = ToBlock(bytes, m.Sets[i]);
            else if (key == "nonfire") ok = ToBlock(bytes, m.NonFireFlags);
            else if (key == "tones") {
                ok = ToBlock(bytes, tones);
                m.PulsedTone = tones[0];
                m.ContinuousTone = tones[1];
                m.ReSound = tones[2];
            }
            else if (key == "setdelay") ok = To16(bytes, m.SetDelay);
            else if (key == "maintenance.date") ok = ToBlock(bytes, m.MaintenanceDate);
            else if (key == "level2") ok = To16(bytes, m.Level2Code);
            else if (key == "level3") ok = ToBlock(bytes, m.Level3);
            else if (key == "faultlockout") ok = ToByte(bytes, m.FaultLockout);
            else if (key == "clock") ok = ToBlock(bytes, m.Clock);
            else if (key == "delays") ok = ToBlock(bytes, m.PhasedDelays);
            else if (key == "times") ok = ToBlock(bytes, m.Times);
            else if (parts[0] == "network" && parts.size() == 3 && parts[1] == "fitted" && Index(parts, 2, 1, 8, i))
                ok = ToByte(bytes, m.NetworkFitted[i]);
            else if (key == "network.matrix") ok = ToBlock(bytes, m.NetworkMatrix);
            else if (key == "segment") ok = ToByte(bytes, m.Segment);
            else if (parts[0] == "ce" && Index(parts, 1, 1, 16, i)) ok = ToBlock(bytes, m.CEEvents[i]);
            else ok = false;
        }
        if (!ok) {
            if (error)
                *error = QStringLiteral("%1, line %2: not understood: %3")
                             .arg(path)
                             .arg(lineNumber)
                             .arg(QString::fromLatin1(line));
            return false;
        }
    }
    if (m.Names.empty())
        m.Names.push_back("No name allocated");
    *this = std::move(m);
    return true;
}
