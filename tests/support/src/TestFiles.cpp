#include "BCFTestSupport/TestFiles.h"

#include <QFile>

#include <csignal>

namespace BCFTest {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

FileSizeLimit::FileSizeLimit(rlim_t maxBytes)
{
    if (getrlimit(RLIMIT_FSIZE, &m_previous) != 0)
        return;
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = m_previous;
    limited.rlim_cur = maxBytes;
    m_active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    if (m_active)
        setrlimit(RLIMIT_FSIZE, &m_previous);
    if (m_previousHandler)
        std::signal(SIGXFSZ, m_previousHandler);
}

} // namespace BCFTest
