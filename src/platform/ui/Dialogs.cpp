// The common dialogs over Qt's (non-native, so that tests can drive them).
#include "platform/ui/Dialogs.h"

#include "platform/rtl/Messages.h"
#include "platform/ui/ModalRunner.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QWidget* DialogParent() { return QApplication::activeWindow(); }

int Accepted(const QDialog& dialog) { return dialog.result() == QDialog::Accepted ? mrOk : mrCancel; }

// The 1-based index of the chosen filter; 0 when it is none of them. Hiding the patterns, Qt may answer with the
// description alone.
int FilterIndexOf(const QString& filter, const QString& chosen) {
    const QStringList qtFilters = ui::QtNameFilters(filter);
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < qtFilters.size(); ++i)
        if (qtFilters[i] == chosen || parts[2 * i] == chosen) return int(i) + 1;
    return 0;
}

}  // namespace

QString TOpenDialog::RunName() const {
    if (!Name().isEmpty()) return Name();
    return Saving() ? QStringLiteral("TSaveDialog") : QStringLiteral("TOpenDialog");
}

void TOpenDialog::Prepare(QFileDialog& dialog) const {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(Saving() ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(Saving()                                ? QFileDialog::AnyFile
                       : options_.Contains(ofAllowMultiSelect) ? QFileDialog::ExistingFiles
                       : options_.Contains(ofFileMustExist)    ? QFileDialog::ExistingFile
                                                               : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options_.Contains(ofOverwritePrompt));
    if (!title_.isEmpty()) dialog.setWindowTitle(title_);
    const QStringList filters = ui::QtNameFilters(filter_);
    dialog.setNameFilters(filters);
    if (filterIndex_ >= 1 && filterIndex_ <= filters.size()) dialog.selectNameFilter(filters[filterIndex_ - 1]);
    dialog.setDefaultSuffix(defaultExt_);
    const QFileInfo current(fileName_);
    if (!initialDir_.isEmpty()) dialog.setDirectory(initialDir_);
    else if (current.isAbsolute()) dialog.setDirectory(current.absolutePath());
    if (!fileName_.isEmpty()) dialog.selectFile(current.isAbsolute() ? current.fileName() : fileName_);
}

bool TOpenDialog::Execute() {
    QFileDialog dialog(DialogParent());
    Prepare(dialog);
    const int result = ui::RunDialog(dialog, RunName(), [&] { return Accepted(dialog); });
    if (result != mrOk) return false;
    if (dialog.result() == QDialog::Accepted) {
        files_ = dialog.selectedFiles();
        if (!files_.isEmpty()) fileName_ = files_.first();
        filterIndex_ = FilterIndexOf(filter_, dialog.selectedNameFilter());
    }
    return true;
}

bool TFontDialog::Execute() {
    QFontDialog dialog(font_.ToQFont(), DialogParent());
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    const int result = ui::RunDialog(dialog, Name().isEmpty() ? QStringLiteral("TFontDialog") : Name(),
                                     [&] { return Accepted(dialog); });
    if (result != mrOk) return false;
    if (dialog.result() == QDialog::Accepted) {
        TFont chosen(dialog.selectedFont());
        chosen.SetColor(font_.Color());
        font_.Assign(chosen);
    }
    return true;
}

bool TColorDialog::Execute() {
    QColorDialog dialog(ui::ToQColor(color_), DialogParent());
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const int result = ui::RunDialog(dialog, Name().isEmpty() ? QStringLiteral("TColorDialog") : Name(),
                                     [&] { return Accepted(dialog); });
    if (result != mrOk) return false;
    if (dialog.result() == QDialog::Accepted) color_ = ui::FromQColor(dialog.selectedColor());
    return true;
}

bool TPrintDialog::Execute() {
    QPrinter fallback;
    QPrinter* printer = printer_ ? printer_ : &fallback;
    printer->setCopyCount(copies_);
    QPrintDialog dialog(printer, DialogParent());
    dialog.setMinMax(minPage_, maxPage_);
    if (printRange_ == prPageNums) {
        dialog.setPrintRange(QAbstractPrintDialog::PageRange);
        printer->setFromTo(fromPage_, toPage_);
    }
    const int result = ui::RunDialog(dialog, Name().isEmpty() ? QStringLiteral("TPrintDialog") : Name(),
                                     [&] { return Accepted(dialog); });
    if (result != mrOk) return false;
    copies_ = printer->copyCount();
    printRange_ = dialog.printRange() == QAbstractPrintDialog::PageRange   ? prPageNums
                  : dialog.printRange() == QAbstractPrintDialog::Selection ? prSelection
                                                                           : prAllPages;
    fromPage_ = printer->fromPage();
    toPage_ = printer->toPage();
    return true;
}

namespace ui {

QStringList QtNameFilters(const QString& filter) {
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the last brackets and, hiding filter details, shows only what precedes them:
        // the description exactly as written.
        result << description + QLatin1String(" (") + patterns + QLatin1Char(')');
    }
    return result;
}

}  // namespace ui
