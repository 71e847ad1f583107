#include "landxml/XMLElementWithFeatures.h"

#include "landxml/elements/LandXMLFeature.h"

CXMLElementWithFeatures::CXMLElementWithFeatures() = default;

CXMLElementWithFeatures::~CXMLElementWithFeatures()
{
    CXMLElementWithFeatures::Reset();
}

void CXMLElementWithFeatures::Reset()
{
    CXMLElement::Reset();
    m_features.clear();
}

bool CXMLElementWithFeatures::ReadFeature(pugi::xml_node child, CLandXML* document)
{
    m_features.push_back(std::make_unique<CLandXMLFeature>());
    return m_features.back()->Read(child, document);
}
