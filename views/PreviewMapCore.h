#pragma once

#include "rawdata/RawDataDrawTarget.h"
#include "views/MapCtrlCore.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CPointRecord;

// Icon whose marker gets no centre pixel.
inline constexpr int32_t IconNoCentrePixel = 238;

struct CPreviewLocation
{
    CLocation location;
    int32_t icon = 0; // 0 = none
    std::string label1;
    std::string label2;
    bool hasLabels = false;
    bool hasOffset = false;
    int32_t offsetX = 0;
    int32_t offsetY = 0;
    bool searchable = false;
    uint32_t tag = 0;
};

struct CPreviewPoint
{
    CPointRecord* record = nullptr;
    int32_t icon = 0;
    bool ownsRecord = false;
    ~CPreviewPoint();
};

struct CPreviewLine
{
    CLocation from;
    CLocation to;
    uint32_t colour = 0;
    int32_t width = 1;
    bool searchable = false;
    uint32_t tag = 0;
};

struct CPreviewScratchLine
{
    CLocation from;
    CLocation to;
};

struct CPreviewConstructionLine
{
    CLocation from;
    CLocation to;
};

struct CPreviewScratchCircle
{
    CLocation centre;
    double radius = 0.0;
};

struct CPreviewInfiniteLine
{
    CLocation location;
    double direction = 0.0; // radians counter-clockwise from +x
    bool bothWays = false;
    uint32_t colour = 0;
    int32_t width = 1;
    bool searchable = false;
    uint32_t tag = 0;
};

// The job view's map: the job's points and, over them, transient preview geometry that other parts
// hand to it (raw data markers, points not in the job, coloured lines, the scratch and
// construction geometry of the COGO commands, rays). Colours are 0x00BBGGRR.
class CPreviewMapCore : public CMapCtrlCore, public CRawDataDrawTarget
{
public:
    explicit CPreviewMapCore(CMapHost* host = nullptr);
    ~CPreviewMapCore() override;

    // --- Adding.
    void AddMarker(const CLocation& at, int32_t icon);
    void AddMarkerWithOffset(const CLocation& at, int32_t icon, int32_t dx, int32_t dy);
    void AddLabelledMarker(const CLocation& at, const std::string& label1, const std::string& label2, int32_t icon);
    void AddMarkerLabel(const CLocation& at, const std::string& label2, int32_t icon);
    // Searchable markers, lines and rays carry the raw data line they show as their tag.
    void AddPreviewLocation(const CLocation& at, int32_t icon, int32_t line) override;
    void AddPreviewLocationEx(const CLocation& at, int32_t icon, int32_t dx, int32_t dy, int32_t line) override;
    void AddTopMarker(const CLocation& at, int32_t icon);
    void AddTopLabelledMarker(const CLocation& at, const std::string& label1, const std::string& label2, int32_t icon);
    void AddTopMarkerLabel(const CLocation& at, const std::string& label2, int32_t icon);
    // With ownsRecord the record is deleted with the preview.
    void AddPreviewPoint(CPointRecord* record, int32_t icon, bool ownsRecord);
    void AddLine(const CLocation& from, const CLocation& to, uint32_t colour, int32_t width);
    void AddPreviewLine(const CLocation& from, const CLocation& to, int32_t paletteIndex, int32_t width,
                        int32_t line) override;
    void AddScratchLine(const CLocation& from, const CLocation& to);
    void AddScratchCircle(const CLocation& centre, double radius);
    void AddConstructionLine(const CLocation& from, const CLocation& to);
    void AddRay(const CLocation& at, double direction, bool bothWays, uint32_t colour, int32_t width);
    void AddSearchableRay(const CLocation& at, double direction, bool bothWays, uint32_t colour, int32_t width,
                          uint32_t tag);
    // A searchable ray in a palette colour; a non-zero flag draws it both ways.
    void AddPreviewInfiniteLine(const CLocation& through, double direction, int32_t flag, int32_t paletteIndex,
                                int32_t width, int32_t line) override;

    // --- Clearing; false (nothing done) when the lists were empty.
    bool ClearScratchGeometry();
    bool ClearPreviews();

    // --- Map operations.
    void ZoomExtents(bool push) override;
    bool IncludeInExtents(CRecord* record) override;
    void DrawPreviewStep(CMapSurface& surface, bool& more, bool fresh) override;
    void DrawDecorations(CMapSurface& surface) override { DrawTopLayer(surface); }
    void DrawTopLayer(CMapSurface& surface);
    // Markers, preview points and top-layer locations; the job's first point when there are none.
    // An axis without size is widened by 1.0 on each side. Empty when nothing has plane coordinates.
    void GetPreviewExtents(CExtent2D& extent);
    void ZoomToPreviews();
    // 0x808A: the tags of the searchable previews in the query's box, sorted ascending.
    bool OnFindPreview808A(CPickQuery* q);

    // The job view's change hints as far as they concern its map: redraws (codes 2, 3, 6, 32, 34
    // and 35-40), layout deferral (14, 15), extents after bulk additions (19) and a fresh history for a
    // new job (33). deferred is the view's deferred mode during a batch of hints.
    void OnJobViewHint(int32_t hint, intptr_t hintObject, bool deferred);

    void SetUseMapZoomExtents(bool on) { m_useMapZoomExtents = on; }
    void SetPointLabels(bool on) { m_pointLabels = on; }

    size_t GetMarkerCount() const { return m_markers.size(); }
    size_t GetScratchCount() const { return m_scratchLines.size() + m_scratchCircles.size() + m_constructionLines.size(); }
    bool HasPreviews() const;

    // Objects each preview drawing pass looks at before it lets Esc be checked.
    static constexpr size_t StepObjects = 512;

protected:
    void AddRecordsToExtent(CExtent2D& extent) override;

private:
    // Draws the objects of list k from its saved position; false when the pass must stop.
    bool DrawList(CMapSurface& surface, int list, size_t& budget);
    void DrawLocation(CMapSurface& surface, const CPreviewLocation& loc, uint32_t textColour);
    void DrawClipped(CMapSurface& surface, const CLocation& a, const CLocation& b, uint32_t colour, int32_t width);
    double WorldDiagonal() const;
    bool SegmentMeetsBox(const CLocation& a, const CLocation& b, double left, double top, double right,
                         double bottom) const;

    std::vector<std::unique_ptr<CPreviewLocation>> m_markers;
    std::vector<std::unique_ptr<CPreviewPoint>> m_points;
    std::vector<std::unique_ptr<CPreviewLine>> m_lines;
    // The extent of each searchable line (raw observations), for the hover's search.
    struct LineExtent
    {
        double minX, maxX, minY, maxY;
        size_t index;
    };
    std::vector<LineExtent> m_lineExtents;
    std::vector<std::unique_ptr<CPreviewScratchLine>> m_scratchLines;
    std::vector<std::unique_ptr<CPreviewScratchCircle>> m_scratchCircles;
    std::vector<std::unique_ptr<CPreviewConstructionLine>> m_constructionLines;
    std::vector<std::unique_ptr<CPreviewInfiniteLine>> m_rays;
    std::vector<std::unique_ptr<CPreviewLocation>> m_topLocations;
    bool m_useMapZoomExtents = true;
    bool m_pointLabels = true;
    bool m_drawing = false;
    static constexpr int DrawnLists = 7;
    size_t m_position[DrawnLists] = {};
};
