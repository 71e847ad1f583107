#include "shell/RunUserPreferences.h"

#include "platform/MessageBox.h"

#include <utility>

namespace {
UserPreferencesRunner& Runner()
{
    static UserPreferencesRunner runner;
    return runner;
}
} // namespace

int RunUserPreferences(int32_t startPage) { return Runner() ? Runner()(startPage) : IDCANCEL; }

UserPreferencesRunner SetRunUserPreferences(UserPreferencesRunner runner)
{
    return std::exchange(Runner(), std::move(runner));
}
