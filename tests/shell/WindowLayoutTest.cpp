// Every window of the registry, opened in a typical state (a model chosen, results computed where the
// window shows them), then the unit-showing windows in every time unit with a model of each group, the
// fitting window in each mode and the data editor with each set of headings, under both number locales:
// each visible label, button, check box, option, frame title, column caption and tab shows its whole
// text at this platform's fonts, no two visible controls overlap unless stacked on purpose, no control
// that shows text reaches past its container, and no menu bar folds entries into its overflow button.
// A window that opens with its diagram has no button under it. Each offender is named with its window
// and control. With TARVELO_PICTURES set, a picture of every window is kept for a look by eye.
#include <QHeaderView>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <set>
#include <tuple>

#include "design/DiagramMenus.h"
#include "design/frmTGraph2D_Gestaltung.h"
#include "diagram/frmTGraph2D.h"
#include "platform/Chart2D.h"
#include "platform/Twips.h"
#include "tests/simulation/CalcWindowTestSupport.h"
#include "tests/support/MeasuredData.h"
#include "tests/support/PictureDir.h"

using namespace simtest;

namespace {

// Controls that a window stacks on purpose: the pair (either order) may overlap. "?" and "*" stand for
// any character and any characters ("Line?(*)": every element of the arrays Line1 to Line9).
const std::tuple<const char*, const char*, const char*> kStackedOnPurpose[] = {
    {"frmVerweilzeit", "VesselCanvas", "lblMessung(*)"},  // the measuring points stand on the drawing
    {"frmTCmnDlg", "txtOpenFile", "txtDatum"},            // the date box sits on the name box's right end
    // The pipes between the cascade's tanks are drawn over the tanks' picture and meet at their corners.
    {"frmKaskade", "Picture", "Line?(*)"},
    {"frmKaskade", "Line2(*)", "Line3(*)"},
    {"frmKaskade", "Line3(*)", "Line4(*)"},
    {"frmTGraph2D", "StatusBar2", "txtFarbeStatusbar2"},  // the curve's colour on the status bar's first panel
    {"frmTGraph2D", "lblMausPosNr", "lblMausPosCol"},     // the curve's colour in the read-out's identifier
};

bool Matches(const char* pattern, const std::string& name) {
    return QRegularExpression::fromWildcard(QString::fromUtf8(pattern), Qt::CaseSensitive)
        .match(QString::fromStdString(name))
        .hasMatch();
}

bool StackedOnPurpose(const std::string& window, const std::string& a, const std::string& b) {
    for (const auto& [w, first, second] : kStackedOnPurpose)
        if (window == w && ((Matches(first, a) && Matches(second, b)) || (Matches(first, b) && Matches(second, a))))
            return true;
    return false;
}

// A control of the program: named, not one of Qt's own parts.
bool Named(const QWidget* w) {
    const QString name = w->objectName();
    return !name.isEmpty() && !name.startsWith("qt_");
}

std::string Str(const QString& s) { return s.toStdString(); }

class LayoutInspector {
public:
    // Checks the window `root` and its controls under the name `window`.
    void Inspect(const std::string& window, QWidget* root) {
        if (!root || !root->isVisible()) return;
        inspected.insert(window);
        CheckTexts(window, root);
        CheckOverlaps(window, root);
    }

