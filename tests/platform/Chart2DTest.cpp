// The chart: its geometry without a window (scales, regions, nearest point, spacings, ranges), the
// widget (data and gaps, styles, axes, hit tests, zoom, labels) and its layout file.
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

#include "platform/Chart2D.h"
#include "platform/ChartGeometry.h"
#include "platform/TextPrint.h"
#include "tests/support/MsgRecorder.h"

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

constexpr int kRed = Chart2D::Rgb(255, 0, 0);

class Chart2DTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)).toStdString(); }
    // Pixel of data coordinates computed from the plot rectangle alone (linear X and Y).
    QPointF Linear(double x, double y) {
        const double x0 = chart.AxisMin(ChartAxis::X), x1 = chart.AxisMax(ChartAxis::X);
        const double y0 = chart.AxisMin(ChartAxis::Y), y1 = chart.AxisMax(ChartAxis::Y);
        return {chart.PlotAreaLeft() + chart.PlotAreaWidth() * (x - x0) / (x1 - x0),
                chart.PlotAreaTop() + chart.PlotAreaHeight() * (y1 - y) / (y1 - y0)};
    }
    QImage Render() {
        const std::string p = Path("render.png");
        EXPECT_TRUE(chart.SavePicture(p, kPictureBitmap));
        return QImage(QString::fromStdString(p));
    }
    // The bounding box of the pixels of img inside `window` that pass `ink`; null when there are none.
    static QRect InkBox(const QImage& img, QRect window, bool (*ink)(QRgb)) {
        QRect box;
        for (int y = window.top(); y <= window.bottom(); ++y)
            for (int x = window.left(); x <= window.right(); ++x)
                if (img.valid(x, y) && ink(img.pixel(x, y))) box = box.united(QRect(x, y, 1, 1));
        return box;
    }
    static bool IsRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; }
    // True when a red pixel lies within `r` pixels of p.
    static bool RedNear(const QImage& img, QPointF p, int r) {
        const QPoint c = p.toPoint();
        return !InkBox(img, QRect(c.x() - r, c.y() - r, 2 * r + 1, 2 * r + 1), IsRed).isNull();
    }
    // The saved layout text of chart c.
    QByteArray Saved(Chart2D& c, const char* name) {
        EXPECT_TRUE(c.SaveLayout(Path(name)));
        QFile f(QString::fromStdString(Path(name)));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    QTemporaryDir dir;
    Chart2D chart, loaded;  // `loaded` reads the layout files of `chart`
};

constexpr AxisSpacing kSpacings[] = {AxisSpacing::Grid, AxisSpacing::Tick, AxisSpacing::Number};
constexpr MarginSide kSides[] = {MarginSide::Left, MarginSide::Top, MarginSide::Right, MarginSide::Bottom};

// A chart that differs from the start state in every kind of setting.
void Fill(Chart2D& c) {
    c.SetSeriesCount(1, 63);
    c.SetSeriesData(1, 1, {0, 0.1, 0.2, 0.30000000000000004}, {1, kChartHole, 1e-300, -2.5e12});
    c.SetDisplay(1, 30, kSeriesEmptied);
    c.SetLinePattern(1, 1, kLineDashDot);
    c.SetLineColor(1, 1, Chart2D::Rgb(12, 34, 56));
    c.SetLineWidth(1, 1, 4);
    c.SetLegendText(1, 1, "K.1  Konzentration A");
    c.SetSeriesData(2, 3, {1, 2}, {3, 4});
    c.SetSymbolShape(2, 3, kSymbolOpenDiamond);
    c.SetSymbolColor(2, 3, Chart2D::Rgb(200, 0, 100));
    c.SetSymbolSize(2, 3, 11);
    c.SetLegendText(2, 3, "P.3  Messpunkte");
    c.SetAxisRange(ChartAxis::X, -1, 11);
    c.SetAxisRange(ChartAxis::Y2, 0.01, 100);
    c.SetAxisLog(ChartAxis::Y2, true);
    c.SetAxisShown(ChartAxis::Y2, true);
    c.SetGridShown(ChartAxis::X, true);
    c.SetGridPattern(ChartAxis::Y, kLineDotted);
    c.SetGridColor(ChartAxis::Y, Chart2D::Rgb(143, 143, 143));
    c.SetSpacing(ChartAxis::X, AxisSpacing::Tick, 0.5);
    c.SetAxisOrigin(ChartAxis::Y, kPlaceAtMaximum);
    c.SetNumberPlacement(ChartAxis::X, kPlaceAtZero);
    c.SetAxisTitle(ChartAxis::X, "Zeit t / min");
    c.SetAxisTitleFont(ChartAxis::X, QFont("Arial", 11, QFont::Bold));
    c.SetAxisTitleColor(ChartAxis::Y, Chart2D::Rgb(1, 2, 3));
    c.SetAxisTitleRotation(ChartAxis::Y, kTextHorizontal);
    c.SetAxisNumberFont(ChartAxis::Y, QFont("Courier", 7, QFont::Normal, true));
    c.SetAxisNumberRotation(ChartAxis::Y, kTextVertical);
    c.SetChartBackColor(Chart2D::Rgb(250, 250, 240));
    c.SetChartAreaLocation(5, 16);
    c.SetChartAreaBackColor(Chart2D::Rgb(240, 240, 240));
    c.SetChartAreaForeColor(Chart2D::Rgb(0, 0, 128));
    c.SetChartAreaBorderWidth(2);
    c.SetPlotAreaBackColor(Chart2D::Rgb(251, 251, 251));
    c.SetPlotFrame(false);
    c.SetPlotMargin(MarginSide::Top, 30);
    c.SetTextBlock(ChartText::Header, "Kopf\rzweite Zeile");
    c.SetTextBlockFont(ChartText::Header, QFont("Arial", 14, QFont::Bold, true));
    c.SetTextBlockForeColor(ChartText::Header, Chart2D::Rgb(9, 9, 9));
    c.SetTextBlockBackColor(ChartText::Header, Chart2D::Rgb(255, 255, 200));
    c.SetTextBlockBorder(ChartText::Header, kBorderFramed1);
    c.SetTextBlockLocation(ChartText::Footer, 5, 300);
    c.SetTextBlock(ChartText::Footer, "Zusatz-Text");
    c.SetTextBlockShown(ChartText::Footer, false);
    c.SetLegendShown(true);
    c.SetLegendLocation(380, 90);
    c.SetLegendOrientation(kLegendHorizontal);
    c.SetLegendBorder(kBorderNone);
    c.SetLegendFont(QFont("Arial", 8));
    c.SetLegendForeColor(Chart2D::Rgb(0, 100, 0));
    c.SetLegendBackColor(-1);
    for (int k = 0; k < 3; ++k) c.AddLabel();
    c.SetLabelText(1, "1");
    c.SetLabelAttachSeries(1, 1, 1, 3);
    c.SetLabelOffset(1, 10);
    c.SetLabelShown(1, true);
    c.SetLabelText(3, "              aktuelle mittl. Verweilzeit");
    c.SetLabelAttachData(3, 4.5, 2.25);
    c.SetLabelAnchor(3, kAnchorEast);
    c.SetLabelForeColor(3, Chart2D::Rgb(255, 80, 80));
    c.SetLabelBackColor(3, Chart2D::Rgb(255, 255, 255));
    c.SetLabelFont(3, QFont("Arial", 11, QFont::Bold, true));
    c.SetLabelBorder(3, kBorderPlain);
    c.SetLabelAttachPixel(2, 40, 50);
}

