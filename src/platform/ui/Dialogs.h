// The common dialogs: open and save file, font, colour and print, each run through the modal runner.
#pragma once

#include "platform/rtl/Component.h"
#include "platform/ui/Color.h"
#include "platform/ui/EnumSet.h"
#include "platform/ui/Font.h"

#include <QStringList>

class QFileDialog;
class QPrinter;

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing
};
using TOpenOptions = ui::SetOf<TOpenOption>;

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(QObject* owner) : TComponent(owner) {}

    QString FileName() const { return fileName_; }
    void SetFileName(const QString& name) { fileName_ = name; }
    QStringList Files() const { return files_; }
    // "Text files (*.txt)|*.txt|All files (*.*)|*.*": description and patterns in turn.
    QString Filter() const { return filter_; }
    void SetFilter(const QString& filter) { filter_ = filter; }
    // 1-based, as the framework counts.
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int index) { filterIndex_ = index; }
    QString DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const QString& ext) { defaultExt_ = ext; }
    QString InitialDir() const { return initialDir_; }
    void SetInitialDir(const QString& dir) { initialDir_ = dir; }
    QString Title() const { return title_; }
    void SetTitle(const QString& title) { title_ = title; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions options) { options_ = options; }

    // Shows the dialog; true and FileName set when the user chose a file.
    virtual bool Execute();

protected:
    virtual bool Saving() const { return false; }
    QString RunName() const;

private:
    void Prepare(QFileDialog& dialog) const;

    QString fileName_;
    QStringList files_;
    QString filter_;
    int filterIndex_ = 1;
    QString defaultExt_;
    QString initialDir_;
    QString title_;
    TOpenOptions options_ = {ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;

protected:
    bool Saving() const override { return true; }
};

class TFontDialog : public TComponent {
public:
    explicit TFontDialog(QObject* owner) : TComponent(owner) {}
    TFont& Font() { return font_; }
    bool Execute();

private:
    TFont font_;
};

class TColorDialog : public TComponent {
public:
    explicit TColorDialog(QObject* owner) : TComponent(owner) {}
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    bool Execute();

private:
    TColor color_ = clBlack;
};

enum TPrintRange { prAllPages, prSelection, prPageNums };

// The print dialog asks for printer, range and copies; the print layer reads them from the printer it set.
class TPrintDialog : public TComponent {
public:
    explicit TPrintDialog(QObject* owner) : TComponent(owner) {}
    // The printer the dialog sets up (the print layer provides it).
    void SetPrinter(QPrinter* printer) { printer_ = printer; }
    int Copies() const { return copies_; }
    void SetCopies(int copies) { copies_ = copies; }
    int FromPage() const { return fromPage_; }
    void SetFromPage(int page) { fromPage_ = page; }
    int ToPage() const { return toPage_; }
    void SetToPage(int page) { toPage_ = page; }
    int MinPage() const { return minPage_; }
    void SetMinPage(int page) { minPage_ = page; }
    int MaxPage() const { return maxPage_; }
    void SetMaxPage(int page) { maxPage_ = page; }
    TPrintRange PrintRange() const { return printRange_; }
    void SetPrintRange(TPrintRange range) { printRange_ = range; }
    bool Execute();

private:
    QPrinter* printer_ = nullptr;
    int copies_ = 1;
    int fromPage_ = 0;
    int toPage_ = 0;
    int minPage_ = 0;
    int maxPage_ = 0;
    TPrintRange printRange_ = prAllPages;
};

namespace ui {

// "Text files (*.txt)|*.txt" in Qt's form: "Text files (*.txt) (*.txt)", the patterns in the last brackets; the
// dialogs hide them, so the description shows as written.
QStringList QtNameFilters(const QString& filter);

}  // namespace ui