    std::set<std::string> offenders;  // "window: control what"; a window looked at twice names each once
    std::set<std::string> inspected;

private:
    // The window and its widgets, without the windows of an MDI area it holds (checked on their own).
    static QList<QWidget*> Widgets(QWidget* root) {
        QList<QWidget*> all{root};
        for (QWidget* w : root->findChildren<QWidget*>()) {
            bool child = false;
            for (QWidget* p = w; p && p != root; p = p->parentWidget()) child = child || qobject_cast<QMdiSubWindow*>(p);
            if (!child) all.push_back(w);
        }
        return all;
    }
    static bool ShowsText(const QWidget* w) {
        return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
               qobject_cast<const QGroupBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
               qobject_cast<const QComboBox*>(w);
    }
    void Add(const std::string& window, const QWidget* w, const std::string& what) {
        offenders.insert(window + ": " + (Named(w) ? Str(w->objectName()) : w->metaObject()->className()) + " " + what);
    }
    static std::string Needs(const QString& text, int need, int have, const char* dim) {
        return "\"" + Str(text) + "\" needs " + std::to_string(need) + " px " + dim + ", has " +
               std::to_string(have);
    }
    // Width and height of a text as drawn in a rectangle of the given width (words wrapped or not).
    static QSize TextSize(const QFontMetrics& fm, const QString& text, int flags, int width) {
        return fm.boundingRect(QRect(0, 0, std::max(width, 1), 100000), flags, text).size();
    }
    void Fit(const std::string& window, const QWidget* w, const QString& text, const QRect& room, int flags) {
        const QSize need = TextSize(w->fontMetrics(), text, flags, room.width());
        if (need.width() > room.width()) Add(window, w, Needs(text, need.width(), room.width(), "wide"));
        else if (need.height() > room.height()) Add(window, w, Needs(text, need.height(), room.height(), "high"));
    }

