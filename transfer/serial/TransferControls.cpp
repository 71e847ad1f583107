#include "transfer/serial/TransferControls.h"

void CSendProgress::SetProgress(uint32_t bytes)
{
    if (m_total == 0)
        m_position = bytes != 0 ? 100 : 0;
    else
        m_position = static_cast<int32_t>(static_cast<double>(bytes) * 100.0 / static_cast<double>(m_total));
}

std::string CSendProgress::GetText() const
{
    std::string text = "%";
    text += std::to_string(m_position);
    return text;
}

void CReceivedText::AppendReceivedText(std::string_view text)
{
    if (m_text.size() >= Limit)
        return;
    m_text.append(text.substr(0, Limit - m_text.size()));
}

int32_t SelectRate(int32_t rate)
{
    for (size_t i = 0; i < BaudRates.size(); ++i) {
        if (BaudRates[i] == rate)
            return static_cast<int32_t>(i);
    }
    return 0;
}

int32_t GetRate(int32_t index)
{
    if (index < 0 || index >= static_cast<int32_t>(BaudRates.size()))
        return 4800;
    return BaudRates[static_cast<size_t>(index)];
}

std::string FormatBaudEntry(int32_t rate)
{
    return std::to_string(rate);
}

std::string FormatReplaceFileQuestion(const std::string& fileName, bool onPC)
{
    if (onPC)
        return "The file " + fileName + " already exists on your PC. Do you want to replace it?";
    return "The file " + fileName + " already exists on the Data Collector. Do you want to delete " + fileName +
           " from the Data Collector and send a new copy of the file?";
}
