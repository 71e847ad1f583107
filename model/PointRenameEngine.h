#pragma once

#include "model/JobRawData.h"

#include <cstdint>
#include <string>
#include <vector>

class CDataFileDoc;
class CReport;

// The natural order of point names (ComparePointNames) for texts.
int CompareNamesNatural(const std::string& a, const std::string& b);

// Works out new names for a list of points by the user's rename rule ("Rename Rules" of the
// settings) and checks each against the job, without changing the job: the caller applies the
// map, or shows the preview report. The messages of refused names are collected and never
// cleared by the engine.
class CPointRenameEngine
{
public:
    // Bound to the active job.
    CPointRenameEngine();
    explicit CPointRenameEngine(CDataFileDoc* document) : m_document(document) {}
    virtual ~CPointRenameEngine() = default;

    void SetDocument(CDataFileDoc* document) { m_document = document; }

    // A listed name this accepts keeps its name; the engine accepts none.
    virtual bool IsNameAcceptable(const std::string& name, int32_t flag) { return false; }
    // Called once by ComputeRenames when only names in conflict are to be renamed and some are.
    virtual void OnConflictsFound() {}

    bool AddPointNames(const std::vector<std::string>& names);
    // The names of the points of the job's current selection.
    bool AddSelectedPoints();
    // The names of the lines the ASCII import reads (the point-line reader with these columns and
    // delimiters) that are valid point names for the job; false when the file cannot be read.
    bool CollectAsciiFilePointNames(const std::string& path, const std::vector<uint16_t>& roles,
                                    const std::string& delimiters);
    bool CollectJobFilePointNames(const std::string& path);

    // Sorts the names and maps each to its new name. False, with the reasons in the messages,
    // when the rule cannot give every name an acceptable new one.
    bool ComputeRenames();
    bool GetRenameMap(PointRenameMap& map) const;
    bool GetSortedNames(std::vector<std::string>& names);
    bool BuildPreviewReport(CReport& report);

    const std::vector<std::string>& GetNames() const { return m_names; }
    const std::vector<std::string>& GetMessages() const { return m_messages; }

private:
    bool ValidateNewName(const std::string& newName, const std::string& oldName);
    bool AnyNameInUse();
    bool HasPoint(const std::string& name) const;

    std::vector<std::string> m_names;
    PointRenameMap m_renames;
    std::vector<std::string> m_messages;
    CDataFileDoc* m_document = nullptr; // not owned
};
