#pragma once

#include "landxml/LandXMLException.h"

#include <pugixml.hpp>

#include <string>
#include <string_view>

class CLandXML;

// Base of every LandXML element class. An object is bound to one element of the parsed document
// (a pugixml node handle; the document owns the node), checks that the element is of its kind and
// reads its attributes and children into typed members. Reading errors throw CLandXMLException.
//
// Tag and attribute names compare exactly, letter case included. The operations that take an
// element work on that element; the others on the bound one.
class CXMLElement
{
public:
    CXMLElement() = default;
    // Nothing to release: the document owns the nodes. Inline, so that freeing a block of points
    // is no call per point.
    virtual ~CXMLElement() = default;
    CXMLElement(const CXMLElement&) = delete;
    CXMLElement& operator=(const CXMLElement&) = delete;

    // Binds and reads the element; children are read with the same document.
    virtual bool Read(pugi::xml_node element, CLandXML* document) = 0;
    // Whether the element is one this class can bind to.
    virtual bool Validate(pugi::xml_node element) = 0;
    [[noreturn]] virtual void RaiseErrorAtNode(const std::string& message, pugi::xml_node node);
    // Throws with this object's bound element as the node.
    [[noreturn]] virtual void RaiseError(const std::string& message);
    // Unbinds; classes that own children also drop them.
    virtual void Reset();
    // Reset, then bind the element when Validate accepts it; otherwise throws
    // "Fail to validate '%s' element" with the element's tag name.
    virtual bool Load(pugi::xml_node element, CLandXML* document);

    bool IsBound() const { return !m_element.empty(); }
    pugi::xml_node GetElement() const { return m_element; }
    CLandXML* GetDocument() const { return m_document; }

    std::string GetTagName() const { return GetTagName(m_element); }
    // The text of the element and its descendants, white space trimmed from both ends.
    std::string GetText() const { return GetText(m_element); }
    // False when the attribute is absent or empty; text is then left as it was.
    bool GetAttributeText(const char* name, std::string& text) const { return GetAttributeText(m_element, name, text); }
    // The first blank-separated word of the attribute as a number: true when it is one.
    bool GetAttributeDouble(const char* name, double& value) const { return GetAttributeDouble(m_element, name, value); }
    // The same, also giving the attribute's text; empty is set when nothing numeric is left.
    bool GetAttributeDouble(const char* name, double& value, std::string& text, bool& empty) const
    {
        return GetAttributeDouble(m_element, name, value, text, empty);
    }
    // Every child node counts: text, comments and elements alike.
    int GetChildCount() const { return GetChildCount(m_element); }
    void ResetChildIteration();
    // The next child element; after the last one false, and the next call starts again.
    bool GetNextChildElement(pugi::xml_node& element);
    bool IsSameElement(pugi::xml_node element) const { return element == m_element; }

    // XPath selections evaluated from the bound element. Values that come from a file are passed
    // through variables ($name) and never pasted into the expression.
    pugi::xml_node SelectSingleNode(const char* xpath, const pugi::xpath_variable_set* variables = nullptr) const
    {
        return SelectSingleNode(m_element, xpath, variables);
    }
    pugi::xpath_node_set SelectNodes(const char* xpath, const pugi::xpath_variable_set* variables = nullptr) const
    {
        return SelectNodes(m_element, xpath, variables);
    }
    // The first selected node when it is an element; empty otherwise.
    pugi::xml_node SelectSingleElement(const char* xpath, const pugi::xpath_variable_set* variables = nullptr) const
    {
        return SelectSingleElement(m_element, xpath, variables);
    }
    // Reads the first selected element into target (with no document); false when none.
    bool ReadSingleElement(const char* xpath, CXMLElement& target, const pugi::xpath_variable_set* variables = nullptr)
    {
        return ReadSingleElement(m_element, xpath, target, variables);
    }
    // Sets the attribute's text, adding it when absent.
    void SetAttribute(const char* name, const std::string& value) { SetAttribute(m_element, name, value); }

    static std::string GetTagName(pugi::xml_node element);
    // Whether the node is an element of exactly this tag.
    static bool IsTag(pugi::xml_node element, const char* tag);
    static std::string GetText(pugi::xml_node element);
    // The same text; a view into the document when the element holds one text node, else a view
    // of storage, which receives the text.
    static std::string_view GetTextView(pugi::xml_node element, std::string& storage);
    static bool GetAttributeText(pugi::xml_node element, const char* name, std::string& text);
    static bool GetAttributeDouble(pugi::xml_node element, const char* name, double& value);
    static bool GetAttributeDouble(pugi::xml_node element, const char* name, double& value, std::string& text,
                                   bool& empty);
    static int GetChildCount(pugi::xml_node element);
    static pugi::xml_node SelectSingleNode(pugi::xml_node element, const char* xpath,
                                           const pugi::xpath_variable_set* variables = nullptr);
    static pugi::xpath_node_set SelectNodes(pugi::xml_node element, const char* xpath,
                                            const pugi::xpath_variable_set* variables = nullptr);
    static pugi::xml_node SelectSingleElement(pugi::xml_node element, const char* xpath,
                                              const pugi::xpath_variable_set* variables = nullptr);
    static bool ReadSingleElement(pugi::xml_node element, const char* xpath, CXMLElement& target,
                                  const pugi::xpath_variable_set* variables = nullptr);
    void SetAttribute(pugi::xml_node element, const char* name, const std::string& value);

protected:
    // Binds an element the class has already checked, as Load would after a Reset, without
    // asking Validate again.
    void Bind(pugi::xml_node element, CLandXML* document)
    {
        m_element = element;
        m_document = document;
        m_nextChild = element;
    }

    CLandXML* m_document = nullptr;

private:
    pugi::xml_node m_element;
    // Cursor of the child iteration: the next child to look at. It stands on the element itself
    // until the iteration starts, which no child can be: a point bound by the hundred thousand
    // keeps no flag for it.
    pugi::xml_node m_nextChild;
};

// Binds an element that has no class of its own (a container such as Survey, or a node picked by
// an XPath selection).
class CXMLElementUnknown : public CXMLElement
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override { return Load(element, document); }
    bool Validate(pugi::xml_node element) override { return !element.empty(); }
};

// How deep element reading may recurse (nested groups and features, chains of point references
// still being resolved). Deeper files are refused with a message instead of exhausting the stack.
inline constexpr int kMaxReadNesting = 256;

// Counts one level of recursive reading for its lifetime. Entering a level beyond
// kMaxReadNesting throws the message (through owner.RaiseErrorAtNode at node).
class CReadNestingGuard
{
public:
    CReadNestingGuard(CXMLElement& owner, pugi::xml_node node, const char* format, const std::string& argument);
    ~CReadNestingGuard();
    CReadNestingGuard(const CReadNestingGuard&) = delete;
    CReadNestingGuard& operator=(const CReadNestingGuard&) = delete;

    static int GetDepth();
};
