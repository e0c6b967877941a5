#include "platform/Chart2D.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QRubberBand>
#include <QSvgGenerator>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <qcustomplot.h>

#include "platform/ChartGeometry.h"
#include "platform/ChartModel.h"
#include "platform/PrinterStatus.h"
#include "platform/core/TextFile.h"

namespace platform {

using namespace chartmodel;

namespace {

constexpr int kTextPadH = 3;  // padding around the text of header, footer and labels
constexpr int kTextPadV = 2;
constexpr int kMinZoomPixels = 3;

QColor ToQColor(int c) {
    if (c < 0) return QColor(Qt::transparent);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QString ToQText(const std::string& s) {
    QString t = QString::fromStdString(s);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QChar('\r'), QChar('\n'));
    return t;
}

bool ValidPattern(int p) { return p >= kLineNone && p <= kLineDashDotDot; }
bool ValidBorder(int k) { return k == kBorderNone || k == kBorderFramed1 || k == kBorderPlain; }
bool Framed(int k) { return k == kBorderFramed1 || k == kBorderPlain; }

QPen PatternPen(int pattern, int color, double width) {
    QPen pen(ToQColor(color), width);
    switch (pattern) {
    case kLineNone: pen.setStyle(Qt::NoPen); break;
    case kLineDashed: pen.setStyle(Qt::DashLine); break;
    case kLineDotted: pen.setStyle(Qt::DotLine); break;
    case kLineShortDash: pen.setDashPattern({3, 3}); break;
    case kLineLongDash: pen.setDashPattern({12, 4}); break;
    case kLineDashDot: pen.setStyle(Qt::DashDotLine); break;
    case kLineDashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
    default: pen.setStyle(Qt::SolidLine); break;
    }
    return pen;
}

QCPScatterStyle SymbolStyle(int shape, int color, int size) {
    if (shape == kSymbolNone || size <= 0) return QCPScatterStyle(QCPScatterStyle::ssNone);
    const QColor c = ToQColor(color);
    const QPen pen(c, 1);
    const QBrush fill(c);
    const QBrush none(Qt::NoBrush);
    using S = QCPScatterStyle;
    switch (shape) {
    case kSymbolDot: return S(S::ssDisc, pen, fill, size);
    case kSymbolBox: return S(S::ssSquare, pen, fill, size);
    case kSymbolTriangle: return S(S::ssTriangle, pen, fill, size);
    case kSymbolDiamond: return S(S::ssDiamond, pen, fill, size);
    case kSymbolStar: return S(S::ssStar, pen, none, size);
    case kSymbolPlus: return S(S::ssPlus, pen, none, size);
    case kSymbolCrossBox: return S(S::ssCrossSquare, pen, none, size);
    case kSymbolCross: return S(S::ssCross, pen, none, size);
    case kSymbolCircle: return S(S::ssCircle, pen, none, size);
    case kSymbolOpenBox: return S(S::ssSquare, pen, none, size);
    case kSymbolTriangleDown: return S(S::ssTriangleInverted, pen, fill, size);
    case kSymbolCrossCircle: return S(S::ssCrossCircle, pen, none, size);
    case kSymbolOpenTriangle: return S(S::ssTriangle, pen, none, size);
    case kSymbolOpenDiamond: return S(S::ssDiamond, pen, none, size);
    case kSymbolOpenTriangleDown: return S(S::ssTriangleInverted, pen, none, size);
    default: return S(S::ssNone);
    }
}

// Size of a text block as drawn by a text item with the chart's padding.
QSize TextBoxSize(const QFont& font, const QString& text) {
    if (text.isEmpty()) return {0, 0};
    const QRect r = QFontMetrics(font).boundingRect(0, 0, 0, 0, Qt::TextDontClip | Qt::AlignLeft, text);
    return {r.width() + 2 * kTextPadH, r.height() + 2 * kTextPadV};
}

// True when the word that ends before position end (exclusive) or starts at position start holds
// no letter or digit: an operator such as "=>", "<=>" or "+" that stays with its neighbours.
bool OperatorBefore(const QString& s, int end) {
    int i = end;
    while (i > 0 && s[i - 1] != QChar(' ')) --i;
    if (i == end) return false;
    for (int k = i; k < end; ++k)
        if (s[k].isLetterOrNumber()) return false;
    return true;
}
bool OperatorAfter(const QString& s, int start) {
    int i = start;
    while (i < s.size() && s[i] == QChar(' ')) ++i;
    int j = i;
    while (j < s.size() && s[j] != QChar(' ')) ++j;
    if (i == j) return false;
    for (int k = i; k < j; ++k)
        if (s[k].isLetterOrNumber()) return false;
    return true;
}

// Breaks the lines of text at blanks so that each line of the drawn block (padding included) is at
// most maxWidth pixels wide, where possible not next to an operator, so that "A => P" stays
// together; a single word longer than that keeps a line of its own.
QString WrapToWidth(const QFont& font, const QString& text, int maxWidth) {
    const QFontMetrics fm(font);
    const int room = maxWidth - 2 * kTextPadH;
    if (room <= 0) return text;
    QStringList lines;
    for (QString rest : text.split(QChar('\n'))) {
        while (fm.horizontalAdvance(rest) > room) {
            int cut = -1, plainCut = -1;
            for (int i = static_cast<int>(rest.size()) - 1; i > 0 && cut < 0; --i) {
                if (rest[i] != QChar(' ') || rest[i - 1] == QChar(' ') || fm.horizontalAdvance(rest.left(i)) > room)
                    continue;
                if (plainCut < 0) plainCut = i;
                if (!OperatorBefore(rest, i) && !OperatorAfter(rest, i)) cut = i;
            }
            if (cut < 0) cut = plainCut;
            if (cut < 0) cut = static_cast<int>(rest.indexOf(QChar(' '), 1));
            if (cut < 0) break;
            QString head = rest.left(cut);
            while (head.endsWith(QChar(' '))) head.chop(1);
            rest = rest.mid(cut);
            while (rest.startsWith(QChar(' '))) rest.remove(0, 1);
            lines << head;
            if (rest.isEmpty()) break;
        }
        lines << rest;
    }
    return lines.join(QChar('\n'));
}

// Ticks at the tick spacing, numbers only where a tick is a multiple of the number spacing.
class SpacingTicker : public QCPAxisTicker {
public:
    double tickStep = 1, numberStep = 1;

protected:
    double getTickStep(const QCPRange&) override { return tickStep; }
    int getSubTickCount(double) override { return 0; }
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override {
        const double q = tick / numberStep;
        if (std::fabs(q - std::round(q)) > 1e-6) return QString();
        if (std::fabs(tick) < tickStep * 1e-9) tick = 0;  // no "-1.4e-17" at the origin
        return QCPAxisTicker::getTickLabel(tick, locale, formatChar, precision);
    }
};

// Ticks and numbers of a logarithmic axis at the decades, also over a range of little more than one
// decade (where the log ticker of the library falls back to linear steps and leaves the lowest
// decade without a number).
class DecadeTicker : public QCPAxisTickerLog {
public:
    // A range bound that is a decade up to the rounding of a Single (0.1f) keeps its number.
    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision, QVector<double>& ticks,
                  QVector<double>* subTicks, QVector<QString>* tickLabels) override {
        QCPRange weiter = range;
        if (range.lower > 0 && range.upper > range.lower) {
            weiter.lower = range.lower * (1 - 1e-6);
            weiter.upper = range.upper * (1 + 1e-6);
        }
        QCPAxisTickerLog::generate(weiter, locale, formatChar, precision, ticks, subTicks, tickLabels);
    }

protected:
    QVector<double> createTickVector(double, const QCPRange& range) override {
        QVector<double> at;
        if (!(range.lower > 0) || !(range.upper > range.lower)) return at;
        const double first = std::floor(std::log10(range.lower) + 1e-9), last = std::ceil(std::log10(range.upper) - 1e-9);
        for (double e = first; e <= last && at.size() < 400; ++e) at.push_back(std::pow(10.0, e));
        return at;
    }
};

// Major grid lines of one axis at its own spacing (independent of the tick spacing).
class SpacedGrid : public QCPLayerable {
public:
    SpacedGrid(QCustomPlot* plot, QCPAxis* axis) : QCPLayerable(plot, QString(), axis->axisRect()), axis_(axis) {
        setLayer(QStringLiteral("grid"));
    }
    QPen pen;
    double step = 1;
    bool log = false;

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override {
        applyAntialiasingHint(painter, false, QCP::aeGrid);
    }
    QRect clipRect() const override { return axis_->axisRect()->rect(); }
    void draw(QCPPainter* painter) override {
        if (pen.style() == Qt::NoPen) return;
        const QCPRange r = axis_->range();
        std::vector<double> at;
        if (log) {
            if (r.lower <= 0) return;
            for (double e = std::ceil(std::log10(r.lower) - 1e-9); e <= std::log10(r.upper) + 1e-9 && at.size() < 400; ++e)
                at.push_back(std::pow(10.0, e));
        } else {
            if (chartgeo::LineCount(r.lower, r.upper, step) > chartgeo::kMaxLines) return;
            for (double k = std::ceil(r.lower / step - 1e-9); k * step <= r.upper + step * 1e-9; ++k)
                at.push_back(k * step);
        }
        painter->setPen(pen);
        const QRect rect = axis_->axisRect()->rect();
        for (double v : at) {
            const double p = axis_->coordToPixel(v);
            if (axis_->orientation() == Qt::Horizontal)
                painter->drawLine(QLineF(p, rect.top(), p, rect.bottom()));
            else
                painter->drawLine(QLineF(rect.left(), p, rect.right(), p));
        }
    }

private:
    QCPAxis* axis_;
};

int AxisIndex(ChartAxis a) { return a == ChartAxis::X ? 0 : a == ChartAxis::Y ? 1 : 2; }
int SpacingIndex(AxisSpacing s) { return s == AxisSpacing::Grid ? 0 : s == AxisSpacing::Tick ? 1 : 2; }
int SideIndex(MarginSide s) {
    return s == MarginSide::Left ? 0 : s == MarginSide::Top ? 1 : s == MarginSide::Right ? 2 : 3;
}
int TextIndex(ChartText t) { return t == ChartText::Header ? 0 : 1; }

}  // namespace

