#include "TestHelpers.h"

#include "BCFLib/BCFArchiveReader.h"

#include <QBuffer>

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

} // namespace BCFLibTest
