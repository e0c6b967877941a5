// Picture output of the diagram (clipboard, picture files of each kind, printing to a PDF printer)
// and the diagram window's menus that work through the design dialog.
#include <QImage>
#include <QRegularExpression>
#include <QFile>
#include <QMimeData>
#include <QPrinter>
#include <QTabWidget>
#include <array>
#include <utility>

#include "tests/design/DesignTestSupport.h"
#include "tests/support/PictureDir.h"

namespace {

using namespace kernel;

QByteArray Anfang(const QString& pfad, int n) {
    return QByteArray::fromStdString(testsupport::Bytes(pfad.toStdString())).left(n);
}

class Bildausgabe : public designtest::DesignTest {
protected:
    // Chooses the file format entry and saves under the given name (removing an older file first).
    void Speichere(int listenIndex, const QString& pfad, bool neu = true) {
        if (neu) QFile::remove(pfad);
        design::mnuBild_Click(*f, 2);
        Control<QComboBox>("cmbGraphFormat")->setCurrentIndex(listenIndex);
        dialogs.saveAnswer = pfad.toStdString();
        Klick("cmdPrint");
    }
};

TEST_F(Bildausgabe, FormatListsAndTheBlackSheetWarning) {
    Oeffne();
    design::mnuBild_Click(*f, 2);
    QComboBox* liste = Control<QComboBox>("cmbGraphFormat");
    EXPECT_EQ(std::make_tuple(liste->count(), liste->currentIndex(), GraphFormatCode), std::make_tuple(5, 2, 3));
    QStringList eintraege;
    for (int i = 0; i < liste->count(); ++i) {
        liste->setCurrentIndex(i);
        eintraege << liste->currentText() + " " + QString::number(GraphFormatCode);
    }
    EXPECT_EQ(eintraege, (QStringList{"Bitmap (.BMP) 1", "MetaFile (.WMF) 2", "erweit. MetaFile (.WMF) 3",
                                      "erweit. MetaFile (.EMF) 13", "Standard-MetaFile (.WMF) 4"}));
    // The hint names the file the metafile entries write, and no format the program does not write.
    const QString tipp = Control<QLabel>("Label33")->text();
    EXPECT_TRUE(tipp.contains("<Name>.svg, auch wenn .wmf oder .emf eingegeben wird")) << tipp.toStdString();
    EXPECT_FALSE(tipp.contains("EMF")) << tipp.toStdString();
    EXPECT_TRUE(d->panel[5]->isVisible());
    // The clipboard list: vector (code 3) preselected; the bitmap entry copies a bitmap only.
    design::mnuBild_Click(*f, 1);
    ASSERT_EQ(liste->count(), 2);
    EXPECT_EQ(GraphFormatCode, 3);
    liste->setCurrentIndex(0);
    QApplication::clipboard()->clear();
    Klick("cmdPrint");
    const QMimeData* m = QApplication::clipboard()->mimeData();
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(m->hasImage() && !m->hasFormat("image/svg+xml"));
    design::mnuBild_Click(*f, 3);
    EXPECT_TRUE(Control<QGroupBox>("frPrintScaling")->isVisible());
    EXPECT_FALSE(Control<QGroupBox>("frGraphFormat")->isVisible());

    // A black sheet is warned about before every output.
    Klick("cmdFullBlack");
    d->FormGST_Hide(true);
    rec.QueueAnswer(platform::AnswerCancel);
    PrintMode = 0;
    design::mnuBild_Click(*f, 1);
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(std::make_tuple(rec.Last().title, rec.Last().style),
              std::make_tuple(std::string("WARNUNG"), platform::MsgOkCancel + platform::MsgExclamation));
    EXPECT_EQ(PrintMode, 0);
    EXPECT_FALSE(d->isVisible());
    rec.QueueAnswer(platform::AnswerOk);
    design::mnuBild_Click(*f, 3);
    EXPECT_EQ(PrintMode, 3);
    Klick("cmdFullWhite");
    rec.Clear();
    design::mnuBild_Click(*f, 2);
    EXPECT_TRUE(rec.Empty());
}

TEST_F(Bildausgabe, PictureFilesOfEachKind) {
    Oeffne();
    // Every entry of the list writes a valid file of the kind its code and name give; a metafile
    // name typed for a metafile entry becomes ".svg", and no ".wmf" or ".emf" file is written; a
    // name promising another format gets the written format's ending added.
    struct Fall {
        int eintrag;
        const char* name;
        QByteArray magie;
        const char* datei = nullptr;  // the file written, where it is not the name typed
    };
    const Fall faelle[] = {{0, "design_bild.BMP", "BM"}, {0, "design_bild.png", "\x89PNG"},
                           {0, "design_bild.jpg", "BM", "design_bild.jpg.bmp"}, {4, "design_bild4.SVG", "<?xml"},
                           {1, "design_bild.pdf", "%PDF"}, {1, "design_wmf.wmf", "<?xml", "design_wmf.svg"},
                           {3, "design_emf.EMF", "<?xml", "design_emf.svg"},
                           {2, "design_blatt.txt", "<?xml", "design_blatt.txt.svg"}};
    for (const Fall& fall : faelle) {
        const QString pfad = testsupport::PicturePath(fall.datei ? fall.datei : fall.name);
        QFile::remove(pfad);
        Speichere(fall.eintrag, testsupport::PicturePath(fall.name));
        // The enhanced metafile entry (code 13) is saved with code 3.
        EXPECT_EQ(GraphFormatCode, (std::array{1, 2, 3, 3, 4}[static_cast<std::size_t>(fall.eintrag)])) << fall.name;
        EXPECT_TRUE(!fall.datei || !QFile::exists(testsupport::PicturePath(fall.name))) << fall.name;
        EXPECT_EQ(Anfang(pfad, fall.magie.size()), fall.magie) << fall.name;
        EXPECT_GT(QFile(pfad).size(), 500) << fall.name;
    }
    EXPECT_EQ(std::make_pair(dialogs.saveRequests.back().defaultSuffix, dialogs.saveRequests.back().proposal),
              std::make_pair(std::string("SVG"), std::string("*.SVG")));
    EXPECT_TRUE(rec.Empty());

    // A cancelled dialog says nothing; the dialog goes either way.
    Speichere(2, {}, false);
    EXPECT_TRUE(rec.Empty());
    EXPECT_FALSE(d->isVisible());

    // A save that fails is reported naming the target, and an older file there stays as it was: a
    // name of 250 characters is a valid file, but the temporary file beside it cannot be named.
    const QString alt = testsupport::PicturePath("design_" + QString(239, 'x') + ".bmp");
    QFile altDatei(alt);
    ASSERT_TRUE(altDatei.open(QIODevice::WriteOnly) && altDatei.write("ALTES BILD") > 0);
    altDatei.close();
    Speichere(0, alt, false);
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().style, platform::MsgCritical);
    EXPECT_NE(rec.Last().prompt.find(alt.toStdString()), std::string::npos) << rec.Last().prompt;
    EXPECT_EQ(Anfang(alt, 100), QByteArray("ALTES BILD"));
    QFile::remove(alt);
    // A folder that does not exist: reported with the target as well.
    const std::string ohneOrdner = (testsupport::PictureDir() + "/gibt-es-nicht/bild.svg").toStdString();
    Speichere(3, QString::fromStdString(ohneOrdner), false);
    ASSERT_EQ(rec.Messages().size(), 2u);
    EXPECT_NE(rec.Last().prompt.find(ohneOrdner), std::string::npos) << rec.Last().prompt;
}

