#include "TDate_p.h"

#include <QCalendarWidget>
#include <QLocale>
#include <QTextCharFormat>

TTDate* TDate = nullptr;

TTDate::TTDate()
    : Form(QStringLiteral("TDate"), QRect(258, 123, 442, 262))
{
    MonthCalendar1 = new QCalendarWidget(this);
    MonthCalendar1->setObjectName(QStringLiteral("MonthCalendar1"));
    place(MonthCalendar1, 4, 2, 267, 154);
    setTabOrder(MonthCalendar1, 0);
    MonthCalendar1->setSelectionMode(QCalendarWidget::SingleSelection);
    MonthCalendar1->setFirstDayOfWeek(QLocale().firstDayOfWeek());
    MonthCalendar1->setSelectedDate(QDate(2003, 3, 28));
    // Today is marked, as the native calendar circles it.
    QTextCharFormat today;
    today.setFontWeight(QFont::Bold);
    today.setFontUnderline(true);
    MonthCalendar1->setDateTextFormat(QDate::currentDate(), today);
    applyTabOrder();
}

TTDate::~TTDate() = default;
