#include "model/MorvelSettings.h"

#include "core/FormatPreferences.h"
#include "core/NikonColumnCollection.h"
#include "model/HintCodes.h"
#include "platform/AppFolders.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kModelNames[] = {
    "DTM-300",
    "DTM-310",
    "DTM-350/330, NPL-350",
    "DTM/NPL-302",
    "DTM-400 Series",
    "DTM/NPL-500/501/502 Series",
    "DTM/NPL-602 Series",
    "DTM-700 Series (AP700)",
    "DTM-800/801 Series (AP800)",
    "DTM-800/801 Series (Pre-Install)",
    "Zentra 4",
};

// Like strtod in the C locale: the longest leading number, 0 when there is none or it is not finite.
double LeadingDouble(const std::string& text)
{
    const char* p = text.c_str();
    while (*p == ' ' || *p == '\t')
        ++p;
    if (*p == '+')
        ++p;
    double v = 0.0;
    auto [end, ec] = std::from_chars(p, text.c_str() + text.size(), v);
    return ec == std::errc() && std::isfinite(v) ? v : 0.0;
}

CMorvelSettings* g_installed = nullptr;

// The formatters' preferences from the installed settings object, read afresh at every call.
FormatPreferences ReadFormatPreferences()
{
    const CMorvelSettings& settings = GetMorvelSettings();
    FormatPreferences prefs;
    prefs.iJobAngle = settings.GetJobAngle();
    prefs.iJobDistance = settings.GetJobDistance();
    prefs.iJobNorthingEasting = settings.GetJobNorthingEasting();
    prefs.iJobElevation = settings.GetJobElevation();
    prefs.iJobSmallArea = settings.GetJobSmallArea();
    prefs.iJobLargeArea = settings.GetJobLargeArea();
    prefs.iDirectionUnits = settings.GetDirectionUnits();
    prefs.iJobStationFormat = settings.GetJobStationFormat();
    prefs.iUseArchetecturalUnits = settings.GetUseArchitecturalUnits();
    return prefs;
}

} // namespace

void InitJobSettingsValues(JobSettingsValues& values) { values = JobSettingsValues{}; }

CMorvelSettings::CMorvelSettings(CProfile* profile) : m_profile(profile)
{
    InitJobSettingsValues(m_newJobDefaults);
}

CProfile& CMorvelSettings::Profile() const { return m_profile ? *m_profile : GetAppProfile(); }

void CMorvelSettings::LoadColorSettings()
{
    CProfile& p = Profile();
    m_colorMode = 2;
    GetSettingsShell().PrepareDxfColorMaps(m_colorMode);
    m_editorTextColor = static_cast<uint32_t>(p.GetProfileInt("Colors", "Editor Text", 0));
    m_editorBackgroundColor = static_cast<uint32_t>(p.GetProfileInt("Colors", "Editor Background", 0xFFFFFF));
    m_cursorColor = p.GetProfileInt("Colors", "Cursor", 2);
    m_graphicsBackgroundColor = p.GetProfileInt("Colors", "Graphics Background", 253);
    m_selectionColor = p.GetProfileInt("Colors", "Selection", 1);
    m_defaultObjectColor = p.GetProfileInt("Colors", "DefaultObject", 5);
    m_rawDataSideshotsColor = p.GetProfileInt("Colors", "RawDataSideshots", 0);
    m_rawDataConflictsColor = p.GetProfileInt("Colors", "RawDataConflicts", 1);
    m_scratchColor = p.GetProfileInt("Colors", "Scratch", 0);
    m_constructionColor = p.GetProfileInt("Colors", "Construction", 252);
}

