#include "FakeReportOutput.h"
#include "ProgramTest.h"

#include "cogo/ui/Calculator.h"
#include "cogo/ui/CoordinateFields.h"
#include "cogo/ui/InteractiveHandler.h"
#include "cogo/ui/Intersection.h"
#include "cogo/ui/InversePoints.h"
#include "cogo/ui/PointInDirection.h"
#include "core/DataFileFormat.h"
#include "core/JobValueSource.h"
#include "framework/GraphicDataExchange.h"
#include "framework/ui/CustomButtons.h"
#include "framework/ui/StackingDialogBar.h"
#include "model/DataFileDoc.h"
#include "model/DataFileSelOperator.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "shell/GlobalCommandIds.h"
#include "shell/ui/MainFrame.h"
#include "views/MapCommands.h"
#include "views/PreviewMapCore.h"
#include "views/ScratchGeometry.h"
#include "views/ui/InfoReportWnd.h"
#include "views/ui/InteractionPart.h"
#include "views/ui/ViewTool.h"
#include "views/ui/ViewToolHost.h"

#include <wx/stattext.h>

#include <cmath>

using morvel::test::ProgramTest;

namespace {

class CogoWindowsTest : public ProgramTest
{
protected:
    // Two inverse points (with elevations), one 2D point and the intersection bases of the
    // worked example with a point on each direction.
    bool Open()
    {
        if (!Start())
            return false;
        const double a30 = 30 * M_PI / 180, a320 = 320 * M_PI / 180;
        map = ShowPointsOnMap({
            new CPointRecord("1", "A", CLocation(1000, 2000, 100), true),
            new CPointRecord("2", "B", CLocation(1030, 2040, 105), true),
            new CPointRecord("3", "FLAT", CLocation(1000, 2100, NoValue), true),
            new CPointRecord("21", "", CLocation(5000, 5000, NoValue), true),
            new CPointRecord("22", "", CLocation(5300, 5000, NoValue), true),
            new CPointRecord("23", "", CLocation(5000 + 100 * std::sin(a30), 5000 + 100 * std::cos(a30), NoValue), true),
            new CPointRecord("24", "", CLocation(5300 + 100 * std::sin(a320), 5000 + 100 * std::cos(a320), NoValue), true),
        });
        if (map == nullptr)
            return false;
        output.Install();
        Frame().ShowDialogBar(true);
        return true;
    }
    void TearDown() override
    {
        output.Restore();
        ProgramTest::TearDown();
    }
    CDataFileDoc& Job() { return *CDataFileDoc::GetActiveDoc(); }
    template <class T> T* Current() { return dynamic_cast<T*>(Frame().GetStackingBar()->GetCurrent()); }
    std::string Label(wxWindow& panel, int id) { return panel.FindWindow(id)->GetLabel().utf8_string(); }
    std::string Text(wxWindow& panel, int id)
    {
        return static_cast<wxTextCtrl*>(panel.FindWindow(id))->GetValue().utf8_string();
    }
    void Type(wxWindow& panel, int id, const std::string& text)
    {
        static_cast<wxTextCtrl*>(panel.FindWindow(id))->ChangeValue(wxString::FromUTF8(text));
    }

    // A pick at a world point into the field that waits, as a tool leaves it in the exchange.
    void PickAt(double x, double y, uint32_t code = 1)
    {
        CGraphicDataExchange& gdx = GetGraphicDataExchange();
        gdx.SetLocation(CLocation(x, y, NoValue));
        gdx.SetPickTolerances(2.0, 2.0);
        gdx.Deliver(code, true);
        Pump();
    }
    // The panel moved the focus to the field; where the server keeps the focus elsewhere, what
    // the focus would have done.
    void ExpectWaiting(wxWindow& panel, int id)
    {
        auto* field = dynamic_cast<CInteractiveControl*>(panel.FindWindow(id));
        ASSERT_NE(field, nullptr);
        EXPECT_TRUE(WaitFor("the field to take the keyboard", [&] {
            return wxWindow::FindFocus() == field || GetGraphicDataExchange().IsTarget(field);
        }));
        if (!GetGraphicDataExchange().IsTarget(field))
            field->ActivateInteraction();
        ASSERT_TRUE(GetGraphicDataExchange().IsTarget(field)) << id;
    }
    void PickPoint(const char* name)
    {
        const CLocation at = Job().GetPointDatabase()->FindPoint(name, true)->GetLocation();
        PickAt(at.x, at.y);
    }
    void OpenInverse()
    {
        wxCommandEvent open(wxEVT_MENU, IdInverse);
        Frame().GetEventHandler()->ProcessEvent(open);
        Pump();
    }
    static CDataFileFormat Format() { return CDataFileFormat(GetActiveJobValueSource()); }
    // Metres as the job shows a distance.
    static std::string Distance(double metres) { return Format().FormatDistance(metres, false, false); }
    size_t ScratchCount() { return GetActivePreviewMap() ? GetActivePreviewMap()->GetScratchCount() : 0; }

