// The chart widget: data and gaps, styles, axes, hit tests, zoom, labels.
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

#include "platform/Chart2D.h"
#include "platform/TextPrint.h"
#include "tests/support/MsgRecorder.h"

using namespace platform;

namespace {

constexpr int kRed = Chart2D::Rgb(255, 0, 0);
constexpr int kBlue = Chart2D::Rgb(0, 0, 255);

class Chart2DTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)).toStdString(); }
    // Pixel of data coordinates computed from the plot rectangle alone (linear X and Y).
    QPointF Linear(double x, double y) {
        const double l = chart.PlotAreaLeft(), t = chart.PlotAreaTop();
        const double w = chart.PlotAreaWidth(), h = chart.PlotAreaHeight();
        const double x0 = chart.AxisMin(ChartAxis::X), x1 = chart.AxisMax(ChartAxis::X);
        const double y0 = chart.AxisMin(ChartAxis::Y), y1 = chart.AxisMax(ChartAxis::Y);
        return {l + w * (x - x0) / (x1 - x0), t + h - h * (y - y0) / (y1 - y0)};
    }
    QImage Render() {
        const std::string p = Path("render.png");
        EXPECT_TRUE(chart.SavePicture(p, kPictureBitmap));
        return QImage(QString::fromStdString(p));
    }
    static bool IsRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; }
    // True when a red pixel lies within `r` pixels of p.
    static bool RedNear(const QImage& img, QPointF p, int r) {
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx) {
                const int x = static_cast<int>(std::lround(p.x())) + dx, y = static_cast<int>(std::lround(p.y())) + dy;
                if (img.valid(x, y) && IsRed(img.pixel(x, y))) return true;
            }
        return false;
    }

    QTemporaryDir dir;
    Chart2D chart;
};

}  // namespace

TEST_F(Chart2DTest, PointsReadBackAndOutOfRangeAccessIsHarmless) {
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
}

TEST_F(Chart2DTest, HoleLeavesAGapInTheLine) {
    for (int s = 1; s <= 39; ++s) chart.SetDisplay(1, s, kSeriesHidden);
    chart.SetPlotFrame(false);
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::X, 0, 10));
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::Y, 0, 10));
    std::vector<double> x, y;
    for (int i = 0; i <= 10; ++i) {
        x.push_back(i);
        y.push_back(i == 5 ? kChartHole : 5.0);
    }
    ASSERT_TRUE(chart.SetSeriesData(1, 1, x, y));
    chart.SetDisplay(1, 1, kSeriesShown);
    chart.SetLineColor(1, 1, kRed);
    chart.SetLineWidth(1, 1, 3);
    const QImage img = Render();
    EXPECT_TRUE(RedNear(img, Linear(2.5, 5), 1));
    EXPECT_TRUE(RedNear(img, Linear(7.5, 5), 1));
    EXPECT_FALSE(RedNear(img, Linear(5, 5), 3));  // the gap around the hole
    // Hidden (2) and emptied (3) series are not drawn.
    chart.SetDisplay(1, 1, kSeriesEmptied);
    EXPECT_FALSE(RedNear(Render(), Linear(2.5, 5), 2));
}

TEST_F(Chart2DTest, BadStyleCodesAreRefusedAndChangeNothing) {
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
    chart.SetLegendText(2, 7, "P.7  Messwerte ä");  // umlauts kept
    EXPECT_EQ(chart.LegendText(2, 7), "P.7  Messwerte ä");
    // Every symbol shape draws without trouble.
    chart.SetSeriesData(2, 1, {1, 2, 3}, {1, 2, 3});
    for (int shape = kSymbolNone; shape <= kSymbolOpenTriangleDown; ++shape) {
        ASSERT_TRUE(chart.SetSymbolShape(2, 1, shape));
        EXPECT_FALSE(Render().isNull());
    }
}

TEST_F(Chart2DTest, AxisSpacingAutomaticOrGiven) {
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::X, 0, 10));
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::Y, -1, 1));
    EXPECT_FALSE(chart.AxisAutoScale(ChartAxis::X));
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

TEST_F(Chart2DTest, AutomaticScalingFollowsShownData) {
    chart.SetSeriesData(1, 1, {-3, 0, 42}, {0.5, 2, 9.5});
    chart.SetSeriesData(1, 2, {1000}, {1000});
    chart.SetDisplay(1, 2, kSeriesHidden);  // hidden data does not widen the range
    EXPECT_TRUE(chart.AxisAutoScale(ChartAxis::X));
    EXPECT_LE(chart.AxisMin(ChartAxis::X), -3);
    EXPECT_GE(chart.AxisMax(ChartAxis::X), 42);
    EXPECT_LT(chart.AxisMax(ChartAxis::X), 100);
    EXPECT_GE(chart.AxisMax(ChartAxis::Y), 9.5);
}

