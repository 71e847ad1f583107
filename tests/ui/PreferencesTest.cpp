#include "ProgramTest.h"

#include "core/DataExchange.h"
#include "core/FieldExchange.h"
#include "framework/ui/EasyPropertyPage.h"
#include "framework/ui/WindowHelpers.h"
#include "framework/ui/ColorButton.h"
#include "framework/ui/CustomButtons.h"
#include "framework/ui/ModalDialog.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/Interested.h"
#include "model/MorvelSettings.h"
#include "platform/View.h"
#include "shell/CommandIds.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/RunUserPreferences.h"
#include "shell/ui/UserPreferences.h"
#include "transfer/ui/TransferPreferenceControls.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/popupwin.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <filesystem>

using morvel::test::ProgramTest;
using morvel::test::ReadAllText;
using morvel::test::WindowTest;

namespace {

// The hints the open job sends: to its views (3 and 7 reach only views) and to every listener.
class HintCounter : public CView, public CInterested
{
public:
    HintCounter() : m_job(CDataFileDoc::GetActiveDoc())
    {
        if (m_job)
            m_job->AddView(this);
    }
    ~HintCounter() override
    {
        if (m_job)
            m_job->RemoveView(this);
    }
    void OnUpdate(CView*, intptr_t hint, intptr_t) override { viewCodes.push_back(int32_t(hint)); }
    void OnNotify(void*, int32_t code, intptr_t) override { codes.push_back(code); }
    long Count(int32_t code) const { return std::count(codes.begin(), codes.end(), code); }
    long ViewCount(int32_t code) const { return std::count(viewCodes.begin(), viewCodes.end(), code); }
    std::vector<int32_t> codes, viewCodes;

private:
    CDataFileDoc* m_job;
};

class PopUps
{
public:
    PopUps()
    {
        m_previous = SetDdxErrorHandler([this](const DdxErrorRequest& r) {
            messages.push_back(r.message);
            return 1;
        });
    }
    ~PopUps() { SetDdxErrorHandler(m_previous); }
    std::vector<std::string> messages;

private:
    DdxErrorHandler m_previous;
};

template <typename T>
T* Control(wxWindow* page, int id)
{
    return dynamic_cast<T*>(page->FindWindow(id));
}

class PreferencesTest : public ProgramTest
{
protected:
    std::string ProfileText() { return ReadAllText((home->path() / "config" / "Morvel.ini").string()); }

