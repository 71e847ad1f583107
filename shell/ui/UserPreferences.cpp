#include "shell/ui/UserPreferences.h"

#include "core/DataExchange.h"
#include "core/FieldExchange.h"
#include "core/NikonColumnCollection.h"
#include "core/TextFieldExchange.h"
#include "framework/ui/CheckListBox.h"
#include "framework/ui/ColorButton.h"
#include "framework/ui/CustomButtons.h"
#include "framework/ui/ModalDialog.h"
#include "views/ui/GraphicsPreview.h"
#include "framework/ui/WindowHelpers.h"
#include "model/DataFileDoc.h"
#include "model/DataFileDocSettings.h"
#include "model/SettingsShell.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "shell/ui/MorvelApp.h"
#include "transfer/ui/TransferPreferenceControls.h"
#include "views/ui/ViewTool.h"
#include "views/ui/ViewToolHost.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dcbuffer.h>
#include <wx/dcscreen.h>
#include <wx/fontdlg.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <charconv>
#include <cmath>

namespace {

// --- What the save asks of the running program.
class CAppPreferencesHost : public CPreferencesHost
{
public:
    explicit CAppPreferencesHost(void* sender) : m_sender(sender) {}
    bool HasActiveJob() override { return CDataFileDoc::GetActiveDoc() != nullptr; }
    void Notify(int32_t code) override
    {
        if (HasActiveJob())
            GetSettingsShell().NotifyActiveDocument(m_sender, code, 0);
    }
    void SendHint(int32_t code) override
    {
        if (CDataFileDoc* job = CDataFileDoc::GetActiveDoc())
            job->SendHint(nullptr, code, 0);
    }
    bool GetDefaultJobFolder(std::string& folder) override { return CMorvelApp::GetDefaultJobFolder(folder); }
    void SetDefaultJobFolder(const std::string& folder) override { CMorvelApp::SetDefaultJobFolder(folder); }
    bool GetDefaultBackupFolder(std::string& folder) override { return CMorvelApp::GetDefaultBackupFolder(folder); }
    void SetDefaultBackupFolder(const std::string& folder) override { CMorvelApp::SetDefaultBackupFolder(folder); }
    void ReloadToolCursor() override
    {
        auto* app = dynamic_cast<CMorvelApp*>(wxTheApp);
        if (CViewTool* tool = app ? app->GetToolHost().GetCurrentTool() : nullptr)
            tool->LoadToolCursor();
    }
    bool GetJobAngleFormats(int32_t& azimuthFormat, int32_t& angleUnits) override
    {
        CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
        CDataFileDocSettings* settings = job ? job->GetJobSettings() : nullptr;
        if (!settings)
            return false;
        azimuthFormat = settings->GetAzimuthFormat();
        angleUnits = settings->GetAngleUnits();
        return true;
    }

private:
    void* m_sender;
};

CUserPreferencesColorsPage::PreviewFactory g_previewFactory;

LogFont LogFontFromWx(const wxFont& font, int dpi)
{
    LogFont f;
    f.faceName = FromWx(font.GetFaceName());
    const double points = font.GetFractionalPointSize();
    f.height = -static_cast<int32_t>(std::lround(points * dpi / 72.0));
    f.weight = font.GetNumericWeight();
    f.italic = font.GetStyle() != wxFONTSTYLE_NORMAL;
    f.underline = font.GetUnderlined();
    f.strikeOut = font.GetStrikethrough();
    return f;
}

std::string DesktopSans()
{
    return FromWx(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).GetFaceName());
}

// The font as it is drawn here, its face name included.
LogFont ShownFont(LogFont font)
{
    font.faceName = ShownFaceName(font.faceName, DesktopSans());
    return font;
}

wxFont WxFontFromLog(const LogFont& stored)
{
    const LogFont font = ShownFont(stored);
    wxFontInfo info = font.height != 0 ? wxFontInfo(wxSize(0, std::abs(font.height))) : wxFontInfo();
    if (!font.faceName.empty())
        info.FaceName(ToWx(font.faceName));
    info.Weight(font.weight > 0 ? font.weight : wxFONTWEIGHT_NORMAL).Italic(font.italic).Underlined(font.underline)
        .Strikethrough(font.strikeOut);
    return wxFont(info);
}

FontChooser g_fontChooser = [](wxWindow* parent, LogFont& font) {
    wxFontData data;
    data.SetInitialFont(WxFontFromLog(font));
    data.EnableEffects(false);
    wxFontDialog dialog(parent, data);
    if (RunModal(dialog) != wxID_OK)
        return false;
    font = LogFontFromWx(dialog.GetFontData().GetChosenFont(), wxScreenDC().GetPPI().y);
    return true;
};

int ScreenDpi()
{
    const int dpi = wxScreenDC().GetPPI().y;
    return dpi > 0 ? dpi : 96;
}

// A plain number as typed, kept exactly: the shortest text that reads back to the value.
void DDX_PlainDouble(CDataExchange& dx, wxTextCtrl* control, int id, double& value)
{
    if (!dx.m_bSaveAndValidate) {
        char buffer[64];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
        control->ChangeValue(wxString(buffer, end));
        return;
    }
    dx.PrepareEditCtrl(id);
    const std::string text = FromWx(control->GetValue().Strip(wxString::both));
    double parsed = 0.0;
    const char* first = text.c_str();
    if (!text.empty() && text[0] == '+')
        ++first;
    auto [end, ec] = std::from_chars(first, text.c_str() + text.size(), parsed);
    if (text.empty() || ec != std::errc() || end != text.c_str() + text.size() || !std::isfinite(parsed)) {
        FailWithMessage(&dx, id, "Please enter a number.", false);
        return;
    }
    value = parsed;
}

void DDX_Check(CDataExchange& dx, wxCheckBox* box, int32_t& value)
{
    if (dx.m_bSaveAndValidate)
        value = box->GetValue() ? 1 : 0;
    else
        box->SetValue(value != 0);
}

// A list index; loading an index the list does not have selects nothing rather than failing.
void DDX_CBIndex(CDataExchange& dx, wxChoice* choice, int32_t& index)
{
    if (dx.m_bSaveAndValidate)
        index = choice->GetSelection();
    else
        choice->SetSelection(index >= 0 && index < int(choice->GetCount()) ? index : wxNOT_FOUND);
}

