#include "WriterTestSupport.h"

#include "BCFTestSupport/ModelRecords.h"
#include "BCFTestSupport/SchemaValidator.h"
#include "BCFTestSupport/TestMain.h"
#include "BCFTestSupport/ZipEntries.h"

namespace WriterTest {

ArchiveContent readArchive(const QString& fileName)
{
    ArchiveContent content;
    for (const BCFTest::ZipEntry& entry : BCFTest::readZipEntries(fileName, &content.ok)) {
        content.names.append(entry.name);
        content.entries.insert(entry.name, entry);
    }
    return content;
}

QString validateArchive(const QString& fileName, const QString& version)
{
    // A fresh clone has no shared schemas and validates nothing; under CI (CI=true) it must.
    if (!QFileInfo(BCFTest::bcfSharedDir()).isDir() && !BCFTest::sharedDataRequired())
        return QString();
    int documents = 0;
    const QStringList errors = BCFTest::bcfSchemaErrors(fileName, version, &documents);
    if (errors.isEmpty() && documents == 0)
        return QStringLiteral("the archive has no XML file to validate");
    return errors.join(QLatin1Char('\n'));
}

QSharedPointer<BCFLib::BCFModel> writeValidated(BCFLib::BCFModel& model, const QString& fileName)
{
    QString problem = model.serialize(fileName) ? validateArchive(fileName, model.version().versionId()) : model.errorString();
    QSharedPointer<BCFLib::BCFModel> read = problem.isEmpty() ? BCFTest::loadAsViewer(fileName) : nullptr;
    QString title;
    if (read && (!read->isValid(fileName, problem, title) || !problem.isEmpty()))
        read.reset();
    if (!read)
        QTest::qFail(qPrintable(fileName + QLatin1String(": ") + problem), __FILE__, __LINE__);
    return read;
}

bool isSafeEntryName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || (name.size() > 1 && name.at(1) == QLatin1Char(':')))
        return false;
    QStringList parts = name.split(QLatin1Char('/'));
    if (name.endsWith(QLatin1Char('/')))
        parts.removeLast();
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    }
    return true;
}

} // namespace WriterTest
