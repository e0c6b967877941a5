#include "simulation/CalcWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOption>

#include "kernel/ModelDefaults.h"
#include "kernel/ResultRows.h"
#include "kernel/State.h"
#include "kernel/Utilities.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/NumberFormat.h"

namespace simulation {

const char* const kLockedBoxStyle = "QLineEdit { background-color: #FFFFC0; }";

int Tw(int twips) { return (twips + platform::kTwipsPerPixel / 2) / platform::kTwipsPerPixel; }

void PlaceTw(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(Tw(left), Tw(top), Tw(width), Tw(height));
}

int NumberBoxTwips(const QWidget* box) {
    // A line edit keeps 2 px a side inside its contents, and its cursor takes one more behind the text.
    constexpr int kEditMargins = 2 * 2 + 1;
    int chrome = 0;
    QStyle* style = box->style();
    if (auto* combo = qobject_cast<const QComboBox*>(box)) {
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        opt.editable = combo->isEditable();
        opt.rect = QRect(0, 0, 200, 24);
        chrome = 200 - style->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo).width();
    } else {
        QStyleOptionFrame opt;
        opt.initFrom(box);
        opt.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box);
        opt.rect = QRect(0, 0, 200, 24);
        chrome = 200 - style->subElementRect(QStyle::SE_LineEditContents, &opt, box).width();
    }
    return platform::PixelsToTwips(box->fontMetrics().horizontalAdvance(kWidestNumber) + kEditMargins + chrome);
}

int KeyAscii(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Delete: return 127;
    default: break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text.at(0).unicode() >= 32) return text.at(0).unicode();
    return 0;
}

bool IsEditShortcut(const QKeyEvent* event) {
    return event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Paste) ||
           event->matches(QKeySequence::Cut) || event->matches(QKeySequence::SelectAll) ||
           event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo);
}

namespace {

// Turns the window's activation into one call of the handler.
class ActivationHook : public QObject {
public:
    ActivationHook(QWidget* window, std::function<void()> handler, bool onlyWhenVisible)
        : QObject(window), window_(window), handler_(std::move(handler)), onlyWhenVisible_(onlyWhenVisible) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_) return false;
        if (event->type() == QEvent::Show) {
            auto* sub = qobject_cast<QMdiSubWindow*>(window_->parentWidget());
            if (sub && sub->mdiArea() && !connected_) {
                connected_ = true;
                connect(sub->mdiArea(), &QMdiArea::subWindowActivated, this, [this, sub](QMdiSubWindow* active) {
                    if (active == sub && (!onlyWhenVisible_ || window_->isVisible())) handler_();
                });
            }
            handler_();
        } else if (event->type() == QEvent::WindowActivate && window_->isWindow() && window_->isVisible()) {
            handler_();
        }
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> handler_;
    bool onlyWhenVisible_;
    bool connected_ = false;
};

}  // namespace

void ConnectActivation(QWidget* window, std::function<void()> handler, bool onlyWhenVisible) {
    new ActivationHook(window, std::move(handler), onlyWhenVisible);
}

double BoxValue(const QLineEdit* box) { return platform::ValLocale(box->text().toStdString()); }

bool SpeciesInModel(int s) {
    const auto i = static_cast<std::size_t>(s - 1);
    return i < kernel::KurvenMaske.size() && kernel::KurvenMaske[i] == '1';
}

std::string InitialAComplaints() {
    using namespace kernel;
    const double a = c0Wert[1], p = c0Wert[4];
    std::string msg;
    if (IstUmkehrbar == 0 && a <= 0) msg += "- noch keine gültige Eingabe einer Anfangskonzentration c(A,0)" + CrLf;
    if ((aktModell == 8 || aktModell == 12 || aktModell == 17) && a <= 0 && p <= 0)
        msg += "- noch keine gültige Eingabe einer Anfangskonzentration c(A,0) oder c(P,0)" + CrLf;
    return msg;
}

void ShowOutletConcentrations(CalcWindow& window) {
    for (int s = 1; s <= kernel::kSpecies; ++s) {
        const std::string text = SpeciesInModel(s) ? platform::StrSingle(static_cast<float>(kernel::cAktuell[s])) : "";
        window.Inp[static_cast<std::size_t>(4 + s)]->setText(QString::fromStdString(text));
    }
}

}  // namespace simulation

using namespace kernel;

