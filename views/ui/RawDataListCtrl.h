#pragma once

#include "core/ColoredTextLines.h"
#include "framework/ui/EasyListCtrl.h"
#include "framework/RowRanges.h"

#include <wx/bitmap.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CObjectIdWnd;
class wxMenu;

// The raw data list is one of the job view's panes, beside the point grid and the map.

// What the raw data list asks of the job view that holds it: the list keeps no job data.
class IRawListOwner
{
public:
    virtual ~IRawListOwner() = default;
    virtual std::string_view GetRawCellText(int32_t row, int column) = 0;
    // The row's image, -1 for none.
    virtual int32_t GetRawRowImage(int32_t row) = 0;
    virtual bool IsRawCommentRow(int32_t row) = 0;
    // The line's tip lines; false when the line is not a recognised record.
    virtual bool FormatRawLineInfo(int32_t row, CColoredTextLines& lines) = 0;
    // The line's text, for the tip of a line that is not a record; false when the line is gone.
    virtual bool GetRawLineText(int32_t row, std::string& text) = 0;
    virtual void OnRawSelectionChanged() {}
    virtual void OnRawRowDoubleClick(int32_t row) {}
    // Enabling of the context commands for the selected rows.
    virtual void GetRawMenuEnabling(wxMenu& menu) {}
    // A command chosen in the context menu.
    virtual void OnRawContextCommand(int id) {}
};

// The Raw Data tab's list: one row per raw line, an icon per record type, comment text running on
// across the columns to its right, a hover tip per line and the "Raw Data Context" menu. Its
// selection is kept as row ranges, so selecting every line of a large job costs nothing.
class CRawDataListCtrl : public CEasyListCtrl
{
public:
    static constexpr int IconCellExtra = 2;
    static constexpr int TipIcon = 1038;
    static constexpr int UnrecognizedTipIcon = 672;

    CRawDataListCtrl(wxWindow* parent, wxWindowID id, IRawListOwner* owner);
    ~CRawDataListCtrl() override;

    // The image of a record type, -1 when it has none.
    static int32_t GetRecordTypeImage(int32_t type);
    // Fills `images` with the seven record images in list order, each from `icon` (16 x 16; an
    // empty bitmap where it has none), and `typeImages` anew with each record type's image. The
    // record-type chooser builds its images the same way.
    static void BuildImageList(std::vector<wxBitmap>& images, std::map<int32_t, int32_t>& typeImages,
                               const std::function<const wxBitmap*(int32_t icon)>& icon);
    // The seven images in list order, from the program's icons (16 x 16).
    const std::vector<wxBitmap>& GetImages() const { return m_images; }

    // --- Selection (rows beyond the item count are dropped when read).
    const CRowRanges& GetSelection();
    std::vector<int32_t> GetSelectedRows() { return GetSelection().GetRows(); }
    int32_t GetFirstSelectedRow() { return GetSelection().GetFirst(); }
    int64_t GetSelectedCount() { return GetSelection().GetCount(); }
    void SelectAll();
    void DeselectAll();
    // Scrolls the row into view and makes it the only selected row; false when it does not exist.
    bool SelectRow(int32_t row);
    int32_t GetFocusRow() const { return m_focus; }

    // --- The hot row: the one whose tip shows, painted in inverted colours.
    int32_t GetHotItem() const { return m_hot; }
    void SetHotItem(int32_t row);
    // Clears the hot row and hides the tip; true when there was one.
    bool ClearHotItem();

    // --- The tip: what the last request showed (for the window's users and tests).
    bool GetItemTip(CColoredTextLines& lines, const wxPoint& bodyPoint, int& icon);
    bool IsTipShown() const;
    const CColoredTextLines& GetTipLines() const { return m_tipLines; }
    int GetTipIcon() const { return m_tipIcon; }
    void HideTip();

    // The "Raw Data Context" menu with its enabling applied.
    std::unique_ptr<wxMenu> BuildContextMenu();

    // --- CEasyListCtrl.
    std::string GetItemText(int32_t row, int column) const override;
    bool IsRowSelected(int32_t row) const override;
    bool RequestRowTip(const wxPoint& bodyPoint) override;
    void DrawRow(wxDC& dc, int32_t row, const wxRect& rect) override;
    void OnListLeftDown(const wxPoint& p, uint32_t flags) override;
    void OnListLeftDoubleClick(const wxPoint& p, uint32_t flags) override;
    void OnListRightDown(const wxPoint& p, uint32_t flags) override;
    void OnListRightUp(const wxPoint& p, uint32_t flags) override;
    void OnListMotion(const wxPoint& p, uint32_t flags, bool leftDown) override;
    void OnListLeave() override;
    bool OnListKeyDown(int keyCode) override;

protected:
    // Shows the menu at the point of the row area and returns the chosen command, 0 for none.
    virtual int TrackContextMenu(wxMenu& menu, const wxPoint& bodyPoint);

private:
    void SelectionChanged();
    void MoveFocus(int32_t row, bool extend);
    void ShowTip(const wxPoint& bodyPoint);

    IRawListOwner* m_owner;
    std::vector<wxBitmap> m_images;
    std::vector<wxBitmap> m_selectedImages;
    CRowRanges m_selection;
    int32_t m_anchor = -1;
    int32_t m_focus = -1;
    int32_t m_hot = -1;
    int32_t m_tipRow = -1;
    CColoredTextLines m_tipLines;
    int m_tipIcon = 0;
    // The list's identification popup, in tip mode.
    CObjectIdWnd* m_tip = nullptr;
};