QFont chartmodel::DefaultFont(int pointSize, bool bold) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(pointSize);
    f.setBold(bold);
    return f;
}

chartmodel::Model::Model() {
    groups[0].resize(39);
    groups[1].resize(12);
    for (Series& s : groups[1]) {
        s.linePattern = kLineNone;
        s.symbolShape = kSymbolDot;
    }
    axes[2].shown = false;
    axes[1].titleRotation = kTextVertical;
    axes[2].titleRotation = kTextVertical;
    texts[0].font = DefaultFont(11, true);
    texts[1].font = DefaultFont(9);
}

// ---------------------------------------------------------------------------------------------

struct Chart2D::Impl {
    Chart2D* q;
    QCustomPlot* plot;
    Model m;
    bool suspended = false;
    std::array<bool, 2> batched{false, false};
    bool dirty = true;
    bool queued = false;
    bool drawn = false;         // the screen shows the model as it is
    bool redrawOnShow = true;   // due when the chart shows: it is new, or changed while not on screen

    bool zoomMode = false;
    bool zoomed = false;
    std::array<Axis, 3> preZoom;
    QRubberBand* band = nullptr;
    QPoint bandStart;
    bool banding = false;

    std::array<SpacedGrid*, 3> grids{};
    std::array<QCPAxis*, 3> axes{};

    // Laid-out rectangles, valid after Sync.
    chartgeo::PixRect headerRect, footerRect, legendRect, plotRect;

    explicit Impl(Chart2D* owner) : q(owner), plot(new QCustomPlot(owner)) {
        plot->setAutoAddPlottableToLegend(false);
        plot->addLayer(QStringLiteral("chartarea"), plot->layer(QStringLiteral("background")), QCustomPlot::limBelow);
        axes = {plot->xAxis, plot->yAxis, plot->yAxis2};
        for (int i = 0; i < 3; ++i) {
            axes[i]->grid()->setVisible(false);
            grids[i] = new SpacedGrid(plot, axes[i]);
        }
        plot->xAxis2->setVisible(false);
        plot->axisRect()->insetLayout()->setInsetPlacement(0, QCPLayoutInset::ipFree);
        plot->setFocusPolicy(Qt::StrongFocus);
        plot->setMouseTracking(true);  // moves without a button feed the pointer read-out
        band = new QRubberBand(QRubberBand::Rectangle, plot);
        plot->installEventFilter(q);
        // The plot queues a drawing of itself as it is made; the chart draws when it shows instead.
        QCoreApplication::removePostedEvents(plot, QEvent::MetaCall);
    }

    Series* S(int g, int s) {
        if (g < 1 || g > 2 || s < 1 || s > static_cast<int>(m.groups[g - 1].size())) return nullptr;
        return &m.groups[g - 1][s - 1];
    }
    Label* L(int n) {
        if (n < 1 || n > static_cast<int>(m.labels.size())) return nullptr;
        return &m.labels[n - 1];
    }
    Axis& A(ChartAxis a) { return m.axes[AxisIndex(a)]; }
    template <class Edit>
    void EditLabel(int n, Edit edit) {
        if (Label* lb = L(n)) {
            edit(*lb);
            Changed();
        }
    }

    // A change of the model: draw it soon unless the repaint is held back.
    void Changed(int dataGroup = 0) {
        dirty = true;
        drawn = false;
        if (suspended || (dataGroup >= 1 && dataGroup <= 2 && batched[dataGroup - 1]) || queued) return;
        queued = true;
        QTimer::singleShot(0, q, [this] {
            queued = false;
            if (!suspended && !drawn) Redraw();
        });
    }
    // A chart that is not on screen (a diagram window still setting itself up) is drawn once when
    // it shows; until then only its model changes, and every reading syncs the model as needed.
    // On screen every change is drawn once the window is idle, so that a set-up of many steps
    // draws once.
    void Redraw() {
        if (!q->isVisible()) {
            redrawOnShow = true;
            return;
        }
        redrawOnShow = false;
        Sync();
        plot->replot();
        drawn = true;
    }
    void Ensure() {
        if (dirty || plot->viewport().size() != q->size()) Sync();
    }

    chartgeo::AxisScale Scale(int i) const {
        chartgeo::AxisScale s;
        const Axis& ax = m.axes[i];
        s.min = ax.min;
        s.max = ax.max;
        s.log = ax.log;
        if (i == 0) {
            s.pixAtMin = plotRect.left;
            s.pixAtMax = plotRect.left + plotRect.width;
        } else {
            s.pixAtMin = plotRect.top + plotRect.height;
            s.pixAtMax = plotRect.top;
        }
        return s;
    }

    void ComputeRanges() {
        for (int i = 0; i < 2; ++i) {
            Axis& ax = m.axes[i];
            if (!ax.autoScale) continue;
            std::vector<const std::vector<double>*> data;
            for (const auto& group : m.groups)
                for (const Series& s : group)
                    if (s.display == kSeriesShown) data.push_back(i == 0 ? &s.x : &s.y);
            chartgeo::AutoRange(data, ax.log, ax.min, ax.max);
        }
        Axis& y2 = m.axes[2];
        if (y2.autoScale) {
            const Axis& y = m.axes[1];
            if (!y2.log || y.min > 0) {
                y2.min = y.min;
                y2.max = y.max;
            } else {
                std::vector<const std::vector<double>*> data;
                for (const auto& group : m.groups)
                    for (const Series& s : group)
                        if (s.display == kSeriesShown) data.push_back(&s.y);
                chartgeo::AutoRange(data, true, y2.min, y2.max);
            }
        }
    }

    double SpacingInForce(int i, int which) const {
        const Axis& ax = m.axes[i];
        const double autoValue = chartgeo::AutoSpacing(ax.min, ax.max, ax.log);
        return ax.spacingAuto[which] ? autoValue : ax.spacing[which];
    }
    // The spacing used for drawing: a manual one that needs too many lines falls back.
    double DrawSpacing(int i, int which) const {
        const Axis& ax = m.axes[i];
        const double v = SpacingInForce(i, which);
        if (chartgeo::LineCount(ax.min, ax.max, v) > chartgeo::kMaxLines)
            return chartgeo::AutoSpacing(ax.min, ax.max, false);
        return v;
    }

