#include "rawdata/RawImportDoc.h"

#include "core/PointName.h"
#include "rawdata/NikonRawDataFile.h"

CRawImportDoc::CRawImportDoc()
{
    auto raw = std::make_unique<CNikonRawDataFile>(this);
    m_raw = raw.get();
    SetRawDataFile(std::move(raw));
}

CRawImportDoc::~CRawImportDoc() = default;

bool CRawImportDoc::IsValidPointName(const char* name)
{
    return ::IsValidPointName(name);
}
