#include "model/TestJobDoc.h"
#include "TestUtil.h"
#include "views/PointRowsSettingsScope.h"

#include "core/NoValue.h"
#include "model/MorvelSettings.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "platform/Profile.h"
#include "views/PointRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using morvel::test::OpenDocumentScope;
using morvel::test::TempDir;
using morvel::test::TestJobDoc;

namespace {

struct Point
{
    const char* name;
    double e, n, z;
    const char* description;
};

// Names whose natural order differs from plain text, coordinates and texts that compare equal.
const Point kPoints[] = {
    {"10", 5.0, 1.0, 3.0, "fence"},     {"9", 5.0, 1.0, NoValue, "FENCE"}, {"010B", -0.0, 2.0, 0.0, ""},
    {"a2", 0.0, 2.0, -0.0, "Fence "},   {"A10", 1e15, -1e15, 1e-7, "a"},   {"a01", 0.5, 0.5, 0.5, "B"},
    {"b", 0.5, -0.5, 0.5, ""},          {"B1", 2.5, 2.5, 2.5, "b"},        {"_1", -3.0, 1e-7, -3.0, "fence"},
    {"Z9Z", 5.0, 1.0, 3.0, "_"},        {"z10z", 1.0, 1.0, NoValue, "z"},  {"1", 5.0, 1.0, 3.0, "fence"},
    {"001C", 0.25, 4.0, 1.0, "fence1"},  {"99999", 4.0, 0.25, 1.0, "FENCE"}, {"100000", 4.0, 0.25, 1.0, "aa"},
};

using SettingsScope = morvel::test::PointRowsSettingsScope;

std::vector<CRecord*> Rows(TestJobDoc& doc)
{
    std::vector<CRecord*> rows;
    CSpRecordRBTree* sorted = doc.GetSortedIndex();
    for (int32_t i = 0; i < sorted->GetCount(); ++i)
        rows.push_back(sorted->GetAt(i));
    return rows;
}

// The order one comparison at a time gives, over the points in their given order.
std::vector<CRecord*> CompareOrder(std::vector<CRecord*> points)
{
    std::stable_sort(points.begin(), points.end(),
                     [](CRecord* a, CRecord* b) { return CPointRows::Compare(a, b) < 0; });
    return points;
}

std::vector<std::string> Names(const std::vector<CRecord*>& rows)
{
    std::vector<std::string> names;
    for (const CRecord* r : rows)
        names.push_back(static_cast<const CPointRecord*>(r)->GetName());
    return names;
}

} // namespace

// Filing the grid anew and re-sorting it give, for every column and both coordinate orders, the
// rows that sorting with the row comparison itself gives.
TEST(PointRowsKeyOrder, EveryColumnMatchesTheRowComparison)
{
    SettingsScope scope;
    TestJobDoc doc;
    OpenDocumentScope open(&doc);
    // Twice over, so every key has an equal twin that only the sequence tells apart.
    for (int copy = 0; copy < 2; ++copy)
        for (const Point& p : kPoints) {
            const std::string name = copy == 0 ? p.name : std::string("Q") + p.name;
            CPointRecord* point = doc.AddPoint(name.c_str(), p.e, p.n, p.z);
            ASSERT_NE(point, nullptr) << name;
            point->SetDescription(p.description);
        }
    CPointRows rows;
    rows.Attach(&doc);
    for (bool northingFirst : {true, false}) {
        scope.settings().SetCoordOrder(northingFirst);
        for (int column = 0; column < GridColumnCount; ++column) {
            SCOPED_TRACE("column " + std::to_string(column) + (northingFirst ? " N first" : " E first"));
            CPointRows::SetSortColumn(column);
            rows.RebuildSortOrder();
            std::vector<CRecord*> stored;
            CRecordDatabase* store = doc.GetRecordDatabase();
            CRecordCursor cursor = store->GetFirstRecord(0);
            while (CRecord* record = store->GetNextRecord(cursor))
                stored.push_back(record);
            EXPECT_EQ(Names(Rows(doc)), Names(CompareOrder(stored)));

            // Re-sorting rows filed in another column's order, as a changed coordinate order asks.
            CPointRows::SetSortColumn((column + 1) % GridColumnCount);
            rows.RebuildSortOrder();
            const std::vector<CRecord*> before = Rows(doc);
            CPointRows::SetSortColumn(column);
            rows.ResortPoints();
            EXPECT_EQ(Names(Rows(doc)), Names(CompareOrder(before)));
        }
    }
    rows.Detach();
}
