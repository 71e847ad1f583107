#include "ProgramTest.h"

#include "exchange/ui/ExportACad.h"
#include "exchange/ui/ExportAscii.h"
#include "exchange/ui/ExportLandXML.h"
#include "exchange/ui/ImportAsciiFileDialog.h"
#include "exchange/ui/ImportAutoCadFileDialog.h"
#include "exchange/ui/ImportLandXMLFileDialog.h"
#include "exchange/ui/ImportMorvelFileDialog.h"
#include "exchange/ui/PointBlockCheckListBox.h"
#include "framework/ui/CheckListBox.h"
#include "framework/ui/CustomButtons.h"
#include "framework/ui/DdxErrorDlg.h"
#include "framework/ui/FileDialog.h"
#include "framework/ui/StackingDialogBar.h"
#include "core/DataExchange.h"
#include "core/MathConversions.h"
#include "core/NoValue.h"
#include "model/DataFileDoc.h"
#include "model/DataFileDocSettings.h"
#include "model/DataFileSelOperator.h"
#include "model/JobFileMathConversions.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "shell/CommandIds.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "platform/MessageBox.h"
#include "transfer/browse/FsFileDialog.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <filesystem>

using morvel::test::Click;
using morvel::test::ClickInto;
using morvel::test::ProgramTest;
using morvel::test::SharedTestDataPath;
using morvel::test::TestDataPath;
using morvel::test::TypeUntil;
using morvel::test::YieldUntil;

namespace {

void Command(wxWindow& window, int id)
{
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(&window);
    window.ProcessWindowEvent(event);
}

// Every file prompt answers with the next path of the list (cancel once it is empty) and records
// the kind of file it was asked for.
class ScriptedPrompts
{
public:
    ScriptedPrompts()
    {
        m_previous = SetFileDialogRunner([this](FileDialogRequest& request) {
            offered.push_back(request.initialName);
            if (paths.empty())
                return int(IDCANCEL);
            request.chosenPaths = {paths.front()};
            paths.erase(paths.begin());
            return int(IDOK);
        });
    }
    ~ScriptedPrompts() { SetFileDialogRunner(std::move(m_previous)); }

    std::vector<std::string> paths;
    std::vector<std::string> offered;

private:
    FileDialogRunner m_previous;
};

// Answers the import dialog of type T: `act` sets its controls as a person would and presses
// Import; the dialog ends the way it decided (cancelled when it stayed open).
template <typename T>
std::function<int(wxDialog&)> Answer(std::function<void(T&)> act)
{
    return [act](wxDialog& host) {
        auto* dialog = dynamic_cast<T*>(CEasyDialog::FromHost(host));
        if (dialog == nullptr) {
            ADD_FAILURE() << "unexpected dialog " << host.GetTitle();
            return int(wxID_CANCEL);
        }
        act(*dialog);
        return dialog->HasEnded() ? dialog->GetResult() : int(wxID_CANCEL);
    };
}

void SetReport(wxWindow& dialog, bool on)
{
    static_cast<wxCheckBox*>(dialog.FindWindow(CImportFileDialog::IdReport))->SetValue(on);
}

void SelectAllPoints()
{
    CRecordDatabase* store = CDataFileDoc::GetActiveDoc()->GetRecordDatabase();
    CRecordCursor cursor = store->GetFirstRecord(0);
    while (CRecord* record = store->GetNextRecord(cursor))
        GetActiveSelectionOperator()->SelectObject(record);
}

int32_t PointCount() { return CDataFileDoc::GetActiveDoc()->GetPointDatabase()->GetCount(); }

} // namespace

