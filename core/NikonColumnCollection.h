#pragma once

#include "core/Location.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Kinds of the columns of an instrument's coordinate line.
inline constexpr uint32_t NikonColumnPoint = 0;     // "P": point name
inline constexpr uint32_t NikonColumnNorthing = 1;  // "N"
inline constexpr uint32_t NikonColumnEasting = 2;   // "E"
inline constexpr uint32_t NikonColumnElevation = 3; // "Z"
inline constexpr uint32_t NikonColumnCode = 4;      // "C": description
inline constexpr uint32_t NikonColumnBlank = 5;     // " ": an empty field, any number of times
// The check list's item data of a blank row.
inline constexpr uint32_t NikonColumnBlankItemData = 65535;

// One column of a layout: its kind and whether it is sent and read.
struct CNikonColumn
{
    uint32_t kind = NikonColumnPoint;
    bool enabled = false;

    bool operator==(const CNikonColumn&) const = default;
};

// What a column layout needs to know of the instrument models (index as the transfer settings
// keep it).
bool IsPreInstallModel(int32_t model);        // 9: the pre-install firmware
bool IsRecordFormatModel(int32_t model);      // 0, 1 and 4 take records with check characters
bool UsesBlankColumnLayout(int32_t model);    // 7 and 8 have a blank column after the name
int32_t GetModelCoordinateDecimals(int32_t model); // 4 pre-install, 3 records, else 7

// The model the transfer settings select, read whenever a layout needs it. The owner of the
// application's settings installs the reader; without one, model 0.
int32_t GetSelectedInstrumentModel();
void SetSelectedInstrumentModelReader(std::function<int32_t()> reader);

// The field order of the coordinate lines exchanged with an instrument, as the user arranged it:
// a list of columns in field order, each point, northing, easting, elevation and code column at
// most once, blanks any number of times. Its text form, one pair per column, is the letter
// (a space for a blank) and "1" or "0" for enabled, such as "P1N1E1Z1C1".
class CNikonColumnCollection
{
public:
    // The default layout of the selected model.
    CNikonColumnCollection();

    // Standard: P, N, E, Z, C on and a blank off; models 7 and 8 add a blank (on) after P.
    void SetDefault();
    bool IsPreInstall() const { return m_preInstall; }

    std::string ToString() const;
    // Takes every text: unknown characters and repeated letters are skipped with the character
    // after them, missing kinds are added disabled, and an empty text gives the default layout.
    void FromString(std::string_view text);

    // The enabled columns joined with ","; coordinates (in display units) with the model's
    // decimals, an absent one as an empty field; "\n" at the end unless the line goes into a
    // record.
    std::string FormatPoint(const std::string& name, const CLocation& location, const std::string& description,
                            bool recordFormat) const;
    // Reads a line in this layout. Point, northing and easting need enabled columns and a value;
    // an empty elevation field means no elevation. A line that stops after them is taken as far
    // as it goes. False (with the outputs partly set) when the line does not fit.
    bool ParseLine(const std::string& line, std::string& name, CLocation& location, std::string& description) const;

    // The first five columns are P, N, E, Z, C (respectively P, E, N, Z, C), all enabled.
    bool IsStandardOrder() const;
    bool IsStandardOrderEastFirst() const;

    const std::vector<CNikonColumn>& GetColumns() const { return m_columns; }
    void SetColumns(std::vector<CNikonColumn> columns) { m_columns = std::move(columns); }

    // The check list's rows: label ("Pt", "N", "E", "Z", "Code", "{Blank}") and item data (the
    // kind, 65535 for a blank); and the layout read back from rows in list order.
    static std::string GetColumnLabel(uint32_t kind);
    static uint32_t GetItemData(uint32_t kind);
    static CNikonColumn ColumnFromItem(uint32_t itemData, bool checked);

private:
    bool HasOrder(const uint32_t (&kinds)[5]) const;

    std::vector<CNikonColumn> m_columns;
    bool m_preInstall = false;
};
