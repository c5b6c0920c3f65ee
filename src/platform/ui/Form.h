// TForm: a top-level window with the framework's caption, position, border, modal results and close routing.
#pragma once

#include "platform/rtl/Messages.h"
#include "platform/ui/Control.h"

#include <QPointer>

class TMainMenu;
class QMenuBar;

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStyle { fsNormal, fsStayOnTop };

using TCloseEvent = std::function<void(QObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(QObject* Sender, bool& CanClose)>;

class TForm : public ui::ControlOf<QWidget> {
public:
    // The owner keeps the window above it and is the centre of poOwnerFormCenter.
    explicit TForm(QWidget* owner = nullptr);
    ~TForm() override;

    // The area below the menu bar that holds the form's controls.
    QWidget* ClientArea() const { return client_; }

    QString Caption() const;
    void SetCaption(const QString& caption);
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool keyPreview) { keyPreview_ = keyPreview; }
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);

    // The control that has (or last had) the focus. Setting null takes the focus away, so that a
    // focused editor writes its value at once.
    TControl* ActiveControl() const;
    void SetActiveControl(TControl* control);

    int ModalResult() const { return modalResult_; }
    // On a modal form a result other than mrNone asks to close it (after the running handler returns).
    void SetModalResult(int result);
    bool Modal() const { return modal_; }

    // Shows the form modally through the modal runner; returns the modal result.
    int ShowModal();
    void Show();
    void Hide();
    // Every close passes here: a modal form's close is its cancel result; the close query decides.
    void Close();
    // Frees the form once the running event handlers have returned.
    void Release();
    bool CloseQuery();

    // The control of this form with this name and class (see FormDescription.h); a missing one is a
    // programming error and raises.
    template <class T>
    T* Find(const QString& name) const {
        T* control = dynamic_cast<T*>(findChild<QWidget*>(name));
        if (!control) MissingControl(name);
        return control;
    }

    // Runs OnCreate; a window's setup code calls it last. A form freed by caFree must have been made with new.
    void Loaded();

    // The menu shortcut stage: popup menus of the control and its parents, then the form's menu.
    virtual bool IsShortCut(Word key, TShiftState shift, TControl& focused);
    // The dialog key stage: Tab and arrows move the focus, Enter clicks the default button
    // (the focused button when one is focused), Esc the cancel button.
    virtual bool DialogKey(Word key, TShiftState shift, TControl& focused);

    // Called when a control on the form is entered.
    void NoteActiveControl(TControl* control) { activeControl_ = control ? &control->Widget() : nullptr; }

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    [[noreturn]] void MissingControl(const QString& name) const;
    int RunModalLoop();
    void CloseModal();
    // Asks the close query and OnClose; returns the action to take (caNone when refused).
    TCloseAction QueryClose();
    void ApplyPosition();
    void LayoutClient();
    int MenuHeight() const;
    // Keeps the client height when the menu bar's height changes.
    void SyncMenuHeight();
    bool SelectNext(bool forward);

    QWidget* client_;
    TPosition position_ = poDesigned;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TFormStyle formStyle_ = fsNormal;
    bool keyPreview_ = false;
    TMainMenu* menu_ = nullptr;
    QPointer<QWidget> activeControl_;
    int modalResult_ = 0;
    bool modal_ = false;
    bool positioned_ = false;
    int menuHeight_ = 0;
};
