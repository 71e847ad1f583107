// The raw data panels in the running program, on a real instrument file: the Edit panel (apply,
// an invalid apply, undo), Find with Enter, Reduce twice with options kept over a restart, and
// the job view's regeneration on a setup in gons.
#include "FakeReportOutput.h"
#include "ProgramTest.h"

#include "cogo/ui/CoordinateFields.h"
#include "framework/GraphicDataExchange.h"
#include "model/PointRecord.h"

#include "core/DataExchange.h"
#include "core/Report.h"
#include "framework/ui/DdxErrorDlg.h"
#include "framework/ui/StackingDialogBar.h"
#include "framework/ui/WindowEvents.h"
#include "model/DataFileDoc.h"
#include "model/DataFileUndoManager.h"
#include "model/JobFileDocSettings.h"
#include "rawdata/RawDataFile.h"
#include "rawdata/records/RawDataRecord.h"
#include "rawdata/ui/EditRawDataRecord.h"
#include "rawdata/ui/FindRawRecordDlg.h"
#include "rawdata/ui/RawDataFieldListCtrl.h"
#include "rawdata/ui/RawDataRecordComboBoxEx.h"
#include "rawdata/ui/RawDataReport.h"
#include "rawdata/ui/RawPanels.h"
#include "rawdata/ui/ReduceRawData.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/RegenerationOptionsDlg.h"
#include "views/ui/MorvelView.h"
#include "views/ui/RawDataListCtrl.h"

#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <cstring>
#include <map>

using morvel::test::Click;
using morvel::test::ProgramTest;
using morvel::test::YieldUntil;

namespace {

void DeliverHints()
{
    wxCommandEvent deliver(EVT_DELIVER_HINTS_80D7);
    wxTheApp->GetTopWindow()->ProcessWindowEvent(deliver);
}

class RawPanelsTest : public ProgramTest
{
protected:
    // A job made from the instrument file, reduced with the options as given.
    void StartOnSample()
    {
        const std::string raw =
            CopySample(morvel::test::SharedTestDataPath("tops_nikon_raw_v200.raw"), "Survey.Mvr");
        dialogAnswer = [](wxDialog& dialog) {
            return CEasyDialog::FromHost(dialog) ? int(wxID_OK) : int(wxID_CANCEL);
        };
        ASSERT_TRUE(Start({raw}));
        Frame().SetSize(1100, 800);
        Pump();
        output.Install();
    }
    void TearDown() override
    {
        output.Restore();
        ProgramTest::TearDown();
    }
    CDataFileDoc& Job() { return *CDataFileDoc::GetActiveDoc(); }
    CRawDataFile& Raw() { return *RawDataFileOf(CDataFileDoc::GetActiveDoc()); }
    CMorvelView& View() { return *Frame().GetJobView(); }
    template <class T> T* Current() { return dynamic_cast<T*>(Frame().GetStackingBar()->GetCurrent()); }

    morvel::test::FakeReportOutput output;
};

} // namespace

