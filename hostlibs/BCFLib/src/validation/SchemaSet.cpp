#include "SchemaSet.h"

#include "ProblemList.h"
#include "XmlDocument.h"
#include "XmlErrorCapture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <libxml/parser.h>

namespace BCFLib {

SchemaSet::SchemaSet(const QString& folder)
    : m_folder(folder)
{
}

SchemaSet::~SchemaSet()
{
    for (const Loaded& loaded : qAsConst(m_loaded)) {
        if (loaded.context)
            xmlSchemaFreeValidCtxt(loaded.context);
        if (loaded.schema)
            xmlSchemaFree(loaded.schema);
    }
}

QString SchemaSet::fileName(Kind kind)
{
    switch (kind) {
    case Version: return QStringLiteral("version.xsd");
    case Project: return QStringLiteral("project.xsd");
    case Markup: return QStringLiteral("markup.xsd");
    case Visualization: return QStringLiteral("visinfo.xsd");
    case Extensions: return QStringLiteral("extensions.xsd");
    case Documents: return QStringLiteral("documents.xsd");
    }
    return QString();
}

QString SchemaSet::versionFolder(const QString& version) const
{
    const QDir root(m_folder);
    if (QFileInfo(root.filePath(version + QStringLiteral("/markup.xsd"))).isFile())
        return root.filePath(version);
    // A single version's folder: accepted unless its name says it is another version.
    static const QRegularExpression versionName(QStringLiteral("^\\d+\\.\\d+$"));
    const QString name = QFileInfo(QDir::cleanPath(m_folder)).fileName();
    if (QFileInfo(root.filePath(QStringLiteral("markup.xsd"))).isFile()
        && (!versionName.match(name).hasMatch() || name == version))
        return QDir::cleanPath(m_folder);
    return QString();
}

bool SchemaSet::hasVersion(const QString& version, QString& note) const
{
    if (!QFileInfo(m_folder).isDir()) {
        note = QStringLiteral("the schema folder %1 does not exist").arg(m_folder);
        return false;
    }
    if (versionFolder(version).isEmpty()) {
        note = QStringLiteral("no BCF %1 schemas in %2 (expected %2/%1/markup.xsd or a folder with markup.xsd)")
                   .arg(version, m_folder);
        return false;
    }
    return true;
}

void SchemaSet::widenFieldOfView(xmlDocPtr schemaDocument)
{
    for (xmlNodePtr type : XmlDocument::descendants(xmlDocGetRootElement(schemaDocument), "simpleType")) {
        if (XmlDocument::attribute(type, "name") != QLatin1String("FieldOfView"))
            continue;
        for (xmlNodePtr restriction : XmlDocument::children(type, "restriction")) {
            for (xmlNodePtr facet = restriction->children; facet; facet = facet->next) {
                if (XmlDocument::is(facet, "minInclusive")) {
                    xmlNodeSetName(facet, BAD_CAST "minExclusive");
                    xmlSetProp(facet, BAD_CAST "value", BAD_CAST "0");
                } else if (XmlDocument::is(facet, "maxInclusive")) {
                    xmlNodeSetName(facet, BAD_CAST "maxExclusive");
                    xmlSetProp(facet, BAD_CAST "value", BAD_CAST "180");
                }
            }
        }
    }
}

SchemaSet::Loaded& SchemaSet::load(const QString& version, Kind kind, ProblemList& problems)
{
    const QString key = version + QLatin1Char('/') + fileName(kind);
    auto found = m_loaded.find(key);
    if (found != m_loaded.end())
        return found.value();
    Loaded& loaded = m_loaded[key];
    const QString path = QDir(versionFolder(version)).filePath(fileName(kind));
    if (!QFileInfo(path).isFile()) {
        loaded.failed = true;
        problems.warning(QStringLiteral("schema"), QString(), 0,
                         QStringLiteral("%1 is missing; the entries it describes are not checked against a schema")
                             .arg(path));
        return loaded;
    }

    ProblemList schemaProblems;
    {
        XmlErrorCapture capture(schemaProblems, QStringLiteral("schema"), path);
        xmlDocPtr document = xmlReadFile(QFile::encodeName(path).constData(), nullptr, XML_PARSE_NONET);
        if (document) {
            if (version == QLatin1String("2.1") && kind == Visualization)
                widenFieldOfView(document);
            xmlSchemaParserCtxtPtr parser = xmlSchemaNewDocParserCtxt(document);
            xmlSchemaSetParserStructuredErrors(parser, &XmlErrorCapture::handle, &capture);
            loaded.schema = xmlSchemaParse(parser);
            xmlSchemaFreeParserCtxt(parser);
            xmlFreeDoc(document);
        }
    }
    if (loaded.schema)
        loaded.context = xmlSchemaNewValidCtxt(loaded.schema);
    if (!loaded.context) {
        loaded.failed = true;
        const QString reason = schemaProblems.items().isEmpty() ? QString() : schemaProblems.items().first().message;
        problems.warning(QStringLiteral("schema"), QString(), 0,
                         QStringLiteral("%1 cannot be used as a schema (%2); the entries it describes are not checked "
                                        "against a schema")
                             .arg(path, reason));
    }
    return loaded;
}

bool SchemaSet::validate(const QString& version, Kind kind, xmlDocPtr doc, const QString& entry, ProblemList& problems)
{
    Loaded& loaded = load(version, kind, problems);
    if (loaded.failed)
        return false;
    XmlErrorCapture capture(problems, QStringLiteral("schema"), entry);
    xmlSchemaSetValidStructuredErrors(loaded.context, &XmlErrorCapture::handle, &capture);
    const int result = xmlSchemaValidateDoc(loaded.context, doc);
    if (result < 0 && capture.count() == 0)
        problems.error(QStringLiteral("schema"), entry, 0, QStringLiteral("the schema validation failed internally"));
    return true;
}

} // namespace BCFLib
