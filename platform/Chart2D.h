#pragma once
// The 2-D chart of the system: curves and point sets in two series groups, three axes, a header
// and a footer text block, a legend and free chart labels; hit tests, rubber-band zoom, a layout
// file and picture output. The drawing library underneath never shows through this header.
//
// Units and conventions used throughout:
// - Groups: 1 = curves, 2 = point sets. Series, points and labels are numbered from 1.
// - Positions and sizes are pixels relative to the chart widget's top-left corner.
// - Colours are Long colour values as the system stores them: red + 256*green + 65536*blue
//   (see Rgb). A background colour of -1 is transparent.
// - A point whose x or y is kChartHole (1e308) is missing: the line has a gap there.
// - Setters that can refuse a value return false and leave the chart unchanged; setters with an
//   out-of-range group, series, point or label number do nothing; getters then return 0, false,
//   an empty text or kChartHole.
// - Every change is drawn as soon as the window is idle (all changes up to then in one redraw;
//   a chart not on screen draws when it shows), unless the repaint is suspended (one redraw after
//   the release) or the change is data of a group whose data batch is open (drawn when the batch
//   closes). Readings and picture outputs always see the chart as it is.
#include <QFont>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

class QPrinter;

namespace platform {

// The missing-point mark.
inline constexpr double kChartHole = 1e308;

// Region codes of RegionAt.
enum ChartRegion : int {
    kRegionPlotArea = -100,
    kRegionLegend = -99,
    kRegionHeader = -98,
    kRegionFooter = -97,
    kRegionNone = 0,  // anywhere else
};

// Display states of a series: only kSeriesShown is drawn, hit-tested and listed in the legend.
enum SeriesDisplay : int { kSeriesShown = 1, kSeriesHidden = 2, kSeriesEmptied = 3 };

// Line patterns (series lines and grid lines).
enum LinePattern : int {
    kLineNone = 1,
    kLineSolid = 2,
    kLineDashed = 3,
    kLineDotted = 4,
    kLineShortDash = 5,
    kLineLongDash = 6,
    kLineDashDot = 7,
    kLineDashDotDot = 8,
};

// Symbol shapes of the points of a series.
enum SymbolShape : int {
    kSymbolNone = 1,
    kSymbolDot = 2,               // filled circle
    kSymbolBox = 3,               // filled square
    kSymbolTriangle = 4,          // filled triangle, tip up
    kSymbolDiamond = 5,           // filled diamond
    kSymbolStar = 6,
    kSymbolPlus = 7,
    kSymbolCrossBox = 8,          // open square with a diagonal cross
    kSymbolCross = 9,             // diagonal cross
    kSymbolCircle = 10,           // open circle
    kSymbolOpenBox = 11,          // open square
    kSymbolTriangleDown = 12,     // filled triangle, tip down
    kSymbolCrossCircle = 13,      // open circle with a diagonal cross
    kSymbolOpenTriangle = 14,     // open triangle, tip up
    kSymbolOpenDiamond = 15,      // open diamond
    kSymbolOpenTriangleDown = 16, // open triangle, tip down
};

// Border kinds of header, footer, legend and labels: 0 none; 1 and 4 draw a plain frame
// (the kind is kept as given and read back as given).
enum BorderKind : int { kBorderNone = 0, kBorderFramed1 = 1, kBorderPlain = 4 };

// Where an axis crosses the other axis (origin placement) and where its numbers stand.
enum AxisPlacement : int { kPlaceAtZero = 1, kPlaceAtMinimum = 2, kPlaceAtMaximum = 3 };
// Number placement uses 1 = at the axis, 2 = at the minimum, 3 = at the maximum (same codes).

// Rotation of axis titles and numbers: 1 horizontal (a "Y" title stands above the axis),
// 2 vertical.
enum TextRotation : int { kTextHorizontal = 1, kTextVertical = 2 };

// Legend orientation.
enum LegendOrientation : int { kLegendVertical = 1, kLegendHorizontal = 2 };

// Label attachment: to a pixel of the chart, to data coordinates, or to a point of a series.
enum LabelAttach : int { kAttachPixel = 0, kAttachData = 1, kAttachSeries = 2 };

// Label anchor: where the text stands relative to its attach point (plus the offset in pixels).
enum LabelAnchor : int {
    kAnchorAuto = 0,  // as north-east
    kAnchorNorth = 1,
    kAnchorSouth = 2,
    kAnchorEast = 3,
    kAnchorWest = 4,
    kAnchorNorthEast = 5,
    kAnchorSouthEast = 6,
    kAnchorNorthWest = 7,
    kAnchorSouthWest = 8,
};

// Picture format codes: 1 bitmap; 2, 3, 4 vector pictures (13 is taken as 3).
// Bitmaps are written as BMP, or PNG when the file name ends in ".png"; vector pictures as SVG,
// or PDF when the file name ends in ".pdf".
enum PictureFormat : int { kPictureBitmap = 1, kPictureMetafile = 2, kPictureEnhanced = 3, kPictureStandard = 4 };

// Print scaling codes: 5 fills an A4 page (inside the position margins), 3 uses the given
// height (width from the chart's aspect), 2 the given width (height from the aspect);
// any other code uses width and height as given.
enum PrintScale : int { kPrintWidth = 2, kPrintHeight = 3, kPrintFullPage = 5 };

enum class ChartAxis { X, Y, Y2 };
// The three spacings of an axis: major grid lines, ticks, numbers.
enum class AxisSpacing { Grid, Tick, Number };
enum class ChartText { Header, Footer };
enum class MarginSide { Left, Top, Right, Bottom };

// Result of a nearest-point search: series and point numbers (-1 when nothing was found) and
// the distance in pixels (a distance of 4 or less is usually taken as a hit).
struct NearestPoint {
    int series = -1;
    int point = -1;
    double distance = 1e308;
};

class Chart2D : public QWidget {
    Q_OBJECT

public:
    static constexpr int kGroups = 2;
    static constexpr int kMaxSeries = 200;  // per group
    static constexpr int kMaxLabels = 39;

