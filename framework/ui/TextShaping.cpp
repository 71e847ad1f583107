#include "framework/ui/TextShaping.h"

#include <fontconfig/fontconfig.h>

bool TurnOffTypographicLigatures()
{
    // Added to the fonts' own features, which the text shaper reads from every matched font.
    static const char Rule[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <match target="font">
    <edit name="fontfeatures" mode="append"><string>liga=0</string></edit>
    <edit name="fontfeatures" mode="append"><string>clig=0</string></edit>
  </match>
</fontconfig>
)";
    FcConfig* config = FcConfigGetCurrent();
    return config != nullptr &&
           FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(Rule), FcTrue) == FcTrue;
}