TEST_F(RawPanelsTest, EditPanelAppliesRefusesAnInvalidRecordAndFollowsTheUndo)
{
    ASSERT_NO_FATAL_FAILURE(StartOnSample());
    View().ShowPointsTab();
    View().EditRawDataLine(7);
    Pump();
    auto* edit = Current<CEditRawDataRecord>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetTitle(), "Edit Raw Data Records");
    EXPECT_EQ(View().GetCurrentTab(), CMorvelView::RawDataTab);
    EXPECT_EQ(edit->GetLineNumberText()->GetLabel(), "8");
    const std::string before = Raw().GetRecord(7)->GetText();
    EXPECT_EQ(edit->GetLineTextField()->GetValue().utf8_string(), before);
    ASSERT_EQ(before.rfind("CO,", 0), 0u);
    EXPECT_EQ(edit->GetTypeChooser()->GetCount(), 13u);
    EXPECT_EQ(edit->GetTypeChooser()->GetString(0), "'CO' Comment:");
    EXPECT_EQ(edit->GetTypeChooser()->GetString(12), "'F2' Face Two:");
    EXPECT_EQ(edit->GetTypeChooser()->GetSelection(), 0);
    {
        // The chooser shows every type with the raw data list's image for it, from one builder.
        std::vector<wxBitmap> images;
        std::map<int32_t, int32_t> typeImages;
        CRawDataListCtrl::BuildImageList(images, typeImages, [this](int32_t icon) { return App().GetIcon(uint32_t(icon), true); });
        ASSERT_EQ(images.size(), 7u);
        for (unsigned type = 0; type < edit->GetTypeChooser()->GetCount(); ++type) {
            SCOPED_TRACE(type);
            const int32_t image = CRawDataListCtrl::GetRecordTypeImage(int32_t(type));
            ASSERT_EQ(typeImages.count(int32_t(type)), image >= 0 ? 1u : 0u);
            const wxBitmap shown = edit->GetTypeChooser()->GetItemBitmap(type);
            ASSERT_EQ(shown.IsOk(), image >= 0);
            if (image >= 0) {
                EXPECT_EQ(typeImages[int32_t(type)], image);
                const wxImage a = shown.ConvertToImage(), b = images[size_t(image)].ConvertToImage();
                ASSERT_EQ(a.GetSize(), b.GetSize());
                EXPECT_EQ(std::memcmp(a.GetData(), b.GetData(), size_t(a.GetWidth() * a.GetHeight() * 3)), 0);
            }
        }
    }
    CRawDataFieldListCtrl* fields = edit->GetFieldEditor();
    ASSERT_EQ(fields->GetRowCount(), 1u);
    // A note types over several lines; the line stays one line.
    fields->SetRowText(0, "Instrument checked\nby the party chief");
    edit->OnApply();
    EXPECT_EQ(Raw().GetRecord(7)->GetText(), "CO,Instrument checked by the party chief");
    EXPECT_EQ(Job().GetUndoManager()->GetUndoDescription(), "Edit Raw Data Line #7");
    EXPECT_EQ(edit->GetLineTextField()->GetValue().utf8_string(), "CO,Instrument checked by the party chief");
    const int32_t steps = Job().GetUndoManager()->GetStepCount();

    // As a side shot with a slope distance that is not a number: refused beside the fields.
    std::vector<std::string> refused;
    DdxErrorHandler previous = SetDdxErrorHandler([&](const DdxErrorRequest& request) {
        refused.push_back(request.message);
        return 1;
    });
    edit->GetTypeChooser()->SetSelection(RecordTypeSideShot);
    edit->OnTypeChanged();
    EXPECT_EQ(edit->GetLineTextField()->GetValue().utf8_string().rfind("SS,", 0), 0u);
    ASSERT_GT(fields->GetRowCount(), 3u);
    for (size_t i = 0; i < fields->GetRowCount(); ++i)
        if (fields->GetRow(i).entry.code == FieldSD)
            fields->SetRowText(i, "fifty");
    edit->OnApply();
    SetDdxErrorHandler(previous);
    EXPECT_EQ(refused, std::vector<std::string>{"Invalid Record"});
    EXPECT_EQ(Raw().GetRecord(7)->GetText(), "CO,Instrument checked by the party chief");
    EXPECT_EQ(Job().GetUndoManager()->GetStepCount(), steps);

    // Undo brings the instrument note back, and the panel with it.
    ASSERT_TRUE(Job().GetUndoManager()->Undo());
    DeliverHints();
    Pump();
    EXPECT_EQ(Raw().GetRecord(7)->GetText(), before);
    EXPECT_EQ(edit->GetLineTextField()->GetValue().utf8_string(), before);
    EXPECT_EQ(edit->GetTypeChooser()->GetSelection(), 0);
    EXPECT_EQ(edit->GetLineNumberText()->GetLabel(), "8");

    // A second edit command hands its line to the stacked panel.
    int32_t shot = 0;
    while (shot < Raw().GetLineCount() && Raw().GetRecord(shot)->GetType() != RecordTypeSideShot)
        ++shot;
    ASSERT_LT(shot, Raw().GetLineCount());
    View().EditRawDataLine(shot);
    Pump();
    EXPECT_EQ(Current<CEditRawDataRecord>(), edit);
    EXPECT_EQ(edit->GetLineNumberText()->GetLabel(), wxString::Format("%d", int(shot + 1)));
    EXPECT_EQ(edit->GetLineTextField()->GetValue().utf8_string(), Raw().GetRecord(shot)->GetText());
    EXPECT_EQ(edit->GetTypeChooser()->GetSelection(), RecordTypeSideShot);
    ASSERT_EQ(fields->GetRowCount(), record_codes::GetLayout(RecordTypeSideShot).size());
    EXPECT_EQ(fields->GetRow(0).label->GetLabel().utf8_string(), "Pt Name:");
    // A second build left nothing of the first behind: a label and a control a field, and the
    // menu button of a survey-value field that has a menu.
    size_t buttons = 0;
    for (size_t i = 0; i < fields->GetRowCount(); ++i)
        if (auto* field = dynamic_cast<CInteractiveControl*>(fields->GetRow(i).control))
            buttons += field->GetMenuButton() != nullptr ? 1 : 0;
    EXPECT_GT(buttons, 0u);
    EXPECT_EQ(fields->GetChildren().GetCount(), 2 * fields->GetRowCount() + buttons);
    // The time field is a 24-hour clock; stepping the hours wraps at midnight.
    for (size_t i = 0; i < fields->GetRowCount(); ++i) {
        if (auto* time = dynamic_cast<CRawTimeCtrl*>(fields->GetRow(i).control)) {
            EXPECT_EQ(time->GetValue(), "14:00:04");
            time->Step(0, 10);
            EXPECT_EQ(time->GetValue(), "00:00:04");
            EXPECT_TRUE(time->IsChanged());
            time->Step(0, -10);
            EXPECT_FALSE(time->IsChanged());
        }
    }
    // The point name row takes a point picked on the map.
    auto* picked = new CPointRecord("PK1", "", CLocation(7000, 9000, 10), true);
    ASSERT_NE(ShowPointsOnMap({picked}), nullptr);
    CPointControl* nameField = nullptr;
    for (size_t i = 0; i < fields->GetRowCount() && nameField == nullptr; ++i)
        nameField = dynamic_cast<CPointControl*>(fields->GetRow(i).control);
    ASSERT_NE(nameField, nullptr);
    if (!GetGraphicDataExchange().IsTarget(nameField))
        nameField->ActivateInteraction();
    ASSERT_TRUE(GetGraphicDataExchange().IsTarget(nameField));
    GetGraphicDataExchange().SetLocation(picked->GetLocation());
    GetGraphicDataExchange().SetPickTolerances(0.01, 0.01);
    GetGraphicDataExchange().Deliver(1, true);
    EXPECT_EQ(nameField->GetFieldText(), picked->GetName());
    GetGraphicDataExchange().Reset();
    Frame().SendSizeEvent();
    Pump();
    EXPECT_TRUE(SaveScreenshot(*Frame().GetBar(CMainFrame::DialogBarIndex), "raw_edit_panel.png"));
    Exit();
}

