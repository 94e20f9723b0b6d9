#include "storage/ConfigFileNames.h"

#include "model/QEMLoop.h"

#include <array>

namespace {

const QString PanelMark = QStringLiteral("_Panel");

// Start of the file-name part of a path (after its last separator).
qsizetype NameStart(const QString& path)
{
    const qsizetype slash = qMax(path.lastIndexOf(QLatin1Char('/')),
                                 path.lastIndexOf(QLatin1Char('\\')));
    return slash + 1;
}

} // namespace

QString PanelFileName(const QString& chosenPath, int panelNumber)
{
    if (chosenPath.contains(PanelMark))
        return chosenPath;
    const qsizetype nameStart = NameStart(chosenPath);
    const QString dir = chosenPath.left(nameStart);
    const QString name = chosenPath.mid(nameStart);
    const qsizetype firstDot = name.indexOf(QLatin1Char('.'));
    const qsizetype lastDot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = firstDot < 0 ? name : name.left(firstDot);
    const QString extension = lastDot < 0 ? QString() : name.mid(lastDot);
    return dir + stem + PanelMark + QString::number(panelNumber) + extension;
}

int PanelNumberFromFileName(const QString& path, int currentPanelNumber)
{
    const qsizetype at = path.indexOf(PanelMark);
    if (at < 0)
        return currentPanelNumber;
    const qsizetype digitAt = at + PanelMark.size();
    if (digitAt >= path.size() || !path.at(digitAt).isDigit()
        || path.at(digitAt).unicode() > '9')
        return currentPanelNumber;
    const int n = path.at(digitAt).unicode() - '0';
    return qBound(1, n, 8);
}

QString CommentsFileName(const QString& configPath)
{
    const qsizetype nameStart = NameStart(configPath);
    const qsizetype dot = configPath.lastIndexOf(QLatin1Char('.'));
    if (dot >= nameStart && configPath.size() - dot - 1 == 3)
        return configPath.left(configPath.size() - 3) + QStringLiteral("RTF");
    const QString withoutExtension = dot >= nameStart ? configPath.left(dot) : configPath;
    return withoutExtension + QStringLiteral(".RTF");
}

namespace {

// Every point key of both loops is built once: a configuration asks for each of them many
// times on every open and save.
constexpr int MaxAddress = 256;
constexpr int SharedDataCount = 8;

struct TPointKeys {
    // [loop - 1][address][0]: the point key; [..][i]: its SharedData key i.
    std::array<std::array<std::array<QString, SharedDataCount + 1>, MaxAddress + 1>, 2> Keys;

    TPointKeys()
    {
        for (int l = 1; l <= 2; ++l) {
            for (int a = 1; a <= MaxAddress; ++a) {
                auto& keys = Keys[l - 1][a];
                keys[0] = QLatin1Char('L') + QString::number(l) + QLatin1Char('D') + QString::number(a);
                for (int i = 1; i <= SharedDataCount; ++i)
                    keys[i] = keys[0] + QStringLiteral("SD") + QString::number(i);
            }
        }
    }
};

const QString& KeyOf(const TQEMLoop& loop, int loopNumber, int point, int i)
{
    static const TPointKeys table;
    const int address = loop.PointAddress(point);
    Q_ASSERT(loopNumber >= 1 && loopNumber <= 2 && address >= 1 && address <= MaxAddress);
    return table.Keys[loopNumber - 1][address][i];
}

} // namespace

const QString& PointKey(const TQEMLoop& loop, int loopNumber, int point)
{
    return KeyOf(loop, loopNumber, point, 0);
}

const QString& SharedDataKey(const TQEMLoop& loop, int loopNumber, int point, int i)
{
    Q_ASSERT(i >= 1 && i <= SharedDataCount);
    return KeyOf(loop, loopNumber, point, i);
}
