#pragma once

#include <cstdint>

class CRecord;

// A list that shows job objects one a row, each row holding its object: what the selection
// operator fills from a selection bit and takes the selected rows back from.
class IObjectListTarget
{
public:
    virtual ~IObjectListTarget() = default;
    virtual void DeleteAllItems() = 0;
    virtual int32_t GetItemCount() const = 0;
    // A row at index with no text and no selection, holding the object.
    virtual void InsertObjectItem(int32_t index, CRecord* object) = 0;
    virtual CRecord* GetItemObject(int32_t index) const = 0;
    virtual bool IsItemSelected(int32_t index) const = 0;
    // Removes the row; the rows below move up one.
    virtual void DeleteItem(int32_t index) = 0;
};
