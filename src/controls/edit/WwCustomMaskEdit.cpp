// The library's masked edit: picture-mask settings, frame, controller and the text rectangle.
#include "controls/edit/WwCustomMaskEdit.h"

#include "controls/edit/WwController.h"

QString TwwDBPicture::PictureMask() const {
    QString mask = mask_;
    bool autoFill = autoFill_;
    if (PictureMaskFromDataSet && owner_) owner_->ReadPictureFromDataSet(mask, autoFill);
    return mask;
}

void TwwDBPicture::SetPictureMask(const QString& mask) {
    if (PictureMaskFromDataSet && owner_ && owner_->WritePictureToDataSet(mask, AutoFill())) return;
    mask_ = mask;
}

bool TwwDBPicture::AutoFill() const {
    QString mask = mask_;
    bool autoFill = autoFill_;
    if (PictureMaskFromDataSet && owner_) owner_->ReadPictureFromDataSet(mask, autoFill);
    return autoFill;
}

void TwwDBPicture::SetAutoFill(bool autoFill) {
    if (PictureMaskFromDataSet && owner_ && owner_->WritePictureToDataSet(PictureMask(), autoFill)) return;
    autoFill_ = autoFill;
}

bool TwwDBPicture::AllowInvalidExit() const {
    QString mask;
    bool autoFill = false;
    // The dataset's list has no place for it.
    if (PictureMaskFromDataSet && owner_ && owner_->ReadPictureFromDataSet(mask, autoFill)) return false;
    return allowInvalidExit_;
}

void TwwDBPicture::SetAllowInvalidExit(bool allow) {
    QString mask;
    bool autoFill = false;
    if (PictureMaskFromDataSet && owner_ && owner_->ReadPictureFromDataSet(mask, autoFill)) return;
    allowInvalidExit_ = allow;
}

void TwwDBPicture::Assign(const TwwDBPicture& source) {
    SetPictureMask(source.PictureMask());
    SetAutoFill(source.AutoFill());
}

TwwCustomMaskEdit::TwwCustomMaskEdit(QWidget* parent) : TCustomMaskEdit(parent), frame_(this) {}

TwwCustomMaskEdit::~TwwCustomMaskEdit() {
    if (controller_) AssignController(controller_, nullptr, this);
}

TwwDBPicture& TwwCustomMaskEdit::Picture() {
    QString mask = picture_.mask_;
    bool autoFill = picture_.autoFill_;
    if (picture_.PictureMaskFromDataSet && ReadPictureFromDataSet(mask, autoFill)) {
        picture_.mask_ = mask;
        picture_.autoFill_ = autoFill;
    }
    return picture_;
}

void TwwCustomMaskEdit::SetPicture(const TwwDBPicture& picture) { picture_.Assign(picture); }

bool TwwCustomMaskEdit::IsPictureMaskInUse() { return usePictureMask_ && !Picture().PictureMask().isEmpty(); }

void TwwCustomMaskEdit::SetController(TwwController* controller) {
    AssignController(controller_, controller, this);
    if (controller_) frame_.Assign(controller_->Frame);
    SetEditRect();
    update();
}

void TwwCustomMaskEdit::SetEditRect() {}

void TwwCustomMaskEdit::DoCheckValue(bool passed) {
    if (OnCheckValue) OnCheckValue(this, passed);
}
