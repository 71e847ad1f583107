#include "shell/UserPreferencesData.h"

#include "core/GenericFormat.h"
#include "core/PathHelpers.h"
#include "core/TextUtil.h"
#include "model/HintCodes.h"
#include "model/MorvelSettingsHelpers.h"
#include "model/SettingsShell.h"
#include "platform/Profile.h"
#include "transfer/serial/TransferControls.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// A stored value the page cannot show falls back to the key's default, so no list ever opens on
// an entry it does not have.
int32_t InRange(int32_t value, int32_t low, int32_t high, int32_t fallback)
{
    return value >= low && value <= high ? value : fallback;
}

bool IsKnownBaudRate(int32_t rate) { return std::find(BaudRates.begin(), BaudRates.end(), rate) != BaudRates.end(); }

// The general checks against the settings, in the page's order.
bool GetGeneralCheck(const CMorvelSettings& s, size_t i)
{
    switch (i) {
    case 0: return s.GetAutoUpdateEntries();
    case 1: return s.GetAutoShowMessages();
    case 2: return s.GetShowZoomContextMenu();
    case 3: return s.GetSaveReports();
    case 4: return s.GetIdentifyObjects();
    default: return s.GetAutoLoadMru();
    }
}

void SetGeneralCheck(CMorvelSettings& s, size_t i, bool on)
{
    switch (i) {
    case 0: s.SetAutoUpdateEntries(on); break;
    case 1: s.SetAutoShowMessages(on); break;
    case 2: s.SetShowZoomContextMenu(on); break;
    case 3: s.SetSaveReports(on); break;
    case 4: s.SetIdentifyObjects(on); break;
    default: s.SetAutoLoadMru(on); break;
    }
}

constexpr double FormatDistanceSample = 54321.12345;
constexpr double FormatAngleSample = 0.788947598046;

} // namespace

void SetDefaultColors(std::array<int32_t, 8>& colors)
{
    for (size_t i = 0; i < colors.size(); ++i)
        colors[i] = PreferenceColors[i].defaultIndex;
}

std::optional<ColorRuleFailure> CheckColorRules(const std::array<int32_t, 8>& colors)
{
    const int32_t background = colors[ColorBackground];
    if (ColorIndicesMatch(colors[ColorCursor], background))
        return ColorRuleFailure{ColorCursor, "The graphics cursor cannot be the same color as the graphics background."};
    if (ColorIndicesMatch(colors[ColorSelection], background))
        return ColorRuleFailure{ColorSelection, "The selected color cannot be the same color as the graphics background."};
    if (ColorIndicesMatch(colors[ColorDefaultObject], background))
        return ColorRuleFailure{ColorDefaultObject, "The default object color can't be the same as the background "
                                                    "color.  Please choose another combination."};
    return std::nullopt;
}

std::string FontCaption(const LogFont& font, int dpi)
{
    const int points = dpi > 0 ? static_cast<int>(std::abs(font.height) * 72.0 / dpi + 0.5) : 0;
    return std::to_string(points) + "." + font.faceName;
}

std::string ShownFaceName(const std::string& face, const std::string& desktopSans)
{
    for (const char* windowsSans : {"MS Sans Serif", "MS Shell Dlg", "Arial", "Tahoma"})
        if (face == windowsSans && !desktopSans.empty())
            return desktopSans;
    return face;
}

bool SameLogFont(const LogFont& a, const LogFont& b)
{
    return a.height == b.height && a.weight == b.weight && a.italic == b.italic && a.underline == b.underline &&
           a.strikeOut == b.strikeOut && a.charSet == b.charSet && a.pitchAndFamily == b.pitchAndFamily &&
           a.faceName == b.faceName;
}

std::optional<std::string> CheckGeneralFolders(const GeneralPageValues& values)
{
    if (!FolderExists(values.jobFolder))
        return std::string("Job folder does not exist.");
    if (values.backupDownloads && !FolderExists(values.backupFolder))
        return std::string("Backup folder does not exist.");
    return std::nullopt;
}

