#pragma once

#include "BCFapi/BCFapiGlobal.h"

#include <QList>
#include <QObject>

namespace Vexamo {

class BCFapi;

// The process-wide list of live BCFapi objects. Users register what they create and unregister it
// before deleting it; the registry never owns, watches or deletes an object. Use it from the
// user-interface thread only.
class BCFAPI_EXPORT BCFapiRegistry : public QObject
{
    Q_OBJECT

public:
    // The one instance, created on the first call and kept for the rest of the process.
    static BCFapiRegistry* Get();

    ~BCFapiRegistry() override;

    // Appends api (also when it is already listed), then emits BCFapi_registered(api).
    void registerBCFapi(BCFapi* api);
    // Emits BCFapi_unregistered(api) first, then removes every occurrence of api.
    void unregisterBCFapi(BCFapi* api);
    // The registered objects in registration order, duplicates included.
    QList<BCFapi*> all() const;

signals:
    void BCFapi_registered(BCFapi* api);
    void BCFapi_unregistered(BCFapi* api);

private:
    explicit BCFapiRegistry(QObject* parent = nullptr);

    QList<BCFapi*> m_apis;
};

} // namespace Vexamo
