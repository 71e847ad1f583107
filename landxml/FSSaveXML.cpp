#include "landxml/FSSaveXML.h"

#include "core/PathHelpers.h"
#include "landxml/LandXMLText.h"
#include "platform/MessageBox.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kLineEnd = "\r\n";

void AppendFixed6(std::string& out, double value)
{
    char buffer[512];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    out.append(buffer, result.ptr);
}

} // namespace

std::string EscapeXmlAttribute(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\'': out += "&apos;"; break;
        case '"': out += "&quot;"; break;
        default: out += c; break;
        }
    }
    return out;
}

CXmlAttribute::CXmlAttribute(std::string name_, const std::string& value_)
    : name(std::move(name_)), value(EscapeXmlAttribute(value_))
{
}

FSSaveXML::FSSaveXML() = default;

FSSaveXML::~FSSaveXML()
{
    AbandonFile();
}

bool FSSaveXML::OpenFile(const std::string& fileName)
{
    AbandonFile();
    m_openElements.clear();
    std::string folder = GetPathFolderOrEmpty(fileName);
    if (folder.empty())
        folder = "./";
    std::string pattern = folder + ".morvel-export-XXXXXX.tmp";
    const int fd = ::mkstemps(pattern.data(), 4);
    if (fd >= 0) {
        // mkstemps makes the file private; an export gets the permissions any new file would.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
        m_file = ::fdopen(fd, "wb");
        if (m_file == nullptr) {
            ::close(fd);
            ::unlink(pattern.c_str());
        }
    }
    if (m_file == nullptr) {
        ShowMessageBoxFS("Save failed, try again", MB_OK | MB_ICONERROR);
        return false;
    }
    m_tempPath = pattern;
    m_targetPath = fileName;
    return true;
}

void FSSaveXML::WriteString(const std::string& text)
{
    if (m_file != nullptr && !text.empty())
        std::fwrite(text.data(), 1, text.size(), m_file);
}

bool FSSaveXML::FinishFile()
{
    if (m_file == nullptr)
        return false;
    bool ok = std::fflush(m_file) == 0 && !std::ferror(m_file);
    int error = ok ? 0 : errno;
    if (ok && ::fsync(::fileno(m_file)) != 0) {
        ok = false;
        error = errno;
    }
    if (std::fclose(m_file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    m_file = nullptr;
    if (ok && std::rename(m_tempPath.c_str(), m_targetPath.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(m_tempPath.c_str());
        ShowMessageBoxFS(landxml::FormatText("Unable to write \"%s\".\n%s", {m_targetPath, std::strerror(error)}),
                         MB_OK | MB_ICONERROR);
    }
    m_tempPath.clear();
    return ok;
}

void FSSaveXML::AbandonFile()
{
    if (m_file == nullptr)
        return;
    std::fclose(m_file);
    m_file = nullptr;
    ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
}

void FSSaveXML::WriteStartElement(const std::string& elementName, const std::vector<CXmlAttribute>& attributes)
{
    std::string line = "<" + elementName;
    for (const CXmlAttribute& attribute : attributes) {
        line += ' ';
        line += attribute.name;
        line += "=\"";
        line += attribute.value;
        line += '"';
    }
    line += '>';
    line += kLineEnd;
    WriteString(line);
    m_openElements.push_back(elementName);
}

void FSSaveXML::WriteEndElement(bool innermostOnly)
{
    while (!m_openElements.empty()) {
        WriteString("</" + m_openElements.back() + ">" + kLineEnd);
        m_openElements.pop_back();
        if (innermostOnly)
            break;
    }
}

std::string FSSaveXML::CoordinateText(const CLocation& location)
{
    std::string text;
    AppendFixed6(text, location.y);
    text += ' ';
    AppendFixed6(text, location.x);
    if (location.IsValid3D()) {
        text += ' ';
        AppendFixed6(text, location.z);
    }
    return text;
}

void FSSaveXML::WriteCgPointRef(const std::string& elementName, const std::string& referenceName,
                                const CLocation& location)
{
    const CLocation scaled = location.Scale(ConvertDistance(1.0));
    std::vector<CXmlAttribute> attributes;
    if (!referenceName.empty())
        attributes.emplace_back("pntRef", referenceName);
    WriteStartElement(elementName, attributes);
    if (scaled.HasPlaneCoordinates())
        WriteString(CoordinateText(scaled));
    WriteEndElement(true);
}

void FSSaveXML::WriteCgPoint(const std::string& name, const std::string& description, const CLocation& location)
{
    const CLocation scaled = location.Scale(ConvertDistance(1.0));
    std::vector<CXmlAttribute> attributes;
    attributes.emplace_back("name", name);
    if (m_descriptionMode == kDescriptionDesc)
        attributes.emplace_back("desc", description);
    else if (m_descriptionMode == kDescriptionCode)
        attributes.emplace_back("code", description);
    WriteStartElement("CgPoint", attributes);
    WriteString(CoordinateText(scaled));
    WriteEndElement(true);
}