    // Gives a drawn axis the look, range and ticks of model axis i.
    void StyleAxis(QCPAxis* a, int i) {
        const Axis& ax = m.axes[i];
        a->setVisible(ax.shown);
        a->setScaleType(ax.log ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
        if (ax.log) {
            auto t = QSharedPointer<DecadeTicker>::create();
            t->setLogBase(10);
            t->setSubTickCount(8);
            a->setTicker(t);
        } else {
            auto t = QSharedPointer<SpacingTicker>::create();
            t->tickStep = DrawSpacing(i, 1);
            t->numberStep = DrawSpacing(i, 2);
            a->setTicker(t);
        }
        a->setRange(ax.min, ax.max);
        a->setNumberFormat(QStringLiteral("g"));
        a->setNumberPrecision(6);
        const QColor fore = ToQColor(m.areaFore);
        a->setBasePen(QPen(fore));
        a->setTickPen(QPen(fore));
        a->setSubTickPen(QPen(fore));
        a->setTickLabelColor(fore);
        a->setTickLabelFont(ax.numberFont);
        a->setTickLabelRotation(ax.numberRotation == kTextVertical ? -90 : 0);
        // A horizontal "Y" title stands above the axis as a text item (see SyncPlaced).
        const bool titleOnAxis = i == 0 || ax.titleRotation == kTextVertical;
        a->setLabel(titleOnAxis ? ToQText(ax.title) : QString());
        a->setLabelFont(ax.titleFont);
        a->setLabelColor(ToQColor(ax.titleColor));
    }

    // The "Y" axis is drawn at the right edge when "X" puts its origin at the maximum and "Y2"
    // does not take that edge.
    bool YOnRight() const { return m.axes[0].origin == kPlaceAtMaximum && !m.axes[2].shown; }

    void SyncAxes() {
        // Curves always map through the bottom and left axes; where the origin placement moves an
        // axis to the opposite edge, the axis there is drawn with the same look and the mapping axis
        // is hidden.
        for (int i = 0; i < 3; ++i) StyleAxis(axes[i], i);
        StyleAxis(plot->xAxis2, 0);
        const bool xOnTop = m.axes[1].origin == kPlaceAtMaximum;
        plot->xAxis2->setVisible(m.axes[0].shown && xOnTop);
        plot->xAxis->setVisible(m.axes[0].shown && !xOnTop);
        if (YOnRight()) {
            StyleAxis(plot->yAxis2, 1);
            plot->yAxis->setVisible(false);
        }
        for (int i = 0; i < 3; ++i) {
            const Axis& ax = m.axes[i];
            SpacedGrid* g = grids[i];
            g->setVisible(ax.shown && ax.gridPattern != kLineNone);
            g->pen = PatternPen(ax.gridPattern, ax.gridColor, 0);
            g->log = ax.log;
            g->step = DrawSpacing(i, 0);
        }
    }

    void SyncSeries() {
        plot->clearPlottables();
        for (int g = 0; g < 2; ++g) {
            for (const Series& s : m.groups[g]) {
                if (s.display != kSeriesShown) continue;
                const QPen pen = PatternPen(s.linePattern, s.lineColor, s.lineWidth);
                const QCPScatterStyle sym = SymbolStyle(s.symbolShape, s.symbolColor, s.symbolSize);
                QCPCurve* first = nullptr;
                const size_t n = std::min(s.x.size(), s.y.size());
                size_t i = 0;
                // One curve per run of points between holes, so that holes leave gaps.
                while (i < n || !first) {
                    QVector<double> xs, ys;
                    for (; i < n; ++i) {
                        const bool hole = s.x[i] == kChartHole || s.y[i] == kChartHole;
                        if (hole) {
                            if (!xs.isEmpty()) break;
                            continue;
                        }
                        xs.push_back(s.x[i]);
                        ys.push_back(s.y[i]);
                    }
                    auto* c = new QCPCurve(plot->xAxis, plot->yAxis);
                    c->setData(xs, ys);
                    c->setPen(pen);
                    c->setScatterStyle(sym);
                    c->setName(QString::fromStdString(s.legend));
                    if (!first) first = c;
                    if (i >= n) break;
                }
                if (first && !s.legend.empty()) first->addToLegend();
            }
        }
    }

    void SyncAreas() {
        const int w = q->width(), h = q->height();
        plot->setBackground(QBrush(m.chartBack < 0 ? QColor(Qt::white) : ToQColor(m.chartBack)));
        QCPLayoutGrid* lay = plot->plotLayout();
        lay->setAutoMargins(QCP::msNone);
        lay->setMargins(QMargins(m.areaLeft, m.areaTop, m.areaLeft, m.areaTop));
        auto* area = new QCPItemRect(plot);
        area->setLayer(QStringLiteral("chartarea"));
        area->setClipToAxisRect(false);
        area->topLeft->setType(QCPItemPosition::ptAbsolute);
        area->bottomRight->setType(QCPItemPosition::ptAbsolute);
        area->topLeft->setCoords(m.areaLeft, m.areaTop);
        area->bottomRight->setCoords(w - m.areaLeft, h - m.areaTop);
        area->setBrush(QBrush(ToQColor(m.areaBack)));
        area->setPen(m.areaBorderWidth > 0 ? QPen(ToQColor(m.areaFore), m.areaBorderWidth) : QPen(Qt::NoPen));
        QCPAxisRect* ar = plot->axisRect();
        ar->setBackground(QBrush(ToQColor(m.plotBack)));
        QCP::MarginSides autoSides = QCP::msNone;
        const QCP::MarginSide sides[4] = {QCP::msLeft, QCP::msTop, QCP::msRight, QCP::msBottom};
        for (int k = 0; k < 4; ++k)
            if (m.marginAuto[k]) autoSides |= sides[k];
        ar->setAutoMargins(autoSides);
        ar->setMinimumMargins(QMargins(10, 10, 10, 10));
        ar->setMargins(QMargins(m.margin[0], m.margin[1], m.margin[2], m.margin[3]));
        if (m.plotFrame) {
            auto* frame = new QCPItemRect(plot);
            frame->setLayer(QStringLiteral("axes"));
            frame->setClipToAxisRect(false);
            frame->topLeft->setType(QCPItemPosition::ptAxisRectRatio);
            frame->bottomRight->setType(QCPItemPosition::ptAxisRectRatio);
            frame->topLeft->setCoords(0, 0);
            frame->bottomRight->setCoords(1, 1);
            frame->setPen(QPen(ToQColor(m.areaFore)));
            frame->setBrush(Qt::NoBrush);
        }
        // Origin at zero: a line in the axis colour where the other axis crosses.
        for (int i = 0; i < 2; ++i) {
            const Axis& ax = m.axes[i];
            if (ax.origin != kPlaceAtZero || ax.log || !(ax.min < 0 && ax.max > 0)) continue;
            auto* line = new QCPItemStraightLine(plot);
            line->setPen(QPen(ToQColor(m.areaFore)));
            if (i == 0) {
                line->point1->setCoords(0, 0);
                line->point2->setCoords(0, 1);
            } else {
                line->point1->setCoords(0, 0);
                line->point2->setCoords(1, 0);
            }
        }
    }

    void SyncLegendStyle() {
        QCPLegend* lg = plot->legend;
        const Legend& L = m.legend;
        lg->setFont(L.font);
        lg->setTextColor(ToQColor(L.fore));
        lg->setBrush(QBrush(ToQColor(L.back)));
        lg->setBorderPen(Framed(L.border) ? QPen(ToQColor(L.fore)) : QPen(Qt::NoPen));
        lg->setFillOrder(L.orientation == kLegendHorizontal ? QCPLayoutGrid::foColumnsFirst
                                                            : QCPLayoutGrid::foRowsFirst,
                         true);
        lg->setWrap(0);
        lg->setVisible(L.shown && lg->itemCount() > 0);
    }

    QCPItemText* AddText(const QString& text, const QFont& font, int fore, int back, int border) {
        auto* t = new QCPItemText(plot);
        t->setLayer(QStringLiteral("legend"));
        t->setClipToAxisRect(false);
        t->position->setType(QCPItemPosition::ptAbsolute);
        t->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
        t->setTextAlignment(Qt::AlignLeft);
        t->setText(text);
        t->setFont(font);
        t->setColor(ToQColor(fore));
        t->setBrush(QBrush(ToQColor(back)));
        t->setPen(Framed(border) ? QPen(ToQColor(fore)) : QPen(Qt::NoPen));
        t->setPadding(QMargins(kTextPadH, kTextPadV, kTextPadH, kTextPadV));
        return t;
    }

    // The text of header (0) or footer (1) as drawn: lines that would run past the right edge of
    // the chart are broken at blanks.
    QString ShownText(int which) const {
        const chartmodel::TextBlock& tb = m.texts[which];
        const QString text = ToQText(tb.text);
        const int left = tb.located ? tb.left : (which == 0 ? 2 : m.areaLeft + 5);
        const int room = q->width() - std::max(0, left) - 2;
        if (text.isEmpty() || TextBoxSize(tb.font, text).width() <= room) return text;
        return WrapToWidth(tb.font, text, which == 0 && !tb.located ? q->width() - 4 : room);
    }

    chartgeo::PixRect TextRect(int which) const {
        const chartmodel::TextBlock& tb = m.texts[which];
        const QSize sz = TextBoxSize(tb.font, ShownText(which));
        chartgeo::PixRect r;
        if (!tb.shown || sz.isEmpty()) return r;
        int left = tb.left, top = tb.top;
        if (!tb.located) {
            if (which == 0) {
                left = std::max(0, (q->width() - sz.width()) / 2);
                top = m.areaTop + 2;
            } else {
                left = m.areaLeft + 5;
                top = q->height() - m.areaTop - sz.height() - 2;
            }
        }
        r.left = left;
        r.top = top;
        r.width = sz.width();
        r.height = sz.height();
        return r;
    }

    void Layout() {
        QCPLayoutGrid* lay = plot->plotLayout();
        lay->update(QCPLayoutElement::upPreparation);
        lay->update(QCPLayoutElement::upMargins);
        lay->update(QCPLayoutElement::upLayout);
    }

    // Items placed in pixels once the plot area is known: texts, legend, labels, Y titles.
    void SyncPlaced() {
        for (int k = 0; k < 2; ++k) {
            const chartgeo::PixRect r = TextRect(k);
            (k == 0 ? headerRect : footerRect) = r;
            if (r.Empty()) continue;
            const chartmodel::TextBlock& tb = m.texts[k];
            const QString text = ShownText(k);
            QCPItemText* t = AddText(text, tb.font, tb.fore, tb.back, tb.border);
            if (text != ToQText(tb.text)) t->setTextAlignment(k == 0 ? Qt::AlignHCenter : Qt::AlignLeft);
            t->position->setCoords(r.left, r.top);
        }
        // Horizontal titles of "Y" and "Y2" stand above the ends of their axes.
        for (int i = 1; i < 3; ++i) {
            const Axis& ax = m.axes[i];
            if (!ax.shown || ax.titleRotation != kTextHorizontal || ax.title.empty()) continue;
            QCPItemText* t = AddText(ToQText(ax.title), ax.titleFont, ax.titleColor, kTransparent, kBorderNone);
            t->setColor(ToQColor(ax.titleColor));
            const QSize sz = TextBoxSize(ax.titleFont, ToQText(ax.title));
            const bool left = i == 1 && !YOnRight();
            const double x = left ? std::max<double>(m.areaLeft + 2, plotRect.left - sz.width() / 2.0)
                                    : std::min<double>(q->width() - m.areaLeft - sz.width() - 2,
                                                       plotRect.left + plotRect.width - sz.width() / 2.0);
            double y = plotRect.top - sz.height() - 2;
            if (m.axes[0].shown && m.axes[1].origin == kPlaceAtMaximum) {  // "X" numbers are above the plot
                y = m.areaTop + 2;
                if (!m.texts[0].located && !headerRect.Empty()) y += headerRect.height + 4;
            }
            t->position->setCoords(x, std::max(0.0, y));
        }
        // Legend: placed in pixels through the free inset of the plot area.
        legendRect = {};
        QCPLegend* lg = plot->legend;
        if (lg->visible()) {
            const QSize sz = lg->minimumOuterSizeHint();
            int left = m.legend.left, top = m.legend.top;
            if (!m.legend.located) {
                left = q->width() - m.areaLeft - sz.width() - 10;
                top = m.areaTop + 30;
            }
            // The legend never runs past the chart's right or bottom edge: a place chosen for a
            // narrower legend moves left (or up) as far as its texts need.
            left = std::max(0, std::min(left, q->width() - sz.width() - 1));
            top = std::max(0, std::min(top, q->height() - sz.height() - 1));
            legendRect = {double(left), double(top), double(sz.width()), double(sz.height())};
            // The inset rectangle is given in fractions of the inset layout's own rectangle.
            QCPLayoutInset* inset = plot->axisRect()->insetLayout();
            const QRectF base = inset->rect();
            if (base.width() > 0 && base.height() > 0) {
                inset->setInsetRect(0, QRectF((left - base.left()) / base.width(), (top - base.top()) / base.height(),
                                              sz.width() / base.width(), sz.height() / base.height()));
            }
        }
        for (const Label& lb : m.labels) {
            if (!lb.shown || lb.text.empty()) continue;
            double px = lb.pixelX, py = lb.pixelY;
            if (lb.attach != kAttachPixel) {
                double x = lb.dataX, y = lb.dataY;
                if (lb.attach == kAttachSeries) {
                    const Series* s = const_cast<Impl*>(this)->S(lb.group, lb.series);
                    if (!s || s->x.empty()) continue;
                    const int n = static_cast<int>(std::min(s->x.size(), s->y.size()));
                    const int p = std::clamp(lb.point, 1, n);
                    x = s->x[p - 1];
                    y = s->y[p - 1];
                }
                if (!chartgeo::ToPixel(Scale(0), x, px) || !chartgeo::ToPixel(Scale(1), y, py)) continue;
                if (!plotRect.Contains(px, py)) continue;
            }
            QCPItemText* t = AddText(ToQText(lb.text), lb.font, lb.fore, lb.back, lb.border);
            const double o = lb.offset;
            Qt::Alignment al = Qt::AlignLeft | Qt::AlignBottom;
            switch (lb.anchor) {
            case kAnchorNorth: al = Qt::AlignHCenter | Qt::AlignBottom; py -= o; break;
            case kAnchorSouth: al = Qt::AlignHCenter | Qt::AlignTop; py += o; break;
            case kAnchorEast: al = Qt::AlignLeft | Qt::AlignVCenter; px += o; break;
            case kAnchorWest: al = Qt::AlignRight | Qt::AlignVCenter; px -= o; break;
            case kAnchorSouthEast: al = Qt::AlignLeft | Qt::AlignTop; px += o; py += o; break;
            case kAnchorNorthWest: al = Qt::AlignRight | Qt::AlignBottom; px -= o; py -= o; break;
            case kAnchorSouthWest: al = Qt::AlignRight | Qt::AlignTop; px -= o; py += o; break;
            default: px += o; py -= o; break;  // north-east
            }
            if (lb.attach == kAttachSeries) {
                // A curve label stays inside the plot area, clear of header and axis numbers.
                const QSize sz = TextBoxSize(lb.font, ToQText(lb.text));
                double left = px, top = py;
                if (al & Qt::AlignHCenter) left -= sz.width() / 2.0;
                else if (al & Qt::AlignRight) left -= sz.width();
                if (al & Qt::AlignVCenter) top -= sz.height() / 2.0;
                else if (al & Qt::AlignBottom) top -= sz.height();
                px = std::clamp(left, plotRect.left, std::max(plotRect.left, plotRect.left + plotRect.width - sz.width()));
                py = std::clamp(top, plotRect.top, std::max(plotRect.top, plotRect.top + plotRect.height - sz.height()));
                al = Qt::AlignLeft | Qt::AlignTop;
            }
            t->setPositionAlignment(al);
            t->position->setCoords(px, py);
        }
    }

    // Automatic margins also leave room for a header and footer at their default places and for
    // horizontal "Y" titles above the plot area.
    void ReserveTextRoom() {
        QCPAxisRect* ar = plot->axisRect();
        const QMargins now = ar->margins();
        int top = 0, bottom = 0;
        const chartgeo::PixRect head = TextRect(0), foot = TextRect(1);
        if (!m.texts[0].located && !head.Empty()) top += static_cast<int>(head.height) + 4;
        int titleH = 0;
        for (int i = 1; i < 3; ++i) {
            const Axis& ax = m.axes[i];
            if (ax.shown && ax.titleRotation == kTextHorizontal && !ax.title.empty())
                titleH = std::max(titleH, TextBoxSize(ax.titleFont, ToQText(ax.title)).height());
        }
        if (titleH > 0) top += titleH + 4;
        // A header right above the plot must not cover the upper half of a number standing at its top.
        const int zahlUeberstand = !m.texts[0].located && !head.Empty() ? TopNumberOverhang() : 0;
        top += zahlUeberstand;
        if (top > 0 && m.axes[0].shown && m.axes[1].origin == kPlaceAtMaximum) top += now.top();  // "X" on top
        if (!m.texts[1].located && !foot.Empty()) bottom = now.bottom() + static_cast<int>(foot.height) + 2;
        if (top == 0 && bottom == 0) return;
        if (!m.marginAuto[1] && !m.texts[0].located && !head.Empty()) {
            // A fixed top margin still leaves room for a header that is broken into several lines.
            const int need = static_cast<int>(head.top + head.height) + 4 + zahlUeberstand - m.areaTop;
            if (need > now.top()) {
                ar->setMargins(QMargins(now.left(), need, now.right(), now.bottom()));
                Layout();
            }
        }
        QMargins minimum = ar->minimumMargins();
        if (m.marginAuto[1]) minimum.setTop(std::max(minimum.top(), top + 4));
        if (m.marginAuto[3]) minimum.setBottom(std::max(minimum.bottom(), bottom));
        ar->setMinimumMargins(minimum);
        Layout();
    }

    // How far the number at the upper end of "Y" reaches above the plot area (0 when none does).
    int TopNumberOverhang() const {
        const Axis& y = m.axes[1];
        if (!y.shown || !(y.max > y.min)) return 0;
        double oben = 0;
        if (y.log) {
            if (!(y.max > 0)) return 0;
            oben = std::pow(10.0, std::floor(std::log10(y.max) + 1e-6));
        } else {
            const double schritt = DrawSpacing(1, 2);
            if (!(schritt > 0)) return 0;
            oben = std::floor(y.max / schritt + 1e-6) * schritt;
        }
        if (oben < y.min) return 0;
        const QFontMetrics fm(y.numberFont);
        const int halb = (y.numberRotation == kTextVertical ? fm.horizontalAdvance(QStringLiteral("0.000")) : fm.height()) / 2;
        const double abstand = axes[1]->coordToPixel(oben) - plot->axisRect()->rect().top();
        return std::max(0, halb - static_cast<int>(abstand));
    }

    void ReadPlotRect() {
        const QRect r = plot->axisRect()->rect();
        plotRect = {double(r.left()), double(r.top()), double(r.width()), double(r.height())};
    }

    // Model -> drawing objects and layout (no painting).
    void Sync() {
        dirty = false;
        const QRect vp(0, 0, std::max(1, q->width()), std::max(1, q->height()));
        plot->setGeometry(vp);
        plot->setViewport(vp);
        ComputeRanges();
        plot->clearItems();
        SyncAxes();
        SyncSeries();
        SyncAreas();
        SyncLegendStyle();
        Layout();
        ReserveTextRoom();
        ReadPlotRect();
        SyncPlaced();
        Layout();
        ReadPlotRect();
    }

    NearestPoint Nearest(int group, int x, int y) {
        Ensure();
        if (group < 1 || group > 2) return {};
        std::vector<chartgeo::SeriesPoints> pts;
        for (const Series& s : m.groups[group - 1]) pts.push_back({&s.x, &s.y, s.display == kSeriesShown});
        return chartgeo::Nearest(pts, Scale(0), Scale(1), x, y);
    }

    bool ZoomTo(int x1, int y1, int x2, int y2) {
        Ensure();
        const double l = std::clamp<double>(std::min(x1, x2), plotRect.left, plotRect.left + plotRect.width);
        const double r = std::clamp<double>(std::max(x1, x2), plotRect.left, plotRect.left + plotRect.width);
        const double t = std::clamp<double>(std::min(y1, y2), plotRect.top, plotRect.top + plotRect.height);
        const double b = std::clamp<double>(std::max(y1, y2), plotRect.top, plotRect.top + plotRect.height);
        if (r - l < kMinZoomPixels || b - t < kMinZoomPixels) return false;
        double range[3][2];
        for (int i = 0; i < 3; ++i) {
            chartgeo::AxisScale s = Scale(i == 0 ? 0 : 1);
            s.min = m.axes[i].min;
            s.max = m.axes[i].max;
            s.log = m.axes[i].log;
            const double p1 = i == 0 ? l : b, p2 = i == 0 ? r : t;
            if (!chartgeo::ToData(s, p1, range[i][0]) || !chartgeo::ToData(s, p2, range[i][1])) return false;
            if (!(range[i][0] < range[i][1])) return false;
        }
        if (!zoomed) {
            preZoom = m.axes;
            zoomed = true;
        }
        for (int i = 0; i < 3; ++i) {
            m.axes[i].autoScale = false;
            m.axes[i].min = range[i][0];
            m.axes[i].max = range[i][1];
        }
        Changed();
        return true;
    }
};

// ---------------------------------------------------------------------------------------------

Chart2D::Chart2D(QWidget* parent) : QWidget(parent), d(std::make_unique<Impl>(this)) {
    setMinimumSize(50, 50);
    resize(600, 400);
    setFocusPolicy(Qt::StrongFocus);
}

Chart2D::~Chart2D() { d->plot->removeEventFilter(this); }

void Chart2D::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    d->Changed();  // first, so that the plot's own resize leaves the drawing to the coming redraw
    d->plot->setGeometry(rect());
}

