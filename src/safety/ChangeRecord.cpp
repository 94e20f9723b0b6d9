#include "safety/ChangeRecord.h"

#include "safety/ConfigCheck.h"
#include "schedule/ScheduleFiles.h"
#include "storage/SafeFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace {

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");
const QString DateFormat = QStringLiteral("dd/MM/yyyy");
const QString TimeFormat = QStringLiteral("HH:mm:ss");
const QStringList Header = {
    QStringLiteral("Date"),     QStringLiteral("Time"),     QStringLiteral("Panel"),
    QStringLiteral("Engineer"), QStringLiteral("Configuration"), QStringLiteral("Sent copy"),
    QStringLiteral("Verified"), QStringLiteral("Status"),   QStringLiteral("Compared with"),
    QStringLiteral("Page"),     QStringLiteral("Item"),     QStringLiteral("Field"),
    QStringLiteral("Before"),   QStringLiteral("After"),    QStringLiteral("Change"),
};
const QString Completed = QStringLiteral("completed");
const QString PartlySaved = QStringLiteral("partly saved");
const QString NoDifferences = QStringLiteral("No differences");

QString Stem(const QString& configurationPath)
{
    const QFileInfo info(configurationPath);
    return info.dir().filePath(info.completeBaseName());
}

QString CsvField(const QString& given)
{
    const QString text = NeutralisedCell(given);
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

TPanelPage PageFromCaption(const QString& caption)
{
    for (int p = ppLoopSummary; p <= ppComments; ++p)
        if (PageCaption(static_cast<TPanelPage>(p)) == caption)
            return static_cast<TPanelPage>(p);
    return ppLoopSummary;
}

QString TimeField(const TChangeEntry& entry)
{
    const QString time = entry.When.toString(TimeFormat);
    return entry.Sequence > 1 ? QStringLiteral("%1-%2").arg(time).arg(entry.Sequence) : time;
}

QStringList EntryFields(const TChangeEntry& entry)
{
    return {entry.When.toString(DateFormat),
            TimeField(entry),
            QString::number(entry.Panel),
            entry.Engineer,
            entry.Configuration,
            entry.SentCopy,
            entry.Verified ? QStringLiteral("yes") : QStringLiteral("no"),
            entry.PartlySaved ? PartlySaved : Completed,
            entry.Baseline};
}

QString CsvRows(const TChangeEntry& entry)
{
    const QStringList common = EntryFields(entry);
    QString rows;
    auto addRow = [&](const QStringList& change) {
        QStringList fields;
        for (const QString& f : common + change)
            fields.append(CsvField(f));
        rows += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    };
    if (entry.Differences.isEmpty())
        addRow({QString(), QString(), QString(), QString(), QString(),
                entry.Baseline == ChangeRecord::NothingRead ? ChangeRecord::NothingReadText
                                                            : NoDifferences});
    for (const TDifference& d : entry.Differences)
        addRow({PageCaption(d.Page), d.Item, d.Field, d.Left, d.Right, TConfigDiff::Describe(d)});
    return rows;
}

bool ReadExisting(const QString& path, QByteArray& bytes, QString* error)
{
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    bytes = file.readAll();
    return true;
}

QString HeaderLine() { return Header.join(QLatin1Char(',')); }

// The rows of a record's bytes; the heading, when there, is left out.
bool ParseRecord(const QString& path, const QByteArray& bytes, QList<TChangeEntry>& entries,
                 QString* error)
{
    entries.clear();
    const TCsvText csv = ParseCsv(QString::fromUtf8(bytes), QLatin1Char(','));
    if (!csv.Error.isEmpty()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, csv.Error);
        return false;
    }
    QStringList lastKey;
    for (const TCsvRecord& record : csv.Records) {
        QStringList f = record.Cells;
        if (f.value(0) == Header.first() || (f.size() == 1 && f.first().trimmed().isEmpty()))
            continue;
        for (QString& cell : f)
            cell = RestoredCell(cell);
        const QString time = f.value(1).section(QLatin1Char('-'), 0, 0);
        const QString sequence = f.value(1).section(QLatin1Char('-'), 1);
        const QDateTime when = QDateTime::fromString(f.value(0) + QLatin1Char(' ') + time,
                                                     DateFormat + QLatin1Char(' ') + TimeFormat);
        if (f.size() != Header.size() || !when.isValid()) {
            if (error)
                *error = QStringLiteral("%1, line %2: not a change-record row").arg(path).arg(record.Line);
            return false;
        }
        const QStringList key = f.mid(0, 9);
        if (entries.isEmpty() || key != lastKey) {
            TChangeEntry entry;
            entry.When = when;
            entry.Sequence = sequence.isEmpty() ? 1 : std::max(1, sequence.toInt());
            entry.Panel = f.at(2).toInt();
            entry.Engineer = f.at(3);
            entry.Configuration = f.at(4);
            entry.SentCopy = f.at(5);
            entry.Verified = f.at(6) == QStringLiteral("yes");
            entry.PartlySaved = f.at(7) == PartlySaved;
            entry.Baseline = f.at(8);
            entries.append(entry);
            lastKey = key;
        }
        // A row without a page stands for an entry without differences.
        if (!f.at(9).isEmpty())
            entries.last().Differences.append(
                TDifference{PageFromCaption(f.at(9)), f.at(10), f.at(11), f.at(12), f.at(13)});
    }
    return true;
}

} // namespace

