#include "ProgramTest.h"

#include "cogo/ui/AnchorFields.h"
#include "core/DataExchange.h"
#include "core/FieldExchange.h"
#include "core/Format.h"
#include "core/NoValue.h"
#include "core/TextFieldExchange.h"
#include "framework/ui/DdxErrorDlg.h"
#include "framework/ui/DdxFieldFrame.h"
#include "framework/ui/EasyDialog.h"
#include "framework/ui/EasyEdit.h"
#include "framework/ui/ModalDialog.h"
#include "model/DataFileDoc.h"
#include "model/DataFileSmartHintManager.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/Interested.h"
#include "model/JobRawData.h"
#include "model/MorvelFile.h"
#include "model/JobFileDocSettings.h"
#include "model/JobFileMathConversions.h"
#include "model/MorvelSettings.h"
#include "model/SettingsShell.h"
#include "model/ui/MorvelFileSettings.h"
#include "model/OpenDocuments.h"
#include "platform/MessagePump.h"
#include "platform/ShellHooks.h"
#include "shell/CommandIds.h"
#include "shell/ui/MainFrame.h"
#include "model/TestJobDoc.h"
#include "views/ui/MorvelView.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <functional>
#include <utility>

using morvel::test::ProgramTest;
using morvel::test::WindowTest;

namespace {

// Every change hint the program broadcasts, in order.
class HintRecorder : public CInterested
{
public:
    void OnNotify(void*, int32_t code, intptr_t) override { codes.push_back(code); }
    bool Heard(int32_t code) const { return std::find(codes.begin(), codes.end(), code) != codes.end(); }
    std::vector<int32_t> codes;
};

// Records the validation pop-ups instead of showing them.
class PopUpRecorder
{
public:
    PopUpRecorder()
    {
        m_previous = SetDdxErrorHandler([this](const DdxErrorRequest& r) {
            messages.push_back(r.message);
            return 1;
        });
    }
    ~PopUpRecorder() { SetDdxErrorHandler(m_previous); }
    std::vector<std::string> messages;

private:
    DdxErrorHandler m_previous;
};

// Saves what the window shows as a PNG in the build folder.
bool SaveWindowScreenshot(wxWindow& window, const std::string& fileName)
{
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
        wxYield();
    }
    window.Update();
    const wxRect rect = window.GetScreenRect();
    wxBitmap bitmap(rect.width, rect.height, 24);
    wxMemoryDC memory(bitmap);
    wxScreenDC screen;
    memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    memory.SelectObject(wxNullBitmap);
    return bitmap.SaveFile(wxString::FromUTF8(std::string(MORVEL_TEST_OUTPUT_DIR) + "/" + fileName), wxBITMAP_TYPE_PNG);
}

template <typename T>
T* Control(CEasyDialog& dialog, int id)
{
    return dynamic_cast<T*>(dialog.FindWindow(id));
}

