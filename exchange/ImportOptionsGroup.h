#pragma once

#include "exchange/PointBlockDefinition.h"

#include <cstdint>
#include <string>

class CMathConversions;
class CProfile;

// The options every point import dialog shows under its file field: the point-name option
// ("Point Name Options": 0 use the rename rules, 1 overwrite) and the report flag (the settings'
// "Save Reports"). Read when a dialog is made, written when it accepts a file.
struct CImportOptionsGroup
{
    int32_t pointNameOption = 0;
    bool reportFlag = false;

    void Load(CProfile& profile);
    // Writes the option and sets the settings' report flag (the settings object persists it).
    void Save(CProfile& profile) const;
    // "Open Rules..." and "Preview Renaming Report" only make sense while renaming by the rules.
    bool RenameToolsEnabled() const { return pointNameOption == 0; }
};

// "Point Description Options" (default 1): 0 the LandXML "code" attribute carries the point
// description, 1 the "desc" attribute. The LandXML import and export share it.
int32_t LoadLandXmlDescriptionOption(CProfile& profile);
void SaveLandXmlDescriptionOption(CProfile& profile, int32_t option);
// The LandXML writer's unit code for the job's distance unit (class numbering): US survey foot 1,
// international foot 2, metres and anything else 0.
int LandXmlExportUnitCode(int classDistanceUnit);

// What the AutoCAD import dialog asks besides the shared group, with its profile keys.
struct CDxfImportOptions
{
    bool importPointBlocks = true;   // "Import Data Blocks", default 1 here
    bool useCustomDefinition = false; // "Use Customer Point Definition"
    CPointBlockDefinition definition; // "Point Block Definition"

    void Load(CProfile& profile);
    // The definition text is written even with the custom definition off, so the user's layout
    // survives switching it off and on again.
    void Save(CProfile& profile) const;

    // Which option controls are live: the custom switch only for point blocks, the list and its
    // hint only when both are on.
    bool CustomSwitchEnabled() const { return importPointBlocks; }
    bool DefinitionListEnabled() const { return importPointBlocks && useCustomDefinition; }
    // The definition the import uses: empty (attributes recognised by their tags) unless the
    // custom definition is on.
    CPointBlockDefinition EffectiveDefinition() const;
};

// The refusal of an accepted DXF file: "Invalid DXF." when it cannot be opened, the binary
// refusal below for a binary DXF; empty when it may be read.
std::string CheckDxfFileForImport(const std::string& path);
inline constexpr const char* BinaryDxfRefusal =
    "This is a binary DXF drawing, and binary drawings are not read.\n\n"
    "Save the drawing as ASCII DXF in the drawing program and import that file.";
// The preview's checks of the chosen file, in order: "Choose a file first", "This file does not
// exist.", "The DXF file cannot be opened.", "Binary DXF file cannot be processed."; empty when
// the names can be read.
std::string CheckDxfFileForPreview(const std::string& path);

// The AutoCAD export panel's values: heights held in metres, stored in the job's distance unit.
struct CDxfExportSettings
{
    bool exportPointBlocks = false; // "Import Data Blocks", default 0 here
    CPointBlockDefinition definition;
    double textHeight = 5.0;      // metres after Load
    double verticalSpacing = 3.0; // metres after Load

    // conversions: the job's; null reads and writes metres.
    void Load(CProfile& profile, const CMathConversions* conversions);
    // What Export writes before asking for the file: always the point-block switch; the
    // definition and the two heights ("%lf" text in the job's unit) only while it is on.
    void SaveBeforePrompt(CProfile& profile, const CMathConversions* conversions) const;
};
