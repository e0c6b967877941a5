// The road of a user through the real program, under the C and a German number locale: the model
// chosen in the main window, its c-t diagram drawn, the design panels opened from the diagram's
// menus, grid, range, log axis and curve style changed, the picture and the curve saved.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <optional>
#include <string>

#include "design/frmTGraph2D_Gestaltung.h"
#include "diagram/frmTGraph2D.h"
#include "experiment/XYFile.h"
#include "platform/Chart2D.h"
#include "shell/FileChoice.h"
#include "tests/simulation/TwinWindowTestSupport.h"
#include "tests/support/NumberLocale.h"
#include "tests/support/PictureDir.h"

namespace {

using platform::ChartAxis;
using testsupport::NumberLocale;

class HauptfensterWeg : public twintest::TwinWindowTest, public testing::WithParamInterface<NumberLocale> {
protected:
    void SetUp() override {
        twintest::TwinWindowTest::SetUp();
        locale.emplace(GetParam());
        shell::SetSaveFileChooser([this](const shell::FileRequest&, std::string& pfad) {
            pfad = naechsterPfad;
            return !pfad.empty();
        });
    }
    void TearDown() override {
        shell::SetSaveFileChooser(nullptr);
        twintest::TwinWindowTest::TearDown();
        locale.reset();
    }
    void Menue(const char* name) const {
        auto* eintrag = diagram::frmTGraph2D::Geladen()->findChild<QAction*>(name);
        ASSERT_NE(eintrag, nullptr) << name;
        ASSERT_TRUE(eintrag->isEnabled()) << name;
        eintrag->trigger();
        QApplication::processEvents();
    }
    template <class T>
    T* Im(const char* name) const {
        return design::frmTGraph2D_Gestaltung::Geladen()->findChild<T*>(QString::fromUtf8(name));
    }

    std::optional<testsupport::NumberLocaleScope> locale;
    std::string naechsterPfad;
};

TEST_P(HauptfensterWeg, DiagramDesignedAndSaved) {
    const char* const kFenster = "frmPrepareTimeDiagram";
    ASSERT_NO_FATAL_FAILURE(Choose(2));
    auto* eintrag = main->findChild<QAction*>("mnuctGraph");
    ASSERT_NE(eintrag, nullptr);
    eintrag->trigger();
    QApplication::processEvents();
    twintest::Type(twintest::Box(kFenster, 0), "1");
    twintest::Type(twintest::Control<QComboBox>(kFenster, "kCombo(1)"), "0,1");
    twintest::Type(twintest::Control<QComboBox>(kFenster, "kCombo(0)"), "30");
    twintest::Click(kFenster, "cmdDrawctDiagram");
    ASSERT_TRUE(rec.Empty()) << rec.Last().prompt;
    diagram::frmTGraph2D* f = diagram::frmTGraph2D::Geladen();
    ASSERT_NE(f, nullptr);
    platform::Chart2D* c = f->Chart();
    const int n = c->PointCount(1, 1);
    ASSERT_GT(n, 100);

    // Grid: x grid only, solid lines.
    Menue("mnuDesignMore");
    Im<QRadioButton>("opt1Gitter(2)")->click();
    Im<QRadioButton>("opt2Gitter(1)")->click();
    EXPECT_EQ(c->GridPattern(ChartAxis::X), platform::kLineSolid);
    EXPECT_EQ(c->GridPattern(ChartAxis::Y), platform::kLineNone);

    // Range: typed with a decimal comma, applied whole; the fields show it in the locale's form.
    Menue("mnuCoord");
    QLineEdit* xMax = Im<QLineEdit>("coord(2)");
    twintest::Type(xMax, "25,5");
    Im<QPushButton>("cmdCoord_OK")->click();
    EXPECT_TRUE(rec.Empty());
    EXPECT_DOUBLE_EQ(c->AxisMax(ChartAxis::X), 25.5);
    Menue("mnuCoord");
    EXPECT_EQ(xMax->text().toStdString(), testsupport::InLocale("25.5"));
    Im<QPushButton>("cmdCoord_OK")->click();
    EXPECT_DOUBLE_EQ(c->AxisMax(ChartAxis::X), 25.5);

    // Log axis over the concentrations from 0: told, lifted, and back.
    Menue("mnuDesignMore");
    Im<QPushButton>("cmdYLog")->click();
    EXPECT_EQ(rec.Messages().size(), 1u);
    EXPECT_TRUE(c->AxisLog(ChartAxis::Y));
    EXPECT_GT(c->AxisMin(ChartAxis::Y), 0);
    Im<QPushButton>("cmdYLog")->click();
    EXPECT_FALSE(c->AxisLog(ChartAxis::Y));

    // Curve style from the curve panel.
    Menue("mnuKurvenDesign");
    Im<QComboBox>("cmbKStil(1)")->setCurrentIndex(2);
    EXPECT_EQ(c->LinePattern(1, 1), platform::kLineDotted);

    // The picture as a bitmap file, the curve as an X-Y file.
    const QString bild = testsupport::PicturePath(GetParam() == NumberLocale::German ? "weg_de.bmp" : "weg_c.bmp");
    QFile::remove(bild);
    Menue("mnuBild(2)");
    Im<QComboBox>("cmbGraphFormat")->setCurrentIndex(0);
    naechsterPfad = bild.toStdString();
    Im<QPushButton>("cmdPrint")->click();
    QFile datei(bild);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_EQ(datei.read(2), QByteArray("BM"));
    naechsterPfad = testsupport::PicturePath("weg_kurve.XY").toStdString();
    Menue("mnuKurvenDesign");
    Im<QPushButton>("cmdSaveCurveAsXY")->click();
    experiment::XYDateiInhalt kurve;
    std::string fehler;
    ASSERT_TRUE(experiment::LeseXYDatei(naechsterPfad, kurve, fehler)) << fehler;
    EXPECT_EQ(kurve.Anzahl(), n);
    EXPECT_FLOAT_EQ(kurve.punkte[n].y, static_cast<float>(c->Y(1, 1, n)));
    EXPECT_EQ(rec.Messages().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Zahlen, HauptfensterWeg, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);

}  // namespace
