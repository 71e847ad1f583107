#include "shell/ImportRoads.h"

#include "core/FileHelpers.h"
#include "landxml/FSDataFileLoadXML.h"

#include <vector>

bool RunImportLandXmlCoordinates(CDataFileDoc* document, const LandXmlImportChoice& choice,
                                 const ShowReportFunction& showReport)
{
    if (!CheckXmlParserInstalled())
        return false;
    return RunImportRoad(document, choice.path, "%s\n\n does not appear to be a valid LandXML (.XML) file.",
                         choice.reportFlag, showReport, [&](CReport& report, int32_t& count) {
                             FSDataFileLoadXML filter;
                             filter.SetImportOptions(choice.pointNameOption == 0, choice.reportFlag, &report);
                             filter.SetDescriptionMode(choice.descriptionOption);
                             if (!filter.ImportFile(choice.path, document))
                                 return false;
                             // The file's names, also those the import passed over, as the command
                             // has always told them.
                             std::vector<std::string> names;
                             FSDataFileLoadXML counter;
                             counter.ReadPointNames(document, choice.path, names);
                             count = int32_t(names.size());
                             return true;
                         });
}
