#include "model/MorvelSettings.h"

#include "TestUtil.h"
#include "platform/AppFolders.h"
#include "core/NikonColumnCollection.h"
#include "core/Format.h"
#include "core/FormatPreferences.h"
#include "core/JobValueSource.h"
#include "core/LocaleText.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

using morvel::test::TempDir;
using morvel::test::WriteAllText;

namespace {

class RecordingShell : public CSettingsShell
{
public:
    std::vector<std::string> calls;
    bool fontsFail = false;
    std::vector<uint8_t> devNames, devMode;

    bool CreateFont(LogFont& font) override
    {
        calls.push_back("font " + font.faceName + " " + std::to_string(font.height));
        // A failing system has only the small fonts.
        return !fontsFail || font.height == -10 || font.height == -12;
    }
    void PrepareDxfColorMaps(int32_t mode) override { calls.push_back("maps " + std::to_string(mode)); }
    void SelectCadColorPalette() override { calls.push_back("cad"); }
    void CreateAppPalette() override { calls.push_back("palette"); }
    void OnPaletteChanged() override { calls.push_back("changed"); }
    intptr_t NotifyActiveDocument(void*, int32_t hint, intptr_t parameter) override
    {
        calls.push_back("hint " + std::to_string(hint) + " " + std::to_string(parameter));
        return 0;
    }
    void SetPrinterDevNames(const std::vector<uint8_t>& d) override { devNames = d; }
    void SetPrinterDevMode(const std::vector<uint8_t>& d) override { devMode = d; }
    bool GetPrinterDevNames(std::vector<uint8_t>& d) override
    {
        d = devNames;
        return !devNames.empty();
    }
    bool GetPrinterDevMode(std::vector<uint8_t>& d) override
    {
        d = devMode;
        return !devMode.empty();
    }
};

class MorvelSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override { SetSettingsShell(&shell); }
    void TearDown() override { SetSettingsShell(nullptr); }

    CMorvelSettings Loaded()
    {
        CMorvelSettings s(&profile);
        s.Load();
        s.LoadSnapSettings();
        return s;
    }

    TempDir dir;
    CProfile profile{dir.path() / "Morvel.ini"};
    RecordingShell shell;
};

} // namespace

TEST_F(MorvelSettingsTest, EmptyProfileGivesDefaults)
{
    const char* home = std::getenv("HOME");
    CMorvelSettings s = Loaded();
    EXPECT_EQ(s.GetBaudRate(), 9600);
    EXPECT_EQ(s.GetParity(), 0);
    EXPECT_EQ(s.GetComPort(), 1);
    EXPECT_EQ(s.GetModelIndex(), 5);
    EXPECT_EQ(s.GetModelName(), "DTM/NPL-500/501/502 Series");
    EXPECT_EQ(s.GetTransferFolder(), std::string(home ? home : "") + "/KVL_DAT/");
    EXPECT_EQ(s.GetXCaption(), "Easting");
    EXPECT_EQ(s.GetYCaption(), "Northing");
    EXPECT_EQ(s.GetZCaption(), "Elevation");
    EXPECT_TRUE(s.GetCoordOrder());
    EXPECT_EQ(s.GetJobAngle(), 0);
    for (int32_t v : {s.GetJobDistance(), s.GetJobNorthingEasting(), s.GetJobElevation(), s.GetJobSmallArea(),
                      s.GetJobLargeArea()})
        EXPECT_EQ(v, 3);
    EXPECT_EQ(s.GetSnapOrder(), (std::vector<uint16_t>{0, 1}));
    EXPECT_EQ(s.GetSnapOnOff(), (std::vector<uint16_t>{1, 0}));
    EXPECT_EQ(s.GetGridXOrigin(), 0.0);
    EXPECT_EQ(s.GetGridYOrigin(), 0.0);
    EXPECT_EQ(s.GetGridXSpacing(), 1.0);
    EXPECT_EQ(s.GetGridYSpacing(), 1.0);
    EXPECT_EQ(s.GetColorMode(), 2);
    EXPECT_EQ(s.GetEditorBackgroundColor(), 0xFFFFFFu);
    EXPECT_EQ(s.GetGraphicsBackgroundColor(), 253);
    EXPECT_EQ(s.GetConstructionColor(), 252);
    EXPECT_EQ(s.GetPrintMargins(), (ProfileRect{1400, 1440, 1440, 1440}));
    EXPECT_EQ(s.GetPickBoxSize(), 10);
    EXPECT_EQ(s.GetRenameDesignator(), "A");
    EXPECT_EQ(s.GetRenameNumericOffset(), 1000);
    EXPECT_EQ(s.GetRenameRule(), 2);
    EXPECT_EQ(s.GetReportTextFont().faceName, "Courier New");
    EXPECT_EQ(s.GetReportTextFont().height, -12);
    EXPECT_EQ(s.GetListviewFont().height, -14);
    EXPECT_TRUE(s.GetShowPointDesc());
    EXPECT_FALSE(s.GetShowPointElev());
    EXPECT_TRUE(s.GetEnableBackups());
    EXPECT_FALSE(s.GetUseArchitecturalUnits());
    EXPECT_EQ(shell.calls.front(), "maps 2");
    EXPECT_TRUE(shell.devNames.empty());
    // Loading writes nothing.
    EXPECT_FALSE(std::filesystem::exists(profile.GetPath()));
}

