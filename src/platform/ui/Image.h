// TImage: a control that shows a picture, at its size, stretched or centred.
#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/Picture.h"

class TImage : public ui::ControlOf<QWidget> {
public:
    explicit TImage(QWidget* parent);

    TPicture& Picture() { return picture_; }
    // The control takes the picture's size whenever the picture changes.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);
    bool Center() const { return center_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void PictureChanged();

    TPicture picture_;
    bool autoSize_ = false;
    bool stretch_ = false;
    bool center_ = false;
};