    // The text of a line edit and the cursor behind it need the edit's text rectangle (the style's
    // contents less the text margins and the edit's own 2 px a side); wider, the edit scrolls and
    // hides one end.
    void FitLine(const std::string& window, const QWidget* w, const QLineEdit* edit, const QString& text) {
        if (text.isEmpty()) return;
        QStyleOptionFrame opt;
        opt.initFrom(edit);
        opt.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, edit) : 0;
        const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &opt, edit)
                                   .marginsRemoved(edit->textMargins());
        const int need = edit->fontMetrics().horizontalAdvance(text) + 1;
        const int room = contents.width() - 4;
        if (need > room) Add(window, w, Needs(text, need, room, "wide"));
    }

    void CheckTexts(const std::string& window, QWidget* root) {
        for (QWidget* w : Widgets(root)) {
            // A window's menu bar and tool bar count as its controls, named or not.
            const bool bar = qobject_cast<QMenuBar*>(w) || qobject_cast<QToolBar*>(w);
            if (!w->isVisible() || !(Named(w) || bar)) continue;
            QStyle* style = w->style();
            if (auto* label = qobject_cast<QLabel*>(w)) {
                if (label->text().isEmpty() || Qt::mightBeRichText(label->text())) continue;
                // The indent of a framed label without one of its own is half an "x" (as QLabel draws it).
                const int indent = label->indent() >= 0 ? label->indent()
                                   : label->frameWidth() > 0 ? label->fontMetrics().horizontalAdvance('x') / 2 : 0;
                const int margin = label->margin();
                const QRect room = label->contentsRect().adjusted(margin, margin, -margin - indent, -margin);
                const int flags = (label->wordWrap() ? Qt::TextWordWrap : 0) | (label->buddy() ? Qt::TextShowMnemonic : 0);
                Fit(window, w, label->text(), room, flags);
            } else if (auto* button = qobject_cast<QPushButton*>(w)) {
                if (button->text().isEmpty()) continue;
                // The text with the style's button margin, frame and default frame, as the size hint
                // measures it before the style's minimum width.
                QStyleOptionButton opt;
                opt.initFrom(button);
                int need = button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width() +
                           style->pixelMetric(QStyle::PM_ButtonMargin, &opt, button) +
                           2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, button);
                if (button->isDefault() || button->autoDefault())
                    need += 2 * style->pixelMetric(QStyle::PM_ButtonDefaultIndicator, &opt, button);
                if (!button->icon().isNull()) need += button->iconSize().width() + 4;
                if (button->menu()) need += style->pixelMetric(QStyle::PM_MenuButtonIndicator, &opt, button);
                if (need > button->width()) Add(window, w, Needs(button->text(), need, button->width(), "wide"));
                else Fit(window, w, button->text(), button->rect(), Qt::TextShowMnemonic);
            } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
                auto* button = static_cast<QAbstractButton*>(w);
                if (button->text().isEmpty()) continue;
                QStyleOptionButton opt;
                opt.initFrom(button);
                opt.text = button->text();
                const bool check = qobject_cast<QCheckBox*>(w) != nullptr;
                const QRect room = style->subElementRect(check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents,
                                                         &opt, button);
                Fit(window, w, button->text(), room, Qt::TextShowMnemonic);
            } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                if (edit->echoMode() == QLineEdit::Normal) FitLine(window, w, edit, edit->text());
            } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
                // An editable box shows its text in its line edit; a list box each entry when chosen.
                if (QLineEdit* line = combo->lineEdit()) {
                    FitLine(window, w, line, line->text());
                    continue;
                }
                QStyleOptionComboBox opt;
                opt.initFrom(combo);
                const QRect field = style->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo);
                for (int i = 0; i < combo->count(); ++i) {
                    const int need = combo->fontMetrics().horizontalAdvance(combo->itemText(i)) + 2;
                    if (need > field.width()) Add(window, w, Needs(combo->itemText(i), need, field.width(), "wide"));
                }
            } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
                if (frame->title().isEmpty()) continue;
                // The title's rectangle as the style lays it out in a frame too wide to bound it.
                QStyleOptionGroupBox opt;
                opt.initFrom(frame);
                opt.text = frame->title();
                opt.textAlignment = frame->alignment();
                opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
                if (frame->isCheckable()) opt.subControls |= QStyle::SC_GroupBoxCheckBox;
                if (frame->isFlat()) opt.features |= QStyleOptionFrame::Flat;
                // The title keeps the style's margin from the frame's right edge as from its left one.
                const QRect need = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, frame);
                const int room = frame->width() - std::max(need.left(), 0);
                if (need.right() >= room)
                    Add(window, w, "title " + Needs(frame->title(), need.right() + 1, room, "wide"));
            } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
                // Column captions with the style's header margins.
                QHeaderView* header = table->horizontalHeader();
                for (int c = 0; header->isVisible() && c < table->columnCount(); ++c) {
                    const QTableWidgetItem* item = table->horizontalHeaderItem(c);
                    if (!item || header->isSectionHidden(c)) continue;
                    QStyleOptionHeader opt;
                    opt.initFrom(header);
                    opt.text = item->text();
                    const int need = header->style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), header).width();
                    if (need > header->sectionSize(c))
                        Add(window, w, "column " + Needs(item->text(), need, header->sectionSize(c), "wide"));
                }
            } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
                // Tabs that do not fit are scrolled out of sight.
                QTabBar* bar = tabs->tabBar();
                if (!bar->isVisibleTo(tabs)) continue;  // the tabs stand in rows of buttons instead
                int need = 0;
                for (int i = 0; i < bar->count(); ++i)
                    if (bar->isTabVisible(i)) need += bar->tabRect(i).width();
                if (need > bar->width())
                    Add(window, w, "tabs need " + std::to_string(need) + " px, bar has " + std::to_string(bar->width()));
            } else if (bar) {
                // Entries that do not fit go into the bar's overflow button.
                auto* more = w->findChild<QToolButton*>(qobject_cast<QMenuBar*>(w) ? "qt_menubar_ext_button"
                                                                                    : "qt_toolbar_ext_button");
                if (more && more->isVisible())
                    Add(window, w, "folds entries away: needs " + std::to_string(w->sizeHint().width()) +
                                       " px, has " + std::to_string(w->width()));
            }
        }
    }

    // Named controls that overlap: two of one container (the window or a named control), or a text or
    // button of one container and a control of another (the containers themselves may touch). A control
    // that shows text stays inside its container (a drawing surface may not: the window shows the part
    // that fits).
    void CheckOverlaps(const std::string& window, QWidget* root) {
        std::vector<std::pair<QWidget*, QRect>> shown;
        for (QWidget* w : Widgets(root))
            if (w != root && w->isVisible() && Named(w) && !w->isWindow())
                shown.push_back({w, QRect(w->mapTo(root, QPoint(0, 0)), w->size())});
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const auto& [a, ra] = shown[i];
            QWidget* box = a->parentWidget();
            const bool named = box == root || Named(box);  // the children of an unnamed container go unchecked
            const bool textOrButton = ShowsText(a) || qobject_cast<QAbstractButton*>(a);
            const QRect g = a->geometry();
            if (named && ShowsText(a) && !box->rect().contains(g))
                Add(window, a, "reaches past " + Str(box->objectName()) + " (" + std::to_string(g.right() + 1) + "," +
                                   std::to_string(g.bottom() + 1) + " beyond " + std::to_string(box->width()) + "x" +
                                   std::to_string(box->height()) + ")");
            for (std::size_t j = 0; j < shown.size(); ++j) {
                const auto& [b, rb] = shown[j];
                const bool siblings = b->parentWidget() == box;
                if (siblings ? j <= i || !named : !textOrButton || a->isAncestorOf(b) || b->isAncestorOf(a)) continue;
                // Positions in twips round to whole pixels: neighbours may share one pixel row.
                const QRect both = ra.intersected(rb);
                if (both.width() <= 1 || both.height() <= 1) continue;
                if (StackedOnPurpose(window, Str(a->objectName()), Str(b->objectName()))) continue;
                Add(window, a, (siblings ? "overlaps " : "lies under/over ") + Str(b->objectName()) + " (" +
                                   std::to_string(both.width()) + "x" + std::to_string(both.height()) + " px)");
            }
        }
    }
};

