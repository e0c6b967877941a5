#pragma once
// Small helpers the shell's dialogs share: closing a window through the registry, control
// geometry in twips, and RGB Long colours.
#include <QColor>

class QWidget;

namespace shell {

// Closes the window as its close box would: through the registry when it is the registered
// instance, directly otherwise.
void UnloadForm(QWidget* form);

// Places a control by Left, Top, Width and Height in twips.
void PlaceTw(QWidget* control, int left, int top, int width, int height);
// Left, Top, Width, Height of a control in twips.
int LeftTw(const QWidget* control);
int TopTw(const QWidget* control);
int WidthTw(const QWidget* control);
int HeightTw(const QWidget* control);

// RGB Long (red in the lowest byte) and QColor.
QColor ColorOfRgb(int rgb);
int RgbOfColor(const QColor& color);

}  // namespace shell