void DDX_TextOf(CDataExchange& dx, wxTextCtrl* control, std::string& text)
{
    if (dx.m_bSaveAndValidate)
        text = FromWx(control->GetValue());
    else
        control->ChangeValue(ToWx(text));
}

wxChoice* NewChoice(wxWindow* parent, int id, std::initializer_list<const char*> items)
{
    auto* choice = new wxChoice(parent, id);
    for (const char* item : items)
        choice->Append(item);
    return choice;
}

wxSizer* Row(wxWindow* parent, const char* label, wxWindow* field, int gap, int labelId = wxID_ANY)
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(parent, labelId, label), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    row->Add(field, 1, wxALIGN_CENTER_VERTICAL);
    return row;
}

// A group led by its picture at the left, as the job and transfer panels lead their steps. The
// picture only marks the group; it has no command.
wxSizer* WithPicture(wxWindow* page, wxSizer* group, int pictureId)
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    if (auto* app = dynamic_cast<CMorvelApp*>(wxTheApp))
        row->Add(new CCustomWizardButton(page, pictureId, app->GetIcons()), 0, wxTOP | wxRIGHT, page->FromDIP(8));
    row->Add(group, 1, wxEXPAND);
    return row;
}

} // namespace

FontChooser SetFontChooser(FontChooser chooser)
{
    FontChooser previous = g_fontChooser;
    g_fontChooser = std::move(chooser);
    return previous;
}

// --- Colors.

CUserPreferencesColorsPage::CUserPreferencesColorsPage(ColorsPageValues& values)
    : CEasyPropertyPage("Colors"), m_values(values)
{
}

void CUserPreferencesColorsPage::SetPreviewFactory(PreviewFactory factory) { g_previewFactory = std::move(factory); }

void CUserPreferencesColorsPage::BuildControls()
{
    const int gap = FromDIP(6);
    auto* grid = new wxFlexGridSizer(2, gap, gap * 2);
    for (size_t i = 0; i < PreferenceColors.size(); ++i) {
        m_buttons[i] = new CColorButton(this, PreferenceColors[i].controlId);
        grid->Add(new wxStaticText(this, wxID_ANY, PreferenceColors[i].label), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(m_buttons[i], 0, wxALIGN_CENTER_VERTICAL);
        Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnColorChanged(); }, PreferenceColors[i].controlId);
    }
    auto* reset = new wxButton(this, IdSetToDefault, "Set to Default");
    reset->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSetToDefault(); });
    m_preview = g_previewFactory ? g_previewFactory(this, IdPreview, m_buttons) : new CGraphicsPreview(this, IdPreview, FromDIP(wxSize(200, 100)));

    auto* left = new wxBoxSizer(wxVERTICAL);
    left->Add(grid, 0, wxALL, gap);
    left->Add(reset, 0, wxALL, gap);
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(left, 0);
    sizer->Add(m_preview, 1, wxEXPAND | wxALL, gap);
    SetSizerAndFit(sizer);
}

bool CUserPreferencesColorsPage::OnInitDialog()
{
    CEasyPropertyPage::OnInitDialog();
    UpdateDataEx(false);
    InvalidatePreview();
    return true;
}

void CUserPreferencesColorsPage::DoDataExchange(CDataExchange& dx)
{
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (dx.m_bSaveAndValidate)
            m_values.colors[i] = m_buttons[i]->GetColor();
        else
            m_buttons[i]->SetColor(m_values.colors[i]);
    }
}

void CUserPreferencesColorsPage::InvalidatePreview()
{
    if (auto* preview = dynamic_cast<CGraphicsPreview*>(m_preview))
        preview->SetColours(m_buttons[ColorCursor]->GetColor(), m_buttons[ColorBackground]->GetColor(),
                            m_buttons[ColorSelection]->GetColor(), m_buttons[ColorDefaultObject]->GetColor());
    else if (m_preview)
        m_preview->Refresh(false);
}

void CUserPreferencesColorsPage::OnColorChanged()
{
    SetModified(true);
    InvalidatePreview();
}

void CUserPreferencesColorsPage::OnSetToDefault()
{
    std::array<int32_t, 8> defaults{};
    SetDefaultColors(defaults);
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i]->SetColor(defaults[i]);
        m_buttons[i]->Refresh();
    }
    InvalidatePreview();
}

bool CUserPreferencesColorsPage::OnKillActive()
{
    if (!CEasyPropertyPage::OnKillActive())
        return false;
    if (IsWizard())
        return true;
    if (const auto failure = CheckColorRules(m_values.colors)) {
        ShowMessageBoxFS(failure->message, MB_OK);
        m_buttons[static_cast<size_t>(failure->button)]->SetFocus();
        return false;
    }
    return true;
}

// --- Display.

CUserPreferencesDisplayPage::CUserPreferencesDisplayPage(DisplayPageValues& values)
    : CEasyPropertyPage("Display"), m_values(values)
{
}

