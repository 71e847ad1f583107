#pragma once

#include <cstdint>

// One change hint: who sent it, what it announces and its parameter.
struct CHintObject {
    void* sender = nullptr;
    int32_t code = -1;
    intptr_t parameter = 0;
};