void CMorvelSettings::LoadFont(const char* nameKey, const char* sizeKey, const char* defaultName, int32_t defaultSize,
                               const char* fallbackName, int32_t fallbackSize, LogFont& font)
{
    CProfile& p = Profile();
    LogFont wanted;
    wanted.faceName = p.GetProfileString("Display", nameKey, defaultName);
    wanted.height = p.GetProfileInt("Display", sizeKey, defaultSize);
    CSettingsShell& shell = GetSettingsShell();
    if (!shell.CreateFont(wanted)) {
        wanted = LogFont{};
        wanted.faceName = fallbackName;
        wanted.height = fallbackSize;
        shell.CreateFont(wanted);
    }
    font = wanted;
}

void CMorvelSettings::LoadFormatSettings()
{
    CProfile& p = Profile();
    m_xCaption = p.GetProfileString("format", "PlanX");
    if (m_xCaption.empty())
        m_xCaption = "Easting";
    m_yCaption = p.GetProfileString("format", "PlanY");
    if (m_yCaption.empty())
        m_yCaption = "Northing";
    m_zCaption = p.GetProfileString("format", "PlanZ");
    if (m_zCaption.empty())
        m_zCaption = "Elevation";
    m_coordOrder = p.GetProfileInt("format", "Order", 1) != 0;
}