TEST_F(Bildausgabe, LegendLiesInsideTheSavedPicture) {
    Oeffne();
    f->resize(700, 500);
    f->show();
    constexpr int kTuerkis = platform::Chart2D::Rgb(0, 255, 255);
    Control<QCheckBox>("chkLegTransparent")->setChecked(false);
    Farbe("cmdLegBColor", kTuerkis);
    Control<QLineEdit>("txtLegend(1)")->setText("c(A) nach dem Zeitgesetz erster Ordnung");
    const QString png = testsupport::PicturePath("design_legende.png");
    Speichere(0, png);
    const QImage bild(png);
    // The legend's background, found in the picture, spans the legend's whole width inside the picture.
    int links = bild.width(), rechts = -1;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            if (bild.pixelColor(x, y) == QColor(0, 255, 255)) {
                links = std::min(links, x);
                rechts = std::max(rechts, x);
            }
    ASSERT_GE(rechts, 0);
    EXPECT_LT(rechts, bild.width() - 1);
    EXPECT_GE(rechts - links + 3, c->LegendWidth());
}

TEST_F(Bildausgabe, PrintedPlaceAndSize) {
    Oeffne();
    // A PDF printer with margins of 10 mm (left) and 15 mm (top) around its printable area.
    constexpr double kPunktProMm = 72 / 25.4;
    constexpr double kRandLinks = 10 * kPunktProMm, kRandOben = 15 * kPunktProMm;
    const QString pdf = testsupport::PicturePath("design_druck.pdf");
    auto drucker = std::make_shared<QPrinter>(QPrinter::HighResolution);
    drucker->setOutputFormat(QPrinter::PdfFormat);
    drucker->setOutputFileName(pdf);
    drucker->setPageMargins(QMarginsF(10, 15, 10, 10), QPageLayout::Millimeter);
    design::SetDruckerQuelle([drucker] { return drucker.get(); });
    const double seitenverhaeltnis = double(c->height()) / c->width();
    struct Fall {
        int option;  // optSM: 3 given height, 4 given width
        const char *links, *oben, *breite, *hoehe;
    };
    for (const Fall fall : {Fall{4, "4.1", " 2.7", "12", "8"}, Fall{3, "1,5", "3", "15", "6.5"}}) {
        SCOPED_TRACE(fall.option);
        QFile::remove(pdf);
        design::mnuBild_Click(*f, 3);
        Control<QRadioButton>(("optSM(" + std::to_string(fall.option) + ")").c_str())->click();
        Control<QLineEdit>("txtLeft_in_cm")->setText(fall.links);
        Control<QLineEdit>("txtTop_in_cm")->setText(fall.oben);
        Control<QLineEdit>("txtWidth_in_cm")->setText(fall.breite);
        Control<QLineEdit>("txtHeight_in_cm")->setText(fall.hoehe);
        Klick("cmdPrint");
        EXPECT_TRUE(rec.Empty());
        // The first page of the PDF: its height in points and its inflated content stream.
        QFile datei(pdf);
        ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
        const QString roh = QString::fromLatin1(datei.readAll());
        const double seitenHoehe =
            QRegularExpression(R"(/MediaBox \[0 0 \S+ (\S+)\])").match(roh).captured(1).toDouble();
        const QString objekt = "\n" + QRegularExpression(R"(/Contents (\d+) 0 R)").match(roh).captured(1) + " 0 obj";
        const qsizetype start = roh.indexOf("stream\n", roh.indexOf(objekt)) + 7;
        const qsizetype ende = roh.indexOf("endstream", start);
        ASSERT_TRUE(roh.contains(objekt) && start >= 7 && ende >= 0);
        // qUncompress wants the expected size in front of the zlib data; it grows past a low guess.
        const QByteArray gepackt = QByteArray("\x00\x10\x00\x00", 4) + roh.mid(start, ende - start).toLatin1();
        const QString text = QString::fromLatin1(qUncompress(gepackt));
        // The chart's first drawing fills its whole area: the page transform, then the chart's own
        // (scale and place in printer pixels) and the rectangle in chart pixels.
        const auto blatt = QRegularExpression(R"((\S+) 0 0 (\S+) (\S+) (\S+) cm)").match(text);
        const auto bild = QRegularExpression(R"((\S+) 0 0 (\S+) (\S+) (\S+) cm\n0 0 (\S+) (\S+) re\nf)").match(text);
        ASSERT_TRUE(blatt.hasMatch() && bild.hasMatch());
        const auto zahl = [](const QRegularExpressionMatch& mm, int i) { return mm.captured(i).toDouble(); };
        const double links = zahl(blatt, 3) + zahl(blatt, 1) * zahl(bild, 3);
        const double oben = seitenHoehe - (zahl(blatt, 4) + zahl(blatt, 2) * zahl(bild, 4));
        const double breite = zahl(blatt, 1) * zahl(bild, 1) * zahl(bild, 5);
        const double hoehe = -zahl(blatt, 2) * zahl(bild, 2) * zahl(bild, 6);
        // The printed geometry: (field - 0.5 cm) from the printable area's corner, 567 twips per cm,
        // 20 twips per point; the size by the scaling code.
        const auto cm = [](const char* t) { return platform::ValLocale(t) * 567 / 20; };
        const double halb = 0.5 * 567 / 20;
        EXPECT_NEAR(links, kRandLinks + cm(fall.links) - halb, 1.0);
        EXPECT_NEAR(oben, kRandOben + cm(fall.oben) - halb, 1.0);
        const double sollBreite = fall.option == 4 ? cm(fall.breite) : cm(fall.hoehe) / seitenverhaeltnis;
        EXPECT_NEAR(breite, sollBreite, 0.5);
        EXPECT_NEAR(hoehe, sollBreite * seitenverhaeltnis, 0.5);
    }

    // Without a printer: a clear message, nothing printed.
    auto keiner = std::make_shared<QPrinter>();
    keiner->setOutputFormat(QPrinter::PdfFormat);  // no file to print to
    design::SetDruckerQuelle([keiner] { return keiner.get(); });
    design::mnuBild_Click(*f, 3);
    Klick("cmdPrint");
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().prompt, "Kein Drucker verfügbar");
}

