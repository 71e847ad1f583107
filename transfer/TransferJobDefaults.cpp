#include "transfer/TransferJobDefaults.h"

#include "model/JobFileHeader.h"
#include "model/MorvelSettings.h"
#include "model/SystemTime.h"

void ApplyTransferDefaultsToJob(const JobSettingsValues& defaults, JobFileHeader& header)
{
    header.SetDistanceUnit(uint16_t(defaults.distanceUnit == 1 || defaults.distanceUnit == 2 ? defaults.distanceUnit : 0));
    header.SetAngleUnit(uint16_t(defaults.angleUnit == 1 ? 1 : 0));
    header.SetScaleFactor(defaults.scaleFactor);
    header.SetCreated(CurrentLocalSystemTime());
    uint32_t flags = 0;
    if (defaults.useScaleFactor)
        flags |= JobFileHeader::FlagUseScaleFactor;
    if (defaults.azimuth == 1)
        flags |= JobFileHeader::FlagSouthAzimuth;
    if (defaults.curvatureRefraction)
        flags |= JobFileHeader::FlagCurvature;
    if (defaults.seaLevel)
        flags |= JobFileHeader::FlagSeaLevel;
    if (defaults.coefficientChoice)
        flags |= JobFileHeader::FlagCurvatureCoefficient;
    if (defaults.directionType == 0)
        flags |= JobFileHeader::FlagDirectionType;
    header.SetFlags(flags);
    header.SetOffsetWord(uint32_t(defaults.coefficientWord));
}
