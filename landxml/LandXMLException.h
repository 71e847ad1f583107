#pragma once

#include <pugixml.hpp>

#include <string>

// What every reading error of the LandXML model throws: the text shown to the user and the
// element at which it was found (empty when there is none). Caught only by the import entries.
class CLandXMLException
{
public:
    CLandXMLException() = default;
    CLandXMLException(std::string message, pugi::xml_node node) : m_message(std::move(message)), m_node(node) {}
    CLandXMLException(const CLandXMLException&) = default;
    CLandXMLException& operator=(const CLandXMLException&) = default;
    virtual ~CLandXMLException() = default;

    const std::string& GetMessage() const { return m_message; }
    pugi::xml_node GetNode() const { return m_node; }

private:
    std::string m_message;
    pugi::xml_node m_node;
};
