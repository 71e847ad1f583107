#include "ProgramTest.h"
#include "framework/ui/CustomButtons.h"
#include "framework/ui/Icons.h"
#include "platform/AppFolders.h"

#include <wx/dcmemory.h>
#include <wx/frame.h>

using morvel::test::WindowTest;

namespace {

struct ButtonFrame
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "buttons", wxDefaultPosition, wxSize(300, 200));
    ButtonFrame() { frame->Show(); }
    ~ButtonFrame() { frame->Destroy(); }
};

// Paints the button off-screen and reads one pixel.
wxColour PixelOf(CCustomButton& button, int x, int y)
{
    const wxSize size = button.GetClientSize();
    wxBitmap bitmap(size.x, size.y, 24);
    wxMemoryDC dc(bitmap);
    button.DrawItem(dc);
    wxColour colour;
    dc.GetPixel(x, y, &colour);
    return colour;
}

} // namespace

TEST_F(WindowTest, IconButtonsTakeTheirIconsAndClickOnlyWhenReleasedInside)
{
    ButtonFrame top;
    CIcons icons(GetExecutableFolder() + "icons/");
    auto* wizard = new CCustomWizardButton(top.frame, wxID_ANY, icons);
    EXPECT_TRUE(wizard->HasNoFrame());
    ASSERT_NE(nullptr, wizard->GetIcon());
    EXPECT_EQ(wxSize(32, 32), wizard->GetIconSize());
    EXPECT_EQ(wxSize(32, 32), wizard->GetSize());

    auto* close = new CCustomIconButton(top.frame, 666668, wxPoint(50, 0), wxSize(22, 20));
    close->SetIcon(icons.GetIcon(621, true), true, false);
    ASSERT_NE(nullptr, close->GetIcon());
    int clicks = 0;
    EXPECT_EQ(666668, close->GetControlId());
    close->Bind(wxEVT_BUTTON, [&](wxCommandEvent& e) {
        EXPECT_EQ(11308, e.GetId()); // the low 16 bits
        ++clicks;
    });
    close->OnLeftDown();
    EXPECT_TRUE(close->IsPressed());
    close->OnLeftUp(false); // dragged off before letting go
    EXPECT_EQ(0, clicks);
    close->OnLeftDown();
    close->OnLeftUp(true);
    EXPECT_EQ(1, clicks);

    close->Disable();
    close->OnLeftDown();
    close->OnLeftUp(true);
    EXPECT_EQ(1, clicks);
}

TEST_F(WindowTest, AnimatedButtonStepsOnlyWithSeveralFrames)
{
    ButtonFrame top;
    CCustomAnimatedButton button(top.frame, wxID_ANY, 16, 16, true);
    EXPECT_TRUE(button.IsEmpty());
    button.AddFrame(wxBitmap(16, 16));
    button.StartAnimation();
    button.Step();
    EXPECT_EQ(0, button.GetCurrentFrame());
    button.AddFrame(wxBitmap(16, 16));
    button.AddFrame(wxBitmap(16, 16));
    button.Step();
    button.Step();
    EXPECT_EQ(2, button.GetCurrentFrame());
    button.Step();
    EXPECT_EQ(0, button.GetCurrentFrame());
    button.StopAnimation();
    EXPECT_TRUE(button.IsStatic());
    EXPECT_TRUE(button.IsEmpty()); // static without an icon
}

TEST_F(WindowTest, MenuButtonTriangleTurnsGreyWhenDisabled)
{
    ButtonFrame top;
    auto* button = new CMenuButton(top.frame, 666666, "", wxPoint(0, 0), wxSize(40, 21), true);
    // The top row of the triangle, in the flat face's rightmost 24 pixels.
    const TriangleRow row = MenuButtonTriangle({0, 0, 40, 21})[0];
    const wxColour enabled = PixelOf(*button, row.x + 4, row.y);
    button->Disable();
    const wxColour disabled = PixelOf(*button, row.x + 4, row.y);
    EXPECT_NE(enabled, disabled);
    EXPECT_EQ(button->ClientToScreen(wxPoint(0, 21)), button->GetMenuPosition());
}
