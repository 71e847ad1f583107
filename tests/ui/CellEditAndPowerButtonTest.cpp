#include "ProgramTest.h"

#include "framework/ui/ListCtrlEditCtrl.h"
#include "framework/ui/PowerButton.h"

#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

using morvel::test::WindowTest;

namespace {

// A 3 x 2 grid of texts whose owner stores what the edits end with.
class GridList : public CListCtrlEditCtrl
{
public:
    explicit GridList(wxWindow* parent) : CListCtrlEditCtrl(parent, wxID_ANY)
    {
        InsertColumn(0, "Point", 80, false);
        InsertColumn(1, "Code", 60, false);
        SetItemCount(3);
        Bind(EVT_LIST_END_CELL_EDIT, [this](wxCommandEvent& e) {
            ends.push_back({e.GetInt(), int(e.GetExtraLong()), IsEditCancelled()});
            if (!IsEditCancelled())
                cells[size_t(e.GetInt())][size_t(e.GetExtraLong())] = e.GetString().utf8_string();
        });
    }
    std::string GetItemText(int32_t row, int column) const override { return cells[size_t(row)][size_t(column)]; }

    struct End
    {
        int32_t row;
        int column;
        bool cancelled;
    };
    std::vector<End> ends;
    std::vector<std::vector<std::string>> cells{{"1", "IP"}, {"2", "CP"}, {"3", "BM"}};
};

} // namespace

TEST_F(WindowTest, CellEditorMovesAcrossCellsAndReportsToItsOwner)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "grid", wxDefaultPosition, wxSize(300, 200));
    auto* list = new GridList(frame);
    list->SetSize(frame->GetClientSize());
    frame->Show();
    Pump();

    // The list refuses an edit of its own until the owner asked for one.
    EXPECT_FALSE(list->BeginLabelEdit(0, 0));
    list->SelectItem(0, true);
    EXPECT_TRUE(list->OnEditKey(WXK_RETURN, false, false));
    ASSERT_TRUE(list->IsEditing());
    EXPECT_EQ(list->GetEditColumn(), 0);
    EXPECT_EQ(list->GetEditor()->GetPosition().x, 18);
    EXPECT_FALSE(list->CanDrawCellText(0, 0));

    // Tab commits and edits the next cell of the row.
    list->GetEditor()->ChangeValue("101");
    EXPECT_TRUE(list->OnEditKey(WXK_TAB, false, false));
    EXPECT_EQ(list->cells[0][0], "101");
    ASSERT_TRUE(list->IsEditing());
    EXPECT_EQ(list->GetEditColumn(), 1);
    EXPECT_EQ(list->GetEditor()->GetPosition().x, 80);

    // Escape drops the text; the owner sees the edit cancelled and keeps its value.
    list->GetEditor()->ChangeValue("XX");
    EXPECT_TRUE(list->OnEditKey(WXK_ESCAPE, false, false));
    EXPECT_FALSE(list->IsEditing());
    ASSERT_EQ(list->ends.size(), 2u);
    EXPECT_TRUE(list->ends.back().cancelled);
    EXPECT_EQ(list->cells[0][1], "IP");

    // Down while editing commits and edits the same column one row lower.
    list->StartEdit(0, 1);
    list->GetEditor()->ChangeValue("TP");
    EXPECT_TRUE(list->OnEditKey(WXK_DOWN, false, false));
    EXPECT_EQ(list->cells[0][1], "TP");
    int32_t row = -1;
    ASSERT_TRUE(list->GetFirstSelected(row));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(list->GetEditColumn(), 1);
    list->EndEdit();

    // On the last cell Tab neither wraps nor moves.
    list->SelectItem(2, true);
    list->SetCurrentColumn(1);
    EXPECT_FALSE(list->OnEditKey(WXK_TAB, false, false));
    ASSERT_TRUE(list->GetFirstSelected(row));
    EXPECT_EQ(row, 2);
    EXPECT_EQ(list->GetCurrentColumn(), 1);
    frame->Destroy();
    Pump();
}