int PickBoxSliderPosition(int32_t pickBoxSize)
{
    return std::clamp(pickBoxSize / 2, PickBoxSliderMin, PickBoxSliderMax);
}

int PickBoxCursorId(int32_t pickBoxSize)
{
    // One cursor per two pixels from 6 up; the smallest also stands for anything below.
    if (pickBoxSize >= 21)
        return 0;
    if (pickBoxSize < 7)
        return 1884;
    return 1884 + (pickBoxSize - 5) / 2;
}

ModelRange GetFamilyModelRange(bool nikon)
{
    if (nikon)
        return {CMorvelSettings::GetFirstNikonModel(), CMorvelSettings::GetLastNikonModel()};
    return {CMorvelSettings::GetFirstZentraModel(), CMorvelSettings::GetLastZentraModel()};
}

std::vector<std::string> GetFamilyModelNames(bool nikon)
{
    std::vector<std::string> names;
    const ModelRange range = GetFamilyModelRange(nikon);
    for (int32_t i = range.first; i <= range.last; ++i)
        names.push_back(CMorvelSettings::GetModelNameByIndex(i));
    return names;
}

void SwitchTransferFamily(TransferPageValues& values, bool nikon)
{
    values.nikonFamily = nikon;
    values.modelIndex = GetFamilyModelRange(nikon).first;
}

FormatSamples MakeFormatSamples(int32_t direction, int32_t azimuthFormat, int32_t angleUnits)
{
    CGenericFormat format;
    format.SetDistanceUnits(0);
    format.SetAzimuthFormat(azimuthFormat == 1 ? 1 : 0);
    format.SetAngleUnits(angleUnits == 1 ? 1 : 0);
    FormatSamples samples;
    for (int d = 0; d <= 5; ++d) {
        samples.decimals.push_back(CFormat::FormatNumber(FormatDistanceSample, d, false, false));
        format.SetAnglePrecision(d);
        samples.angles.push_back(direction == 0 ? format.FormatHorizontalAngle(FormatAngleSample, false)
                                                : format.FormatBearing(FormatAngleSample, false));
    }
    for (int f = 0; f <= 2; ++f) {
        format.SetStationFormat(f);
        samples.stations.push_back(format.FormatStation(FormatDistanceSample, false));
    }
    return samples;
}

std::vector<int> RenameRuleEnabledControls(int32_t rule)
{
    switch (rule) {
    case 0: return {2750};
    case 2: return {2794};
    case 3: return {2752, 1057, 2753};
    case 4: return {2751};
    default: return {};
    }
}

void ApplyRenameRule(RenamePageValues& values, int32_t rule)
{
    values.rule = rule;
    values.startNumberActive = rule == 0;
    values.offsetActive = rule == 4;
}

CUserPreferencesData::CUserPreferencesData(CMorvelSettings& settings, CProfile& profile, CPreferencesHost& host)
    : m_settings(settings), m_profile(profile), m_host(host)
{
    colors.colorModeAtConstruction = settings.GetColorMode();
    colors.paletteWord = settings.GetColorMode();
    SetDefaultColors(colors.colors);
    transfer.modelIndex = settings.GetModelIndex();
}

void CUserPreferencesData::Load()
{
    LoadTransferPage();
    LoadColorsPage();
    LoadDisplayPage();
    LoadGeneralPage();
    LoadSnapPage();
    LoadFormatPage();
    LoadRenameRulesPage();
}