TEST_F(RawPanelsTest, FindRunsOnEnterAndSaysWhatWasNotFound)
{
    ASSERT_NO_FATAL_FAILURE(StartOnSample());
    raw_panels::OpenFind();
    Pump();
    auto* find = Current<CFindRawRecordDlg>();
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(View().GetCurrentTab(), CMorvelView::RawDataTab);
    find->GetKindRadio(RawSearchText)->SetValue(true);
    find->UpdateEnabling();
    EXPECT_TRUE(find->GetTextField()->IsEnabled());
    EXPECT_FALSE(find->GetPointNameField()->IsEnabled());
    find->GetTextField()->SetValue("Angle Units");
    find->GetTextField()->SetFocus();
    EXPECT_TRUE(find->HandleKey(WXK_RETURN));
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(View().GetFirstSelectedRawLine(), 9);
    // Backwards from there wraps round to the same line, tested last.
    find->Search(false);
    EXPECT_EQ(View().GetFirstSelectedRawLine(), 9);
    // "Edit Raw Data..." opens the editor on the line found; the Find panel stays stacked.
    raw_panels::EditSelectedLine();
    Pump();
    auto* edit = Current<CEditRawDataRecord>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetLineNumberText()->GetLabel(), "10");
    edit->OnCancel();
    Pump();
    ASSERT_EQ(Current<CFindRawRecordDlg>(), find);

    find->GetTextField()->SetValue("ANGLE UNITS"); // the text search minds the case
    EXPECT_TRUE(find->HandleKey(WXK_RETURN));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "\"ANGLE UNITS\" not found.");

    find->GetKindRadio(RawSearchLine)->SetValue(true);
    find->UpdateEnabling();
    find->GetLineField()->SetValue("0");
    find->Search(false);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], "\"Line #0\" not found.");
    Frame().SendSizeEvent();
    Pump();
    EXPECT_TRUE(SaveScreenshot(*Frame().GetBar(CMainFrame::DialogBarIndex), "raw_find_panel.png"));
    // What was searched for comes back with the next panel.
    EXPECT_EQ(CFindRawRecordDlg::KeptSearch().kind, RawSearchLine);
    Exit();
}