// ---- Batching ----------------------------------------------------------------------------------

void Chart2D::SetRepaintSuspended(bool on) {
    if (d->suspended == on) return;
    d->suspended = on;
    if (!on) d->Changed();
}
bool Chart2D::IsRepaintSuspended() const { return d->suspended; }

void Chart2D::SetDataBatched(int group, bool on) {
    if (group < 1 || group > 2 || d->batched[group - 1] == on) return;
    d->batched[group - 1] = on;
    if (!on) d->Changed(group);
}
bool Chart2D::IsDataBatched(int group) const { return group >= 1 && group <= 2 && d->batched[group - 1]; }

// ---- Placement ---------------------------------------------------------------------------------

void Chart2D::SetPlacement(int left, int top, int width, int height) {
    setGeometry(left, top, std::max(1, width), std::max(1, height));
    d->Changed();
}

void Chart2D::SetChartAreaLocation(int left, int top) {
    d->m.areaLeft = std::clamp(left, 0, 1000);
    d->m.areaTop = std::clamp(top, 0, 1000);
    d->Changed();
}
int Chart2D::ChartAreaLeft() const { return d->m.areaLeft; }
int Chart2D::ChartAreaTop() const { return d->m.areaTop; }
int Chart2D::ChartAreaWidth() const { return std::max(0, width() - 2 * d->m.areaLeft); }
int Chart2D::ChartAreaHeight() const { return std::max(0, height() - 2 * d->m.areaTop); }
int Chart2D::PlotAreaLeft() const { d->Ensure(); return static_cast<int>(d->plotRect.left); }
int Chart2D::PlotAreaTop() const { d->Ensure(); return static_cast<int>(d->plotRect.top); }
int Chart2D::PlotAreaWidth() const { d->Ensure(); return static_cast<int>(d->plotRect.width); }
int Chart2D::PlotAreaHeight() const { d->Ensure(); return static_cast<int>(d->plotRect.height); }

