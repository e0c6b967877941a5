#pragma once
// Window positions of the system are kept in twips (1/1440 inch); on a 96-dpi screen
// one pixel is 15 twips.
namespace platform {

constexpr int kTwipsPerPixel = 15;

inline int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }
inline int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// Size of the primary screen in twips (0 without a screen), or of the screen set by UseScreenSize.
int ScreenWidthTwips();
int ScreenHeightTwips();

// Window positions are derived as on a screen of this size in pixels; 0 x 0 returns to the primary
// screen. Lets the placing of windows be tried for screens other than the one at hand.
void UseScreenSize(int widthPx, int heightPx);

}  // namespace platform