void CMorvelSettings::Load()
{
    CProfile& p = Profile();
    LoadColorSettings();

    m_identifyObjects = p.GetProfileInt("Display", "Identify Objects", 1) != 0;
    m_showPointIdLabels = p.GetProfileInt("Display", "Show PointIdLabels", 1) != 0;
    m_autoLoadMru = p.GetProfileInt("General", "AutoLoadMru", 0) != 0;

    LoadFont("PointIdLabels Font Name", "PointIdLabels Font Size", "MS Sans Serif", -10, "MS Sans Serif", -10,
             m_pointIdLabelsFont);
    LoadFont("Listview Font Name", "Listview Font Size", "Arial", -14, "Arial", -10, m_listviewFont);
    LoadFont("Report Title Font Name", "Report Title Font Size", "Arial", -14, "Arial", -14, m_reportTitleFont);
    LoadFont("Report Text Font Name", "Report Text Font Size", "Courier New", -12, "Courier New", -12,
             m_reportTextFont);

    m_showPointDesc = p.GetProfileInt("Display", "Show Point Desc", 1) != 0;
    m_showPointElev = p.GetProfileInt("Display", "Show Point Elev", 0) != 0;
    m_showScratchLines = p.GetProfileInt("Display", "Show Scratch Lines", 1) != 0;
    m_showConstructionLines = p.GetProfileInt("Display", "Show Construction Lines", 1) != 0;
    m_autoUpdateEntries = p.GetProfileInt("General", "Auto Update Entries", 1) != 0;
    m_autoShowMessages = p.GetProfileInt("General", "Auto Show Messages", 1) != 0;
    m_showZoomContextMenu = p.GetProfileInt("General", "Show Zoom Context Menu", 0) != 0;
    m_saveReports = p.GetProfileInt("General", "Save Reports", 1) != 0;
    m_showProjectNavigator = p.GetProfileInt("General", "Show Project Navigator", 1) != 0;
    m_pickBoxSize = p.GetProfileInt("Display", "Pick Box Size", 10);

    CSettingsShell& shell = GetSettingsShell();
    std::vector<uint8_t> blob;
    if (p.GetProfileBinary("Print Settings", "DN", blob))
        shell.SetPrinterDevNames(blob);
    blob.clear();
    if (p.GetProfileBinary("Print Settings", "DM", blob))
        shell.SetPrinterDevMode(blob);
    m_printMargins = p.GetProfileRect("Print Settings", "Margins", {1400, 1440, 1440, 1440});

    m_transfer.baudRate = p.GetProfileInt("Transfer", "Baud3", 9600);
    m_transfer.parity = p.GetProfileInt("Transfer", "Parity3", 0);
    m_transfer.comPort = p.GetProfileInt("Transfer", "Port3", 1);
    m_transfer.modelIndex = p.GetProfileInt("Transfer", "NikonFile_Version", 5);
    m_enableBackups = p.GetProfileInt("Transfer", "EnableBackups", 1) != 0;

    m_newJobDefaults.azimuth = p.GetProfileInt("Morvel", "Azm. Unit", 0);
    m_newJobDefaults.directionType = p.GetProfileInt("Morvel", "Dir. Type", 0);
    m_newJobDefaults.angleUnit = p.GetProfileInt("Morvel", "Angle Unit", 0);
    m_newJobDefaults.distanceUnit = p.GetProfileInt("Morvel", "Dist. Unit", 0);
    m_newJobDefaults.curvatureRefraction = p.GetProfileInt("Morvel", "UseCRCoeff", 0);
    m_newJobDefaults.coefficientChoice = p.GetProfileInt("Morvel", "CRCoeff", 0);
    m_newJobDefaults.useScaleFactor = p.GetProfileInt("Morvel", "UseScaleFactor", 0);
    m_newJobDefaults.scaleFactor = p.GetProfileDouble("Morvel", "ScaleFactor", 1.0);
    m_newJobDefaults.seaLevel = p.GetProfileInt("Morvel", "SeaLevel", 0);

    // An empty folder stays empty (no bare "/", which would point at the file-system root).
    m_transferFolder = p.GetProfileString("Transfer", "DosDir", GetDefaultTransferFolder());
    if (!m_transferFolder.empty() && m_transferFolder.back() != '/')
        m_transferFolder += '/';

    LoadFormatSettings();

    m_renameStartNumber = p.GetProfileInt("Rename Rules", "Start Number", 1);
    m_renameNumericOffset = p.GetProfileInt("Rename Rules", "Numeric Offset", 1000);
    m_renameDesignator = p.GetProfileString("Rename Rules", "Designator", "A");
    m_renameDesignatorLocation = p.GetProfileInt("Rename Rules", "Designator Location", 0);
    m_renameRule = p.GetProfileInt("Rename Rules", "Rule", 2);
    m_renameNextRound = p.GetProfileInt("Rename Rules", "Next Round", 0);
    m_renameOption = p.GetProfileInt("Rename Rules", "Option", 0);

    m_compareDescription = p.GetProfileInt("Point Duplicate Rules", "Compare DESC", 0) != 0;
    m_compareLayer = p.GetProfileInt("Point Duplicate Rules", "Compare Layer", 0) != 0;
    m_compareFeature = p.GetProfileInt("Point Duplicate Rules", "Compare FEA", 0) != 0;

    m_showScratchLines = p.GetProfileInt("Display", "Show Scratch Lines", 1) != 0;
    m_showConstructionLines = p.GetProfileInt("Display", "Show Construction Lines", 1) != 0;

    m_iJobAngle = p.GetProfileInt("Settings", "iJobAngle", 0);
    m_iJobDistance = p.GetProfileInt("Settings", "iJobDistance", 3);
    m_iJobNorthingEasting = p.GetProfileInt("Settings", "iJobNorthingEasting", 3);
    m_iJobElevation = p.GetProfileInt("Settings", "iJobElevation", 3);
    m_iJobSmallArea = p.GetProfileInt("Settings", "iJobSmallArea", 3);
    m_iJobLargeArea = p.GetProfileInt("Settings", "iJobLargeArea", 3);
    m_iJobStationFormat = p.GetProfileInt("Settings", "iJobStationFormat", 0);
    m_iDirectionUnits = p.GetProfileInt("Settings", "iDirectionUnits", 0);
    m_useArchitecturalUnits = p.GetProfileInt("Settings", "iUseArchetecturalUnits", 0) != 0;
}

