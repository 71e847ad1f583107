#include "model/MorvelSettings.h"

#include "core/FormatPreferences.h"
#include "core/NikonColumnCollection.h"
#include "model/HintCodes.h"
#include "platform/AppFolders.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <variant>

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

// One profile value of the settings: where Load reads it, where Save writes it, its default and
// the member it fills. Load and Save both walk the list, so a value cannot be read under one key
// and forgotten by the other.
struct CMorvelSettings::ProfileParam
{
    using Member = std::variant<int32_t*, uint32_t*, bool*, double*, std::string*, ProfileRect*>;
    // The default of the member's kind (bools and colour words take an int).
    struct Default
    {
        Default(int32_t v) : number(v) {}
        Default(double v) : real(v) {}
        Default(std::string v) : text(std::move(v)) {}
        Default(ProfileRect v) : rect(v) {}
        int32_t number = 0;
        double real = 0.0;
        std::string text;
        ProfileRect rect{};
    };

    ParamGroup group;
    const char* readSection;
    const char* readKey;
    // Null for a value the program reads but never writes.
    const char* writeSection;
    const char* writeKey;
    Member member;
    Default fallback;
};

std::vector<CMorvelSettings::ProfileParam> CMorvelSettings::Params()
{
    using G = ParamGroup;
    auto both = [](G g, const char* section, const char* key, ProfileParam::Member m, ProfileParam::Default d) {
        return ProfileParam{g, section, key, section, key, m, std::move(d)};
    };
    auto readOnly = [](G g, const char* section, const char* key, ProfileParam::Member m, ProfileParam::Default d) {
        return ProfileParam{g, section, key, nullptr, nullptr, m, std::move(d)};
    };
    return {
        readOnly(G::Colors, "Colors", "Editor Text", &m_editorTextColor, 0),
        readOnly(G::Colors, "Colors", "Editor Background", &m_editorBackgroundColor, 0xFFFFFF),
        readOnly(G::Colors, "Colors", "Cursor", &m_cursorColor, 2),
        readOnly(G::Colors, "Colors", "Graphics Background", &m_graphicsBackgroundColor, 253),
        readOnly(G::Colors, "Colors", "Selection", &m_selectionColor, 1),
        readOnly(G::Colors, "Colors", "DefaultObject", &m_defaultObjectColor, 5),
        // Kept as stored profiles have them: saved under "Display", read from "Colors".
        {G::Colors, "Colors", "RawDataSideshots", "Display", "RawDataSideshots Color", &m_rawDataSideshotsColor, 0},
        {G::Colors, "Colors", "RawDataConflicts", "Display", "RawDataConflicts Color", &m_rawDataConflictsColor, 1},
        readOnly(G::Colors, "Colors", "Scratch", &m_scratchColor, 0),
        readOnly(G::Colors, "Colors", "Construction", &m_constructionColor, 252),

        both(G::Main, "Display", "Identify Objects", &m_identifyObjects, 1),
        both(G::Main, "Display", "Show PointIdLabels", &m_showPointIdLabels, 1),
        both(G::Main, "General", "AutoLoadMru", &m_autoLoadMru, 0),
        both(G::Main, "General", "Auto Update Entries", &m_autoUpdateEntries, 1),
        both(G::Main, "General", "Auto Show Messages", &m_autoShowMessages, 1),
        both(G::Main, "General", "Show Zoom Context Menu", &m_showZoomContextMenu, 0),
        both(G::Main, "General", "Save Reports", &m_saveReports, 1),
        both(G::Main, "Display", "Show Point Desc", &m_showPointDesc, 1),
        both(G::Main, "Display", "Show Point Elev", &m_showPointElev, 0),
        both(G::Main, "General", "Show Project Navigator", &m_showProjectNavigator, 1),
        both(G::Main, "Display", "Pick Box Size", &m_pickBoxSize, 10),
        both(G::Main, "Print Settings", "Margins", &m_printMargins, ProfileRect{1400, 1440, 1440, 1440}),

        both(G::Main, "Transfer", "Baud3", &m_transfer.baudRate, 9600),
        both(G::Main, "Transfer", "Parity3", &m_transfer.parity, 0),
        both(G::Main, "Transfer", "Port3", &m_transfer.comPort, 1),
        both(G::Main, "Transfer", "PortDevice3", &m_transfer.comDevice, std::string()),
        both(G::Main, "Transfer", "NikonFile_Version", &m_transfer.modelIndex, 5),
        both(G::Main, "Transfer", "EnableBackups", &m_enableBackups, 1),

        both(G::Main, "Morvel", "Azm. Unit", &m_newJobDefaults.azimuth, 0),
        both(G::Main, "Morvel", "Dir. Type", &m_newJobDefaults.directionType, 0),
        both(G::Main, "Morvel", "Angle Unit", &m_newJobDefaults.angleUnit, 0),
        both(G::Main, "Morvel", "Dist. Unit", &m_newJobDefaults.distanceUnit, 0),
        both(G::Main, "Morvel", "UseCRCoeff", &m_newJobDefaults.curvatureRefraction, 0),
        both(G::Main, "Morvel", "CRCoeff", &m_newJobDefaults.coefficientChoice, 0),
        both(G::Main, "Morvel", "UseScaleFactor", &m_newJobDefaults.useScaleFactor, 0),
        both(G::Main, "Morvel", "ScaleFactor", &m_newJobDefaults.scaleFactor, 1.0),
        both(G::Main, "Morvel", "SeaLevel", &m_newJobDefaults.seaLevel, 0),

        both(G::Main, "Transfer", "DosDir", &m_transferFolder, GetDefaultTransferFolder()),

        both(G::Main, "Rename Rules", "Start Number", &m_renameStartNumber, 1),
        both(G::Main, "Rename Rules", "Numeric Offset", &m_renameNumericOffset, 1000),
        both(G::Main, "Rename Rules", "Designator", &m_renameDesignator, std::string("A")),
        both(G::Main, "Rename Rules", "Designator Location", &m_renameDesignatorLocation, 0),
        both(G::Main, "Rename Rules", "Rule", &m_renameRule, 2),
        both(G::Main, "Rename Rules", "Next Round", &m_renameNextRound, 0),
        both(G::Main, "Rename Rules", "Option", &m_renameOption, 0),

        both(G::Main, "Point Duplicate Rules", "Compare DESC", &m_compareDescription, 0),
        both(G::Main, "Point Duplicate Rules", "Compare Layer", &m_compareLayer, 0),
        both(G::Main, "Point Duplicate Rules", "Compare FEA", &m_compareFeature, 0),

        both(G::Main, "Display", "Show Scratch Lines", &m_showScratchLines, 1),
        both(G::Main, "Display", "Show Construction Lines", &m_showConstructionLines, 1),

        both(G::Main, "Settings", "iJobAngle", &m_iJobAngle, 0),
        both(G::Main, "Settings", "iJobDistance", &m_iJobDistance, 3),
        both(G::Main, "Settings", "iJobNorthingEasting", &m_iJobNorthingEasting, 3),
        both(G::Main, "Settings", "iJobElevation", &m_iJobElevation, 3),
        both(G::Main, "Settings", "iJobSmallArea", &m_iJobSmallArea, 3),
        both(G::Main, "Settings", "iJobLargeArea", &m_iJobLargeArea, 3),
        both(G::Main, "Settings", "iJobStationFormat", &m_iJobStationFormat, 0),
        both(G::Main, "Settings", "iDirectionUnits", &m_iDirectionUnits, 0),
        both(G::Main, "Settings", "iUseArchetecturalUnits", &m_useArchitecturalUnits, 0),
    };
}

