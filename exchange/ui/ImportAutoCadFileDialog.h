#pragma once

#include "exchange/ImportOptionsGroup.h"
#include "exchange/ui/ImportFileDialog.h"

class CPointBlockCheckListBox;
class wxStaticText;

// File/Import AutoCAD: whether point blocks become points (else POINT entities), whether a
// custom point-block definition reads their attributes and which, and the drawing's distance
// unit, besides the shared group. A file that cannot be opened or is a binary DXF is refused.
class CImportAutoCadFileDialog : public CImportFileDialog
{
public:
    static constexpr int IdImportPointBlocks = 1026;
    static constexpr int IdUseCustom = 1021;
    static constexpr int IdDefinition = 2169;
    static constexpr int IdDragHint = 2381;

    CImportAutoCadFileDialog();

    void PreviewRenaming(const std::string& file) override;
    void OnImportPointBlocks();
    void OnUseCustomDefinition();

    // After Import: the choice as the import takes it (the definition empty unless custom).
    const CDxfImportOptions& GetDxfOptions() const { return m_dxf; }
    int32_t GetDistanceUnit() const { return m_distanceUnit; }
    CPointBlockCheckListBox* GetDefinitionList() const { return m_list; }

protected:
    void BuildOwnControls(wxBoxSizer* sizer) override;
    bool OnInitDialog() override;
    bool OnFileNameOK() override;
    void UpdateControls() override;

private:
    CDxfImportOptions m_dxf;
    int32_t m_distanceUnit = 0;
    wxCheckBox* m_pointBlocks = nullptr;
    wxCheckBox* m_useCustom = nullptr;
    CPointBlockCheckListBox* m_list = nullptr;
    wxStaticText* m_hint = nullptr;
};
