#pragma once

class QAction;
class QMainWindow;
class QMenu;
class QSpinBox;
class QToolBar;

// The commands of the main window with their captions, hints, names and shortcuts, and the
// menus and toolbar that show them. The window connects them to what they do.
struct TMainActions {
    QAction* New = nullptr;
    QAction* Open = nullptr;
    QAction* Save = nullptr;
    QAction* SaveAs = nullptr;
    QAction* Print = nullptr;
    QAction* PrinterProperties = nullptr;
    QAction* ExportSchedule = nullptr;
    QAction* ImportSchedule = nullptr;
    QAction* Exit = nullptr;
    QAction* Undo = nullptr;
    QAction* Redo = nullptr;
    QAction* LoadAll = nullptr;
    QAction* SaveAll = nullptr;
    QAction* SaveChanges = nullptr;
    QAction* LoadPage = nullptr;
    QAction* SavePage = nullptr;
    QAction* ClearDisplay = nullptr;
    QAction* LoadLog = nullptr;
    QAction* SaveLog = nullptr;
    QAction* SelectPort = nullptr;
    QAction* Disconnect = nullptr;
    QAction* Apollo = nullptr;
    QAction* Hochiki = nullptr;
    QAction* Contents = nullptr;
    QAction* About = nullptr;

    QMenu* File = nullptr;
    QMenu* Edit = nullptr;
    // Where the recent files are listed in the File menu.
    QAction* RecentEnd = nullptr;
    QSpinBox* PanelNumber = nullptr;
};

// Builds the actions, the menu bar and the toolbar of window.
TMainActions BuildMainActions(QMainWindow& window);
