// The lines of a memo and the items of combo and list boxes as the framework's string lists.
#pragma once

#include "platform/rtl/StringList.h"

class QComboBox;
class QListWidget;

namespace ui {

class LongLineTextEdit;

// A memo's lines: a final line break ends the last line rather than starting another.
class MemoStrings : public TStrings {
public:
    explicit MemoStrings(LongLineTextEdit& edit) : edit_(edit) {}
    int Count() const override;
    QString Get(int index) const override;
    void Put(int index, const QString& text) override;
    void Insert(int index, const QString& text) override;
    void Delete(int index) override;
    void Clear() override;

private:
    QStringList Lines() const;
    void SetLines(const QStringList& lines);
    LongLineTextEdit& edit_;
};

// Items of a combo box; objects are kept beside the items. Adding items chooses none of them.
class ComboStrings : public TStrings {
public:
    explicit ComboStrings(QComboBox& combo) : combo_(combo) {}
    int Count() const override;
    QString Get(int index) const override;
    void Put(int index, const QString& text) override;
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;
    void Insert(int index, const QString& text) override;
    void Delete(int index) override;
    void Clear() override;

    // A sorted combo box keeps its items in order without regard to case; adding inserts in place.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    int Add(const QString& text) override;

private:
    QComboBox& combo_;
    bool sorted_ = false;
};

// Items of a list box; objects are kept beside the items.
class ListWidgetStrings : public TStrings {
public:
    explicit ListWidgetStrings(QListWidget& list) : list_(list) {}
    int Count() const override;
    QString Get(int index) const override;
    void Put(int index, const QString& text) override;
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;
    void Insert(int index, const QString& text) override;
    void Delete(int index) override;
    void Clear() override;

    // Sorted, items are kept in order without regard to case and adding inserts in place.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    int Add(const QString& text) override;
    // Items inserted from then on carry a check box, unchecked.
    void SetCheckable(bool checkable) { checkable_ = checkable; }

private:
    QListWidget& list_;
    bool sorted_ = false;
    bool checkable_ = false;
};

}  // namespace ui
