#pragma once

#include "model/MorvelSettings.h"
#include "platform/LogFont.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CProfile;

// The working copies of the "Preferences" sheet and how they are filled from the settings and the
// profile and written back. The pages only show and edit these values; nothing here needs a window,
// so the load and save rules are tested without a display.

// --- Colors page: one row per colour button, walked to load, save and reset.
struct PreferenceColor
{
    const char* key; // section "Colors"
    int32_t defaultIndex;
    int controlId;
    const char* label;
};
inline constexpr std::array<PreferenceColor, 8> PreferenceColors = {{
    {"Cursor", 2, 1037, "Cursor:"},
    {"Graphics Background", 253, 1038, "Background:"},
    {"Selection", 1, 1039, "Selection:"},
    {"DefaultObject", 5, 1040, "Points:"},
    {"RawDataSideshots", 0, 1041, "Traverse / Sideshots:"},
    {"RawDataConflicts", 1, 1042, "Raw Data Errors:"},
    {"Scratch", 0, 1043, "Scratch Lines:"},
    {"Construction", 252, 1044, "Construction Lines:"},
}};
enum PreferenceColorIndex { ColorCursor, ColorBackground, ColorSelection, ColorDefaultObject };
inline constexpr const char* PaletteWordKey = "VideoPallette";
inline constexpr int32_t DefaultPaletteWord = 2;

struct ColorsPageValues
{
    int32_t paletteWord = DefaultPaletteWord;
    int32_t colorModeAtConstruction = DefaultPaletteWord;
    std::array<int32_t, 8> colors{};
};
void SetDefaultColors(std::array<int32_t, 8>& colors);

// The first colour rule the page breaks: the button to focus and the message.
struct ColorRuleFailure
{
    int button; // index into PreferenceColors
    const char* message;
};
std::optional<ColorRuleFailure> CheckColorRules(const std::array<int32_t, 8>& colors);

// --- Display page.
enum PreferenceFont { FontPointLabels, FontGrid, FontReportTitle, FontReportText };
struct DisplayPageValues
{
    std::array<LogFont, 4> fonts{};
    int32_t showScratchLines = 1;
    int32_t showConstructionLines = 1;
    int32_t showPointDescriptions = 1;
    int32_t showPointElevations = 0;
};
// "%d.%s": the point size (|height| * 72 / dpi + 0.5, truncated), then the face name.
std::string FontCaption(const LogFont& font, int dpi);
// The face a font is drawn with here: the Windows sans faces the settings default to are not on a
// Linux desktop, whose sans face (desktopSans) stands in for them; any other face stays.
std::string ShownFaceName(const std::string& face, const std::string& desktopSans);
// Field by field; the face name compared with case.
bool SameLogFont(const LogFont& a, const LogFont& b);

// --- General page: six checks in the page's order.
struct PreferenceGeneralCheck
{
    int controlId;
    const char* text;
};
inline constexpr std::array<PreferenceGeneralCheck, 6> PreferenceGeneralChecks = {{
    {1060, "Automatically update entry fields"},
    {1021, "Automatically show the 'Messages' toolbar"},
    {1061, "Display the Zoom menu when you right click on empty space"},
    {1062, "Always generate and save a report  "},
    {1026, "Display Identify Object tooltips"},
    {6772, "Automatically load the last used job on startup."},
}};
struct GeneralPageValues
{
    std::array<int32_t, 6> checks{0, 0, 0, 0, 1, 0};
    std::string jobFolder;
    std::string backupFolder;
    int32_t backupDownloads = 1;
};
// The message that keeps the page, or none.
std::optional<std::string> CheckGeneralFolders(const GeneralPageValues& values);

// --- Snap page.
struct SnapPageValues
{
    std::vector<uint16_t> order;
    std::vector<uint16_t> onOff;
    int32_t pickBoxSize = 2;
    double gridXOrigin = 0.0, gridYOrigin = 0.0, gridXSpacing = 0.0, gridYSpacing = 0.0;
};
inline constexpr int PickBoxSliderMin = 3;
inline constexpr int PickBoxSliderMax = 10;
int PickBoxSliderPosition(int32_t pickBoxSize);
// The cursor that shows a pick box of this size: 1884 to 1891, 0 for none.
int PickBoxCursorId(int32_t pickBoxSize);

// --- Transfer page.
inline constexpr uint32_t DefScaleFactorGiven = 0x01;
inline constexpr uint32_t DefSouthAzimuth = 0x02;
inline constexpr uint32_t DefCurvature = 0x04;
inline constexpr uint32_t DefSeaLevel = 0x08;
inline constexpr uint32_t DefCoefficient02 = 0x10;
inline constexpr uint32_t DefTrueAzimuth = 0x20;
inline constexpr const char* DefaultCoordOrder = "P1N1E1Z1C1";

