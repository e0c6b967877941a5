#include "simulation/VesselPictures.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPaintEvent>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "kernel/State.h"
#include "platform/Twips.h"
#include "simulation/CalcWindow.h"

namespace simulation {

namespace {

constexpr int kAnimationMs = 80;
constexpr int kRowBladeY = 3800;        // blade centre of a row tank
constexpr int kRowShaftTop = 2460;
constexpr int kCstrX = 1020;            // the single stirred tank
constexpr int kCstrY = 3400;
constexpr int kCstrShaftTop = 2100;
constexpr double kBladeFull = 0.6;      // blade factors of the animation
constexpr double kBladeHalf = 0.3;
constexpr double kBladeLength = 700;    // half-width = 700 * factor
constexpr int kTracerWaitRoots = 80000; // busy wait of a tracer tick per tank

// Nearest integer, halves to the even neighbour (the rounding of colour components).
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

int Component(double v) { return std::clamp(RoundEven(v), 0, 255); }

struct Seg {
    double x1, y1, x2, y2;
    int width;
};

// Draws on a canvas in window twips: aliased lines of DrawWidth pixels, path fills in copy mode or
// lines in not-xor mode, as the window surface takes them.
class Pen {
public:
    explicit Pen(VesselCanvas& canvas) : canvas_(canvas), painter_(&canvas.Surface()) {
        painter_.setRenderHint(QPainter::Antialiasing, false);
        const double s = 1.0 / platform::kTwipsPerPixel;
        const QPointF origin = canvas.ToPixel(0, 0);
        painter_.setTransform(QTransform(s, 0, 0, s, origin.x(), origin.y()));
    }
    ~Pen() {
        painter_.end();
        canvas_.update();
    }
    void SetInvert(bool invert) {
        painter_.setCompositionMode(invert ? QPainter::RasterOp_NotSourceXorDestination
                                           : QPainter::CompositionMode_SourceOver);
    }
    void Line(const Seg& s, const QColor& colour = Qt::black) {
        QPen pen(colour);
        pen.setWidth(s.width);
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::SquareCap);
        painter_.setPen(pen);
        painter_.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
    }
    void Lines(const std::vector<Seg>& segs) {
        for (const Seg& s : segs) Line(s);
    }
    void Fill(const QPainterPath& path, const QColor& colour) { painter_.fillPath(path, colour); }
    void Arc(double cx, double cy, double r, int startDeg, int spanDeg, int width) {
        QPen pen(Qt::black);
        pen.setWidth(width);
        pen.setCosmetic(true);
        painter_.setPen(pen);
        painter_.setBrush(Qt::NoBrush);
        painter_.drawArc(QRectF(cx - r, cy - r, 2 * r, 2 * r), startDeg * 16, spanDeg * 16);
    }
    void Disc(double cx, double cy, double r, const QColor& colour) {
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(colour);
        painter_.drawEllipse(QPointF(cx, cy), r, r);
        painter_.setBrush(Qt::NoBrush);
    }

private:
    VesselCanvas& canvas_;
    QPainter painter_;
};

QPainterPath Polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

// Blade B(cx, cy, h): two crossed diagonals closed by two vertical ends 200 high.
std::vector<Seg> Blade(double cx, double cy, double h) {
    return {{cx - h, cy - 100, cx + h, cy + 100, 1},
            {cx + h, cy + 100, cx + h, cy - 100, 1},
            {cx + h, cy - 100, cx - h, cy + 100, 1},
            {cx - h, cy + 100, cx - h, cy - 100, 1}};
}

// The two closed triangles of a blade, left and right of its crossing.
QPainterPath BladeTriangles(double cx, double cy, double h) {
    QPainterPath path = Polygon({{cx, cy}, {cx + h, cy + 100}, {cx + h, cy - 100}});
    path.addPath(Polygon({{cx, cy}, {cx - h, cy + 100}, {cx - h, cy - 100}}));
    return path;
}

// Arrow A(xc, yb) pointing down: a stem 140 wide and 200 high open into a head 280 wide, 250 deep.
std::vector<Seg> Arrow(double xc, double yb) {
    return {{xc - 70, yb, xc - 70, yb - 200, 1},  {xc - 70, yb - 200, xc + 70, yb - 200, 1},
            {xc + 70, yb - 200, xc + 70, yb, 1},  {xc + 70, yb, xc + 140, yb, 1},
            {xc + 140, yb, xc, yb + 250, 1},      {xc, yb + 250, xc - 140, yb, 1},
            {xc - 140, yb, xc - 70, yb, 1}};
}

QPainterPath ArrowArea(double xc, double yb) {
    return Polygon({{xc - 70, yb}, {xc - 70, yb - 200}, {xc + 70, yb - 200}, {xc + 70, yb},
                    {xc + 140, yb}, {xc, yb + 250}, {xc - 140, yb}});
}

// Tank outline T(cx, cy, ys): shaft up to ys, lid, walls, conical bottom, outlet pipe, liquid surface.
std::vector<Seg> TankOutline(double cx, double cy, double ys) {
    return {{cx, cy + 100, cx, ys, 3},
            {cx - 700, cy - 1000, cx + 700, cy - 1000, 2},
            {cx - 70, cy + 600, cx - 700, cy + 300, 2},
            {cx - 700, cy + 300, cx - 700, cy - 700, 2},
            {cx - 700, cy - 450, cx + 700, cy - 450, 1},
            {cx + 700, cy - 700, cx + 700, cy + 300, 2},
            {cx + 700, cy + 300, cx + 70, cy + 600, 2},
            {cx + 70, cy + 600, cx + 70, cy + 800, 2},
            {cx - 70, cy + 800, cx - 70, cy + 600, 2},
            {cx - 70, cy + 800, cx + 70, cy + 800, 2},
            {cx - 700, cy + 300, cx - 700, cy - 1000, 2},
            {cx + 700, cy - 1000, cx + 700, cy + 300, 2}};
}

// The liquid below the surface line, with the outlet pipe.
QPainterPath Liquid(double cx, double cy) {
    return Polygon({{cx - 700, cy - 450}, {cx + 700, cy - 450}, {cx + 700, cy + 300}, {cx + 70, cy + 600},
                    {cx + 70, cy + 800}, {cx - 70, cy + 800}, {cx - 70, cy + 600}, {cx - 700, cy + 300}});
}

// The stirrer over the liquid: the shaft once more and the blade at half-width 420.
std::vector<Seg> Stirrer(double cx, double cy) {
    std::vector<Seg> segs{{cx, cy + 100, cx, cy - 750, 2}};
    for (const Seg& s : Blade(cx, cy, kBladeLength * kBladeFull)) segs.push_back(s);
    return segs;
}

// A tank of a row: liquid of `liquid`, inlet arrow of tank 1 in `firstInlet`, outlets unfilled.
void DrawRowTank(VesselCanvas& canvas, int i, const QColor& liquid, const QColor& firstInlet) {
    const double cx = RowTankCentre(i);
    Pen pen(canvas);
    pen.SetInvert(false);
    const double h = kBladeLength * kBladeFull;
    pen.Fill(Liquid(cx, kRowBladeY).subtracted(BladeTriangles(cx, kRowBladeY, h)), liquid);
    if (i == 1) pen.Fill(ArrowArea(cx - 400, 2540), firstInlet);
    pen.Lines(TankOutline(cx, kRowBladeY, kRowShaftTop));
    pen.Lines(Stirrer(cx, kRowBladeY));
    pen.Lines(Arrow(cx - 400, 2540));
    pen.Lines(Arrow(cx - 10, 4810));
}

// Colours tank i of a row: liquid, blade triangles and outlet arrow in `own`, for i > 1 the inlet
// arrow in `previous`; the black lines are stroked again over the fills.
void ColourRowTank(VesselCanvas& canvas, int i, const QColor& own, const QColor& previous) {
    const double cx = RowTankCentre(i);
    Pen pen(canvas);
    pen.SetInvert(false);
    pen.Fill(Liquid(cx, kRowBladeY), own);
    if (i > 1) pen.Fill(ArrowArea(cx - 400, 2540), previous);
    pen.Fill(ArrowArea(cx - 10, 4810), own);
    pen.Lines(TankOutline(cx, kRowBladeY, kRowShaftTop));
    pen.Lines(Stirrer(cx, kRowBladeY));
    pen.Lines(Arrow(cx - 400, 2540));
    pen.Lines(Arrow(cx - 10, 4810));
}

}  // namespace

