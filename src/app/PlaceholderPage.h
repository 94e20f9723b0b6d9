#pragma once

#include "editors/common/Page.h"

// Stands in the tab of a page that is not built yet: its caption and one line saying what it
// will hold. No controls, so nothing can be mistaken for a working editor.
class TPlaceholderPage : public TPage {
    Q_OBJECT

public:
    TPlaceholderPage(TEditorContext& context, TPanelPage page, int helpContext,
                     const QString& caption, const QString& purpose, QWidget* parent = nullptr);
};