// The job settings dialog over a job of the program's own document class, reached from the job
// view's command as the menu reaches it.
class JobSettingsTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        if (IsSkipped())
            return;
        frame = new wxFrame(nullptr, wxID_ANY, "Morvel", wxDefaultPosition, wxSize(800, 600));
        job = std::make_unique<morvel::test::TestJobDoc>();
        job->AddView(&log);
        AddOpenDocument(job.get());
        CDataFileDoc::OnOpenDocumentsChanged();
        view = new CMorvelView(frame, job.get());
        SetActiveViewHandler([this](int32_t* kind) -> CView* {
            *kind = ViewKindJob;
            return &log;
        });
    }
    void TearDown() override
    {
        SetActiveViewHandler({});
        if (job) {
            RemoveOpenDocument(job.get());
            CDataFileDoc::OnOpenDocumentsChanged();
            job->RemoveView(&log);
            job->RemoveView(view);
        }
        if (frame)
            frame->Destroy();
        WindowTest::TearDown();
        job.reset();
    }

    // Runs "Job Settings..." as the job view's command; edit sets the fields as a person would and
    // may press OK more than once. Returns the dialog's answer.
    int RunJobSettings(const std::function<void(CMorvelFileSettings&)>& edit)
    {
        int answer = 0;
        ModalAnswerer previous = SetModalAnswerer([&](wxDialog& host) {
            auto* dialog = dynamic_cast<CMorvelFileSettings*>(CEasyDialog::FromHost(host));
            if (!dialog)
                return int(wxID_CANCEL);
            titles.push_back(host.GetTitle().utf8_string());
            edit(*dialog);
            answer = dialog->HasEnded() ? dialog->GetResult() : int(wxID_CANCEL);
            return answer;
        });
        CMorvelFileSettings dialog;
        dialog.DoModal(frame);
        SetModalAnswerer(previous);
        job->GetSmartHintManager()->Flush();
        return answer;
    }

    bool Heard(int32_t code) const
    {
        return std::find(log.hints.begin(), log.hints.end(), code) != log.hints.end();
    }

    // The active job view: keeps the hints it is sent and those broadcast to the program.
    struct HintLog : CView, CInterested
    {
        void OnUpdate(CView*, intptr_t hint, intptr_t) override { hints.push_back(int32_t(hint)); }
        void OnNotify(void*, int32_t code, intptr_t) override { hints.push_back(code); }
        bool IsDataFileView() const override { return true; }
        std::vector<int32_t> hints;
    } log;
    wxFrame* frame = nullptr;
    CMorvelView* view = nullptr;
    std::unique_ptr<morvel::test::TestJobDoc> job;
    std::vector<std::string> titles;
    PopUpRecorder popUps;
};

TEST_F(JobSettingsTest, OkWithoutChangeLeavesNoTrace)
{
    // A factor with more digits than six: the box must not round it on the way back.
    job->settings.SetUseScaleFactor(true);
    job->settings.SetScaleFactor(0.99995671);
    job->SetModifiedFlagOnly(false);
    job->GetSmartHintManager()->Flush();
    log.hints.clear();
    CDataFileUndoManager* undo = job->GetUndoManager();
    const int32_t steps = undo->GetStepCount();
    const size_t history = job->GetHistoryList().size();
    std::string shown;
    EXPECT_EQ(RunJobSettings([&](CMorvelFileSettings& d) {
                  shown = Control<wxTextCtrl>(d, CMorvelFileSettings::IdScaleFactor)->GetValue().utf8_string();
                  d.OnOK();
              }),
              wxID_OK);
    EXPECT_EQ(shown, "0.99995671");
    EXPECT_EQ(job->settings.GetScaleFactor(), 0.99995671);
    EXPECT_EQ(titles, std::vector<std::string>{"Job Settings"});
    EXPECT_EQ(undo->GetStepCount(), steps);
    EXPECT_EQ(job->GetHistoryList().size(), history);
    EXPECT_FALSE(job->IsModified());
    EXPECT_TRUE(log.hints.empty());
    EXPECT_TRUE(popUps.messages.empty());
}

TEST_F(JobSettingsTest, StakeoutOffsetAloneAppliesWithoutSettingsComments)
{
    const size_t lines = job->rawData.lines.size();
    RunJobSettings([](CMorvelFileSettings& d) {
        Control<wxTextCtrl>(d, CMorvelFileSettings::IdStakeoutOffset)->SetValue("2000");
        d.OnOK();
    });
    EXPECT_TRUE(job->IsModified());
    ASSERT_FALSE(job->GetHistoryList().empty());
    EXPECT_NE(job->GetHistoryList().back().find("Changed job settings"), std::string::npos);
    EXPECT_EQ(job->settings.GetStakeoutOffset(), 2000);
    EXPECT_TRUE(Heard(HintJobSettingsConfirmed));
    EXPECT_FALSE(Heard(HintJobSettingsChanged));
    EXPECT_EQ(job->rawData.lines.size(), lines);
}

TEST_F(JobSettingsTest, UnitChangeIsOneUndoStepWithHintAndComments)
{
    CDataFileUndoManager* undo = job->GetUndoManager();
    const int32_t steps = undo->GetStepCount();
    const size_t lines = job->rawData.lines.size();
    RunJobSettings([](CMorvelFileSettings& d) {
        Control<wxChoice>(d, CMorvelFileSettings::IdDistanceUnits)->SetSelection(2);
        d.OnOK();
    });
    EXPECT_EQ(undo->GetStepCount(), steps + 1);
    EXPECT_EQ(undo->GetUndoDescription(), "Change job settings");
    EXPECT_TRUE(Heard(HintJobSettingsChanged));
    EXPECT_TRUE(Heard(HintJobSettingsConfirmed));
    EXPECT_GT(job->rawData.lines.size(), lines);
    EXPECT_EQ(job->GetSurveyUnits(), 2);
}