void CUserPreferencesData::LoadTransferPage()
{
    TransferPageValues& t = transfer;
    t.modelIndex = m_settings.GetModelIndex();
    t.nikonFamily = t.modelIndex >= CMorvelSettings::GetFirstNikonModel() &&
                    t.modelIndex <= CMorvelSettings::GetLastNikonModel();
    const bool zentra = t.modelIndex >= CMorvelSettings::GetFirstZentraModel() &&
                        t.modelIndex <= CMorvelSettings::GetLastZentraModel();
    if (!t.nikonFamily && !zentra)
        SwitchTransferFamily(t, true);
    // USB adapters take numbers past the nine built-in ports' when those are all there.
    t.comPort = InRange(m_settings.GetComPort(), 1, 255, 1);
    t.comDevice = m_settings.GetComDevice();
    t.baudRate = IsKnownBaudRate(m_settings.GetBaudRate()) ? m_settings.GetBaudRate() : 9600;
    t.parity = InRange(m_settings.GetParity(), 0, 2, 0);
    t.showSettings = m_profile.GetProfileInt("Transfer", "ShowSettings", 0) != 0 ? 1 : 0;
    t.distanceUnit = static_cast<uint16_t>(InRange(m_profile.GetProfileInt("Transfer", "Def Dist", 1), 0, 2, 1));
    t.angleUnit = static_cast<uint16_t>(InRange(m_profile.GetProfileInt("Transfer", "Def Angle", 0), 0, 1, 0));
    t.settingsWord = static_cast<uint32_t>(m_profile.GetProfileInt("Transfer", "Def Settings", 0));
    t.scaleFactor = m_profile.GetProfileDouble("Transfer", "Def SF", 1.0);
    t.stakeoutOffset = m_profile.GetProfileInt("Transfer", "Def Offset", 1000);
    t.coordOrder = m_profile.GetProfileString("Transfer", "Coord Order", DefaultCoordOrder);
}

void CUserPreferencesData::LoadColorsPage()
{
    colors.paletteWord = InRange(m_profile.GetProfileInt("Colors", PaletteWordKey, DefaultPaletteWord), 0, 2,
                                 DefaultPaletteWord);
    for (size_t i = 0; i < PreferenceColors.size(); ++i) {
        const PreferenceColor& c = PreferenceColors[i];
        colors.colors[i] = InRange(m_profile.GetProfileInt("Colors", c.key, c.defaultIndex), 0, 255, c.defaultIndex);
    }
}

void CUserPreferencesData::LoadDisplayPage()
{
    display.showScratchLines = m_profile.GetProfileInt("Display", "Show Scratch Lines", 1) != 0 ? 1 : 0;
    display.showConstructionLines = m_profile.GetProfileInt("Display", "Show Construction Lines", 1) != 0 ? 1 : 0;
    display.fonts[FontPointLabels] = m_settings.GetPointIdLabelsFont();
    display.fonts[FontGrid] = m_settings.GetListviewFont();
    display.fonts[FontReportTitle] = m_settings.GetReportTitleFont();
    display.fonts[FontReportText] = m_settings.GetReportTextFont();
    display.showPointDescriptions = m_settings.GetShowPointDesc() ? 1 : 0;
    display.showPointElevations = m_settings.GetShowPointElev() ? 1 : 0;
}

void CUserPreferencesData::LoadGeneralPage()
{
    for (size_t i = 0; i < general.checks.size(); ++i)
        general.checks[i] = GetGeneralCheck(m_settings, i) ? 1 : 0;
    m_host.GetDefaultJobFolder(general.jobFolder);
    general.backupDownloads = m_settings.GetEnableBackups() ? 1 : 0;
    m_host.GetDefaultBackupFolder(general.backupFolder);
}

void CUserPreferencesData::LoadSnapPage()
{
    // Arrays of unequal length (a hand-edited profile) pair up as far as both go.
    const auto& order = m_settings.GetSnapOrder();
    const auto& onOff = m_settings.GetSnapOnOff();
    const size_t n = std::min(order.size(), onOff.size());
    snap.order.assign(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(n));
    snap.onOff.assign(onOff.begin(), onOff.begin() + static_cast<std::ptrdiff_t>(n));
    snap.pickBoxSize = m_settings.GetPickBoxSize();
    snap.gridXOrigin = m_settings.GetGridXOrigin();
    snap.gridYOrigin = m_settings.GetGridYOrigin();
    snap.gridXSpacing = m_settings.GetGridXSpacing();
    snap.gridYSpacing = m_settings.GetGridYSpacing();
}

