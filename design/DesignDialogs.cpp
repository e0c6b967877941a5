#include "design/DesignDialogs.h"

#include "design/GestaltungIntern.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QPushButton>
#include <QVariant>

#include "platform/Chart2D.h"

namespace design {
namespace {

QColor Farbe(int rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

FarbDialog& FarbSlot() {
    static FarbDialog dialog = [](int start) -> std::optional<int> {
        const QColor c = QColorDialog::getColor(Farbe(start), QApplication::activeWindow());
        if (!c.isValid()) return std::nullopt;
        return platform::Chart2D::Rgb(c.red(), c.green(), c.blue());
    };
    return dialog;
}

SchriftDialog& SchriftSlot() {
    static SchriftDialog dialog = [](SchriftWahl& wahl) {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, wahl.font, QApplication::activeWindow());
        if (ok) wahl.font = f;
        return ok;
    };
    return dialog;
}

DruckerQuelle& DruckerSlot() {
    static DruckerQuelle quelle;
    return quelle;
}

}  // namespace

void SetFarbDialog(FarbDialog dialog) { FarbSlot() = std::move(dialog); }
std::optional<int> WaehleFarbe(int startFarbe) { return FarbSlot() ? FarbSlot()(startFarbe) : std::nullopt; }

void SetSchriftDialog(SchriftDialog dialog) { SchriftSlot() = std::move(dialog); }
bool WaehleSchrift(SchriftWahl& wahl) { return SchriftSlot() && SchriftSlot()(wahl); }

void SetDruckerQuelle(DruckerQuelle quelle) { DruckerSlot() = std::move(quelle); }
QPrinter* Drucker() { return DruckerSlot() ? DruckerSlot()() : nullptr; }

void MaleSwatch(QPushButton* knopf, int farbe) {
    if (!knopf) return;
    knopf->setProperty("farbe", farbe);
    const QString stil = "background-color: " + Farbe(farbe).name() + "; border: 1px solid gray;";
    if (knopf->styleSheet() != stil) knopf->setStyleSheet(stil);  // a new style sheet costs a restyle
}

void MaleHintergrund(QWidget* box, int farbe) {
    if (box) box->setStyleSheet("background-color: " + Farbe(farbe).name() + ";");
}

int SwatchFarbe(const QPushButton* knopf) {
    if (!knopf) return 0;
    const QVariant v = knopf->property("farbe");
    return v.isValid() ? v.toInt() : 0xF0F0F0;
}

}  // namespace design
