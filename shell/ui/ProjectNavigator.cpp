#include "shell/ui/ProjectNavigator.h"

#include "core/PathHelpers.h"
#include "framework/ui/CustomToolTipCtrl.h"
#include "framework/ui/Icons.h"
#include "framework/ui/ObjectIdWnd.h"
#include "framework/ui/WindowEvents.h"
#include "framework/ui/WindowHelpers.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/JobFileDocSettings.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "shell/CommandIds.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/Prompts.h"
#include "shell/ui/TextFileViewer.h"

#include <wx/dcmemory.h>
#include <wx/imaglist.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <cstdio>
#include <strings.h>

namespace {

constexpr const char* GeneralSection = "General";
constexpr const char* IconSizeKey = "Project Nav Icon Size";
constexpr int MarkedImageOffset = int(nav::ImageIcons.size());

class KindData : public wxTreeItemData
{
public:
    explicit KindData(uint32_t kind) : kind(kind) {}
    uint32_t kind;
};

// Guards one refresh against re-entering itself through the tree notifications it causes.
class FlagGuard
{
public:
    explicit FlagGuard(bool& flag) : m_flag(flag), m_entered(!flag) { m_flag = true; }
    ~FlagGuard()
    {
        if (m_entered)
            m_flag = false;
    }
    bool Entered() const { return m_entered; }

private:
    bool& m_flag;
    bool m_entered;
};

bool s_refreshingAllJobs = false;
bool s_refreshingJobFiles = false;
bool s_updatingFileMarks = false;
bool s_refreshingActiveMarks = false;

bool SameText(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && ::strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

CMorvelApp* App() { return dynamic_cast<CMorvelApp*>(wxTheApp); }

bool Exists(const std::string& path) { return FileExists(path); }

// The icon drawn at the size, or an empty square where the program has no picture for it.
wxBitmap IconBitmap(uint32_t id, int size, const wxBitmap* mark)
{
    wxBitmap bitmap(size, size, 32);
    bitmap.UseAlpha();
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxTRANSPARENT_BRUSH);
        dc.Clear();
    }
    wxImage image = bitmap.ConvertToImage();
    if (!image.HasAlpha())
        image.InitAlpha();
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.SetAlpha(x, y, 0);
    CMorvelApp* app = App();
    const wxBitmap* icon = app ? app->GetIcons().GetIconOfSize(id, size, size) : nullptr;
    if (icon && icon->IsOk()) {
        wxImage picture = icon->ConvertToImage();
        if (picture.GetWidth() != size)
            picture.Rescale(size, size, wxIMAGE_QUALITY_HIGH);
        image.Paste(picture, 0, 0, wxIMAGE_ALPHA_BLEND_COMPOSE);
    }
    // The file-missing mark sits over the picture like an overlay.
    if (mark && mark->IsOk()) {
        wxImage overlay = mark->ConvertToImage();
        if (overlay.GetWidth() != size)
            overlay.Rescale(size, size, wxIMAGE_QUALITY_HIGH);
        image.Paste(overlay, 0, 0, wxIMAGE_ALPHA_BLEND_COMPOSE);
    }
    return wxBitmap(image);
}

} // namespace

// --- Tree.

CNavigatorTree::CNavigatorTree(wxWindow* parent)
    : wxTreeCtrl(parent, CProjectNavigator::IdTree, wxDefaultPosition, wxDefaultSize,
                 wxTR_HAS_BUTTONS | wxTR_HIDE_ROOT | wxTR_LINES_AT_ROOT | wxTR_SINGLE | wxTR_NO_LINES),
      m_tooltip(std::make_unique<CCustomToolTipCtrl>(true))
{
    m_tooltip->AddTool(this);
    m_tooltip->SetDelayTime(1000);
    m_tooltip->Activate(true);
    // A click starts the tip over, so the next rest asks about the item now under the mouse.
    auto restart = [this](wxMouseEvent& e) {
        e.Skip();
        m_tooltip->RestartTracking();
    };
    Bind(wxEVT_LEFT_DOWN, restart);
    Bind(wxEVT_RIGHT_DOWN, restart);
    Bind(wxEVT_MIDDLE_DOWN, restart);
}

CNavigatorTree::~CNavigatorTree() { m_tooltip.reset(); }

// --- Navigator.

