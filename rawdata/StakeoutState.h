#pragma once

#include "core/Location.h"

#include <string>
#include <vector>

class CColoredTextLines;
class CRawDataFormat;

// What one stake-out line resolved: the design point staked, the as-built point measured, their
// differences and any warnings. The warnings list always starts with the separator line.
class CStakeoutState
{
public:
    CStakeoutState() { Reset(); }

    void Reset();
    // An empty text is not added.
    void AddWarning(const std::string& text);
    // Design minus as-built per coordinate; true when the elevation delta is present.
    bool ComputeDeltas();
    // Design elevation minus as-built elevation; NoValue unless both are present.
    double GetCutFill() const;

    const std::string& GetDesignPointName() const { return m_designName; }
    const std::string& GetDesignDescription() const { return m_designDescription; }
    const CLocation& GetDesignLocation() const { return m_designLocation; }
    const std::string& GetAsBuiltPointName() const { return m_asBuiltName; }
    const std::string& GetAsBuiltDescription() const { return m_asBuiltDescription; }
    const CLocation& GetAsBuiltLocation() const { return m_asBuiltLocation; }
    const CLocation& GetDeltas() const { return m_deltas; }
    const std::vector<std::string>& GetWarnings() const { return m_warnings; }
    bool HasWarnings() const { return m_warnings.size() > 1; }

    // The "Point Stakeout" block; false, writing nothing, without lines.
    bool FormatReport(CColoredTextLines* lines, const CRawDataFormat& format) const;
    // The block, then the warnings in the problem colour when there are any.
    bool AppendToReport(CColoredTextLines* lines, const CRawDataFormat& format) const;

private:
    friend class CStakeoutStateTable;

    std::string m_designName;
    std::string m_designDescription;
    CLocation m_designLocation;
    std::string m_asBuiltName;
    CLocation m_asBuiltLocation;
    std::string m_asBuiltDescription;
    CLocation m_deltas;
    std::vector<std::string> m_warnings;
};