    // Opens the sheet with "&File/Preferences..." and lets `use` work it like a person.
    int RunFromMenu(const std::function<void(CUserPreferences&)>& use)
    {
        int result = 0;
        dialogAnswer = [&](wxDialog& dialog) {
            auto* sheet = dynamic_cast<CUserPreferences*>(&dialog);
            if (!sheet)
                return int(wxID_CANCEL);
            use(*sheet);
            result = sheet->HasEnded() ? sheet->GetResult() : int(wxID_CANCEL);
            if (!sheet->HasEnded())
                sheet->PressCancel();
            return result;
        };
        wxCommandEvent command(wxEVT_MENU, IdPreferences);
        Frame().ProcessWindowEvent(command);
        Pump();
        dialogAnswer = nullptr;
        return result;
    }
};

TEST_F(PreferencesTest, CancelAfterEditingEveryPageLeavesTheProfileAsItWas)
{
    ASSERT_TRUE(Start());
    Pump();
    const std::string before = ProfileText();
    const int32_t baudBefore = GetMorvelSettings().GetBaudRate();
    const std::string eastingBefore = GetMorvelSettings().GetXCaption();
    std::vector<std::string> pages;
    RunFromMenu([&](CUserPreferences& sheet) {
        EXPECT_EQ(sheet.GetActiveIndex(), CUserPreferences::ColorsPage);
        sheet.GetColorsPage()->GetButton(0)->OnColorCommand(ColorMenuFirstId + 9);
        for (int i = 1; i < sheet.GetPageCount(); ++i) {
            ASSERT_TRUE(sheet.SetActivePage(i)) << i;
            pages.push_back(sheet.GetPage(i)->GetTitle().utf8_string());
        }
        Control<wxCheckBox>(sheet.GetDisplayPage(), 1043)->SetValue(false);
        Control<wxChoice>(sheet.GetTransferPage(), CUserPreferencesTransferPage::IdBaud)->SetSelection(0);
        Control<wxSlider>(sheet.GetSnapPage(), CUserPreferencesSnapPage::IdSlider)->SetValue(9);
        Control<wxCheckBox>(sheet.GetGeneralPage(), 1060)->SetValue(true);
        Control<wxTextCtrl>(sheet.GetFormatPage(), CUserPreferencesFormatPage::IdEastingLabel)->SetValue("X");
        sheet.GetRenameRulesPage()->OnRuleClicked(4);
        sheet.PressCancel();
    });
    EXPECT_EQ(pages, (std::vector<std::string>{"Display", "Transfer", "Snap", "General", "Format", "Rename Rules"}));
    EXPECT_EQ(ProfileText(), before);
    EXPECT_EQ(GetMorvelSettings().GetBaudRate(), baudBefore);
    EXPECT_EQ(GetMorvelSettings().GetXCaption(), eastingBefore);
}

TEST_F(PreferencesTest, OkWithoutVisitingSendsOneJobHintAndNoFontHint)
{
    ASSERT_TRUE(Start());
    Pump();
    HintCounter hints;
    EXPECT_EQ(RunFromMenu([](CUserPreferences& sheet) { sheet.PressOK(); }), wxID_OK);
    EXPECT_EQ(hints.Count(HintJobSettingsChanged), 1);
    EXPECT_EQ(hints.ViewCount(HintFontsChanged), 0);
    EXPECT_EQ(hints.ViewCount(HintRefreshAll), 1);
    EXPECT_EQ(ProfileValue("Colors", "Graphics Background"), "253");
    EXPECT_EQ(ProfileValue("Transfer", "ShowSettings"), "0");
}

TEST_F(PreferencesTest, ColorRulesKeepThePage)
{
    ASSERT_TRUE(Start());
    Pump();
    bool keptPage = false, refusedOk = false;
    RunFromMenu([&](CUserPreferences& sheet) {
        CUserPreferencesColorsPage* page = sheet.GetColorsPage();
        // 253 and 253 + 64 are one colour of the table.
        page->GetButton(ColorCursor)->OnColorCommand(ColorMenuFirstId + 253 - 64);
        keptPage = !sheet.SetActivePage(CUserPreferences::DisplayPage) &&
                   sheet.GetActiveIndex() == CUserPreferences::ColorsPage;
        sheet.PressOK();
        refusedOk = !sheet.HasEnded();
        page->OnSetToDefault();
        for (size_t i = 0; i < 8; ++i)
            EXPECT_EQ(page->GetButton(i)->GetColor(), PreferenceColors[i].defaultIndex);
        sheet.PressOK();
    });
    EXPECT_TRUE(keptPage);
    EXPECT_TRUE(refusedOk);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "The graphics cursor cannot be the same color as the graphics background.");
    EXPECT_EQ(ProfileValue("Colors", "Cursor"), "2");
}

TEST_F(PreferencesTest, FoldersAreCheckedWhenLeavingTheGeneralPage)
{
    ASSERT_TRUE(Start());
    Pump();
    const std::string storedBackup = ProfileValue("File", "Default Backup Path");
    const std::string jobs = home->path().string() + "/";
    RunFromMenu([&](CUserPreferences& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(CUserPreferences::GeneralPage));
        wxWindow* page = sheet.GetGeneralPage();
        Control<wxTextCtrl>(page, CUserPreferencesGeneralPage::IdJobFolder)->SetValue(jobs + "missing/");
        EXPECT_FALSE(sheet.SetActivePage(CUserPreferences::FormatPage));
        Control<wxTextCtrl>(page, CUserPreferencesGeneralPage::IdJobFolder)->SetValue(jobs);
        Control<wxCheckBox>(page, CUserPreferencesGeneralPage::IdBackupDownloads)->SetValue(false);
        sheet.GetGeneralPage()->OnBackupDownloadsClicked();
        Control<wxTextCtrl>(page, CUserPreferencesGeneralPage::IdBackupFolder)->SetValue(jobs + "gone/");
        sheet.PressOK();
    });
    EXPECT_EQ(messages, std::vector<std::string>{"Job folder does not exist."});
    EXPECT_EQ(ProfileValue("File", "Default Path"), jobs);
    EXPECT_EQ(ProfileValue("File", "Default Backup Path"), storedBackup);
    EXPECT_FALSE(GetMorvelSettings().GetEnableBackups());
}

