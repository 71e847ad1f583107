#pragma once

#include "exchange/PointBlockDefinition.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CDataFileDoc;
class CReport;

// What the File/Import commands do once their file dialog has been accepted; the window commands
// run the dialog, then call these. Each checks the file (a missing or empty file is refused with
// the command's message), imports into the job with a report, then shows the report (reportFlag)
// or "Imported %d points", and sends hint 0x13 when the job held no points before, else 3.
// showReport shows a report; without it the report is opened in the companion editor.
using ShowReportFunction = std::function<void(CReport& report)>;

struct AsciiImportChoice
{
    std::string path;
    std::vector<uint16_t> columns; // checked column types in line order
    std::string delimiter;         // "," "\t" or " "
    int32_t distanceUnit = 0;      // 0 metres, 1 international feet, 2 US survey feet
    int32_t pointNameOption = 0;   // 0 rename rules, 1 overwrite
    bool reportFlag = false;
};

struct DxfImportChoice
{
    std::string path;
    int32_t distanceUnit = 0;    // 0 metres, 1 international feet, 2 US survey feet
    int32_t pointNameOption = 0; // 0 rename rules, 1 overwrite
    bool reportFlag = false;
    bool importPointBlocks = true;
    // Without it the attributes of a point block are recognised by their tags.
    bool useCustomDefinition = false;
    CPointBlockDefinition definition;
};

// False when the file was refused or the import failed (the user has been told).
bool RunImportMorvelCoordinates(CDataFileDoc* document, const std::string& path, int32_t pointNameOption,
                                bool reportFlag, const ShowReportFunction& showReport);
bool RunImportAsciiCoordinates(CDataFileDoc* document, const AsciiImportChoice& choice,
                               const ShowReportFunction& showReport);
// The count shown is the number of points the drawing names (not the number that changed).
bool RunImportDxfCommand(CDataFileDoc* document, const DxfImportChoice& choice, const ShowReportFunction& showReport);

// The road the commands share, for importers of other formats: the file check with the command's
// message ("%s" stands for the path), the import, which gives the number of points to tell, then
// the report or "Imported %d points" and the hint.
using ImportStep = std::function<bool(CReport& report, int32_t& count)>;
bool RunImportRoad(CDataFileDoc* document, const std::string& path, const char* invalidMessage, bool reportFlag,
                   const ShowReportFunction& showReport, const ImportStep& import);

// The "Preview Renaming Report" button of the import dialogs: without a file chosen, "Choose a
// file first"; otherwise the file's names go through the job's rename rules and the preview
// report is shown. The job is not changed.
void PreviewJobFileRenaming(CDataFileDoc* document, const std::string& path, const ShowReportFunction& showReport);
void PreviewAsciiFileRenaming(CDataFileDoc* document, const std::string& path, const std::vector<uint16_t>& columns,
                              const std::string& delimiter, const ShowReportFunction& showReport);
// The LandXML and AutoCAD members of the preview: the file's names as the import would read
// them. The DXF preview refuses a missing, unreadable or binary file with its own message
// (CheckDxfFileForPreview) and a drawing it cannot read with "Unable to import this file.".
// descriptionOption and definition are those the import would use.
void PreviewLandXmlFileRenaming(CDataFileDoc* document, const std::string& path, int32_t descriptionOption,
                                const ShowReportFunction& showReport);
void PreviewDxfFileRenaming(CDataFileDoc* document, const std::string& path, bool importPointBlocks,
                            const CPointBlockDefinition& definition, const ShowReportFunction& showReport);
