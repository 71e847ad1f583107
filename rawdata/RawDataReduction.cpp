#include "rawdata/RawDataReduction.h"

#include "core/AngleFunctions.h"
#include "core/ColoredTextLines.h"
#include "core/ProgramHelpers.h"
#include "core/RawDataSetup.h"
#include "core/Report.h"
#include "core/StatusProgress.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/JobFileDocSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "platform/BusyCursor.h"
#include "rawdata/NikonRawDataFile.h"
#include "rawdata/records/NikonRawDataSetup.h"
#include "rawdata/records/RawDataNikonCommentRecord.h"
#include "rawdata/records/RawDataNikonCoordinateRecord.h"
#include "rawdata/records/RawDataNikonObservationRecord.h"

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <span>
#include <string_view>

namespace {

// A packed D.MMSS text whose minutes or seconds read 60 or more: no instrument writes one, yet the
// conversion takes it (30.0070 as 30 degrees and 70 seconds), so the line is worth a look.
bool HasMinutesOrSecondsOver59(std::string_view packed)
{
    const size_t point = packed.find('.');
    if (point == std::string_view::npos)
        return false;
    char digits[4] = {'0', '0', '0', '0'};
    for (size_t i = 0; i < 4 && point + 1 + i < packed.size(); ++i) {
        const char c = packed[point + 1 + i];
        if (c < '0' || c > '9')
            break;
        digits[i] = c;
    }
    return digits[0] >= '6' || digits[2] >= '6';
}

// The texts of one observation type.
struct ShotMessages
{
    const char* invalid;
    const char* angleOnly;
    const char* missingHr;
    const char* badDirection;
    const char* refused;
    const char* generating;
    const char* modifying;
};

const ShotMessages kControlPoint = {
    "Line #%d ERROR: Invalid Control Point Record.", "Line #%d WARNING: Angle Only Control Point Record.",
    "Line #%d ERROR: Control Point Record is missing HR.", "Line #%d ERROR: Control Point with invalid FS Azimuth.",
    "Line #%d ERROR: Failed to create Control Point '%s'.", "Line #%d GENERATING CONTROL POINT: ",
    "Line #%d MODIFYING CONTROL POINT: "};
const ShotMessages kSideShot = {
    "Line #%d ERROR: Invalid Side Shot Record.", "Line #%d WARNING: Angle Only Side Shot Record.",
    "Line #%d ERROR: Side Shot Record is missing HR.", "Line #%d ERROR: Side Shot with invalid FS Azimuth.",
    "Line #%d ERROR: Failed to create Side Shot point '%s'.", "Line #%d GENERATING SIDE SHOT: ",
    "Line #%d MODIFYING SIDE SHOT: "};
const ShotMessages kStakeOut = {
    "Line #%d ERROR: Invalid Stake-Out Record.", "Line #%d WARNING: Angle Only Stake-Out Record.",
    "Line #%d ERROR: Stake-Out Record is missing HR.", "Line #%d ERROR: Stake-Out with invalid FS Azimuth.",
    "Line #%d ERROR: Failed to create Stake-Out point '%s'.", "Line #%d GENERATING STAKE-OUT: ",
    "Line #%d MODIFYING STAKE-OUT: "};

// Starts fetching the name map's slot for the point a line names (its second field), so the
// duplicate check finds it in cache once the line before is reduced. Only a hint: a line that names
// no point costs a hash.
void PrefetchLineName(const CRawPointNameMap& names, const CNikonRawDataRecord* record)
{
    if (!record)
        return;
    const int32_t type = record->GetType();
    if (record_codes::IsShotType(type) || record_codes::IsCoordinateType(type))
        names.PrefetchLineName(record->GetText());
}

std::string Format(const char* format, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

// The prefix with its one "%d" replaced by the number, as Format gives it, added to `out`; the
// change log takes one per line reduced.
void AppendLinePrefix(std::string& out, const char* prefix, int number)
{
    const std::string_view text(prefix);
    const size_t at = text.find('%');
    if (at == std::string_view::npos || text.substr(at, 2) != "%d" ||
        text.find('%', at + 2) != std::string_view::npos) {
        out += Format(prefix, number);
        return;
    }
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out.append(text.substr(0, at)).append(digits, end).append(text.substr(at + 2));
}

std::string LinePrefix(const char* prefix, int number)
{
    std::string out;
    AppendLinePrefix(out, prefix, number);
    return out;
}

class CReduction
{
public:
    CReduction(CDataFileDoc& doc, CNikonRawDataFile& raw, bool ignoreStorePoints, bool ignoreDeleted,
               CReport* analysis, std::vector<std::string>* duplicates)
        : m_doc(doc), m_raw(raw), m_ignoreStorePoints(ignoreStorePoints), m_ignoreDeleted(ignoreDeleted),
          m_analysis(analysis), m_duplicates(duplicates)
    {
    }

    void Run();

private:
    void Report(const std::string& message);
    // A line the run passes over because it cannot be read (a station line among them makes every
    // later shot fail): named with its text, so the errors that follow can be traced to it.
    void ReportUnrecognized(const CNikonRawDataRecord& record, int32_t line);
    // The prefix with the line number, then the field lines of the line's typed view joined by
    // ", " (the view the caller already validated).
    std::string LogText(const char* prefix, CNikonRawDataRecord& view, int32_t line);
    // LogText's text, reported and filed in the change log; the view lists its layout's fields
    // (a shot or a coordinate line), so the text is built in one reused buffer.
    void LogChange(const char* prefix, CNikonRawDataRecord& view, int32_t line);
    // LogChange for a shot read by ValidateText, from the values it left.
    void LogShotChange(const char* prefix, CRawDataNikonObservationRecord& shot,
                       std::span<const std::string_view, 7> values, int32_t line);
    // The name was produced by a line before this one.
    bool ProducedEarlier(const std::string& name, int32_t line) const;
    void NoteDuplicate(CNikonRawDataRecord& record, const std::string& name, int32_t line);
    // The job's point of the name, made and added when there is none; null when refused.
    CPointRecord* FindOrCreatePoint(const std::string& name, const CLocation& location, bool* created);

    void ReduceComment(CNikonRawDataRecord& record, int32_t line);
    void ReduceStorePoint(CNikonRawDataRecord& record, CRawDataSetup& setup, int32_t line);
    void ReduceShot(CNikonRawDataRecord& record, CRawDataSetup& setup, CRawDataSetup& previous, int32_t line);

    CDataFileDoc& m_doc;
    CNikonRawDataFile& m_raw;
    bool m_ignoreStorePoints;
    bool m_ignoreDeleted;
    CReport* m_analysis;
    std::vector<std::string>* m_duplicates;
    CColoredTextLines m_lines;
    std::string m_text;
    CNikonRawDataSetup::StationCheck m_stationCheck;
    CRawDataNikonObservationRecord m_shot;
    CRawDataNikonCommentRecord m_commentView;
};

void CReduction::Report(const std::string& message)
{
    if (!m_analysis)
        return;
    const int32_t row = m_analysis->AddRow();
    m_analysis->SetCell(0, row, message, false);
}

void CReduction::ReportUnrecognized(const CNikonRawDataRecord& record, int32_t line)
{
    const CRawLineText text = record.GetText();
    if (text.view().find_first_not_of(" \t\r") == std::string_view::npos)
        return;
    Report("Line #" + std::to_string(line + 1) + " WARNING: Unrecognized line, not used: " + text);
}

std::string CReduction::LogText(const char* prefix, CNikonRawDataRecord& view, int32_t line)
{
    std::string text = LinePrefix(prefix, int(line + 1));
    m_lines.RemoveAll();
    view.DescribeFields(&m_lines, true, true);
    const auto& all = m_lines.Lines();
    for (size_t i = 0; i < all.size(); ++i) {
        text += all[i].text;
        if (i + 1 < all.size())
            text += ", ";
    }
    return text;
}

void CReduction::LogChange(const char* prefix, CNikonRawDataRecord& view, int32_t line)
{
    m_text.clear();
    AppendLinePrefix(m_text, prefix, int(line + 1));
    view.AppendLayoutFieldTexts(m_text, true, true);
    Report(m_text);
    m_doc.SetModifiedWithText(m_text.c_str(), true, true);
}

void CReduction::LogShotChange(const char* prefix, CRawDataNikonObservationRecord& shot,
                               std::span<const std::string_view, 7> values, int32_t line)
{
    m_text.clear();
    AppendLinePrefix(m_text, prefix, int(line + 1));
    shot.AppendValueTexts(m_text, values, true, true);
    Report(m_text);
    m_doc.SetModifiedWithText(m_text.c_str(), true, true);
}

bool CReduction::ProducedEarlier(const std::string& name, int32_t line) const
{
    return line > 0 && m_raw.GetPointNameMap().HasPoint(name, line - 1);
}

void CReduction::NoteDuplicate(CNikonRawDataRecord& record, const std::string& name, int32_t line)
{
    if (m_duplicates)
        m_duplicates->push_back(
            Format("Line#: %d, Rec Type: %s, Pt Name: %s", int(line + 1), record.GetCode().c_str(), name.c_str()));
    Report(Format("Line #%d WARNING: Duplicate Pt. '%s'.", int(line + 1), name.c_str()));
}

CPointRecord* CReduction::FindOrCreatePoint(const std::string& name, const CLocation& location, bool* created)
{
    CPointDatabase* points = m_doc.GetPointDatabase();
    CPointRecord* point = points ? points->FindPoint(name, true) : nullptr;
    *created = point == nullptr;
    if (point)
        return point;
    auto* made = new CPointRecord(name.c_str(), "", location, true);
    if (!m_doc.AddRecord(made)) {
        delete made;
        return nullptr;
    }
    return made;
}

void CReduction::ReduceComment(CNikonRawDataRecord& record, int32_t line)
{
    // One view for the run, as for the shots: each comment's text reuses its buffers.
    CRawDataNikonCommentRecord& comment = m_commentView;
    comment.AssignFrom(record);
    if (!comment.Validate()) {
        Report(Format("Line #%d WARNING: Invalid Record.", int(line + 1)));
        return;
    }
    CJobFileDocSettings* settings = m_doc.GetDocSettings();
    if (!settings)
        return;
    bool recognised = false;
    int32_t code = 0;
    bool flag = false;
    double factor = 0;
    if (comment.ParseZeroAzimuth(code)) {
        settings->SetAzimuthFormat(code);
        recognised = true;
    }
    if (comment.ParseDistUnits(code)) {
        // The raw data numbers feet 0 and metres 1; the job numbers metres 0 and feet 1.
        settings->SetDistanceUnit(code == 1 ? 0 : code == 0 ? 1 : 2);
        recognised = true;
    }
    if (comment.ParseAngleUnits(code)) {
        settings->SetAngleUnit(code);
        recognised = true;
    }
    recognised = comment.ParseHaRawData(code) || recognised;
    recognised = comment.ParseCoordOrder(code) || recognised;
    if (comment.ParseCrAdjustment(code)) {
        settings->SetAdjustForCurvature(code == 1);
        recognised = true;
    }
    if (comment.ParseCrCoefficient(flag)) {
        settings->SetAdjustForCurvatureFactor(flag);
        recognised = true;
    }
    if (comment.ParseSeaLevelAdjustment(code)) {
        settings->SetUseSeaLevelCorrection(code == 1);
        recognised = true;
    }
    if (comment.ParseScaleFactor(factor)) {
        settings->SetScaleFactor(factor);
        recognised = true;
    }
    if (comment.ParseScaleAdjustment(flag)) {
        settings->SetUseScaleFactor(flag);
        recognised = true;
    }
    if (recognised && m_analysis)
        Report(LogText("Line #%d SETTING JOB MODE: ", comment, line));
}

void CReduction::ReduceStorePoint(CNikonRawDataRecord& record, CRawDataSetup& setup, int32_t line)
{
    CRawDataNikonCoordinateRecord view(record);
    if (!view.Validate()) {
        Report(Format("Line #%d WARNING: Invalid Store Point Record.", int(line + 1)));
        return;
    }
    const std::string name = view.GetPointName();
    if (record.IsDeleted()) {
        if (m_ignoreDeleted)
            return;
        CPointDatabase* points = m_doc.GetPointDatabase();
        if (CPointRecord* point = points ? points->FindPoint(name, true) : nullptr) {
            m_doc.DeleteRecord(point, false);
            LogChange("Line #%d DELETING PT: ", view, line);
        }
        return;
    }
    const bool earlier = ProducedEarlier(name, line);
    if (m_ignoreStorePoints && earlier)
        return;
    if (earlier)
        NoteDuplicate(record, name, line);
    std::string message;
    if (!setup.ValidateUnits(&message)) {
        Report(Format("Line #%d ERROR: %s", int(line + 1), message.c_str()));
        return;
    }
    bool created = false;
    CPointRecord* point = FindOrCreatePoint(name, view.GetLocation(), &created);
    if (!point) {
        Report(Format("Line #%d ERROR: Failed to create Store point '%s'.", int(line + 1), name.c_str()));
        return;
    }
    point->SetLocation(view.GetLocation(), true);
    point->SetDescription(view.GetDescription().c_str());
    LogChange(created ? "Line #%d GENERATING STORE PT: " : "Line #%d MODIFYING STORE PT: ", view, line);
}

void CReduction::ReduceShot(CNikonRawDataRecord& record, CRawDataSetup& setup, CRawDataSetup& previous,
                            int32_t line)
{
    const int32_t type = record.GetType();
    const ShotMessages& texts = type == RecordTypeCtrlPoint ? kControlPoint
                                : type == RecordTypeSideShot ? kSideShot
                                                             : kStakeOut;
    const int number = int(line + 1);
    // One view for the run, so each shot's text and values reuse its buffers.
    CRawDataNikonObservationRecord& shot = m_shot;
    shot.AssignFrom(record);
    std::string_view values[7];
    if (!shot.ValidateText(values))
        return Report(Format(texts.invalid, number));
    if (!HasValue(shot.GetSD()))
        return Report(Format(texts.angleOnly, number));
    if (!HasValue(shot.GetHR()))
        return Report(Format(texts.missingHr, number));
    const std::string name = shot.GetPointName();
    if (record.IsDeleted()) {
        if (m_ignoreDeleted)
            return;
        CPointDatabase* points = m_doc.GetPointDatabase();
        if (CPointRecord* point = points ? points->FindPoint(name, true) : nullptr) {
            m_doc.DeleteRecord(point, true);
            LogShotChange("Line #%d DELETING PT: ", shot, values, line);
        }
        return;
    }
    std::string message;
    if (!setup.ValidateUnits(&message))
        return Report(Format("Line #%d ERROR: %s", number, message.c_str()));
    CLocation occupy;
    if (!setup.GetOccupyLocation(&occupy))
        return Report(Format("Line #%d ERROR: Bad Occupy Pt'%s'", number, setup.GetOccupyPoint().c_str()));
    auto* nikonSetup = dynamic_cast<CNikonRawDataSetup*>(&setup);
    if (!(nikonSetup ? nikonSetup->ValidateForReduction(&message, true, m_stationCheck, &occupy)
                     : setup.ValidateForReduction(&message, true)))
        return Report(Format("Line #%d ERROR: %s", number, message.c_str()));

    double direction = NoValue;
    int32_t mode = -1;
    if (nikonSetup)
        nikonSetup->GetHaMode(&mode);
    if (mode == 0) {
        direction = setup.AzimuthToDirection(shot.GetHA());
    } else if (mode == 1) {
        const double circle = setup.GetBacksightCircle();
        const double backsight = previous.GetBacksightAzimuth();
        const double angle = setup.AngleToRadians(shot.GetHA());
        if (HasValue(circle) && HasValue(backsight) && HasValue(angle))
            direction = circle + backsight - angle;
    }
    if (!HasValue(direction))
        return Report(Format(texts.badDirection, number));
    if (shot.GetVA() > Pi)
        direction = NormalizeAngle(direction + Pi);

    double horizontal = NoValue, vertical = NoValue;
    shot.GetDistances(&horizontal, &vertical);
    const double hi = setup.GetHI();
    const double rise = HasValue(vertical) && HasValue(hi) ? vertical + hi - shot.GetHR() : NoValue;
    CLocation at = occupy.OffsetByDirectionDistance(direction, horizontal);
    at.z = occupy.IsValid3D() && HasValue(rise) ? occupy.z + rise : NoValue;

    if (m_analysis && setup.GetAngleUnit() == 0 &&
        (HasMinutesOrSecondsOver59(values[3]) || HasMinutesOrSecondsOver59(values[4])))
        Report(Format("Line #%d WARNING: Angle with 60 or more minutes or seconds: ", number) + record.GetText());
    if (ProducedEarlier(name, line))
        NoteDuplicate(record, name, line);
    bool created = false;
    CPointRecord* point = FindOrCreatePoint(name, at, &created);
    if (!point)
        return Report(Format(texts.refused, number, name.c_str()));
    point->SetLocation(at, true);
    point->SetDescription(shot.GetFeatureCode().c_str());
    LogShotChange(created ? texts.generating : texts.modifying, shot, values, line);
}

void CReduction::Run()
{
    CBusyCursor busy;
    CStatusProgress progress;
    progress.Begin("Reducing Raw Data");
    CRecordDatabase* records = m_doc.GetRecordDatabase();
    const bool jobHadNoPoints = !records || records->GetCount(kRecordTypePoint) == 0;
    if (m_analysis) {
        m_analysis->Clear();
        m_analysis->AddColumn("Reduction Analysis", 18);
    }
    // Lines the run appends (deleted points' traces) lie beyond this count and are not visited.
    const int32_t count = m_raw.GetLineCount();
    const CRawPointNameMap& names = m_raw.GetPointNameMap();
    for (int32_t line = 0; line < count; ++line) {
        PrefetchLineName(names, m_raw.GetRecord(line + 1));
        CNikonRawDataRecord* record = m_raw.GetRecord(line);
        CRawDataSetup* setup = m_raw.GetSetup(line);
        CRawDataSetup* previous = m_raw.GetSetup(line > 0 ? line - 1 : 0);
        if (!record || !setup || !previous)
            return;
        const int32_t type = record->GetType();
        if (type == RecordTypeComment)
            ReduceComment(*record, line);
        else if (record_codes::IsCoordinateType(type))
            ReduceStorePoint(*record, *setup, line);
        else if (record_codes::IsShotType(type))
            ReduceShot(*record, *setup, *previous, line);
        else if (!record->IsParsed() && !record->SplitsIntoFields())
            ReportUnrecognized(*record, line);
        progress.SetPercent(MulDiv(line, 100, count));
    }
    progress.End();
    // The run changes no line it visited (it only appends the traces of deleted shots, which
    // were applied as they came), so the setups up to the old count are already right.
    m_raw.RecomputeSetupsAfterChangeAt(count);
    m_doc.SendHint(nullptr, HintCoordinatesChanged, 0);
    m_doc.SendHint(nullptr, HintRawLinesChanged, 0);
    if (jobHadNoPoints)
        m_doc.SendHint(nullptr, HintPointsAddedInBulk, 0);
}

} // namespace

void ReduceRawData(CDataFileDoc& doc, CNikonRawDataFile& raw, bool ignoreStorePoints, bool ignoreDeleted,
                   CReport* analysis, std::vector<std::string>* duplicates)
{
    CReduction(doc, raw, ignoreStorePoints, ignoreDeleted, analysis, duplicates).Run();
}
