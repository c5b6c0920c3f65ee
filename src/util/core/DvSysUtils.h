// Small helpers shared by several windows: timing, key filters, byte sizes, header and footer texts.
#pragma once

#include "platform/rtl/DateUtils.h"

#include <QChar>
#include <QString>

// True when interval milliseconds have passed since the stamp; across one midnight the day is
// taken as having changed exactly once.
bool HasIntervalElapsed(const TTimeStamp& stamp, quint32 interval);

// The digits and backspace; numeric edit boxes drop every other key but the commands below.
bool IsDigitKey(QChar key);

// Ctrl+A, Ctrl+C, Ctrl+X and Ctrl+Z as characters: select all, copy, cut and undo, which put no other character
// into a numeric edit box and so pass its filter.
bool IsEditCommandKey(QChar key);

// "%d KB" while the kilobytes stay below 1025, else "%d MB" (truncating).
QString FormatByteSize(quint64 bytes);

// Every CR and every LF becomes one blank.
void LineBreaksToBlanks(QString& text);

// Expands the macros "&d" (the date, "mmm d yyy") and "&t" (the time, "h:mm am/pm").
QString ExpandHeaderFooterMacros(QString text);
// "left;centre;right" (the right part keeps further ";"), each part expanded.
void SplitHeaderFooterText(const QString& text, QString& left, QString& centre, QString& right);

// The user's documents folder; the current folder when there is none.
QString GetMyDocumentsFolder();

// Whether a network connection is up (an interface other than loopback, up, with an address).
// There is nothing to dial here, so attempt changes nothing.
bool IsInternetConnected(bool attempt);
