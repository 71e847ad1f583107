#include "ProgramTest.h"

#include "cogo/ui/Adjustments.h"
#include "cogo/ui/InversePoints.h"
#include "cogo/ui/PointAdd.h"
#include "framework/ui/DdxErrorDlg.h"
#include "framework/ui/ModalDialog.h"
#include "framework/ui/StackingDialogBar.h"
#include "model/DataFileDoc.h"
#include "model/DataFileDocSettings.h"
#include "model/HintCodes.h"
#include "model/JobFileHeader.h"
#include "model/ui/MorvelFileSettings.h"
#include "model/DataFileSelOperator.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "platform/MessageBox.h"
#include "shell/CommandIds.h"
#include "shell/GlobalCommandIds.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/ZoomToPoint.h"
#include "views/MapCommands.h"
#include "views/ui/MorvelView.h"
#include "views/ui/PreviewMapCtrl.h"
#include "views/ui/ViewToolHost.h"

#include <wx/checkbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <chrono>
#include <filesystem>

// The refused field's balloon met with real keys and clicks: they come through the X server, so
// the toolkit decides which window hears them, as it does for a person.

using morvel::test::ProgramTest;
using morvel::test::Click;
using morvel::test::ClickInto;
using morvel::test::TypeUntil;
using morvel::test::YieldUntil;

namespace {

class BalloonInputTest : public ProgramTest
{
protected:
    bool Open() { return (map = StartWithTwoPoints()) != nullptr; }
    // Open(), then Zoom to Point with a name the job does not hold in its field, which has the
    // keyboard; null when it did not open or the field never took the keyboard.
    CZoomToPoint* OpenZoomToPointWithUnknownName()
    {
        if (!Open())
            return nullptr;
        wxCommandEvent open(wxEVT_MENU, IdZoomToPoint);
        Frame().ProcessWindowEvent(open);
        CZoomToPoint* dialog = CZoomToPoint::GetInstance();
        if (!dialog)
            return nullptr;
        dialog->GetPointField()->ChangeValue("9999");
        return ClickInto(*dialog->GetPointField()) ? dialog : nullptr;
    }
    static wxTextCtrl& Field(wxWindow& panel, int id) { return *static_cast<wxTextCtrl*>(panel.FindWindow(id)); }
    // Open() with the Inverse panel on top of the side bar; false when either did not come.
    bool OpenInverse()
    {
        if (!Open() || !(inverse = Push<CInversePoints>(IdInverse)))
            return false;
        inversePoint1 = &Field(*inverse, CInversePoints::IdPoint1);
        inversePoint2 = &Field(*inverse, CInversePoints::IdPoint2);
        return true;
    }
    CInversePoints* inverse = nullptr;
    wxTextCtrl* inversePoint1 = nullptr;
    wxTextCtrl* inversePoint2 = nullptr;


    // Clicks `button`, whose check refuses a field; `close` then runs inside the balloon and must
    // close it. What the balloon ended with (wxID_OK or wxID_CANCEL); 0 when none showed.
    int Refuse(wxWindow& button, const std::function<void()>& close)
    {
        int result = 0;
        whenShown = [&](wxDialog& shown) {
            auto* balloon = dynamic_cast<CDdxErrorDlg*>(&shown);
            if (!balloon)
                return;
            close();
            EXPECT_TRUE(YieldUntil("the balloon to close", [&] { return balloon->IsClosed(); }));
            if (!balloon->IsClosed())
                balloon->Close(wxID_ABORT);
            result = balloon->GetReturnCode();
        };
        Click(button);
        EXPECT_TRUE(YieldUntil("a balloon to come and go", [&] { return result != 0; }));
        whenShown = {};
        return result;
    }

    CPreviewMapCtrl* map = nullptr;
    // Types `key` while the balloon shows and waits until the program has had it: it must leave
    // the balloon up.
    static ::testing::AssertionResult TypeIntoBalloon(int key)
    {
        morvel::test::InputWatch watch(wxEVT_KEY_UP);
        wxUIActionSimulator().Char(key);
        if (auto waited = YieldUntil("the key to reach the program", [&] { return watch.heard; }); !waited)
            return waited;
        CDdxErrorDlg* balloon = CDdxErrorDlg::GetShown();
        if (!balloon || balloon->IsClosed())
            return ::testing::AssertionFailure() << "the key closed the balloon";
        return ::testing::AssertionSuccess();
    }
};

} // namespace

