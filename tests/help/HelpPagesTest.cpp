// What the pages "Erste Schritte", "Übungen" and "Editor für Messdaten" say of the program besides
// their numbers, checked in the running program under the C and the German number locale: the
// captions they quote, the model under which an evaluation entry is offered, what a paste into the
// data editor makes of a table, where the mouse read-out stands, and how often the first-order game
// ends beyond t(max).
#include <QTableWidget>
#include <QTextBrowser>
#include <QTextDocument>

#include <array>
#include <functional>
#include <map>

#include "diagram/frmTGraph2D.h"
#include "games/frmMonteCarlo.h"
#include "platform/Grid.h"
#include "tests/diagram/MessdatenTestSupport.h"
#include "tests/experiment/FittingTestSupport.h"
#include "tests/simulation/CalcWindowTestSupport.h"

namespace {

using namespace simtest;

// A caption as a page renders it: no access-key marks, every run of blanks and line breaks one blank.
QString AsRendered(QString text) { return text.remove('&').simplified(); }

// The text of a help page as the help window renders it.
QString PageText(const char* page) {
    QTextDocument document;
    document.setHtml(QString::fromStdString(platform::HelpPageHtml(page)));
    return document.toPlainText().simplified();
}

// The captions a window shows: its title, and the texts of its buttons, labels, frames and entries.
QStringList CaptionsOf(const QWidget* window) {
    QStringList texts{window->windowTitle()};
    for (const auto* b : window->findChildren<QAbstractButton*>()) texts << b->text();
    for (const auto* l : window->findChildren<QLabel*>()) texts << l->text();
    for (const auto* g : window->findChildren<QGroupBox*>()) texts << g->title();
    for (const auto* a : window->findChildren<QAction*>()) texts << a->text();
    for (QString& t : texts) t = AsRendered(t);
    return texts;
}

template <typename T>
T* WithCaption(const QWidget* window, const QString& caption) {
    for (T* w : window->findChildren<T*>())
        if (AsRendered(w->text()) == caption) return w;
    return nullptr;
}

class HelpPagesBase : public TwinWindowTest {
protected:
    // The data editor opened for new data over an empty data set.
    static void NewDataEditor() {
        testsupport::SetMeasuredData({});
        Menu("mnuNeudat");
    }
    // The captions of a window opened as the pages open it; "message" stands for the titles of the
    // messages that the first typed row with c(A) and T brings.
    QStringList OpenAndRead(const std::string& where) {
        const auto batch = [this] { Run(kBatchR, 2, 0, {{0, "1"}, {10, "0.1"}, {14, "10"}}); };
        const std::map<std::string, std::function<void()>> openers = {
            {"MDITAR", [] {}},
            {"frmKinModel", [] { Menu("mnuModel"); }},
            {"frmBatch", batch},
            {"frmProtokoll",
             [batch] {
                 batch();
                 Click("frmBatch", "cmdProtocol");
             }},
            {"frmDatedit", [] { NewDataEditor(); }},
            {"frmTFitting",
             [] {
                 kernel::FitAnzeigeModus = 0;  // the manual panel, as at the program's first start
                 testsupport::SetMeasuredData(fittest::FirstOrder(0.05, 1, 7, 10));
                 fittest::Trigger("mnuctFitting");
             }},
            {"message", [this] {
                 NewDataEditor();
                 rec.Clear();
                 for (const auto& [field, text] : {std::pair{0, "0"}, std::pair{1, "1"}, std::pair{7, "300"}})
                     Type(Control<QLineEdit>("frmDatedit", QStringLiteral("y(%1)").arg(field)), text);
                 Click("frmDatedit", "OKinput");
             }}};
        testsupport::UnloadAll();
        rec.Clear();
        openers.at(where)();
        if (where == "message") {
            QStringList titles;
            for (const auto& m : rec.Messages()) titles << QString::fromStdString(m.title);
            return titles;
        }
        if (where == "MDITAR") return CaptionsOf(main.get());
        const QWidget* window = platform::Windows().Get(where);
        return window ? CaptionsOf(window) : QStringList{};
    }

