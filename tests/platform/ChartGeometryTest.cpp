// Geometry of the chart without a window: scales, regions, nearest point, spacings, ranges.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "platform/ChartGeometry.h"

using namespace platform;
using namespace platform::chartgeo;

namespace {

AxisScale Horizontal(double min, double max, bool log = false) { return {min, max, log, 100, 500}; }
AxisScale Vertical(double min, double max, bool log = false) { return {min, max, log, 300, 50}; }
// The pixel of v and the value at pixel p, NaN where the scale refuses.
double Px(const AxisScale& s, double v) {
    double p = 0;
    return ToPixel(s, v, p) ? p : NAN;
}
double Value(const AxisScale& s, double p) {
    double v = 0;
    return ToData(s, p, v) ? v : NAN;
}

}  // namespace

TEST(ChartGeometry, LinearAndLogScalesMapBothWays) {
    const AxisScale s = Horizontal(-2, 6);
    EXPECT_DOUBLE_EQ(Px(s, -2), 100);
    EXPECT_DOUBLE_EQ(Px(s, 6), 500);
    EXPECT_DOUBLE_EQ(Px(s, 0), 100 + 400.0 * 2 / 8);
    EXPECT_DOUBLE_EQ(Px(s, 10), 100 + 400.0 * 12 / 8);  // outside the range: on the same straight line
    for (double x : {-2.0, -0.5, 1.25, 6.0}) EXPECT_NEAR(Value(s, Px(s, x)), x, 1e-12);
    // Vertical: larger values are higher up (smaller pixel).
    EXPECT_DOUBLE_EQ(Px(Vertical(0, 10), 10), 50);
    EXPECT_DOUBLE_EQ(Px(Vertical(0, 10), 2.5), 300 - 250 * 0.25);
    // Log: decades split the span evenly.
    const AxisScale l = Horizontal(1, 1000, true);
    EXPECT_NEAR(Px(l, 10), 100 + 400.0 / 3, 1e-9);
    EXPECT_NEAR(Px(l, std::sqrt(10.0)), 100 + 400.0 / 6, 1e-9);
    EXPECT_NEAR(Value(l, 100 + 400.0 * 2 / 3), 100, 1e-9);
}

TEST(ChartGeometry, UnusableScalesAndValuesAreRefused) {
    // No pixel for values a log scale cannot show, for holes and for non-finite values.
    for (double v : {0.0, -5.0}) EXPECT_TRUE(std::isnan(Px(Horizontal(1, 1000, true), v))) << v;
    for (double v : {kChartHole, double(NAN), double(INFINITY)}) EXPECT_TRUE(std::isnan(Px(Horizontal(0, 1), v))) << v;
    for (const AxisScale& s : {Horizontal(5, 5), Horizontal(6, 5), Horizontal(0, 10, true), Horizontal(-1, 10, true),
                               Horizontal(NAN, 10), AxisScale{0, 1, false, 100, 100}})  // the last has no pixels
        EXPECT_FALSE(ScaleUsable(s)) << s.min << " " << s.max;
    EXPECT_TRUE(std::isnan(Px(Horizontal(5, 5), 5)));
    EXPECT_TRUE(std::isnan(Value(Horizontal(0, 10, true), 200)));
}

TEST(ChartGeometry, RegionPrefersTextsAndLegendOverPlotArea) {
    const PixRect header{200, 10, 100, 20}, footer{10, 370, 80, 20}, legend{400, 50, 100, 60};
    const PixRect plot{50, 40, 500, 300};
    EXPECT_EQ(RegionAt(250, 20, header, footer, legend, plot), kRegionHeader);
    EXPECT_EQ(RegionAt(20, 380, header, footer, legend, plot), kRegionFooter);
    EXPECT_EQ(RegionAt(450, 80, header, footer, legend, plot), kRegionLegend);  // legend lies over the plot
    EXPECT_EQ(RegionAt(100, 200, header, footer, legend, plot), kRegionPlotArea);
    EXPECT_EQ(RegionAt(5, 5, header, footer, legend, plot), kRegionNone);
    // Edges: left/top inclusive, right/bottom exclusive.
    EXPECT_EQ(RegionAt(50, 40, {}, {}, {}, plot), kRegionPlotArea);
    EXPECT_EQ(RegionAt(550, 200, {}, {}, {}, plot), kRegionNone);
    // Absent (empty) items never match.
    EXPECT_EQ(RegionAt(250, 20, {}, {}, {}, plot), kRegionNone);
}

