#include "platform/Profile.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'A' && ca <= 'Z')
            ca = static_cast<unsigned char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z')
            cb = static_cast<unsigned char>(cb - 'A' + 'a');
        if (ca != cb)
            return false;
    }
    return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool HasLineEnd(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// A name must read back as written: not empty, no line end, no blanks at either end.
bool IsStorableName(std::string_view s)
{
    return !s.empty() && !HasLineEnd(s) && Trim(s).size() == s.size();
}

bool IsStorableKey(std::string_view key)
{
    return IsStorableName(key) && key.find('=') == std::string_view::npos && key.front() != '[' &&
           key.front() != ';' && key.front() != '#';
}

bool IsStorableSection(std::string_view section)
{
    return IsStorableName(section) && section.find(']') == std::string_view::npos;
}

bool ParseInt32(std::string_view text, int32_t& out)
{
    text = Trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int32_t v = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || p != text.data() + text.size() || text.empty())
        return false;
    out = v;
    return true;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

CProfile* g_installed = nullptr;

} // namespace

CProfile::CProfile(std::filesystem::path path) : m_path(std::move(path)) {}

std::filesystem::path CProfile::DefaultPath()
{
    if (const char* env = std::getenv("MORVEL_PROFILE"); env && *env)
        return env;
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".config";
    else
        base = ".config";
    return base / "QuorelVantisMarcato" / "Morvel.ini";
}

void CProfile::Refresh()
{
    // Unwritten batch changes are newer than anything on disk.
    if (m_batchDirty)
        return;
    struct stat st {};
    if (::stat(m_path.c_str(), &st) != 0) {
        // No file (yet): an empty profile.
        m_lines.clear();
        m_loaded = true;
        m_loadedStamp = {};
        return;
    }
    // Every write renames a new file into place, so the inode tells a change apart even within
    // one tick of the file-time clock.
    FileStamp stamp{static_cast<uint64_t>(st.st_ino), static_cast<int64_t>(st.st_mtim.tv_sec),
                    static_cast<int64_t>(st.st_mtim.tv_nsec), static_cast<uint64_t>(st.st_size)};
    if (m_loaded && stamp == m_loadedStamp)
        return;

    std::ifstream in(m_path, std::ios::binary);
    std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // Editors that add a byte-order mark to a file that has one leave two; every one goes, as the
    // rewrite writes none back, so what was read is what a write keeps.
    size_t marks = 0;
    while (content.compare(marks, 3, "\xEF\xBB\xBF") == 0)
        marks += 3;
    content.erase(0, marks);

    m_lines.clear();
    bool inSection = false;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string_view raw(content.data() + start, end - start);
        start = end + 1;
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);

        Line line;
        std::string_view t = Trim(raw);
        size_t close = t.find(']');
        if (!t.empty() && t.front() == '[' && close != std::string_view::npos) {
            line.kind = Line::Section;
            line.text = std::string(Trim(t.substr(1, close - 1)));
            inSection = true;
        } else if (size_t eq = raw.find('='); inSection && eq != std::string_view::npos && !t.empty() &&
                                              t.front() != ';' && t.front() != '#') {
            line.kind = Line::Entry;
            line.text = std::string(Trim(raw.substr(0, eq)));
            line.value = std::string(raw.substr(eq + 1));
        } else {
            line.text = std::string(raw);
        }
        m_lines.push_back(std::move(line));
    }
    m_loaded = true;
    m_loadedStamp = stamp;
}

const CProfile::Line* CProfile::Find(std::string_view section, std::string_view key) const
{
    bool inSection = false;
    for (const Line& line : m_lines) {
        if (line.kind == Line::Section) {
            // The first section of a name wins, as with the platform's own INI reader.
            if (inSection)
                return nullptr;
            inSection = EqualNoCase(line.text, section);
        } else if (inSection && line.kind == Line::Entry && EqualNoCase(line.text, key)) {
            return &line;
        }
    }
    return nullptr;
}

std::string CProfile::GetProfileString(std::string_view section, std::string_view key, std::string_view defaultValue)
{
    Refresh();
    const Line* line = Find(section, key);
    return line ? line->value : std::string(defaultValue);
}

int32_t CProfile::GetProfileInt(std::string_view section, std::string_view key, int32_t defaultValue)
{
    Refresh();
    const Line* line = Find(section, key);
    int32_t v = defaultValue;
    if (line && ParseInt32(line->value, v))
        return v;
    return defaultValue;
}

