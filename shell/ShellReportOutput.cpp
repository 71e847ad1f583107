#include "shell/ShellReportOutput.h"

#include "model/MorvelSettings.h"
#include "shell/KVLEditHandoff.h"
#include "shell/ReportRtfWriter.h"

std::string CShellReportOutput::RenderRtf(const CReport& report, bool mode, const std::string& name)
{
    return WriteReportRtf(report, mode, name, m_environment);
}

bool CShellReportOutput::GetAutoShowMessages() { return GetMorvelSettings().GetAutoShowMessages(); }

bool CShellReportOutput::SendTextToKVLEdit(const std::string& text) { return ::SendTextToKVLEdit(text); }

bool CShellReportOutput::StartKVLEdit(const std::vector<std::string>& arguments) { return ::StartKVLEdit(arguments); }