TEST_F(WindowTest, PowerButtonsCheckAtThePressGroupAndDither)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "buttons", wxDefaultPosition, wxSize(400, 200));
    auto* check = new CPowerButton(frame, 10, "Check", wxPoint(0, 0), wxSize(100, 40));
    check->m_bCheckBox = true;
    std::vector<CPowerButton*> radios;
    for (int i = 0; i < 3; ++i) {
        auto* radio = new CPowerButton(frame, 20 + i, "Radio", wxPoint(0, 50 + 45 * i), wxSize(100, 40));
        radio->m_bRadio = true;
        radio->m_bGroup = i == 0;
        radios.push_back(radio);
    }
    frame->Show();
    Pump();

    // Checked while still held; pressed again it unchecks only on release.
    check->OnLeftDown({5, 5});
    EXPECT_TRUE(check->GetCheck());
    check->OnLeftUp({5, 5});
    EXPECT_TRUE(check->GetCheck());
    check->OnLeftDown({5, 5});
    EXPECT_TRUE(check->GetCheck());
    check->OnLeftUp({5, 5});
    EXPECT_FALSE(check->GetCheck());

    int value = 7;
    DDX_PowerButtonRadio(true, radios[0], value);
    EXPECT_EQ(value, -1);
    radios[0]->OnLeftDown({5, 5});
    radios[0]->OnLeftUp({5, 5});
    radios[2]->OnLeftDown({5, 5});
    radios[2]->OnLeftUp({5, 5});
    EXPECT_FALSE(radios[0]->GetCheck());
    EXPECT_TRUE(radios[2]->GetCheck());
    DDX_PowerButtonRadio(true, radios[0], value);
    EXPECT_EQ(value, 2);
    value = 1;
    DDX_PowerButtonRadio(false, radios[0], value);
    EXPECT_TRUE(radios[1]->GetCheck());
    EXPECT_FALSE(radios[2]->GetCheck());

    // A press on the drop arrow opens the menu and never toggles.
    bool menuShown = false;
    check->SetMenu([&]() -> std::unique_ptr<wxMenu> {
        menuShown = true;
        return nullptr;
    });
    check->OnLeftDown({98, 5});
    EXPECT_TRUE(menuShown);
    EXPECT_FALSE(check->GetCheck());

    // Disabled: every pixel whose x + y is odd is grey.
    check->Disable();
    wxBitmap picture(100, 40, 24);
    {
        wxMemoryDC dc(picture);
        check->Render(dc);
    }
    const wxImage image = picture.ConvertToImage();
    const wxColour grey = wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
    for (const wxPoint& p : {wxPoint(1, 0), wxPoint(20, 13), wxPoint(50, 21)}) {
        SCOPED_TRACE(p.x);
        EXPECT_EQ(wxColour(image.GetRed(p.x, p.y), image.GetGreen(p.x, p.y), image.GetBlue(p.x, p.y)), grey);
    }

    // A drag reports the screen point whole, far outside 16 bits included.
    std::vector<wxPoint> drags;
    frame->Bind(EVT_POWER_BUTTON_DRAG_807E, [&](CPowerButtonDragEvent& e) {
        EXPECT_EQ(e.GetId(), 21);
        drags.push_back(e.GetScreenPoint());
    });
    CPowerButton* source = radios[1];
    source->m_bDragSource = true;
    source->OnLeftDown({10, 10});
    source->OnMouseMove({11, 11}, true);
    EXPECT_TRUE(drags.empty());
    source->OnMouseMove({10, -70000}, true);
    ASSERT_EQ(drags.size(), 1u);
    EXPECT_EQ(drags[0], source->ClientToScreen(wxPoint(10, -70000)));
    source->OnLeftUp({10, -70000});
    EXPECT_FALSE(source->IsDragging());
    frame->Destroy();
    Pump();
}
