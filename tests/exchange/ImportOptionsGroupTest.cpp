#include "ImportTestUtil.h"
#include "dxf/DxfTestUtil.h"

#include "core/MathConversions.h"
#include "core/Report.h"
#include "exchange/ImportCommands.h"
#include "exchange/ImportOptionsGroup.h"
#include "model/DataFileUndoManager.h"
#include "platform/Profile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

using namespace morvel::test;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

// Only the distance unit matters to the dialogs' values.
class UnitConversions : public CMathConversions
{
public:
    explicit UnitConversions(int classUnit) : m_unit(classUnit) {}
    int GetAngleUnits() const override { return AngleUnitDegrees; }
    int GetAzimuthFormat() const override { return AzimuthNorth; }
    int GetDistanceUnits() const override { return m_unit; }
    double SquareMetresToDisplay(double v) const override { return v; }
    double DisplayAreaToLargeArea(double v) const override { return v; }
    double LargeAreaToDisplayArea(double v) const override { return v; }
    std::string GetAreaUnitLabel() const override { return {}; }
    std::string GetLargeAreaUnitLabel() const override { return {}; }
    std::string GetDistanceUnitLabel() const override { return {}; }

private:
    int m_unit;
};

} // namespace

TEST(DxfImportOptions, DefinitionIsStoredEvenWhenNotUsed)
{
    ImportSettings settings;
    TempDir dir;
    CProfile profile(dir.file("Morvel.ini"));
    CDxfImportOptions options;
    options.Load(profile);
    EXPECT_TRUE(options.importPointBlocks);
    EXPECT_FALSE(options.useCustomDefinition);
    EXPECT_EQ(options.definition.ToText(), "N1D1E0");

    // What the dialog enables for each pair of boxes.
    struct Case
    {
        bool blocks, custom, switchOn, listOn;
    };
    for (const Case c : {Case{false, false, false, false}, Case{false, true, false, false},
                         Case{true, false, true, false}, Case{true, true, true, true}}) {
        SCOPED_TRACE(std::to_string(c.blocks) + std::to_string(c.custom));
        options.importPointBlocks = c.blocks;
        options.useCustomDefinition = c.custom;
        EXPECT_EQ(options.CustomSwitchEnabled(), c.switchOn);
        EXPECT_EQ(options.DefinitionListEnabled(), c.listOn);
    }

    options.importPointBlocks = false;
    options.useCustomDefinition = false;
    options.definition.FromText("E1N1");
    EXPECT_TRUE(options.EffectiveDefinition().IsEmpty());
    options.Save(profile);
    EXPECT_EQ(profile.GetProfileString("Import", "Point Block Definition"), "E1N1D0");
    EXPECT_EQ(profile.GetProfileInt("Import", "Import Data Blocks", -1), 0);
    EXPECT_EQ(profile.GetProfileInt("Import", "Use Customer Point Definition", -1), 0);

    CDxfImportOptions reread;
    reread.Load(profile);
    reread.useCustomDefinition = true;
    EXPECT_EQ(reread.EffectiveDefinition().ToText(), "E1N1D0");
}

TEST(DxfExportSettings, HeightsFollowTheJobUnitAndOnlyBlocksWriteThem)
{
    TempDir dir;
    CProfile profile(dir.file("Morvel.ini"));
    const UnitConversions feet(ClassUnitInternationalFeet);
    CDxfExportSettings settings;
    settings.Load(profile, &feet);
    EXPECT_FALSE(settings.exportPointBlocks);
    EXPECT_NEAR(settings.textHeight, 5 * 0.3048, 1e-12);
    EXPECT_NEAR(settings.verticalSpacing, 3 * 0.3048, 1e-12);

    // Off: only the switch is written, whatever the fields hold.
    settings.textHeight = -9.99e27;
    settings.SaveBeforePrompt(profile, &feet);
    EXPECT_EQ(profile.GetProfileString("Import", "Import Data Blocks", "?"), "0");
    for (const char* key : {"Point Block Definition", "Attribute Tag Ht", "Attribute Tag Vs"})
        EXPECT_EQ(profile.GetProfileString("Import", key, "absent"), "absent") << key;

    settings.Load(profile, &feet);
    settings.exportPointBlocks = true;
    settings.SaveBeforePrompt(profile, &feet);
    EXPECT_EQ(profile.GetProfileString("Import", "Attribute Tag Ht"), "5.000000");
    EXPECT_EQ(profile.GetProfileString("Import", "Attribute Tag Vs"), "3.000000");
    EXPECT_EQ(profile.GetProfileString("Import", "Point Block Definition"), "N1D1E0");

    // A stored height or spacing that is not a number falls back to its own default.
    profile.WriteProfileString("Import", "Attribute Tag Ht", "tall");
    profile.WriteProfileString("Import", "Attribute Tag Vs", "wide");
    settings.Load(profile, nullptr);
    EXPECT_DOUBLE_EQ(settings.textHeight, 5.0);
    EXPECT_DOUBLE_EQ(settings.verticalSpacing, 3.0);
    EXPECT_TRUE(settings.exportPointBlocks);
}

