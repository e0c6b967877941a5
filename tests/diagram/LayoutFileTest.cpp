// Chart layout files (*.oc2) of the diagram window: save, load into a new window, and the
// bookkeeping re-derived from the loaded chart.
#include <QAction>
#include <QFile>
#include <QTemporaryDir>

#include <tuple>

#include "shell/FileChoice.h"
#include "tests/diagram/MessdatenTestSupport.h"

namespace {

using namespace kernel;
using diagram::frmTGraph2D;
using diagramtest::Menue;

class Vorlage : public diagramtest::MeldungsTest {
protected:
    void SetUp() override {
        MeldungsTest::SetUp();
        datei = dir.filePath("vorlage.oc2").toStdString();
        auto waehle = [this](const shell::FileRequest& r, std::string& pfad) {
            anfrage = r;
            pfad = datei;
            return !abbrechen;
        };
        shell::SetSaveFileChooser(waehle);
        shell::SetOpenFileChooser(waehle);
    }
    void TearDown() override {
        shell::SetSaveFileChooser(nullptr);
        shell::SetOpenFileChooser(nullptr);
        MeldungsTest::TearDown();
    }

    QTemporaryDir dir;
    std::string datei;
    shell::FileRequest anfrage;
    bool abbrechen = false;
};

TEST_F(Vorlage, SavedLayoutRestoresCurvesPointSetsAndRange) {
    frmTGraph2D* f = diagramtest::ErsteOrdnung();
    ASSERT_NE(f, nullptr);
    for (int k = 1; k <= 3; ++k) {
        XYZeichenPunkte = {XYPunkt{2, 0, 0, 0}, XYPunkt{1.0f * k, 0.5f, 0, 0}, XYPunkt{2.0f * k, 0.25f, 0, 0}};
        f->cmdExternPoints_Click();
    }
    std::tie(DiagRec.xMin, DiagRec.xMax, DiagRec.yMin) = std::make_tuple(2.0f, 40.0f, 0.1f);
    f->SetAxesRange();
    OC2Pfad = "alt/";
    Menue(f, "mnuSaveOC2");
    EXPECT_EQ(anfrage.directory, "alt/");
    EXPECT_EQ(OC2Pfad, dir.path().toStdString() + "/");

    // A new window whose curves are deleted: the load brings curves, point sets and range back.
    diagramtest::SchliesseDiagramm();
    f = diagramtest::ErsteOrdnung();
    ASSERT_NE(f, nullptr);
    diagramtest::GestaltungAttrappe dlg;
    int alle = 0;
    f->DeleteCurves(alle);
    nPunktsaetze = 0;
    dlg.aufrufe.clear();
    Menue(f, "mnuLoadOC2");
    EXPECT_TRUE(rec.Empty());
    EXPECT_EQ(std::make_tuple(nKurven, KurveFrei[1], KurveFrei[2], KurveFrei[3]),
              std::make_tuple(2, kFalse, kFalse, kTrue));
    EXPECT_EQ(f->Chart()->PointCount(1, 1), nZeitPunkte + 1);
    EXPECT_EQ(std::make_tuple(nPunktsaetze, dlg.punkteTabAktuell), std::make_tuple(3, 3));
    EXPECT_TRUE(dlg.punkteTabAn[1] && dlg.punkteTabAn[3] && !dlg.punkteTabAn[4]);
    EXPECT_FALSE(f->findChild<QAction*>("mnuSubDelPoints(4)")->isEnabled());
    EXPECT_FLOAT_EQ(DiagRec.xMin, 2);
    EXPECT_EQ(dlg.coord[2] + "|" + dlg.coord[3], "40|0.1");
    EXPECT_EQ(dlg.aufrufe, (std::vector<std::string>{"FormGST_Hide(True)", "DeleteAllDesignFrames", "FormGST_Show(6)",
                                                     "CoordPanelBereit", "cmdCoord_OK", "optScaling(1)",
                                                     "optScaling(0)", "optScaling(1)", "optScaling(0)"}));
}

TEST_F(Vorlage, NoCurvesNoPointSetsCancelAndUnreadableFiles) {
    frmTGraph2D* f = diagramtest::ErsteOrdnung();
    ASSERT_NE(f, nullptr);
    for (int k : {1, 2}) f->Chart()->SetPointCount(1, k, 0);  // a layout of an empty chart
    Menue(f, "mnuSaveOC2");
    diagramtest::GestaltungAttrappe dlg;
    for (bool& an : dlg.punkteTabAn) an = true;
    nPunktsaetze = 5;
    Menue(f, "mnuLoadOC2");
    EXPECT_EQ(nPunktsaetze, 5);  // a layout without point sets keeps the number
    for (int k = 1; k <= 12; ++k) EXPECT_FALSE(dlg.punkteTabAn[k]) << k;
    // Without curves every slot is free and its entry off; "alle" stays on.
    EXPECT_EQ(nKurven, 0);
    EXPECT_FALSE(f->findChild<QAction*>("mnuSubDelKurv(1)")->isEnabled());
    EXPECT_TRUE(f->findChild<QAction*>("mnuSubDelKurv(0)")->isEnabled());

    OC2Pfad = "bleibt/";
    abbrechen = true;
    Menue(f, "mnuSaveOC2");
    Menue(f, "mnuLoadOC2");
    EXPECT_EQ(OC2Pfad, "bleibt/");
    EXPECT_TRUE(rec.Empty());

    // A damaged file is reported; the diagram stays as it was.
    abbrechen = false;
    QFile kaputt(QString::fromStdString(datei));
    ASSERT_TRUE(kaputt.open(QIODevice::WriteOnly) && kaputt.write("{ kein Diagramm") > 0);
    kaputt.close();
    Menue(f, "mnuLoadOC2");
    ErwarteEineMeldung("Meldung von mnuLoadOC2");
    EXPECT_EQ(nKurven, 0);
    EXPECT_EQ(OC2Pfad, "bleibt/");
    EXPECT_FALSE(f->Chart()->IsRepaintSuspended());
}

}  // namespace
