#include "shell/ShellForms.h"

#include <QWidget>

#include "platform/Twips.h"
#include "platform/WindowRegistry.h"

namespace shell {

void UnloadForm(QWidget* form) {
    const std::string name = form->objectName().toStdString();
    if (platform::Windows().Get(name) == form)
        platform::Windows().Unload(name);
    else
        form->close();
}

void PlaceTw(QWidget* control, int left, int top, int width, int height) {
    using platform::TwipsToPixels;
    control->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

int LeftTw(const QWidget* control) { return platform::PixelsToTwips(control->x()); }
int TopTw(const QWidget* control) { return platform::PixelsToTwips(control->y()); }
int WidthTw(const QWidget* control) { return platform::PixelsToTwips(control->width()); }
int HeightTw(const QWidget* control) { return platform::PixelsToTwips(control->height()); }

QColor ColorOfRgb(int rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

int RgbOfColor(const QColor& color) { return color.red() + 256 * color.green() + 65536 * color.blue(); }

}  // namespace shell
