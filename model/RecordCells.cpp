#include "model/RecordCells.h"

#include "core/MemoryPoison.h"
#include "model/PointerMap.h"

#include <array>
#include <new>
#include <vector>

namespace RecordCells {
namespace {

constexpr std::size_t kBlockBytes = 64 * 1024;
constexpr std::size_t kPageShift = 16;

struct Block
{
    char* cells; // first cell
    void* free = nullptr; // freed cells, chained through their first word
    uint32_t index = 0; // numbers start at index * kCellsPerBlock
    uint32_t live = 0;
    uint32_t cut = 0; // cells handed out at least once; the rest follow in order
    bool listed = false; // in the list of blocks with room
};

// The cells start on the first cache line after the header, wherever the heap put the block.
constexpr std::size_t kLineBytes = 64;
constexpr std::size_t kHeaderBytes = sizeof(Block) + kLineBytes;
constexpr uint32_t kCellsPerBlock = uint32_t((kBlockBytes - kHeaderBytes) / kCellBytes);

// Blocks touching each 64 KB page of addresses: a block spans at most two pages, and a page meets
// at most two blocks, so a cell's block is found without reading the cell.
struct PageBlocks
{
    std::array<Block*, 2> blocks{};
    // Copies of the blocks' first cells and numbers, so finding a number reads no block.
    std::array<uintptr_t, 2> cells{};
    std::array<uint32_t, 2> firstNumbers{};
};

struct State
{
    Block* current = nullptr;
    std::vector<Block*> withRoom; // blocks other than current with free cells
    std::size_t blocks = 0;
    std::vector<uint32_t> freeIndexes;
    std::vector<Block*> byIndex; // the block of each index in use; null for a free index
    uint32_t nextIndex = 0;
    std::size_t live = 0;
    CPointerMap<PageBlocks> pages;
    // The page asked about last, copied: a job's records lie together, so walks ask about the
    // same few pages over and over.
    const void* lastKey = nullptr;
    PageBlocks last;
    // The cell handed out last and its number: a new record is numbered by every index it joins.
    const void* lastCell = nullptr;
    uint32_t lastNumber = kNoNumber;
};

State& S()
{
    // Never destroyed: records of jobs alive at exit still give their cells back.
    static State* state = new State;
    return *state;
}

const void* PageKey(uintptr_t address) { return reinterpret_cast<const void*>((address >> kPageShift) + 1); }

constexpr std::size_t kCellsBytes = std::size_t(kCellsPerBlock) * kCellBytes;

void Register(State& s, Block* block, bool add)
{
    s.lastKey = nullptr;
    s.lastCell = nullptr;
    s.lastNumber = kNoNumber;
    const uintptr_t first = reinterpret_cast<uintptr_t>(block);
    for (uintptr_t page : {first, first + kBlockBytes - 1}) {
        if (page != first && (page >> kPageShift) == (first >> kPageShift))
            continue;
        if (add) {
            PageBlocks* entry = s.pages.Insert(PageKey(page), PageBlocks{}).first;
            const std::size_t i = entry->blocks[0] == nullptr ? 0 : 1;
            entry->blocks[i] = block;
            entry->cells[i] = reinterpret_cast<uintptr_t>(block->cells);
            entry->firstNumbers[i] = block->index * kCellsPerBlock;
        } else if (PageBlocks* entry = s.pages.Find(PageKey(page))) {
            for (std::size_t i = 0; i < entry->blocks.size(); ++i)
                if (entry->blocks[i] == block) {
                    entry->blocks[i] = nullptr;
                    entry->cells[i] = 0;
                }
            if (entry->blocks[0] == nullptr && entry->blocks[1] == nullptr)
                s.pages.Erase(PageKey(page));
        }
    }
}

Block* NewBlock(State& s)
{
    // Room in the tables first, so a failure leaves nothing half made.
    s.withRoom.reserve(s.blocks + 1);
    s.pages.Reserve(s.pages.Size() + 2);
    s.freeIndexes.reserve(s.nextIndex + 1);
    if (s.freeIndexes.empty())
        s.byIndex.reserve(std::size_t(s.nextIndex) + 1);
    void* memory = ::operator new(kBlockBytes);
    auto* block = new (memory) Block;
    const uintptr_t afterHeader = reinterpret_cast<uintptr_t>(memory) + sizeof(Block);
    block->cells = static_cast<char*>(memory) + ((afterHeader + kLineBytes - 1) / kLineBytes * kLineBytes -
                                                 reinterpret_cast<uintptr_t>(memory));
    if (!s.freeIndexes.empty()) {
        block->index = s.freeIndexes.back();
        s.freeIndexes.pop_back();
    } else {
        block->index = s.nextIndex++;
        s.byIndex.push_back(nullptr);
    }
    s.byIndex[block->index] = block;
    Register(s, block, true);
    ++s.blocks;
    PoisonMemory(block->cells, kCellsBytes);
    return block;
}

void DropBlock(State& s, Block* block)
{
    Register(s, block, false);
    s.freeIndexes.push_back(block->index);
    s.byIndex[block->index] = nullptr;
    --s.blocks;
    UnpoisonMemory(block->cells, kCellsBytes);
    block->~Block();
    ::operator delete(static_cast<void*>(block));
}

// The entry of p's page in the pages' table, or null; p is not read.
const PageBlocks* PageOf(State& s, uintptr_t address)
{
    const void* key = PageKey(address);
    if (key == s.lastKey)
        return &s.last;
    const PageBlocks* entry = s.pages.Find(key);
    if (entry == nullptr)
        return nullptr;
    s.lastKey = key;
    s.last = *entry;
    return &s.last;
}

// Which of the page's blocks holds a cell starting at p, or -1; place is the cell's place in it.
int SlotOf(const PageBlocks& entry, uintptr_t address, uint32_t& place)
{
    for (int i = 0; i < 2; ++i) {
        const uintptr_t cells = entry.cells[std::size_t(i)];
        if (cells == 0 || address < cells || address >= cells + kCellsBytes)
            continue;
        if ((address - cells) % kCellBytes != 0)
            return -1;
        place = uint32_t((address - cells) / kCellBytes);
        return i;
    }
    return -1;
}

Block* BlockOf(State& s, const void* p, uint32_t& place)
{
    const uintptr_t address = reinterpret_cast<uintptr_t>(p);
    const PageBlocks* entry = PageOf(s, address);
    const int i = entry != nullptr ? SlotOf(*entry, address, place) : -1;
    return i < 0 ? nullptr : entry->blocks[std::size_t(i)];
}

} // namespace

void* Allocate(std::size_t bytes)
{
    if (bytes > kCellBytes)
        return ::operator new(bytes);
    State& s = S();
    Block* block = s.current;
    if (block == nullptr || (block->free == nullptr && block->cut == kCellsPerBlock)) {
        if (!s.withRoom.empty()) {
            block = s.withRoom.back();
            s.withRoom.pop_back();
            block->listed = false;
        } else {
            block = NewBlock(s);
        }
        // A full block is let go of: it comes back through the list when a cell of it is freed.
        s.current = block;
    }
    void* cell;
    if (block->free != nullptr) {
        cell = block->free;
        UnpoisonMemory(cell, kCellBytes);
        block->free = *static_cast<void**>(cell);
    } else {
        cell = block->cells + std::size_t(block->cut++) * kCellBytes;
        UnpoisonMemory(cell, kCellBytes);
    }
    ++block->live;
    ++s.live;
    s.lastCell = cell;
    s.lastNumber = block->index * kCellsPerBlock + uint32_t((static_cast<char*>(cell) - block->cells) / kCellBytes);
    return cell;
}

void Free(void* cell, std::size_t bytes)
{
    if (cell == nullptr)
        return;
    if (bytes > kCellBytes) {
        ::operator delete(cell);
        return;
    }
    State& s = S();
    uint32_t place = 0;
    Block* block = BlockOf(s, cell, place);
    if (block == nullptr) {
        // Not a cell of ours: made before the cells existed for it, or by another allocator.
        ::operator delete(cell);
        return;
    }
    *static_cast<void**>(cell) = block->free;
    block->free = cell;
    PoisonMemory(cell, kCellBytes);
    --block->live;
    --s.live;
    if (block == s.current)
        return;
    if (block->live == 0) {
        if (block->listed) {
            for (std::size_t i = 0; i < s.withRoom.size(); ++i)
                if (s.withRoom[i] == block) {
                    s.withRoom[i] = s.withRoom.back();
                    s.withRoom.pop_back();
                    break;
                }
        }
        DropBlock(s, block);
        return;
    }
    if (!block->listed) {
        // Cannot fail: room for every block was made when each was added.
        s.withRoom.push_back(block);
        block->listed = true;
    }
}

uint32_t NumberOf(const void* p)
{
    State& s = S();
    if (p == s.lastCell)
        return s.lastNumber;
    const uintptr_t address = reinterpret_cast<uintptr_t>(p);
    const PageBlocks* entry = PageOf(s, address);
    uint32_t place = 0;
    const int i = entry != nullptr ? SlotOf(*entry, address, place) : -1;
    return i < 0 ? kNoNumber : entry->firstNumbers[std::size_t(i)] + place;
}

void* CellAt(uint32_t number)
{
    const State& s = S();
    const std::size_t index = number / kCellsPerBlock;
    const uint32_t place = number % kCellsPerBlock;
    const Block* block = index < s.byIndex.size() ? s.byIndex[index] : nullptr;
    return block != nullptr && place < block->cut ? block->cells + std::size_t(place) * kCellBytes : nullptr;
}

std::size_t LiveCount() { return S().live; }

} // namespace RecordCells