    CPreviewMapCtrl* map = nullptr;
    morvel::test::FakeReportOutput output;
};

} // namespace

TEST_F(CogoWindowsTest, InversePanelModesAndItsReport)
{
    ASSERT_TRUE(Open());
    OpenInverse();
    auto* panel = Current<CInversePoints>();
    ASSERT_NE(panel, nullptr) << "Ctrl+I opens the inverse panel";
    EXPECT_EQ(panel->GetTitle(), "Inverse Point to Point");
    EXPECT_FALSE(panel->FindWindow(CInversePoints::IdChip)->IsEnabled());
    EXPECT_TRUE(panel->FindWindow(CInversePoints::IdPoint2Icon)->IsShown());
    EXPECT_FALSE(panel->FindWindow(CInversePoints::IdChipIcon)->IsShown());

    // Sequence: point 2 moves into point 1 and the results stay on show.
    static_cast<wxRadioButton*>(panel->FindWindow(CInversePoints::IdSequence))->SetValue(true);
    Type(*panel, CInversePoints::IdPoint1, "1");
    Type(*panel, CInversePoints::IdPoint2, "2");
    panel->OnOK();
    Pump();
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(Text(*panel, CInversePoints::IdPoint1), "2");
    EXPECT_EQ(Text(*panel, CInversePoints::IdPoint2), "");
    const CInverseCommand& c = panel->Command();
    EXPECT_EQ(Label(*panel, CInversePoints::IdDistance), c.results[0]);
    EXPECT_EQ(c.results[0], Distance(50));
    EXPECT_EQ(c.results[6], Format().FormatGrade(0.1, false));
    EXPECT_EQ(ScratchCount(), 1u);

    // Into a 2D point: no elevation difference, no grade; the slope is the horizontal distance.
    Type(*panel, CInversePoints::IdPoint2, "3");
    panel->OnOK();
    Pump();
    EXPECT_EQ(Label(*panel, CInversePoints::IdElevation), "-----");
    EXPECT_EQ(Label(*panel, CInversePoints::IdGrade), "-----");
    EXPECT_EQ(c.results[5], c.results[0]);
    const CReport& report = panel->GetReport();
    ASSERT_NE(report.GetCurrentSection(), nullptr);
    EXPECT_EQ(report.GetRowCount(), 2);

    // The same point twice is refused in a box, nothing is reported, and Sequence still moves on
    // to the next pair with the last results on show.
    Type(*panel, CInversePoints::IdPoint2, "3");
    panel->OnOK();
    Pump();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "You selected a point twice and the direction can not be calculated.");
    EXPECT_EQ(report.GetRowCount(), 2);
    EXPECT_EQ(Text(*panel, CInversePoints::IdPoint1), "3");
    EXPECT_EQ(Text(*panel, CInversePoints::IdPoint2), "");
    EXPECT_EQ(Label(*panel, CInversePoints::IdDistance), c.results[0]);

    // The bar's Clear empties the report; the next inverse writes its headings again.
    panel->OnBarMessage(0x8078, 0);
    EXPECT_TRUE(c.sectionNeeded);
    static_cast<wxRadioButton*>(panel->FindWindow(CInversePoints::IdSimple))->SetValue(true);
    Type(*panel, CInversePoints::IdPoint1, "1");
    Type(*panel, CInversePoints::IdPoint2, "2");
    panel->OnOK();
    Pump();
    EXPECT_EQ(Text(*panel, CInversePoints::IdPoint1), "1") << "Simple keeps its points";
    EXPECT_EQ(report.GetCurrentSection()->columns.size(), 9u);
    EXPECT_EQ(report.GetRowCount(), 1);

    // Multiple side shots over the selection: point 1 itself is a duplicate, the rest inversed.
    static_cast<wxRadioButton*>(panel->FindWindow(CInversePoints::IdMultiple))->SetValue(true);
    wxCommandEvent click(wxEVT_RADIOBUTTON, CInversePoints::IdMultiple);
    panel->FindWindow(CInversePoints::IdMultiple)->ProcessWindowEvent(click);
    EXPECT_TRUE(panel->FindWindow(CInversePoints::IdChip)->IsEnabled());
    EXPECT_FALSE(panel->FindWindow(CInversePoints::IdPoint2)->IsEnabled());
    EXPECT_FALSE(panel->FindWindow(CInversePoints::IdPoint2Icon)->IsShown());
    EXPECT_TRUE(panel->FindWindow(CInversePoints::IdChipIcon)->IsShown());
    CDataFileSelOperator* op = GetActiveSelectionOperator();
    for (const char* name : {"2", "1", "3"})
        op->SelectObject(Job().GetPointDatabase()->FindPoint(name, true));
    output.barTexts.clear();
    panel->OnOK();
    Pump();
    ASSERT_FALSE(output.barTexts.empty());
    const std::string& shown = output.barTexts.back();
    EXPECT_NE(shown.find("1|A|Duplicate point|"), std::string::npos) << shown;
    EXPECT_NE(shown.find("3|FLAT|"), std::string::npos) << shown;
    EXPECT_LT(shown.find("2|B|"), shown.find("1|A|Duplicate point|")) << "in the order selected";
    EXPECT_TRUE(c.sectionNeeded);
    EXPECT_EQ(Label(*panel, CInversePoints::IdDistance), "");
    ASSERT_TRUE(SaveScreenshot(Frame(), "cogo_inverse.png"));

    // The erase icon button takes the side shots' lines off the map.
    auto* erase = dynamic_cast<CCustomIconButton*>(panel->FindWindow(CInversePoints::IdErase));
    ASSERT_NE(erase, nullptr);
    EXPECT_NE(erase->GetIcon(), nullptr);
    EXPECT_GT(ScratchCount(), 0u);
    erase->OnLeftDown();
    erase->OnLeftUp(true);
    Pump();
    EXPECT_EQ(ScratchCount(), 0u);
    Exit();
}