// Every readable property of a and b, compared exactly (doubles survive the file unchanged).
#define SAME(...) EXPECT_EQ(a.__VA_ARGS__, b.__VA_ARGS__)
void ExpectSame(Chart2D& a, Chart2D& b) {
    for (int g = 1; g <= 2; ++g) {
        ASSERT_EQ(a.SeriesCount(g), b.SeriesCount(g));
        for (int s = 1; s <= a.SeriesCount(g); ++s) {
            SCOPED_TRACE(testing::Message() << g << "/" << s);
            ASSERT_EQ(a.PointCount(g, s), b.PointCount(g, s));
            for (int p = 1; p <= a.PointCount(g, s); ++p) { SAME(X(g, s, p)); SAME(Y(g, s, p)); }
            SAME(Display(g, s)); SAME(LinePattern(g, s)); SAME(LineColor(g, s)); SAME(LineWidth(g, s));
            SAME(SymbolShape(g, s)); SAME(SymbolColor(g, s)); SAME(SymbolSize(g, s)); SAME(LegendText(g, s));
        }
    }
    for (ChartAxis ax : {ChartAxis::X, ChartAxis::Y, ChartAxis::Y2}) {
        SAME(AxisShown(ax)); SAME(AxisMin(ax)); SAME(AxisMax(ax)); SAME(AxisAutoScale(ax)); SAME(AxisLog(ax));
        SAME(GridShown(ax)); SAME(GridPattern(ax)); SAME(GridColor(ax));
        for (AxisSpacing sp : kSpacings) { SAME(SpacingAuto(ax, sp)); SAME(Spacing(ax, sp)); }
        SAME(AxisOrigin(ax)); SAME(NumberPlacement(ax)); SAME(AxisTitle(ax)); SAME(AxisTitleFont(ax));
        SAME(AxisTitleColor(ax)); SAME(AxisTitleRotation(ax)); SAME(AxisNumberFont(ax)); SAME(AxisNumberRotation(ax));
    }
    SAME(ChartBackColor()); SAME(ChartAreaLeft()); SAME(ChartAreaTop()); SAME(ChartAreaBackColor());
    SAME(ChartAreaForeColor()); SAME(ChartAreaBorderWidth()); SAME(PlotAreaBackColor()); SAME(PlotFrame());
    for (MarginSide s : kSides) { SAME(PlotMarginAuto(s)); SAME(PlotMargin(s)); }
    for (ChartText t : {ChartText::Header, ChartText::Footer}) {
        SAME(TextBlock(t)); SAME(TextBlockFont(t)); SAME(TextBlockForeColor(t)); SAME(TextBlockBackColor(t));
        SAME(TextBlockBorder(t)); SAME(TextBlockLeft(t)); SAME(TextBlockTop(t)); SAME(TextBlockShown(t));
    }
    SAME(LegendShown()); SAME(LegendLeft()); SAME(LegendTop()); SAME(LegendOrientation()); SAME(LegendBorder());
    SAME(LegendFont()); SAME(LegendForeColor()); SAME(LegendBackColor());
    ASSERT_EQ(a.LabelCount(), b.LabelCount());
    for (int k = 1; k <= a.LabelCount(); ++k) {
        SAME(LabelText(k)); SAME(LabelAttach(k)); SAME(LabelGroup(k)); SAME(LabelSeries(k)); SAME(LabelPoint(k));
        SAME(LabelDataX(k)); SAME(LabelDataY(k)); SAME(LabelOffset(k)); SAME(LabelAnchor(k));
        SAME(LabelForeColor(k)); SAME(LabelBackColor(k)); SAME(LabelFont(k)); SAME(LabelBorder(k)); SAME(LabelShown(k));
    }
}
#undef SAME

}  // namespace