TEST(ChartGeometry, NearestPointSkipsHolesAndHiddenSeries) {
    const AxisScale xs = Horizontal(0, 400);  // 1 data unit = 1 pixel, x pixel = 100 + x
    const AxisScale ys = AxisScale{0, 250, false, 300, 50};  // y pixel = 300 - y
    std::vector<double> x1{0, 10, 20}, y1{0, 10, kChartHole};
    std::vector<double> x2{20, 30}, y2{20, 30};
    std::vector<double> x3{21, 21}, y3{21, 21};
    std::vector<SeriesPoints> series{{&x1, &y1, true}, {&x2, &y2, true}, {&x3, &y3, false}};
    // Pixel of (20, 20) plus a 3-4-5 offset: series 2, point 1, distance 5.
    NearestPoint n = Nearest(series, xs, ys, 100 + 20 + 3, 300 - 20 - 4);
    EXPECT_EQ(n.series, 2);
    EXPECT_EQ(n.point, 1);
    EXPECT_NEAR(n.distance, 5, 1e-12);
    // The hole at x = 20 of series 1 is never found, even exactly on its x.
    EXPECT_EQ(Nearest(series, xs, ys, 120, 285).series, 2);
    // Equal distance: the earlier series wins.
    std::vector<double> xa{0}, ya{0}, xb{0}, yb{0};
    n = Nearest({{&xa, &ya, true}, {&xb, &yb, true}}, xs, ys, 100, 300);
    EXPECT_EQ(n.series, 1);
    EXPECT_EQ(n.point, 1);
    EXPECT_DOUBLE_EQ(n.distance, 0);
    // Nothing drawn: nothing found.
    n = Nearest({{&x3, &y3, false}}, xs, ys, 0, 0);
    EXPECT_EQ(std::make_pair(n.series, n.point), std::make_pair(-1, -1));
    // Points a log scale cannot place are skipped.
    std::vector<double> xl{1, 10}, yl{-1, 10};
    EXPECT_EQ(Nearest({{&xl, &yl, true}}, Horizontal(1, 100, true), Vertical(1, 100, true), 100, 300).point, 2);
}

TEST(ChartGeometry, NiceStepsAndLineCounts) {
    for (const auto& [span, n, step] :
         {std::tuple{10.0, 5, 2.0}, {1.0, 5, 0.2}, {30.0, 5, 5.0}, {7.0, 5, 1.0}, {0.004, 4, 0.001}})
        EXPECT_DOUBLE_EQ(NiceStep(span, n), step) << span;
    for (double span : {1e-12, 3.3, 17.0, 250.0, 9e9, 1e300}) {
        const double st = NiceStep(span, 5);
        const double mant = st / std::pow(10.0, std::floor(std::log10(st) + 1e-12));
        EXPECT_TRUE(std::fabs(mant - 1) < 1e-9 || std::fabs(mant - 2) < 1e-9 || std::fabs(mant - 5) < 1e-9)
            << span << " -> " << st;
        EXPECT_GE(span / st, 2.0);
        EXPECT_LE(span / st, 15.0);
    }
    for (double bad : {0.0, -3.0, double(INFINITY)}) EXPECT_DOUBLE_EQ(NiceStep(bad, 5), 1) << bad;
    EXPECT_DOUBLE_EQ(AutoSpacing(0, 10, false), 2);
    EXPECT_DOUBLE_EQ(AutoSpacing(1, 1000, true), 1);
    // 0 2 4 6 8 10; -1 -0.5 0 0.5 1; none inside; no spacing.
    for (const auto& [lo, hi, step, n] :
         {std::tuple{0.0, 10.0, 2.0, 6.0}, {-1.0, 1.0, 0.5, 5.0}, {0.1, 0.9, 1.0, 0.0}, {0.0, 10.0, 0.0, 0.0}})
        EXPECT_DOUBLE_EQ(LineCount(lo, hi, step), n) << lo << " " << hi << " " << step;
    EXPECT_GT(LineCount(0, 10, 1e-9), kMaxLines);  // would need a hopeless number of lines
}

TEST(ChartGeometry, AutoRangeCoversDataWithNiceEnds) {
    std::vector<double> a{0.3, 7.2, kChartHole, NAN}, b{-1.1};
    double lo = 0, hi = 0;
    AutoRange({&a, &b}, false, lo, hi);
    EXPECT_LE(lo, -1.1);
    EXPECT_GE(hi, 7.2);
    const double st = NiceStep(7.2 + 1.1, 5);
    EXPECT_NEAR(std::remainder(lo, st), 0, 1e-9);
    EXPECT_NEAR(std::remainder(hi, st), 0, 1e-9);
    EXPECT_LT(hi - lo, 2 * (7.2 + 1.1));
    // Log: only positive values, widened to decades.
    std::vector<double> c{-5, 0, 0.02, 350};
    AutoRange({&c}, true, lo, hi);
    EXPECT_DOUBLE_EQ(lo, 0.01);
    EXPECT_DOUBLE_EQ(hi, 1000);
    // A single value still gives a usable range; no data gives the default.
    std::vector<double> one{4}, none{kChartHole};
    AutoRange({&one}, false, lo, hi);
    EXPECT_TRUE(lo < 4 && hi > 4) << lo << " " << hi;
    AutoRange({&one}, true, lo, hi);
    EXPECT_LT(lo, hi);
    AutoRange({&none}, false, lo, hi);
    EXPECT_EQ(std::make_pair(lo, hi), std::make_pair(0.0, 10.0));
    AutoRange({}, true, lo, hi);
    EXPECT_EQ(std::make_pair(lo, hi), std::make_pair(1.0, 10.0));
}