TEST(LandXmlOptions, DescriptionOptionAndUnitCode)
{
    TempDir dir;
    CProfile profile(dir.file("Morvel.ini"));
    EXPECT_EQ(LoadLandXmlDescriptionOption(profile), 1);
    SaveLandXmlDescriptionOption(profile, 0);
    EXPECT_EQ(LoadLandXmlDescriptionOption(profile), 0);
    EXPECT_EQ(LandXmlExportUnitCode(ClassUnitMetres), 0);
    EXPECT_EQ(LandXmlExportUnitCode(ClassUnitUsSurveyFeet), 1);
    EXPECT_EQ(LandXmlExportUnitCode(ClassUnitInternationalFeet), 2);
    EXPECT_EQ(LandXmlExportUnitCode(7), 0);
}

TEST(DxfFileChecks, AcceptanceAndPreviewRefuseWhatTheReaderCannotUse)
{
    TempDir dir;
    const std::string text = dir.file("points.dxf");
    WriteAllText(text, DxfEntities({{0, "POINT"}, {10, "1"}, {20, "2"}, {30, "3"}}));
    const std::string binary = dir.file("binary.dxf");
    WriteAllText(binary, std::string("AutoCAD Binary DXF\r\n\x1a", 21) + std::string(40, '\0'));
    const std::string fifo = dir.file("pipe.dxf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Case
    {
        const char* name;
        std::string path;
        const char* import;
        const char* preview;
    };
    const Case cases[] = {
        {"text", text, "", ""},
        {"binary", binary, BinaryDxfRefusal, "Binary DXF file cannot be processed."},
        {"none chosen", "", "Invalid DXF.", "Choose a file first"},
        {"missing", dir.file("gone.dxf"), "Invalid DXF.", "This file does not exist."},
        {"a folder", dir.path().string(), "Invalid DXF.", "This file does not exist."},
        // A pipe would block the window thread on open.
        {"a pipe", fifo, "Invalid DXF.", "The DXF file cannot be opened."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CheckDxfFileForImport(c.path), c.import);
        EXPECT_EQ(CheckDxfFileForPreview(c.path), c.preview);
    }
    const std::string locked = dir.file("locked.dxf");
    WriteAllText(locked, DxfEntities({{0, "POINT"}, {10, "1"}, {20, "2"}}));
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    RunUnprivileged(dir.path(), [&] {
        EXPECT_EQ(CheckDxfFileForImport(locked), "Invalid DXF.");
        EXPECT_EQ(CheckDxfFileForPreview(locked), "The DXF file cannot be opened.");
    });
}

TEST(ImportCommands, DxfAndLandXmlPreviewsChangeNothing)
{
    ImportSettings settings;
    TempDir dir;
    TestJobDoc job;
    job.AddPoint("1", 5, 5, 5);
    job.SetModifiedWithText("", false, false);
    CPointBlockDefinition byTags;
    byTags.RemoveAll();

    const std::string drawing = dir.file("points.dxf");
    WriteAllText(drawing, DxfEntities({{0, "POINT"}, {10, "1"}, {20, "2"}, {0, "POINT"}, {10, "3"}, {20, "4"}}));
    const std::string garbage = dir.file("garbage.dxf");
    WriteAllText(garbage, "0\r\nEOF\r\n");
    const std::string xml = SharedTestDataPath("derived_landxml_1_0_from_tops.xml");

    int shown = 0;
    const ShowReportFunction show = [&](CReport&) { ++shown; };
    {
        MessageLog messages;
        PreviewDxfFileRenaming(&job, garbage, false, byTags, show);
        PreviewDxfFileRenaming(&job, dir.file("gone.dxf"), false, byTags, show);
        PreviewLandXmlFileRenaming(&job, "", 1, show);
        EXPECT_THAT(messages.texts,
                    ElementsAre("Unable to import this file.", "This file does not exist.", "Choose a file first"));
        EXPECT_EQ(shown, 0);
    }
    MessageLog messages;
    PreviewDxfFileRenaming(&job, drawing, false, byTags, show);
    PreviewLandXmlFileRenaming(&job, xml, 1, show);
    EXPECT_THAT(messages.texts, IsEmpty());
    EXPECT_EQ(shown, 2);
    EXPECT_THAT(PointNames(job), ElementsAre("1"));
    EXPECT_EQ(job.GetUndoManager()->GetStepCount(), 0);
    EXPECT_FALSE(job.IsModified());
}
