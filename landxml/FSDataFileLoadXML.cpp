#include "landxml/FSDataFileLoadXML.h"

#include "core/DataFileFormat.h"
#include "core/NoValue.h"
#include "core/ProgramHelpers.h"
#include "core/Report.h"
#include "model/MorvelSettingsHelpers.h"
#include "landxml/LandXML.h"
#include "landxml/LandXMLText.h"
#include "landxml/elements/LandXMLCgPoint.h"
#include "model/DataFileDoc.h"
#include "model/DataFileUndoManager.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/PointRenameEngine.h"
#include "platform/MessageBox.h"

#include <exception>
#include <memory>
#include <new>

namespace {

// What the user is told of a failure of the XML library itself.
std::string LibraryErrorText(const std::exception& e)
{
    if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr)
        return "There is not enough memory to read the LandXML file.";
    return e.what();
}

} // namespace

FSDataFileLoadXML::FSDataFileLoadXML() = default;
FSDataFileLoadXML::~FSDataFileLoadXML() = default;

void FSDataFileLoadXML::UseImportSwitches(CLandXML& document)
{
    document.SetReadCgPoints(true);
    document.SetReadGradeModels(false);
    document.SetReadAlignmentsAndParcels(false);
    document.SetReadSurfaces(false);
}

bool FSDataFileLoadXML::LoadDocument(CLandXML& document, const std::string& fileName)
{
    std::string message;
    try {
        if (document.LoadFile(fileName, message))
            return true;
        // An element said no without a message of its own: never show an empty box.
        ShowMessageBoxFS(message.empty() ? landxml::FormatText("The LandXML file is invalid:\n%s", {fileName}) : message,
                         MB_OK | MB_ICONERROR);
    } catch (const CLandXMLException& e) {
        ShowInvalidFile(e.GetMessage());
    } catch (const std::exception& e) {
        ShowMessageBoxFS(LibraryErrorText(e), MB_OK | MB_ICONERROR);
    }
    return false;
}

bool FSDataFileLoadXML::ImportFile(const std::string& fileName, CDataFileDoc* job)
{
    m_job = job;
    bool imported = false;
    if (m_job != nullptr) {
        CLandXML document;
        UseImportSwitches(document);
        // The points are held to the job's name rule while they are read, so that the check
        // before the import need not walk them again.
        document.SetNamedPointCheck([this](const std::string& name) { return IsValidPointName(name); });
        if (LoadDocument(document, fileName)) {
            // One step for the whole import, taken before the first change. A failed import that
            // changed nothing takes it back; one that stopped part-way keeps it, so that what it
            // did can still be undone and the job still counts as modified.
            CDataFileUndoManager* undo = m_job->GetUndoManager();
            if (undo != nullptr)
                undo->RecordCaptionedUndo(kUndoDescription);
            m_pointsWritten = 0;
            // The job's store, grid rows and raw data grow once for the whole file.
            m_job->ReserveForPoints(std::size_t(document.GetNamedCgPointCount()));
            imported = Load(document, fileName);
            if (!imported && m_pointsWritten == 0 && undo != nullptr
                && undo->GetUndoDescription() == kUndoDescription)
                undo->CancelLastStep();
        }
    }
    m_job = nullptr;
    return imported;
}

bool FSDataFileLoadXML::ReadPointNames(CDataFileDoc* job, const std::string& fileName, std::vector<std::string>& names)
{
    CDataFileDoc* previous = m_job;
    m_job = job;
    bool result = false;
    CLandXML document;
    // Read as the import reads the file, so that a file imported a moment ago is never called
    // invalid here because of elements the import passes over.
    UseImportSwitches(document);
    std::string message;
    try {
        document.LoadFile(fileName, message);
        if (document.GetUnits().IsBound())
            m_linearUnit = LinearUnitCode(document.GetUnits().GetLinearUnit());
        result = CollectPointNames(document, &names);
    } catch (const CLandXMLException& e) {
        ShowInvalidFile(e.GetMessage());
    } catch (const std::exception& e) {
        ShowMessageBoxFS(LibraryErrorText(e), MB_OK | MB_ICONERROR);
    }
    m_job = previous;
    return result;
}

std::string FSDataFileLoadXML::MakeUniqueName(const std::string& name)
{
    return m_job != nullptr ? m_job->MakeUniquePointName(name) : name;
}

bool FSDataFileLoadXML::IsValidPointName(const std::string& name)
{
    return m_job != nullptr && m_job->IsValidPointName(name.c_str());
}

CDataFileSelOperator* FSDataFileLoadXML::GetSelectionOperator()
{
    return m_job != nullptr ? m_job->GetSelOperator() : nullptr;
}

