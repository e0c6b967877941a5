// The chart layout file: the whole chart, data included, as one JSON object.
//
//   {
//     "format": "TARVELO-Chart2D", "version": 1,
//     "chart":  { "back", "areaLeft", "areaTop", "areaBack", "areaFore", "areaBorderWidth",
//                 "plotBack", "plotFrame", "margins": [l, t, r, b], "marginsAuto": [4 x bool] },
//     "axes":   [ X, Y, Y2: { "shown", "min", "max", "auto", "log", "gridShown", "gridPattern",
//                 "gridColor", "spacing": [grid, tick, number], "spacingAuto": [3 x bool],
//                 "origin", "numberPlacement", "title", "titleFont", "titleColor",
//                 "titleRotation", "numberFont", "numberRotation" } ],
//     "texts":  [ header, footer: { "text", "font", "fore", "back", "border", "located",
//                 "left", "top", "shown" } ],
//     "legend": { "shown", "located", "left", "top", "orientation", "border", "font", "fore",
//                 "back" },
//     "groups": [ curves, point sets: [ { "x": [...], "y": [...], "display", "linePattern",
//                 "lineColor", "lineWidth", "symbolShape", "symbolColor", "symbolSize",
//                 "legend" } ] ],
//     "labels": [ { "text", "attach", "group", "series", "point", "dataX", "dataY", "pixelX",
//                 "pixelY", "offset", "anchor", "fore", "back", "font", "border", "shown" } ]
//   }
//
// Colours are Long colour values (-1 transparent), fonts { "family", "size" (points), "bold",
// "italic", "underline", "strikeout" }, 1e308 marks a missing point. Every value is checked on
// reading against the same limits as the chart's setters.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "platform/ChartModel.h"

namespace platform::chartmodel {

namespace {

constexpr const char* kFormatName = "TARVELO-Chart2D";
constexpr int kFormatVersion = 1;
constexpr int kMaxColor = 0xFFFFFF;

QJsonObject FontToJson(const QFont& f) {
    return QJsonObject{{"family", f.family()},   {"size", f.pointSizeF()},      {"bold", f.bold()},
                       {"italic", f.italic()},   {"underline", f.underline()}, {"strikeout", f.strikeOut()}};
}

QJsonArray Doubles(const std::vector<double>& v) {
    QJsonArray a;
    for (double d : v) a.append(d);
    return a;
}

QJsonObject AxisToJson(const Axis& a) {
    return QJsonObject{
        {"shown", a.shown},
        {"min", a.min},
        {"max", a.max},
        {"auto", a.autoScale},
        {"log", a.log},
        {"gridShown", a.gridPattern != kLineNone},
        {"gridPattern", a.gridPattern},
        {"gridColor", a.gridColor},
        {"spacing", QJsonArray{a.spacing[0], a.spacing[1], a.spacing[2]}},
        {"spacingAuto", QJsonArray{a.spacingAuto[0], a.spacingAuto[1], a.spacingAuto[2]}},
        {"origin", a.origin},
        {"numberPlacement", a.numberPlacement},
        {"title", QString::fromStdString(a.title)},
        {"titleFont", FontToJson(a.titleFont)},
        {"titleColor", a.titleColor},
        {"titleRotation", a.titleRotation},
        {"numberFont", FontToJson(a.numberFont)},
        {"numberRotation", a.numberRotation},
    };
}

// Reads values with their limits and keeps the first problem as the reason.
class Reader {
public:
    std::string problem;

    bool Ok() const { return problem.empty(); }
    void Fail(const QString& where) {
        if (problem.empty()) problem = where.toStdString();
    }