// ---- Colour ramps ---------------------------------------------------------------------------------

QColor ConversionColour(double x) { return QColor(Component((1 - x) * 255), 255, Component(x * 255)); }

QColor DyeColour(double c) {
    const int g = Component((1 - c) * 255);
    return QColor(255, g, g);
}

QColor GreyColour(double a) {
    const int g = Component((1 - a) * 255);
    return QColor(g, g, g);
}

QColor FeedColour() { return QColor(255, 255, 0); }

QColor TubeColour() { return QColor(192, 192, 192); }

double ClampConversion(double x) {
    if (!(x >= 0)) return 0;  // also a value that is not a number
    return x > 1 ? 1 : x;
}

int RowTankCentre(int i) { return 1240 + (i - 1) * 1920; }

// ---- Canvas ------------------------------------------------------------------------------------------

VesselCanvas::VesselCanvas(QWidget* window, int left, int top, int width, int height)
    : QWidget(window), leftTw_(left), topTw_(top) {
    setObjectName("VesselCanvas");
    back_ = window ? window->palette().color(QPalette::Window) : QColor(Qt::white);
    setGeometry(Tw(left), Tw(top), Tw(width), Tw(height));
    image_ = QImage(std::max(1, Tw(width)), std::max(1, Tw(height)), QImage::Format_RGB32);
    image_.fill(back_);
    setAttribute(Qt::WA_OpaquePaintEvent);
    lower();
}

