#pragma once

#include <cstdint>
#include <vector>

// Menu commands that open a command panel on the side bar: each command names the panel's
// template. The table holds the rows; which template can actually be built is the window layer's
// business (shell/ui/PanelFactories.h), and a command whose panel cannot be built is disabled.
struct PanelCommandRow
{
    int command = 0;
    uint32_t templateId = 0;
};

class CPanelCommandTable
{
public:
    // A second row for a command replaces the first, so a late registration wins.
    void Add(int command, uint32_t templateId);
    // The template the command opens; 0 when the command is not a panel command.
    uint32_t FindTemplate(int command) const;
    const std::vector<PanelCommandRow>& Rows() const { return m_rows; }

private:
    std::vector<PanelCommandRow> m_rows;
};

// The program's one table.
CPanelCommandTable& GetPanelCommandTable();

// Templates of the panels the main frame's own commands open.
inline constexpr uint32_t NewJobTemplate = 725;
inline constexpr uint32_t ExportDxfTemplate = 5371;
inline constexpr uint32_t DeletePointsTemplate = 5349;
inline constexpr uint32_t ExportAsciiTemplate = 5453;
inline constexpr uint32_t ExportLandXmlTemplate = 654;
inline constexpr uint32_t AddPointTemplate = 1745;
inline constexpr uint32_t EditPointsTemplate = 303;
inline constexpr uint32_t PointsTo3dTemplate = 6993;
inline constexpr uint32_t AdjustmentsTemplate = 5493;
inline constexpr uint32_t RenumberPointsTemplate = 5600;
inline constexpr uint32_t InverseTemplate = 5396;
inline constexpr uint32_t PointInDirectionTemplate = 126;
inline constexpr uint32_t IntersectionTemplate = 124;

