// The raw line grammar: record codes, the split into fields, the validity rules of each layout,
// the deleted mark and notes.
#include "core/LocaleText.h"
#include "core/NoValue.h"
#include "rawdata/records/RawDataRecord.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(RawLineTest, RecordTypeFromText)
{
    struct Case
    {
        const char* name;
        const char* text;
        int32_t type;
    } cases[] = {
        {"comment", "CO,x", RecordTypeComment},
        {"deleted shot", "*SS,1", RecordTypeSideShot},
        {"two deleted marks", "**SS,1", RecordTypeUnknown},
        {"blank before the code", " SS,1", RecordTypeUnknown},
        {"lower case", "ss,1", RecordTypeUnknown},
        {"long first item", "SSX,1", RecordTypeSideShot},
        {"one character", "C", RecordTypeUnknown},
        {"empty", "", RecordTypeUnknown},
        {"invalid code", "IN,1", RecordTypeInvalid},
        {"face two", "F2,,1,2,3,4,5", RecordTypeFace2},
        {"unknown", "XX,1", RecordTypeUnknown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(record_codes::GetTypeFromText(c.text), c.type);
        EXPECT_EQ(CNikonRawDataRecord(c.text).GetType(), c.type);
    }
}

TEST(RawLineTest, CodesAndLabelsOutsideTheTable)
{
    EXPECT_EQ(record_codes::GetTypeCode(-1), "IN");
    EXPECT_EQ(record_codes::GetTypeLabel(-1, true), "Invalid:");
    EXPECT_EQ(record_codes::GetTypeCode(14), "");
    EXPECT_EQ(record_codes::GetTypeLabel(-2, false), "");
    EXPECT_EQ(record_codes::GetTypeLabel(RecordTypeUploadedCtrl, false), "Up'ed Ctrl:");
    EXPECT_EQ(record_codes::GetTypeLabel(RecordTypeCogo, true), "Calculated Coordinate:");
}

TEST(RawLineTest, SplitPadsMissingValuesAndRefusesSurplus)
{
    struct Case
    {
        const char* name;
        const char* text;
        int32_t count;
    } cases[] = {
        {"coordinate without elevation and description", "UC,1,100.0,200.0", 5},
        {"coordinate with a sixth value", "UC,1,2,3,4,5,6", 0},
        {"five values and a final comma", "UC,1,2,3,4,5,", 5},
        {"five values and two commas", "UC,1,2,3,4,5,,", 0},
        {"shot with only a name", "SS,100", 7},
        {"bare comment code", "CO", 1},
        {"one character", "C", 0},
        {"station with empty azimuth and circle", "ST,A,B,1.5,,", 5},
        {"face one", "F1,,1.5,,0,90,t", 6},
        {"face one with a seventh value", "F1,,1.5,,0,90,t,x", 0},
        {"invalid code with a value", "IN,1", 0},
        {"control point with six", "CP,1,2,3,4,5,6", 7},
        {"unknown code", "ZZ,1", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CNikonRawDataRecord record(c.text);
        EXPECT_EQ(record.GetFieldCount(), c.count);
    }
}

TEST(RawLineTest, SplitKeepsCommentTextAndTrimsValues)
{
    CNikonRawDataRecord comment("CO,a, b ,c");
    CNikonRawDataField field;
    ASSERT_TRUE(comment.GetField(0, field));
    EXPECT_EQ(field.GetValue(), "a, b ,c");
    EXPECT_EQ(field.GetCodeIndex(), FieldCO);
    EXPECT_FALSE(comment.GetField(-1, field));
    EXPECT_FALSE(comment.GetField(1, field));

    CNikonRawDataRecord deleted("*CO,remark");
    ASSERT_TRUE(deleted.GetField(0, field));
    EXPECT_EQ(field.GetValue(), "remark");

    CNikonRawDataRecord shot("SS, 7 ,1.5, 10.0 ,90,90");
    ASSERT_TRUE(shot.GetField(0, field));
    EXPECT_EQ(field.GetValue(), "7");
    EXPECT_EQ(field.GetCodeIndex(), FieldPN);
    ASSERT_TRUE(shot.GetField(6, field));
    EXPECT_EQ(field.GetValue(), "");
    EXPECT_EQ(field.GetCodeIndex(), FieldFC);
}

TEST(RawLineTest, LayoutValidity)
{
    struct Case
    {
        const char* name;
        const char* text;
        int32_t type;
        bool valid;
    } cases[] = {
        {"coordinate without elevation", "UC,1,100.0,200.0", RecordTypeUploadedCtrl, true},
        {"coordinate view accepts every coordinate type", "RE,1,100.0,200.0", RecordTypeAnyCoordinate, true},
        {"coordinate view refuses a station", "ST,A,B,1.5,,", RecordTypeAnyCoordinate, false},
        {"coordinate with an empty northing", "MP,1,,200.0", RecordTypeInputPoint, false},
        {"coordinate named by zeros", "MP,000,1,2", RecordTypeInputPoint, false},
        {"coordinate with a seventeen-character name", "MP,ABCDEFGHIJKLMNOPQ,1,2", RecordTypeInputPoint, false},
        {"coordinate overflowing", "MP,1,1e400,2", RecordTypeInputPoint, false},
        {"coordinate at the no-value limit", "MP,1,-1e8,2", RecordTypeInputPoint, false},
        {"coordinate in hex", "MP,1,0x10,2", RecordTypeInputPoint, false},
        {"shot with only a name", "SS,100", RecordTypeSideShot, false},
        {"shot with angles only", "SS,1,,,1,2,,", RecordTypeSideShot, true},
        {"shot read as another type", "SS,1,,,1,2", RecordTypeCtrlPoint, false},
        {"station without azimuth and circle", "ST,A,B,1.5,,", RecordTypeStation, true},
        {"station without HI", "ST,A,B,,,", RecordTypeStation, false},
        {"station with an invalid occupy point", "ST,A-1,B,1.5", RecordTypeStation, false},
        {"face one without a name", "F1,,1.5,,0,90,t", RecordTypeFace1, true},
        {"face two without a vertical angle", "F2,,1.5,,0,,t", RecordTypeFace2, false},
        {"bare comment", "CO", RecordTypeComment, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CNikonRawDataRecord record(c.text);
        EXPECT_EQ(record.CheckLayout(c.type), c.valid);
    }
}

TEST(RawLineTest, NumbersAlwaysReadWithAPoint)
{
    for (const bool commaLocale : {false, true}) {
        SCOPED_TRACE(commaLocale ? "comma locale" : "point locale");
        std::unique_ptr<CLocaleTextOverride> locale;
        if (commaLocale)
            locale = std::make_unique<CLocaleTextOverride>(",", ".");
        double v = 0;
        EXPECT_TRUE(ReadRawNumber("1.500", false, &v));
        EXPECT_DOUBLE_EQ(v, 1.5);
        EXPECT_FALSE(ReadRawNumber("1 500", false, &v));
        EXPECT_FALSE(ReadRawNumber("", false, &v));
        EXPECT_TRUE(ReadRawNumber("", true, &v));
        EXPECT_EQ(v, NoValue);
        EXPECT_FALSE(ReadRawNumber("nan", true, &v));
        EXPECT_FALSE(ReadRawNumber("-99900000", true, &v));
        // A comma is a field separator in a line, never a decimal mark.
        EXPECT_EQ(CNikonRawDataRecord("MP,1,1,5,2,0,0").GetFieldCount(), 0);
        EXPECT_TRUE(CNikonRawDataRecord("MP,1,1.5,2.25").CheckLayout(RecordTypeInputPoint));
    }
}

TEST(RawLineTest, DeletedMark)
{
    CNikonRawDataRecord record("**SS,1");
    EXPECT_EQ(record.GetType(), RecordTypeUnknown);
    record.SetDeleted(true);
    EXPECT_EQ(record.GetText(), "*SS,1");
    EXPECT_EQ(record.GetType(), RecordTypeSideShot);
    record.SetDeleted(false);
    EXPECT_EQ(record.GetText(), "SS,1");
    record.SetDeleted(true);
    record.SetDeleted(true);
    EXPECT_EQ(record.GetText(), "*SS,1");

    CNikonRawDataRecord shot("*SS,1,1.5,10.0,90.0000,90.0000,12:00:00,F");
    EXPECT_TRUE(shot.IsDeleted());
    EXPECT_EQ(shot.GetFieldCount(), 7);
    EXPECT_TRUE(shot.IsDeleted());
    EXPECT_EQ(shot.GetType(), RecordTypeSideShot);
}

TEST(RawLineTest, NotesTurnBackIntoTheirLines)
{
    CNikonRawDataRecord shot("*SS,1,2,3,4,5,T,F");
    ASSERT_TRUE(shot.ToggleNote(true));
    EXPECT_EQ(shot.GetText(), "CO,*SS,1,2,3,4,5,T,F");
    EXPECT_EQ(shot.GetType(), RecordTypeComment);
    EXPECT_FALSE(shot.ToggleNote(true));
    ASSERT_TRUE(shot.ToggleNote(false));
    EXPECT_EQ(shot.GetText(), "*SS,1,2,3,4,5,T,F");
    EXPECT_FALSE(shot.ToggleNote(false));

    CNikonRawDataRecord deletedNote("*CO,SS,1");
    ASSERT_TRUE(deletedNote.ToggleNote(false));
    EXPECT_EQ(deletedNote.GetText(), "*SS,1");

    CNikonRawDataRecord bare("CO");
    ASSERT_TRUE(bare.ToggleNote(false));
    EXPECT_EQ(bare.GetText(), "");
}

TEST(RawLineTest, RebuildTextFromFields)
{
    CNikonRawDataRecord shot("*SS, 7 ,1.5");
    ASSERT_EQ(shot.GetFieldCount(), 7);
    shot.RebuildText();
    EXPECT_EQ(shot.GetText(), "*SS,7,1.5,,,,,");

    CNikonRawDataRecord comment("CO,a, b");
    comment.GetFieldCount();
    comment.RebuildText();
    EXPECT_EQ(comment.GetText(), "CO,a, b");
}

} // namespace
