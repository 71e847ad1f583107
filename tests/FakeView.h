#pragma once

#include "platform/View.h"

#include <functional>
#include <string>
#include <vector>

// A view that writes what it receives into a shared log: "<name><hint>" for a hint, "<name>[" and
// "<name>]" around a batch.
class FakeView : public CView {
public:
    FakeView(std::vector<std::string>* log, std::string name = "V", bool dataFileView = true)
        : m_log(log), m_name(std::move(name)), m_dataFileView(dataFileView)
    {
    }

    void OnUpdate(CView*, intptr_t hint, intptr_t hintObject) override
    {
        m_log->push_back(m_name + std::to_string(hint));
        lastObject = hintObject;
        if (onUpdate)
            onUpdate(hint);
    }
    bool IsDataFileView() const override { return m_dataFileView; }
    void OnBeginHintBatch() override { m_log->push_back(m_name + "["); }
    void OnEndHintBatch() override { m_log->push_back(m_name + "]"); }

    intptr_t lastObject = 0;
    std::function<void(intptr_t)> onUpdate;

private:
    std::vector<std::string>* m_log;
    std::string m_name;
    bool m_dataFileView;
};
