#include "transfer/ui/TransferPreferenceControls.h"

#include "core/DataExchange.h"
#include "framework/ui/ModalDialog.h"
#include "framework/ui/WindowHelpers.h"
#include "transfer/serial/TransferControls.h"

CComPortComboBox::CComPortComboBox(wxWindow* parent, wxWindowID id) : wxChoice(parent, id)
{
    for (int32_t port = 1; port <= ComPortEntryCount; ++port)
        Append(ToWx(FormatComPortEntry(port)));
}

void DDX_ComPort(CDataExchange* dx, CComPortComboBox& control, int32_t& port)
{
    if (dx->m_bSaveAndValidate) {
        const int i = control.GetSelection();
        port = i == wxNOT_FOUND ? -1 : ComPortFromEntryText(FromWx(control.GetString(unsigned(i))));
    } else {
        control.SetSelection(FindComPortEntry(port));
    }
}

CBaudControl::CBaudControl(wxWindow* parent, wxWindowID id) : wxChoice(parent, id)
{
    for (int32_t rate : BaudRates)
        Append(ToWx(FormatBaudEntry(rate)));
}

int32_t CBaudControl::GetRate() const { return ::GetRate(GetSelection()); }

void CBaudControl::SelectRate(int32_t rate) { SetSelection(::SelectRate(rate)); }

void DDX_Baud(CDataExchange* dx, CBaudControl& control, int32_t& rate)
{
    if (dx->m_bSaveAndValidate)
        rate = control.GetRate();
    else
        control.SelectRate(rate);
}

CNikonColumnsCtrl::CNikonColumnsCtrl(wxWindow* parent, wxWindowID id) : CEasyCheckListWithBlankBox(parent, id) {}

void CNikonColumnsCtrl::SetColumns(const CNikonColumnCollection& columns)
{
    m_columns = columns;
    SyncColumnsToWindow();
}

CNikonColumnCollection CNikonColumnsCtrl::GetColumns()
{
    SyncColumnsFromWindow();
    return m_columns;
}

void CNikonColumnsCtrl::SyncColumnsToWindow()
{
    Freeze();
    Clear();
    for (const CNikonColumn& column : m_columns.GetColumns()) {
        const uintptr_t data = CNikonColumnCollection::GetItemData(column.kind);
        const unsigned row = Append(ToWx(CNikonColumnCollection::GetColumnLabel(column.kind)),
                                    reinterpret_cast<void*>(data));
        Check(row, column.enabled);
    }
    Thaw();
}

void CNikonColumnsCtrl::SyncColumnsFromWindow()
{
    std::vector<CNikonColumn> columns;
    for (unsigned i = 0; i < GetCount(); ++i) {
        const auto data = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(GetClientData(i)));
        columns.push_back(CNikonColumnCollection::ColumnFromItem(data, IsChecked(i)));
    }
    m_columns.SetColumns(std::move(columns));
}

CDirectorySelection::CDirectorySelection(wxWindow* parent, const std::string& folder)
    : wxDirDialog(parent, "Select Directory", ToWx(folder), wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST)
{
}

bool BrowseForFolder(wxWindow* parent, std::string& folder)
{
    CDirectorySelection dialog(parent, folder);
    if (RunModal(dialog) != wxID_OK)
        return false;
    std::string chosen = FromWx(dialog.GetPath());
    while (chosen.size() > 1 && chosen.back() == '/')
        chosen.pop_back();
    folder = chosen;
    return true;
}
