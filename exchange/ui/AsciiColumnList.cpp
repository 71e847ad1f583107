#include "exchange/ui/AsciiColumnList.h"

#include "framework/ui/CheckListBox.h"
#include "framework/ui/WindowHelpers.h"

void FillAsciiColumnList(CEasyCheckListBox& list, const CAsciiColumnLayout& layout)
{
    list.Clear();
    for (const CAsciiColumnLayout::Item& item : layout.GetItems()) {
        const unsigned row = unsigned(list.Append(ToWx(CAsciiColumnLayout::GetItemText(item.type)),
                                                  reinterpret_cast<void*>(uintptr_t(item.type))));
        list.Check(row, item.checked);
    }
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
