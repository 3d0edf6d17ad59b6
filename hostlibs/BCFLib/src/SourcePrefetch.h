#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

namespace BCFLib {

class ByteSource;

// Reads the contents of a list of sources in order, a fixed number ahead of the one taken, on the
// global thread pool. take() gives each content once, in the list's order; a read that no pool
// thread has started yet runs on the caller's thread, so a busy pool never blocks the caller. At
// most `ahead` contents are held besides the one taken. The destructor waits for reads in
// progress, so the sources need to live only as long as this object.
class SourcePrefetch
{
public:
    // Null entries of sources have nothing to read and are never taken.
    SourcePrefetch(std::vector<std::shared_ptr<const ByteSource>> sources, int ahead);
    ~SourcePrefetch();
    SourcePrefetch(const SourcePrefetch&) = delete;
    SourcePrefetch& operator=(const SourcePrefetch&) = delete;

    // The content of sources[index]; false with *error when it could not be read. Indexes are
    // taken in increasing order.
    bool take(size_t index, QByteArray* bytes, QString* error);

private:
    struct Read;
    void startUpTo(size_t end);

    std::vector<std::shared_ptr<const ByteSource>> m_sources;
    std::vector<std::shared_ptr<Read>> m_reads; // by index; null until started and once taken
    size_t m_started = 0;                       // sources[0, m_started) have been started
    size_t m_ahead;
};

} // namespace BCFLib
