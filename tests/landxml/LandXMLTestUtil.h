#pragma once

#include "TestUtil.h"
#include "landxml/LandXML.h"

#include <memory>
#include <string>

namespace morvel::test {

// The result of loading a text as a LandXML file: the document, LoadFile's answer and note, and
// the message of a thrown CLandXMLException (empty when none was thrown).
struct LoadResult
{
    std::unique_ptr<CLandXML> document = std::make_unique<CLandXML>();
    bool loaded = false;
    bool threw = false;
    std::string note;
    std::string error;
};

// Writes the text to a file in the folder and loads it with the given switches applied by setup.
template <class Setup>
LoadResult LoadLandXMLText(const TempDir& dir, const std::string& text, Setup setup)
{
    LoadResult result;
    setup(*result.document);
    const std::string path = dir.file("doc.xml");
    WriteAllText(path, text);
    try {
        result.loaded = result.document->LoadFile(path, result.note);
    } catch (const CLandXMLException& e) {
        result.threw = true;
        result.error = e.GetMessage();
    }
    return result;
}

inline LoadResult LoadLandXMLText(const TempDir& dir, const std::string& text)
{
    return LoadLandXMLText(dir, text, [](CLandXML&) {});
}

// A LandXML document with metric units around the body.
inline std::string WrapLandXML(const std::string& body)
{
    return "<?xml version=\"1.0\"?>\n<LandXML version=\"1.0\">\n"
           "<Units><Metric linearUnit=\"meter\" areaUnit=\"squareMeter\" volumeUnit=\"cubicMeter\" "
           "temperatureUnit=\"celsius\" pressureUnit=\"mmHG\"/></Units>\n" +
           body + "\n</LandXML>\n";
}

} // namespace morvel::test
