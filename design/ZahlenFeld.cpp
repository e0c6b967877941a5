#include "design/ZahlenFeld.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "kernel/Utilities.h"
#include "simulation/CalcWindow.h"

namespace design {
namespace {

class ZahlenFilter : public QObject {
public:
    ZahlenFilter(QLineEdit* feld, std::function<void()> beiEnter) : QObject(feld), feld_(feld), beiEnter_(std::move(beiEnter)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != feld_) return false;
        if (event->type() == QEvent::FocusIn) {
            QTimer::singleShot(0, feld_, [f = feld_] { f->selectAll(); });
            return false;
        }
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (simulation::IsEditShortcut(key)) return false;
        int ascii = simulation::KeyAscii(key);
        if (ascii == 0) return false;
        const int getippt = ascii;
        if (!kernel::CheckNumKey(ascii)) return true;
        if (ascii == 13) {
            if (beiEnter_) beiEnter_();
            return true;
        }
        if (ascii != getippt) {
            feld_->insert(QString(QChar(ascii)));
            return true;
        }
        return false;
    }

private:
    QLineEdit* feld_;
    std::function<void()> beiEnter_;
};

}  // namespace

void MacheZahlenFeld(QLineEdit* feld, std::function<void()> beiEnter) {
    feld->installEventFilter(new ZahlenFilter(feld, std::move(beiEnter)));
}

}  // namespace design
