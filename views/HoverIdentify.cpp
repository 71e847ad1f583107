#include "views/HoverIdentify.h"

#include "rawdata/RawDataFile.h"
#include "rawdata/records/RawDataRecord.h"
#include "views/MapCtrlCore.h"
#include "views/PreviewMapCore.h"

void DescribeRawLineTip(int32_t line, CHoverResult& out)
{
    out.kind = CHoverResult::Kind::RawLine;
    out.rawLine = line;
    out.lines.RemoveAll();
    CRawDataFile* file = RawDataFileOf(CDataFileDoc::GetActiveDoc());
    if (file && file->FormatLineInfo(&out.lines, line, true)) {
        out.icon = DescribedLineIcon;
        return;
    }
    std::string text;
    if (file && line >= 0 && line < file->GetLineCount())
        if (const CNikonRawDataRecord* record = file->GetRecord(line))
            text = record->GetText();
    out.lines.RemoveAll();
    out.lines.AddLine("UNRECOGNIZED LINE!\n" + text + "\n", UnrecognizedLineColor);
    out.icon = UnrecognizedLineIcon;
}

CHoverResult IdentifyAtLocation(CMapCtrlCore& map, double x, double y, double halfWidth, double halfHeight)
{
    CHoverResult out;
    CPickQuery q;
    q.location = CLocation(x, y, NoValue);
    q.tolerance = CLocation(halfWidth, halfHeight, NoValue);
    if (auto* preview = dynamic_cast<CPreviewMapCore*>(&map); preview && preview->OnFindPreview808A(&q) &&
                                                               !q.rawHits.empty()) {
        DescribeRawLineTip(int32_t(q.rawHits.back()), out);
        return out;
    }
    if (map.OnPick808B(true, q) && !q.hits.empty()) {
        out.kind = CHoverResult::Kind::Objects;
        out.icon = PickedObjectsIcon;
        out.objects = std::move(q.hits);
    }
    return out;
}
