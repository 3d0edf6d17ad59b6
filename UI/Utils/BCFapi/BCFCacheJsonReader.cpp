#include "BCFCacheJsonReader.h"

#include "BCFCacheBase64.h"
#include "BCFCacheRecordCodec.h"
#include "BCFapi/BCFKeys.h"

#include <QFile>

#include <simdjson.h>

#include <cstring>
#include <string_view>

namespace Vexamo {

namespace {

// Readable bytes that simdjson needs after the text.
constexpr int Padding = int(simdjson::SIMDJSON_PADDING);
// Below QJsonDocument's own limit, so that a document nested deeper goes to it and gets its verdict.
constexpr size_t MaximumDepth = 1000;
// Documents up to this size share one parser per thread, whose buffers then serve the next read;
// larger ones get a parser of their own, so that no thread keeps large buffers after the read (a
// parser reserves about fourteen bytes of address space per byte of text, and touches far fewer).
constexpr qint64 SharedParserLimit = qint64(4) * 1024 * 1024;

simdjson::dom::parser& sharedParser()
{
    thread_local simdjson::dom::parser parser = [] {
        simdjson::dom::parser p;
        // Should even this fail, the parser grows on the first parse, with simdjson's default depth.
        if (p.allocate(64 * 1024, MaximumDepth) != simdjson::SUCCESS)
            return simdjson::dom::parser();
        return p;
    }();
    return parser;
}

bool equals(std::string_view text, QLatin1String key)
{
    return text.size() == size_t(key.size()) && std::memcmp(text.data(), key.data(), text.size()) == 0;
}

// Where a value sits in the record: only "viewpoints"/n/"snapshot"/"snapshot_data" is read
// differently (as snapshot bytes, or as nothing in a snapshot that is not wanted).
enum class Place { Other, Record, Viewpoints, Viewpoint, Snapshot, SnapshotData, SkippedSnapshot, SkippedData };

// Turns a parsed document into variants the way QJsonDocument::toVariant and the codec do. exact
// turns false on a value whose variant might differ from QJsonDocument's: a number token that
// reads as zero or underflows to it (QJsonDocument keeps no negative zero and refuses underflow),
// or a key that an object holds twice.
class VariantBuilder
{
public:
    bool exact = true;
    // When not empty, the one viewpoint id whose snapshot is decoded.
    QByteArray onlySnapshotOf;
    // When above 0, snapshots are described with this many first bytes instead of decoded.
    int describedHead = 0;

    // Whether the snapshot of this viewpoint object is wanted.
    bool wantsSnapshot(simdjson::dom::object viewpoint) const
    {
        if (onlySnapshotOf.isEmpty())
            return true;
        std::string_view guid;
        return viewpoint.at_key(std::string_view(BCFKeys::Guid.data(), size_t(BCFKeys::Guid.size()))).get(guid)
                   == simdjson::SUCCESS
               && equals(guid, QLatin1String(onlySnapshotOf.constData(), onlySnapshotOf.size()));
    }

    QVariantMap object(simdjson::dom::object object, Place place)
    {
        QVariantMap map;
        const bool wanted = place != Place::Viewpoint || wantsSnapshot(object);
        for (const simdjson::dom::key_value_pair field : object) {
            const std::string_view key = field.key;
            Place inner = Place::Other;
            if (place == Place::Record && equals(key, BCFKeys::Viewpoints))
                inner = Place::Viewpoints;
            else if (place == Place::Viewpoint && equals(key, BCFKeys::Snapshot))
                inner = wanted ? Place::Snapshot : Place::SkippedSnapshot;
            else if (place == Place::Snapshot && equals(key, BCFKeys::SnapshotData))
                inner = Place::SnapshotData;
            else if (place == Place::SkippedSnapshot && equals(key, BCFKeys::SnapshotData))
                inner = Place::SkippedData;
            const int before = map.size();
            map.insert(QString::fromUtf8(key.data(), int(key.size())), value(field.value, inner));
            // Which of two equal keys QJsonDocument keeps depends on its sorting of the members.
            if (map.size() == before)
                exact = false;
        }
        return map;
    }