CProjectNavigator::CProjectNavigator() : CStackableDialog(TemplateId, "Shortcuts")
{
    m_tooltip = std::make_unique<CCustomToolTipCtrl>(false);
}

CProjectNavigator::~CProjectNavigator()
{
    GetAppProfile().WriteProfileInt(GeneralSection, IconSizeKey, m_iconSize);
    m_tooltip.reset();
    if (m_popup) {
        m_popup->Destroy();
        m_popup = nullptr;
    }
}

int CProjectNavigator::DefaultIconSize(int screenWidth, int screenHeight)
{
    return screenWidth > 1024 && screenHeight > 768 ? 32 : 16;
}

void CProjectNavigator::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_label = new wxStaticText(this, IdLabel, "Project navigator for:\n", wxDefaultPosition, wxDefaultSize,
                               wxST_ELLIPSIZE_END | wxALIGN_CENTRE_HORIZONTAL);
    wxFont bold = m_label->GetFont();
    bold.SetPointSize(12);
    bold.SetWeight(wxFONTWEIGHT_BOLD);
    m_label->SetFont(bold);
    sizer->Add(m_label, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(4));
    m_tree = new CNavigatorTree(this);
    sizer->Add(m_tree, 1, wxEXPAND);
    SetSizer(sizer);

    m_tree->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
        e.Skip();
        const wxPoint at = e.GetPosition();
        CallAfter([this, at] { OnTreeClick(at); });
    });
    m_tree->Bind(wxEVT_RIGHT_DOWN, [this](wxMouseEvent& e) { OnTreeRightClick(e.GetPosition()); });
    m_tree->Bind(wxEVT_TREE_ITEM_MENU, [](wxTreeEvent&) {});
    m_tree->GetToolTip()->onNeedText = [this](wxWindow* tool, const wxPoint& at) { OnToolTipNeedText(tool, at); };
    m_tooltip->onNeedText = [this](wxWindow* tool, const wxPoint& at) { OnToolTipNeedText(tool, at); };

    Bind(wxEVT_MENU, [this](wxCommandEvent&) { ToggleIconSize(); }, IdToggleNavIconSize);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnReloadFromFile(); }, IdNavReloadFromFile);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Enable(CanReloadFromFile()); }, IdNavReloadFromFile);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnDeleteFile(); }, IdNavDeleteFile);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Enable(CanDeleteFile()); }, IdNavDeleteFile);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnOpenInEditor(); }, IdNavOpenInEditor);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Enable(CanOpenInEditor()); }, IdNavOpenInEditor);
}

bool CProjectNavigator::OnInitDialog()
{
    const wxSize screen = wxGetDisplaySize();
    m_iconSize = GetAppProfile().GetProfileInt(GeneralSection, IconSizeKey, DefaultIconSize(screen.x, screen.y));
    if (m_iconSize != 16 && m_iconSize != 32)
        m_iconSize = DefaultIconSize(screen.x, screen.y);
    const bool result = CStackableDialog::OnInitDialog();
    BuildImageList();
    m_popup = new CObjectIdWnd(true);
    m_popup->Create(this);
    m_tooltip->AddTool(m_label);
    m_tooltip->SetDelayTime(1000);
    m_tooltip->Activate(true);
    return result;
}

wxWindow* CProjectNavigator::MainWindow() const
{
    CMorvelApp* app = App();
    return app ? app->GetMainFrame() : nullptr;
}

nav::Job CProjectNavigator::ActiveJob() const
{
    nav::Job job;
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    if (!doc)
        return job;
    job.open = true;
    job.temporary = App() && App()->HasTemporaryJob();
    job.path = doc->GetPathName();
    const std::string folder = GetPathFolderOrEmpty(job.path);
    job.folder = !folder.empty() && FolderExists(folder) ? folder : "/";
    return job;
}

void CProjectNavigator::BuildImageList()
{
    if (!m_tree)
        return;
    m_images = std::make_unique<wxImageList>(m_iconSize, m_iconSize, true, MarkedImageOffset * 2);
    CMorvelApp* app = App();
    const wxBitmap* mark = app ? app->GetIcons().GetIconOfSize(nav::MissingMarkIcon, m_iconSize, m_iconSize) : nullptr;
    // Every picture, then its twin with the file-missing mark: the tree has no overlays.
    for (uint32_t icon : nav::ImageIcons)
        m_images->Add(IconBitmap(icon, m_iconSize, nullptr));
    for (uint32_t icon : nav::ImageIcons)
        m_images->Add(IconBitmap(icon, m_iconSize, mark));
    m_tree->SetImageList(m_images.get());
}

