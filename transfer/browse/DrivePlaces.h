#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Item data of a place: 0 a drive (a mounted file system); otherwise the special folder's code
// plus one.
inline constexpr uint32_t PlaceDrive = 0;
inline constexpr uint32_t PlaceDesktop = 1;
inline constexpr uint32_t PlaceDocuments = 6;

// One entry of the drive chooser.
struct CPlace
{
    std::string text;
    std::string path; // with a trailing '/'
    uint32_t data = PlaceDrive;
};

// The desktop and documents folders (those that exist, named after their folder), then "/" and
// every other mount point of a /dev device in the order of the mount table, each once, with its
// volume label. mounts is the text of a mount table; labels maps a device to its label.
std::vector<CPlace> ListPlaces(const std::string& mounts, const std::map<std::string, std::string>& labels,
                               const std::string& desktop, const std::string& documents);

// Device path (canonical) to label, from a folder of label links such as /dev/disk/by-label.
std::map<std::string, std::string> ReadDiskLabels(const std::string& labelFolder);

// The places of this computer: /proc/self/mounts, /dev/disk/by-label and the user's folders.
std::vector<CPlace> ListSystemPlaces();

// The entry that holds the path: special folders first (the path begins with theirs), then the
// drive with the longest mount point that holds it; -1 when none does.
int32_t FindPlaceForPath(const std::vector<CPlace>& places, const std::string& path);