TEST(ChartGeometry, ScalesMapBothWaysAndRefuseWhatTheyCannotShow) {
    // Scale, value, pixel. Outside the range a linear value lies on the same straight line; vertically
    // larger values are higher up (smaller pixel); on a log scale decades split the span evenly.
    const AxisScale lin = Horizontal(-2, 6), log = Horizontal(1, 1000, true);
    const std::tuple<AxisScale, double, double> cases[] = {
        {lin, -2, 100}, {lin, 6, 500}, {lin, 0, 100 + 400.0 * 2 / 8}, {lin, 10, 100 + 400.0 * 12 / 8},
        {Vertical(0, 10), 10, 50}, {Vertical(0, 10), 2.5, 300 - 250 * 0.25}, {log, 10, 100 + 400.0 / 3},
        {log, std::sqrt(10.0), 100 + 400.0 / 6}, {log, 100, 100 + 400.0 * 2 / 3}};
    for (const auto& [s, v, p] : cases) {
        EXPECT_NEAR(Px(s, v), p, 1e-9) << v;
        EXPECT_NEAR(Value(s, p), v, 1e-9) << v;
    }
    // No pixel for values a log scale cannot show, for holes and for non-finite values.
    for (double v : {0.0, -5.0}) EXPECT_TRUE(std::isnan(Px(log, v))) << v;
    for (double v : {kChartHole, double(NAN), double(INFINITY)}) EXPECT_TRUE(std::isnan(Px(Horizontal(0, 1), v))) << v;
    for (const AxisScale& s : {Horizontal(5, 5), Horizontal(6, 5), Horizontal(0, 10, true), Horizontal(-1, 10, true),
                               Horizontal(NAN, 10), AxisScale{0, 1, false, 100, 100}})  // the last has no pixels
        EXPECT_FALSE(ScaleUsable(s)) << s.min << " " << s.max;
}

TEST(ChartGeometry, HitTestEdgesAndNearestPointSkippingHolesAndHiddenSeries) {
    const AxisScale xs = Horizontal(0, 400);  // 1 data unit = 1 pixel, x pixel = 100 + x
    const AxisScale ys = AxisScale{0, 250, false, 300, 50};  // y pixel = 300 - y
    std::vector<double> x1{0, 10, 20}, y1{0, 10, kChartHole}, on2{20, 30}, on3{21, 21};  // 2 and 3 on y = x
    std::vector<SeriesPoints> series{{&x1, &y1, true}, {&on2, &on2, true}, {&on3, &on3, false}};
    // Pixel of (20, 20) plus a 3-4-5 offset: series 2, point 1, distance 5; the hidden series 3 is nearer.
    NearestPoint n = Nearest(series, xs, ys, 100 + 20 + 3, 300 - 20 - 4);
    EXPECT_EQ(std::make_pair(n.series, n.point), std::make_pair(2, 1));
    EXPECT_NEAR(n.distance, 5, 1e-12);
    // The hole at x = 20 of series 1 is never found, even exactly on its x.
    EXPECT_EQ(Nearest(series, xs, ys, 120, 285).series, 2);
    // Equal distance: the earlier series wins.
    EXPECT_EQ(Nearest({{&on2, &on2, true}, {&on2, &on2, true}}, xs, ys, 120, 280).series, 1);
    // Points a log scale cannot place are skipped.
    std::vector<double> xl{1, 10}, yl{-1, 10};
    EXPECT_EQ(Nearest({{&xl, &yl, true}}, Horizontal(1, 100, true), Vertical(1, 100, true), 100, 300).point, 2);
    // Rectangles of the hit test: the plot area holds all four edges, where the axes' ends map (x max
    // onto 550, y min onto 340); the legend, header and footer hold their left and top edges only.
    // Which item wins where they overlap is checked on the widget.
    const PixRect plot{50, 40, 500, 300}, legend{600, 40, 50, 50};
    EXPECT_EQ(RegionAt(50, 40, {}, {}, {}, plot), kRegionPlotArea);
    EXPECT_EQ(RegionAt(550, 340, {}, {}, {}, plot), kRegionPlotArea);
    EXPECT_EQ(RegionAt(551, 200, {}, {}, {}, plot), kRegionNone);
    EXPECT_EQ(RegionAt(100, 341, {}, {}, {}, plot), kRegionNone);
    EXPECT_EQ(RegionAt(600, 40, {}, {}, legend, plot), kRegionLegend);
    EXPECT_EQ(RegionAt(650, 60, {}, {}, legend, plot), kRegionNone);
}

// The automatic spacing of an axis is checked on the widget.
TEST(ChartGeometry, NiceStepsAndLineCounts) {
    for (const auto& [span, n, step] :
         {std::tuple{10.0, 5, 2.0}, {1.0, 5, 0.2}, {15.0, 5, 2.0}, {30.0, 5, 5.0}, {40.0, 5, 10.0}, {7.0, 5, 1.0},
          {0.004, 4, 0.001}})
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
    // 0 2 4 6 8 10; -1 -0.5 0 0.5 1; none inside; no spacing.
    for (const auto& [lo, hi, step, n] :
         {std::tuple{0.0, 10.0, 2.0, 6.0}, {-1.0, 1.0, 0.5, 5.0}, {0.1, 0.9, 1.0, 0.0}, {0.0, 10.0, 0.0, 0.0}})
        EXPECT_DOUBLE_EQ(LineCount(lo, hi, step), n) << lo << " " << hi << " " << step;
    EXPECT_GT(LineCount(0, 10, 1e-9), kMaxLines);  // would need a hopeless number of lines
}

TEST(ChartGeometry, AutoRangeCoversDataWithNiceEnds) {
    // The automatic range of the values of two series, on a log scale or not.
    const auto range = [](std::vector<double> a, bool log, std::vector<double> b = {}) {
        double lo = 0, hi = 0;
        AutoRange({&a, &b}, log, lo, hi);
        return std::pair{lo, hi};
    };
    // Nice ends, holes skipped, the second series counted.
    const auto [lo, hi] = range({0.3, 7.2, kChartHole, NAN}, false, {-1.1});
    EXPECT_LE(lo, -1.1);
    const double st = NiceStep(7.2 + 1.1, 5);
    EXPECT_NEAR(std::remainder(lo, st), 0, 1e-9);
    EXPECT_NEAR(std::remainder(hi, st), 0, 1e-9);
    EXPECT_LT(hi - lo, 2 * (7.2 + 1.1));
    // Log: only positive values, widened to decades.
    EXPECT_EQ(range({-5, 0, 0.02, 350}, true), std::pair(0.01, 1000.0));
    // A single value, a power of ten too, still gives a usable range; no data gives the default.
    const auto [lo1, hi1] = range({10}, false);
    EXPECT_TRUE(lo1 < 10 && hi1 > 10) << lo1 << " " << hi1;
    EXPECT_LT(range({10}, true).first, range({10}, true).second);
    EXPECT_EQ(range({kChartHole}, false), std::pair(0.0, 10.0));
    EXPECT_EQ(range({}, true), std::pair(1.0, 10.0));
}

