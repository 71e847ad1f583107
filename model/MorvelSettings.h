#pragma once

#include "model/JobFileHeader.h"
#include "platform/Profile.h"
#include "model/SettingsShell.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CNikonColumnCollection;

// The settings of a job as one plain block, shared by the new-job defaults, the shell, raw data
// and transfer.
struct JobSettingsValues
{
    int32_t distanceUnit = 0; // 0 metres, 1 international foot, 2 US survey foot
    int32_t angleUnit = 0;    // 0 degrees, 1 grads
    int32_t azimuth = 0;      // 0 north, 1 south
    int32_t directionType = 0;
    int32_t useScaleFactor = 0;
    int32_t curvatureRefraction = 0;
    int32_t coefficientChoice = 0;
    int32_t seaLevel = 0;
    double scaleFactor = 1.0;
    int32_t coefficientWord = 1000;
    int32_t spare = 0;

    bool operator==(const JobSettingsValues&) const = default;
};

// The defaults of a new job header.
void InitJobSettingsValues(JobSettingsValues& values);

// Transfer setup words, in the order the preference page hands them over.
struct TransferSettings
{
    int32_t modelIndex = 0;
    int32_t parity = 0; // 0 none, 1 odd, 2 even
    int32_t baudRate = 0;
    int32_t comPort = 0;
    // The device the port stands for on this machine; empty: the port number's own.
    std::string comDevice;
};

// The user's application-wide preferences, read from the profile at start-up and written back at
// exit. Between the two only the preference pages and the snap commands change them.
class CMorvelSettings
{
public:
    // Reads and writes `profile`; the application's profile when none is given.
    explicit CMorvelSettings(CProfile* profile = nullptr);
    virtual ~CMorvelSettings() = default;

    // Everything but the snap settings.
    void Load();
    void LoadSnapSettings();
    void Save();
    void LoadColorSettings();
    void LoadFormatSettings();
    void SaveFormatSettings();

    // Transfer setup.
    int32_t GetModelIndex() const { return m_transfer.modelIndex; }
    int32_t GetParity() const { return m_transfer.parity; }
    int32_t GetBaudRate() const { return m_transfer.baudRate; }
    int32_t GetComPort() const { return m_transfer.comPort; }
    const std::string& GetComDevice() const { return m_transfer.comDevice; }
    void SetTransferSettings(const TransferSettings& block) { m_transfer = block; }
    void GetTransferSettings(TransferSettings& block) const { block = m_transfer; }
    void SetModelIndex(int32_t index) { m_transfer.modelIndex = index; }

    // Instrument models.
    std::string GetModelName() const { return GetModelNameByIndex(m_transfer.modelIndex); }
    // "Unknown" outside 0 to 10.
    static std::string GetModelNameByIndex(int32_t index);
    static int32_t GetFirstNikonModel() { return 0; }
    static int32_t GetLastNikonModel() { return 9; }
    static int32_t GetFirstZentraModel() { return 10; }
    static int32_t GetLastZentraModel() { return 10; }
    static int32_t GetModelCount() { return 11; }
    bool IsNikonModelSelected() const;
    bool IsZentraModelSelected() const;
    // The models 0, 1 and 4, which share a transfer and export dialect.
    static bool IsModelGroup014(int32_t index);

    // Appends the transfer summary lines for the wizards' summary display.
    void FormatTransferSettings(std::vector<std::string>& lines) const;
    static int32_t GetTransferSettingsLineCount() { return 9; }

    // New-job defaults from the "Transfer" section (written by the preference pages).
    void LoadNewJobDefaults(JobFileHeader& header);
    void GetNewJobDefaults(JobSettingsValues& values);
    void GetNewJobDefaultsAndCoordOrder(JobSettingsValues& values, CNikonColumnCollection& columns);
    void SetNewJobDefaultsBlock(const JobSettingsValues& values) { m_newJobDefaults = values; }
    void GetNewJobDefaultsBlock(JobSettingsValues& values) const { values = m_newJobDefaults; }

    // Snap and colours.
    int32_t GetSnapMode() const { return m_snapMode; }
    void SetSnapMode(int32_t mode) { m_snapMode = mode; }
    // Lock Snap keeps a one-shot snap mode after use; it lasts for the run, never stored.
    bool GetSnapLock() const { return m_snapLock; }
    void SetSnapLock(bool lock) { m_snapLock = lock; }
    int32_t GetColorMode() const { return m_colorMode; }
    // The preferences' palette word; SwitchColorMode settles the mode actually drawn with.
    void SetColorMode(int32_t mode) { m_colorMode = mode; }
    bool SwitchColorMode(int32_t ignored, bool repaint);