TEST_F(PreferencesTest, RefusedFieldsKeepTheirPage)
{
    ASSERT_TRUE(Start());
    Pump();
    PopUps popUps;
    RunFromMenu([&](CUserPreferences& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(CUserPreferences::TransferPage));
        wxWindow* transfer = sheet.GetTransferPage();
        Control<wxCheckBox>(transfer, CUserPreferencesTransferPage::IdScaleCheck)->SetValue(true);
        sheet.GetTransferPage()->UpdateCorrectionControls();
        Control<wxTextCtrl>(transfer, CUserPreferencesTransferPage::IdScale)->SetValue("0");
        EXPECT_FALSE(sheet.SetActivePage(CUserPreferences::FormatPage));
        Control<wxTextCtrl>(transfer, CUserPreferencesTransferPage::IdScale)->SetValue("0.9996");
        // Family switch and back: the first model of the family.
        Control<wxRadioButton>(transfer, CUserPreferencesTransferPage::IdLumora)->SetValue(true);
        sheet.GetTransferPage()->OnFamilyChanged();
        EXPECT_EQ(sheet.GetTransferPage()->GetDeviceIconId(), CUserPreferencesTransferPage::LumoraIcon);
        EXPECT_EQ(Control<wxChoice>(transfer, CUserPreferencesTransferPage::IdModel)->GetString(0), "Zentra 4");
        Control<wxRadioButton>(transfer, CUserPreferencesTransferPage::IdNikon)->SetValue(true);
        sheet.GetTransferPage()->OnFamilyChanged();
        EXPECT_EQ(Control<wxChoice>(transfer, CUserPreferencesTransferPage::IdModel)->GetSelection(), 0);

        ASSERT_TRUE(sheet.SetActivePage(CUserPreferences::FormatPage));
        Control<wxTextCtrl>(sheet.GetFormatPage(), CUserPreferencesFormatPage::IdNorthingLabel)->SetValue("");
        EXPECT_FALSE(sheet.SetActivePage(CUserPreferences::RenameRulesPage));
        Control<wxTextCtrl>(sheet.GetFormatPage(), CUserPreferencesFormatPage::IdNorthingLabel)->SetValue("N");

        ASSERT_TRUE(sheet.SetActivePage(CUserPreferences::RenameRulesPage));
        wxWindow* rename = sheet.GetRenameRulesPage();
        EXPECT_TRUE(Control<wxRadioButton>(rename, 2748)->GetValue()); // a fresh profile: "Start after:"
        EXPECT_TRUE(rename->FindWindow(CUserPreferencesRenameRulesPage::IdNextRound)->IsEnabled());
        EXPECT_FALSE(rename->FindWindow(CUserPreferencesRenameRulesPage::IdStartNumber)->IsEnabled());
        Control<wxTextCtrl>(rename, CUserPreferencesRenameRulesPage::IdStartNumber)->SetValue("abc"); // not checked
        sheet.GetRenameRulesPage()->OnRuleClicked(3);
        // The field takes no more than 14 characters.
        auto* designator = Control<wxTextCtrl>(rename, CUserPreferencesRenameRulesPage::IdDesignator);
        designator->SetValue("ABCDEFGHIJKLMNO");
        EXPECT_LE(designator->GetValue().length(), 14u);
        designator->SetValue("KX");
        sheet.PressOK();
    });
    EXPECT_EQ(popUps.messages, (std::vector<std::string>{"Invalid Value", "Enter a value."}));
    EXPECT_EQ(ProfileValue("Rename Rules", "Designator"), "KX");
    EXPECT_EQ(ProfileValue("Rename Rules", "Rule"), "3");
    EXPECT_EQ(ProfileValue("Transfer", "Def SF"), "0.9996");
    EXPECT_EQ(GetMorvelSettings().GetModelIndex(), 0);
}

TEST_F(PreferencesTest, StoredDesignatorTooLongIsShownWholeAndRefused)
{
    morvel::test::WriteAllText((home->path() / "config" / "Morvel.ini").string(),
                               "[Rename Rules]\nDesignator=ABCDEFGHIJKLMNOPQ\nRule=3\n");
    ASSERT_TRUE(Start());
    Pump();
    PopUps popUps;
    std::string shown;
    RunFromMenu([&](CUserPreferences& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(CUserPreferences::RenameRulesPage));
        auto* designator = Control<wxTextCtrl>(sheet.GetRenameRulesPage(), CUserPreferencesRenameRulesPage::IdDesignator);
        shown = FromWx(designator->GetValue());
        sheet.PressOK();
        EXPECT_FALSE(sheet.HasEnded());
        designator->SetValue("B");
        sheet.PressOK();
    });
    EXPECT_EQ(shown, "ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(popUps.messages, std::vector<std::string>{"Please enter no more than 14 characters."});
    EXPECT_EQ(ProfileValue("Rename Rules", "Designator"), "B");
}