class Menues : public designtest::DesignTest {
protected:
    QAction* Eintrag(const char* name) const { return f->findChild<QAction*>(name); }
    // '1' for each enabled entry, '0' for each disabled one.
    std::string An(std::initializer_list<const char*> namen) const {
        std::string s;
        for (const char* n : namen) s += Eintrag(n)->isEnabled() ? '1' : '0';
        return s;
    }
};

TEST_F(Menues, EntriesExistAndAreConnectedOnce) {
    Oeffne();
    design::ConnectDiagramMenus(f);  // a second call changes nothing
    // Entries of the new menus, and the delete entries that the window creates itself, which take
    // these menus' captions.
    const std::pair<const char*, const char*> eintraege[] = {
        {"mnuDesign", "&Gestalten..."}, {"mnuTextDesign(5)", "Kurvenetikett/Legende"}, {"mnuBild(3)", "... zum Drucker"},
        {"mnuAddLabels", "alle Kurvenetiketts"}, {"mnuDelLabels", "alle Kurvenetiketts"},
        {"mnuDelLegend", "gesamte Legende"}, {"mnuDelLegendZeile", "einzelne Legendenzeilen"},
        {"mnuDesignMore", "Diagramm"}, {"mnuKurvenDesign", "Kurve"}, {"mnuPunktDesign", "Punktsatz"},
        {"mnuTextDesign(1)", "Kopftext"}, {"mnuAddLegend", "Legende"}, {"mnuAddText", "Zusatztext"},
        {"mnuBild(1)", "... zur Zwischenablage"}, {"mnuDelTotal", "Alles"}};
    for (const auto& [name, text] : eintraege) {
        ASSERT_NE(Eintrag(name), nullptr) << name;
        EXPECT_EQ(Eintrag(name)->text().toStdString(), text) << name;
    }
    // A right click on curve 2 presses the curve-design entry, which opens that curve's tab.
    f->resize(900, 600);
    f->show();
    const auto p = diagramtest::PixelVon(c, c->X(1, 2, 60), c->Y(1, 2, 60));
    diagramtest::Maus(c, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, p);
    EXPECT_TRUE(d->panel[2]->isVisible());
    EXPECT_EQ(Control<QTabWidget>("tabKurven")->currentIndex(), 1);
    Eintrag("mnuDesignMore")->trigger();
    EXPECT_TRUE(d->panel[1]->isVisible());
    Eintrag("mnuTextDesign(2)")->trigger();
    EXPECT_EQ(GrafAusgabeModus, 2);
    EXPECT_EQ(d->panel[4]->title().toStdString(), "Zusatztext gestalten");
    EXPECT_FALSE(d->panel[1]->isVisible());
    Eintrag("mnuBild(2)")->trigger();
    EXPECT_EQ(PrintMode, 2);
    // "Legende" is offered while the legend is hidden, and refuses (once per press: connected once)
    // while no curve or point set has a legend text.
    EXPECT_FALSE(Eintrag("mnuAddLegend")->isEnabled());
    Eintrag("mnuDelLegend")->trigger();
    EXPECT_TRUE(Eintrag("mnuAddLegend")->isEnabled());
    for (int k = 1; k <= kMaxKurven; ++k) c->SetLegendText(1, k, "");
    rec.Clear();
    Eintrag("mnuAddLegend")->trigger();
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, " Ausführung nicht möglich ");
    EXPECT_FALSE(c->LegendShown());
    Control<QLineEdit>("txtLegPoints(3)")->setText("Messung");
    Eintrag("mnuAddLegend")->trigger();
    EXPECT_TRUE(c->LegendShown() && Control<QCheckBox>("chkLegend")->isChecked());
}

