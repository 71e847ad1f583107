#pragma once

#include "core/NoValue.h"
#include "core/RawDataSetup.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

class CDataFileDoc;
class CRawDataNikonStationRecord;

// The setup of a raw line in the raw layout. Settings comments are decoded once when applied, and
// the settings are shared between the setups of consecutive lines until a line changes them, so a
// line's own setup is its line, its container and one shared pointer.
class CNikonRawDataSetup : public CRawDataSetup
{
public:
    CNikonRawDataSetup() = default;
    CNikonRawDataSetup(CDataFileDoc* doc, int32_t line);
    CNikonRawDataSetup(CRawDataFile* file, int32_t line) : CRawDataSetup(file, line) {}
    // A setup of the line sharing the settings of another (the line before): a line appended
    // starts from them without taking and dropping the defaults first.
    CNikonRawDataSetup(CRawDataFile* file, int32_t line, const CNikonRawDataSetup& settingsOf)
        : CRawDataSetup(file, line), m_settings(settingsOf.m_settings)
    {
    }

    // Everything, line and raw data file included.
    void CopyFrom(const CNikonRawDataSetup& other) { *this = other; }
    // Bit 1: a unit comment differs; bits 2 and 4: the station line differs; bit 8: HR differs.
    bool CompareWith(const CNikonRawDataSetup& previous, uint32_t* flags) const;
    bool GetHaMode(int32_t* mode) const
    {
        *mode = S().haMode;
        return true;
    }
    int32_t GetCoordinateOrder() const { return S().coordOrder; }
    // The line of the station in force; -1 before any.
    int32_t GetStationLine() const;

    bool CopySettings(const CRawDataSetup* other) override;
    // The same for a setup known to be of this layout: the settings are all a setup holds
    // beside its line and container.
    void CopySettingsOf(const CNikonRawDataSetup& other) { m_settings = other.m_settings; }
    bool ValidateForReduction(std::string* message, bool checkHr) const override;
    // The station check of the last station seen, for a run over lines that changes none of them:
    // every line under one station gets the same answer, so it is worked out once.
    struct StationCheck
    {
        std::shared_ptr<const void> station;
        bool valid = false;
        std::string message;
    };
    // `occupied`: the occupy location the caller has just read at this line, not looked up again.
    bool ValidateForReduction(std::string* message, bool checkHr, StationCheck& check,
                              const CLocation* occupied = nullptr) const;
    CRawDataSetup& Reset() override;
    bool ValidateUnits(std::string* message) const override;
    double AzimuthToDirection(double azimuth) const override;
    double AngleToRadians(double angle) const override;
    double VerticalAngleToRadians(double angle) const override;
    double DistanceToMetres(double distance) const override;
    double DirectionToAzimuth(double direction) const override;
    double RadiansToAngle(double radians) const override;
    double RadiansToVerticalAngle(double radians) const override;
    double MetresToDistance(double metres) const override;
    std::string GetDistanceUnitLabel() const override;
    int32_t GetZeroAzimuth() const override { return S().zeroAzimuth; }
    int32_t GetDistanceUnit() const override { return S().distanceUnit; }
    int32_t GetAngleUnit() const override { return S().angleUnit; }
    double GetDistanceConstant() const override { return 0.0; }
    bool GetCurvatureRefraction(uint8_t* coefficient) const override;
    bool GetSeaLevelAdjustment(int32_t* value) const override;
    bool GetScaleFactor(double* factor) const override;
    bool ValidateStation(std::string* message) const override;
    std::string GetOccupyPoint() const override;
    bool GetOccupyLocation(CLocation* location) const override;
    std::string GetBlankText() const override { return {}; }
    double GetBacksightAzimuth() const override;
    double GetBacksightCircle() const override;
    std::string GetBacksightPoint() const override;
    double GetHI() const override;
    double GetHR() const override { return S().hr; }
    double GetHeightDifference() const override;
    bool IsPointKnown(const std::string& name) const override;
    bool GetPointLocation(const std::string& name, CLocation* location) const override;
    bool GetPointDescription(const std::string& name, std::string* description) const override;
    bool GetStakeoutState(CStakeoutState* state) const override;
    void ApplyRecord(CNikonRawDataRecord& record) override;
    void AddStationPreview(uint32_t flags) override;
    bool FormatCurrentSetup(CColoredTextLines* lines, bool longLabels, bool checkHr) override;
    bool FormatCurrentMode(CColoredTextLines* lines, bool longLabels) override;

