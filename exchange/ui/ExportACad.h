#pragma once

#include "exchange/ImportOptionsGroup.h"
#include "framework/ui/StackableDialog.h"
#include "model/SelectionDescription.h"

class CGeneralSelectionChip;
class CHorizontalDistanceControl;
class CPointBlockCheckListBox;
class wxCheckBox;

// The "Export AutoCAD" side-bar panel: the selected points as plain DXF points or as point blocks
// with the attributes the definition lists, text height and spacing in the job's unit. It stays
// open after an export.
class CExportACad : public CStackableDialog
{
public:
    static constexpr uint32_t TemplateId = 5371;
    static constexpr int IdChip = 1585;
    static constexpr int IdTextHeight = 1382;
    static constexpr int IdVerticalSpacing = 1907;
    static constexpr int IdTextHeightUnit = 6928;
    static constexpr int IdVerticalSpacingUnit = 6929;
    static constexpr int IdDefinition = 2169;
    static constexpr int IdExportPointBlocks = 1060;

    CExportACad();

    // "Export...": validates, stores the settings, asks for the file, then writes it.
    void OnOK() override;
    void OnExportPointBlocks();

    const CDxfExportSettings& GetSettings() const { return m_settings; }
    CPointBlockCheckListBox* GetDefinitionList() const { return m_list; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void UpdateControls();

    CDxfExportSettings m_settings;
    CSelectionDescription m_points;
    CGeneralSelectionChip* m_chip = nullptr;
    CHorizontalDistanceControl* m_height = nullptr;
    CHorizontalDistanceControl* m_spacing = nullptr;
    CPointBlockCheckListBox* m_list = nullptr;
    wxCheckBox* m_pointBlocks = nullptr;
};
