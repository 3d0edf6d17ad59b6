#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace BCFLib {

// The one ISO 8601 date-time parser and formatter of the model library.
//
// parse() accepts "YYYY-MM-DD", "YYYY-MM-DDThh:mm", "YYYY-MM-DDThh:mm:ss" with any number of
// fractional digits (kept to the millisecond), followed by nothing (local time), "Z" (UTC) or an
// offset "+hh:mm", "+hhmm" or "+hh". A space may stand for the "T". The zone is kept: an offset
// gives a QDateTime with Qt::OffsetFromUTC, "Z" one with Qt::UTC, no zone one with Qt::LocalTime.
// Anything else gives an invalid QDateTime.
//
// format() writes "YYYY-MM-DDThh:mm:ss", ".zzz" when the milliseconds are not zero, then "Z",
// "+hh:mm" or nothing, following the time spec; an invalid date-time gives an empty string.
class BCFLIB_EXPORT IsoDateTime
{
public:
    static QDateTime parse(const QString& text);
    static QString format(const QDateTime& dateTime);
    // A QDateTime value is taken as it is; anything else is converted to text and parsed.
    static QDateTime fromVariant(const QVariant& value);
};

} // namespace BCFLib
