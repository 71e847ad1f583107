#include "FakeJob.h"

#include "model/PointRecord.h"
#include "model/Record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

using morvel::test::FakeJob;

TEST(PointName, ValidityEdges)
{
    EXPECT_FALSE(IsValidPointName(""));
    EXPECT_FALSE(IsValidPointName(nullptr));
    EXPECT_TRUE(IsValidPointName("ABCDEFGHIJKLMNOP"));   // 16
    EXPECT_FALSE(IsValidPointName("ABCDEFGHIJKLMNOPQ")); // 17
    EXPECT_FALSE(IsValidPointName("0"));
    EXPECT_FALSE(IsValidPointName("000"));
    EXPECT_TRUE(IsValidPointName("10"));
    EXPECT_TRUE(IsValidPointName("0A"));
    EXPECT_TRUE(IsValidPointName("A_1"));
    EXPECT_TRUE(IsValidPointName("_"));
    EXPECT_FALSE(IsValidPointName("A-1"));
    EXPECT_FALSE(IsValidPointName("A 1"));
    EXPECT_FALSE(IsValidPointName("P\xC3\xA9")); // letters outside ASCII
}

TEST(PointName, NaturalOrder)
{
    struct Case
    {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        {"P2", "P10", -1},   {"p007", "P7", 0},  {"A", "A1", -1},  {"10", "9A", 1},     {"A01", "a1", 0},
        {"a", "B", -1},      {"B", "a", 1},      {"", "", 0},      {"", "1", -1},       {"1_", "1A", -1},
        {"P1A", "P1B", -1},  {"X9Y", "X10", -1}, {"12", "12", 0},  {"007", "7", 0},     {"1", "A", -1},
        // Plain numbers: by length, then digit by digit; a leading zero or a 19th digit reads values.
        {"10", "9", 1},      {"100", "099", 1},  {"5", "5A", -1},  {"98", "99", -1},    {"0", "00", 0},
        {"123456789012345678", "123456789012345679", -1},
        {"999999999999999999", "1000000000000000000", -1},
        // Runs past the 64-bit range saturate, as the C library's conversion does.
        {"99999999999999999999", "99999999999999999998", 0},
        {"9223372036854775806", "9223372036854775807", -1},
    };
    for (const Case& c : cases) {
        const int r = ComparePointNames(c.a, c.b);
        const int sign = (r > 0) - (r < 0);
        EXPECT_EQ(sign, c.sign) << c.a << " vs " << c.b;
        const int back = ComparePointNames(c.b, c.a);
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " vs " << c.a;
    }
}

TEST(RecordText, CutsAtSixteenCharactersNotBytes)
{
    CPointRecord p;
    p.SetDescription("ABCDEFGHIJKLMNOPQRS");
    EXPECT_STREQ(p.GetDescription(), "ABCDEFGHIJKLMNOP");
    // Sixteen degree signs (two bytes each) fit; the seventeenth is dropped whole.
    std::string degrees;
    for (int i = 0; i < 17; ++i)
        degrees += "\xC2\xB0";
    p.SetDescription(degrees.c_str());
    EXPECT_EQ(std::string(p.GetDescription()), degrees.substr(0, 32));
}

TEST(RecordHeader, CopyKeepsFlagsAndSequence)
{
    RecordHeader a, b;
    a.type = 1;
    CopyRecordText(a.description, "fence");
    a.flags = 5;
    a.sequence = 9;
    b.flags = 2;
    b.sequence = 3;
    b.CopyFrom(&a);
    EXPECT_EQ(b.type, 1);
    EXPECT_STREQ(b.description, "fence");
    EXPECT_EQ(b.flags, 2u);
    EXPECT_EQ(b.sequence, 3);
    b.CopyFrom(nullptr);
    EXPECT_EQ(b.type, 1);
}

