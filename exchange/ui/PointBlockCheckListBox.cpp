#include "exchange/ui/PointBlockCheckListBox.h"

CPointBlockCheckListBox::CPointBlockCheckListBox(wxWindow* parent, wxWindowID id, bool blankLabel)
    : CEasyCheckListWithBlankBox(parent, id, DragToReorder), m_blankLabel(blankLabel)
{
    FillRows();
}

wxString CPointBlockCheckListBox::GetKindText(uint32_t kind, bool blankLabel)
{
    switch (kind) {
    case PointBlockName: return "Name";
    case PointBlockDescription: return "Description";
    case PointBlockElevation: return "Elevation";
    default: return blankLabel ? "{Blank}" : "{Ignore}";
    }
}

void CPointBlockCheckListBox::SetDefinition(const CPointBlockDefinition& definition)
{
    m_definition = definition;
    FillRows();
}

void CPointBlockCheckListBox::SetDefinitionText(const std::string& text)
{
    CPointBlockDefinition definition;
    definition.FromText(text);
    SetDefinition(definition);
}

void CPointBlockCheckListBox::FillRows()
{
    Clear();
    for (const CPointBlockItem& item : m_definition.GetItems()) {
        const uintptr_t data = item.kind == PointBlockBlank ? BlankItemData : item.kind;
        const unsigned row = unsigned(Append(GetKindText(item.kind, m_blankLabel), reinterpret_cast<void*>(data)));
        Check(row, item.checked);
    }
}

const CPointBlockDefinition& CPointBlockCheckListBox::GetDefinition()
{
    m_definition.RemoveAll();
    for (unsigned row = 0; row < GetCount(); ++row) {
        const auto data = reinterpret_cast<uintptr_t>(GetClientData(row));
        // Anything but the three named kinds reads back as Blank, whatever label it shows.
        const uint32_t kind = data <= PointBlockElevation ? uint32_t(data) : PointBlockBlank;
        m_definition.Append(kind, IsChecked(row));
    }
    return m_definition;
}
