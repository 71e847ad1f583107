#include "exchange/FSDataFileDXF.h"

#include "core/DataFileFormat.h"
#include "core/NoValue.h"
#include "core/ProgramHelpers.h"
#include "core/Report.h"
#include "core/UnitConstants.h"
#include "exchange/FSDxfReader.h"
#include "exchange/PointMerge.h"
#include "exchange/dxf/DxfFile.h"
#include "model/DataFileDoc.h"
#include "model/MorvelSettingsHelpers.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/PointRenameEngine.h"
#include "platform/MessageBox.h"

#include <memory>
#include <sys/stat.h>

namespace {

constexpr int32_t kColumnSource = ReportHeadingLeft | ReportCellLeft;    // 17
constexpr int32_t kColumnNumber = ReportHeadingCentre | ReportCellRight; // 66
constexpr int32_t kColumnText = ReportHeadingCentre | ReportCellLeft;    // 18

std::string WithPath(const char* format, const std::string& path)
{
    std::string text(format);
    text.replace(text.find("%s"), 2, path);
    return text;
}

// Reads the drawing; false when the reader refused the file. Only a regular file is opened: a
// pipe or a device would never end.
bool ReadDrawing(const std::string& path, CDxfFile& drawing)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    CFSDxfReader reader;
    return reader.ReadFile(path, &drawing) == kDxfOk;
}

} // namespace

FSDataFileDXF::FSDataFileDXF() = default;
FSDataFileDXF::~FSDataFileDXF() = default;

double FSDataFileDXF::ConvertDistance(double value)
{
    // The no-value and anything below its limit stay exactly as read.
    if (value <= NoValueLimit)
        return value;
    switch (m_distanceUnit) {
    case 1: return value * InternationalFeetToMetres;
    case 2: return value * UsSurveyFeetToMetres;
    default: return value;
    }
}

std::string FSDataFileDXF::MakeUniqueName(const std::string& name)
{
    return m_target != nullptr ? m_target->MakeUniquePointName(name) : name;
}

bool FSDataFileDXF::IsValidPointName(const std::string& name)
{
    return m_target != nullptr && m_target->IsValidPointName(name.c_str());
}

int FSDataFileDXF::RenamePoints(const std::vector<std::string>& names, std::map<std::string, std::string>& renames)
{
    CPointRenameEngine engine(m_target);
    engine.AddPointNames(names);
    if (!engine.ComputeRenames()) {
        ShowMessageBoxFS("Unable to rename the points using the selected rule.", MB_OK);
        return kDxfReadFailed;
    }
    renames.clear();
    engine.GetRenameMap(renames);
    return 0;
}

void FSDataFileDXF::BeginReport(const std::string&)
{
    if (m_report == nullptr)
        return;
    m_report->AddHeaderLine("Imported Coordinates");
    m_report->AddColumn("", kColumnSource);
    m_report->SetCell(0, m_report->AddRow(), "Test output", false);
}

void FSDataFileDXF::BeginPointTable(const std::string& path)
{
    if (m_report == nullptr)
        return;
    m_report->AddRow();
    m_report->AddRow();
    m_report->SetCell(0, m_report->AddRow(), WithPath("Coordinates imported from:  %s", path), false);
    m_report->AddRow();
    m_report->NewSection();
    m_report->AddColumn("Point #", kColumnNumber);
    m_report->AddColumn(GetPlanYCaption().c_str(), kColumnNumber);
    m_report->AddColumn(GetPlanXCaption().c_str(), kColumnNumber);
    m_report->AddColumn(GetPlanZCaption().c_str(), kColumnNumber);
    m_report->AddColumn("Description", kColumnText);
    m_report->AddColumn("Action", kColumnText);
}

bool FSDataFileDXF::AddPoint(const std::string& name, const std::string& description, const CLocation& location,
                             int32_t, const std::string&, bool)
{
    CPointRecord* point = m_target->GetPointDatabase()->FindPoint(name, true);
    std::unique_ptr<CPointRecord> created;
    if (point == nullptr) {
        created = std::make_unique<CPointRecord>();
        created->SetName(name.c_str());
        point = created.get();
    }
    point->SetCoordinates(location.x, location.y, location.z, true);
    point->SetDescription(description.c_str());
    if (created != nullptr) {
        if (!m_target->AddRecord(created.get()))
            return false;
        created.release(); // the job owns it now
    }
    if (!m_noRawRecord)
        m_target->AppendInputPointLine(*point);

    if (m_makeReport && m_report != nullptr) {
        const CDataFileFormat& format = *m_target->GetDataFileFormat();
        const CLocation at = point->GetLocation();
        m_reportRow = m_report->AddRow();
        m_report->SetCell(0, m_reportRow, point->GetName(), false);
        m_report->SetCell(1, m_reportRow, format.FormatCoordinate(at.y, false, false), false);
        m_report->SetCell(2, m_reportRow, format.FormatCoordinate(at.x, false, false), false);
        m_report->SetCell(3, m_reportRow, format.FormatElevation(at.z, false, false), false);
        m_report->SetCell(4, m_reportRow, point->GetDescription(), false);
        // A point the rename rules named anew says so, as the other imports' reports do.
        const bool renamed = m_renamePoints && !m_readName.empty() && CompareTextNoCase(name, m_readName) != 0;
        m_report->SetCell(5, m_reportRow, renamed ? "Renamed (from " + m_readName + ")" : std::string("Imported"),
                          false);
    }
    RememberPoint(name);
    return true;
}

int FSDataFileDXF::ImportFile(const std::string& path, int32_t distanceUnit, CDataFileDoc* document)
{
    if (document == nullptr)
        return kDxfReadFailed;
    m_target = document;
    CDxfFile drawing;
    if (!ReadDrawing(path, drawing)) {
        m_target = nullptr;
        ShowMessageBoxFS(WithPath(kInvalidFile, path), MB_OK | MB_ICONERROR);
        return kDxfReadFailed;
    }
    m_distanceUnit = distanceUnit;

    CPointMerge undo(document, nullptr, false);
    if (document->GetViewCount() > 0 && !undo.BeginUndoStep(kUndoDescription)) {
        m_target = nullptr;
        ShowMessageBoxFS("Fail to import the DXF file.", MB_OK);
        return kDxfReadFailed;
    }
    const int result = Import(drawing, path);
    if (result != 0) {
        // The job goes back first, so the message describes a job that is as it was.
        undo.AbandonImport();
        if (!GetFailureText().empty())
            ShowMessageBoxFS(GetFailureText(), MB_OK);
    }
    m_target = nullptr;
    return result;
}

bool FSDataFileDXF::ReadPointNames(CDataFileDoc* document, const std::string& path, std::vector<std::string>& names)
{
    CDataFileDoc* previous = m_target;
    m_target = document;
    CDxfFile drawing;
    const bool read = ReadDrawing(path, drawing);
    names.clear();
    if (read) {
        CollectedMap scratch;
        CollectPointBlocks(drawing, names, scratch);
    }
    m_target = previous;
    return read;
}
