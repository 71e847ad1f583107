#pragma once

#include "core/Location.h"
#include "model/MorvelSettings.h"
#include "model/TestJobDoc.h"
#include "rawdata/NikonRawDataFile.h"
#include "rawdata/RawDataDrawTarget.h"
#include "rawdata/records/RawDataRecord.h"

#include <memory>
#include <string>
#include <vector>

namespace morvel::test {

// Axis captions unlike each other and the defaults, for as long as it lives: a text that names an
// axis shows which one it took.
class ScopedAxisCaptions
{
public:
    ScopedAxisCaptions()
    {
        settings.SetXCaption("E-Coord");
        settings.SetYCaption("N-Coord");
        settings.SetZCaption("Height");
        SetMorvelSettings(&settings);
    }
    ~ScopedAxisCaptions() { SetMorvelSettings(nullptr); }
    ScopedAxisCaptions(const ScopedAxisCaptions&) = delete;
    ScopedAxisCaptions& operator=(const ScopedAxisCaptions&) = delete;

    CMorvelSettings settings;
};

// A job whose raw data is a real container, owned by the job (the fake raw data of the base is
// replaced and must not be used).
class RawJob : public TestJobDoc
{
public:
    RawJob() : raw(InstallContainer()) {}

    int32_t Append(const std::string& text)
    {
        CNikonRawDataRecord record(text);
        return raw.AppendRecord(&record);
    }
    void AppendAll(const std::vector<std::string>& lines)
    {
        for (const std::string& line : lines)
            Append(line);
    }
    CRawDataSetup* Setup(int32_t line) { return raw.GetSetup(line); }
    CRawDataSetup* LastSetup() { return raw.GetSetup(raw.GetLineCount() - 1); }
    std::string Text(int32_t line) { return raw.GetRecord(line) ? raw.GetRecord(line)->GetText() : "<none>"; }

    CNikonRawDataFile& raw;

private:
    CNikonRawDataFile& InstallContainer()
    {
        auto container = std::make_unique<CNikonRawDataFile>(this);
        CNikonRawDataFile& kept = *container;
        SetRawDataFile(std::move(container));
        return kept;
    }
};

// Records what raw records draw.
class RecordingDrawTarget : public CRawDataDrawTarget
{
public:
    void AddPreviewLocation(const CLocation& at, int32_t icon, int32_t line) override
    {
        calls.push_back("location " + std::to_string(icon));
        locations.push_back(at);
    }
    void AddPreviewLocationEx(const CLocation& at, int32_t icon, int32_t dx, int32_t dy, int32_t line) override
    {
        calls.push_back("location " + std::to_string(icon) + " " + std::to_string(dx) + "," + std::to_string(dy));
        locations.push_back(at);
    }
    void AddPreviewLine(const CLocation&, const CLocation& to, int32_t colour, int32_t width, int32_t) override
    {
        calls.push_back("line " + std::to_string(colour) + " " + std::to_string(width));
        locations.push_back(to);
    }
    void AddPreviewInfiniteLine(const CLocation&, double direction, int32_t, int32_t colour, int32_t width,
                                int32_t) override
    {
        calls.push_back("infinite " + std::to_string(colour) + " " + std::to_string(width));
        directions.push_back(direction);
    }

    std::vector<std::string> calls;
    std::vector<CLocation> locations;
    std::vector<double> directions;
};

// The settings comments of a metres, degrees, north raw data head.
inline std::vector<std::string> MetricHead()
{
    return {"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North", "CO,HA Raw Data: Azimuth"};
}

} // namespace morvel::test
