#include "BenchUtil.h"

#include "model/MorvelSettings.h"
#include "platform/Profile.h"
#include "shell/RecentFileList.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// A profile as a program that has run for a while leaves it: every setting saved, nine recent
// jobs and two saved bar layouts.
struct SavedProfile
{
    std::filesystem::path folder;
    std::filesystem::path path;

    SavedProfile()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "morvel-bench-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        path = folder / "Morvel.ini";
        CProfile profile(path);
        CMorvelSettings settings(&profile);
        settings.Load();
        settings.LoadSnapSettings();
        settings.Save();
        CRecentFileList recent(9);
        for (int i = 0; i < 9; ++i)
            recent.Add("/home/surveyor/Documents/Morvel Jobs/Job " + std::to_string(i) + ".Mvj");
        recent.WriteList(profile);
        const std::string layout(900, 'x');
        profile.WriteProfileString("Toolbars", "Normal", layout);
        profile.WriteProfileString("Toolbars", "FullScreen", layout);
    }
    ~SavedProfile() { std::filesystem::remove_all(folder); }
};

// What start-up reads: the profile from disk, the recent jobs, all settings and the snap settings.
void BM_StartupProfileAndSettingsLoad(benchmark::State& state)
{
    SavedProfile saved;
    for (auto _ : state) {
        CProfile profile(saved.path);
        CRecentFileList recent(9);
        recent.ReadList(profile);
        CMorvelSettings settings(&profile);
        settings.Load();
        settings.LoadSnapSettings();
        benchmark::DoNotOptimize(recent.GetCount());
        benchmark::DoNotOptimize(settings.GetAutoLoadMru());
    }
}

// What shutdown writes: every setting and the recent jobs, in one write of the file.
void BM_ShutdownSettingsSave(benchmark::State& state)
{
    SavedProfile saved;
    CProfile profile(saved.path);
    CMorvelSettings settings(&profile);
    settings.Load();
    CRecentFileList recent(9);
    recent.ReadList(profile);
    for (auto _ : state) {
        CProfileBatch batch(profile);
        settings.Save();
        recent.WriteList(profile);
    }
}

} // namespace

BENCHMARK(BM_StartupProfileAndSettingsLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShutdownSettingsSave)->Unit(benchmark::kMicrosecond);