    explicit Chart2D(QWidget* parent = nullptr);
    ~Chart2D() override;

    // The Long colour value of red, green, blue (each 0..255).
    static constexpr int Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

    // ---- Batching --------------------------------------------------------------------------
    // While suspended nothing is redrawn; releasing the flag redraws once, when the window is idle.
    void SetRepaintSuspended(bool on);
    bool IsRepaintSuspended() const;
    // Data batch of a group: while open, data changes of the group are not drawn.
    void SetDataBatched(int group, bool on);
    bool IsDataBatched(int group) const;

    // ---- Placement -------------------------------------------------------------------------
    // Position and size of the chart in its parent, pixels.
    void SetPlacement(int left, int top, int width, int height);
    // The chart area is the frame inside the chart's outer margin: it starts at (left, top) and
    // keeps the same distance to the right and bottom edge. Width and height are read back.
    void SetChartAreaLocation(int left, int top);
    int ChartAreaLeft() const;
    int ChartAreaTop() const;
    int ChartAreaWidth() const;
    int ChartAreaHeight() const;
    // Plot area (inside the axes), as laid out now.
    int PlotAreaLeft() const;
    int PlotAreaTop() const;
    int PlotAreaWidth() const;
    int PlotAreaHeight() const;

    // ---- Groups and series -----------------------------------------------------------------
    // Series count of a group, 0..kMaxSeries (start: 39 curves, 12 point sets). New series
    // start shown, without points, solid line, no symbol, black.
    bool SetSeriesCount(int group, int count);
    int SeriesCount(int group) const;

    // Point count of a series (>= 0; new points are holes, a smaller count drops the tail).
    bool SetPointCount(int group, int series, int count);
    int PointCount(int group, int series) const;
    // X and Y of point 1..PointCount. Setting a point outside the count does nothing.
    void SetX(int group, int series, int point, double x);
    void SetY(int group, int series, int point, double y);
    void SetPoint(int group, int series, int point, double x, double y);
    double X(int group, int series, int point) const;
    double Y(int group, int series, int point) const;
    // All points of a series at once (sizes must agree; the count becomes their size).
    bool SetSeriesData(int group, int series, const std::vector<double>& x, const std::vector<double>& y);

    // Display state 1 shown, 2 hidden, 3 emptied; other values are refused.
    bool SetDisplay(int group, int series, int state);
    int Display(int group, int series) const;