TEST_F(Chart2DTest, SeriesTakeOnlyValidPointsAndStyles) {
    EXPECT_EQ(chart.SeriesCount(2), 12);
    EXPECT_TRUE(chart.SetSeriesCount(1, 63));
    EXPECT_FALSE(chart.SetSeriesCount(1, -1));
    EXPECT_FALSE(chart.SetSeriesCount(3, 5));
    EXPECT_EQ(chart.SeriesCount(1), 63);
    chart.SetDataBatched(1, true);
    ASSERT_TRUE(chart.SetPointCount(1, 3, 4));
    for (int i = 1; i <= 4; ++i) chart.SetPoint(1, 3, i, i * 0.5, i * i);
    chart.SetDataBatched(1, false);
    EXPECT_DOUBLE_EQ(chart.X(1, 3, 2), 1.0);
    EXPECT_DOUBLE_EQ(chart.Y(1, 3, 4), 16.0);
    // Growing adds holes; shrinking drops the tail.
    chart.SetPointCount(1, 3, 6);
    EXPECT_EQ(chart.Y(1, 3, 6), kChartHole);
    chart.SetPointCount(1, 3, 2);
    EXPECT_FALSE(chart.SetPointCount(1, 3, -2));
    // Outside the count, the series or the groups: nothing happens, getters give the hole.
    chart.SetX(1, 3, 3, 7);
    chart.SetX(1, 99, 1, 7);
    chart.SetY(0, 1, 1, 7);
    EXPECT_EQ(chart.PointCount(1, 3), 2);
    for (double v : {chart.X(1, 3, 3), chart.X(1, 3, 0), chart.Y(5, 1, 1)}) EXPECT_EQ(v, kChartHole);
    // Non-finite values become holes instead of poisoning the scaling.
    chart.SetY(1, 3, 1, NAN);
    EXPECT_EQ(chart.Y(1, 3, 1), kChartHole);
    EXPECT_FALSE(chart.SetSeriesData(1, 1, {1, 2}, {1}));
    EXPECT_TRUE(chart.SetSeriesData(1, 1, {1, 2}, {INFINITY, 3}));
    EXPECT_EQ(chart.Y(1, 1, 1), kChartHole);
    // Good values are read back through the design dialog's tests; here the refusals.
    const auto stil = [&] {
        return std::make_tuple(chart.LinePattern(1, 4), chart.LineWidth(1, 4), chart.Display(1, 4), chart.SymbolShape(2, 7),
                               chart.SymbolSize(2, 7));
    };
    const auto vorher = stil();
    for (int bad : {0, 9, -1}) EXPECT_FALSE(chart.SetLinePattern(1, 4, bad));
    for (int bad : {0, 17}) EXPECT_FALSE(chart.SetSymbolShape(2, 7, bad));
    EXPECT_FALSE(chart.SetSymbolSize(2, 7, -1));
    EXPECT_FALSE(chart.SetLineWidth(1, 4, 0));
    EXPECT_FALSE(chart.SetDisplay(1, 4, 4));
    EXPECT_FALSE(chart.SetLinePattern(2, 13, kLineSolid));  // no series 13 in group 2
    EXPECT_EQ(stil(), vorher);
    // Every symbol shape draws without trouble.
    chart.SetSeriesData(2, 1, {1, 2, 3}, {1, 2, 3});
    for (int shape = kSymbolNone; shape <= kSymbolOpenTriangleDown; ++shape) {
        ASSERT_TRUE(chart.SetSymbolShape(2, 1, shape));
        EXPECT_FALSE(Render().isNull());
    }
}

TEST_F(Chart2DTest, HoleLeavesAGapAndTheNearestPointIsFoundByPixel) {
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::X, 0, 10));
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::Y, 0, 10));
    ASSERT_TRUE(chart.SetSeriesData(1, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
                                    {5, 5, 5, 5, 5, kChartHole, 5, 5, 5, 5, 5}));
    chart.SetLineColor(1, 1, kRed);
    chart.SetLineWidth(1, 1, 3);
    chart.SetSeriesData(2, 4, {5}, {5});
    const QImage img = Render();
    EXPECT_TRUE(RedNear(img, Linear(2.5, 5), 1));
    EXPECT_TRUE(RedNear(img, Linear(7.5, 5), 1));
    EXPECT_FALSE(RedNear(img, Linear(5, 5), 3));  // the gap around the hole
    // 3 pixels right of and 4 below (2, 5): point 3 of curve 1, 5 pixels away; groups stay apart.
    const QPoint p = Linear(2, 5).toPoint(), q = Linear(5, 5).toPoint();
    NearestPoint n = chart.NearestPointOf(1, p.x() + 3, p.y() + 4);
    EXPECT_EQ(std::make_pair(n.series, n.point), std::make_pair(1, 3));
    EXPECT_NEAR(n.distance, 5, 1.0);
    n = chart.NearestPointOf(2, q.x(), q.y());
    EXPECT_EQ(std::make_pair(n.series, n.point), std::make_pair(4, 1));
    EXPECT_EQ(chart.NearestPointOf(3, 10, 10).series, -1);
    chart.SetSeriesCount(2, 0);
    EXPECT_EQ(chart.NearestPointOf(2, 10, 10).point, -1);
    // A series not shown (here emptied) is not drawn.
    chart.SetDisplay(1, 1, kSeriesEmptied);
    EXPECT_FALSE(RedNear(Render(), Linear(2.5, 5), 2));
}