    QJsonObject Obj(const QJsonObject& o, const char* key) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isObject()) Fail(QLatin1String(key));
        return v.toObject();
    }
    QJsonArray Arr(const QJsonObject& o, const char* key, int minSize, int maxSize) {
        const QJsonValue v = o.value(QLatin1String(key));
        const QJsonArray a = v.toArray();
        if (!v.isArray() || a.size() < minSize || a.size() > maxSize) Fail(QLatin1String(key));
        return a;
    }
    bool Bool(const QJsonObject& o, const char* key) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isBool()) Fail(QLatin1String(key));
        return v.toBool();
    }
    double Num(const QJsonValue& v, const char* key) {
        if (!v.isDouble() || !std::isfinite(v.toDouble())) Fail(QLatin1String(key));
        return v.toDouble();
    }
    double Num(const QJsonObject& o, const char* key) { return Num(o.value(QLatin1String(key)), key); }
    int Int(const QJsonObject& o, const char* key, int lo, int hi) {
        const double d = Num(o, key);
        if (d != std::floor(d) || d < lo || d > hi) {
            Fail(QLatin1String(key));
            return lo;
        }
        return static_cast<int>(d);
    }
    int Color(const QJsonObject& o, const char* key) { return Int(o, key, -1, kMaxColor); }
    std::string Str(const QJsonObject& o, const char* key) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isString()) Fail(QLatin1String(key));
        return v.toString().toStdString();
    }
    QFont Font(const QJsonObject& o, const char* key) {
        const QJsonObject f = Obj(o, key);
        QFont font(f.value(QLatin1String("family")).toString());
        const double size = Num(f, "size");
        if (!(size > 0 && size <= 500)) Fail(QLatin1String(key));
        else font.setPointSizeF(size);
        font.setBold(Bool(f, "bold"));
        font.setItalic(Bool(f, "italic"));
        font.setUnderline(Bool(f, "underline"));
        font.setStrikeOut(Bool(f, "strikeout"));
        return font;
    }
    void Doubles(const QJsonObject& o, const char* key, std::vector<double>& out) {
        const QJsonArray a = Arr(o, key, 0, 10'000'000);
        out.clear();
        out.reserve(a.size());
        for (const QJsonValue& v : a) out.push_back(Num(v, key));
    }
};

bool ValidBorder(int k) { return k == kBorderNone || k == kBorderFramed1 || k == kBorderPlain; }

void ReadAxis(Reader& r, const QJsonObject& o, Axis& a) {
    a.shown = r.Bool(o, "shown");
    a.min = r.Num(o, "min");
    a.max = r.Num(o, "max");
    a.autoScale = r.Bool(o, "auto");
    a.log = r.Bool(o, "log");
    if (!(a.min < a.max) || (a.log && a.min <= 0)) r.Fail(QStringLiteral("min/max"));
    // Whether a grid shows follows its pattern; "gridShown" is written for older readers only.
    a.gridPattern = r.Int(o, "gridPattern", kLineNone, kLineDashDotDot);
    a.gridColor = r.Color(o, "gridColor");
    const QJsonArray sp = r.Arr(o, "spacing", 3, 3), sa = r.Arr(o, "spacingAuto", 3, 3);
    for (int k = 0; k < 3 && r.Ok(); ++k) {
        a.spacing[k] = r.Num(sp[k], "spacing");
        if (!(a.spacing[k] > 0)) r.Fail(QStringLiteral("spacing"));
        if (!sa[k].isBool()) r.Fail(QStringLiteral("spacingAuto"));
        a.spacingAuto[k] = sa[k].toBool();
    }
    a.origin = r.Int(o, "origin", kPlaceAtZero, kPlaceAtMaximum);
    a.numberPlacement = r.Int(o, "numberPlacement", kPlaceAtZero, kPlaceAtMaximum);
    a.title = r.Str(o, "title");
    a.titleFont = r.Font(o, "titleFont");
    a.titleColor = r.Color(o, "titleColor");
    a.titleRotation = r.Int(o, "titleRotation", kTextHorizontal, kTextVertical);
    a.numberFont = r.Font(o, "numberFont");
    a.numberRotation = r.Int(o, "numberRotation", kTextHorizontal, kTextVertical);
}

}  // namespace

