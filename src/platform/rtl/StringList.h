// TStrings, the framework's list of texts (each with an optional object pointer), and TStringList.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class TStream;

class TStrings {
public:
    virtual ~TStrings() = default;

    // The primitives a list implements; indexes are 0-based and checked.
    virtual int Count() const = 0;
    virtual QString Get(int index) const = 0;
    virtual void Put(int index, const QString& text);
    // The object pointer stored beside a line; the list does not own it.
    virtual void* GetObject(int index) const;
    virtual void PutObject(int index, void* object);
    virtual void Insert(int index, const QString& text) = 0;
    virtual void InsertObject(int index, const QString& text, void* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual int Add(const QString& text);
    virtual int AddObject(const QString& text, void* object);
    virtual void Exchange(int index1, int index2);
    virtual int IndexOf(const QString& text) const;

    QString Strings(int index) const { return Get(index); }
    QString operator[](int index) const { return Get(index); }
    void* Objects(int index) const { return GetObject(index); }
    void Move(int from, int to);
    int IndexOfObject(void* object) const;

    // "name=value" lines; names compare as the list compares texts (without case by default).
    int IndexOfName(const QString& name) const;
    QString Names(int index) const;
    QString Values(const QString& name) const;
    // An empty value removes the line.
    void SetValue(const QString& name, const QString& value);
    QString ValueFromIndex(int index) const;

    // Every line followed by CR LF; set: split at CR LF, CR or LF (a final line break adds no line).
    QString Text() const;
    void SetText(const QString& text);
    // Lines separated by Delimiter; a line holding blanks, control characters, the delimiter or QuoteChar
    // is quoted (the quote doubled). Reading splits at the delimiter and at blanks outside quotes.
    QString DelimitedText() const;
    void SetDelimitedText(const QString& text);
    // DelimitedText with "," and the double quote.
    QString CommaText() const;
    void SetCommaText(const QString& text);

    void AddStrings(const TStrings& source);
    virtual void Assign(const TStrings& source);
    QStringList ToStringList() const;
    void SetStrings(const QStringList& lines);

    // Changes between BeginUpdate and the matching EndUpdate are reported once, at the end.
    void BeginUpdate();
    void EndUpdate();

    // Text in UTF-8 (a byte-order mark is skipped when reading); raise EFOpenError / EFCreateError.
    void LoadFromFile(const QString& fileName);
    void SaveToFile(const QString& fileName) const;
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

    QChar Delimiter = u',';
    QChar QuoteChar = u'"';
    QChar NameValueSeparator = u'=';

protected:
    // 0 when equal; the base compares without case.
    virtual int CompareStrings(const QString& a, const QString& b) const;
    virtual void SetUpdateState(bool updating) {}
    bool Updating() const { return updateCount_ > 0; }
    [[noreturn]] static void IndexError(int index);
    // Raises the index error unless 0 <= index < count.
    static void CheckIndex(int index, int count);

private:
    int updateCount_ = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    using TStrings::Assign;

    int Count() const override { return static_cast<int>(items_.size()); }
    QString Get(int index) const override;
    void Put(int index, const QString& text) override;
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;
    void Insert(int index, const QString& text) override;
    void InsertObject(int index, const QString& text, void* object) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const QString& text) override;
    int AddObject(const QString& text, void* object) override;
    void Exchange(int index1, int index2) override;
    int IndexOf(const QString& text) const override;

    // A sorted list keeps its order on Add and refuses Insert, Put and Exchange
    // ("Operation not allowed on sorted list"); Duplicates applies to a sorted list only.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates = dupIgnore;
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool caseSensitive);

    virtual void Sort();
    // compare answers < 0, 0 or > 0 for the lines at two indexes.
    virtual void CustomSort(const std::function<int(TStringList&, int, int)>& compare);
    // Binary search of a sorted list: true when found; index is the first match or where the text belongs.
    bool Find(const QString& text, int& index) const;

    // Called before and after every change (once per update block).
    std::function<void()> OnChanging;
    std::function<void()> OnChange;

protected:
    int CompareStrings(const QString& a, const QString& b) const override;
    void SetUpdateState(bool updating) override;
    void Changing();
    void Changed();

private:
    struct Item {
        QString text;
        void* object = nullptr;
    };
    void CheckUnsorted() const;
    void InsertItem(int index, const QString& text, void* object);

    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
};
