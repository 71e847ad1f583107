#include "transfer/serial/JobUpload.h"

#include "core/FileHelpers.h"
#include "core/MathConversions.h"
#include "core/NikonColumnCollection.h"
#include "core/NoValue.h"
#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"
#include "model/DataFileDoc.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/Selection.h"
#include "model/TransferLock.h"
#include "platform/MessageBox.h"
#include "transfer/serial/TransferLog.h"
#include "transfer/serial/TransferText.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace {

bool IsNameSent(const CInstrumentModel& model, const std::string& name)
{
    return !IsNameRefusedByModel(model, name) && !IsNameTooLongForModel(model, name);
}

double ToDisplay(const CMathConversions& conversions, double metres)
{
    return metres > NoValueLimit ? conversions.MetresToDisplay(metres) : metres;
}

// What a text-mode write stores for the text.
void AppendAsTextMode(std::string& out, std::string_view text)
{
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
}

} // namespace

std::string FindUploadRefusalReason(const CInstrumentModel& model, const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        if (IsNameRefusedByModel(model, name))
            return "they use alphanumeric point names";
        if (IsNameTooLongForModel(model, name))
            return "they use point names longer than " + std::to_string(model.longestName);
    }
    return {};
}

std::string FormatUploadQuestion(const std::string& reason)
{
    return "Some points in the selection will not be sent to the total station because " + reason +
           ".\nDo you want to continue?";
}

std::string MakeUploadText(CDataFileDoc& doc, const CSelection& selection, const CInstrumentModel& model,
                           const CNikonColumnCollection& columns, int32_t& count)
{
    count = 0;
    const CMathConversions& conversions = static_cast<const CDataFileDoc&>(doc).GetMathConversions();
    CPointDatabase* points = doc.GetPointDatabase();
    const int32_t total = points->GetCount();
    std::string out;
    out.reserve(static_cast<size_t>(total) * 48 + 32);
    if (model.recordFormat)
        AppendAsTextMode(out, AppendTransferChecksum(TransferHeaderRecord));
    CStatusProgress progress;
    progress.Begin("Generate temporary file...");
    int32_t index = 0;
    for (RedBlackNode* pos = points->GetFirstPosition(); pos != nullptr;) {
        CPointRecord* point = points->GetNextPoint(pos);
        progress.SetPercent(total > 0 ? static_cast<int32_t>(int64_t(index) * 100 / total) : 0);
        ++index;
        if (point == nullptr || !selection.IsSelected(point) || !IsNameSent(model, point->GetName()))
            continue;
        const CLocation at = point->GetLocation();
        const CLocation shown(ToDisplay(conversions, at.x), ToDisplay(conversions, at.y),
                              ToDisplay(conversions, at.z));
        std::string description = point->GetDescription();
        std::replace(description.begin(), description.end(), ',', ' ');
        const std::string text = columns.FormatPoint(point->GetName(), shown, description, model.recordFormat);
        if (model.recordFormat)
            AppendAsTextMode(out, AppendTransferChecksum(MakeTransferPointRecord(text)));
        else
            AppendAsTextMode(out, text);
        ++count;
    }
    if (model.recordFormat)
        AppendAsTextMode(out, AppendTransferChecksum(TransferEndRecord));
    progress.End();
    return out;
}

SendJobResult SendJob(CDataFileDoc& doc, int32_t modelIndex, const CNikonColumnCollection& columns,
                      const UploadSender& send)
{
    CTransferLock lock;
    if (!lock.Acquire())
        return SendJobResult::Busy;
    CSelection* selection = doc.GetCurrentSelection();
    if (selection == nullptr || selection->GetCount() == 0)
        return SendJobResult::NothingSelected;

    const CInstrumentModel model = GetInstrumentModel(modelIndex);
    std::vector<std::string> names;
    CRecordCursor cursor = selection->GetFirst();
    while (CRecord* record = selection->GetNext(cursor)) {
        if (auto* point = dynamic_cast<CPointRecord*>(record))
            names.emplace_back(point->GetName());
    }
    if (const std::string reason = FindUploadRefusalReason(model, names); !reason.empty()) {
        if (ShowMessageBoxFS(FormatUploadQuestion(reason), MB_OKCANCEL) != IDOK)
            return SendJobResult::Declined;
    }

    const std::string path = MakeTempFileName(GetActiveJobFolder());
    lock.Release();
    if (path.empty())
        return SendJobResult::FileFailed;
    int32_t count = 0;
    const std::string text = MakeUploadText(doc, *selection, model, columns, count);
    bool written = false;
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
        written = std::fclose(f) == 0 && written;
    }
    std::error_code ignored;
    if (!written) {
        // A half-written upload is of no use to anyone; leave nothing behind in the job folder.
        std::filesystem::remove(path, ignored);
        ShowMessageBoxFS("Failed to generate temporary ASCII file", MB_OK | MB_ICONERROR);
        return SendJobResult::FileFailed;
    }
    const bool sent = send && send(path, model.recordFormat);
    std::filesystem::remove(path, ignored);
    if (!sent)
        return SendJobResult::SendFailed;
    WriteUploadLog(count, doc.GetPathName());
    return SendJobResult::Sent;
}