void CMorvelSettings::LoadParams(ParamGroup group)
{
    CProfile& p = Profile();
    for (const ProfileParam& param : Params()) {
        if (param.group != group)
            continue;
        const char* section = param.readSection;
        const char* key = param.readKey;
        std::visit(
            [&](auto* member) {
                using T = std::remove_pointer_t<decltype(member)>;
                if constexpr (std::is_same_v<T, double>)
                    *member = p.GetProfileDouble(section, key, param.fallback.real);
                else if constexpr (std::is_same_v<T, std::string>)
                    *member = p.GetProfileString(section, key, param.fallback.text);
                else if constexpr (std::is_same_v<T, ProfileRect>)
                    *member = p.GetProfileRect(section, key, param.fallback.rect);
                else if constexpr (std::is_same_v<T, bool>)
                    *member = p.GetProfileInt(section, key, param.fallback.number) != 0;
                else
                    *member = static_cast<T>(p.GetProfileInt(section, key, param.fallback.number));
            },
            param.member);
    }
}

void CMorvelSettings::SaveParams()
{
    CProfile& p = Profile();
    for (const ProfileParam& param : Params()) {
        if (param.writeSection == nullptr)
            continue;
        const char* section = param.writeSection;
        const char* key = param.writeKey;
        std::visit(
            [&](auto* member) {
                using T = std::remove_pointer_t<decltype(member)>;
                if constexpr (std::is_same_v<T, double>)
                    p.WriteProfileDouble(section, key, *member);
                else if constexpr (std::is_same_v<T, std::string>)
                    p.WriteProfileString(section, key, *member);
                else if constexpr (std::is_same_v<T, ProfileRect>)
                    p.WriteProfileRect(section, key, *member);
                else if constexpr (std::is_same_v<T, bool>)
                    p.WriteProfileInt(section, key, *member ? 1 : 0);
                else
                    p.WriteProfileInt(section, key, static_cast<int32_t>(*member));
            },
            param.member);
    }
}

