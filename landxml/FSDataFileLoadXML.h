#pragma once

#include "landxml/FSLoadXML.h"

#include <string>
#include <vector>

class CDataFileDoc;
class CPointRecord;

// The LandXML point import into a job: adds or overwrites a point record per named CgPoint,
// appends an input-point raw line for each, fills the import report, and records the whole
// import as one undo step. Also reads a file's point names for the renaming preview and the
// count of imported points.
class FSDataFileLoadXML : public FSLoadXML
{
public:
    FSDataFileLoadXML();
    ~FSDataFileLoadXML() override;

    // Imports the file into the job. False, after telling the user, when nothing was imported.
    bool ImportFile(const std::string& fileName, CDataFileDoc* job);
    // The file's point names in name order, read as the import reads the file (points only).
    bool ReadPointNames(CDataFileDoc* job, const std::string& fileName, std::vector<std::string>& names);

    double ConvertDistance(double value) override { return ConvertLengthToMetres(value); }
    std::string MakeUniqueName(const std::string& name) override;
    bool AddPoint(const CLandXMLCgPoint& point) override;
    void BeginReport(const std::string& fileName) override;
    bool RenamePoints(const std::vector<std::string>& names, std::map<std::string, std::string>& renameMap) override;
    bool IsValidPointName(const std::string& name) override;
    CDataFileSelOperator* GetSelectionOperator() override;

    // The text of the undo step an import records.
    static constexpr const char* kUndoDescription = "Import XML Coordinates";

private:
    // The document set up as the import reads it: units and CgPoints only.
    static void UseImportSwitches(CLandXML& document);
    // Loads the file, showing what went wrong; false when it cannot be used.
    bool LoadDocument(CLandXML& document, const std::string& fileName);
    // readName: the point's name in the file, before any renaming.
    void AddReportRow(const CPointRecord& record, const std::string& readName);

    int m_reportRow = 0;
    // Points added or overwritten by the import under way.
    int m_pointsWritten = 0;
    CDataFileDoc* m_job = nullptr;
};
