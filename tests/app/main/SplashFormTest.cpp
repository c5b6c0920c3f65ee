// The splash window: its picture decoded from the embedded JPEG, the window its size, and the minimum time.
#include "app/main/SplashForm.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Containers.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Image.h"
#include "platform/ui/Jpeg.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>

TEST(SplashForm, ShowsItsPictureWholeInAWindowOfThePicturesSize) {
    testing_env::AtEachTestFont([] {
        TSplashForm splash;
        ASSERT_NE(dynamic_cast<TJPEGImage*>(splash.Image->Picture().Graphic()), nullptr);
        EXPECT_EQ(splash.Image->Picture().Width(), 450);
        EXPECT_EQ(splash.Image->Picture().Height(), 300);
        EXPECT_EQ(splash.ClientWidth(), 450);
        EXPECT_EQ(splash.ClientHeight(), 300);
        EXPECT_EQ(splash.BorderStyle(), bsNone);
        EXPECT_EQ(splash.FormStyle(), fsStayOnTop);
        splash.Show();
        testing_env::ExpectTextsWhole(splash);
        // Not a flat picture: the decoder gave the drawn image.
        const QImage shown = splash.Image->grab().toImage();
        EXPECT_NE(shown.pixel(10, 10), shown.pixel(440, 290));
    });
}

TEST(SplashForm, ADescriptionNamingAPictureNobodyRegisteredIsRefused) {
    TForm form;
    EXPECT_THROW(ui::DescribeForm(form, {"F", "", bsNone, poScreenCenter, 10, 10},
                                  {{"Image", "TImage", "", 0, 0, 10, 10, "", "Picture=Missing.jpg"}}),
                 Exception);
}

TEST(SplashForm, TheWaitLastsOnlyUntilTheMinimumTimeHasPassed) {
    QElapsedTimer shown;
    shown.start();
    WaitOutSplash(shown, 150);
    EXPECT_GE(shown.elapsed(), 150);
    // Settings that took longer than the minimum: the splash goes at once.
    QElapsedTimer waited;
    waited.start();
    WaitOutSplash(shown, 100);
    EXPECT_LT(waited.elapsed(), 50);
}
