#include "TestUtil.h"

#include "core/LittleEndian.h"
#include "core/MathConversions.h"
#include "core/NoValue.h"
#include "exchange/Rk7File.h"
#include "model/PointRecord.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace morvel::test;

namespace {

// Distances in international feet in the file.
class FeetConversions : public CMathConversions
{
public:
    int GetAngleUnits() const override { return AngleUnitDegrees; }
    int GetAzimuthFormat() const override { return AzimuthNorth; }
    int GetDistanceUnits() const override { return ClassUnitInternationalFeet; }
    double SquareMetresToDisplay(double v) const override { return v; }
    double DisplayAreaToLargeArea(double v) const override { return v; }
    double LargeAreaToDisplayArea(double v) const override { return v; }
    std::string GetAreaUnitLabel() const override { return ""; }
    std::string GetLargeAreaUnitLabel() const override { return ""; }
    std::string GetDistanceUnitLabel() const override { return "ft"; }
};

} // namespace

TEST(Rk7File, NewFileAndPlaceholderRecord)
{
    TempDir dir;
    const std::string path = dir.file("p.Rk7");
    {
        CRk7File file;
        ASSERT_TRUE(file.Create(path.c_str()));
        EXPECT_EQ(file.GetLength(), 38);
        ASSERT_TRUE(file.SeekToFirstRecord());
        ASSERT_TRUE(file.WriteDefaultRecord());
        EXPECT_EQ(file.GetLength(), 83);
        EXPECT_EQ(file.GetFileName(), "p.Rk7");
    }
    const auto bytes = ReadAllBytes(path);
    ASSERT_EQ(bytes.size(), 83u);
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(bytes[i], 0) << i;
    EXPECT_EQ(int32_t(GetU32LE(bytes.data() + 30)), -1);
    EXPECT_EQ(GetU32LE(bytes.data() + 34), 1u);
    EXPECT_EQ(int32_t(GetU32LE(bytes.data() + 38)), -1);
    EXPECT_EQ(GetF64LE(bytes.data() + 42), 5000.0);
    EXPECT_EQ(GetF64LE(bytes.data() + 50), 5000.0);
    EXPECT_EQ(GetF64LE(bytes.data() + 58), 100.0);
    for (int i = 66; i < 83; ++i)
        EXPECT_EQ(bytes[i], 0) << i;

    CRk7File file;
    EXPECT_FALSE(file.Open(nullptr, true));
    ASSERT_TRUE(file.Open(path.c_str(), true));
    EXPECT_EQ(file.GetPosition(), 0);
    CRk7File::Header header;
    ASSERT_TRUE(file.GetHeader(header));
    EXPECT_EQ(header, CRk7File::NewHeader());
    WriteAllBytes(dir.file("short.Rk7"), std::vector<unsigned char>(bytes.begin(), bytes.begin() + 37));
    CRk7File shortFile;
    EXPECT_FALSE(shortFile.Open(dir.file("short.Rk7").c_str(), true));
}

TEST(Rk7File, PointsRoundTripThroughTheFilesUnit)
{
    TempDir dir;
    const std::string path = dir.file("pts.Rk7");
    FeetConversions feet;
    struct Case
    {
        const char* name;
        const char* description;
        double elevation;
        const char* readName;
    };
    const Case cases[] = {
        {"1001", "IRON PIN", 10.0, "1001"},
        {"12AB", "LETTERS AFTER", 11.0, "12"},
        {"A7", "LETTER FIRST", 12.0, "0"},
        {"5", "SEVENTEEN CHARS!!", NoValue, "5"},
        {"-42", "", 0.0, "-42"},
    };
    {
        CRk7File file;
        ASSERT_TRUE(file.Create(path.c_str()));
        ASSERT_TRUE(file.SeekToFirstRecord());
        for (const Case& c : cases) {
            CPointRecord point(c.name, c.description, CLocation(200.0, 100.0, c.elevation), false);
            ASSERT_TRUE(file.WritePoint(&point, &feet));
        }
        EXPECT_FALSE(file.WritePoint(nullptr, &feet));
    }
    const auto bytes = ReadAllBytes(path);
    ASSERT_EQ(bytes.size(), 38u + 45u * std::size(cases));
    EXPECT_NEAR(GetF64LE(bytes.data() + 38 + 4), 100.0 * 3.280839895013123, 1e-9);
    EXPECT_NEAR(GetF64LE(bytes.data() + 38 + 12), 200.0 * 3.280839895013123, 1e-9);
    EXPECT_EQ(GetF64LE(bytes.data() + 38 + 3 * 45 + 20), NoValue);
    // A description is cut to 16 bytes and always ends in a NUL.
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()) + 38 + 3 * 45 + 28, 17),
              std::string("SEVENTEEN CHARS!", 17));

    CRk7File file;
    ASSERT_TRUE(file.Open(path.c_str(), true));
    ASSERT_TRUE(file.SeekToFirstRecord());
    int context = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPointRecord point;
        ASSERT_TRUE(file.ReadPoint(&point, &context, &feet));
        EXPECT_STREQ(point.GetName(), c.readName);
        EXPECT_NEAR(point.GetNorthing(), 100.0, 1e-9);
        EXPECT_NEAR(point.GetEasting(), 200.0, 1e-9);
        if (c.elevation == NoValue)
            EXPECT_FALSE(point.HasValidLocation3D());
        else
            EXPECT_NEAR(point.GetElevation(), c.elevation, 1e-9);
        EXPECT_EQ(std::string(point.GetDescription()), std::string(c.description).substr(0, 16));
    }
    CPointRecord point;
    EXPECT_FALSE(file.ReadPoint(&point, &context, &feet));
    EXPECT_FALSE(file.ReadPoint(&point, nullptr, &feet));
}

TEST(Rk7File, DescriptionWithoutTerminatorIsReadWithinItsField)
{
    TempDir dir;
    const std::string path = dir.file("d.Rk7");
    {
        CRk7File file;
        ASSERT_TRUE(file.Create(path.c_str()));
        ASSERT_TRUE(file.SeekToFirstRecord());
        Rk7Record record;
        record.number = 3;
        std::memset(record.description.data(), 'D', Rk7Record::DescriptionSize);
        ASSERT_TRUE(file.WriteRecord(record));
    }
    CRk7File file;
    ASSERT_TRUE(file.Open(path.c_str(), true));
    ASSERT_TRUE(file.SeekToFirstRecord());
    Rk7Record record;
    ASSERT_TRUE(file.ReadRecord(record));
    EXPECT_EQ(record.GetDescription(), std::string(17, 'D'));
    ASSERT_TRUE(file.SeekToFirstRecord());
    FeetConversions feet;
    CPointRecord point;
    int context = 0;
    ASSERT_TRUE(file.ReadPoint(&point, &context, &feet));
    EXPECT_EQ(std::string(point.GetDescription()), std::string(16, 'D'));
}