void CUserPreferencesDisplayPage::BuildControls()
{
    const int gap = FromDIP(6);
    static const char* titles[] = {"Point Labels", "Raw Data and Point Grids", "Report Title", "Report Text"};
    static const char* buttons[] = {"Choose Font", "Choose Font", "Choose Title Font", "Choose Text Font"};
    auto* fonts = new wxStaticBoxSizer(wxVERTICAL, this, "Fonts");
    wxWindow* box = fonts->GetStaticBox();
    auto* grid = new wxFlexGridSizer(3, gap, gap * 2);
    grid->AddGrowableCol(1);
    for (int i = 0; i < 4; ++i) {
        // Made with their text, so the page is laid out wide enough for the whole caption.
        m_captions[size_t(i)] = new wxStaticText(box, CaptionIds[size_t(i)], wxEmptyString);
        m_captions[size_t(i)]->SetFont(m_captions[size_t(i)]->GetFont().Bold());
        SetCaption(size_t(i), FontCaption(ShownFont(m_values.fonts[size_t(i)]), ScreenDpi()));
        auto* choose = new wxButton(box, ChooseIds[size_t(i)], buttons[i]);
        choose->Bind(wxEVT_BUTTON, [this, i](wxCommandEvent&) { OnChooseFont(i); });
        grid->Add(new wxStaticText(box, wxID_ANY, titles[i]), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(m_captions[size_t(i)], 1, wxALIGN_CENTER_VERTICAL);
        grid->Add(choose, 0, wxALIGN_CENTER_VERTICAL);
    }
    fonts->Add(grid, 0, wxEXPAND | wxALL, gap);

    auto* display = new wxStaticBoxSizer(wxVERTICAL, this, "Display");
    box = display->GetStaticBox();
    m_descriptions = new wxCheckBox(box, 1060, "Display Point Descriptions");
    m_elevations = new wxCheckBox(box, 1061, "Display Point Elevations");
    m_scratch = new wxCheckBox(box, 1043, "Show scratch lines");
    m_construction = new wxCheckBox(box, 1044, "Show construction lines");
    for (wxWindow* w : {m_descriptions, m_elevations, m_scratch, m_construction})
        display->Add(w, 0, wxALL, gap / 2);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(WithPicture(this, fonts, PreferencesPictureId), 0, wxEXPAND | wxALL, gap);
    sizer->Add(WithPicture(this, display, PreferencesSecondPictureId), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    SetSizerAndFit(sizer);
}

void CUserPreferencesDisplayPage::SetCaption(size_t i, const std::string& text)
{
    // GTK measures the label in the font it had before it turned bold, and bold text is wider;
    // the extra pixel is GTK rounding a label's fractional width up.
    m_captions[i]->SetLabel(ToWx(text));
    wxSize size = m_captions[i]->GetTextExtent(ToWx(text)) + wxSize(1, 0);
    size.IncTo(m_captions[i]->GetBestSize());
    m_captions[i]->SetMinSize(size);
}

bool CUserPreferencesDisplayPage::OnInitDialog()
{
    CEasyPropertyPage::OnInitDialog();
    UpdateDataEx(false);
    return true;
}

void CUserPreferencesDisplayPage::DoDataExchange(CDataExchange& dx)
{
    if (!dx.m_bSaveAndValidate) {
        const int dpi = ScreenDpi();
        for (size_t i = 0; i < 4; ++i)
            SetCaption(i, FontCaption(ShownFont(m_values.fonts[i]), dpi));
        Layout();
    }
    DDX_Check(dx, m_descriptions, m_values.showPointDescriptions);
    DDX_Check(dx, m_elevations, m_values.showPointElevations);
    DDX_Check(dx, m_scratch, m_values.showScratchLines);
    DDX_Check(dx, m_construction, m_values.showConstructionLines);
}

void CUserPreferencesDisplayPage::OnChooseFont(int which)
{
    if (which < 0 || which > 3 || !UpdateDataEx(true))
        return;
    LogFont font = m_values.fonts[size_t(which)];
    if (g_fontChooser && g_fontChooser(this, font)) {
        m_values.fonts[size_t(which)] = font;
        UpdateDataEx(false);
    }
}

// --- General.

CUserPreferencesGeneralPage::CUserPreferencesGeneralPage(GeneralPageValues& values)
    : CEasyPropertyPage("General"), m_values(values)
{
}

void CUserPreferencesGeneralPage::BuildControls()
{
    const int gap = FromDIP(6);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    for (size_t i = 0; i < PreferenceGeneralChecks.size(); ++i) {
        m_checks[i] = new wxCheckBox(this, PreferenceGeneralChecks[i].controlId, PreferenceGeneralChecks[i].text);
        sizer->Add(m_checks[i], 0, wxLEFT | wxRIGHT | wxTOP, gap);
    }
    auto folderRow = [&](const char* label, int editId, int browseId, wxTextCtrl*& edit) -> wxButton* {
        auto* box = new wxStaticBoxSizer(wxHORIZONTAL, this, label);
        edit = new wxTextCtrl(box->GetStaticBox(), editId);
        auto* browse = new wxButton(box->GetStaticBox(), browseId, "Browse...");
        box->Add(edit, 1, wxALIGN_CENTER_VERTICAL | wxALL, gap / 2);
        box->Add(browse, 0, wxALIGN_CENTER_VERTICAL | wxALL, gap / 2);
        sizer->Add(box, 0, wxEXPAND | wxALL, gap);
        return browse;
    };
    folderRow("Default Job Folder", IdJobFolder, IdBrowseJobFolder, m_jobFolder)
        ->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowseFolder(false); });
    m_backup = new wxCheckBox(this, IdBackupDownloads, "Backup all total station downloads");
    m_backup->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnBackupDownloadsClicked(); });
    sizer->Add(m_backup, 0, wxLEFT | wxRIGHT | wxTOP, gap);
    m_browseBackup = folderRow("Default Backup Folder", IdBackupFolder, IdBrowseBackupFolder, m_backupFolder);
    m_browseBackup->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowseFolder(true); });
    SetSizerAndFit(sizer);
}

bool CUserPreferencesGeneralPage::OnInitDialog()
{
    CEasyPropertyPage::OnInitDialog();
    UpdateDataEx(false);
    OnBackupDownloadsClicked();
    return true;
}

void CUserPreferencesGeneralPage::DoDataExchange(CDataExchange& dx)
{
    for (size_t i = 0; i < m_checks.size(); ++i)
        DDX_Check(dx, m_checks[i], m_values.checks[i]);
    DDX_TextOf(dx, m_jobFolder, m_values.jobFolder);
    DDX_Check(dx, m_backup, m_values.backupDownloads);
    DDX_TextOf(dx, m_backupFolder, m_values.backupFolder);
}

void CUserPreferencesGeneralPage::OnBackupDownloadsClicked()
{
    m_values.backupDownloads = m_backup->GetValue() ? 1 : 0;
    m_backupFolder->Enable(m_values.backupDownloads != 0);
    m_browseBackup->Enable(m_values.backupDownloads != 0);
}

void CUserPreferencesGeneralPage::OnBrowseFolder(bool backup)
{
    wxTextCtrl* edit = backup ? m_backupFolder : m_jobFolder;
    std::string folder = FromWx(edit->GetValue());
    if (!BrowseForFolder(this, folder))
        return;
    // Folders are kept with their trailing separator, as the rest of the program expects.
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    (backup ? m_values.backupFolder : m_values.jobFolder) = folder;
    edit->ChangeValue(ToWx(folder));
}

