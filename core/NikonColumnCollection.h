#pragma once

#include <string_view>
#include <vector>

// One column of the instrument's coordinate record: its kind letter ('P' point, 'N' northing,
// 'E' easting, 'Z' elevation, 'C' code) and whether it is sent.
struct CNikonColumn
{
    char kind = 0;
    bool on = false;

    bool operator==(const CNikonColumn&) const = default;
};

// The order and on/off state of the coordinate columns the instrument exchanges.
class CNikonColumnCollection
{
public:
    // Rebuilds the list from its text form, a kind letter and then a digit (1 on, any other off) per column,
    // such as "P1N1E1Z1C1". A text that is not of that form, or names a kind twice or one that
    // does not exist, is refused with false and the list is left as it was.
    bool FromString(std::string_view text);

    const std::vector<CNikonColumn>& GetColumns() const { return m_columns; }

private:
    std::vector<CNikonColumn> m_columns;
};
