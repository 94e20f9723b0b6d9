#pragma once

#include "editors/common/EditorContext.h"
#include "panel/PanelPages.h"

#include <QWidget>

class TData;
class TPrompts;

// One tab of the main window. Refresh() loads every control from the document; an edit
// writes its value into the document at once inside a scoped edit that names the parts it
// touches and what undo calls it:
//     TDocEdit edit(Data(), dpZones, QStringLiteral("Zone 3 name"));
// A page keeps no copy of configuration values, never writes the document while showing it,
// and builds its controls once, so a refresh only sets values.
class TPage : public QWidget {
    Q_OBJECT

public:
    TPage(TEditorContext& context, TPanelPage page, int helpContext, QWidget* parent = nullptr);

    TPanelPage PanelPage() const { return page_; }
    int HelpContext() const { return helpContext_; }

    // Loads every control from the document.
    virtual void Refresh() {}
    // The page's own part of the main window's page-change step (toolbar rebuild, grid
    // re-lay...), run when the page becomes active and after a panel-number change.
    virtual void PageActivated() {}
    // After a protocol switch (toolbar, tone lists, captions that follow the protocol).
    virtual void ProtocolApplied() {}
    // After the document's LoopCount changed (loop choices, hidden loop 2).
    virtual void LoopCountChanged() {}

protected:
    // The undo label of an edit made with control: its accessible name without a colon.
    static QString EditLabel(const QWidget* control);
    TData& Data() const { return context_.Data; }
    TPrompts& Prompts() const { return context_.Prompts; }
    TEditorContext& Context() const { return context_; }

private:
    TEditorContext& context_;
    TPanelPage page_;
    int helpContext_;
};
