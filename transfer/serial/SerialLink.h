#pragma once

#include <cstdint>

// What the transfer loops need of a serial line. `CSerialPort` is the real one; tests put a
// scripted line in its place.
class CSerialLink
{
public:
    virtual ~CSerialLink() = default;

    // One write bounded by the line's time-out: true only when every byte went; `written` says
    // how many did.
    virtual bool Write(const void* data, uint32_t count, uint32_t* written) = 0;
    // Up to `count` bytes; true when at least one came (or count is 0). With *cancel set nothing
    // is read and the answer is false.
    virtual bool Read(void* buffer, uint32_t count, uint32_t* read, const bool* cancel) = 0;
    // An idle pass of a loop: waits up to a millisecond for the line to become readable (or,
    // with `forOutput`, writable), so idle passes do not spin.
    virtual void WaitIdle(bool forOutput) = 0;
    // Drops output the driver still holds (after a Cancel, so closing never waits on a line
    // stopped by XOFF).
    virtual void DiscardOutput() = 0;
};
