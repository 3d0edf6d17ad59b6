// The markup document of BCF1Export: the content of a topic's "markup.bcf" entry.

#include "BCFapi/BCF1Export.h"

#include "BCF1ExportLog.h"
#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapi.h"

#include "BCFLib/DOMXml.h"
#include "Utility/NewId.h"

namespace Vexamo {

namespace {

// Appends <name>text</name> to parent.
void appendText(QDomDocument& doc, QDomElement& parent, const QString& name, const QString& text)
{
    parent.appendChild(DOMXml::createTextElement(doc, name, text));
}

// Appends <name>value of key</name> to parent when the record has the key.
void appendTextIfPresent(QDomDocument& doc, QDomElement& parent, const QString& name, const QVariantMap& record,
                         const QString& key)
{
    if (record.contains(key))
        appendText(doc, parent, name, record.value(key).toString());
}

// Every comment ends with a reference to its topic.
void appendTopicReference(QDomDocument& doc, QDomElement& comment, const QVariantMap& topic)
{
    comment.appendChild(DOMXml::createAttributeElement(doc, QStringLiteral("Topic"), QStringLiteral("Guid"),
                                                       topic.value(BCFKeys::Guid).toString()));
}

} // namespace

QDomDocument BCF1Export::serializeTopic(const QVariantMap& topic)
{
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("Markup"));
    doc.appendChild(root);
    writeHeader(topic, doc, root);
    writeTopic(topic, doc, root);
    writeComments(topic, doc, root);
    return doc;
}

void BCF1Export::writeHeader(const QVariantMap& topic, QDomDocument& doc, QDomElement& root)
{
    QDomElement header = doc.createElement(QStringLiteral("Header"));
    root.appendChild(header);

    const QVariantList files = m_recordsComplete ? topic.value(BCFKeys::Files).toList()
        : m_source                                 ? m_source->getFile(topic.value(BCFKeys::Guid).toString(), QString())
                                                   : QVariantList();
    for (const QVariant& entry : files) {
        const QVariantMap file = entry.toMap();
        if (file.isEmpty()) {
            BCF1EXPORT_WARN("BCF 1 export warning : empty file, can't add it");
            continue;
        }
        QDomElement element = doc.createElement(QStringLiteral("File"));
        header.appendChild(element);
        if (file.contains(BCFKeys::IfcProject))
            element.setAttribute(QStringLiteral("IfcProject"), file.value(BCFKeys::IfcProject).toString());
        if (file.contains(BCFKeys::IfcSpatialStructureElement))
            element.setAttribute(QStringLiteral("IfcSpatialStructureElement"),
                                 file.value(BCFKeys::IfcSpatialStructureElement).toString());
        appendTextIfPresent(doc, element, QStringLiteral("Filename"), file, BCFKeys::FileName);
        appendTextIfPresent(doc, element, QStringLiteral("Date"), file, BCFKeys::Date);
    }
}

void BCF1Export::writeTopic(const QVariantMap& topic, QDomDocument& doc, QDomElement& root)
{
    QDomElement element = doc.createElement(QStringLiteral("Topic"));
    root.appendChild(element);
    element.setAttribute(QStringLiteral("Guid"), topic.value(BCFKeys::Guid).toString());
    appendTextIfPresent(doc, element, QStringLiteral("ReferenceLink"), topic, BCFKeys::ReferenceLink);
    appendText(doc, element, QStringLiteral("Title"), topic.value(BCFKeys::Title).toString());
}

void BCF1Export::writeComments(const QVariantMap& topic, QDomDocument& doc, QDomElement& root)
{
    // BCF 1.0 has no topic description: it travels as a first comment with a fresh guid.
    const QString description = topic.value(BCFKeys::Description).toString();
    if (!description.isEmpty()) {
        QDomElement element = doc.createElement(QStringLiteral("Comment"));
        root.appendChild(element);
        element.setAttribute(QStringLiteral("Guid"), NewId());
        appendText(doc, element, QStringLiteral("Status"), QStringLiteral("Unknown"));
        appendText(doc, element, QStringLiteral("Date"), topic.value(BCFKeys::CreationDate).toString());
        appendText(doc, element, QStringLiteral("Author"), topic.value(BCFKeys::CreationAuthor).toString());
        appendText(doc, element, QStringLiteral("Comment"), QStringLiteral("Description : ") + description);
        appendTopicReference(doc, element, topic);
    }

    const QVariantList comments = m_recordsComplete ? topic.value(BCFKeys::Comments).toList()
        : m_source ? m_source->getComment(topic.value(BCFKeys::Guid).toString(), QString())
                   : QVariantList();
    for (const QVariant& entry : comments) {
        const QVariantMap comment = entry.toMap();
        if (comment.isEmpty()) {
            BCF1EXPORT_WARN("BCF 1 export warning : empty comment, can't add it");
            continue;
        }
        QDomElement element = doc.createElement(QStringLiteral("Comment"));
        root.appendChild(element);
        element.setAttribute(QStringLiteral("Guid"), comment.value(BCFKeys::Guid).toString());
        appendTextIfPresent(doc, element, QStringLiteral("VerbalStatus"), comment, BCFKeys::VerbalStatus);
        // An absent status is "Unknown"; a present but empty one stays empty.
        appendText(doc, element, QStringLiteral("Status"),
                   comment.contains(BCFKeys::Status) ? comment.value(BCFKeys::Status).toString()
                                                     : QStringLiteral("Unknown"));
        appendText(doc, element, QStringLiteral("Date"), comment.value(BCFKeys::Date).toString());
        appendText(doc, element, QStringLiteral("Author"), comment.value(BCFKeys::Author).toString());
        appendText(doc, element, QStringLiteral("Comment"), comment.value(BCFKeys::Comment).toString());
        appendTopicReference(doc, element, topic);
    }
}

} // namespace Vexamo
