// TForm's window handling: position, border, modal loop and the one close route.
#include "platform/ui/Form.h"

#include "platform/rtl/Exceptions.h"
#include "platform/ui/Application.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ModalRunner.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QMenuBar>
#include <QScreen>

namespace {

// The client area lays out its aligned controls whenever it changes size.
class ClientAreaWidget : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        ui::Dispatch(this, [this] { ui::ArrangeAlignedChildren(*this); });
    }
};

bool IsFixedSize(TFormBorderStyle style) {
    return style == bsNone || style == bsSingle || style == bsDialog || style == bsToolWindow;
}

TButton* FindButton(TForm& form, const std::function<bool(TButton&)>& wanted) {
    for (QPushButton* b : form.findChildren<QPushButton*>())
        if (auto* button = dynamic_cast<TButton*>(b);
            button && button->isVisibleTo(&form) && button->isEnabled() && wanted(*button))
            return button;
    return nullptr;
}

}  // namespace

TForm::TForm(QWidget* owner) : ControlOf<QWidget>(owner), client_(new ClientAreaWidget(this)) {
    setWindowFlags(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose, false);
    SetColor(clBtnFace);
    resize(320, 240);
    LayoutClient();
}

TForm::~TForm() { ui::Fire(OnDestroy, this); }

void TForm::MissingControl(const QString& name) const {
    throw Exception(objectName() + QStringLiteral(" has no control ") + name + QStringLiteral(" of that class"));
}

QString TForm::Caption() const { return windowTitle(); }
void TForm::SetCaption(const QString& caption) { setWindowTitle(caption); }

int TForm::ClientWidth() const { return width(); }
int TForm::ClientHeight() const { return height() - MenuHeight(); }

void TForm::SetClientWidth(int width) {
    SetBounds(Left(), Top(), width, height());
    LayoutClient();
}

