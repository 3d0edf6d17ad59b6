#include "BCFLib/ByteSource.h"

namespace BCFLib {

namespace {

class MemorySource : public ByteSource
{
public:
    explicit MemorySource(const QByteArray& bytes)
        : m_bytes(bytes)
    {
    }
    qint64 size() const override { return m_bytes.size(); }
    QByteArray head() const override { return m_bytes.left(HeadSize); }
    bool read(QByteArray* bytes, QString*) const override
    {
        *bytes = m_bytes;
        return true;
    }

private:
    const QByteArray m_bytes;
};

} // namespace

ByteSource::~ByteSource() = default;

std::shared_ptr<const ByteSource> ByteSource::fromBytes(const QByteArray& bytes)
{
    return std::make_shared<MemorySource>(bytes);
}

} // namespace BCFLib