class WindowLayoutTest : public testsupport::InBothLocales<TwinWindowTest> {
protected:
    void TearDown() override {
        platform::UseScreenSize(0, 0);
        InBothLocales::TearDown();
    }
    static void UnloadAll() {
        for (const std::string& name : platform::Windows().Names())
            if (name != "frmKinModel") platform::Windows().Unload(name);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    // Checks the window and keeps a picture of it for a look by eye.
    void Look(const char* window, QWidget* form = nullptr) {
        QApplication::processEvents();
        if (!form) form = platform::Windows().Get(window);
        if (!form || !form->isVisible()) return;
        inspector.Inspect(window, form);
        if (qEnvironmentVariableIsEmpty("TARVELO_PICTURES")) return;
        QWidget* frame = form->isWindow() ? form : platform::Windows().Frame(window);
        const QString name = QString::fromStdString(testsupport::NumberLocaleName({GetParam(), 0})) + "_" + window +
                             "_" + QString::number(++pictures) + ".png";
        frame->grab().save(testsupport::PicturePath(name));
    }
    // Clicks the window's buttons and options in turn.
    static void Clicks(const char* form, std::initializer_list<std::string> names) {
        for (const std::string& name : names) ASSERT_NO_FATAL_FAILURE(Click(form, name.c_str()));
    }
    static std::string Indexed(const char* name, int i) { return name + ("(" + std::to_string(i) + ")"); }

    // Every offender once, one a line.
    std::string Report() const {
        std::string report;
        for (const std::string& line : inspector.offenders) report += line + "\n";
        return report;
    }
    // The measured data of n rows, row i filled in by fill.
    static void SetRows(int n, const std::function<void(kernel::ExpPunkt&, int)>& fill) {
        std::vector<kernel::ExpPunkt> rows(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) fill(rows[static_cast<std::size_t>(i)], i);
        testsupport::SetMeasuredData(rows);
    }
    // A first-order run at 300, 320 and 340 K, six rows each (fits every fitting mode).
    static void SetTemperatureRuns() {
        SetRows(18, [](kernel::ExpPunkt& p, int i) {
            p.T = 300 + 20 * (i / 6);
            p.t = 0.1 * (i % 6);
            p.c[1] = p.c[2] = std::exp(-50 * std::exp(-5000 / (8.3145 * p.T)) * p.t);
        });
    }

    LayoutInspector inspector;
    int pictures = 0;
};

TEST_P(WindowLayoutTest, EveryWindowShowsItsTextsWithoutOverlaps) {
    // The main window and the model window with model 2 chosen.
    ASSERT_NO_FATAL_FAILURE(Choose(2));
    Look("MDITAR", main.get());
    Look("frmKinModel");

    // The time simulation with its diagram and value table.
    ASSERT_NO_FATAL_FAILURE(Menu("mnuctGraph"));
    const char* sim = "frmPrepareTimeDiagram";
    Type(Control<QLineEdit>(sim, "Inp(0)"), "1");
    Type(Control<QComboBox>(sim, "kCombo(1)"), "0.1");
    Type(Control<QComboBox>(sim, "kCombo(0)"), "30");
    ASSERT_NO_FATAL_FAILURE(Click(sim, "cmdDrawctDiagram"));
    Look(sim);
    Look("frmTGraph2D");
    QTimer::singleShot(0, [this] {
        Look("frmSimTabelle");
        if (auto* close = Control<QPushButton>("frmSimTabelle", "cmdCloseSimTab")) close->click();
    });
    ASSERT_NO_FATAL_FAILURE(Click(sim, "cmdListe"));
    // The design dialog with each of its six panels, and the diagram tools, on the drawn diagram.
    platform::Windows().Show("frmTGraph2D_Gestaltung");
    auto* dialog = design::frmTGraph2D_Gestaltung::Geladen();
    ASSERT_NE(dialog, nullptr);
    for (int panel = 1; panel <= 6; ++panel) {
        dialog->FormGST_Show(panel);
        Look("frmTGraph2D_Gestaltung");
    }
    design::mnuBild_Click(*diagram::frmTGraph2D::Geladen(), 2);  // the picture-file panel with its hint
    Look("frmTGraph2D_Gestaltung");
    for (const char* tool : {"frmTGraphCalc", "frmCalcTangente"}) {
        platform::Windows().Show(tool);
        Look(tool);
        platform::Windows().Unload(tool);
    }
    UnloadAll();

    // The reactors, each with a result, and the protocol.
    const std::pair<const simtest::Reactor&, simtest::Inputs> reactors[] = {
        {simtest::kBatchR, {{0, "2"}, {10, "0.1"}, {14, "5"}}},
        {simtest::kTubeR, {{0, "1.5"}, {10, "0.25"}, {14, "2"}, {16, "3"}}},
        {simtest::kTankR, {{0, "1"}, {10, "0.2"}, {14, "1"}, {16, "5"}}},
        {simtest::kCascadeR, {{0, "1"}, {10, "0.2"}, {14, "1"}, {16, "15"}}},
    };
    for (const auto& [r, inputs] : reactors) {
        ASSERT_NO_FATAL_FAILURE(Open(r, 2));
        Enter(inputs);
        ASSERT_NO_FATAL_FAILURE(Click(r.form, r.calc));
        Look(r.form);
        if (std::strcmp(r.form, "frmBatch") == 0) {
            ASSERT_NO_FATAL_FAILURE(Click(r.form, "cmdProtocol"));
            Look("frmProtokoll");
        }
        UnloadAll();
    }

    // A data evaluation with its regression line, the data editor and the fitting window on the data.
    SetRows(8, [](kernel::ExpPunkt& p, int i) {
        p.t = 5.0 * i;
        p.c[1] = std::exp(-0.1 * p.t);
        p.c[4] = 1 - p.c[1];
    });
    ASSERT_NO_FATAL_FAILURE(Menu("mnuctAusw(1)"));
    Look("frmTGraph2D");
    UnloadAll();
    // The Eyring plot of rate constants, whose result text is longer than the window is wide.
    SetRows(6, [](kernel::ExpPunkt& p, int i) {
        p.T = 300 + 10 * i;
        p.k = 1e10 * std::exp(-6000 / p.T);
    });
    ASSERT_NO_FATAL_FAILURE(Menu("mnukT(2)"));
    Look("frmTGraph2D");
    UnloadAll();
    ASSERT_NO_FATAL_FAILURE(Choose(2));
    SetTemperatureRuns();
    ASSERT_NO_FATAL_FAILURE(Menu("mnuctFitting"));
    Look("frmTFitting");
    // The automatic panel after a fit, with the parameters' standard deviations.
    ASSERT_NO_FATAL_FAILURE(Clicks("frmTFitting", {"optManuAuto(1)", "cmdAutoFitting"}));
    Look("frmTFitting");
    UnloadAll();
    // The blood-alcohol window with its diagram: the captions of the chosen options turn bold.
    ASSERT_NO_FATAL_FAILURE(Menu("Blutalkohol"));
    ASSERT_NO_FATAL_FAILURE(Clicks("frmBlutalkohol",
                                   {"optrWert(1)", "optBAKUnit(1)", "cmdDiagramm", "chkDelDiagram", "optBAKModel(2)"}));
    Look("frmBlutalkohol");
    Look("frmTGraph2D");
    UnloadAll();
    // Both Monte-Carlo games, each with every bold N0 option.
    for (const char* game : {"mnuSubMonteCarlo(0)", "mnuSubMonteCarlo(1)"}) {
        ASSERT_NO_FATAL_FAILURE(Menu(game));
        for (int i : {0, 5, 2}) {
            ASSERT_NO_FATAL_FAILURE(Clicks("frmMonteCarlo", {Indexed("optN0", i)}));
            Look("frmMonteCarlo");
        }
        UnloadAll();
    }

    // Every other window of the registry as it opens.
    for (const std::string& name : platform::Windows().Names()) {
        if (inspector.inspected.count(name)) continue;
        QWidget* w = platform::Windows().Load(name);
        ASSERT_NE(w, nullptr) << name;
        platform::Windows().Frame(name)->show();
        w->show();
        Look(name.c_str());
        UnloadAll();
    }

    // Only the invisible phantom window is never seen.
    for (const std::string& name : platform::Windows().Names())
        EXPECT_TRUE(inspector.inspected.count(name) || name == "frmPhantomT") << name << " was not inspected";

    EXPECT_EQ(Report(), "") << "texts cut or controls overlapping";
}

// The windows that show time units and rate-constant units, in every time unit with a model of each
// group, the fitting window in each of its modes and temperature functions, and the data editor.
TEST_P(WindowLayoutTest, EveryTimeUnitAndModelGroupShowsItsTextsWhole) {
    // A + B, consecutive, reversible, enzyme, first order: each window opens on a model change.
    const int models[] = {4, 6, 8, 10, 2};
    const std::pair<const char*, const char*> windows[] = {
        {"mnuctGraph", "frmPrepareTimeDiagram"}, {"mnuBatchR", "frmBatch"},   {"mnuRohrR", "frmRohrreaktor"},
        {"mnuKontRK", "frmRKconti"},             {"mnuKaskade", "frmKaskade"}};
    SetTemperatureRuns();
    kernel::tauMittel = 3.703704e7;  // the time per tank of the three-tank cascade with an exponent
    for (int unit = 0; unit <= 4; ++unit) {
        ASSERT_NO_FATAL_FAILURE(Choose(2));
        ASSERT_NO_FATAL_FAILURE(Clicks("frmKinModel", {Indexed("optZeit", unit)}));
        Look("frmKinModel");
        for (const auto& [entry, window] : windows) {
            ASSERT_NO_FATAL_FAILURE(Menu(entry));
            for (int model : models) {
                ASSERT_NO_FATAL_FAILURE(Choose(model));
                Look(window);
            }
            UnloadAll();
        }
        for (int model : models) {
            ASSERT_NO_FATAL_FAILURE(Choose(model));
            ASSERT_NO_FATAL_FAILURE(Menu("mnuctFitting"));
            Look("frmTFitting");
        }
        UnloadAll();
        for (const char* entry : {"mnuNonIsothermFitting(1)", "mnuNonIsothermFitting(2)"}) {
            ASSERT_NO_FATAL_FAILURE(Menu(entry));
            for (const char* function : {"optkTFunktion(1)", "optkTFunktion(2)"}) {
                ASSERT_NO_FATAL_FAILURE(Click("frmTFitting", function));
                Look("frmTFitting");
            }
            UnloadAll();
        }
    }
    // The data editor, kept open while the unit changes: the headings of every model but the enzyme,
    // then the enzyme's in its r(P)-c(S) and its c-t mode.
    platform::Windows().Show("frmDatedit");
    for (const char* mode : {"", "optMichMent(0)", "optMichMent(1)"}) {
        ASSERT_NO_FATAL_FAILURE(Choose(*mode ? 10 : 2));
        if (*mode) {
            ASSERT_NO_FATAL_FAILURE(Click("frmKinModel", mode));
        }
        for (int unit = 0; unit <= 4; ++unit) {
            ASSERT_NO_FATAL_FAILURE(Clicks("frmKinModel", {Indexed("optZeit", unit)}));
            Look("frmDatedit");
        }
    }
    // Applied in seconds (no question on the time range), with its hint on the evaluation.
    ASSERT_NO_FATAL_FAILURE(Click("frmKinModel", "optZeit(0)"));
    ASSERT_NO_FATAL_FAILURE(Click("frmDatedit", "cmdApply"));
    Look("frmDatedit");
    EXPECT_EQ(Report(), "") << "texts cut or controls overlapping";
}

// A window that opens with its diagram, on small and large screens: the diagram at its opening place
// covers no button of the window, the window none of the diagram, and both show their texts whole,
// the diagram's mouse read-out of a curve point too; the picture-file panel chosen first from the
// diagram's menu shows its hint and format entries whole.
TEST_P(WindowLayoutTest, WindowsOpenedTogetherLeaveEachOthersControlsFree) {
    std::string report;
    // Screen sizes; the windows opened with their diagrams beside the time simulation on the first and last.
    const std::tuple<int, int, bool> screens[] = {{800, 800, true}, {1366, 768, false}, {1920, 1080, true}};
    for (const auto& [width, height, partners] : screens) {
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        platform::UseScreenSize(width, height);
        main.reset();
        main = std::make_unique<MDITAR>("");
        main->setWindowState(Qt::WindowNoState);
        main->setGeometry(0, 0, width, height);
        main->show();
        QApplication::processEvents();
        // A desktop maximizing the shown frame takes a few pixels for its borders: the model window,
        // placed at the right screen edge, moves back wholly inside.
        main->resize(width - 4, height - 4);
        QApplication::processEvents();
        QWidget* model = platform::Windows().Frame("frmKinModel");
        if (!model || !main->MdiArea()->viewport()->rect().contains(model->geometry()))
            report += size + ": model window not wholly inside the main window\n";
        // A window the user has moved partly out stays where it is when the frame shrinks.
        if (model) {
            const QPoint inside = model->pos();
            const QPoint out(main->MdiArea()->viewport()->width() - model->width() / 2, model->y());
            model->move(out);
            main->resize(width - 8, height - 8);
            QApplication::processEvents();
            if (model->pos() != out) report += size + ": a window moved partly out was pulled back in\n";
            main->resize(width - 4, height - 4);
            model->move(inside);
            QApplication::processEvents();
        }
        // Each button of `window` that the frame of `other` covers, when `other` lies above it.
        auto uncovered = [&](const char* window, const char* other) {
            QWidget* form = platform::Windows().Get(window);
            QWidget* cover = platform::Windows().Frame(other);
            if (!form || !cover || !form->isVisible() || !cover->isVisible()) {
                report += size + ": " + window + " or " + other + " not shown\n";
                return;
            }
            const QList<QMdiSubWindow*> order = main->findChild<QMdiArea*>()->subWindowList(QMdiArea::StackingOrder);
            if (order.indexOf(qobject_cast<QMdiSubWindow*>(cover)) < order.indexOf(qobject_cast<QMdiSubWindow*>(
                                                                        platform::Windows().Frame(window))))
                return;
            const QRect covered(cover->mapTo(main.get(), QPoint(0, 0)), cover->size());
            for (QWidget* c : form->findChildren<QWidget*>()) {
                if (!qobject_cast<QPushButton*>(c) || !c->isVisible() || !Named(c)) continue;
                if (covered.intersects(QRect(c->mapTo(main.get(), QPoint(0, 0)), c->size())))
                    report += size + ": " + window + "." + Str(c->objectName()) + " under " + other + "\n";
            }
        };
        auto together = [&](const char* window) {
            QTest::qWait(20);  // the main window keeps new windows in its view
            if (!qEnvironmentVariableIsEmpty("TARVELO_PICTURES"))
                main->grab().save(testsupport::PicturePath(QString::fromStdString(size) + "_" + window + ".png"));
            uncovered(window, "frmTGraph2D");
            uncovered("frmTGraph2D", window);
            // The diagram's menu entries keep their order over the rows of its menu bar.
            const QStringList order = {"&Einfügen...", "&Löschen...",        "  &Bild ...",
                                       "&Gestalten...", "&Koordinatenbereich", "&Hauptmenü"};
            auto* bar = platform::Windows().Get("frmTGraph2D")->findChild<QMenuBar*>("MenuBar");
            QList<QMenuBar*> rows = bar->findChildren<QMenuBar*>();
            rows.prepend(bar);
            QStringList shown;
            for (QMenuBar* row : rows)
                for (QAction* a : row->actions()) shown += a->text();
            if (!std::is_sorted(shown.begin(), shown.end(), [&](const QString& a, const QString& b) {
                    return order.indexOf(a) < order.indexOf(b);
                }))
                report += size + ": diagram menu " + Str(shown.join(" ")) + "\n";
            // Both at the size the screen gives them show their texts whole.
            inspector.Inspect(window, platform::Windows().Get(window));
            inspector.Inspect("frmTGraph2D", platform::Windows().Get("frmTGraph2D"));
            UnloadAll();
        };
        ASSERT_NO_FATAL_FAILURE(Choose(2));
        ASSERT_NO_FATAL_FAILURE(Menu("mnuctGraph"));
        ASSERT_NO_FATAL_FAILURE(Click("frmPrepareTimeDiagram", "cmdDrawctDiagram"));
        // The mouse read-out of a curve point, both its values, at the diagram's opening size.
        auto* diagram = diagram::frmTGraph2D::Geladen();
        platform::Chart2D* chart = diagram->Chart();
        double px = 0, py = 0;
        ASSERT_TRUE(chart->DataToPixel(chart->X(1, 1, 20), chart->Y(1, 1, 20), px, py));
        diagram->Chart2D1_MouseMove(0, 0, static_cast<float>(platform::PixelsToTwips(static_cast<int>(std::lround(px)))),
                                    static_cast<float>(platform::PixelsToTwips(static_cast<int>(std::lround(py)))));
        if (!diagram->findChild<QLabel*>("lblMausPosY")->text().startsWith(" Y = "))
            report += size + ": no read-out of a curve point\n";
        // The picture-file panel as the first panel of the design dialog, chosen from the diagram's menu.
        auto* pictureFile = diagram->findChild<QAction*>("mnuBild(2)");
        ASSERT_NE(pictureFile, nullptr);
        pictureFile->trigger();
        QApplication::processEvents();
        inspector.Inspect("frmTGraph2D_Gestaltung", platform::Windows().Get("frmTGraph2D_Gestaltung"));
        if (!qEnvironmentVariableIsEmpty("TARVELO_PICTURES"))
            platform::Windows().Get("frmTGraph2D_Gestaltung")->grab().save(
                testsupport::PicturePath(QString::fromStdString(size) + "_frmTGraph2D_Gestaltung.png"));
        together("frmPrepareTimeDiagram");
        if (!partners) continue;
        ASSERT_NO_FATAL_FAILURE(Menu("Blutalkohol"));
        ASSERT_NO_FATAL_FAILURE(Click("frmBlutalkohol", "cmdDiagramm"));
        together("frmBlutalkohol");
        SetTemperatureRuns();
        ASSERT_NO_FATAL_FAILURE(Menu("mnuctFitting"));
        together("frmTFitting");
    }
    EXPECT_EQ(report + Report(), "");
}

INSTANTIATE_TEST_SUITE_P(Locales, WindowLayoutTest, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);

}  // namespace