// Point 1 has the keyboard, and Solve refuses Point 2: however the balloon closes, what is typed
// next replaces Point 2 and leaves Point 1 as it was; Enter and Escape are the balloon's alone.
TEST_F(BalloonInputTest, TheInverseBalloonClosesOnKeysAndLeavesTheRefusedPointTheKeyboard)
{
    ASSERT_TRUE(OpenInverse());
    CInversePoints* panel = inverse;
    wxTextCtrl& point1 = *inversePoint1;
    wxTextCtrl& point2 = *inversePoint2;
    struct Case
    {
        const char* name;
        std::function<void()> close;
        int result;
    };
    const Case cases[] = {
        {"Enter",
         [&] {
             EXPECT_TRUE(SaveScreenshot(Frame(), "inverse_refused_point.png"));
             wxUIActionSimulator().Char(WXK_RETURN);
         },
         wxID_OK},
        {"Escape", [] { wxUIActionSimulator().Char(WXK_ESCAPE); }, wxID_CANCEL},
        {"a click into Point 2", [&] { Click(point2); }, wxID_CANCEL},
        {"a click on the balloon", [&] { Click(*CDdxErrorDlg::GetShown()); }, wxID_CANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        point1.ChangeValue("1");
        point2.ChangeValue("9999");
        ASSERT_TRUE(ClickInto(point1));
        EXPECT_EQ(Refuse(*panel->FindWindow(CInversePoints::IdSolve), c.close), c.result);
        EXPECT_TRUE(TypeUntil("2", [&] { return point1.GetValue() != "1" || point2.GetValue() != "9999"; }));
        EXPECT_EQ(point2.GetValue(), "2");
        EXPECT_EQ(point1.GetValue(), "1");
        EXPECT_EQ(Frame().GetStackingBar()->GetCurrent(), panel) << "the panel stays";
    }
    EXPECT_TRUE(messages.empty()) << messages.front();
    Exit();
}

// A click into a third field closes the balloon; the keyboard goes to the refused Northing, not
// to the Easting that had it before Add, and nothing is added.
TEST_F(BalloonInputTest, AClickElsewhereLeavesTheRefusedFieldTheKeyboard)
{
    ASSERT_TRUE(Open());
    auto* panel = Push<CPointAdd>(IdAddEditPoints);
    ASSERT_NE(panel, nullptr);
    panel->SetNameText("AP1");
    wxWindow& page = panel->GetLocationPage();
    wxTextCtrl& northing = Field(page, CPointLocationPosition::IdNorthing);
    wxTextCtrl& easting = Field(page, CPointLocationPosition::IdEasting);
    wxTextCtrl& elevation = Field(page, CPointLocationPosition::IdElevation);
    northing.ChangeValue("abc");
    easting.ChangeValue("5");
    ASSERT_TRUE(ClickInto(easting));
    EXPECT_EQ(Refuse(*panel->FindWindow(CPointAdd::IdAdd), [&] { Click(elevation); }), wxID_CANCEL);
    EXPECT_TRUE(TypeUntil("7", [&] { return northing.GetValue() != "abc" || easting.GetValue() != "5" ||
                                            !elevation.GetValue().empty(); }));
    EXPECT_EQ(northing.GetValue(), "7");
    EXPECT_EQ(easting.GetValue(), "5");
    EXPECT_EQ(elevation.GetValue(), "");
    EXPECT_EQ(CDataFileDoc::GetActiveDoc()->GetPointDatabase()->FindPoint("AP1", true), nullptr);
    Exit();
}

// A page of the Adjustments panel refuses a field: the keyboard goes to that field, not to the
// panel's selection chip, which takes no typing, nor to the field the page exchanged last.
TEST_F(BalloonInputTest, AnAdjustmentsPageLeavesItsRefusedFieldTheKeyboard)
{
    ASSERT_TRUE(Open());
    CPointDatabase& points = *CDataFileDoc::GetActiveDoc()->GetPointDatabase();
    for (const char* name : {"1", "2"})
        GetActiveSelectionOperator()->SelectObject(points.FindPoint(name, true));
    auto* panel = Push<CAdjustments>(IdTranslateRotateScale);
    ASSERT_NE(panel, nullptr);
    wxWindow& page = *panel->GetPage(0);
    wxTextCtrl& direction = Field(page, CTranslateAdjustBy::IdDirection);
    wxTextCtrl& distance = Field(page, CTranslateAdjustBy::IdDistance);
    wxTextCtrl& rise = Field(page, CTranslateAdjustBy::IdRise);
    struct Case
    {
        const char* name;
        const char* direction;
        const char* distance;
        wxTextCtrl* start;
        wxTextCtrl* refused;
        const char* typed;
    };
    // The second page checks Distance after exchanging Elevation: the keyboard still goes to
    // Distance, and nothing is lifted by a value meant for it.
    const Case cases[] = {{"a refused direction", "xyz", "10", &distance, &direction, "45"},
                          {"a distance checked after the elevation", "45", "", &direction, &distance, "4"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        direction.ChangeValue(c.direction);
        distance.ChangeValue(c.distance);
        rise.ChangeValue("0");
        ASSERT_TRUE(ClickInto(*c.start));
        EXPECT_EQ(Refuse(*page.FindWindow(CTranslateAdjustBy::IdApply), [] { wxUIActionSimulator().Char(WXK_ESCAPE); }),
                  wxID_CANCEL);
        EXPECT_TRUE(TypeUntil(c.typed, [&] {
            return direction.GetValue() != c.direction || distance.GetValue() != c.distance || rise.GetValue() != "0";
        }));
        EXPECT_EQ(c.refused->GetValue(), c.typed);
        for (wxTextCtrl* other : {&direction, &distance, &rise})
            if (other != c.refused)
                EXPECT_EQ(other->GetValue(), other == &direction ? c.direction : other == &distance ? c.distance : "0");
    }
    EXPECT_DOUBLE_EQ(points.FindPoint("1", true)->GetLocation().z, 100);
    Exit();
}

// Zoom to Point: Enter closes its balloon and leaves the window; Enter in its field zooms as
// Zoom does, and the field keeps the keyboard for the next name.
TEST_F(BalloonInputTest, EnterInZoomToPointZoomsAndClosesItsBalloon)
{
    CZoomToPoint* dialog = OpenZoomToPointWithUnknownName();
    ASSERT_NE(dialog, nullptr);
    wxTextCtrl& field = *dialog->GetPointField();
    EXPECT_EQ(Refuse(*dialog->FindWindow(wxID_OK), [] { wxUIActionSimulator().Char(WXK_RETURN); }), wxID_OK);
    ASSERT_EQ(CZoomToPoint::GetInstance(), dialog);
    EXPECT_TRUE(YieldUntil("the field to have the keyboard", [&] { return wxWindow::FindFocus() == &field; }));

    EXPECT_TRUE(TypeUntil("2", [&] { return field.GetValue() != "9999"; }));
    EXPECT_EQ(field.GetValue(), "2");
    wxUIActionSimulator().Char(WXK_RETURN);
    EXPECT_TRUE(YieldUntil("the zoom to show the point's description",
                           [&] { return dialog->GetDescriptionText()->GetLabel() == "B"; }));
    EXPECT_EQ(CZoomToPoint::GetInstance(), dialog);
    EXPECT_TRUE(YieldUntil("the field to have the keyboard again", [&] { return wxWindow::FindFocus() == &field; }));
    EXPECT_TRUE(messages.empty()) << messages.front();
    Exit();
}

// Add Points refuses Northing `1x2`: a key other than Enter or Escape leaves the balloon up and
// changes no field; after Enter or Escape the correction, typed at once and fast, lands whole.
TEST_F(BalloonInputTest, OnlyEnterAndEscapeCloseTheBalloonAndTheCorrectionLandsWhole)
{
    ASSERT_TRUE(Open());
    auto* panel = Push<CPointAdd>(IdAddEditPoints);
    ASSERT_NE(panel, nullptr);
    wxWindow& page = panel->GetLocationPage();
    wxTextCtrl& northing = Field(page, CPointLocationPosition::IdNorthing);
    wxTextCtrl& easting = Field(page, CPointLocationPosition::IdEasting);
    wxTextCtrl& elevation = Field(page, CPointLocationPosition::IdElevation);
    for (const int close : {int(WXK_RETURN), int(WXK_ESCAPE)}) {
        SCOPED_TRACE(close == WXK_RETURN ? "Enter" : "Escape");
        panel->SetNameText("AP1");
        northing.ChangeValue("1x2");
        easting.ChangeValue("100");
        elevation.ChangeValue("");
        ASSERT_TRUE(ClickInto(elevation));
        Refuse(*panel->FindWindow(CPointAdd::IdAdd), [&] {
            for (const int key : {int('5'), int('x'), int(WXK_BACK), int(WXK_TAB)}) {
                EXPECT_TRUE(TypeIntoBalloon(key)) << "key " << key;
                EXPECT_EQ(northing.GetValue(), "1x2");
                EXPECT_EQ(easting.GetValue(), "100");
                EXPECT_EQ(elevation.GetValue(), "");
            }
            // The correction follows the closing key straight away, before the balloon has gone.
            wxUIActionSimulator keys;
            keys.Char(close);
            keys.Text("1234.5");
        });
        EXPECT_TRUE(YieldUntil("the correction to land", [&] { return northing.GetValue() == "1234.5"; }))
            << "Northing " << northing.GetValue();
        EXPECT_EQ(easting.GetValue(), "100");
        EXPECT_EQ(elevation.GetValue(), "");
    }
    EXPECT_EQ(CDataFileDoc::GetActiveDoc()->GetPointDatabase()->FindPoint("AP1", true), nullptr);
    Exit();
}

// Job Settings, a real modal dialog, refuses its Scale Factor: another key leaves the balloon up
// and the field as it was; after Escape the correction lands whole and OK stores it.
TEST_F(BalloonInputTest, InAModalDialogOnlyEnterAndEscapeCloseTheBalloon)
{
    ASSERT_TRUE(Open());
    const ModalAnswerer scripted = SetModalAnswerer({});
    wxTextCtrl* scale = nullptr;
    int balloons = 0;
    whenShown = [&](wxDialog& shown) {
        if (dynamic_cast<CDdxErrorDlg*>(&shown)) {
            ++balloons;
            EXPECT_TRUE(TypeIntoBalloon('5'));
            EXPECT_EQ(scale->GetValue(), "0.99x6");
            wxUIActionSimulator keys;
            keys.Char(WXK_ESCAPE);
            keys.Text("0.9996");
            return;
        }
        auto* settings = dynamic_cast<CMorvelFileSettings*>(CEasyDialog::FromHost(shown));
        if (!settings)
            return;
        static_cast<wxCheckBox*>(settings->FindWindow(CMorvelFileSettings::IdScaleFactorCheck))->SetValue(true);
        settings->OnScaleFactorClicked();
        scale = &Field(*settings, CMorvelFileSettings::IdScaleFactor);
        scale->ChangeValue("0.99x6");
        EXPECT_TRUE(ClickInto(*scale));
        Click(*shown.FindWindow(wxID_OK));
        EXPECT_TRUE(YieldUntil("the correction to land", [&] { return balloons == 1 && scale->GetValue() == "0.9996"; }))
            << "Scale Factor " << scale->GetValue();
        EXPECT_TRUE(shown.IsShown()) << "the dialog stays after a refusal";
        Click(*shown.FindWindow(wxID_OK));
        EXPECT_TRUE(YieldUntil("the dialog to end", [&] { return !shown.IsShown(); }));
    };
    wxCommandEvent open(wxEVT_MENU, IdJobSettings);
    Frame().ProcessWindowEvent(open);
    whenShown = {};
    SetModalAnswerer(scripted);
    JobFileHeader header;
    InitJobFileHeader(header);
    CDataFileDoc::GetActiveDoc()->GetJobSettings()->StoreInHeader(header);
    EXPECT_DOUBLE_EQ(header.GetScaleFactor(), 0.9996);
    EXPECT_EQ(balloons, 1);
    Exit();
}

// Zoom to Point: Escape over its balloon closes the balloon alone; the window stays with the
// keyboard in its point field. Escape with no balloon closes the window.
TEST_F(BalloonInputTest, EscapeOverZoomToPointsBalloonLeavesTheWindow)
{
    CZoomToPoint* dialog = OpenZoomToPointWithUnknownName();
    ASSERT_NE(dialog, nullptr);
    wxTextCtrl& field = *dialog->GetPointField();
    EXPECT_EQ(Refuse(*dialog->FindWindow(wxID_OK),
                     [&] {
                         EXPECT_TRUE(TypeIntoBalloon('7'));
                         EXPECT_EQ(field.GetValue(), "9999");
                         wxUIActionSimulator keys;
                         keys.Char(WXK_ESCAPE);
                         keys.Char('2');
                     }),
              wxID_CANCEL);
    ASSERT_EQ(CZoomToPoint::GetInstance(), dialog) << "the window stays";
    EXPECT_TRUE(YieldUntil("the typed name to land", [&] { return field.GetValue() != "9999"; }));
    EXPECT_EQ(field.GetValue(), "2");
    wxUIActionSimulator().Char(WXK_RETURN);
    EXPECT_TRUE(YieldUntil("the zoom to show the point's description",
                           [&] { return dialog->GetDescriptionText()->GetLabel() == "B"; }));
    wxUIActionSimulator().Char(WXK_ESCAPE);
    EXPECT_TRUE(YieldUntil("the window to close", [] { return CZoomToPoint::GetInstance() == nullptr; }));
    EXPECT_TRUE(messages.empty()) << messages.front();
    Exit();
}

// Zoom to Point's balloon and a click on the map: the click closes the balloon, as over a side
// panel, and leaves no window disabled; the window stays with its refused name.
TEST_F(BalloonInputTest, AClickOnTheMapClosesZoomToPointsBalloon)
{
    CZoomToPoint* dialog = OpenZoomToPointWithUnknownName();
    ASSERT_NE(dialog, nullptr);
    wxTextCtrl& field = *dialog->GetPointField();
    EXPECT_EQ(Refuse(*dialog->FindWindow(wxID_OK),
                     [&] {
                         EXPECT_TRUE(SaveScreenshot(Frame(), "zoom_to_point_refused_name.png"));
                         Click(*map);
                     }),
              wxID_CANCEL);
    EXPECT_TRUE(Frame().IsEnabled());
    ASSERT_EQ(CZoomToPoint::GetInstance(), dialog);
    EXPECT_TRUE(dialog->GetFrame()->IsEnabled());
    EXPECT_EQ(field.GetValue(), "9999");
    EXPECT_EQ(CDdxErrorDlg::GetShown(), nullptr);
    Exit();
}

// The job file changes on disk while a balloon shows: the question whether to reload waits until
// the balloon has closed, since the main window is not in front meanwhile.
TEST_F(BalloonInputTest, TheJobFileWatchWaitsForTheBalloon)
{
    const std::string path = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj");
    ASSERT_TRUE(Start({path}));
    Frame().ShowDialogBar(true);
    CMorvelView* view = Frame().GetJobView();
    ASSERT_NE(view, nullptr);
    CDataFileDoc* job = view->GetJob();
    view->RecordFileState();
    auto* panel = Push<CPointAdd>(IdAddEditPoints);
    ASSERT_NE(panel, nullptr);
    panel->SetNameText("AP1");
    wxTextCtrl& northing = Field(panel->GetLocationPage(), CPointLocationPosition::IdNorthing);
    northing.ChangeValue("abc");
    ASSERT_TRUE(ClickInto(northing));
    ASSERT_TRUE(YieldUntil("the main window to be in front", [&] { return App().GetToolHost().IsForeground(false); }));
    messages.clear();
    answers = {IDNO};
    EXPECT_EQ(Refuse(*panel->FindWindow(CPointAdd::IdAdd),
                     [&] {
                         std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) +
                                                                    std::chrono::seconds(10));
                         view->PollJobFiles();
                         job->SendHint(nullptr, HintFlush, 0);
                         EXPECT_TRUE(messages.empty()) << messages.front();
                         wxUIActionSimulator().Char(WXK_ESCAPE);
                     }),
              wxID_CANCEL);
    EXPECT_TRUE(YieldUntil("the question once the balloon has gone", [&] {
        view->PollJobFiles();
        job->SendHint(nullptr, HintFlush, 0);
        return !messages.empty();
    }));
    EXPECT_EQ(messages.size(), 1u);
    Exit();
}