bool CUserPreferencesGeneralPage::OnKillActive()
{
    if (!CEasyPropertyPage::OnKillActive())
        return false;
    if (IsWizard())
        return true;
    if (const auto message = CheckGeneralFolders(m_values)) {
        ShowMessageBoxFS(*message, MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

// --- Snap.

namespace {

// The pick box as the cursor shows it: a square of the size with a cross through it.
class CPickBoxPreview : public wxWindow
{
public:
    CPickBoxPreview(wxWindow* parent, int id) : wxWindow(parent, id, wxDefaultPosition, parent->FromDIP(wxSize(32, 32)))
    {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxAutoBufferedPaintDC dc(this);
            dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
            dc.Clear();
            if (size <= 0)
                return;
            const wxSize c = GetClientSize();
            const int x = (c.x - size) / 2, y = (c.y - size) / 2;
            dc.SetPen(*wxBLACK_PEN);
            dc.SetBrush(*wxTRANSPARENT_BRUSH);
            dc.DrawRectangle(x, y, size, size);
            dc.DrawLine(c.x / 2, 0, c.x / 2, c.y);
            dc.DrawLine(0, c.y / 2, c.x, c.y / 2);
        });
    }
    // A picture: the keyboard passes it by.
    bool AcceptsFocus() const override { return false; }
    int size = 0;
};

} // namespace

CUserPreferencesSnapPage::CUserPreferencesSnapPage(SnapPageValues& values, const std::vector<std::string>& modeNames)
    : CEasyPropertyPage("Snap"), m_values(values), m_modeNames(modeNames)
{
}

void CUserPreferencesSnapPage::BuildControls()
{
    const int gap = FromDIP(6);
    auto* order = new wxStaticBoxSizer(wxVERTICAL, this, "Snap Order");
    m_list = new CEasyCheckListBox(order->GetStaticBox(), IdSnapList, CEasyCheckListBox::DragToReorder);
    m_list->SetMinSize(FromDIP(wxSize(160, 90)));
    order->Add(m_list, 1, wxEXPAND | wxALL, gap / 2);

    auto* pick = new wxStaticBoxSizer(wxHORIZONTAL, this, "Pick Box Size");
    m_slider = new wxSlider(pick->GetStaticBox(), IdSlider, PickBoxSliderMin, PickBoxSliderMin, PickBoxSliderMax);
    m_slider->Bind(wxEVT_SLIDER, [this](wxCommandEvent&) { OnSliderMoved(); });
    m_preview = new CPickBoxPreview(pick->GetStaticBox(), IdPickBoxPreview);
    pick->Add(m_slider, 1, wxALIGN_CENTER_VERTICAL | wxALL, gap / 2);
    pick->Add(m_preview, 0, wxALIGN_CENTER_VERTICAL | wxALL, gap / 2);

    auto* gridBox = new wxStaticBoxSizer(wxVERTICAL, this, "Grid");
    wxWindow* g = gridBox->GetStaticBox();
    auto* grid = new wxFlexGridSizer(2, gap, gap * 2);
    grid->AddGrowableCol(1);
    const std::pair<int, const char*> edits[] = {{IdXSpacing, "Horizontal Spacing:"}, {IdYSpacing, "Vertical Spacing:"},
                                                 {IdXOrigin, "Horizontal Origin:"}, {IdYOrigin, "Vertical Origin:"}};
    for (const auto& [id, label] : edits) {
        grid->Add(new wxStaticText(g, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(new wxTextCtrl(g, id), 1, wxEXPAND);
    }
    gridBox->Add(grid, 0, wxEXPAND | wxALL, gap);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(WithPicture(this, order, PreferencesPictureId), 1, wxEXPAND | wxALL, gap);
    sizer->Add(pick, 0, wxEXPAND | wxLEFT | wxRIGHT, gap);
    sizer->Add(gridBox, 0, wxEXPAND | wxALL, gap);
    SetSizerAndFit(sizer);
}

bool CUserPreferencesSnapPage::OnInitDialog()
{
    CEasyPropertyPage::OnInitDialog();
    UpdateDataEx(false);
    m_slider->SetValue(PickBoxSliderPosition(m_values.pickBoxSize));
    UpdatePickBoxPreview();
    return true;
}

void CUserPreferencesSnapPage::DoDataExchange(CDataExchange& dx)
{
    if (dx.m_bSaveAndValidate) {
        for (unsigned i = 0; i < m_list->GetCount() && i < m_values.order.size(); ++i) {
            m_values.order[i] = static_cast<uint16_t>(reinterpret_cast<uintptr_t>(m_list->GetClientData(i)));
            m_values.onOff[i] = m_list->IsChecked(i) ? 1 : 0;
        }
        m_values.pickBoxSize = m_slider->GetValue() * 2;
    } else {
        m_list->Clear();
        for (size_t i = 0; i < m_values.order.size(); ++i) {
            const uint16_t code = m_values.order[i];
            const std::string name = code < m_modeNames.size() ? m_modeNames[code] : std::to_string(code);
            const unsigned row = m_list->Append(ToWx(name), reinterpret_cast<void*>(uintptr_t(code)));
            m_list->Check(row, m_values.onOff[i] != 0);
        }
    }
    auto edit = [this](int id) { return static_cast<wxTextCtrl*>(FindWindow(id)); };
    DDX_PlainDouble(dx, edit(IdXSpacing), IdXSpacing, m_values.gridXSpacing);
    DDX_PlainDouble(dx, edit(IdYSpacing), IdYSpacing, m_values.gridYSpacing);
    DDX_PlainDouble(dx, edit(IdXOrigin), IdXOrigin, m_values.gridXOrigin);
    DDX_PlainDouble(dx, edit(IdYOrigin), IdYOrigin, m_values.gridYOrigin);
}

void CUserPreferencesSnapPage::OnSliderMoved()
{
    m_values.pickBoxSize = m_slider->GetValue() * 2;
    UpdatePickBoxPreview();
}

void CUserPreferencesSnapPage::UpdatePickBoxPreview()
{
    m_cursorId = PickBoxCursorId(m_values.pickBoxSize);
    static_cast<CPickBoxPreview*>(m_preview)->size = m_cursorId ? m_values.pickBoxSize : 0;
    m_preview->Refresh(false);
}

// --- Transfer.

CUserPreferencesTransferPage::CUserPreferencesTransferPage(TransferPageValues& values)
    : CEasyPropertyPage("Transfer"), m_values(values)
{
}

void CUserPreferencesTransferPage::BuildControls()
{
    const int gap = FromDIP(6);
    auto* device = new wxStaticBoxSizer(wxVERTICAL, this, "Total Station");
    wxWindow* d = device->GetStaticBox();
    m_device = new CCustomIconButton(d, IdDevice, wxDefaultPosition, FromDIP(wxSize(40, 40)));
    device->Add(m_device, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, gap / 2);
    auto* family = new wxBoxSizer(wxHORIZONTAL);
    m_lumora = new wxRadioButton(d, IdLumora, "Lumora Precision", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_nikon = new wxRadioButton(d, IdNikon, "Nikon");
    family->Add(m_lumora, 0, wxRIGHT, gap * 2);
    family->Add(m_nikon);
    device->Add(family, 0, wxALL, gap / 2);
    m_model = new wxChoice(d, IdModel);
    device->Add(m_model, 0, wxEXPAND | wxALL, gap / 2);
    auto* serial = new wxFlexGridSizer(2, gap / 2, gap);
    serial->AddGrowableCol(1);
    m_port = new CComPortComboBox(d, IdPort);
    m_baud = new CBaudControl(d, IdBaud);
    m_parity = NewChoice(d, IdParity, {});
    serial->Add(new wxStaticText(d, wxID_ANY, "Port:"), 0, wxALIGN_CENTER_VERTICAL);
    serial->Add(m_port, 1, wxEXPAND);
    serial->Add(new wxStaticText(d, wxID_ANY, "Baud:"), 0, wxALIGN_CENTER_VERTICAL);
    serial->Add(m_baud, 1, wxEXPAND);
    serial->Add(new wxStaticText(d, wxID_ANY, "Parity:"), 0, wxALIGN_CENTER_VERTICAL);
    serial->Add(m_parity, 1, wxEXPAND);
    device->Add(serial, 0, wxEXPAND | wxALL, gap / 2);
    m_prompt = new wxCheckBox(d, IdAlwaysPrompt, "Always prompt for Transfer Settings");
    device->Add(m_prompt, 0, wxALL, gap / 2);

    auto* defaults = new wxStaticBoxSizer(wxVERTICAL, this, "Default Job Settings");
    wxWindow* b = defaults->GetStaticBox();
    auto* grid = new wxFlexGridSizer(2, gap / 2, gap);
    grid->AddGrowableCol(1);
    m_distance = NewChoice(b, IdDistanceUnit, {});
    m_angle = NewChoice(b, IdAngleUnit, {});
    m_azimuth = NewChoice(b, IdAzimuthType, {});
    m_direction = NewChoice(b, IdDirectionType, {});
    m_scaleCheck = new wxCheckBox(b, IdScaleCheck, "Scale Factor:");
    m_scale = new wxTextCtrl(b, IdScale);
    for (auto [label, field] : std::initializer_list<std::pair<wxWindow*, wxWindow*>>{
             {new wxStaticText(b, wxID_ANY, "Distance Units:"), m_distance},
             {new wxStaticText(b, wxID_ANY, "Angle Units:"), m_angle},
             {new wxStaticText(b, wxID_ANY, "Azimuth Type:"), m_azimuth},
             {new wxStaticText(b, wxID_ANY, "Direction Type:"), m_direction},
             {m_scaleCheck, m_scale}}) {
        grid->Add(label, 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(field, 1, wxEXPAND);
    }
    defaults->Add(grid, 0, wxEXPAND | wxALL, gap / 2);
    m_curvature = new wxCheckBox(b, IdCurvatureCheck, "Adjust for Earth Curvature / Refraction");
    defaults->Add(m_curvature, 0, wxALL, gap / 2);
    m_coeffLabel = new wxStaticText(b, IdCoeffLabel, "Coeff:");
    m_coefficient = NewChoice(b, IdCoefficient, {});
    auto* coeff = new wxBoxSizer(wxHORIZONTAL);
    coeff->Add(m_coeffLabel, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    coeff->Add(m_coefficient);
    defaults->Add(coeff, 0, wxLEFT, gap * 3);
    m_seaLevel = new wxCheckBox(b, IdSeaLevel, "Apply Sea Level Correction");
    defaults->Add(m_seaLevel, 0, wxALL, gap / 2);
    m_offset = new wxTextCtrl(b, IdStakeoutOffset);
    defaults->Add(Row(b, "Stakeout: Add Pt:", m_offset, gap), 0, wxEXPAND | wxALL, gap / 2);

    auto* columns = new wxStaticBoxSizer(wxVERTICAL, this, "Coordinate Column Order");
    m_columns = new CNikonColumnsCtrl(columns->GetStaticBox(), IdColumns);
    m_columns->SetBehaviour(m_columns->GetBehaviour() | CEasyCheckListBox::DragToReorder);
    m_columns->SetMinSize(FromDIP(wxSize(120, 150)));
    columns->Add(m_columns, 1, wxEXPAND | wxALL, gap / 2);
    columns->Add(new wxStaticText(columns->GetStaticBox(), wxID_ANY, "Drag items up and down to change column order."),
                 0, wxALL, gap / 2);

    auto* right = new wxBoxSizer(wxVERTICAL);
    right->Add(WithPicture(this, defaults, PreferencesPictureId), 0, wxEXPAND);
    right->Add(columns, 1, wxEXPAND | wxTOP, gap);
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(device, 0, wxEXPAND | wxALL, gap);
    sizer->Add(right, 1, wxEXPAND | wxALL, gap);
    SetSizerAndFit(sizer);

    m_lumora->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { OnFamilyChanged(); });
    m_nikon->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { OnFamilyChanged(); });
    m_model->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnModelChanged(); });
    m_scaleCheck->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdateCorrectionControls(); });
    m_curvature->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdateCorrectionControls(); });
}