void CProjectNavigator::ToggleIconSize()
{
    m_iconSize = m_iconSize == 16 ? 32 : 16;
    BuildImageList();
    m_tree->SetIndent(0);
    m_tree->Refresh();
}

uint32_t CProjectNavigator::GetItemKind(const wxTreeItemId& item) const
{
    if (!item.IsOk() || !m_tree)
        return nav::KindNone;
    auto* data = static_cast<KindData*>(m_tree->GetItemData(item));
    return data ? data->kind : nav::KindNone;
}

wxTreeItemId CProjectNavigator::FindItemOfKind(uint32_t kind) const
{
    if (!m_tree || !m_tree->GetRootItem().IsOk())
        return {};
    std::vector<wxTreeItemId> pending{m_tree->GetRootItem()};
    while (!pending.empty()) {
        const wxTreeItemId item = pending.back();
        pending.pop_back();
        if (GetItemKind(item) == kind)
            return item;
        wxTreeItemIdValue cookie;
        std::vector<wxTreeItemId> children;
        for (wxTreeItemId child = m_tree->GetFirstChild(item, cookie); child.IsOk();
             child = m_tree->GetNextChild(item, cookie))
            children.push_back(child);
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return {};
}

bool CProjectNavigator::IsItemMarked(const wxTreeItemId& item) const
{
    return item.IsOk() && m_tree->GetItemImage(item) >= MarkedImageOffset;
}

void CProjectNavigator::SetItemMark(const wxTreeItemId& item, bool marked)
{
    if (!item.IsOk())
        return;
    int image = m_tree->GetItemImage(item);
    if (image < 0)
        return;
    image %= MarkedImageOffset;
    if (marked)
        image += MarkedImageOffset;
    m_tree->SetItemImage(item, image);
    m_tree->SetItemImage(item, image, wxTreeItemIcon_Selected);
}

// --- Building.

void CProjectNavigator::Initialize()
{
    const nav::Job job = ActiveJob();
    SetJobTitle(!job.open || job.temporary ? "Untitled" : GetPathFileTitle(job.path));
    BuildTree();
}

void CProjectNavigator::ShowNoFile()
{
    SetJobTitle("No file loaded");
    if (m_tree)
        m_tree->DeleteAllItems();
}

void CProjectNavigator::SetJobTitle(const std::string& title)
{
    if (!m_label)
        return;
    const nav::Job job = ActiveJob();
    if (job.open && job.temporary) {
        m_label->SetLabel("Untitled");
        return;
    }
    // The label itself ends a title that does not fit with an ellipsis.
    m_label->SetLabel(ToWx(title));
}

void CProjectNavigator::BuildTree()
{
    if (!m_tree)
        return;
    m_tree->DeleteAllItems();
    const nav::Job job = ActiveJob();
    CMorvelApp* app = App();
    std::vector<std::string> recent;
    if (app)
        for (int32_t i = 0; i < app->GetRecentFileCount(); ++i)
            recent.push_back(app->GetRecentFile(i));
    const std::vector<nav::Item> items = nav::BuildTree(job, recent, Exists);
    const wxTreeItemId root = m_tree->AddRoot(wxString());
    std::vector<wxTreeItemId> ids;
    for (const nav::Item& item : items) {
        const wxTreeItemId parent = item.parent < 0 ? root : ids[size_t(item.parent)];
        const int image = nav::ImageIndexOfIcon(item.icon) + (item.marked ? MarkedImageOffset : 0);
        ids.push_back(m_tree->AppendItem(parent, ToWx(item.text), image, image, new KindData(item.kind)));
    }
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].expanded && m_tree->ItemHasChildren(ids[i]))
            m_tree->Expand(ids[i]);
}

void CProjectNavigator::RefreshJobFiles(const wxTreeItemId& jobItem)
{
    FlagGuard guard(s_refreshingJobFiles);
    if (!guard.Entered() || !jobItem.IsOk())
        return;
    SetItemMark(jobItem, false);
    m_tree->DeleteChildren(jobItem);
    const nav::Job job = ActiveJob();
    for (const nav::Item& item : nav::BuildJobFiles(job, Exists)) {
        const int image = nav::ImageIndexOfIcon(item.icon) + (item.marked ? MarkedImageOffset : 0);
        m_tree->AppendItem(jobItem, ToWx(item.text), image, image, new KindData(item.kind));
    }
    if (job.open)
        UpdateFileItems(GetPathFileName(job.path));
}

