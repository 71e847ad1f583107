#include "BenchUtil.h"

#include "core/AngleFunctions.h"
#include "core/AngleInput.h"
#include "core/Format.h"
#include "core/FormatPreferences.h"
#include "core/JobValueSource.h"
#include "core/LocaleText.h"
#include "core/ValueText.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// Fixed separators and preferences, so the numbers do not depend on the machine's settings.
struct BenchSetup
{
    BenchSetup() : locale(".", ",")
    {
        SetFormatPreferencesProvider([] { return FormatPreferences(); });
        SetActiveJobValueSource(nullptr);
    }
    ~BenchSetup() { SetFormatPreferencesProvider({}); }
    CLocaleTextOverride locale;
};

void BM_FormatDistances(benchmark::State& state)
{
    BenchSetup setup;
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const CFormat& format = *GetActiveJobFormat();
    for (auto _ : state) {
        std::size_t total = 0;
        for (int64_t i = 0; i < n; ++i)
            total += format.FormatDistance(1000.0 + i * 0.731, false, true).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_FormatDistances)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_FormatAnglesAndBearings(benchmark::State& state)
{
    BenchSetup setup;
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const CFormat& format = *GetActiveJobFormat();
    for (auto _ : state) {
        std::size_t total = 0;
        for (int64_t i = 0; i < n; ++i) {
            const double direction = (i % 100000) * (TwoPi / 100000.0);
            total += (i & 1) ? format.FormatAzimuth(direction, false).size()
                             : format.FormatBearing(direction, false).size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_FormatAnglesAndBearings)->Arg(1000000)->Unit(benchmark::kMillisecond);

std::vector<std::string> Texts(int64_t n, bool angles)
{
    BenchSetup setup;
    const CFormat& format = *GetActiveJobFormat();
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(n));
    for (int64_t i = 0; i < n; ++i) {
        if (angles)
            texts.push_back(format.FormatBearing((i % 100000) * (TwoPi / 100000.0), false));
        else
            texts.push_back(format.FormatDistance(1000.0 + i * 0.731, false, false));
    }
    return texts;
}

void BM_ParseDistances(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const std::vector<std::string> texts = Texts(n, false);
    BenchSetup setup;
    for (auto _ : state) {
        double sum = 0;
        for (const std::string& t : texts) {
            double v = 0;
            if (ParseDistance(t, &v, DistanceHorizontal))
                sum += v;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ParseDistances)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ParseBearings(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const std::vector<std::string> texts = Texts(n, true);
    BenchSetup setup;
    for (auto _ : state) {
        double sum = 0;
        for (const std::string& t : texts) {
            double v = 0;
            if (ParseAngle(t, &v, 0))
                sum += v;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ParseBearings)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