    // For the observation records: HR as the last shot or face reading set it.
    // Most shots repeat the rod height, so the shared settings are copied only when it changes.
    void SetHR(double hr)
    {
        if (std::memcmp(&hr, &S().hr, sizeof hr) != 0)
            Write().hr = hr;
    }

private:
    // GetBacksightAzimuth from an occupy location already read at this line (null: looked up).
    double BacksightAzimuthFrom(const CLocation* occupied) const;
    // The ST line in force, read once in the units of its own line.
    struct Station
    {
        std::string text;
        int32_t line = -1;
        bool valid = false;
        std::string occupy;
        std::string backsight;
        double hi = NoValue;
        double azimuth = NoValue;
        double circle = NoValue;
    };

    void ApplyComment(CNikonRawDataRecord& record);
    void ApplyStation(CNikonRawDataRecord& record);
    // `type`: the record's type, as ApplyRecord has just read it off the text.
    void ApplyStorePoint(CNikonRawDataRecord& record, int32_t type);
    // CP, SS, SO: HR, then the observed point is filed; F1, F2: HR only.
    void ApplyShot(CNikonRawDataRecord& record, int32_t type);
    CDataFileDoc* GetDocument() const;
    std::unique_ptr<CRawDataNikonStationRecord> MakeStationRecord() const;

    struct Settings
    {
        // Decoded unit comments (-1: never seen) and the texts they came from.
        int32_t distanceUnit = -1;
        int32_t angleUnit = -1;
        int32_t zeroAzimuth = -1;
        std::shared_ptr<const std::string> distanceText;
        std::shared_ptr<const std::string> angleText;
        std::shared_ptr<const std::string> zeroAzimuthText;
        std::shared_ptr<const Station> station;
        int32_t haMode = 1;
        int32_t coordOrder = 0;
        int32_t crAdjustment = 0;
        uint8_t crCoefficient = 0;
        int32_t seaLevel = 0;
        double scaleFactor = 1.0;
        bool scaleAdjustment = false;
        double hr = NoValue;
    };

    // Settings held by the setups that share them. Every line has a setup, and raw data lives on
    // one thread, so the count is a plain one beside the settings rather than a shared pointer's
    // second word and atomic count.
    struct Shared
    {
        Settings settings;
        uint32_t users = 0;
    };
    class SettingsRef
    {
    public:
        explicit SettingsRef(Shared* shared) : m_shared(shared) { ++m_shared->users; }
        SettingsRef(const SettingsRef& other) : m_shared(other.m_shared) { ++m_shared->users; }
        SettingsRef& operator=(const SettingsRef& other)
        {
            Shared* kept = m_shared;
            m_shared = other.m_shared;
            ++m_shared->users;
            Drop(kept);
            return *this;
        }
        ~SettingsRef() { Drop(m_shared); }
        Shared& operator*() const { return *m_shared; }
        Shared* get() const { return m_shared; }

    private:
        static void Drop(Shared* shared)
        {
            if (--shared->users == 0)
                delete shared;
        }
        Shared* m_shared;
    };

    // One block of defaults shared by every fresh setup; never freed.
    static Shared* DefaultSettings();
    const Settings& S() const { return (*m_settings).settings; }
    // The settings for writing: this setup's own copy once another setup shares them.
    Settings& Write()
    {
        if ((*m_settings).users > 1 || m_settings.get() == DefaultSettings())
            m_settings = SettingsRef(new Shared{S(), 0});
        return (*m_settings).settings;
    }

    SettingsRef m_settings{DefaultSettings()};
};
