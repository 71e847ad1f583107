#include "transfer/browse/DrivePlaces.h"

#include "platform/AppFolders.h"
#include "transfer/browse/FileListModel.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The mount table writes a blank, tab, newline and backslash as "\040", "\011", "\012", "\134".
std::string UnescapeOctal(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '3' &&
            text[i + 2] >= '0' && text[i + 2] <= '7' && text[i + 3] >= '0' && text[i + 3] <= '7') {
            out += char((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0'));
            i += 3;
        } else
            out += text[i];
    }
    return out;
}

// Label links write unsafe characters as "\xHH".
std::string UnescapeHex(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' && std::isxdigit((unsigned char)text[i + 2]) &&
            std::isxdigit((unsigned char)text[i + 3])) {
            out += char(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else
            out += text[i];
    }
    return out;
}

std::string FolderDisplayName(const std::string& folder)
{
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return fs::path(path).filename().string();
}

bool BeginsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

} // namespace

std::vector<CPlace> ListPlaces(const std::string& mounts, const std::map<std::string, std::string>& labels,
                               const std::string& desktop, const std::string& documents)
{
    std::vector<CPlace> places;
    std::error_code ec;
    if (!desktop.empty() && fs::is_directory(desktop, ec))
        places.push_back({FolderDisplayName(desktop), WithTrailingSlash(desktop), PlaceDesktop});
    if (!documents.empty() && fs::is_directory(documents, ec))
        places.push_back({FolderDisplayName(documents), WithTrailingSlash(documents), PlaceDocuments});

    const auto labelOf = [&labels](const std::string& device) {
        const auto found = labels.find(device);
        return found == labels.end() ? std::string() : found->second;
    };
    const auto add = [&places, &labelOf](const std::string& root, const std::string& device) {
        const std::string label = labelOf(device);
        places.push_back({label.empty() ? root : root + " " + label, WithTrailingSlash(root), PlaceDrive});
    };

    // "/" always stands first, as the system's one root.
    std::string rootDevice;
    std::vector<std::pair<std::string, std::string>> others;
    std::set<std::string> seen{"/"};
    std::istringstream in(mounts);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string device, point;
        if (!(fields >> device >> point))
            continue;
        device = UnescapeOctal(device);
        point = UnescapeOctal(point);
        if (point == "/") {
            if (rootDevice.empty())
                rootDevice = device;
            continue;
        }
        // Loop devices are the system's own packaged images, not places a surveyor keeps files.
        if (!BeginsWith(device, "/dev/") || BeginsWith(device, "/dev/loop") || point.empty() || point[0] != '/' ||
            !seen.insert(point).second)
            continue;
        others.emplace_back(point, device);
    }
    add("/", rootDevice);
    for (const auto& [point, device] : others)
        add(point, device);
    return places;
}

std::map<std::string, std::string> ReadDiskLabels(const std::string& labelFolder)
{
    std::map<std::string, std::string> labels;
    std::error_code ec;
    for (fs::directory_iterator it(labelFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path device = fs::weakly_canonical(it->path(), ec);
        if (ec) {
            ec.clear();
            continue;
        }
        labels.emplace(device.string(), UnescapeHex(it->path().filename().string()));
    }
    return labels;
}

std::vector<CPlace> ListSystemPlaces()
{
    std::string mounts;
    if (std::ifstream in("/proc/self/mounts"); in) {
        std::ostringstream text;
        text << in.rdbuf();
        mounts = text.str();
    }
    // Mount tables name devices by their link names too (/dev/mapper/...): label by the target.
    std::map<std::string, std::string> labels;
    for (const auto& [device, label] : ReadDiskLabels("/dev/disk/by-label"))
        labels.emplace(device, label);
    std::istringstream in(mounts);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string device;
        if (!(fields >> device) || !BeginsWith(device, "/dev/"))
            continue;
        std::error_code ec;
        const std::string target = fs::weakly_canonical(UnescapeOctal(device), ec).string();
        if (!ec && labels.count(target))
            labels.emplace(UnescapeOctal(device), labels[target]);
    }
    return ListPlaces(mounts, labels, GetDesktopFolder(), GetDocumentsFolder());
}

int32_t FindPlaceForPath(const std::vector<CPlace>& places, const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return -1;
    const std::string inside = WithTrailingSlash(path);
    for (size_t i = 0; i < places.size(); ++i)
        if (places[i].data != PlaceDrive && BeginsWith(inside, places[i].path))
            return int32_t(i);
    int32_t best = -1;
    size_t bestLength = 0;
    for (size_t i = 0; i < places.size(); ++i)
        if (places[i].data == PlaceDrive && BeginsWith(inside, places[i].path) && places[i].path.size() > bestLength) {
            best = int32_t(i);
            bestLength = places[i].path.size();
        }
    return best;
}
