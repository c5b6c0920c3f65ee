// TStrings and TStringList.
#include "platform/rtl/StringList.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

#include <algorithm>

// ---- TStrings

void TStrings::Put(int index, const QString& text) {
    void* object = GetObject(index);
    Delete(index);
    InsertObject(index, text, object);
}

void* TStrings::GetObject(int) const { return nullptr; }

void TStrings::PutObject(int, void*) {}

void TStrings::InsertObject(int index, const QString& text, void* object) {
    Insert(index, text);
    PutObject(index, object);
}

int TStrings::Add(const QString& text) {
    const int index = Count();
    Insert(index, text);
    return index;
}

int TStrings::AddObject(const QString& text, void* object) {
    const int index = Add(text);
    PutObject(index, object);
    return index;
}

void TStrings::Exchange(int index1, int index2) {
    BeginUpdate();
    const QString text1 = Get(index1);
    void* object1 = GetObject(index1);
    Put(index1, Get(index2));
    PutObject(index1, GetObject(index2));
    Put(index2, text1);
    PutObject(index2, object1);
    EndUpdate();
}

int TStrings::IndexOf(const QString& text) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), text) == 0) return i;
    return -1;
}

void TStrings::Move(int from, int to) {
    if (from == to) return;
    BeginUpdate();
    const QString text = Get(from);
    void* object = GetObject(from);
    Delete(from);
    InsertObject(to, text, object);
    EndUpdate();
}

int TStrings::IndexOfObject(void* object) const {
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object) return i;
    return -1;
}

int TStrings::IndexOfName(const QString& name) const {
    for (int i = 0; i < Count(); ++i) {
        const QString line = Get(i);
        const qsizetype at = line.indexOf(NameValueSeparator);
        if (at >= 0 && CompareStrings(line.left(at), name) == 0) return i;
    }
    return -1;
}

QString TStrings::Names(int index) const {
    const QString line = Get(index);
    const qsizetype at = line.indexOf(NameValueSeparator);
    return at < 0 ? QString() : line.left(at);
}

QString TStrings::Values(const QString& name) const {
    const int index = IndexOfName(name);
    return index < 0 ? QString() : ValueFromIndex(index);
}

void TStrings::SetValue(const QString& name, const QString& value) {
    const int index = IndexOfName(name);
    if (value.isEmpty()) {
        if (index >= 0) Delete(index);
    } else if (index < 0) {
        Add(name + NameValueSeparator + value);
    } else {
        Put(index, name + NameValueSeparator + value);
    }
}

QString TStrings::ValueFromIndex(int index) const {
    const QString line = Get(index);
    const qsizetype at = line.indexOf(NameValueSeparator);
    return at < 0 ? QString() : line.mid(at + 1);
}

QString TStrings::Text() const {
    QString text;
    for (int i = 0; i < Count(); ++i) text += Get(i) + QStringLiteral("\r\n");
    return text;
}

void TStrings::SetText(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.append(text.mid(start));
    SetStrings(lines);
}

QString TStrings::DelimitedText() const {
    if (Count() == 1 && Get(0).isEmpty()) return QString(2, QuoteChar);
    QStringList parts;
    for (int i = 0; i < Count(); ++i) {
        QString line = Get(i);
        const bool quote = std::any_of(line.cbegin(), line.cend(), [this](QChar c) {
            return c.unicode() <= u' ' || c == QuoteChar || c == Delimiter;
        });
        if (quote) line = QuoteChar + line.replace(QuoteChar, QString(2, QuoteChar)) + QuoteChar;
        parts.append(line);
    }
    return parts.join(Delimiter);
}

void TStrings::SetDelimitedText(const QString& text) {
    QStringList lines;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && text[i].unicode() <= u' ') ++i;
    };
    skipBlanks();
    while (i < n) {
        QString line;
        if (text[i] == QuoteChar) {  // a quoted part; a doubled quote stands for one
            ++i;
            while (i < n) {
                if (text[i] == QuoteChar) {
                    if (i + 1 < n && text[i + 1] == QuoteChar) ++i;
                    else break;
                }
                line += text[i++];
            }
            if (i < n) ++i;
        } else {
            const qsizetype start = i;
            while (i < n && text[i].unicode() > u' ' && text[i] != Delimiter) ++i;
            line = text.mid(start, i - start);
        }
        lines.append(line);
        skipBlanks();
        if (i < n && text[i] == Delimiter) {
            ++i;
            if (i == n) lines.append(QString());  // a trailing delimiter ends with an empty line
            skipBlanks();
        }
    }
    SetStrings(lines);
}

QString TStrings::CommaText() const {
    TStringList copy;
    copy.Assign(*this);
    copy.Delimiter = u',';
    copy.QuoteChar = u'"';
    return copy.DelimitedText();
}

void TStrings::SetCommaText(const QString& text) {
    TStringList parsed;
    parsed.SetDelimitedText(text);  // a new list's delimiter and quote are the comma and the double quote
    Assign(parsed);
}