TEST_F(MorvelSettingsTest, ConstructorStateBeforeLoading)
{
    CMorvelSettings s(&profile);
    EXPECT_EQ(s.GetSnapModeNames(), (std::vector<std::string>{"Point", "Grid"}));
    EXPECT_EQ(s.GetColorMode(), 0);
    EXPECT_TRUE(s.GetIdentifyObjects());
    EXPECT_TRUE(s.GetCoordOrder());
    JobSettingsValues v;
    s.GetNewJobDefaultsBlock(v);
    EXPECT_EQ(v.scaleFactor, 1.0);
    EXPECT_EQ(v.coefficientWord, 1000);
    EXPECT_EQ(v.distanceUnit, 0);
}

TEST_F(MorvelSettingsTest, SaveThenLoadRoundTrips)
{
    CMorvelSettings a = Loaded();
    a.SetIdentifyObjects(false);
    a.SetShowPointIdLabels(false);
    a.SetAutoLoadMru(true);
    a.SetShowPointElev(true);
    a.SetShowScratchLines(false);
    a.SetSaveReports(false);
    a.SetPickBoxSize(7);
    a.SetReportTitleFont({"DejaVu Sans", -20});
    a.SetPrintMargins({10, -20, 30, 40});
    a.SetTransferSettings({10, 2, 38400, 3, "/dev/serial/by-id/usb-FTDI_A1-if00-port0"});
    a.SetEnableBackups(false);
    JobSettingsValues v;
    v.distanceUnit = 2;
    v.angleUnit = 1;
    v.azimuth = 1;
    v.directionType = 1;
    v.useScaleFactor = 1;
    v.curvatureRefraction = 1;
    v.coefficientChoice = 1;
    v.seaLevel = 1;
    v.scaleFactor = 0.99960000000000004;
    a.SetNewJobDefaultsBlock(v);
    a.SetTransferFolder("/srv/fält data=1/");
    a.SetXCaption("X Ost");
    a.SetYCaption("Nord");
    a.SetZCaption("Höhe");
    a.SetCoordOrder(false);
    a.SetRenameDesignator("");
    a.SetRenameStartNumber(-5);
    a.SetRenameRule(0);
    a.SetCompareLayer(true);
    a.SetJobAngle(2);
    a.SetJobDistance(4);
    a.SetJobLargeArea(1);
    a.SetDirectionUnits(1);
    a.SetUseArchitecturalUnits(true);
    shell.devNames = {8, 0, 9, 0, 10, 0, 0, 0, 'a', 0, 'b', 0, 0};
    shell.devMode = {1, 2, 3};
    a.Save();

    shell.devNames.clear();
    shell.devMode.clear();
    CMorvelSettings b = Loaded();
    EXPECT_FALSE(b.GetIdentifyObjects());
    EXPECT_FALSE(b.GetShowPointIdLabels());
    EXPECT_TRUE(b.GetAutoLoadMru());
    EXPECT_TRUE(b.GetShowPointElev());
    EXPECT_FALSE(b.GetShowScratchLines());
    EXPECT_FALSE(b.GetSaveReports());
    EXPECT_EQ(b.GetPickBoxSize(), 7);
    EXPECT_EQ(b.GetReportTitleFont().faceName, "DejaVu Sans");
    EXPECT_EQ(b.GetReportTitleFont().height, -20);
    EXPECT_EQ(b.GetPrintMargins(), (ProfileRect{10, -20, 30, 40}));
    EXPECT_EQ(b.GetModelIndex(), 10);
    EXPECT_EQ(b.GetParity(), 2);
    EXPECT_EQ(b.GetBaudRate(), 38400);
    EXPECT_EQ(b.GetComPort(), 3);
    EXPECT_EQ(b.GetComDevice(), "/dev/serial/by-id/usb-FTDI_A1-if00-port0");
    EXPECT_FALSE(b.GetEnableBackups());
    JobSettingsValues w;
    b.GetNewJobDefaultsBlock(w);
    EXPECT_EQ(w, v);
    EXPECT_EQ(b.GetTransferFolder(), "/srv/fält data=1/");
    EXPECT_EQ(b.GetXCaption(), "X Ost");
    EXPECT_EQ(b.GetZCaption(), "Höhe");
    EXPECT_FALSE(b.GetCoordOrder());
    EXPECT_EQ(b.GetRenameDesignator(), "");
    EXPECT_EQ(b.GetRenameStartNumber(), -5);
    EXPECT_EQ(b.GetRenameRule(), 0);
    EXPECT_TRUE(b.GetCompareLayer());
    EXPECT_EQ(b.GetJobAngle(), 2);
    EXPECT_EQ(b.GetJobDistance(), 4);
    EXPECT_EQ(b.GetJobLargeArea(), 1);
    EXPECT_EQ(b.GetDirectionUnits(), 1);
    EXPECT_TRUE(b.GetUseArchitecturalUnits());
    EXPECT_EQ(shell.devNames, (std::vector<uint8_t>{8, 0, 9, 0, 10, 0, 0, 0, 'a', 0, 'b', 0, 0}));
    EXPECT_EQ(shell.devMode, (std::vector<uint8_t>{1, 2, 3}));

    // The colour, snap and new-job-default sections belong to the preference pages.
    for (const char* key : {"Cursor", "Selection"})
        EXPECT_EQ(profile.GetProfileString("Colors", key, "absent"), "absent");
    EXPECT_EQ(profile.GetProfileString("SNAP", "Order0", "absent"), "absent");
    EXPECT_EQ(profile.GetProfileString("Transfer", "Coord Order", "absent"), "absent");
}

