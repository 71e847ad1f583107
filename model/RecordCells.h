#pragma once

#include <cstddef>
#include <cstdint>

// Point records' storage: cells of one size cut from 64 KB blocks, with no heap header each, each
// on a cache line of its own, and numbered by block and place. The job's indexes keep a record's entry in a table by its number
// rather than in a hash by its address: a word an entry instead of a slot and its spare room.
// A block goes back to the heap with its last cell (the one being cut from stays). The model is
// used from one thread.
namespace RecordCells {

constexpr std::size_t kCellBytes = 64;
constexpr uint32_t kNoNumber = UINT32_MAX;

// A cell for bytes up to kCellBytes; larger requests go to the heap.
void* Allocate(std::size_t bytes);
void Free(void* cell, std::size_t bytes);
// The number of the cell starting at p, or kNoNumber for any other address; p is not read.
uint32_t NumberOf(const void* p);
// The cell of that number, handed out at least once and not yet given back with its block;
// otherwise null. Whether the cell is in use now is the caller's to know.
void* CellAt(uint32_t number);
// Cells in use, all blocks.
std::size_t LiveCount();

} // namespace RecordCells