TEST_F(PreferencesTest, OnlyTheGridFontSendsTheFontHint)
{
    ASSERT_TRUE(Start());
    Pump();
    HintCounter hints;
    int call = 0;
    FontChooser previous = SetFontChooser([&](wxWindow*, LogFont& font) {
        font.faceName = call++ == 0 ? "Report Face" : "Grid Face";
        font.height = -16;
        return true;
    });
    std::string caption;
    RunFromMenu([&](CUserPreferences& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(CUserPreferences::DisplayPage));
        sheet.GetDisplayPage()->OnChooseFont(FontReportTitle);
        sheet.PressOK();
    });
    EXPECT_EQ(hints.ViewCount(HintFontsChanged), 0);
    EXPECT_EQ(GetMorvelSettings().GetReportTitleFont().faceName, "Report Face");
    RunFromMenu([&](CUserPreferences& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(CUserPreferences::DisplayPage));
        sheet.GetDisplayPage()->OnChooseFont(FontGrid);
        caption = sheet.GetDisplayPage()->FindWindow(1893)->GetLabel().utf8_string();
        sheet.PressOK();
    });
    SetFontChooser(previous);
    EXPECT_EQ(hints.ViewCount(HintFontsChanged), 1);
    EXPECT_NE(caption.find(".Grid Face"), std::string::npos) << caption;
    // The default faces, not on this desktop, show as the desktop's sans face, whole.
    std::string labelsCaption;
    EXPECT_EQ(RunFromMenu([&](CUserPreferences& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(CUserPreferences::DisplayPage));
        const wxWindow* labels = sheet.GetDisplayPage()->FindWindow(1892);
        ASSERT_NE(labels, nullptr);
        labelsCaption = labels->GetLabel().utf8_string();
        EXPECT_GE(labels->GetSize().x, labels->GetBestSize().x) << labelsCaption;
        sheet.PressOK();
    }), wxID_OK);
    // An empty caption would pass the checks below without the page having been looked at.
    const size_t dot = labelsCaption.find('.');
    ASSERT_NE(dot, std::string::npos) << labelsCaption;
    EXPECT_FALSE(labelsCaption.substr(dot + 1).empty()) << labelsCaption;
    for (const char* windowsSans : {"MS Sans Serif", "MS Shell Dlg", "Arial", "Tahoma"})
        EXPECT_EQ(labelsCaption.find(windowsSans), std::string::npos) << labelsCaption;
}

namespace {

// The colour grid a button opened: a shown popup among its children; null when none shows.
wxPopupTransientWindow* ShownGrid(wxWindow& button)
{
    for (wxWindow* child : button.GetChildren())
        if (auto* grid = dynamic_cast<wxPopupTransientWindow*>(child); grid && grid->IsShown())
            return grid;
    return nullptr;
}

// The numbers of the grid cells that spill out of their cell: each cell is drawn alone on a ground
// of a colour no cell uses, and any pixel outside the cell that is not ground is ink.
std::vector<int> SpilledNumbers(const CColorMenu& menu, std::initializer_list<int> indices)
{
    const wxColour ground(12, 201, 34);
    std::vector<int> spilled;
    for (int index : indices) {
        const wxRect cell = menu.GetItemRect(index);
        // Room to the right of the last column for a spill to land on.
        wxBitmap bitmap(menu.GetGridSize() + wxSize(cell.width, 0));
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(wxBrush(ground));
            dc.Clear();
            menu.DrawItem(dc, index, false);
        }
        const wxImage image = bitmap.ConvertToImage();
        bool ink = false;
        for (int y = 0; y < image.GetHeight() && !ink; ++y)
            for (int x = 0; x < image.GetWidth() && !ink; ++x)
                ink = !cell.Contains(x, y) && wxColour(image.GetRed(x, y), image.GetGreen(x, y),
                                                         image.GetBlue(x, y)) != ground;
        if (ink)
            spilled.push_back(index);
    }
    return spilled;
}

