#include "XmlDocument.h"

#include "ProblemList.h"
#include "XmlErrorCapture.h"

#include <libxml/parser.h>

#include <utility>

namespace BCFLib {

namespace {

void collect(const xmlNode* node, const char* name, QVector<xmlNodePtr>& found)
{
    for (xmlNodePtr n = node ? node->children : nullptr; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE)
            continue;
        if (XmlDocument::is(n, name))
            found.append(n);
        collect(n, name, found);
    }
}

} // namespace

XmlDocument::~XmlDocument()
{
    if (m_doc)
        xmlFreeDoc(m_doc);
}

XmlDocument::XmlDocument(XmlDocument&& other) noexcept
    : m_doc(std::exchange(other.m_doc, nullptr))
{
}

XmlDocument& XmlDocument::operator=(XmlDocument&& other) noexcept
{
    std::swap(m_doc, other.m_doc);
    return *this;
}

bool XmlDocument::parse(const QByteArray& bytes, const QString& entry, ProblemList& problems)
{
    XmlErrorCapture capture(problems, QStringLiteral("xml"), entry);
    const QByteArray url = entry.toUtf8();
    m_doc = xmlReadMemory(bytes.constData(), bytes.size(), url.constData(), nullptr,
                          XML_PARSE_NONET | XML_PARSE_BIG_LINES);
    bool refused = false;
    if (m_doc && m_doc->intSubset) {
        const int at = bytes.indexOf("<!DOCTYPE");
        problems.error(QStringLiteral("xml"), entry, at < 0 ? 0 : bytes.left(at).count('\n') + 1,
                       QStringLiteral("a document type declaration is not allowed in BCF; the entry is not checked "
                                      "further"));
        refused = true;
    }
    if (m_doc && (refused || !root())) {
        xmlFreeDoc(m_doc);
        m_doc = nullptr;
    }
    if (!m_doc && !refused && capture.count() == 0)
        problems.error(QStringLiteral("xml"), entry, 0, QStringLiteral("not a well-formed XML document"));
    return m_doc != nullptr;
}

bool XmlDocument::is(const xmlNode* node, const char* name)
{
    return node && node->type == XML_ELEMENT_NODE && xmlStrEqual(node->name, BAD_CAST name);
}

xmlNodePtr XmlDocument::child(const xmlNode* parent, const char* name)
{
    for (xmlNodePtr n = parent ? parent->children : nullptr; n; n = n->next) {
        if (is(n, name))
            return n;
    }
    return nullptr;
}

QVector<xmlNodePtr> XmlDocument::children(const xmlNode* parent, const char* name)
{
    QVector<xmlNodePtr> found;
    for (xmlNodePtr n = parent ? parent->children : nullptr; n; n = n->next) {
        if (is(n, name))
            found.append(n);
    }
    return found;
}

QVector<xmlNodePtr> XmlDocument::descendants(const xmlNode* parent, const char* name)
{
    QVector<xmlNodePtr> found;
    collect(parent, name, found);
    return found;
}

QString XmlDocument::text(const xmlNode* node)
{
    if (!node)
        return QString();
    xmlChar* content = xmlNodeGetContent(node);
    const QString value = QString::fromUtf8(reinterpret_cast<const char*>(content)).trimmed();
    xmlFree(content);
    return value;
}

QString XmlDocument::attribute(const xmlNode* node, const char* name)
{
    if (!node)
        return QString();
    xmlChar* value = xmlGetNoNsProp(node, BAD_CAST name);
    const QString result = QString::fromUtf8(reinterpret_cast<const char*>(value)).trimmed();
    xmlFree(value);
    return result;
}

bool XmlDocument::hasAttribute(const xmlNode* node, const char* name)
{
    return node && xmlHasNsProp(node, BAD_CAST name, nullptr);
}

int XmlDocument::line(const xmlNode* node)
{
    return node ? int(qMax(0L, xmlGetLineNo(node))) : 0;
}

} // namespace BCFLib