TEST_F(CogoWindowsTest, PickChainsSolveTheIntersectionAndTheInverse)
{
    ASSERT_TRUE(Open());
    auto* panel = new CIntersection;
    ASSERT_TRUE(Frame().GetStackingBar()->PushDialog(panel));
    Pump();
    CIntersectionCommand& c = panel->Command();
    c.modeA = c.modeB = 0;
    c.storeC = 1;
    panel->UpdateDataEx(false);
    panel->FindWindow(CIntersection::IdBaseA)->SetFocus();
    ASSERT_NO_FATAL_FAILURE(ExpectWaiting(*panel, CIntersection::IdBaseA));
    // A, then line A by two points, B, then line B: the last pick solves.
    PickPoint("21");
    ASSERT_NO_FATAL_FAILURE(ExpectWaiting(*panel, CIntersection::IdDirectionA));
    PickPoint("21");
    PickPoint("23");
    ASSERT_NO_FATAL_FAILURE(ExpectWaiting(*panel, CIntersection::IdBaseB));
    PickPoint("22");
    ASSERT_NO_FATAL_FAILURE(ExpectWaiting(*panel, CIntersection::IdDirectionB));
    const std::string name = c.storeNameC;
    PickPoint("22");
    PickPoint("24");
    EXPECT_TRUE(messages.empty()) << messages.front();
    CPointRecord* stored = Job().GetPointDatabase()->FindPoint(name, true);
    ASSERT_NE(stored, nullptr) << "the last pick solved and stored C";
    EXPECT_NEAR(stored->GetLocation().y, 5211.7971, 1e-3);
    EXPECT_NEAR(stored->GetLocation().x, 5122.2811, 1e-3);
    panel->OnCancel();
    Pump();

    // The inverse: a pick into point 2 solves at once, after a rubber band from point 1.
    OpenInverse();
    auto* inverse = Current<CInversePoints>();
    ASSERT_NE(inverse, nullptr);
    // The panel opens in the mode used last, which may be Multiple with point 2 off: Side Shot is
    // clicked, so the panel sets its fields for it.
    static_cast<wxRadioButton*>(inverse->FindWindow(CInversePoints::IdSideShot))->SetValue(true);
    wxCommandEvent sideShot(wxEVT_RADIOBUTTON, CInversePoints::IdSideShot);
    inverse->FindWindow(CInversePoints::IdSideShot)->ProcessWindowEvent(sideShot);
    Type(*inverse, CInversePoints::IdPoint1, "1");
    Type(*inverse, CInversePoints::IdPoint2, "");
    inverse->FindWindow(CInversePoints::IdPoint2)->SetFocus();
    ASSERT_NO_FATAL_FAILURE(ExpectWaiting(*inverse, CInversePoints::IdPoint2));
    CViewToolHost* tools = CViewToolHost::GetActive();
    ASSERT_NE(tools, nullptr);
    EXPECT_NE(dynamic_cast<CVisualPlineTool*>(tools->GetCurrentTool()), nullptr);
    PickPoint("2");
    EXPECT_EQ(Text(*inverse, CInversePoints::IdPoint2), "2");
    EXPECT_EQ(inverse->Command().results[0], Distance(50));
    Exit();
}