void CUserPreferencesData::LoadFormatPage()
{
    FormatPageValues& f = format;
    f.eastingLabel = m_settings.GetXCaption();
    f.northingLabel = m_settings.GetYCaption();
    f.elevationLabel = m_settings.GetZCaption();
    f.orderIndex = m_settings.GetCoordOrder() ? 0 : 1;
    f.northingEastingDecimals = InRange(m_settings.GetJobNorthingEasting(), 0, 5, 3);
    f.elevationDecimals = InRange(m_settings.GetJobElevation(), 0, 5, 3);
    f.distanceDecimals = InRange(m_settings.GetJobDistance(), 0, 5, 3);
    f.anglePrecision = InRange(m_settings.GetJobAngle(), 0, 5, 0);
    f.largeAreaDecimals = InRange(m_settings.GetJobLargeArea(), 0, 5, 3);
    f.smallAreaDecimals = InRange(m_settings.GetJobSmallArea(), 0, 5, 3);
    f.architectural = m_settings.GetUseArchitecturalUnits() ? 1 : 0;
    f.directionDisplay = InRange(m_settings.GetDirectionUnits(), 0, 1, 0);
    f.stationFormat = InRange(m_settings.GetJobStationFormat(), 0, 2, 0);
}

void CUserPreferencesData::LoadRenameRulesPage()
{
    RenamePageValues& r = rename;
    r.startNumber = m_settings.GetRenameStartNumber();
    r.numericOffset = m_settings.GetRenameNumericOffset();
    r.designator = m_settings.GetRenameDesignator();
    r.designatorLocation = InRange(m_settings.GetRenameDesignatorLocation(), 0, 1, 0);
    r.rule = InRange(m_settings.GetRenameRule(), 0, 4, 2);
    r.nextRound = InRange(m_settings.GetRenameNextRound(), 0, 3, 0);
    r.option = InRange(m_settings.GetRenameOption(), 0, 1, 0);
    ApplyRenameRule(r, r.rule);
}

void CUserPreferencesData::SaveToSettings()
{
    CProfileBatch batch(m_profile);
    SaveTransferPage();
    SaveColorsPage();
    SaveDisplayPage();
    SaveGeneralPage();
    SaveSnapPage();
    SaveFormatPage();
    SaveRenameRulesPage();

    const auto& c = colors.colors;
    m_settings.SetCursorColor(c[0]);
    m_settings.SetGraphicsBackgroundColor(c[1]);
    m_settings.SetDefaultObjectColor(c[3]);
    m_settings.SetSelectionColor(c[2]);
    m_settings.SetRawDataSideshotsColor(c[4]);
    m_settings.SetRawDataConflictsColor(c[5]);
    m_settings.SetScratchColor(c[6]);
    m_settings.SetConstructionColor(c[7]);
    m_settings.SetColorMode(colors.paletteWord);
    GetSettingsShell().PrepareDxfColorMaps(m_settings.GetColorMode());

    m_settings.SetShowScratchLines(display.showScratchLines != 0);
    m_settings.SetShowConstructionLines(display.showConstructionLines != 0);
    m_settings.SetAutoUpdateEntries(general.checks[0] != 0);

    if (m_host.HasActiveJob())
        m_host.SendHint(HintJobSettingsChanged);
}