TEST(PointRecord, DefaultPointHasNoLocation)
{
    CPointRecord p;
    EXPECT_EQ(p.GetType(), kRecordTypePoint);
    EXPECT_STREQ(p.GetName(), "");
    EXPECT_FALSE(p.HasValidLocation3D());
    CExtent2D extent;
    p.AddToExtents(extent);
    EXPECT_TRUE(extent.IsEmpty());
    EXPECT_FALSE(p.IsInside(-1e10, 1e10, 1e10, -1e10, false));
    EXPECT_FALSE(p.HasNonNumericName());
}

TEST(PointRecord, InsideIncludesBounds)
{
    CPointRecord p("1", "", CLocation(10, 20, NoValue), true);
    EXPECT_TRUE(p.IsInside(10, 20, 10, 20, false));
    EXPECT_FALSE(p.IsInside(10.001, 20, 11, 19, false));
    p.SetCoordinates(std::nan(""), 20, 0, true);
    EXPECT_FALSE(p.IsInside(-1e9, 1e9, 1e9, -1e9, false));
}

TEST(PointRecord, NumericNameAndSameAs)
{
    CPointRecord a("123", "Fence", CLocation(1, 2, 3), true);
    CPointRecord b("12A", "FENCE", CLocation(1, 2, 3), true);
    EXPECT_FALSE(a.HasNonNumericName());
    EXPECT_TRUE(b.HasNonNumericName());
    EXPECT_TRUE(a.IsSameAs(b));
    b.SetDescription("Fence2");
    EXPECT_FALSE(a.IsSameAs(b));
    EXPECT_TRUE(b.CopyFrom(a));
    EXPECT_STREQ(b.GetName(), "12A");
    EXPECT_TRUE(a.IsSameAs(b));
}

TEST(PointRecord, EqualLocationDoesNotMarkModified)
{
    FakeJob job;
    CPointRecord* p = job.AddPoint("5", 100, 200);
    ASSERT_NE(p, nullptr);
    const int before = job.modifiedCalls;
    p->SetLocation(CLocation(100, 200, NoValue), true);
    EXPECT_EQ(job.modifiedCalls, before);
    p->SetLocation(CLocation(100.5, 200, NoValue), true);
    EXPECT_EQ(job.modifiedCalls, before + 1);
    EXPECT_TRUE(job.lastModified);
}

TEST(PointRename, CaseOrLeadingZerosIsNoRename)
{
    FakeJob job;
    CPointRecord* p = job.AddPoint("P1");
    EXPECT_TRUE(p->SetName("p1"));
    EXPECT_STREQ(p->GetName(), "P1");
    EXPECT_TRUE(p->SetName("P001"));
    EXPECT_STREQ(p->GetName(), "P1");
}

TEST(PointRename, RefilesUnderNewNameAtEndOfStore)
{
    FakeJob job;
    CPointRecord* a = job.AddPoint("1");
    job.AddPoint("2");
    job.AddPoint("3");
    EXPECT_TRUE(a->SetName("20"));
    EXPECT_EQ(job.points.FindPoint("20", true), a);
    EXPECT_EQ(job.points.FindPoint("1", true), nullptr);
    EXPECT_EQ(job.NamesInStoreOrder(), (std::vector<std::string>{"2", "3", "20"}));
    EXPECT_EQ(job.lastPointName, "20");
    EXPECT_EQ(job.points.GetCount(), 3);
    EXPECT_EQ(job.store->GetCount(0), 3);
}

TEST(PointRename, RefusedNamesChangeNothing)
{
    FakeJob job;
    job.digitsOnly = true;
    CPointRecord* a = job.AddPoint("1");
    CPointRecord* b = job.AddPoint("2");
    EXPECT_FALSE(a->SetName("A1")); // the job takes digits only
    EXPECT_FALSE(a->SetName("0"));
    // Another point holds the name: both must stay reachable.
    EXPECT_FALSE(a->SetName("002"));
    EXPECT_STREQ(a->GetName(), "1");
    EXPECT_EQ(job.points.FindPoint("1", true), a);
    EXPECT_EQ(job.points.FindPoint("2", true), b);
    EXPECT_EQ(job.NamesInStoreOrder(), (std::vector<std::string>{"1", "2"}));
}