TEST_F(CogoWindowsTest, InverseToShowsTheInfoWindowAndEndsOnARightClick)
{
    ASSERT_TRUE(Open());
    CViewToolHost* tools = CViewToolHost::GetActive();
    ASSERT_NE(tools, nullptr);
    CGraphicDataExchange& gdx = GetGraphicDataExchange();
    auto startFrom = [&](const char* name) {
        Job().SetCurrentRecord(Job().GetPointDatabase()->FindPoint(name, true), -1);
        wxCommandEvent inverseTo(wxEVT_MENU, IdInverseTo);
        Frame().GetEventHandler()->ProcessEvent(inverseTo);
        Pump();
    };
    startFrom("1");
    ASSERT_NE(dynamic_cast<CPointInverseHandler*>(gdx.GetReceiver()), nullptr);
    EXPECT_NE(dynamic_cast<CVisualPlineTool*>(tools->GetCurrentTool()), nullptr);

    // A click beside every point: the tip, and the handler waits on.
    PickAt(3000, 3000);
    EXPECT_EQ(GetLastInvalidSelectionTip(),
              "Invalid selection:\nClick on a point to inverse to.\nRight click to cancel.\n");
    ASSERT_NE(gdx.GetReceiver(), nullptr);

    // A click on point 2: the default tool comes back inside the delivery, then the window shows.
    std::vector<std::string> labels, values;
    bool defaultToolWhileShown = false;
    bool shot = false;
    dialogAnswer = [&](wxDialog& dialog) {
        auto* info = dynamic_cast<CInfoReportWnd*>(&dialog);
        if (info == nullptr)
            return int(wxID_CANCEL);
        labels = info->GetLabels();
        values = info->GetValues();
        defaultToolWhileShown = tools->GetCurrentTool() && tools->GetCurrentTool()->IsDefaultTool();
        // At least as wide as its two buttons; inside the main window.
        EXPECT_GE(info->GetMeasuredSize().x, 2 * info->GetReportButton()->GetSize().x);
        EXPECT_TRUE(Frame().GetScreenRect().Contains(info->GetScreenRect().GetTopLeft()));
        info->Show();
        shot = SaveScreenshot(*info, "inverse_to.png");
        info->Hide();
        info->OnReport();
        return info->GetReturnCode();
    };
    const size_t scratch = ScratchCount();
    PickAt(1030, 2040);
    EXPECT_TRUE(defaultToolWhileShown);
    EXPECT_TRUE(shot);
    EXPECT_EQ(gdx.GetReceiver(), nullptr);
    ASSERT_EQ(labels.size(), 9u);
    ASSERT_EQ(values.size(), 9u);
    EXPECT_EQ(labels[0], "Point 1");
    EXPECT_EQ(labels[8], "Grade (%)");
    EXPECT_EQ(values[0], "1");
    EXPECT_EQ(values[1], "2");
    EXPECT_EQ(values[2], Distance(50));
    EXPECT_EQ(ScratchCount(), scratch + 1);
    ASSERT_FALSE(output.editorTexts.empty()) << "Report hands one row to the editor";
    EXPECT_EQ(output.editorTexts.back().substr(0, 4), "1|2|");

    // Beside the main window's right edge the box moves back inside it; short texts still leave
    // room for both buttons.
    {
        const wxRect frame = Frame().GetScreenRect();
        CInfoReportWnd near(&Frame());
        near.Prepare({"A"}, {"1", "ignored"}, frame.GetRight() - 4, frame.GetTop() + 40);
        EXPECT_EQ(near.GetPosition().x + near.GetMeasuredSize().x, frame.GetRight() - 16);
        EXPECT_EQ(near.GetMeasuredSize().x, 2 * near.GetReportButton()->GetSize().x + CInfoReportWnd::Shadow);
    }

    // From a 2D point: no elevation difference and no grade.
    startFrom("3");
    PickAt(1000, 2000);
    ASSERT_EQ(values.size(), 9u);
    EXPECT_EQ(values[6], "-----");
    EXPECT_EQ(values[8], "-----");
    EXPECT_EQ(values[7], values[2]);

    // The from-point deleted while the line waits: the click shows nothing and ends the wait.
    startFrom("2");
    values.clear();
    ASSERT_TRUE(Job().DeleteRecord(Job().GetPointDatabase()->FindPoint("2", true), false));
    PickAt(1000, 2000);
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(gdx.GetReceiver(), nullptr);

    // A right click ends the wait without a window.
    startFrom("1");
    values.clear();
    PickAt(0, 0, 4);
    EXPECT_EQ(gdx.GetReceiver(), nullptr);
    EXPECT_TRUE(tools->GetCurrentTool()->IsDefaultTool());
    EXPECT_TRUE(values.empty());
    Exit();
}