TEST_F(JobSettingsTest, ZeroScaleFactorKeepsTheDialogOpen)
{
    bool openAfterRefusal = false;
    bool coefficientDisabled = false;
    const int answer = RunJobSettings([&](CMorvelFileSettings& d) {
        auto* check = Control<wxCheckBox>(d, CMorvelFileSettings::IdScaleFactorCheck);
        check->SetValue(true);
        d.OnScaleFactorClicked();
        Control<wxTextCtrl>(d, CMorvelFileSettings::IdScaleFactor)->SetValue("0");
        d.OnOK();
        openAfterRefusal = !d.HasEnded();
        // Clearing the curvature box disables "Coeff:" at once.
        Control<wxCheckBox>(d, CMorvelFileSettings::IdCurvatureCheck)->SetValue(false);
        d.OnCurvatureClicked();
        coefficientDisabled = !Control<wxChoice>(d, CMorvelFileSettings::IdCoefficient)->IsEnabled();
        Control<wxTextCtrl>(d, CMorvelFileSettings::IdScaleFactor)->SetValue("0.9996");
        d.OnOK();
    });
    EXPECT_EQ(answer, wxID_OK);
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_TRUE(coefficientDisabled);
    EXPECT_EQ(popUps.messages, std::vector<std::string>{"Invalid Value"});
    EXPECT_DOUBLE_EQ(job->settings.GetScaleFactor(), 0.9996);
}

TEST_F(JobSettingsTest, CommandOfTheJobViewAndScreenshot)
{
    job->AddPoint("1", 100, 200);
    job->AddPoint("B7", 110, 210);
    job->settings.SetUseScaleFactor(true);
    job->settings.SetScaleFactor(0.9999567123456); // all nine decimals in the box
    morvel::test::TempDir dir;
    const std::string path = dir.file("North Field.Mvj");
    morvel::test::WriteAllText(path, std::string(1500, 'x'));
    job->SetPathName(path, false);
    bool saved = false;
    std::string first, last, count, name, size;
    ModalAnswerer previous = SetModalAnswerer([&](wxDialog& host) {
        CEasyDialog* d = CEasyDialog::FromHost(host);
        first = d->FindWindow(CMorvelFileSettings::IdFirstPoint)->GetLabel().utf8_string();
        last = d->FindWindow(CMorvelFileSettings::IdLastPoint)->GetLabel().utf8_string();
        count = d->FindWindow(CMorvelFileSettings::IdPoints)->GetLabel().utf8_string();
        name = d->FindWindow(CMorvelFileSettings::IdFileName)->GetLabel().utf8_string();
        size = d->FindWindow(CMorvelFileSettings::IdFileSize)->GetLabel().utf8_string();
        host.Show();
        saved = SaveWindowScreenshot(host, "JobSettingsDialog.png");
        host.Hide();
        d->OnCancel();
        return d->GetResult();
    });
    view->OnJobSettings();
    SetModalAnswerer(previous);
    EXPECT_TRUE(saved);
    EXPECT_EQ(first, "1");
    EXPECT_EQ(last, "B7");
    EXPECT_EQ(count, "2");
    EXPECT_EQ(name, "North Field.Mvj");
    EXPECT_EQ(size, FormatByteSize(1500));
}

