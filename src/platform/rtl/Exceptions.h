// The exception families the program raises and catches; every one carries a user-readable message.
#pragma once

#include <QString>
#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// Silent cancellation: handlers that catch exceptions to show them pass this one over.
class EAbort : public Exception {
public:
    EAbort() : Exception(QStringLiteral("Operation aborted")) {}
};

#define TAVORIN_DECLARE_EXCEPTION(Name, Base) \
    class Name : public Base {                \
    public:                                   \
        using Base::Base;                     \
    };

TAVORIN_DECLARE_EXCEPTION(EConvertError, Exception)
TAVORIN_DECLARE_EXCEPTION(EDatabaseError, Exception)
TAVORIN_DECLARE_EXCEPTION(EListError, Exception)
TAVORIN_DECLARE_EXCEPTION(EStringListError, Exception)
TAVORIN_DECLARE_EXCEPTION(EStreamError, Exception)
TAVORIN_DECLARE_EXCEPTION(EFCreateError, EStreamError)
TAVORIN_DECLARE_EXCEPTION(EFOpenError, EStreamError)
TAVORIN_DECLARE_EXCEPTION(EReadError, EStreamError)
TAVORIN_DECLARE_EXCEPTION(EWriteError, EStreamError)
TAVORIN_DECLARE_EXCEPTION(EInOutError, Exception)
TAVORIN_DECLARE_EXCEPTION(EOSError, Exception)
TAVORIN_DECLARE_EXCEPTION(EMathError, Exception)
TAVORIN_DECLARE_EXCEPTION(EZeroDivide, EMathError)
TAVORIN_DECLARE_EXCEPTION(EInvalidOperation, Exception)
TAVORIN_DECLARE_EXCEPTION(EDateTimeError, Exception)
TAVORIN_DECLARE_EXCEPTION(EComponentError, Exception)
TAVORIN_DECLARE_EXCEPTION(EOleError, Exception)
TAVORIN_DECLARE_EXCEPTION(EInvalidPointer, Exception)
TAVORIN_DECLARE_EXCEPTION(EAccessViolation, Exception)

// Raises EAbort: the caller's operation stops without a message.
[[noreturn]] void Abort();

// Raises EDatabaseError with the given text.
[[noreturn]] void DatabaseError(const QString& message);
