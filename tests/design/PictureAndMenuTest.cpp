// Picture output of the diagram (clipboard, picture files of each kind, printing to a PDF printer)
// and the diagram window's menus that work through the design dialog.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QRadioButton>
#include <QTabWidget>
#include <memory>
#include <utility>

#include "kernel/State.h"
#include "tests/design/DesignTestSupport.h"
#include "tests/support/PictureDir.h"

namespace {

using namespace kernel;

constexpr int kPunkte = 2;

QByteArray Anfang(const QString& pfad, int n) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.read(n);
}

class Bildausgabe : public designtest::DesignTest {
protected:
    // Chooses the file format entry and saves under the given name.
    void Speichere(int listenIndex, const QString& pfad) {
        QFile::remove(pfad);
        design::mnuBild_Click(*f, 2);
        Control<QComboBox>("cmbGraphFormat")->setCurrentIndex(listenIndex);
        naechsterPfad = pfad.toStdString();
        Klick("cmdPrint");
    }
};

TEST_F(Bildausgabe, FileListGivesTheFormatCodes) {
    Oeffne();
    design::mnuBild_Click(*f, 2);
    QComboBox* liste = Control<QComboBox>("cmbGraphFormat");
    ASSERT_EQ(liste->count(), 5);
    EXPECT_EQ(liste->currentIndex(), 2);
    EXPECT_EQ(GraphFormatCode, 3);
    EXPECT_EQ(d->panel[5]->title().toStdString(), "Bildfile schreiben");
    EXPECT_TRUE(d->panel[5]->isVisible());
    const int codes[] = {1, 2, 3, 13, 4};
    for (int i = 0; i < 5; ++i) {
        liste->setCurrentIndex(i);
        EXPECT_EQ(GraphFormatCode, codes[i]) << i;
    }
    // The enhanced metafile entry is saved with code 3.
    liste->setCurrentIndex(3);
    naechsterPfad.clear();
    Klick("cmdPrint");
    EXPECT_EQ(GraphFormatCode, 3);
    EXPECT_EQ(letzteAnfrage.caption, "Speichere Bild-File");
    EXPECT_FALSE(d->isVisible());

    design::mnuBild_Click(*f, 1);
    ASSERT_EQ(liste->count(), 2);
    EXPECT_EQ(GraphFormatCode, 3);  // "Vektor-Grafik"
    liste->setCurrentIndex(0);
    EXPECT_EQ(GraphFormatCode, 1);

    design::mnuBild_Click(*f, 3);
    EXPECT_EQ(GraphFormatCode, 1);
    EXPECT_EQ(d->panel[5]->title().toStdString(), "Drucken");
    EXPECT_TRUE(Control<QGroupBox>("frPrintScaling")->isVisible());
    EXPECT_FALSE(Control<QGroupBox>("frGraphFormat")->isVisible());
}

TEST_F(Bildausgabe, PictureFilesOfEachKind) {
    Oeffne();
    const QString bmp = testsupport::PicturePath("design_bild.bmp");
    Speichere(0, bmp);
    EXPECT_EQ(Anfang(bmp, 2), QByteArray("BM"));
    EXPECT_EQ(letzteAnfrage.defaultSuffix, "BMP");
    const QString png = testsupport::PicturePath("design_bild.png");
    Speichere(0, png);
    EXPECT_EQ(Anfang(png, 4), QByteArray("\x89PNG"));
    const QString svg = testsupport::PicturePath("design_bild.svg");
    Speichere(3, svg);
    EXPECT_TRUE(Anfang(svg, 400).contains("<svg"));
    const QString pdf = testsupport::PicturePath("design_bild.pdf");
    Speichere(1, pdf);
    EXPECT_EQ(Anfang(pdf, 4), QByteArray("%PDF"));
    for (const QString& p : {bmp, png, svg, pdf}) EXPECT_GT(QFile(p).size(), 500) << p.toStdString();
    EXPECT_TRUE(rec.Empty());
}