TEST_F(Chart2DTest, AxisRangesAndSpacingsAutomaticOrGiven) {
    // Automatic scaling follows the shown data.
    chart.SetSeriesData(1, 1, {-3, 0, 42}, {0.5, 2, 9.5});
    chart.SetSeriesData(1, 2, {1000}, {1000});
    chart.SetDisplay(1, 2, kSeriesHidden);  // hidden data does not widen the range
    EXPECT_LE(chart.AxisMin(ChartAxis::X), -3);
    EXPECT_GE(chart.AxisMax(ChartAxis::X), 42);
    EXPECT_LT(chart.AxisMax(ChartAxis::X), 100);
    EXPECT_GE(chart.AxisMax(ChartAxis::Y), 9.5);
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::X, 0, 10));
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::Y, -1, 1));
    // Automatic: about five intervals of 1, 2 or 5 times a power of ten, readable.
    EXPECT_TRUE(chart.SpacingAuto(ChartAxis::X, AxisSpacing::Grid));
    EXPECT_DOUBLE_EQ(chart.Spacing(ChartAxis::Y, AxisSpacing::Number), 0.5);
    // Given values end the automatic state; bad ones are refused and change nothing.
    EXPECT_TRUE(chart.SetSpacing(ChartAxis::X, AxisSpacing::Tick, 0.25));
    EXPECT_FALSE(chart.SpacingAuto(ChartAxis::X, AxisSpacing::Tick));
    EXPECT_DOUBLE_EQ(chart.Spacing(ChartAxis::X, AxisSpacing::Tick), 0.25);
    for (double bad : {0.0, -1.0, double(NAN), double(INFINITY)})
        EXPECT_FALSE(chart.SetSpacing(ChartAxis::X, AxisSpacing::Grid, bad)) << bad;
    EXPECT_TRUE(chart.SpacingAuto(ChartAxis::X, AxisSpacing::Grid));
    chart.SetSpacingAuto(ChartAxis::X, AxisSpacing::Tick, true);
    EXPECT_DOUBLE_EQ(chart.Spacing(ChartAxis::X, AxisSpacing::Tick), 2);
    // A spacing far too fine for the range is kept but drawn without hanging.
    for (AxisSpacing sp : {AxisSpacing::Grid, AxisSpacing::Tick, AxisSpacing::Number})
        EXPECT_TRUE(chart.SetSpacing(ChartAxis::X, sp, 1e-12));
    chart.SetGridShown(ChartAxis::X, true);
    EXPECT_FALSE(Render().isNull());
    // Ranges: reversed, empty or non-finite ranges are refused.
    for (double lo : {5.0, 6.0, double(NAN)}) EXPECT_FALSE(chart.SetAxisRange(ChartAxis::X, lo, 5)) << lo;
    EXPECT_FALSE(chart.SetAxisMin(ChartAxis::X, 11));
    EXPECT_DOUBLE_EQ(chart.AxisMin(ChartAxis::X), 0);
    EXPECT_TRUE(chart.SetAxisMax(ChartAxis::X, 20));
    EXPECT_DOUBLE_EQ(chart.AxisMax(ChartAxis::X), 20);
}

TEST_F(Chart2DTest, LogAxesMapDecadesAndRefuseRangesAtZero) {
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::Y, 0, 10));
    EXPECT_FALSE(chart.SetAxisLog(ChartAxis::Y, true));  // manual range reaching 0
    EXPECT_FALSE(chart.AxisLog(ChartAxis::Y));
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::Y, 1, 1000));
    ASSERT_TRUE(chart.SetAxisLog(ChartAxis::Y, true));
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::X, 0, 1));
    for (double lo : {0.0, -5.0}) EXPECT_FALSE(chart.SetAxisRange(ChartAxis::Y, lo, 100)) << lo;
    // 10 lies a third of the plot height above 1; values <= 0 have no pixel.
    double px = 0, py = 0;
    ASSERT_TRUE(chart.DataToPixel(0.5, 10, px, py));
    EXPECT_NEAR(py, chart.PlotAreaTop() + chart.PlotAreaHeight() * 2 / 3.0, 1.0);
    for (double bad : {0.0, -1.0}) EXPECT_FALSE(chart.DataToPixel(0.5, bad, px, py)) << bad;
    EXPECT_DOUBLE_EQ(chart.Spacing(ChartAxis::Y, AxisSpacing::Grid), 1);
    // Automatic log scaling uses the positive data only.
    chart.SetSeriesData(1, 1, {0, 1, 2}, {-4, 0, 0.05});
    chart.SetAxisAutoScale(ChartAxis::Y, true);
    EXPECT_DOUBLE_EQ(chart.AxisMin(ChartAxis::Y), 0.01);
    EXPECT_DOUBLE_EQ(chart.AxisMax(ChartAxis::Y), 0.1);
    // One decade from 0.1f under a header and a fixed top margin: both decades are numbered, and the
    // number at the top stands wholly below the header.
    chart.SetTextBlock(ChartText::Header, "Kopfzeile");
    chart.SetPlotMargin(MarginSide::Top, 30);
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::Y, 0.1f, 1));
    const QImage img = Render();
    for (double decade : {0.1, 1.0}) {
        ASSERT_TRUE(chart.DataToPixel(0.5, decade, px, py));
        // A dark pixel of the number left of the axis, on the decade's row.
        const QRect row(0, static_cast<int>(py) - 2, chart.PlotAreaLeft() - 6, 5);
        EXPECT_FALSE(InkBox(img, row, [](QRgb c) { return qGray(c) < 100; }).isNull()) << decade;
    }
    EXPECT_LE(chart.TextBlockTop(ChartText::Header) + chart.TextBlockHeight(ChartText::Header),
              py - QFontMetrics(chart.font()).height() / 2);
}

