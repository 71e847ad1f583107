#pragma once

#include "framework/ui/EasyListCtrl.h"
#include "transfer/browse/FileListModel.h"

#include <wx/event.h>

#include <cstdint>
#include <string>

// Sent to the owner with the list's id and the folder text: before a new folder is read, and
// after.
wxDECLARE_EVENT(EVT_FOLDER_CHANGING_8095, wxCommandEvent);
wxDECLARE_EVENT(EVT_FOLDER_CHANGED_8096, wxCommandEvent);

// What the file list and the job list share: one folder whose rows sort by a clicked column
// (remembered in the profile), double click into a sub-folder, going up, a new folder named in
// place, and the two folder messages to the owner. Rows are the derived list's.
class CFolderListCtrl : public CEasyListCtrl
{
public:
    CFolderListCtrl(wxWindow* parent, wxWindowID id, const char* profileSection);
    ~CFolderListCtrl() override;

    // Reads the sort, then the image list and the columns.
    void Initialise(wxWindow* owner);
    void SetFolder(const std::string& folder, bool refresh);
    const std::string& GetFolder() const { return m_folder; }
    // 0 list view (names only, running down and on into the next column), 1 report view (the default).
    void SetViewMode(int32_t mode);
    int32_t GetViewMode() const { return m_viewMode; }
    void SetPathDisplayId(int id) { m_pathDisplayId = id; }
    // Re-reads the folder ("Refresh" in the wx sense only repaints).
    void RefreshList();
    void SetTextAndRefresh(const std::string& text);
    const std::string& GetText() const { return m_text; }
    void GoUp();
    // Creates a new folder and starts naming it; false when none was made.
    bool NewFolder();
    bool IsNamingNewFolder() const { return m_naming; }
    const CListSortState& GetSortState() const { return m_sort; }
    // Why the folder could not be read the last time; empty when it was.
    const std::string& GetReadError() const { return m_readError; }
    void Clear();

    void OnColumnClick(int column) override;
    void OnListLeftDown(const wxPoint& p, uint32_t flags) override;
    void OnListLeftDoubleClick(const wxPoint& p, uint32_t flags) override;
    bool OnListKeyDown(int keyCode) override;
    bool OnBeginLabelEdit(int32_t row) override;
    void OnEndLabelEdit(int32_t row, const std::string* text) override;

protected:
    virtual void InitColumns() = 0;
    virtual void InitImageList() = 0;
    // Fills the rows from the folder; false, with the reason, when it cannot be read.
    virtual bool ReadRows(std::string& error) = 0;
    virtual void ClearRows() = 0;
    virtual void SortRows() = 0;
    virtual int32_t GetRowCount() const = 0;
    virtual bool IsFolderRow(int32_t row) const = 0;
    virtual std::string GetRowName(int32_t row) const = 0;
    // Whether the content mode lists, makes and names folders.
    virtual bool ShowsFolders() const = 0;
    virtual bool OpensFoldersOnDoubleClick() const { return true; }
    // A new folder's row; the rows are sorted afterwards.
    virtual void AddFolderRow(const CFileInfo& info) = 0;
    virtual void RenameFolderRow(int32_t row, const CFileInfo& info) = 0;

    // The folder row of that name, -1 when none.
    int32_t FindFolderRow(const std::string& name) const;
    // The first selected row from the top, then the next ones; -1 at the end.
    int32_t FirstSelectedRow();
    int32_t NextSelectedRow();
    // Sorts, keeps the view on the first selected row and redraws.
    void ResortAndShow();

    CListSortState m_sort;

private:
    void SendFolderMessage(const wxEventType& type);

    const char* m_section;
    wxWindow* m_owner = nullptr;
    bool m_initialised = false;
    std::string m_folder;
    std::string m_text;
    std::string m_readError;
    int32_t m_viewMode = 1;
    int m_pathDisplayId = 0;
    bool m_naming = false;
    std::string m_namingName;
};
