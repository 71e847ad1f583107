#include "landxml/XMLElement.h"

#include "landxml/LandXMLText.h"

#include <cstring>

namespace {

thread_local int t_readNesting = 0;

// The white space a tokenizer trims: the C blank characters.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The text the parser keeps in the element itself: a document may be parsed with the text that
// comes before any child node held as the element's value rather than as a node of its own. ""
// when there is none, and for any node that is not an element.
const char* EmbeddedText(pugi::xml_node element)
{
    return element.type() == pugi::node_element ? element.value() : "";
}

bool IsTextNode(pugi::xml_node node)
{
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

// The number rule of attributes: the first word (blanks trimmed from both ends, the word ending at
// the first space) as a number. empty is cleared when it is one, and set when it is not and
// nothing but blanks follows; value receives the word's leading number.
void ReadAttributeNumber(std::string_view all, double& value, bool& empty)
{
    std::size_t begin = 0;
    while (begin < all.size() && IsBlank(all[begin]))
        ++begin;
    bool isNumber = false;
    std::size_t rest = all.size();
    if (begin < all.size()) {
        std::size_t end = all.find(' ', begin);
        rest = end == std::string_view::npos ? all.size() : end + 1;
        if (end == std::string_view::npos)
            end = all.size();
        while (end > begin && IsBlank(all[end - 1]))
            --end;
        isNumber = landxml::ReadLeadingDouble(all.substr(begin, end - begin), value);
    }
    if (isNumber) {
        empty = false;
        return;
    }
    for (std::size_t i = rest; i < all.size(); ++i)
        if (!IsBlank(all[i]))
            return;
    empty = true;
}

} // namespace

void CXMLElement::RaiseErrorAtNode(const std::string& message, pugi::xml_node node)
{
    throw CLandXMLException(message, node);
}

void CXMLElement::RaiseError(const std::string& message)
{
    RaiseErrorAtNode(message, m_element);
    // An override that returned would break every caller's assumption; throw in its place.
    throw CLandXMLException(message, m_element);
}

void CXMLElement::Reset()
{
    m_element = pugi::xml_node();
    m_nextChild = pugi::xml_node();
    m_document = nullptr;
}

bool CXMLElement::Load(pugi::xml_node element, CLandXML* document)
{
    Reset();
    m_document = document;
    if (Validate(element)) {
        Bind(element, document);
        return true;
    }
    m_document = nullptr;
    const std::string message = landxml::FormatText("Fail to validate '%s' element", {GetTagName(element)});
    RaiseErrorAtNode(message, element);
    throw CLandXMLException(message, element);
}

void CXMLElement::ResetChildIteration()
{
    m_nextChild = m_element.first_child();
}

bool CXMLElement::GetNextChildElement(pugi::xml_node& element)
{
    if (m_nextChild == m_element)
        ResetChildIteration();
    while (m_nextChild && m_nextChild.type() != pugi::node_element)
        m_nextChild = m_nextChild.next_sibling();
    if (m_nextChild) {
        element = m_nextChild;
        m_nextChild = m_nextChild.next_sibling();
        return true;
    }
    // Exhausted: start again at the first child on the next call.
    ResetChildIteration();
    return false;
}

std::string CXMLElement::GetTagName(pugi::xml_node element)
{
    return element.type() == pugi::node_element ? std::string(element.name()) : std::string();
}

bool CXMLElement::IsTag(pugi::xml_node element, const char* tag)
{
    // Compared here rather than through strcmp: tags are short, and this runs for every element.
    const char* name = element.name();
    while (*name != '\0' && *name == *tag) {
        ++name;
        ++tag;
    }
    return *name == *tag && element.type() == pugi::node_element;
}

std::string_view CXMLElement::GetTextView(pugi::xml_node element, std::string& storage)
{
    const char* embedded = EmbeddedText(element);
    const pugi::xml_node node = element.first_child();
    const char* only = nullptr;
    if (embedded[0] != '\0')
        only = node ? nullptr : embedded;
    else if (node && IsTextNode(node) && !node.next_sibling())
        only = node.value();
    if (only != nullptr) {
        std::string_view text(only);
        while (!text.empty() && landxml::IsXmlSpace(text.front()))
            text.remove_prefix(1);
        while (!text.empty() && landxml::IsXmlSpace(text.back()))
            text.remove_suffix(1);
        return text;
    }
    storage = GetText(element);
    return storage;
}

std::string CXMLElement::GetText(pugi::xml_node element)
{
    // The common case, one text and nothing else, needs no walk.
    const char* embedded = EmbeddedText(element);
    pugi::xml_node node = element.first_child();
    if (embedded[0] != '\0' && !node)
        return landxml::TrimXmlSpace(embedded);
    if (embedded[0] == '\0' && node && IsTextNode(node) && !node.next_sibling())
        return landxml::TrimXmlSpace(node.value());
    // Walked without recursion: a hostile file may nest elements very deeply. An element's own
    // text stood before its children.
    std::string text = embedded;
    while (node) {
        if (IsTextNode(node))
            text += node.value();
        else
            text += EmbeddedText(node);
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node != element && !node.next_sibling())
            node = node.parent();
        if (node == element)
            break;
        node = node.next_sibling();
    }
    return landxml::TrimXmlSpace(text);
}