TEST_F(Chart2DTest, AxisPlacementAndMargins) {
    chart.SetAxisTitle(ChartAxis::X, "Zeit");
    chart.SetAxisTitle(ChartAxis::Y, "c");
    EXPECT_GT(chart.PlotMargin(MarginSide::Bottom), chart.PlotMargin(MarginSide::Top));
    EXPECT_GT(chart.PlotMargin(MarginSide::Left), chart.PlotMargin(MarginSide::Right));
    // Origin at the maximum moves the other axis across; bad codes are refused and change nothing.
    ASSERT_TRUE(chart.SetAxisOrigin(ChartAxis::Y, kPlaceAtMaximum));  // "X" crosses "Y" at its maximum
    EXPECT_LT(chart.PlotMargin(MarginSide::Bottom), chart.PlotMargin(MarginSide::Top));
    ASSERT_TRUE(chart.SetAxisOrigin(ChartAxis::X, kPlaceAtMaximum));
    EXPECT_FALSE(chart.SetAxisOrigin(ChartAxis::X, 4));
    EXPECT_FALSE(chart.SetAxisTitleRotation(ChartAxis::Y, 0));
    EXPECT_FALSE(chart.SetGridPattern(ChartAxis::Y, 0));
    EXPECT_EQ(chart.AxisOrigin(ChartAxis::X), kPlaceAtMaximum);
    EXPECT_LT(chart.PlotMargin(MarginSide::Left), chart.PlotMargin(MarginSide::Right));
    // "Y2" keeps the right edge: then "Y" stays on the left.
    chart.SetAxisShown(ChartAxis::Y2, true);
    chart.SetAxisTitle(ChartAxis::Y2, "log");
    EXPECT_GT(chart.PlotMargin(MarginSide::Left), 20);
    EXPECT_GT(chart.PlotMargin(MarginSide::Right), 20);
    // Given margins are used as they are.
    EXPECT_TRUE(chart.SetPlotMargin(MarginSide::Top, 30));
    EXPECT_TRUE(chart.SetPlotMargin(MarginSide::Left, 70));
    EXPECT_FALSE(chart.SetPlotMargin(MarginSide::Left, -1));
    EXPECT_EQ(chart.PlotAreaTop(), chart.ChartAreaTop() + 30);
    EXPECT_EQ(chart.PlotAreaLeft(), chart.ChartAreaLeft() + 70);
}

TEST_F(Chart2DTest, TextsAndLegendAreDrawnWhereTheHitTestFindsThem) {
    chart.SetChartAreaLocation(5, 16);
    EXPECT_EQ(std::make_tuple(chart.ChartAreaWidth(), chart.ChartAreaHeight()), std::make_tuple(590, 368));
    // Without a location the header is centred in the chart.
    chart.SetTextBlock(ChartText::Header, "Konzentration\rüber der Zeit");
    EXPECT_NEAR(chart.TextBlockLeft(ChartText::Header), (600 - chart.TextBlockWidth(ChartText::Header)) / 2, 1);
    chart.SetTextBlockLocation(ChartText::Header, 200, 20);
    chart.SetTextBlockForeColor(ChartText::Header, kRed);
    EXPECT_TRUE(chart.SetTextBlockBorder(ChartText::Header, kBorderFramed1));
    EXPECT_FALSE(chart.SetTextBlockBorder(ChartText::Header, 2));
    chart.SetTextBlock(ChartText::Footer, "Zusatz");
    chart.SetTextBlockLocation(ChartText::Footer, 10, 350);
    chart.SetSeriesData(1, 1, {0, 1}, {0, 1});
    chart.SetLegendText(1, 1, "K.1");
    chart.SetLegendShown(true);
    chart.SetLegendForeColor(kRed);  // text and frame in red
    chart.SetLegendLocation(400, 100);
    // A CR makes two lines: the header is taller than the one-line footer.
    EXPECT_GT(chart.TextBlockHeight(ChartText::Header), chart.TextBlockHeight(ChartText::Footer) * 3 / 2);
    const int hw = chart.TextBlockWidth(ChartText::Header), lw = chart.LegendWidth(), lh = chart.LegendHeight();
    ASSERT_GT(hw * lw, 0);
    // The red pixels of header and legend fill exactly the boxes the hit test uses.
    const QImage img = Render();
    const auto expectRedBox = [&](QRect window, QRect hit) {
        const QRect red = InkBox(img, window, IsRed);
        EXPECT_EQ(red.topLeft(), hit.topLeft());
        EXPECT_NEAR(red.width(), hit.width(), 1);
        EXPECT_NEAR(red.height(), hit.height(), 1);
    };
    expectRedBox(QRect(100, 0, 290, 90), QRect(200, 20, hw, chart.TextBlockHeight(ChartText::Header)));
    expectRedBox(QRect(300, 95, 299, 240), QRect(400, 100, lw, lh));
    EXPECT_EQ(chart.RegionAt(200 + hw / 2, 25), kRegionHeader);
    EXPECT_EQ(chart.RegionAt(15, 355), kRegionFooter);
    EXPECT_EQ(chart.RegionAt(400 + lw / 2, 100 + lh / 2), kRegionLegend);
    EXPECT_EQ(chart.RegionAt(chart.PlotAreaLeft() + 20, chart.PlotAreaTop() + chart.PlotAreaHeight() / 2),
              kRegionPlotArea);
    EXPECT_EQ(chart.RegionAt(1, 1), kRegionNone);
    // Hidden blocks and legend are no longer hit.
    chart.SetTextBlockShown(ChartText::Header, false);
    chart.SetLegendShown(false);
    EXPECT_NE(chart.RegionAt(200 + hw / 2, 25), kRegionHeader);
    EXPECT_EQ(chart.RegionAt(400 + 5, 105), kRegionPlotArea);
    // A horizontal legend of two entries is wider and lower than the vertical one.
    chart.SetLegendShown(true);
    chart.SetSeriesData(1, 2, {0, 1}, {1, 0});
    chart.SetLegendText(1, 2, "K.2");
    EXPECT_FALSE(chart.SetLegendOrientation(3));
    ASSERT_TRUE(chart.SetLegendOrientation(kLegendHorizontal));
    const int hwide = chart.LegendWidth(), hhigh = chart.LegendHeight();
    chart.SetLegendOrientation(kLegendVertical);
    EXPECT_GT(hwide, chart.LegendWidth());
    EXPECT_LT(hhigh, chart.LegendHeight());
    // Legend entries need a legend text: without any the legend takes no room.
    chart.SetLegendText(1, 1, "");
    chart.SetLegendText(1, 2, "");
    EXPECT_EQ(chart.LegendWidth(), 0);
}

