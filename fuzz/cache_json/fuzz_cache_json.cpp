// Fuzzes the topic-file reader of the working cache: every input must be read or refused with a
// reason, and the fast parser must give exactly what QJsonDocument gives.
#include "BCFCacheJsonReader.h"

#include <QVariant>

#include <cstdlib>
#include <cstring>

namespace {

bool same(const QVariant& a, const QVariant& b)
{
    if (a.userType() != b.userType())
        return false;
    if (a.userType() == QMetaType::Double) {
        const double x = a.toDouble(), y = b.toDouble();
        return std::memcmp(&x, &y, sizeof x) == 0;
    }
    if (a.userType() == QMetaType::QVariantMap) {
        const QVariantMap x = a.toMap(), y = b.toMap();
        if (x.keys() != y.keys())
            return false;
        for (auto it = x.cbegin(); it != x.cend(); ++it) {
            if (!same(it.value(), y.value(it.key())))
                return false;
        }
        return true;
    }
    if (a.userType() == QMetaType::QVariantList) {
        const QVariantList x = a.toList(), y = b.toList();
        if (x.size() != y.size())
            return false;
        for (int i = 0; i < x.size(); ++i) {
            if (!same(x.at(i), y.at(i)))
                return false;
        }
        return true;
    }
    return a == b;
}

} // namespace

// QJsonDocument of Qt 5.15 leaks inside its own parser on some malformed text, with no frame of
// ours on the stack. Leak checking is therefore off for this target; the reader itself holds no
// allocation that is not owned by a Qt container or a simdjson parser.
extern "C" int __lsan_is_turned_off()
{
    return 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using Vexamo::BCFCacheJsonReader;
    const QByteArray json(reinterpret_cast<const char*>(data), int(size));
    BCFCacheJsonReader fast;
    BCFCacheJsonReader reference(BCFCacheJsonReader::DefaultMaximumSize, BCFCacheJsonReader::Parser::QtDocument);
    QVariantMap fastRecord, referenceRecord;
    const bool fastRead = fast.read(json, &fastRecord);
    const bool referenceRead = reference.read(json, &referenceRecord);
    if (fastRead != referenceRead || !same(fastRecord, referenceRecord) || fast.errorString() != reference.errorString()
        || fast.errorString().isEmpty() == !fastRead)
        std::abort();
    return 0;
}
