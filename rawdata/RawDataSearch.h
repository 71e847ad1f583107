#pragma once

#include <cstdint>
#include <string>

class CRawDataFile;

// What the raw data search looks for.
enum RawSearchKind : int32_t { RawSearchPoints = 0, RawSearchRecords, RawSearchText, RawSearchLine };

// The point roles, in the order the role chooser lists them.
enum RawPointRole : int32_t {
    RawRoleOccupy = 0,
    RawRoleBacksight,
    RawRoleStore,
    RawRoleForesight,
    RawRoleStakeout,
    RawRoleCount
};

struct CRawSearch
{
    int32_t kind = RawSearchPoints;
    int32_t role = RawRoleOccupy;
    std::string pointName;
    int32_t recordType = 0;
    std::string text;
    int32_t lineNumber = 0; // 1-based
};

// Whether the line matches; a missing line never does. Point names match without regard to
// case, the text search is case-sensitive.
bool RawLineMatches(const CRawDataFile& file, int32_t line, const CRawSearch& search);

// Tests every line once, from the one after (or before) `start` in the search direction,
// wrapping at either end, `start` itself last; the matching line or -1. A start outside the
// lines (-1 for none selected) begins at line 0 forwards and at the last line backwards.
int32_t FindRawLine(const CRawDataFile& file, const CRawSearch& search, int32_t start, bool forward);

// The message shown when nothing matches.
std::string RawSearchNotFoundMessage(const CRawSearch& search);
