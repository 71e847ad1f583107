#pragma once

#include "model/SettingsChangeFlags.h"

#include <cstdint>
#include <memory>

class CDataFileDoc;
struct JobFileHeader;

// The unit choices of a job: distance unit (0 metres, 1 international foot, 2 US survey foot),
// angle unit (0 degrees shown as packed D.MMSS, 1 grads) and azimuth format (0 north, 1 south).
// Every setter marks the owning job modified with its own history text; a copy without an owner
// only stores.
class CDataFileDocSettings
{
public:
    static constexpr int32_t DefaultDistanceUnit = 1;
    static constexpr int32_t DefaultAngleUnit = 0;
    static constexpr int32_t DefaultAzimuthFormat = 0;

    CDataFileDocSettings() = default;
    virtual ~CDataFileDocSettings() = default;

    // A new object with every field copied and no owner.
    virtual std::unique_ptr<CDataFileDocSettings> Clone() const = 0;
    // Takes every setting that differs from the header, reporting what changed. No history.
    virtual void LoadFromHeader(const JobFileHeader& header, bool& changed, SettingsChangeFlags& detail) = 0;
    // Writes the settings into a header that is already initialised; bits that are not settings
    // keep their value.
    virtual void StoreInHeader(JobFileHeader& header) const = 0;

    // Setters store even an unchanged value and add a history entry each time.
    virtual void SetDistanceUnit(int32_t code);
    virtual void SetAngleUnit(int32_t code);
    virtual void SetAzimuthFormat(int32_t code);

    virtual bool GetAdjustForCurvatureFactor() const = 0;
    virtual void SetAdjustForCurvatureFactor(bool on) = 0;
    virtual bool GetUseSeaLevelCorrection() const = 0;
    virtual void SetUseSeaLevelCorrection(bool on) = 0;
    virtual bool GetDirectionType() const = 0;
    virtual void SetDirectionType(bool on) = 0;
    // The owning job; null for a detached copy.
    virtual CDataFileDoc* GetDocument() const = 0;

    int32_t GetSurveyUnits() const { return m_distanceUnit; }
    int32_t GetAngleUnits() const { return m_angleUnit; }
    int32_t GetAzimuthFormat() const { return m_azimuthFormat; }

protected:
    CDataFileDocSettings(const CDataFileDocSettings&) = default;
    CDataFileDocSettings& operator=(const CDataFileDocSettings&) = default;

    // Marks the owning job modified with the setter's history text.
    void NoteChange(const char* historyText) const;

    int32_t m_distanceUnit = DefaultDistanceUnit;
    int32_t m_angleUnit = DefaultAngleUnit;
    int32_t m_azimuthFormat = DefaultAzimuthFormat;
};