// ---- Groups and series -------------------------------------------------------------------------

bool Chart2D::SetSeriesCount(int group, int count) {
    if (group < 1 || group > 2 || count < 0 || count > kMaxSeries) return false;
    auto& g = d->m.groups[group - 1];
    if (static_cast<int>(g.size()) == count) return true;
    g.resize(count);
    d->Changed(group);
    return true;
}
int Chart2D::SeriesCount(int group) const {
    return group >= 1 && group <= 2 ? static_cast<int>(d->m.groups[group - 1].size()) : 0;
}

bool Chart2D::SetPointCount(int group, int series, int count) {
    Series* s = d->S(group, series);
    if (!s || count < 0 || count > 10'000'000) return false;
    s->x.resize(count, kChartHole);
    s->y.resize(count, kChartHole);
    d->Changed(group);
    return true;
}
int Chart2D::PointCount(int group, int series) const {
    const Series* s = d->S(group, series);
    return s ? static_cast<int>(s->x.size()) : 0;
}

void Chart2D::SetX(int group, int series, int point, double x) {
    Series* s = d->S(group, series);
    if (!s || point < 1 || point > static_cast<int>(s->x.size())) return;
    s->x[point - 1] = std::isfinite(x) ? x : kChartHole;
    d->Changed(group);
}
void Chart2D::SetY(int group, int series, int point, double y) {
    Series* s = d->S(group, series);
    if (!s || point < 1 || point > static_cast<int>(s->y.size())) return;
    s->y[point - 1] = std::isfinite(y) ? y : kChartHole;
    d->Changed(group);
}
void Chart2D::SetPoint(int group, int series, int point, double x, double y) {
    SetX(group, series, point, x);
    SetY(group, series, point, y);
}
double Chart2D::X(int group, int series, int point) const {
    const Series* s = d->S(group, series);
    return s && point >= 1 && point <= static_cast<int>(s->x.size()) ? s->x[point - 1] : kChartHole;
}
double Chart2D::Y(int group, int series, int point) const {
    const Series* s = d->S(group, series);
    return s && point >= 1 && point <= static_cast<int>(s->y.size()) ? s->y[point - 1] : kChartHole;
}
bool Chart2D::SetSeriesData(int group, int series, const std::vector<double>& x, const std::vector<double>& y) {
    Series* s = d->S(group, series);
    if (!s || x.size() != y.size()) return false;
    s->x = x;
    s->y = y;
    for (double& v : s->x) if (!std::isfinite(v)) v = kChartHole;
    for (double& v : s->y) if (!std::isfinite(v)) v = kChartHole;
    d->Changed(group);
    return true;
}

bool Chart2D::SetDisplay(int group, int series, int state) {
    Series* s = d->S(group, series);
    if (!s || state < kSeriesShown || state > kSeriesEmptied) return false;
    s->display = state;
    d->Changed(group);
    return true;
}
int Chart2D::Display(int group, int series) const {
    const Series* s = d->S(group, series);
    return s ? s->display : 0;
}

// ---- Series style ------------------------------------------------------------------------------

bool Chart2D::SetLinePattern(int group, int series, int pattern) {
    Series* s = d->S(group, series);
    if (!s || !ValidPattern(pattern)) return false;
    s->linePattern = pattern;
    d->Changed();
    return true;
}
int Chart2D::LinePattern(int group, int series) const {
    const Series* s = d->S(group, series);
    return s ? s->linePattern : 0;
}
void Chart2D::SetLineColor(int group, int series, int color) {
    if (Series* s = d->S(group, series)) {
        s->lineColor = color;
        d->Changed();
    }
}
int Chart2D::LineColor(int group, int series) const {
    const Series* s = d->S(group, series);
    return s ? s->lineColor : 0;
}
bool Chart2D::SetLineWidth(int group, int series, int width) {
    Series* s = d->S(group, series);
    if (!s || width < 1 || width > 20) return false;
    s->lineWidth = width;
    d->Changed();
    return true;
}
int Chart2D::LineWidth(int group, int series) const {
    const Series* s = d->S(group, series);
    return s ? s->lineWidth : 0;
}
bool Chart2D::SetSymbolShape(int group, int series, int shape) {
    Series* s = d->S(group, series);
    if (!s || shape < kSymbolNone || shape > kSymbolOpenTriangleDown) return false;
    s->symbolShape = shape;
    d->Changed();
    return true;
}
int Chart2D::SymbolShape(int group, int series) const {
    const Series* s = d->S(group, series);
    return s ? s->symbolShape : 0;
}
void Chart2D::SetSymbolColor(int group, int series, int color) {
    if (Series* s = d->S(group, series)) {
        s->symbolColor = color;
        d->Changed();
    }
}
int Chart2D::SymbolColor(int group, int series) const {
    const Series* s = d->S(group, series);
    return s ? s->symbolColor : 0;
}
bool Chart2D::SetSymbolSize(int group, int series, int size) {
    Series* s = d->S(group, series);
    if (!s || size < 0 || size > 100) return false;
    s->symbolSize = size;
    d->Changed();
    return true;
}
int Chart2D::SymbolSize(int group, int series) const {
    const Series* s = d->S(group, series);
    return s ? s->symbolSize : 0;
}
void Chart2D::SetLegendText(int group, int series, const std::string& text) {
    if (Series* s = d->S(group, series)) {
        s->legend = text;
        d->Changed();
    }
}
std::string Chart2D::LegendText(int group, int series) const {
    const Series* s = d->S(group, series);
    return s ? s->legend : std::string();
}

// ---- Axes --------------------------------------------------------------------------------------

void Chart2D::SetAxisShown(ChartAxis axis, bool on) {
    d->A(axis).shown = on;
    d->Changed();
}
bool Chart2D::AxisShown(ChartAxis axis) const { return d->A(axis).shown; }