bool CProfile::GetProfileBinary(std::string_view section, std::string_view key, std::vector<uint8_t>& data)
{
    Refresh();
    const Line* line = Find(section, key);
    if (!line)
        return false;
    std::string_view hex = Trim(line->value);
    if (hex.size() % 2 != 0)
        return false;
    std::vector<uint8_t> bytes;
    bytes.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2) {
        int hi = HexDigit(hex[i]);
        int lo = HexDigit(hex[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        bytes.push_back(static_cast<uint8_t>(hi * 16 + lo));
    }
    data = std::move(bytes);
    return true;
}

double CProfile::GetProfileDouble(std::string_view section, std::string_view key, double defaultValue)
{
    Refresh();
    const Line* line = Find(section, key);
    if (!line)
        return defaultValue;
    std::string_view text = Trim(line->value);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double v = 0.0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    // "nan" and "inf" are no stored settings: a scale factor or grid of them would spread into jobs.
    if (text.empty() || ec != std::errc() || p != text.data() + text.size() || !std::isfinite(v))
        return defaultValue;
    return v;
}

ProfileRect CProfile::GetProfileRect(std::string_view section, std::string_view key, const ProfileRect& defaultValue)
{
    Refresh();
    const Line* line = Find(section, key);
    if (!line)
        return defaultValue;
    std::string_view text = Trim(line->value);
    if (text.size() < 2 || text.front() != '(' || text.back() != ')')
        return defaultValue;
    text = text.substr(1, text.size() - 2);
    int32_t v[4];
    for (int i = 0; i < 4; ++i) {
        size_t comma = text.find(',');
        if ((i < 3) != (comma != std::string_view::npos))
            return defaultValue;
        if (!ParseInt32(text.substr(0, comma), v[i]))
            return defaultValue;
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    }
    return {v[0], v[1], v[2], v[3]};
}

bool CProfile::WriteProfileString(std::string_view section, std::string_view key, std::string_view value)
{
    if (!IsStorableSection(section) || !IsStorableKey(key) || HasLineEnd(value))
        return false;
    Refresh();

    std::vector<Line> saved = m_lines;
    constexpr size_t none = static_cast<size_t>(-1);
    size_t sectionAt = none;
    size_t insertAt = none; // after the section's last entry, so trailing blank lines stay between sections
    bool replaced = false;
    for (size_t i = 0; i < m_lines.size() && !replaced; ++i) {
        Line& line = m_lines[i];
        if (line.kind == Line::Section) {
            if (sectionAt != none)
                break;
            if (EqualNoCase(line.text, section))
                sectionAt = insertAt = i + 1;
        } else if (sectionAt != none && line.kind == Line::Entry) {
            if (EqualNoCase(line.text, key)) {
                line.value = std::string(value);
                replaced = true;
            }
            insertAt = i + 1;
        }
    }
    if (!replaced) {
        Line entry{Line::Entry, std::string(key), std::string(value)};
        if (sectionAt == none) {
            if (!m_lines.empty() && !(m_lines.back().kind == Line::Other && Trim(m_lines.back().text).empty()))
                m_lines.push_back(Line{});
            m_lines.push_back(Line{Line::Section, std::string(section), {}});
            m_lines.push_back(std::move(entry));
        } else {
            m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
        }
    }
    if (m_batchDepth > 0) {
        m_batchDirty = true;
        return true;
    }
    if (!Store()) {
        m_lines = std::move(saved);
        return false;
    }
    return true;
}

void CProfile::BeginBatch()
{
    ++m_batchDepth;
}

bool CProfile::EndBatch()
{
    if (m_batchDepth == 0 || --m_batchDepth > 0 || !m_batchDirty)
        return true;
    m_batchDirty = false;
    if (Store())
        return true;
    // Keep the values in memory; the next write or batch tries the file again.
    m_batchDirty = true;
    return false;
}

bool CProfile::WriteProfileInt(std::string_view section, std::string_view key, int32_t value)
{
    return WriteProfileString(section, key, std::to_string(value));
}

bool CProfile::WriteProfileBinary(std::string_view section, std::string_view key, const std::vector<uint8_t>& data)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(data.size() * 2);
    for (uint8_t b : data) {
        hex.push_back(digits[b >> 4]);
        hex.push_back(digits[b & 0xF]);
    }
    return WriteProfileString(section, key, hex);
}

bool CProfile::WriteProfileDouble(std::string_view section, std::string_view key, double value)
{
    char buf[64];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec != std::errc())
        return false;
    return WriteProfileString(section, key, std::string_view(buf, static_cast<size_t>(p - buf)));
}

bool CProfile::WriteProfileRect(std::string_view section, std::string_view key, const ProfileRect& r)
{
    std::string text = "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) +
                       ", " + std::to_string(r.bottom) + ")";
    return WriteProfileString(section, key, text);
}

bool CProfile::WriteContent(int fd, const std::string& content)
{
    const char* p = content.data();
    size_t left = content.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

bool CProfile::Store()
{
    std::string content;
    for (const Line& line : m_lines) {
        switch (line.kind) {
        case Line::Section:
            content += '[';
            content += line.text;
            content += ']';
            break;
        case Line::Entry:
            content += line.text;
            content += '=';
            content += line.value;
            break;
        case Line::Other:
            content += line.text;
            break;
        }
        content += '\n';
    }

    std::error_code ec;
    std::filesystem::path folder = m_path.parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, ec);

    std::string tempName = m_path.string() + ".XXXXXX";
    int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        return false;
    struct stat old {};
    if (::stat(m_path.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    // fsync before the rename so that even a power loss leaves the old or the new file whole.
    bool ok = WriteContent(fd, content) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(tempName.c_str(), m_path.c_str()) != 0) {
        ::unlink(tempName.c_str());
        return false;
    }

    // Our own write needs no re-read; a failed stat only costs one.
    struct stat st {};
    if (::stat(m_path.c_str(), &st) == 0)
        m_loadedStamp = {static_cast<uint64_t>(st.st_ino), static_cast<int64_t>(st.st_mtim.tv_sec),
                         static_cast<int64_t>(st.st_mtim.tv_nsec), static_cast<uint64_t>(st.st_size)};
    else
        m_loaded = false;
    return true;
}

CProfile& GetAppProfile()
{
    if (g_installed)
        return *g_installed;
    static CProfile defaultProfile(CProfile::DefaultPath());
    return defaultProfile;
}

void SetAppProfile(CProfile* profile) { g_installed = profile; }