void CMorvelSettings::LoadSnapSettings()
{
    CProfile& p = Profile();
    const size_t n = m_snapModeNames.size();
    m_snapOrder.assign(n, 0);
    m_snapOnOff.assign(n, 0);
    for (size_t i = 0; i < n; ++i) {
        const std::string index = std::to_string(i);
        m_snapOrder[i] = static_cast<uint16_t>(p.GetProfileInt("SNAP", "Order" + index, static_cast<int32_t>(i)));
        m_snapOnOff[i] = static_cast<uint16_t>(p.GetProfileInt("SNAP", "OnOff" + index, i == 0 ? 1 : 0));
    }
    m_gridXOrigin = LeadingDouble(p.GetProfileString("SNAP", "Grid X Origin", "0"));
    m_gridYOrigin = LeadingDouble(p.GetProfileString("SNAP", "Grid Y Origin", "0"));
    m_gridXSpacing = LeadingDouble(p.GetProfileString("SNAP", "Grid X Spacing", "1"));
    m_gridYSpacing = LeadingDouble(p.GetProfileString("SNAP", "Grid Y Spacing", "1"));
}

void CMorvelSettings::SaveFont(const char* nameKey, const char* sizeKey, const LogFont& font)
{
    Profile().WriteProfileString("Display", nameKey, font.faceName);
    Profile().WriteProfileInt("Display", sizeKey, font.height);
}

void CMorvelSettings::SaveFormatSettings()
{
    CProfile& p = Profile();
    p.WriteProfileString("format", "PlanX", m_xCaption);
    p.WriteProfileString("format", "PlanY", m_yCaption);
    p.WriteProfileString("format", "PlanZ", m_zCaption);
    p.WriteProfileInt("format", "Order", m_coordOrder ? 1 : 0);
}