// Escape as the toolkit delivers it: first to the top-level window of `at`, then to `at`.
void PressEscape(wxWindow& at)
{
    wxKeyEvent hook(wxEVT_CHAR_HOOK);
    hook.m_keyCode = WXK_ESCAPE;
    hook.SetEventObject(&at);
    if (at.GetEventHandler()->ProcessEvent(hook) && !hook.GetSkipped())
        return;
    wxKeyEvent down(wxEVT_KEY_DOWN);
    down.m_keyCode = WXK_ESCAPE;
    down.SetEventObject(&at);
    at.GetEventHandler()->ProcessEvent(down);
}

} // namespace

// Escape closes the colour grid without a pick and leaves the Preferences open, wherever the
// key lands: on the sheet that has the keyboard or on the grid.
TEST_F(PreferencesTest, EscapeClosesTheColourGridWithoutAPick)
{
    ASSERT_TRUE(Start());
    Pump();
    bool savedOpen = false, savedClosed = false;
    RunFromMenu([&](CUserPreferences& sheet) {
        sheet.Show();
        sheet.Raise();
        ASSERT_EQ(sheet.GetActiveIndex(), CUserPreferences::ColorsPage);
        CColorButton* button = sheet.GetColorsPage()->GetButton(0);
        ASSERT_NE(button, nullptr);
        const int32_t colour = button->GetColor();
        int picks = 0;
        sheet.GetColorsPage()->Bind(wxEVT_BUTTON, [&](wxCommandEvent& e) {
            picks += e.GetId() == button->GetId();
            e.Skip();
        });
        for (const bool onTheGrid : {false, true}) {
            SCOPED_TRACE(onTheGrid ? "the key lands on the grid" : "the key lands on the sheet");
            button->SetFocus();
            button->OnClicked();
            ASSERT_TRUE(WaitFor("the grid to open", [&] { return ShownGrid(*button) != nullptr; }));
            wxPopupTransientWindow* grid = ShownGrid(*button);
            ASSERT_NE(grid, nullptr);
            if (!onTheGrid) {
                savedOpen = SaveScreenshot(sheet, "colour_grid_open.png") &&
                            SaveScreenshot(*grid, "colour_grid_cells.png");
                // Every number shows whole, the widest three-digit ones too.
                EXPECT_EQ(SpilledNumbers(*CColorButton::GetSharedMenu(0), {1, 16, 99, 100, 188, 255}),
                          std::vector<int>{});
            }
            PressEscape(onTheGrid ? static_cast<wxWindow&>(*grid) : *button);
            EXPECT_TRUE(WaitFor("the grid to close", [&] { return ShownGrid(*button) == nullptr; }));
            EXPECT_FALSE(sheet.HasEnded());
            EXPECT_TRUE(sheet.IsShown());
            EXPECT_EQ(button->GetColor(), colour);
            EXPECT_EQ(picks, 0);
        }
        savedClosed = SaveScreenshot(sheet, "colour_grid_escaped.png");
        // With the grid gone, Escape is the sheet's again.
        PressEscape(*button);
        Pump();
        EXPECT_TRUE(sheet.HasEnded());
    });
    EXPECT_TRUE(savedOpen);
    EXPECT_TRUE(savedClosed);
}

TEST_F(PreferencesTest, SnapSliderAndScreenshot)
{
    ASSERT_TRUE(Start());
    Pump();
    bool saved = false;
    int cursorAt3 = 0, cursorAt10 = 0;
    RunFromMenu([&](CUserPreferences& sheet) {
        sheet.Show();
        sheet.Raise();
        saved = SaveScreenshot(sheet, "preferences.png");
        ASSERT_TRUE(sheet.SetActivePage(CUserPreferences::TransferPage));
        saved = SaveScreenshot(sheet, "preferences-transfer.png") && saved;
        ASSERT_TRUE(sheet.SetActivePage(CUserPreferences::SnapPage));
        auto* slider = Control<wxSlider>(sheet.GetSnapPage(), CUserPreferencesSnapPage::IdSlider);
        slider->SetValue(3);
        sheet.GetSnapPage()->OnSliderMoved();
        cursorAt3 = sheet.GetSnapPage()->GetPreviewCursorId();
        slider->SetValue(10);
        sheet.GetSnapPage()->OnSliderMoved();
        cursorAt10 = sheet.GetSnapPage()->GetPreviewCursorId();
        Control<wxTextCtrl>(sheet.GetSnapPage(), CUserPreferencesSnapPage::IdXSpacing)->SetValue("1e-7");
        sheet.Hide();
        sheet.PressOK();
    });
    EXPECT_TRUE(saved);
    EXPECT_EQ(cursorAt3, 1884);
    EXPECT_EQ(cursorAt10, 1891);
    EXPECT_EQ(GetMorvelSettings().GetPickBoxSize(), 20);
    EXPECT_EQ(GetMorvelSettings().GetGridXSpacing(), 1e-7);
    EXPECT_EQ(ProfileValue("SNAP", "Grid X Spacing"), "1e-07");
}

