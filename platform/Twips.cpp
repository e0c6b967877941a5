#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

int ScreenWidthTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? PixelsToTwips(screen->geometry().width()) : 0;
}

int ScreenHeightTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? PixelsToTwips(screen->geometry().height()) : 0;
}

}  // namespace platform
