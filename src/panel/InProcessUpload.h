#pragma once

#include <QString>

#include <memory>

class TData;
class TPanelEndpoint;

// Saves the whole configuration (Save All, confirmed, maintenance date included) to a panel joined in memory, and runs
// the event loop until it ends. False with the user's message in error when it did not
// complete. Used to fill the emulated panel from a configuration file.
bool UploadInProcess(TData& data, const std::shared_ptr<TPanelEndpoint>& panel, QString* error);
