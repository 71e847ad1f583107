#include "transfer/serial/InstrumentModels.h"

#include "core/NikonColumnCollection.h"
#include "model/MorvelSettings.h"

#include <algorithm>

CInstrumentModel GetInstrumentModel(int32_t index)
{
    CInstrumentModel model;
    model.index = index;
    model.recordFormat = IsRecordFormatModel(index);
    model.decimals = GetModelCoordinateDecimals(index);
    model.blankLayout = UsesBlankColumnLayout(index);
    switch (index) {
    case 0: case 1: case 4:
        model.alphanumericNames = false;
        model.longestName = index == 0 ? 12 : 9;
        model.coordinateDownloads = false;
        break;
    case 2: case 3: case 5: case 6: case 10:
        model.longestName = 12;
        break;
    case 7: case 8:
        model.alphanumericNames = false;
        model.longestName = 9;
        break;
    case 9:
        model.longestName = 16;
        break;
    default:
        break; // unknown: names as the least of them takes
    }
    return model;
}

std::string GetInstrumentModelName(int32_t index)
{
    return CMorvelSettings::GetModelNameByIndex(index);
}

bool IsNameRefusedByModel(const CInstrumentModel& model, const std::string& name)
{
    if (model.alphanumericNames)
        return false;
    return !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsNameTooLongForModel(const CInstrumentModel& model, const std::string& name)
{
    return static_cast<int32_t>(name.size()) > model.longestName;
}
