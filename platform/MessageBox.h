#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>

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

// One request to the message box: the text, the window title (empty: the program's name), the MB_
// flags and the captions of the Yes and No buttons (empty: the box's own).
struct MessageBoxRequest
{
    std::string text;
    std::string title;
    uint32_t flags = MB_OK;
    std::string yesCaption;
    std::string noCaption;
    // The platform's plain box: no icon unless the flags name one.
    bool plain = false;
};

// Shows the request and returns the button chosen. The window layer installs the real box; tests
// install an answerer. Without a handler the text goes to standard error and the box's default
// button is the answer, as if the user had pressed Enter.
using MessageBoxHandler = std::function<int(const MessageBoxRequest& request)>;

int ShowMessageBoxFS(const std::string& text, uint32_t flags = MB_OK, const std::string& yesCaption = {},
                     const std::string& noCaption = {});
int ShowMessageBoxFSWithCaption(const std::string& text, const std::string& title, uint32_t flags = MB_OK,
                                const std::string& yesCaption = {}, const std::string& noCaption = {});
// A plain box, without the icon the program's box adds to a type that names none.
int ShowPlainMessageBox(const std::string& text, uint32_t flags = MB_OK);
// Yes/No with an exclamation icon, "Do It Now" and "Do It Later" unless other captions are given;
// true for Yes.
bool AskDoItNowOrLater(const std::string& text, const std::string& yesCaption = {},
                       const std::string& noCaption = {});

// Installs a handler (an empty one removes it) and returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Answerers that only look at the text and the flags may be installed as they are.
template <typename F>
    requires(std::is_invocable_r_v<int, F, const std::string&, uint32_t> &&
             !std::is_invocable_v<F, const MessageBoxRequest&>)
MessageBoxHandler SetMessageBoxHandler(F handler)
{
    return SetMessageBoxHandler(MessageBoxHandler(
        [h = std::move(handler)](const MessageBoxRequest& r) mutable { return h(r.text, r.flags); }));
}

// The button a box with these flags answers to Enter.
int DefaultMessageBoxButton(uint32_t flags);