void CMorvelSettings::Save()
{
    CProfile& p = Profile();
    CProfileBatch batch(p);
    p.WriteProfileInt("Display", "Identify Objects", m_identifyObjects);
    p.WriteProfileInt("Display", "Show PointIdLabels", m_showPointIdLabels);
    p.WriteProfileInt("General", "AutoLoadMru", m_autoLoadMru);
    p.WriteProfileInt("Display", "RawDataSideshots Color", m_rawDataSideshotsColor);
    p.WriteProfileInt("Display", "RawDataConflicts Color", m_rawDataConflictsColor);
    p.WriteProfileInt("General", "Auto Update Entries", m_autoUpdateEntries);
    p.WriteProfileInt("General", "Auto Show Messages", m_autoShowMessages);
    p.WriteProfileInt("General", "Show Zoom Context Menu", m_showZoomContextMenu);
    p.WriteProfileInt("General", "Save Reports", m_saveReports);

    SaveFont("PointIdLabels Font Name", "PointIdLabels Font Size", m_pointIdLabelsFont);
    SaveFont("Listview Font Name", "Listview Font Size", m_listviewFont);
    SaveFont("Report Title Font Name", "Report Title Font Size", m_reportTitleFont);
    SaveFont("Report Text Font Name", "Report Text Font Size", m_reportTextFont);

    p.WriteProfileInt("Display", "Show Point Desc", m_showPointDesc);
    p.WriteProfileInt("Display", "Show Point Elev", m_showPointElev);
    p.WriteProfileInt("General", "Show Project Navigator", m_showProjectNavigator);
    p.WriteProfileInt("Display", "Pick Box Size", m_pickBoxSize);

    CSettingsShell& shell = GetSettingsShell();
    std::vector<uint8_t> blob;
    if (shell.GetPrinterDevNames(blob))
        p.WriteProfileBinary("Print Settings", "DN", blob);
    blob.clear();
    if (shell.GetPrinterDevMode(blob))
        p.WriteProfileBinary("Print Settings", "DM", blob);
    p.WriteProfileRect("Print Settings", "Margins", m_printMargins);

    p.WriteProfileInt("Transfer", "Baud3", m_transfer.baudRate);
    p.WriteProfileInt("Transfer", "Parity3", m_transfer.parity);
    p.WriteProfileInt("Transfer", "Port3", m_transfer.comPort);
    p.WriteProfileInt("Transfer", "NikonFile_Version", m_transfer.modelIndex);
    p.WriteProfileInt("Transfer", "EnableBackups", m_enableBackups);

    p.WriteProfileInt("Morvel", "Azm. Unit", m_newJobDefaults.azimuth);
    p.WriteProfileInt("Morvel", "Dir. Type", m_newJobDefaults.directionType);
    p.WriteProfileInt("Morvel", "Angle Unit", m_newJobDefaults.angleUnit);
    p.WriteProfileInt("Morvel", "Dist. Unit", m_newJobDefaults.distanceUnit);
    p.WriteProfileInt("Morvel", "UseCRCoeff", m_newJobDefaults.curvatureRefraction);
    p.WriteProfileInt("Morvel", "CRCoeff", m_newJobDefaults.coefficientChoice);
    p.WriteProfileInt("Morvel", "UseScaleFactor", m_newJobDefaults.useScaleFactor);
    p.WriteProfileDouble("Morvel", "ScaleFactor", m_newJobDefaults.scaleFactor);
    p.WriteProfileInt("Morvel", "SeaLevel", m_newJobDefaults.seaLevel);

    p.WriteProfileString("Transfer", "DosDir", m_transferFolder);

    SaveFormatSettings();

    p.WriteProfileInt("Rename Rules", "Start Number", m_renameStartNumber);
    p.WriteProfileInt("Rename Rules", "Numeric Offset", m_renameNumericOffset);
    p.WriteProfileString("Rename Rules", "Designator", m_renameDesignator);
    p.WriteProfileInt("Rename Rules", "Designator Location", m_renameDesignatorLocation);
    p.WriteProfileInt("Rename Rules", "Rule", m_renameRule);
    p.WriteProfileInt("Rename Rules", "Next Round", m_renameNextRound);
    p.WriteProfileInt("Rename Rules", "Option", m_renameOption);

    p.WriteProfileInt("Point Duplicate Rules", "Compare DESC", m_compareDescription);
    p.WriteProfileInt("Point Duplicate Rules", "Compare Layer", m_compareLayer);
    p.WriteProfileInt("Point Duplicate Rules", "Compare FEA", m_compareFeature);

    p.WriteProfileInt("Display", "Show Scratch Lines", m_showScratchLines);
    p.WriteProfileInt("Display", "Show Construction Lines", m_showConstructionLines);

    p.WriteProfileInt("Settings", "iJobAngle", m_iJobAngle);
    p.WriteProfileInt("Settings", "iJobDistance", m_iJobDistance);
    p.WriteProfileInt("Settings", "iJobNorthingEasting", m_iJobNorthingEasting);
    p.WriteProfileInt("Settings", "iJobElevation", m_iJobElevation);
    p.WriteProfileInt("Settings", "iJobSmallArea", m_iJobSmallArea);
    p.WriteProfileInt("Settings", "iJobLargeArea", m_iJobLargeArea);
    p.WriteProfileInt("Settings", "iJobStationFormat", m_iJobStationFormat);
    p.WriteProfileInt("Settings", "iDirectionUnits", m_iDirectionUnits);
    p.WriteProfileInt("Settings", "iUseArchetecturalUnits", m_useArchitecturalUnits);
}

std::string CMorvelSettings::GetModelNameByIndex(int32_t index)
{
    // A stored model index is outside our control: anything unknown, negative included, is named so.
    if (index < 0 || index >= GetModelCount())
        return "Unknown";
    return kModelNames[index];
}

bool CMorvelSettings::IsNikonModelSelected() const
{
    return m_transfer.modelIndex >= GetFirstNikonModel() && m_transfer.modelIndex <= GetLastNikonModel();
}

bool CMorvelSettings::IsZentraModelSelected() const
{
    return m_transfer.modelIndex >= GetFirstZentraModel() && m_transfer.modelIndex <= GetLastZentraModel();
}

bool CMorvelSettings::IsModelGroup014(int32_t index) { return index == 0 || index == 1 || index == 4; }

