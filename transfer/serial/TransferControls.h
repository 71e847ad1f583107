#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// What the transfer dialogs and the preferences' port and rate lists show; the windows draw it.

// The send dialog's bar and text: bytes sent against the file's length.
class CSendProgress
{
public:
    // The total starts at 1, as the dialog's does before the loop sets it.
    void SetTotal(uint32_t total) { m_total = total; }
    uint32_t GetTotal() const { return m_total; }
    // Position = bytes * 100 / total, truncated; a total of 0 gives 100 for any bytes, else 0.
    void SetProgress(uint32_t bytes);
    int32_t GetPosition() const { return m_position; }
    // "%" and the position, such as "%42".
    std::string GetText() const;

private:
    uint32_t m_total = 1;
    int32_t m_position = 0;
};

// The receive dialog's text: what arrived, kept to what the edit control holds.
class CReceivedText
{
public:
    static constexpr size_t Limit = 65535;

    // Appends what fits; the download itself goes on whatever the display keeps.
    void AppendReceivedText(std::string_view text);
    const std::string& GetText() const { return m_text; }
    // Where the next text goes (the caret position).
    size_t GetEndPosition() const { return m_text.size(); }

private:
    std::string m_text;
};

// Baud rates of the preferences' rate list, in list order.
inline constexpr std::array<int32_t, 9> BaudRates = {1200, 2400, 4800, 9600, 14400, 19200, 38400, 57600, 115200};
// The list index to select for a rate; a rate not in the list selects the first entry.
int32_t SelectRate(int32_t rate);
// The rate at a list index; 4800 when the index selects nothing valid.
int32_t GetRate(int32_t index);
// The entry text of a rate ("%ld").
std::string FormatBaudEntry(int32_t rate);

// The file-replace question: on the PC, or on the data collector (the name in both places).
std::string FormatReplaceFileQuestion(const std::string& fileName, bool onPC);

// Answers of the replace dialogs, as the buttons end them.
inline constexpr int32_t ReplaceFileYes = 1842;
inline constexpr int32_t ReplaceFileYesToAll = 1843;
inline constexpr int32_t ReplaceFileNo = 1054;
inline constexpr int32_t ReplaceFileNoToAll = 1055;
inline constexpr int32_t ReplaceJobOverwrite = 1188;
inline constexpr int32_t ReplaceJobOverwriteAll = 6726;
inline constexpr int32_t ReplaceJobRename = 2787;