void TForm::SetClientHeight(int height) {
    SetBounds(Left(), Top(), width(), height + MenuHeight());
    LayoutClient();
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    borderStyle_ = style;
    Qt::WindowFlags flags = Qt::Window;
    switch (style) {
        case bsNone: flags |= Qt::FramelessWindowHint; break;
        // A dialog offers only its system menu and close box: no minimise or maximise.
        case bsDialog:
            flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                    Qt::WindowCloseButtonHint;
            break;
        case bsToolWindow:
        case bsSizeToolWin: flags = Qt::Tool; break;
        default: break;
    }
    if (formStyle_ == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
    const bool visible = isVisible();
    setWindowFlags(flags);
    if (visible) show();
}

void TForm::SetFormStyle(TFormStyle style) {
    formStyle_ = style;
    SetBorderStyle(borderStyle_);
}

TWindowState TForm::WindowState() const {
    if (windowState() & Qt::WindowMinimized) return wsMinimized;
    if (windowState() & Qt::WindowMaximized) return wsMaximized;
    return wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
    setWindowState(state == wsMinimized   ? Qt::WindowMinimized
                   : state == wsMaximized ? Qt::WindowMaximized
                                          : Qt::WindowNoState);
}

void TForm::SetMenu(TMainMenu* menu) {
    // The client area keeps its size; the window grows or shrinks by the menu bar.
    const int clientHeight = ClientHeight();
    if (menu_) menu_->Bar()->hide();
    menu_ = menu;
    if (menu_) {
        menu_->Bar()->setParent(this);
        menu_->Bar()->show();
    }
    menuHeight_ = menu_ ? menu_->Bar()->sizeHint().height() : 0;
    SetClientHeight(clientHeight);
}

void TForm::SyncMenuHeight() {
    const int height = menu_ ? menu_->Bar()->sizeHint().height() : 0;
    if (height == menuHeight_) return;
    const int clientHeight = ClientHeight();
    menuHeight_ = height;
    SetClientHeight(clientHeight);
}

TControl* TForm::ActiveControl() const {
    QWidget* widget = activeControl_ ? activeControl_.data() : focusWidget();
    TControl* control = widget ? FindControl(widget) : nullptr;
    return control == this ? nullptr : control;
}

void TForm::SetActiveControl(TControl* control) {
    if (!control) {
        if (TControl* active = ActiveControl()) active->HandleExit();
        if (QWidget* focused = focusWidget()) focused->clearFocus();
        activeControl_ = nullptr;
        return;
    }
    activeControl_ = &control->Widget();
    control->Widget().setFocus(Qt::OtherFocusReason);
}

void TForm::SetModalResult(int result) {
    modalResult_ = result;
    // Checked after the running handler returns, as the framework's modal loop does.
    if (modal_ && result != mrNone) {
        const auto closeModal = [this] { ui::Dispatch(this, [this] { CloseModal(); }); };
        QMetaObject::invokeMethod(this, closeModal, Qt::QueuedConnection);
    }
}

int TForm::ShowModal() {
    if (modal_ || isVisible()) throw EInvalidOperation(QStringLiteral("Cannot make a visible window modal"));
    const ui::ModalRun run{*this, objectName(), [this] { return RunModalLoop(); },
                           [this](int result) { modalResult_ = result; }, [this] { modal_ = false; }};
    return ui::CurrentModalRunner().Run(run);
}

int TForm::RunModalLoop() {
    modalResult_ = mrNone;
    modal_ = true;
    setWindowModality(Qt::ApplicationModal);
    Show();
    QEventLoop loop;
    while (modal_) {
        loop.processEvents(QEventLoop::WaitForMoreEvents);
        if (Application->Terminated()) {
            modalResult_ = mrCancel;
            modal_ = false;
        }
    }
    hide();
    setWindowModality(Qt::NonModal);
    return modalResult_;
}

void TForm::CloseModal() {
    if (!modal_ || modalResult_ == mrNone) return;
    const TCloseAction action = QueryClose();
    if (action == caNone) {
        modalResult_ = mrNone;
        return;
    }
    modal_ = false;
    if (action == caFree) deleteLater();
}

TCloseAction TForm::QueryClose() {
    if (!CloseQuery()) return caNone;
    TCloseAction action = caHide;
    ui::Fire(OnClose, this, action);
    return action;
}

bool TForm::CloseQuery() {
    bool canClose = true;
    ui::Fire(OnCloseQuery, this, canClose);
    return canClose;
}

void TForm::Show() {
    if (!positioned_) ApplyPosition();
    show();
    raise();
    activateWindow();
}

void TForm::Hide() { hide(); }

void TForm::Close() {
    if (modal_) {
        SetModalResult(mrCancel);
        return;
    }
    const TCloseAction action = QueryClose();
    if (action == caNone) return;
    if (Application->MainForm() == this) Application->Terminate();
    switch (action) {
        case caMinimize: showMinimized(); break;
        case caFree: Release(); break;
        default: hide(); break;
    }
}

void TForm::Release() {
    hide();
    deleteLater();
}

void TForm::Loaded() {
    // The menu bar has its items now: its height is counted before anyone sizes the window.
    SyncMenuHeight();
    ui::Fire(OnCreate, this);
}

bool TForm::IsShortCut(Word key, TShiftState shift, TControl& focused) {
    const TShortCut shortCut = ShortCut(key, shift);
    for (QWidget* w = &focused.Widget(); w; w = w->isWindow() ? nullptr : w->parentWidget())
        if (auto* control = dynamic_cast<TControl*>(w);
            control && control->PopupMenu() && control->PopupMenu()->IsShortCut(shortCut))
            return true;
    return menu_ && menu_->IsShortCut(shortCut);
}

bool TForm::DialogKey(Word key, TShiftState shift, TControl& focused) {
    if (shift.Contains(ssAlt) || shift.Contains(ssCtrl)) return false;
    switch (key) {
        case VK_TAB: return SelectNext(!shift.Contains(ssShift));
        case VK_LEFT:
        case VK_UP: return SelectNext(false);
        case VK_RIGHT:
        case VK_DOWN: return SelectNext(true);
        case VK_RETURN:
        case VK_ESCAPE: {
            if (!shift.IsEmpty()) return false;
            auto* focusedButton = dynamic_cast<TButton*>(&focused);
            TButton* button = key == VK_ESCAPE ? FindButton(*this, [](TButton& b) { return b.Cancel(); })
                              : focusedButton  ? focusedButton
                                               : FindButton(*this, [](TButton& b) { return b.Default(); });
            if (!button) return false;
            button->Click();
            return true;
        }
        default: return false;
    }
}

bool TForm::SelectNext(bool forward) { return focusNextPrevChild(forward); }

bool TForm::event(QEvent* e) {
    ui::Dispatch(this, [this, e] {
        switch (e->type()) {
            case QEvent::Show:
                if (!e->spontaneous()) ui::Fire(OnShow, this);
                break;
            case QEvent::Hide:
                if (!e->spontaneous()) ui::Fire(OnHide, this);
                break;
            case QEvent::WindowActivate: ui::Fire(OnActivate, this); break;
            case QEvent::WindowDeactivate: ui::Fire(OnDeactivate, this); break;
            case QEvent::LayoutRequest: SyncMenuHeight(); break;  // the menu bar's items changed
            default: break;
        }
    });
    return ControlOf<QWidget>::event(e);
}

void TForm::closeEvent(QCloseEvent* e) {
    // The close box and the window manager's close come here; they take the one close route.
    e->ignore();
    ui::Dispatch(this, [this] { Close(); });
}

void TForm::resizeEvent(QResizeEvent* e) {
    ControlOf<QWidget>::resizeEvent(e);
    ui::Dispatch(this, [this] { LayoutClient(); });
}

void TForm::ApplyPosition() {
    positioned_ = true;
    if (IsFixedSize(borderStyle_)) setFixedSize(size());
    QRect area;
    switch (position_) {
        case poScreenCenter:
        case poDesktopCenter:
            if (QScreen* s = screen()) area = s->availableGeometry();
            break;
        case poMainFormCenter:
        case poOwnerFormCenter: {
            QWidget* owner = position_ == poMainFormCenter && Application->MainForm() ? Application->MainForm()
                             : parentWidget()                                         ? parentWidget()->window()
                                                                                      : nullptr;
            if (owner && owner != this) area = owner->frameGeometry();
            else if (QScreen* s = screen()) area = s->availableGeometry();
            break;
        }
        default: return;
    }
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

int TForm::MenuHeight() const { return menuHeight_; }

void TForm::LayoutClient() {
    const int menuHeight = MenuHeight();
    if (menu_) menu_->Bar()->setGeometry(0, 0, width(), menuHeight);
    client_->setGeometry(0, menuHeight, width(), std::max(0, height() - menuHeight));
    // A hidden form gets its resize events only when shown; its aligned controls are laid out now.
    ui::ArrangeAlignedChildren(*client_);
}