    // The rows of the data set: t|c(A)|T|k, each with six significant digits.
    static std::vector<std::string> DataRows() {
        std::vector<std::string> rows;
        for (int i = 1; i <= kernel::nMesspunkte; ++i) {
            const kernel::ExpPunkt& p = kernel::ExpDaten[static_cast<std::size_t>(i)];
            QStringList cells;
            for (const double v : {p.t, p.c[1], p.T, p.k}) cells << QString::number(v, 'g', 6);
            rows.push_back(cells.join('|').toStdString());
        }
        return rows;
    }

    // The text the help window puts on the clipboard for the stretch of a page from `from` to `to`.
    static QString CopiedFromHelp(const char* button, const QString& from, const QString& to) {
        Click("MDITAR", button);
        QTextBrowser* browser = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "frmHilfe") browser = w->findChild<QTextBrowser*>("txtThema");
        if (!browser) return "<no help window>";
        QTextCursor start = browser->document()->find(from);
        const QTextCursor end = browser->document()->find(to, start);
        start.setPosition(start.selectionStart());
        start.setPosition(end.selectionEnd(), QTextCursor::KeepAnchor);
        browser->setTextCursor(start);
        browser->copy();
        platform::CloseAllHelpWindows();
        return QApplication::clipboard()->text();
    }
};

using HelpPages = testsupport::InBothLocales<HelpPagesBase>;

// Each caption a page quotes is on the page and in the window it names. An evaluation entry that a
// page ties to a model is shown under that model and hidden under the others; a caption that
// appears only after an option is hidden before the option is chosen.
TEST_P(HelpPages, QuotedCaptionsAreTheProgramsAndShowWhereThePagesSay) {
    struct Caption {
        const char* page;
        const char* text;
        const char* where;
        int model = 0;                     // the model alone under which the entry is shown
        const char* shownAfter = nullptr;  // the option that shows it
    };
    const Caption captions[] = {
        {"erste_schritte.html", "Protokollieren aktivieren", "frmBatch"},
        {"erste_schritte.html", "Ergebnis-Protokoll schreiben", "frmProtokoll"},
        {"erste_schritte.html", "Editor exper. Daten NEU (Eingabe / Laden)", "MDITAR"},
        {"erste_schritte.html", "Daten in Liste übernehmen <+>", "frmDatedit"},
        {"erste_schritte.html", "OK, Übernehmen und Schließen", "frmDatedit"},
        {"erste_schritte.html", "Clipboard-Inhalt einfügen", "frmDatedit"},
        {"erste_schritte.html", "c-t-Daten (isotherm)", "MDITAR"},
        {"erste_schritte.html", "klassisches k-Fitting an Geradengleichung für 1. Ord. A => P", "MDITAR", 2},
        {"erste_schritte.html", "kinetisches Modell", "MDITAR"},
        {"erste_schritte.html", "1. Ordnung A => P", "frmKinModel"},
        {"erste_schritte.html", "k-Fitting entspr. gewähltem Modell (nichtlineares Fitting Marquardt / Nash)",
         "MDITAR"},
        {"erste_schritte.html", "automat.", "frmTFitting"},
        {"erste_schritte.html", "manuell", "frmTFitting"},
        {"erste_schritte.html", "Input bestätigen Zeichne Kurve", "frmTFitting"},
        {"erste_schritte.html", "Start Auto-Fitting", "frmTFitting", 0, "optManuAuto(1)"},
        {"uebungen.html", "2. Ordnung 2A => P", "frmKinModel"},
        {"uebungen.html", "klassisches k-Fitting an Geradengleichung für 2. Ord. 2 A => P", "MDITAR", 3},
        {"uebungen.html", "c-t-T-Daten (nicht-isotherm)", "MDITAR"},
        {"uebungen.html", "Fitting 1. Ordnung A => P, an c(A)-t-T-Daten", "MDITAR", 2},
        {"uebungen.html", "einmaliger Hinweis", "message"},
        {"uebungen.html", "Start Auto-Fitting", "frmTFitting", 0, "optManuAuto(1)"},
        {"datenedit.html", "Clipboard-Inhalt einfügen", "frmDatedit"},
    };
    for (const Caption& c : captions) {
        const QString text = QString::fromUtf8(c.text);
        SCOPED_TRACE(std::string(c.page) + ": " + c.text);
        EXPECT_TRUE(PageText(c.page).contains(text));
        EXPECT_TRUE(OpenAndRead(c.where).contains(text)) << "not in " << c.where;
        if (c.shownAfter) {
            const QWidget* window = platform::Windows().Get(c.where);
            ASSERT_NE(window, nullptr);
            const QAbstractButton* button = WithCaption<QAbstractButton>(window, text);
            ASSERT_NE(button, nullptr);
            EXPECT_TRUE(button->isHidden());
            Click(c.where, c.shownAfter);
            EXPECT_FALSE(button->isHidden());
        }
        if (c.model) {
            const QAction* entry = WithCaption<QAction>(main.get(), text);
            ASSERT_NE(entry, nullptr);
            for (const int model : {2, 3, 4}) {
                Menu("mnuModel");
                ChooseModel(model);
                EXPECT_EQ(entry->isVisible(), model == c.model) << "model " << model;
            }
        }
    }
}

