#include "framework/DibFile.h"

#include "core/LittleEndian.h"

#include <fstream>
#include <iterator>

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t RgbCompression = 0;

bool Fail(std::string* reason, const char* text)
{
    if (reason)
        *reason = text;
    return false;
}

uint32_t ColourCountOf(uint32_t used, uint16_t bits)
{
    if (used != 0)
        return used;
    switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

} // namespace

uint32_t DibFile::GetColourCount() const { return headerSize == 0 ? 0 : ColourCountOf(colorsUsed, bitCount); }

bool ReadDibFile(const std::vector<uint8_t>& bytes, DibFile& out, std::string* reason)
{
    out = {};
    const size_t length = bytes.size();
    if (length < FileHeaderSize + InfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M')
        return Fail(reason, "not a BMP file");
    const uint8_t* p = bytes.data();
    DibFile dib;
    const uint32_t fileOffset = GetU32LE(p + 10);
    const uint8_t* info = p + FileHeaderSize;
    dib.headerSize = GetU32LE(info);
    if (dib.headerSize < InfoHeaderSize || dib.headerSize > length - FileHeaderSize)
        return Fail(reason, "the picture header is damaged");
    dib.width = static_cast<int32_t>(GetU32LE(info + 4));
    dib.height = static_cast<int32_t>(GetU32LE(info + 8));
    dib.bitCount = GetU16LE(info + 14);
    const uint32_t compression = GetU32LE(info + 16);
    dib.colorsUsed = GetU32LE(info + 32);
    if (compression != RgbCompression)
        return Fail(reason, "compressed pictures are not supported");
    if (dib.bitCount != 1 && dib.bitCount != 4 && dib.bitCount != 8 && dib.bitCount != 24 && dib.bitCount != 32)
        return Fail(reason, "the number of bits per pixel is not supported");
    if (dib.width <= 0 || dib.height == 0 || dib.height == INT32_MIN || dib.width > DibFile::MaxSide ||
        dib.GetHeight() > DibFile::MaxSide)
        return Fail(reason, "the picture size is invalid");

    // The colour count comes from the file: the table it announces must lie inside it.
    const uint64_t colours = ColourCountOf(dib.colorsUsed, dib.bitCount);
    const uint64_t tableStart = FileHeaderSize + dib.headerSize;
    if (colours > 256 && dib.bitCount <= 8)
        return Fail(reason, "the colour table is too large");
    if (tableStart + 4 * colours > length)
        return Fail(reason, "the colour table is cut short");
    for (uint64_t i = 0; i < colours; ++i) {
        const uint8_t* q = p + tableStart + 4 * i;
        dib.colorTable.push_back(uint32_t(q[2]) << 16 | uint32_t(q[1]) << 8 | q[0]);
    }

    // Pixels follow the table unless the file header says where they start; either way they
    // must lie inside the file.
    uint64_t bitsOffset = tableStart + 4 * colours;
    if (fileOffset != 0) {
        if (fileOffset < bitsOffset || fileOffset > length)
            return Fail(reason, "the pixel offset is invalid");
        bitsOffset = fileOffset;
    }
    const uint64_t stride = ((uint64_t(dib.width) * dib.bitCount + 31) / 32) * 4;
    const uint64_t rows = uint64_t(dib.GetHeight());
    if (bitsOffset + stride * rows > length)
        return Fail(reason, "the pixels are cut short");
    dib.bitsOffset = static_cast<uint32_t>(bitsOffset);

    dib.rgb.resize(size_t(dib.width) * rows * 3);
    const bool bottomUp = dib.height > 0;
    for (uint64_t row = 0; row < rows; ++row) {
        const uint8_t* src = p + bitsOffset + stride * (bottomUp ? rows - 1 - row : row);
        uint8_t* dst = dib.rgb.data() + row * uint64_t(dib.width) * 3;
        for (int32_t x = 0; x < dib.width; ++x, dst += 3) {
            uint32_t colour = 0;
            if (dib.bitCount <= 8) {
                const int bits = dib.bitCount;
                const uint64_t bit = uint64_t(x) * bits;
                const unsigned index = (src[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                // An index past a short table shows black rather than reading past it.
                colour = index < dib.colorTable.size() ? dib.colorTable[index] : 0;
            } else {
                const uint8_t* px = src + uint64_t(x) * (dib.bitCount / 8);
                colour = uint32_t(px[2]) << 16 | uint32_t(px[1]) << 8 | px[0];
            }
            dst[0] = uint8_t(colour >> 16);
            dst[1] = uint8_t(colour >> 8);
            dst[2] = uint8_t(colour);
        }
    }
    out = std::move(dib);
    return true;
}

bool LoadDibFile(const std::string& path, DibFile& dib, std::string* reason)
{
    dib = {};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Fail(reason, "the file cannot be opened");
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    // A splash picture is a few hundred kilobytes; a file far past any picture we show is refused.
    if (size < 0 || size > (std::streamoff(1) << 30))
        return Fail(reason, "the file is too large");
    in.seekg(0);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size))
        return Fail(reason, "the file cannot be read");
    return ReadDibFile(bytes, dib, reason);
}
