#include "landxml/FSDataFileLoadXML.h"

#include "core/NoValue.h"
#include "landxml/LandXML.h"
#include "landxml/LandXMLText.h"
#include "landxml/elements/LandXMLCgPoint.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/JobRawData.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
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
        if (LoadDocument(document, fileName)) {
            // TODO(undo): record the whole-job step kUndoDescription before the first change,
            // and drop it again below when Load fails while it is still the current step.
            imported = Load(document, fileName);
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
        result = CollectPointNames(document, names);
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
    const std::string name = LookupRename(point.GetName());

    CPointRecord* record = m_job->GetPointDatabase()->FindPoint(name, true);
    std::unique_ptr<CPointRecord> created;
    if (record == nullptr) {
        created = std::make_unique<CPointRecord>();
        created->SetName(name.c_str());
        record = created.get();
    }

    double x = NoValue;
    double y = NoValue;
    double z = NoValue;
    point.GetCoordinates(x, y, z, 1.0);
    const double factor = ConvertDistance(1.0);
    x *= factor;
    y *= factor;
    if (z > NoValueLimit)
        z *= factor;
    record->SetCoordinates(x, y, z, true);

    if (m_descriptionMode == kDescriptionDesc)
        record->SetDescription(point.GetDesc().c_str());
    else if (m_descriptionMode == kDescriptionCode)
        record->SetDescription(point.GetCode().c_str());

    if (created != nullptr) {
        if (!m_job->AddRecord(created.get()))
            return false;
        created.release(); // the job owns it now
    }
    AppendInputPointLine(*record);
    if (m_makeReport && m_report != nullptr)
        AddReportRow(*record);
    return true;
}

void FSDataFileLoadXML::AppendInputPointLine(const CPointRecord& record)
{
    CJobRawData* raw = m_job->GetRawDataFile();
    if (raw == nullptr)
        return;
    std::string text;
    int32_t line = -1;
    if (!raw->AppendInputPoint(record, false, &text, &line))
        return;
    const std::string history =
        landxml::FormatText("Added '%s' to raw data at line #%d", {text, std::to_string(int64_t(line) + 1)});
    m_job->SetModifiedWithText(history.c_str(), true, true);
    m_job->SendHint(nullptr, HintRawLineAppended, 0);
}

void FSDataFileLoadXML::BeginReport(const std::string& fileName)
{
    m_reportRow = 0;
    // TODO(report): header line, title section and the six columns.
}

void FSDataFileLoadXML::AddReportRow(const CPointRecord& record)
{
    // TODO(report): one row per point.
}

bool FSDataFileLoadXML::RenamePoints(const std::vector<std::string>& names, std::map<std::string, std::string>& renameMap)
{
    // TODO(rename): the job's rename rule through the rename engine.
    ShowMessageBoxFS("Unable to rename the points using the selected rule.", MB_OK | MB_ICONERROR);
    return false;
}
