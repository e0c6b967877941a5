#pragma once
// The teaching window "Reaktionsablauf als Zufallsspiel ("Monte-Carlo"-Simulation)": N0 molecules on a
// square board react at random, one drawn molecule per step; in mode 1 (MCMode) an A that is drawn turns
// into P (first order), in mode 2 A and P change into each other with a rule that gives the equilibrium
// constant K = N(P)/N(A) = 0.5, 1 or 2. The window's own chart Chart2D2 shows the simulated particle
// numbers as points against the calculated curves, in percent of N0 over percent of t(max).
//
// A run executes inside the "Start" or "Go" handler and lets other events through at every step, so
// "Stop", closing the window and the end of the program take effect at the next step.
#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <vector>

#include "kernel/State.h"
#include "platform/core/RunningLoops.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPainter;
class QPushButton;
class QRadioButton;

namespace platform {
class Chart2D;
}

class frmMonteCarlo : public QWidget {
    Q_OBJECT

public:
    explicit frmMonteCarlo(QWidget* parent = nullptr);
    ~frmMonteCarlo() override;

    // The loaded instance, or null.
    static frmMonteCarlo* Geladen();
    // A fixed seed makes the runs reproducible (each start and continue then seeds with seed + the
    // number of earlier seedings); without one the generator is seeded from the clock.
    static void SetZufallsSaat(std::optional<std::uint32_t> saat);
    // A clock in seconds in place of the steady clock for the step and flash waits (tests); empty
    // restores the steady clock.
    static void SetUhr(std::function<double()> uhr);
    // Draws in place of the random generator (tests): given N0, the molecule 1..N0 of the next step.
    // Empty restores the generator.
    static void SetZiehung(std::function<long(long n0)> ziehung);

    // ---- Event handlers ----
    void cmdStart_Click();
    void cmdStop_Click();
    void cmdContinue_Click();
    void cmdRefresh_Click();
    void cmdClipboard_Click();
    void cmdOptions_Click();
    void cmdHelp_Click();
    void cmdClose_Click();
    void chkFlashOn_Click();
    void optN0_Click(int Index);
    void optGK_Click(int Index);

    // ---- Board drawing ----
    void DrawMoleculeBoard();
    void DrawMolecule(int j, int farbe, double radius);
    // Row and column (1-based, row by row from the top left) of molecule j on a board of `seitenZahl`
    // cells per row.
    static void ZelleVon(long j, int seitenZahl, int& zeile, int& spalte);

    // ---- Read-only view of the game, for the options dialog and the tests ----
    platform::Chart2D* Chart() const { return Chart2D2; }
    long Molekuele() const { return N0_; }
    long AnzahlA() const { return nA_; }
    long Schritte() const { return tSchritte_; }
    long SchritteJePunkt() const { return SchritteJePunkt_; }
    long TMaxSchritte() const { return tMaxSchritte_; }
    float Gleichgewichtskonstante() const { return K_; }
    int Zustand(long j) const;  // 1 A, 0 P, -1 outside 1..N0
    bool Laeuft() const { return laeuft_; }
    // The persistent drawing surface (board and background), window pixels.
    const QImage& Zeichenflaeche() const { return flaeche_; }
    int BrettLinks() const { return BrettX0; }  // twips
    int BrettOben() const { return BrettY0; }
    int BrettSeite() const { return brettSeite_; }
    double ZellenSeite() const { return Zelle; }
    double MolekuelRadius() const { return Radius; }
    // Drawing operations so far: circles and boxes onto the surface, flash circles onto the screen.
    struct Zeichnungen {
        long kreise = 0;
        long boxen = 0;
        long blitze = 0;
    };
    Zeichnungen Gezeichnet() const { return zaehler_; }

signals:
    // After every simulated chart point (point number, 1 = the start point).
    void PunktGezeichnet(long punktNr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void Form_Load();
    void Form_Resize();
    void Form_QueryUnload();
    void SetChartAxes();
    void SetzePfeile();
    // Every molecule A, the board drawn afresh and the calculated curves set up.
    void StartBild();
    void PlaceChartTexts();
    void CalcTheoryCurve(int Kurve, int mode, std::vector<kernel::XYPunkt>& Punkte);
    void SetupChartSeries(int Kurve, std::vector<kernel::XYPunkt>& Punkte);
    void AddChartPoint(const kernel::XYPunkt& A, const kernel::XYPunkt& P, long Nr);
    void DisableControls();
    void EnableControls();
    void SimFirstOrder();
    void SimEquilibrium();
    // Registers a run for its duration: the end of the program stops it as "Stop" does.
    platform::RunningLoop StopBeimProgrammende();
    // The steps shared by both loops before the first block; false when the window went away.
    bool GemeinsamerStart();
    // Lets other events through; false when the window was destroyed meanwhile (the caller returns at
    // once without touching the window).
    bool LassEreignisseDurch();
    // The wait after a step; false when the window was destroyed meanwhile.
    bool SchrittWarten();
    // The next chart point (A and P after the steps so far), then PunktGezeichnet; false when the
    // window was destroyed meanwhile.
    bool NaechsterPunkt();
    long ZieheMolekuel();
    float ZusatzWartezeit() const;
    void Markiere(QRadioButton* gewaehlt, QGroupBox* rahmen);
    void KreisAufFlaeche(QPainter& p, double xTw, double yTw, double rTw, int farbe);
    void BoxAufFlaeche(QPainter& p, double x1Tw, double y1Tw, double x2Tw, double y2Tw, int farbe, int rand);
    // Molecule j in its cell: a circle, on the large boards a box filling the cell.
    void MolekuelAufFlaeche(QPainter& p, long j, int farbe, double radius);

    // Controls.
    platform::Chart2D* Chart2D2 = nullptr;
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdContinue = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdClipboard = nullptr;
    QPushButton* cmdOptions = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdClose = nullptr;
    QCheckBox* chkFlashOn = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    std::array<QRadioButton*, 6> optN0{};
    std::array<QRadioButton*, 3> optGK{};
    QWidget* fraHeadline = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblA = nullptr;
    QLabel* PfeilHin = nullptr;
    QLabel* PfeilRueck = nullptr;
    QLabel* lblP = nullptr;
    QLabel* lblBildText = nullptr;

    // Game state.
    long N0_ = 1024;
    float K_ = 0.5f;
    long tSchritte_ = 0;
    long nA_ = 0;
    long SchritteJePunkt_ = 102;
    long tMaxSchritte_ = 5632;
    float SkalaT = 56.32f;
    float SkalaN = 10.24f;
    long PunktNr = 0;
    std::vector<std::uint8_t> MCStateArray;  // index 1..N0: 1 A, 0 P
    bool StopAngefordert = false;
    bool Fortsetzen = false;
    bool Aufblitzen = true;
    bool GrossesBrett = false;
    bool laeuft_ = false;
    static constexpr int ChartLinks = 350;   // twips
    static constexpr int SerienZahl = 4;
    std::mt19937 zufall_;

    // Board geometry, twips.
    int BrettX0 = 0;
    int BrettY0 = 0;
    int brettSeite_ = 0;
    int SeitenZahl = 1;
    double Zelle = 0;
    double Radius = 0;
    double BlitzRadius = 0;

    // Persistent drawing surface and the flash circle shown on the screen only.
    QImage flaeche_;
    std::optional<std::array<double, 3>> blitz_;  // centre x, y and radius, twips
    Zeichnungen zaehler_;
    bool positioniert_ = false;
};