TEST_F(Menues, DesignAndDeleteMenusFollowTheDiagram) {
    Oeffne();
    design::mnuDesign_Click(*f);
    EXPECT_EQ(An({"mnuKurvenDesign", "mnuPunktDesign"}), "10");
    c->SetSeriesData(kPunkte, 3, {1.0}, {0.5});
    design::mnuDesign_Click(*f);
    EXPECT_EQ(An({"mnuPunktDesign"}), "1");
    EXPECT_EQ(Control<QTabWidget>("tabPunkte")->currentIndex(), 2);

    design::mnuDelete_Click(*f);
    EXPECT_EQ(An({"mnuSubDelKurv(1)", "mnuSubDelKurv(2)", "mnuSubDelKurv(3)", "mnuSubDelPoints(3)", "mnuSubDelPoints(0)"}),
              "11011");

    design::mnuAddLabels_Click(*f);
    EXPECT_EQ(An({"mnuAddLabels", "mnuDelLabels"}), "01");
    EXPECT_TRUE(c->LabelShown(9));
    design::mnuDelLabels_Click(*f);
    EXPECT_TRUE(!c->LabelShown(1) && An({"mnuAddLabels"}) == "1");

    // "Alles": curves and point sets go, the legend stays shown but its entry is switched off.
    ASSERT_TRUE(c->LegendShown());
    design::mnuDelTotal_Click(*f);
    EXPECT_EQ(std::make_tuple(nKurven, c->PointCount(kPunkte, 3)), std::make_tuple(0, 0));
    EXPECT_TRUE(c->LegendShown());
    EXPECT_EQ(An({"mnuDelLegend"}), "0");
    design::mnuDelete_Click(*f);
    design::mnuDesign_Click(*f);
    EXPECT_EQ(An({"mnuSubDelKurv(1)", "mnuKurvenDesign"}), "00");
}

}  // namespace