void CMorvelSettings::LoadColorSettings()
{
    m_colorMode = 2;
    GetSettingsShell().PrepareDxfColorMaps(m_colorMode);
    LoadParams(ParamGroup::Colors);
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

    LoadFont("PointIdLabels Font Name", "PointIdLabels Font Size", "MS Sans Serif", -10, "MS Sans Serif", -10,
             m_pointIdLabelsFont);
    LoadFont("Listview Font Name", "Listview Font Size", "Arial", -14, "Arial", -10, m_listviewFont);
    LoadFont("Report Title Font Name", "Report Title Font Size", "Arial", -14, "Arial", -14, m_reportTitleFont);
    LoadFont("Report Text Font Name", "Report Text Font Size", "Courier New", -12, "Courier New", -12,
             m_reportTextFont);

    CSettingsShell& shell = GetSettingsShell();
    std::vector<uint8_t> blob;
    if (p.GetProfileBinary("Print Settings", "DN", blob))
        shell.SetPrinterDevNames(blob);
    blob.clear();
    if (p.GetProfileBinary("Print Settings", "DM", blob))
        shell.SetPrinterDevMode(blob);

    LoadParams(ParamGroup::Main);

    // An empty folder stays empty (no bare "/", which would point at the file-system root).
    if (!m_transferFolder.empty() && m_transferFolder.back() != '/')
        m_transferFolder += '/';

    LoadFormatSettings();
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
    SaveParams();

    SaveFont("PointIdLabels Font Name", "PointIdLabels Font Size", m_pointIdLabelsFont);
    SaveFont("Listview Font Name", "Listview Font Size", m_listviewFont);
    SaveFont("Report Title Font Name", "Report Title Font Size", m_reportTitleFont);
    SaveFont("Report Text Font Name", "Report Text Font Size", m_reportTextFont);

    CSettingsShell& shell = GetSettingsShell();
    std::vector<uint8_t> blob;
    if (shell.GetPrinterDevNames(blob))
        p.WriteProfileBinary("Print Settings", "DN", blob);
    blob.clear();
    if (shell.GetPrinterDevMode(blob))
        p.WriteProfileBinary("Print Settings", "DM", blob);

    SaveFormatSettings();
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
    SetSelectedInstrumentModelReader(settings != nullptr ? std::function<int32_t()>([settings] {
                                                               return settings->GetModelIndex();
                                                           })
                                                         : std::function<int32_t()>());
}