bool CUserPreferencesData::SaveTransferPage()
{
    const TransferPageValues& t = transfer;
    bool changed = false;
    if (m_settings.GetModelIndex() != t.modelIndex || m_settings.GetComPort() != t.comPort ||
        m_settings.GetComDevice() != t.comDevice || m_settings.GetBaudRate() != t.baudRate ||
        m_settings.GetParity() != t.parity) {
        m_host.Notify(HintCode8);
        m_settings.SetTransferSettings({t.modelIndex, t.parity, t.baudRate, t.comPort, t.comDevice});
        m_host.Notify(HintCode9);
        changed = true;
    }
    m_profile.WriteProfileInt("Transfer", "ShowSettings", t.showSettings);

    auto saveInt = [&](const char* key, int32_t fallback, int32_t value) {
        if (m_profile.GetProfileInt("Transfer", key, fallback) != value) {
            m_profile.WriteProfileInt("Transfer", key, value);
            changed = true;
        }
    };
    saveInt("Def Dist", 1, t.distanceUnit);
    saveInt("Def Angle", 0, t.angleUnit);
    saveInt("Def Settings", 0, static_cast<int32_t>(t.settingsWord));
    if (m_profile.GetProfileDouble("Transfer", "Def SF", 1.0) != t.scaleFactor) {
        m_profile.WriteProfileDouble("Transfer", "Def SF", t.scaleFactor);
        changed = true;
    }
    saveInt("Def Offset", 1000, t.stakeoutOffset);
    if (m_profile.GetProfileString("Transfer", "Coord Order", DefaultCoordOrder) != t.coordOrder) {
        m_profile.WriteProfileString("Transfer", "Coord Order", t.coordOrder);
        changed = true;
    }
    if (changed)
        m_host.Notify(HintCode12);
    return changed;
}

void CUserPreferencesData::SaveColorsPage()
{
    for (size_t i = 0; i < PreferenceColors.size(); ++i)
        m_profile.WriteProfileInt("Colors", PreferenceColors[i].key, colors.colors[i]);
}

void CUserPreferencesData::SaveDisplayPage()
{
    m_profile.WriteProfileInt("Display", "Show Scratch Lines", display.showScratchLines);
    m_profile.WriteProfileInt("Display", "Show Construction Lines", display.showConstructionLines);
    m_settings.SetPointIdLabelsFont(display.fonts[FontPointLabels]);
    if (!SameLogFont(display.fonts[FontGrid], m_settings.GetListviewFont())) {
        m_settings.SetListviewFont(display.fonts[FontGrid]);
        if (m_host.HasActiveJob())
            m_host.SendHint(HintFontsChanged);
    }
    m_settings.SetReportTitleFont(display.fonts[FontReportTitle]);
    m_settings.SetReportTextFont(display.fonts[FontReportText]);
    m_settings.SetShowPointDesc(display.showPointDescriptions != 0);
    m_settings.SetShowPointElev(display.showPointElevations != 0);
}

void CUserPreferencesData::SaveGeneralPage()
{
    std::string current;
    if (!m_host.GetDefaultJobFolder(current) || textutil::ToLowerAscii(current) != textutil::ToLowerAscii(general.jobFolder))
        m_host.SetDefaultJobFolder(general.jobFolder);
    m_settings.SetEnableBackups(general.backupDownloads != 0);
    // With backups off the stored backup folder stays as it was, whatever the page shows.
    if (general.backupDownloads) {
        current.clear();
        if (!m_host.GetDefaultBackupFolder(current) || textutil::ToLowerAscii(current) != textutil::ToLowerAscii(general.backupFolder))
            m_host.SetDefaultBackupFolder(general.backupFolder);
    }
    for (size_t i = 0; i < general.checks.size(); ++i)
        SetGeneralCheck(m_settings, i, general.checks[i] != 0);
}

void CUserPreferencesData::SaveSnapPage()
{
    auto& order = m_settings.GetSnapOrder();
    auto& onOff = m_settings.GetSnapOnOff();
    for (size_t i = 0; i < snap.order.size() && i < snap.onOff.size(); ++i) {
        if (i < order.size())
            order[i] = snap.order[i];
        if (i < onOff.size())
            onOff[i] = snap.onOff[i];
        const std::string index = std::to_string(i);
        m_profile.WriteProfileInt("SNAP", "Order" + index, snap.order[i]);
        m_profile.WriteProfileInt("SNAP", "OnOff" + index, snap.onOff[i]);
    }
    if (snap.pickBoxSize != m_settings.GetPickBoxSize()) {
        m_settings.SetPickBoxSize(snap.pickBoxSize);
        m_host.ReloadToolCursor();
    }
    // The shortest text that reads back to the same double: "%lf" would store a fine grid as 0.
    m_profile.WriteProfileDouble("SNAP", "Grid X Origin", snap.gridXOrigin);
    m_profile.WriteProfileDouble("SNAP", "Grid Y Origin", snap.gridYOrigin);
    m_profile.WriteProfileDouble("SNAP", "Grid X Spacing", snap.gridXSpacing);
    m_profile.WriteProfileDouble("SNAP", "Grid Y Spacing", snap.gridYSpacing);
    m_settings.SetGrid(snap.gridXOrigin, snap.gridYOrigin, snap.gridXSpacing, snap.gridYSpacing);
}

