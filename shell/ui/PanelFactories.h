#pragma once

#include "framework/ui/PanelRegistry.h"

#include <cstdint>

// The command rows of the panels that menu commands push onto the side bar. A panel class
// registers its factory under its template (framework/ui/PanelRegistry.h); a command row
// (shell/PanelCommandTable.h) names the template.
//
// To add a panel command, append one line to RegisterStandardPanelCommands in PanelFactories.cpp:
//     RegisterPanelCommand(IdMyCommand, MyTemplate, [] { return new CMyPanel(); });
// The main frame binds every row: the command pushes a new panel, and is enabled while a job view
// is active and the template has a factory.

// Adds (or replaces) the row and, when given, the template's factory.
void RegisterPanelCommand(int command, uint32_t templateId, PanelFactory factory = {});
// The program's own rows; runs once, however often it is called.
void RegisterStandardPanelCommands();
