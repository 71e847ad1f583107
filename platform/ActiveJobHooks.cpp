#include "platform/ActiveJobHooks.h"

#include <utility>

namespace {

ActiveJobHooks& Hooks()
{
    static ActiveJobHooks hooks;
    return hooks;
}

} // namespace

ActiveJobHooks SetActiveJobHooks(ActiveJobHooks hooks)
{
    return std::exchange(Hooks(), std::move(hooks));
}

const ActiveJobHooks& GetActiveJobHooks()
{
    return Hooks();
}
