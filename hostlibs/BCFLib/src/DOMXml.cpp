#include "BCFLib/DOMXml.h"

#include <QLocale>
#include <cmath>

namespace Vexamo {

QDomElement DOMXml::createTextElement(QDomDocument& doc, const QString& name, const QString& text)
{
    QDomElement element = doc.createElement(name);
    element.appendChild(doc.createTextNode(text));
    return element;
}

QDomElement DOMXml::createAttributeElement(QDomDocument& doc, const QString& name, const QString& attributeName,
                                           const QString& attributeValue)
{
    QDomElement element = doc.createElement(name);
    element.setAttribute(attributeName, attributeValue);
    return element;
}

QDomElement DOMXml::createPointElement(QDomDocument& doc, const QString& name, const QVariantMap& point)
{
    QDomElement element = doc.createElement(name);
    AddNumberElement(doc, element, QStringLiteral("X"), point.value(QStringLiteral("x")).toDouble());
    AddNumberElement(doc, element, QStringLiteral("Y"), point.value(QStringLiteral("y")).toDouble());
    AddNumberElement(doc, element, QStringLiteral("Z"), point.value(QStringLiteral("z")).toDouble());
    return element;
}

void DOMXml::AddNumberElement(QDomDocument& doc, QDomElement& parent, const QString& name, double value)
{
    parent.appendChild(createTextElement(doc, name, numberText(value)));
}

QString DOMXml::numberText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    // QLocale::FloatingPointShortest gives the shortest text that round-trips exactly.
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace Vexamo