void CMorvelSettings::FormatTransferSettings(std::vector<std::string>& lines) const
{
    lines.push_back("TS Type:\t" + GetModelName() + "\n");
    lines.push_back("Transfer Using:\tSerial Port\n");
    lines.push_back("------------\t------------");
    lines.push_back("Com Port:\t" + std::to_string(m_transfer.comPort) + "\n");
    lines.push_back("Baud Rate:\t" + std::to_string(m_transfer.baudRate) + "\n");
    switch (m_transfer.parity) {
    case 0: lines.push_back("Parity:\tNone\n"); break;
    case 1: lines.push_back("Parity:\tOdd\n"); break;
    case 2: lines.push_back("Parity:\tEven\n"); break;
    default: lines.push_back(""); break;
    }
}

void CMorvelSettings::LoadNewJobDefaults(JobFileHeader& header)
{
    CProfile& p = Profile();
    header.SetDistanceUnit(static_cast<uint16_t>(p.GetProfileInt("Transfer", "Def Dist", 1)));
    header.SetAngleUnit(static_cast<uint16_t>(p.GetProfileInt("Transfer", "Def Angle", 0)));
    header.SetFlags(static_cast<uint32_t>(p.GetProfileInt("Transfer", "Def Settings", 0)));
    header.SetScaleFactor(p.GetProfileDouble("Transfer", "Def SF", 1.0));
    header.SetOffsetWord(static_cast<uint32_t>(p.GetProfileInt("Transfer", "Def Offset", 1000)));
}

void CMorvelSettings::GetNewJobDefaults(JobSettingsValues& values)
{
    JobFileHeader header;
    InitJobFileHeader(header);
    LoadNewJobDefaults(header);
    const uint16_t distance = header.GetDistanceUnit();
    if (distance <= 2)
        values.distanceUnit = distance;
    const uint16_t angle = header.GetAngleUnit();
    if (angle <= 1)
        values.angleUnit = angle;
    const uint32_t flags = header.GetFlags();
    values.azimuth = (flags & JobFileHeader::FlagSouthAzimuth) ? 1 : 0;
    values.useScaleFactor = (flags & JobFileHeader::FlagUseScaleFactor) ? 1 : 0;
    values.scaleFactor = header.GetScaleFactor();
    values.curvatureRefraction = (flags & JobFileHeader::FlagCurvature) ? 1 : 0;
    values.coefficientChoice = (flags & JobFileHeader::FlagCurvatureCoefficient) ? 1 : 0;
    values.seaLevel = (flags & JobFileHeader::FlagSeaLevel) ? 1 : 0;
    values.directionType = (flags & JobFileHeader::FlagDirectionType) ? 0 : 1;
}

void CMorvelSettings::GetNewJobDefaultsAndCoordOrder(JobSettingsValues& values, CNikonColumnCollection& columns)
{
    GetNewJobDefaults(values);
    columns.FromString(Profile().GetProfileString("Transfer", "Coord Order", "P1N1E1Z1C1"));
}

bool CMorvelSettings::SwitchColorMode(int32_t, bool repaint)
{
    m_colorMode = 2;
    CSettingsShell& shell = GetSettingsShell();
    shell.SelectCadColorPalette();
    if (repaint) {
        shell.CreateAppPalette();
        shell.OnPaletteChanged();
        shell.NotifyActiveDocument(nullptr, HintRefreshAll, 1);
    }
    return true;
}

void CMorvelSettings::SetGrid(double xOrigin, double yOrigin, double xSpacing, double ySpacing)
{
    m_gridXOrigin = xOrigin;
    m_gridYOrigin = yOrigin;
    m_gridXSpacing = xSpacing;
    m_gridYSpacing = ySpacing;
}

CMorvelSettings& GetMorvelSettings()
{
    if (g_installed)
        return *g_installed;
    static CMorvelSettings defaults;
    return defaults;
}

void SetMorvelSettings(CMorvelSettings* settings)
{
    g_installed = settings;
    SetApplicationFormatPreferencesReader(settings != nullptr ? FormatPreferencesProvider(&ReadFormatPreferences)
                                                              : FormatPreferencesProvider());
}
