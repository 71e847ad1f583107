// Column layouts of the coordinate lines and the instrument model table.
#include "core/NikonColumnCollection.h"
#include "transfer/serial/InstrumentModels.h"

#include "TestUtil.h"
#include "model/MorvelSettings.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Selects a model for the scope of a test.
class SelectedModel
{
public:
    explicit SelectedModel(int32_t model) { SetSelectedInstrumentModelReader([model] { return model; }); }
    ~SelectedModel() { SetSelectedInstrumentModelReader({}); }
};

constexpr uint32_t P = NikonColumnPoint;
constexpr uint32_t N = NikonColumnNorthing;
constexpr uint32_t E = NikonColumnEasting;
constexpr uint32_t Z = NikonColumnElevation;
constexpr uint32_t C = NikonColumnCode;
constexpr uint32_t B = NikonColumnBlank;

using Columns = std::vector<CNikonColumn>;

const Columns Standard = {{P, true}, {N, true}, {E, true}, {Z, true}, {C, true}, {B, false}};

} // namespace

TEST(NikonColumns, DefaultLayoutFollowsTheModel)
{
    {
        SelectedModel model(0);
        CNikonColumnCollection columns;
        EXPECT_EQ(columns.GetColumns(), Standard);
        EXPECT_FALSE(columns.IsPreInstall());
        EXPECT_TRUE(columns.IsStandardOrder());
        EXPECT_EQ(columns.ToString(), "P1N1E1Z1C1");
    }
    {
        SelectedModel model(7);
        CNikonColumnCollection columns;
        columns.FromString("");
        EXPECT_EQ(columns.GetColumns(), (Columns{{P, true}, {B, true}, {N, true}, {E, true}, {Z, true}, {C, true}, {B, false}}));
        EXPECT_EQ(columns.ToString(), "P1 1N1E1Z1C1");
        EXPECT_FALSE(columns.IsStandardOrder());
    }
    {
        SelectedModel model(9);
        CNikonColumnCollection columns;
        EXPECT_TRUE(columns.IsPreInstall());
    }
    // Pre-install follows the model at every reset.
    CNikonColumnCollection columns;
    EXPECT_FALSE(columns.IsPreInstall());
    SelectedModel model(9);
    columns.SetDefault();
    EXPECT_TRUE(columns.IsPreInstall());
}

TEST(NikonColumns, SelectedModelComesFromTheSettings)
{
    morvel::test::TempDir dir;
    CProfile profile(dir.path() / "Morvel.ini");
    CMorvelSettings settings(&profile);
    settings.SetModelIndex(9);
    SetMorvelSettings(&settings);
    EXPECT_EQ(GetSelectedInstrumentModel(), 9);
    EXPECT_TRUE(CNikonColumnCollection().IsPreInstall());
    settings.SetModelIndex(8);
    EXPECT_EQ(CNikonColumnCollection().ToString(), "P1 1N1E1Z1C1");
    SetMorvelSettings(nullptr);
    EXPECT_EQ(GetSelectedInstrumentModel(), 0);
}

