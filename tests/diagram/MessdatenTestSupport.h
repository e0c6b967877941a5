#pragma once
// The diagram tests' start state, measured data, diagrams opened from them, an independent
// straight-line fit, and a stand-in for the design dialog that records what the diagram window asks of it.
#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <cmath>
#include <stdexcept>

#include <gtest/gtest.h>

#include "diagram/GestaltungLink.h"
#include "diagram/Grafik.h"
#include "diagram/frmTGraph2D.h"
#include "kernel/TimeCourse.h"
#include "platform/Chart2D.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/NumberFormat.h"
#include "tests/support/MeasuredData.h"
#include "tests/support/MsgRecorder.h"
#include "tests/support/StartState.h"

namespace diagramtest {

inline void SchliesseDiagramm() {
    platform::Windows().Unload("frmTGraph2D");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The window an opening helper returned; a test cannot go on without it.
inline diagram::frmTGraph2D* Offen(diagram::frmTGraph2D* f) {
    if (!f) throw std::runtime_error("the diagram window did not open");
    return f;
}

// Every test starts from the program's start state, records the messages shown and leaves no
// diagram window open.
class DiagrammTest : public ::testing::Test {
protected:
    void SetUp() override {
        SchliesseDiagramm();
        testsupport::ResetStartState();
    }
    void TearDown() override {
        SchliesseDiagramm();
        testsupport::ResetStartState();
    }
    // Exactly one message so far, with this title.
    void ErwarteEineMeldung(const char* titel) const {
        ASSERT_EQ(rec.Messages().size(), 1u);
        EXPECT_EQ(rec.Last().title, titel);
    }
    testsupport::MsgRecorder rec;
};

// Runs the menu entry `name` of the diagram window.
inline void Menue(diagram::frmTGraph2D* f, const char* name) { f->findChild<QAction*>(name)->trigger(); }

// Rows 1..n of the measured data set, analysed as after a load.
inline void SetzeMessdaten(const std::vector<kernel::ExpPunkt>& zeilen) { testsupport::SetMeasuredData(zeilen); }

inline kernel::ExpPunkt Zeile(double t, double cA, double cB = 0, int exclude = 0) {
    kernel::ExpPunkt p;
    p.t = t;
    p.c[1] = cA;
    p.c[2] = cB;
    p.exclude = exclude;
    return p;
}

// Opens the diagram of `code` the way the evaluation menus do.
inline diagram::frmTGraph2D* OeffneDiagramm(int code) {
    using namespace kernel;
    aktDiagrammCode = code;
    ScanExpDataRange(code);
    diagram::GrafZentrale(aktDiagrammCode, DiagRec, ZeichnenOffen, AchsenGrenzen, nZeitPunkte, MitPunkten);
    return diagram::frmTGraph2D::Geladen();
}

// The time course of A => P (k in 1/s, c(A,0) = 1 mol/L, 50 s), not yet drawn.
inline void ZeitverlaufErsteOrdnung(double k = 0.1) {
    using namespace kernel;
    aktModell = 2;
    kWert = {0, k, 0, 0};
    c0Wert = {0, 1, 0, 0, 0, 0};
    diagram::SetKurvenMaske(2);
    int err = 0;
    CalcZeitverlauf(2, 50, err);
    EXPECT_EQ(err, 0);
}

// The concentration diagram of A => P (k = 0.1 1/s): A in slot 1, P in slot 2.
inline diagram::frmTGraph2D* ErsteOrdnung() {
    ZeitverlaufErsteOrdnung();
    return OeffneDiagramm(2);
}

// Least-squares line y = a + b x through weighted points (closed form of the normal equations).
struct Gerade {
    double a = 0, b = 0, r2 = 0;
};
inline Gerade Ausgleich(const std::vector<double>& x, const std::vector<double>& y, const std::vector<double>& w) {
    double sw = 0, sx = 0, sy = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        sw += w[i];
        sx += w[i] * x[i];
        sy += w[i] * y[i];
    }
    const double mx = sx / sw, my = sy / sw;
    double sxx = 0, sxy = 0, syy = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        sxx += w[i] * (x[i] - mx) * (x[i] - mx);
        sxy += w[i] * (x[i] - mx) * (y[i] - my);
        syy += w[i] * (y[i] - my) * (y[i] - my);
    }
    Gerade g;
    g.b = sxy / sxx;
    g.a = my - g.b * mx;
    g.r2 = sxy * sxy / (sxx * syy);
    return g;
}

