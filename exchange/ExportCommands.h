#pragma once

#include <string>

class CDataFileDoc;
class CPointBlockDefinition;

// What File/Export AutoCAD does once its target file was chosen: the job's selected points, in
// selection order and in the job's distance unit, go through a temporary file to the target.
// Text height and vertical spacing are in metres. Tells the user the outcome ("Wrote %d points
// to %s" or "Failed to export the DXF file."); false on failure, when the target was not
// touched (an existing one stays as it was).
bool RunExportDxfCommand(CDataFileDoc& document, const std::string& targetPath, bool exportPointBlocks,
                         const CPointBlockDefinition& definition, double textHeight, double verticalSpacing);
