#pragma once
// Helpers shared by the source files of the design dialog and its menus.
#include <QLineEdit>
#include <QRadioButton>
#include <functional>
#include <string>

class QWidget;

namespace design {

// Selects an option button; its handler runs also when it was selected already.
void Waehle(QRadioButton* r, const std::function<void()>& handler);
// Writes a text box (its change handler runs as for any write).
void SetzeText(QLineEdit* feld, const std::string& text);
std::string Text(const QLineEdit* feld);
// Background of a box (the diagram window's colour box beside its status bar).
void MaleHintergrund(QWidget* box, int farbe);

}  // namespace design
