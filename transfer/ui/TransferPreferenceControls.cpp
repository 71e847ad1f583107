#include "transfer/ui/TransferPreferenceControls.h"

#include "core/DataExchange.h"
#include "framework/ui/ModalDialog.h"
#include "framework/ui/WindowHelpers.h"
#include "transfer/serial/SerialPort.h"
#include "transfer/serial/TransferControls.h"

#include <algorithm>
#include <filesystem>

CComPortComboBox::CComPortComboBox(wxWindow* parent, wxWindowID id) : wxChoice(parent, id) {}

void CComPortComboBox::SetRoots(std::string sysTtyRoot, std::string devRoot)
{
    m_sysTtyRoot = std::move(sysTtyRoot);
    m_devRoot = std::move(devRoot);
}

void CComPortComboBox::Fill(int32_t storedPort, const std::string& storedDevice)
{
    m_entries = ListSerialPorts(storedPort, storedDevice, m_sysTtyRoot, m_devRoot);
    int32_t at = FindSerialPortEntry(m_entries, storedPort, storedDevice);
    if (at < 0 && storedPort > 0) {
        const std::string device = GetComPortDevice(uint32_t(storedPort), storedDevice);
        SerialPortEntry stored{storedPort, storedDevice, std::filesystem::path(device).filename().string()};
        auto place = std::find_if(m_entries.begin(), m_entries.end(),
                                  [&](const SerialPortEntry& e) { return e.comPort > storedPort; });
        at = static_cast<int32_t>(place - m_entries.begin());
        m_entries.insert(place, std::move(stored));
    }
    Clear();
    for (const SerialPortEntry& e : m_entries)
        Append(ToWx(FormatSerialPortEntry(e)));
    SetSelection(at);
}

int32_t CComPortComboBox::GetSelectedPort() const
{
    const int i = GetSelection();
    return i == wxNOT_FOUND || size_t(i) >= m_entries.size() ? -1 : m_entries[size_t(i)].comPort;
}

std::string CComPortComboBox::GetSelectedDevice() const
{
    const int i = GetSelection();
    return i == wxNOT_FOUND || size_t(i) >= m_entries.size() ? std::string() : m_entries[size_t(i)].device;
}

void DDX_ComPort(CDataExchange* dx, CComPortComboBox& control, int32_t& port, std::string& device)
{
    if (dx->m_bSaveAndValidate) {
        port = control.GetSelectedPort();
        device = control.GetSelectedDevice();
    } else {
        control.Fill(port, device);
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
