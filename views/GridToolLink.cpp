#include "views/GridToolLink.h"

namespace {
CGridToolLink g_defaultLink;
CGridToolLink* g_link = nullptr;
} // namespace

void SetGridToolLink(CGridToolLink* link) { g_link = link; }

CGridToolLink& GetGridToolLink() { return g_link ? *g_link : g_defaultLink; }
