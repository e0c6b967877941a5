#include "shell/EvaluationMenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "diagram/Grafik.h"
#include "experiment/frmTFitting.h"
#include "kernel/Conductivity.h"
#include "kernel/DataSet.h"
#include "kernel/State.h"
#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"
#include "shell/WindowMenus.h"

using namespace kernel;

namespace shell {
namespace {

QPointer<QMainWindow> mainWindow;

const char* const kNotPossible = " Ausführung nicht möglich ";
const char* const kOffer = "jetzt zum Dateneditor?";
const char* const kCompleteData = "Ergänzen Sie die Daten im Dateneditor";
const char* const kLiftDeactivation = "bzw. heben Sie Deaktivierungen von Datenpunkten auf.";
constexpr int kStopYesNo = platform::MsgCritical + platform::MsgYesNo;  // style 20
constexpr float kMinC0 = 1e-8f;
constexpr int kEnzymModel = 10;

platform::WindowRegistry& Windows() { return platform::Windows(); }

void Close(std::initializer_list<const char*> names) {
    for (const char* name : names) Windows().Unload(name);
}

void Stop(const std::string& text, const std::string& title = kNotPossible) {
    platform::MsgBox(text, platform::MsgCritical, title);
}

// The data-editor offer: Yes shows the data editor.
void OfferDataEditor(const std::string& text, const std::string& title = kNotPossible) {
    if (platform::MsgBox(text, kStopYesNo, title) == platform::AnswerYes) Windows().Show("frmDatedit");
}

// "<first>" ¶ "<complete>" ¶ [deactivation line ¶] ¶ ¶ "jetzt zum Dateneditor?"
std::string OfferText(const std::string& first, const std::string& deactivation = kLiftDeactivation) {
    std::string t = first + CrLf + kCompleteData + CrLf;
    if (nInaktiv > 0) t += deactivation + CrLf;
    return t + CrLf + CrLf + kOffer;
}

// ScanExpDataRange for the current code, then GrafZentrale.
void DiagramHandOver(bool scan = true) {
    if (scan) ScanExpDataRange(aktDiagrammCode, MitPunkten);
    diagram::GrafZentrale(aktDiagrammCode, DiagRec, ZeichnenOffen, AchsenGrenzen, nZeitPunkte, MitPunkten);
}

// A fitting entry that refuses leaves an open fitting window in the mode it was loaded for.
void KeepOpenFitMode() {
    if (const frmTFitting* open = frmTFitting::Geladen()) DiagVariante = open->LadeModus();
}

// The hand-over of the three fitting entries. entrySteps runs before the fitting window is shown;
// false ends the handler there.
void FittingHandOver(const std::function<bool()>& entrySteps) {
    Close({"frmTGraph2D"});
    aktDiagrammCode = -9;
    MitPunkten = kTrue;
    Close({"frmPrepareTimeDiagram", "frmBatch", "frmRohrreaktor", "frmRKconti", "frmKaskade"});
    if (!entrySteps()) return;
    // A window left open from another fit mode holds that mode's parameters: it starts afresh.
    if (frmTFitting* open = frmTFitting::Geladen(); open && open->LadeModus() != DiagVariante) Close({"frmTFitting"});
    Windows().Show("frmTFitting");
    // The model window is opened afresh for the model of the fit; its model choice puts the model's
    // start values into c0 slots that are 0, but an initial concentration of 0 in the data is the data's.
    Windows().Unload("frmKinModel");
    Windows().Show("frmKinModel");
    if (frmTFitting* fit = frmTFitting::Geladen()) fit->TakeDataC0();
    if (Windows().IsLoaded("frmTFitting")) Windows().Show("frmTFitting");
    DiagramHandOver();
    if (aktDiagrammCode == -9) {
        aktDiagrammCode = aktModell;
        if (Windows().IsLoaded("frmTFitting")) platform::Forms().Click("frmTFitting", "cmdDrawNewCurve", -1);
        if (Windows().IsLoaded("frmTFitting")) Windows().Show("frmTFitting");
    }
}

QAction* Entry(const QString& name) { return mainWindow ? mainWindow->findChild<QAction*>(name) : nullptr; }

QAction* AddEntry(QMenu* menu, const QString& name, const QString& caption) {
    if (QAction* e = Entry(name)) return e;
    QAction* e = menu->addAction(caption);
    e->setObjectName(name);
    return e;
}

// A submenu: its entry carries the name (the model window shows and hides it by that name).
QMenu* AddSubmenu(QMenu* parent, const QString& name, const QString& caption) {
    if (QAction* e = Entry(name); e && e->menu()) return e->menu();
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(name + "_Menue");
    menu->menuAction()->setObjectName(name);
    return menu;
}

void AddSeparator(QMenu* menu, const char* name) {
    if (!mainWindow->findChild<QAction*>(name)) menu->addSeparator()->setObjectName(name);
}

template <typename Handler>
QAction* Connect(QAction* entry, const char* target, Handler handler) {
    if (target) SetEntryTargets(entry, {QString::fromLatin1(target)});
    QObject::connect(entry, &QAction::triggered, entry, [handler] { handler(); });
    return entry;
}

QString Indexed(const char* name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

}  // namespace

void BuildEvaluationMenus(QMainWindow* main) {
    mainWindow = main;
    QMenu* menu = main->findChild<QMenu*>("mnuAuswertung");
    if (!menu) {
        menu = main->menuBar()->addMenu("&Versuchsauswertung / Fitting");
        menu->setObjectName("mnuAuswertung");
        menu->menuAction()->setObjectName("mnuAuswertung");
    }
    QObject::connect(menu, &QMenu::aboutToShow, menu, [] { mnuAuswertung_Click(); });

    QMenu* ct = AddSubmenu(menu, "mnuExpctAuswertung", "c-t-Daten              (isotherm)");
    QObject::connect(ct, &QMenu::aboutToShow, ct, [] { mnuExpctAuswertung_Click(); });
    const char* const ctCaptions[] = {
        "klassisches k-Fitting an Geradengleichung für  1. Ord.  A => P",
        "klassisches k-Fitting an Geradengleichung für  2. Ord.  2 A => P",
        "klassisches k-Fitting an Geradengleichung für  2. Ord.  A + B => P ",
        "klassisches k-Fitting an Geradengleichung für  WILKINSON"};
    for (int i = 1; i <= 4; ++i) {
        QAction* e = AddEntry(ct, Indexed("mnuctAusw", i), QString::fromUtf8(ctCaptions[i - 1]));
        Connect(e, i < 4 ? "frmTGraph2D" : nullptr, [i] { mnuctAusw_Click(i); });
    }
    // Wilkinson is not offered.
    Entry(Indexed("mnuctAusw", 4))->setVisible(false);
    Entry(Indexed("mnuctAusw", 4))->setEnabled(false);
    AddSeparator(ct, "sep14");
    Connect(AddEntry(ct, "mnuctFitting",
                     QString::fromUtf8("k-Fitting  entspr. gewähltem Modell              (nichtlineares Fitting  "
                                       "Marquardt / Nash)")),
            "frmTFitting", mnuctFitting_Click);
    AddSeparator(ct, "sep5");
    Connect(AddEntry(ct, "mnuROFitting",
                     QString::fromUtf8("Reaktionsordnung UND k-Fitting für A => P   (nichtlineares Fitting Marquardt / "
                                       "Nash)")),
            "frmTFitting", mnuROFitting_Click);
    AddSeparator(menu, "sep15");

    QMenu* ctT = AddSubmenu(menu, "mnuExpctT", "c-t-T-Daten          (nicht-isotherm) ");
    Connect(AddEntry(ctT, Indexed("mnuNonIsothermFitting", 1), "Fitting 1. Ordnung    A => P, an  c(A)-t-T-Daten"),
            "frmTFitting", [] { mnuNonIsothermFitting_Click(1); });
    Connect(AddEntry(ctT, Indexed("mnuNonIsothermFitting", 2), "Fitting 2. Ordnung  2A => P, an  c(A)-t-T-Daten"),
            "frmTFitting", [] { mnuNonIsothermFitting_Click(2); });
    AddSeparator(menu, "sep4");

    QMenu* lambda = AddSubmenu(menu, "mnuSubLambdatGrafisch", "lambda-t-Daten  (isotherm)");
    const char* const lambdaCaptions[] = {"... für 1. Ordnung  A => P", "... für 2. Ordnung  2 A => P",
                                          "... für 2. Ordnung  A + B => P "};
    for (int i = 1; i <= 3; ++i)
        Connect(AddEntry(lambda, Indexed("mnuLambdaAusw", i), QString::fromUtf8(lambdaCaptions[i - 1])), "frmTGraph2D",
                [i] { mnuLambdaAusw_Click(i); });
    AddSeparator(menu, "sep11");

    QMenu* kT = AddSubmenu(menu, "mnuExpkTAuswertung", "k-T-Daten (Geradenausgleich ln(k) vs. 1/T)");
    Connect(AddEntry(kT, Indexed("mnukT", 1), "nach ARRHENIUS-Gleichung"), "frmTGraph2D", [] { mnukT_Click(1); });
    Connect(AddEntry(kT, Indexed("mnukT", 2), "nach EYRING-Gleichung"), "frmTGraph2D", [] { mnukT_Click(2); });
    AddSeparator(menu, "sep12");

    QMenu* spline = AddSubmenu(menu, "mnuCalcTangente",
                               "Reaktionsgeschw. aus c-t-Messpunkten (Spline-Einzelpunkt-Berechnung)");
    QObject::connect(spline, &QMenu::aboutToShow, spline, [] { mnuCalcTangente_Click(); });
    const char* const species[] = {"A", "B", "C", "P", "Q"};
    for (int i = 1; i <= 5; ++i) {
        QAction* e = AddEntry(spline, Indexed("mnuSubTangente", i),
                              QStringLiteral("aus Messpunkten c(%1) - t").arg(QLatin1String(species[i - 1])));
        Connect(e, nullptr, [i] { mnuSubTangente_Click(i); });
    }
    AddSeparator(menu, "sep13");

    QMenu* mm = AddSubmenu(menu, "mnuMichMent", "r(P)-c(S)-Daten (Michaelis-Menten-Auswertung)");
    const char* const mmCaptions[] = {"Auswertung nach Lineweaver/Burk", "Auswertung nach Hanes/Woolf",
                                      "Auswertung nach Eadie/Hofstee"};
    for (int i = 0; i <= 2; ++i)
        Connect(AddEntry(mm, Indexed("mnuSubMichMent", i), mmCaptions[i]), "frmTGraph2D",
                [i] { mnuSubMichMent_Click(i); });

    for (QMenu* m : {menu, ct, ctT, lambda, kT, spline, mm})
        QObject::connect(m, &QMenu::aboutToShow, m, [m] { UpdateWindowEntries(m); });
    mnuCalcTangente_Click();
}

// ---- Handlers ----------------------------------------------------------------------------------

void mnuAuswertung_Click() {
    if (nMesspunkte == 0) {
        const int answer = platform::MsgBox("Keine experimentellen Daten vorhanden" + CrLf +
                                                "Geben Sie Daten im Dateneditor ein (=> Neueingabe)." + CrLf +
                                                "(Dateneingabe mit OK abschließen!)" + CrLf + CrLf +
                                                "zur Dateneingabe NEU?",
                                            kStopYesNo, kNotPossible);
        if (answer == platform::AnswerYes) {
            mnuNeudat_Click();
            return;
        }
        Close({"frmDatedit"});
    }
    if (Windows().IsLoaded("frmDatedit"))
        Stop("vor der Auswertung ist der Editor" + CrLf + "für experimentelle Daten zu schließen!");
}

void mnuExpctAuswertung_Click() { LambdaModus = kFalse; }

void mnuctAusw_Click(int Index) {
    Close({"frmBlutalkohol"});
    DiagVariante = 0;
    const int n = Index == 4 ? 4 : 2;
    if (nctPunkte - nInaktiv < n) {
        OfferDataEditor(OfferText("Es müssen mindestens " + std::to_string(n) +
                                  " (aktive) exper. c-t-Datensätze vorhanden sein!"));
        return;
    }
    ABGleich = kFalse;
    if ((Index == 2 || Index == 4) && c0Mess[1] < kMinC0) {
        Stop("Keine Anfangskonzentration c(A,0) gefunden");
        return;
    }
    if (Index == 3) {
        if (c0Mess[1] < kMinC0 || c0Mess[2] < kMinC0) {
            Stop("Es werden beide Anfangskonzentrationen c(A,0) und c(B,0) benötigt.");
            return;
        }
        ABGleich = c0Mess[1] == c0Mess[2] ? kTrue : kFalse;
    }
    Close({"frmTGraph2D"});
    switch (Index) {
    case 1: aktModell = 2; aktDiagrammCode = -5; break;
    case 2: aktModell = 3; aktDiagrammCode = -6; break;
    case 3: aktModell = 4; aktDiagrammCode = ABGleich ? -6 : -8; break;
    case 4: aktDiagrammCode = -7; break;
    default: return;
    }
    DiagramHandOver();
}

void mnuLambdaAusw_Click(int Index) {
    Close({"frmBlutalkohol"});
    AnalyseExpData();
    DiagVariante = 0;
    if (!LambdaMoeglich) {
        OfferDataEditor(OfferText(LambdaSumme == 0 ? "keine lambda-Daten gefunden!"
                                                   : "zuwenig (aktive) experimentelle lambda-Daten!"));
        return;
    }
    if (Index < 1 || Index > 3) return;
    if (nMesspunkte < 2) {
        Stop("keine (oder zuwenig) experimentelle lambda-t-Daten" + CrLf +
             "Geben Sie Daten im Dateneditor ein (=> Neueingabe).");
        return;
    }
    if (Index == 1) {
        aktModell = 2;
        ABGleich = kFalse;
    } else if (Index == 2) {
        if (c0Mess[1] == 0) {
            Stop("Für eine lambda-Auswertung nach 2. Ordnung muss" + CrLf +
                 "eine Anfangskonzentration für A gegegeben sein." + CrLf + CrLf +
                 "Hinweis: Die Anfangskonzentration kann auch als p(A,0)/kPa gegeben sein;" + CrLf +
                 "die Geschwindigkeitskonstante erhält dann die Einheit [k] = 1/( kPa s).");
            return;
        }
        aktModell = 3;
    } else {
        if (c0Mess[1] == 0 || c0Mess[2] == 0) {
            Stop("Für eine lambda-Auswertung müssen in diesem Fall" + CrLf +
                 "die Anfangskonzentrationen c(A,0) und c(B,0) gegegeben sein.");
            return;
        }
        ABGleich = c0Mess[1] == c0Mess[2] ? kTrue : kFalse;
        if (!ABGleich) {
            Stop("Im Augenblick wird nur die Variante c(A,0) = c(B,0) unterstützt.");
            return;
        }
        aktModell = 4;
    }
    if (lambdaInf < 1e-8) {
        Stop("Keinen Wert lambda(t = infin) gefunden");
        return;
    }
    if (lambdaNull == 0) {
        const std::string first = "Es wurde kein Anfangswert lambda(0) (lambda bei t = 0) gefunden." + CrLf +
                                  "Die Auswertung wird daher ohne diesen Wert mittels" + CrLf;
        if (Index == 1) {
            platform::MsgBox(first + "des Ausdrucks ln(lamba(infin.) - lambda) vorgenommen." + CrLf +
                                 "Das  durch Extrapolation ermittelte lambda(0) wird angegeben." + CrLf +
                                 "Die Anfangskonzentration c(A,0) wird in diesem Fall auch nicht benötigt.",
                             platform::MsgExclamation, "Hinweis zur Auswertung der lambda-Werte, 1. Ordnung");
        } else {
            platform::MsgBox(first + "des Ausdrucks (lamba(inf)/(lambda(inf) - lambda)) vorgenommen." + CrLf + CrLf +
                                 "Beachten Sie aber:" + CrLf +
                                 "Auch in diesem Fall wird die Anfangskonzentration c(A,0) benötigt.",
                             platform::MsgExclamation, "Hinweis zur Auswertung der lambda-Werte, 2. Ordnung");
        }
    }
    // An open diagram would only be shown again by the set-up, with the old plot and result.
    Close({"frmTGraph2D"});
    LambdaModus = kTrue;
    if (Index == 1) {
        aktDiagrammCode = -10;
        LambdaEvalFirstOrder();
    } else {
        aktDiagrammCode = -11;
        LambdaEvalSecondOrder();
    }
    DiagramHandOver(false);
}

void mnukT_Click(int Index) {
    Close({"frmBlutalkohol"});
    if (nkTPunkte < 2) {
        OfferDataEditor(OfferText("Es sind mindestens zwei (aktive) unterschiedliche k-T-Punkte nötig!"));
        return;
    }
    // Distinct k-T pairs, counted on a copy; a repeated row counts only when it is a k-T row itself.
    const int n = std::min(nMesspunkte, static_cast<int>(ExpDaten.size()) - 1);
    std::vector<ExpPunkt> rows(ExpDaten.begin(), ExpDaten.begin() + std::max(n + 1, 1));
    int count = 0;
    for (int i = 1; i <= n; ++i)
        if (rows[static_cast<std::size_t>(i)].k > 0 && rows[static_cast<std::size_t>(i)].T > 0) ++count;
    int repeated = 0;
    for (int i = 1; i < n; ++i) {
        for (int j = i + 1; j <= n; ++j) {
            ExpPunkt& a = rows[static_cast<std::size_t>(i)];
            ExpPunkt& b = rows[static_cast<std::size_t>(j)];
            if (static_cast<float>(b.T) > 0 && b.k > 0 && a.k == b.k && a.T == b.T) {
                b.k = 0;
                b.T = 0;
                ++repeated;
            }
        }
    }
    if (count - repeated < 2) {
        OfferDataEditor("Es sind mindestens zwei unterschiedliche Paare k - T nötig!" + CrLf + CrLf + kOffer);
        return;
    }
    Close({"frmTGraph2D"});
    aktDiagrammCode = Index == 2 ? -4 : -3;
    DiagramHandOver();
}

void mnuSubMichMent_Click(int Index) {
    Close({"frmBlutalkohol"});
    if (aktModell != kEnzymModel || !EnzymRcsModus) {
        platform::MsgBox("Diese Auswertungsmethode ist nur sinnvoll, wenn das kinetische Modell" + CrLf +
                             "\"Enzymreaktion\" mit der Option \"r(P)-c(S)-Auswertung\" eingestellt ist." + CrLf +
                             CrLf + "Stellen Sie sicher, dass r(P)-c(S)-Daten geladen sind.",
                         platform::MsgExclamation, "Warnung");
        return;
    }
    if (nAnull - nInaktiv < 2) {
        OfferDataEditor(OfferText("Es sind mindestens zwei (aktive) r(P)-c(S)-Wertepaare nötig!",
                                  "bzw. heben Sie Deaktivierungen von Datensätzen auf."),
                        "");
        return;
    }
    Close({"frmTGraph2D"});
    aktModell = kEnzymModel;
    aktDiagrammCode = Index == 1 ? -13 : (Index == 2 ? -14 : -12);
    DiagramHandOver();
}

void mnuctFitting_Click() {
    Close({"frmBlutalkohol"});
    DiagVariante = 1;
    AnalyseExpData();
    if (aktModell == kEnzymModel && EnzymRcsModus) {
        platform::MsgBox("Diese Auswertungsmethode ist nur sinnvoll, wenn für das kinetische Modell" + CrLf +
                             "\"Enzymreaktion\" Konzentrations-Zeit-Daten zur Verfügung gestellt werden." + CrLf +
                             "(Option \"c-t-Auswertung\")." + CrLf + CrLf +
                             "Stellen Sie sicher, dass c-t-Daten geladen sind.",
                         platform::MsgExclamation, "Warnung");
        KeepOpenFitMode();
        return;
    }
    if (nctPunkte < 2) {
        KeepOpenFitMode();
        OfferDataEditor("zuwenig experimentelle c-t-Daten!" + CrLf + "Ergänzen Sie die Daten im Dateneditor." + CrLf +
                        CrLf + kOffer);
        return;
    }
    FittingHandOver([] {
        Close({"frmTFitting"});  // the window starts afresh
        return true;
    });
}

void mnuROFitting_Click() {
    Close({"frmBlutalkohol"});
    DiagVariante = 2;
    if (nctPunkte < 2) {
        KeepOpenFitMode();
        OfferDataEditor("zuwenig experimentelle Daten!" + CrLf + "Ergänzen Sie die Daten im Dateneditor." + CrLf +
                        CrLf + kOffer);
        return;
    }
    if (c0Mess[1] < kMinC0) {
        KeepOpenFitMode();
        Stop("keine Anfangskonzentration c(A,0) gefunden", "");
        return;
    }
    // The fitting window sets itself up for the current model: the n-th order one.
    FittingHandOver([] {
        aktModell = 20;
        return true;
    });
}

void mnuNonIsothermFitting_Click(int Index) {
    Close({"frmBlutalkohol"});
    DiagVariante = Index == 2 ? 7 : 6;
    if (nTemperaturen == 1) {
        platform::MsgBox("Ein Datensatz mit nur einer Temperatur kann hier nicht zu einem " + CrLf +
                             "sinnvollen Ergebnis hinsichtlich ARRHENIUS- bzw. EYRING-Parametern führen.",
                         platform::MsgExclamation, "Warnung");
    }
    if (!NichtIsothermMoeglich) {
        KeepOpenFitMode();
        OfferDataEditor(OfferText("zuwenig experimentelle T-t-c-Daten!"));
        return;
    }
    FittingHandOver([Index] {
        if (Index != 2) {
            aktModell = 2;
            return true;
        }
        if (c0Mess[1] == 0) {
            KeepOpenFitMode();
            Stop("Für diesen Fall muss die Anfangskonzentration c(A,0) gegeben sein.");
            return false;
        }
        aktModell = 3;
        return true;
    });
}

void mnuCalcTangente_Click() {
    const bool tool = Windows().IsRegistered("frmCalcTangente");
    for (int i = 1; i <= 5; ++i)
        if (QAction* e = Entry(Indexed("mnuSubTangente", i)))
            e->setEnabled(tool && DatenSpalte[static_cast<std::size_t>(i)] != 0);
}

void mnuSubTangente_Click(int Index) {
    if (Index < 1 || Index > 5 || !Windows().IsRegistered("frmCalcTangente")) return;
    Close({"frmTGraph2D"});
    TangentSpecies = Index;
    aktDiagrammCode = 100;
    MitPunkten = kTrue;
    Close({"frmBlutalkohol", "frmPrepareTimeDiagram", "frmBatch", "frmRohrreaktor", "frmRKconti", "frmKaskade"});
    Windows().Show("frmCalcTangente");
    SmoothingFactor = 0;
    std::string answer;
    TestSplineData(Index, answer);
    if (!answer.empty()) return;
    DiagramHandOver(false);
    Windows().Show("frmCalcTangente");
}

}  // namespace shell