namespace ChangeRecord {

QString CsvPath(const QString& configurationPath)
{
    return Stem(configurationPath) + QStringLiteral(".changes.csv");
}

QString TextPath(const QString& configurationPath)
{
    return Stem(configurationPath) + QStringLiteral(".changes.txt");
}

QString Describe(const TChangeEntry& entry)
{
    QString text = QStringLiteral("%1 %2  Save All to panel %3%4\n")
                       .arg(entry.When.toString(DateFormat), TimeField(entry))
                       .arg(entry.Panel)
                       .arg(entry.PartlySaved ? QStringLiteral(" ended early: the panel is partly saved")
                                              : QStringLiteral(" completed"));
    text += QStringLiteral("  Engineer: %1\n").arg(entry.Engineer);
    text += QStringLiteral("  Configuration: %1\n").arg(entry.Configuration);
    text += QStringLiteral("  Copy sent: %1\n").arg(entry.SentCopy);
    text += QStringLiteral("  Verified: %1\n").arg(entry.Verified ? QStringLiteral("yes") : QStringLiteral("no"));
    if (entry.Baseline == NothingRead)
        return text + QStringLiteral("  Changes: ") + NothingReadText + QStringLiteral("\n\n");
    text += QStringLiteral("  Changes (compared with %1): ").arg(entry.Baseline);
    if (entry.Differences.isEmpty())
        return text + NoDifferences.toLower() + QStringLiteral("\n\n");
    text += QString::number(entry.Differences.size()) + QLatin1Char('\n');
    for (const TDifference& d : entry.Differences)
        text += QStringLiteral("    ") + TConfigDiff::Describe(d) + QLatin1Char('\n');
    return text + QLatin1Char('\n');
}

bool Append(const QString& configurationPath, const TChangeEntry& given, QString* error)
{
    const QString csvPath = CsvPath(configurationPath);
    const QString textPath = TextPath(configurationPath);
    QByteArray csv;
    QByteArray text;
    if (!ReadExisting(csvPath, csv, error) || !ReadExisting(textPath, text, error))
        return false;
    // Entries of the same second are told apart by a number after the time.
    TChangeEntry entry = given;
    QList<TChangeEntry> earlier;
    if (ParseRecord(csvPath, csv, earlier, nullptr))
        for (const TChangeEntry& e : earlier)
            if (e.When.toSecsSinceEpoch() == entry.When.toSecsSinceEpoch())
                entry.Sequence = std::max(entry.Sequence, e.Sequence + 1);
    // A record that lost its heading (or holds nothing but a byte-order mark) gets it back.
    QByteArray rows = csv.startsWith(Bom) ? csv.mid(Bom.size()) : csv;
    if (!rows.startsWith(HeaderLine().toUtf8()))
        rows.prepend(HeaderLine().toUtf8() + "\r\n");
    if (!rows.endsWith('\n'))
        rows += "\r\n";
    rows += CsvRows(entry).toUtf8();
    text += Describe(entry).toUtf8();
    return WriteWholeFile(csvPath, Bom + rows, error) && WriteWholeFile(textPath, text, error);
}

bool Read(const QString& configurationPath, QList<TChangeEntry>& entries, QString* error)
{
    entries.clear();
    const QString path = CsvPath(configurationPath);
    QByteArray bytes;
    return ReadExisting(path, bytes, error) && ParseRecord(path, bytes, entries, error);
}

} // namespace ChangeRecord