    // ---- Series style ----------------------------------------------------------------------
    bool SetLinePattern(int group, int series, int pattern);  // LinePattern codes
    int LinePattern(int group, int series) const;
    void SetLineColor(int group, int series, int color);
    int LineColor(int group, int series) const;
    bool SetLineWidth(int group, int series, int width);  // 1..20 pixels
    int LineWidth(int group, int series) const;
    bool SetSymbolShape(int group, int series, int shape);  // SymbolShape codes
    int SymbolShape(int group, int series) const;
    void SetSymbolColor(int group, int series, int color);
    int SymbolColor(int group, int series) const;
    bool SetSymbolSize(int group, int series, int size);  // 0..100 pixels
    int SymbolSize(int group, int series) const;
    // Legend text; an empty text gives no legend entry.
    void SetLegendText(int group, int series, const std::string& text);
    std::string LegendText(int group, int series) const;

    // ---- Axes "X", "Y", "Y2" ---------------------------------------------------------------
    // Series are drawn against "X" and "Y"; "Y2" is a second scale at the right edge.
    void SetAxisShown(ChartAxis axis, bool on);
    bool AxisShown(ChartAxis axis) const;
    // Minimum and maximum in force (also after automatic scaling or a zoom).
    double AxisMin(ChartAxis axis) const;
    double AxisMax(ChartAxis axis) const;
    // Sets the range and makes the scaling manual. Refused: min >= max, non-finite values,
    // or min <= 0 on a logarithmic axis.
    bool SetAxisRange(ChartAxis axis, double min, double max);
    bool SetAxisMin(ChartAxis axis, double min);
    bool SetAxisMax(ChartAxis axis, double max);
    // Automatic scaling: the range follows the shown data (positive data only on a log axis).
    void SetAxisAutoScale(ChartAxis axis, bool on);
    bool AxisAutoScale(ChartAxis axis) const;
    // Logarithmic scale. Switching on is refused while a manual range reaches 0 or below.
    bool SetAxisLog(ChartAxis axis, bool on);
    bool AxisLog(ChartAxis axis) const;

    // Grid (major grid lines at the grid spacing). A grid shows exactly when its pattern is not
    // kLineNone (the start); SetGridShown(true) gives a hidden grid solid lines, false hides it.
    void SetGridShown(ChartAxis axis, bool on);
    bool GridShown(ChartAxis axis) const;
    bool SetGridPattern(ChartAxis axis, int pattern);  // LinePattern codes; 1 draws no grid
    int GridPattern(ChartAxis axis) const;
    void SetGridColor(ChartAxis axis, int color);
    int GridColor(ChartAxis axis) const;

    // Spacings of grid lines, ticks and numbers. Setting a value makes that spacing manual;
    // values <= 0 or non-finite are refused. Spacing() returns the value in force (the
    // automatic value while automatic). A manual spacing that would need more than a few
    // thousand lines for the range is drawn with the automatic spacing instead.
    // On a logarithmic axis lines and numbers stand at the decades (automatic value 1).
    bool SetSpacing(ChartAxis axis, AxisSpacing which, double value);
    void SetSpacingAuto(ChartAxis axis, AxisSpacing which, bool on);
    bool SpacingAuto(ChartAxis axis, AxisSpacing which) const;
    double Spacing(ChartAxis axis, AxisSpacing which) const;

    // Origin placement (where this axis is crossed by the other one): AxisPlacement codes.
    // At zero a line in the axis colour marks the crossing when 0 lies inside the range; at the
    // maximum the other axis is drawn at the opposite edge of the plot area ("Y" only while "Y2"
    // is hidden); at the minimum the axes stand at the left and bottom edges.
    bool SetAxisOrigin(ChartAxis axis, int placement);
    int AxisOrigin(ChartAxis axis) const;
    // Placement of the numbers: 1 at the axis, 2 at the minimum, 3 at the maximum (kept and
    // saved; the numbers are drawn beside their axis).
    bool SetNumberPlacement(ChartAxis axis, int placement);
    int NumberPlacement(ChartAxis axis) const;

    // Title of the axis.
    void SetAxisTitle(ChartAxis axis, const std::string& text);
    std::string AxisTitle(ChartAxis axis) const;
    void SetAxisTitleFont(ChartAxis axis, const QFont& font);
    QFont AxisTitleFont(ChartAxis axis) const;
    void SetAxisTitleColor(ChartAxis axis, int color);
    int AxisTitleColor(ChartAxis axis) const;
    bool SetAxisTitleRotation(ChartAxis axis, int rotation);  // TextRotation codes
    int AxisTitleRotation(ChartAxis axis) const;
    // Numbers of the axis.
    void SetAxisNumberFont(ChartAxis axis, const QFont& font);
    QFont AxisNumberFont(ChartAxis axis) const;
    bool SetAxisNumberRotation(ChartAxis axis, int rotation);  // TextRotation codes
    int AxisNumberRotation(ChartAxis axis) const;

