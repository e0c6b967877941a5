#pragma once
// Window positions of the system are kept in twips (1/1440 inch); on a 96-dpi screen
// one pixel is 15 twips.
namespace platform {

constexpr int kTwipsPerPixel = 15;

inline int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }
inline int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// Size of the primary screen in twips (0 without a screen).
int ScreenWidthTwips();
int ScreenHeightTwips();

}  // namespace platform