struct TransferPageValues
{
    int32_t modelIndex = 0;
    int32_t comPort = 1;
    std::string comDevice; // beside the port: the device it stands for here
    int32_t baudRate = 9600;
    int32_t parity = 0;
    int32_t showSettings = 0;
    uint16_t distanceUnit = 1;
    uint16_t angleUnit = 0;
    uint32_t settingsWord = 0;
    double scaleFactor = 1.0;
    int32_t stakeoutOffset = 1000;
    std::string coordOrder = DefaultCoordOrder;
    bool nikonFamily = true;
};
struct ModelRange
{
    int32_t first, last;
};
ModelRange GetFamilyModelRange(bool nikon);
// The names the model list shows for the family.
std::vector<std::string> GetFamilyModelNames(bool nikon);
// Switches family: the first model of the new family.
void SwitchTransferFamily(TransferPageValues& values, bool nikon);

// --- Format page.
struct FormatPageValues
{
    std::string eastingLabel, northingLabel, elevationLabel;
    int32_t orderIndex = 0; // 0 northing first
    int32_t northingEastingDecimals = 3, elevationDecimals = 3, distanceDecimals = 3, anglePrecision = 0,
            largeAreaDecimals = 3, smallAreaDecimals = 3, architectural = 0, directionDisplay = 0,
            stationFormat = 0;
};
// The samples the format lists show: six decimals 0 to 5 of 54321.12345; six angle precisions of
// 0.788947598046 rad as azimuth (direction 0) or bearing; three station formats.
struct FormatSamples
{
    std::vector<std::string> decimals, angles, stations;
};
FormatSamples MakeFormatSamples(int32_t direction, int32_t azimuthFormat, int32_t angleUnits);

// --- Rename Rules page.
struct RenamePageValues
{
    int32_t startNumber = 1;
    int32_t numericOffset = 1000;
    std::string designator = "A";
    int32_t designatorLocation = 0;
    int32_t rule = 0;
    int32_t nextRound = 0;
    int32_t option = 0;
    bool startNumberActive = false;
    bool offsetActive = false;
};
inline constexpr int RenameDesignatorMaxChars = 14;
// The controls a rule enables, out of 2750, 2794, 2752, 1057, 2753, 2751.
inline constexpr std::array<int, 6> RenameRuleControlIds = {2750, 2794, 2752, 1057, 2753, 2751};
std::vector<int> RenameRuleEnabledControls(int32_t rule);
// Enables the rule's fields; the start number and offset are checked only under their rule.
void ApplyRenameRule(RenamePageValues& values, int32_t rule);

// What the save asks of the application. Notifications go to the open job's listeners with the
// sheet as sender; hints through the open job; both only when a job is open.
class CPreferencesHost
{
public:
    virtual ~CPreferencesHost() = default;
    virtual bool HasActiveJob() = 0;
    virtual void Notify(int32_t code) = 0;
    virtual void SendHint(int32_t code) = 0;
    virtual bool GetDefaultJobFolder(std::string& folder) = 0;
    virtual void SetDefaultJobFolder(const std::string& folder) = 0;
    virtual bool GetDefaultBackupFolder(std::string& folder) = 0;
    virtual void SetDefaultBackupFolder(const std::string& folder) = 0;
    // The current view tool reloads its cursor for the new pick box size.
    virtual void ReloadToolCursor() = 0;
    // The active job's azimuth format and angle units for the format samples; false without a job.
    virtual bool GetJobAngleFormats(int32_t& azimuthFormat, int32_t& angleUnits) { return false; }
};

// Every page's working copy; Load fills them, SaveToSettings writes them back.
class CUserPreferencesData
{
public:
    CUserPreferencesData(CMorvelSettings& settings, CProfile& profile, CPreferencesHost& host);

    // Fills every page, in the order the sheet does before it shows.
    void Load();
    void LoadTransferPage();
    void LoadColorsPage();
    void LoadDisplayPage();
    void LoadGeneralPage();
    void LoadSnapPage();
    void LoadFormatPage();
    void LoadRenameRulesPage();

    // Writes every page back, ending with the colours and hint 2.
    void SaveToSettings();
    // True when the instrument or a transfer default changed.
    bool SaveTransferPage();
    void SaveColorsPage();
    void SaveDisplayPage();
    void SaveGeneralPage();
    void SaveSnapPage();
    void SaveFormatPage();
    void SaveRenameRulesPage();

    CMorvelSettings& GetSettings() { return m_settings; }
    CPreferencesHost& GetHost() { return m_host; }

    ColorsPageValues colors;
    DisplayPageValues display;
    GeneralPageValues general;
    SnapPageValues snap;
    TransferPageValues transfer;
    FormatPageValues format;
    RenamePageValues rename;

private:
    CMorvelSettings& m_settings;
    CProfile& m_profile;
    CPreferencesHost& m_host;
};
