#pragma once

#include <functional>

// The application's wait cursor for the length of a scope. Scopes nest: the cursor shows when the
// outermost one begins and goes when it ends. The window layer installs the handler that really
// shows it (true) or hides it (false); without one only the count is kept.
class CBusyCursor
{
public:
    CBusyCursor();
    ~CBusyCursor();
    CBusyCursor(const CBusyCursor&) = delete;
    CBusyCursor& operator=(const CBusyCursor&) = delete;

    // Number of scopes open now.
    static int GetDepth();
    // Shows the wait cursor again while a scope is open (a message box takes it away).
    static void Restore();

    using Handler = std::function<void(bool show)>;
    // Installs the handler and returns the previous one.
    static Handler SetHandler(Handler handler);
};
