// Windows described as tables: the form's frame and one row per control, built by DescribeForm.
#pragma once

#include "platform/ui/Form.h"

#include <functional>
#include <vector>

namespace ui {

// The form itself: its name, caption, border, position and client size.
struct FormFrame {
    QString name;
    QString caption;
    TFormBorderStyle borderStyle = bsDialog;
    TPosition position = poScreenCenter;
    int clientWidth = 0;
    int clientHeight = 0;
};

// One control. parent names a control made before it ("" is the form). caption is the Caption of
// labels, buttons, check boxes, panels and group boxes and the Text of edits and memos. properties is
// the tail of further properties as "Name=Value" pairs separated by ";", e.g. "Default=True; ModalResult=mrOk";
// values are written as in the framework: True/False, numbers, and enumeration names (clWhite, mrCancel...).
struct ControlRow {
    QString name;
    QString className;
    QString parent;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    QString caption;
    QString properties;
};

// A picture that a TImage row names with "Picture=<name>": the bytes of a file whose name's extension gives the
// kind (.jpg or .jpeg a JPEG, .bmp a bitmap), registered once by the code that embeds them.
void RegisterFormPicture(const QString& name, const QByteArray& bytes);

// A class of a library above this one (the data-aware controls), made by its factory; the library registers its
// classes before the first window that names them is built. A caption setter, when given, takes the row's caption.
using FormClassFactory = std::function<TControl*(QWidget* parent)>;
using FormCaptionSetter = std::function<void(TControl& control, const QString& caption)>;
void RegisterFormClass(const QString& className, FormClassFactory factory, FormCaptionSetter caption = {});
// A property of such classes: the setter returns false for a control it does not handle, which then falls to the
// builder's own setter of that name (if any).
using FormPropertySetter = std::function<bool(TControl& control, const QString& value)>;
void RegisterFormProperty(const QString& name, FormPropertySetter setter);

// Sets the frame and adds the controls; the setup code then takes them with form.Find<T>(name).
void DescribeForm(TForm& form, const FormFrame& frame, const std::vector<ControlRow>& controls);
// Adds controls to a form that already has its frame (a page adding its fields to a shared frame).
void AddControls(TForm& form, const std::vector<ControlRow>& controls);

}  // namespace ui