TEST_F(ProgramTest, AsciiImportRefusesALayoutWithoutNorthingThenReadsTheSample)
{
    ASSERT_TRUE(Start());
    ScriptedPrompts prompts;
    prompts.paths = {SharedTestDataPath("bezitopo_topo0_pnezd.asc")};
    bool refusedOpen = false;
    std::string storedAfterRefusal;
    dialogAnswer = Answer<CImportAsciiFileDialog>([&](CImportAsciiFileDialog& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Import ASCII Coordinates");
        CEasyCheckListBox& list = *dialog.GetColumnList();
        ASSERT_EQ(list.GetCount(), 5u);
        dialog.OnBrowse();
        SetReport(dialog, false);
        list.Check(1, false); // the northing
        dialog.OnOK();
        refusedOpen = !dialog.HasEnded();
        storedAfterRefusal = ProfileValue("Import", "ColumnCheck1");
        list.Check(1, true);
        dialog.OnOK();
    });
    Command(Frame(), IdImportAscii);
    Pump();
    EXPECT_TRUE(refusedOpen);
    EXPECT_EQ(storedAfterRefusal, "<absent>");
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[0].rfind("Column definitions must have ", 0), 0u) << messages[0];
    EXPECT_EQ(messages.back(), "Imported 1311 points");
    EXPECT_EQ(PointCount(), 1311);
    EXPECT_EQ(ProfileValue("Import", "ColumnCheck1"), "1");
}

TEST_F(ProgramTest, JobImportOverwriteDisablesTheRenameTools)
{
    ASSERT_TRUE(Start());
    const std::string source = CopySample(TestDataPath("small_job.Mvj"), "source.Mvj");
    dialogAnswer = Answer<CImportMorvelFileDialog>([&](CImportMorvelFileDialog& dialog) {
        EXPECT_TRUE(dialog.FindWindow(CImportFileDialog::IdPreview)->IsEnabled());
        dialog.OnPointNameOption(1);
        EXPECT_FALSE(dialog.FindWindow(CImportFileDialog::IdOpenRules)->IsEnabled());
        EXPECT_FALSE(dialog.FindWindow(CImportFileDialog::IdPreview)->IsEnabled());
        SetReport(dialog, false);
        dialog.SetPathName(source);
        dialog.OnOK();
    });
    Command(Frame(), IdImportMorvelCoordinates);
    Pump();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().rfind("Imported ", 0), 0u) << messages.back();
    EXPECT_GT(PointCount(), 0);
    EXPECT_EQ(ProfileValue("Import", "Point Name Options"), "1");
}

TEST_F(ProgramTest, DxfImportRefusesABinaryDrawingAndKeepsTheDefinition)
{
    ASSERT_TRUE(Start());
    bool stayedOpen = false;
    std::string definitionBeforeAccept;
    dialogAnswer = Answer<CImportAutoCadFileDialog>([&](CImportAutoCadFileDialog& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Import AutoCAD DXF");
        auto* blocks = static_cast<wxCheckBox*>(dialog.FindWindow(CImportAutoCadFileDialog::IdImportPointBlocks));
        EXPECT_TRUE(blocks->GetValue());
        blocks->SetValue(false);
        dialog.OnImportPointBlocks();
        EXPECT_FALSE(dialog.FindWindow(CImportAutoCadFileDialog::IdUseCustom)->IsEnabled());
        EXPECT_FALSE(dialog.GetDefinitionList()->IsEnabled());
        EXPECT_EQ(dialog.GetDefinitionList()->GetString(3), "{Ignore}");
        // The user's layout, edited while it cannot be used, is still what gets stored.
        dialog.GetDefinitionList()->Check(2, true);
        static_cast<wxChoice*>(dialog.FindWindow(CImportFileDialog::IdUnits))->SetSelection(1);
        SetReport(dialog, false);
        dialog.SetPathName(SharedTestDataPath("ezdxf_bin_dxf_r12.dxf"));
        dialog.OnOK();
        stayedOpen = !dialog.HasEnded();
        definitionBeforeAccept = ProfileValue("Import", "Point Block Definition");
        dialog.SetPathName(SharedTestDataPath("ezdxf_Leica_Disto_S910.dxf"));
        // The answerer stands in for the modal run, so the window is shown only for the picture.
        wxWindow& host = *dialog.GetParent();
        host.Show();
        EXPECT_TRUE(SaveScreenshot(host, "exchange_import_dxf.png"));
        host.Hide();
        dialog.OnOK();
    });
    Command(Frame(), IdImportDxf);
    Pump();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(definitionBeforeAccept, "<absent>");
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[0], BinaryDxfRefusal);
    EXPECT_EQ(messages.back(), "Imported 11 points");
    EXPECT_EQ(ProfileValue("Import", "Point Block Definition"), "N1D1E1");
    EXPECT_EQ(ProfileValue("Import", "Import Data Blocks"), "0");
    CPointRecord* first = CDataFileDoc::GetActiveDoc()->GetPointDatabase()->FindPoint("1", true);
    ASSERT_NE(first, nullptr);
    EXPECT_NEAR(first->GetElevation(), -1.078038 * 0.3048, 1e-9);
}

