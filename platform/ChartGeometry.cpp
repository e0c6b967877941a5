#include "platform/ChartGeometry.h"

#include <algorithm>
#include <cmath>

namespace platform::chartgeo {

namespace {

bool Usable(double v) { return std::isfinite(v) && v != kChartHole; }

// Position of a value along the scale, 0 at min and 1 at max.
bool Fraction(const AxisScale& s, double value, double& f) {
    if (!ScaleUsable(s) || !Usable(value)) return false;
    if (s.log) {
        if (value <= 0) return false;
        f = (std::log10(value) - std::log10(s.min)) / (std::log10(s.max) - std::log10(s.min));
    } else {
        f = (value - s.min) / (s.max - s.min);
    }
    return std::isfinite(f);
}

}  // namespace

bool ScaleUsable(const AxisScale& s) {
    if (!std::isfinite(s.min) || !std::isfinite(s.max) || !(s.min < s.max)) return false;
    if (s.log && s.min <= 0) return false;
    return std::isfinite(s.pixAtMin) && std::isfinite(s.pixAtMax) && s.pixAtMin != s.pixAtMax;
}

bool ToPixel(const AxisScale& s, double value, double& pixel) {
    double f = 0;
    if (!Fraction(s, value, f)) return false;
    pixel = s.pixAtMin + f * (s.pixAtMax - s.pixAtMin);
    return std::isfinite(pixel);
}

bool ToData(const AxisScale& s, double pixel, double& value) {
    if (!ScaleUsable(s) || !std::isfinite(pixel)) return false;
    const double f = (pixel - s.pixAtMin) / (s.pixAtMax - s.pixAtMin);
    if (s.log) {
        const double lo = std::log10(s.min), hi = std::log10(s.max);
        value = std::pow(10.0, lo + f * (hi - lo));
    } else {
        value = s.min + f * (s.max - s.min);
    }
    return std::isfinite(value);
}

int RegionAt(double x, double y, const PixRect& header, const PixRect& footer, const PixRect& legend,
             const PixRect& plot) {
    if (header.Contains(x, y)) return kRegionHeader;
    if (footer.Contains(x, y)) return kRegionFooter;
    if (legend.Contains(x, y)) return kRegionLegend;
    if (plot.ContainsWithEdges(x, y)) return kRegionPlotArea;
    return kRegionNone;
}

NearestPoint Nearest(const std::vector<SeriesPoints>& series, const AxisScale& xs, const AxisScale& ys,
                     double px, double py) {
    NearestPoint best;
    double bestSq = INFINITY;
    for (size_t s = 0; s < series.size(); ++s) {
        const SeriesPoints& sp = series[s];
        if (!sp.drawn || !sp.x || !sp.y) continue;
        const size_t n = std::min(sp.x->size(), sp.y->size());
        for (size_t i = 0; i < n; ++i) {
            double qx = 0, qy = 0;
            if (!ToPixel(xs, (*sp.x)[i], qx) || !ToPixel(ys, (*sp.y)[i], qy)) continue;
            const double sq = (qx - px) * (qx - px) + (qy - py) * (qy - py);
            if (sq < bestSq) {
                bestSq = sq;
                best.series = static_cast<int>(s) + 1;
                best.point = static_cast<int>(i) + 1;
            }
        }
    }
    if (best.series > 0) best.distance = std::sqrt(bestSq);
    return best;
}

double NiceStep(double span, int intervals) {
    if (!std::isfinite(span) || span <= 0 || intervals < 1) return 1;
    const double raw = span / intervals;
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    if (!std::isfinite(mag) || mag <= 0) return 1;
    const double r = raw / mag;
    const double m = r < 1.5 ? 1 : r < 3.5 ? 2 : r < 7.5 ? 5 : 10;
    return m * mag;
}

double AutoSpacing(double min, double max, bool log) {
    if (log) return 1;
    return NiceStep(max - min, 5);
}

double LineCount(double min, double max, double step) {
    if (!std::isfinite(min) || !std::isfinite(max) || !std::isfinite(step) || step <= 0 || max < min)
        return 0;
    const double n = std::floor(max / step) - std::ceil(min / step) + 1;
    return std::isfinite(n) && n > 0 ? n : 0;
}

void AutoRange(const std::vector<const std::vector<double>*>& data, bool log, double& min, double& max) {
    double lo = INFINITY, hi = -INFINITY;
    for (const auto* v : data) {
        if (!v) continue;
        for (double d : *v) {
            if (!Usable(d) || (log && d <= 0)) continue;
            lo = std::min(lo, d);
            hi = std::max(hi, d);
        }
    }
    if (!(lo <= hi)) {
        min = log ? 1 : 0;
        max = 10;
        return;
    }
    if (log) {
        min = std::pow(10.0, std::floor(std::log10(lo)));
        max = std::pow(10.0, std::ceil(std::log10(hi)));
        if (!(max > min)) max = min * 10;
        return;
    }
    if (hi == lo) {
        const double pad = lo == 0 ? 1 : std::fabs(lo) * 0.1;
        lo -= pad;
        hi += pad;
    }
    const double step = NiceStep(hi - lo, 5);
    min = std::floor(lo / step) * step;
    max = std::ceil(hi / step) * step;
    if (!(max > min) || !std::isfinite(min) || !std::isfinite(max)) {
        min = lo;
        max = hi;
    }
}

}  // namespace platform::chartgeo
