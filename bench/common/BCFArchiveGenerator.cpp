#include "BCFArchiveGenerator.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

namespace {

QString guidOf(int kind, int topic, int item)
{
    return QStringLiteral("%1-%2-4000-8000-%3")
        .arg(kind, 8, 16, QLatin1Char('0'))
        .arg(item, 4, 16, QLatin1Char('0'))
        .arg(topic, 12, 16, QLatin1Char('0'));
}

bool addEntry(QuaZip& zip, const QString& name, const QByteArray& bytes, bool deflate)
{
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name), nullptr, 0, deflate ? Z_DEFLATED : 0,
                   deflate ? Z_DEFAULT_COMPRESSION : 0))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written && file.getZipError() == ZIP_OK;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

BCFArchiveGenerator BCFArchiveGenerator::manyViewpoints()
{
    BCFArchiveGenerator generator;
    generator.topics = 500;
    generator.viewpointsPerTopic = 2;
    generator.commentsPerTopic = 2;
    generator.snapshotBytes = 150 * 1024;
    return generator;
}

BCFArchiveGenerator BCFArchiveGenerator::manyTopics()
{
    BCFArchiveGenerator generator;
    generator.topics = 3000;
    generator.viewpointsPerTopic = 1;
    generator.commentsPerTopic = 5;
    generator.snapshotBytes = 100 * 1024;
    return generator;
}

QString BCFArchiveGenerator::describe() const
{
    return QStringLiteral("BCF %5: %1 topics x %2 viewpoints x %3 KiB snapshots, %4 comments each")
        .arg(topics)
        .arg(viewpointsPerTopic)
        .arg(snapshotBytes / 1024)
        .arg(commentsPerTopic)
        .arg(version3 ? QStringLiteral("3.0") : QStringLiteral("2.1"));
}

QString BCFArchiveGenerator::topicGuid(int topic)
{
    return guidOf(0x70, topic, 0);
}

QString BCFArchiveGenerator::viewpointGuid(int topic, int viewpoint)
{
    return guidOf(0x71, topic, viewpoint);
}

QString BCFArchiveGenerator::commentGuid(int topic, int comment)
{
    return guidOf(0x72, topic, comment);
}

QString BCFArchiveGenerator::viewpointFileName(int topic, int viewpoint)
{
    return viewpoint == 0 ? QStringLiteral("viewpoint.bcfv") : viewpointGuid(topic, viewpoint) + QStringLiteral(".bcfv");
}

QString BCFArchiveGenerator::snapshotFileName(int topic, int viewpoint)
{
    return viewpoint == 0 ? QStringLiteral("snapshot.png") : viewpointGuid(topic, viewpoint) + QStringLiteral(".png");
}

QByteArray BCFArchiveGenerator::snapshot(int topic, int viewpoint) const
{
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    QByteArray bytes(qMax(snapshotBytes, 8), Qt::Uninitialized);
    QRandomGenerator random(quint32(topic) * 16u + quint32(viewpoint) + 1u);
    const int words = bytes.size() / 4;
    random.fillRange(reinterpret_cast<quint32*>(bytes.data()), words);
    memcpy(bytes.data(), signature, 8);
    return bytes;
}

QByteArray BCFArchiveGenerator::versionFile() const
{
    if (version3)
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Version VersionId=\"3.0\"/>\n";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<Version VersionId=\"2.1\"><DetailedVersion>2.1</DetailedVersion></Version>\n";
}

QByteArray BCFArchiveGenerator::projectFile() const
{
    if (version3)
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ProjectInfo>\n"
               "  <Project ProjectId=\"00000001-0000-4000-8000-000000000001\"><Name>Benchmark project</Name></Project>\n"
               "</ProjectInfo>\n";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ProjectExtension>\n"
           "  <Project ProjectId=\"00000001-0000-4000-8000-000000000001\"><Name>Benchmark project</Name></Project>\n"
           "  <ExtensionSchema></ExtensionSchema>\n</ProjectExtension>\n";
}

QByteArray BCFArchiveGenerator::extensionsFile() const
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Extensions>\n"
           "  <TopicTypes><TopicType>Issue</TopicType></TopicTypes>\n"
           "  <TopicStatuses><TopicStatus>Open</TopicStatus></TopicStatuses>\n"
           "  <Priorities><Priority>Normal</Priority></Priorities>\n"
           "  <TopicLabels><TopicLabel>Structural</TopicLabel><TopicLabel>Clash</TopicLabel></TopicLabels>\n"
           "  <Users><User>engineer@example.com</User></Users>\n"
           "</Extensions>\n";
}

