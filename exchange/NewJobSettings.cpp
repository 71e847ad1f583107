#include "exchange/NewJobSettings.h"

#include "model/JobFileHeader.h"
#include "platform/Profile.h"

namespace {

constexpr const char* Section = "General";

void SetBit(uint32_t& flags, uint32_t bit, bool on)
{
    flags = on ? (flags | bit) : (flags & ~bit);
}

} // namespace

NewJobFields ReadNewJobFields(const JobFileHeader& header)
{
    NewJobFields fields;
    const uint16_t distance = header.GetDistanceUnit();
    fields.distanceUnit = distance <= 2 ? distance : 0;
    fields.angleUnit = header.GetAngleUnit() == 1 ? 1 : 0;
    const uint32_t flags = header.GetFlags();
    fields.azimuthType = (flags & JobFileHeader::FlagSouthAzimuth) ? 1 : 0;
    fields.directionType = (flags & JobFileHeader::FlagDirectionType) ? 1 : 0;
    fields.useScaleFactor = (flags & JobFileHeader::FlagUseScaleFactor) != 0;
    fields.scaleFactor = header.GetScaleFactor();
    fields.curvature = (flags & JobFileHeader::FlagCurvature) != 0;
    fields.coefficient = (flags & JobFileHeader::FlagCurvatureCoefficient) ? 1 : 0;
    fields.seaLevel = (flags & JobFileHeader::FlagSeaLevel) != 0;
    fields.offset = header.GetOffsetWord();
    return fields;
}

void WriteNewJobFields(const NewJobFields& fields, JobFileHeader& header)
{
    header.SetDistanceUnit(static_cast<uint16_t>(fields.distanceUnit));
    header.SetAngleUnit(static_cast<uint16_t>(fields.angleUnit));
    uint32_t flags = header.GetFlags();
    SetBit(flags, JobFileHeader::FlagSouthAzimuth, fields.azimuthType == 1);
    SetBit(flags, JobFileHeader::FlagDirectionType, fields.directionType == 1);
    SetBit(flags, JobFileHeader::FlagUseScaleFactor, fields.useScaleFactor);
    SetBit(flags, JobFileHeader::FlagCurvature, fields.curvature);
    if (fields.curvature)
        SetBit(flags, JobFileHeader::FlagCurvatureCoefficient, fields.coefficient == 1);
    SetBit(flags, JobFileHeader::FlagSeaLevel, fields.seaLevel);
    header.SetFlags(flags);
    header.SetScaleFactor(fields.scaleFactor);
    header.SetOffsetWord(fields.offset);
}

int32_t LoadNewJobCustomSettings(CProfile& profile, JobFileHeader& custom)
{
    custom.SetDistanceUnit(static_cast<uint16_t>(profile.GetProfileInt(Section, "Def Dist", 1)));
    custom.SetAngleUnit(static_cast<uint16_t>(profile.GetProfileInt(Section, "Def Angle", 0)));
    custom.SetFlags(static_cast<uint32_t>(profile.GetProfileInt(Section, "Def Settings", 0)));
    custom.SetScaleFactor(profile.GetProfileDouble(Section, "Def SF", 1.0));
    custom.SetOffsetWord(static_cast<uint32_t>(profile.GetProfileInt(Section, "Def Offset", 1000)));
    return profile.GetProfileInt(Section, "New Job", NewJobFromTransferDefaults);
}

void StoreNewJobCustomSettings(CProfile& profile, const JobFileHeader& custom, int32_t option)
{
    profile.WriteProfileInt(Section, "New Job", option);
    profile.WriteProfileInt(Section, "Def Dist", custom.GetDistanceUnit());
    profile.WriteProfileInt(Section, "Def Angle", custom.GetAngleUnit());
    profile.WriteProfileInt(Section, "Def Settings", static_cast<int32_t>(custom.GetFlags()));
    profile.WriteProfileDouble(Section, "Def SF", custom.GetScaleFactor());
    profile.WriteProfileInt(Section, "Def Offset", static_cast<int32_t>(custom.GetOffsetWord()));
}