// Records the calls of the diagram window and the texts it sets.
class GestaltungAttrappe : public diagram::GestaltungLink {
public:
    GestaltungAttrappe() { diagram::SetGestaltung(this); }
    ~GestaltungAttrappe() override { diagram::SetGestaltung(nullptr); }

    std::vector<std::string> aufrufe;
    std::string coord[5];
    int punkteTabAktuell = 0, designTab = -1;
    bool punkteTabAn[13] = {};
    std::string lblNumPoints[13], punkteTabText[13], legende[25];
    int loeschKurve = -1, loeschPunktsatz = -1, loeschPunkt = -1;

    void FormGST_Show(int t) override { aufrufe.push_back("FormGST_Show(" + std::to_string(t) + ")"); }
    void FormGST_Hide(bool b) override { aufrufe.push_back(b ? "FormGST_Hide(True)" : "FormGST_Hide(False)"); }
    void DeleteAllDesignFrames() override { aufrufe.push_back("DeleteAllDesignFrames"); }
    void optScaling_Click(int i) override { aufrufe.push_back("optScaling(" + std::to_string(i) + ")"); }
    void CoordPanelBereit() override { aufrufe.push_back("CoordPanelBereit"); }
    void SetCoord(int i, const std::string& t) override { coord[i] = t; }
    void SetPunkteTabAn(int k, bool on) override { punkteTabAn[k] = on; }
    void SetPunkteTab(int k, bool on, const std::string& t) override {
        punkteTabAn[k] = on;
        punkteTabText[k] = t;
    }
    void SetTxtLegend(int k, const std::string& t) override {
        if (k >= 0 && k < 25) legende[k] = t;
    }
    void SetPunkteTabAktuell(int k) override { punkteTabAktuell = k; }
    void SetDesignTab(int t) override { designTab = t; }
    void SetLblNumPoints(int k, const std::string& t) override { lblNumPoints[k] = t; }
    void DeleteCurvePoint(int s, int p) override {
        loeschKurve = s;
        loeschPunkt = p;
    }
    void DeleteSingleMeasuringPoint(int s, int p) override {
        loeschPunktsatz = s;
        loeschPunkt = p;
    }
    void cmdCoord_OK_Click() override { aufrufe.push_back("cmdCoord_OK"); }
};

// Chart pixel of data coordinates, and the same in twips as the mouse handlers take them.
struct Pixel {
    int x = 0, y = 0;
    float tx() const { return static_cast<float>(platform::PixelsToTwips(x)); }
    float ty() const { return static_cast<float>(platform::PixelsToTwips(y)); }
};
inline Pixel PixelVon(platform::Chart2D* c, double x, double y) {
    double px = 0, py = 0;
    EXPECT_TRUE(c->DataToPixel(x, y, px, py));
    return {static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py))};
}

// Sends a real mouse event to the chart's drawing surface.
inline void Maus(platform::Chart2D* c, QEvent::Type typ, Qt::MouseButton knopf, Qt::MouseButtons gehalten, Pixel p) {
    QWidget* flaeche = c->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).value(0);
    ASSERT_NE(flaeche, nullptr);
    const QPointF lokal(p.x, p.y);
    QMouseEvent e(typ, lokal, flaeche->mapToGlobal(lokal), knopf, gehalten, Qt::NoModifier);
    QApplication::sendEvent(flaeche, &e);
}

}  // namespace diagramtest
