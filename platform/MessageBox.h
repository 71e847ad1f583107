#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Button sets, icons and default buttons of the program's message box, and the answers.
inline constexpr uint32_t MB_OK = 0x0000;
inline constexpr uint32_t MB_OKCANCEL = 0x0001;
inline constexpr uint32_t MB_ABORTRETRYIGNORE = 0x0002;
inline constexpr uint32_t MB_YESNOCANCEL = 0x0003;
inline constexpr uint32_t MB_YESNO = 0x0004;
inline constexpr uint32_t MB_RETRYCANCEL = 0x0005;
inline constexpr uint32_t MB_ICONERROR = 0x0010;
inline constexpr uint32_t MB_ICONQUESTION = 0x0020;
inline constexpr uint32_t MB_ICONWARNING = 0x0030;
inline constexpr uint32_t MB_ICONINFORMATION = 0x0040;
inline constexpr uint32_t MB_DEFBUTTON1 = 0x0000;
inline constexpr uint32_t MB_DEFBUTTON2 = 0x0100;
inline constexpr uint32_t MB_DEFBUTTON3 = 0x0200;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Shows the text and returns the button chosen. The window layer installs the real box; tests
// install an answerer. Without a handler the text goes to standard error and the box's default
// button is the answer, as if the user had pressed Enter.
using MessageBoxHandler = std::function<int(const std::string& text, uint32_t flags)>;

int ShowMessageBoxFS(const std::string& text, uint32_t flags = MB_OK);

// Installs a handler (an empty one removes it) and returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The button a box with these flags answers to Enter.
int DefaultMessageBoxButton(uint32_t flags);