    // Captions and coordinate order.
    const std::string& GetXCaption() const { return m_xCaption; }
    const std::string& GetYCaption() const { return m_yCaption; }
    const std::string& GetZCaption() const { return m_zCaption; }
    void SetXCaption(std::string text) { m_xCaption = std::move(text); }
    void SetYCaption(std::string text) { m_yCaption = std::move(text); }
    void SetZCaption(std::string text) { m_zCaption = std::move(text); }
    bool GetCoordOrder() const { return m_coordOrder; }
    void SetCoordOrder(bool on) { m_coordOrder = on; }

    // Snap grid.
    double GetGridXOrigin() const { return m_gridXOrigin; }
    double GetGridYOrigin() const { return m_gridYOrigin; }
    double GetGridXSpacing() const { return m_gridXSpacing; }
    double GetGridYSpacing() const { return m_gridYSpacing; }
    void SetGrid(double xOrigin, double yOrigin, double xSpacing, double ySpacing);

    // Map colours (colour-table indexes).
    int32_t GetGraphicsBackgroundColor() const { return m_graphicsBackgroundColor; }
    int32_t GetCursorColor() const { return m_cursorColor; }
    int32_t GetDefaultObjectColor() const { return m_defaultObjectColor; }
    int32_t GetSelectionColor() const { return m_selectionColor; }
    int32_t GetRawDataSideshotsColor() const { return m_rawDataSideshotsColor; }
    int32_t GetRawDataConflictsColor() const { return m_rawDataConflictsColor; }
    int32_t GetScratchColor() const { return m_scratchColor; }
    int32_t GetConstructionColor() const { return m_constructionColor; }
    void SetGraphicsBackgroundColor(int32_t c) { m_graphicsBackgroundColor = c; }
    void SetCursorColor(int32_t c) { m_cursorColor = c; }
    void SetDefaultObjectColor(int32_t c) { m_defaultObjectColor = c; }
    void SetSelectionColor(int32_t c) { m_selectionColor = c; }
    void SetRawDataSideshotsColor(int32_t c) { m_rawDataSideshotsColor = c; }
    void SetRawDataConflictsColor(int32_t c) { m_rawDataConflictsColor = c; }
    void SetScratchColor(int32_t c) { m_scratchColor = c; }
    void SetConstructionColor(int32_t c) { m_constructionColor = c; }
    // Editor colours as 0x00BBGGRR.
    uint32_t GetEditorBackgroundColor() const { return m_editorBackgroundColor; }
    uint32_t GetEditorTextColor() const { return m_editorTextColor; }
    void SetEditorBackgroundColor(uint32_t c) { m_editorBackgroundColor = c; }
    void SetEditorTextColor(uint32_t c) { m_editorTextColor = c; }

    // Job-value precisions: numbers of decimals, or format codes for angles, directions and
    // stations.
    int32_t GetJobAngle() const { return m_iJobAngle; }
    int32_t GetJobDistance() const { return m_iJobDistance; }
    int32_t GetJobNorthingEasting() const { return m_iJobNorthingEasting; }
    int32_t GetJobElevation() const { return m_iJobElevation; }
    int32_t GetJobSmallArea() const { return m_iJobSmallArea; }
    int32_t GetJobLargeArea() const { return m_iJobLargeArea; }
    int32_t GetDirectionUnits() const { return m_iDirectionUnits; }
    int32_t GetJobStationFormat() const { return m_iJobStationFormat; }
    bool GetUseArchitecturalUnits() const { return m_useArchitecturalUnits; }
    void SetJobAngle(int32_t v) { m_iJobAngle = v; }
    void SetJobDistance(int32_t v) { m_iJobDistance = v; }
    void SetJobNorthingEasting(int32_t v) { m_iJobNorthingEasting = v; }
    void SetJobElevation(int32_t v) { m_iJobElevation = v; }
    void SetJobSmallArea(int32_t v) { m_iJobSmallArea = v; }
    void SetJobLargeArea(int32_t v) { m_iJobLargeArea = v; }
    void SetDirectionUnits(int32_t v) { m_iDirectionUnits = v; }
    void SetJobStationFormat(int32_t v) { m_iJobStationFormat = v; }
    void SetUseArchitecturalUnits(bool on) { m_useArchitecturalUnits = on; }

