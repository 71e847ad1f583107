// The raw field editor without its windows: labels, loading and collecting a record's fields,
// and the record-type chooser's entries.
#include "rawdata/RawFieldEditorModel.h"
#include "core/TextUtil.h"
#include "rawdata/records/RawDataRecord.h"

#include <gtest/gtest.h>

namespace {

const char* const Shot = "SS,10,1.8,50.0,45.3000,90.0000,10:00:00,TREE";

std::string RoundTrip(const std::string& text)
{
    CNikonRawDataRecord record(text);
    const std::vector<CRawFieldEntry> entries = BuildRawFieldEntries(record);
    CollectRawFields(record, record.GetType(), entries);
    return record.GetText();
}

TEST(RawFieldEditorModelTest, UntouchedRecordsCollectAsTheyWere)
{
    EXPECT_EQ(RoundTrip(Shot), Shot);
    EXPECT_EQ(RoundTrip(std::string("*") + Shot), std::string("*") + Shot);
}

TEST(RawFieldEditorModelTest, ShotLabelsAndKinds)
{
    CNikonRawDataRecord record(Shot);
    const std::vector<CRawFieldEntry> entries = BuildRawFieldEntries(record);
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries[0].code, FieldPN);
    EXPECT_EQ(entries[0].kind, ValueKindPointName);
    EXPECT_EQ(entries[5].code, FieldTM);
    EXPECT_EQ(entries[5].text, "10:00:00");
    for (const CRawFieldEntry& entry : entries) {
        SCOPED_TRACE(entry.code);
        EXPECT_FALSE(entry.label.empty());
        EXPECT_EQ(entry.label.find("%s"), std::string::npos);
        EXPECT_EQ(entry.label, textutil::Trim(entry.label));
    }
}

TEST(RawFieldEditorModelTest, TimeKeptUnlessChanged)
{
    CNikonRawDataRecord record("SS,10,1.8,50.0,45.3000,90.0000,noon,TREE");
    std::vector<CRawFieldEntry> entries = BuildRawFieldEntries(record);
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_TRUE(entries[5].text.empty());
    entries[5].text = "12:34:56"; // what the picker shows, not chosen by the user
    CollectRawFields(record, RecordTypeSideShot, entries);
    EXPECT_EQ(record.GetText(), "SS,10,1.8,50.0,45.3000,90.0000,noon,TREE");
    entries[5].timeChanged = true;
    CollectRawFields(record, RecordTypeSideShot, entries);
    EXPECT_EQ(record.GetText(), "SS,10,1.8,50.0,45.3000,90.0000,12:34:56,TREE");
}

TEST(RawFieldEditorModelTest, LineBreaksBecomeBlanks)
{
    CNikonRawDataRecord record("CO,first");
    std::vector<CRawFieldEntry> entries = BuildRawFieldEntries(record);
    ASSERT_EQ(entries.size(), 1u);
    entries[0].text = "first\r\nsecond\nthird";
    CollectRawFields(record, RecordTypeComment, entries);
    EXPECT_EQ(record.GetText(), "CO,first  second third");
}

TEST(RawFieldEditorModelTest, NoFieldsAndUnknownChoice)
{
    CNikonRawDataRecord record("SS,10");
    CollectRawFields(record, RecordTypeSideShot, {});
    EXPECT_EQ(record.GetText(), "SS,");
    record.SetText("*SS,10");
    CollectRawFields(record, RecordTypeSideShot, {});
    EXPECT_EQ(record.GetText(), "*SS,");

    CRawFieldEntry choice;
    choice.code = FieldAU;
    choice.kind = ValueKindEnumeration + 1;
    choice.choice = -1;
    record.SetText("ST,1");
    CollectRawFields(record, RecordTypeStation, {choice});
    EXPECT_EQ(record.GetText(), "ST,-1");
}

TEST(RawFieldEditorModelTest, TypeChooserOffersThirteenTypes)
{
    const std::vector<std::string> choices = RawRecordTypeChoices();
    ASSERT_EQ(choices.size(), 13u);
    EXPECT_EQ(choices.front(), "'CO' Comment:");
    EXPECT_EQ(choices.back(), "'F2' Face Two:");
}

TEST(RawFieldEditorModelTest, TimeParsing)
{
    int h = 0, m = 0, s = 0;
    EXPECT_TRUE(ParseRawTime("7:5:3", &h, &m, &s));
    EXPECT_EQ(h * 10000 + m * 100 + s, 70503);
    EXPECT_FALSE(ParseRawTime("", &h, &m, &s));
    EXPECT_FALSE(ParseRawTime("10:00", &h, &m, &s));
    EXPECT_FALSE(ParseRawTime("a:b:c", &h, &m, &s));
}

} // namespace