QByteArray BCFArchiveGenerator::markup(int topic) const
{
    // 3.0 wraps lists and nests comments and viewpoints in the topic; 2.1 keeps them flat.
    const QString in = version3 ? QStringLiteral("    ") : QStringLiteral("  ");
    const QString external = version3 ? QStringLiteral("IsExternal") : QStringLiteral("isExternal");
    QString xml;
    xml += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Markup>\n");
    xml += QStringLiteral("  <Header>%1<File IfcProject=\"0M6o7Znnv7hxsbWgeu7oQq\" %2=\"true\">"
                          "<Filename>model.ifc</Filename><Date>2026-01-01T09:00:00Z</Date></File>%3</Header>\n")
               .arg(version3 ? QStringLiteral("<Files>") : QString(), external,
                    version3 ? QStringLiteral("</Files>") : QString());
    xml += QStringLiteral("  <Topic Guid=\"%1\" TopicType=\"Issue\" TopicStatus=\"Open\">\n").arg(topicGuid(topic));
    xml += QStringLiteral("    <Title>Generated topic %1</Title>\n").arg(topic);
    xml += QStringLiteral("    <Priority>Normal</Priority>\n    <Index>%1</Index>\n").arg(topic);
    if (version3)
        xml += QStringLiteral("    <Labels><Label>Structural</Label><Label>Clash</Label></Labels>\n");
    else
        xml += QStringLiteral("    <Labels>Structural</Labels>\n    <Labels>Clash</Labels>\n");
    xml += QStringLiteral("    <CreationDate>2026-01-01T10:00:00Z</CreationDate>\n");
    xml += QStringLiteral("    <CreationAuthor>generator@example.com</CreationAuthor>\n");
    xml += QStringLiteral("    <ModifiedDate>2026-01-02T10:00:00+01:00</ModifiedDate>\n");
    xml += QStringLiteral("    <ModifiedAuthor>reviewer@example.com</ModifiedAuthor>\n");
    xml += QStringLiteral("    <AssignedTo>engineer@example.com</AssignedTo>\n");
    xml += QStringLiteral("    <Description>A topic written to measure loading and saving.</Description>\n");
    if (!version3)
        xml += QStringLiteral("  </Topic>\n");
    if (version3 && commentsPerTopic > 0)
        xml += QStringLiteral("    <Comments>\n");
    for (int c = 0; c < commentsPerTopic; ++c) {
        xml += in + QStringLiteral("<Comment Guid=\"%1\">\n").arg(commentGuid(topic, c));
        xml += in + QStringLiteral("  <Date>2026-01-0%1T11:00:00.250Z</Date>\n").arg(1 + c % 9);
        xml += in + QStringLiteral("  <Author>reviewer%1@example.com</Author>\n").arg(c);
        xml += in + QStringLiteral("  <Comment>Comment %1 on topic %2: please check the clearance.</Comment>\n").arg(c).arg(topic);
        xml += in + QStringLiteral("  <Viewpoint Guid=\"%1\"/>\n").arg(viewpointGuid(topic, c % viewpointsPerTopic));
        xml += in + QStringLiteral("</Comment>\n");
    }
    if (version3 && commentsPerTopic > 0)
        xml += QStringLiteral("    </Comments>\n");
    if (version3 && viewpointsPerTopic > 0)
        xml += QStringLiteral("    <Viewpoints>\n");
    const QString element = version3 ? QStringLiteral("ViewPoint") : QStringLiteral("Viewpoints");
    for (int v = 0; v < viewpointsPerTopic; ++v) {
        xml += in + QStringLiteral("<%1 Guid=\"%2\">\n").arg(element, viewpointGuid(topic, v));
        xml += in + QStringLiteral("  <Viewpoint>%1</Viewpoint>\n").arg(viewpointFileName(topic, v));
        xml += in + QStringLiteral("  <Snapshot>%1</Snapshot>\n").arg(snapshotFileName(topic, v));
        xml += in + QStringLiteral("  <Index>%1</Index>\n").arg(v);
        xml += in + QStringLiteral("</%1>\n").arg(element);
    }
    if (version3 && viewpointsPerTopic > 0)
        xml += QStringLiteral("    </Viewpoints>\n");
    if (version3)
        xml += QStringLiteral("  </Topic>\n");
    xml += QStringLiteral("</Markup>\n");
    return xml.toUtf8();
}