// The creation date is the job file's, not the moment the dialog opened.
TEST_F(JobSettingsTest, CreationDateIsTheJobFileHeaders)
{
    morvel::test::TempDir dir;
    const std::string path = dir.file("dated.Mvj");
    {
        CMorvelFile file;
        ASSERT_TRUE(file.Create(path.c_str()));
        JobFileHeader header;
        InitJobFileHeader(header);
        SystemTime t;
        t.year = 2019;
        t.month = 3;
        t.day = 7;
        t.hour = 8;
        t.minute = 5;
        t.second = 9;
        header.SetCreated(t);
        ASSERT_TRUE(file.WriteHeader(header));
        ASSERT_TRUE(file.Close());
    }
    job->SetPathName(path, false);
    std::string date, time;
    RunJobSettings([&](CMorvelFileSettings& d) {
        date = d.FindWindow(CMorvelFileSettings::IdCreationDate)->GetLabel().utf8_string();
        time = d.FindWindow(CMorvelFileSettings::IdCreationTime)->GetLabel().utf8_string();
        d.OnCancel();
    });
    EXPECT_EQ(date, "03-07-2019");
    EXPECT_EQ(time, "08:05:09");
}

TEST_F(JobSettingsTest, UnitCaptionsFollowTheJob)
{
    // A panel with a distance unit caption, open beside the job settings dialog.
    struct Captioned : CEasyDialog
    {
        void BuildControls() override { new wxStaticText(this, 6926, "?"); }
    };
    auto* panel = new Captioned;
    panel->Create(frame);
    const wxWindow* caption = panel->FindWindow(6926);
    EXPECT_EQ(caption->GetLabel().utf8_string(), job->GetMathConversions()->GetDistanceUnitLabel());
    const std::string before = caption->GetLabel().utf8_string();
    RunJobSettings([](CMorvelFileSettings& d) {
        Control<wxChoice>(d, CMorvelFileSettings::IdDistanceUnits)->SetSelection(0);
        d.OnOK();
    });
    EXPECT_EQ(caption->GetLabel().utf8_string(), job->GetMathConversions()->GetDistanceUnitLabel());
    EXPECT_NE(caption->GetLabel().utf8_string(), before);
}

// The whole road of the command: the job menu of the started program, the main frame, the job
// view, the dialog, and the open job.
TEST_F(ProgramTest, JobMenuRunsJobSettings)
{
    ASSERT_TRUE(Start());
    PopUpRecorder popUps; // after start-up, which installs the real balloon
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    ASSERT_NE(job, nullptr);
    const int32_t offset = static_cast<CJobFileDocSettings*>(job->GetJobSettings())->GetStakeoutOffset();
    dialogAnswer = [](wxDialog& host) {
        auto* dialog = dynamic_cast<CMorvelFileSettings*>(CEasyDialog::FromHost(host));
        if (!dialog)
            return int(wxID_CANCEL);
        Control<wxTextCtrl>(*dialog, CMorvelFileSettings::IdStakeoutOffset)->SetValue("12000");
        dialog->OnOK(); // out of range: stays open
        Control<wxTextCtrl>(*dialog, CMorvelFileSettings::IdStakeoutOffset)->SetValue("2500");
        dialog->OnOK();
        return dialog->GetResult();
    };
    wxCommandEvent command(wxEVT_MENU, IdJobSettings);
    Frame().ProcessWindowEvent(command);
    Pump();
    EXPECT_EQ(dialogsShown, std::vector<std::string>{"Job Settings"});
    EXPECT_EQ(popUps.messages, std::vector<std::string>{"Value must be greater than 0 and less than 9999."});
    EXPECT_NE(offset, 2500);
    EXPECT_EQ(static_cast<CJobFileDocSettings*>(job->GetJobSettings())->GetStakeoutOffset(), 2500);
    EXPECT_TRUE(job->IsModified());
}

TEST_F(WindowTest, ValidationBalloonTakesTheSideWithRoom)
{
    // A control at the right edge of a 1280-pixel screen: the balloon goes to its left.
    CDdxErrorDlg atRight(nullptr, "Invalid number.", {1180, 200, 1270, 222});
    atRight.LayoutBalloon(1280, 1024);
    EXPECT_LE(atRight.GetRect().GetRight(), 1180);
    EXPECT_EQ(atRight.GetRect().GetTop(), 200);

    CDdxErrorDlg atLeft(nullptr, "Invalid number.\nSecond line", {10, 200, 100, 222});
    atLeft.LayoutBalloon(1280, 1024);
    EXPECT_EQ(atLeft.GetRect().GetLeft(), 100);
    EXPECT_GT(atLeft.GetRect().GetHeight(), atRight.GetRect().GetHeight()); // one line per text line

    atLeft.Close(wxID_OK);
    EXPECT_EQ(atLeft.GetReturnCode(), wxID_OK);
}

