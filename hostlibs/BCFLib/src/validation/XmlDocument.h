#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <libxml/tree.h>

namespace BCFLib {

class ProblemList;

// One parsed XML entry of the archive, owned. Parsing never touches the network, loads no DTD and
// does not substitute entities; a document with a document type declaration is refused, since BCF
// has none and it is the way in for entity expansion. The static helpers read the tree by local
// element names, as BCF's schemas use no namespace.
class XmlDocument
{
public:
    XmlDocument() = default;
    ~XmlDocument();
    XmlDocument(XmlDocument&& other) noexcept;
    XmlDocument& operator=(XmlDocument&& other) noexcept;
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Parses bytes; the problems found go to problems under entry. False when no tree was built.
    bool parse(const QByteArray& bytes, const QString& entry, ProblemList& problems);

    xmlDocPtr document() const { return m_doc; }
    xmlNodePtr root() const { return m_doc ? xmlDocGetRootElement(m_doc) : nullptr; }
    bool isValid() const { return root() != nullptr; }

    static bool is(const xmlNode* node, const char* name);
    static xmlNodePtr child(const xmlNode* parent, const char* name);
    static QVector<xmlNodePtr> children(const xmlNode* parent, const char* name);
    // Elements named name anywhere below parent, in document order.
    static QVector<xmlNodePtr> descendants(const xmlNode* parent, const char* name);
    static QString text(const xmlNode* node);
    static QString attribute(const xmlNode* node, const char* name);
    static bool hasAttribute(const xmlNode* node, const char* name);
    static int line(const xmlNode* node);

private:
    xmlDocPtr m_doc = nullptr;
};

} // namespace BCFLib