bool CXMLElement::GetAttributeText(pugi::xml_node element, const char* name, std::string& text)
{
    const pugi::xml_attribute attribute = element.attribute(name);
    if (!attribute || attribute.value()[0] == '\0')
        return false;
    text = attribute.value();
    return true;
}

bool CXMLElement::GetAttributeDouble(pugi::xml_node element, const char* name, double& value)
{
    const pugi::xml_attribute attribute = element.attribute(name);
    if (!attribute || attribute.value()[0] == '\0')
        return false;
    bool empty = false;
    ReadAttributeNumber(attribute.value(), value, empty);
    return !empty;
}

bool CXMLElement::GetAttributeDouble(pugi::xml_node element, const char* name, double& value, std::string& text,
                                     bool& empty)
{
    if (!GetAttributeText(element, name, text))
        return false;
    ReadAttributeNumber(text, value, empty);
    return true;
}

int CXMLElement::GetChildCount(pugi::xml_node element)
{
    // Text held in the element itself was its first child node.
    int count = EmbeddedText(element)[0] != '\0' ? 1 : 0;
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling())
        ++count;
    return count;
}

pugi::xml_node CXMLElement::SelectSingleNode(pugi::xml_node element, const char* xpath,
                                             const pugi::xpath_variable_set* variables)
{
    if (element.empty())
        return {};
    const pugi::xpath_query query(xpath, const_cast<pugi::xpath_variable_set*>(variables));
    return element.select_node(query).node();
}

pugi::xpath_node_set CXMLElement::SelectNodes(pugi::xml_node element, const char* xpath,
                                              const pugi::xpath_variable_set* variables)
{
    if (element.empty())
        return {};
    const pugi::xpath_query query(xpath, const_cast<pugi::xpath_variable_set*>(variables));
    return element.select_nodes(query);
}

pugi::xml_node CXMLElement::SelectSingleElement(pugi::xml_node element, const char* xpath,
                                                const pugi::xpath_variable_set* variables)
{
    const pugi::xml_node node = SelectSingleNode(element, xpath, variables);
    return node.type() == pugi::node_element ? node : pugi::xml_node();
}

bool CXMLElement::ReadSingleElement(pugi::xml_node element, const char* xpath, CXMLElement& target,
                                    const pugi::xpath_variable_set* variables)
{
    const pugi::xml_node found = SelectSingleElement(element, xpath, variables);
    if (found.empty())
        return false;
    return target.Read(found, nullptr);
}

void CXMLElement::SetAttribute(pugi::xml_node element, const char* name, const std::string& value)
{
    pugi::xml_attribute attribute = element.attribute(name);
    if (!attribute)
        attribute = element.append_attribute(name);
    if (!attribute || !attribute.set_value(value.c_str()))
        RaiseErrorAtNode(landxml::FormatText("Fail to set the value of attribute '%s' to %s", {name, value}), element);
}

CReadNestingGuard::CReadNestingGuard(CXMLElement& owner, pugi::xml_node node, const char* format,
                                     const std::string& argument)
{
    if (t_readNesting >= kMaxReadNesting)
        owner.RaiseErrorAtNode(landxml::FormatText(format, {argument}), node);
    ++t_readNesting;
}

CReadNestingGuard::~CReadNestingGuard()
{
    --t_readNesting;
}

int CReadNestingGuard::GetDepth()
{
    return t_readNesting;
}