TEST(PointRename, RefusedDuplicateDoesNotUnlinkTheIndexedPoint)
{
    FakeJob job;
    CPointRecord* indexed = job.AddPoint("7");
    // A second "7": the index refuses it but it keeps the job as owner.
    CPointRecord refused("7", "", CLocation(0, 0, NoValue), true);
    EXPECT_FALSE(job.AddRecord(&refused));
    ASSERT_TRUE(refused.HasOwner());

    EXPECT_TRUE(refused.SetName("8"));
    EXPECT_STREQ(refused.GetName(), "8");
    EXPECT_EQ(job.points.FindPoint("7", true), indexed);
    EXPECT_EQ(job.points.FindPoint("8", true), nullptr);
    EXPECT_EQ(job.NamesInStoreOrder(), (std::vector<std::string>{"7"}));
}

TEST(PointRecord, DuplicateNeedsFreeValidName)
{
    FakeJob job;
    CPointRecord loose("1", "", CLocation(), true);
    EXPECT_EQ(loose.Duplicate("2"), nullptr); // no owner

    CPointRecord* a = job.AddPoint("1", 5, 6);
    a->SetDescription("IP");
    EXPECT_EQ(a->Duplicate("001"), nullptr);
    EXPECT_EQ(a->Duplicate("A-1"), nullptr);
    CPointRecord* copy = a->Duplicate("2");
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy->GetName(), "2");
    EXPECT_STREQ(copy->GetDescription(), "IP");
    EXPECT_EQ(copy->GetEasting(), 5);
    EXPECT_EQ(job.points.FindPoint("2", true), copy);
    EXPECT_EQ(job.sorted.GetCount(), 2);
}

namespace {

class OddSelection : public CRecordSelection
{
public:
    bool IsSelected(const CRecord* record) const override { return record->TestFlags(1u << 3); }
    void Detach() override {}
};

class RecordingView : public CRecordView
{
public:
    void DrawRecord(CRecord& record, int drawFlag, bool flag) override { flags.push_back(drawFlag); }
    std::vector<int> flags;
};

} // namespace

TEST(Record, SelectionGoesThroughTheOwner)
{
    FakeJob job;
    CPointRecord* p = job.AddPoint("1");
    p->SetFlags(1u << 3, true);
    EXPECT_FALSE(p->IsSelected()); // no current selection
    OddSelection selection;
    job.selection = &selection;
    EXPECT_TRUE(p->IsSelected());
    p->SetFlags(1u << 3, false);
    EXPECT_FALSE(p->IsSelected());
    EXPECT_FALSE(p->TestFlags(~0u));
}

TEST(Record, DrawsOnlyValidRecordsOnTheActiveView)
{
    FakeJob job;
    job.digitsOnly = true;
    RecordingView view;
    SetActiveRecordViewHook([&view] { return &view; });
    CPointRecord* p = job.AddPoint("1");
    p->Draw(true);
    p->DrawAlternate(true);
    CPointRecord other("X", "", CLocation(), true);
    other.SetOwner(&job); // refused by the job's name check
    other.Draw(true);
    SetActiveRecordViewHook(nullptr);
    p->Draw(true);
    EXPECT_EQ(view.flags, (std::vector<int>{1, -1}));
}

