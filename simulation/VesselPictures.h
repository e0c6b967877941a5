#pragma once
// Schematic pictures of the reactors: the batch vessel, the stirred tank, the tubular reactor and the
// rows of stirred tanks of the cascade and of the tracer experiment, with the liquid coloured by the
// conversion U(A) (or by the dye concentration of a tracer tank), and the stirrer animation.
//
// Every picture is painted into a VesselCanvas, a widget that keeps its own picture (like a window
// surface that redraws itself) and shows it. All coordinates are twips of the window's client area,
// origin top left, y downwards; the canvas converts them (15 twips per pixel) relative to its own place
// in the window. Regions are filled as paths and their black outlines stroked over the fill.
#include <QColor>
#include <QImage>
#include <QWidget>
#include <vector>

class QLabel;
class QTimer;

namespace simulation {

// ---- Colour ramps ------------------------------------------------------------------------------------
// [v] below is v rounded to the nearest integer, halves to the even neighbour.
// Conversion colour RGB([(1-x)*255], 255, [x*255]) for x as given (callers clamp): 0 yellow, 1 cyan,
// 0.5 RGB(128, 255, 128).
QColor ConversionColour(double x);
// Dye colour RGB(255, g, g), g = [(1-c)*255]: 0 white, 1 red; not clamped.
QColor DyeColour(double c);
// Grey RGB(g, g, g), g = [(1-a)*255]: 0 white.
QColor GreyColour(double a);
// Feed colour (yellow, the conversion colour of 0) and the colour of the tube body (light grey).
QColor FeedColour();
QColor TubeColour();
// Clamps a conversion into 0..1 for colouring.
double ClampConversion(double x);

// ---- Canvas --------------------------------------------------------------------------------------------
// The drawing surface of one window. It covers the twips rectangle given at construction (in the
// window's client coordinates), keeps the picture in an image and repaints it from there.
class VesselCanvas : public QWidget {
    Q_OBJECT
public:
    // window: the window drawn on (parent); left, top, width, height: the covered area in twips.
    VesselCanvas(QWidget* window, int left, int top, int width, int height);

    // Background colour (the window's BackColor); Cls clears to it. Default: the window's palette.
    QColor BackColor() const { return back_; }
    void SetBackColor(const QColor& colour);
    // Cls: clears everything drawn.
    void Cls();

    // Colour of the picture at the window point (x, y) in twips; an invalid colour outside the canvas.
    QColor PixelAt(int x, int y) const;
    // The picture itself (for grabbing and tests).
    const QImage& Picture() const { return image_; }
    QImage& Surface() { return image_; }

    // Converts window twips to picture pixels (relative to the canvas).
    QPointF ToPixel(double x, double y) const;
    double ToPixelLength(double twips) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int leftTw_, topTw_;
    QColor back_;
    QImage image_;
};

// ---- Single reactors --------------------------------------------------------------------------------------
// Batch vessel (frmBatch.FillVesselColours): clears the canvas and draws the vessel with its liquid in
// the conversion colour of x (clamped to 0..1), the outlet valve and the yellow feed funnel.
void FillVesselColours(VesselCanvas& canvas, double x);

// Continuous stirred tank (frmRKconti.DrawReactorCSTR): clears the canvas and draws the tank with its
// liquid and outlet arrow in the conversion colour of x (clamped), the stirrer at half-width 420 and the
// yellow inlet arrow. Tank centre x 1020, blade centre y 3400.
void DrawReactorCSTR(VesselCanvas& canvas, double x);

// Tubular reactor (frmRohrreaktor.DrawReactorTube): clears the canvas and draws the grey meander tube,
// the yellow inlet arrow and the outlet arrow: in the background colour while tauMittel is 0 (no result
// yet), else in the conversion colour of x (clamped).
void DrawReactorTube(VesselCanvas& canvas, double x);

// ---- Rows of stirred tanks (cascade and tracer experiment) -----------------------------------------------
// Centre of tank i (1-based) of a row: x = 1240 + (i - 1) * 1920; the blade centre is at y = 3800.
int RowTankCentre(int i);

// Cascade (frmKaskade.DrawCascadeVessels): draws tank i over the picture (nothing cleared) with its
// liquid in the conversion colour of U (not clamped), the stirrer, the inlet arrow (yellow for tank 1,
// unfilled for the others) and the unfilled outlet arrow.
void DrawCascadeVessels(VesselCanvas& canvas, int i, double U);
// Cascade (frmKaskade.FillVesselColours): clamps UmsatzStufe[i] into 0..1 in the array, then colours
// the liquid, the outlet arrow and the blade triangles of tank i by it, and for i > 1 the inlet arrow
// of tank i by UmsatzStufe[i - 1].
void FillVesselColours(VesselCanvas& canvas, int i, std::vector<double>& UmsatzStufe);

// Tracer experiment (frmVerweilzeit.DrawCascadeVessels): as the cascade tank, the liquid in the grey of a
// (the window passes 0: white), the inlet arrow of tank 1 white.
void DrawTracerVessels(VesselCanvas& canvas, int i, double a);
// Tracer experiment (frmVerweilzeit.FillVesselColours): colours tank i by the dye concentration
// cKessel[i] (and the inlet arrow of tank i > 1 by cKessel[i - 1]); lblMessung, when given, takes the
// tank's colour as its background.
void FillTracerColours(VesselCanvas& canvas, int i, const std::vector<float>& cKessel, QLabel* lblMessung);

// ---- Stirrer animation ---------------------------------------------------------------------------------------
// The stirrer blades of the stirred tank, the cascade or the tracer tanks, animated on the window's
// timer Timer1 (80 ms): each tick redraws every blade inverted (not-xor) at the old half-width and then
// at the other one, so the blades alternate between half-widths 420 and 210.
class StirrerAnimation : public QObject {
    Q_OBJECT
public:
    enum class Kind {
        StirredTank,  // one tank, blade centre (1020, 3400)
        Cascade,      // tanks 1..nKaskade, blade centres (RowTankCentre(i), 3800)
        Tracer        // tanks 1..nKesselVZ, as the cascade; each tick also waits a little per tank
    };
    // window: owner of the timer (the timer gets the objectName "Timer1"); the timer starts disabled.
    StirrerAnimation(VesselCanvas& canvas, Kind kind, QWidget* window);

    QTimer* Timer1 = nullptr;
    float Ruehrerfaktor = 0.6f;  // blade factor f: half-width 700 f

    // Cascade and tracer: draws the blade of tank i at half-width 420 (copy mode) and starts Timer1.
    void DrawStirrer(int i);
    // Stirred tank: the same for its single blade.
    void StartStirrer();
    // Disables Timer1 (the picture stays as it is).
    void Stop();
    bool IsRunning() const;
    // One animation tick (Timer1_Timer); public so that tests can step it.
    void Timer1_Timer();

private:
    void DrawBlade(int i, double halfWidth, bool invert);
    int TankCount() const;
    VesselCanvas& canvas_;
    Kind kind_;
};

}  // namespace simulation