// Typed into the DXF import's own field: a name with no file is refused at the field, the dialog
// keeping what was chosen; the bare name then finds the drawing another program saved as .dxf.
TEST_F(ProgramTest, DxfImportFieldTakesABareNameAsTheFileDialogDoes)
{
    ASSERT_TRUE(Start());
    CopySample(SharedTestDataPath("ezdxf_Leica_Disto_S910.dxf"), "site.dxf");
    const wxString typo = wxString::FromUTF8(home->file("site2"));
    const wxString bare = wxString::FromUTF8(home->file("site"));
    std::vector<std::string> balloons;
    wxDialog* shownHost = nullptr;
    whenShown = [&](wxDialog& shown) {
        if (auto* balloon = dynamic_cast<CDdxErrorDlg*>(&shown)) {
            balloons.push_back(balloon->GetMessage());
            if (shownHost)
                EXPECT_TRUE(SaveScreenshot(*shownHost, "import_dxf_file_not_found.png"));
            wxUIActionSimulator().Char(WXK_RETURN);
            EXPECT_TRUE(YieldUntil("the balloon to close", [&] { return balloon->IsClosed(); }));
        }
    };
    dialogAnswer = [&](wxDialog& host) {
        auto* dialog = dynamic_cast<CImportAutoCadFileDialog*>(CEasyDialog::FromHost(host));
        if (dialog == nullptr)
            return int(wxID_CANCEL);
        shownHost = &host;
        const auto use = [&](CImportAutoCadFileDialog* dialog) {
            host.Raise();
            auto& field = *static_cast<wxTextCtrl*>(dialog->FindWindow(CImportFileDialog::IdPath));
            auto& blocks =
                *static_cast<wxCheckBox*>(dialog->FindWindow(CImportAutoCadFileDialog::IdImportPointBlocks));
            auto& units = *static_cast<wxChoice*>(dialog->FindWindow(CImportFileDialog::IdUnits));
            wxWindow& importButton = *dialog->FindWindow(wxID_OK);
            ASSERT_TRUE(YieldUntil("the dialog to show", [&] { return host.IsShownOnScreen(); }));
            SetReport(*dialog, false);
            units.SetSelection(1);
            ASSERT_TRUE(ClickInto(blocks));
            ASSERT_TRUE(YieldUntil("the click to clear the box", [&] { return !blocks.GetValue(); }));
            ASSERT_TRUE(ClickInto(field));
            ASSERT_TRUE(TypeUntil(typo.utf8_str(), [&] { return field.GetValue() == typo; }));

            Click(importButton);
            ASSERT_TRUE(YieldUntil("a balloon to come and go", [&] { return !balloons.empty(); }));
            EXPECT_EQ(balloons, std::vector<std::string>{"File not found"});
            EXPECT_FALSE(dialog->HasEnded());
            EXPECT_TRUE(messages.empty()) << messages.front();
            EXPECT_EQ(field.GetValue(), typo);
            EXPECT_FALSE(blocks.GetValue());
            EXPECT_EQ(units.GetSelection(), 1);
            EXPECT_TRUE(YieldUntil("the field to get the keyboard", [&] { return wxWindow::FindFocus() == &field; }));

            // The refused name is selected: the right one typed over it, the same click imports.
            ASSERT_TRUE(TypeUntil(bare.utf8_str(), [&] { return field.GetValue() == bare; }));
            Click(importButton);
            EXPECT_TRUE(YieldUntil("the dialog to end", [&] { return dialog->HasEnded(); }));
        };
        host.CallAfter([&, dialog] {
            use(dialog);
            if (!dialog->HasEnded())
                dialog->OnCancel();
        });
        const int result = host.ShowModal();
        whenShown = {};
        return result;
    };
    Command(Frame(), IdImportDxf);
    Pump();
    EXPECT_EQ(balloons.size(), 1u);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Imported 11 points");
    CPointRecord* first = CDataFileDoc::GetActiveDoc()->GetPointDatabase()->FindPoint("1", true);
    ASSERT_NE(first, nullptr);
    EXPECT_NEAR(first->GetElevation(), -1.078038 * 0.3048, 1e-9);
}

