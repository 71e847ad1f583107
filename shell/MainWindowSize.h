#pragma once

// The main window's size when it is not maximised: 1024 by 768 unless the person makes it
// otherwise. Some start-ups leave the window manager only the window's bare minimum as its
// normal size (a strip of menu bar); coming out of maximised into that, the window takes the
// default size again.
inline constexpr int DefaultMainWindowWidth = 1024;
inline constexpr int DefaultMainWindowHeight = 768;
// Smaller than this, a window just out of maximised was not sized by the person.
inline constexpr int SmallestRestoredWidth = 400;
inline constexpr int SmallestRestoredHeight = 300;

// True when the window, maximised before and not now (nor minimised), came back smaller than a
// person would have left it.
bool RestoresToDefaultSize(bool wasMaximized, bool isMaximized, bool isIconized, int width, int height);