TEST_F(MorvelSettingsTest, StoredValuesThatNeedCare)
{
    WriteAllText(profile.GetPath().string(), "[Transfer]\nDosDir=/data/jobs\n[format]\nPlanX=\nPlanY=N\n"
                                             "[SNAP]\nGrid X Spacing=2.5m\nGrid Y Spacing=abc\nGrid X Origin=inf\nOrder1=3\n"
                                             "[Morvel]\nScaleFactor=1,5\n[Print Settings]\nMargins=(1, 2, 3)\n");
    CMorvelSettings s = Loaded();
    EXPECT_EQ(s.GetTransferFolder(), "/data/jobs/");
    EXPECT_EQ(s.GetXCaption(), "Easting");
    EXPECT_EQ(s.GetYCaption(), "N");
    EXPECT_EQ(s.GetGridXSpacing(), 2.5);
    EXPECT_EQ(s.GetGridYSpacing(), 0.0);
    EXPECT_EQ(s.GetGridXOrigin(), 0.0);
    EXPECT_EQ(s.GetSnapOrder(), (std::vector<uint16_t>{0, 3}));
    JobSettingsValues v;
    s.GetNewJobDefaultsBlock(v);
    EXPECT_EQ(v.scaleFactor, 1.0);
    EXPECT_EQ(s.GetPrintMargins(), (ProfileRect{1400, 1440, 1440, 1440}));
}

TEST_F(MorvelSettingsTest, EmptyTransferFolderStaysEmpty)
{
    ASSERT_TRUE(profile.WriteProfileString("Transfer", "DosDir", ""));
    CMorvelSettings s = Loaded();
    EXPECT_EQ(s.GetTransferFolder(), "");
    s.Save();
    EXPECT_EQ(profile.GetProfileString("Transfer", "DosDir", "absent"), "");
}

TEST_F(MorvelSettingsTest, LoadingWithoutAShellStillRemovesTheWorkingColorMaps)
{
    TempDir maps;
    SetProgramDataFolderOverride(maps.path().string());
    WriteAllText(maps.file("DxfIPCO.MAP"), "stale");
    WriteAllText(maps.file("DxfOPCO.MAP"), "stale");
    SetSettingsShell(nullptr);
    CMorvelSettings s(&profile);
    s.Load();
    SetProgramDataFolderOverride("");
    EXPECT_EQ(s.GetColorMode(), 2);
    EXPECT_FALSE(std::filesystem::exists(maps.file("DxfIPCO.MAP")));
    EXPECT_FALSE(std::filesystem::exists(maps.file("DxfOPCO.MAP")));
}

