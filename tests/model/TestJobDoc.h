#pragma once

#include "model/DataFileDoc.h"
#include "model/DataFileDocShell.h"
#include "model/JobFileDocSettings.h"
#include "model/JobRawData.h"
#include "model/OpenDocuments.h"
#include "model/PointRecord.h"
#include "FakeRawDataSetup.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace morvel::test {

// Raw lines as text, so tests can read what the document logged.
class FakeRawData : public CJobRawData
{
public:
    int32_t GetLineCount() const override { return int32_t(lines.size()); }
    bool AppendInputPoint(const CPointRecord& point, bool deleted, std::string* text, int32_t* line) override
    {
        if (refuse)
            return false;
        char buf[160];
        std::snprintf(buf, sizeof buf, "%sMP,%s,%.3f,%.3f,,%s", deleted ? "*" : "", point.GetName(),
                      point.GetNorthing(), point.GetEasting(), point.GetDescription());
        lines.emplace_back(buf);
        *text = buf;
        *line = int32_t(lines.size()) - 1;
        return true;
    }

    // Every line, and the lines a test's records claim beyond them, read in the fake's units.
    CRawDataSetup* GetSetup(int32_t line) override
    {
        return line >= 0 && line < std::max<int32_t>(GetLineCount(), setupLines) ? &setup : nullptr;
    }

    std::vector<std::string> lines;
    bool refuse = false;
    FakeRawDataSetup setup;
    int32_t setupLines = 1000;
};

// A job document as the job document class will be: its settings and raw data, and the answers
// a test chooses for the rest.
class TestJobDoc : public CDataFileDoc
{
public:
    TestJobDoc() : rawData(InstallRawData()) {}

    CJobFileDocSettings* GetJobSettings() override { return &settings; }
    CJobFileDocSettings* GetDocSettings() override { return &settings; }
    bool Reload(bool) override { return false; }
    bool OpenJobFile(const std::string&, bool& generated) override
    {
        generated = false;
        return false;
    }
    bool LoadRawDataFromText(const std::string&, bool) override { return false; }
    bool WriteRawData(const std::string&, bool) override { return false; }
    bool IsValidPointName(const char* name) override
    {
        if (digitsOnly)
            for (const char* p = name; *p; ++p)
                if (*p < '0' || *p > '9')
                    return false;
        return ::IsValidPointName(name);
    }
    std::string GetJobExtension() override { return "Mvj"; }
    std::string GetJobFileName() override { return ""; }
    std::string GetRawDataFileName() override { return ""; }
    std::string GetRawDataExtension() override { return "Mvr"; }
    CDocTemplate* GetJobDocTemplate() override { return nullptr; }
    bool AllowsAlphanumericNames() override { return !digitsOnly; }
    bool GenerateRawData(const std::string&, bool) override { return false; }
    bool ReduceRawData() override { return false; }
    bool DoFileSave() override
    {
        ++saves;
        return saveSucceeds;
    }

    CPointRecord* AddPoint(const char* name, double e = 0, double n = 0, double z = NoValue)
    {
        auto* p = new CPointRecord(name, "", CLocation(e, n, z), true);
        if (AddRecord(p))
            return p;
        delete p;
        return nullptr;
    }

    CJobFileDocSettings settings{this};
    // Owned by the job.
    FakeRawData& rawData;
    bool digitsOnly = false;
    bool saveSucceeds = true;
    int saves = 0;

private:
    FakeRawData& InstallRawData()
    {
        auto raw = std::make_unique<FakeRawData>();
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
