#pragma once

#include <string>
#include <vector>

// How writing a job from converted field data went; the caller tells the person in its own words.
enum class FieldDataJobResult
{
    Written,
    RawNotWritten, // the raw data file could not be written
    JobNotWritten, // the raw data did not load or the job file could not be written
};

// The converted raw text written to stagedRaw, loaded into a job of its own, reduced to points and
// the job file written to stagedJob. Moving the pair into place, and removing it on failure, is the
// caller's. duplicates (may be null) receives the duplicate point names the reduction met; notice
// (may be null), once the job is written, what the person must hear when it opens (see
// DescribeFieldDataReduction).
FieldDataJobResult WriteFieldDataJob(const std::string& converted, const std::string& stagedRaw,
                                     const std::string& stagedJob, std::vector<std::string>* duplicates,
                                     std::string* notice);
