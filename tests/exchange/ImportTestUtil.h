#pragma once

#include "TestUtil.h"
#include "model/TestJobDoc.h"

#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "platform/MessageBox.h"

#include <string>
#include <vector>

namespace morvel::test {

// Settings for one test that never touch the profile file: the usual captions and order, and a
// rename rule that puts "A_" in front of every name it renames.
class ImportSettings
{
public:
    ImportSettings()
    {
        settings.SetXCaption("Easting");
        settings.SetYCaption("Northing");
        settings.SetZCaption("Elevation");
        settings.SetCoordOrder(true);
        settings.SetRenameRule(3);
        settings.SetRenameDesignator("A");
        settings.SetRenameDesignatorLocation(0);
        settings.SetRenameOption(0);
        SetMorvelSettings(&settings);
    }
    ~ImportSettings() { SetMorvelSettings(nullptr); }

    CMorvelSettings settings;
};

// Every message box shown while it lives, answered with OK.
class MessageLog
{
public:
    MessageLog()
    {
        m_previous = SetMessageBoxHandler([this](const MessageBoxRequest& request) {
            texts.push_back(request.text);
            flags.push_back(request.flags);
            plain.push_back(request.plain);
            return IDOK;
        });
    }
    ~MessageLog() { SetMessageBoxHandler(std::move(m_previous)); }

    std::vector<std::string> texts;
    std::vector<uint32_t> flags;
    std::vector<bool> plain;

private:
    MessageBoxHandler m_previous;
};

inline std::vector<std::string> PointNames(CDataFileDoc& doc)
{
    std::vector<std::string> names;
    CPointDatabase* points = doc.GetPointDatabase();
    for (RedBlackNode* pos = points->GetFirstPosition(); pos != nullptr;)
        names.emplace_back(points->GetNextPoint(pos)->GetName());
    return names;
}

inline CPointRecord* Point(CDataFileDoc& doc, const std::string& name)
{
    return doc.GetPointDatabase()->FindPoint(name, true);
}

// The raw lines that are input-point records.
inline std::vector<std::string> InputPointLines(TestJobDoc& job)
{
    std::vector<std::string> lines;
    for (const std::string& line : job.rawData.lines)
        if (line.rfind("MP,", 0) == 0)
            lines.push_back(line);
    return lines;
}

} // namespace morvel::test
