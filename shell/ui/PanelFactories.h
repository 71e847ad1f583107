#pragma once

#include <cstdint>
#include <functional>

class CStackableDialog;

// Builds the command panels that menu commands push onto the side bar. A panel class registers
// its factory under its template; a command row (shell/PanelCommandTable.h) names the template.
//
// To add a panel command, append one line to RegisterStandardPanelCommands in PanelFactories.cpp:
//     RegisterPanelCommand(IdMyCommand, MyTemplate, [] { return new CMyPanel(); });
// The main frame binds every row: the command pushes a new panel, and is enabled while a job view
// is active and the template has a factory.
using PanelFactory = std::function<CStackableDialog*()>;

// Adds (or replaces) the row and, when given, the template's factory.
void RegisterPanelCommand(int command, uint32_t templateId, PanelFactory factory = {});
void RegisterPanelFactory(uint32_t templateId, PanelFactory factory);
bool CanCreatePanel(uint32_t templateId);
// A new panel of the template; null when none can be built.
CStackableDialog* CreatePanel(uint32_t templateId);
// The program's own rows; runs once, however often it is called.
void RegisterStandardPanelCommands();
