#include "simulation/frmmatrix.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>

#include "kernel/State.h"
#include "platform/Help.h"
#include "platform/WindowRegistry.h"
#include "platform/core/NumberFormat.h"
#include "simulation/CalcWindow.h"

using namespace kernel;
using simulation::PlaceTw;
using simulation::Tw;

namespace {

const platform::FormRegistration registration("frmmatrix", platform::FormKind::MdiChild,
                                              [] { return new frmmatrix; });

constexpr int kHelpContext = 8530;
constexpr int kWidthTwips = 3720;
constexpr int kHeightTwips = 4260;
constexpr int kEnzymModel = 10;
constexpr int kOrderModel = 20;

// The frame of the table with its three rules.
class MatrixFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override {
        QGroupBox::paintEvent(event);
        QPainter painter(this);
        painter.drawLine(Tw(120), Tw(720), Tw(3120), Tw(720));
        painter.drawLine(Tw(240), Tw(2160), Tw(3120), Tw(2160));
        painter.drawLine(Tw(650), Tw(240), Tw(650), Tw(2160));
    }
};

QWidget* FrameOf(const char* name, QWidget* fallback) {
    QWidget* frame = platform::Windows().Frame(name);
    return frame ? frame : fallback;
}

}  // namespace

bool frmmatrix::IsRegistered() { return platform::Windows().IsRegistered("frmmatrix"); }

QString frmmatrix::MatrixRow(int slot) {
    const QString gap(16, ' ');
    QString row;
    for (int step = 1; step <= 3; ++step) {
        if (step > 1) row += gap;
        row += QString::fromStdString(platform::StrSingle(StoechMatrix[slot][step]));
    }
    return row;
}

frmmatrix::frmmatrix(QWidget* parent) : QWidget(parent) {
    setObjectName("frmmatrix");
    setWindowTitle(QString::fromUtf8("  Stöchiometrische Matrix"));
    setFixedSize(Tw(3648), Tw(3768));

    auto label = [](const char* name, const QString& text, QWidget* parent) {
        auto* l = new QLabel(text, parent);
        l->setObjectName(name);
        return l;
    };
    Label10 = label("Label10", QString(), this);
    PlaceTw(Label10, 240, 120, 3340, 252);
    auto* FrameMatrix = new MatrixFrame(this);
    FrameMatrix->setObjectName("FrameMatrix");
    PlaceTw(FrameMatrix, 0, 480, 3612, 2532);
    PlaceTw(label("Label1", "Stoff", FrameMatrix), 120, 360, 492, 252);
    PlaceTw(label("Label3", "Reaktion", FrameMatrix), 1200, 240, 1092, 252);
    PlaceTw(label("Label2", "(1)               (2)               (3)", FrameMatrix), 720, 480, 2532, 252);
    static const char* const nameLabels[5] = {"Label4", "Label5", "Label6", "Label7", "Label8"};
    static const char* const rowLabels[5] = {"lblA", "lblB", "lblC", "lblP", "lblQ"};
    for (int r = 0; r < 5; ++r) {
        const int top = 840 + 240 * r;
        rowNames[static_cast<std::size_t>(r)] = label(nameLabels[r], QString(), FrameMatrix);
        PlaceTw(rowNames[static_cast<std::size_t>(r)], 240, top, 400, 252);
        rows[static_cast<std::size_t>(r)] = label(rowLabels[r], QString(), FrameMatrix);
        PlaceTw(rows[static_cast<std::size_t>(r)], 720, top, r == 2 ? 2412 : 2532, 252);
    }
    cmdHelp = new QPushButton("Hilfe", this);
    cmdHelp->setObjectName("cmdHelp");
    PlaceTw(cmdHelp, 120, 3200, 1500, 420);
    cmdClose = new QPushButton(QString::fromUtf8("Schließen <Esc>"), this);
    cmdClose->setObjectName("cmdClose");
    PlaceTw(cmdClose, 1740, 3200, 1800, 420);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, cmdClose, &QPushButton::click);
    connect(cmdClose, &QPushButton::clicked, this, &frmmatrix::cmdClose_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmmatrix::cmdHelp_Click);

    Form_Load();
}

void frmmatrix::Form_Load() {
    QString title = QString::fromStdString(ModellName[static_cast<std::size_t>(
        aktModell >= 0 && aktModell <= kOrderModel ? aktModell : 0)]);
    if (aktModell == kOrderModel)
        title += QString::fromStdString(" (n = " + platform::FormatSingle(ReaktOrdnung, "0.00") + ")");
    Label10->setText(title);
    static const char* const names[5] = {"A", "B", "C", "P", "Q"};
    static const char* const enzymNames[5] = {"E", "S", "ES", "P", "Q"};
    for (int r = 0; r < 5; ++r) {
        rowNames[static_cast<std::size_t>(r)]->setText(aktModell == kEnzymModel ? enzymNames[r] : names[r]);
        rows[static_cast<std::size_t>(r)]->setText(MatrixRow(r + 1));
    }
}

void frmmatrix::Form_Resize() {
    if (placing_) return;
    QWidget* model = platform::Windows().Get("frmKinModel");
    if (!model) return;
    placing_ = true;
    const QWidget* k = FrameOf("frmKinModel", model);
    QWidget* m = FrameOf("frmmatrix", this);
    const int width = Tw(kWidthTwips);
    const int left = k->x() - width > 0 ? k->x() - width : k->x() + k->width();
    m->setGeometry(left, k->y(), width, Tw(kHeightTwips));
    placing_ = false;
}

void frmmatrix::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Form_Resize();
}

void frmmatrix::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isVisible()) Form_Resize();
}

void frmmatrix::cmdClose_Click() { platform::Windows().Unload("frmmatrix"); }

void frmmatrix::cmdHelp_Click() { platform::ShowHelpContext(kHelpContext); }
