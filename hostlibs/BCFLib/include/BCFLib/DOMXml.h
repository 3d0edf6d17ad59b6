#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QDomDocument>
#include <QDomElement>
#include <QString>
#include <QVariantMap>

namespace Vexamo {

// Small builders for BCF XML documents. The create functions return a new element that is not yet
// attached; the caller appends it where it belongs.
class BCFLIB_EXPORT DOMXml
{
public:
    // <name>text</name>
    static QDomElement createTextElement(QDomDocument& doc, const QString& name, const QString& text);
    // <name attributeName="attributeValue"/>
    static QDomElement createAttributeElement(QDomDocument& doc, const QString& name, const QString& attributeName,
                                              const QString& attributeValue);
    // <name><X>..</X><Y>..</Y><Z>..</Z></name> from a point record with the keys "x", "y", "z".
    static QDomElement createPointElement(QDomDocument& doc, const QString& name, const QVariantMap& point);
    // Appends <name>value</name> to parent.
    static void AddNumberElement(QDomDocument& doc, QDomElement& parent, const QString& name, double value);

    // The shortest C-locale text that reads back as the same double; NaN and infinities in
    // XML Schema spelling ("NaN", "INF", "-INF").
    static QString numberText(double value);
};

} // namespace Vexamo
