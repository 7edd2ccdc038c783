#include "short_date.h"

namespace shift {

namespace {

bool isFieldLetter(QChar c)
{
    return c.isLetter();
}

// Length of the quoted literal that starts at `from` (a "'"), closing quote included; a
// doubled quote inside stands for one quote. An unclosed literal runs to the end.
qsizetype quotedLength(const QString &format, qsizetype from)
{
    qsizetype i = from + 1;
    while (i < format.size()) {
        if (format[i] == u'\'') {
            if (i + 1 < format.size() && format[i + 1] == u'\'') {
                i += 2;
                continue;
            }
            return i + 1 - from;
        }
        ++i;
    }
    return format.size() - from;
}

} // namespace

QString dashedDateFormat(const QString &format)
{
    QString result;
    result.reserve(format.size());
    bool fieldSeen = false;
    QString pendingSeparator; // characters since the last field, not yet known to be between two
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        if (c == u'\'') {
            const qsizetype length = quotedLength(format, i);
            result += pendingSeparator;
            pendingSeparator.clear();
            result += format.mid(i, length);
            i += length;
            fieldSeen = false;
            continue;
        }
        if (isFieldLetter(c)) {
            if (!pendingSeparator.isEmpty()) {
                result += fieldSeen ? QStringLiteral("-") : pendingSeparator;
                pendingSeparator.clear();
            }
            result += c;
            fieldSeen = true;
        } else {
            pendingSeparator += c;
        }
        ++i;
    }
    result += pendingSeparator;
    return result;
}

QString shortDateWithDashes(QDate date, const QLocale &locale)
{
    return locale.toString(date, dashedDateFormat(locale.dateFormat(QLocale::ShortFormat)));
}

} // namespace shift
