// The vessel pictures: colour ramps, which region takes which colour, clamping of the conversion,
// and the not-xor stirrer animation, read back from the drawn picture.
#include <QLabel>
#include <QTimer>
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
    EXPECT_EQ(RowTankCentre(3), 1240 + 2 * 1920);
}

TEST_F(VesselPicturesTest, BatchVesselLiquidFunnelAndValve) {
    FillVesselColours(*canvas, 0.5);
    EXPECT_EQ(canvas->PixelAt(1200, 3400), QColor(128, 255, 128));  // liquid, deep in the cone
    EXPECT_EQ(canvas->PixelAt(700, 2700), QColor(128, 255, 128));
    EXPECT_EQ(canvas->PixelAt(1200, 2200), kYellow);                // funnel triangle
    EXPECT_EQ(canvas->PixelAt(1200, 2400), kBack);                  // air above the liquid
    EXPECT_EQ(canvas->PixelAt(300, 2700), kBack);                   // outside the vessel
    EXPECT_TRUE(BlackNear(1200, 3625));                             // the valve
    canvas->Picture().save(testsupport::PicturePath("vessel_batch.png"));

    // Conversions outside 0..1 colour like the nearest end; the caller's value is not touched.
    double u = 1.7;
    FillVesselColours(*canvas, u);
    EXPECT_EQ(canvas->PixelAt(1200, 3400), kCyan);
    EXPECT_EQ(u, 1.7);
    FillVesselColours(*canvas, -0.4);
    EXPECT_EQ(canvas->PixelAt(1200, 3400), kYellow);
}

TEST_F(VesselPicturesTest, StirredTankLiquidArrowsAndOpenBladeTriangles) {
    DrawReactorCSTR(*canvas, 0.25);
    const QColor c = ConversionColour(0.25);
    EXPECT_EQ(canvas->PixelAt(1020, 3900), c);            // liquid
    EXPECT_EQ(canvas->PixelAt(1010, 4460), c);            // outlet arrow
    EXPECT_EQ(canvas->PixelAt(1400, 4350), kBack);        // beside the outlet arrow
    EXPECT_EQ(canvas->PixelAt(620, 2500), kYellow);       // inlet arrow below the lid line
    EXPECT_EQ(canvas->PixelAt(620, 2330), kYellow);       // ... and above it
    EXPECT_EQ(canvas->PixelAt(1020 + 200, 3400), kBack);  // blade triangle left unfilled
    EXPECT_EQ(canvas->PixelAt(1400, 2700), kBack);        // air in the tank
    canvas->Picture().save(testsupport::PicturePath("vessel_cstr.png"));
}

TEST_F(VesselPicturesTest, TubeBodyIsGreyAndItsOutletWaitsForAResult) {
    kernel::tauMittel = 0;
    DrawReactorTube(*canvas, 0.8);
    const QColor grey = TubeColour();
    EXPECT_EQ(canvas->PixelAt(550, 2650), grey);    // leg 1
    EXPECT_EQ(canvas->PixelAt(1050, 3000), grey);   // leg 2
    EXPECT_EQ(canvas->PixelAt(1550, 3500), grey);   // leg 3
    EXPECT_EQ(canvas->PixelAt(800, 3850), grey);    // lower bend
    EXPECT_EQ(canvas->PixelAt(1300, 2350), grey);   // upper bend
    EXPECT_EQ(canvas->PixelAt(800, 3000), kBack);   // between the legs
    EXPECT_EQ(canvas->PixelAt(800, 3700), kBack);   // inside the lower bend
    EXPECT_EQ(canvas->PixelAt(550, 2300), kYellow); // inlet arrow
    EXPECT_EQ(canvas->PixelAt(1550, 3900), kBack);  // no result yet
    kernel::tauMittel = 2;
    DrawReactorTube(*canvas, 0.8);
    EXPECT_EQ(canvas->PixelAt(1550, 3900), ConversionColour(0.8));
    EXPECT_EQ(canvas->PixelAt(550, 2650), grey);
    DrawReactorTube(*canvas, 3.0);
    EXPECT_EQ(canvas->PixelAt(1550, 3900), kCyan);
    canvas->Picture().save(testsupport::PicturePath("vessel_tube.png"));
}

TEST_F(VesselPicturesTest, CascadeRowTakesTheColourOfEachStageAndOfTheStreamBefore) {
    for (int i = 1; i <= 3; ++i) DrawCascadeVessels(*canvas, i, 0);
    const int cx2 = RowTankCentre(2);
    EXPECT_EQ(canvas->PixelAt(RowTankCentre(1), 4300), kYellow);
    EXPECT_EQ(canvas->PixelAt(RowTankCentre(1) - 400, 2545), kYellow);  // feed into tank 1
    EXPECT_EQ(canvas->PixelAt(cx2 - 400, 2370), kBack);                 // inlets 2..N unfilled
    EXPECT_EQ(canvas->PixelAt(cx2 - 10, 4910), kBack);                  // outlets unfilled

    std::vector<double> U{0, 0.2, 1.5, 0.6};
    FillVesselColours(*canvas, 2, U);
    EXPECT_EQ(U[2], 1.0);  // clamped in the array
    EXPECT_EQ(canvas->PixelAt(cx2, 4300), kCyan);
    EXPECT_EQ(canvas->PixelAt(cx2 + 90, 3800), kCyan);  // blade triangles
    EXPECT_EQ(canvas->PixelAt(cx2 - 110, 3800), kCyan);
    EXPECT_EQ(canvas->PixelAt(cx2 - 10, 4910), kCyan);
    EXPECT_EQ(canvas->PixelAt(cx2 - 400, 2370), ConversionColour(0.2));
    EXPECT_EQ(canvas->PixelAt(RowTankCentre(3), 4300), kYellow);  // other tanks untouched
    canvas->Picture().save(testsupport::PicturePath("vessel_cascade.png"));
}

TEST_F(VesselPicturesTest, TracerTanksStartWhiteAndTurnRedWithDye) {
    for (int i = 1; i <= 2; ++i) DrawTracerVessels(*canvas, i, 0);
    EXPECT_EQ(canvas->PixelAt(RowTankCentre(1), 4300), QColor(Qt::white));
    EXPECT_EQ(canvas->PixelAt(RowTankCentre(1) - 400, 2545), QColor(Qt::white));
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
    EXPECT_EQ(stirrer.Timer1->interval(), 80);
    EXPECT_EQ(stirrer.Timer1->objectName(), "Timer1");
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