// While the balloon shows, a dotted frame of its own runs round the field and crawls on by two
// pixels a tick; the shadow lets what lies behind show through every second pixel.
TEST_F(WindowTest, ValidationBalloonFramesTheFieldAndShadesWhatLiesBehind)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Field", wxPoint(100, 100), wxSize(400, 200));
    auto* field = new wxTextCtrl(frame, wxID_ANY, "12x", wxPoint(20, 20), wxSize(120, -1));
    auto* beside = new wxButton(frame, wxID_ANY, "OK", wxPoint(200, 20));
    frame->Show();
    Pump();
    const wxRect at = field->GetScreenRect();
    {
        CDdxErrorDlg balloon(frame, "Invalid number.", {at.x, at.y, at.GetRight() + 1, at.GetBottom() + 1});
        balloon.LayoutBalloon(1280, 1024);
        balloon.Show();
        Pump();
        CDdxFieldFrame* ring = balloon.GetFieldFrame();
        ASSERT_NE(ring, nullptr);
        EXPECT_TRUE(ring->IsShown());
        EXPECT_EQ(ring->GetScreenRect(), at);
        ring->Step();
        ring->Step();
        EXPECT_EQ(ring->GetPhase(), 4);
        const wxImage shadow = balloon.GetShadow().ConvertToImage();
        ASSERT_TRUE(shadow.IsOk());
        EXPECT_EQ(shadow.GetSize(), balloon.GetSize());
        for (const wxPoint p : {wxPoint(1, 0), wxPoint(0, 1), wxPoint(5, 8), wxPoint(2, 3)}) {
            SCOPED_TRACE(p.x * 1000 + p.y);
            EXPECT_EQ(shadow.GetRed(p.x, p.y) | shadow.GetGreen(p.x, p.y) | shadow.GetBlue(p.x, p.y), 0);
        }

        // The program loses the desktop: the red face alone, no frame; back: shadow and frame.
        const wxSize whole = balloon.GetSize();
        balloon.OnAppActivate(false);
        EXPECT_EQ(balloon.GetSize(), whole - wxSize(8, 8));
        EXPECT_FALSE(ring->IsShown());
        EXPECT_FALSE(balloon.HasFlag(wxSTAY_ON_TOP));
        balloon.OnAppActivate(true);
        EXPECT_EQ(balloon.GetSize(), whole);
        EXPECT_TRUE(ring->IsShown());
        EXPECT_EQ(balloon.GetShadow().GetSize(), whole);

        // A click released beside the field leaves the balloon; on the field it ends it (2).
        const auto release = [](wxWindow& window, wxPoint p) {
            wxMouseEvent up(wxEVT_LEFT_UP);
            up.SetPosition(p);
            up.SetEventObject(&window);
            window.ProcessWindowEvent(up);
        };
        release(*beside, wxPoint(5, 5));
        EXPECT_FALSE(balloon.IsClosed());
        release(*field, wxPoint(5, 5));
        EXPECT_TRUE(balloon.IsClosed());
        EXPECT_EQ(balloon.GetReturnCode(), wxID_CANCEL);
        balloon.Hide();
        EXPECT_EQ(balloon.GetFieldFrame(), nullptr);
    }
    // A field with no place on the screen gets no frame.
    {
        CDdxErrorDlg balloon(frame, "Invalid number.", {});
        balloon.Show();
        EXPECT_EQ(balloon.GetFieldFrame(), nullptr);
        balloon.Hide();
    }
    frame->Destroy();
}

namespace {

// The program's queue as the balloon's activation sees it: each dispatch runs `waiting` (what
// waited while the program was in the background) and says whether the program is quitting.
class ActivationQueue : public CMessageQueue
{
public:
    std::function<void()> waiting;
    bool quitting = false;
    int dispatches = 0;
    int DispatchWaitingMessages(uint32_t) override
    {
        ++dispatches;
        if (waiting)
            std::exchange(waiting, nullptr)();
        return quitting ? 0 : 1;
    }
    bool CanActiveDocDispatchHints() override { return true; }
    void RequestDeferredHints() override {}
};

wxRect ScreenOf(const ScreenRect& r) { return wxRect(r.left, r.top, r.Width(), r.Height()); }

} // namespace

