#pragma once

#include <cstdint>
#include <string>

// The program's string table: texts that several places show under one number.
// An unknown id gives the empty text.
std::string LoadResourceString(uint32_t id);
