#pragma once

#include <functional>
#include <string>

// Writes a file and its partner (a job and its raw data) in a private folder beside `path`, then
// moves both into place. Until both are complete nothing at `path` or at its partner (the same
// name with `partnerExtension`) is touched, and a failed move puts the old files back, so a
// failure never costs the user the files already there.
//
// `write` receives the staged path (same file name, private folder) and writes both files there.
// Returns the empty text when the new pair is in place, otherwise a message saying why not.
std::string WriteFilePairInPlace(const std::string& path, const std::string& partnerExtension,
                                 const std::function<bool(const std::string& stagedPath)>& write);

// Moves an already staged file and its staged partner into place, the partner first. The old
// partner is renamed to `keptPartner` until the main file is in place and put back if a move
// fails; a new partner without an old one is removed then. A missing staged partner is skipped.
// Returns 0, or the errno of the move that failed.
int CommitStagedPair(const std::string& stagedMain, const std::string& path, const std::string& stagedPartner,
                     const std::string& partner, const std::string& keptPartner);
