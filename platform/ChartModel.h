#pragma once
// Everything a Chart2D shows, as plain values: the chart draws from it, the layout file saves
// and loads it. Internal to the chart (Chart2D.cpp, ChartLayoutFile.cpp).
#include <QFont>
#include <array>
#include <string>
#include <vector>

#include "platform/Chart2D.h"

namespace platform::chartmodel {

inline constexpr int kBlack = 0;
inline constexpr int kWhite = Chart2D::Rgb(255, 255, 255);
inline constexpr int kTransparent = -1;

QFont DefaultFont(int pointSize, bool bold = false);

struct Series {
    std::vector<double> x, y;
    int display = kSeriesShown;
    int linePattern = kLineSolid;
    int lineColor = kBlack;
    int lineWidth = 1;
    int symbolShape = kSymbolNone;
    int symbolColor = kBlack;
    int symbolSize = 5;
    std::string legend;
};

struct Axis {
    bool shown = true;
    double min = 0, max = 10;  // in force (written back by automatic scaling)
    bool autoScale = true;
    bool log = false;
    int gridPattern = kLineNone;  // kLineNone: no grid
    int gridColor = Chart2D::Rgb(192, 192, 192);
    std::array<double, 3> spacing{1, 1, 1};        // Grid, Tick, Number
    std::array<bool, 3> spacingAuto{true, true, true};
    int origin = kPlaceAtMinimum;
    int numberPlacement = kPlaceAtMinimum;
    std::string title;
    QFont titleFont = DefaultFont(10);
    int titleColor = kBlack;
    int titleRotation = kTextHorizontal;
    QFont numberFont = DefaultFont(9);
    int numberRotation = kTextHorizontal;
};

struct TextBlock {
    std::string text;
    QFont font = DefaultFont(11);
    int fore = kBlack;
    int back = kTransparent;
    int border = kBorderNone;
    bool located = false;  // false: default place
    int left = 0, top = 0;
    bool shown = true;
};

struct Legend {
    bool shown = false;
    bool located = false;
    int left = 0, top = 0;
    int orientation = kLegendVertical;
    int border = kBorderPlain;
    QFont font = DefaultFont(8);
    int fore = kBlack;
    int back = kWhite;
};

struct Label {
    std::string text;
    int attach = kAttachPixel;
    int group = 1, series = 1, point = 1;
    double dataX = 0, dataY = 0;
    int pixelX = 0, pixelY = 0;
    int offset = 0;
    int anchor = kAnchorAuto;
    int fore = kBlack;
    int back = kTransparent;
    QFont font = DefaultFont(9);
    int border = kBorderNone;
    bool shown = false;
};

struct Model {
    std::array<std::vector<Series>, 2> groups;
    std::array<Axis, 3> axes;  // X, Y, Y2
    int chartBack = kWhite;
    int areaLeft = 5, areaTop = 5;
    int areaBack = kWhite;
    int areaFore = kBlack;
    int areaBorderWidth = 0;
    int plotBack = kWhite;
    bool plotFrame = true;
    std::array<int, 4> margin{40, 20, 20, 40};  // Left, Top, Right, Bottom
    std::array<bool, 4> marginAuto{true, true, true, true};
    std::array<TextBlock, 2> texts;  // Header, Footer
    Legend legend;
    std::vector<Label> labels;

    Model();
};

// The layout file text of a model (JSON, see ChartLayoutFile.cpp) and back. ModelFromText
// checks everything and fills `out` only when the whole text is valid; otherwise it returns
// false with a German reason in error.
std::string ModelToText(const Model& model);
bool ModelFromText(const std::string& text, Model& out, std::string& error);

}  // namespace platform::chartmodel
