#pragma once

#include "core/NikonColumnCollection.h"
#include "framework/ui/CheckListBox.h"

#include <wx/choice.h>
#include <wx/dirdlg.h>

#include <cstdint>
#include <string>

class CDataExchange;

// The port list of the transfer preferences: "COM 1" to "COM 9".
class CComPortComboBox : public wxChoice
{
public:
    CComPortComboBox(wxWindow* parent, wxWindowID id);
};
// Loading selects the port's entry; saving reads the port from the selected entry's last character
// (-1 when nothing is selected).
void DDX_ComPort(CDataExchange* dx, CComPortComboBox& control, int32_t& port);

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
