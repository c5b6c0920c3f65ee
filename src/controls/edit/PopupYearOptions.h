// TwwPopupYearOptions: which years the calendar's year menu offers and in how many columns.
#pragma once

struct TwwPopupYearOptions {
    int YearsPerColumn = 10;
    int NumberColumns = 2;
    int StartYear = 1990;
};
