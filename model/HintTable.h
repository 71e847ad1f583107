#pragma once

#include <cstdint>

// The fixed table that says for each change-hint code where it goes and when.

// Queue position of hints that wait in the queue shared by all documents.
constexpr int32_t GlobalHintOrder = 0x7FFFFFFF;
// Queue position read for a code the table does not know.
constexpr int32_t UnknownHintOrder = 9999;

bool IsHintInTable(int32_t code);
// Dropped codes: marked ignored, or not in the table.
bool IsHintIgnored(int32_t code);
bool IsHintNoViewUpdate(int32_t code);
bool IsHintNoBroadcast(int32_t code);
// Broadcast whatever document is active (otherwise only for the active job).
bool IsHintAnyDocument(int32_t code);
bool IsHintImmediate(int32_t code);
// Every hint queued separately (otherwise a queued hint of the same code is overwritten).
bool IsHintKeepEach(int32_t code);
int32_t GetHintOrder(int32_t code);
bool IsHintGlobal(int32_t code);
// Number of rows.
int32_t GetHintTableSize();
