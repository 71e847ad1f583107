#include "core/SettingsHelpers.h"

#include "core/JobValueSource.h"
#include "core/MathConversions.h"
#include "core/Parser.h"
#include "core/ProgramHelpers.h"
#include "model/MorvelSettings.h"
#include "platform/Profile.h"

#include <cmath>

namespace {

// The face-name field holds 31 characters.
std::string LimitFaceName(const std::string& name)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if ((static_cast<unsigned char>(name[i]) & 0xC0) != 0x80 && ++chars > 31)
            return name.substr(0, i);
    }
    return name;
}

} // namespace

std::string GetPlanXCaption()
{
    return GetMorvelSettings().GetXCaption();
}

std::string GetPlanYCaption()
{
    return GetMorvelSettings().GetYCaption();
}

std::string GetPlanZCaption()
{
    return GetMorvelSettings().GetZCaption();
}

bool ColorIndicesMatch(int32_t a, int32_t b)
{
    int32_t size = GetMorvelSettings().GetColorMode() == 1 ? 16 : 64;
    // Differences are taken in 64 bits so extreme indices cannot overflow.
    return (static_cast<int64_t>(a) - b) % size == 0;
}

int SplitTextFields(std::vector<std::string>& fields, const std::string& text, const std::string& delimiters)
{
    fields.clear();
    CParser parser(text, delimiters, false);
    std::string token;
    while (parser.GetNextToken(token))
        fields.push_back(token);
    return static_cast<int>(fields.size());
}

bool ReadFontSettings(const std::string& section, LogFont& font, int32_t pixelsPerInch)
{
    CProfile& profile = GetAppProfile();
    font = LogFont{};
    font.weight = 0;
    font.pitchAndFamily = static_cast<uint8_t>(profile.GetProfileInt(section, "PandF", 34));
    font.height = profile.GetProfileInt(section, "Height", -PointsToPixels(12, pixelsPerInch));
    font.weight = profile.GetProfileInt(section, "Weight", 400);
    font.italic = profile.GetProfileInt(section, "Italic", 0) != 0;
    font.faceName = LimitFaceName(profile.GetProfileString(section, "Name", "MS Sans Serif"));
    return true;
}

bool WriteFontSettings(const std::string& section, const LogFont& font)
{
    CProfile& profile = GetAppProfile();
    profile.WriteProfileInt(section, "PandF", font.pitchAndFamily);
    profile.WriteProfileInt(section, "Height", font.height);
    profile.WriteProfileInt(section, "Weight", font.weight);
    profile.WriteProfileInt(section, "Italic", font.italic ? 1 : 0);
    profile.WriteProfileString(section, "Name", font.faceName);
    return true;
}

std::optional<std::string> GetUnitOrCaptionLabel(int32_t id, const CMathConversions& conversions)
{
    auto in = [id](int32_t first, int32_t last) { return id >= first && id <= last; };
    bool northingFirst = GetMorvelSettings().GetCoordOrder();
    if (in(6926, 6941) || in(7018, 7027) || id == 2313)
        return conversions.GetDistanceUnitLabel();
    if (in(6967, 6974))
        return conversions.GetAngleUnitLabel();
    if (id == 7028)
        return conversions.GetLargeAreaUnitLabel();
    if (id == 7029)
        return conversions.GetAreaUnitLabel();
    if (in(6975, 6981))
        return northingFirst ? GetPlanYCaption() : GetPlanXCaption();
    if (in(6986, 6992))
        return northingFirst ? GetPlanXCaption() : GetPlanYCaption();
    if (in(7001, 7008))
        return GetPlanZCaption();
    return std::nullopt;
}

void ApplyUnitAndCaptionLabels(const std::vector<int32_t>& controlIds,
                               const std::function<void(std::size_t index, const std::string& text)>& setText)
{
    const CJobValueSource* job = GetActiveJobValueSource();
    if (controlIds.empty() || job == nullptr)
        return;
    const CMathConversions& conversions = job->GetMathConversions();
    for (std::size_t i = 0; i < controlIds.size(); ++i) {
        if (auto label = GetUnitOrCaptionLabel(controlIds[i], conversions))
            setText(i, *label);
    }
}

void FillMenuPointNames(std::vector<std::string>& itemTexts, const std::string* pointName)
{
    if (!pointName)
        return;
    for (std::string& text : itemTexts) {
        // Item texts longer than the menu's 1,024-character buffer are not read.
        if (CountCharacters(text) > 1024 || CountFormatPlaceholders(text) != 1)
            continue;
        auto at = text.find("%s");
        text.replace(at, 2, *pointName);
    }
}

void UpdatePickTolerance(CPickToleranceMap& map)
{
    int32_t size = GetMorvelSettings().GetPickBoxSize();
    CLocation half = map.DeviceToWorld(size / 2, size / 2);
    CLocation whole = map.DeviceToWorld(size, size);
    map.SetPickTolerances(std::fabs(whole.x - half.x), std::fabs(whole.y - half.y));
}
