#pragma once
// The colour and font dialogs of the design dialog and its tools, and the printer that picture
// output goes to. Each is replaceable, so that tests answer them without a modal dialog.
#include <QFont>
#include <functional>
#include <memory>
#include <optional>

class QPrinter;
class QPushButton;

namespace design {

// Colour dialog started with a colour (RGB Long); no value when the user cancelled.
using FarbDialog = std::function<std::optional<int>(int startFarbe)>;
void SetFarbDialog(FarbDialog dialog);
std::optional<int> WaehleFarbe(int startFarbe);

// Font dialog: starts with font and text colour, returns false when cancelled (the choice is then
// left as it was).
struct SchriftWahl {
    QFont font;
    int farbe = 0;
};
using SchriftDialog = std::function<bool(SchriftWahl& wahl)>;
void SetSchriftDialog(SchriftDialog dialog);
bool WaehleSchrift(SchriftWahl& wahl);

// Printer of the picture output; null means the system's default printer.
using DruckerQuelle = std::function<QPrinter*()>;
void SetDruckerQuelle(DruckerQuelle quelle);
QPrinter* Drucker();

// A swatch: a button whose background shows a colour; the colour is kept in the button and read
// back with SwatchFarbe.
void MaleSwatch(QPushButton* knopf, int farbe);
int SwatchFarbe(const QPushButton* knopf);

}  // namespace design
