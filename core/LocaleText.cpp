#include "core/LocaleText.h"

#include <langinfo.h>
#include <locale.h>

#include <utility>

namespace {

LocaleTextProvider& Provider()
{
    static LocaleTextProvider provider;
    return provider;
}

// The user's numeric conventions from the environment, independent of the process's global
// locale (which stays "C" for the number texts of files).
locale_t UserNumericLocale()
{
    static const locale_t loc = [] {
        locale_t l = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
        if (!l)
            l = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
        return l;
    }();
    return loc;
}

std::string UserLocaleText(int type)
{
    locale_t loc = UserNumericLocale();
    if (type == LocaleDecimalSeparator) {
        const char* s = loc ? nl_langinfo_l(RADIXCHAR, loc) : ".";
        return (s && *s) ? std::string(s) : std::string(".");
    }
    if (type == LocaleThousandsSeparator) {
        const char* s = loc ? nl_langinfo_l(THOUSEP, loc) : "";
        return s ? std::string(s) : std::string();
    }
    return {};
}

} // namespace

std::string GetLocaleText(int type)
{
    const LocaleTextProvider& p = Provider();
    return p ? p(type) : UserLocaleText(type);
}

void SetLocaleTextProvider(LocaleTextProvider provider)
{
    Provider() = std::move(provider);
}

CLocaleTextOverride::CLocaleTextOverride(std::string decimalSeparator, std::string thousandsSeparator)
    : m_previous(Provider())
{
    Provider() = [d = std::move(decimalSeparator), t = std::move(thousandsSeparator)](int type) {
        if (type == LocaleDecimalSeparator)
            return d;
        if (type == LocaleThousandsSeparator)
            return t;
        return std::string();
    };
}

CLocaleTextOverride::~CLocaleTextOverride()
{
    Provider() = std::move(m_previous);
}