TEST_F(CogoWindowsTest, CalculatorUseResultWritesIntoTheWaitingField)
{
    ASSERT_TRUE(Open());
    auto* panel = new CPointInDirection;
    ASSERT_TRUE(Frame().GetStackingBar()->PushDialog(panel));
    Pump();
    panel->FindWindow(CPointInDirection::IdDistance)->SetFocus();
    ASSERT_NO_FATAL_FAILURE(ExpectWaiting(*panel, CPointInDirection::IdDistance));

    CalculatorStack().clear();
    CCalculator* calc = ShowCalculator(&Frame(), 3e9);
    Pump();
    auto* key = dynamic_cast<CCalculatorButton*>(calc->FindWindow(calc_keys::Enter));
    ASSERT_NE(key, nullptr) << "the keys are the calculator's own";
    calc->PressKey(calc_keys::UseResult);
    EXPECT_EQ(Text(*panel, CPointInDirection::IdDistance), "3000000000");
    calc->PressKey(calc_keys::Clear);
    // The display keeps its values at the bottom; an open entry takes rows from it.
    auto* display = dynamic_cast<CCalculatorListBox*>(calc->FindWindow(CCalculator::IdStack));
    ASSERT_NE(display, nullptr);
    const std::vector<std::string> empty = display->GetRows();
    ASSERT_GT(empty.size(), 2u);
    EXPECT_EQ(empty.back(), "");
    calc->PressKey(calc_keys::Digit1 + 1);
    Pump();
    EXPECT_LT(display->GetRows().size(), empty.size());
    calc->PressKey(calc_keys::Enter);
    Pump();
    EXPECT_EQ(display->GetRows().size(), empty.size());
    EXPECT_EQ(display->GetRows().back(), "2");
    EXPECT_EQ(display->GetRows().front(), "");
    calc->PressKey(calc_keys::UseResult);
    EXPECT_EQ(Text(*panel, CPointInDirection::IdDistance), "2");
    CloseCalculator();
    Pump();
    Exit();
}
