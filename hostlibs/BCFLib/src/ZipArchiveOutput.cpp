#include "ZipArchiveOutput.h"

#include <QCoreApplication>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

namespace BCFLib {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("BCFLib::ZipArchiveOutput", text);
}

const QFile::Permissions sFilePermissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
const QFile::Permissions sFolderPermissions = sFilePermissions | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;

} // namespace

ZipArchiveOutput::ZipArchiveOutput(const QString& fileName)
    : m_file(fileName)
{
    // The save file is committed here, not by QuaZip when it closes the archive.
    m_zip.setAutoClose(false);
}

ZipArchiveOutput::~ZipArchiveOutput()
{
    if (m_zip.isOpen()) {
        m_file.cancelWriting();
        m_zip.close();
    }
    // An uncommitted QSaveFile removes its temporary file when it is destroyed.
}

bool ZipArchiveOutput::fail(const QString& error)
{
    if (!m_failed) {
        m_failed = true;
        m_error = error;
    }
    m_file.cancelWriting();
    return false;
}

bool ZipArchiveOutput::open(bool zip64, bool utf8Names)
{
    m_time = QDateTime::currentDateTime();
    if (!m_file.open(QIODevice::WriteOnly))
        return fail(tr("%1 cannot be written: %2").arg(m_file.fileName(), m_file.errorString()));
    m_zip.setIoDevice(&m_file);
    m_zip.setZip64Enabled(zip64);
    m_zip.setUtf8Enabled(utf8Names);
    m_zip.setDataDescriptorWritingEnabled(false);
    if (!m_zip.open(QuaZip::mdCreate))
        return fail(tr("%1 cannot be written: the archive could not be started (error %2).")
                        .arg(m_file.fileName())
                        .arg(m_zip.getZipError()));
    return true;
}

bool ZipArchiveOutput::writeEntry(const QString& name, const QByteArray& data, bool compress, bool directory)
{
    if (m_failed || !m_zip.isOpen())
        return false;
    QuaZipNewInfo info(name);
    info.dateTime = m_time;
    info.setPermissions(directory ? sFolderPermissions : sFilePermissions);
    QuaZipFile entry(&m_zip);
    const int method = compress ? Z_DEFLATED : 0;
    const int level = compress ? Z_DEFAULT_COMPRESSION : 0;
    if (!entry.open(QIODevice::WriteOnly, info, nullptr, 0, method, level))
        return fail(tr("%1 cannot be written: the entry %2 could not be started: %3")
                        .arg(m_file.fileName(), name, m_file.errorString()));
    if (!data.isEmpty() && entry.write(data) != data.size()) {
        entry.close();
        return fail(tr("%1 cannot be written: %2").arg(m_file.fileName(), m_file.errorString()));
    }
    entry.close();
    if (entry.getZipError() != ZIP_OK || m_file.error() != QFileDevice::NoError)
        return fail(tr("%1 cannot be written: %2").arg(m_file.fileName(), m_file.errorString()));
    return true;
}

bool ZipArchiveOutput::addFile(const QString& name, const QByteArray& data, bool compress)
{
    return writeEntry(name, data, compress, false);
}

bool ZipArchiveOutput::addDirectory(const QString& name)
{
    return writeEntry(name, QByteArray(), false, true);
}

bool ZipArchiveOutput::commit()
{
    if (m_failed || !m_zip.isOpen())
        return false;
    m_zip.close();
    if (m_zip.getZipError() != ZIP_OK || m_file.error() != QFileDevice::NoError)
        return fail(tr("%1 cannot be written: %2").arg(m_file.fileName(), m_file.errorString()));
    if (!m_file.commit()) {
        m_failed = true;
        m_error = tr("%1 cannot be written: %2").arg(m_file.fileName(), m_file.errorString());
        return false;
    }
    return true;
}

} // namespace BCFLib