void CProjectNavigator::RefreshAllJobs()
{
    FlagGuard guard(s_refreshingAllJobs);
    if (!guard.Entered() || !m_tree || !m_tree->GetRootItem().IsOk())
        return;
    wxTreeItemIdValue cookie;
    const wxTreeItemId root = m_tree->GetRootItem();
    for (wxTreeItemId item = m_tree->GetFirstChild(root, cookie); item.IsOk(); item = m_tree->GetNextChild(root, cookie))
        if (GetItemKind(item) == nav::KindJob) {
            RefreshJobFiles(item);
            m_tree->Expand(item);
        }
}

void CProjectNavigator::RefreshActiveJobMarks()
{
    FlagGuard guard(s_refreshingActiveMarks);
    if (!guard.Entered())
        return;
    const nav::Job job = ActiveJob();
    if (job.open)
        UpdateFileItems(GetPathFileName(job.path));
}

void CProjectNavigator::UpdateFileItems(const std::string& fileName)
{
    FlagGuard guard(s_updatingFileMarks);
    if (!guard.Entered() || !m_tree)
        return;
    const wxTreeItemId jobItem = FindItemOfKind(nav::KindJob);
    if (!jobItem.IsOk())
        return;
    SetItemMark(jobItem, false);
    wxTreeItemId coordinate;
    wxTreeItemId raw;
    wxTreeItemIdValue cookie;
    for (wxTreeItemId child = m_tree->GetFirstChild(jobItem, cookie); child.IsOk();
         child = m_tree->GetNextChild(jobItem, cookie)) {
        if (nav::IsCoordinateFileKind(GetItemKind(child)))
            coordinate = child;
        else if (nav::IsRawFileKind(GetItemKind(child)))
            raw = child;
    }
    if (!coordinate.IsOk() || !raw.IsOk())
        return;
    const nav::FileMarks marks = nav::ComputeFileMarks(ActiveJob(), fileName, Exists);
    SetItemMark(jobItem, marks.job);
    SetItemMark(coordinate, marks.coordinate);
    SetItemMark(raw, marks.raw);
}

void CProjectNavigator::ShowFile(const std::string& path)
{
    const bool raw = SameText(GetPathExtension(path), "Mvr");
    SelectJobFileItem(0, raw);
    SetJobTitle(path);
}

void CProjectNavigator::SelectActiveJobFile(bool raw)
{
    if (ActiveJob().open)
        SelectJobFileItem(0, raw);
}

void CProjectNavigator::SelectJobFileItem(int n, bool raw)
{
    if (n != 0 || !ActiveJob().open)
        return;
    const wxTreeItemId jobItem = FindItemOfKind(nav::KindJob);
    if (!jobItem.IsOk())
        return;
    m_tree->Expand(jobItem);
    wxTreeItemIdValue cookie;
    for (wxTreeItemId child = m_tree->GetFirstChild(jobItem, cookie); child.IsOk();
         child = m_tree->GetNextChild(jobItem, cookie)) {
        const uint32_t kind = GetItemKind(child);
        if (raw ? nav::IsRawFileKind(kind) : nav::IsCoordinateFileKind(kind)) {
            m_tree->SelectItem(child);
            m_tree->EnsureVisible(child);
            return;
        }
    }
}

void CProjectNavigator::OnNotify(void* sender, int32_t code, intptr_t parameter)
{
    CStackableDialog::OnNotify(sender, code, parameter);
    if (code == HintSaved || code == HintUpdateFileItems) {
        const nav::Job job = ActiveJob();
        if (job.open)
            UpdateFileItems(GetPathFileName(job.path));
    }
}

// --- Items and files.

std::string CProjectNavigator::GetItemFileName(const wxTreeItemId& item, uint32_t& kind)
{
    kind = GetItemKind(item);
    if (kind == nav::KindJob) {
        wxTreeItemIdValue cookie;
        const wxTreeItemId first = m_tree->GetFirstChild(item, cookie);
        kind = GetItemKind(first);
    }
    return nav::ItemFileName(ActiveJob(), kind);
}

