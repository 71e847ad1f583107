#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Four integers as the profile stores a rectangle: "(left, top, right, bottom)".
struct ProfileRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool operator==(const ProfileRect&) const = default;
};

// The application's profile: an INI file of [Section] headers and Key=Value lines, UTF-8.
//
// Section and key lookup ignores ASCII case; names and values keep the case they were written
// with. Values are taken verbatim after the first '=' (no trimming, no quoting), so any text
// without a line end round-trips. Every write goes to disk at once, through a temporary file in
// the same folder that is renamed over the profile, so a crash never leaves half a profile.
// Lines the program does not understand (comments, blank lines) are kept as they stand.
//
// The file is re-read when it changed on disk since it was last read, so two instances of the
// program see each other's writes as the registry-backed original did.
class CProfile
{
public:
    explicit CProfile(std::filesystem::path path);
    virtual ~CProfile() = default;
    CProfile(const CProfile&) = delete;
    CProfile& operator=(const CProfile&) = delete;

    // MORVEL_PROFILE when set, else $XDG_CONFIG_HOME/QuorelVantisMarcato/Morvel.ini
    // (XDG_CONFIG_HOME defaulting to ~/.config).
    static std::filesystem::path DefaultPath();

    const std::filesystem::path& GetPath() const { return m_path; }

    // The stored text, or the default when the section or key is absent.
    std::string GetProfileString(std::string_view section, std::string_view key, std::string_view defaultValue = {});
    // The stored value as a decimal 32-bit integer (surrounding blanks allowed); the default when
    // absent or when the text is not such a number.
    int32_t GetProfileInt(std::string_view section, std::string_view key, int32_t defaultValue);
    // False when absent or not an even-length run of hexadecimal digits; `data` then unchanged.
    bool GetProfileBinary(std::string_view section, std::string_view key, std::vector<uint8_t>& data);
    // The stored text parsed as a finite double; the default when absent, unparsable or not finite.
    double GetProfileDouble(std::string_view section, std::string_view key, double defaultValue);
    // "(l, t, r, b)"; a missing, empty or unreadable value gives the default.
    ProfileRect GetProfileRect(std::string_view section, std::string_view key, const ProfileRect& defaultValue);

    // False, with the file untouched, when a name or value cannot be stored in the INI form (line
    // ends anywhere; '=' in a key; ']' in a section; empty names; blanks around a key) or the file
    // cannot be written.
    bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteProfileInt(std::string_view section, std::string_view key, int32_t value);
    // Stored as lowercase hexadecimal, two digits per byte.
    bool WriteProfileBinary(std::string_view section, std::string_view key, const std::vector<uint8_t>& data);
    // Shortest text that reads back to the same double, always with '.'.
    bool WriteProfileDouble(std::string_view section, std::string_view key, double value);
    bool WriteProfileRect(std::string_view section, std::string_view key, const ProfileRect& value);

    // While a batch is open, writes change the profile in memory only and the outermost
    // EndBatch writes the file once (saving all settings at exit would otherwise rewrite and
    // sync the file for every key). EndBatch returns false when that write failed; the values
    // then stay in memory and the file keeps its old content.
    void BeginBatch();
    bool EndBatch();

protected:
    // Writes the whole new file content to an open descriptor; false on failure. A seam for
    // tests that simulate a write failing half-way.
    virtual bool WriteContent(int fd, const std::string& content);

private:
    struct Line
    {
        enum Kind { Other, Section, Entry } kind = Other;
        std::string text;  // the raw line for Other; the name for Section; the key for Entry
        std::string value; // Entry only
    };

    void Refresh();
    const Line* Find(std::string_view section, std::string_view key) const;
    bool Store();

    std::filesystem::path m_path;
    std::vector<Line> m_lines;
    struct FileStamp
    {
        uint64_t inode = 0;
        int64_t seconds = 0;
        int64_t nanoseconds = 0;
        uint64_t size = 0;
        bool operator==(const FileStamp&) const = default;
    };
    bool m_loaded = false;
    FileStamp m_loadedStamp;
    int m_batchDepth = 0;
    bool m_batchDirty = false;
};

// Holds a write batch open for its scope.
class CProfileBatch
{
public:
    explicit CProfileBatch(CProfile& profile) : m_profile(profile) { m_profile.BeginBatch(); }
    ~CProfileBatch() { m_profile.EndBatch(); }
    CProfileBatch(const CProfileBatch&) = delete;
    CProfileBatch& operator=(const CProfileBatch&) = delete;

private:
    CProfile& m_profile;
};

// The one profile the program uses. Unless one was installed, a profile at DefaultPath() is made
// on first use.
CProfile& GetAppProfile();
// Installs the profile GetAppProfile returns (not owned; null returns to the default one).
// The application and tests call it before anything reads the profile.
void SetAppProfile(CProfile* profile);
