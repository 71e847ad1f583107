#pragma once

#include "views/GridToolLink.h"

class CViewToolHost;

// The grid's link to the application's view tools and pick exchange: picked rows reach the
// waiting field as an object hit, the right button in a list goes to the current tool.
class CAppGridToolLink : public CGridToolLink
{
public:
    explicit CAppGridToolLink(CViewToolHost& tools) : m_tools(tools) {}

    bool IsSelectByRectToolCurrent() const override;
    void ToolRightButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void ToolRightButtonUp(uint32_t flags, int32_t x, int32_t y) override;
    void RestoreDefaultTool() override;
    bool HasExchange() const override;
    void DeliverToolEvent(int code) override;

private:
    CViewToolHost& m_tools;
};
