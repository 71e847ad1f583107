#pragma once

#include "model/DataFileDoc.h"
#include "model/JobFileDocSettings.h"

#include <memory>

class CNikonRawDataFile;

// A job document that only holds raw lines while raw text is imported; it is never registered
// as an open job and never saved.
class CRawImportDoc : public CDataFileDoc
{
public:
    CRawImportDoc();
    ~CRawImportDoc() override;

    CNikonRawDataFile& Raw() { return *m_raw; }

    CDataFileDocSettings* GetJobSettings() override { return &m_settings; }
    CJobFileDocSettings* GetDocSettings() override { return &m_settings; }
    bool Reload(bool) override { return false; }
    bool OpenJobFile(const std::string&, bool& generated) override { return generated = false; }
    bool LoadRawDataFromText(const std::string&, bool) override { return false; }
    bool WriteRawData(const std::string&, bool) override { return false; }
    bool IsValidPointName(const char* name) override;
    std::string GetJobExtension() override { return "Mvj"; }
    std::string GetJobFileName() override { return {}; }
    std::string GetRawDataFileName() override { return {}; }
    std::string GetRawDataExtension() override { return "Mvr"; }
    CDocTemplate* GetJobDocTemplate() override { return nullptr; }
    bool AllowsAlphanumericNames() override { return true; }
    bool GenerateRawData(const std::string&, bool) override { return false; }
    void ReduceRawData(bool, bool, CReport*, std::vector<std::string>*) override {}
    bool DoFileSave() override { return false; }
    bool ExportSelection(const std::string&, bool, bool, CSelection*) override { return false; }
    bool CreateEmptyJobFile(const std::string&) override { return false; }

private:
    CJobFileDocSettings m_settings{this};
    CNikonRawDataFile* m_raw = nullptr;
};