void CUserPreferencesTransferPage::UpdateDeviceIcon()
{
    auto* app = dynamic_cast<CMorvelApp*>(wxTheApp);
    m_device->SetIcon(app ? app->GetIcon(GetDeviceIconId(), false) : nullptr, false, false);
    m_device->Refresh();
}

void CUserPreferencesTransferPage::FillModels()
{
    m_model->Clear();
    for (const std::string& name : GetFamilyModelNames(m_values.nikonFamily))
        m_model->Append(ToWx(name));
    const int index = m_values.modelIndex - GetFamilyModelRange(m_values.nikonFamily).first;
    m_model->SetSelection(index >= 0 && index < int(m_model->GetCount()) ? index : 0);
}

bool CUserPreferencesTransferPage::OnInitDialog()
{
    CEasyPropertyPage::OnInitDialog();
    m_nikon->SetValue(m_values.nikonFamily);
    m_lumora->SetValue(!m_values.nikonFamily);
    UpdateDeviceIcon();
    FillModels();
    auto fill = [](wxChoice* choice, std::initializer_list<const char*> items) {
        for (const char* item : items)
            choice->Append(item);
    };
    fill(m_parity, {"None", "Odd", "Even"});
    fill(m_distance, {"Meters", "Feet", "US Survey Feet"});
    fill(m_angle, {"Degrees", "Grads / Gons"});
    fill(m_azimuth, {"North Azimuth", "South Azimuth"});
    fill(m_direction, {"HA zero to BS", "True Azimuth"});
    fill(m_coefficient, {"0.1320", "0.2000"});
    UpdateDataEx(false);
    UpdateCorrectionControls();
    return true;
}

