// TwwIniAttributes: where a data-aware grid keeps its column layout (an INI file or a registry key, one
// section per grid), and the saving and loading of that layout.
#pragma once

#include <QString>

class TwwCustomDBGrid;

class TwwIniAttributes {
public:
    // The grid's delimiter starts as ";;" (the grid sets it at construction).
    explicit TwwIniAttributes(TwwCustomDBGrid* owner);

    // The stored name when not empty; else the library's INI file name while its text object is connected,
    // and then, when that is empty too, the program's base name with ".ini" (never for the registry).
    QString FileName() const;
    void SetFileName(const QString& value);
    // The stored name when not empty; else the form name followed by the grid's name.
    QString SectionName() const;
    const QString& Delimiter() const { return delimiter_; }
    void SetDelimiter(const QString& value);
    bool Enabled = false;
    bool SaveToRegistry = false;
    bool CheckNewFields = false;
    // Recorded when the grid has finished loading.
    const QString& FormName() const { return formName_; }
    void SetFormName(const QString& value) { formName_ = value; }

    // Writes the grid's layout, one entry per column in column order. A warning stops it before anything is
    // written; none is shown while the grid is being destroyed.
    void SaveLayout(bool destroying = false);
    // Reads the layout back into the grid's Selected list and applies it; an empty section changes nothing.
    void LoadLayout();

private:
    // The warning that stops a save or load, or empty when it may go ahead.
    QString Problem() const;
    QString EntryValue(int column) const;

    TwwCustomDBGrid* owner_;
    QString formName_;
    QString fileName_;
    QString sectionName_;
    QString delimiter_ = QStringLiteral(";;");
};