TEST_F(RawPanelsTest, ReduceTwiceRecordsTwoStepsAndTheOptionsOutliveARestart)
{
    ASSERT_NO_FATAL_FAILURE(StartOnSample());
    raw_panels::OpenReduce();
    Pump();
    auto* reduce = Current<CReduceRawData>();
    ASSERT_NE(reduce, nullptr);
    EXPECT_EQ(reduce->GetTitle(), "Raw Data Reduction");
    EXPECT_EQ(View().GetCurrentTab(), CMorvelView::RawDataTab);
    reduce->GetIgnoreDeletedCheck()->SetValue(true);
    CDataFileUndoManager* undo = Job().GetUndoManager();
    const int32_t steps = undo->GetStepCount();
    const size_t shown = output.barTexts.size();
    ASSERT_TRUE(reduce->OnReduce());
    ASSERT_TRUE(reduce->OnReduce());
    EXPECT_EQ(undo->GetStepCount(), steps + 2);
    EXPECT_EQ(undo->GetUndoDescription(), "Regenerate Coordinates");
    EXPECT_EQ(undo->GetStep(undo->GetCurrentIndex() - 1)->GetDescription(), "Regenerate Coordinates");
    EXPECT_EQ(output.barTexts.size(), shown + 2);
    EXPECT_FALSE(reduce->GetReport().IsEmpty());
    reduce->OnReport();
    EXPECT_EQ(output.editorTexts.size(), 1u);
    // The message bar's "Report" reaches the panel's button, which answers that it did the work.
    EXPECT_EQ(Frame().GetStackingBar()->ForwardToCurrent(0x8079, 0), 1);
    EXPECT_EQ(output.editorTexts.size(), 2u);
    EXPECT_EQ(ProfileValue("RegenerationOptions", "IgnoreDeletedPoint"), "1");
    EXPECT_EQ(ProfileValue("RegenerationOptions", "IgnoreStorePoint"), "0");
    Frame().SendSizeEvent();
    Pump();
    EXPECT_TRUE(SaveScreenshot(*Frame().GetBar(CMainFrame::DialogBarIndex), "raw_reduce_panel.png"));
    output.Restore();
    Exit();

    ASSERT_TRUE(Start());
    output.Install();
    raw_panels::OpenReduce();
    Pump();
    reduce = Current<CReduceRawData>();
    ASSERT_NE(reduce, nullptr);
    EXPECT_TRUE(reduce->GetIgnoreDeletedCheck()->GetValue());
    EXPECT_FALSE(reduce->GetIgnoreStoreCheck()->GetValue());
    Exit();
}

TEST_F(RawPanelsTest, RegenerationTakesTheGonsSetupAndCancelLeavesNoStep)
{
    ASSERT_NO_FATAL_FAILURE(StartOnSample());
    CJobFileDocSettings& settings = *Job().GetDocSettings();
    settings.SetAngleUnit(0);
    CDataFileUndoManager* undo = Job().GetUndoManager();
    const int32_t steps = undo->GetStepCount();

    // Cancel in the options: no step, and the settings as they were.
    dialogAnswer = [](wxDialog& dialog) {
        return dynamic_cast<CRegenerationOptionsDlg*>(CEasyDialog::FromHost(dialog)) ? int(wxID_CANCEL)
                                                                                       : int(wxID_OK);
    };
    EXPECT_FALSE(View().RegenerateCoordinates(0));
    EXPECT_EQ(undo->GetStepCount(), steps);
    EXPECT_EQ(settings.GetAngleUnits(), 0);

    // With the options given: the gons of the file become the job's angle unit, in one step.
    EXPECT_TRUE(View().RegenerateCoordinates(0x8000 | 2));
    EXPECT_EQ(settings.GetAngleUnits(), 1);
    EXPECT_EQ(settings.GetSurveyUnits(), 0);
    EXPECT_EQ(undo->GetStepCount(), steps + 1);
    EXPECT_EQ(undo->GetUndoDescription(), "Regerate coordinates");
    Pump();
    EXPECT_EQ(View().GetCurrentTab(), CMorvelView::RawDataTab);

    // 0x80BC: a popup went away; the raw list drops its highlighted row.
    View().GetRawList()->SetHotItem(3);
    wxCommandEvent clear(EVT_CLEAR_RAW_HOT_ROW_80BC);
    View().GetEventHandler()->ProcessEvent(clear);
    EXPECT_EQ(clear.GetInt(), 1);
    EXPECT_EQ(View().GetRawList()->GetHotItem(), -1);
    Exit();
}

