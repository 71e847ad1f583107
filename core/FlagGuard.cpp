#include "core/FlagGuard.h"

CFlagGuard::CFlagGuard(bool* flag_, bool value, bool clearOnExit_) : flag(flag_), clearOnExit(clearOnExit_)
{
    if (flag)
        *flag = value;
}

CFlagGuard::~CFlagGuard()
{
    if (clearOnExit)
        Clear();
}

void CFlagGuard::Clear()
{
    if (flag)
        *flag = false;
}

void CFlagGuard::Set()
{
    if (flag)
        *flag = true;
}