TEST(NikonColumns, TextForm)
{
    struct Case
    {
        const char* name;
        const char* text;
        Columns columns;
        const char* back;
    };
    const Case cases[] = {
        {"standard", "P1N1E1Z1C1", Standard, "P1N1E1Z1C1"},
        {"leading blank", " 1P1N1",
         {{B, true}, {P, true}, {N, true}, {E, false}, {Z, false}, {C, false}, {B, false}}, " 1P1N1E0Z0C0"},
        {"two columns", "N1P1", {{N, true}, {P, true}, {E, false}, {Z, false}, {C, false}, {B, false}}, "N1P1E0Z0C0"},
        {"repeated letter", "P1P0N1", {{P, true}, {N, true}, {E, false}, {Z, false}, {C, false}, {B, false}},
         "P1N1E0Z0C0"},
        {"unknown letters skipped with their flag", "X1P1q0E1",
         {{P, true}, {E, true}, {N, false}, {Z, false}, {C, false}, {B, false}}, "P1E1N0Z0C0"},
        {"letter without flag", "P1N", {{P, true}, {N, false}, {E, false}, {Z, false}, {C, false}, {B, false}},
         "P1N0E0Z0C0"},
        {"any flag but 1 is off", "P1N9E0", {{P, true}, {N, false}, {E, false}, {Z, false}, {C, false}, {B, false}},
         "P1N0E0Z0C0"},
        {"trailing blanks dropped", "P1N1 1 0", {{P, true}, {N, true}, {E, false}, {Z, false}, {C, false}, {B, false}},
         "P1N1E0Z0C0"},
        {"blanks inside kept", "P1 0 1N1E1Z1C1",
         {{P, true}, {B, false}, {B, true}, {N, true}, {E, true}, {Z, true}, {C, true}, {B, false}},
         "P1 0 1N1E1Z1C1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CNikonColumnCollection columns;
        columns.FromString(c.text);
        EXPECT_EQ(columns.GetColumns(), c.columns);
        EXPECT_EQ(columns.ToString(), c.back);
        // The text written reads back to the same layout.
        CNikonColumnCollection again;
        again.FromString(columns.ToString());
        EXPECT_EQ(again.ToString(), columns.ToString());
    }

    // Written from a list: repeated kinds once, unknown kinds not at all, trailing blanks dropped.
    CNikonColumnCollection columns;
    columns.SetColumns({{N, true}, {B, true}, {N, false}, {9, true}, {E, true}, {B, true}, {B, false}});
    EXPECT_EQ(columns.ToString(), "N1 1E1P0Z0C0");
}

TEST(NikonColumns, FormatPoint)
{
    const CLocation location(2000.0, 5000.0, 100.0);
    {
        SelectedModel model(5);
        CNikonColumnCollection columns;
        EXPECT_EQ(columns.FormatPoint("101", location, "CP", false), "101,5000.0000000,2000.0000000,100.0000000,CP\n");
        EXPECT_EQ(columns.FormatPoint("101", CLocation(2000.0, 5000.0, NoValue), "CP", false),
                  "101,5000.0000000,2000.0000000,,CP\n");
    }
    {
        SelectedModel model(1);
        CNikonColumnCollection columns;
        EXPECT_EQ(columns.FormatPoint("101", location, "CP", true), "101,5000.000,2000.000,100.000,CP");
    }
    {
        SelectedModel model(9);
        CNikonColumnCollection columns;
        EXPECT_EQ(columns.FormatPoint("A1", CLocation(-0.00004, 1.23461, 0.5), "", false), "A1,1.2346,-0.0000,0.5000,\n");
    }
    SelectedModel model(7);
    CNikonColumnCollection columns;
    // Disabled columns are left out; an enabled blank is an empty field.
    columns.FromString("P1 1N1E1Z0C1");
    EXPECT_EQ(columns.FormatPoint("7", location, "X", true), "7,,5000.0000000,2000.0000000,X");
}

TEST(NikonColumns, ParseLine)
{
    CNikonColumnCollection columns;
    columns.FromString("P1N1E1Z1C1");
    std::string name;
    std::string description;
    CLocation location;

    EXPECT_TRUE(columns.ParseLine("101,5000.5,2000.25,100,CP", name, location, description));
    EXPECT_EQ(name, "101");
    EXPECT_EQ(location.y, 5000.5);
    EXPECT_EQ(location.x, 2000.25);
    EXPECT_EQ(location.z, 100.0);
    EXPECT_EQ(description, "CP");

    // A short line is taken as far as it goes.
    EXPECT_TRUE(columns.ParseLine("101,5000,2000", name, location, description));
    EXPECT_EQ(location.z, NoValue);
    EXPECT_EQ(description, "");

    // A point written without elevation reads back without one.
    EXPECT_TRUE(columns.ParseLine("101,5000.0000000,2000.0000000,,CP", name, location, description));
    EXPECT_EQ(location.z, NoValue);
    EXPECT_EQ(description, "CP");

    EXPECT_FALSE(columns.ParseLine("101,abc,2000", name, location, description));
    EXPECT_FALSE(columns.ParseLine("101,5000,", name, location, description));
    EXPECT_FALSE(columns.ParseLine("101,5000,2000,high,CP", name, location, description));
    EXPECT_FALSE(columns.ParseLine("101", name, location, description)); // no northing
    EXPECT_FALSE(columns.ParseLine("101,-1e30,2000", name, location, description)); // reads as "none"

    // Disabled elevation and code columns still take their fields, but keep nothing.
    columns.FromString("P1N1E1Z0C0");
    EXPECT_TRUE(columns.ParseLine("7,1,2,3,fence", name, location, description));
    EXPECT_EQ(location.z, NoValue);
    EXPECT_EQ(description, "");
    EXPECT_FALSE(columns.ParseLine("7,1,2,x,fence", name, location, description));

    // Without the point column no line is a point.
    columns.FromString("P0N1E1Z1C1");
    EXPECT_FALSE(columns.ParseLine("101,5000,2000,100,CP", name, location, description));
    columns.FromString("N1E1P0");
    EXPECT_FALSE(columns.ParseLine("5000,2000,101", name, location, description));
    // Nor a line that ends before its point column.
    columns.FromString("N1E1P1");
    EXPECT_FALSE(columns.ParseLine("5000,2000", name, location, description));
    EXPECT_TRUE(columns.ParseLine("5000,2000,101", name, location, description));

    // Blank columns skip a field; the east-first layout reads easting first.
    columns.FromString("P1 1E1N1Z1C1");
    EXPECT_TRUE(columns.ParseLine("9,junk,2000,5000,1,D", name, location, description));
    EXPECT_EQ(location.x, 2000.0);
    EXPECT_EQ(location.y, 5000.0);
}

TEST(NikonColumns, FormattedPointsReadBack)
{
    for (int32_t model : {0, 5, 7, 9}) {
        SCOPED_TRACE(model);
        SelectedModel selected(model);
        CNikonColumnCollection columns;
        for (const CLocation& at : {CLocation(2000.125, 5000.5, 99.75), CLocation(-1.5, 0.0, NoValue)}) {
            std::string line = columns.FormatPoint("1234", at, "TREE", false);
            line.pop_back();
            std::string name;
            std::string description;
            CLocation back;
            ASSERT_TRUE(columns.ParseLine(line, name, back, description)) << line;
            EXPECT_EQ(name, "1234");
            EXPECT_EQ(description, "TREE");
            EXPECT_TRUE(back.IsEqual(at));
        }
    }
}

TEST(NikonColumns, StandardOrders)
{
    CNikonColumnCollection columns;
    columns.FromString("P1N1E1Z1C0");
    EXPECT_FALSE(columns.IsStandardOrder());
    columns.FromString("P1E1N1Z1C1");
    EXPECT_TRUE(columns.IsStandardOrderEastFirst());
    EXPECT_FALSE(columns.IsStandardOrder());
    columns.SetColumns({{P, true}, {N, true}});
    EXPECT_FALSE(columns.IsStandardOrder());
}

TEST(NikonColumns, CheckListRows)
{
    EXPECT_EQ(CNikonColumnCollection::GetColumnLabel(P), "Pt");
    EXPECT_EQ(CNikonColumnCollection::GetColumnLabel(C), "Code");
    EXPECT_EQ(CNikonColumnCollection::GetColumnLabel(B), "{Blank}");
    EXPECT_EQ(CNikonColumnCollection::GetItemData(B), 65535u);
    EXPECT_EQ(CNikonColumnCollection::GetItemData(Z), Z);
    EXPECT_EQ(CNikonColumnCollection::ColumnFromItem(65535, true), (CNikonColumn{B, true}));
    EXPECT_EQ(CNikonColumnCollection::ColumnFromItem(E, false), (CNikonColumn{E, false}));
}

TEST(InstrumentModels, Table)
{
    struct Row
    {
        int32_t index;
        bool records;
        bool alphanumeric;
        int32_t longest;
        int32_t decimals;
        bool blank;
        bool coordinates;
    };
    const Row rows[] = {
        {0, true, false, 12, 3, false, false},  {1, true, false, 9, 3, false, false},
        {2, false, true, 12, 7, false, true},   {3, false, true, 12, 7, false, true},
        {4, true, false, 9, 3, false, false},   {5, false, true, 12, 7, false, true},
        {6, false, true, 12, 7, false, true},   {7, false, false, 9, 7, true, true},
        {8, false, false, 9, 7, true, true},    {9, false, true, 16, 4, false, true},
        {10, false, true, 12, 7, false, true},  {11, false, true, 9, 7, false, true},
        {-1, false, true, 9, 7, false, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.index);
        const CInstrumentModel m = GetInstrumentModel(r.index);
        EXPECT_EQ(m.recordFormat, r.records);
        EXPECT_EQ(m.alphanumericNames, r.alphanumeric);
        EXPECT_EQ(m.longestName, r.longest);
        EXPECT_EQ(m.decimals, r.decimals);
        EXPECT_EQ(m.blankLayout, r.blank);
        EXPECT_EQ(m.coordinateDownloads, r.coordinates);
    }
    EXPECT_EQ(GetInstrumentModelName(10), "Zentra 4");
    EXPECT_EQ(GetInstrumentModelName(12), "Unknown");

    const CInstrumentModel digitsOnly = GetInstrumentModel(1);
    EXPECT_TRUE(IsNameRefusedByModel(digitsOnly, "A12"));
    EXPECT_FALSE(IsNameRefusedByModel(digitsOnly, "123456789"));
    EXPECT_FALSE(IsNameTooLongForModel(digitsOnly, "123456789"));
    EXPECT_TRUE(IsNameTooLongForModel(digitsOnly, "1234567890"));
    EXPECT_FALSE(IsNameRefusedByModel(GetInstrumentModel(9), "STATION_A"));
    EXPECT_FALSE(IsNameTooLongForModel(GetInstrumentModel(9), "ABCDEFGHIJKLMNOP"));
}
