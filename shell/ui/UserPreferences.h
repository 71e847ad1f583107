#pragma once

#include "framework/ui/EasyPropertyPage.h"
#include "shell/UserPreferencesData.h"

#include <array>
#include <functional>
#include <memory>

class CBaudControl;
class CColorButton;
class CComPortComboBox;
class CCustomIconButton;
class CEasyCheckListBox;
class CNikonColumnsCtrl;
class wxCheckBox;
class wxChoice;
class wxRadioButton;
class wxSlider;
class wxStaticText;
class wxTextCtrl;

// The pictures that lead a group on the Display, Transfer, Snap and Format pages (Display has both).
inline constexpr int PreferencesPictureId = 2420;
inline constexpr int PreferencesSecondPictureId = 6923;

// The Colors page: eight colour buttons and a sample of the chosen colours.
class CUserPreferencesColorsPage : public CEasyPropertyPage
{
public:
    static constexpr int IdSetToDefault = 2148;
    static constexpr int IdPreview = 1779;

    explicit CUserPreferencesColorsPage(ColorsPageValues& values);

    bool OnKillActive() override;
    void OnSetToDefault();
    void OnColorChanged();
    CColorButton* GetButton(size_t index) const { return m_buttons[index]; }
    // The sample pane is the map views' colour preview unless a factory (tests) makes another; the
    // factory gets the parent, the id and the page's buttons.
    using PreviewFactory = std::function<wxWindow*(wxWindow*, int, const std::array<CColorButton*, 8>&)>;
    static void SetPreviewFactory(PreviewFactory factory);

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void InvalidatePreview();

    ColorsPageValues& m_values;
    std::array<CColorButton*, 8> m_buttons{};
    wxWindow* m_preview = nullptr;
};

class CUserPreferencesDisplayPage : public CEasyPropertyPage
{
public:
    static constexpr std::array<int, 4> CaptionIds = {1892, 1893, 1895, 1897};
    static constexpr std::array<int, 4> ChooseIds = {1891, 1894, 1896, 1898};

    explicit CUserPreferencesDisplayPage(DisplayPageValues& values);

    // "Choose Font" of one of the four fonts (PreferenceFont order).
    void OnChooseFont(int which);

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    // Shows a font's caption, with room for its bold text.
    void SetCaption(size_t i, const std::string& text);

    DisplayPageValues& m_values;
    std::array<wxStaticText*, 4> m_captions{};
    wxCheckBox *m_descriptions = nullptr, *m_elevations = nullptr, *m_scratch = nullptr, *m_construction = nullptr;
};

class CUserPreferencesGeneralPage : public CEasyPropertyPage
{
public:
    static constexpr int IdJobFolder = 2856;
    static constexpr int IdBrowseJobFolder = 2857;
    static constexpr int IdBackupDownloads = 1027;
    static constexpr int IdBackupFolder = 2858;
    static constexpr int IdBrowseBackupFolder = 2859;

    explicit CUserPreferencesGeneralPage(GeneralPageValues& values);

    bool OnKillActive() override;
    void OnBackupDownloadsClicked();
    void OnBrowseFolder(bool backup);

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    GeneralPageValues& m_values;
    std::array<wxCheckBox*, 6> m_checks{};
    wxCheckBox* m_backup = nullptr;
    wxTextCtrl *m_jobFolder = nullptr, *m_backupFolder = nullptr;
    wxWindow* m_browseBackup = nullptr;
};

class CUserPreferencesSnapPage : public CEasyPropertyPage
{
public:
    static constexpr int IdSnapList = 2008;
    static constexpr int IdSlider = 2154;
    static constexpr int IdPickBoxPreview = 2155;
    static constexpr int IdXSpacing = 2156;
    static constexpr int IdYSpacing = 2157;
    static constexpr int IdXOrigin = 2158;
    static constexpr int IdYOrigin = 2159;

    CUserPreferencesSnapPage(SnapPageValues& values, const std::vector<std::string>& modeNames);

    // The slider moved (what WM_HSCROLL of the slider does).
    void OnSliderMoved();
    int GetPreviewCursorId() const { return m_cursorId; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void UpdatePickBoxPreview();

    SnapPageValues& m_values;
    std::vector<std::string> m_modeNames;
    CEasyCheckListBox* m_list = nullptr;
    wxSlider* m_slider = nullptr;
    wxWindow* m_preview = nullptr;
    int m_cursorId = 0;
};

class CUserPreferencesTransferPage : public CEasyPropertyPage
{
public:
    static constexpr int IdLumora = 7634;
    static constexpr int IdNikon = 7635;
    static constexpr int IdModel = 6769;
    static constexpr int IdPort = 1037;
    static constexpr int IdBaud = 1216;
    static constexpr int IdParity = 1038;
    static constexpr int IdAlwaysPrompt = 1062;
    static constexpr int IdDistanceUnit = 2488;
    static constexpr int IdAngleUnit = 2489;
    static constexpr int IdAzimuthType = 2491;
    static constexpr int IdDirectionType = 2493;
    static constexpr int IdScaleCheck = 1060;
    static constexpr int IdScale = 2492;
    static constexpr int IdCurvatureCheck = 1061;
    static constexpr int IdCoeffLabel = 6766;
    static constexpr int IdCoefficient = 1035;
    static constexpr int IdSeaLevel = 1069;
    static constexpr int IdStakeoutOffset = 1042;
    static constexpr int IdColumns = 2169;
    static constexpr int IdDevice = 2392;
    static constexpr unsigned NikonIcon = 129;
    static constexpr unsigned LumoraIcon = 7635;

