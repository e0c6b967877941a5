#include "platform/QtMessageBox.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>

#include "platform/WindowRegistry.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"

namespace platform {
namespace {

const char* const kAnswerProperty = "msgAnswer";

struct ButtonSpec {
    const char* text;
    int answer;
    QMessageBox::ButtonRole role;
};

// The button rows of the VB styles 0..5, in display order, with German captions.
std::vector<ButtonSpec> ButtonsOf(int style) {
    switch (style & 7) {
    case vbOKCancel:
        return {{"OK", vbOK, QMessageBox::AcceptRole}, {"Abbrechen", vbCancel, QMessageBox::RejectRole}};
    case vbAbortRetryIgnore:
        return {{"&Abbrechen", vbAbort, QMessageBox::RejectRole},
                {"&Wiederholen", vbRetry, QMessageBox::AcceptRole},
                {"&Ignorieren", vbIgnore, QMessageBox::AcceptRole}};
    case vbYesNoCancel:
        return {{"&Ja", vbYes, QMessageBox::YesRole},
                {"&Nein", vbNo, QMessageBox::NoRole},
                {"Abbrechen", vbCancel, QMessageBox::RejectRole}};
    case vbYesNo:
        return {{"&Ja", vbYes, QMessageBox::YesRole}, {"&Nein", vbNo, QMessageBox::NoRole}};
    case vbRetryCancel:
        return {{"&Wiederholen", vbRetry, QMessageBox::AcceptRole}, {"Abbrechen", vbCancel, QMessageBox::RejectRole}};
    default:
        return {{"OK", vbOK, QMessageBox::AcceptRole}};
    }
}

QMessageBox::Icon IconOf(int style) {
    switch (style & 0x70) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

bool waitCursorShown = false;

// The messages come broken into lines. QMessageBox breaks every line wider than half the screen as
// well; this box is as wide as its longest line needs, up to the screen's free width, and breaks only
// a line longer than that. QMessageBox sizes itself when shown and on each layout request; the box
// sizes itself again right after.
class LineBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    bool event(QEvent* event) override {
        const bool done = QMessageBox::event(event);
        if (event->type() == QEvent::LayoutRequest) FitLines();
        return done;
    }
    void showEvent(QShowEvent* event) override {
        const bool place = !event->spontaneous() && !testAttribute(Qt::WA_Moved);
        QMessageBox::showEvent(event);
        FitLines();
        // Centred again over the main window with the new width, kept within the screen.
        if (place) {
            adjustPosition(parentWidget());
            setAttribute(Qt::WA_Moved, false);
        }
    }

private:
    void FitLines() {
        auto* label = findChild<QLabel*>("qt_msgbox_label");
        if (!label || !layout() || !isVisible()) return;
        const int room = screen()->availableGeometry().width() - (frameGeometry().width() - width());
        label->setWordWrap(false);
        layout()->activate();
        const int unbroken = layout()->totalMinimumSize().width();
        label->setWordWrap(unbroken > room);
        // Never narrower than QMessageBox made it (its width also fits the window title).
        const int w = std::min(std::max(width(), unbroken), room);
        layout()->activate();
        setFixedSize(w, layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(w)
                                                       : layout()->totalMinimumSize().height());
        QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
    }
};

}  // namespace

std::unique_ptr<QMessageBox> BuildMessageBox(const std::string& prompt, int style, const std::string& title) {
    auto box = std::make_unique<LineBox>(WindowRegistry::Instance().MainWindow());
    box->setObjectName("MsgBox");
    box->setWindowTitle(QString::fromStdString(title));
    QString text = QString::fromStdString(prompt);
    text.replace("\r\n", "\n").replace('\r', '\n');
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    box->setIcon(IconOf(style));

    const std::vector<ButtonSpec> specs = ButtonsOf(style);
    const int defaultIndex = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
    QPushButton* escape = nullptr;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        QPushButton* button = box->addButton(QString::fromUtf8(specs[i].text), specs[i].role);
        button->setProperty(kAnswerProperty, specs[i].answer);
        if (static_cast<int>(i) == (defaultIndex < static_cast<int>(specs.size()) ? defaultIndex : 0))
            box->setDefaultButton(button);
        if (specs[i].answer == vbCancel || (specs.size() == 1 && specs[i].answer == vbOK)) escape = button;
    }
    if (escape) box->setEscapeButton(escape);
    return box;
}

int AnswerOfButton(const QAbstractButton* button) {
    if (!button) return vbCancel;
    const QVariant answer = button->property(kAnswerProperty);
    return answer.isValid() ? answer.toInt() : vbCancel;
}

int QtMsgBox(const std::string& prompt, int style, const std::string& title) {
    auto box = BuildMessageBox(prompt, style, title);
    // A waiting pointer must not hide the question.
    const bool cursor = waitCursorShown;
    if (cursor) QApplication::setOverrideCursor(Qt::ArrowCursor);
    box->exec();
    if (cursor) QApplication::restoreOverrideCursor();
    const QAbstractButton* clicked = box->clickedButton();
    // Closing a box without a cancel button by the window frame gives its default answer.
    if (!clicked) return DefaultAnswer(style);
    return AnswerOfButton(clicked);
}

void InstallWindowServices() {
    InstallFormHost();
    SetBeepHandler([] { QApplication::beep(); });
    // The kernel keeps the nesting count and switches only at the outermost level.
    SetWaitCursorHandler([](bool on) {
        if (on && !waitCursorShown) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            waitCursorShown = true;
        } else if (!on && waitCursorShown) {
            QApplication::restoreOverrideCursor();
            waitCursorShown = false;
        }
    });
    ApplyNumberLocale(QLocale::system());
}

void ApplyNumberLocale(const QLocale& locale) {
    QLocale::setDefault(locale);
    SetLocaleDecimalSeparator(locale.decimalPoint() == QLatin1String(",") ? ',' : '.');
}

void InstallQtServices() {
    InstallWindowServices();
    SetMsgBoxHandler(QtMsgBox);
}

}  // namespace platform
