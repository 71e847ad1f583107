#pragma once

#include "rawdata/records/RawDataNikonObservationRecord.h"

#include <string>

// An SO line: a stake-out shot. Its point is the as-built point; the design point it staked is
// named by the as-built name less the job's numeric point offset (1005 stakes 5).
class CRawDataNikonStakeOutRecord : public CRawDataNikonObservationRecordOf<RecordTypeStakeOut>
{
public:
    CRawDataNikonStakeOutRecord() = default;
    explicit CRawDataNikonStakeOutRecord(const CNikonRawDataRecord& record)
        : CRawDataNikonObservationRecordOf<RecordTypeStakeOut>(record)
    {
    }

    void DrawPreview() override;
    bool CheckAgainstJob(CColoredTextLines* lines) override;

    // Empty without a job, without trailing digits, or when their value less the offset is below 1.
    std::string DesignPointNameFor(const std::string& asBuiltName) const;
    std::string GetDesignPointName();
    // From the stake-out state stored for the record's line; empty texts and zero deltas (no
    // elevation) without one.
    std::string GetStakeoutAsBuiltName() const;
    std::string GetStakeoutAsBuiltDescription() const;
    CLocation GetStakeoutDeltas() const;
};
