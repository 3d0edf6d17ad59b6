#include "DateCheck.h"

#include "ArchiveContents.h"
#include "ProblemList.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

namespace BCFLib {

bool DateCheck::isDateTime(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^-?(\\d{4,})-(\\d\\d)-(\\d\\d)T(\\d\\d):(\\d\\d):(\\d\\d)(\\.\\d+)?(Z|[+-](\\d\\d):(\\d\\d))?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    const auto number = [&](int group) { return match.captured(group).toInt(); };
    const bool endOfDay = number(4) == 24 && number(5) == 0 && number(6) == 0 && match.captured(7).isEmpty();
    const bool zoneValid = match.captured(9).isEmpty() || (number(9) <= 14 && number(10) <= 59);
    return QDate(number(1), number(2), number(3)).isValid() && (endOfDay || QTime(number(4), number(5), number(6)).isValid())
           && zoneValid;
}

void DateCheck::run(const ArchiveContents& contents, ProblemList& problems)
{
    static const char* const dateElements[] = {"CreationDate", "ModifiedDate", "DueDate", "Date"};
    for (const ArchiveContents::XmlPart& part : contents.parts()) {
        if (part.kind != SchemaSet::Markup || part.schemaChecked)
            continue;
        for (const char* name : dateElements) {
            for (xmlNodePtr element : XmlDocument::descendants(part.document.root(), name)) {
                const QString value = XmlDocument::text(element);
                if (!isDateTime(value))
                    problems.error(QStringLiteral("date"), part.entry, XmlDocument::line(element),
                                   QStringLiteral("%1 \"%2\" is not a date and time (such as 2026-01-31T14:05:00Z)")
                                       .arg(QLatin1String(name), value));
            }
        }
    }
}

} // namespace BCFLib