TEST_F(Bildausgabe, ClipboardAndPrinter) {
    Oeffne();
    QApplication::clipboard()->clear();
    design::mnuBild_Click(*f, 1);
    Control<QComboBox>("cmbGraphFormat")->setCurrentIndex(0);
    Klick("cmdPrint");
    const QMimeData* m = QApplication::clipboard()->mimeData();
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(m->hasImage());

    const QString pdf = testsupport::PicturePath("design_druck.pdf");
    QFile::remove(pdf);
    auto drucker = std::make_shared<QPrinter>(QPrinter::HighResolution);
    drucker->setOutputFormat(QPrinter::PdfFormat);
    drucker->setOutputFileName(pdf);
    design::SetDruckerQuelle([drucker] { return drucker.get(); });
    design::mnuBild_Click(*f, 3);
    Klick("cmdPrint");
    EXPECT_EQ(Anfang(pdf, 4), QByteArray("%PDF"));
    EXPECT_GT(QFile(pdf).size(), 1000);
}

TEST_F(Bildausgabe, BlackSheetIsWarnedAboutBeforeEveryOutput) {
    Oeffne();
    Klick("cmdFullBlack");
    d->FormGST_Hide(true);
    rec.QueueAnswer(platform::vbCancel);
    PrintMode = 0;
    design::mnuBild_Click(*f, 1);
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, "WARNUNG");
    EXPECT_EQ(rec.Last().style, platform::vbOKCancel + platform::vbExclamation);
    EXPECT_EQ(PrintMode, 0);
    EXPECT_FALSE(d->isVisible());
    rec.QueueAnswer(platform::vbOK);
    design::mnuBild_Click(*f, 3);
    EXPECT_EQ(PrintMode, 3);
    EXPECT_TRUE(d->panel[5]->isVisible());
    Klick("cmdFullWhite");
    rec.Clear();
    design::mnuBild_Click(*f, 2);
    EXPECT_TRUE(rec.Empty());
}

class Menues : public designtest::DesignTest {
protected:
    QAction* Eintrag(const char* name) const { return f->findChild<QAction*>(name); }
};

TEST_F(Menues, EntriesExistAndAreConnectedOnce) {
    Oeffne();
    design::ConnectDiagramMenus(f);  // a second call changes nothing
    // The delete entries that the window creates itself take these menus' captions.
    const std::pair<const char*, const char*> eintraege[] = {
        {"mnuDesign", "&Gestalten..."}, {"mnuDesignMore", "Diagramm"}, {"mnuKurvenDesign", "Kurve"},
        {"mnuPunktDesign", "Punktsatz"}, {"mnuTextDesign(1)", "Kopftext"},
        {"mnuTextDesign(5)", "Kurvenetikett/Legende"},
        {"mnuAddLegend", "Legende"}, {"mnuAddLabels", "alle Kurvenetiketts"}, {"mnuAddText", "Zusatztext"},
        {"mnuBild(1)", "... zur Zwischenablage"}, {"mnuBild(3)", "... zum Drucker"}, {"mnuDelTotal", "Alles"},
        {"mnuDelLabels", "alle Kurvenetiketts"}, {"mnuDelLegend", "gesamte Legende"},
        {"mnuDelLegendZeile", "einzelne Legendenzeilen"}};
    for (const auto& [name, text] : eintraege) {
        ASSERT_NE(Eintrag(name), nullptr) << name;
        EXPECT_EQ(Eintrag(name)->text().toStdString(), text) << name;
    }
    Eintrag("mnuDesignMore")->trigger();
    EXPECT_TRUE(d->panel[1]->isVisible());
    Eintrag("mnuTextDesign(2)")->trigger();
    EXPECT_EQ(GrafAusgabeModus, 2);
    EXPECT_EQ(d->panel[4]->title().toStdString(), "Zusatztext gestalten");
    EXPECT_FALSE(d->panel[1]->isVisible());
    Eintrag("mnuBild(2)")->trigger();
    EXPECT_EQ(PrintMode, 2);
    // "Legende" is offered while the legend is hidden; connected once: one refusal per press.
    EXPECT_FALSE(Eintrag("mnuAddLegend")->isEnabled());
    Eintrag("mnuDelLegend")->trigger();
    EXPECT_TRUE(Eintrag("mnuAddLegend")->isEnabled());
    for (int k = 1; k <= kMaxKurven; ++k) c->SetLegendText(1, k, "");
    rec.Clear();
    Eintrag("mnuAddLegend")->trigger();
    EXPECT_EQ(rec.Messages().size(), 1u);
}