TEST_F(PreferencesTest, PortListShowsTheDevicesAndKeepsTheStoredOne)
{
    ASSERT_TRUE(Start());
    Pump();
    // A machine with one built-in port and one adapter, as the kernel and udev show them.
    namespace fs = std::filesystem;
    const std::string sys = home->file("sys"), dev = home->file("dev");
    fs::create_directories(sys + "/ttyS0");
    morvel::test::WriteAllText(sys + "/ttyS0/type", "4");
    fs::create_directories(sys + "/ttyUSB0");
    fs::create_directories(dev + "/serial/by-id");
    const std::string adapter = dev + "/serial/by-id/usb-Test_Adapter-if00";
    fs::create_symlink("../../ttyUSB0", adapter);
    const std::string unplugged = "/dev/serial/by-id/usb-Unplugged-if00";

    TransferSettings stored;
    GetMorvelSettings().GetTransferSettings(stored);
    stored.comPort = 7;
    stored.comDevice = unplugged;
    GetMorvelSettings().SetTransferSettings(stored);
    std::vector<std::string> shown;
    std::string selected;
    RunFromMenu([&](CUserPreferences& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(CUserPreferences::TransferPage));
        auto* ports = Control<CComPortComboBox>(sheet.GetTransferPage(), CUserPreferencesTransferPage::IdPort);
        ports->SetRoots(sys, dev);
        sheet.GetTransferPage()->UpdateDataEx(false);
        for (unsigned i = 0; i < ports->GetCount(); ++i)
            shown.push_back(ports->GetString(i).utf8_string());
        selected = ports->GetStringSelection().utf8_string();
        ports->SetSelection(1);
        sheet.PressOK();
    });
    // The unplugged adapter stays listed under its number, so opening the page loses nothing.
    EXPECT_EQ(shown, (std::vector<std::string>{"COM 1 (ttyS0)", "COM 2 (ttyUSB0)", "COM 7 (usb-Unplugged-if00)"}));
    EXPECT_EQ(selected, "COM 7 (usb-Unplugged-if00)");
    // The chosen adapter is stored by its stable name beside its number.
    EXPECT_EQ(GetMorvelSettings().GetComPort(), 2);
    EXPECT_EQ(GetMorvelSettings().GetComDevice(), adapter);
}

TEST_F(PreferencesTest, PagesLeadTheirGroupsWithPictures)
{
    ASSERT_TRUE(Start());
    Pump();
    // The pictures each page shows: 2420 and, on Display, 6923 too.
    const struct
    {
        int page;
        bool first, second;
    } pages[] = {{CUserPreferences::ColorsPage, false, false},  {CUserPreferences::DisplayPage, true, true},
                 {CUserPreferences::TransferPage, true, false}, {CUserPreferences::SnapPage, true, false},
                 {CUserPreferences::GeneralPage, false, false}, {CUserPreferences::FormatPage, true, false},
                 {CUserPreferences::RenameRulesPage, false, false}};
    bool saved = false;
    RunFromMenu([&](CUserPreferences& sheet) {
        sheet.Show();
        sheet.Raise();
        for (const auto& p : pages) {
            SCOPED_TRACE(p.page);
            ASSERT_TRUE(sheet.SetActivePage(p.page));
            wxWindow* page = sheet.GetPage(p.page);
            auto* first = dynamic_cast<CCustomWizardButton*>(page->FindWindow(PreferencesPictureId));
            auto* second = dynamic_cast<CCustomWizardButton*>(page->FindWindow(PreferencesSecondPictureId));
            EXPECT_EQ(first != nullptr, p.first);
            EXPECT_EQ(second != nullptr, p.second);
            // Each picture stands inside the page, clear of the group it leads.
            for (wxWindow* picture : {static_cast<wxWindow*>(first), static_cast<wxWindow*>(second)}) {
                if (!picture)
                    continue;
                EXPECT_TRUE(wxRect(page->GetClientSize()).Contains(picture->GetRect()));
                EXPECT_TRUE(picture->IsShownOnScreen());
            }
            if (first && second)
                EXPECT_LT(first->GetRect().GetBottom(), second->GetRect().GetTop());
            if (p.page == CUserPreferences::DisplayPage) {
                // Each font's bold caption shows whole.
                for (int id : {1892, 1893, 1895, 1897}) {
                    const wxWindow* caption = page->FindWindow(id);
                    ASSERT_NE(caption, nullptr);
                    SCOPED_TRACE(caption->GetLabel().utf8_string());
                    EXPECT_TRUE(caption->GetFont().GetWeight() >= wxFONTWEIGHT_BOLD);
                    EXPECT_GE(caption->GetSize().x, caption->GetTextExtent(caption->GetLabel()).x);
                }
                saved = SaveScreenshot(sheet, "preferences-display.png");
            }
        }
        sheet.Hide();
    });
    EXPECT_TRUE(saved);
}

