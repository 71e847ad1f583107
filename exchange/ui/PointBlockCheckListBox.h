#pragma once

#include "exchange/PointBlockDefinition.h"
#include "framework/ui/CheckListBox.h"

// The check list that edits a point-block definition in the two DXF dialogs: one row per item in
// attribute order, the item's kind as the row's data (Blank rows carry BlankItemData), rows
// dragged up and down and ticked.
class CPointBlockCheckListBox : public CEasyCheckListWithBlankBox
{
public:
    // blankLabel: Blank rows read "{Blank}" (export) or "{Ignore}" (import).
    CPointBlockCheckListBox(wxWindow* parent, wxWindowID id, bool blankLabel = true);

    void SetDefinition(const CPointBlockDefinition& definition);
    void SetDefinitionText(const std::string& text);
    // Rebuilt from the rows, top to bottom.
    const CPointBlockDefinition& GetDefinition();

    static wxString GetKindText(uint32_t kind, bool blankLabel);

private:
    void FillRows();

    CPointBlockDefinition m_definition;
    bool m_blankLabel;
};