// Pictures and prints that cannot be made are refused with their reason and leave no file.
TEST_F(Chart2DTest, FailedPicturesAndPrintsGiveTheirReason) {
    for (const auto& [ziel, code] :
         {std::pair{Path("a.png"), 7}, {Path("no/such/dir/a.png"), kPictureBitmap}, {std::string(), kPictureBitmap}}) {
        std::string error;
        EXPECT_FALSE(chart.SavePicture(ziel, code, &error) || error.empty()) << ziel;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(ziel)));
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(Path("print.pdf")));
    EXPECT_TRUE(chart.PrintChart(printer, kPrintFullPage, 3.5, 3, 15, 10));
    std::string error;
    EXPECT_FALSE(chart.PrintChart(printer, kPrintWidth, 3.5, 3, 0, 10, &error) || error.empty());
    EXPECT_FALSE(chart.PrintChart(printer, kPrintWidth, NAN, 3, 15, 10));
    QPrinter keiner;
    keiner.setOutputFormat(QPrinter::PdfFormat);  // nowhere to print to
    EXPECT_FALSE(chart.PrintChart(keiner, kPrintWidth, 3.5, 3, 15, 10, &error));
    EXPECT_EQ(error, "Kein Drucker verfügbar");
    // Text listings print through one function that says so too, never a silent nothing.
    testsupport::MsgRecorder rec;
    EXPECT_TRUE(PrintTextLines({"Zeile 1"}, [&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromStdString(Path("liste.pdf")));
    }));
    EXPECT_TRUE(rec.Empty() && QFile::exists(QString::fromStdString(Path("liste.pdf"))));
    EXPECT_FALSE(PrintTextLines({"Zeile 1"}, [](QPrinter& p) { p.setOutputFormat(QPrinter::PdfFormat); }));
    EXPECT_EQ(rec.Last().prompt, "Kein Drucker verfügbar");
}

TEST_F(Chart2DTest, ZoomToARectangleOrARubberBandAndReset) {
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::X, 0, 10));
    chart.SetSeriesData(1, 1, {0, 10}, {0, 20});
    QSignalSpy zoomed(&chart, &Chart2D::Zoomed);
    const double y0 = chart.AxisMin(ChartAxis::Y), y1 = chart.AxisMax(ChartAxis::Y);
    ASSERT_TRUE(chart.AxisAutoScale(ChartAxis::Y));
    const QPointF from = Linear(2, 5), to = Linear(6, 15);
    ASSERT_TRUE(chart.ZoomToPixels(int(from.x()), int(from.y()), int(to.x()), int(to.y())));
    EXPECT_EQ(zoomed.count(), 1);
    EXPECT_TRUE(chart.IsZoomed());
    const double tolX = 10.0 / chart.PlotAreaWidth() * 1.5, tolY = (y1 - y0) / chart.PlotAreaHeight() * 1.5;
    EXPECT_NEAR(chart.AxisMin(ChartAxis::X), 2, tolX);
    EXPECT_NEAR(chart.AxisMax(ChartAxis::X), 6, tolX);
    EXPECT_NEAR(chart.AxisMin(ChartAxis::Y), 5, tolY);
    EXPECT_NEAR(chart.AxisMax(ChartAxis::Y), 15, tolY);
    // A second zoom nests; reset goes back to the state before the first one.
    ASSERT_TRUE(chart.ZoomToPixels(chart.PlotAreaLeft() + 10, chart.PlotAreaTop() + 10, chart.PlotAreaLeft() + 100,
                                   chart.PlotAreaTop() + 100));
    // Too small a rectangle is refused.
    EXPECT_FALSE(chart.ZoomToPixels(100, 100, 101, 150));
    chart.ResetZoom();
    EXPECT_FALSE(chart.IsZoomed());
    EXPECT_EQ(zoomed.count(), 3);
    EXPECT_TRUE(chart.AxisAutoScale(ChartAxis::Y));
    EXPECT_EQ(std::make_tuple(chart.AxisMin(ChartAxis::X), chart.AxisMax(ChartAxis::X), chart.AxisMin(ChartAxis::Y),
                              chart.AxisMax(ChartAxis::Y)),
              std::make_tuple(0.0, 10.0, y0, y1));
    chart.ResetZoom();  // nothing to reset
    EXPECT_EQ(zoomed.count(), 3);
    // With the mouse: a rubber band in zoom mode.
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::Y, 0, 10));
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    QWidget* surface = chart.findChild<QWidget*>();
    ASSERT_NE(surface, nullptr);
    // The last event of each kind ('d', 'm', 'u') as reported: button, shift, position, and X maximum then.
    struct Event {
        int button = 0, shift = 0;
        QPoint at;
        double xMax = 0;
    };
    std::map<char, Event> last;
    auto record = [&](char kind) {
        return [&, kind](int b, int s, int x, int y) { last[kind] = {b, s, {x, y}, chart.AxisMax(ChartAxis::X)}; };
    };
    QObject::connect(&chart, &Chart2D::MouseDown, record('d'));
    QObject::connect(&chart, &Chart2D::MouseMove, record('m'));
    QObject::connect(&chart, &Chart2D::MouseUp, record('u'));
    const QPoint a = Linear(1, 9).toPoint(), b = Linear(4, 6).toPoint();
    // Moves without a button are reported too (the pointer read-out needs them). QTest keeps the last
    // pointer position across tests and drops a move to it, so the pointer first goes elsewhere.
    QTest::mouseMove(surface, a);
    QTest::mouseMove(surface, b);
    EXPECT_EQ(last['m'].at, b);
    // Zoom mode off: a drag only reports the mouse, with button 1 and shift 1.
    QTest::mousePress(surface, Qt::LeftButton, Qt::ShiftModifier, a);
    QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier, b);
    EXPECT_EQ(std::make_pair(last['d'].button, last['d'].shift), std::make_pair(1, 1));
    EXPECT_DOUBLE_EQ(chart.AxisMax(ChartAxis::X), 10);
    // Zoom mode: Escape cancels a band, a completed band zooms before MouseUp is reported.
    chart.SetZoomMode(true);
    for (bool escape : {true, false}) {
        QTest::mousePress(surface, Qt::LeftButton, Qt::NoModifier, a);
        QTest::mouseMove(surface, b);
        if (escape) QTest::keyClick(surface, Qt::Key_Escape);
        QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier, b);
        EXPECT_EQ(chart.IsZoomed(), !escape);
    }
    EXPECT_NEAR(last['u'].xMax, 4, 0.1);
    EXPECT_NEAR(chart.AxisMax(ChartAxis::Y), 9, 0.1);  // from the band's start
    // The right button (2) never zooms.
    chart.ResetZoom();
    QTest::mousePress(surface, Qt::RightButton, Qt::NoModifier, a);
    EXPECT_EQ(last['d'].button, 2);
    QTest::mouseRelease(surface, Qt::RightButton, Qt::NoModifier, b);
    EXPECT_FALSE(chart.IsZoomed());
}

