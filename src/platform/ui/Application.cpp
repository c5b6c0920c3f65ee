// The application, screen and mouse objects over QApplication, QScreen and QCursor.
#include "platform/ui/Application.h"

#include "platform/rtl/Messages.h"
#include "platform/rtl/SystemFacts.h"
#include "platform/ui/Events.h"
#include "platform/ui/Form.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QToolTip>

namespace {

TApplication theApplication;
TScreen theScreen;
TMouse theMouse;

Qt::CursorShape ShapeOf(TCursor cursor) {
    switch (cursor) {
        case crNone: return Qt::BlankCursor;
        case crCross: return Qt::CrossCursor;
        case crIBeam: return Qt::IBeamCursor;
        case crSizeNESW: return Qt::SizeBDiagCursor;
        case crSizeNS: return Qt::SizeVerCursor;
        case crSizeNWSE: return Qt::SizeFDiagCursor;
        case crSizeWE: return Qt::SizeHorCursor;
        case crUpArrow: return Qt::UpArrowCursor;
        case crHourGlass:
        case crSQLWait: return Qt::WaitCursor;
        case crDrag:
        case crMultiDrag: return Qt::DragCopyCursor;
        case crNoDrop:
        case crNo: return Qt::ForbiddenCursor;
        case crHSplit: return Qt::SplitHCursor;
        case crVSplit: return Qt::SplitVCursor;
        case crAppStart: return Qt::BusyCursor;
        case crHelp: return Qt::WhatsThisCursor;
        case crHandPoint: return Qt::PointingHandCursor;
        case crSizeAll: return Qt::SizeAllCursor;
        default: return Qt::ArrowCursor;
    }
}

}  // namespace

TApplication* const Application = &theApplication;
TScreen* const Screen = &theScreen;
TMouse* const Mouse = &theMouse;

QString TApplication::ExeName() const { return rtl::ExeName(); }
QString TApplication::Title() const { return QGuiApplication::applicationDisplayName(); }
void TApplication::SetTitle(const QString& title) { QGuiApplication::setApplicationDisplayName(title); }

void TApplication::SetHintColor(TColor color) {
    hintColor_ = color;
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, ui::ToQColor(color));
    QToolTip::setPalette(palette);
}

void TApplication::Initialize() {
    QGuiApplication::setQuitOnLastWindowClosed(false);
    terminated_ = false;
    SetHintColor(hintColor_);
}

void TApplication::Run() {
    if (!terminated_) QApplication::exec();
}

void TApplication::Terminate() {
    terminated_ = true;
    QCoreApplication::quit();
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(); }

void TApplication::HandleException(QObject* Sender) {
    const std::exception_ptr raised = std::current_exception();
    if (!raised) return;
    const auto report = [&](Exception& e) {
        if (OnException) ui::Fire(OnException, Sender, e);
        else ShowException(e);
    };
    try {
        try {
            std::rethrow_exception(raised);
        } catch (const EAbort&) {
        } catch (Exception& e) {
            report(e);
        } catch (const std::exception& e) {
            Exception wrapped(QString::fromLocal8Bit(e.what()));
            report(wrapped);
        } catch (...) {
            Exception wrapped(QStringLiteral("An unexpected error occurred"));
            report(wrapped);
        }
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        // The report itself failed: standard error is all that is left.
        qWarning("%s", e.what());
    } catch (...) {
        qWarning("An exception handler raised an unknown exception");
    }
}

void TApplication::ShowException(const Exception& E) {
    QString text = E.Message();
    if (!text.isEmpty() && text.back() > u'.') text += u'.';
    ::MessageBox(text, Title(), MB_OK | MB_ICONSTOP);
}

void TScreen::SetCursor(TCursor cursor) {
    if (cursor == cursor_) return;
    if (cursor_ != crDefault) QGuiApplication::restoreOverrideCursor();
    cursor_ = cursor;
    if (cursor_ != crDefault) QGuiApplication::setOverrideCursor(QCursor(ShapeOf(cursor_)));
}

int TScreen::Width() const { return QGuiApplication::primaryScreen()->geometry().width(); }
int TScreen::Height() const { return QGuiApplication::primaryScreen()->geometry().height(); }
TRect TScreen::WorkAreaRect() const { return ui::FromQRect(QGuiApplication::primaryScreen()->availableGeometry()); }

TForm* TScreen::ActiveForm() const {
    if (auto* form = dynamic_cast<TForm*>(QApplication::activeWindow())) return form;
    if (auto* form = dynamic_cast<TForm*>(QApplication::activeModalWidget())) return form;
    return nullptr;
}

TPoint TMouse::CursorPos() const { return ui::FromQPoint(QCursor::pos()); }
void TMouse::SetCursorPos(TPoint point) { QCursor::setPos(ui::ToQPoint(point)); }
