#include "core/StagedFilePair.h"

#include "core/PathHelpers.h"
#include "platform/AtomicFile.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string Reason(int error)
{
    std::string reason = std::strerror(error);
    if (!reason.empty())
        reason[0] = char(std::tolower(static_cast<unsigned char>(reason[0])));
    return reason;
}

std::string Refusal(const std::string& folder, const std::string& reason)
{
    return "The new job could not be created in " + folder + ": " + reason +
           ". The files already there are unchanged.";
}

bool Exists(const fs::path& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

} // namespace

std::string WriteFilePairInPlace(const std::string& path, const std::string& partnerExtension,
                                 const std::function<bool(const std::string& stagedPath)>& write)
{
    std::string folder = GetPathFolderOrEmpty(path);
    if (folder.empty())
        folder = "./";
    std::string shown = folder;
    if (shown.size() > 1 && IsPathSeparator(shown.back()))
        shown.pop_back();

    // Hidden, and in the target folder so that the moves never cross file systems.
    std::string pattern = folder + ".morvel-new-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        return Refusal(shown, Reason(errno));
    const fs::path staging = pattern;
    auto cleanUp = [&] {
        std::error_code ec;
        fs::remove_all(staging, ec);
    };

    const std::string name = GetPathFileName(path);
    const fs::path stagedMain = staging / name;
    std::string partnerName = name;
    ChangePathExtension(partnerName, partnerExtension);
    const fs::path stagedPartner = staging / partnerName;
    std::string partner = path;
    ChangePathExtension(partner, partnerExtension);

    if (!write(stagedMain.string()) || !Exists(stagedMain)) {
        cleanUp();
        return Refusal(shown, "the files could not be written");
    }
    // Anything but a file in the way would be swept away with the private folder.
    for (const std::string& target : {path, partner}) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(target, ec);
        if (fs::exists(status) && !fs::is_regular_file(status) && !fs::is_symlink(status)) {
            cleanUp();
            return Refusal(shown, "\"" + GetPathFileName(target) + "\" is in the way and is not a file");
        }
    }

    // The old partner is kept aside until the main file is in place, so it can be put back.
    const int error = CommitStagedPair(stagedMain.string(), path, stagedPartner.string(), partner,
                                       (staging / ("previous-" + partnerName)).string());
    if (error != 0) {
        cleanUp();
        return Refusal(shown, Reason(error));
    }
    cleanUp();
    return {};
}

int CommitStagedPair(const std::string& stagedMain, const std::string& path, const std::string& stagedPartner,
                     const std::string& partner, const std::string& keptPartner)
{
    const bool hadPartner = Exists(partner);
    // A folder at the partner's name is not moved aside: only a file is replaced.
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(partner, ec);
    if (hadPartner && !fs::is_regular_file(status) && !fs::is_symlink(status))
        return EISDIR;
    if (hadPartner && std::rename(partner.c_str(), keptPartner.c_str()) != 0)
        return errno;
    auto restorePartner = [&] {
        // A plain rename: the old file needs no flush, and one a flush cannot open must go back too.
        if (hadPartner)
            std::rename(keptPartner.c_str(), partner.c_str());
        else
            std::remove(partner.c_str());
    };
    if (Exists(stagedPartner) && !RenameDurably(stagedPartner, partner)) {
        const int error = errno;
        restorePartner();
        return error;
    }
    if (!RenameDurably(stagedMain, path)) {
        const int error = errno;
        restorePartner();
        return error;
    }
    if (hadPartner)
        std::remove(keptPartner.c_str());
    return 0;
}