std::string CProjectNavigator::GetJobFilePath(const std::string& name) { return nav::JobFilePath(ActiveJob(), name); }

void CProjectNavigator::RequestRegeneration(int index, bool raw)
{
    const nav::Job job = ActiveJob();
    wxWindow* main = MainWindow();
    if (!job.open || !main)
        return;
    auto* event = new wxCommandEvent(EVT_REGENERATE_JOB_80F2);
    event->SetInt(int(nav::RegenerationRequest(raw, !FileExists(job.path))));
    event->SetExtraLong(index);
    main->GetEventHandler()->QueueEvent(event);
}

void CProjectNavigator::OnTreeClick(const wxPoint& treePoint)
{
    if (!m_tree)
        return;
    int flags = 0;
    const wxTreeItemId item = m_tree->HitTest(treePoint, flags);
    if (!item.IsOk() || !(flags & (wxTREE_HITTEST_ONITEMICON | wxTREE_HITTEST_ONITEMLABEL | wxTREE_HITTEST_ONITEMSTATEICON)))
        return;
    if (m_popup)
        m_popup->Dismiss();
    const uint32_t kind = GetItemKind(item);
    const nav::Job job = ActiveJob();
    if (kind == nav::KindNone)
        return;
    if (kind < 21) {
        if (const int command = nav::CommandForKind(kind))
            if (wxWindow* main = MainWindow())
                main->GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_MENU, WxCommandId(command)));
        if (m_tree->ItemHasChildren(item))
            m_tree->Toggle(item);
    } else if (nav::IsCoordinateFileKind(kind)) {
        RequestRegeneration(int(kind - nav::KindCoordinateFile), false);
        UpdateFileItems(GetPathFileName(job.path));
    } else if (nav::IsRawFileKind(kind)) {
        RequestRegeneration(int(kind - nav::KindRawFile), true);
        UpdateFileItems(GetPathFileName(job.path));
    }
}

std::unique_ptr<wxMenu> CProjectNavigator::BuildContextMenu(const wxPoint& treePoint)
{
    auto menu = std::make_unique<wxMenu>();
    menu->Append(IdToggleNavIconSize, "Toggle icon size");
    const uint32_t kind = FormatItemInfo(m_tree->ClientToScreen(treePoint));
    switch (nav::MenuCommandForKind(kind)) {
    case IdNavReloadFromFile:
        menu->AppendSeparator();
        menu->Append(IdNavReloadFromFile, "Reload From File");
        break;
    case IdTransferSettings:
        menu->AppendSeparator();
        menu->Append(IdTransferSettings, "&Transfer Settings...");
        break;
    default:
        break;
    }
    int flags = 0;
    const wxTreeItemId item = m_tree->HitTest(treePoint, flags);
    if (item.IsOk() && (flags & (wxTREE_HITTEST_ONITEMICON | wxTREE_HITTEST_ONITEMLABEL | wxTREE_HITTEST_ONITEMSTATEICON)))
        m_tree->SelectItem(item);
    return menu;
}

void CProjectNavigator::OnTreeRightClick(const wxPoint& treePoint)
{
    if (m_popup)
        m_popup->Dismiss();
    std::unique_ptr<wxMenu> menu = BuildContextMenu(treePoint);
    PopupMenu(menu.get(), ScreenToClient(m_tree->ClientToScreen(treePoint)));
}

bool CProjectNavigator::CanReloadFromFile()
{
    CMorvelApp* app = App();
    if (!m_tree || (app && app->HasTemporaryJob()))
        return false;
    uint32_t kind = 0;
    const std::string name = GetItemFileName(m_tree->GetSelection(), kind);
    const nav::Job job = ActiveJob();
    return nav::IsCoordinateFileKind(kind) && job.open && SameText(GetPathFileName(job.path), name);
}

void CProjectNavigator::OnReloadFromFile()
{
    if (!m_tree)
        return;
    uint32_t kind = 0;
    const std::string name = GetItemFileName(m_tree->GetSelection(), kind);
    const nav::Job job = ActiveJob();
    if (!nav::IsCoordinateFileKind(kind) || !job.open)
        return;
    if (SameText(GetPathFileName(job.path), name)) {
        if (auto* frame = dynamic_cast<CMainFrame*>(MainWindow()))
            frame->ReloadActiveJob(false);
    } else {
        RequestRegeneration(int(kind - nav::KindCoordinateFile), false);
    }
}