void CUserPreferencesData::SaveFormatPage()
{
    const FormatPageValues& f = format;
    CMorvelSettings& s = m_settings;
    bool changed = false;
    auto text = [&](const std::string& current, const std::string& value, void (CMorvelSettings::*set)(std::string)) {
        if (current != value) {
            (s.*set)(value);
            changed = true;
        }
    };
    auto number = [&](int32_t current, int32_t value, void (CMorvelSettings::*set)(int32_t)) {
        if (current != value) {
            (s.*set)(value);
            changed = true;
        }
    };
    text(s.GetXCaption(), f.eastingLabel, &CMorvelSettings::SetXCaption);
    text(s.GetYCaption(), f.northingLabel, &CMorvelSettings::SetYCaption);
    text(s.GetZCaption(), f.elevationLabel, &CMorvelSettings::SetZCaption);
    if (s.GetCoordOrder() != (f.orderIndex == 0)) {
        s.SetCoordOrder(f.orderIndex == 0);
        changed = true;
    }
    if (s.GetUseArchitecturalUnits() != (f.architectural != 0)) {
        s.SetUseArchitecturalUnits(f.architectural != 0);
        changed = true;
    }
    number(s.GetJobNorthingEasting(), f.northingEastingDecimals, &CMorvelSettings::SetJobNorthingEasting);
    number(s.GetJobElevation(), f.elevationDecimals, &CMorvelSettings::SetJobElevation);
    number(s.GetJobDistance(), f.distanceDecimals, &CMorvelSettings::SetJobDistance);
    number(s.GetJobAngle(), f.anglePrecision, &CMorvelSettings::SetJobAngle);
    number(s.GetJobLargeArea(), f.largeAreaDecimals, &CMorvelSettings::SetJobLargeArea);
    number(s.GetJobSmallArea(), f.smallAreaDecimals, &CMorvelSettings::SetJobSmallArea);
    number(s.GetDirectionUnits(), f.directionDisplay, &CMorvelSettings::SetDirectionUnits);
    number(s.GetJobStationFormat(), f.stationFormat, &CMorvelSettings::SetJobStationFormat);
    if (changed && m_host.HasActiveJob())
        m_host.SendHint(HintFormatSettingsChanged);
}

void CUserPreferencesData::SaveRenameRulesPage()
{
    const RenamePageValues& r = rename;
    m_profile.WriteProfileInt("Rename Rules", "Start Number", r.startNumber);
    m_profile.WriteProfileInt("Rename Rules", "Numeric Offset", r.numericOffset);
    m_profile.WriteProfileString("Rename Rules", "Designator", r.designator);
    m_profile.WriteProfileInt("Rename Rules", "Designator Location", r.designatorLocation);
    m_profile.WriteProfileInt("Rename Rules", "Rule", r.rule);
    m_profile.WriteProfileInt("Rename Rules", "Next Round", r.nextRound);
    m_profile.WriteProfileInt("Rename Rules", "Option", r.option);
    m_settings.SetRenameStartNumber(r.startNumber);
    m_settings.SetRenameNumericOffset(r.numericOffset);
    m_settings.SetRenameDesignator(r.designator);
    m_settings.SetRenameDesignatorLocation(r.designatorLocation);
    m_settings.SetRenameRule(r.rule);
    m_settings.SetRenameNextRound(r.nextRound);
    m_settings.SetRenameOption(r.option);
}