TEST_F(Menues, MouseClicksInTheDiagramReachTheDialog) {
    Oeffne();
    f->resize(900, 600);
    f->show();
    // A right click on a curve opens the curve panel on that curve's tab.
    const int i = 60;
    const auto p = diagramtest::PixelVon(c, c->X(1, 2, i), c->Y(1, 2, i));
    diagramtest::Maus(c, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, p);
    EXPECT_TRUE(d->panel[2]->isVisible());
    EXPECT_EQ(Control<QTabWidget>("tabKurven")->currentIndex(), 1);
    // A left click on a curve point asks before deleting it.
    const int n = c->PointCount(1, 2);
    rec.QueueAnswer(platform::vbYes);
    diagramtest::Maus(c, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, p);
    diagramtest::Maus(c, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, p);
    ASSERT_FALSE(rec.Empty());
    EXPECT_EQ(rec.Messages().front().title, "Löschen eines Kurvenpunktes");
    EXPECT_EQ(c->PointCount(1, 2), n - 1);
}

TEST_F(Menues, DesignAndDeleteMenusFollowTheDiagram) {
    Oeffne();
    design::mnuDesign_Click(*f);
    EXPECT_TRUE(Eintrag("mnuKurvenDesign")->isEnabled());
    EXPECT_FALSE(Eintrag("mnuPunktDesign")->isEnabled());
    c->SetSeriesData(kPunkte, 3, {1.0}, {0.5});
    design::mnuDesign_Click(*f);
    EXPECT_TRUE(Eintrag("mnuPunktDesign")->isEnabled());
    EXPECT_EQ(Control<QTabWidget>("tabPunkte")->currentIndex(), 2);

    design::mnuDelete_Click(*f);
    EXPECT_TRUE(Eintrag("mnuSubDelKurv(1)")->isEnabled());
    EXPECT_TRUE(Eintrag("mnuSubDelKurv(2)")->isEnabled());
    EXPECT_FALSE(Eintrag("mnuSubDelKurv(3)")->isEnabled());
    EXPECT_TRUE(Eintrag("mnuSubDelPoints(3)")->isEnabled());
    EXPECT_TRUE(Eintrag("mnuSubDelPoints(0)")->isEnabled());

    design::mnuAddLabels_Click(*f);
    EXPECT_FALSE(Eintrag("mnuAddLabels")->isEnabled());
    EXPECT_TRUE(Eintrag("mnuDelLabels")->isEnabled());
    EXPECT_TRUE(c->LabelShown(9));
    design::mnuDelLabels_Click(*f);
    EXPECT_FALSE(c->LabelShown(1));
    EXPECT_TRUE(Eintrag("mnuAddLabels")->isEnabled());

    // "Alles": curves and point sets go, the legend stays shown but its entry is switched off.
    ASSERT_TRUE(c->LegendShown());
    design::mnuDelTotal_Click(*f);
    EXPECT_EQ(nKurven, 0);
    EXPECT_EQ(c->PointCount(kPunkte, 3), 0);
    EXPECT_TRUE(c->LegendShown());
    EXPECT_FALSE(Eintrag("mnuDelLegend")->isEnabled());
    design::mnuDelete_Click(*f);
    EXPECT_FALSE(Eintrag("mnuSubDelKurv(1)")->isEnabled());
    design::mnuDesign_Click(*f);
    EXPECT_FALSE(Eintrag("mnuKurvenDesign")->isEnabled());
}

}  // namespace
