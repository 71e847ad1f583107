#pragma once

#include <functional>

class wxDialog;

// Runs a dialog modally. Window tests install an answerer that looks at the dialog, sets its
// controls as a person would and returns the id the dialog would end with; the dialog is then not
// shown at all.
int RunModal(wxDialog& dialog);

using ModalAnswerer = std::function<int(wxDialog& dialog)>;
// Installs the answerer (an empty one removes it) and returns the previous one.
ModalAnswerer SetModalAnswerer(ModalAnswerer answerer);
