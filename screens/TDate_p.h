#pragma once
// The calendar form (TDate): a month calendar and nothing else; created, never shown.
#include "form.h"

class QCalendarWidget;

class TTDate : public controls::Form {
    Q_OBJECT
public:
    TTDate();
    ~TTDate() override;

    QCalendarWidget* MonthCalendar1 = nullptr;
};

extern TTDate* TDate;
