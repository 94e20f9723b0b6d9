#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

class TData;

// The list separator a spreadsheet program of this locale expects in CSV: ';' where the
// decimal point is a comma, ',' elsewhere.
QChar LocaleListSeparator(const QLocale& locale = QLocale());

// The schedule as CSV: UTF-8 with a byte-order mark (so a spreadsheet program reads it as
// UTF-8), a heading row, CRLF line ends; a cell is quoted when it holds the separator, a
// quote, a line break or a leading or trailing blank.
QByteArray ScheduleCsv(const TData& data, QChar separator);

// Writes the schedule to path: XLSX when the name ends in ".xlsx", CSV otherwise. The file
// is replaced only once it is completely written; false with the reason in error.
bool WriteSchedule(const TData& data, const QString& path, QChar separator, QString* error);
bool WriteScheduleCsv(const TData& data, const QString& path, QChar separator, QString* error);
bool WriteScheduleXlsx(const TData& data, const QString& path, QString* error);

// A spreadsheet takes a cell that starts with '=', '+', '-', '@', a tab or a carriage return
// as a formula: such a text (and one that already starts with an apostrophe) is written with
// a leading apostrophe, and RestoredCell removes exactly that again.
QString NeutralisedCell(const QString& text);
QString RestoredCell(const QString& cell);

// One record of a CSV text with the line it starts on (1 = the first line).
struct TCsvRecord {
    int Line = 0;
    QStringList Cells;
};

struct TCsvText {
    QList<TCsvRecord> Records;
    // Empty, or why the text is not CSV (a quote never closed), naming the line.
    QString Error;
};

// Reads CSV text (a leading byte-order mark is skipped). A null separator is found from the
// first line: the most frequent of ',', ';' and tab outside quotes.
TCsvText ParseCsv(const QString& text, QChar separator = QChar());