// Back in front, the balloon the program raises for a refused field first lets what waited run
// (a layout that moved the field), then frames the field where it is now; a program that is
// closing leaves the balloon as it is; a field destroyed while the balloon waits has no frame.
TEST_F(ProgramTest, ValidationBalloonBackInFrontFramesTheFieldWhereItIsNow)
{
    ASSERT_TRUE(Start());
    struct NumberPanel : CEasyDialog
    {
        void BuildControls() override { new wxTextCtrl(this, 101, "12x", wxPoint(20, 20), wxSize(120, -1)); }
        void DoDataExchange(CDataExchange& dx) override { DDX_Double(&dx, 101, value, 2); }
        double value = 0;
    };
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Field", wxPoint(100, 100), wxSize(400, 200));
    auto* panel = new NumberPanel;
    panel->Create(frame);
    wxWindow* field = panel->FindWindow(101);
    ASSERT_NE(field, nullptr);
    frame->Show();
    Pump();
    ActivationQueue queue;
    CMessageQueue* const previous = GetMessageQueue();
    bool ran = false;
    const auto check = [&](CDdxErrorDlg* balloon) {
        const wxSize whole = balloon->GetSize();
        const wxRect before = field->GetScreenRect();
        ASSERT_NE(balloon->GetFieldFrame(), nullptr);
        EXPECT_EQ(balloon->GetFieldFrame()->GetScreenRect(), before);

        // Away: the face alone. A layout waits that moves the field 30 pixels down and 10 right.
        balloon->OnAppActivate(false);
        EXPECT_FALSE(balloon->IsFrameShown());
        int dispatchesSeen = 0;
        queue.waiting = [&] {
            field->Move(field->GetPosition() + wxPoint(10, 30));
            dispatchesSeen = queue.dispatches;
        };
        balloon->OnAppActivate(true);
        EXPECT_EQ(dispatchesSeen, 1) << "what waited ran first";
        EXPECT_TRUE(balloon->IsFrameShown());
        EXPECT_EQ(balloon->GetSize(), whole);
        const wxRect after = field->GetScreenRect();
        EXPECT_EQ(after.GetPosition(), before.GetPosition() + wxPoint(10, 30));
        EXPECT_EQ(ScreenOf(balloon->GetField()), after);
        CDdxFieldFrame* ring = balloon->GetFieldFrame();
        ASSERT_NE(ring, nullptr);
        EXPECT_TRUE(ring->IsShown());
        EXPECT_EQ(ring->GetScreenRect(), after);
        EXPECT_EQ(ScreenOf(ring->GetField()), after);
        EXPECT_EQ(balloon->GetShadow().GetSize(), whole);
        EXPECT_TRUE(SaveScreenshot(*frame, "validation_balloon_moved_field.png"));

        // Away again; back while the program is closing: nothing more happens.
        balloon->OnAppActivate(false);
        const wxSize face = balloon->GetSize();
        queue.quitting = true;
        queue.waiting = [&] { field->Move(field->GetPosition() + wxPoint(0, 20)); };
        balloon->OnAppActivate(true);
        EXPECT_FALSE(balloon->IsFrameShown());
        EXPECT_EQ(balloon->GetSize(), face);
        EXPECT_FALSE(ring->IsShown());
        EXPECT_EQ(ScreenOf(balloon->GetField()), after);

        // Back once the field has been destroyed: the balloon stands alone, with no frame.
        queue.quitting = false;
        queue.waiting = [&] { field->Destroy(); };
        balloon->OnAppActivate(true);
        EXPECT_TRUE(balloon->IsFrameShown());
        EXPECT_TRUE(balloon->GetField().IsEmpty());
        EXPECT_EQ(balloon->GetFieldFrame(), nullptr);
    };
    // Runs inside the balloon's own loop, against the locator the program gave it.
    panel->CallAfter([&] {
        CDdxErrorDlg* balloon = CDdxErrorDlg::GetShown();
        if (!balloon)
            return;
        ran = true;
        SetMessageQueue(&queue);
        check(balloon);
        SetMessageQueue(previous);
        balloon->Close(wxID_CANCEL);
    });
    EXPECT_FALSE(panel->UpdateDataEx(true));
    SetMessageQueue(previous);
    EXPECT_TRUE(ran) << "no balloon was raised";
    EXPECT_EQ(CDdxErrorDlg::GetShown(), nullptr);
    frame->Destroy();
}

