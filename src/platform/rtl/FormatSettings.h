// The regional format settings that dates, times, numbers and currency are shown and read with.
#pragma once

#include <QString>
#include <array>

struct TFormatSettings {
    QString CurrencyString;
    // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $" (the platform's numbering).
    int CurrencyFormat = 0;
    // 0 "($1)" ... 15 "(1 $)" (the platform's numbering).
    int NegCurrFormat = 0;
    QChar ThousandSeparator;
    QChar DecimalSeparator;
    int CurrencyDecimals = 2;
    QChar DateSeparator;
    QString ShortDateFormat;
    QString LongDateFormat;
    QChar TimeSeparator;
    QString TimeAMString;
    QString TimePMString;
    QString ShortTimeFormat;
    QString LongTimeFormat;
    // Index 0 is January; index 0 of the day names is Sunday.
    std::array<QString, 12> ShortMonthNames;
    std::array<QString, 12> LongMonthNames;
    std::array<QString, 7> ShortDayNames;
    std::array<QString, 7> LongDayNames;
    // The locale's first day of the week: 0 = Monday ... 6 = Sunday (the platform's numbering).
    int FirstDayOfWeek = 6;
    // Two-digit years fall within this many years before now (0: the current century).
    int TwoDigitYearCenturyWindow = 50;
    QChar ListSeparator;
    // Locale identity as the platform numbers it.
    int DefaultLCID = 0;
    int PriLangID = 0;
    int SubLangID = 0;
    bool FarEast = false;
    bool MiddleEast = false;
};

// The settings every formatting and parsing routine uses unless it is given others.
extern TFormatSettings FormatSettings;

class QLocale;

namespace rtl {

// The settings of a locale, its patterns rewritten in the framework's notation.
TFormatSettings FormatSettingsFromLocale(const QLocale& locale);

// Fills FormatSettings from the user's locale; the program calls it once at start.
void LoadFormatSettingsFromLocale();

// US English settings (M/d/yyyy, h:mm AM/PM, "," thousands, "." decimals, weeks from Sunday).
TFormatSettings UsEnglishFormatSettings();

// Pins FormatSettings to US English; the test programs call it once at start.
void UseUsEnglishFormatSettings();

}  // namespace rtl
