#include "model/JobRawData.h"

namespace {

JobRawDataFactory& InstalledFactory()
{
    static JobRawDataFactory factory;
    return factory;
}

} // namespace

JobRawDataFactory SetJobRawDataFactory(JobRawDataFactory factory)
{
    JobRawDataFactory previous = std::move(InstalledFactory());
    InstalledFactory() = std::move(factory);
    return previous;
}

std::unique_ptr<CJobRawData> CreateJobRawData(CDataFileDoc* owner)
{
    const JobRawDataFactory& factory = InstalledFactory();
    return factory ? factory(owner) : nullptr;
}
