#include "core/SettingsHelpers.h"

#include "core/Parser.h"
#include "core/ProgramHelpers.h"
#include "core/Utf8.h"
#include "platform/Profile.h"

namespace {

// The face-name field holds 31 characters.
std::string LimitFaceName(const std::string& name)
{
    return name.substr(0, Utf8PrefixBytes(name, 31));
}

} // namespace

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
