#include "views/DrawState.h"

CDrawState::CDrawState(int32_t viewKind_, int32_t mode_, CRecord* record_, int32_t, int32_t, int32_t colourFlag_)
{
    colourFlag = colourFlag_;
    viewKind = viewKind_;
    if (mode_ == DrawModeOneRecord) {
        mode = mode_;
        record = record_;
    } else if (mode_ == DrawModeSelected || mode_ == DrawModeResyncHighlight) {
        mode = mode_;
    }
}