std::string ModelToText(const Model& m) {
    QJsonObject root;
    root["format"] = QLatin1String(kFormatName);
    root["version"] = kFormatVersion;
    root["chart"] = QJsonObject{
        {"back", m.chartBack},
        {"areaLeft", m.areaLeft},
        {"areaTop", m.areaTop},
        {"areaBack", m.areaBack},
        {"areaFore", m.areaFore},
        {"areaBorderWidth", m.areaBorderWidth},
        {"plotBack", m.plotBack},
        {"plotFrame", m.plotFrame},
        {"margins", QJsonArray{m.margin[0], m.margin[1], m.margin[2], m.margin[3]}},
        {"marginsAuto", QJsonArray{m.marginAuto[0], m.marginAuto[1], m.marginAuto[2], m.marginAuto[3]}},
    };
    QJsonArray axes;
    for (const Axis& a : m.axes) axes.append(AxisToJson(a));
    root["axes"] = axes;
    QJsonArray texts;
    for (const TextBlock& t : m.texts)
        texts.append(QJsonObject{{"text", QString::fromStdString(t.text)},
                                 {"font", FontToJson(t.font)},
                                 {"fore", t.fore},
                                 {"back", t.back},
                                 {"border", t.border},
                                 {"located", t.located},
                                 {"left", t.left},
                                 {"top", t.top},
                                 {"shown", t.shown}});
    root["texts"] = texts;
    const Legend& L = m.legend;
    root["legend"] = QJsonObject{{"shown", L.shown},   {"located", L.located},         {"left", L.left},
                                 {"top", L.top},       {"orientation", L.orientation}, {"border", L.border},
                                 {"font", FontToJson(L.font)}, {"fore", L.fore},       {"back", L.back}};
    QJsonArray groups;
    for (const auto& g : m.groups) {
        QJsonArray series;
        for (const Series& s : g)
            series.append(QJsonObject{{"x", Doubles(s.x)},
                                      {"y", Doubles(s.y)},
                                      {"display", s.display},
                                      {"linePattern", s.linePattern},
                                      {"lineColor", s.lineColor},
                                      {"lineWidth", s.lineWidth},
                                      {"symbolShape", s.symbolShape},
                                      {"symbolColor", s.symbolColor},
                                      {"symbolSize", s.symbolSize},
                                      {"legend", QString::fromStdString(s.legend)}});
        groups.append(series);
    }
    root["groups"] = groups;
    QJsonArray labels;
    for (const Label& l : m.labels)
        labels.append(QJsonObject{{"text", QString::fromStdString(l.text)},
                                  {"attach", l.attach},
                                  {"group", l.group},
                                  {"series", l.series},
                                  {"point", l.point},
                                  {"dataX", l.dataX},
                                  {"dataY", l.dataY},
                                  {"pixelX", l.pixelX},
                                  {"pixelY", l.pixelY},
                                  {"offset", l.offset},
                                  {"anchor", l.anchor},
                                  {"fore", l.fore},
                                  {"back", l.back},
                                  {"font", FontToJson(l.font)},
                                  {"border", l.border},
                                  {"shown", l.shown}});
    root["labels"] = labels;
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

bool ModelFromText(const std::string& text, Model& out, std::string& error) {
    QJsonParseError pe{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &pe);
    const QJsonObject root = doc.object();
    if (pe.error != QJsonParseError::NoError || !doc.isObject() ||
        root.value(QLatin1String("format")).toString() != QLatin1String(kFormatName)) {
        error = "Die Datei ist keine Diagrammvorlage dieses Programms.";
        return false;
    }
    if (root.value(QLatin1String("version")).toInt(-1) != kFormatVersion) {
        error = "Die Diagrammvorlage hat eine unbekannte Version und kann nicht geladen werden.";
        return false;
    }
    Reader r;
    Model m;
    const QJsonObject c = r.Obj(root, "chart");
    m.chartBack = r.Color(c, "back");
    m.areaLeft = r.Int(c, "areaLeft", 0, 1000);
    m.areaTop = r.Int(c, "areaTop", 0, 1000);
    m.areaBack = r.Color(c, "areaBack");
    m.areaFore = r.Color(c, "areaFore");
    m.areaBorderWidth = r.Int(c, "areaBorderWidth", 0, 20);
    m.plotBack = r.Color(c, "plotBack");
    m.plotFrame = r.Bool(c, "plotFrame");
    const QJsonArray mg = r.Arr(c, "margins", 4, 4), ma = r.Arr(c, "marginsAuto", 4, 4);
    for (int k = 0; k < 4 && r.Ok(); ++k) {
        const double v = r.Num(mg[k], "margins");
        if (!(v == std::floor(v) && v >= 0 && v <= 1000) || !ma[k].isBool()) {
            r.Fail(QStringLiteral("margins"));  // converted only in range: beyond int the cast is undefined
            break;
        }
        m.margin[k] = static_cast<int>(v);
        m.marginAuto[k] = ma[k].toBool();
    }
    const QJsonArray axes = r.Arr(root, "axes", 3, 3);
    for (int i = 0; i < 3 && r.Ok(); ++i) ReadAxis(r, axes[i].toObject(), m.axes[i]);
    const QJsonArray texts = r.Arr(root, "texts", 2, 2);
    for (int i = 0; i < 2 && r.Ok(); ++i) {
        const QJsonObject o = texts[i].toObject();
        TextBlock& t = m.texts[i];
        t.text = r.Str(o, "text");
        t.font = r.Font(o, "font");
        t.fore = r.Color(o, "fore");
        t.back = r.Color(o, "back");
        t.border = r.Int(o, "border", 0, 4);
        if (!ValidBorder(t.border)) r.Fail(QStringLiteral("border"));
        t.located = r.Bool(o, "located");
        t.left = r.Int(o, "left", -100000, 100000);
        t.top = r.Int(o, "top", -100000, 100000);
        t.shown = r.Bool(o, "shown");
    }
    const QJsonObject lo = r.Obj(root, "legend");
    Legend& L = m.legend;
    L.shown = r.Bool(lo, "shown");
    L.located = r.Bool(lo, "located");
    L.left = r.Int(lo, "left", -100000, 100000);
    L.top = r.Int(lo, "top", -100000, 100000);
    L.orientation = r.Int(lo, "orientation", kLegendVertical, kLegendHorizontal);
    L.border = r.Int(lo, "border", 0, 4);
    if (!ValidBorder(L.border)) r.Fail(QStringLiteral("border"));
    L.font = r.Font(lo, "font");
    L.fore = r.Color(lo, "fore");
    L.back = r.Color(lo, "back");
    const QJsonArray groups = r.Arr(root, "groups", 2, 2);
    for (int g = 0; g < 2 && r.Ok(); ++g) {
        if (!groups[g].isArray() || groups[g].toArray().size() > Chart2D::kMaxSeries) {
            r.Fail(QStringLiteral("groups"));
            break;
        }
        const QJsonArray series = groups[g].toArray();
        m.groups[g].assign(series.size(), Series{});
        for (int k = 0; k < series.size() && r.Ok(); ++k) {
            const QJsonObject o = series[k].toObject();
            Series& s = m.groups[g][k];
            r.Doubles(o, "x", s.x);
            r.Doubles(o, "y", s.y);
            if (s.x.size() != s.y.size()) r.Fail(QStringLiteral("x/y"));
            s.display = r.Int(o, "display", kSeriesShown, kSeriesEmptied);
            s.linePattern = r.Int(o, "linePattern", kLineNone, kLineDashDotDot);
            s.lineColor = r.Color(o, "lineColor");
            s.lineWidth = r.Int(o, "lineWidth", 1, 20);
            s.symbolShape = r.Int(o, "symbolShape", kSymbolNone, kSymbolOpenTriangleDown);
            s.symbolColor = r.Color(o, "symbolColor");
            s.symbolSize = r.Int(o, "symbolSize", 0, 100);
            s.legend = r.Str(o, "legend");
        }
    }
    const QJsonArray labels = r.Arr(root, "labels", 0, Chart2D::kMaxLabels);
    for (int k = 0; k < labels.size() && r.Ok(); ++k) {
        const QJsonObject o = labels[k].toObject();
        Label l;
        l.text = r.Str(o, "text");
        l.attach = r.Int(o, "attach", kAttachPixel, kAttachSeries);
        l.group = r.Int(o, "group", 1, 2);
        l.series = r.Int(o, "series", 1, Chart2D::kMaxSeries);
        l.point = r.Int(o, "point", -10'000'000, 10'000'000);
        l.dataX = r.Num(o, "dataX");
        l.dataY = r.Num(o, "dataY");
        l.pixelX = r.Int(o, "pixelX", -100000, 100000);
        l.pixelY = r.Int(o, "pixelY", -100000, 100000);
        l.offset = r.Int(o, "offset", -1000, 1000);
        l.anchor = r.Int(o, "anchor", kAnchorAuto, kAnchorSouthWest);
        l.fore = r.Color(o, "fore");
        l.back = r.Color(o, "back");
        l.font = r.Font(o, "font");
        l.border = r.Int(o, "border", 0, 4);
        if (!ValidBorder(l.border)) r.Fail(QStringLiteral("border"));
        l.shown = r.Bool(o, "shown");
        m.labels.push_back(l);
    }
    if (!r.Ok()) {
        error = "Die Diagrammvorlage ist beschädigt (Eintrag \"" + r.problem + "\" fehlt oder ist ungültig).";
        return false;
    }
    out = std::move(m);
    return true;
}

}  // namespace platform::chartmodel
