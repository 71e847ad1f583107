#pragma once

#include "model/SystemTime.h"

#include <array>
#include <cstdint>

// The 240-byte header at the start of a job file, kept as its byte image; the accessors read and
// write the fields at their file offsets.
struct JobFileHeader
{
    static constexpr uint32_t Size = 240;

    // Flag bits.
    static constexpr uint32_t FlagUseScaleFactor = 1u << 0;
    static constexpr uint32_t FlagSouthAzimuth = 1u << 1;
    static constexpr uint32_t FlagCurvature = 1u << 2;
    static constexpr uint32_t FlagSeaLevel = 1u << 3;
    static constexpr uint32_t FlagCurvatureCoefficient = 1u << 4;
    static constexpr uint32_t FlagDirectionType = 1u << 5;

    std::array<uint8_t, Size> bytes {};

    uint32_t GetVersion() const;
    void SetVersion(uint32_t v);
    SystemTime GetCreated() const;
    void SetCreated(const SystemTime& t);
    uint32_t GetFlags() const;
    void SetFlags(uint32_t flags);
    double GetScaleFactor() const;
    void SetScaleFactor(double f);
    // 0 metres, 1 international foot, 2 US survey foot.
    uint16_t GetDistanceUnit() const;
    void SetDistanceUnit(uint16_t unit);
    // 0 degrees, 1 grads.
    uint16_t GetAngleUnit() const;
    void SetAngleUnit(uint16_t unit);
    uint32_t GetOffsetWord() const;
    void SetOffsetWord(uint32_t offset);
};

// A fresh header: all zero, version 1, created now, scale 1.0, units 0, offset word 1000.
void InitJobFileHeader(JobFileHeader& header);
