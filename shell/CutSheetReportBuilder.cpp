#include "shell/CutSheetReportBuilder.h"

#include "core/RawDataFormat.h"
#include "core/Report.h"
#include "rawdata/RawDataFile.h"
#include "rawdata/StakeoutState.h"
#include "rawdata/StakeoutStateTable.h"

namespace {

constexpr int32_t HeadingCentredCellsLeft = ReportHeadingCentre | ReportCellLeft;
constexpr int32_t BlankLineFlags = ReportHeadingLeft | ReportCellLeft;
constexpr int32_t FixedColumnCount = 3;

struct FieldNames
{
    const char* text;
    const char* heading;
};

constexpr FieldNames Fields[CutSheetFieldCount] = {
    {"Design Northing", "Design N"},          {"Design Easting", "Design E"},
    {"Design Elevation", "Design El"},        {"Delta Northing", "Delta N"},
    {"Delta Easting", "Delta E"},             {"Design Description", "Design Desc"},
    {"As-Built Description", "As-Built Desc"}, {"Verify Raw Values", "Verify Raw Data"},
};

std::string LinePrefix(int32_t line) { return "Line #" + std::to_string(int64_t(line) + 1) + ": "; }

} // namespace

bool IsCutSheetFieldCheckedByDefault(int32_t position) { return position >= 2 && position <= 4; }

std::string CutSheetFieldText(int32_t type)
{
    return type >= 0 && type < CutSheetFieldCount ? Fields[type].text : "";
}

std::string CutSheetFieldHeading(int32_t type)
{
    return type >= 0 && type < CutSheetFieldCount ? Fields[type].heading : "";
}

void BeginCutSheetReport(CReport& report, const std::vector<ReportField>& fields)
{
    report.Clear(true);
    report.AddHeaderLine("Point Stake Cut Sheet Report");
    // A blank line above the table, which also keeps the report from ever being empty.
    report.AddColumn("", BlankLineFlags);
    report.AddRow();
    report.NewSection();
    for (const char* heading : {"Design Pt", "As Built Pt", "Cut(-)/Fill(+)"})
        report.AddColumn(heading, HeadingCentredCellsLeft);
    for (const ReportField& field : fields)
        if (field.checked)
            report.AddColumn(CutSheetFieldHeading(field.type).c_str(), HeadingCentredCellsLeft);
}

void AddVerifyMessageRows(int32_t column, const std::vector<std::string>& messages, CReport& report, int32_t line)
{
    for (size_t i = 2; i < messages.size(); ++i) {
        const int32_t row = report.AddRow();
        report.SetCell(column, row, LinePrefix(line) + messages[i], false);
    }
}

void AddCutSheetRows(CReport& report, const std::vector<ReportField>& fields, const CStakeoutState& state,
                     int32_t line, const CFormat& format)
{
    const CLocation& design = state.GetDesignLocation();
    const CLocation& deltas = state.GetDeltas();
    const int32_t row = report.AddRow();
    report.SetCell(0, row, state.GetDesignPointName(), false);
    report.SetCell(1, row, state.GetAsBuiltPointName(), false);
    report.SetCell(2, row, format.FormatElevation(deltas.z, false, false), false);

    int32_t column = FixedColumnCount;
    int32_t verifyColumn = -1;
    for (const ReportField& field : fields) {
        if (!field.checked)
            continue;
        std::string text;
        switch (field.type) {
        case 0: text = format.FormatCoordinate(design.y, false, false); break;
        case 1: text = format.FormatCoordinate(design.x, false, false); break;
        case 2: text = format.FormatElevation(design.z, false, false); break;
        case 3: text = format.FormatCoordinate(deltas.y, false, false); break;
        case 4: text = format.FormatCoordinate(deltas.x, false, false); break;
        case 5: text = state.GetDesignDescription(); break;
        case 6: text = state.GetAsBuiltDescription(); break;
        case CutSheetVerifyField: {
            // The list starts with the separator line; the first real message is the second.
            const auto& messages = state.GetWarnings();
            text = messages.size() > 1 ? messages[1] : LinePrefix(line) + "Verified OK";
            verifyColumn = column;
            break;
        }
        default: break;
        }
        report.SetCell(column++, row, text, false);
    }
    if (verifyColumn >= 0)
        AddVerifyMessageRows(verifyColumn, state.GetWarnings(), report, line);
}

void BuildCutSheetReport(CReport& report, const std::vector<ReportField>& fields, const CRawDataFile* raw)
{
    BeginCutSheetReport(report, fields);
    if (raw == nullptr)
        return;
    auto& table = const_cast<CRawDataFile*>(raw)->GetStakeoutTable();
    const CStakeoutState* state = nullptr;
    int32_t line = 0;
    for (auto position = table.GetStartPosition(); position != 0;) {
        if (!table.GetNext(position, &state, &line) || state == nullptr)
            break;
        const CRawDataFormat format(raw->GetSetup(line), true);
        AddCutSheetRows(report, fields, *state, line, format);
    }
}