TEST_F(Chart2DTest, LabelsAttachAndClampToExistingPoints) {
    for (int k = 1; k <= Chart2D::kMaxLabels; ++k) EXPECT_EQ(chart.AddLabel(), k);
    EXPECT_EQ(chart.AddLabel(), 0);
    chart.RemoveAllLabels();
    const int n = chart.AddLabel();
    ASSERT_EQ(n, 1);
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::X, 0, 10));
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::Y, 0, 10));
    chart.SetSeriesData(1, 1, {1, 2, 7}, {1, 2, 4});
    EXPECT_FALSE(chart.SetLabelAttachSeries(n, 1, 40, 1));
    ASSERT_TRUE(chart.SetLabelAttachSeries(n, 1, 1, 99));
    chart.SetLabelText(n, "MMMM");
    chart.SetLabelBackColor(n, kRed);
    EXPECT_TRUE(chart.SetLabelAnchor(n, kAnchorNorthEast));
    EXPECT_FALSE(chart.SetLabelAnchor(n, 9));
    EXPECT_TRUE(chart.SetLabelBorder(n, kBorderPlain));
    // Not shown yet: no red anywhere near the last point.
    EXPECT_FALSE(RedNear(Render(), Linear(7, 4) + QPointF(6, -6), 3));
    chart.SetLabelShown(n, true);
    EXPECT_TRUE(RedNear(Render(), Linear(7, 4) + QPointF(6, -6), 2));  // clamped to point 3
    // Attached to data coordinates instead.
    chart.SetLabelAttachData(n, 3, 8);
    const QImage img = Render();
    EXPECT_TRUE(RedNear(img, Linear(3, 8) + QPointF(6, -6), 2));
    EXPECT_FALSE(RedNear(img, Linear(7, 4) + QPointF(6, -6), 3));
    // Out-of-range label numbers do nothing.
    chart.SetLabelText(2, "x");
    EXPECT_EQ(chart.LabelText(2), "");
    EXPECT_FALSE(chart.LabelShown(0));
}

TEST_F(Chart2DTest, LayoutFileRestoresTheWholeChartAndRefusesBadFiles) {
    Fill(chart);
    const std::string p = Path("chart.oc2");
    ASSERT_TRUE(chart.SaveLayout(p));
    ASSERT_TRUE(loaded.LoadLayout(p));
    ExpectSame(chart, loaded);
    // Saving the loaded chart gives the same file again.
    const QByteArray good = Saved(chart, "good.oc2");
    EXPECT_EQ(Saved(loaded, "again.oc2"), good);
    // A zoomed chart saves its zoomed ranges, and loading ends a zoom.
    for (Chart2D* c : {&chart, &loaded})
        ASSERT_TRUE(c->ZoomToPixels(c->PlotAreaLeft() + 10, c->PlotAreaTop() + 10, c->PlotAreaLeft() + 200,
                                    c->PlotAreaTop() + 150));
    ASSERT_TRUE(chart.SaveLayout(p));
    ASSERT_TRUE(loaded.LoadLayout(p));
    EXPECT_FALSE(loaded.IsZoomed());
    ExpectSame(chart, loaded);
    // Bad or foreign files are refused with their reason and change nothing.
    auto tampered = [&](const char* from, const char* to) { return QByteArray(good).replace(from, to); };
    const QByteArray cases[] = {
        QByteArray(),
        "Dies ist keine Vorlage\r\n",
        "{\"format\": \"anderes\", \"version\": 1}",  // foreign JSON
        good.left(good.size() / 2),
        tampered("\"display\": 1", "\"display\": 9"),
        tampered("\"version\": 1", "\"version\": 2"),
        tampered("\"axes\"", "\"achsen\""),
        tampered("\"symbolSize\": 11", "\"symbolSize\": \"elf\""),
        tampered("\"min\": 0.01", "\"min\": 0"),  // log range at zero
    };
    for (const QByteArray& bytes : cases) {
        SCOPED_TRACE(bytes.left(60).toStdString());
        QFile f(QString::fromStdString(Path("bad.oc2")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        std::string reason;
        EXPECT_FALSE(loaded.LoadLayout(Path("bad.oc2"), &reason));
        EXPECT_NE(reason.find("Diagrammvorlage"), std::string::npos) << reason;
        ExpectSame(chart, loaded);  // nothing half-loaded
    }
    std::string noFile, noDir;  // the reasons given
    EXPECT_FALSE(loaded.LoadLayout(Path("missing.oc2"), &noFile) || noFile.empty());
    EXPECT_FALSE(chart.SaveLayout(Path("no/such/dir/x.oc2"), &noDir) || noDir.empty());
    EXPECT_TRUE(loaded.LoadLayout(Path("good.oc2")));  // the untampered text still loads
}
