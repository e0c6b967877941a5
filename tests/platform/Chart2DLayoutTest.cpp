// Layout file of the chart: save -> load gives the same chart; bad files are refused safely.
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

#include "platform/Chart2D.h"

using namespace platform;

namespace {

constexpr ChartAxis kAxes[] = {ChartAxis::X, ChartAxis::Y, ChartAxis::Y2};
constexpr AxisSpacing kSpacings[] = {AxisSpacing::Grid, AxisSpacing::Tick, AxisSpacing::Number};
constexpr MarginSide kSides[] = {MarginSide::Left, MarginSide::Top, MarginSide::Right, MarginSide::Bottom};
constexpr ChartText kTexts[] = {ChartText::Header, ChartText::Footer};

QFont Font(const char* family, int size, bool bold, bool italic) {
    QFont f(QString::fromLatin1(family));
    f.setPointSize(size);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

// A chart that differs from the start state in every kind of setting.
void Fill(Chart2D& c) {
    c.SetRepaintSuspended(true);
    c.SetSeriesCount(1, 63);
    c.SetSeriesData(1, 1, {0, 0.1, 0.2, 0.30000000000000004}, {1, kChartHole, 1e-300, -2.5e12});
    c.SetSeriesData(1, 25, {0, 10}, {0, 100});
    c.SetDisplay(1, 25, kSeriesHidden);
    c.SetDisplay(1, 30, kSeriesEmptied);
    c.SetLinePattern(1, 1, kLineDashDot);
    c.SetLineColor(1, 1, Chart2D::Rgb(12, 34, 56));
    c.SetLineWidth(1, 1, 4);
    c.SetLegendText(1, 1, "K.1  Konzentration A");
    c.SetSeriesCount(2, 5);
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
    c.SetAxisTitleFont(ChartAxis::X, Font("Arial", 11, true, false));
    c.SetAxisTitleColor(ChartAxis::Y, Chart2D::Rgb(1, 2, 3));
    c.SetAxisTitleRotation(ChartAxis::Y, kTextHorizontal);
    c.SetAxisNumberFont(ChartAxis::Y, Font("Courier", 7, false, true));
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
    c.SetTextBlockFont(ChartText::Header, Font("Arial", 14, true, true));
    c.SetTextBlockForeColor(ChartText::Header, Chart2D::Rgb(9, 9, 9));
    c.SetTextBlockBackColor(ChartText::Header, -1);
    c.SetTextBlockBorder(ChartText::Header, kBorderFramed1);
    c.SetTextBlockLocation(ChartText::Footer, 5, 300);
    c.SetTextBlock(ChartText::Footer, "Zusatz-Text");
    c.SetTextBlockShown(ChartText::Footer, false);
    c.SetLegendShown(true);
    c.SetLegendLocation(380, 90);
    c.SetLegendOrientation(kLegendHorizontal);
    c.SetLegendBorder(kBorderNone);
    c.SetLegendFont(Font("Arial", 8, false, false));
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
    c.SetLabelFont(3, Font("Arial", 11, true, true));
    c.SetLabelBorder(3, kBorderPlain);
    c.SetLabelAttachPixel(2, 40, 50);
    c.SetRepaintSuspended(false);
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
    for (ChartAxis ax : kAxes) {
        SAME(AxisShown(ax)); SAME(AxisMin(ax)); SAME(AxisMax(ax)); SAME(AxisAutoScale(ax)); SAME(AxisLog(ax));
        SAME(GridShown(ax)); SAME(GridPattern(ax)); SAME(GridColor(ax));
        for (AxisSpacing sp : kSpacings) { SAME(SpacingAuto(ax, sp)); SAME(Spacing(ax, sp)); }
        SAME(AxisOrigin(ax)); SAME(NumberPlacement(ax)); SAME(AxisTitle(ax)); SAME(AxisTitleFont(ax));
        SAME(AxisTitleColor(ax)); SAME(AxisTitleRotation(ax)); SAME(AxisNumberFont(ax)); SAME(AxisNumberRotation(ax));
    }
    SAME(ChartBackColor()); SAME(ChartAreaLeft()); SAME(ChartAreaTop()); SAME(ChartAreaBackColor());
    SAME(ChartAreaForeColor()); SAME(ChartAreaBorderWidth()); SAME(PlotAreaBackColor()); SAME(PlotFrame());
    for (MarginSide s : kSides) { SAME(PlotMarginAuto(s)); SAME(PlotMargin(s)); }
    for (ChartText t : kTexts) {
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

class ChartLayoutTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)).toStdString(); }
    void Write(const std::string& path, const QByteArray& bytes) {
        QFile f(QString::fromStdString(path));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // The saved text of chart c.
    QByteArray Saved(Chart2D& c, const char* name) {
        EXPECT_TRUE(c.SaveLayout(Path(name)));
        QFile f(QString::fromStdString(Path(name)));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    QTemporaryDir dir;
    Chart2D a, b;
};

}  // namespace

TEST_F(ChartLayoutTest, SaveThenLoadRestoresTheWholeChart) {
    Fill(a);
    const std::string p = Path("chart.oc2");
    std::string error;
    ASSERT_TRUE(a.SaveLayout(p, &error)) << error;
    ASSERT_TRUE(b.LoadLayout(p, &error)) << error;
    ExpectSame(a, b);
    // Saving the loaded chart gives the same file again.
    EXPECT_EQ(Saved(b, "again.oc2"), Saved(a, "first.oc2"));
}

TEST_F(ChartLayoutTest, ZoomedRangeIsWhatGetsSaved) {
    a.SetAxisRange(ChartAxis::X, 0, 10);
    a.SetAxisRange(ChartAxis::Y, 0, 10);
    ASSERT_TRUE(a.ZoomToPixels(a.PlotAreaLeft() + 10, a.PlotAreaTop() + 10, a.PlotAreaLeft() + 200,
                               a.PlotAreaTop() + 150));
    const std::string p = Path("zoom.oc2");
    ASSERT_TRUE(a.SaveLayout(p));
    ASSERT_TRUE(b.LoadLayout(p));
    EXPECT_EQ(b.AxisMin(ChartAxis::X), a.AxisMin(ChartAxis::X));
    EXPECT_EQ(b.AxisMax(ChartAxis::Y), a.AxisMax(ChartAxis::Y));
    EXPECT_FALSE(b.IsZoomed());
}

TEST_F(ChartLayoutTest, BadOrForeignFilesAreRefusedAndChangeNothing) {
    Fill(a);
    const QByteArray good = Saved(a, "good.oc2");
    b.SetSeriesData(1, 1, {7}, {8});
    b.SetTextBlock(ChartText::Header, "unverändert");
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
        Write(Path("bad.oc2"), bytes);
        std::string error;
        EXPECT_FALSE(b.LoadLayout(Path("bad.oc2"), &error));
        EXPECT_NE(error.find("Diagrammvorlage"), std::string::npos) << error;
        EXPECT_EQ(b.PointCount(1, 1), 1);
        EXPECT_EQ(b.X(1, 1, 1), 7);
        EXPECT_EQ(b.TextBlock(ChartText::Header), "unverändert");
        EXPECT_EQ(b.SeriesCount(1), 39);
    }
    std::string error;
    EXPECT_FALSE(b.LoadLayout(Path("missing.oc2"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(a.SaveLayout(dir.filePath("no/such/dir/x.oc2").toStdString(), &error));
    EXPECT_FALSE(error.empty());
    // The untampered text still loads.
    Write(Path("good2.oc2"), good);
    EXPECT_TRUE(b.LoadLayout(Path("good2.oc2")));
}
