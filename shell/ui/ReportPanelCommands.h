#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class CStackableDialog;

// Rows of the panel command table: a command pushes a new panel of its template onto the side bar.
struct PanelCommandRow
{
    int command;
    uint32_t templateId;
    std::function<CStackableDialog*()> create;
};

// The report rows (Coordinate Report 7389 → 6999, Cut Sheet Report 7384 → 721), and any row the
// transfer panels (7312 → 5631, 7315 → 749) add until they join the table.
std::vector<PanelCommandRow>& ReportPanelCommandRows();
// Null when no row names the command.
const PanelCommandRow* FindPanelCommandRow(int command);