double Chart2D::AxisMin(ChartAxis axis) const {
    d->ComputeRanges();
    return d->A(axis).min;
}
double Chart2D::AxisMax(ChartAxis axis) const {
    d->ComputeRanges();
    return d->A(axis).max;
}
bool Chart2D::SetAxisRange(ChartAxis axis, double min, double max) {
    Axis& a = d->A(axis);
    if (!std::isfinite(min) || !std::isfinite(max) || !(min < max) || (a.log && min <= 0)) return false;
    a.min = min;
    a.max = max;
    a.autoScale = false;
    d->Changed();
    return true;
}
bool Chart2D::SetAxisMin(ChartAxis axis, double min) { return SetAxisRange(axis, min, AxisMax(axis)); }
bool Chart2D::SetAxisMax(ChartAxis axis, double max) { return SetAxisRange(axis, AxisMin(axis), max); }
void Chart2D::SetAxisAutoScale(ChartAxis axis, bool on) {
    d->A(axis).autoScale = on;
    d->Changed();
}
bool Chart2D::AxisAutoScale(ChartAxis axis) const { return d->A(axis).autoScale; }
bool Chart2D::SetAxisLog(ChartAxis axis, bool on) {
    Axis& a = d->A(axis);
    if (on && !a.log && !a.autoScale && a.min <= 0) return false;
    a.log = on;
    d->Changed();
    return true;
}
bool Chart2D::AxisLog(ChartAxis axis) const { return d->A(axis).log; }

void Chart2D::SetGridShown(ChartAxis axis, bool on) {
    int& pattern = d->A(axis).gridPattern;
    if (on == (pattern != kLineNone)) return;
    pattern = on ? kLineSolid : kLineNone;
    d->Changed();
}
bool Chart2D::GridShown(ChartAxis axis) const { return d->A(axis).gridPattern != kLineNone; }
bool Chart2D::SetGridPattern(ChartAxis axis, int pattern) {
    if (!ValidPattern(pattern)) return false;
    d->A(axis).gridPattern = pattern;
    d->Changed();
    return true;
}
int Chart2D::GridPattern(ChartAxis axis) const { return d->A(axis).gridPattern; }
void Chart2D::SetGridColor(ChartAxis axis, int color) {
    d->A(axis).gridColor = color;
    d->Changed();
}
int Chart2D::GridColor(ChartAxis axis) const { return d->A(axis).gridColor; }

bool Chart2D::SetSpacing(ChartAxis axis, AxisSpacing which, double value) {
    if (!std::isfinite(value) || value <= 0) return false;
    Axis& a = d->A(axis);
    a.spacing[SpacingIndex(which)] = value;
    a.spacingAuto[SpacingIndex(which)] = false;
    d->Changed();
    return true;
}
void Chart2D::SetSpacingAuto(ChartAxis axis, AxisSpacing which, bool on) {
    d->A(axis).spacingAuto[SpacingIndex(which)] = on;
    d->Changed();
}
bool Chart2D::SpacingAuto(ChartAxis axis, AxisSpacing which) const {
    return d->A(axis).spacingAuto[SpacingIndex(which)];
}
double Chart2D::Spacing(ChartAxis axis, AxisSpacing which) const {
    d->ComputeRanges();
    return d->SpacingInForce(AxisIndex(axis), SpacingIndex(which));
}

bool Chart2D::SetAxisOrigin(ChartAxis axis, int placement) {
    if (placement < kPlaceAtZero || placement > kPlaceAtMaximum) return false;
    d->A(axis).origin = placement;
    d->Changed();
    return true;
}
int Chart2D::AxisOrigin(ChartAxis axis) const { return d->A(axis).origin; }
bool Chart2D::SetNumberPlacement(ChartAxis axis, int placement) {
    if (placement < kPlaceAtZero || placement > kPlaceAtMaximum) return false;
    d->A(axis).numberPlacement = placement;
    d->Changed();
    return true;
}
int Chart2D::NumberPlacement(ChartAxis axis) const { return d->A(axis).numberPlacement; }

void Chart2D::SetAxisTitle(ChartAxis axis, const std::string& text) {
    d->A(axis).title = text;
    d->Changed();
}
std::string Chart2D::AxisTitle(ChartAxis axis) const { return d->A(axis).title; }
void Chart2D::SetAxisTitleFont(ChartAxis axis, const QFont& font) {
    d->A(axis).titleFont = font;
    d->Changed();
}
QFont Chart2D::AxisTitleFont(ChartAxis axis) const { return d->A(axis).titleFont; }
void Chart2D::SetAxisTitleColor(ChartAxis axis, int color) {
    d->A(axis).titleColor = color;
    d->Changed();
}
int Chart2D::AxisTitleColor(ChartAxis axis) const { return d->A(axis).titleColor; }
bool Chart2D::SetAxisTitleRotation(ChartAxis axis, int rotation) {
    if (rotation != kTextHorizontal && rotation != kTextVertical) return false;
    d->A(axis).titleRotation = rotation;
    d->Changed();
    return true;
}
int Chart2D::AxisTitleRotation(ChartAxis axis) const { return d->A(axis).titleRotation; }
void Chart2D::SetAxisNumberFont(ChartAxis axis, const QFont& font) {
    d->A(axis).numberFont = font;
    d->Changed();
}
QFont Chart2D::AxisNumberFont(ChartAxis axis) const { return d->A(axis).numberFont; }
bool Chart2D::SetAxisNumberRotation(ChartAxis axis, int rotation) {
    if (rotation != kTextHorizontal && rotation != kTextVertical) return false;
    d->A(axis).numberRotation = rotation;
    d->Changed();
    return true;
}
int Chart2D::AxisNumberRotation(ChartAxis axis) const { return d->A(axis).numberRotation; }

// ---- Areas -------------------------------------------------------------------------------------

void Chart2D::SetChartBackColor(int color) { d->m.chartBack = color; d->Changed(); }
int Chart2D::ChartBackColor() const { return d->m.chartBack; }
void Chart2D::SetChartAreaBackColor(int color) { d->m.areaBack = color; d->Changed(); }
int Chart2D::ChartAreaBackColor() const { return d->m.areaBack; }
void Chart2D::SetChartAreaForeColor(int color) { d->m.areaFore = color; d->Changed(); }
int Chart2D::ChartAreaForeColor() const { return d->m.areaFore; }
bool Chart2D::SetChartAreaBorderWidth(int width) {
    if (width < 0 || width > 20) return false;
    d->m.areaBorderWidth = width;
    d->Changed();
    return true;
}
int Chart2D::ChartAreaBorderWidth() const { return d->m.areaBorderWidth; }
void Chart2D::SetPlotAreaBackColor(int color) { d->m.plotBack = color; d->Changed(); }
int Chart2D::PlotAreaBackColor() const { return d->m.plotBack; }
void Chart2D::SetPlotFrame(bool on) { d->m.plotFrame = on; d->Changed(); }
bool Chart2D::PlotFrame() const { return d->m.plotFrame; }

bool Chart2D::SetPlotMargin(MarginSide side, int pixels) {
    if (pixels < 0 || pixels > 1000) return false;
    d->m.margin[SideIndex(side)] = pixels;
    d->m.marginAuto[SideIndex(side)] = false;
    d->Changed();
    return true;
}
void Chart2D::SetPlotMarginAuto(MarginSide side, bool on) {
    d->m.marginAuto[SideIndex(side)] = on;
    d->Changed();
}
bool Chart2D::PlotMarginAuto(MarginSide side) const { return d->m.marginAuto[SideIndex(side)]; }
int Chart2D::PlotMargin(MarginSide side) const {
    if (!d->m.marginAuto[SideIndex(side)]) return d->m.margin[SideIndex(side)];
    d->Ensure();
    const QMargins mg = d->plot->axisRect()->margins();
    switch (side) {
    case MarginSide::Left: return mg.left();
    case MarginSide::Top: return mg.top();
    case MarginSide::Right: return mg.right();
    default: return mg.bottom();
    }
}

// ---- Header and footer -------------------------------------------------------------------------

void Chart2D::SetTextBlock(ChartText which, const std::string& text) {
    d->m.texts[TextIndex(which)].text = text;
    d->Changed();
}
std::string Chart2D::TextBlock(ChartText which) const { return d->m.texts[TextIndex(which)].text; }
void Chart2D::SetTextBlockFont(ChartText which, const QFont& font) {
    d->m.texts[TextIndex(which)].font = font;
    d->Changed();
}
QFont Chart2D::TextBlockFont(ChartText which) const { return d->m.texts[TextIndex(which)].font; }
void Chart2D::SetTextBlockForeColor(ChartText which, int color) {
    d->m.texts[TextIndex(which)].fore = color;
    d->Changed();
}
int Chart2D::TextBlockForeColor(ChartText which) const { return d->m.texts[TextIndex(which)].fore; }
void Chart2D::SetTextBlockBackColor(ChartText which, int color) {
    d->m.texts[TextIndex(which)].back = color;
    d->Changed();
}
int Chart2D::TextBlockBackColor(ChartText which) const { return d->m.texts[TextIndex(which)].back; }
bool Chart2D::SetTextBlockBorder(ChartText which, int kind) {
    if (!ValidBorder(kind)) return false;
    d->m.texts[TextIndex(which)].border = kind;
    d->Changed();
    return true;
}
int Chart2D::TextBlockBorder(ChartText which) const { return d->m.texts[TextIndex(which)].border; }
void Chart2D::SetTextBlockLocation(ChartText which, int left, int top) {
    auto& tb = d->m.texts[TextIndex(which)];
    tb.located = true;
    tb.left = left;
    tb.top = top;
    d->Changed();
}
int Chart2D::TextBlockLeft(ChartText which) const {
    const auto& tb = d->m.texts[TextIndex(which)];
    if (tb.located) return tb.left;
    return static_cast<int>(d->TextRect(TextIndex(which)).left);
}
int Chart2D::TextBlockTop(ChartText which) const {
    const auto& tb = d->m.texts[TextIndex(which)];
    if (tb.located) return tb.top;
    return static_cast<int>(d->TextRect(TextIndex(which)).top);
}
int Chart2D::TextBlockWidth(ChartText which) const {
    return static_cast<int>(d->TextRect(TextIndex(which)).width);
}
int Chart2D::TextBlockHeight(ChartText which) const {
    return static_cast<int>(d->TextRect(TextIndex(which)).height);
}
void Chart2D::SetTextBlockShown(ChartText which, bool on) {
    d->m.texts[TextIndex(which)].shown = on;
    d->Changed();
}
bool Chart2D::TextBlockShown(ChartText which) const { return d->m.texts[TextIndex(which)].shown; }