// A survey field read through its own exchange (a menu command's value) and destroyed while the
// balloon for it waits: back in front the balloon stands alone; closed, the exchange gives the
// gone field no focus. Nothing reads the field once it has gone.
TEST_F(ProgramTest, ValidationBalloonOfAFieldsOwnExchangeForgetsTheDestroyedField)
{
    ASSERT_TRUE(Start());
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Field", wxPoint(100, 100), wxSize(400, 200));
    auto* panel = new wxPanel(frame);
    frame->Show();
    ActivationQueue queue;
    CMessageQueue* const previous = GetMessageQueue();
    for (const bool backInFront : {true, false}) {
        SCOPED_TRACE(backInFront ? "back in front" : "closed");
        CInteractiveAnchorControl* field = new CHorizontalDistanceControl(panel, 101, "12x");
        field->SetSize(20, 20, 120, -1);
        Pump();
        bool ran = false;
        panel->CallAfter([&] {
            CDdxErrorDlg* balloon = CDdxErrorDlg::GetShown();
            if (!balloon)
                return;
            ran = true;
            EXPECT_NE(balloon->GetFieldFrame(), nullptr);
            if (backInFront) {
                SetMessageQueue(&queue);
                balloon->OnAppActivate(false);
                queue.waiting = [&] { field->Destroy(); };
                balloon->OnAppActivate(true);
                SetMessageQueue(previous);
                EXPECT_TRUE(balloon->IsFrameShown());
                EXPECT_TRUE(balloon->GetField().IsEmpty());
                EXPECT_EQ(balloon->GetFieldFrame(), nullptr);
            } else {
                field->Destroy();
            }
            balloon->Close(wxID_CANCEL);
        });
        double value = NoValue;
        EXPECT_FALSE(field->Exchange(value, true, false));
        SetMessageQueue(previous);
        EXPECT_TRUE(ran) << "no balloon was raised";
        EXPECT_EQ(CDdxErrorDlg::GetShown(), nullptr);
    }
    frame->Destroy();
}

// A panel with a northing and an easting field, in that order.
class CoordinatePanel : public CEasyDialog
{
public:
    wxTextCtrl* northing = nullptr;
    wxTextCtrl* easting = nullptr;

protected:
    void BuildControls() override
    {
        northing = new wxTextCtrl(this, 101, "N");
        easting = new wxTextCtrl(this, 102, "E");
        SetCoordinateRole(northing, CoordinateRoleNorthing);
        SetCoordinateRole(easting, CoordinateRoleEasting);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(northing);
        sizer->Add(easting);
        SetSizerAndFit(sizer);
    }
    void DoDataExchange(CDataExchange& dx) override
    {
        DDX_String(&dx, 101, northingText);
        DDX_String(&dx, 102, eastingText);
    }

public:
    std::string northingText, eastingText;
};

TEST_F(WindowTest, CoordinateFieldsFollowTheOrderPreference)
{
    CMorvelSettings settings;
    SetMorvelSettings(&settings);
    settings.SetCoordOrder(false);
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "test", wxDefaultPosition, wxSize(300, 200));
    auto* panel = new CoordinatePanel;
    panel->Create(frame);
    panel->Layout();
    // Laid out for easting first: the easting is above and first in tab order.
    EXPECT_LT(panel->easting->GetPosition().y, panel->northing->GetPosition().y);
    EXPECT_EQ(panel->GetChildren().front(), panel->easting);

    settings.SetCoordOrder(true);
    CInterested::Broadcast(nullptr, HintFormatSettingsChanged, 0);
    CInterested::Broadcast(nullptr, HintFormatSettingsChanged, 0);
    panel->Layout();
    EXPECT_LT(panel->northing->GetPosition().y, panel->easting->GetPosition().y);
    EXPECT_EQ(panel->GetChildren().front(), panel->northing);

    // The exchange still reads each field by its own id.
    panel->northing->SetValue("5000");
    ASSERT_TRUE(panel->UpdateDataEx(true));
    EXPECT_EQ(panel->northingText, "5000");
    frame->Destroy();
    SetMorvelSettings(nullptr);
}

