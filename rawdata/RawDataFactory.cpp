#include "rawdata/RawDataFactory.h"

#include "rawdata/NikonRawDataFile.h"

JobRawDataFactory MakeRawDataFactory()
{
    return [](CDataFileDoc* owner) -> std::unique_ptr<CJobRawData> { return std::make_unique<CNikonRawDataFile>(owner); };
}

JobRawDataFactory InstallRawDataFactory()
{
    return SetJobRawDataFactory(MakeRawDataFactory());
}