// A box runs its own loop above the balloon's (as a failure message shown meanwhile does), and
// the balloon is closed under it: once the box has closed, the balloon's loop ends too and the
// panel is the person's again.
TEST_F(BalloonInputTest, ABalloonClosedUnderAnotherBoxEndsWhenTheBoxCloses)
{
    ASSERT_TRUE(OpenInverse());
    CInversePoints* panel = inverse;
    wxTextCtrl& point1 = *inversePoint1;
    wxTextCtrl& point2 = *inversePoint2;
    point1.ChangeValue("1");
    point2.ChangeValue("9999");
    ASSERT_TRUE(ClickInto(point1));
    bool boxClosed = false;
    whenShown = [&](wxDialog& shown) {
        auto* balloon = dynamic_cast<CDdxErrorDlg*>(&shown);
        if (!balloon)
            return;
        wxDialog box(&Frame(), wxID_ANY, "Morvel");
        // The box holds the keyboard: the balloon is closed as its owner's going would close it.
        box.CallAfter([&] {
            balloon->Close(wxID_CANCEL);
            box.EndModal(wxID_OK);
        });
        box.ShowModal();
        boxClosed = true;
    };
    Click(*panel->FindWindow(CInversePoints::IdSolve));
    EXPECT_TRUE(YieldUntil("the balloon's loop to end once the box has closed",
                           [&] { return boxClosed && CDdxErrorDlg::GetShown() == nullptr; }));
    whenShown = {};
    EXPECT_TRUE(TypeUntil("2", [&] { return point2.GetValue() != "9999"; }));
    EXPECT_EQ(point2.GetValue(), "2");
    Exit();
}
