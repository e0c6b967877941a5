// The vessel pictures: colour ramps, which region takes which colour, clamping of the conversion,
// and the not-xor stirrer animation, read back from the drawn picture.
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

#include "kernel/State.h"
#include "simulation/VesselPictures.h"
#include "tests/support/PictureDir.h"

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
        kernel::tauMittel = 0;
        kernel::nKaskade = 0;
        kernel::nKesselVZ = 0;
    }
    // True when a black pixel lies within one pixel of the window point (x, y).
    bool BlackNear(int x, int y) const {
        for (int dx = -15; dx <= 15; dx += 15)
            for (int dy = -15; dy <= 15; dy += 15)
                if (canvas->PixelAt(x + dx, y + dy) == QColor(Qt::black)) return true;
        return false;
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
    canvas->Picture().save(testsupport::PicturePath("vessel_batch.png"));

    // Conversions outside 0..1 colour like the nearest end; the caller's value is not touched.
    double u = 1.7;
    FillVesselColours(*canvas, u);
    EXPECT_EQ(canvas->PixelAt(1200, 3400), kCyan);
    EXPECT_EQ(u, 1.7);
    FillVesselColours(*canvas, -0.4);
    EXPECT_EQ(canvas->PixelAt(1200, 3400), kYellow);
}

TEST_F(VesselPicturesTest, TubeBodyIsGreyAndItsOutletWaitsForAResult) {
    kernel::tauMittel = 0;
    DrawReactorTube(*canvas, 0.8);
    EXPECT_EQ(canvas->PixelAt(550, 2650), TubeColour());
    EXPECT_EQ(canvas->PixelAt(1550, 3900), kBack);  // no result yet
    kernel::tauMittel = 2;
    DrawReactorTube(*canvas, 0.8);
    EXPECT_EQ(canvas->PixelAt(1550, 3900), ConversionColour(0.8));
    EXPECT_EQ(canvas->PixelAt(550, 2650), TubeColour());
    DrawReactorTube(*canvas, 3.0);
    EXPECT_EQ(canvas->PixelAt(1550, 3900), kCyan);
    canvas->Picture().save(testsupport::PicturePath("vessel_tube.png"));
}

TEST_F(VesselPicturesTest, CascadeRowTakesTheColourOfEachStageAndOfTheStreamBefore) {
    for (int i = 1; i <= 3; ++i) DrawCascadeVessels(*canvas, i, 0);
    const int cx2 = RowTankCentre(2);
    EXPECT_EQ(canvas->PixelAt(RowTankCentre(1), 4300), kYellow);
    EXPECT_EQ(canvas->PixelAt(cx2 - 400, 2370), kBack);  // inlets 2..N unfilled

    std::vector<double> U{0, 0.2, 1.5, 0.6};
    FillVesselColours(*canvas, 2, U);
    EXPECT_EQ(U[2], 1.0);  // clamped in the array
    EXPECT_EQ(canvas->PixelAt(cx2, 4300), kCyan);
    EXPECT_EQ(canvas->PixelAt(cx2 - 400, 2370), ConversionColour(0.2));  // the stream from tank 1
    EXPECT_EQ(canvas->PixelAt(RowTankCentre(3), 4300), kYellow);  // other tanks untouched
    canvas->Picture().save(testsupport::PicturePath("vessel_cascade.png"));
}

TEST_F(VesselPicturesTest, TracerTanksStartWhiteAndTurnRedWithDye) {
    for (int i = 1; i <= 2; ++i) DrawTracerVessels(*canvas, i, 0);
    EXPECT_EQ(canvas->PixelAt(RowTankCentre(1), 4300), QColor(Qt::white));
    QLabel label(&host);
    std::vector<float> cKessel{0, 1.0f, 0.5f};
    FillTracerColours(*canvas, 1, cKessel, &label);
    FillTracerColours(*canvas, 2, cKessel, nullptr);
    EXPECT_EQ(canvas->PixelAt(RowTankCentre(1), 4300), QColor(255, 0, 0));
    EXPECT_EQ(canvas->PixelAt(RowTankCentre(2), 4300), DyeColour(0.5));
    EXPECT_EQ(canvas->PixelAt(RowTankCentre(2) - 400, 2370), QColor(255, 0, 0));  // stream from tank 1
    EXPECT_TRUE(label.styleSheet().contains("#ff0000"));
}

TEST_F(VesselPicturesTest, StirrerTicksInvertTheBladesAndEveryTwoTicksRestoreThePicture) {
    kernel::nKaskade = 2;
    std::vector<double> U{0, 0.3, 0.6};
    for (int i = 1; i <= 2; ++i) {
        DrawCascadeVessels(*canvas, i, 0);
        FillVesselColours(*canvas, i, U);
    }
    StirrerAnimation stirrer(*canvas, StirrerAnimation::Kind::Cascade, &host);
    EXPECT_FALSE(stirrer.IsRunning());
    for (int i = 1; i <= 2; ++i) stirrer.DrawStirrer(i);
    EXPECT_TRUE(stirrer.IsRunning());
    EXPECT_FLOAT_EQ(stirrer.Ruehrerfaktor, 0.6f);
    const QImage before = canvas->Picture().copy();
    const int cx = RowTankCentre(2);
    EXPECT_TRUE(BlackNear(cx + 420, 3800));

    stirrer.Timer1_Timer();
    // Each tank toggles the factor once, so after a tick with two tanks it is back at 0.6.
    EXPECT_FLOAT_EQ(stirrer.Ruehrerfaktor, 0.6f);
    EXPECT_NE(canvas->Picture(), before);
    EXPECT_FALSE(BlackNear(cx + 420, 3800));  // the wide blade's end turned white
    stirrer.Timer1_Timer();
    EXPECT_EQ(canvas->Picture(), before);
    stirrer.Stop();
    EXPECT_FALSE(stirrer.IsRunning());
}
