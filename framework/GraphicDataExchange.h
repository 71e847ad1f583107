#pragma once

#include "core/Location.h"
#include "framework/GraphicDataTarget.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// The link between the map tools and a waiting input field: the field that receives picks (or a
// receiver when no field waits), the kind of pick, the picked location, the pick tolerances and
// the further values tools write for fields to read.
class CGraphicDataExchange
{
public:
    CGraphicDataExchange() { Reset(); }
    CGraphicDataExchange(const CGraphicDataExchange&) = delete;
    CGraphicDataExchange& operator=(const CGraphicDataExchange&) = delete;
    virtual ~CGraphicDataExchange();

    static constexpr int32_t NoMode = 2;
    static constexpr int ValueCount = 6; // the first four reset to 0, the last two to no value
    static constexpr int WordCount = 2;

    // Drops the target and the receiver and returns every value to "nothing picked". A receiver
    // whose delivery is running is deleted only when that delivery returns.
    void Reset();

    bool SetTarget(CGraphicDataTarget* field);
    bool IsTarget(const CGraphicDataTarget* field) const { return field == target; }
    bool IsTargetActive() const { return target && target->IsTargetEnabled(); }
    CGraphicDataTarget* GetTarget() const { return IsTargetActive() ? target : nullptr; }
    bool TargetAcceptsToolPick() const { return IsTargetActive() && target->IsInteractive(); }
    bool TargetAcceptsLinePick() const { return IsTargetActive() && target->AcceptsLinePick(); }
    bool TargetIsPointControl() const { return target && target->IsPointControl(); }

    void SetReceiver(std::unique_ptr<CGraphicDataReceiver> r);
    CGraphicDataReceiver* GetReceiver() const { return receiver.get(); }

    void Deliver(uint32_t code, bool notifyDialog);

    void SaveTarget();
    void ClearSavedTarget();
    void RestoreTarget(int32_t newMode);
    bool HasSavedTarget() const { return savedTarget != nullptr; }
    int32_t GetSavedMode() const { return savedMode; }

    const CLocation& GetLocation() const { return location; }
    void SetLocation(const CLocation& at) { location = at; }
    void SetPickTolerances(double x, double y)
    {
        toleranceX = x;
        toleranceY = y;
    }
    double GetToleranceX() const { return toleranceX; }
    double GetToleranceY() const { return toleranceY; }
    int32_t GetMode() const { return mode; }
    void SetMode(int32_t m) { mode = m; }

    // The rectangle of a rectangle pick (world x1, x2, y1, y2) is kept in the first four values.
    void SetRectangle(double x1, double x2, double y1, double y2)
    {
        values[0] = x1;
        values[1] = x2;
        values[2] = y1;
        values[3] = y2;
    }

    double GetValue(int n) const { return values.at(n); }
    void SetValue(int n, double v) { values.at(n) = v; }
    int32_t GetPickSuppressed() const { return pickSuppressed; }
    void SetPickSuppressed(int32_t s) { pickSuppressed = s; }
    int32_t GetWord(int n) const { return words.at(n); }
    void SetWord(int n, int32_t w) { words.at(n) = w; }

    // Called by a dying field.
    void ForgetTarget(const CGraphicDataTarget* field);

private:
    void Link(CGraphicDataTarget* field);
    void Unlink(CGraphicDataTarget* field);

    CGraphicDataTarget* target = nullptr;
    std::unique_ptr<CGraphicDataReceiver> receiver;
    int32_t mode = NoMode;
    CLocation location;
    double toleranceX = 0.0;
    double toleranceY = 0.0;
    std::array<double, ValueCount> values{};
    int32_t pickSuppressed = 0;
    std::array<int32_t, WordCount> words{};
    CGraphicDataTarget* savedTarget = nullptr;
    int32_t savedMode = NoMode;

    int deliveryDepth = 0;
    std::vector<std::unique_ptr<CGraphicDataReceiver>> retired;
};

// The program's one exchange.
CGraphicDataExchange& GetGraphicDataExchange();
