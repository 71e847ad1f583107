#pragma once

#include "framework/ui/CheckListBox.h"

#include <wx/dialog.h>

#include <functional>
#include <string>
#include <vector>

// "Toolbars": a check list of the frame's bars; a bar is shown or hidden as soon as its item is
// checked or cleared.
class CToolbarDlg : public wxDialog
{
public:
    struct Entry
    {
        std::string name;
        bool shown = false;
        int bar = -1;
        // Receives the new state; may be null.
        bool* shownOut = nullptr;
    };
    // Shows or hides a bar; asked whether a bar is shown.
    using ShowBar = std::function<void(int bar, bool show)>;
    using IsBarShown = std::function<bool(int bar)>;

    CToolbarDlg(wxWindow* parent, std::vector<Entry>& entries, ShowBar show, IsBarShown isShown);

    CEasyCheckListBox* GetList() const { return m_list; }
    // After a click, a key or a double click in the list: the selected bar follows its check.
    void ApplySelection();

private:
    CEasyCheckListBox* m_list = nullptr;
    std::vector<Entry>& m_entries;
    ShowBar m_show;
    IsBarShown m_isShown;
};
