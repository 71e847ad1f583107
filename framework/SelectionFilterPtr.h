#pragma once

// The dialogs' selection filters are the selection model's own.
#include "model/SelectionFilter.h"
