// A demonstration picture: two curves (one with a gap), point sets with several symbols, a label
// and a logarithmic Y2 axis, written to the test picture folder for a look by eye; the failures of
// picture files and printing with their reasons.
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <utility>

#include "platform/Chart2D.h"
#include "platform/TextPrint.h"
#include "tests/support/MsgRecorder.h"
#include "tests/support/PictureDir.h"

using namespace platform;

namespace {

void BuildDemo(Chart2D& c) {
    c.resize(800, 520);
    c.SetRepaintSuspended(true);
    c.SetChartAreaLocation(5, 16);
    c.SetTextBlock(ChartText::Header, "A => B => C\rKonzentrationen über der Zeit");
    c.SetTextBlockBorder(ChartText::Header, kBorderPlain);
    c.SetTextBlock(ChartText::Footer, "Zusatz-Text: k1 = 0.3 1/min, k2 = 0.1 1/min");
    c.SetAxisRange(ChartAxis::X, 0, 30);
    c.SetAxisRange(ChartAxis::Y, 0, 1.1);
    c.SetAxisTitle(ChartAxis::X, "Zeit t / min");
    c.SetAxisTitle(ChartAxis::Y, "c / mol/l");
    c.SetAxisShown(ChartAxis::Y2, true);
    c.SetAxisRange(ChartAxis::Y2, 0.001, 10);
    c.SetAxisLog(ChartAxis::Y2, true);
    c.SetAxisTitle(ChartAxis::Y2, "log-Skala");
    c.SetGridShown(ChartAxis::Y, true);
    c.SetGridPattern(ChartAxis::Y, kLineDotted);
    c.SetChartAreaBackColor(Chart2D::Rgb(235, 240, 250));
    std::vector<double> t, a, b;
    for (int i = 0; i <= 60; ++i) {
        const double x = i * 0.5;
        t.push_back(x);
        a.push_back(std::exp(-0.3 * x));
        const double bb = 0.3 / (0.1 - 0.3) * (std::exp(-0.3 * x) - std::exp(-0.1 * x));
        b.push_back(i >= 20 && i <= 24 ? kChartHole : bb);  // gap in curve 2
    }
    for (int s : {1, 2}) {
        c.SetSeriesData(1, s, t, s == 1 ? a : b);
        c.SetLineColor(1, s, s == 1 ? Chart2D::Rgb(200, 0, 0) : Chart2D::Rgb(0, 0, 200));
        c.SetLineWidth(1, s, 2);
    }
    c.SetLinePattern(1, 2, kLineDashed);
    c.SetLegendText(1, 1, "K.1  A");
    c.SetLegendText(1, 2, "K.2  B (Lücke)");
    const int shapes[] = {kSymbolDot, kSymbolOpenBox, kSymbolTriangle, kSymbolCross, kSymbolOpenDiamond,
                          kSymbolTriangleDown};
    for (int s = 1; s <= 6; ++s) {
        std::vector<double> px, py;
        for (int k = 0; k < 5; ++k) {
            px.push_back(2 + s * 0.7 + k * 5);
            py.push_back(0.95 - 0.03 * s - 0.15 * k);
        }
        c.SetSeriesData(2, s, px, py);
        c.SetSymbolShape(2, s, shapes[s - 1]);
        c.SetSymbolSize(2, s, 9);
        c.SetSymbolColor(2, s, Chart2D::Rgb(40 * s, 120, 255 - 40 * s));
        c.SetLegendText(2, s, "P." + std::to_string(s));
    }
    const int lbl = c.AddLabel();
    c.SetLabelText(lbl, "Maximum von B");
    c.SetLabelAttachSeries(lbl, 1, 2, 12);
    c.SetLabelOffset(lbl, 8);
    c.SetLabelBorder(lbl, kBorderPlain);
    c.SetLabelShown(lbl, true);
    c.SetLegendShown(true);
    c.SetLegendLocation(600, 120);
    c.SetRepaintSuspended(false);
}

QByteArray Head(const std::string& path, int n) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
}

}  // namespace

TEST(Chart2DDemo, DemoPictureAndTheReasonsOfFailedPicturesAndPrints) {
    Chart2D c;
    BuildDemo(c);
    EXPECT_TRUE(c.AxisLog(ChartAxis::Y2));
    const std::string demo = testsupport::PicturePath("chart_demo.png").toStdString();
    ASSERT_TRUE(c.SavePicture(demo, kPictureBitmap));
    EXPECT_EQ(QImage(QString::fromStdString(demo)).size(), QSize(800, 520));

    // The kinds of picture files are checked through the design dialog; here the failures.
    QTemporaryDir dir;
    auto path = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)).toStdString(); };
    for (const auto& [ziel, code] : {std::pair{path("a.png"), 7}, std::pair{path("no/such/dir/a.png"), 1},
                                     std::pair{std::string(), 1}}) {
        std::string error;
        EXPECT_FALSE(c.SavePicture(ziel, code, &error)) << ziel;
        EXPECT_FALSE(error.empty()) << ziel;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(ziel)));
    }
    // Printing in each scaling; no size, no place or no printer is refused with a reason.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path("print.pdf")));
    for (int scale : {kPrintFullPage, kPrintHeight, kPrintWidth}) {
        QFile::remove(QString::fromStdString(path("print.pdf")));
        ASSERT_TRUE(c.PrintChart(printer, scale, 3.5, 3, 15, 10)) << scale;
        EXPECT_EQ(Head(path("print.pdf"), 4), QByteArray("%PDF"));
    }
    std::string error;
    EXPECT_FALSE(c.PrintChart(printer, kPrintWidth, 3.5, 3, 0, 10, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(c.PrintChart(printer, kPrintWidth, NAN, 3, 15, 10));
    QPrinter keiner;
    keiner.setOutputFormat(QPrinter::PdfFormat);  // nowhere to print to
    EXPECT_FALSE(c.PrintChart(keiner, kPrintWidth, 3.5, 3, 15, 10, &error));
    EXPECT_EQ(error, "Kein Drucker verfügbar");
}

// Every text listing (value table, X-Y list) prints through one function: without a printer it
// says so, never a silent nothing.
TEST(Chart2DDemo, TextListingsReportAMissingPrinter) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("liste.pdf");
    testsupport::MsgRecorder rec;
    EXPECT_TRUE(PrintTextLines({"Zeile 1", "Zeile 2"}, [&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
    }));
    EXPECT_EQ(Head(pdf.toStdString(), 4), QByteArray("%PDF"));
    EXPECT_TRUE(rec.Empty());
    EXPECT_FALSE(PrintTextLines({"Zeile 1"}, [](QPrinter& p) { p.setOutputFormat(QPrinter::PdfFormat); }));
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().prompt, "Kein Drucker verfügbar");
}
