// libFuzzer target over the BCF archive reader and the model's record conversions.
//
// The first byte chooses how the rest is used:
//  - bit 0 clear: the bytes are an archive as a user's file would be;
//  - bit 0 set: the bytes are a list of entries "name\ncontent" separated by the byte 0x1E, zipped here
//    with correct checksums, so that mutations reach the XML readers instead of stopping at the zip
//    layer;
//  - bit 1 set: the archive is read from a file with deferred images, which are then read back.

#include "BCFLib/BCFArchiveReader.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/Comment.h"
#include "BCFLib/Document.h"
#include "BCFLib/ProjectExtensions.h"
#include "BCFLib/Project.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <cstdint>
#include <unistd.h>

namespace {

QByteArray zipEntries(const QByteArray& spec)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdCreate))
        return QByteArray();
    int count = 0;
    for (const QByteArray& part : spec.split('\x1e')) {
        if (++count > 32)
            break;
        const int newline = part.indexOf('\n');
        const QString name = QString::fromUtf8(newline < 0 ? part : part.left(newline));
        const QByteArray content = newline < 0 ? QByteArray() : part.mid(newline + 1);
        if (name.isEmpty())
            continue;
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name), nullptr, 0, Z_DEFLATED, 1))
            continue;
        file.write(content);
        file.close();
    }
    zip.close();
    return buffer.data();
}

void readArchive(const QByteArray& archive, bool deferred)
{
    QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create();
    QByteArray bytes = archive;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // One file per fuzzing process, rewritten for each input.
    static const QString fileName = QDir::temp().filePath(QStringLiteral("fuzz-bcf-reader-%1.bcf").arg(getpid()));
    if (deferred) {
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(archive) != archive.size())
            return;
    }
    BCFLib::BCFArchiveReader reader(model.data());
    reader.setDeferredImages(deferred);
    BCFLib::ReadLimits limits;
    limits.maxEntries = 2000;
    limits.maxXmlEntryBytes = 4 * 1024 * 1024;
    limits.maxEntryBytes = 8 * 1024 * 1024;
    limits.maxTotalBytes = 32 * 1024 * 1024;
    reader.setLimits(limits);
    if (deferred)
        reader.read(fileName);
    else
        reader.read(&buffer);

    // Whatever was read must convert to records and back.
    QString message, title;
    model->isValid(QStringLiteral("fuzz.bcfzip"), message, title);
    if (model->project())
        model->project()->toQVariant();
    for (const BCFLib::Document& document : model->documents())
        BCFLib::Document::fromQVariant(document.toQVariant());
    BCFLib::ProjectExtensions::fromQVariant(model->extensions().toQVariant());
    for (BCFLib::Topic* topic : model->topics()) {
        topic->toQVariant();
        for (BCFLib::Viewpoint* viewpoint : topic->viewpoints()) {
            QByteArray snapshot;
            topic->readSnapshot(viewpoint->guid(), &snapshot);
            BCFLib::Viewpoint copy(viewpoint->guid());
            copy.fromQVariant(viewpoint->toQVariant());
        }
        for (BCFLib::Comment* comment : topic->comments()) {
            BCFLib::Comment copy(comment->guid());
            copy.fromQVariant(comment->toQVariant());
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || size > 4 * 1024 * 1024)
        return 0;
    const QByteArray rest(reinterpret_cast<const char*>(data) + 1, int(size - 1));
    const bool deferred = (data[0] & 2) != 0;
    if (data[0] % 2 == 0)
        readArchive(rest, deferred);
    else
        readArchive(zipEntries(rest), deferred);
    return 0;
}