bool FSDataFileLoadXML::AddPoint(const CLandXMLCgPoint& point)
{
    if (!point.HasName())
        return true;
    const std::string& name = LookupRename(point.GetName());

    CPointRecord* record = m_job->GetPointDatabase()->FindPoint(name, true);
    std::unique_ptr<CPointRecord> created;
    double x = NoValue;
    double y = NoValue;
    double z = NoValue;
    point.GetCoordinates(x, y, z, 1.0);
    const double factor = ConvertDistance(1.0);
    x *= factor;
    y *= factor;
    if (z > NoValueLimit)
        z *= factor;
    const char* description = nullptr;
    if (m_descriptionMode == kDescriptionDesc)
        description = point.GetDescText();
    else if (m_descriptionMode == kDescriptionCode)
        description = point.GetCodeText();

    if (record == nullptr) {
        // A new point is made whole: it has no job yet to check its name against or to tell of
        // each change.
        created = std::make_unique<CPointRecord>(name.c_str(), description, CLocation(x, y, z), true);
        record = created.get();
    } else {
        record->SetCoordinates(x, y, z, true);
        if (description != nullptr)
            record->SetDescription(description);
    }

    if (created != nullptr) {
        if (!m_job->AddRecord(created.get()))
            return false;
        created.release(); // the job owns it now
    }
    ++m_pointsWritten;
    // The job's own input-point line: the raw line, its history entry and hint, as a merge logs it.
    m_job->AppendInputPointLine(*record);
    if (m_makeReport && m_report != nullptr)
        AddReportRow(*record, point.GetName());
    return true;
}

void FSDataFileLoadXML::BeginReport(const std::string& fileName)
{
    m_reportRow = 0;
    if (m_report == nullptr)
        return;
    m_report->AddHeaderLine("Import LandXML file");
    // The title section: the report's current one when it is still untouched.
    const CReportSection* current = m_report->GetCurrentSection();
    if (current == nullptr || !current->columns.empty() || !current->rows.empty())
        m_report->NewSection();
    m_report->AddColumn("", ReportHeadingLeft | ReportCellLeft);
    m_report->AddRow();
    m_reportRow = m_report->AddRow();
    m_report->SetCell(0, m_reportRow, landxml::FormatText("Import LandXML file %s", {fileName}), false);
    m_reportRow = m_report->AddRow();

    m_report->NewSection();
    m_report->AddColumn("Point #", ReportHeadingCentre | ReportCellRight);
    m_report->AddColumn(GetPlanYCaption().c_str(), ReportHeadingCentre | ReportCellRight);
    m_report->AddColumn(GetPlanXCaption().c_str(), ReportHeadingCentre | ReportCellRight);
    m_report->AddColumn(GetPlanZCaption().c_str(), ReportHeadingCentre | ReportCellRight);
    m_report->AddColumn("Description", ReportHeadingCentre | ReportCellLeft);
    m_report->AddColumn("Action", ReportHeadingCentre | ReportCellLeft);
}

void FSDataFileLoadXML::AddReportRow(const CPointRecord& record, const std::string& readName)
{
    const CDataFileFormat* format = m_job->GetDataFileFormat();
    m_reportRow = m_report->AddRow();
    m_report->SetCell(0, m_reportRow, record.GetName(), false);
    m_report->SetCell(1, m_reportRow, format->FormatCoordinate(record.GetNorthing(), false, false), false);
    m_report->SetCell(2, m_reportRow, format->FormatCoordinate(record.GetEasting(), false, false), false);
    m_report->SetCell(3, m_reportRow, format->FormatElevation(record.GetElevation(), false, false), false);
    m_report->SetCell(4, m_reportRow, record.GetDescription(), false);
    // A point the rename rules named anew says so, as the other imports' reports do.
    const bool renamed = m_renamePoints && CompareTextNoCase(record.GetName(), readName) != 0;
    m_report->SetCell(5, m_reportRow, renamed ? "Renamed (from " + readName + ")" : std::string("Imported"), false);
}

bool FSDataFileLoadXML::RenamePoints(const std::vector<std::string>& names, std::map<std::string, std::string>& renameMap)
{
    CPointRenameEngine engine(m_job);
    engine.AddPointNames(names);
    PointRenameMap map;
    if (!engine.ComputeRenames() || !engine.GetRenameMap(map)) {
        ShowMessageBoxFS("Unable to rename the points using the selected rule.", MB_OK | MB_ICONERROR);
        return false;
    }
    renameMap = std::move(map);
    return true;
}