TEST_F(RawPanelsTest, ReportPanelKeepsItsThreeOptions)
{
    ASSERT_NO_FATAL_FAILURE(StartOnSample());
    raw_panels::OpenReport();
    Pump();
    auto* report = Current<CRawDataReport>();
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(View().GetCurrentTab(), CMorvelView::RawDataTab);
    EXPECT_TRUE(report->GetNotesCheck()->GetValue());
    EXPECT_TRUE(report->GetNotesOnlyCheck()->IsEnabled());
    report->GetNotesCheck()->SetValue(false);
    report->OnNotesClicked();
    EXPECT_FALSE(report->GetNotesOnlyCheck()->IsEnabled());
    report->GetNumbersCheck()->SetValue(true);
    const size_t shown = output.barTexts.size();
    ASSERT_TRUE(report->OnViewReport());
    ASSERT_EQ(output.barTexts.size(), shown + 1);
    int64_t comments = 0;
    for (int32_t i = 0; i < Raw().GetLineCount(); ++i)
        comments += Raw().GetRecord(i)->GetType() == RecordTypeComment ? 1 : 0;
    EXPECT_EQ(report->GetReport().GetRowCount(), Raw().GetLineCount() - comments);
    ASSERT_TRUE(report->OnEditReport());
    EXPECT_EQ(output.editorTexts.size(), 1u);
    EXPECT_EQ(ProfileValue("RawDataReport", "Notes"), "0");
    EXPECT_EQ(ProfileValue("RawDataReport", "NotesOnly"), "0");
    EXPECT_EQ(ProfileValue("RawDataReport", "Numbers"), "1");
    Frame().SendSizeEvent();
    Pump();
    EXPECT_TRUE(SaveScreenshot(*Frame().GetBar(CMainFrame::DialogBarIndex), "raw_report_panel.png"));
    Exit();
}

TEST_F(RawPanelsTest, FocusReturnSurvivesTheFieldsAReuseOrAnUndoRebuilt)
{
    ASSERT_NO_FATAL_FAILURE(StartOnSample());
    std::vector<int32_t> shots;
    for (int32_t line = 0; line < Raw().GetLineCount() && shots.size() < 2; ++line)
        if (Raw().GetRecord(line)->GetType() == RecordTypeSideShot)
            shots.push_back(line);
    ASSERT_EQ(shots.size(), 2u);
    View().EditRawDataLine(shots[0]);
    Pump();
    auto* edit = Current<CEditRawDataRecord>();
    ASSERT_NE(edit, nullptr);
    CRawDataFieldListCtrl* fields = edit->GetFieldEditor();
    // A click into a survey-value field: it takes the keyboard and waits for a map pick.
    auto clickIntoValueField = [&] {
        CInteractiveControl* field = nullptr;
        for (size_t i = 0; i < fields->GetRowCount() && field == nullptr; ++i)
            if (fields->GetRow(i).entry.code == FieldSD)
                field = dynamic_cast<CInteractiveControl*>(fields->GetRow(i).control);
        ASSERT_NE(field, nullptr);
        field->SetFocus();
        if (!GetGraphicDataExchange().IsTarget(field))
            field->ActivateInteraction();
        ASSERT_TRUE(GetGraphicDataExchange().IsTarget(field));
    };

    // A double-click on another line re-uses the panel and builds its rows anew.
    ASSERT_NO_FATAL_FAILURE(clickIntoValueField());
    View().EditRawDataLine(shots[1]);
    Pump();
    ASSERT_EQ(Current<CEditRawDataRecord>(), edit);
    EXPECT_EQ(edit->GetLineTextField()->GetValue().utf8_string(), Raw().GetRecord(shots[1])->GetText());

    // An undo rebuilds the rows of the editor while Find covers it; Find closing hands it back.
    for (size_t i = 0; i < fields->GetRowCount(); ++i)
        if (fields->GetRow(i).entry.code == FieldSD)
            fields->SetRowText(i, "12.345");
    edit->OnApply();
    ASSERT_TRUE(Job().GetUndoManager()->CanUndo());
    ASSERT_NO_FATAL_FAILURE(clickIntoValueField());
    raw_panels::OpenFind();
    Pump();
    auto* find = Current<CFindRawRecordDlg>();
    ASSERT_NE(find, nullptr);
    ASSERT_TRUE(Job().GetUndoManager()->Undo());
    DeliverHints();
    Pump();
    EXPECT_EQ(edit->GetLineTextField()->GetValue().utf8_string(), Raw().GetRecord(shots[1])->GetText());
    find->OnCancel();
    Pump();
    EXPECT_EQ(Current<CEditRawDataRecord>(), edit);
    Exit();
}

