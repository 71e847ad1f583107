#pragma once

#include "exchange/FSDXF.h"

#include <memory>
#include <string>
#include <vector>

class CDataFileDoc;
class CPointMerge;

// The DXF import into a job: adds each point (or overwrites the job's point of that name in
// place), appends an input-point raw line for it, fills the import report, and for a job with a
// view records the whole import as one undo step.
class FSDataFileDXF : public FSDXF
{
public:
    FSDataFileDXF();
    ~FSDataFileDXF() override;

    // Reads the drawing and imports its points: 0, or an error code (kDxfReadFailed) after the
    // user was told. A drawing that cannot be read leaves the job untouched; a failure part-way
    // puts a job with an undo step back as it was.
    int ImportFile(const std::string& path, int32_t distanceUnit, CDataFileDoc* document);
    // The names an import of the file would collect; false when the file cannot be read.
    bool ReadPointNames(CDataFileDoc* document, const std::string& path, std::vector<std::string>& names);

    static constexpr const char* kUndoDescription = "Import DXF Coordinates";
    static constexpr const char* kInvalidFile = "%s\n\n does not appear to be a valid AutoCAD (.DXF) file.";

protected:
    double ConvertDistance(double value) override;
    std::string MakeUniqueName(const std::string& name) override;
    bool AddPoint(const std::string& name, const std::string& description, const CLocation& location, int32_t color,
                  const std::string& layer, bool autoName) override;
    void BeginReport(const std::string& path) override;
    void BeginPointTable(const std::string& path) override;
    int RenamePoints(const std::vector<std::string>& names, std::map<std::string, std::string>& renames) override;
    bool IsValidPointName(const std::string& name) override;

private:
    CDataFileDoc* m_target = nullptr; // only while an import or a name reading runs
    int32_t m_reportRow = 0;
    bool m_noRawRecord = false;
};