// ---- Legend ------------------------------------------------------------------------------------

void Chart2D::SetLegendShown(bool on) { d->m.legend.shown = on; d->Changed(); }
bool Chart2D::LegendShown() const { return d->m.legend.shown; }
void Chart2D::SetLegendLocation(int left, int top) {
    d->m.legend.located = true;
    d->m.legend.left = left;
    d->m.legend.top = top;
    d->Changed();
}
int Chart2D::LegendLeft() const {
    if (d->m.legend.located) return d->m.legend.left;
    d->Ensure();
    return static_cast<int>(d->legendRect.left);
}
int Chart2D::LegendTop() const {
    if (d->m.legend.located) return d->m.legend.top;
    d->Ensure();
    return static_cast<int>(d->legendRect.top);
}
int Chart2D::LegendWidth() const { d->Ensure(); return static_cast<int>(d->legendRect.width); }
int Chart2D::LegendHeight() const { d->Ensure(); return static_cast<int>(d->legendRect.height); }
bool Chart2D::SetLegendOrientation(int orientation) {
    if (orientation != kLegendVertical && orientation != kLegendHorizontal) return false;
    d->m.legend.orientation = orientation;
    d->Changed();
    return true;
}
int Chart2D::LegendOrientation() const { return d->m.legend.orientation; }
bool Chart2D::SetLegendBorder(int kind) {
    if (!ValidBorder(kind)) return false;
    d->m.legend.border = kind;
    d->Changed();
    return true;
}
int Chart2D::LegendBorder() const { return d->m.legend.border; }
void Chart2D::SetLegendFont(const QFont& font) { d->m.legend.font = font; d->Changed(); }
QFont Chart2D::LegendFont() const { return d->m.legend.font; }
void Chart2D::SetLegendForeColor(int color) { d->m.legend.fore = color; d->Changed(); }
int Chart2D::LegendForeColor() const { return d->m.legend.fore; }
void Chart2D::SetLegendBackColor(int color) { d->m.legend.back = color; d->Changed(); }
int Chart2D::LegendBackColor() const { return d->m.legend.back; }

// ---- Labels ------------------------------------------------------------------------------------

int Chart2D::AddLabel() {
    if (static_cast<int>(d->m.labels.size()) >= kMaxLabels) return 0;
    d->m.labels.emplace_back();
    return static_cast<int>(d->m.labels.size());
}
int Chart2D::LabelCount() const { return static_cast<int>(d->m.labels.size()); }
void Chart2D::RemoveAllLabels() {
    d->m.labels.clear();
    d->Changed();
}

void Chart2D::SetLabelText(int label, const std::string& text) { d->EditLabel(label, [&](Label& l) { l.text = text; }); }
std::string Chart2D::LabelText(int label) const {
    const Label* lb = d->L(label);
    return lb ? lb->text : std::string();
}
bool Chart2D::SetLabelAttachSeries(int label, int group, int series, int point) {
    Label* lb = d->L(label);
    if (!lb || !d->S(group, series)) return false;
    lb->attach = kAttachSeries;
    lb->group = group;
    lb->series = series;
    lb->point = point;
    d->Changed();
    return true;
}
void Chart2D::SetLabelAttachData(int label, double x, double y) {
    Label* lb = d->L(label);
    if (!lb || !std::isfinite(x) || !std::isfinite(y)) return;
    lb->attach = kAttachData;
    lb->dataX = x;
    lb->dataY = y;
    d->Changed();
}
void Chart2D::SetLabelAttachPixel(int label, int x, int y) {
    Label* lb = d->L(label);
    if (!lb) return;
    lb->attach = kAttachPixel;
    lb->pixelX = x;
    lb->pixelY = y;
    d->Changed();
}
int Chart2D::LabelAttach(int label) const { const Label* lb = d->L(label); return lb ? lb->attach : 0; }
int Chart2D::LabelGroup(int label) const { const Label* lb = d->L(label); return lb ? lb->group : 0; }
int Chart2D::LabelSeries(int label) const { const Label* lb = d->L(label); return lb ? lb->series : 0; }
int Chart2D::LabelPoint(int label) const { const Label* lb = d->L(label); return lb ? lb->point : 0; }
double Chart2D::LabelDataX(int label) const { const Label* lb = d->L(label); return lb ? lb->dataX : 0; }
double Chart2D::LabelDataY(int label) const { const Label* lb = d->L(label); return lb ? lb->dataY : 0; }
void Chart2D::SetLabelOffset(int label, int pixels) {
    d->EditLabel(label, [&](Label& l) { l.offset = std::clamp(pixels, -1000, 1000); });
}
int Chart2D::LabelOffset(int label) const { const Label* lb = d->L(label); return lb ? lb->offset : 0; }
bool Chart2D::SetLabelAnchor(int label, int anchor) {
    Label* lb = d->L(label);
    if (!lb || anchor < kAnchorAuto || anchor > kAnchorSouthWest) return false;
    lb->anchor = anchor;
    d->Changed();
    return true;
}
int Chart2D::LabelAnchor(int label) const { const Label* lb = d->L(label); return lb ? lb->anchor : 0; }
void Chart2D::SetLabelForeColor(int label, int color) { d->EditLabel(label, [&](Label& l) { l.fore = color; }); }
int Chart2D::LabelForeColor(int label) const { const Label* lb = d->L(label); return lb ? lb->fore : 0; }
void Chart2D::SetLabelBackColor(int label, int color) { d->EditLabel(label, [&](Label& l) { l.back = color; }); }
int Chart2D::LabelBackColor(int label) const { const Label* lb = d->L(label); return lb ? lb->back : 0; }
void Chart2D::SetLabelFont(int label, const QFont& font) { d->EditLabel(label, [&](Label& l) { l.font = font; }); }
QFont Chart2D::LabelFont(int label) const { const Label* lb = d->L(label); return lb ? lb->font : QFont(); }
bool Chart2D::SetLabelBorder(int label, int kind) {
    Label* lb = d->L(label);
    if (!lb || !ValidBorder(kind)) return false;
    lb->border = kind;
    d->Changed();
    return true;
}
int Chart2D::LabelBorder(int label) const { const Label* lb = d->L(label); return lb ? lb->border : 0; }
void Chart2D::SetLabelShown(int label, bool on) { d->EditLabel(label, [&](Label& l) { l.shown = on; }); }
bool Chart2D::LabelShown(int label) const { const Label* lb = d->L(label); return lb && lb->shown; }

// ---- Geometry and hit tests --------------------------------------------------------------------

bool Chart2D::DataToPixel(double x, double y, double& px, double& py, bool useY2) const {
    d->Ensure();
    return chartgeo::ToPixel(d->Scale(0), x, px) &&
           chartgeo::ToPixel([&] {
               chartgeo::AxisScale s = d->Scale(1);
               if (useY2) {
                   s.min = d->m.axes[2].min;
                   s.max = d->m.axes[2].max;
                   s.log = d->m.axes[2].log;
               }
               return s;
           }(), y, py);
}
bool Chart2D::PixelToData(double px, double py, double& x, double& y, bool useY2) const {
    d->Ensure();
    chartgeo::AxisScale sy = d->Scale(1);
    if (useY2) {
        sy.min = d->m.axes[2].min;
        sy.max = d->m.axes[2].max;
        sy.log = d->m.axes[2].log;
    }
    return chartgeo::ToData(d->Scale(0), px, x) && chartgeo::ToData(sy, py, y);
}
int Chart2D::RegionAt(int x, int y) const {
    d->Ensure();
    return chartgeo::RegionAt(x, y, d->headerRect, d->footerRect, d->legendRect, d->plotRect);
}
NearestPoint Chart2D::NearestPointOf(int group, int x, int y) const { return d->Nearest(group, x, y); }

// ---- Zoom --------------------------------------------------------------------------------------

void Chart2D::SetZoomMode(bool on) {
    d->zoomMode = on;
    if (!on && d->banding) {
        d->banding = false;
        d->band->hide();
    }
}
bool Chart2D::ZoomMode() const { return d->zoomMode; }
bool Chart2D::ZoomToPixels(int x1, int y1, int x2, int y2) {
    if (!d->ZoomTo(x1, y1, x2, y2)) return false;
    emit Zoomed();
    return true;
}
void Chart2D::ResetZoom() {
    if (!d->zoomed) return;
    for (int i = 0; i < 3; ++i) {
        Axis& a = d->m.axes[i];
        const Axis& old = d->preZoom[i];
        a.min = old.min;
        a.max = old.max;
        a.autoScale = old.autoScale || (a.log && old.min <= 0);
    }
    d->zoomed = false;
    d->Changed();
    emit Zoomed();
}
bool Chart2D::IsZoomed() const { return d->zoomed; }

