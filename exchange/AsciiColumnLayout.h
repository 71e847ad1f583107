#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CProfile;

// Column type codes of an ASCII point file.
inline constexpr uint16_t AsciiColumnName = 0;
inline constexpr uint16_t AsciiColumnNorthing = 1;
inline constexpr uint16_t AsciiColumnEasting = 2;
inline constexpr uint16_t AsciiColumnElevation = 3;
inline constexpr uint16_t AsciiColumnDescription = 4;

// Delimiter codes: 0 comma, 1 tab, 2 space.
inline constexpr int32_t AsciiDelimiterComma = 0;
inline constexpr int32_t AsciiDelimiterTab = 1;
inline constexpr int32_t AsciiDelimiterSpace = 2;

// The column layout the ASCII import and export share: a list of up to five columns, each a type
// code and a checked flag, in the order of the fields in a line; only checked items take part.
// It lives in the profile section "Import" ("ColumnType%d", "ColumnCheck%d", "Ascii Delimiter",
// "Point Name Options"), so a file exported can be read back with the same settings.
class CAsciiColumnLayout
{
public:
    static constexpr int32_t SlotCount = 5;

    struct Item
    {
        uint16_t type = 0;
        bool checked = true;
    };

    // The default layout: name, northing, easting, elevation, description, all checked.
    CAsciiColumnLayout();

    // Fills the list as the dialogs do: slot d's type ("ColumnType%d", default d) appends an item
    // when it is 0 to 4; then each slot's check ("ColumnCheck%d", default 1) goes to list index d.
    void Load(CProfile& profile);
    // Writes each list index's type and check; a slot beyond the list is written empty (type 5,
    // unchecked) so that it adds no item when read back.
    void Save(CProfile& profile) const;

    const std::vector<Item>& GetItems() const { return m_items; }
    std::vector<Item>& GetItems() { return m_items; }
    void SetItems(std::vector<Item> items) { m_items = std::move(items); }

    // Type codes of the checked items, in list order.
    std::vector<uint16_t> GetCheckedTypes() const;
    // Empty when the checked items include a northing and an easting; otherwise the message
    // "Column definitions must have %s and %s enabled." with the two captions in the order the
    // coordinates are shown.
    std::string CheckAccept() const;

    // The list text of a type: "Point Name", the configured coordinate captions, "Description".
    static std::string GetItemText(uint16_t type);

    // "Ascii Delimiter" (default 0) and "Point Name Options" (default 0) of the profile.
    static int32_t LoadDelimiterCode(CProfile& profile);
    static void SaveDelimiterCode(CProfile& profile, int32_t code);
    static int32_t LoadPointNameOption(CProfile& profile);
    static void SavePointNameOption(CProfile& profile, int32_t option);
    // Code 1 a tab, 2 a space, 0 and anything else a comma.
    static std::string GetDelimiterText(int32_t code);

private:
    std::vector<Item> m_items;
};
