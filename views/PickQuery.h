#pragma once

#include "core/Location.h"
#include "model/DataFileDoc.h"
#include "model/UndoStack.h"
#include "views/WorldDeviceMap.h"

#include <cstdint>
#include <string>
#include <vector>

class CGraphicDataExchange;
class CRecord;

// What the map's queries carry between a caller and the map; built on the caller's stack.
struct CPickQuery
{
    DevicePoint point;
    DevicePoint point2;
    bool flag = false; // keep the snap mode, or highlight
    int32_t reserved = 0;
    CLocation location{0.0, 0.0, NoValue};
    CLocation tolerance{0.0, 0.0, NoValue};
    CGraphicDataExchange* exchange = nullptr;
    int32_t viewKind = 2;
    DeviceRect rect;
    std::vector<RecordRef> hits;
    std::vector<uint32_t> rawHits; // found preview tags: raw data line numbers
    std::string text;
    CWorldRect window;
    CRecord* result = nullptr;
};

// The drag record of a realtime zoom or pan step: the previous and the current device point.
struct CDragStep
{
    int32_t x1 = 0;
    int32_t y1 = 0;
    int32_t x2 = 0;
    int32_t y2 = 0;
    bool pushHistory = false;
};
