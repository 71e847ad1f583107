#pragma once

#include "model/DataFileDoc.h"
#include "views/ObjectIdOwner.h"

#include <wx/dialog.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class wxButton;
class wxImageList;
class wxListCtrl;
class wxListEvent;
class wxMenu;
class wxActivateEvent;
class wxPaintEvent;

// "Select an Object": a small list beside the cursor of the objects a pick hit, one to take. The
// row moved to is highlighted in the window that asked; a right click offers the point's menu.
class CObjectSelectWnd : public wxDialog, public CObjectIdOwner::Watcher
{
public:
    static constexpr int ListId = 1044;

    CObjectSelectWnd();
    ~CObjectSelectWnd() override;

    // Runs the chooser modally at (x + 8, y + 8), screen coordinates: wxID_OK with the chosen
    // object in out, else wxID_CANCEL. Empty captions keep "Ok" and "Cancel".
    int Choose(RecordRef& out, const std::vector<RecordRef>& objects, int32_t x, int32_t y, CObjectIdOwner* owner,
               wxWindow* parent, const std::string& okCaption, const std::string& cancelCaption);
    // Builds and places the window and fills the list, as Choose does before it runs; tests drive
    // the handlers below after it.
    bool Prepare(RecordRef* out, const std::vector<RecordRef>& objects, int32_t x, int32_t y, CObjectIdOwner* owner,
                 wxWindow* parent, const std::string& okCaption, const std::string& cancelCaption);

    // --- What the list, the buttons and the application reach.
    void OnRowSelected(long row);
    void OnRowDeselected(long row);
    void OnRowActivated(long row);
    void OnOk();
    void OnCancel();
    // The program lost activation: the chooser goes as cancelled.
    void OnAppActivate(bool active);
    void OnListContextMenu(const wxPoint& screen);

    wxListCtrl* GetList() const { return m_list; }
    wxButton* GetOkButton() const { return m_ok; }
    wxButton* GetCancelButton() const { return m_cancel; }
    std::string GetTitleText() const { return m_title; }
    long GetSelectedRow() const;
    // The row's text as the list shows it.
    std::string GetRowText(long row) const;
    // How the chooser ended; 0 while it runs.
    int GetEndCode() const { return m_endCode; }
    bool IsHighlightSent() const { return m_highlightSent; }

    void OnObjectIdOwnerGone(CObjectIdOwner* owner) override;

protected:
    // Tracks the menu and returns the chosen command, wxID_NONE for none.
    virtual int TrackMenu(wxMenu& menu, const wxPoint& client);

private:
    class CChooserList;

    void OnAppActivateEvent(wxActivateEvent& event);
    void Build(wxWindow* parent);
    void Place(int32_t x, int32_t y);
    void Finish(int code);
    void SetOwner(CObjectIdOwner* owner);
    bool RowObject(long row, RecordRef& out) const;
    void Highlight(long row, bool on);
    void OnPaintFrame(wxPaintEvent& event);

    wxListCtrl* m_list = nullptr;
    wxButton* m_ok = nullptr;
    wxButton* m_cancel = nullptr;
    std::unique_ptr<wxImageList> m_images;
    std::string m_title = "Select an Object";
    std::vector<RecordRef> m_objects;
    RecordRef m_chosen;
    RecordRef* m_out = nullptr;
    CObjectIdOwner* m_owner = nullptr;
    bool m_highlightSent = false;
    int m_endCode = 0;
};
