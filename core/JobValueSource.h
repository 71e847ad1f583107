#pragma once

#include <string>

class CFormat;
class CLocation;
class CMathConversions;

// What the value texts need of a job document: its unit conversions, its formatter, its unit
// settings (read afresh at every call) and its points by name. The job document implements it.
class CJobValueSource
{
public:
    virtual ~CJobValueSource() = default;

    virtual const CMathConversions& GetMathConversions() const = 0;
    virtual const CFormat& GetDataFileFormat() const = 0;
    // Job numbering: 0 metres, 1 international foot, 2 US survey foot.
    virtual int GetSurveyUnits() const = 0;
    // 0 degrees, 1 grads.
    virtual int GetAngleUnits() const = 0;
    // Looks a point up by name (the job's exact lookup); false when there is none.
    virtual bool FindPointLocation(const std::string& name, CLocation* location) const = 0;
    // The job's own point-name rule; by default the program-wide one.
    virtual bool IsValidPointName(const char* name);
    // The name, or the next free one after it (see the job document); by default the name itself.
    virtual std::string MakeUniquePointName(const std::string& base) { return base; }
};

// The job of the active document, or null when no job is open.
CJobValueSource* GetActiveJobValueSource();
// The shell (or a test) sets the active job; null when the last job closes.
void SetActiveJobValueSource(CJobValueSource* job);

// The active job's conversions and formatter. With no job open they are those of a job in
// metres, degrees and north azimuths, so callers never get a null.
const CMathConversions* GetActiveJobMathConversions();
const CFormat* GetActiveJobFormat();
