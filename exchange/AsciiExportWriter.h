#pragma once

#include "exchange/AsciiColumnLayout.h"

#include <cstdint>
#include <string>

class CDataFileDoc;
class CPointRecord;

// The two operations of the ASCII export panel: a point's line and the file of the selected
// points. Fields follow the checked items of the layout in list order, joined by the delimiter;
// numbers are in the job's display units and decimals as the edit form writes them ('.' always,
// no digit grouping, an empty field for a missing value), so the import reads them back.
class CAsciiExportWriter
{
public:
    // document null means the active job.
    CAsciiExportWriter(CDataFileDoc* document, CAsciiColumnLayout layout, int32_t delimiterCode);

    // The line without its end; empty when no job is active.
    std::string FormatPointLine(const CPointRecord& point) const;
    // Writes the selected points in name order, each line ended by CR LF, replacing the file. On
    // success "Wrote %d points to %s" and true; a failure to create, write or finish the file
    // shows "Save failed, try again" and returns false, leaving an existing file as it was.
    bool WriteFile(const std::string& path);

    int32_t GetWrittenCount() const { return m_written; }

private:
    CDataFileDoc* Document() const;

    CDataFileDoc* m_document; // not owned
    CAsciiColumnLayout m_layout;
    int32_t m_delimiterCode;
    int32_t m_written = 0;
};
