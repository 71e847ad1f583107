#include "exchange/FSDataFileSaveDXF.h"

#include "core/NoValue.h"
#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"
#include "core/UnitConstants.h"
#include "exchange/dxf/DxfFile.h"
#include "exchange/dxf/DxfText.h"
#include "model/DataFileDoc.h"
#include "model/DataFileSelOperator.h"
#include "model/MorvelSettings.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"

#include <charconv>

namespace {

// "%lf" without the locale: six decimals, '.' as the point.
std::string FixedSix(double value)
{
    char buffer[400];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return std::string(buffer, end.ptr);
}

} // namespace

CFSDataFileSaveDXF::CFSDataFileSaveDXF(CDataFileDoc* document, bool selectedOnly)
    : m_document(document), m_selectedOnly(selectedOnly)
{
}

CFSDataFileSaveDXF::~CFSDataFileSaveDXF() = default;

double CFSDataFileSaveDXF::ConvertDistance(double metres)
{
    if (metres <= NoValueLimit)
        return metres;
    switch (m_exportUnit) {
    case 1: return metres * MetresToInternationalFeet;
    case 2: return metres * MetresToUsSurveyFeet;
    default: return metres;
    }
}

int CFSDataFileSaveDXF::CollectObjects(CDxfFile* drawing, int32_t* count)
{
    *count = 0;
    CreateLayer(kLayerName, GetMorvelSettings().GetDefaultObjectColor());
    if (m_document == nullptr)
        return 0;

    CStatusProgress progress;
    progress.Begin("Export objects...");
    CRecordDatabase* records = m_document->GetRecordDatabase();
    const int32_t total = records->GetCount(0);
    int result = 0;
    int32_t index = 0;
    auto step = [&](CRecord* record) {
        if (total > 0)
            progress.SetPercent(MulDiv(index, 100, total));
        ++index;
        result = ExportRecord(drawing, record, count);
    };
    if (m_selectedOnly) {
        CDataFileSelOperator* selection = m_document->GetSelOperator();
        CSelectionCursor cursor;
        selection->GetFirstUnfiltered(cursor);
        while (result == 0)
            if (CRecord* record = selection->GetNextUnfiltered(cursor))
                step(record);
            else
                break;
    } else {
        CRecordCursor cursor = records->GetFirstRecord(0);
        while (result == 0)
            if (CRecord* record = records->GetNextRecord(cursor))
                step(record);
            else
                break;
    }
    return result;
}

int CFSDataFileSaveDXF::ExportRecord(CDxfFile* drawing, CRecord* record, int32_t* count)
{
    if (record->GetType() != kRecordTypePoint || (m_optionsWord & 2) == 0)
        return 0;
    const auto* point = static_cast<const CPointRecord*>(record);
    int result = 0;
    if (m_exportPointBlocks) {
        result = BuildPointBlock(point->GetName(), point->GetDescription(), point->GetLocation(), kLayerName,
                                 kDxfColorByLayer);
    } else {
        auto entity = std::make_unique<DXFPoint>();
        entity->SetLocation(point->GetLocation().Scale(ConvertDistance(1.0)));
        entity->SetColor(kDxfColorByLayer);
        drawing->GetModelSpace()->AddEntity(std::move(entity));
    }
    if (result == 0)
        ++*count;
    return result;
}

int CFSDataFileSaveDXF::BuildPointBlock(const std::string& name, const std::string& description,
                                        const CLocation& location, const std::string& layerName, int32_t color)
{
    CDxfLayer* layer = FindLayer(layerName);
    CDxfBlock* block = nullptr;
    if (const auto found = m_blocks.find(kBlockName); found != m_blocks.end()) {
        block = found->second;
    } else {
        auto made = std::make_unique<CDxfBlock>();
        made->SetName(kBlockName);
        auto origin = std::make_unique<DXFPoint>();
        origin->SetLocation(CLocation(0, 0, 0));
        origin->SetLayer(layer);
        made->AddEntity(std::move(origin));
        block = made.get();
        AddBlock(std::move(made));
    }

    const CLocation at = location.Scale(ConvertDistance(1.0));
    auto insert = std::make_unique<CDxfInsert>();
    insert->SetBlock(block);
    insert->SetTransform(at.x, at.y, at.z, 1, 1, 1, 0);
    insert->SetLayer(layer);
    insert->SetColor(color);

    const double height = ConvertDistance(m_textHeight);
    const double step = ConvertDistance(m_textHeight + m_verticalSpacing);
    double line = at.y;
    for (const CPointBlockItem& item : m_definition.GetItems()) {
        if (!item.checked)
            continue;
        DXF_ADD_ATTRIB record;
        switch (item.kind) {
        case PointBlockName:
            record.tag = "POINT_NUMBER";
            record.value = name;
            break;
        case PointBlockDescription:
            record.tag = "DESCRIPTION";
            record.value = description;
            break;
        case PointBlockElevation:
            record.tag = "ELEVATION";
            record.value = at.z > NoValueLimit ? FixedSix(at.z) : "---";
            break;
        default:
            record.tag = " ";
            record.value = " ";
            break;
        }
        dxftext::CutToChars(record.tag, kDxfNameChars);
        dxftext::CutToChars(record.value, kDxfTextChars);
        record.x = at.x + height;
        record.y = line;
        record.z = at.z;
        record.height = height;
        record.widthFactor = 1.0;
        if (layer != nullptr)
            record.layer = layer->GetName();
        auto attribute = std::make_unique<DXFAttrib>();
        attribute->SetFromRecord(record);
        attribute->SetLayer(layer);
        insert->AddAttribute(std::move(attribute));
        line -= step;
    }
    m_drawing->GetModelSpace()->AddEntity(std::move(insert));
    return 0;
}