    QVariant value(simdjson::dom::element element, Place place)
    {
        using Type = simdjson::dom::element_type;
        if (place == Place::SkippedData)
            return QByteArray();
        if (place == Place::SnapshotData) {
            if (element.type() == Type::STRING) {
                const std::string_view text = element.get_string().value_unsafe();
                QByteArray bytes;
                qint64 size = 0;
                if (describedHead > 0
                    && BCFCacheBase64::describe(text.data(), int(text.size()), &size, &bytes, describedHead)) {
                    return QVariantMap{{BCFCacheJsonReader::DescribedSize, double(size)},
                                       {BCFCacheJsonReader::DescribedHead, bytes}};
                }
                if (BCFCacheBase64::decode(text.data(), int(text.size()), &bytes))
                    return bytes;
                return QByteArray(text.data(), int(text.size()));
            }
            return BCFCacheRecordCodec::snapshotBytes(value(element, Place::Other));
        }
        switch (element.type()) {
        case Type::OBJECT:
            return object(element.get_object().value_unsafe(),
                          place == Place::Viewpoint || place == Place::Snapshot || place == Place::SkippedSnapshot
                              ? place
                              : Place::Other);
        case Type::ARRAY: {
            const simdjson::dom::array array = element.get_array().value_unsafe();
            QVariantList list;
            list.reserve(int(array.size()));
            const Place inner = place == Place::Viewpoints ? Place::Viewpoint : Place::Other;
            for (const simdjson::dom::element entry : array)
                list.append(value(entry, inner));
            return list;
        }
        case Type::STRING: {
            const std::string_view text = element.get_string().value_unsafe();
            return QString::fromUtf8(text.data(), int(text.size()));
        }
        case Type::INT64:
            return double(element.get_int64().value_unsafe());
        case Type::UINT64:
            return double(element.get_uint64().value_unsafe());
        case Type::DOUBLE: {
            const double number = element.get_double().value_unsafe();
            if (number == 0)
                exact = false;
            return number;
        }
        case Type::BOOL:
            return element.get_bool().value_unsafe();
        case Type::NULL_VALUE:
            return QVariant::fromValue(nullptr);
        }
        return QVariant();
    }
};

} // namespace

const QLatin1String BCFCacheJsonReader::DescribedSize("size");
const QLatin1String BCFCacheJsonReader::DescribedHead("head");

BCFCacheJsonReader::BCFCacheJsonReader(qint64 maximumSize, Parser parser)
    // One QByteArray holds the text with simdjson's padding: well below its limit.
    : m_maximumSize(qBound(qint64(0), maximumSize, qint64(1) << 30))
    , m_parser(parser)
{
}

bool BCFCacheJsonReader::fail(const QString& reason, QVariantMap* record)
{
    m_errorString = reason;
    record->clear();
    return false;
}

bool BCFCacheJsonReader::read(const QByteArray& json, QVariantMap* record)
{
    if (!acceptsSize(json.size())) {
        return fail(QStringLiteral("%1 bytes, more than the %2 bytes a topic file may have")
                        .arg(json.size())
                        .arg(m_maximumSize),
                    record);
    }
    if (json.capacity() - json.size() >= Padding)
        return readPadded(json.constData(), json.size(), record);
    QByteArray padded;
    padded.reserve(json.size() + Padding);
    padded.append(json);
    return readPadded(padded.constData(), padded.size(), record);
}

bool BCFCacheJsonReader::read(QFile& file, QVariantMap* record)
{
    const qint64 size = file.size() - file.pos();
    if (!acceptsSize(size)) {
        return fail(QStringLiteral("%1 has %2 bytes, more than the %3 bytes a topic file may have")
                        .arg(file.fileName())
                        .arg(size)
                        .arg(m_maximumSize),
                    record);
    }
    QByteArray buffer(int(size) + Padding, Qt::Uninitialized);
    const qint64 got = file.read(buffer.data(), size);
    if (got < 0)
        return fail(QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString()), record);
    std::memset(buffer.data() + got, 0, size_t(Padding));
    return readPadded(buffer.constData(), got, record);
}

// data is followed by at least Padding readable bytes.
bool BCFCacheJsonReader::readPadded(const char* data, qint64 size, QVariantMap* record)
{
    m_errorString.clear();
    if (m_parser == Parser::Fast) {
        simdjson::dom::parser ownParser;
        simdjson::dom::parser* parser = &sharedParser();
        if (size > SharedParserLimit) {
            parser = ownParser.allocate(size_t(size), MaximumDepth) == simdjson::SUCCESS ? &ownParser : nullptr;
        }
        simdjson::dom::element root;
        // Another top level goes to QJsonDocument too: it refuses some of them as invalid JSON.
        if (parser && parser->parse(data, size_t(size), false).get(root) == simdjson::SUCCESS
            && root.type() == simdjson::dom::element_type::OBJECT) {
            VariantBuilder builder;
            builder.onlySnapshotOf = m_snapshotReading.onlyOf.toUtf8();
            builder.describedHead = m_snapshotReading.describedHead;
            QVariantMap parsed = builder.object(root.get_object().value_unsafe(), Place::Record);
            if (builder.exact) {
                *record = std::move(parsed);
                return true;
            }
        }
    }
    QString error;
    *record = BCFCacheRecordCodec::fromJson(QByteArray::fromRawData(data, int(size)), &error);
    if (!error.isEmpty())
        return fail(error, record);
    return true;
}

} // namespace Vexamo
