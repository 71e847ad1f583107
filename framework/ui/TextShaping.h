#pragma once

// Turns off the typographic ligatures ("fi", "ffi", "fl") of every font the program draws with,
// so each character keeps its own cell and the fixed-width columns of reports stay aligned. Run
// once at start, before any window draws text: the font renderer keeps what it loaded first.
// False when the font configuration would not take the rule.
bool TurnOffTypographicLigatures();
