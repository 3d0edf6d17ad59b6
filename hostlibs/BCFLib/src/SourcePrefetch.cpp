#include "SourcePrefetch.h"

#include "BCFLib/ByteSource.h"

#include <QThreadPool>
#include <atomic>
#include <future>

namespace BCFLib {

// One read: whoever claims it first (a pool thread or take()) runs it.
struct SourcePrefetch::Read
{
    std::shared_ptr<const ByteSource> source;
    std::atomic<bool> claimed{false};
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    QByteArray bytes;
    QString error;
    bool ok = false;

    bool claim() { return !claimed.exchange(true); }
    void run()
    {
        ok = source->read(&bytes, &error);
        done.set_value();
    }
};

SourcePrefetch::SourcePrefetch(std::vector<std::shared_ptr<const ByteSource>> sources, int ahead)
    : m_sources(std::move(sources))
    , m_reads(m_sources.size())
    , m_ahead(size_t(qMax(ahead, 0)))
{
}

SourcePrefetch::~SourcePrefetch()
{
    for (const std::shared_ptr<Read>& read : m_reads) {
        if (read && !read->claim())
            read->finished.wait();
    }
}

void SourcePrefetch::startUpTo(size_t end)
{
    for (; m_started < end && m_started < m_sources.size(); ++m_started) {
        if (!m_sources[m_started])
            continue;
        auto read = std::make_shared<Read>();
        read->source = m_sources[m_started];
        m_reads[m_started] = read;
        QThreadPool::globalInstance()->start([read] {
            if (read->claim())
                read->run();
        });
    }
}

bool SourcePrefetch::take(size_t index, QByteArray* bytes, QString* error)
{
    if (index >= m_sources.size() || !m_sources[index]) {
        if (error)
            *error = QStringLiteral("nothing to read");
        return false;
    }
    // Keep `ahead` sources in flight beyond this one: start every source up to the one that many
    // sources further on.
    size_t end = index + 1;
    for (size_t counted = 0; end < m_sources.size() && counted < m_ahead; ++end) {
        if (m_sources[end])
            ++counted;
    }
    // Sources skipped over are never read; one taken before its read was started is read here.
    if (m_started <= index)
        m_started = index + 1;
    startUpTo(end);

    std::shared_ptr<Read> read = std::move(m_reads[index]);
    if (!read) {
        read = std::make_shared<Read>();
        read->source = m_sources[index];
    }
    m_sources[index].reset();
    if (read->claim())
        read->run();
    else
        read->finished.wait();
    *bytes = std::move(read->bytes);
    if (error)
        *error = read->error;
    return read->ok;
}

} // namespace BCFLib
