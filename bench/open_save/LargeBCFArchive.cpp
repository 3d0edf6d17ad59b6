#include "LargeBCFArchive.h"

#include <QRandomGenerator>
#include <QStringList>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

namespace {

QString guidOf(int kind, int topic, int item)
{
    return QStringLiteral("%1-0000-4000-8000-%2")
        .arg(kind * 1000000 + item, 8, 10, QLatin1Char('0'))
        .arg(topic, 12, 10, QLatin1Char('0'));
}

bool addEntry(QuaZip& zip, const QString& name, const QByteArray& bytes, bool compress)
{
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name), nullptr, 0, compress ? Z_DEFLATED : 0,
                   compress ? Z_DEFAULT_COMPRESSION : 0))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written && file.getZipError() == ZIP_OK;
}

QByteArray markup(int topic, int comments)
{
    const QString viewpoint = LargeBCFArchive::viewpointGuid(topic);
    QString xml;
    xml += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Markup>\n");
    xml += QStringLiteral("  <Topic Guid=\"%1\" TopicType=\"Issue\" TopicStatus=\"Open\">\n")
               .arg(LargeBCFArchive::topicGuid(topic));
    xml += QStringLiteral("    <Title>Generated topic %1</Title>\n").arg(topic);
    xml += QStringLiteral("    <Priority>Normal</Priority>\n");
    xml += QStringLiteral("    <Labels>Structural</Labels>\n");
    xml += QStringLiteral("    <CreationDate>2026-01-01T10:00:00Z</CreationDate>\n");
    xml += QStringLiteral("    <CreationAuthor>generator@example.com</CreationAuthor>\n");
    xml += QStringLiteral("    <Description>A topic written to measure loading and saving.</Description>\n");
    xml += QStringLiteral("  </Topic>\n");
    for (int c = 0; c < comments; ++c) {
        xml += QStringLiteral("  <Comment Guid=\"%1\">\n").arg(LargeBCFArchive::commentGuid(topic, c));
        xml += QStringLiteral("    <Date>2026-01-0%1T11:00:00Z</Date>\n").arg(1 + c % 9);
        xml += QStringLiteral("    <Author>reviewer%1@example.com</Author>\n").arg(c);
        xml += QStringLiteral("    <Comment>Comment %1 on topic %2: please check the clearance.</Comment>\n").arg(c).arg(topic);
        xml += QStringLiteral("    <Viewpoint Guid=\"%1\"/>\n").arg(viewpoint);
        xml += QStringLiteral("  </Comment>\n");
    }
    xml += QStringLiteral("  <Viewpoints Guid=\"%1\">\n").arg(viewpoint);
    xml += QStringLiteral("    <Viewpoint>viewpoint.bcfv</Viewpoint>\n    <Snapshot>snapshot.png</Snapshot>\n");
    xml += QStringLiteral("  </Viewpoints>\n</Markup>\n");
    return xml.toUtf8();
}

QByteArray visualization(int topic)
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<VisualizationInfo Guid=\"%1\">\n"
               "  <Components>\n    <Visibility DefaultVisibility=\"true\"/>\n  </Components>\n"
               "  <PerspectiveCamera>\n"
               "    <CameraViewPoint><X>%2</X><Y>12.5</Y><Z>3.25</Z></CameraViewPoint>\n"
               "    <CameraDirection><X>-0.5</X><Y>-0.5</Y><Z>-0.7071</Z></CameraDirection>\n"
               "    <CameraUpVector><X>0</X><Y>0</Y><Z>1</Z></CameraUpVector>\n"
               "    <FieldOfView>60</FieldOfView>\n"
               "  </PerspectiveCamera>\n"
               "</VisualizationInfo>\n")
        .arg(LargeBCFArchive::viewpointGuid(topic))
        .arg(topic)
        .toUtf8();
}

} // namespace

QString LargeBCFArchive::topicGuid(int topic)
{
    return guidOf(1, topic, 0);
}

QString LargeBCFArchive::viewpointGuid(int topic)
{
    return guidOf(2, topic, 0);
}

QString LargeBCFArchive::commentGuid(int topic, int comment)
{
    return guidOf(3, topic, comment);
}

QByteArray LargeBCFArchive::snapshot(int topic) const
{
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    QByteArray bytes(qMax(snapshotBytes, 8), Qt::Uninitialized);
    QRandomGenerator random(quint32(topic) + 1u);
    for (int i = 0; i + 4 <= bytes.size(); i += 4) {
        const quint32 value = random.generate();
        memcpy(bytes.data() + i, &value, 4);
    }
    memcpy(bytes.data(), signature, 8);
    return bytes;
}

bool LargeBCFArchive::write(const QString& path) const
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    bool ok = addEntry(zip, QStringLiteral("bcf.version"),
                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<Version VersionId=\"2.1\"><DetailedVersion>2.1</DetailedVersion></Version>\n",
                       true);
    for (int t = 0; ok && t < topicCount; ++t) {
        const QString folder = topicGuid(t) + QLatin1Char('/');
        ok = addEntry(zip, folder + QStringLiteral("markup.bcf"), markup(t, commentCount), true)
            && addEntry(zip, folder + QStringLiteral("viewpoint.bcfv"), visualization(t), true)
            && addEntry(zip, folder + QStringLiteral("snapshot.png"), snapshot(t), false);
    }
    zip.close();
    return ok && zip.getZipError() == ZIP_OK;
}