    // ---- Areas and colours -----------------------------------------------------------------
    // Whole chart (the outer margin).
    void SetChartBackColor(int color);
    int ChartBackColor() const;
    // Chart area: background (the inner margin), foreground (axes, numbers, plot frame),
    // border width in pixels (0 none).
    void SetChartAreaBackColor(int color);
    int ChartAreaBackColor() const;
    void SetChartAreaForeColor(int color);
    int ChartAreaForeColor() const;
    bool SetChartAreaBorderWidth(int width);  // 0..20
    int ChartAreaBorderWidth() const;
    // Plot area.
    void SetPlotAreaBackColor(int color);
    int PlotAreaBackColor() const;
    void SetPlotFrame(bool on);  // frame around the plot area
    bool PlotFrame() const;
    // Margins between chart area and plot area: a value (0..1000) or automatic (room for the
    // numbers and titles). PlotMargin reads the margin in force.
    bool SetPlotMargin(MarginSide side, int pixels);
    void SetPlotMarginAuto(MarginSide side, bool on);
    bool PlotMarginAuto(MarginSide side) const;
    int PlotMargin(MarginSide side) const;

    // ---- Header and footer text blocks -----------------------------------------------------
    // Text: a carriage return (or "\r\n", or "\n") starts a new line.
    void SetTextBlock(ChartText which, const std::string& text);
    std::string TextBlock(ChartText which) const;
    void SetTextBlockFont(ChartText which, const QFont& font);
    QFont TextBlockFont(ChartText which) const;
    void SetTextBlockForeColor(ChartText which, int color);
    int TextBlockForeColor(ChartText which) const;
    void SetTextBlockBackColor(ChartText which, int color);  // -1 transparent
    int TextBlockBackColor(ChartText which) const;
    bool SetTextBlockBorder(ChartText which, int kind);  // BorderKind codes
    int TextBlockBorder(ChartText which) const;
    // Top-left corner. Until set, the header is centred at the top and the footer stands at the
    // bottom left; the location read back is the one in force.
    void SetTextBlockLocation(ChartText which, int left, int top);
    int TextBlockLeft(ChartText which) const;
    int TextBlockTop(ChartText which) const;
    int TextBlockWidth(ChartText which) const;   // 0 for an empty or hidden block
    int TextBlockHeight(ChartText which) const;
    void SetTextBlockShown(ChartText which, bool on);
    bool TextBlockShown(ChartText which) const;

    // ---- Legend ----------------------------------------------------------------------------
    // Entries: the shown series with a legend text, group 1 before group 2.
    void SetLegendShown(bool on);
    bool LegendShown() const;
    // Top-left corner; until set, the legend stands at the top right inside the chart area.
    void SetLegendLocation(int left, int top);
    int LegendLeft() const;
    int LegendTop() const;
    int LegendWidth() const;   // 0 when hidden or without entries
    int LegendHeight() const;
    bool SetLegendOrientation(int orientation);  // LegendOrientation codes
    int LegendOrientation() const;
    bool SetLegendBorder(int kind);  // BorderKind codes
    int LegendBorder() const;
    void SetLegendFont(const QFont& font);
    QFont LegendFont() const;
    void SetLegendForeColor(int color);
    int LegendForeColor() const;
    void SetLegendBackColor(int color);  // -1 transparent
    int LegendBackColor() const;

    // ---- Chart labels (1..kMaxLabels) ------------------------------------------------------
    // Adds a label (hidden, empty text, attached to pixel (0, 0)); returns its number, or 0 when
    // kMaxLabels labels exist.
    int AddLabel();
    int LabelCount() const;
    void RemoveAllLabels();
    void SetLabelText(int label, const std::string& text);  // CR starts a new line
    std::string LabelText(int label) const;
    // Attach to point `point` of a series; the point number is clamped to 1..PointCount when
    // drawn (a series without points hides the label). Refused for a bad group or series.
    bool SetLabelAttachSeries(int label, int group, int series, int point);
    // Attach to data coordinates (of "X" and "Y") or to a chart pixel.
    void SetLabelAttachData(int label, double x, double y);
    void SetLabelAttachPixel(int label, int x, int y);
    int LabelAttach(int label) const;  // LabelAttach code
    int LabelGroup(int label) const;
    int LabelSeries(int label) const;
    int LabelPoint(int label) const;   // as set (not clamped)
    double LabelDataX(int label) const;
    double LabelDataY(int label) const;
    void SetLabelOffset(int label, int pixels);  // distance from the attach point
    int LabelOffset(int label) const;
    bool SetLabelAnchor(int label, int anchor);  // LabelAnchor codes
    int LabelAnchor(int label) const;
    void SetLabelForeColor(int label, int color);
    int LabelForeColor(int label) const;
    void SetLabelBackColor(int label, int color);  // -1 transparent
    int LabelBackColor(int label) const;
    void SetLabelFont(int label, const QFont& font);
    QFont LabelFont(int label) const;
    bool SetLabelBorder(int label, int kind);  // BorderKind codes
    int LabelBorder(int label) const;
    void SetLabelShown(int label, bool on);
    bool LabelShown(int label) const;

