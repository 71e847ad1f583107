#include "ProgramTest.h"

#include "framework/ui/ObjectIdWnd.h"
#include "TestUtil.h"
#include "transfer/ui/DriveComboBoxEx.h"
#include "transfer/ui/FileListCtrl.h"
#include "transfer/ui/JobListCtrl.h"

#include <wx/frame.h>
#include <wx/imaglist.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include <filesystem>

#include <gmock/gmock.h>

using morvel::test::ProgramTest;
using morvel::test::TempDir;
using morvel::test::WriteAllText;
using testing::ElementsAre;

namespace fs = std::filesystem;

namespace {

// A top-level window holding one list, with a text field that shows the folder, destroyed with
// the test.
struct ListFrame
{
    static constexpr int PathId = 4711;

    ListFrame()
    {
        path = new wxTextCtrl(frame, PathId);
        frame->Bind(EVT_FOLDER_CHANGING_8095, [this](wxCommandEvent& e) { events.push_back("8095 " + e.GetString().utf8_string()); });
        frame->Bind(EVT_FOLDER_CHANGED_8096, [this](wxCommandEvent& e) { events.push_back("8096 " + e.GetString().utf8_string()); });
    }
    ~ListFrame()
    {
        if (frame)
            frame->Destroy();
    }
    void Place(wxWindow* list)
    {
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(path, 0, wxEXPAND);
        sizer->Add(list, 1, wxEXPAND);
        frame->SetSizer(sizer);
        frame->Layout();
        frame->Show();
    }

    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "Browse", wxDefaultPosition, wxSize(560, 320));
    wxTextCtrl* path = nullptr;
    std::vector<std::string> events;
};

std::vector<std::string> Column(const CEasyListCtrl& list, int column)
{
    std::vector<std::string> texts;
    for (int32_t row = 0; row < list.GetItemCount(); ++row)
        texts.push_back(list.GetItemText(row, column));
    return texts;
}

wxPoint RowPoint(const CEasyListCtrl& list, int32_t row)
{
    return wxPoint(10, list.GetRowRect(row).y + list.GetRowHeight() / 2);
}

} // namespace

TEST_F(ProgramTest, FileListBrowsesSortsAndNamesANewFolderInPlace)
{
    ASSERT_TRUE(Start());
    TempDir dir;
    const std::string root = dir.path().string() + "/";
    fs::create_directory(dir.path() / "New Folder");
    fs::create_directory(dir.path() / "New Folder (1)");
    fs::create_directory(dir.path() / "Taken");
    WriteAllText(dir.file("big.txt"), std::string(3000, 'x'));
    WriteAllText(dir.file("small.TXT"), "1,2,3");
    WriteAllText(dir.file("readme"), "r");

    ListFrame top;
    auto* list = new CFileListCtrl(top.frame, 900);
    list->Initialise(top.frame);
    list->SetPathDisplayId(ListFrame::PathId);
    top.Place(list);
    list->SetFilter("txt", false);
    list->SetFolder(dir.path().string(), true);
    Pump();
    EXPECT_THAT(top.events, ElementsAre("8095 " + root, "8096 " + root));
    EXPECT_EQ(top.path->GetValue().utf8_string(), root);
    EXPECT_EQ(list->GetColumnHeading(3), "Type");
    EXPECT_THAT(Column(*list, 0), ElementsAre("New Folder", "New Folder (1)", "Taken", "big.txt", "small.TXT"));
    EXPECT_THAT(Column(*list, 2), ElementsAre("", "", "", "3KB", "5 bytes"));
    // Each row shows its type's picture from the desktop's theme, one image per type.
    const int text = list->GetItemImage(3);
    EXPECT_GT(text, CSharedFileImageList::FileImage) << "a text file shows the text picture";
    EXPECT_EQ(list->GetItemImage(4), text);
    EXPECT_GE(list->GetItemImage(0), 0);
    // A folder shows a folder's picture, never a file's.
    EXPECT_NE(list->GetItemImage(0), CSharedFileImageList::FileImage);
    EXPECT_NE(list->GetItemImage(0), text);
    EXPECT_EQ(list->GetItemImage(1), list->GetItemImage(0));
    const int images = list->GetImageList()->GetImageCount();
    list->RefreshList();
    EXPECT_EQ(list->GetItemImage(3), text);
    EXPECT_EQ(list->GetImageList()->GetImageCount(), images);

    // Size twice: descending, folders still first.
    list->OnColumnClick(2);
    list->OnColumnClick(2);
    EXPECT_THAT(Column(*list, 0), ElementsAre("Taken", "New Folder (1)", "New Folder", "big.txt", "small.TXT"));

    // A new folder is named in place; the name goes on disk in one step.
    ASSERT_TRUE(list->NewFolder());
    ASSERT_NE(list->GetLabelEditor(), nullptr);
    EXPECT_TRUE(list->GetLabelEditor()->IsShown());
    EXPECT_EQ(list->GetLabelEditor()->GetValue(), "New Folder (2)");
    ASSERT_TRUE(SaveScreenshot(*top.frame, "browse_file_list.png"));
    list->GetLabelEditor()->ChangeValue(" Site 7 ");
    list->EndLabelEdit(false);
    EXPECT_FALSE(list->IsNamingNewFolder());
    EXPECT_TRUE(fs::is_directory(dir.path() / "Site 7"));
    EXPECT_FALSE(fs::exists(dir.path() / "New Folder (2)"));
    ASSERT_NE(list->GetFirstSelected(), nullptr);
    EXPECT_EQ(list->GetFirstSelected()->name, "Site 7");

    // Naming onto a folder that exists is refused; both stay.
    ASSERT_TRUE(list->NewFolder());
    list->GetLabelEditor()->ChangeValue("Taken");
    list->EndLabelEdit(false);
    EXPECT_TRUE(fs::is_directory(dir.path() / "New Folder (2)"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "Taken"));
    EXPECT_EQ(list->GetFirstSelected()->name, "New Folder (2)");
    // Only a new folder is named in place.
    EXPECT_FALSE(list->EditLabel(0));

    // Double click into a folder, then up again.
    top.events.clear();
    const int32_t site = [&] {
        for (int32_t row = 0; row < list->GetItemCount(); ++row)
            if (list->GetItemText(row, 0) == "Site 7")
                return row;
        return -1;
    }();
    ASSERT_GE(site, 0);
    list->OnListLeftDoubleClick(RowPoint(*list, site), 0);
    EXPECT_EQ(list->GetFolder(), root + "Site 7/");
    EXPECT_EQ(list->GetItemCount(), 0);
    list->GoUp();
    EXPECT_EQ(list->GetFolder(), root);
    EXPECT_EQ(top.events.size(), 4u);

    // The sort is kept for the next run.
    top.frame->Destroy();
    top.frame = nullptr;
    Pump();
    EXPECT_EQ(ProfileValue("FileListControl", "LSortColumn"), "2");
    EXPECT_EQ(ProfileValue("FileListControl", "LSortOrder2"), "0");
}

