#pragma once

#include "rawdata/records/RawDataRecord.h"

#include <string>

// A CO line: a free note, a settings comment, the job-name comment or the stake-out deltas the
// instrument logs after a staked point. Settings comments are matched without regard to case,
// key and value whole; the printers write one fixed wording each.
class CRawDataNikonCommentRecord : public CNikonRawDataRecord
{
public:
    CRawDataNikonCommentRecord() = default;
    explicit CRawDataNikonCommentRecord(const CNikonRawDataRecord& record) : CNikonRawDataRecord(record) {}
    CRawDataNikonCommentRecord(const CRawDataNikonCommentRecord& other)
        : CNikonRawDataRecord(other), m_comment(other.m_comment)
    {
        m_validated = other.m_validated;
    }
    CRawDataNikonCommentRecord& operator=(const CRawDataNikonCommentRecord& other);

    bool UpdateText(int32_t line) override;
    bool Validate() override;
    bool DescribeFields(CColoredTextLines* lines, bool longLabels, bool wholeLabels) override;
    bool CheckAgainstJob(CColoredTextLines* lines) override { return false; }

    bool SetComment(const std::string& text);
    std::string GetComment();
    // "<name> <JOB>": the name.
    bool IsJobComment(std::string* jobName);
    void PrintFormatHeader();

    bool ParseDistUnits(int32_t& value);
    bool ParseAngleUnits(int32_t& value);
    bool ParseZeroAzimuth(int32_t& value);
    bool ParseHaRawData(int32_t& value);
    bool ParseCrCoefficient(bool& value);
    bool ParseCrAdjustment(int32_t& value);
    bool ParseSeaLevelAdjustment(int32_t& value);
    bool ParseScaleAdjustment(bool& value);
    bool ParseScaleFactor(double& value);
    bool ParseCoordOrder(int32_t& value);

    void PrintDistUnits(int32_t value);
    void PrintAngleUnits(int32_t value);
    void PrintZeroAzimuth(int32_t value);
    void PrintHaRawData(int32_t value);
    void PrintCrCoefficient(bool value);
    void PrintCrAdjustment(int32_t value);
    void PrintSeaLevelAdjustment(int32_t value);
    void PrintScaleAdjustment(bool value);
    void PrintScaleFactor(double value);
    void PrintCoordOrder(int32_t value);

    // "Pt: <name> SO Deltas N: <n> E: <e> Z: <z>" in the line's distance unit: the name and the
    // negated deltas in metres. Outputs written before a failure keep their values.
    bool ParseStakeoutDeltas(std::string& name, double& north, double& east, double& elevation);

protected:
    bool IsTypedView() const override { return true; }

private:
    // The settings value after the key, when the comment is a settings comment of that key.
    bool MatchSetting(std::initializer_list<const char*> keys, std::string* value);
    void ReadSetting();
    void Print(const std::string& comment);

    std::string m_comment;
    // The comment cut at its colons, read on the first settings match and kept until it changes.
    enum : uint8_t { SettingUnread, SettingNone, SettingKeyOnly, SettingKeyAndValue } m_setting = SettingUnread;
    std::string m_settingKey;
    std::string m_settingValue;
};
