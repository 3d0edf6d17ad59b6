#include "BCFLib/IsoDateTime.h"

#include <QRegularExpression>
#include <QTimeZone>

namespace BCFLib {

namespace {

const QRegularExpression& isoPattern()
{
    // date, optional time with optional seconds and fraction, optional zone
    static const QRegularExpression pattern(QStringLiteral(
        "^\\s*(\\d{4})-(\\d{2})-(\\d{2})"
        "(?:[Tt ](\\d{2}):(\\d{2})(?::(\\d{2})(?:[.,](\\d+))?)?"
        "\\s*([Zz]|[+-]\\d{2}(?::?\\d{2})?)?)?\\s*$"));
    return pattern;
}

} // namespace

QDateTime IsoDateTime::parse(const QString& text)
{
    if (text.isEmpty() || text.size() > 64)
        return QDateTime();
    const QRegularExpressionMatch match = isoPattern().match(text);
    if (!match.hasMatch())
        return QDateTime();

    const QDate date(match.capturedRef(1).toInt(), match.capturedRef(2).toInt(), match.capturedRef(3).toInt());
    if (!date.isValid())
        return QDateTime();

    int hour = 0, minute = 0, second = 0, millisecond = 0;
    if (match.capturedLength(4) > 0) {
        hour = match.capturedRef(4).toInt();
        minute = match.capturedRef(5).toInt();
        if (match.capturedLength(6) > 0)
            second = match.capturedRef(6).toInt();
        if (match.capturedLength(7) > 0) {
            // Keep milliseconds; further digits are cut, never rounded up into the next second.
            const QString digits = match.captured(7).left(3).leftJustified(3, QLatin1Char('0'));
            millisecond = digits.toInt();
        }
    }
    bool nextDay = false;
    if (hour == 24 && minute == 0 && second == 0 && millisecond == 0) {
        hour = 0; // 24:00:00 is the end of the day, the start of the next one
        nextDay = true;
    }
    const QTime time(hour, minute, second, millisecond);
    if (!time.isValid())
        return QDateTime();
    const QDate day = nextDay ? date.addDays(1) : date;

    const QString zone = match.captured(8);
    if (zone.isEmpty())
        return QDateTime(day, time, Qt::LocalTime);
    if (zone.compare(QLatin1String("Z"), Qt::CaseInsensitive) == 0)
        return QDateTime(day, time, Qt::UTC);

    const int sign = zone.at(0) == QLatin1Char('-') ? -1 : 1;
    const QString digits = zone.mid(1).remove(QLatin1Char(':'));
    const int offsetHours = digits.left(2).toInt();
    const int offsetMinutes = digits.size() > 2 ? digits.mid(2, 2).toInt() : 0;
    if (offsetHours > 23 || offsetMinutes > 59)
        return QDateTime();
    return QDateTime(day, time, Qt::OffsetFromUTC, sign * (offsetHours * 3600 + offsetMinutes * 60));
}

QString IsoDateTime::format(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return QString();
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    QString text = QStringLiteral("%1-%2-%3T%4:%5:%6")
                       .arg(date.year(), 4, 10, QLatin1Char('0'))
                       .arg(date.month(), 2, 10, QLatin1Char('0'))
                       .arg(date.day(), 2, 10, QLatin1Char('0'))
                       .arg(time.hour(), 2, 10, QLatin1Char('0'))
                       .arg(time.minute(), 2, 10, QLatin1Char('0'))
                       .arg(time.second(), 2, 10, QLatin1Char('0'));
    const int millisecond = time.msec();
    if (millisecond != 0)
        text += QLatin1Char('.') + QString::number(millisecond).rightJustified(3, QLatin1Char('0'));

    switch (dateTime.timeSpec()) {
    case Qt::UTC:
        text += QLatin1Char('Z');
        break;
    case Qt::OffsetFromUTC:
    case Qt::TimeZone: {
        const int offset = dateTime.offsetFromUtc();
        const int magnitude = qAbs(offset) / 60;
        text += QLatin1Char(offset < 0 ? '-' : '+')
                + QString::number(magnitude / 60).rightJustified(2, QLatin1Char('0')) + QLatin1Char(':')
                + QString::number(magnitude % 60).rightJustified(2, QLatin1Char('0'));
        break;
    }
    case Qt::LocalTime:
        break;
    }
    return text;
}

QDateTime IsoDateTime::fromVariant(const QVariant& value)
{
    if (value.userType() == QMetaType::QDateTime)
        return value.toDateTime();
    return parse(value.toString());
}

} // namespace BCFLib
