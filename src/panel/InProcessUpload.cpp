#include "panel/InProcessUpload.h"

#include "comms/MemorySerialDevice.h"
#include "comms/ZOLPanelComms.h"
#include "model/Data.h"
#include "panel/PanelLink.h"
#include "panel/TransferProgress.h"
#include "panel/TransferRunner.h"
#include "panel/TransferSequencer.h"
#include "storage/Prompts.h"

namespace {

// Confirms every question and keeps the last message.
class TConfirmingPrompts : public TPrompts {
public:
    QString Last;
    void information(const QString& text, const QString&) override { Last = text; }
    void warning(const QString& text, const QString&) override { Last = text; }
    void error(const QString& text, const QString&) override { Last = text; }
    TPromptAnswer confirm(const QString&, TPromptButtons buttons, TPromptKind) override
    {
        return buttons == TPromptButtons::pbAbortRetry ? TPromptAnswer::paAbort
                                                       : TPromptAnswer::paYes;
    }
    void beep() override {}
};

class THiddenProgress : public TTransferProgress {
public:
    void SetStatus(const QString&) override {}
    void SetPosition(int position) override { position_ = position; }
    void SetMaximum(int maximum) override { maximum_ = maximum; }
    int Position() const override { return position_; }
    int Maximum() const override { return maximum_; }
    void SetCancelVisible(bool) override {}
    void Show() override {}
    void Hide() override {}
    void Close() override {}

private:
    int position_ = 0;
    int maximum_ = 100;
};

} // namespace

bool UploadInProcess(TData& data, const std::shared_ptr<TPanelEndpoint>& panel, QString* error)
{
    TZOLPanelComms comms;
    ApplyPanelLinkSettings(comms);
    comms.Port().SetDevice(std::make_unique<TMemorySerialDevice>(panel));
    TConfirmingPrompts prompts;
    THiddenProgress progress;
    TTransferSequencer sequencer(data, comms, prompts, progress, {});
    // The panel is to hold the whole configuration, its maintenance date included.
    data.SendMaintenanceDate = true;

    const bool completed =
        TTransferRunner::Run(sequencer, [&] { return sequencer.SaveAll(); }).Completed();
    comms.Close();
    if (!completed && error)
        *error = prompts.Last.isEmpty() ? QStringLiteral("the save did not start") : prompts.Last;
    return completed;
}
