#include "FakeJob.h"
#include "model/PointRecord.h"
#include "model/RecordCells.h"
#include "model/RecordMap.h"
#include "model/RecordOwner.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <set>
#include <vector>

namespace {

// Cells come and go in runs of different lengths, so blocks fill, empty, go back to the heap and
// are made again. Every live cell keeps the number it was given and no two share one; addresses
// inside a cell or outside the blocks have none; numbers do not climb past what the peak needs.
// A live cell's number leads back to it.
TEST(RecordCells, NumbersStayOwnAndFewThroughChurn)
{
    struct Case
    {
        std::size_t peak;
        std::size_t steps;
    };
    const std::size_t liveBefore = RecordCells::LiveCount();
    for (const Case c : {Case{3, 200}, Case{2500, 20000}, Case{9000, 30000}}) {
        SCOPED_TRACE(c.peak);
        std::mt19937 random(11);
        std::map<void*, uint32_t> live;
        uint32_t highest = 0;
        for (std::size_t step = 0; step < c.steps; ++step) {
            // Fill towards the peak, then empty nearly all, twice over.
            const bool filling = (step / (c.steps / 4)) % 2 == 0;
            if ((filling ? random() % 4 != 0 : random() % 4 == 0) && live.size() < c.peak) {
                void* cell = RecordCells::Allocate(RecordCells::kCellBytes);
                const uint32_t number = RecordCells::NumberOf(cell);
                ASSERT_NE(number, RecordCells::kNoNumber);
                ASSERT_EQ(RecordCells::CellAt(number), cell);
                ASSERT_TRUE(live.emplace(cell, number).second);
                highest = std::max(highest, number);
            } else if (!live.empty()) {
                auto it = live.begin();
                std::advance(it, random() % live.size());
                ASSERT_EQ(RecordCells::NumberOf(it->first), it->second);
                RecordCells::Free(it->first, RecordCells::kCellBytes);
                live.erase(it);
            }
        }
        std::set<uint32_t> numbers;
        for (const auto& [cell, number] : live) {
            ASSERT_EQ(RecordCells::NumberOf(cell), number);
            ASSERT_EQ(RecordCells::CellAt(number), cell);
            ASSERT_TRUE(numbers.insert(number).second);
            for (std::size_t inside : {std::size_t(1), std::size_t(8), RecordCells::kCellBytes - 1})
                ASSERT_EQ(RecordCells::NumberOf(static_cast<char*>(cell) + inside), RecordCells::kNoNumber);
        }
        EXPECT_LT(highest, c.peak + 4 * 1024);
        EXPECT_EQ(RecordCells::LiveCount(), liveBefore + live.size());
        for (const auto& [cell, number] : live)
            RecordCells::Free(cell, RecordCells::kCellBytes);
    }
    EXPECT_EQ(RecordCells::LiveCount(), liveBefore);
    int local = 0;
    auto heap = std::make_unique<char[]>(RecordCells::kCellBytes);
    EXPECT_EQ(RecordCells::NumberOf(&local), RecordCells::kNoNumber);
    EXPECT_EQ(RecordCells::NumberOf(heap.get()), RecordCells::kNoNumber);
    EXPECT_EQ(RecordCells::NumberOf(nullptr), RecordCells::kNoNumber);
    EXPECT_EQ(RecordCells::CellAt(RecordCells::kNoNumber - 1), nullptr);
}

// The indexes' map against a plain one, with keys of both kinds: records from the cells (by
// number) and records made elsewhere (by address). Records are freed and made again, so a new
// record takes an old one's cell and number and must not find the entry its forerunner left.
TEST(RecordCells, RecordMapFollowsAPlainMap)
{
    std::mt19937 random(5);
    std::vector<std::unique_ptr<CPointRecord>> pooled;
    std::vector<CPointRecord> others(50);
    for (int i = 0; i < 3000; ++i)
        pooled.push_back(std::make_unique<CPointRecord>());
    CRecordMap<int> map;
    std::map<const void*, int> model;
    auto keyAt = [&](std::size_t i) -> const void* {
        return i < pooled.size() ? static_cast<const void*>(pooled[i].get()) : &others[i - pooled.size()];
    };
    for (int step = 0; step < 40000; ++step) {
        const std::size_t i = random() % (pooled.size() + others.size());
        const void* key = keyAt(i);
        switch (random() % 8) {
        case 0:
            if (i < pooled.size()) {
                // Let go of the record the way an index does before it is freed, then make a new one.
                map.Erase(key);
                model.erase(key);
                pooled[i].reset();
                pooled[i] = std::make_unique<CPointRecord>();
                ASSERT_EQ(map.Find(pooled[i].get()), nullptr);
            }
            break;
        case 1:
        case 2:
            ASSERT_EQ(map.Erase(key), model.erase(key) == 1);
            break;
        default: {
            const auto [held, added] = map.Insert(key, step);
            const auto [expected, modelAdded] = model.try_emplace(key, step);
            ASSERT_EQ(added, modelAdded);
            ASSERT_EQ(*held, expected->second);
        }
        }
        ASSERT_EQ(map.Size(), model.size());
    }
    for (std::size_t i = 0; i < pooled.size() + others.size(); ++i) {
        const auto it = model.find(keyAt(i));
        const int* found = map.Find(keyAt(i));
        ASSERT_EQ(found != nullptr, it != model.end()) << i;
        if (found != nullptr) {
            EXPECT_EQ(*found, it->second);
        }
    }
    map.Clear();
    EXPECT_EQ(map.Size(), 0u);
    EXPECT_EQ(map.Find(keyAt(0)), nullptr);
    EXPECT_FALSE(map.Insert(nullptr, 1).second);
}

using morvel::test::FakeJob;

// Records know their owner by a number. Owners come and go in a mixed order; every record of a
// live owner still finds that owner, and a number an owner gave back serves the next one.
TEST(RecordCells, OwnersAreFoundByNumberWhileTheyLive)
{
    std::vector<std::unique_ptr<FakeJob>> owners;
    std::vector<std::pair<std::unique_ptr<CPointRecord>, FakeJob*>> records;
    for (int round = 0; round < 40; ++round) {
        owners.push_back(std::make_unique<FakeJob>());
        for (int i = 0; i < 3; ++i) {
            records.emplace_back(std::make_unique<CPointRecord>(), owners.back().get());
            records.back().first->SetOwner(owners.back().get());
        }
        if (round % 3 == 2) {
            // An owner goes with its records, as a job does.
            FakeJob* gone = owners[std::size_t(round) / 2].get();
            std::erase_if(records, [gone](const auto& r) { return r.second == gone; });
            owners.erase(owners.begin() + round / 2);
        }
        for (const auto& [record, owner] : records) {
            CRecordOwner* found = nullptr;
            ASSERT_TRUE(record->GetOwner(found));
            ASSERT_EQ(found, owner);
        }
    }
    records.front().first->SetOwner(nullptr);
    EXPECT_FALSE(records.front().first->HasOwner());
}

} // namespace