// A point keeps short texts inside itself and longer ones apart: every length across that edge,
// texts cut to sixteen characters of up to four bytes, and a text set from its own bytes read
// back as CopyRecordText cuts them, however a text moves between the two places.
TEST(RecordText, ReadsBackAsCutAcrossEveryLength)
{
    const std::string four = "\xF0\x9F\x93\x8D"; // a four-byte character
    std::vector<std::string> texts = {"", "A", std::string(14, 'n'), std::string(15, 'n'), std::string(16, 'n'),
                                      std::string(17, 'n'), "\xC2\xB0" + std::string(13, 'd'),
                                      "\xC2\xB0" + std::string(14, 'd')};
    std::string longest;
    for (int i = 0; i < 17; ++i)
        longest += four;
    texts.push_back(longest);

    CPointRecord p;
    CPointRecord q("1", "", CLocation(1, 2, 3), true);
    for (int round = 0; round < 2; ++round)
        for (const std::string& text : texts) {
            char cut[kRecordTextBytes];
            CopyRecordText(cut, text.c_str());
            p.SetName(text.c_str());
            p.SetDescription(text.c_str());
            EXPECT_STREQ(p.GetName(), cut) << text;
            EXPECT_STREQ(p.GetDescription(), cut) << text;
            p.SetDescription(p.GetDescription());
            p.SetName(p.GetName());
            EXPECT_STREQ(p.GetDescription(), cut) << text;
            EXPECT_STREQ(p.GetName(), cut) << text;
            EXPECT_TRUE(q.CopyFrom(p));
            EXPECT_STREQ(q.GetDescription(), cut) << text;
            EXPECT_STREQ(q.GetName(), "1");
            const CRecord& record = q;
            EXPECT_STREQ(record.GetDescription(), cut) << text;
        }
}

// Points holding the same description share it: each keeps reading its own text while others
// change theirs, are copied or go, and a text let go by its last holder can come back.
TEST(RecordText, SharedDescriptionsOutliveEachHolderButTheLast)
{
    auto a = std::make_unique<CPointRecord>("1", "Fence", CLocation(1, 2, 3), true);
    auto b = std::make_unique<CPointRecord>("2", "Fence", CLocation(1, 2, 3), true);
    CPointRecord c(*a);
    CPointRecord d;
    d = c;
    d = d;
    EXPECT_STREQ(c.GetDescription(), "Fence");
    EXPECT_STREQ(d.GetDescription(), "Fence");
    a->SetDescription("Kerb");
    EXPECT_STREQ(a->GetDescription(), "Kerb");
    EXPECT_STREQ(b->GetDescription(), "Fence");
    b.reset();
    c.SetDescription("");
    EXPECT_STREQ(d.GetDescription(), "Fence");
    d.SetDescription("Kerb");
    EXPECT_STREQ(c.GetDescription(), "");
    a.reset();
    EXPECT_STREQ(d.GetDescription(), "Kerb");
    // Every holder of "Fence" is gone; it is filed afresh.
    c.SetDescription("fence");
    d.CopyFrom(c);
    EXPECT_STREQ(d.GetDescription(), "fence");
    c.SetDescription("Fence");
    EXPECT_STREQ(c.GetDescription(), "Fence");
    EXPECT_STREQ(d.GetDescription(), "fence");
}

// Many descriptions, more than are remembered by where they were last met, held, let go and held
// again in turn: each point reads back its own text, whatever place its text was given before.
TEST(RecordText, DescriptionsReadBackThroughReusedPlaces)
{
    std::vector<std::string> texts = {"D", "D1", "D10", "D1 ", "d1", "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOQ"};
    for (int i = 0; i < 700; ++i)
        texts.push_back("T" + std::to_string(i * 37));
    const size_t n = 900;
    std::vector<std::unique_ptr<CPointRecord>> points(n);
    std::vector<std::string> model(n);
    for (size_t round = 0; round < 6; ++round) {
        for (size_t i = 0; i < n; ++i) {
            // Every third point goes and comes back, letting its text go first.
            if ((i + round) % 3 == 0 || points[i] == nullptr) {
                points[i].reset();
                points[i] = std::make_unique<CPointRecord>();
            }
            model[i] = texts[(i * 7 + round * 131) % texts.size()];
            points[i]->SetDescription(model[i].c_str());
        }
        for (size_t i = 0; i < n; ++i)
            ASSERT_STREQ(points[i]->GetDescription(), model[i].c_str()) << "round " << round << " point " << i;
    }
}
