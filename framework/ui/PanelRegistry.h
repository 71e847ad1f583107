#pragma once

#include <cstdint>
#include <functional>

class CStackableDialog;

// The factories of the command panels, by template: a panel class registers its factory, and the
// commands that push panels (the shell's command rows) build them from here.
using PanelFactory = std::function<CStackableDialog*()>;

// Adds or replaces the template's factory.
void RegisterPanelFactory(uint32_t templateId, PanelFactory factory);
bool CanCreatePanel(uint32_t templateId);
// A new panel of the template; null when none can be built.
CStackableDialog* CreatePanel(uint32_t templateId);