TEST_F(MorvelSettingsTest, FontThatCannotBeCreatedFallsBack)
{
    shell.fontsFail = true;
    ASSERT_TRUE(profile.WriteProfileString("Display", "Report Text Font Name", "Nothing"));
    ASSERT_TRUE(profile.WriteProfileInt("Display", "Report Text Font Size", -30));
    CMorvelSettings s = Loaded();
    EXPECT_EQ(s.GetListviewFont().faceName, "Arial");
    EXPECT_EQ(s.GetListviewFont().height, -10); // the list-view fallback differs from its default
    EXPECT_EQ(s.GetReportTextFont().faceName, "Courier New");
    EXPECT_EQ(s.GetReportTextFont().height, -12);
    EXPECT_EQ(s.GetReportTextFont().weight, 400);
}

TEST(MorvelSettingsModels, NamesAndFamilies)
{
    EXPECT_EQ(CMorvelSettings::GetModelNameByIndex(0), "DTM-300");
    EXPECT_EQ(CMorvelSettings::GetModelNameByIndex(10), "Zentra 4");
    EXPECT_EQ(CMorvelSettings::GetModelNameByIndex(11), "Unknown");
    EXPECT_EQ(CMorvelSettings::GetModelNameByIndex(-1), "Unknown");
    for (int32_t i = -1; i <= 11; ++i)
        EXPECT_EQ(CMorvelSettings::IsModelGroup014(i), i == 0 || i == 1 || i == 4) << i;

    CMorvelSettings s;
    s.SetModelIndex(9);
    EXPECT_TRUE(s.IsNikonModelSelected());
    EXPECT_FALSE(s.IsZentraModelSelected());
    s.SetModelIndex(10);
    EXPECT_FALSE(s.IsNikonModelSelected());
    EXPECT_TRUE(s.IsZentraModelSelected());
    s.SetModelIndex(-3);
    EXPECT_FALSE(s.IsNikonModelSelected());
    EXPECT_EQ(s.GetModelName(), "Unknown");
}

TEST(MorvelSettingsModels, TransferSummary)
{
    CMorvelSettings s;
    s.SetTransferSettings({4, 1, 4800, 2});
    std::vector<std::string> lines{"kept"};
    s.FormatTransferSettings(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"kept", "TS Type:\tDTM-400 Series\n", "Transfer Using:\tSerial Port\n",
                                               "------------\t------------", "Com Port:\t2\n", "Baud Rate:\t4800\n",
                                               "Parity:\tOdd\n"}));
    s.SetTransferSettings({4, 3, 4800, 2});
    lines.clear();
    s.FormatTransferSettings(lines);
    EXPECT_EQ(lines.back(), "");
    s.SetTransferSettings({4, 2, 4800, 2});
    lines.clear();
    s.FormatTransferSettings(lines);
    EXPECT_EQ(lines.back(), "Parity:\tEven\n");
    EXPECT_EQ(CMorvelSettings::GetTransferSettingsLineCount(), 9);
}

TEST_F(MorvelSettingsTest, NewJobDefaultsFromEmptyProfile)
{
    CMorvelSettings s(&profile);
    JobSettingsValues v;
    InitJobSettingsValues(v);
    v.coefficientWord = 77;
    CNikonColumnCollection columns;
    s.GetNewJobDefaultsAndCoordOrder(v, columns);
    EXPECT_EQ(v.distanceUnit, 1);
    EXPECT_EQ(v.angleUnit, 0);
    EXPECT_EQ(v.azimuth, 0);
    EXPECT_EQ(v.useScaleFactor, 0);
    EXPECT_EQ(v.scaleFactor, 1.0);
    EXPECT_EQ(v.directionType, 1);
    EXPECT_EQ(v.coefficientWord, 77);
    EXPECT_EQ(columns.ToString(), "P1N1E1Z1C1");
}

