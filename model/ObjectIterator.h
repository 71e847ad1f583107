#pragma once

class CRecord;

// Generic walk over the objects of a job, as the selection framework uses it.
class CObjectIterator
{
public:
    virtual ~CObjectIterator() = default;
    // Starts the walk; false when there is nothing to walk.
    virtual bool First() = 0;
    // The next object; false (out null) at the end.
    virtual bool Next(CRecord*& out) = 0;
};