TEST_F(ProgramTest, FileListViewModeRunsNamesDownAndAcross)
{
    ASSERT_TRUE(Start());
    TempDir dir;
    for (int i = 0; i < 40; ++i)
        WriteAllText(dir.file("site" + std::to_string(100 + i) + ".txt"), "x");

    ListFrame top;
    auto* list = new CFileListCtrl(top.frame, 900);
    list->SetViewMode(0);
    list->Initialise(top.frame);
    top.Place(list);
    list->SetFolder(dir.path().string(), true);
    Pump();
    ASSERT_TRUE(list->IsListLayout());
    const int32_t perColumn = list->RowsPerListColumn();
    ASSERT_GT(perColumn, 1);
    ASSERT_LT(perColumn, 40) << "the rows must spill into a second column";
    EXPECT_GT(list->ListColumnWidth(), list->GetTextExtent("site139.txt").x) << "a name fits its column";

    // Each row is found where it is drawn: down a column, then on at the top of the next.
    for (int32_t row : {0, perColumn - 1, perColumn, 39}) {
        list->EnsureVisible(row);
        const wxRect rect = list->GetRowRect(row);
        EXPECT_EQ(rect.y, row % perColumn * list->GetRowHeight()) << row;
        EXPECT_GE(rect.x, 0) << row;
        EXPECT_LE(rect.GetRight(), list->GetBody()->GetClientSize().x) << "scrolled into view: " << row;
        EXPECT_EQ(list->HitTest(rect.GetPosition() + wxPoint(4, 2)), row);
    }
    // Below the last name of the last column there is no row.
    const wxRect last = list->GetRowRect(39);
    if (39 % perColumn < perColumn - 1) {
        EXPECT_EQ(list->HitTest(wxPoint(last.x + 4, last.GetBottom() + 2)), -1);
    }

    // A click picks the row under it; the arrows move down a row and across a column.
    list->ScrollToRow(0);
    const wxRect second = list->GetRowRect(perColumn + 1);
    list->OnListLeftDown(second.GetPosition() + wxPoint(4, 2), 1);
    list->OnListLeftUp(second.GetPosition() + wxPoint(4, 2), 0);
    ASSERT_NE(list->GetFirstSelected(), nullptr);
    EXPECT_EQ(list->GetFirstSelected()->name, "site" + std::to_string(100 + perColumn + 1) + ".txt");
    EXPECT_TRUE(list->OnListKeyDown(WXK_LEFT));
    EXPECT_EQ(list->GetFirstSelected()->name, "site101.txt");
    ASSERT_TRUE(SaveScreenshot(*top.frame, "browse_list_view.png"));

    // Back to the report: one row a line under the headings, sideways keys left alone.
    list->SetViewMode(1);
    EXPECT_FALSE(list->IsListLayout());
    list->ScrollToRow(0);
    EXPECT_EQ(list->GetRowRect(perColumn).y, perColumn * list->GetRowHeight());
    EXPECT_EQ(list->HitTest(wxPoint(list->GetColumnWidth(0) + 4, 2)), 0) << "every column belongs to the row";
    EXPECT_FALSE(list->OnListKeyDown(WXK_RIGHT));
}

