#include "app/ProtocolCommands.h"

#include "app/PageHost.h"
#include "model/Data.h"
#include "storage/Prompts.h"

#include <QAction>

TProtocolCommands::TProtocolCommands(TData& data, TPrompts& prompts, TPageHost& host,
                                     QAction& apollo, QAction& hochiki,
                                     std::function<bool(const QString&)> refusedWhileBusy)
    : QObject(&host), data_(data), prompts_(prompts), host_(host), apollo_(apollo),
      hochiki_(hochiki), refusedWhileBusy_(std::move(refusedWhileBusy))
{
    connect(&apollo_, &QAction::triggered, this, [this] { Switch(stApolloLoop); });
    connect(&hochiki_, &QAction::triggered, this, [this] { Switch(stHochikiLoop); });
}

bool TProtocolCommands::Switch(TSystemType type)
{
    // A refused or declined switch leaves the checked entry where the document is.
    if (refusedWhileBusy_(QStringLiteral("The protocol switch"))
        || prompts_.confirm(SwitchProtocolQuestion(type), TPromptButtons::pbYesNo,
                            TPromptKind::pkDestructive)
            != TPromptAnswer::paYes) {
        Follow();
        return false;
    }
    data_.SwitchProtocol(type);
    Apply();
    emit Switched();
    return true;
}

void TProtocolCommands::Follow()
{
    apollo_.setChecked(data_.SystemType() == stApolloLoop);
    hochiki_.setChecked(data_.SystemType() == stHochikiLoop);
    if (shown_ == data_.SystemType())
        return;
    shown_ = data_.SystemType();
    host_.ApplyProtocol();
}

void TProtocolCommands::Apply()
{
    const TPanelPage active = host_.ActivePage();
    shown_ = data_.SystemType();
    host_.ApplyProtocol();
    data_.ResetToNew();
    Follow();
    host_.SetActivePage(active);
}
