#pragma once

#include "exchange/ImportCommands.h"

#include <cstdint>
#include <string>

class CDataFileDoc;

// The LandXML member of the File/Import commands, once its dialog was accepted: the parser check,
// the file check, the import with the chosen options, then the file's point-name count told or
// the report shown, and hint 19 or 3. False when refused or failed (the user has been told).
struct LandXmlImportChoice
{
    std::string path;
    int32_t pointNameOption = 0;  // 0 rename rules, 1 overwrite
    int32_t descriptionOption = 0; // which attribute becomes the description
    bool reportFlag = false;
};
bool RunImportLandXmlCoordinates(CDataFileDoc* document, const LandXmlImportChoice& choice,
                                 const ShowReportFunction& showReport);
