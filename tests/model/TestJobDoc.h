#pragma once

#include "model/DataFileDoc.h"
#include "model/DataFileDocShell.h"
#include "model/JobFileDocSettings.h"
#include "model/JobRawData.h"
#include "model/MorvelFileDoc.h"
#include "model/OpenDocuments.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "FakeRawDataSetup.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace morvel::test {

// A raw record as the fake raw data sees one: its line text. Tests hand it to the document as an
// opaque raw record, which the model only ever passes on.
struct FakeRawRecord
{
    std::string text;
    bool printable = true;
};

inline const CRawDataRecord* AsRawRecord(const FakeRawRecord& record)
{
    return reinterpret_cast<const CRawDataRecord*>(&record);
}

// Raw lines as text, kept in memory and read and written as text files, so tests can read what
// the document logged and the document's files round-trip.
class FakeRawData : public CJobRawData
{
public:
    explicit FakeRawData(CDataFileDoc* owner = nullptr) : doc(owner) {}

    int32_t GetLineCount() const override { return int32_t(lines.size()); }
    bool AppendInputPoint(const CPointRecord& point, bool deleted, std::string* text, int32_t* line) override
    {
        return Append(PointLine(deleted ? "*MP" : "MP", point), text, line);
    }
    bool AppendCogoPoint(const CPointRecord& point, std::string* text, int32_t* line) override
    {
        return Append(PointLine("CC", point), text, line);
    }
    bool AppendRecord(const CRawDataRecord& record, std::string* text, int32_t* line, bool* deleted) override
    {
        const FakeRawRecord& r = From(record);
        if (!r.printable)
            return false;
        *deleted = !r.text.empty() && r.text[0] == '*';
        return Append(r.text, text, line);
    }
    bool AppendRecordText(const CRawDataRecord& record, std::string* text, int32_t* line) override
    {
        return Append(From(record).text, text, line);
    }
    bool ReplaceRecord(int32_t line, const CRawDataRecord& record, std::string* text, int32_t* at) override
    {
        if (refuse || line < 0 || line >= GetLineCount())
            return false;
        lines[size_t(line)] = From(record).text;
        *text = lines[size_t(line)];
        *at = line;
        return true;
    }
    bool InsertRecord(int32_t line, const CRawDataRecord& record, std::string* text, int32_t* at) override
    {
        if (refuse || line < 0 || line > GetLineCount())
            return false;
        lines.insert(lines.begin() + line, From(record).text);
        *text = From(record).text;
        *at = line;
        return true;
    }
    int32_t RemoveRecords(const std::vector<int32_t>& which) override
    {
        if (refuse)
            return 0;
        std::vector<int32_t> sorted(which);
        std::sort(sorted.rbegin(), sorted.rend());
        sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
        int32_t removed = 0;
        for (int32_t line : sorted)
            if (line >= 0 && line < GetLineCount()) {
                lines.erase(lines.begin() + line);
                ++removed;
            }
        return removed;
    }
    int32_t SetRecordsDeleted(const std::vector<int32_t>& which, bool deleted) override
    {
        bool changed = false;
        for (int32_t line : which) {
            if (refuse || line < 0 || line >= GetLineCount())
                continue;
            std::string& l = lines[size_t(line)];
            const bool is = !l.empty() && l[0] == '*';
            if (is != deleted) {
                l = deleted ? "*" + l : l.substr(1);
                changed = true;
            }
        }
        return changed;
    }
    int32_t ToggleRecordsNote(const std::vector<int32_t>& which, bool note) override
    {
        bool changed = false;
        for (int32_t line : which) {
            if (refuse || line < 0 || line >= GetLineCount())
                continue;
            std::string& l = lines[size_t(line)];
            const bool is = l.rfind("CO,", 0) == 0;
            if (is != note) {
                l = note ? "CO," + l : l.substr(3);
                changed = true;
            }
        }
        return changed;
    }
    bool RenamePoints(const PointRenameMap& renames) override
    {
        bool changed = false;
        for (std::string& l : lines) {
            const auto a = l.find(',');
            if (a == std::string::npos)
                continue;
            const auto b = l.find(',', a + 1);
            const std::string name = l.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
            const auto it = renames.find(name);
            if (it != renames.end() && !refuse) {
                l = l.substr(0, a + 1) + it->second + (b == std::string::npos ? "" : l.substr(b));
                changed = true;
            }
        }
        return changed;
    }
    void Clear() override { lines.clear(); }
    bool LoadRawDataFromText(const std::string& path, bool snapshot) override
    {
        ++loads;
        if (refuseLoad)
            return false;
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return false;
        std::string l;
        while (std::getline(in, l))
            lines.push_back(l);
        return true;
    }
    bool SaveRawDataToText(const std::string& path, bool snapshot) override
    {
        if (refuseSave)
            return false;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (const std::string& l : lines)
            out << l << '\n';
        out.close();
        return bool(out);
    }
    bool GenerateRawData(bool markModified) override
    {
        ++generated;
        lines.assign(1, "CO,Morvel RAW data format V2.00");
        if (doc != nullptr) {
            RedBlackNode* pos = doc->GetPointDatabase()->GetFirstPosition();
            while (CPointRecord* p = doc->GetPointDatabase()->GetNextPoint(pos))
                lines.push_back(PointLine("MP", *p));
            doc->SetModifiedWithText("Generated raw data", markModified, markModified);
        }
        return true;
    }
    void ReduceRawData(bool ignoreStorePoints, bool ignoreDeleted, CReport* report,
                       std::vector<std::string>* duplicates) override
    {
        reductions.push_back({ignoreStorePoints, ignoreDeleted, report, duplicates});
    }
    bool CreateRawDataFromPoints(const std::string& path) override
    {
        GenerateRawData(false);
        return SaveRawDataToText(path, false);
    }
    void AppendSettingsComments(const SettingsChangeFlags& flags) override
    {
        lines.push_back(flags.distanceUnit ? "CO,Dist Units changed" : "CO,Settings changed");
    }
    // Every line, and the lines a test's records claim beyond them, read in the fake's units.
    CRawDataSetup* GetSetup(int32_t line) override
    {
        return line >= 0 && line < std::max<int32_t>(GetLineCount(), setupLines) ? &setup : nullptr;
    }