void VesselCanvas::SetBackColor(const QColor& colour) { back_ = colour; }

void VesselCanvas::Cls() {
    image_.fill(back_);
    update();
}

QPointF VesselCanvas::ToPixel(double x, double y) const {
    return {(x - leftTw_) / platform::kTwipsPerPixel, (y - topTw_) / platform::kTwipsPerPixel};
}

double VesselCanvas::ToPixelLength(double twips) const { return twips / platform::kTwipsPerPixel; }

QColor VesselCanvas::PixelAt(int x, int y) const {
    const QPointF p = ToPixel(x, y);
    const int px = static_cast<int>(std::floor(p.x()));
    const int py = static_cast<int>(std::floor(p.y()));
    if (!image_.valid(px, py)) return {};
    return image_.pixelColor(px, py);
}

void VesselCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

// ---- Single reactors -------------------------------------------------------------------------------------

void FillVesselColours(VesselCanvas& canvas, double x) {
    x = ClampConversion(x);
    canvas.Cls();
    Pen pen(canvas);
    pen.Fill(Polygon({{500, 2500}, {1900, 2500}, {1900, 3000}, {1200, 3500}, {500, 3000}}), ConversionColour(x));
    pen.Fill(Polygon({{640, 2100}, {1760, 2100}, {1200, 2300}}), FeedColour());
    pen.Lines({{1200, 3500, 500, 3000, 2},
               {500, 3000, 500, 2000, 2},
               {500, 2500, 1900, 2500, 2},
               {1900, 2000, 1900, 3000, 2},
               {1900, 3000, 1200, 3500, 2},
               {1200, 3500, 1200, 3750, 3}});
    pen.Disc(1200, 3625, 70, Qt::black);
    pen.Line({1080, 3625, 1320, 3625, 2});
    pen.Lines({{640, 2100, 1760, 2100, 1},
               {1760, 2100, 1200, 2300, 1},
               {1200, 2300, 640, 2100, 1},
               {640, 2100, 640, 1800, 1},
               {1760, 2100, 1760, 1800, 1}});
}

void DrawReactorCSTR(VesselCanvas& canvas, double x) {
    x = ClampConversion(x);
    canvas.Cls();
    Pen pen(canvas);
    const QColor colour = ConversionColour(x);
    const double h = kBladeLength * kBladeFull;
    pen.Fill(Liquid(kCstrX, kCstrY).subtracted(BladeTriangles(kCstrX, kCstrY, h)), colour);
    pen.Fill(ArrowArea(620, 2500), FeedColour());
    pen.Fill(ArrowArea(1010, 4450), colour);
    pen.Lines(TankOutline(kCstrX, kCstrY, kCstrShaftTop));
    pen.Lines(Stirrer(kCstrX, kCstrY));
    pen.Lines(Arrow(620, 2500));
    pen.Lines(Arrow(1010, 4450));
}

void DrawReactorTube(VesselCanvas& canvas, double x) {
    x = ClampConversion(x);
    canvas.Cls();
    Pen pen(canvas);
    // Three legs 100 wide joined by two half-ring bends: one region.
    QPainterPath tube;
    for (double left : {500.0, 1000.0, 1500.0}) tube.addRect(QRectF(left, 2600, 100, 1000));
    QPainterPath lower;
    lower.moveTo(500, 3600);
    lower.arcTo(QRectF(500, 3300, 600, 600), 180, 180);
    lower.lineTo(1000, 3600);
    lower.arcTo(QRectF(600, 3400, 400, 400), 0, -180);
    lower.closeSubpath();
    QPainterPath upper;
    upper.moveTo(1000, 2600);
    upper.arcTo(QRectF(1000, 2300, 600, 600), 180, -180);
    upper.lineTo(1500, 2600);
    upper.arcTo(QRectF(1100, 2400, 400, 400), 0, 180);
    upper.closeSubpath();
    tube = tube.united(lower).united(upper);
    pen.Fill(tube, TubeColour());
    pen.Fill(ArrowArea(550, 2300), FeedColour());
    pen.Fill(ArrowArea(1550, 3900), kernel::tauMittel == 0 ? canvas.BackColor() : ConversionColour(x));

    pen.Lines({{500, 2600, 600, 2600, 2},
               {500, 2600, 500, 3600, 2},
               {600, 2600, 600, 3600, 2},
               {1000, 2600, 1000, 3600, 2},
               {1100, 2600, 1100, 3600, 2}});
    pen.Arc(800, 3600, 300, 180, 180, 2);
    pen.Arc(800, 3600, 200, 180, 180, 2);
    pen.Lines({{1500, 2600, 1500, 3600, 2}, {1600, 2600, 1600, 3600, 2}, {1500, 3600, 1600, 3600, 2}});
    pen.Arc(1300, 2600, 300, 0, 180, 2);
    pen.Arc(1300, 2600, 200, 0, 180, 2);
    pen.Lines(Arrow(550, 2300));
    pen.Lines(Arrow(1550, 3900));
}