    // Snap modes: names, and per mode its order and on/off word.
    const std::vector<std::string>& GetSnapModeNames() const { return m_snapModeNames; }
    const std::vector<uint16_t>& GetSnapOrder() const { return m_snapOrder; }
    const std::vector<uint16_t>& GetSnapOnOff() const { return m_snapOnOff; }
    std::vector<uint16_t>& GetSnapOrder() { return m_snapOrder; }
    std::vector<uint16_t>& GetSnapOnOff() { return m_snapOnOff; }

    // Display and general flags.
    bool GetIdentifyObjects() const { return m_identifyObjects; }
    bool GetShowPointIdLabels() const { return m_showPointIdLabels; }
    bool GetAutoLoadMru() const { return m_autoLoadMru; }
    bool GetShowPointDesc() const { return m_showPointDesc; }
    bool GetShowPointElev() const { return m_showPointElev; }
    bool GetShowScratchLines() const { return m_showScratchLines; }
    bool GetShowConstructionLines() const { return m_showConstructionLines; }
    bool GetAutoUpdateEntries() const { return m_autoUpdateEntries; }
    bool GetAutoShowMessages() const { return m_autoShowMessages; }
    bool GetEnableBackups() const { return m_enableBackups; }
    bool GetShowProjectNavigator() const { return m_showProjectNavigator; }
    bool GetShowZoomContextMenu() const { return m_showZoomContextMenu; }
    bool GetSaveReports() const { return m_saveReports; }
    int32_t GetPickBoxSize() const { return m_pickBoxSize; }
    void SetIdentifyObjects(bool on) { m_identifyObjects = on; }
    void SetShowPointIdLabels(bool on) { m_showPointIdLabels = on; }
    void SetAutoLoadMru(bool on) { m_autoLoadMru = on; }
    void SetShowPointDesc(bool on) { m_showPointDesc = on; }
    void SetShowPointElev(bool on) { m_showPointElev = on; }
    void SetShowScratchLines(bool on) { m_showScratchLines = on; }
    void SetShowConstructionLines(bool on) { m_showConstructionLines = on; }
    void SetAutoUpdateEntries(bool on) { m_autoUpdateEntries = on; }
    void SetAutoShowMessages(bool on) { m_autoShowMessages = on; }
    void SetEnableBackups(bool on) { m_enableBackups = on; }
    void SetShowProjectNavigator(bool on) { m_showProjectNavigator = on; }
    void SetShowZoomContextMenu(bool on) { m_showZoomContextMenu = on; }
    void SetSaveReports(bool on) { m_saveReports = on; }
    void SetPickBoxSize(int32_t pixels) { m_pickBoxSize = pixels; }

    // Fonts.
    const LogFont& GetPointIdLabelsFont() const { return m_pointIdLabelsFont; }
    const LogFont& GetListviewFont() const { return m_listviewFont; }
    const LogFont& GetReportTitleFont() const { return m_reportTitleFont; }
    const LogFont& GetReportTextFont() const { return m_reportTextFont; }
    void SetPointIdLabelsFont(const LogFont& f) { m_pointIdLabelsFont = f; }
    void SetListviewFont(const LogFont& f) { m_listviewFont = f; }
    void SetReportTitleFont(const LogFont& f) { m_reportTitleFont = f; }
    void SetReportTextFont(const LogFont& f) { m_reportTextFont = f; }

    // Transfer folder, always ending in '/' unless empty.
    const std::string& GetTransferFolder() const { return m_transferFolder; }
    void SetTransferFolder(std::string folder) { m_transferFolder = std::move(folder); }

    // Rename rules.
    const std::string& GetRenameDesignator() const { return m_renameDesignator; }
    int32_t GetRenameStartNumber() const { return m_renameStartNumber; }
    int32_t GetRenameNumericOffset() const { return m_renameNumericOffset; }
    int32_t GetRenameOption() const { return m_renameOption; }
    int32_t GetRenameDesignatorLocation() const { return m_renameDesignatorLocation; }
    int32_t GetRenameRule() const { return m_renameRule; }
    int32_t GetRenameNextRound() const { return m_renameNextRound; }
    void SetRenameDesignator(std::string text) { m_renameDesignator = std::move(text); }
    void SetRenameStartNumber(int32_t v) { m_renameStartNumber = v; }
    void SetRenameNumericOffset(int32_t v) { m_renameNumericOffset = v; }
    void SetRenameOption(int32_t v) { m_renameOption = v; }
    void SetRenameDesignatorLocation(int32_t v) { m_renameDesignatorLocation = v; }
    void SetRenameRule(int32_t v) { m_renameRule = v; }
    void SetRenameNextRound(int32_t v) { m_renameNextRound = v; }

