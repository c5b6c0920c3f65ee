// Reading and testing filter texts such as "ResourceId = 5 and Client <> 'x'".
#include "platform/db/FilterExpression.h"

#include "platform/db/DataSet.h"
#include "platform/db/LocateMatch.h"
#include "platform/rtl/Exceptions.h"

namespace db {

namespace {

class Reader {
public:
    explicit Reader(const QString& text) : text_(text) {}

    bool AtEnd() {
        SkipBlanks();
        return pos_ >= text_.size();
    }

    QString Word() {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == u'[') {
            const int end = text_.indexOf(u']', pos_);
            if (end < 0) Fail();
            const QString name = text_.mid(pos_ + 1, end - pos_ - 1);
            pos_ = end + 1;
            return name;
        }
        const int start = pos_;
        while (pos_ < text_.size() && (text_[pos_].isLetterOrNumber() || text_[pos_] == u'_' || text_[pos_] == u'.'))
            ++pos_;
        if (start == pos_) Fail();
        return text_.mid(start, pos_ - start);
    }

    QString Operator() {
        SkipBlanks();
        for (const char* op : {"<>", "<=", ">=", "=", "<", ">"}) {
            const QString candidate = QString::fromLatin1(op);
            if (text_.mid(pos_, candidate.size()) == candidate) {
                pos_ += candidate.size();
                return candidate;
            }
        }
        Fail();
    }

    QVariant Value() {
        SkipBlanks();
        if (pos_ < text_.size() && (text_[pos_] == u'\'' || text_[pos_] == u'"')) {
            const QChar quote = text_[pos_++];
            QString value;
            while (true) {
                if (pos_ >= text_.size()) Fail();
                if (text_[pos_] == quote) {
                    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == quote) {
                        value += quote;
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    return value;
                }
                value += text_[pos_++];
            }
        }
        const QString word = Word();
        if (word.compare(QLatin1String("null"), Qt::CaseInsensitive) == 0) return {};
        return word;
    }

    [[noreturn]] void Fail() const {
        DatabaseError(QStringLiteral("Filter expression incorrectly terminated: %1").arg(text_));
    }

private:
    void SkipBlanks() {
        while (pos_ < text_.size() && text_[pos_].isSpace()) ++pos_;
    }

    const QString& text_;
    int pos_ = 0;
};

}  // namespace

FilterExpression::FilterExpression(const QString& text) {
    Reader reader(text);
    groups_.append(QVector<Term>());
    while (true) {
        Term term;
        term.field = reader.Word();
        term.op = reader.Operator();
        term.value = reader.Value();
        groups_.last().append(term);
        if (reader.AtEnd()) break;
        const QString joint = reader.Word();
        if (joint.compare(QLatin1String("or"), Qt::CaseInsensitive) == 0) groups_.append(QVector<Term>());
        else if (joint.compare(QLatin1String("and"), Qt::CaseInsensitive) != 0) reader.Fail();
    }
}

bool FilterExpression::Matches(TDataSet& dataSet) const {
    for (const auto& group : groups_) {
        bool all = true;
        for (const Term& term : group) {
            const TField& field = dataSet.FieldByName(term.field);
            const int order = CompareFieldValue(field, field.Value(), term.value);
            const bool nulls = field.Value().isNull() || term.value.isNull();
            bool ok = false;
            if (term.op == u"=") ok = order == 0;
            else if (term.op == u"<>") ok = order != 0;
            else if (nulls) ok = false;
            else if (term.op == u"<") ok = order < 0;
            else if (term.op == u">") ok = order > 0;
            else if (term.op == u"<=") ok = order <= 0;
            else ok = order >= 0;
            if (!ok) {
                all = false;
                break;
            }
        }
        if (all) return true;
    }
    return false;
}

}  // namespace db
