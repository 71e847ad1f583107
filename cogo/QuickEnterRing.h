#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class CProfile;

// The inputs of the point panels that Enter can step through, in the ring's fixed order.
enum class QuickEnterSlot : int32_t
{
    Name,
    Northing,
    Easting,
    Elevation,
    Description,
    AddButton,
};

// Which inputs quick enter visits, kept in the profile from one run to the next.
struct CQuickEnterFlags
{
    int32_t enabled = 1;
    int32_t name = 0;
    int32_t northing = 1;
    int32_t easting = 1;
    int32_t elevation = 1;
    int32_t description = 1;

    void Load(CProfile& profile);
    void Save(CProfile& profile) const;
};

// The Enter ring of the point panels: the chosen inputs the panel has, then its Add button. The
// window layer asks which slot comes next; the slots' windows stay with it.
class CQuickEnterRing
{
public:
    // Rebuilds the ring from the flags. present says which slots the panel has (the edit panel
    // has no name field and no Add button). A ring without a chosen input switches quick enter
    // off in the flags, so the profile keeps it off. False when quick enter is off.
    bool Build(CQuickEnterFlags& flags, const std::function<bool(QuickEnterSlot)>& present);

    // The slot Enter moves to from the focused one: the first usable entry after it, searching
    // from the head when the focus is outside the ring or on its last entry. Empty (false) when
    // no usable entry remains before the end, and Enter then keeps its ordinary meaning.
    bool Next(const QuickEnterSlot* focused, const std::function<bool(QuickEnterSlot)>& usable,
              QuickEnterSlot& target) const;

    const std::vector<QuickEnterSlot>& GetSlots() const { return m_slots; }
    bool IsEmpty() const { return m_slots.empty(); }

private:
    std::vector<QuickEnterSlot> m_slots;
};
