#pragma once

#include "model/DataFileDocSettings.h"

// The per-job settings kept in the job file's header: the units of the base, the grid scale
// factor, the corrections of the raw-data reduction, the direction type and the stake-out point
// offset.
class CJobFileDocSettings : public CDataFileDocSettings
{
public:
    static constexpr int32_t DefaultStakeoutOffset = 1000;

    explicit CJobFileDocSettings(CDataFileDoc* document);

    std::unique_ptr<CDataFileDocSettings> Clone() const override;
    void LoadFromHeader(const JobFileHeader& header, bool& changed, SettingsChangeFlags& detail) override;
    void StoreInHeader(JobFileHeader& header) const override;

    bool GetAdjustForCurvatureFactor() const override { return m_curvatureCoefficient; }
    // Chooses the coefficient: false 0.1320, true 0.2000.
    void SetAdjustForCurvatureFactor(bool on) override;
    bool GetUseSeaLevelCorrection() const override { return m_seaLevel; }
    void SetUseSeaLevelCorrection(bool on) override;
    bool GetDirectionType() const override { return m_directionType; }
    void SetDirectionType(bool on) override;
    CDataFileDoc* GetDocument() const override { return m_document; }

    bool GetUseScaleFactor() const { return m_useScaleFactor; }
    void SetUseScaleFactor(bool on);
    double GetScaleFactor() const { return m_scaleFactor; }
    void SetScaleFactor(double factor);
    bool GetAdjustForCurvature() const { return m_adjustForCurvature; }
    void SetAdjustForCurvature(bool on);
    int32_t GetStakeoutOffset() const { return m_stakeoutOffset; }
    // The scale factor when it is in use, else exactly 1.
    double GetEffectiveScaleFactor() const { return m_useScaleFactor ? m_scaleFactor : 1.0; }

private:
    CJobFileDocSettings(const CJobFileDocSettings&) = default;

    bool m_useScaleFactor = false;
    double m_scaleFactor = 1.0;
    bool m_adjustForCurvature = false;
    int32_t m_stakeoutOffset = DefaultStakeoutOffset;
    CDataFileDoc* m_document = nullptr;
    bool m_curvatureCoefficient = false;
    bool m_seaLevel = false;
    bool m_directionType = false;
};
