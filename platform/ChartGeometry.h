#pragma once
// Geometry of the 2-D chart without any drawing: data <-> pixel on linear and logarithmic
// scales, automatic ranges and spacings, the region under a pixel and the nearest data point.
// Chart2D computes all its hit tests here, so these rules are testable without a window.
#include <vector>

#include "platform/Chart2D.h"

namespace platform::chartgeo {

// A rectangle in chart pixels; an empty one (width or height <= 0) contains nothing.
struct PixRect {
    double left = 0, top = 0, width = 0, height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
    bool Contains(double x, double y) const {
        return !Empty() && x >= left && x < left + width && y >= top && y < top + height;
    }
    // Contains, with the right and bottom edges: a plot area's axis maximum of x and minimum of y map
    // onto left + width and top + height, and a point drawn there belongs to the plot.
    bool ContainsWithEdges(double x, double y) const {
        return !Empty() && x >= left && x <= left + width && y >= top && y <= top + height;
    }
};

// One axis: the data range [min, max] maps onto the pixels pixAtMin .. pixAtMax
// (for a vertical axis pixAtMin is the larger pixel value).
struct AxisScale {
    double min = 0, max = 1;
    bool log = false;
    double pixAtMin = 0, pixAtMax = 1;
};

// True when the scale can map values: finite, min < max, and min > 0 on a log scale.
bool ScaleUsable(const AxisScale& s);
// Pixel of a data value; false for holes, non-finite values and values <= 0 on a log scale.
bool ToPixel(const AxisScale& s, double value, double& pixel);
// Data value of a pixel; false when the scale is unusable.
bool ToData(const AxisScale& s, double pixel, double& value);

// Region code under (x, y): header, footer and legend lie over the plot area; absent items are
// passed as empty rectangles.
int RegionAt(double x, double y, const PixRect& header, const PixRect& footer, const PixRect& legend,
             const PixRect& plot);

// The points of one series for the nearest-point search; series that are not drawn pass
// drawn = false.
struct SeriesPoints {
    const std::vector<double>* x = nullptr;
    const std::vector<double>* y = nullptr;
    bool drawn = true;
};
// Nearest point (series and point numbers from 1) to the pixel (px, py) over all drawn series,
// holes and unmappable points skipped; series -1 and point -1 when there is none.
// On equal distance the earlier series and point win.
NearestPoint Nearest(const std::vector<SeriesPoints>& series, const AxisScale& xs, const AxisScale& ys,
                     double px, double py);

// A "nice" step (1, 2 or 5 times a power of ten) that divides span into about `intervals`
// parts; 1 for a span that is not positive and finite.
double NiceStep(double span, int intervals);
// Automatic spacing of a range: NiceStep for about five intervals, 1 (a decade) on a log scale.
double AutoSpacing(double min, double max, bool log);
// Number of lines at multiples of step inside [min, max] (0 for an unusable input); used to
// refuse spacings that would need too many lines.
double LineCount(double min, double max, double step);
// The largest number of lines a given spacing may draw before the automatic one is used.
inline constexpr double kMaxLines = 2000;

// Automatic range of data values (holes and non-finite values skipped; on a log scale only
// values > 0): widened to whole multiples of the automatic step, or to whole decades.
// Without usable data: 0..10 (linear) or 1..10 (log). Returns the range in min, max.
void AutoRange(const std::vector<const std::vector<double>*>& data, bool log, double& min, double& max);

}  // namespace platform::chartgeo
