#include "TestHelpers.h"

#include "ArchiveBuilder.h"
#include "BCFArchiveGenerator.h"
#include "BCFLib/BCFArchiveReader.h"
#include "BCFTestSupport/ModelRecords.h"
#include "BCFTestSupport/TestFiles.h"

#include <QBuffer>
#include <QDirIterator>
#include <QImage>
#include <QTemporaryDir>

namespace BCFLibTest {

QSharedPointer<BCFLib::BCFModel> load(const QByteArray& archive, const BCFLib::ReadLimits& limits)
{
    QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create();
    QByteArray bytes = archive;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    BCFLib::BCFArchiveReader reader(model.data());
    reader.setLimits(limits);
    reader.read(&buffer);
    return model;
}

QSharedPointer<BCFLib::BCFModel> loadFile(const QString& fileName)
{
    QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create();
    BCFLib::BCFArchiveReader reader(model.data());
    reader.read(fileName);
    return model;
}

QByteArray markup(const QString& topicGuid, const QString& title, const QString& extra)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Markup><Topic Guid=\"%1\"><Title>%2</Title>"
                          "<CreationDate>2020-01-02T03:04:05Z</CreationDate><CreationAuthor>a@b.c</CreationAuthor>"
                          "</Topic>%3</Markup>")
        .arg(topicGuid, title, extra)
        .toUtf8();
}

QByteArray versionFile(const QString& versionId)
{
    return QStringLiteral("<?xml version=\"1.0\"?><Version VersionId=\"%1\"><DetailedVersion>%1</DetailedVersion></Version>")
        .arg(versionId)
        .toUtf8();
}

QByteArray pngImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

Entries localEntries(const QString& name)
{
    Entries entries;
    if (name.startsWith(QLatin1String("fixture ")) || name.startsWith(QLatin1String("field "))) {
        const QDir root(QStringLiteral(BCF_TEST_DATA_DIR) + (name == QLatin1String("fixture 3.0") ? "/validation/3.0" : "/field20"));
        QDirIterator files(root.path(), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            if (!path.endsWith(QLatin1String("README.md")))
                entries.insert(root.relativeFilePath(path), BCFTest::fileBytes(path));
        }
        return entries;
    }
    BCFArchiveGenerator generator;
    generator.topics = 2;
    generator.viewpointsPerTopic = 2;
    generator.commentsPerTopic = 1;
    generator.snapshotBytes = 64;
    generator.version3 = name.endsWith(QLatin1String("3.0"));
    entries.insert(QStringLiteral("bcf.version"), generator.versionFile());
    entries.insert(QStringLiteral("project.bcfp"), generator.projectFile());
    if (generator.version3)
        entries.insert(QStringLiteral("extensions.xml"), generator.extensionsFile());
    for (int t = 0; t < generator.topics; ++t) {
        const QString folder = BCFArchiveGenerator::topicGuid(t) + QLatin1Char('/');
        entries.insert(folder + QStringLiteral("markup.bcf"), generator.markup(t));
        for (int v = 0; v < generator.viewpointsPerTopic; ++v) {
            entries.insert(folder + BCFArchiveGenerator::viewpointFileName(t, v), generator.visualizationInfo(t, v));
            entries.insert(folder + BCFArchiveGenerator::snapshotFileName(t, v), generator.snapshot(t, v));
        }
    }
    return entries;
}

bool writeEntries(const QString& fileName, const Entries& entries)
{
    ArchiveBuilder builder;
    for (auto it = entries.cbegin(); it != entries.cend(); ++it)
        builder.add(it.key(), it.value());
    return builder.write(fileName);
}

QString localArchive(const QString& name)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QString(name).replace(QLatin1Char(' '), QLatin1Char('-')) + QStringLiteral(".bcf"));
    return QFile::exists(path) || writeEntries(path, localEntries(name)) ? path : QString();
}

bool sharedDataAt()
{
    if (QFileInfo(BCFTest::bcfSharedDir()).isDir())
        return true;
    const QString message = QStringLiteral("shared BCF data not found at %1 (set BCF_SHARED_DIR)").arg(BCFTest::bcfSharedDir());
    if (BCFTest::sharedDataRequired())
        QTest::qFail(qPrintable(message + QStringLiteral(", required under CI=true")), __FILE__, __LINE__);
    else
        QTest::qSkip(qPrintable(message), __FILE__, __LINE__);
    return false;
}

void addCaseRows(const QStringList& versions, bool local)
{
    QTest::addColumn<QString>("fileName");
    const bool shared = QFileInfo(BCFTest::bcfSharedDir()).isDir();
    const QDir root(BCFTest::bcfSharedFile(QStringLiteral("testcases")));
    for (const QString& version : versions) {
        const QStringList made = version == QLatin1String("3.0") ? QStringList{"generated 3.0", "fixture 3.0"}
                                                                 : QStringList{"generated " + version};
        for (const QString& name : local ? made : QStringList())
            QTest::newRow(qPrintable(name)) << localArchive(name);
        for (const QString& fileName : BCFTest::officialCases(version))
            QTest::newRow(qPrintable(root.relativeFilePath(fileName))) << fileName;
        // Under CI a row that fails on the missing file; elsewhere a note, or a skip when nothing is left.
        if (!shared && BCFTest::sharedDataRequired())
            QTest::newRow(qPrintable(version + " cases (CI=true)")) << root.filePath(version);
        else if (!shared && local)
            qInfo("official BCF %s cases left out: no shared data at %s", qPrintable(version), qPrintable(BCFTest::bcfSharedDir()));
    }
    if (!shared && !local && !BCFTest::sharedDataRequired())
        sharedDataAt();
}

} // namespace BCFLibTest