// "Invalid Record" shows beside the whole field editor, not at one field: however its balloon
// closes, the correction typed next goes to the field the surveyor last typed in and replaces
// what is there, never into the point name the editor starts with.
TEST_F(RawPanelsTest, AfterAnInvalidRecordTheCorrectionLandsInTheFieldLastEdited)
{
    ASSERT_NO_FATAL_FAILURE(StartOnSample());
    int32_t shot = 0;
    while (shot < Raw().GetLineCount() && Raw().GetRecord(shot)->GetType() != RecordTypeSideShot)
        ++shot;
    ASSERT_LT(shot, Raw().GetLineCount());
    View().EditRawDataLine(shot);
    CEditRawDataRecord* edit = nullptr;
    ASSERT_TRUE(WaitFor("the Edit panel", [&] { return (edit = Current<CEditRawDataRecord>()) != nullptr; }));
    CRawDataFieldListCtrl* fields = edit->GetFieldEditor();
    auto rowOf = [&](int32_t code) -> wxTextCtrl* {
        for (size_t i = 0; i < fields->GetRowCount(); ++i)
            if (fields->GetRow(i).entry.code == code)
                return dynamic_cast<wxTextCtrl*>(fields->GetRow(i).control);
        return nullptr;
    };
    wxTextCtrl* name = rowOf(FieldPN);
    wxTextCtrl* slope = rowOf(FieldSD);
    wxTextCtrl* description = rowOf(FieldFC);
    ASSERT_TRUE(name && slope && description);
    const wxString pointName = name->GetValue(), code = description->GetValue();
    const std::string line = Raw().GetRecord(shot)->GetText();

    const std::pair<const char*, int> closes[] = {{"Escape", WXK_ESCAPE}, {"Enter", WXK_RETURN}};
    for (const auto& [how, key] : closes) {
        SCOPED_TRACE(how);
        slope->ChangeValue("");
        Click(*slope);
        ASSERT_TRUE(YieldUntil("Slope Dist to take the keyboard", [&] { return wxWindow::FindFocus() == slope; }));
        wxUIActionSimulator().Text("abc");
        ASSERT_TRUE(YieldUntil("abc in Slope Dist", [&] { return slope->GetValue() == "abc"; }));
        Click(*description);
        ASSERT_TRUE(YieldUntil("Description to take the keyboard", [&] { return wxWindow::FindFocus() == description; }));

        bool shown = false;
        whenShown = [&](wxDialog& dialog) {
            auto* balloon = dynamic_cast<CDdxErrorDlg*>(&dialog);
            if (!balloon)
                return;
            shown = true;
            wxUIActionSimulator().Char(key);
            EXPECT_TRUE(YieldUntil("the balloon to close", [&] { return balloon->IsClosed(); }));
            if (!balloon->IsClosed())
                balloon->Close(wxID_ABORT);
        };
        Click(*edit->FindWindow(CEditRawDataRecord::ApplyId));
        ASSERT_TRUE(YieldUntil("Invalid Record", [&] { return shown && !CDdxErrorDlg::GetShown(); }));
        whenShown = {};
        EXPECT_EQ(Raw().GetRecord(shot)->GetText(), line);

        wxUIActionSimulator().Text("7.7");
        EXPECT_TRUE(YieldUntil("the correction to land", [&] {
            return slope->GetValue() != "abc" || name->GetValue() != pointName || description->GetValue() != code;
        }));
        Pump();
        EXPECT_EQ(slope->GetValue(), "7.7");
        EXPECT_EQ(name->GetValue(), pointName);
        EXPECT_EQ(description->GetValue(), code);
        name->ChangeValue(pointName);
        description->ChangeValue(code);
    }
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_TRUE(SaveScreenshot(*Frame().GetBar(CMainFrame::DialogBarIndex), "raw_edit_corrected.png"));
    Exit();
}
