#include "XmlOutput.h"

#include "BCFLib/DOMXml.h"
#include "BCFLib/IsoDateTime.h"
#include "BCFLib/XmlText.h"

namespace BCFLib {
namespace XmlOutput {

namespace {
// XML Schema allows zone offsets from -14:00 to +14:00.
const int sMaxZoneOffsetSeconds = 14 * 3600;
// Characters cleanText() dropped on this thread since the last takeDroppedCharacters().
thread_local int sDroppedCharacters = 0;
} // namespace

void startDocument(QXmlStreamWriter& xml)
{
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
}

QString cleanText(const QString& text)
{
    return withoutXmlIllegalCharacters(text, &sDroppedCharacters);
}

int takeDroppedCharacters()
{
    const int dropped = sDroppedCharacters;
    sDroppedCharacters = 0;
    return dropped;
}

QString dateTimeText(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return QString();
    QDateTime value = dateTime;
    const Qt::TimeSpec spec = value.timeSpec();
    if (spec == Qt::OffsetFromUTC || spec == Qt::TimeZone) {
        const int offset = value.offsetFromUtc();
        if (qAbs(offset) > sMaxZoneOffsetSeconds || offset % 60 != 0)
            value = value.toUTC();
    }
    const int year = value.date().year();
    if (year < 1 || year > 9999)
        return QString();
    return IsoDateTime::format(value);
}

bool isIfcGuid(const QString& text)
{
    if (text.size() != 22)
        return false;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        const bool allowed = (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_'
                             || u == '$' || u == ',';
        if (!allowed)
            return false;
    }
    return true;
}

void writeText(QXmlStreamWriter& xml, const QString& name, const QString& text)
{
    const QString clean = cleanText(text);
    if (!clean.contains(QLatin1Char('\r'))) {
        xml.writeTextElement(name, clean);
        return;
    }
    // A parser turns a literal carriage return into a line feed; a character reference keeps it.
    xml.writeStartElement(name);
    const QStringList parts = clean.split(QLatin1Char('\r'));
    for (int i = 0; i < parts.size(); ++i) {
        if (i > 0)
            xml.writeEntityReference(QStringLiteral("#13"));
        if (!parts.at(i).isEmpty())
            xml.writeCharacters(parts.at(i));
    }
    xml.writeEndElement();
}

void writeOptionalText(QXmlStreamWriter& xml, const QString& name, const QString& text)
{
    if (!text.isEmpty())
        writeText(xml, name, text);
}

void writeOptionalAttribute(QXmlStreamWriter& xml, const QString& name, const QString& value)
{
    if (!value.isEmpty())
        xml.writeAttribute(name, cleanText(value));
}

void writeNumber(QXmlStreamWriter& xml, const QString& name, double value)
{
    xml.writeTextElement(name, Vexamo::DOMXml::numberText(value));
}

void writePoint(QXmlStreamWriter& xml, const QString& name, const osg::Vec3d& point)
{
    xml.writeStartElement(name);
    writeNumber(xml, QStringLiteral("X"), point.x());
    writeNumber(xml, QStringLiteral("Y"), point.y());
    writeNumber(xml, QStringLiteral("Z"), point.z());
    xml.writeEndElement();
}

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace XmlOutput
} // namespace BCFLib
