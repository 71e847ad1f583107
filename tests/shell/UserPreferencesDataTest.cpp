#include "shell/UserPreferencesData.h"

#include "TestUtil.h"
#include "model/HintCodes.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <filesystem>

using morvel::test::ReadAllText;
using morvel::test::TempDir;
using morvel::test::WriteAllText;

namespace {

// Records what the save asks of the application.
class RecordingHost : public CPreferencesHost
{
public:
    bool HasActiveJob() override { return jobOpen; }
    void Notify(int32_t code) override { events.push_back("notify " + std::to_string(code)); }
    void SendHint(int32_t code) override { events.push_back("hint " + std::to_string(code)); }
    bool GetDefaultJobFolder(std::string& folder) override
    {
        folder = jobFolder;
        return true;
    }
    void SetDefaultJobFolder(const std::string& folder) override
    {
        events.push_back("job folder " + folder);
        jobFolder = folder;
    }
    bool GetDefaultBackupFolder(std::string& folder) override
    {
        folder = backupFolder;
        return true;
    }
    void SetDefaultBackupFolder(const std::string& folder) override
    {
        events.push_back("backup folder " + folder);
        backupFolder = folder;
    }
    void ReloadToolCursor() override { events.push_back("cursor"); }

    bool jobOpen = true;
    std::string jobFolder = "/jobs/", backupFolder = "/backups/";
    std::vector<std::string> events;
};

class UserPreferencesDataTest : public ::testing::Test
{
protected:
    // A profile with the given text, the settings loaded from it, and the preferences loaded.
    void Open(const std::string& text = {})
    {
        if (!text.empty())
            WriteAllText(path, text);
        profile = std::make_unique<CProfile>(path);
        settings = std::make_unique<CMorvelSettings>(profile.get());
        settings->Load();
        settings->LoadSnapSettings();
        data = std::make_unique<CUserPreferencesData>(*settings, *profile, host);
        data->Load();
    }
    bool Has(const std::string& event) const
    {
        return std::find(host.events.begin(), host.events.end(), event) != host.events.end();
    }

