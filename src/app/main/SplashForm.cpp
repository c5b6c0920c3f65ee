// The splash window: one panel holding the program's picture, the window as large as the picture.
#include "app/main/SplashForm.h"

#include "platform/ui/Containers.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Image.h"

#include <QCoreApplication>
#include <QThread>

// The picture's file, embedded by the build (SplashPicture.cpp).
extern const unsigned char kSplashJpeg[];
extern const unsigned kSplashJpegSize;

TSplashForm::TSplashForm(QWidget* owner) : TForm(owner) {
    ui::RegisterFormPicture(QStringLiteral("Splash.jpg"),
                            QByteArray::fromRawData(reinterpret_cast<const char*>(kSplashJpeg), kSplashJpegSize));
    Font().SetName(QStringLiteral("Arial"));
    Font().SetHeight(-13);
    ui::DescribeForm(*this, {"SplashForm", "", bsNone, poScreenCenter, 450, 300},
                     {
                         // name   class     parent   left top width height caption properties
                         {"Panel", "TPanel", "", 0, 0, 450, 300, "",
                          "Align=alClient; BevelOuter=bvNone; BorderWidth=1; BorderStyle=bsSingle"},
                         {"Image", "TImage", "Panel", 0, 0, 450, 300, "", "AutoSize=True; Picture=Splash.jpg"},
                     });
    SetFormStyle(fsStayOnTop);
    Panel = Find<TPanel>("Panel");
    Image = Find<TImage>("Image");
    OnCreate = [this](QObject*) {
        SetClientHeight(Image->Picture().Height());
        SetClientWidth(Image->Picture().Width());
    };
    Loaded();
}

void WaitOutSplash(const QElapsedTimer& shown, qint64 minimumMs) {
    // The windows keep being painted while the time runs out: the window server shows them only after they were
    // first painted, and a wait that runs nothing left the main window an empty black box. No user input is taken.
    while (shown.elapsed() < minimumMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        QThread::msleep(10);
    }
}