// "Preview Renaming Report" reads the field as "Import" does: a name with no file is refused at
// the field in every import dialog, which stays as it was; an empty field asks for a file first.
TEST_F(ProgramTest, RenamingPreviewRefusesANameWithNoFileAtTheField)
{
    ASSERT_TRUE(Start());
    std::vector<std::string> balloons;
    std::vector<int> fields;
    const DdxErrorHandler previous = SetDdxErrorHandler([&](const DdxErrorRequest& r) {
        balloons.push_back(r.message);
        fields.push_back(r.controlId);
        return 1;
    });
    const std::string missing = home->file("site");
    for (const auto& [name, command] : {std::pair{"job", IdImportMorvelCoordinates}, std::pair{"ASCII", IdImportAscii},
                                        std::pair{"LandXML", IdImportLandXml}, std::pair{"DXF", IdImportDxf}}) {
        SCOPED_TRACE(name);
        balloons.clear();
        fields.clear();
        messages.clear();
        bool stayed = false;
        std::string kept;
        dialogAnswer = Answer<CImportFileDialog>([&](CImportFileDialog& dialog) {
            dialog.SetPathName(missing);
            dialog.OnPreviewRenamingReport();
            stayed = !dialog.HasEnded();
            kept = dialog.GetPathName();
            dialog.SetPathName("");
            dialog.OnPreviewRenamingReport();
        });
        Command(Frame(), command);
        Pump();
        EXPECT_EQ(balloons, std::vector<std::string>{"File not found"});
        EXPECT_EQ(fields, std::vector<int>{CImportFileDialog::IdPath});
        EXPECT_EQ(messages, std::vector<std::string>{"Choose a file first"});
        EXPECT_TRUE(stayed);
        EXPECT_EQ(kept, missing);
    }
    SetDdxErrorHandler(previous);
}

TEST_F(ProgramTest, LandXmlDescriptionChoiceCarriesToTheExport)
{
    ASSERT_TRUE(Start());
    dialogAnswer = Answer<CImportLandXMLFileDialog>([&](CImportLandXMLFileDialog& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Import LandXML File");
        EXPECT_EQ(dialog.GetDescriptionChoice()->GetStringSelection(), "desc");
        dialog.GetDescriptionChoice()->SetSelection(0);
        SetReport(dialog, false);
        dialog.SetPathName(SharedTestDataPath("derived_landxml_1_0_from_tops.xml"));
        dialog.OnOK();
    });
    Command(Frame(), IdImportLandXml);
    Pump();
    EXPECT_EQ(ProfileValue("Import", "Point Description Options"), "0");
    ASSERT_EQ(PointCount(), 2) << (messages.empty() ? "" : messages.back());

    Frame().ShowDialogBar(true);
    Command(Frame(), IdExportLandXml);
    Pump();
    auto* panel = dynamic_cast<CExportLandXML*>(Frame().GetStackingBar()->GetTopDialog());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetDescriptionChoice()->GetStringSelection(), "code");

    ScriptedPrompts prompts;
    const std::string target = home->file("out.xml");
    GetActiveSelectionOperator()->ClearSelection();
    std::vector<std::string> popUps;
    DdxErrorHandler previous = SetDdxErrorHandler([&popUps](const DdxErrorRequest& r) {
        popUps.push_back(r.message);
        return 1;
    });
    panel->OnExport();
    SetDdxErrorHandler(previous);
    EXPECT_EQ(popUps, std::vector<std::string>{"Nothing Selected."});
    EXPECT_TRUE(prompts.offered.empty());
    SelectAllPoints();
    Pump();
    prompts.paths = {target, target};
    messages.clear();
    panel->OnExport();
    panel->OnExport();
    EXPECT_EQ(messages, std::vector<std::string>(2, "Wrote 2 points to " + target));
    // The second export offers the file the first one wrote.
    ASSERT_EQ(prompts.offered.size(), 2u);
    EXPECT_EQ(prompts.offered[0], "");
    EXPECT_EQ(prompts.offered[1], "out.xml");
    EXPECT_TRUE(std::filesystem::exists(target));
}