    TempDir dir;
    std::string path = dir.file("Morvel.ini");
    RecordingHost host;
    std::unique_ptr<CProfile> profile;
    std::unique_ptr<CMorvelSettings> settings;
    std::unique_ptr<CUserPreferencesData> data;
};

TEST_F(UserPreferencesDataTest, ColorsDefaultsAndRulesInOrder)
{
    std::array<int32_t, 8> colors{};
    SetDefaultColors(colors);
    EXPECT_EQ(colors, (std::array<int32_t, 8>{2, 253, 1, 5, 0, 1, 0, 252}));
    EXPECT_FALSE(CheckColorRules(colors));

    struct Case
    {
        const char* name;
        std::array<int32_t, 8> colors;
        int button; // -1: accepted
    };
    const Case cases[] = {
        {"cursor on background", {7, 7, 7, 7, 0, 0, 0, 0}, ColorCursor},
        {"same modulo the palette", {2 + 64, 2, 1, 5, 0, 1, 0, 252}, ColorCursor},
        {"selection on background", {2, 9, 9, 5, 0, 1, 0, 252}, ColorSelection},
        {"points on background", {2, 9, 1, 9, 0, 1, 0, 252}, ColorDefaultObject},
        {"only the first three rules count", {2, 9, 1, 5, 9, 9, 9, 9}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto failure = CheckColorRules(c.colors);
        if (c.button < 0) {
            EXPECT_FALSE(failure);
            continue;
        }
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->button, c.button);
    }
    EXPECT_STREQ(CheckColorRules({2, 2, 0, 0, 0, 0, 0, 0})->message,
                 "The graphics cursor cannot be the same color as the graphics background.");
}

TEST_F(UserPreferencesDataTest, CaptionsAndCursorBands)
{
    LogFont font;
    font.faceName = "Arial";
    font.height = -13;
    EXPECT_EQ(FontCaption(font, 96), "10.Arial");
    font.height = 16;
    EXPECT_EQ(FontCaption(font, 96), "12.Arial");
    // The Windows sans faces show as the desktop's; a face the user chose stays.
    EXPECT_EQ(ShownFaceName("MS Sans Serif", "DejaVu Sans"), "DejaVu Sans");
    EXPECT_EQ(ShownFaceName("Arial", "DejaVu Sans"), "DejaVu Sans");
    EXPECT_EQ(ShownFaceName("Courier New", "DejaVu Sans"), "Courier New");
    EXPECT_EQ(ShownFaceName("Arial", ""), "Arial");

    // Slider position, the size it gives and the cursor of that size.
    struct Band
    {
        int position, size, cursor;
    };
    for (const Band& b : {Band{3, 6, 1884}, Band{4, 8, 1885}, Band{9, 18, 1890}, Band{10, 20, 1891}}) {
        SCOPED_TRACE(b.position);
        EXPECT_EQ(PickBoxSliderPosition(b.size), b.position);
        EXPECT_EQ(PickBoxCursorId(b.size), b.cursor);
    }
    EXPECT_EQ(PickBoxCursorId(2), 1884);
    EXPECT_EQ(PickBoxCursorId(21), 0);
    EXPECT_EQ(PickBoxSliderPosition(2), 3); // the constructor's size still gives a valid slider
    EXPECT_EQ(PickBoxSliderPosition(400), 10);

    LogFont other = font;
    EXPECT_TRUE(SameLogFont(font, other));
    other.faceName = "arial";
    EXPECT_FALSE(SameLogFont(font, other));
    other = font;
    other.italic = true;
    EXPECT_FALSE(SameLogFont(font, other));
}

TEST_F(UserPreferencesDataTest, OutOfRangeProfileValuesLoadTheKeysDefault)
{
    Open("[Colors]\nCursor=300\nGraphics Background=-1\nSelection=255\nVideoPallette=9\n"
         "[Transfer]\nNikonFile_Version=42\nPort3=256\nBaud3=1234\nParity3=5\nDef Dist=7\nDef Angle=-3\n"
         "[Settings]\niJobDistance=9\niJobAngle=6\niDirectionUnits=2\niJobStationFormat=3\n"
         "[Rename Rules]\nRule=7\nNext Round=4\nDesignator Location=2\nOption=-1\n");
    EXPECT_EQ(data->colors.colors[0], 2);
    EXPECT_EQ(data->colors.colors[1], 253);
    EXPECT_EQ(data->colors.colors[2], 255);
    EXPECT_EQ(data->colors.paletteWord, 2);

    const TransferPageValues& t = data->transfer;
    EXPECT_EQ(t.modelIndex, 0);
    EXPECT_TRUE(t.nikonFamily);
    EXPECT_EQ(t.comPort, 1);
    EXPECT_EQ(t.baudRate, 9600);
    EXPECT_EQ(t.parity, 0);
    EXPECT_EQ(t.distanceUnit, 1);
    EXPECT_EQ(t.angleUnit, 0);

    EXPECT_EQ(data->format.distanceDecimals, 3);
    EXPECT_EQ(data->format.anglePrecision, 0);
    EXPECT_EQ(data->format.directionDisplay, 0);
    EXPECT_EQ(data->format.stationFormat, 0);

    EXPECT_EQ(data->rename.rule, 2);
    EXPECT_EQ(data->rename.nextRound, 0);
    EXPECT_EQ(data->rename.designatorLocation, 0);
    EXPECT_EQ(data->rename.option, 0);
}

TEST_F(UserPreferencesDataTest, SnapArraysOfUnequalLengthPairUp)
{
    Open();
    settings->GetSnapOrder() = {1, 0, 5};
    settings->GetSnapOnOff() = {1};
    data->LoadSnapPage();
    EXPECT_EQ(data->snap.order, std::vector<uint16_t>{1});
    EXPECT_EQ(data->snap.onOff, std::vector<uint16_t>{1});
    data->SaveSnapPage();
    EXPECT_EQ(profile->GetProfileInt("SNAP", "Order0", -1), 1);
    EXPECT_EQ(profile->GetProfileInt("SNAP", "Order1", -1), -1);
}

TEST_F(UserPreferencesDataTest, FineGridSpacingSurvivesSaveAndLoad)
{
    Open("[SNAP]\nGrid X Spacing=0.000000\nGrid Y Spacing=2.500000\n"); // the old "%lf" texts still read
    EXPECT_EQ(data->snap.gridXSpacing, 0.0);
    EXPECT_EQ(data->snap.gridYSpacing, 2.5);
    data->snap.gridXSpacing = 1e-7;
    data->snap.gridXOrigin = 123456.789012345;
    data->SaveToSettings();
    EXPECT_EQ(settings->GetGridXSpacing(), 1e-7);

    CProfile again(path);
    CMorvelSettings reread(&again);
    reread.LoadSnapSettings();
    EXPECT_EQ(reread.GetGridXSpacing(), 1e-7);
    EXPECT_EQ(reread.GetGridXOrigin(), 123456.789012345);
    EXPECT_EQ(reread.GetGridYSpacing(), 2.5);
}

TEST_F(UserPreferencesDataTest, UnchangedTransferSaveWritesOnlyShowSettings)
{
    Open("[Transfer]\nDef SF=0.9996\n");
    const std::string before = ReadAllText(path);
    EXPECT_FALSE(data->SaveTransferPage());
    EXPECT_TRUE(host.events.empty());
    CProfile after(path);
    EXPECT_EQ(after.GetProfileInt("Transfer", "ShowSettings", -1), 0);
    EXPECT_EQ(after.GetProfileString("Transfer", "Def Dist", "absent"), "absent");
    EXPECT_EQ(ReadAllText(path), before + "ShowSettings=0\n");
}

TEST_F(UserPreferencesDataTest, TransferChangesNotifyAroundTheInstrument)
{
    Open();
    data->transfer.baudRate = 19200;
    data->transfer.coordOrder = "P1E1N1Z1C1";
    EXPECT_TRUE(data->SaveTransferPage());
    EXPECT_EQ(host.events, (std::vector<std::string>{"notify 8", "notify 9", "notify 12"}));
    EXPECT_EQ(settings->GetBaudRate(), 19200);
    EXPECT_EQ(profile->GetProfileString("Transfer", "Coord Order"), "P1E1N1Z1C1");

    // A default alone: no instrument notifications, still 12.
    host.events.clear();
    data->transfer.scaleFactor = 0.9996;
    EXPECT_TRUE(data->SaveTransferPage());
    EXPECT_EQ(host.events, std::vector<std::string>{"notify 12"});
    EXPECT_EQ(profile->GetProfileDouble("Transfer", "Def SF", 0), 0.9996);

    // Another adapter on the same port number is another instrument line.
    host.events.clear();
    data->transfer.comDevice = "/dev/serial/by-id/usb-FTDI_A1-if00-port0";
    EXPECT_TRUE(data->SaveTransferPage());
    EXPECT_EQ(host.events, (std::vector<std::string>{"notify 8", "notify 9", "notify 12"}));
    EXPECT_EQ(settings->GetComDevice(), "/dev/serial/by-id/usb-FTDI_A1-if00-port0");
}

TEST_F(UserPreferencesDataTest, FamilySwitchGivesTheFirstModel)
{
    Open("[Transfer]\nNikonFile_Version=7\n");
    EXPECT_EQ(data->transfer.modelIndex, 7);
    SwitchTransferFamily(data->transfer, false);
    EXPECT_EQ(data->transfer.modelIndex, 10);
    EXPECT_EQ(GetFamilyModelNames(false), std::vector<std::string>{"Zentra 4"});
    SwitchTransferFamily(data->transfer, true);
    EXPECT_EQ(data->transfer.modelIndex, 0);
    EXPECT_EQ(GetFamilyModelNames(true).size(), 10u);
}

TEST_F(UserPreferencesDataTest, FreshProfileRenameRulesAndEnabling)
{
    Open();
    EXPECT_EQ(data->rename.rule, 2);
    EXPECT_EQ(RenameRuleEnabledControls(2), std::vector<int>{2794});
    struct Case
    {
        int rule;
        std::vector<int> enabled;
        bool start, offset;
    };
    for (const Case& c : {Case{0, {2750}, true, false}, Case{1, {}, false, false}, Case{3, {2752, 1057, 2753}, false, false},
                          Case{4, {2751}, false, true}, Case{5, {}, false, false}}) {
        SCOPED_TRACE(c.rule);
        EXPECT_EQ(RenameRuleEnabledControls(c.rule), c.enabled);
        ApplyRenameRule(data->rename, c.rule);
        EXPECT_EQ(data->rename.startNumberActive, c.start);
        EXPECT_EQ(data->rename.offsetActive, c.offset);
    }
    data->rename.designator = "KX";
    data->SaveRenameRulesPage();
    EXPECT_EQ(profile->GetProfileString("Rename Rules", "Designator"), "KX");
    EXPECT_EQ(settings->GetRenameDesignator(), "KX");
}

TEST_F(UserPreferencesDataTest, SaveOrderHintsAndFolders)
{
    Open();
    // Nothing changed: colours, display flags and rename rules are written back; hint 2 ends it.
    data->SaveToSettings();
    EXPECT_EQ(host.events, std::vector<std::string>{"hint 2"});
    EXPECT_EQ(profile->GetProfileInt("Colors", "Graphics Background", -1), 253);
    EXPECT_EQ(profile->GetProfileString("Colors", "VideoPallette", "absent"), "absent");

    host.events.clear();
    data->display.fonts[FontReportTitle].height = -40;
    data->SaveToSettings();
    EXPECT_EQ(host.events, std::vector<std::string>{"hint 2"}); // report fonts send no hint 7

    host.events.clear();
    data->display.fonts[FontGrid].faceName = "DejaVu Sans";
    data->format.distanceDecimals = 5;
    data->snap.pickBoxSize = 14;
    data->general.jobFolder = "/other/";
    data->general.backupDownloads = 0;
    data->general.backupFolder = "/missing/";
    data->SaveToSettings();
    EXPECT_EQ(host.events, (std::vector<std::string>{"hint 7", "job folder /other/", "cursor", "hint 10", "hint 2"}));
    EXPECT_EQ(host.backupFolder, "/backups/");
    EXPECT_FALSE(settings->GetEnableBackups());

    // Without a job nothing is sent.
    host.events.clear();
    host.jobOpen = false;
    data->display.fonts[FontGrid].faceName = "Arial";
    data->SaveToSettings();
    EXPECT_TRUE(host.events.empty());
}

TEST_F(UserPreferencesDataTest, FolderChecksAndFormatSamples)
{
    GeneralPageValues v;
    v.jobFolder = dir.path().string() + "/";
    v.backupFolder = dir.file("nowhere/");
    v.backupDownloads = 0;
    EXPECT_FALSE(CheckGeneralFolders(v));
    v.backupDownloads = 1;
    EXPECT_EQ(CheckGeneralFolders(v), "Backup folder does not exist.");
    v.jobFolder = dir.file("nowhere/");
    EXPECT_EQ(CheckGeneralFolders(v), "Job folder does not exist.");

    const FormatSamples azimuth = MakeFormatSamples(0, 0, 0);
    ASSERT_EQ(azimuth.decimals.size(), 6u);
    EXPECT_EQ(azimuth.decimals[0], "54321");
    EXPECT_EQ(azimuth.decimals[5], "54321.12345");
    ASSERT_EQ(azimuth.angles.size(), 6u);
    ASSERT_EQ(azimuth.stations.size(), 3u);
    const FormatSamples bearing = MakeFormatSamples(1, 0, 0);
    EXPECT_NE(bearing.angles[3], azimuth.angles[3]);
    EXPECT_NE(bearing.angles[3].find_first_of("NS"), std::string::npos);
}

} // namespace
