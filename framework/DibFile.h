#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A device-independent bitmap read from a BMP file: its info header, colour table and pixels as
// RGB bytes, top row first. Only uncompressed pictures of 1, 4, 8, 24 or 32 bits per pixel are
// read; everything the file states (header size, colour count, pixel offset, rows) is checked
// against its length before it is used.
struct DibFile
{
    // Larger pictures are refused rather than allocated.
    static constexpr int32_t MaxSide = 8192;

    uint32_t headerSize = 0;
    int32_t width = 0;
    int32_t height = 0; // as stored: negative for a top-down picture
    uint16_t bitCount = 0;
    uint32_t colorsUsed = 0;
    uint32_t bitsOffset = 0;
    std::vector<uint32_t> colorTable; // 0x00RRGGBB
    std::vector<uint8_t> rgb;         // width x |height| x 3

    // Colours of the table: colorsUsed when not 0, else 2, 16 or 256 for 1, 4 or 8 bits, else 0.
    uint32_t GetColourCount() const;
    int32_t GetWidth() const { return width; }
    int32_t GetHeight() const { return height < 0 ? -height : height; }
};

// Reads the bytes of a BMP file; false with the reason when they are not a picture this program
// can show (nothing of the picture is kept then).
bool ReadDibFile(const std::vector<uint8_t>& bytes, DibFile& dib, std::string* reason = nullptr);
bool LoadDibFile(const std::string& path, DibFile& dib, std::string* reason = nullptr);