bool Chart2D::eventFilter(QObject* watched, QEvent* event) {
    if (!d || watched != d->plot) return QWidget::eventFilter(watched, event);
    auto shiftOf = [](Qt::KeyboardModifiers k) {
        return (k & Qt::ShiftModifier ? 1 : 0) | (k & Qt::ControlModifier ? 2 : 0) | (k & Qt::AltModifier ? 4 : 0);
    };
    switch (event->type()) {
    case QEvent::Show:
        if (d->redrawOnShow) d->Changed();
        return false;
    case QEvent::Resize:
        // A redraw is due anyway: the plot only takes its new size instead of drawing itself now.
        if (d->queued || d->suspended || d->redrawOnShow) {
            d->plot->setViewport(d->plot->rect());
            return true;
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {  // the second press of a double click arrives as this
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint p = e->position().toPoint();
        if (d->zoomMode && e->button() == Qt::LeftButton) {
            d->Ensure();
            if (d->plotRect.Contains(p.x(), p.y())) {
                d->banding = true;
                d->bandStart = p;
                d->band->setGeometry(QRect(p, QSize()));
                d->band->show();
            }
        }
        emit MouseDown(static_cast<int>(e->button()) & 7, shiftOf(e->modifiers()), p.x(), p.y());
        return true;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint p = e->position().toPoint();
        if (d->banding) d->band->setGeometry(QRect(d->bandStart, p).normalized());
        emit MouseMove(static_cast<int>(e->buttons()) & 7, shiftOf(e->modifiers()), p.x(), p.y());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint p = e->position().toPoint();
        if (d->banding && e->button() == Qt::LeftButton) {
            d->banding = false;
            d->band->hide();
            if (d->ZoomTo(d->bandStart.x(), d->bandStart.y(), p.x(), p.y())) emit Zoomed();
        }
        emit MouseUp(static_cast<int>(e->button()) & 7, shiftOf(e->modifiers()), p.x(), p.y());
        return true;
    }
    case QEvent::KeyPress: {
        auto* e = static_cast<QKeyEvent*>(event);
        if (e->key() == Qt::Key_Escape && d->banding) {
            d->banding = false;
            d->band->hide();
            return true;
        }
        return false;
    }
    default: return false;
    }
}

// ---- Layout file -------------------------------------------------------------------------------

bool Chart2D::SaveLayout(const std::string& path, std::string* error) const {
    d->ComputeRanges();
    std::string err;
    const bool ok = WriteText(path, chartmodel::ModelToText(d->m), err);
    if (!ok && error) *error = err;
    return ok;
}

bool Chart2D::LoadLayout(const std::string& path, std::string* error) {
    std::string text, err;
    Model loaded;
    if (!ReadText(path, text, err) || !chartmodel::ModelFromText(text, loaded, err)) {
        if (error) *error = err.empty() ? "Die Diagrammvorlage kann nicht gelesen werden." : err;
        return false;
    }
    d->m = std::move(loaded);
    d->zoomed = false;
    d->Changed();
    return true;
}

// ---- Picture output ----------------------------------------------------------------------------

namespace {

bool EndsWith(const std::string& path, const char* ext) {
    return QFileInfo(QString::fromStdString(path)).suffix().compare(QLatin1String(ext), Qt::CaseInsensitive) == 0;
}

}  // namespace

bool Chart2D::CopyToClipboard(int formatCode) {
    QClipboard* cb = QApplication::clipboard();
    if (!cb) return false;
    d->Sync();
    const QPixmap pix = d->plot->toPixmap(width(), height());
    if (pix.isNull()) return false;
    auto* mime = new QMimeData;
    mime->setImageData(pix.toImage());
    if (formatCode != kPictureBitmap) {
        QByteArray svg;
        QBuffer buf(&svg);
        buf.open(QIODevice::WriteOnly);
        QSvgGenerator gen;
        gen.setOutputDevice(&buf);
        gen.setSize(size());
        gen.setViewBox(QRect(QPoint(0, 0), size()));
        QCPPainter painter;
        if (!painter.begin(&gen)) {
            delete mime;
            return false;
        }
        d->plot->toPainter(&painter, width(), height());
        painter.end();
        mime->setData(QStringLiteral("image/svg+xml"), svg);
    }
    cb->setMimeData(mime);
    return true;
}

namespace {

// The picture bytes of a chart of w x h pixels for a file name and format code: BMP or PNG for
// bitmaps, SVG or PDF for the vector codes. Empty with a reason on failure.
QByteArray PictureBytes(QCustomPlot* plot, int w, int h, const std::string& path, int formatCode, std::string& error) {
    QByteArray bytes;
    if (w <= 0 || h <= 0) {
        error = "Das Diagramm hat keine Fläche (Breite oder Höhe 0).";
        return {};
    }
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    if (formatCode == kPictureBitmap) {
        const QPixmap pix = plot->toPixmap(w, h);
        if (pix.isNull() || !pix.save(&buf, EndsWith(path, "png") ? "PNG" : "BMP")) bytes.clear();
    } else if (formatCode == kPictureMetafile || formatCode == kPictureEnhanced || formatCode == kPictureStandard ||
               formatCode == 13) {
        QCPPainter painter;
        if (EndsWith(path, "pdf")) {
            QPdfWriter pdf(&buf);
            pdf.setResolution(72);
            pdf.setPageSize(QPageSize(QSizeF(w, h), QPageSize::Point));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setCreator(QStringLiteral("TARVELO"));
            if (!painter.begin(&pdf)) return {};
            plot->toPainter(&painter, w, h);
            painter.end();
        } else {
            QSvgGenerator gen;
            gen.setOutputDevice(&buf);
            gen.setSize(QSize(w, h));
            gen.setViewBox(QRect(0, 0, w, h));
            gen.setTitle(QStringLiteral("TARVELO"));
            if (!painter.begin(&gen)) return {};
            plot->toPainter(&painter, w, h);
            painter.end();
        }
    } else {
        error = "Unbekanntes Bildformat " + std::to_string(formatCode) + ".";
        return {};
    }
    if (bytes.isEmpty() && error.empty()) error = "Das Bild konnte nicht erzeugt werden.";
    return bytes;
}

}  // namespace

bool Chart2D::SavePicture(const std::string& path, int formatCode, std::string* error) {
    std::string reason;
    if (path.empty()) {
        reason = "Kein Dateiname.";
    } else {
        d->Sync();
        // The whole picture is made first and then written through a temporary file that replaces
        // the target only when complete: a failed save leaves an existing file as it was.
        const QByteArray bytes = PictureBytes(d->plot, width(), height(), path, formatCode, reason);
        if (!bytes.isEmpty() && WriteBytes(path, bytes.toStdString(), reason)) return true;
    }
    if (error) *error = reason;
    return false;
}

QRectF Chart2D::PrintRect(const QPrinter& printer, int scaleCode, double leftCm, double topCm, double widthCm,
                          double heightCm) const {
    // 567 twips per cm; the printer's twips per pixel are 1440 / its resolution. The margins
    // count from the printable area's corner, less the half centimetre a printer cannot reach.
    constexpr double kTwipsPerCm = 567, kTwipsPerInch = 1440;
    const double perCmX = kTwipsPerCm * printer.logicalDpiX() / kTwipsPerInch;
    const double perCmY = kTwipsPerCm * printer.logicalDpiY() / kTwipsPerInch;
    const double left = std::round((leftCm - 0.5) * perCmX), top = std::round((topCm - 0.5) * perCmY);
    double w = std::round(widthCm * perCmX), h = std::round(heightCm * perCmY);
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const double aspect = double(height()) / std::max(1, width());
    switch (scaleCode) {
    case kPrintFullPage:  // the page's printable width (and height) inside the margins
        w = area.width() - 2 * std::max(0.0, left);
        h = w * aspect;
        if (h > area.height() - 2 * std::max(0.0, top)) {
            h = area.height() - 2 * std::max(0.0, top);
            w = h / aspect;
        }
        break;
    case kPrintHeight: w = h / aspect; break;
    case kPrintWidth: h = w * aspect; break;
    default: break;
    }
    return {left, top, w, h};
}

bool Chart2D::PrintChart(QPrinter& printer, int scaleCode, double leftCm, double topCm, double widthCm,
                         double heightCm, std::string* error) {
    const auto fail = [error](const std::string& reason) {
        if (error) *error = reason;
        return false;
    };
    if (!std::isfinite(leftCm) || !std::isfinite(topCm) || !std::isfinite(widthCm) || !std::isfinite(heightCm))
        return fail("Ungültige Maße.");
    if (!PrinterAvailable(printer)) return fail("Kein Drucker verfügbar");
    d->Sync();
    printer.setFullPage(false);  // the painter's origin is the printable area's corner
    const QRectF r = PrintRect(printer, scaleCode, leftCm, topCm, widthCm, heightCm);
    if (!(r.width() > 1) || !(r.height() > 1) || width() <= 0 || height() <= 0)
        return fail("Das Bild hätte keine Fläche (Breite oder Höhe zu klein).");
    QCPPainter painter;
    if (!painter.begin(&printer)) return fail("Der Drucker lässt sich nicht starten.");
    painter.translate(r.left(), r.top());
    painter.scale(r.width() / width(), r.height() / height());
    d->plot->toPainter(&painter, width(), height());
    if (!painter.end()) return fail("Der Druckauftrag wurde nicht abgeschlossen.");
    return true;
}

}  // namespace platform