// A page whose one field must not be empty.
class NamedPage : public CEasyPropertyPage
{
public:
    NamedPage() : CEasyPropertyPage("Named") {}
    void BuildControls() override { new wxTextCtrl(this, 100); }
    void DoDataExchange(CDataExchange& dx) override
    {
        std::string text = FromWx(static_cast<wxTextCtrl*>(FindWindow(100))->GetValue());
        dx.PrepareEditCtrl(100);
        if (dx.m_bSaveAndValidate)
            DDV_NotEmptyText(&dx, 100, text);
    }
};

TEST_F(WindowTest, WizardSheetsValidateOnlyOnNext)
{
    PopUps popUps;
    for (const bool wizard : {false, true}) {
        SCOPED_TRACE(wizard);
        CEasyPropertySheet sheet("Sheet", nullptr, 0);
        auto* first = new NamedPage;
        auto* second = new NamedPage;
        sheet.AddPage(first);
        sheet.AddPage(second);
        sheet.SetWizardMode(wizard);
        sheet.CreateSheet();
        EXPECT_TRUE(first->IsModified()); // activation marks the page
        EXPECT_FALSE(second->IsModified());
        // An empty field keeps a plain sheet on its page; a wizard moves on without a check.
        EXPECT_EQ(sheet.SetActivePage(1), wizard);
        EXPECT_EQ(first->OnWizardNext(), -1);
        static_cast<wxTextCtrl*>(first->FindWindow(100))->SetValue("x");
        EXPECT_EQ(first->OnWizardNext(), 0);
    }
    EXPECT_EQ(popUps.messages.size(), 3u); // the plain page, then Next on each sheet
}

TEST_F(WindowTest, ColorButtonsShareTheirMenusAndAlwaysNotify)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "colours");
    const int before = CColorButton::GetSharedMenuReferences();
    auto* button = new CColorButton(frame, 1037);
    auto* other = new CColorButton(frame, 1038);
    EXPECT_EQ(CColorButton::GetSharedMenuReferences(), before + 2);
    EXPECT_EQ(button->GetColor(), -1);
    int notified = 0;
    frame->Bind(wxEVT_BUTTON, [&](wxCommandEvent& e) { notified += e.GetId() == 1037; }, 1037);
    button->OnColorCommand(ColorMenuFirstId + 12);
    button->OnColorCommand(ColorMenuFirstId + 12);
    EXPECT_EQ(notified, 2);
    EXPECT_EQ(button->GetColor(), 12);
    button->OnColorCommand(ColorMenuLastId + 1);
    EXPECT_EQ(button->GetColor(), 12);

    EXPECT_FALSE(CColorButton::GetSharedMenu(1)->IsItemEnabled(0));
    EXPECT_TRUE(CColorButton::GetSharedMenu(0)->IsItemEnabled(0));
    const CColorMenu& menu = *CColorButton::GetSharedMenu(0);
    EXPECT_EQ(menu.HitTest(menu.GetItemRect(17).GetPosition() + wxPoint(1, 1)), 17);
    EXPECT_EQ(menu.HitTest(menu.GetItemRect(255).GetPosition() + wxPoint(1, 1)), 255);
    delete other;
    delete button;
    if (before == 0) {
        EXPECT_EQ(CColorButton::GetSharedMenu(0), nullptr);
    }
    frame->Destroy();
}

} // namespace