bool CProjectNavigator::CanDeleteFile()
{
    if (!m_tree)
        return false;
    uint32_t kind = 0;
    const std::string name = GetItemFileName(m_tree->GetSelection(), kind);
    return !name.empty() && FileExists(GetJobFilePath(name));
}

void CProjectNavigator::OnDeleteFile()
{
    if (!CanDeleteFile())
        return;
    uint32_t kind = 0;
    const std::string name = GetItemFileName(m_tree->GetSelection(), kind);
    const std::string path = GetJobFilePath(name);
    CSingleConfirm confirm(MainWindow());
    confirm.m_caption = "Confirm File Delete";
    confirm.m_text = "Warning! Clicking YES will delete this file from your system.\n\nDelete " + GetPathFileName(name) + "?";
    if (confirm.DoModal() != CSingleConfirm::IdYes)
        return;
    if (std::remove(path.c_str()) != 0) {
        ShowMessageBoxFS("Failed to delete file \"" + path + "\".");
        return;
    }
    UpdateFileItems(ActiveJob().path);
}

bool CProjectNavigator::CanOpenInEditor() { return CanDeleteFile(); }

void CProjectNavigator::OnOpenInEditor()
{
    if (!CanOpenInEditor())
        return;
    uint32_t kind = 0;
    const std::string name = GetItemFileName(m_tree->GetSelection(), kind);
    OpenFileInEditorOrViewer(GetJobFilePath(name), "/TEXT", MainWindow());
}

// --- Tips.

uint32_t CProjectNavigator::FormatItemInfo(const wxPoint& screen)
{
    m_tipLines.RemoveAll();
    m_tipIcon = 245;
    const nav::Job job = ActiveJob();
    if (m_label && m_label->GetScreenRect().Contains(screen)) {
        if (!job.open)
            return nav::KindNone;
        nav::JobSettingsTip settings;
        if (CDataFileDoc* doc = CDataFileDoc::GetActiveDoc())
            if (CJobFileDocSettings* docSettings = doc->GetDocSettings()) {
                settings.distanceUnit = docSettings->GetSurveyUnits();
                settings.angleUnit = docSettings->GetAngleUnits();
                settings.azimuth = docSettings->GetAzimuthFormat();
                settings.curvature = docSettings->GetAdjustForCurvature();
                settings.curvatureText = docSettings->GetAdjustForCurvatureFactor() ? "1" : "0";
                settings.seaLevel = docSettings->GetUseSeaLevelCorrection();
                settings.useScaleFactor = docSettings->GetUseScaleFactor();
                settings.scaleFactor = docSettings->GetScaleFactor();
            }
        m_tipIcon = nav::FormatLabelTip(job, settings, m_tipLines);
        return nav::KindJob;
    }
    if (!m_tree)
        return nav::KindNone;
    int flags = 0;
    const wxTreeItemId item = m_tree->HitTest(m_tree->ScreenToClient(screen), flags);
    if (!item.IsOk() || !(flags & (wxTREE_HITTEST_ONITEMICON | wxTREE_HITTEST_ONITEMLABEL | wxTREE_HITTEST_ONITEMSTATEICON)))
        return nav::KindNone;
    const uint32_t kind = GetItemKind(item);
    if (kind == nav::KindJob) {
        m_tipIcon = nav::FormatJobItemTip(job, m_tipLines);
    } else if (kind >= 3 && kind <= 20) {
        nav::FormatShortcutTip(kind, m_tipLines);
    } else if (nav::IsCoordinateFileKind(kind) || nav::IsRawFileKind(kind)) {
        uint32_t fileKind = 0;
        const std::string name = GetItemFileName(item, fileKind);
        m_tipIcon = nav::FormatFileItemTip(job, nav::ItemGroup(kind, fileKind), name, m_tipLines);
    }
    return kind;
}

void CProjectNavigator::OnToolTipNeedText(wxWindow* tool, const wxPoint& screen)
{
    if (tool != m_tree && tool != m_label)
        return;
    if (FormatItemInfo(screen) == nav::KindNone)
        return;
    if (!m_popup || m_popup->IsPopupVisible())
        return;
    if (m_tipLines.GetCount() > 0)
        m_popup->ShowLines(m_tipLines, screen.x, screen.y, std::vector<int32_t>{int32_t(m_tipIcon)});
}