TEST_F(ProgramTest, AutoCadExportWritesItsSettingsInTheJobUnit)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(ShowPointsOnMap({new CPointRecord("1", "A", CLocation(100, 200, 3), true),
                               new CPointRecord("2", "B", CLocation(110, 210, 4), true)}),
              nullptr);
    CDataFileDoc::GetActiveDoc()->GetJobSettings()->SetDistanceUnit(JobUnitInternationalFeet);
    SelectAllPoints();
    Frame().ShowDialogBar(true);
    auto* panel = Push<CExportACad>(IdExportDxf);
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->GetDefinitionList()->IsEnabled());
    auto* height = static_cast<wxTextCtrl*>(panel->FindWindow(CExportACad::IdTextHeight));
    EXPECT_FALSE(height->IsEnabled());
    EXPECT_EQ(panel->FindWindow(CExportACad::IdTextHeightUnit)->GetLabel(),
              CDataFileDoc::GetActiveDoc()->GetMathConversions()->GetDistanceUnitLabel());

    // Blocks off: a bad height does not stop it, and only the switch is stored.
    ScriptedPrompts prompts;
    const std::string plain = home->file("plain.dxf");
    prompts.paths = {plain};
    height->SetValue("tall");
    messages.clear();
    panel->OnOK();
    EXPECT_EQ(messages, std::vector<std::string>{"Wrote 2 points to " + plain});
    EXPECT_TRUE(std::filesystem::exists(plain));
    EXPECT_EQ(ProfileValue("Import", "Import Data Blocks"), "0");
    EXPECT_EQ(ProfileValue("Import", "Attribute Tag Ht"), "<absent>");
    EXPECT_EQ(ProfileValue("Import", "Point Block Definition"), "<absent>");
    EXPECT_NE(Frame().GetStackingBar()->GetTopDialog(), nullptr);

    // Blocks on in a feet job: the defaults go back as the user saw them; the prompt cancelled
    // still leaves them stored.
    auto* blocks = static_cast<wxCheckBox*>(panel->FindWindow(CExportACad::IdExportPointBlocks));
    blocks->SetValue(true);
    panel->OnExportPointBlocks();
    EXPECT_TRUE(height->IsEnabled());
    panel->UpdateDataEx(false);
    EXPECT_TRUE(SaveScreenshot(Frame(), "exchange_export_dxf.png"));
    messages.clear();
    panel->OnOK();
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(ProfileValue("Import", "Import Data Blocks"), "1");
    EXPECT_EQ(ProfileValue("Import", "Attribute Tag Ht"), "5.000000");
    EXPECT_EQ(ProfileValue("Import", "Attribute Tag Vs"), "3.000000");
    EXPECT_EQ(ProfileValue("Import", "Point Block Definition"), "N1D1E0");
}

