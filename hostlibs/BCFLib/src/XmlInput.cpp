#include "XmlInput.h"

#include <QCoreApplication>

namespace BCFLib {
namespace XmlInput {

bool startDocument(QXmlStreamReader& xml, QString& error)
{
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            error = QCoreApplication::translate("BCFLib::XmlInput", "document type declarations are not allowed");
            return false;
        case QXmlStreamReader::StartElement:
            return true;
        default:
            break;
        }
    }
    error = xml.hasError() ? errorText(xml)
                           : QCoreApplication::translate("BCFLib::XmlInput", "the document has no root element");
    return false;
}

QString text(QXmlStreamReader& xml, bool trim)
{
    const QString value = xml.readElementText(QXmlStreamReader::SkipChildElements);
    return trim ? value.trimmed() : value;
}

bool toBool(const QStringRef& text, bool* ok)
{
    const QStringRef value = text.trimmed();
    if (ok)
        *ok = true;
    if (value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || value == QLatin1String("1"))
        return true;
    if (value.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || value == QLatin1String("0"))
        return false;
    if (ok)
        *ok = false;
    return false;
}

bool boolAttribute(const QXmlStreamReader& xml, const QString& name, bool fallback)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    if (!attributes.hasAttribute(name))
        return fallback;
    bool ok = false;
    const bool value = toBool(attributes.value(name), &ok);
    return ok ? value : fallback;
}

double toDouble(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : 0.0;
}

osg::Vec3d point(QXmlStreamReader& xml)
{
    osg::Vec3d result;
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("X"))
            result.x() = toDouble(text(xml));
        else if (name == QLatin1String("Y"))
            result.y() = toDouble(text(xml));
        else if (name == QLatin1String("Z"))
            result.z() = toDouble(text(xml));
        else
            xml.skipCurrentElement();
    }
    return result;
}

QString errorText(const QXmlStreamReader& xml)
{
    return QCoreApplication::translate("BCFLib::XmlInput", "%1 (line %2)").arg(xml.errorString()).arg(xml.lineNumber());
}

} // namespace XmlInput
} // namespace BCFLib
