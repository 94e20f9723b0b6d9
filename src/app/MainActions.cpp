#include "app/MainActions.h"

#include "editors/site/Captions.h"
#include "model/SiteConfig.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {

QAction* MakeAction(QObject* parent, const QString& caption, const QString& hint,
                    const QString& name)
{
    auto* action = new QAction(caption, parent);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    return action;
}

// A toolbar button named as the program names it, with its hint as its accessible name.
QToolButton* ToolButton(QToolBar* bar, QAction* action, const QString& name, bool textOnly)
{
    bar->addAction(action);
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    button->setObjectName(name);
    button->setAccessibleName(textOnly ? PlainCaption(action->text()) : action->toolTip());
    if (textOnly)
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

void CreateActions(QMainWindow& w, TMainActions& a)
{
    QStyle* s = w.style();
    a.New = MakeAction(&w, QStringLiteral("&New"), QStringLiteral("New"), QStringLiteral("actNew"));
    a.New->setIcon(s->standardIcon(QStyle::SP_FileIcon));
    a.New->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    a.Open = MakeAction(&w, QStringLiteral("&Open..."), QStringLiteral("Open"), QStringLiteral("actOpen"));
    a.Open->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    a.Open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    a.Save = MakeAction(&w, QStringLiteral("&Save"), QStringLiteral("Save"), QStringLiteral("actSave"));
    a.Save->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    a.Save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    a.SaveAs = MakeAction(&w, QStringLiteral("Save &As..."), QStringLiteral("Save as"), QStringLiteral("actSaveAs"));
    a.SaveAs->setIcon(s->standardIcon(QStyle::SP_DriveFDIcon));
    a.Print = MakeAction(&w, QStringLiteral("&Print"), QStringLiteral("Print Setup"), QStringLiteral("actPrint"));
    a.Print->setIcon(QIcon::fromTheme(QStringLiteral("document-print"),
                                      s->standardIcon(QStyle::SP_FileDialogDetailedView)));
    a.Print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    a.PrinterProperties = MakeAction(&w, QStringLiteral("Printer P&roperties"),
                                     QStringLiteral("Printer Properties"),
                                     QStringLiteral("actPrinterProperties"));
    a.ExportSchedule = MakeAction(&w, QStringLiteral("&Export Device Schedule..."),
                                  QStringLiteral("Export Device Schedule"),
                                  QStringLiteral("actExportSchedule"));
    a.ImportSchedule = MakeAction(&w, QStringLiteral("&Import Device Schedule..."),
                                  QStringLiteral("Import Device Schedule"),
                                  QStringLiteral("actImportSchedule"));
    a.Exit = MakeAction(&w, QStringLiteral("E&xit"), QStringLiteral("Exit"), QStringLiteral("actExit"));

    a.Undo = new QAction(&w);
    a.Undo->setObjectName(QStringLiteral("actUndo"));
    a.Undo->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo"), s->standardIcon(QStyle::SP_ArrowBack)));
    a.Undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    a.Redo = new QAction(&w);
    a.Redo->setObjectName(QStringLiteral("actRedo"));
    a.Redo->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"), s->standardIcon(QStyle::SP_ArrowForward)));
    a.Redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

    a.LoadAll = MakeAction(&w, QStringLiteral("&Load data from the Fire Panel"),
                           QStringLiteral("Load data from the Fire Panel"),
                           QStringLiteral("actLoadAllFromPanel"));
    a.LoadAll->setIcon(s->standardIcon(QStyle::SP_ArrowDown));
    a.SaveAll = MakeAction(&w, QStringLiteral("&Save data to the Fire Panel"),
                           QStringLiteral("Save data to the Fire Panel"),
                           QStringLiteral("actSaveAllToPanel"));
    a.SaveAll->setIcon(s->standardIcon(QStyle::SP_ArrowUp));
    a.SaveChanges = MakeAction(&w, QStringLiteral("Save &Changes to the Fire Panel"),
                               QStringLiteral("Save Changes to the Fire Panel"),
                               QStringLiteral("actSaveChangesToPanel"));
    a.SaveChanges->setIcon(s->standardIcon(QStyle::SP_DialogApplyButton));
    a.LoadPage = MakeAction(&w, QString(), QString(), QStringLiteral("actLoadFromPanel"));
    a.SavePage = MakeAction(&w, QString(), QString(), QStringLiteral("actSavetoPanel"));
    a.ClearDisplay = MakeAction(&w, QStringLiteral("Clear Display"), QStringLiteral("Clear Display"),
                                QStringLiteral("actClearDisplay"));
    a.LoadLog = MakeAction(&w, QStringLiteral("Load Log from Disk"), QStringLiteral("Load Log from Disk"),
                           QStringLiteral("actLoadLog"));
    a.SaveLog = MakeAction(&w, QStringLiteral("Save Log to Disk"), QStringLiteral("Save Log to Disk"),
                           QStringLiteral("actSaveLog"));
    a.SelectPort = MakeAction(&w, QStringLiteral("Select Serial &Port"),
                              QStringLiteral("Select Serial Port"), QStringLiteral("actSelectPort"));
    a.Disconnect = MakeAction(&w, QStringLiteral("&Disconnect"), QStringLiteral("Disconnect"),
                              QStringLiteral("actDisconnect"));
    a.Disconnect->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));

    // System Sensor and Nittan configurations (from a file or the panel) check neither.
    auto* protocols = new QActionGroup(&w);
    protocols->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    a.Apollo = MakeAction(protocols, QStringLiteral("&Apollo Protocol"), QStringLiteral("Apollo Protocol"),
                          QStringLiteral("actApolloProtocol"));
    a.Hochiki = MakeAction(protocols, QStringLiteral("Hochiki Protocol"), QStringLiteral("Hochiki Protocol"),
                           QStringLiteral("actHochikiProtocol"));
    for (QAction* p : {a.Apollo, a.Hochiki})
        p->setCheckable(true);

    a.Contents = MakeAction(&w, QStringLiteral("&Contents"), QStringLiteral("Contents"),
                            QStringLiteral("actContents"));
    a.Contents->setShortcut(QKeySequence(Qt::Key_F1));
    a.About = MakeAction(&w, QStringLiteral("&About..."), QStringLiteral("About"), QStringLiteral("actAbout"));
}

