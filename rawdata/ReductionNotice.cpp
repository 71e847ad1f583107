#include "rawdata/ReductionNotice.h"

#include "core/Report.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <vector>

namespace {

// Warnings about lines that were reduced all the same: their points are in the job.
constexpr std::string_view kReducedAnyway[] = {"WARNING: Duplicate Pt.",
                                               "WARNING: Angle with 60 or more minutes or seconds"};

bool IsRefusal(const std::string& row)
{
    if (row.find(" ERROR: ") != std::string::npos)
        return true;
    return row.find(" WARNING: ") != std::string::npos &&
           std::none_of(std::begin(kReducedAnyway), std::end(kReducedAnyway),
                        [&row](std::string_view warning) { return row.find(warning) != std::string::npos; });
}

} // namespace

std::string DescribeFieldDataReduction(const CReport& analysis, size_t pointCount)
{
    std::vector<std::string> refusals;
    size_t refused = 0;
    for (const auto& section : analysis.GetSections())
        for (const auto& row : section->rows)
            if (!row.empty() && IsRefusal(row[0]) && ++refused <= ReductionNoticeReasons)
                refusals.push_back(row[0]);
    if (pointCount > 0 && refused == 0)
        return {};
    std::string text = pointCount == 0 ? std::string("No point was stored from the field data.")
                                       : "The field data gave " + std::to_string(pointCount) +
                                             (pointCount == 1 ? " point." : " points.");
    if (refused == 0)
        return text + " It holds no line that stores or measures a point.";
    text += "\n\n" + std::to_string(refused) + (refused == 1 ? " line was" : " lines were") + " not used";
    text += refused > refusals.size() ? ", the first for these reasons:\n" : ":\n";
    for (const std::string& reason : refusals)
        text += "\n" + reason;
    text += "\n\nJob > Raw Data Reduction shows the whole analysis.";
    return text;
}
