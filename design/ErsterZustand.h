#pragma once
// The first state of a dialog's named controls, taken once after the dialog is built and put back
// when the dialog serves a new owner: texts, frame titles, check marks, list entries and selections,
// values and ranges, tab captions and tabs shown, enabled and hidden flags, swatch colours and style
// sheets. The dialog is
// built once per program run instead of once per owner, and looks as freshly built each time.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

namespace design {

class ErsterZustand {
public:
    // Records every descendant of root with an object name of its own (Qt's inner widgets left out).
    void Aufnehmen(QWidget* root);
    // Puts every recorded control back without running its handlers.
    void Wiederherstellen() const;

private:
    struct Eintrag {
        QPointer<QWidget> widget;
        std::function<void(QWidget*)> zurueck;
    };
    std::vector<Eintrag> eintraege_;
    QPointer<QWidget> root_;
};

}  // namespace design
