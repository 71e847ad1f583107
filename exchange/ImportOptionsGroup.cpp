#include "exchange/ImportOptionsGroup.h"

#include "core/DecimalText.h"
#include "core/MathConversions.h"
#include "core/PathHelpers.h"
#include "exchange/dxf/DxfReader.h"
#include "model/MorvelSettings.h"
#include "platform/Profile.h"

#include <charconv>

#include <sys/stat.h>

namespace {

constexpr const char* kSection = "Import";

double ReadHeight(CProfile& profile, const char* key, const char* fallbackText, double fallback)
{
    double value = 0;
    return ReadDecimalDouble(profile.GetProfileString(kSection, key, fallbackText), value) ? value : fallback;
}

// "%lf" in the C locale: six decimals, '.' whatever the user's locale.
std::string FixedSix(double value)
{
    char text[64];
    auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return error == std::errc() ? std::string(text, end) : std::string("0.000000");
}

// Only a regular file is opened: a pipe or a device would block the window thread.
bool IsRegularFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

void CImportOptionsGroup::Load(CProfile& profile)
{
    pointNameOption = profile.GetProfileInt(kSection, "Point Name Options", 0);
    reportFlag = GetMorvelSettings().GetSaveReports();
}

void CImportOptionsGroup::Save(CProfile& profile) const
{
    profile.WriteProfileInt(kSection, "Point Name Options", pointNameOption);
    GetMorvelSettings().SetSaveReports(reportFlag);
}

int32_t LoadLandXmlDescriptionOption(CProfile& profile)
{
    return profile.GetProfileInt(kSection, "Point Description Options", 1);
}

void SaveLandXmlDescriptionOption(CProfile& profile, int32_t option)
{
    profile.WriteProfileInt(kSection, "Point Description Options", option);
}

int LandXmlExportUnitCode(int classDistanceUnit)
{
    switch (classDistanceUnit) {
    case ClassUnitUsSurveyFeet: return 1;
    case ClassUnitInternationalFeet: return 2;
    default: return 0;
    }
}

void CDxfImportOptions::Load(CProfile& profile)
{
    importPointBlocks = profile.GetProfileInt(kSection, "Import Data Blocks", 1) != 0;
    useCustomDefinition = profile.GetProfileInt(kSection, "Use Customer Point Definition", 0) != 0;
    definition.FromText(profile.GetProfileString(kSection, "Point Block Definition", ""));
}

void CDxfImportOptions::Save(CProfile& profile) const
{
    CProfileBatch batch(profile);
    profile.WriteProfileInt(kSection, "Import Data Blocks", importPointBlocks ? 1 : 0);
    profile.WriteProfileString(kSection, "Point Block Definition", definition.ToText());
    profile.WriteProfileInt(kSection, "Use Customer Point Definition", useCustomDefinition ? 1 : 0);
}

CPointBlockDefinition CDxfImportOptions::EffectiveDefinition() const
{
    if (useCustomDefinition)
        return definition;
    CPointBlockDefinition byTags;
    byTags.RemoveAll();
    return byTags;
}

std::string CheckDxfFileForImport(const std::string& path)
{
    bool binary = false;
    if (!IsRegularFile(path) || !CDxfReader::IsBinaryFile(binary, path))
        return "Invalid DXF.";
    // The person can do something about this one, so it is named with the way out.
    if (binary)
        return BinaryDxfRefusal;
    return {};
}

std::string CheckDxfFileForPreview(const std::string& path)
{
    if (path.empty())
        return "Choose a file first";
    if (!FileExists(path))
        return "This file does not exist.";
    bool binary = false;
    if (!IsRegularFile(path) || !CDxfReader::IsBinaryFile(binary, path))
        return "The DXF file cannot be opened.";
    if (binary)
        return "Binary DXF file cannot be processed.";
    return {};
}

void CDxfExportSettings::Load(CProfile& profile, const CMathConversions* conversions)
{
    exportPointBlocks = profile.GetProfileInt(kSection, "Import Data Blocks", 0) != 0;
    definition.FromText(profile.GetProfileString(kSection, "Point Block Definition", ""));
    textHeight = ReadHeight(profile, "Attribute Tag Ht", "5.0", 5.0);
    verticalSpacing = ReadHeight(profile, "Attribute Tag Vs", "3.0", 3.0);
    if (conversions) {
        textHeight = conversions->DisplayToMetres(textHeight);
        verticalSpacing = conversions->DisplayToMetres(verticalSpacing);
    }
}

void CDxfExportSettings::SaveBeforePrompt(CProfile& profile, const CMathConversions* conversions) const
{
    CProfileBatch batch(profile);
    profile.WriteProfileInt(kSection, "Import Data Blocks", exportPointBlocks ? 1 : 0);
    if (!exportPointBlocks)
        return;
    profile.WriteProfileString(kSection, "Point Block Definition", definition.ToText());
    const auto shown = [conversions](double metres) {
        return conversions ? conversions->MetresToDisplay(metres) : metres;
    };
    profile.WriteProfileString(kSection, "Attribute Tag Ht", FixedSix(shown(textHeight)));
    profile.WriteProfileString(kSection, "Attribute Tag Vs", FixedSix(shown(verticalSpacing)));
}