// ---- Rows of stirred tanks -------------------------------------------------------------------------------------

void DrawCascadeVessels(VesselCanvas& canvas, int i, double U) {
    DrawRowTank(canvas, i, ConversionColour(U), FeedColour());
}

void FillVesselColours(VesselCanvas& canvas, int i, std::vector<double>& UmsatzStufe) {
    if (i < 0 || i >= static_cast<int>(UmsatzStufe.size())) return;
    UmsatzStufe[i] = ClampConversion(UmsatzStufe[i]);
    const QColor previous = i > 1 ? ConversionColour(UmsatzStufe[i - 1]) : QColor();
    ColourRowTank(canvas, i, ConversionColour(UmsatzStufe[i]), previous);
}

void DrawTracerVessels(VesselCanvas& canvas, int i, double a) { DrawRowTank(canvas, i, GreyColour(a), Qt::white); }

void FillTracerColours(VesselCanvas& canvas, int i, const std::vector<float>& cKessel, QLabel* lblMessung) {
    if (i < 0 || i >= static_cast<int>(cKessel.size())) return;
    const QColor own = DyeColour(cKessel[i]);
    const QColor previous = i > 1 ? DyeColour(cKessel[i - 1]) : QColor();
    ColourRowTank(canvas, i, own, previous);
    if (lblMessung) {
        lblMessung->setAutoFillBackground(true);
        lblMessung->setStyleSheet(QStringLiteral("background-color: %1;").arg(own.name()));
    }
}

// ---- Stirrer animation -----------------------------------------------------------------------------------------------

StirrerAnimation::StirrerAnimation(VesselCanvas& canvas, Kind kind, QWidget* window)
    : QObject(window), canvas_(canvas), kind_(kind) {
    Timer1 = new QTimer(window);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(kAnimationMs);
    connect(Timer1, &QTimer::timeout, this, &StirrerAnimation::Timer1_Timer);
}

int StirrerAnimation::TankCount() const {
    switch (kind_) {
    case Kind::StirredTank: return 1;
    case Kind::Cascade: return kernel::nKaskade;
    case Kind::Tracer: return kernel::nKesselVZ;
    }
    return 0;
}

void StirrerAnimation::DrawBlade(int i, double halfWidth, bool invert) {
    const double cx = kind_ == Kind::StirredTank ? kCstrX : RowTankCentre(i);
    const double cy = kind_ == Kind::StirredTank ? kCstrY : kRowBladeY;
    Pen pen(canvas_);
    pen.SetInvert(invert);
    pen.Lines(Blade(cx, cy, halfWidth));
}

void StirrerAnimation::DrawStirrer(int i) {
    Ruehrerfaktor = static_cast<float>(kBladeFull);
    DrawBlade(i, kBladeLength * Ruehrerfaktor, false);
    Timer1->start();
}

void StirrerAnimation::StartStirrer() { DrawStirrer(1); }

void StirrerAnimation::Stop() { Timer1->stop(); }

bool StirrerAnimation::IsRunning() const { return Timer1->isActive(); }

void StirrerAnimation::Timer1_Timer() {
    const int n = TankCount();
    for (int i = 1; i <= n; ++i) {
        DrawBlade(i, kBladeLength * Ruehrerfaktor, true);
        if (kind_ == Kind::Tracer) {
            volatile double sink = 0;
            for (int k = 0; k < kTracerWaitRoots; ++k) sink = std::sqrt(2.2);
            (void)sink;
        }
        Ruehrerfaktor = Ruehrerfaktor == static_cast<float>(kBladeHalf) ? static_cast<float>(kBladeFull)
                                                                         : static_cast<float>(kBladeHalf);
        DrawBlade(i, kBladeLength * Ruehrerfaktor, true);
    }
}

}  // namespace simulation