TEST_F(ProgramTest, JobListPairsFilesAndTipsWhatIsMissing)
{
    ASSERT_TRUE(Start());
    TempDir dir;
    WriteAllText(dir.file("a.Mvj"), std::string(2048, 'j'));
    WriteAllText(dir.file("a.Mvr"), "raw");
    WriteAllText(dir.file("b.Mvr"), "raw");
    WriteAllText(dir.file("notes.txt"), "n");
    fs::create_directory(dir.path() / "Archive");

    ListFrame top;
    auto* list = new CJobListCtrl(top.frame, 901);
    list->Initialise(top.frame);
    top.Place(list);
    list->SetFolder(dir.path().string(), true);
    EXPECT_EQ(list->GetItemCount(), 1) << "no job files before the job kind is set";
    list->SetJobKind(CJobInfo::KindMorvel, true);
    Pump();
    EXPECT_THAT(Column(*list, 0), ElementsAre("Archive", "a", "b"));
    EXPECT_THAT(Column(*list, 1), ElementsAre("", "2KB", "3 bytes"));
    EXPECT_EQ(list->GetItemImage(0), JobImageFolder);
    EXPECT_EQ(list->GetItemImage(1), JobImageComplete);
    EXPECT_EQ(list->GetItemImage(2), JobImageIncomplete);
    ASSERT_NE(list->GetImageList(), nullptr);
    EXPECT_EQ(list->GetImageList()->GetImageCount(), 7);

    ASSERT_TRUE(list->RequestRowTip(RowPoint(*list, 2)));
    ASSERT_NE(list->GetObjectIdWnd(), nullptr);
    const std::vector<std::string> shown = list->GetObjectIdWnd()->GetShownLines();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), "Coordinate Data File:\tb.Mvj  File not found");
    EXPECT_FALSE(list->RequestRowTip(wxPoint(10, list->GetRowRect(3).y + 2)));
    ASSERT_TRUE(SaveScreenshot(*top.frame, "browse_job_list.png"));
    list->GetObjectIdWnd()->Dismiss();

    // Without the double-click flag a folder row only goes to the owner.
    int activated = 0;
    top.frame->Bind(wxEVT_LIST_ITEM_ACTIVATED, [&](wxListEvent&) { ++activated; });
    list->SetOpenOnDoubleClick(false);
    list->OnListLeftDoubleClick(RowPoint(*list, 0), 0);
    EXPECT_EQ(activated, 1);
    EXPECT_EQ(list->GetFolder(), dir.path().string() + "/");
    list->SetOpenOnDoubleClick(true);
    list->OnListLeftDoubleClick(RowPoint(*list, 0), 0);
    EXPECT_EQ(list->GetFolder(), dir.path().string() + "/Archive/");
}

TEST_F(ProgramTest, DriveComboSelectsTheSpecialFolderBeforeItsDrive)
{
    ASSERT_TRUE(Start());
    TempDir dir;
    fs::create_directory(dir.path() / "Documents");
    ListFrame top;
    auto* combo = new CDriveComboBoxEx(top.frame, 902);
    top.Place(combo);
    combo->Fill(ListPlaces("/dev/sdc1 /mnt/field vfat rw 0 0\n", {{"/dev/sdc1", "FIELD"}}, "",
                           dir.file("Documents")));
    ASSERT_EQ(combo->GetCount(), 3u);
    EXPECT_EQ(combo->GetString(2), "/mnt/field FIELD");
    std::string path;
    bool special = false;
    EXPECT_FALSE(combo->GetSelection(path, special));
    combo->SelectPath(dir.file("Documents/jobs"));
    ASSERT_TRUE(combo->GetSelection(path, special));
    EXPECT_EQ(path, dir.file("Documents") + "/");
    EXPECT_TRUE(special);
    combo->SelectPath("/mnt/field/data");
    ASSERT_TRUE(combo->GetSelection(path, special));
    EXPECT_EQ(path, "/mnt/field/");
    EXPECT_FALSE(special);
    combo->SelectPath("nowhere");
    EXPECT_FALSE(combo->GetSelection(path, special));
    // This computer's places always hold the root.
    combo->Fill();
    combo->SelectPath("/usr");
    EXPECT_TRUE(combo->GetSelection(path, special));
}
