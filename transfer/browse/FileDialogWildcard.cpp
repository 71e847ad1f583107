#include "transfer/browse/FileDialogWildcard.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// "*.Mvj" as "*.[Mm][Vv][Jj]"; a pattern without letters, or one that already uses brackets,
// stays as it is.
std::string AnyCase(const std::string& pattern)
{
    if (pattern.find('[') != std::string::npos)
        return pattern;
    std::string out;
    for (const char c : pattern) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80 && std::isalpha(u)) {
            out += '[';
            out += char(std::toupper(u));
            out += char(std::tolower(u));
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}

std::string Patterns(const std::string& list)
{
    std::vector<std::string> tokens;
    auto add = [&](const std::string& token) {
        if (std::find(tokens.begin(), tokens.end(), token) == tokens.end())
            tokens.push_back(token);
    };
    for (std::string token : Split(list, ';')) {
        if (token.empty())
            continue;
        if (token == "*.*")
            token = "*";
        add(token);
        add(AnyCase(token));
    }
    std::string out;
    for (const std::string& token : tokens)
        out += (out.empty() ? "" : ";") + token;
    return out;
}

} // namespace

std::string MakeFileDialogWildcard(const std::string& filter)
{
    std::vector<std::string> parts = Split(filter, '|');
    while (!parts.empty() && parts.back().empty())
        parts.pop_back();
    std::string out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::string patterns = Patterns(parts[i + 1]);
        if (patterns.empty())
            continue;
        out += (out.empty() ? "" : "|") + parts[i] + "|" + patterns;
    }
    return out;
}
