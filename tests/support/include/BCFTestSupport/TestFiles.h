#pragma once

#include <QByteArray>
#include <QString>

#include <sys/resource.h>

namespace BCFTest {

// The raw bytes of a file; empty when it cannot be read.
QByteArray fileBytes(const QString& path);
// Replaces the content of a file; false when it cannot be written completely.
bool writeFileBytes(const QString& path, const QByteArray& bytes);

// While it lives, every write that would make a file larger than maxBytes fails the way a full disk
// does (RLIMIT_FSIZE, with SIGXFSZ ignored). The previous limit and handler come back on destruction.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t maxBytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool isActive() const { return m_active; }

private:
    struct rlimit m_previous;
    void (*m_previousHandler)(int) = nullptr;
    bool m_active = false;
};

} // namespace BCFTest