TEST_F(WindowTest, EditSelectsOrPutsCaretAtEndAfterFocus)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "test");
    auto* all = new CEasyEdit(frame, wxID_ANY, "12.345");
    auto* end = new CEasyEdit(frame, wxID_ANY, "P100");
    end->m_nFocusSelection = CEasyEdit::CaretAtEndOnFocus;
    all->OnPostGetFocus();
    long from = -1, to = -1;
    all->GetSelection(&from, &to);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 6);
    end->SetSelection(0, 2);
    end->OnPostGetFocus();
    end->GetSelection(&from, &to);
    EXPECT_EQ(from, 4);
    EXPECT_EQ(to, 4);
    frame->Destroy();
}

TEST_F(WindowTest, EnterMovesOnAndEscapeTellsTheJob)
{
    struct Shell : CSettingsShell
    {
        intptr_t NotifyActiveDocument(void*, int32_t hint, intptr_t) override
        {
            hints.push_back(hint);
            return 1;
        }
        std::vector<int32_t> hints;
    } shell;
    SetSettingsShell(&shell);
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "test", wxDefaultPosition, wxSize(300, 200));
    struct Panel : CEasyDialog
    {
        wxTextCtrl* first = nullptr;
        wxTextCtrl* second = nullptr;
        void BuildControls() override
        {
            auto* sizer = new wxBoxSizer(wxVERTICAL);
            first = new wxTextCtrl(this, 301, "1");
            second = new wxTextCtrl(this, 302, "2");
            sizer->Add(first);
            sizer->Add(second);
            SetSizerAndFit(sizer);
        }
    };
    auto* panel = new Panel;
    panel->Create(frame);
    frame->Show();
    panel->first->SetFocus();
    if (!WaitFor("the panel's field to take the keyboard focus", [&] { return wxWindow::FindFocus() == panel->first; })) {
        frame->Destroy();
        SetSettingsShell(nullptr);
        FAIL() << "the panel's field did not take the keyboard focus";
    }
    // A panel in a side bar has no OK to press: Enter acts as Tab.
    EXPECT_EQ(panel->OnEnterRelay(), 0);
    EXPECT_TRUE(panel->HandleKey(WXK_RETURN));
    EXPECT_TRUE(WaitFor("the next field to take the focus", [&] { return wxWindow::FindFocus() == panel->second; }));
    panel->HandleKey(WXK_ESCAPE);
    EXPECT_EQ(shell.hints, std::vector<int32_t>{HintEscape});
    frame->Destroy();
    SetSettingsShell(nullptr);
}

TEST_F(WindowTest, ModalDialogStaysOpenOnARefusedField)
{
    PopUpRecorder popUps;
    struct Distances : CEasyDialog
    {
        double distance = 0;
        void BuildControls() override
        {
            auto* sizer = new wxBoxSizer(wxVERTICAL);
            sizer->Add(new wxTextCtrl(this, 201, "abc"));
            SetSizerAndFit(sizer);
        }
        void DoDataExchange(CDataExchange& dx) override { DDX_HorizontalDistance(&dx, 201, distance); }
    } dialog;
    auto previous = SetModalAnswerer([&](wxDialog& host) {
        CEasyDialog* d = CEasyDialog::FromHost(host);
        d->OnOK();
        EXPECT_FALSE(d->HasEnded());
        // Enter in the field stands for OK in a dialog of its own.
        EXPECT_EQ(d->OnEnterRelay(), 1);
        static_cast<wxTextCtrl*>(d->FindWindow(201))->SetValue("12.5");
        d->OnOK();
        return d->GetResult();
    });
    EXPECT_EQ(dialog.DoModal(), wxID_OK);
    EXPECT_EQ(dialog.distance, 12.5);
    EXPECT_EQ(popUps.messages, std::vector<std::string>{"abc is not a valid horizontal distance."});
    SetModalAnswerer(previous);
}

} // namespace
