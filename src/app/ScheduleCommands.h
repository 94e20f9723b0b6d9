#pragma once

#include <QString>

#include <functional>

class QWidget;
class TData;
class TPrompts;
struct TMainActions;

// File ▸ "Export Device Schedule..." and "Import Device Schedule...": an import replaces
// devices, so it is refused while a panel operation runs (refused says why).
void ConnectScheduleCommands(const TMainActions& actions, QWidget& window, TData& data,
                             TPrompts& prompts, std::function<bool(const QString&)> refused);