void CreateMenus(QMainWindow& w, TMainActions& a)
{
    QMenu* file = w.menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    file->addActions({a.New, a.Open, a.Save, a.SaveAs});
    file->addSeparator();
    file->addActions({a.ExportSchedule, a.ImportSchedule});
    file->addSeparator();
    file->addActions({a.Print, a.PrinterProperties});
    file->addSeparator();
    a.File = file;
    a.RecentEnd = file->addSeparator();
    a.RecentEnd->setVisible(false);
    file->addAction(a.Exit);

    a.Edit = w.menuBar()->addMenu(QStringLiteral("&Edit"));
    a.Edit->setObjectName(QStringLiteral("mnuEdit"));
    a.Edit->addActions({a.Undo, a.Redo});

    QMenu* panel = w.menuBar()->addMenu(QStringLiteral("P&anel"));
    panel->setObjectName(QStringLiteral("mnuPanel"));
    panel->addActions({a.LoadAll, a.SaveAll, a.SaveChanges, a.LoadPage, a.SavePage});
    panel->addSeparator();
    panel->addActions({a.ClearDisplay, a.LoadLog, a.SaveLog});
    panel->addSeparator();
    panel->addActions({a.SelectPort, a.Disconnect});

    QMenu* protocol = w.menuBar()->addMenu(QStringLiteral("P&rotocol"));
    protocol->setObjectName(QStringLiteral("mnuProtocol"));
    protocol->addActions({a.Apollo, a.Hochiki});

    QMenu* help = w.menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->addActions({a.Contents, a.About});
}

void CreateToolbar(QMainWindow& w, TMainActions& a)
{
    QToolBar* bar = w.addToolBar(QStringLiteral("Commands"));
    bar->setObjectName(QStringLiteral("tbrMain"));
    bar->setMovable(false);
    ToolButton(bar, a.New, QStringLiteral("btnNew"), false);
    ToolButton(bar, a.Open, QStringLiteral("btnOpen"), false);
    ToolButton(bar, a.Save, QStringLiteral("btnSave"), false);
    ToolButton(bar, a.SaveAs, QStringLiteral("btnSaveAs"), false);
    ToolButton(bar, a.Print, QStringLiteral("btnPrint"), false);
    bar->addSeparator();
    for (QAction* u : {a.Undo, a.Redo}) {
        bar->addAction(u);
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(u));
        button->setObjectName(u == a.Undo ? QStringLiteral("btnUndo") : QStringLiteral("btnRedo"));
        button->setAccessibleName(u == a.Undo ? QStringLiteral("Undo") : QStringLiteral("Redo"));
    }
    bar->addSeparator();
    ToolButton(bar, a.LoadAll, QStringLiteral("btnLoadAllFromPanel"), false);
    ToolButton(bar, a.SaveAll, QStringLiteral("btnSaveAllToPanel"), false);
    ToolButton(bar, a.SaveChanges, QStringLiteral("btnSaveChangesToPanel"), false);
    ToolButton(bar, a.LoadPage, QStringLiteral("btnLoadFromPanel"), true);
    ToolButton(bar, a.SavePage, QStringLiteral("btnSavetoPanel"), true);
    bar->addSeparator();

    auto* number = new QWidget(bar);
    auto* lblPanel = new QLabel(QStringLiteral("Panel\n&Number"), number);
    lblPanel->setObjectName(QStringLiteral("lblPanelNumber"));
    a.PanelNumber = new QSpinBox(number);
    a.PanelNumber->setObjectName(QStringLiteral("spnPanelNumber"));
    a.PanelNumber->setAccessibleName(QStringLiteral("Panel Number"));
    a.PanelNumber->setRange(1, MaxNetworkPanels);
    lblPanel->setBuddy(a.PanelNumber);
    auto* numberLayout = new QHBoxLayout(number);
    numberLayout->setContentsMargins(4, 0, 4, 0);
    numberLayout->addWidget(lblPanel);
    numberLayout->addWidget(a.PanelNumber);
    bar->addWidget(number);
    bar->addSeparator();

    ToolButton(bar, a.ClearDisplay, QStringLiteral("btnClearDisplay"), true);
    ToolButton(bar, a.LoadLog, QStringLiteral("btnLoadLog"), true);
    ToolButton(bar, a.SaveLog, QStringLiteral("btnSaveLog"), true);
}

} // namespace

TMainActions BuildMainActions(QMainWindow& window)
{
    TMainActions actions;
    CreateActions(window, actions);
    CreateMenus(window, actions);
    CreateToolbar(window, actions);
    return actions;
}
