// The builder of described windows: makes the controls by class name and sets their properties by name.
#include "platform/ui/FormDescription.h"

#include "platform/rtl/Exceptions.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Image.h"
#include "platform/ui/Jpeg.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Lists.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/Splitter.h"
#include "platform/ui/TreeView.h"
#include "platform/ui/UpDown.h"

#include <QFrame>
#include <algorithm>
#include <functional>
#include <map>

namespace ui {
namespace {

using Factory = std::function<TControl*(QWidget* parent)>;

template <class T>
Factory Make() {
    return [](QWidget* parent) -> TControl* { return new T(parent); };
}

std::map<QString, Factory>& Factories() {
    static std::map<QString, Factory> factories = {
        {QStringLiteral("TButton"), Make<TButton>()},
        {QStringLiteral("TCheckBox"), Make<TCheckBox>()},
        {QStringLiteral("TEdit"), Make<TEdit>()},
        {QStringLiteral("TGroupBox"), Make<TGroupBox>()},
        {QStringLiteral("TLabel"), Make<TLabel>()},
        {QStringLiteral("TMemo"), Make<TMemo>()},
        {QStringLiteral("TPanel"), Make<TPanel>()},
        {QStringLiteral("TRadioButton"), Make<TRadioButton>()},
        {QStringLiteral("TComboBox"), Make<TComboBox>()},
        {QStringLiteral("TCheckListBox"), Make<TCheckListBox>()},
        {QStringLiteral("TListBox"), Make<TListBox>()},
        {QStringLiteral("TListView"), Make<TListView>()},
        {QStringLiteral("TTreeView"), Make<TTreeView>()},
        {QStringLiteral("TImage"), Make<TImage>()},
        {QStringLiteral("TSplitter"), Make<TSplitter>()},
        {QStringLiteral("TPageControl"), Make<TPageControl>()},
        {QStringLiteral("TStatusBar"), Make<TStatusBar>()},
        {QStringLiteral("TProgressBar"), Make<TProgressBar>()},
        {QStringLiteral("TScrollBar"), Make<TScrollBar>()},
        {QStringLiteral("TUpDown"), Make<TUpDown>()},
        // A tab sheet's parent is its page control.
        {QStringLiteral("TTabSheet"),
         [](QWidget* parent) -> TControl* {
             auto* pages = dynamic_cast<TPageControl*>(parent);
             if (!pages) throw Exception(QStringLiteral("a tab sheet needs a page control as its parent"));
             return new TTabSheet(pages);
         }},
    };
    return factories;
}

std::map<QString, FormCaptionSetter>& RegisteredCaptions() {
    static std::map<QString, FormCaptionSetter> captions;
    return captions;
}

std::multimap<QString, FormPropertySetter>& RegisteredProperties() {
    static std::multimap<QString, FormPropertySetter> properties;
    return properties;
}

[[noreturn]] void Refuse(const TControl& control, const QString& what) {
    throw Exception(control.Name() + QStringLiteral(": ") + what);
}

template <class T>
T& As(TControl& control, const QString& property) {
    auto* typed = dynamic_cast<T*>(&control);
    if (!typed) Refuse(control, QStringLiteral("has no property ") + property);
    return *typed;
}

bool Bool(const TControl& control, const QString& value) {
    if (value == QStringLiteral("True")) return true;
    if (value == QStringLiteral("False")) return false;
    Refuse(control, QStringLiteral("not a Boolean: ") + value);
}

// An enumeration value by its framework name.
template <class E>
E Named(const TControl& control, const std::map<QString, E>& names, const QString& value) {
    const auto found = names.find(value);
    if (found == names.end()) Refuse(control, QStringLiteral("unknown value ") + value);
    return found->second;
}

// The values the descriptions use so far; a window that needs another adds it here.
const std::map<QString, TColor> kColors = {{QStringLiteral("clWhite"), clWhite},
                                           {QStringLiteral("clBtnFace"), clBtnFace}};
const std::map<QString, int> kModalResults = {
    {QStringLiteral("mrOk"), mrOk},     {QStringLiteral("mrCancel"), mrCancel}, {QStringLiteral("mrNext"), mrNext},
    {QStringLiteral("mrBack"), mrBack}, {QStringLiteral("mrYes"), mrYes},       {QStringLiteral("mrNo"), mrNo}};
const std::map<QString, TScrollStyle> kScrollStyles = {{QStringLiteral("ssVertical"), ssVertical}};
const std::map<QString, TBevelCut> kBevels = {{QStringLiteral("bvNone"), bvNone}};
const std::map<QString, TAlign> kAligns = {
    {QStringLiteral("alNone"), alNone}, {QStringLiteral("alTop"), alTop},     {QStringLiteral("alBottom"), alBottom},
    {QStringLiteral("alLeft"), alLeft}, {QStringLiteral("alRight"), alRight}, {QStringLiteral("alClient"), alClient}};
const std::map<QString, TAlignment> kAlignments = {{QStringLiteral("taLeftJustify"), taLeftJustify},
                                                   {QStringLiteral("taCenter"), taCenter},
                                                   {QStringLiteral("taRightJustify"), taRightJustify}};
const std::map<QString, TFontStyle> kFontStyles = {{QStringLiteral("fsBold"), fsBold}};
const std::map<QString, TUDOrientation> kUpDownOrientations = {{QStringLiteral("udHorizontal"), udHorizontal},
                                                               {QStringLiteral("udVertical"), udVertical}};
const std::map<QString, TScrollBarKind> kScrollBarKinds = {{QStringLiteral("sbHorizontal"), sbHorizontal},
                                                           {QStringLiteral("sbVertical"), sbVertical}};

std::map<QString, QByteArray>& FormPictures() {
    static std::map<QString, QByteArray> pictures;
    return pictures;
}

void SetPicture(TControl& control, const QString& name) {
    auto& image = As<TImage>(control, QStringLiteral("Picture"));
    const auto found = FormPictures().find(name);
    if (found == FormPictures().end()) Refuse(control, QStringLiteral("no picture ") + name);
    const QString lower = name.toLower();
    std::unique_ptr<TGraphic> graphic;
    if (lower.endsWith(QLatin1String(".jpg")) || lower.endsWith(QLatin1String(".jpeg")))
        graphic = std::make_unique<TJPEGImage>();
    else if (lower.endsWith(QLatin1String(".bmp"))) graphic = std::make_unique<TBitmap>();
    else Refuse(control, QStringLiteral("unknown kind of picture ") + name);
    graphic->LoadFromBytes(found->second);
    image.Picture().SetGraphic(graphic.get());
}

int Number(const TControl& control, const QString& value) {
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok) Refuse(control, QStringLiteral("not a number: ") + value);
    return number;
}

// A borderless memo shows its text flush with its edges, like a label that can take the focus.
void SetMemoBorder(TMemo& memo, bool border) {
    memo.setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
    memo.document()->setDocumentMargin(border ? 4 : 0);
}

using Setter = std::function<void(TControl& control, const QString& value)>;

const std::map<QString, Setter>& Setters() {
    static const std::map<QString, Setter> setters = {
        {QStringLiteral("Color"), [](TControl& c, const QString& v) { c.SetColor(Named(c, kColors, v)); }},
        {QStringLiteral("Align"), [](TControl& c, const QString& v) { c.SetAlign(Named(c, kAligns, v)); }},
        {QStringLiteral("Alignment"),
         [](TControl& c, const QString& v) {
             if (auto* panel = dynamic_cast<TPanel*>(&c)) panel->SetAlignment(Named(c, kAlignments, v));
             else As<TLabel>(c, QStringLiteral("Alignment")).SetAlignment(Named(c, kAlignments, v));
         }},
        {QStringLiteral("Font.Height"), [](TControl& c, const QString& v) { c.Font().SetHeight(Number(c, v)); }},
        {QStringLiteral("Picture"), SetPicture},
        {QStringLiteral("BorderWidth"),
         [](TControl& c, const QString& v) {
             As<TPanel>(c, QStringLiteral("BorderWidth")).SetBorderWidth(Number(c, v));
         }},
        {QStringLiteral("Visible"), [](TControl& c, const QString& v) { c.SetVisible(Bool(c, v)); }},
        {QStringLiteral("TabStop"), [](TControl& c, const QString& v) { c.SetTabStop(Bool(c, v)); }},
        {QStringLiteral("Font.Style"),
         [](TControl& c, const QString& v) {
             TFontStyles styles;
             for (const QString& style : v.split(u',', Qt::SkipEmptyParts))
                 styles.Include(Named(c, kFontStyles, style.trimmed()));
             c.Font().SetStyle(styles);
         }},
        {QStringLiteral("AutoSize"),
         [](TControl& c, const QString& v) {
             if (auto* image = dynamic_cast<TImage*>(&c)) image->SetAutoSize(Bool(c, v));
             else As<TLabel>(c, QStringLiteral("AutoSize")).SetAutoSize(Bool(c, v));
         }},
        {QStringLiteral("WordWrap"),
         [](TControl& c, const QString& v) {
             if (auto* memo = dynamic_cast<TMemo*>(&c)) memo->SetWordWrap(Bool(c, v));
             else As<TLabel>(c, QStringLiteral("WordWrap")).SetWordWrap(Bool(c, v));
         }},
        {QStringLiteral("Default"),
         [](TControl& c, const QString& v) { As<TButton>(c, QStringLiteral("Default")).SetDefault(Bool(c, v)); }},
        {QStringLiteral("Cancel"),
         [](TControl& c, const QString& v) { As<TButton>(c, QStringLiteral("Cancel")).SetCancel(Bool(c, v)); }},
        {QStringLiteral("ModalResult"),
         [](TControl& c, const QString& v) {
             As<TButton>(c, QStringLiteral("ModalResult")).SetModalResult(Named(c, kModalResults, v));
         }},
        {QStringLiteral("BevelOuter"),
         [](TControl& c, const QString& v) {
             As<TPanel>(c, QStringLiteral("BevelOuter")).SetBevelOuter(Named(c, kBevels, v));
         }},
        {QStringLiteral("ReadOnly"),
         [](TControl& c, const QString& v) {
             if (auto* edit = dynamic_cast<TEdit*>(&c)) edit->SetReadOnly(Bool(c, v));
             else As<TMemo>(c, QStringLiteral("ReadOnly")).SetReadOnly(Bool(c, v));
         }},
        {QStringLiteral("ScrollBars"),
         [](TControl& c, const QString& v) {
             As<TMemo>(c, QStringLiteral("ScrollBars")).SetScrollBars(Named(c, kScrollStyles, v));
         }},
        {QStringLiteral("BorderStyle"),
         [](TControl& c, const QString& v) {
             if (v != QStringLiteral("bsNone") && v != QStringLiteral("bsSingle"))
                 Refuse(c, QStringLiteral("unknown value ") + v);
             if (auto* panel = dynamic_cast<TPanel*>(&c))
                 panel->SetBorderStyle(v == QStringLiteral("bsSingle") ? bsSingle : bsNone);
             else SetMemoBorder(As<TMemo>(c, QStringLiteral("BorderStyle")), v == QStringLiteral("bsSingle"));
         }},
        {QStringLiteral("Sorted"),
         [](TControl& c, const QString& v) { As<TListBox>(c, QStringLiteral("Sorted")).SetSorted(Bool(c, v)); }},
        {QStringLiteral("MultiSelect"),
         [](TControl& c, const QString& v) {
             if (auto* view = dynamic_cast<TListView*>(&c)) view->SetMultiSelect(Bool(c, v));
             else As<TListBox>(c, QStringLiteral("MultiSelect")).SetMultiSelect(Bool(c, v));
         }},
        {QStringLiteral("HideSelection"),
         [](TControl& c, const QString& v) {
             As<TListView>(c, QStringLiteral("HideSelection")).SetHideSelection(Bool(c, v));
         }},
        {QStringLiteral("Kind"),
         [](TControl& c, const QString& v) {
             As<TScrollBar>(c, QStringLiteral("Kind")).SetKind(Named(c, kScrollBarKinds, v));
         }},
        {QStringLiteral("Orientation"),
         [](TControl& c, const QString& v) {
             As<TUpDown>(c, QStringLiteral("Orientation")).SetOrientation(Named(c, kUpDownOrientations, v));
         }},
        {QStringLiteral("Position"),
         [](TControl& c, const QString& v) {
             As<TScrollBar>(c, QStringLiteral("Position")).SetPosition(Number(c, v));
         }},
        {QStringLiteral("PasswordChar"),
         [](TControl& c, const QString& v) {
             As<TEdit>(c, QStringLiteral("PasswordChar")).SetPasswordChar(v.isEmpty() ? QChar() : v[0]);
         }},
    };
    return setters;
}

void SetCaption(TControl& control, const QString& className, const QString& caption) {
    if (const auto registered = RegisteredCaptions().find(className); registered != RegisteredCaptions().end())
        registered->second(control, caption);
    else if (auto* label = dynamic_cast<TLabel*>(&control)) label->SetCaption(caption);
    else if (auto* button = dynamic_cast<TButton*>(&control)) button->SetCaption(caption);
    else if (auto* check = dynamic_cast<TCheckBox*>(&control)) check->SetCaption(caption);
    else if (auto* radio = dynamic_cast<TRadioButton*>(&control)) radio->SetCaption(caption);
    else if (auto* panel = dynamic_cast<TPanel*>(&control)) panel->SetCaption(caption);
    else if (auto* group = dynamic_cast<TGroupBox*>(&control)) group->SetCaption(caption);
    else if (auto* edit = dynamic_cast<TEdit*>(&control)) edit->SetText(caption);
    else if (auto* memo = dynamic_cast<TMemo*>(&control)) memo->SetText(caption);
    else if (auto* sheet = dynamic_cast<TTabSheet*>(&control)) sheet->SetCaption(caption);
}

void SetProperties(TControl& control, const QString& properties) {
    for (const QString& pair : properties.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype equals = pair.indexOf(u'=');
        if (equals < 0) Refuse(control, QStringLiteral("no value in ") + pair.trimmed());
        const QString name = pair.left(equals).trimmed();
        const QString value = pair.mid(equals + 1).trimmed();
        const auto [first, last] = RegisteredProperties().equal_range(name);
        if (std::any_of(first, last, [&](const auto& entry) { return entry.second(control, value); })) continue;
        const auto setter = Setters().find(name);
        if (setter == Setters().end()) Refuse(control, QStringLiteral("unknown property ") + name);
        setter->second(control, value);
    }
}

QWidget* ParentOf(TForm& form, const QString& parent) {
    return parent.isEmpty() ? static_cast<QWidget*>(&form) : form.Find<QWidget>(parent);
}

}  // namespace

