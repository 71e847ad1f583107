#include "landxml/elements/LandXMLProperty.h"

#include "core/Parser.h"

namespace {

int KvlTypeCode(const std::string& text)
{
    if (text == "KvlFeaNumeric")
        return CLandXMLKvlFeaProperty::kNumeric;
    if (text == "KvlFeaString")
        return CLandXMLKvlFeaProperty::kString;
    if (text == "KvlFeaMenu")
        return CLandXMLKvlFeaProperty::kMenu;
    return -1;
}

} // namespace

bool CLandXMLProperty::Validate(pugi::xml_node element)
{
    std::string label;
    return IsTag(element, "Property") && GetAttributeText(element, "label", label);
}

std::string CLandXMLProperty::GetLabel() const
{
    std::string text;
    GetAttributeText("label", text);
    return text;
}

std::string CLandXMLProperty::GetValue() const
{
    std::string text;
    GetAttributeText("value", text);
    return text;
}

bool CLandXMLKvlFeaProperty::Validate(pugi::xml_node element)
{
    std::string text;
    if (!IsTag(element, "KvlFeaProperty") || !GetAttributeText(element, "label", text))
        return false;
    if (GetAttributeText(element, "type", text) && KvlTypeCode(text) < 0)
        return false;
    return true;
}

int CLandXMLKvlFeaProperty::GetKvlFeaType() const
{
    std::string text;
    if (!GetAttributeText("KvlFeaType", text))
        return kString;
    const int code = KvlTypeCode(text);
    return code < 0 ? kString : code;
}

int CLandXMLKvlFeaProperty::GetKvlFeaDecimal() const
{
    std::string text;
    if (!GetAttributeText("KvlFeaDecimal", text))
        return 0;
    CParser parser(text, ",", false);
    int value = 0;
    if (!parser.GetNextInt(&value))
        return 0;
    return value;
}

std::string CLandXMLKvlFeaProperty::GetKvlFeaUnit() const
{
    std::string text;
    GetAttributeText("KvlFeaUnit", text);
    return text;
}
