#pragma once

#include "sim/PanelEmulator.h"

#include <memory>

// Makes the port name "demo" open an in-memory line to this emulator (one panel for the whole
// run, so what is saved to it can be loaded back). Returns the emulator.
std::shared_ptr<TPanelEmulator> RegisterDemoPanel(
    std::shared_ptr<TPanelEmulator> emulator = std::make_shared<TPanelEmulator>());
