#pragma once

#include <cstdint>
#include <string>

class CPointRecord;
class CRawDataSetup;

// What the job document base needs of the job's raw observation lines. The raw-data file of the
// job implements it; the concrete job document creates that object and hands it to the base.
class CJobRawData
{
public:
    virtual ~CJobRawData() = default;

    // Number of raw lines.
    virtual int32_t GetLineCount() const = 0;
    // Appends an input-point line made from the point (name, northing, easting, elevation,
    // description), marked deleted when asked. On success fills the text the job's history names
    // the line by (the raw record's display text less its last character) and its 0-based line
    // index; the history adds 1 to the index.
    virtual bool AppendInputPoint(const CPointRecord& point, bool deleted, std::string* text,
                                  int32_t* line) = 0;
    // The setup in force at the line (the units its values are written in); null outside the lines.
    virtual CRawDataSetup* GetSetup(int32_t line) = 0;
};
