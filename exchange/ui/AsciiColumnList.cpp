#include "exchange/ui/AsciiColumnList.h"

#include "framework/ui/CheckListBox.h"
#include "framework/ui/WindowHelpers.h"

#include <algorithm>

void FillAsciiColumnList(CEasyCheckListBox& list, const CAsciiColumnLayout& layout)
{
    list.Clear();
    for (const CAsciiColumnLayout::Item& item : layout.GetItems()) {
        const unsigned row = unsigned(list.Append(ToWx(CAsciiColumnLayout::GetItemText(item.type)),
                                                  reinterpret_cast<void*>(uintptr_t(item.type))));
        list.Check(row, item.checked);
    }
    // Every column shows without scrolling: the desktop's scroll bar hides until the pointer comes
    // near, and a column out of sight is a column the person never learns of.
    list.InvalidateBestSize();
    const wxSize least = list.GetMinSize();
    list.SetMinSize(wxSize(least.x, std::max(least.y, list.GetBestSize().y)));
}

CAsciiColumnLayout ReadAsciiColumnList(const CEasyCheckListBox& list)
{
    std::vector<CAsciiColumnLayout::Item> items;
    for (unsigned row = 0; row < list.GetCount(); ++row)
        items.push_back({uint16_t(reinterpret_cast<uintptr_t>(list.GetClientData(row))), list.IsChecked(row)});
    CAsciiColumnLayout layout;
    layout.SetItems(std::move(items));
    return layout;
}