    // Duplicate-point rules.
    bool GetCompareDescription() const { return m_compareDescription; }
    bool GetCompareLayer() const { return m_compareLayer; }
    bool GetCompareFeature() const { return m_compareFeature; }
    void SetCompareDescription(bool on) { m_compareDescription = on; }
    void SetCompareLayer(bool on) { m_compareLayer = on; }
    void SetCompareFeature(bool on) { m_compareFeature = on; }

    // Print margins.
    const ProfileRect& GetPrintMargins() const { return m_printMargins; }
    void SetPrintMargins(const ProfileRect& r) { m_printMargins = r; }

    bool GetFinalFlag() const { return m_finalFlag; }
    void SetFinalFlag(bool on) { m_finalFlag = on; }

private:
    struct ProfileParam;
    // LoadColorSettings reads the colours alone; Load reads them and the rest.
    enum class ParamGroup { Colors, Main };
    // The plain profile values, each once; Load and Save walk the list.
    std::vector<ProfileParam> Params();
    void LoadParams(ParamGroup group);
    void SaveParams();
    CProfile& Profile() const;
    void LoadFont(const char* nameKey, const char* sizeKey, const char* defaultName, int32_t defaultSize,
                  const char* fallbackName, int32_t fallbackSize, LogFont& font);
    void SaveFont(const char* nameKey, const char* sizeKey, const LogFont& font);

    CProfile* m_profile;

    std::string m_xCaption, m_yCaption, m_zCaption;
    bool m_coordOrder = true;
    double m_gridXOrigin = 0.0, m_gridYOrigin = 0.0, m_gridXSpacing = 0.0, m_gridYSpacing = 0.0;
    int32_t m_graphicsBackgroundColor = 0, m_cursorColor = 0, m_defaultObjectColor = 0, m_selectionColor = 0,
            m_rawDataSideshotsColor = 0, m_rawDataConflictsColor = 0, m_scratchColor = 0, m_constructionColor = 0;
    int32_t m_iJobAngle = 0, m_iJobDistance = 0, m_iJobNorthingEasting = 0, m_iJobElevation = 0,
            m_iJobSmallArea = 0, m_iJobLargeArea = 0, m_iDirectionUnits = 0, m_iJobStationFormat = 0;
    bool m_useArchitecturalUnits = false;
    uint32_t m_editorBackgroundColor = 0, m_editorTextColor = 0;
    int32_t m_colorMode = 0;
    int32_t m_snapMode = 0;
    std::vector<std::string> m_snapModeNames{"Point", "Grid"};
    bool m_identifyObjects = true, m_showPointIdLabels = false, m_autoLoadMru = false;
    LogFont m_pointIdLabelsFont, m_listviewFont, m_reportTitleFont, m_reportTextFont;
    bool m_showPointDesc = false, m_showPointElev = false, m_showScratchLines = false,
         m_showConstructionLines = false, m_autoUpdateEntries = false, m_autoShowMessages = false,
         m_enableBackups = false, m_showProjectNavigator = false;
    bool m_snapLock = false;
    int32_t m_pickBoxSize = 0;
    bool m_showZoomContextMenu = false, m_saveReports = false;
    TransferSettings m_transfer;
    JobSettingsValues m_newJobDefaults;
    std::string m_transferFolder, m_renameDesignator;
    int32_t m_renameStartNumber = 0, m_renameNumericOffset = 0, m_renameOption = 0, m_renameDesignatorLocation = 0,
            m_renameRule = 0, m_renameNextRound = 0;
    bool m_compareDescription = false, m_compareLayer = false, m_compareFeature = false;
    ProfileRect m_printMargins;
    std::vector<uint16_t> m_snapOrder, m_snapOnOff;
    bool m_finalFlag = false;
};

// The settings object the application owns. Until the application (or a test) installs one, a
// default-constructed object over the application's profile, not yet loaded, is returned.
CMorvelSettings& GetMorvelSettings();
// Not owned; null goes back to the default object. The value formatters read the installed
// object's precisions; without one they use those of a fresh profile.
void SetMorvelSettings(CMorvelSettings* settings);