// Through the program's real file dialog: a name typed without an extension is written with the
// drawing's, and that file is not replaced without a yes.
TEST_F(ProgramTest, DxfExportAddsTheExtensionAndAsksBeforeReplacingThatFile)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(ShowPointsOnMap({new CPointRecord("1", "A", CLocation(100, 200, 3), true)}), nullptr);
    SelectAllPoints();
    Frame().ShowDialogBar(true);
    auto* panel = Push<CExportACad>(IdExportDxf);
    ASSERT_NE(panel, nullptr);
    const std::string typed = home->file("out1");
    const std::string written = typed + ".Dxf";
    int shown = 0;
    std::string offeredAgain;
    // The first dialog gets the name typed; one shown again is cancelled.
    dialogAnswer = [&](wxDialog& dialog) {
        auto* files = dynamic_cast<CFileDialog*>(&dialog);
        if (files == nullptr)
            return int(wxID_CANCEL);
        if (++shown > 1) {
            offeredAgain = files->GetFilename().utf8_string();
            return int(wxID_CANCEL);
        }
        files->SetChosenPath(typed);
        return int(wxID_OK);
    };
    messages.clear();
    panel->OnOK();
    EXPECT_EQ(messages, std::vector<std::string>{"Wrote 1 points to " + written});
    EXPECT_TRUE(std::filesystem::exists(written));
    EXPECT_FALSE(std::filesystem::exists(typed));

    // Again over the file just written: the question names it, and No keeps it as it was.
    morvel::test::WriteAllText(written, "kept");
    shown = 0;
    messages.clear();
    answers = {IDNO};
    panel->OnOK();
    EXPECT_EQ(messages, std::vector<std::string>{"out1.Dxf already exists.\nDo you want to replace it?"});
    EXPECT_EQ(shown, 2);
    // Shown again with the file asked about: the bare name would get the filter's "dxf", and Save
    // would write out1.dxf beside it without a question.
    EXPECT_EQ(offeredAgain, "out1.Dxf");
    EXPECT_EQ(morvel::test::ReadAllText(written), "kept");
    EXPECT_TRUE(SaveScreenshot(Frame(), "exchange_export_dxf_replace_refused.png"));

    // The open form finds the same name through its extension.
    shown = 0;
    std::string opened;
    EXPECT_EQ(App().PromptOpenFileName(opened, FileTypeDxfImport, nullptr), IDOK);
    EXPECT_EQ(opened, written);
}

TEST_F(ProgramTest, AsciiExportWritesTheListOrderAndKeepsIt)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(ShowPointsOnMap({new CPointRecord("7", "FENCE", CLocation(300, 400, NoValue), true)}), nullptr);
    SelectAllPoints();
    Frame().ShowDialogBar(true);
    Command(Frame(), IdExportAscii);
    Pump();
    auto* panel = dynamic_cast<CExportAscii*>(Frame().GetStackingBar()->GetTopDialog());
    ASSERT_NE(panel, nullptr);
    // Description first, elevation left out: the row's data, not its place, says what it is.
    CEasyCheckListBox& list = *panel->GetColumnList();
    const wxString description = list.GetString(4);
    list.Delete(4);
    list.Insert(description, 0, reinterpret_cast<void*>(uintptr_t(4)));
    list.Check(0, true);
    list.Check(4, false);
    ScriptedPrompts prompts;
    const std::string target = home->file("out.txt");
    prompts.paths = {target};
    panel->OnExport();
    Pump();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Wrote 1 points to " + target);
    const std::string text = morvel::test::ReadAllText(target);
    EXPECT_EQ(text.substr(0, 7), "FENCE,7") << text;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(ProfileValue("Import", "ColumnType0"), "4");
    EXPECT_EQ(ProfileValue("Import", "ColumnCheck4"), "0");
}

TEST_F(ProgramTest, ExportPanelsLeadTheirLinesWithTheirPictures)
{
    ASSERT_TRUE(Start());
    Frame().ShowDialogBar(true);
    const struct
    {
        int command;
        int chipId;
        bool chipPicture;
    } panels[] = {{IdExportAscii, CExportAscii::IdChip, true},
                  {IdExportLandXml, CExportLandXML::IdChip, false},
                  {IdExportDxf, CExportACad::IdChip, false}};
    for (const auto& p : panels) {
        SCOPED_TRACE(p.command);
        Command(Frame(), p.command);
        Pump();
        wxWindow* panel = Frame().GetStackingBar()->GetTopDialog();
        ASSERT_NE(panel, nullptr);
        auto* purpose = dynamic_cast<CCustomWizardButton*>(panel->FindWindow(2420));
        ASSERT_NE(purpose, nullptr);
        EXPECT_TRUE(purpose->IsShown());
        EXPECT_EQ(dynamic_cast<CCustomWizardButton*>(panel->FindWindow(6923)) != nullptr, p.chipPicture);
        // A picture to the left of the text it leads, not over it.
        const wxWindow* chip = panel->FindWindow(p.chipId);
        ASSERT_NE(chip, nullptr);
        EXPECT_LT(purpose->GetRect().GetRight(), chip->GetRect().GetRight());
        EXPECT_LT(purpose->GetRect().GetBottom(), chip->GetRect().GetBottom());
    }
}