void CUserPreferencesTransferPage::OnFamilyChanged()
{
    const bool nikonChecked = m_nikon->GetValue();
    if (nikonChecked == m_values.nikonFamily)
        return;
    SwitchTransferFamily(m_values, nikonChecked);
    UpdateDeviceIcon();
    FillModels();
}

void CUserPreferencesTransferPage::OnModelChanged()
{
    const int selected = m_model->GetSelection();
    if (selected != wxNOT_FOUND)
        m_values.modelIndex = selected + GetFamilyModelRange(m_values.nikonFamily).first;
}

void CUserPreferencesTransferPage::UpdateCorrectionControls()
{
    m_scale->Enable(m_scaleCheck->GetValue());
    m_coeffLabel->Enable(m_curvature->GetValue());
    m_coefficient->Enable(m_curvature->GetValue());
}

void CUserPreferencesTransferPage::DoDataExchange(CDataExchange& dx)
{
    const bool save = dx.m_bSaveAndValidate;
    TransferPageValues& v = m_values;
    DDX_ComPort(&dx, *m_port, v.comPort, v.comDevice);
    DDX_Baud(&dx, *m_baud, v.baudRate);
    DDX_CBIndex(dx, m_parity, v.parity);
    DDX_Check(dx, m_prompt, v.showSettings);
    auto flag = [&v](uint32_t bit, bool on) { v.settingsWord = on ? v.settingsWord | bit : v.settingsWord & ~bit; };
    if (save) {
        const int distance = m_distance->GetSelection();
        if (distance >= 0 && distance <= 2)
            v.distanceUnit = static_cast<uint16_t>(distance);
        v.angleUnit = m_angle->GetSelection() == 1 ? 1 : 0;
        flag(DefSouthAzimuth, m_azimuth->GetSelection() == 1);
        flag(DefTrueAzimuth, m_direction->GetSelection() == 1);
        flag(DefScaleFactorGiven, m_scaleCheck->GetValue());
        // An unchecked scale factor keeps the stored one, whatever the field shows.
        if (v.settingsWord & DefScaleFactorGiven) {
            double scale = v.scaleFactor;
            DDX_ScaleFactor(&dx, IdScale, scale);
            v.scaleFactor = scale;
            DDV_NonZero(&dx, IdScale, scale);
        }
        flag(DefCurvature, m_curvature->GetValue());
        if (v.settingsWord & DefCurvature)
            flag(DefCoefficient02, m_coefficient->GetSelection() == 1);
        flag(DefSeaLevel, m_seaLevel->GetValue());
    } else {
        m_distance->SetSelection(v.distanceUnit <= 2 ? v.distanceUnit : 0);
        m_angle->SetSelection(v.angleUnit == 1 ? 1 : 0);
        m_azimuth->SetSelection(v.settingsWord & DefSouthAzimuth ? 1 : 0);
        m_direction->SetSelection(v.settingsWord & DefTrueAzimuth ? 1 : 0);
        m_scaleCheck->SetValue(v.settingsWord & DefScaleFactorGiven);
        m_scale->Enable();
        double scale = v.scaleFactor;
        DDX_ScaleFactor(&dx, IdScale, scale);
        m_scale->Enable(m_scaleCheck->GetValue());
        m_curvature->SetValue(v.settingsWord & DefCurvature);
        m_coefficient->SetSelection(v.settingsWord & DefCoefficient02 ? 1 : 0);
        m_seaLevel->SetValue(v.settingsWord & DefSeaLevel);
    }
    DDX_Int(&dx, IdStakeoutOffset, v.stakeoutOffset);
    DDV_MinMaxInt(&dx, IdStakeoutOffset, v.stakeoutOffset, 0, 9999);
    if (save) {
        v.coordOrder = m_columns->GetColumns().ToString();
    } else {
        CNikonColumnCollection columns;
        columns.FromString(v.coordOrder);
        m_columns->SetColumns(columns);
    }
}

// --- Format.

CUserPreferencesFormatPage::CUserPreferencesFormatPage(FormatPageValues& values, CPreferencesHost& host)
    : CEasyPropertyPage("Format"), m_values(values), m_host(host)
{
}

wxChoice* CUserPreferencesFormatPage::Combo(int id) const { return static_cast<wxChoice*>(FindWindow(id)); }