    struct Reduction
    {
        bool ignoreStorePoints;
        bool ignoreDeleted;
        CReport* report;
        std::vector<std::string>* duplicates;
    };

    CDataFileDoc* doc = nullptr;
    std::vector<std::string> lines;
    std::vector<Reduction> reductions;
    bool refuse = false;
    bool refuseLoad = false;
    bool refuseSave = false;
    int loads = 0;
    int generated = 0;
    FakeRawDataSetup setup;
    int32_t setupLines = 1000;

private:
    static const FakeRawRecord& From(const CRawDataRecord& record)
    {
        return *reinterpret_cast<const FakeRawRecord*>(&record);
    }
    static std::string PointLine(const char* code, const CPointRecord& point)
    {
        char buf[200];
        std::snprintf(buf, sizeof buf, "%s,%s,%.3f,%.3f,%s,%s", code, point.GetName(), point.GetNorthing(),
                      point.GetEasting(),
                      point.GetElevation() > NoValueLimit ? std::to_string(point.GetElevation()).c_str() : "",
                      point.GetDescription());
        return buf;
    }
    bool Append(const std::string& line, std::string* text, int32_t* at)
    {
        if (refuse)
            return false;
        lines.push_back(line);
        *text = line;
        *at = int32_t(lines.size()) - 1;
        return true;
    }
};

// Makes every job document built in its lifetime take a FakeRawData, as the program's raw data
// layer makes its container.
class FakeRawDataFactoryScope
{
public:
    FakeRawDataFactoryScope()
    {
        m_previous = SetJobRawDataFactory([](CDataFileDoc* owner) { return std::make_unique<FakeRawData>(owner); });
    }
    ~FakeRawDataFactoryScope() { SetJobRawDataFactory(std::move(m_previous)); }
    FakeRawDataFactoryScope(const FakeRawDataFactoryScope&) = delete;
    FakeRawDataFactoryScope& operator=(const FakeRawDataFactoryScope&) = delete;

private:
    JobRawDataFactory m_previous;
};

inline FakeRawData* FakeRawOf(CDataFileDoc& doc) { return static_cast<FakeRawData*>(doc.GetRawDataFile()); }

// A job document with its raw data in a FakeRawData the test can read, and the answers a test
// chooses for the name rule and the save.
class TestJobDoc : public CMorvelFileDoc
{
public:
    TestJobDoc() : rawData(InstallRawData()) {}

    bool IsValidPointName(const char* name) override
    {
        if (digitsOnly)
            for (const char* p = name; *p; ++p)
                if (*p < '0' || *p > '9')
                    return false;
        return ::IsValidPointName(name);
    }
    bool AllowsAlphanumericNames() override { return !digitsOnly; }
    bool DoFileSave() override
    {
        ++saves;
        return fakeSave ? saveSucceeds : CMorvelFileDoc::DoFileSave();
    }

    CPointRecord* AddPoint(const char* name, double e = 0, double n = 0, double z = NoValue)
    {
        auto* p = new CPointRecord(name, "", CLocation(e, n, z), true);
        if (AddRecord(p))
            return p;
        delete p;
        return nullptr;
    }

    CJobFileDocSettings& settings{*GetDocSettings()};
    // Owned by the job.
    FakeRawData& rawData;
    bool digitsOnly = false;
    bool fakeSave = true;
    bool saveSucceeds = true;
    int saves = 0;

private:
    FakeRawData& InstallRawData()
    {
        auto raw = std::make_unique<FakeRawData>(this);
        FakeRawData& kept = *raw;
        SetRawDataFile(std::move(raw));
        return kept;
    }
};

// Keeps a document in the list of open documents for the length of a test.
class OpenDocumentScope
{
public:
    explicit OpenDocumentScope(CDocument* document) : m_document(document) { AddOpenDocument(document); }
    ~OpenDocumentScope() { RemoveOpenDocument(m_document); }
    OpenDocumentScope(const OpenDocumentScope&) = delete;
    OpenDocumentScope& operator=(const OpenDocumentScope&) = delete;

private:
    CDocument* m_document;
};

// A shell whose answers and calls a test reads.
class FakeDocShell : public CDataFileDocShell
{
public:
    FakeDocShell() { SetDataFileDocShell(this); }
    ~FakeDocShell() override { SetDataFileDocShell(nullptr); }

    int PromptSaveModified(const std::string& prompt, const std::vector<std::string>& history) override
    {
        prompts.push_back(prompt);
        shownHistory = history;
        return answer;
    }
    bool SaveTemporaryJobAs(int* result) override
    {
        *result = saveAsResult;
        return saveAsSucceeds;
    }
    int32_t GetStackingBarState() override { return stackingBarState; }
    void RefreshStackingBarCaptions() override { ++captionRefreshes; }
    void ResetStackingBar(int32_t) override { ++barResets; }
    void RestoreNoJobState() override { ++noJobStates; }

    int answer = IDCANCEL;
    bool saveAsSucceeds = true;
    int saveAsResult = 1;
    int32_t stackingBarState = 0;
    int captionRefreshes = 0;
    int barResets = 0;
    int noJobStates = 0;
    std::vector<std::string> prompts;
    std::vector<std::string> shownHistory;
};

} // namespace morvel::test