QByteArray BCFArchiveGenerator::visualizationInfo(int topic, int viewpoint) const
{
    const QString hints = QStringLiteral(
        "<ViewSetupHints SpacesVisible=\"false\" SpaceBoundariesVisible=\"false\" OpeningsVisible=\"true\"/>\n");
    const QString selection = QStringLiteral(
        "    <Selection><Component IfcGuid=\"1GU8BMEqHBQxVAbwRD$4Jj\"/><Component IfcGuid=\"0AQJSsoeDDvwVqSNcwjy55\"/></Selection>\n");
    // 2.1 keeps the view setup hints first in Components, 3.0 inside Visibility.
    const QString components = version3
        ? selection + QStringLiteral("    <Visibility DefaultVisibility=\"true\">\n      ") + hints + QStringLiteral("    </Visibility>\n")
        : QStringLiteral("    ") + hints + selection + QStringLiteral("    <Visibility DefaultVisibility=\"true\"/>\n");
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<VisualizationInfo Guid=\"%1\">\n"
               "  <Components>\n%3  </Components>\n"
               "  <PerspectiveCamera>\n"
               "    <CameraViewPoint><X>%2</X><Y>12.5</Y><Z>3.25</Z></CameraViewPoint>\n"
               "    <CameraDirection><X>-0.5</X><Y>-0.5</Y><Z>-0.7071</Z></CameraDirection>\n"
               "    <CameraUpVector><X>0</X><Y>0</Y><Z>1</Z></CameraUpVector>\n"
               "    <FieldOfView>60</FieldOfView>\n%4"
               "  </PerspectiveCamera>\n"
               "</VisualizationInfo>\n")
        .arg(viewpointGuid(topic, viewpoint))
        .arg(topic + viewpoint * 0.5)
        .arg(components, version3 ? QStringLiteral("    <AspectRatio>1.7778</AspectRatio>\n") : QString())
        .toUtf8();
}

qint64 BCFArchiveGenerator::payloadBytes() const
{
    qint64 total = versionFile().size() + projectFile().size() + (version3 ? extensionsFile().size() : 0);
    for (int t = 0; t < topics; ++t) {
        total += markup(t).size();
        for (int v = 0; v < viewpointsPerTopic; ++v)
            total += visualizationInfo(t, v).size() + qMax(snapshotBytes, 8);
    }
    return total;
}

bool BCFArchiveGenerator::writeArchive(const QString& fileName) const
{
    QuaZip zip(fileName);
    zip.setZip64Enabled(false);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    bool ok = addEntry(zip, QStringLiteral("bcf.version"), versionFile(), true)
              && addEntry(zip, QStringLiteral("project.bcfp"), projectFile(), true)
              && (!version3 || addEntry(zip, QStringLiteral("extensions.xml"), extensionsFile(), true));
    for (int t = 0; ok && t < topics; ++t) {
        const QString folder = topicGuid(t) + QLatin1Char('/');
        ok = addEntry(zip, folder + QStringLiteral("markup.bcf"), markup(t), true);
        for (int v = 0; ok && v < viewpointsPerTopic; ++v) {
            ok = addEntry(zip, folder + viewpointFileName(t, v), visualizationInfo(t, v), true)
                 && addEntry(zip, folder + snapshotFileName(t, v), snapshot(t, v), false);
        }
    }
    zip.close();
    return ok && zip.getZipError() == ZIP_OK;
}

bool BCFArchiveGenerator::writeTree(const QString& dir) const
{
    QDir root(dir);
    bool ok = root.mkpath(QStringLiteral(".")) && writeFile(root.filePath(QStringLiteral("bcf.version")), versionFile())
              && writeFile(root.filePath(QStringLiteral("project.bcfp")), projectFile())
              && (!version3 || writeFile(root.filePath(QStringLiteral("extensions.xml")), extensionsFile()));
    for (int t = 0; ok && t < topics; ++t) {
        const QString folder = topicGuid(t);
        ok = root.mkpath(folder) && writeFile(root.filePath(folder + QStringLiteral("/markup.bcf")), markup(t));
        for (int v = 0; ok && v < viewpointsPerTopic; ++v) {
            ok = writeFile(root.filePath(folder + QLatin1Char('/') + viewpointFileName(t, v)), visualizationInfo(t, v))
                 && writeFile(root.filePath(folder + QLatin1Char('/') + snapshotFileName(t, v)), snapshot(t, v));
        }
    }
    return ok;
}