// A paste takes tab-separated columns from the clicked cell on; text reads as 0 without a message.
// The table of "Erste Schritte" copied from the help window arrives one cell a line, all in t.
TEST_P(HelpPages, PastesIntoTheDataEditorAsThePagesSay) {
    struct Paste {
        const char* name;
        QString text;
        int column;                     // the grid column clicked first: 2 t, 9 T
        std::vector<std::string> rows;  // t|c(A)|T|k
    };
    const QString fromHelp = CopiedFromHelp("cmdErstnutzer", "t / s", "0,05");
    const Paste pastes[] = {
        {"spreadsheet, decimal comma", "0\t1\r\n10\t0,62\r\n20\t0,37\r\n", 2, {"0|1|0|0", "10|0.62|0|0", "20|0.37|0|0"}},
        {"spreadsheet, decimal point", "0\t1\n10\t0.62\n", 2, {"0|1|0|0", "10|0.62|0|0"}},
        {"with its heading row", "t / s\tc(A) / (mol/L)\r\n0\t1\r\n10\t0,62", 2,
         {"0|0|0|0", "0|1|0|0", "10|0.62|0|0"}},
        {"T and k from the T/K column", "290\t0,00107\r\n300\t0,00188\r\n", 9, {"0|0|290|0.00107", "0|0|300|0.00188"}},
        {"the table copied from the help window", fromHelp, 2,
         {"0|0|0|0", "0|0|0|0", "0|0|0|0", "0|0|0|0", "1|0|0|0", "10|0|0|0", "0.62|0|0|0", "20|0|0|0", "0.37|0|0|0",
          "30|0|0|0", "0.22|0|0|0", "40|0|0|0", "0.14|0|0|0", "50|0|0|0", "0.08|0|0|0", "60|0|0|0", "0.05|0|0|0"}},
    };
    for (const Paste& p : pastes) {
        SCOPED_TRACE(p.name);
        testsupport::UnloadAll();
        NewDataEditor();
        auto* table = Control<QWidget>("frmDatedit", "Grid")->findChild<QTableWidget*>();
        ASSERT_NE(table, nullptr);
        const QModelIndex cell = table->model()->index(0, p.column);
        table->scrollTo(cell);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(cell).center());
        QApplication::clipboard()->setText(p.text);
        rec.Clear();
        Click("frmDatedit", "cmdClipEinfuegen");
        EXPECT_EQ(DataRows(), p.rows) << p.text.toStdString();
        EXPECT_TRUE(rec.Empty()) << rec.Last().title;
    }
}

