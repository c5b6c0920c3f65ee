// TwwCustomMaskEdit: the library's masked edit with picture masks, frame and controller, and TwwDBPicture,
// its picture-mask settings.
#pragma once

#include "controls/edit/WwFrame.h"
#include "platform/ui/MaskEdit.h"

#include <functional>

class TwwController;
class TwwCustomMaskEdit;

// Told after each check of the text against the picture mask.
using TwwValidateEvent = std::function<void(QObject* Sender, bool Passed)>;

// A picture mask, its auto-fill and whether an incomplete text may be left; read from the dataset's
// PictureMasks list when the edit says so.
class TwwDBPicture {
public:
    explicit TwwDBPicture(TwwCustomMaskEdit* owner) : owner_(owner) {}
    TwwDBPicture(const TwwDBPicture&) = delete;
    TwwDBPicture& operator=(const TwwDBPicture&) = delete;

    bool PictureMaskFromDataSet = true;
    QString PictureMask() const;
    void SetPictureMask(const QString& mask);
    bool AutoFill() const;
    void SetAutoFill(bool autoFill);
    bool AllowInvalidExit() const;
    void SetAllowInvalidExit(bool allow);
    void Assign(const TwwDBPicture& source);

private:
    friend class TwwCustomMaskEdit;
    TwwCustomMaskEdit* owner_;
    QString mask_;
    bool autoFill_ = true;
    bool allowInvalidExit_ = false;
};

class TwwCustomMaskEdit : public TCustomMaskEdit {
public:
    explicit TwwCustomMaskEdit(QWidget* parent);
    ~TwwCustomMaskEdit() override;

    // The settings, refreshed from the dataset first when the mask comes from there.
    TwwDBPicture& Picture();
    void SetPicture(const TwwDBPicture& picture);
    bool UsePictureMask() const { return usePictureMask_; }
    void SetUsePictureMask(bool use) { usePictureMask_ = use; }
    // The picture mask applies: UsePictureMask and a mask set.
    bool IsPictureMaskInUse();

    bool WordWrap() const { return wordWrap_; }
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool want) { wantReturns_ = want; }
    bool ShowVertScrollBar() const { return showVertScrollBar_; }
    TwwEditFrame& Frame() { return frame_; }
    const TwwEditFrame& Frame() const { return frame_; }
    bool MaskStoreLiteralTemplate = false;
    TwwController* Controller() const { return controller_; }
    // Copies the controller's frame and button look in.
    virtual void SetController(TwwController* controller);

    // The last key press was consumed by the picture mask.
    bool KeyHandledByMask = false;
    // The text is being replaced by the picture mask (the change counts as a modification).
    bool TextSetByMask = false;
    // The last exit was refused because the text did not satisfy the mask.
    bool ExitRefused = false;

    TwwValidateEvent OnCheckValue;

    virtual bool IsOwnerDraw() const { return false; }
    // Sets the text rectangle (the margins of the text inside the control).
    virtual void SetEditRect();
    virtual void DoCheckValue(bool passed);

protected:
    friend class TwwDBPicture;
    // The dataset's picture-mask line of the bound field; false when the mask is the edit's own.
    virtual bool ReadPictureFromDataSet(QString& /*mask*/, bool& /*autoFill*/) { return false; }
    virtual bool WritePictureToDataSet(const QString& /*mask*/, bool /*autoFill*/) { return false; }
    // The close-up of a combo box is writing its chosen item.
    bool closeUpGuard_ = false;
    bool wordWrap_ = false;
    bool showVertScrollBar_ = false;

private:
    TwwDBPicture picture_{this};
    bool usePictureMask_ = true;
    bool wantReturns_ = false;
    TwwEditFrame frame_;
    TwwController* controller_ = nullptr;
};
