#pragma once

#include "framework/AcceleratorChain.h"

#include <vector>

// The main window's key list: every key that reaches a command from anywhere in the window,
// the job map's tool keys included. Commands are the wx ids of shell/CommandIds.h.
const std::vector<AccelEntry>& GetFrameAccelerators();