// "Erste Schritte", road 2: the read-out of the curve stands at the foot of the diagram window, in
// the line below the time axis.
TEST_P(HelpPages, MouseReadOutStandsInTheBottomLineBelowTheTimeAxis) {
    Menu("mnuctGraph");
    ChooseModel(2);
    const char* form = "frmPrepareTimeDiagram";
    Type(Control<QLineEdit>(form, "Inp(0)"), "1");
    Type(Control<QComboBox>(form, "kCombo(1)"), "0.1");
    Type(Control<QComboBox>(form, "kCombo(0)"), "20");
    Click(form, "cmdDrawctDiagram");
    diagram::frmTGraph2D* d = diagram::frmTGraph2D::Geladen();
    ASSERT_NE(d, nullptr);
    platform::Chart2D* c = d->Chart();
    const double yAxis = c->AxisMin(platform::ChartAxis::Y);
    diagramtest::Maus(c, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, diagramtest::PixelVon(c, 10, std::exp(-1.0)));
    const QWidget* surface = c->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).value(0);
    const int timeAxis = surface->mapTo(d, QPoint(0, diagramtest::PixelVon(c, 10, yAxis).y)).y();
    const auto* client = d->findChild<QWidget*>("Client");
    // Number, colour, X and Y: below the axis, down to the foot of the window's client area.
    for (const char* name : {"lblMausPosNr", "lblMausPosCol", "lblMausPosX", "lblMausPosY"}) {
        SCOPED_TRACE(name);
        const auto* label = d->findChild<QLabel*>(name);
        ASSERT_TRUE(label && label->isVisible());
        EXPECT_GT(label->mapTo(d, QPoint(0, 0)).y(), timeAxis);
        EXPECT_GE(label->geometry().bottom(), client->rect().bottom() - 1);
    }
    EXPECT_EQ(AsRendered(d->findChild<QLabel*>("lblMausPosNr")->text()), "K.1");
}

// "Übungen", exercise 12: at N0 = 100 about one game in three ends with a block that closes after
// t(max), so that the last point of A lies beyond the x axis, which ends at 100 %.
TEST_P(HelpPages, AboutOneFirstOrderGameInThreeEndsBeyondTheAxis) {
    struct Reset {
        ~Reset() {
            frmMonteCarlo::SetZufallsSaat(std::nullopt);
            frmMonteCarlo::SetUhr(nullptr);
        }
    } reset;
    Menu("mnuSubMonteCarlo(0)");
    frmMonteCarlo* w = frmMonteCarlo::Geladen();
    ASSERT_NE(w, nullptr);
    w->findChild<QRadioButton*>("optN0(0)")->click();
    frmMonteCarlo::SetZufallsSaat(7u);
    frmMonteCarlo::SetUhr([uhr = 0.0]() mutable { return uhr += 1.0; });
    auto* flash = w->findChild<QCheckBox*>("chkFlashOn");
    if (flash->isChecked()) flash->click();
    platform::Chart2D* c = w->Chart();
    EXPECT_EQ(c->AxisMax(platform::ChartAxis::X), 100);
    constexpr int kGames = 45;
    int beyond = 0;
    for (int game = 0; game < kGames; ++game) {
        w->findChild<QPushButton*>("cmdStart")->click();
        ASSERT_FALSE(w->Laeuft());
        const int last = c->PointCount(1, 3);
        EXPECT_EQ(c->Y(1, 3, last), 0);
        if (c->X(1, 3, last) > 100) ++beyond;
    }
    // One in three of 45 is 15; the bounds lie more than two standard deviations off.
    EXPECT_GE(beyond, 8);
    EXPECT_LE(beyond, 23);
}

INSTANTIATE_TEST_SUITE_P(Locales, HelpPages, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);

}  // namespace
