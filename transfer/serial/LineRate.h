#pragma once

#include <cstdint>

// The kernel's own rate fields take any rate, where termios knows only fixed ones (14400, in the
// preferences' list, has none). Kept apart because its headers clash with <termios.h>.

// Runs the line at exactly this rate, in and out. False when the driver refuses it.
bool SetExactLineRate(int fd, uint32_t rate);
// The rate the line sends at; 0 when it cannot be read.
uint32_t GetExactLineRate(int fd);
