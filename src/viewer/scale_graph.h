#pragma once

#include <cstdint>

#include "graph/scale_mapping.h"
#include "viewer/graph_surface.h"

namespace kv {

// One plot area on a surface: maps values (time or sample number across, G
// up) to its pixels and draws frame, grid segments, data lines and curves in
// its colours. Does nothing while it has no surface.
class ScaleGraph {
  public:
    virtual ~ScaleGraph();

    void SetCanvas(GraphSurface* surface) { canvas_ = surface; }
    GraphSurface* canvas() const { return canvas_; }
    void SetArea(const PixelRect& area) { mapping_.setArea(area); }
    void SetRange(double xOrigin, double yOrigin, double xSpan, double ySpan) {
        mapping_.setRange(xOrigin, yOrigin, xSpan, ySpan);
    }
    PixelPoint ToPixel(double x, double y) const { return mapping_.toPixel(x, y); }
    const ScaleMapping& mapping() const { return mapping_; }

    // A peak bar in the line colour.
    void DrawLine(double x1, double y1, double x2, double y2);
    // A grid segment with the current pen.
    void DrawSegment(double x1, double y1, double x2, double y2);
    // Joins the points in the line colour; one point draws nothing.
    void DrawPolyline(const double* xs, const float* ys, int n);
    // The grid pen: dotted, or solid for the zero line and the edges.
    void SetPenStyle(bool dotted);
    // White over the whole paint box, the plot area in the back colour and a
    // two-pixel frame in the grid colour round it.
    void ClearArea();

    void SetBackColor(uint32_t c) { backColor_ = c; }
    void SetLineColor(uint32_t c) { lineColor_ = c; }
    void SetGridColor(uint32_t c) { gridColor_ = c; }
    uint32_t lineColor() const { return lineColor_; }
    uint32_t gridColor() const { return gridColor_; }

    int GetTop() const { return mapping_.area().top; }
    int GetLeft() const { return mapping_.area().left; }
    int GetRight() const { return mapping_.area().right; }
    int GetBottom() const { return mapping_.area().bottom; }

  private:
    GraphSurface* canvas_ = nullptr;
    ScaleMapping mapping_;
    uint32_t backColor_ = 0xFFFFFF;
    uint32_t lineColor_ = 0;
    uint32_t gridColor_ = 0;
};

}  // namespace kv
