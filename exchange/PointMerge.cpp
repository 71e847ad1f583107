#include "exchange/PointMerge.h"

#include "core/DataFileFormat.h"
#include "core/Report.h"
#include "model/DataFileDoc.h"
#include "model/DataFileUndoManager.h"
#include "model/MorvelSettingsHelpers.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"

#include <memory>

namespace {

constexpr int32_t kColumnSource = ReportHeadingLeft | ReportCellLeft;      // 0x11
constexpr int32_t kColumnNumber = ReportHeadingCentre | ReportCellRight;   // 0x42
constexpr int32_t kColumnText = ReportHeadingCentre | ReportCellLeft;      // 0x12

std::string ReplaceFirst(std::string format, const std::string& value)
{
    const auto at = format.find("%s");
    if (at != std::string::npos)
        format.replace(at, 2, value);
    return format;
}

// As comparing the texts with A-Z lowered, without a lowered copy of each.
bool SameIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

} // namespace

std::string CutToRecordText(const std::string& text)
{
    // The cut every record's texts go through, without a scratch record per point.
    char cut[kRecordTextBytes];
    CopyRecordText(cut, text.c_str());
    return cut;
}

CPointMerge::CPointMerge(CDataFileDoc* document, CReport* report, bool useRenameRules)
    : m_document(document), m_report(report), m_useRenameRules(useRenameRules)
{
}

void CPointMerge::BeginReport(CReport& report, const std::string& sourcePath)
{
    report.AddHeaderLine("Imported Coordinates");
    report.AddColumn("", kColumnSource);
    report.SetCell(0, report.AddRow(), ReplaceFirst("Coordinates imported from:  %s", sourcePath), false);
    report.AddRow();
    report.NewSection();
    report.AddColumn("Point #", kColumnNumber);
    report.AddColumn(GetPlanYCaption().c_str(), kColumnNumber);
    report.AddColumn(GetPlanXCaption().c_str(), kColumnNumber);
    report.AddColumn(GetPlanZCaption().c_str(), kColumnNumber);
    report.AddColumn("Description", kColumnText);
    report.AddColumn("Action", kColumnText);
}

bool CPointMerge::BeginUndoStep(const std::string& description)
{
    CDataFileUndoManager* undo = m_document->GetUndoManager();
    m_stepRecorded = undo != nullptr && undo->RecordUndoWithText(description);
    return m_stepRecorded;
}

void CPointMerge::AbandonImport()
{
    if (!m_stepRecorded)
        return;
    m_stepRecorded = false;
    CDataFileUndoManager* undo = m_document->GetUndoManager();
    // Undo leaves the half import as a redo step; nobody should be offered that.
    if (undo->Undo())
        undo->RemoveStepsAfter(undo->GetCurrentIndex());
}

CPointMerge::Result CPointMerge::MergePoint(const std::string& readName, const CLocation& location,
                                            const std::string& description)
{
    std::string name;
    // The report's action; its text is made only when there is a report to take it.
    const char* action = ActionImported;
    CPointRecord* point = nullptr;

    if (m_useRenameRules) {
        const auto it = m_renames.find(readName);
        if (it == m_renames.end())
            return Result::NoRename;
        name = it->second;
        if (!SameIgnoringAsciiCase(name, readName))
            action = ActionRenamed;
    } else {
        // Looked up as the job would store it, so a long name overwrites the point it becomes.
        name = CutToRecordText(readName);
        point = m_document->GetPointDatabase()->FindPoint(name, true);
        if (point != nullptr) {
            action = ActionReplaced;
            point->SetLocation(location, true);
            point->SetDescription(description.c_str());
        }
    }

    if (point == nullptr) {
        auto created = std::make_unique<CPointRecord>();
        created->SetName(name.c_str());
        created->SetLocation(location, true);
        created->SetDescription(description.c_str());
        if (!m_document->AddRecord(created.get()))
            return Result::Refused;
        point = created.release();
    }

    m_document->AppendInputPointLine(*point);

    if (m_report != nullptr)
        WriteReportRow(*point, action == ActionRenamed ? ReplaceFirst(ActionRenamed, readName) : std::string(action));
    ++m_count;
    return Result::Merged;
}

void CPointMerge::WriteReportRow(const CPointRecord& point, const std::string& action)
{
    if (m_report == nullptr)
        return;
    const CDataFileFormat& format = *m_document->GetDataFileFormat();
    const int32_t row = m_report->AddRow();
    const CLocation at = point.GetLocation();
    m_report->SetCell(0, row, format.FormatPointName(point.GetName(), false), false);
    m_report->SetCell(1, row, format.FormatCoordinate(at.y, false, false), false);
    m_report->SetCell(2, row, format.FormatCoordinate(at.x, false, false), false);
    m_report->SetCell(3, row, format.FormatElevation(at.z, false, false), false);
    m_report->SetCell(4, row, point.GetDescription(), false);
    m_report->SetCell(5, row, action, false);
}
