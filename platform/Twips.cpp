#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

namespace {
QSize chosenScreen;  // empty: the primary screen
QSize ScreenSize() {
    if (!chosenScreen.isEmpty()) return chosenScreen;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}
}  // namespace

int ScreenWidthTwips() { return PixelsToTwips(ScreenSize().width()); }

int ScreenHeightTwips() { return PixelsToTwips(ScreenSize().height()); }

void UseScreenSize(int widthPx, int heightPx) { chosenScreen = QSize(widthPx, heightPx); }

}  // namespace platform