CalcWindow::CalcWindow(const QString& formName, int inpUpper, QWidget* parent)
    : QWidget(parent), inpUpper_(inpUpper) {
    setObjectName(formName);

    for (int i = 0; i <= inpUpper_ && i < kInpCount; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Inp(%1)").arg(i));
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, this, [this, i] { InpEdited(i); });
        Inp[i] = box;
    }
    for (int i = 5; i <= 7; ++i) Bz[i] = MakeLabel(QStringLiteral("Bz(%1)").arg(i), QStringLiteral("k%1").arg(i - 4));
    for (int i = 0; i < 10; ++i) lblStoff[i] = MakeLabel(QStringLiteral("lblStoff(%1)").arg(i), QString());
    unit1 = MakeLabel("unit1", QString());
    unit2 = MakeLabel("unit2", QString());
    unit3 = MakeLabel("unit3", QString());
    Label7 = MakeLabel("Label7", QString());

    fraKsi = new QGroupBox(this);
    fraKsi->setObjectName("fraKsi");
    lblTextKsi_1 = MakeLabel("lblTextKsi_1", QString(), fraKsi);
    lblTextKsi_2 = MakeLabel("lblTextKsi_2", QString(), fraKsi);
    cmdCloseKsi = MakeButton("cmdCloseKsi", "x", fraKsi);
    fraKsi->hide();
    cmdShowKsi = MakeButton("cmdShowKsi", "Reaktionslaufzahlen");
    cmdDiagram = MakeButton("cmdDiagram", "Diagramm");
    cmdReset_k = MakeButton("cmdReset_k", "Standardwerte setzen");
    chkSpecialScaling = MakeCheck("chkSpecialScaling", "spezielle y-Achsen-Skalierung, bestimmt durch");
    static const char* const letters[5] = {"A", "B", "C", "P", "Q"};
    for (int i = 0; i < 5; ++i) {
        auto* option = new QRadioButton(letters[i], this);
        option->setObjectName(QStringLiteral("optSpecialScaling(%1)").arg(i));
        connect(option, &QRadioButton::clicked, this, [this, i] { optSpecialScaling_Click(i); });
        optSpecialScaling[i] = option;
    }
    chkDelDiagram = MakeCheck("chkDelDiagram", "neue Kurven hinzufügen (Skalierung fixiert)");

    connect(cmdShowKsi, &QPushButton::clicked, this, &CalcWindow::cmdShowKsi_Click);
    connect(cmdCloseKsi, &QPushButton::clicked, this, &CalcWindow::cmdCloseKsi_Click);
    connect(cmdReset_k, &QPushButton::clicked, this, &CalcWindow::cmdReset_k_Click);
    connect(chkSpecialScaling, &QCheckBox::clicked, this, &CalcWindow::chkSpecialScaling_Click);
    connect(chkDelDiagram, &QCheckBox::clicked, this, &CalcWindow::chkDelDiagram_Click);
}

QPushButton* CalcWindow::MakeButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent ? parent : this);
    button->setObjectName(name);
    return button;
}

QLabel* CalcWindow::MakeLabel(const QString& name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent ? parent : this);
    label->setObjectName(name);
    return label;
}

QCheckBox* CalcWindow::MakeCheck(const QString& name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent ? parent : this);
    box->setObjectName(name);
    return box;
}

QPushButton* CalcWindow::MakeProtocolButton(const QString& caption) {
    cmdProtocol = MakeButton("cmdProtocol", caption);
    connect(cmdProtocol, &QPushButton::clicked, this, &CalcWindow::cmdProtocol_Click);
    return cmdProtocol;
}

