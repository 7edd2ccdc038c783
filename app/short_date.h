#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

namespace shift {

// Dates as the date panel shows them: the locale's short date format with "-" as the one date
// separator.
//
// Every run of characters between two date fields that is not a letter and not quoted text is
// written as a single "-"; quoted text and anything before the first or after the last field
// stay as they are. Examples: "yyyy-MM-dd" stays; "M/d/yy" -> "M-d-yy"; "dd.MM.yy" ->
// "dd-MM-yy"; "yyyy. MM. dd." -> "yyyy-MM-dd.".
QString dashedDateFormat(const QString &format);

// `date` in the short date format of `locale`, dashed as above.
// 1 October 2016: Swedish "2016-10-01", US English "10-1-16", German "01-10-16".
QString shortDateWithDashes(QDate date, const QLocale &locale = QLocale());

} // namespace shift
