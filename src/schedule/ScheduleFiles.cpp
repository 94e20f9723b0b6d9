#include "schedule/ScheduleFiles.h"

#include "schedule/DeviceSchedule.h"
#include "storage/SafeFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cstdio>

namespace {

const char Utf8Bom[] = "\xEF\xBB\xBF";

bool NeedsQuotes(const QString& cell, QChar separator)
{
    if (cell.isEmpty())
        return false;
    if (cell.front().isSpace() || cell.back().isSpace())
        return true;
    for (const QChar c : cell)
        if (c == separator || c == QLatin1Char('"') || c == QLatin1Char('\n')
            || c == QLatin1Char('\r'))
            return true;
    return false;
}

void AppendRecord(QString& out, const QStringList& cells, QChar separator)
{
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += separator;
        const QString& cell = cells.at(i);
        if (NeedsQuotes(cell, separator))
            out += QLatin1Char('"') + QString(cell).replace(QLatin1Char('"'), QStringLiteral("\"\""))
                + QLatin1Char('"');
        else
            out += cell;
    }
    out += QStringLiteral("\r\n");
}

QChar DetectSeparator(const QString& text)
{
    int comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == QLatin1Char('\n'))
            break;
        else if (c == QLatin1Char(','))
            ++comma;
        else if (c == QLatin1Char(';'))
            ++semicolon;
        else if (c == QLatin1Char('\t'))
            ++tab;
    }
    if (tab > comma && tab > semicolon)
        return QLatin1Char('\t');
    return semicolon > comma ? QLatin1Char(';') : QLatin1Char(',');
}

} // namespace

QString NeutralisedCell(const QString& text)
{
    static const QString leading = QStringLiteral("=+-@\t\r'");
    return !text.isEmpty() && leading.contains(text.front()) ? QLatin1Char('\'') + text : text;
}

QString RestoredCell(const QString& cell)
{
    if (cell.size() < 2 || cell.front() != QLatin1Char('\''))
        return cell;
    const QString rest = cell.mid(1);
    return NeutralisedCell(rest) == cell ? rest : cell;
}

QChar LocaleListSeparator(const QLocale& locale)
{
    return locale.decimalPoint() == QStringLiteral(",") ? QLatin1Char(';') : QLatin1Char(',');
}

QByteArray ScheduleCsv(const TData& data, QChar separator)
{
    QString text;
    AppendRecord(text, ScheduleHeadings(), separator);
    // A description a spreadsheet would take as a formula is written inert.
    for (const TScheduleCells& row : ScheduleRows(data)) {
        QStringList cells;
        for (const QString& cell : row)
            cells << NeutralisedCell(cell);
        AppendRecord(text, cells, separator);
    }
    return QByteArray(Utf8Bom) + text.toUtf8();
}

bool WriteScheduleCsv(const TData& data, const QString& path, QChar separator, QString* error)
{
    return WriteWholeFile(path, ScheduleCsv(data, separator), error);
}

bool WriteScheduleXlsx(const TData& data, const QString& path, QString* error)
{
    if (!CheckReplaceableFile(path, error))
        return false;
    // The library writes to a name of its own; the workbook is made beside the target and
    // renamed over it only once it is complete.
    QTemporaryFile staging(QFileInfo(path).absoluteDir().filePath(QStringLiteral(".schedule-XXXXXX")));
    if (!staging.open()) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(path, staging.errorString());
        return false;
    }
    const QByteArray stagingName = QFile::encodeName(staging.fileName());
    staging.close();

    lxw_workbook* book = workbook_new(stagingName.constData());
    lxw_worksheet* sheet = book ? workbook_add_worksheet(book, "Devices") : nullptr;
    if (!sheet) {
        if (book)
            workbook_close(book);
        if (error)
            *error = QStringLiteral("Cannot write %1: the workbook could not be made").arg(path);
        return false;
    }
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    const QStringList headings = ScheduleHeadings();
    for (int c = 0; c < headings.size(); ++c)
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), headings.at(c).toUtf8().constData(), bold);
    worksheet_freeze_panes(sheet, 1, 0);
    worksheet_set_column(sheet, sdType, sdType, 16, nullptr);
    worksheet_set_column(sheet, sdZone, sdGroupOrSet, 22, nullptr);
    worksheet_set_column(sheet, sdDescription, sdChannel3, 26, nullptr);
    worksheet_set_column(sheet, sdBaseSounder, sdBaseSounder, 14, nullptr);

    lxw_row_t r = 1;
    for (const TScheduleCells& row : ScheduleRows(data)) {
        for (int c = 0; c < sdColumnCount; ++c) {
            const QString& cell = row[static_cast<std::size_t>(c)];
            const auto col = static_cast<lxw_col_t>(c);
            if (cell.isEmpty())
                continue;
            if (c == sdLoop || c == sdAddress || c == sdTypeCode)
                worksheet_write_number(sheet, r, col, cell.toInt(), nullptr);
            else
                worksheet_write_string(sheet, r, col, cell.toUtf8().constData(), nullptr);
        }
        ++r;
    }
    const lxw_error result = workbook_close(book);
    if (result != LXW_NO_ERROR) {
        QFile::remove(staging.fileName());
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(path, QString::fromUtf8(lxw_strerror(result)));
        return false;
    }
    staging.setAutoRemove(false);
    GiveUsualPermissions(staging.fileName(), path);
    if (std::rename(stagingName.constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(staging.fileName());
        if (error)
            *error = QStringLiteral("Cannot write %1: the finished workbook could not take its name").arg(path);
        return false;
    }
    return true;
}

bool WriteSchedule(const TData& data, const QString& path, QChar separator, QString* error)
{
    if (path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
        return WriteScheduleXlsx(data, path, error);
    return WriteScheduleCsv(data, path, separator, error);
}

TCsvText ParseCsv(const QString& text, QChar separator)
{
    TCsvText result;
    qsizetype i = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    const qsizetype n = text.size();
    if (separator.isNull())
        separator = DetectSeparator(text.mid(i, 4096));

    int line = 1;
    TCsvRecord record{line, {}};
    QString cell;
    bool quoted = false;
    bool wasQuoted = false;
    int quoteLine = 0;
    auto endCell = [&] {
        record.Cells.append(cell);
        cell.clear();
        wasQuoted = false;
    };
    auto endRecord = [&] {
        endCell();
        // A blank line is no record.
        if (record.Cells.size() > 1 || !record.Cells.first().isEmpty())
            result.Records.append(record);
        record = TCsvRecord{line, {}};
    };
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                    cell += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                cell += c;
            }
        } else if (c == QLatin1Char('"') && cell.isEmpty() && !wasQuoted) {
            quoted = true;
            wasQuoted = true;
            quoteLine = line;
        } else if (c == separator) {
            endCell();
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            ++line;
            endRecord();
        } else {
            // A run of plain characters goes in at once.
            qsizetype end = i + 1;
            while (end < n) {
                const QChar e = text.at(end);
                if (e == separator || e == QLatin1Char('\n') || e == QLatin1Char('\r'))
                    break;
                ++end;
            }
            cell += QStringView(text).mid(i, end - i);
            i = end - 1;
        }
    }
    if (quoted) {
        result.Error = QStringLiteral("Line %1: a quote opened here is never closed").arg(quoteLine);
        result.Records.clear();
        return result;
    }
    if (!cell.isEmpty() || !record.Cells.isEmpty())
        endRecord();
    return result;
}
