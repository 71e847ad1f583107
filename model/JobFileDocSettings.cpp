#include "model/JobFileDocSettings.h"

#include "model/JobFileHeader.h"

namespace {

uint32_t WithBit(uint32_t flags, uint32_t bit, bool on) { return on ? (flags | bit) : (flags & ~bit); }

bool HasBit(uint32_t flags, uint32_t bit) { return (flags & bit) != 0; }

} // namespace

CJobFileDocSettings::CJobFileDocSettings(CDataFileDoc* document) : m_document(document) {}

std::unique_ptr<CDataFileDocSettings> CJobFileDocSettings::Clone() const
{
    // The copy constructor is private: only a clone copies settings.
    std::unique_ptr<CJobFileDocSettings> copy(new CJobFileDocSettings(*this));
    copy->m_document = nullptr;
    return copy;
}

void CJobFileDocSettings::StoreInHeader(JobFileHeader& header) const
{
    uint32_t flags = header.GetFlags();
    flags = WithBit(flags, JobFileHeader::FlagUseScaleFactor, m_useScaleFactor);
    header.SetScaleFactor(m_scaleFactor);
    flags = WithBit(flags, JobFileHeader::FlagSouthAzimuth, m_azimuthFormat == 1);
    flags = WithBit(flags, JobFileHeader::FlagDirectionType, m_directionType);
    flags = WithBit(flags, JobFileHeader::FlagCurvature, m_adjustForCurvature);
    flags = WithBit(flags, JobFileHeader::FlagSeaLevel, m_seaLevel);
    flags = WithBit(flags, JobFileHeader::FlagCurvatureCoefficient, m_curvatureCoefficient);
    header.SetFlags(flags);
    header.SetDistanceUnit(static_cast<uint16_t>(m_distanceUnit));
    header.SetAngleUnit(static_cast<uint16_t>(m_angleUnit));
    header.SetOffsetWord(static_cast<uint32_t>(m_stakeoutOffset));
}

void CJobFileDocSettings::LoadFromHeader(const JobFileHeader& header, bool& changed, SettingsChangeFlags& detail)
{
    JobFileHeader current;
    InitJobFileHeader(current);
    StoreInHeader(current);
    changed = false;
    detail = SettingsChangeFlags();

    if (header.GetOffsetWord() != current.GetOffsetWord()) {
        changed = true;
        m_stakeoutOffset = static_cast<int32_t>(header.GetOffsetWord());
    }
    if (header.GetDistanceUnit() != current.GetDistanceUnit()) {
        changed = detail.distanceUnit = true;
        m_distanceUnit = header.GetDistanceUnit();
    }
    if (header.GetAngleUnit() != current.GetAngleUnit()) {
        changed = detail.angleUnit = true;
        m_angleUnit = header.GetAngleUnit();
    }
    const uint32_t now = current.GetFlags();
    const uint32_t given = header.GetFlags();
    auto differs = [&](uint32_t bit) { return HasBit(now, bit) != HasBit(given, bit); };
    if (differs(JobFileHeader::FlagSouthAzimuth)) {
        changed = detail.azimuthFormat = true;
        m_azimuthFormat = HasBit(given, JobFileHeader::FlagSouthAzimuth) ? 1 : 0;
    }
    if (differs(JobFileHeader::FlagUseScaleFactor)) {
        changed = detail.scaleFactor = true;
        m_useScaleFactor = HasBit(given, JobFileHeader::FlagUseScaleFactor);
    }
    if (header.GetScaleFactor() != current.GetScaleFactor()) {
        changed = detail.scaleFactor = true;
        m_scaleFactor = header.GetScaleFactor();
    }
    if (differs(JobFileHeader::FlagCurvature)) {
        changed = detail.curvatureAndRefraction = true;
        m_adjustForCurvature = HasBit(given, JobFileHeader::FlagCurvature);
    }
    if (differs(JobFileHeader::FlagCurvatureCoefficient)) {
        changed = detail.curvatureAndRefraction = true;
        m_curvatureCoefficient = HasBit(given, JobFileHeader::FlagCurvatureCoefficient);
    }
    if (differs(JobFileHeader::FlagSeaLevel)) {
        changed = detail.seaLevelCorrection = true;
        m_seaLevel = HasBit(given, JobFileHeader::FlagSeaLevel);
    }
    if (differs(JobFileHeader::FlagDirectionType)) {
        changed = detail.directionType = true;
        m_directionType = HasBit(given, JobFileHeader::FlagDirectionType);
    }
}

void CJobFileDocSettings::SetAdjustForCurvatureFactor(bool on)
{
    m_curvatureCoefficient = on;
    NoteChange("Set adjust for earth curvature factor");
}

void CJobFileDocSettings::SetUseSeaLevelCorrection(bool on)
{
    m_seaLevel = on;
    NoteChange("Set use sea level correction");
}

void CJobFileDocSettings::SetDirectionType(bool on)
{
    m_directionType = on;
    NoteChange("Set Direction Type");
}

void CJobFileDocSettings::SetUseScaleFactor(bool on)
{
    m_useScaleFactor = on;
    NoteChange("Set use scale factor");
}

void CJobFileDocSettings::SetScaleFactor(double factor)
{
    m_scaleFactor = factor;
    NoteChange("Set scale factor");
}

void CJobFileDocSettings::SetAdjustForCurvature(bool on)
{
    m_adjustForCurvature = on;
    NoteChange("Set adjust for earth curvature");
}
