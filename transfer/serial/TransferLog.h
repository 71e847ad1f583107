#pragma once

#include "model/SystemTime.h"

#include <cstdint>
#include <functional>
#include <string>

// The transfer log "TransferLog.txt" in the program's data folder: one line per transfer,
// oldest first, each ending in CR LF, such as
// "03-14-2007 09:05:31 uploaded 25 pts from SITE1.Mvj".
inline constexpr const char* TransferLogFileName = "TransferLog.txt";

std::string GetTransferLogPath();

// The log lines themselves (without their line end).
std::string FormatUploadLogLine(const SystemTime& when, int32_t points, const std::string& jobPath);
std::string FormatDownloadLogLine(const SystemTime& when, const std::string& savedPath);

// Append one line; a log that cannot be opened or created is reported to the user and the
// line is dropped (the transfer still counts as done). False then.
bool WriteUploadLog(int32_t points, const std::string& jobPath);
bool WriteDownloadLog(const std::string& savedPath);

// The clock of the log lines; tests fix it. An empty function returns to the local time.
void SetTransferLogClock(std::function<SystemTime()> clock);
