#include "shell/RegenerationOffer.h"

#include "core/PathHelpers.h"
#include "rawdata/records/RecordCode.h"

#include <fstream>

bool ShouldOfferRegeneration(const std::string& jobPath, int64_t pointCount)
{
    if (pointCount != 0 || jobPath.empty())
        return false;
    std::string rawPath = jobPath;
    ChangePathExtension(rawPath, "Mvr");
    std::ifstream raw(rawPath, std::ios::binary);
    // Settings comments alone (what a new job writes) give nothing to rebuild.
    std::string line;
    while (std::getline(raw, line)) {
        const int32_t type = record_codes::GetTypeFromText(line);
        if (type != RecordTypeUnknown && type != RecordTypeComment)
            return true;
    }
    return false;
}
