#include "platform/QtMessageBox.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTextBoundaryFinder>

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

// The button rows of the message styles 0..5 (the low three bits of a style), in display order,
// with German captions.
std::vector<ButtonSpec> ButtonsOf(int style) {
    switch (style & 7) {
    case MsgOkCancel:
        return {{"OK", AnswerOk, QMessageBox::AcceptRole}, {"Abbrechen", AnswerCancel, QMessageBox::RejectRole}};
    case MsgAbortRetryIgnore:
        return {{"&Abbrechen", AnswerAbort, QMessageBox::RejectRole},
                {"&Wiederholen", AnswerRetry, QMessageBox::AcceptRole},
                {"&Ignorieren", AnswerIgnore, QMessageBox::AcceptRole}};
    case MsgYesNoCancel:
        return {{"&Ja", AnswerYes, QMessageBox::YesRole},
                {"&Nein", AnswerNo, QMessageBox::NoRole},
                {"Abbrechen", AnswerCancel, QMessageBox::RejectRole}};
    case MsgYesNo:
        return {{"&Ja", AnswerYes, QMessageBox::YesRole}, {"&Nein", AnswerNo, QMessageBox::NoRole}};
    case MsgRetryCancel:
        return {{"&Wiederholen", AnswerRetry, QMessageBox::AcceptRole}, {"Abbrechen", AnswerCancel, QMessageBox::RejectRole}};
    default:
        return {{"OK", AnswerOk, QMessageBox::AcceptRole}};
    }
}

QMessageBox::Icon IconOf(int style) {
    switch (style & 0x70) {
    case MsgCritical: return QMessageBox::Critical;
    case MsgQuestion: return QMessageBox::Question;
    case MsgExclamation: return QMessageBox::Warning;
    case MsgInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

bool waitCursorShown = false;

// A break opportunity that shows nothing: set between the characters of a run too wide for a line.
constexpr QChar kBreakHere(0x200B);

// The text with a break opportunity after every character of each run without blanks that is wider
// than `room` pixels, so that word wrap breaks such a run (a long file name) where the width ends.
QString BreakOverlongRuns(const QString& text, const QFontMetrics& metrics, int room) {
    QString out;
    out.reserve(text.size());
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && !text.at(end).isSpace()) ++end;
        const QString run = text.mid(start, end - start);
        if (metrics.horizontalAdvance(run) <= room) {
            out += run;
        } else {
            QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, run);
            qsizetype from = 0;
            for (qsizetype to = graphemes.toNextBoundary(); to > 0; to = graphemes.toNextBoundary()) {
                out += run.mid(from, to - from);
                if (to < run.size()) out += kBreakHere;
                from = to;
            }
        }
        while (end < text.size() && text.at(end).isSpace()) out += text.at(end++);
        start = end;
    }
    return out;
}

// The messages come broken into lines. QMessageBox breaks every line wider than half the screen as
// well; this box is as wide as its longest line needs, up to the screen's free width, and breaks only
// a line longer than that: at blanks, and inside a run without blanks only when the run alone is
// wider than a line. QMessageBox sizes itself when shown and on each layout request; the box sizes
// itself again right after.
class LineBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

    void SetMessage(const QString& text) {
        message_ = text;
        setText(text);
    }

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
        // Centred again over the main window with the new width, kept within the screen's free area.
        if (place) {
            adjustPosition(parentWidget());
            const QRect free = screen()->availableGeometry();
            const QRect frame = frameGeometry();
            const int left = std::max(free.left(), std::min(frame.left(), free.right() + 1 - frame.width()));
            const int top = std::max(free.top(), std::min(frame.top(), free.bottom() + 1 - frame.height()));
            move(pos() + QPoint(left, top) - frame.topLeft());
            setAttribute(Qt::WA_Moved, false);
        }
    }

private:
    void FitLines() {
        auto* label = findChild<QLabel*>("qt_msgbox_label");
        if (!label || !layout() || !isVisible() || fitting_) return;
        fitting_ = true;
        const int room = screen()->availableGeometry().width() - (frameGeometry().width() - width());
        label->setText(message_);
        label->setWordWrap(false);
        layout()->activate();
        const int unbroken = layout()->totalMinimumSize().width();
        const bool wrap = unbroken > room;
        if (wrap) {
            // What the line itself may take: the room less the icon, margins and spacing beside it.
            int widest = 0;
            for (const QString& line : message_.split('\n'))
                widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
            const QString shown = BreakOverlongRuns(message_, label->fontMetrics(), room - (unbroken - widest));
            if (shown != message_) CleanCopies();
            label->setText(shown);
        }
        label->setWordWrap(wrap);
        // Never narrower than QMessageBox made it (its width also fits the window title).
        const int w = std::min(std::max(width(), unbroken), room);
        layout()->activate();
        setFixedSize(w, layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(w)
                                                       : layout()->totalMinimumSize().height());
        QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
        fitting_ = false;
    }

    // Text selected in the box and copied holds the message as it was given, without the breaks.
    void CleanCopies() {
        if (cleansCopies_) return;
        cleansCopies_ = true;
        QClipboard* clipboard = QGuiApplication::clipboard();
        const auto clean = [clipboard](QClipboard::Mode mode) {
            const QString copied = clipboard->text(mode);
            if (copied.contains(kBreakHere)) clipboard->setText(QString(copied).remove(kBreakHere), mode);
        };
        connect(clipboard, &QClipboard::dataChanged, this, [clean] { clean(QClipboard::Clipboard); });
        connect(clipboard, &QClipboard::selectionChanged, this, [clean] { clean(QClipboard::Selection); });
    }

    QString message_;
    bool fitting_ = false;
    bool cleansCopies_ = false;
};

}  // namespace

std::unique_ptr<QMessageBox> BuildMessageBox(const std::string& prompt, int style, const std::string& title) {
    auto box = std::make_unique<LineBox>(WindowRegistry::Instance().MainWindow());
    box->setObjectName("MsgBox");
    box->setWindowTitle(QString::fromStdString(title));
    QString text = QString::fromStdString(prompt);
    text.replace("\r\n", "\n").replace('\r', '\n');
    box->setTextFormat(Qt::PlainText);
    box->SetMessage(text);
    box->setIcon(IconOf(style));

    const std::vector<ButtonSpec> specs = ButtonsOf(style);
    const int defaultIndex = (style & MsgDefaultButton3) ? 2 : (style & MsgDefaultButton2) ? 1 : 0;
    QPushButton* escape = nullptr;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        QPushButton* button = box->addButton(QString::fromUtf8(specs[i].text), specs[i].role);
        button->setProperty(kAnswerProperty, specs[i].answer);
        if (static_cast<int>(i) == (defaultIndex < static_cast<int>(specs.size()) ? defaultIndex : 0))
            box->setDefaultButton(button);
        if (specs[i].answer == AnswerCancel || (specs.size() == 1 && specs[i].answer == AnswerOk)) escape = button;
    }
    if (escape) box->setEscapeButton(escape);
    return box;
}

int AnswerOfButton(const QAbstractButton* button) {
    if (!button) return AnswerCancel;
    const QVariant answer = button->property(kAnswerProperty);
    return answer.isValid() ? answer.toInt() : AnswerCancel;
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
