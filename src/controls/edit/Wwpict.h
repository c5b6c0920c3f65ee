// TwwPictureValidator: checks a text against a picture mask and rewrites it as the mask says.
#pragma once

#include <QString>

// Made for one check and dropped afterwards; it keeps only the mask, the options and the syntax status.
class TwwPictureValidator {
public:
    // Answers of Picture.
    enum : int { Complete = 0, Incomplete = 1, Empty = 2, Error = 3, SyntaxError = 4 };

    TwwPictureValidator(const QString& mask, bool autoFill);
    virtual ~TwwPictureValidator() = default;

    // 0 the mask is usable, 1 it failed the syntax check.
    quint16 Status() const { return status_; }
    // Bit 0: auto-fill.
    quint16 Options() const { return options_; }
    // Empty when no mask was given.
    const QString& Mask() const { return mask_; }

    // False only when the text cannot match; fills in literals when the auto-fill option is on and
    // suppressFill is false. Always true without a mask.
    virtual bool IsValidInput(QString& text, bool suppressFill);
    // Whether the text matches completely (or is empty); the text itself is left alone.
    virtual bool IsValid(const QString& text);
    // One of the answers above; the text takes the case changes, the mask's literals and, with autoFill,
    // the literals that must come next.
    virtual int Picture(QString& text, bool autoFill);

private:
    QString mask_;
    quint16 status_ = 0;
    quint16 options_ = 0;
};
