#pragma once

#include <cstdint>
#include <string>

// A font as the settings keep it: what the program needs to re-create it.
struct LogFont
{
    std::string faceName;
    int32_t height = 0; // negative: character height in pixels
    int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    uint8_t charSet = 0;
    uint8_t pitchAndFamily = 0;
};