void CUserPreferencesFormatPage::BuildControls()
{
    const int gap = FromDIP(6);
    auto* labels = new wxStaticBoxSizer(wxVERTICAL, this, "Labels");
    wxWindow* l = labels->GetStaticBox();
    auto* labelGrid = new wxFlexGridSizer(2, gap / 2, gap);
    labelGrid->AddGrowableCol(1);
    for (auto [id, text] : {std::pair<int, const char*>{IdEastingLabel, "Easting:"}, {IdNorthingLabel, "Northing:"},
                            {IdElevationLabel, "Elevation:"}}) {
        labelGrid->Add(new wxStaticText(l, wxID_ANY, text), 0, wxALIGN_CENTER_VERTICAL);
        labelGrid->Add(new wxTextCtrl(l, id), 1, wxEXPAND);
    }
    labels->Add(labelGrid, 0, wxEXPAND | wxALL, gap / 2);
    labels->Add(NewChoice(l, IdOrder, {"Northing followed by Easting", "Easting followed by Northing"}), 0,
                wxEXPAND | wxALL, gap / 2);

    auto* formats = new wxStaticBoxSizer(wxVERTICAL, this, "Decimals");
    wxWindow* f = formats->GetStaticBox();
    auto* grid = new wxFlexGridSizer(2, gap / 2, gap);
    grid->AddGrowableCol(1);
    for (auto [id, text] : {std::pair<int, const char*>{IdNorthingEasting, "Northings/Eastings:"},
                            {IdElevation, "Elevations:"}, {IdDistance, "Distances:"}, {IdAngles, "Angles:"},
                            {IdLargeArea, "Acres/Hectares:"}, {IdSmallArea, "Sq ft/sq m:"}, {IdStations, "Stations:"}}) {
        grid->Add(new wxStaticText(f, wxID_ANY, text), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(new wxChoice(f, id), 1, wxEXPAND);
    }
    grid->Add(new wxStaticText(f, wxID_ANY, "Display directions as:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new wxChoice(f, IdDirections), 1, wxEXPAND);
    formats->Add(grid, 0, wxEXPAND | wxALL, gap / 2);
    auto* architectural = new wxCheckBox(f, IdArchitectural, "Format using architectural units (nearest 1/16 inch)");
    formats->Add(architectural, 0, wxALL, gap / 2);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(WithPicture(this, labels, PreferencesPictureId), 0, wxEXPAND | wxALL, gap);
    sizer->Add(formats, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    SetSizerAndFit(sizer);
    Combo(IdDirections)->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { RefreshFormatSamples(); });
    architectural->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { RefreshFormatSamples(); });
}

bool CUserPreferencesFormatPage::OnInitDialog()
{
    CEasyPropertyPage::OnInitDialog();
    wxChoice* directions = Combo(IdDirections);
    directions->Clear();
    directions->Append("Azimuth");
    directions->Append("Bearing");
    // The sample lists exist before their indexes are loaded.
    RefreshFormatSamples();
    UpdateDataEx(false);
    RefreshFormatSamples();
    return true;
}

void CUserPreferencesFormatPage::RefreshFormatSamples()
{
    const int direction = Combo(IdDirections)->GetSelection();
    // Without a job the samples use degrees and north azimuths.
    int32_t azimuth = 0, angleUnits = 0;
    m_host.GetJobAngleFormats(azimuth, angleUnits);
    const FormatSamples samples = MakeFormatSamples(direction == 1 ? 1 : 0, azimuth, angleUnits);
    auto refill = [this](int id, const std::vector<std::string>& entries) {
        wxChoice* combo = Combo(id);
        const int selected = combo->GetSelection();
        combo->Clear();
        for (const std::string& entry : entries)
            combo->Append(ToWx(entry));
        combo->SetSelection(selected >= 0 && selected < int(entries.size()) ? selected : wxNOT_FOUND);
    };
    for (int id : {IdNorthingEasting, IdElevation, IdDistance, IdLargeArea, IdSmallArea})
        refill(id, samples.decimals);
    refill(IdAngles, samples.angles);
    refill(IdStations, samples.stations);
}

void CUserPreferencesFormatPage::DoDataExchange(CDataExchange& dx)
{
    FormatPageValues& v = m_values;
    auto label = [&](int id, std::string& text) {
        DDX_TextOf(dx, static_cast<wxTextCtrl*>(FindWindow(id)), text);
        if (dx.m_bSaveAndValidate) {
            dx.PrepareEditCtrl(id);
            DDV_NotEmptyText(&dx, id, text);
        }
    };
    label(IdEastingLabel, v.eastingLabel);
    label(IdNorthingLabel, v.northingLabel);
    label(IdElevationLabel, v.elevationLabel);
    DDX_CBIndex(dx, Combo(IdOrder), v.orderIndex);
    DDX_CBIndex(dx, Combo(IdNorthingEasting), v.northingEastingDecimals);
    DDX_CBIndex(dx, Combo(IdElevation), v.elevationDecimals);
    DDX_CBIndex(dx, Combo(IdDistance), v.distanceDecimals);
    DDX_CBIndex(dx, Combo(IdStations), v.stationFormat);
    DDX_CBIndex(dx, Combo(IdAngles), v.anglePrecision);
    DDX_CBIndex(dx, Combo(IdLargeArea), v.largeAreaDecimals);
    DDX_CBIndex(dx, Combo(IdSmallArea), v.smallAreaDecimals);
    DDX_CBIndex(dx, Combo(IdDirections), v.directionDisplay);
    DDX_Check(dx, static_cast<wxCheckBox*>(FindWindow(IdArchitectural)), v.architectural);
}

// --- Rename Rules.

CUserPreferencesRenameRulesPage::CUserPreferencesRenameRulesPage(RenamePageValues& values)
    : CEasyPropertyPage("Rename Rules"), m_values(values)
{
}

void CUserPreferencesRenameRulesPage::BuildControls()
{
    const int gap = FromDIP(6);
    auto* rules = new wxStaticBoxSizer(wxVERTICAL, this, "Rename Rule");
    wxWindow* r = rules->GetStaticBox();
    static const char* texts[] = {"Start with point number:", "Fill gaps first, then sequential.", "Start after:",
                                  "Use alpha designator", "Use numeric offset:"};
    std::array<wxRadioButton*, 5> radios{};
    for (int i = 0; i < 5; ++i) {
        radios[size_t(i)] = new wxRadioButton(r, RuleRadioIds[size_t(i)], texts[i], wxDefaultPosition, wxDefaultSize,
                                              i == 0 ? wxRB_GROUP : 0);
        radios[size_t(i)]->Bind(wxEVT_RADIOBUTTON, [this, i](wxCommandEvent&) { OnRuleClicked(i); });
    }
    auto line = [&](wxRadioButton* radio, wxWindow* field) {
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        row->Add(radio, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
        if (field)
            row->Add(field, 0, wxALIGN_CENTER_VERTICAL);
        rules->Add(row, 0, wxALL, gap / 2);
    };
    line(radios[0], new wxTextCtrl(r, IdStartNumber));
    line(radios[1], nullptr);
    line(radios[2], NewChoice(r, IdNextRound, {"Highest Point Number", "Next Round 100", "Next Round 1000",
                                               "Next Round 10000"}));
    line(radios[3], new wxTextCtrl(r, IdDesignator));
    auto* location = new wxBoxSizer(wxHORIZONTAL);
    location->Add(new wxRadioButton(r, IdInFront, "In Front  (A_101)", wxDefaultPosition, wxDefaultSize, wxRB_GROUP),
                  0, wxRIGHT, gap * 2);
    location->Add(new wxRadioButton(r, IdInBack, "In Back  (101_A)"));
    rules->Add(location, 0, wxLEFT | wxBOTTOM, gap * 4);
    line(radios[4], new wxTextCtrl(r, IdOffset));

    auto* options = new wxStaticBoxSizer(wxVERTICAL, this, "Option");
    options->Add(new wxRadioButton(options->GetStaticBox(), IdOptionAlways, "Always rename points.",
                                   wxDefaultPosition, wxDefaultSize, wxRB_GROUP),
                 0, wxALL, gap / 2);
    options->Add(new wxRadioButton(options->GetStaticBox(), IdOptionConflict,
                                   "Rename points only when there is a conflict."),
                 0, wxALL, gap / 2);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(rules, 0, wxEXPAND | wxALL, gap);
    sizer->Add(options, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    SetSizerAndFit(sizer);
}

bool CUserPreferencesRenameRulesPage::OnInitDialog()
{
    CEasyPropertyPage::OnInitDialog();
    UpdateDataEx(false);
    if (m_values.rule >= 0 && m_values.rule <= 4)
        OnRuleClicked(m_values.rule);
    return true;
}

void CUserPreferencesRenameRulesPage::OnRuleClicked(int rule)
{
    ApplyRenameRule(m_values, rule);
    static_cast<wxRadioButton*>(FindWindow(RuleRadioIds[size_t(rule)]))->SetValue(true);
    const std::vector<int> enabled = RenameRuleEnabledControls(rule);
    for (int id : RenameRuleControlIds)
        if (wxWindow* w = FindWindow(id))
            w->Enable(std::find(enabled.begin(), enabled.end(), id) != enabled.end());
}

void CUserPreferencesRenameRulesPage::DoDataExchange(CDataExchange& dx)
{
    RenamePageValues& v = m_values;
    const bool save = dx.m_bSaveAndValidate;
    auto radio = [this](int id) { return static_cast<wxRadioButton*>(FindWindow(id)); };
    auto* designator = static_cast<wxTextCtrl*>(FindWindow(IdDesignator));
    DDX_TextOf(dx, designator, v.designator);
    if (save)
        dx.PrepareEditCtrl(IdDesignator);
    // The entry limit would cut a longer stored designator without a word; shown whole, it is
    // refused when the page is left instead.
    if (save || wxString::FromUTF8(v.designator).length() <= size_t(RenameDesignatorMaxChars))
        DDV_MaxChars(&dx, IdDesignator, v.designator, RenameDesignatorMaxChars);
    if (save) {
        for (int i = 0; i < 5; ++i)
            if (radio(RuleRadioIds[size_t(i)])->GetValue())
                v.rule = i;
        v.designatorLocation = radio(IdInBack)->GetValue() ? 1 : 0;
        v.option = radio(IdOptionConflict)->GetValue() ? 1 : 0;
    } else {
        if (v.rule >= 0 && v.rule <= 4)
            radio(RuleRadioIds[size_t(v.rule)])->SetValue(true);
        radio(v.designatorLocation == 1 ? IdInBack : IdInFront)->SetValue(true);
        radio(v.option == 1 ? IdOptionConflict : IdOptionAlways)->SetValue(true);
    }
    DDX_CBIndex(dx, static_cast<wxChoice*>(FindWindow(IdNextRound)), v.nextRound);
    // A number under another rule is not checked: that rule does not use it.
    if (!save || v.startNumberActive)
        DDX_Int(&dx, IdStartNumber, v.startNumber);
    if (!save || v.offsetActive)
        DDX_Int(&dx, IdOffset, v.numericOffset);
}

// --- The sheet.

CUserPreferences::CUserPreferences(wxWindow* parent, int startPage)
    : CEasyPropertySheet("Preferences", parent, startPage),
      m_host(std::make_unique<CAppPreferencesHost>(static_cast<void*>(this))),
      m_data(GetMorvelSettings(), GetAppProfile(), *m_host)
{
    m_colors = new CUserPreferencesColorsPage(m_data.colors);
    m_display = new CUserPreferencesDisplayPage(m_data.display);
    m_transfer = new CUserPreferencesTransferPage(m_data.transfer);
    m_snap = new CUserPreferencesSnapPage(m_data.snap, GetMorvelSettings().GetSnapModeNames());
    m_general = new CUserPreferencesGeneralPage(m_data.general);
    m_format = new CUserPreferencesFormatPage(m_data.format, *m_host);
    m_rename = new CUserPreferencesRenameRulesPage(m_data.rename);
    for (CEasyPropertyPage* page : std::initializer_list<CEasyPropertyPage*>{
             m_colors, m_display, m_transfer, m_snap, m_general, m_format, m_rename})
        AddPage(page);
}

CUserPreferences::~CUserPreferences() = default;

void CUserPreferences::OnInitDialog() { m_data.Load(); }

void CUserPreferences::SaveToSettings() { m_data.SaveToSettings(); }