void RegisterFormPicture(const QString& name, const QByteArray& bytes) { FormPictures()[name] = bytes; }

void RegisterFormClass(const QString& className, FormClassFactory factory, FormCaptionSetter caption) {
    Factories()[className] = std::move(factory);
    if (caption) RegisteredCaptions()[className] = std::move(caption);
}

void RegisterFormProperty(const QString& name, FormPropertySetter setter) {
    RegisteredProperties().emplace(name, std::move(setter));
}

void AddControls(TForm& form, const std::vector<ControlRow>& controls) {
    for (const ControlRow& row : controls) {
        const auto factory = Factories().find(row.className);
        if (factory == Factories().end())
            throw Exception(row.name + QStringLiteral(": unknown class ") + row.className);
        if (form.findChild<QWidget*>(row.name)) throw Exception(row.name + QStringLiteral(": name used twice"));
        TControl* control = factory->second(ParentOf(form, row.parent));
        control->SetName(row.name);
        control->SetBounds(row.left, row.top, row.width, row.height);
        // Captions after the properties: a label's AutoSize decides whether the caption sizes it.
        SetProperties(*control, row.properties);
        // A control born aligned (a splitter) was stretched by that alignment before the row's took over; the
        // row's size across its own alignment is the one meant.
        if (control->Align() == alTop || control->Align() == alBottom) control->SetHeight(row.height);
        else if (control->Align() == alLeft || control->Align() == alRight) control->SetWidth(row.width);
        SetCaption(*control, row.className, row.caption);
    }
}

void DescribeForm(TForm& form, const FormFrame& frame, const std::vector<ControlRow>& controls) {
    form.SetName(frame.name);
    form.SetCaption(frame.caption);
    form.SetBorderStyle(frame.borderStyle);
    form.SetPosition(frame.position);
    form.SetClientWidth(frame.clientWidth);
    form.SetClientHeight(frame.clientHeight);
    AddControls(form, controls);
}

}  // namespace ui
