#include "FieldOfViewCheck.h"

#include "ArchiveContents.h"
#include "ProblemList.h"

namespace BCFLib {

void FieldOfViewCheck::run(const ArchiveContents& contents, ProblemList& problems)
{
    const QString check = QStringLiteral("field-of-view");
    const QString version = contents.version();
    const bool strict = version == QLatin1String("2.0") || version == QLatin1String("1.0");
    const bool narrowIsWarning = version == QLatin1String("2.1");
    for (const ArchiveContents::XmlPart& part : contents.parts()) {
        if (part.kind != SchemaSet::Visualization)
            continue;
        for (xmlNodePtr camera : XmlDocument::descendants(part.document.root(), "PerspectiveCamera")) {
            const xmlNodePtr element = XmlDocument::child(camera, "FieldOfView");
            if (!element)
                continue;
            const int line = XmlDocument::line(element);
            bool isNumber = false;
            const double value = XmlDocument::text(element).toDouble(&isNumber);
            const bool narrow = isNumber && value >= 45 && value <= 60;
            if (part.schemaChecked) {
                if (narrowIsWarning && isNumber && value > 0 && value < 180 && !narrow)
                    problems.warning(check, part.entry, line,
                                     QStringLiteral("FieldOfView %1 is outside 45 to 60 degrees, the range the BCF 2.1 "
                                                    "schema states; some readers refuse it")
                                         .arg(value));
                continue;
            }
            if (!isNumber || value <= 0 || value >= 180)
                problems.error(check, part.entry, line,
                               QStringLiteral("FieldOfView \"%1\" is not an angle above 0 and below 180 degrees")
                                   .arg(XmlDocument::text(element)));
            else if (strict && !narrow)
                problems.error(check, part.entry, line,
                               QStringLiteral("FieldOfView %1 is outside 45 to 60 degrees, the range of BCF %2")
                                   .arg(value)
                                   .arg(version));
            else if (narrowIsWarning && !narrow)
                problems.warning(check, part.entry, line,
                                 QStringLiteral("FieldOfView %1 is outside 45 to 60 degrees, the range the BCF 2.1 "
                                                "schema states; some readers refuse it")
                                     .arg(value));
        }
    }
}

} // namespace BCFLib
