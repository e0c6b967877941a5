// The vessel pictures: the colour ramps, and the batch vessel's colour with clamping of the
// conversion, read back from the drawn picture.
#include <QWidget>

#include <gtest/gtest.h>

#include "simulation/VesselPictures.h"

using namespace simulation;

namespace {

const QColor kYellow(255, 255, 0);
const QColor kCyan(0, 255, 255);
const QColor kBack(212, 208, 200);

class VesselPicturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.resize(1000, 400);
        canvas = new VesselCanvas(&host, 0, 1500, 14000, 4000);
        canvas->SetBackColor(kBack);
        canvas->Cls();
    }
    QWidget host;
    VesselCanvas* canvas = nullptr;
};

}  // namespace

TEST(VesselColours, RampsRoundHalvesToEvenAndMeetTheirEnds) {
    EXPECT_EQ(ConversionColour(0), kYellow);
    EXPECT_EQ(ConversionColour(1), kCyan);
    EXPECT_EQ(ConversionColour(0.5), QColor(128, 255, 128));  // 127.5 goes to the even 128
    EXPECT_EQ(ConversionColour(0.25), QColor(191, 255, 64));  // 191.25 and 63.75
    EXPECT_EQ(DyeColour(0), QColor(255, 255, 255));
    EXPECT_EQ(DyeColour(1), QColor(255, 0, 0));
}

TEST_F(VesselPicturesTest, BatchVesselLiquidFunnelAndValve) {
    FillVesselColours(*canvas, 0.5);
    EXPECT_EQ(canvas->PixelAt(1200, 3400), QColor(128, 255, 128));  // liquid, deep in the cone
    EXPECT_EQ(canvas->PixelAt(1200, 2400), kBack);                  // air above the liquid

    // Conversions outside 0..1 colour like the nearest end; the caller's value is not touched.
    double u = 1.7;
    FillVesselColours(*canvas, u);
    EXPECT_EQ(canvas->PixelAt(1200, 3400), kCyan);
    EXPECT_EQ(u, 1.7);
    FillVesselColours(*canvas, -0.4);
    EXPECT_EQ(canvas->PixelAt(1200, 3400), kYellow);
}
