#pragma once

#include "core/NikonColumnCollection.h"
#include "framework/ui/CheckListBox.h"
#include "transfer/serial/SerialPortList.h"

#include <wx/choice.h>
#include <wx/dirdlg.h>

#include <cstdint>
#include <string>
#include <vector>

class CDataExchange;

// The port list of the transfer preferences: the serial devices of this machine as COM entries
// (transfer/serial/SerialPortList.h).
class CComPortComboBox : public wxChoice
{
public:
    CComPortComboBox(wxWindow* parent, wxWindowID id);
    // Lists the devices present and selects the stored port; a stored port whose device is not
    // there now is listed too, so the setting is not lost by opening the page.
    void Fill(int32_t storedPort, const std::string& storedDevice);
    // The selected entry's port and device; -1 and empty when nothing is selected.
    int32_t GetSelectedPort() const;
    std::string GetSelectedDevice() const;
    // Where the list is read from; a test gives its own tree.
    void SetRoots(std::string sysTtyRoot, std::string devRoot);

private:
    std::vector<SerialPortEntry> m_entries;
    std::string m_sysTtyRoot = "/sys/class/tty";
    std::string m_devRoot = "/dev";
};
// Loading lists the ports and selects the stored one; saving takes the selected port and device.
void DDX_ComPort(CDataExchange* dx, CComPortComboBox& control, int32_t& port, std::string& device);

// The rate list of the transfer preferences.
class CBaudControl : public wxChoice
{
public:
    CBaudControl(wxWindow* parent, wxWindowID id);
    // 4800 when nothing valid is selected.
    int32_t GetRate() const;
    // A rate not in the list selects the first entry.
    void SelectRate(int32_t rate);
};
void DDX_Baud(CDataExchange* dx, CBaudControl& control, int32_t& rate);

// The coordinate column order as a check list: one row per column in field order, checked when
// the column is sent; rows are dragged into another order.
class CNikonColumnsCtrl : public CEasyCheckListWithBlankBox
{
public:
    CNikonColumnsCtrl(wxWindow* parent, wxWindowID id);

    void SetColumns(const CNikonColumnCollection& columns);
    CNikonColumnCollection GetColumns();
    // The held layout to the rows, and the rows (in their current order) back into it.
    void SyncColumnsToWindow();
    void SyncColumnsFromWindow();

private:
    CNikonColumnCollection m_columns;
};

// The folder picker, titled "Select Directory".
class CDirectorySelection : public wxDirDialog
{
public:
    CDirectorySelection(wxWindow* parent, const std::string& folder);
};
// Runs the picker at the folder; on OK the folder becomes the chosen one (without a trailing '/')
// and the result is true; on Cancel it is unchanged.
bool BrowseForFolder(wxWindow* parent, std::string& folder);
