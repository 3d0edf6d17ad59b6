#include "GuidScope.h"

#include <QUuid>

namespace BCFLib {

namespace {

// Namespace of the name-based UUIDs that stand for identifiers that are not UUIDs.
const QUuid sIdentifierNamespace(QStringLiteral("8a6c2f1e-43d7-5b9a-9e0c-6d41f7a2b3c5"));

bool isHex(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
}

} // namespace

bool GuidScope::isSchemaGuid(const QString& text)
{
    if (text.size() != 36)
        return false;
    for (int i = 0; i < text.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? text.at(i) != QLatin1Char('-') : !isHex(text.at(i)))
            return false;
    }
    return true;
}

QString GuidScope::nameBasedGuid(const QString& name)
{
    return QUuid::createUuidV5(sIdentifierNamespace, name).toString(QUuid::WithoutBraces);
}

QString GuidScope::toSchemaGuid(const QString& id)
{
    if (isSchemaGuid(id))
        return id;
    const QString trimmed = id.trimmed();
    if (trimmed.size() == 38 && trimmed.startsWith(QLatin1Char('{')) && trimmed.endsWith(QLatin1Char('}'))
        && isSchemaGuid(trimmed.mid(1, 36)))
        return trimmed.mid(1, 36);
    return nameBasedGuid(id.toLower());
}

QString GuidScope::assign(const QString& id)
{
    const QString key = id.toLower();
    const auto found = m_assigned.constFind(key);
    if (found != m_assigned.constEnd())
        return found.value();
    QString guid = toSchemaGuid(id);
    if (guid.compare(id.trimmed().remove(QLatin1Char('{')).remove(QLatin1Char('}')), Qt::CaseInsensitive) != 0)
        ++m_mapped;
    if (m_lowerCase)
        guid = guid.toLower();
    for (int counter = 1; m_used.contains(guid.toLower()); ++counter)
        guid = nameBasedGuid(key + QLatin1Char('#') + QString::number(counter));
    m_used.insert(guid.toLower());
    m_assigned.insert(key, guid);
    return guid;
}

QString GuidScope::lookup(const QString& id) const
{
    const QString guid = m_assigned.value(id.toLower(), toSchemaGuid(id));
    return m_lowerCase ? guid.toLower() : guid;
}

} // namespace BCFLib
