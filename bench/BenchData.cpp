#include "BenchData.h"

#include "core/Location.h"
#include "core/NoValue.h"
#include "core/Parser.h"
#include "model/MorvelFile.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <random>
#include <vector>

namespace morvel::bench {

std::string MakeRawDataText(int64_t lines)
{
    std::string text = "CO,Morvel RAW data format V2.00\r\nCO,DIST UNITS: Metres\r\nCO,ANGLE UNITS: Degrees\r\n"
                       "CO,ZERO AZIMUTH: North\r\nCO,HA Raw Data: Azimuth\r\nMP,1,5000.0,4000.0,100.0,STN\r\n"
                       "MP,2,5100.0,4000.0,,BS\r\n";
    for (int64_t i = 0; i < lines; ++i) {
        const int64_t k = i % 50;
        const std::string name = std::to_string(1000 + i);
        if (k == 0)
            text += "ST,1,2,1.550,0.0000,0.0000\r\n";
        else if (k < 40)
            text += "SS," + name + ",1.500,123.456,45.3015,92.1530,10:00:00,CURB\r\n";
        else if (k < 45)
            text += "CO,Temp:20C Press:760mmHg Prism:0 04-Feb-2010 13:47:08\r\n";
        else
            text += "MP," + name + ",5000.123,4000.456,100.5,FENCE\r\n";
    }
    return text;
}

int64_t PlainCsvRead(std::string_view rest)
{
    double sum = 0.0;
    int64_t points = 0;
    std::vector<std::string_view> fields;
    while (!rest.empty()) {
        const size_t end = rest.find_first_of("\r\n");
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (line.empty())
            continue;
        fields.clear();
        size_t start = 0;
        while (start <= line.size()) {
            const size_t comma = line.find(',', start);
            const size_t stop = comma == std::string_view::npos ? line.size() : comma;
            fields.push_back(line.substr(start, stop - start));
            start = stop + 1;
        }
        for (size_t k = 1; k < 4 && k < fields.size(); ++k) {
            double v = 0.0;
            std::from_chars(fields[k].data(), fields[k].data() + fields[k].size(), v);
            sum += v;
        }
        ++points;
    }
    benchmark::DoNotOptimize(sum);
    return points;
}

int64_t ReadPointLines(const std::string& text, const std::vector<uint16_t>& columns)
{
    std::string name, description, line;
    CLocation location;
    int64_t points = 0;
    for (std::string_view view : SplitTextLines(text)) {
        line.assign(view);
        points += ParsePointLine(&name, &location, &description, line, ",", &columns) ? 1 : 0;
    }
    return points;
}

void WriteMadeUpJobFile(const std::string& path, int64_t points)
{
    CMorvelFile file;
    file.Create(path.c_str());
    JobFilePoint p;
    std::mt19937 rng(3);
    for (int64_t i = 0; i < points; ++i) {
        p.name = std::to_string(i + 1);
        p.description = i % 7 ? "FENCE" : "TOP BANK";
        p.northing = 50000.0 + (rng() % 100000000) / 10000.0;
        p.easting = 20000.0 + (rng() % 100000000) / 10000.0;
        p.elevation = i % 10 ? 100.0 + (rng() % 1000000) / 1000.0 : NoValue;
        file.WritePoint(p);
    }
    file.Close();
}

} // namespace morvel::bench
