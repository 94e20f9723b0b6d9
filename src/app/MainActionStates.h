#pragma once

#include <QString>

// The states of the main window that decide which commands it offers.
enum class TWindowState {
    wsIdle,     // a configuration as opened or saved
    wsModified, // unsaved edits
    wsLoading,  // a transfer reads from the panel into the document
    wsSaving,   // a transfer writes the document to the panel
    wsModal,    // a dialog or message box is open over the window
    wsPreview,  // Print Preview is open
};
constexpr int WindowStateCount = 6;

// Every command the user reaches through a menu entry, a toolbar button, a shortcut or a
// control of the window itself.
enum class TWindowCommand {
    wcNew, wcOpen, wcRecentFile, wcSave, wcSaveAs, wcExportSchedule, wcImportSchedule,
    wcPrint, wcPrinterProperties, wcExit,
    wcUndo, wcRedo, wcEditPage,
    wcLoadAll, wcSaveAll, wcSaveChanges, wcLoadPage, wcSavePage, wcPanelNumber,
    wcClearDisplay, wcLoadLog, wcSaveLog, wcSelectPort, wcDisconnect,
    wcProtocol,
    wcCheckConfiguration, wcCompareWithFile, wcCompareWithPanel, wcRecordCommsLog,
    wcSaveChoices,
    wcContents, wcAbout,
};
constexpr int WindowCommandCount = static_cast<int>(TWindowCommand::wcAbout) + 1;

// Whether a command is available in a state; when not, the reason the status bar shows.
struct TCommandAvailability {
    bool Available = true;
    QString Reason;
};

TCommandAvailability CommandAvailability(TWindowCommand command, TWindowState state);
// The command as the user knows it ("Save", "Panel Number").
QString CommandName(TWindowCommand command);
QString WindowStateName(TWindowState state);
// The whole table as Markdown, one row per command, one column per state.
QString CommandStatesTable();