TEST_F(Chart2DTest, LogAxesMapDecadesAndRefuseRangesAtZero) {
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::Y, 0, 10));
    EXPECT_FALSE(chart.SetAxisLog(ChartAxis::Y, true));  // manual range reaching 0
    EXPECT_FALSE(chart.AxisLog(ChartAxis::Y));
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::Y, 1, 1000));
    ASSERT_TRUE(chart.SetAxisLog(ChartAxis::Y, true));
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::X, 0, 1));
    EXPECT_FALSE(chart.SetAxisRange(ChartAxis::Y, 0, 100));
    EXPECT_FALSE(chart.SetAxisRange(ChartAxis::Y, -5, 100));
    EXPECT_DOUBLE_EQ(chart.AxisMin(ChartAxis::Y), 1);
    // 10 lies a third of the plot height above 1; values <= 0 have no pixel.
    double px = 0, py = 0;
    ASSERT_TRUE(chart.DataToPixel(0.5, 10, px, py));
    EXPECT_NEAR(py, chart.PlotAreaTop() + chart.PlotAreaHeight() * 2 / 3.0, 1.0);
    for (double bad : {0.0, -1.0}) EXPECT_FALSE(chart.DataToPixel(0.5, bad, px, py)) << bad;
    EXPECT_DOUBLE_EQ(chart.Spacing(ChartAxis::Y, AxisSpacing::Grid), 1);
    // Automatic log scaling uses the positive data only; switching back is always allowed.
    chart.SetSeriesData(1, 1, {0, 1, 2}, {-4, 0, 0.05});
    chart.SetAxisAutoScale(ChartAxis::Y, true);
    EXPECT_DOUBLE_EQ(chart.AxisMin(ChartAxis::Y), 0.01);
    EXPECT_DOUBLE_EQ(chart.AxisMax(ChartAxis::Y), 0.1);
    EXPECT_FALSE(Render().isNull());
    // One decade from 0.1f under a header and a fixed top margin: both decades are numbered, and the
    // number at the top stands wholly below the header.
    chart.SetTextBlock(ChartText::Header, "Kopfzeile");
    chart.SetPlotMargin(MarginSide::Top, 30);
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::Y, 0.1f, 1));
    const QImage img = Render();
    for (double decade : {0.1, 1.0}) {
        ASSERT_TRUE(chart.DataToPixel(0.5, decade, px, py));
        bool ink = false;  // a dark pixel of the number left of the axis, on the decade's row
        for (int x = 0; x < chart.PlotAreaLeft() - 6; ++x)
            for (int y = static_cast<int>(py) - 2; y <= static_cast<int>(py) + 2; ++y) ink = ink || qGray(img.pixel(x, y)) < 100;
        EXPECT_TRUE(ink) << decade;
    }
    EXPECT_LE(chart.TextBlockTop(ChartText::Header) + chart.TextBlockHeight(ChartText::Header),
              py - QFontMetrics(chart.font()).height() / 2);
    EXPECT_TRUE(chart.SetAxisLog(ChartAxis::Y, false));
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
    auto redBox = [&](QRect window) {
        QRect box;
        for (int y = window.top(); y <= window.bottom(); ++y)
            for (int x = window.left(); x <= window.right(); ++x)
                if (IsRed(img.pixel(x, y))) box = box.united(QRect(x, y, 1, 1));
        return box;
    };
    const QRect header = redBox(QRect(100, 0, 290, 90)), legend = redBox(QRect(300, 95, 299, 240));
    EXPECT_EQ(header.topLeft(), QPoint(200, 20));
    EXPECT_NEAR(header.width(), hw, 1);
    EXPECT_NEAR(header.height(), chart.TextBlockHeight(ChartText::Header), 1);
    EXPECT_EQ(legend.topLeft(), QPoint(400, 100));
    EXPECT_NEAR(legend.width(), lw, 1);
    EXPECT_NEAR(legend.height(), lh, 1);
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