    explicit CUserPreferencesTransferPage(TransferPageValues& values);

    void OnFamilyChanged();
    void OnModelChanged();
    void UpdateCorrectionControls();
    unsigned GetDeviceIconId() const { return m_values.nikonFamily ? NikonIcon : LumoraIcon; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void FillModels();
    void UpdateDeviceIcon();

    TransferPageValues& m_values;
    wxRadioButton *m_lumora = nullptr, *m_nikon = nullptr;
    wxChoice *m_model = nullptr, *m_parity = nullptr, *m_distance = nullptr, *m_angle = nullptr,
             *m_azimuth = nullptr, *m_direction = nullptr, *m_coefficient = nullptr;
    CComPortComboBox* m_port = nullptr;
    CBaudControl* m_baud = nullptr;
    wxCheckBox *m_prompt = nullptr, *m_scaleCheck = nullptr, *m_curvature = nullptr, *m_seaLevel = nullptr;
    wxTextCtrl *m_scale = nullptr, *m_offset = nullptr;
    wxStaticText* m_coeffLabel = nullptr;
    CNikonColumnsCtrl* m_columns = nullptr;
    CCustomIconButton* m_device = nullptr;
};

class CUserPreferencesFormatPage : public CEasyPropertyPage
{
public:
    static constexpr int IdEastingLabel = 1262;
    static constexpr int IdNorthingLabel = 1263;
    static constexpr int IdElevationLabel = 1264;
    static constexpr int IdOrder = 2207;
    static constexpr int IdNorthingEasting = 1059;
    static constexpr int IdElevation = 1060;
    static constexpr int IdDistance = 1061;
    static constexpr int IdAngles = 6708;
    static constexpr int IdLargeArea = 1064;
    static constexpr int IdSmallArea = 1066;
    static constexpr int IdArchitectural = 1021;
    static constexpr int IdDirections = 1040;
    static constexpr int IdStations = 1067;

    CUserPreferencesFormatPage(FormatPageValues& values, CPreferencesHost& host);

    void RefreshFormatSamples();

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    wxChoice* Combo(int id) const;

    FormatPageValues& m_values;
    CPreferencesHost& m_host;
};

class CUserPreferencesRenameRulesPage : public CEasyPropertyPage
{
public:
    static constexpr std::array<int, 5> RuleRadioIds = {2749, 2747, 2748, 1052, 1056};
    static constexpr int IdStartNumber = 2750;
    static constexpr int IdNextRound = 2794;
    static constexpr int IdDesignator = 2752;
    static constexpr int IdInFront = 1057;
    static constexpr int IdInBack = 2753;
    static constexpr int IdOffset = 2751;
    static constexpr int IdOptionAlways = 2872;
    static constexpr int IdOptionConflict = 2873;

    explicit CUserPreferencesRenameRulesPage(RenamePageValues& values);

    // The rule radio's click: enables its controls.
    void OnRuleClicked(int rule);

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    RenamePageValues& m_values;
};

// The modal "Preferences" sheet. Every value is edited as a working copy filled before the sheet
// shows; nothing is written until the opener calls SaveToSettings after OK.
class CUserPreferences : public CEasyPropertySheet
{
public:
    enum Page { ColorsPage, DisplayPage, TransferPage, SnapPage, GeneralPage, FormatPage, RenameRulesPage };

    CUserPreferences(wxWindow* parent, int startPage);
    ~CUserPreferences() override;

    void SaveToSettings();

    CUserPreferencesData& GetData() { return m_data; }
    CUserPreferencesColorsPage* GetColorsPage() const { return m_colors; }
    CUserPreferencesDisplayPage* GetDisplayPage() const { return m_display; }
    CUserPreferencesTransferPage* GetTransferPage() const { return m_transfer; }
    CUserPreferencesSnapPage* GetSnapPage() const { return m_snap; }
    CUserPreferencesGeneralPage* GetGeneralPage() const { return m_general; }
    CUserPreferencesFormatPage* GetFormatPage() const { return m_format; }
    CUserPreferencesRenameRulesPage* GetRenameRulesPage() const { return m_rename; }

protected:
    void OnInitDialog() override;

private:
    std::unique_ptr<CPreferencesHost> m_host;
    CUserPreferencesData m_data;
    // Owned by the notebook once the sheet is made; deleted here when it never was.
    CUserPreferencesColorsPage* m_colors;
    CUserPreferencesDisplayPage* m_display;
    CUserPreferencesTransferPage* m_transfer;
    CUserPreferencesSnapPage* m_snap;
    CUserPreferencesGeneralPage* m_general;
    CUserPreferencesFormatPage* m_format;
    CUserPreferencesRenameRulesPage* m_rename;
};

// The font chooser the Display page runs: true with the chosen font. Tests install a script.
using FontChooser = std::function<bool(wxWindow* parent, LogFont& font)>;
FontChooser SetFontChooser(FontChooser chooser);
