#pragma once

#include "exchange/AsciiColumnLayout.h"
#include "framework/ui/StackableDialog.h"
#include "model/SelectionDescription.h"

class CEasyCheckListBox;
class CGeneralSelectionChip;
class wxRadioButton;

// The "Export ASCII Coordinates" side-bar panel: the selected points, one line each, in the
// column layout and delimiter the ASCII import shares. The layout is stored after every export.
class CExportAscii : public CStackableDialog
{
public:
    static constexpr uint32_t TemplateId = 5453;
    static constexpr int IdChip = 1000;
    static constexpr int IdColumns = 2169;
    static constexpr int IdCommas = 2165;
    static constexpr int IdTabs = 2166;
    static constexpr int IdSpaces = 2164;
    static constexpr int IdExport = 1827;

    CExportAscii();

    void OnExport();
    CEasyCheckListBox* GetColumnList() const { return m_columns; }
    CAsciiColumnLayout GetLayoutFromList() const;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    CSelectionDescription m_points;
    CGeneralSelectionChip* m_chip = nullptr;
    CEasyCheckListBox* m_columns = nullptr;
    wxRadioButton* m_delimiters[3] = {};
    int32_t m_delimiterCode = 0;
};