bool CalcWindow::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < kInpCount; ++i) {
        if (Inp[i] == nullptr || watched != Inp[i]) continue;
        if (event->type() == QEvent::KeyPress) {
            bool swallow = false;
            InpKeyPress(i, static_cast<QKeyEvent*>(event), swallow);
            return swallow;
        }
        if (event->type() == QEvent::FocusIn) {
            // Inp_GotFocus: select the whole text once the focus has settled.
            QLineEdit* box = Inp[i];
            QMetaObject::invokeMethod(box, [box] { box->selectAll(); }, Qt::QueuedConnection);
        }
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

// Inp_KeyPress: the numeric key filter, the decimal comma typed as a point, Enter walks the boxes.
void CalcWindow::InpKeyPress(int index, QKeyEvent* event, bool& swallow) {
    if (simulation::IsEditShortcut(event)) return;
    int key = simulation::KeyAscii(event);
    if (key == 0) return;  // cursor keys, Tab and the like are not filtered
    if (!CheckNumKey(key)) {
        swallow = true;
        return;
    }
    TastenEingabe = kTrue;
    if (key == 13) {
        swallow = true;
        FocusNextInp(index);
        return;
    }
    if (key == '.' && event->text() != QStringLiteral(".")) {
        // A typed comma arrives as a point; the edit then takes the typed path once.
        swallow = true;
        {
            const QSignalBlocker quiet(Inp[index]);
            Inp[index]->insert(QStringLiteral("."));
        }
        InpEdited(index);
    }
}

// Walks on to the first box that is shown and not locked; a disabled one cannot take the focus,
// which is then left where it is.
void CalcWindow::FocusNextInp(int index) {
    if (index >= 17) return;
    int next = index;
    for (int step = 0; step < 17; ++step) {
        next = next >= 16 ? 0 : next + 1;
        QLineEdit* box = Inp[next];
        if (box != nullptr && !box->isHidden() && !box->isReadOnly()) {
            if (box->isEnabled()) box->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void CalcWindow::InpEdited(int index) {
    QLineEdit* box = Inp[index];
    if (box->text().contains(',')) {
        const int cursor = box->cursorPosition();
        box->setText(box->text().replace(',', '.'));
        box->setCursorPosition(cursor);
    }
    TastenEingabe = kTrue;
    Inp_Change(index);
}

void CalcWindow::Inp_Change(int index) {
    if (!TastenEingabe) return;
    TastenEingabe = kFalse;
    Refresh();
    BeforeStore(index);
    StoreInp(index, simulation::BoxValue(Inp[index]));
    AfterStore(index);
}

void CalcWindow::StoreInp(int index, double value) {
    if (index >= 10 && index <= 12) kWert[index - 9] = value;
}

void CalcWindow::BeforeStore(int) {}

void CalcWindow::AfterStore(int) { fraKsi->hide(); }

void CalcWindow::cmdShowKsi_Click() {
    fraKsi->show();
    lblTextKsi_1->setText(QString::fromStdString("ksi(1)/(mol/L) = " + platform::StrSingle(static_cast<float>(KsiWerte[1]))));
    if (EinfacheReaktion) {
        lblTextKsi_2->hide();
    } else {
        lblTextKsi_2->show();
        lblTextKsi_2->setText(
            QString::fromStdString("ksi(2)/(mol/L) = " + platform::StrSingle(static_cast<float>(KsiWerte[2]))));
    }
}

void CalcWindow::cmdCloseKsi_Click() { fraKsi->hide(); }

void CalcWindow::cmdReset_k_Click() { SetDefaultParameters(); }

void CalcWindow::chkSpecialScaling_Click() {
    const bool ticked = chkSpecialScaling->isChecked();
    SpezSkalierung = ticked ? kTrue : kFalse;
    for (int i = 1; i <= 5; ++i) {
        const bool inMask = static_cast<int>(KurvenMaske.size()) >= i && KurvenMaske[i - 1] == '1';
        optSpecialScaling[i - 1]->setEnabled(ticked && inMask);
    }
}

void CalcWindow::optSpecialScaling_Click(int index) { SpezSkalierungStoff = index + 1; }

void CalcWindow::chkDelDiagram_Click() {
    const bool ticked = chkDelDiagram->isChecked();
    KurvenHinzufuegen = ticked ? kTrue : kFalse;
    chkSpecialScaling->setEnabled(!ticked);
    if (ticked) {
        if (chkSpecialScaling->isChecked()) {
            chkSpecialScaling->setChecked(false);
            chkSpecialScaling_Click();
        }
        for (auto* option : optSpecialScaling) option->setEnabled(false);
    }
}

void CalcWindow::cmdProtocol_Click() {
    if (cmdProtocol) cmdProtocol->setEnabled(false);
    // The protocol window finds the open reactor and its result rows itself.
    platform::Windows().Show("frmProtokoll");
}

void CalcWindow::cmdEsc_Click() {
    // Closing the window closes the protocol first (closeEvent).
    platform::Windows().Unload(objectName().toStdString());
}

void CalcWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdEsc_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

namespace {
QWidget* FrameOf(QWidget* form) {
    QWidget* frame = platform::Windows().Frame(form->objectName().toStdString());
    return frame ? frame : form;
}
}  // namespace

void CalcWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placed_) return;
    placed_ = true;
    if (const kernel::FormPos* pos = PositionPair())
        FrameOf(this)->move(platform::TwipsToPixels(pos->Left), platform::TwipsToPixels(pos->Top));
}

void CalcWindow::SavePosition() {
    if (kernel::FormPos* pos = PositionPair()) {
        const QWidget* frame = FrameOf(this);
        pos->Left = platform::PixelsToTwips(frame->x());
        pos->Top = platform::PixelsToTwips(frame->y());
    }
}

// Form_QueryUnload: the position is kept for the next opening; closing is never refused. However a
// reactor window closes (close box, Esc, another reactor opened), its protocol closes first and writes
// the recorded rows under this reactor; the result it showed can no longer be recorded.
void CalcWindow::closeEvent(QCloseEvent* event) {
    if (cmdProtocol) {
        platform::Windows().Unload("frmProtokoll");
        kernel::VerwirfErgebnisZeilen(objectName().toStdString());
    }
    SavePosition();
    QWidget::closeEvent(event);
}
