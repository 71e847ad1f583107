#pragma once

// A dialog of plain text controls and a recorder of validation pop-ups, for the exchange tests.

#include "core/DataExchange.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace morvel::test {

class FakeControl : public CDdxControl
{
public:
    std::string GetText() const override { return text; }
    void SetText(const std::string& t) override
    {
        text = t;
        ++setCount;
    }
    void SetTextLimit(int chars) override { limit = chars; }
    ScreenRect GetScreenRect() const override { return rect; }

    std::string text;
    int limit = -1;
    int setCount = 0;
    ScreenRect rect{100, 100, 200, 120};
};

class FakeDialog : public CDdxDialog
{
public:
    CDdxControl* GetDdxControl(int id) override
    {
        auto it = controls.find(id);
        return it == controls.end() ? nullptr : &it->second;
    }
    bool IsDdxQuiet() const override { return quiet; }
    void ShowDdxPage() override { ++pagesShown; }
    void GiveDdxFocus(int id) override { focused = id; }

    // Adds the control with its text.
    FakeControl& Add(int id, const std::string& text = {})
    {
        controls[id].text = text;
        return controls[id];
    }
    bool Save(const std::function<void(CDataExchange&)>& exchange) { return RunDataExchange(*this, true, exchange); }
    bool Load(const std::function<void(CDataExchange&)>& exchange) { return RunDataExchange(*this, false, exchange); }

    std::map<int, FakeControl> controls;
    bool quiet = false;
    int focused = 0;
    int pagesShown = 0;
};

// Records every pop-up for its life and answers Enter.
class DdxErrorRecorder
{
public:
    DdxErrorRecorder()
    {
        m_previous = SetDdxErrorHandler([this](const DdxErrorRequest& r) {
            messages.push_back(r.message);
            ids.push_back(r.controlId);
            return 1;
        });
    }
    ~DdxErrorRecorder() { SetDdxErrorHandler(m_previous); }

    std::string Last() const { return messages.empty() ? std::string() : messages.back(); }

    std::vector<std::string> messages;
    std::vector<int> ids;

private:
    DdxErrorHandler m_previous;
};

} // namespace morvel::test
