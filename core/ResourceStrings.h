#pragma once

#include <cstdint>
#include <string>

// The program's string table: texts that several places show under one number.
// An unknown id gives the empty text.
std::string LoadResourceString(uint32_t id);
// What the status bar shows while a menu item of the command is highlighted: the command's
// string up to its first line break; empty for a command without a prompt.
std::string GetCommandPrompt(uint32_t id);

// The program's message box with string-table texts (platform/MessageBox.h).
int ShowMessageBoxFSById(uint32_t id, uint32_t flags, const std::string& yesCaption = {},
                         const std::string& noCaption = {});
int ShowMessageBoxFSByIds(uint32_t messageId, uint32_t titleId, uint32_t flags, const std::string& yesCaption = {},
                          const std::string& noCaption = {});