TEST_F(Chart2DTest, NearestPointAtKnownPixels) {
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::X, 0, 10));
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::Y, 0, 10));
    chart.SetSeriesData(1, 1, {1, 2, 3}, {1, 2, 3});
    chart.SetSeriesData(2, 4, {5}, {5});
    // 3 pixels right of and 4 below (2, 2): point 2 of curve 1, 5 pixels away; groups stay apart.
    const QPoint p = Linear(2, 2).toPoint(), q = Linear(5, 5).toPoint();
    NearestPoint n = chart.NearestPointOf(1, p.x() + 3, p.y() + 4);
    EXPECT_EQ(std::make_pair(n.series, n.point), std::make_pair(1, 2));
    EXPECT_NEAR(n.distance, 5, 1.0);
    n = chart.NearestPointOf(2, q.x(), q.y());
    EXPECT_EQ(std::make_pair(n.series, n.point), std::make_pair(4, 1));
    EXPECT_LE(n.distance, 1.0);
    EXPECT_EQ(chart.NearestPointOf(3, 10, 10).series, -1);
    chart.SetSeriesCount(2, 0);
    EXPECT_EQ(chart.NearestPointOf(2, 10, 10).point, -1);
}

TEST_F(Chart2DTest, ZoomToRectangleAndReset) {
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::X, 0, 10));
    chart.SetSeriesData(1, 1, {0, 10}, {0, 20});
    QSignalSpy zoomed(&chart, &Chart2D::Zoomed);
    const double y0 = chart.AxisMin(ChartAxis::Y), y1 = chart.AxisMax(ChartAxis::Y);
    ASSERT_TRUE(chart.AxisAutoScale(ChartAxis::Y));
    const QPointF a = Linear(2, 5), b = Linear(6, 15);
    ASSERT_TRUE(chart.ZoomToPixels(int(a.x()), int(a.y()), int(b.x()), int(b.y())));
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
}

TEST_F(Chart2DTest, RubberBandZoomWithTheMouse) {
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::X, 0, 10));
    ASSERT_TRUE(chart.SetAxisRange(ChartAxis::Y, 0, 10));
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    QWidget* surface = chart.findChild<QWidget*>();
    ASSERT_NE(surface, nullptr);
    // Every event as reported: kind ('d', 'm', 'u'), button, shift, position, and X maximum at that moment.
    struct Event {
        char kind;
        int button, shift;
        QPoint at;
        double xMax;
    };
    std::vector<Event> ev;
    auto record = [&](char kind) {
        return [&, kind](int b, int s, int x, int y) { ev.push_back({kind, b, s, {x, y}, chart.AxisMax(ChartAxis::X)}); };
    };
    QObject::connect(&chart, &Chart2D::MouseDown, record('d'));
    QObject::connect(&chart, &Chart2D::MouseMove, record('m'));
    QObject::connect(&chart, &Chart2D::MouseUp, record('u'));
    const QPoint a = Linear(1, 9).toPoint(), b = Linear(4, 6).toPoint();
    // Moves without a button are reported too (the pointer read-out needs them). QTest keeps the last
    // pointer position across tests and drops a move to it, so the pointer first goes elsewhere.
    QTest::mouseMove(surface, a);
    QTest::mouseMove(surface, b);
    ASSERT_FALSE(ev.empty());
    EXPECT_EQ(ev.back().kind, 'm');
    EXPECT_EQ(ev.back().at, b);
    // Zoom mode off: a drag only reports the mouse, with button 1 and shift 1.
    ev.clear();
    QTest::mousePress(surface, Qt::LeftButton, Qt::ShiftModifier, a);
    QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier, b);
    ASSERT_FALSE(ev.empty());
    EXPECT_EQ(ev.front().kind, 'd');
    EXPECT_EQ(std::make_pair(ev.front().button, ev.front().shift), std::make_pair(1, 1));
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
    EXPECT_EQ(ev.back().kind, 'u');
    EXPECT_NEAR(ev.back().xMax, 4, 0.1);
    EXPECT_NEAR(chart.AxisMin(ChartAxis::Y), 6, 0.1);
    // The right button (2) never zooms.
    chart.ResetZoom();
    QTest::mousePress(surface, Qt::RightButton, Qt::NoModifier, a);
    EXPECT_EQ(ev.back().button, 2);
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
    chart.SetLineColor(1, 1, kBlue);
    EXPECT_FALSE(chart.SetLabelAttachSeries(n, 1, 40, 1));
    ASSERT_TRUE(chart.SetLabelAttachSeries(n, 1, 1, 99));
    chart.SetLabelText(n, "MMMM");
    chart.SetLabelBackColor(n, kRed);
    EXPECT_TRUE(chart.SetLabelAnchor(n, kAnchorNorthEast));
    EXPECT_FALSE(chart.SetLabelAnchor(n, 9));
    EXPECT_TRUE(chart.SetLabelBorder(n, kBorderPlain));
    chart.SetLabelOffset(n, 0);
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