TEST_F(MorvelSettingsTest, NewJobDefaultsFromStoredKeys)
{
    WriteAllText(profile.GetPath().string(), "[Transfer]\nDef Dist=2\nDef Angle=1\nDef Settings=63\nDef SF=0.9996\n"
                                             "Def Offset=5\nCoord Order=N1E1P0\n");
    CMorvelSettings s(&profile);
    JobSettingsValues v;
    CNikonColumnCollection columns;
    s.GetNewJobDefaultsAndCoordOrder(v, columns);
    EXPECT_EQ(v.distanceUnit, 2);
    EXPECT_EQ(v.angleUnit, 1);
    EXPECT_EQ(v.azimuth, 1);
    EXPECT_EQ(v.useScaleFactor, 1);
    EXPECT_EQ(v.curvatureRefraction, 1);
    EXPECT_EQ(v.coefficientChoice, 1);
    EXPECT_EQ(v.seaLevel, 1);
    EXPECT_EQ(v.directionType, 0);
    EXPECT_EQ(v.scaleFactor, 0.9996);
    EXPECT_EQ(v.coefficientWord, 1000);
    EXPECT_EQ(columns.ToString(), "N1E1P0Z0C0");

    // Units out of range leave the caller's values.
    WriteAllText(profile.GetPath().string(), "[Transfer]\nDef Dist=3\nDef Angle=2\n");
    JobSettingsValues kept;
    kept.distanceUnit = 2;
    kept.angleUnit = 1;
    s.GetNewJobDefaults(kept);
    EXPECT_EQ(kept.distanceUnit, 2);
    EXPECT_EQ(kept.angleUnit, 1);

    // Any stored column text gives a whole layout: odd characters and repeats are skipped, the
    // missing kinds added disabled, and an empty text is the default.
    const std::pair<const char*, const char*> stored[] = {
        {"P1N", "P1N0E0Z0C0"}, {"X1", "P0N0E0Z0C0"}, {"P1P0", "P1N0E0Z0C0"}, {"", "P1N1E1Z1C1"}, {"P1N+", "P1N0E0Z0C0"}};
    for (const auto& [text, layout] : stored) {
        ASSERT_TRUE(profile.WriteProfileString("Transfer", "Coord Order", text));
        s.GetNewJobDefaultsAndCoordOrder(kept, columns);
        EXPECT_EQ(columns.ToString(), layout) << text;
    }
}

TEST_F(MorvelSettingsTest, SwitchColorModeRepaintsOnlyWhenAsked)
{
    CMorvelSettings s(&profile);
    EXPECT_TRUE(s.SwitchColorMode(0, false));
    EXPECT_EQ(s.GetColorMode(), 2);
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"cad"}));
    shell.calls.clear();
    EXPECT_TRUE(s.SwitchColorMode(0, true));
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"cad", "palette", "changed", "hint 3 1"}));
}

TEST(MorvelSettingsAccess, InstalledObjectIsTheOneReturned)
{
    CMorvelSettings mine;
    CMorvelSettings& fallback = GetMorvelSettings();
    SetMorvelSettings(&mine);
    EXPECT_EQ(&GetMorvelSettings(), &mine);
    SetMorvelSettings(nullptr);
    EXPECT_EQ(&GetMorvelSettings(), &fallback);
}

TEST_F(MorvelSettingsTest, SideshotAndConflictColoursSavedUnderDisplayReadFromColors)
{
    CMorvelSettings a = Loaded();
    a.SetRawDataSideshotsColor(7);
    a.SetRawDataConflictsColor(9);
    a.SetCursorColor(11); // read from the profile, never written
    a.Save();
    EXPECT_EQ(profile.GetProfileInt("Display", "RawDataSideshots Color", -1), 7);
    EXPECT_EQ(profile.GetProfileInt("Display", "RawDataConflicts Color", -1), 9);
    EXPECT_EQ(profile.GetProfileInt("Colors", "Cursor", -1), -1);

    // What was saved does not come back; the "Colors" keys do.
    CMorvelSettings b = Loaded();
    EXPECT_EQ(b.GetRawDataSideshotsColor(), 0);
    EXPECT_EQ(b.GetRawDataConflictsColor(), 1);
    profile.WriteProfileInt("Colors", "RawDataSideshots", 4);
    profile.WriteProfileInt("Colors", "RawDataConflicts", 5);
    b.LoadColorSettings();
    EXPECT_EQ(b.GetRawDataSideshotsColor(), 4);
    EXPECT_EQ(b.GetRawDataConflictsColor(), 5);
}

TEST(FormatPreferences, ReadFromTheApplicationSettingsAtEveryCall)
{
    CLocaleTextOverride locale(".", ",");
    CMorvelSettings settings;
    SetMorvelSettings(&settings);
    SetActiveJobValueSource(nullptr);
    settings.SetJobDistance(1);
    EXPECT_EQ(GetActiveJobFormat()->FormatDistance(2.26, false, false), "2.3");
    settings.SetJobDistance(4);
    settings.SetJobStationFormat(1);
    EXPECT_EQ(GetActiveJobFormat()->FormatStation(1234.5, false), "1+234.5000");
    SetMorvelSettings(nullptr);
    // Without a settings object the formatters use a fresh profile's precisions.
    EXPECT_EQ(GetFormatPreferences().iJobDistance, 3);
}
