#include "app/MainActionStates.h"

#include <array>

namespace {

// One row per command, one letter per state in TWindowState order:
//   A available
//   T refused: a transfer runs and the command would change the document or the link
//   L refused: the document is being loaded and is not complete
//   U refused: nothing to save
//   D refused: a dialog is open (its own commands serve meanwhile)
//   P refused: Print Preview is open
struct TRow {
    TWindowCommand Command;
    const char* Name;
    const char* States;
};

constexpr std::array<TRow, WindowCommandCount> Rows{{
    {TWindowCommand::wcNew, "New", "AATTDP"},
    {TWindowCommand::wcOpen, "Open", "AATTDP"},
    {TWindowCommand::wcRecentFile, "Recent file", "AATTDP"},
    {TWindowCommand::wcSave, "Save", "UATTDP"},
    {TWindowCommand::wcSaveAs, "Save As", "AATTDP"},
    {TWindowCommand::wcExportSchedule, "Export Device Schedule", "AALADP"},
    {TWindowCommand::wcImportSchedule, "Import Device Schedule", "AATTDP"},
    {TWindowCommand::wcPrint, "Print", "AALADP"},
    {TWindowCommand::wcPrinterProperties, "Printer Properties", "AAAADP"},
    {TWindowCommand::wcExit, "Exit", "AAAADP"},
    {TWindowCommand::wcUndo, "Undo", "AATTDP"},
    {TWindowCommand::wcRedo, "Redo", "AATTDP"},
    {TWindowCommand::wcEditPage, "Editing a page", "AATTDP"},
    {TWindowCommand::wcLoadAll, "Load data from the Fire Panel", "AATTDP"},
    {TWindowCommand::wcSaveAll, "Save data to the Fire Panel", "AATTDP"},
    {TWindowCommand::wcSaveChanges, "Save Changes to the Fire Panel", "AATTDP"},
    {TWindowCommand::wcLoadPage, "Load page from the panel", "AATTDP"},
    {TWindowCommand::wcSavePage, "Save page to the panel", "AATTDP"},
    {TWindowCommand::wcPanelNumber, "Panel Number", "AATTDP"},
    {TWindowCommand::wcClearDisplay, "Clear Display", "AATTDP"},
    {TWindowCommand::wcLoadLog, "Load Log from Disk", "AATTDP"},
    {TWindowCommand::wcSaveLog, "Save Log to Disk", "AALADP"},
    {TWindowCommand::wcSelectPort, "Select Serial Port", "AATTDP"},
    {TWindowCommand::wcDisconnect, "Disconnect", "AATTDP"},
    {TWindowCommand::wcProtocol, "Apollo / Hochiki Protocol", "AATTDP"},
    {TWindowCommand::wcCheckConfiguration, "Check Configuration", "AALADP"},
    {TWindowCommand::wcCompareWithFile, "Compare with File", "AALADP"},
    {TWindowCommand::wcCompareWithPanel, "Compare with Panel", "AATTDP"},
    {TWindowCommand::wcRecordCommsLog, "Record Communications Log", "AATTDP"},
    {TWindowCommand::wcSaveChoices, "Verify / Keep a copy (save choices)", "AATTDP"},
    {TWindowCommand::wcContents, "Contents", "AAAADP"},
    {TWindowCommand::wcAbout, "About", "AAAADP"},
}};

constexpr bool RowsInOrder()
{
    for (int i = 0; i < WindowCommandCount; ++i)
        if (static_cast<int>(Rows[static_cast<size_t>(i)].Command) != i)
            return false;
    return true;
}
static_assert(RowsInOrder(), "one row per command, in the order of TWindowCommand");

QString Reason(char code)
{
    switch (code) {
    case 'T':
        return QStringLiteral("Not available while the panel operation runs: wait until it has "
                              "ended, or cancel it in the Status window.");
    case 'L':
        return QStringLiteral("Not available while the configuration is loaded from the panel: "
                              "it is not complete yet.");
    case 'U':
        return QStringLiteral("Nothing to save: the configuration has not changed.");
    case 'D':
        return QStringLiteral("Not available while a dialog is open: close it first.");
    case 'P':
        return QStringLiteral("Not available while Print Preview is open: close it first.");
    default:
        return QString();
    }
}

QString ShortReason(char code)
{
    switch (code) {
    case 'T': return QStringLiteral("no: transfer runs");
    case 'L': return QStringLiteral("no: still loading");
    case 'U': return QStringLiteral("no: unchanged");
    case 'D': return QStringLiteral("no: dialog open");
    case 'P': return QStringLiteral("no: preview open");
    default: return QStringLiteral("yes");
    }
}

} // namespace

TCommandAvailability CommandAvailability(TWindowCommand command, TWindowState state)
{
    const char code = Rows[static_cast<size_t>(command)].States[static_cast<int>(state)];
    return {code == 'A', Reason(code)};
}

QString CommandName(TWindowCommand command)
{
    return QString::fromLatin1(Rows[static_cast<size_t>(command)].Name);
}

QString WindowStateName(TWindowState state)
{
    static const std::array<const char*, WindowStateCount> names{
        "idle", "modified", "loading", "saving", "modal dialog", "preview"};
    return QString::fromLatin1(names[static_cast<size_t>(state)]);
}

QString CommandStatesTable()
{
    QString table = QStringLiteral("| command |");
    QString rule = QStringLiteral("|---|");
    for (int s = 0; s < WindowStateCount; ++s) {
        table += QLatin1Char(' ') + WindowStateName(static_cast<TWindowState>(s)) + QStringLiteral(" |");
        rule += QStringLiteral("---|");
    }
    table += QLatin1Char('\n') + rule + QLatin1Char('\n');
    for (const TRow& row : Rows) {
        table += QStringLiteral("| ") + QString::fromLatin1(row.Name) + QStringLiteral(" |");
        for (int s = 0; s < WindowStateCount; ++s) {
            table += QLatin1Char(' ') + ShortReason(row.States[s]) + QStringLiteral(" |");
        }
        table += QLatin1Char('\n');
    }
    return table;
}
