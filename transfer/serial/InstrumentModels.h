#pragma once

#include <cstdint>
#include <string>

// What the transfer does for one instrument model (index as the transfer settings keep it;
// 0 to 9 the Nikon family, 10 the Lumora instrument).
struct CInstrumentModel
{
    int32_t index = -1;
    // Uploads go as records with check characters (models 0, 1 and 4), else as column lines.
    bool recordFormat = false;
    // Names other than digits only may be sent.
    bool alphanumericNames = true;
    int32_t longestName = 9;
    // Decimals of the coordinates sent.
    int32_t decimals = 7;
    // The default column layout has a blank column after the name.
    bool blankLayout = false;
    // Get Job offers coordinates besides raw data.
    bool coordinateDownloads = true;
};

// The model's row; an index outside 0 to 10 gets the row of an unknown model.
CInstrumentModel GetInstrumentModel(int32_t index);
// "Unknown" outside 0 to 10.
std::string GetInstrumentModelName(int32_t index);

// A name the model refuses: not all digits where the model takes digits only.
bool IsNameRefusedByModel(const CInstrumentModel& model, const std::string& name);
// A name longer than the model's longest.
bool IsNameTooLongForModel(const CInstrumentModel& model, const std::string& name);