    // ---- Geometry and hit tests ------------------------------------------------------------
    // Chart pixel of data coordinates (on "X" and "Y", or "Y2" when useY2) and back.
    // False for holes, non-finite values or values <= 0 on a logarithmic axis.
    bool DataToPixel(double x, double y, double& px, double& py, bool useY2 = false) const;
    bool PixelToData(double px, double py, double& x, double& y, bool useY2 = false) const;
    // Region under a chart pixel: header, footer and legend lie over the plot area.
    int RegionAt(int x, int y) const;
    // Nearest drawn point of a group to a chart pixel (Euclidean pixel distance; holes and
    // series that are not shown are skipped).
    NearestPoint NearestPointOf(int group, int x, int y) const;

    // ---- Zoom ------------------------------------------------------------------------------
    // While zoom mode is on, the left button draws a rubber band and its release zooms "X", "Y"
    // and "Y2" to the rectangle (Escape cancels the band). The zoom happens before MouseUp is
    // emitted, so a MouseUp handler reads the new ranges.
    void SetZoomMode(bool on);
    bool ZoomMode() const;
    // Zooms to the pixel rectangle between two corners (at least 3 pixels each way inside the
    // plot area; false otherwise).
    bool ZoomToPixels(int x1, int y1, int x2, int y2);
    // Back to the ranges and scaling modes before the first zoom (nothing when not zoomed).
    void ResetZoom();
    bool IsZoomed() const;

    // ---- Layout file -----------------------------------------------------------------------
    // Saves the whole chart (data included) as a JSON text file (format "TARVELO-Chart2D",
    // version 1; see ChartLayoutFile.cpp). False with a German reason in error on failure.
    bool SaveLayout(const std::string& path, std::string* error = nullptr) const;
    // Loads a layout written by SaveLayout. A missing, damaged or foreign file is refused with
    // a German reason in error and leaves the chart unchanged.
    bool LoadLayout(const std::string& path, std::string* error = nullptr);

    // ---- Picture output --------------------------------------------------------------------
    // Clipboard: code 1 bitmap, other codes a vector picture (SVG, with a bitmap beside it).
    bool CopyToClipboard(int formatCode);
    // Picture file (see PictureFormat for the kinds written). The picture is made whole, then
    // written to a temporary file in the target folder that replaces the target when complete;
    // false with a German reason in error, an existing file at the target then unchanged.
    bool SavePicture(const std::string& path, int formatCode, std::string* error = nullptr);
    // Prints on the given printer (a PDF printer works too), scaled by the PrintScale code, at
    // the place PrintRect gives. False with a German reason in error ("Kein Drucker verfügbar"
    // when the printer has nowhere to print to).
    bool PrintChart(QPrinter& printer, int scaleCode, double leftCm, double topCm, double widthCm,
                    double heightCm, std::string* error = nullptr);
    // Place and size of the printed picture in printer pixels from the printable area's corner:
    // left = (leftCm - 0.5) * 567 twips per cm / the printer's twips per pixel, top likewise; width
    // and height = cm * 567 / twips per pixel, each rounded, then fitted by the scaling code.
    QRectF PrintRect(const QPrinter& printer, int scaleCode, double leftCm, double topCm, double widthCm,
                     double heightCm) const;

signals:
    // Mouse events. button: 1 left, 2 right, 4 middle (the buttons involved); shift: 1 Shift,
    // 2 Ctrl, 4 Alt; x, y: chart pixels.
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
    // After the chart has zoomed itself (rubber band or ZoomToPixels) and after ResetZoom.
    void Zoomed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    friend struct Impl;
};

}  // namespace platform
