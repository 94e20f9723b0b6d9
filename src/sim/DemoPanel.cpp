#include "sim/DemoPanel.h"

#include "comms/SerialDeviceFactory.h"

std::shared_ptr<TPanelEmulator> RegisterDemoPanel(std::shared_ptr<TPanelEmulator> emulator)
{
    SetDemoPanelFactory([emulator]() -> std::shared_ptr<TPanelEndpoint> { return emulator; });
    return emulator;
}