void TStrings::AddStrings(const TStrings& source) {
    BeginUpdate();
    for (int i = 0; i < source.Count(); ++i) AddObject(source.Get(i), source.GetObject(i));
    EndUpdate();
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this) return;
    BeginUpdate();
    Clear();
    AddStrings(source);
    Delimiter = source.Delimiter;
    QuoteChar = source.QuoteChar;
    NameValueSeparator = source.NameValueSeparator;
    EndUpdate();
}

QStringList TStrings::ToStringList() const {
    QStringList lines;
    for (int i = 0; i < Count(); ++i) lines.append(Get(i));
    return lines;
}

void TStrings::SetStrings(const QStringList& lines) {
    BeginUpdate();
    Clear();
    for (const QString& line : lines) Add(line);
    EndUpdate();
}

void TStrings::BeginUpdate() {
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate() {
    --updateCount_;
    if (updateCount_ == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const QString& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TStrings::SaveToFile(const QString& fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TStrings::LoadFromStream(TStream& stream) {
    QByteArray bytes(stream.Size() - stream.Position(), Qt::Uninitialized);
    stream.ReadBuffer(bytes.data(), bytes.size());
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    SetText(QString::fromUtf8(bytes));
}

void TStrings::SaveToStream(TStream& stream) const {
    const QByteArray bytes = Text().toUtf8();
    stream.WriteBuffer(bytes.constData(), bytes.size());
}

int TStrings::CompareStrings(const QString& a, const QString& b) const {
    return QString::compare(a, b, Qt::CaseInsensitive);
}

void TStrings::IndexError(int index) {
    throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

void TStrings::CheckIndex(int index, int count) {
    if (index < 0 || index >= count) IndexError(index);
}

// ---- TStringList

void TStringList::CheckUnsorted() const {
    if (sorted_) throw EStringListError(QStringLiteral("Operation not allowed on sorted list"));
}

QString TStringList::Get(int index) const {
    CheckIndex(index, Count());
    return items_[index].text;
}

void TStringList::Put(int index, const QString& text) {
    CheckUnsorted();
    CheckIndex(index, Count());
    Changing();
    items_[index].text = text;
    Changed();
}

void* TStringList::GetObject(int index) const {
    CheckIndex(index, Count());
    return items_[index].object;
}

void TStringList::PutObject(int index, void* object) {
    CheckIndex(index, Count());
    Changing();
    items_[index].object = object;
    Changed();
}

void TStringList::Insert(int index, const QString& text) { InsertObject(index, text, nullptr); }

void TStringList::InsertObject(int index, const QString& text, void* object) {
    CheckUnsorted();
    CheckIndex(index, Count() + 1);
    InsertItem(index, text, object);
}

void TStringList::InsertItem(int index, const QString& text, void* object) {
    Changing();
    items_.insert(items_.begin() + index, Item{text, object});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    Changing();
    items_.clear();
    Changed();
}

int TStringList::Add(const QString& text) { return AddObject(text, nullptr); }

int TStringList::AddObject(const QString& text, void* object) {
    int index = Count();
    if (sorted_ && Find(text, index)) {
        switch (Duplicates) {
            case dupIgnore: return index;
            case dupError: throw EStringListError(QStringLiteral("String list does not allow duplicates"));
            case dupAccept: break;
        }
    }
    InsertItem(index, text, object);
    return index;
}

void TStringList::Exchange(int index1, int index2) {
    CheckUnsorted();
    CheckIndex(index1, Count());
    CheckIndex(index2, Count());
    Changing();
    std::swap(items_[index1], items_[index2]);
    Changed();
}

int TStringList::IndexOf(const QString& text) const {
    if (!sorted_) return TStrings::IndexOf(text);
    int index;
    return Find(text, index) ? index : -1;
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    if (sorted) Sort();
    sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive == caseSensitive_) return;
    caseSensitive_ = caseSensitive;
    if (sorted_) Sort();
}

void TStringList::Sort() {
    CustomSort(
        [](TStringList& list, int a, int b) { return list.CompareStrings(list.items_[a].text, list.items_[b].text); });
}

void TStringList::CustomSort(const std::function<int(TStringList&, int, int)>& compare) {
    if (Count() < 2) return;
    Changing();
    // Sort positions, so that compare sees the list as it stands, then rearrange once.
    std::vector<int> order(items_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (int i : order) sorted.push_back(items_[i]);
    items_ = std::move(sorted);
    Changed();
}

bool TStringList::Find(const QString& text, int& index) const {
    int low = 0, high = Count() - 1;
    bool found = false;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int c = CompareStrings(items_[middle].text, text);
        if (c < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (c == 0) found = true;
        }
    }
    index = low;
    return found;
}

int TStringList::CompareStrings(const QString& a, const QString& b) const {
    return QString::compare(a, b, caseSensitive_ ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

void TStringList::SetUpdateState(bool updating) {
    if (updating) Changing();
    else Changed();
}

void TStringList::Changing() {
    if (!Updating() && OnChanging) OnChanging();
}

void TStringList::Changed() {
    if (!Updating() && OnChange) OnChange();
}
