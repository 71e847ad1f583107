#include "exchange/ImportCommands.h"

#include "core/Report.h"
#include "exchange/CoordinateImport.h"
#include "exchange/FSDataFileDXF.h"
#include "exchange/ImportOptionsGroup.h"
#include "landxml/FSDataFileLoadXML.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/PointRenameEngine.h"
#include "model/RecordDatabase.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"

#include <functional>
#include <string>
#include <sys/stat.h>

namespace {

// A path that names no regular file, or an empty one, is refused before anything changes.
bool CheckFile(const std::string& path, const char* message)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        return true;
    std::string text(message);
    text.replace(text.find("%s"), 2, path);
    ShowMessageBoxFS(text, MB_OK | MB_ICONERROR);
    return false;
}

// Reports of the import commands go to the companion editor unless the caller shows them itself.
void ShowReport(CReport& report, const ShowReportFunction& showReport)
{
    if (showReport)
        showReport(report);
    else
        report.OpenInEditor();
}

// An import that found no point says why when it can tell (whyNone), in place of a report that
// would list nothing.
template <typename Import>
bool RunImport(CDataFileDoc* document, bool reportFlag, const ShowReportFunction& showReport, Import import,
               const std::function<std::string()>& whyNone = {})
{
    // Hint 19 tells the views a job without points got its first ones; other records don't count.
    const bool wasEmpty = document->GetRecordDatabase()->GetCount(1) == 0;
    CReport report;
    int32_t count = 0;
    if (!import(report, count))
        return false;
    const std::string why = count == 0 && whyNone ? whyNone() : std::string();
    if (!why.empty())
        ShowMessageBoxFS("Imported 0 points\n\n" + why, MB_OK | MB_ICONINFORMATION);
    else if (reportFlag)
        ShowReport(report, showReport);
    else
        ShowMessageBoxFS("Imported " + std::to_string(count) + " points", MB_OK | MB_ICONINFORMATION);
    document->SendHint(nullptr, wasEmpty ? HintPointsAddedInBulk : HintRefreshAll, 0);
    return true;
}

template <typename Collect>
void PreviewRenaming(CDataFileDoc* document, const std::string& path, const ShowReportFunction& showReport,
                     Collect collect)
{
    if (path.empty()) {
        ShowMessageBoxFS("Choose a file first", MB_OK);
        return;
    }
    CPointRenameEngine engine(document);
    collect(engine);
    engine.ComputeRenames();
    CReport report;
    engine.BuildPreviewReport(report);
    ShowReport(report, showReport);
}

} // namespace

bool RunImportMorvelCoordinates(CDataFileDoc* document, const std::string& path, int32_t pointNameOption,
                                bool reportFlag, const ShowReportFunction& showReport)
{
    if (document == nullptr || !CheckFile(path, "%s\n\n does not appear to be a valid Morvel file."))
        return false;
    return RunImport(document, reportFlag, showReport, [&](CReport& report, int32_t& count) {
        return ImportJobCoordinates(document, path, &report, pointNameOption == 0, &count);
    });
}

bool RunImportAsciiCoordinates(CDataFileDoc* document, const AsciiImportChoice& choice,
                               const ShowReportFunction& showReport)
{
    if (document == nullptr || !CheckFile(choice.path, "%s\n\n does not appear to be a valid ASCII file."))
        return false;
    return RunImport(
        document, choice.reportFlag, showReport,
        [&](CReport& report, int32_t& count) {
            return ImportAsciiCoordinates(document, choice.path, choice.columns, choice.delimiter,
                                          choice.distanceUnit, &report, choice.pointNameOption == 0, &count);
        },
        [&choice] { return WhyNoAsciiPoint(choice.path, choice.columns, choice.delimiter); });
}

bool RunImportDxfCommand(CDataFileDoc* document, const DxfImportChoice& choice, const ShowReportFunction& showReport)
{
    if (document == nullptr || !CheckFile(choice.path, FSDataFileDXF::kInvalidFile))
        return false;
    FSDataFileDXF filter;
    const auto import = [&](CReport& report, int32_t& count) {
        CBusyCursor wait;
        filter.SetImportOptions(choice.pointNameOption == 0, choice.reportFlag, &report);
        CPointBlockDefinition byTags;
        byTags.RemoveAll();
        filter.SetPointBlockDefinition(choice.importPointBlocks,
                                       choice.useCustomDefinition ? choice.definition : byTags);
        if (filter.ImportFile(choice.path, choice.distanceUnit, document) != 0)
            return false;
        count = int32_t(filter.GetCollectedCount());
        return true;
    };
    return RunImport(document, choice.reportFlag, showReport, import, [&filter] { return filter.WhyNoPoint(); });
}

bool RunImportRoad(CDataFileDoc* document, const std::string& path, const char* invalidMessage, bool reportFlag,
                   const ShowReportFunction& showReport, const ImportStep& import)
{
    if (document == nullptr || !CheckFile(path, invalidMessage))
        return false;
    return RunImport(document, reportFlag, showReport, import);
}

void PreviewJobFileRenaming(CDataFileDoc* document, const std::string& path, const ShowReportFunction& showReport)
{
    PreviewRenaming(document, path, showReport, [&path](CPointRenameEngine& e) { e.CollectJobFilePointNames(path); });
}

void PreviewAsciiFileRenaming(CDataFileDoc* document, const std::string& path, const std::vector<uint16_t>& columns,
                              const std::string& delimiter, const ShowReportFunction& showReport)
{
    PreviewRenaming(document, path, showReport,
                    [&](CPointRenameEngine& e) { e.CollectAsciiFilePointNames(path, columns, delimiter); });
}

void PreviewLandXmlFileRenaming(CDataFileDoc* document, const std::string& path, int32_t descriptionOption,
                                const ShowReportFunction& showReport)
{
    if (path.empty()) {
        ShowMessageBoxFS("Choose a file first", MB_OK);
        return;
    }
    FSDataFileLoadXML reader;
    reader.SetDescriptionMode(descriptionOption);
    std::vector<std::string> names;
    // The reader has told the user what was wrong with the file.
    if (!reader.ReadPointNames(document, path, names))
        return;
    PreviewRenaming(document, path, showReport, [&names](CPointRenameEngine& e) { e.AddPointNames(names); });
}

void PreviewDxfFileRenaming(CDataFileDoc* document, const std::string& path, bool importPointBlocks,
                            const CPointBlockDefinition& definition, const ShowReportFunction& showReport)
{
    if (const std::string refusal = CheckDxfFileForPreview(path); !refusal.empty()) {
        ShowMessageBoxFS(refusal, MB_OK);
        return;
    }
    FSDataFileDXF filter;
    filter.SetImportOptions(true, false, nullptr);
    filter.SetPointBlockDefinition(importPointBlocks, definition);
    std::vector<std::string> names;
    if (!filter.ReadPointNames(document, path, names)) {
        ShowMessageBoxFS("Unable to import this file.", MB_OK);
        return;
    }
    PreviewRenaming(document, path, showReport, [&names](CPointRenameEngine& e) { e.AddPointNames(names); });
}
