#include "framework/ColorTable.h"

#include "model/MorvelSettings.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

using Table = std::array<COLORREF, 256>;

Table MakeVgaTable()
{
    static constexpr uint8_t Vga[16][3] = {
        {0, 0, 0},      {0, 0, 170},    {0, 170, 0},    {0, 170, 170},  {170, 0, 0},    {170, 0, 170},
        {170, 85, 0},   {170, 170, 170}, {85, 85, 85},  {85, 85, 255},  {85, 255, 85},  {85, 255, 255},
        {255, 85, 85},  {255, 85, 255}, {255, 255, 85}, {255, 255, 255},
    };
    Table t{};
    for (int i = 0; i < 256; ++i)
        t[i] = PaletteRgb(Vga[i % 16][0], Vga[i % 16][1], Vga[i % 16][2]);
    return t;
}

Table MakeDefaultTable()
{
    static constexpr uint8_t RedGreen[4] = {0, 85, 170, 255};
    static constexpr uint8_t Blue[4] = {0, 110, 170, 255};
    Table t{};
    for (int i = 0; i < 256; ++i) {
        int c = i % 64;
        t[i] = PaletteRgb(RedGreen[(c >> 4) & 3], RedGreen[(c >> 2) & 3], Blue[c & 3]);
    }
    return t;
}

// Hue rings: a fully saturated hue at the level's brightness, with the weaker channels raised
// half-way to the strongest for the half-saturated entry.
COLORREF CadRingColor(int hue, int level, bool half)
{
    static constexpr int Levels[5] = {255, 166, 128, 77, 38};
    const int v = Levels[level];
    const int degrees = hue * 15;
    const int sector = degrees / 60;
    const double f = (degrees % 60) / 60.0;
    const int rising = int(v * f + 0.5);
    const int falling = int(v * (1.0 - f) + 0.5);
    int r = 0, g = 0, b = 0;
    switch (sector) {
    case 0: r = v; g = rising; break;
    case 1: r = falling; g = v; break;
    case 2: g = v; b = rising; break;
    case 3: g = falling; b = v; break;
    case 4: r = rising; b = v; break;
    default: r = v; b = falling; break;
    }
    if (half) {
        auto raise = [v](int c) { return (c + v + 1) / 2; };
        r = raise(r);
        g = raise(g);
        b = raise(b);
    }
    return PaletteRgb(uint8_t(r), uint8_t(g), uint8_t(b));
}

Table MakeCadTable()
{
    Table t{};
    t[0] = PaletteRgb(0, 0, 0);
    t[1] = PaletteRgb(255, 0, 0);
    t[2] = PaletteRgb(255, 255, 0);
    t[3] = PaletteRgb(0, 255, 0);
    t[4] = PaletteRgb(0, 255, 255);
    t[5] = PaletteRgb(0, 0, 255);
    t[6] = PaletteRgb(255, 0, 255);
    t[7] = PaletteRgb(255, 255, 255);
    t[8] = PaletteRgb(128, 128, 128);
    t[9] = PaletteRgb(170, 170, 170);
    for (int h = 0; h < 24; ++h)
        for (int v = 0; v < 5; ++v)
            for (int s = 0; s < 2; ++s)
                t[10 + 10 * h + 2 * v + s] = CadRingColor(h, v, s == 1);
    static constexpr uint8_t Greys[6] = {84, 118, 152, 187, 221, 255};
    for (int i = 0; i < 6; ++i)
        t[250 + i] = PaletteRgb(Greys[i], Greys[i], Greys[i]);
    return t;
}

const Table VgaTable = MakeVgaTable();
const Table DefaultTable = MakeDefaultTable();
const Table CadTable = MakeCadTable();

const Table* g_current = &DefaultTable;
std::array<int32_t, 256> g_defaultToCad{};
std::array<int32_t, 256> g_cadToDefault{};

int ColorDistance(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
           std::abs(GetBValue(a) - GetBValue(b));
}

// The index 1-254 of `candidates` nearest to the colour, the lowest on ties; -1 when none is
// nearer than the largest possible distance.
int32_t Nearest(COLORREF color, const Table& candidates)
{
    int32_t best = -1;
    int bestDistance = 765;
    for (int32_t j = 1; j <= 254; ++j) {
        int d = ColorDistance(color, candidates[j]);
        if (d < bestDistance) {
            best = j;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace

COLORREF GetPaletteColor(int32_t index)
{
    // A negative index must not read before the table.
    if (index < 0 || index > 255)
        return 1;
    return (*g_current)[index];
}

void SelectCadColorPalette() { g_current = &CadTable; }

void SelectVgaColorPalette() { g_current = &VgaTable; }

void InitColorPalettes()
{
    for (int i = 1; i <= 255; ++i) {
        g_defaultToCad[i] = Nearest(DefaultTable[i], CadTable);
        g_cadToDefault[i] = Nearest(CadTable[i], DefaultTable);
    }
    g_current = &DefaultTable;
}

int32_t ColorIndexToCadIndex(int32_t index)
{
    if (index < 1 || index > 255)
        return 256;
    if (g_current != &DefaultTable)
        return index;
    return g_defaultToCad[index];
}

int32_t ColorIndexFromCadIndex(int32_t cadIndex)
{
    if (cadIndex == 0 || cadIndex == 256)
        return 0;
    if (cadIndex < 0 || cadIndex > 255)
        return GetMorvelSettings().GetDefaultObjectColor();
    if (g_current != &DefaultTable)
        return cadIndex;
    return g_cadToDefault[cadIndex];
}

COLORREF GetColorLuminance(COLORREF color)
{
    int l = int(0.3 * GetRValue(color) + 0.59 * GetGValue(color) + 0.11 * GetBValue(color));
    l = std::min(l, 255);
    return PaletteRgb(uint8_t(l), uint8_t(l), uint8_t(l));
}

COLORREF GetContrastingTextColor(COLORREF color)
{
    return GetRValue(GetColorLuminance(color)) < 136 ? 0xFFFFFF : 0;
}
