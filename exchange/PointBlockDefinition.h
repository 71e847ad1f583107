#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Item kinds of a point-block definition.
inline constexpr uint32_t PointBlockName = 0;
inline constexpr uint32_t PointBlockDescription = 1;
inline constexpr uint32_t PointBlockElevation = 2;
inline constexpr uint32_t PointBlockBlank = 3;

// One attribute slot of a point block: which point field it carries and whether it takes part
// (on import it consumes one attribute, on export it writes one).
struct CPointBlockItem
{
    uint32_t kind = PointBlockBlank;
    bool checked = false;

    bool operator==(const CPointBlockItem&) const = default;
};

// How the attributes of a DXF block reference map to a point's fields, in attribute order. The
// DXF import reads attributes by it (an empty definition means "recognise them by their tags"),
// the export writes them by it, and both dialogs keep it in the profile as its text form
// ("N1D1E0": a letter and a check digit per item).
class CPointBlockDefinition
{
public:
    // Name checked, Description checked, Elevation unchecked, Blank unchecked.
    CPointBlockDefinition();

    bool HasCheckedName() const { return HasChecked(PointBlockName); }
    bool HasCheckedDescription() const { return HasChecked(PointBlockDescription); }
    bool HasCheckedElevation() const { return HasChecked(PointBlockElevation); }

    // Only the first Name, Description and Elevation are written; trailing Blanks are dropped and
    // the missing kinds follow unchecked.
    std::string ToText() const;
    // Replaces the items by those of a text; an empty text gives the default definition. Unknown
    // letters and repeats are skipped, leading Blanks dropped, and the missing kinds and one Blank
    // are appended unchecked, so the result always offers every kind.
    void FromText(const std::string& text);

    const std::vector<CPointBlockItem>& GetItems() const { return m_items; }
    size_t GetCount() const { return m_items.size(); }
    bool IsEmpty() const { return m_items.empty(); }
    void RemoveAll() { m_items.clear(); }
    void Append(const CPointBlockItem& item) { m_items.push_back(item); }
    void Append(uint32_t kind, bool checked) { m_items.push_back({kind, checked}); }

    bool operator==(const CPointBlockDefinition&) const = default;

private:
    bool HasChecked(uint32_t kind) const;
    void SetDefault();

    std::vector<CPointBlockItem> m_items;
};
