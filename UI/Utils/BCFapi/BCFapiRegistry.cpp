#include "BCFapi/BCFapiRegistry.h"

#include "BCFapi/BCFapi.h"

namespace Vexamo {

namespace {

BCFapiRegistry* sInstance = nullptr;

} // namespace

BCFapiRegistry* BCFapiRegistry::Get()
{
    if (!sInstance)
        sInstance = new BCFapiRegistry;
    return sInstance;
}

BCFapiRegistry::BCFapiRegistry(QObject* parent)
    : QObject(parent)
{
    // Lets the signals travel through queued connections and QSignalSpy.
    qRegisterMetaType<BCFapi*>("BCFapi*");
    qRegisterMetaType<BCFapi*>("Vexamo::BCFapi*");
}

BCFapiRegistry::~BCFapiRegistry()
{
    m_apis.clear();
}

void BCFapiRegistry::registerBCFapi(BCFapi* api)
{
    m_apis.append(api);
    emit BCFapi_registered(api);
}

void BCFapiRegistry::unregisterBCFapi(BCFapi* api)
{
    emit BCFapi_unregistered(api);
    m_apis.removeAll(api);
}

QList<BCFapi*> BCFapiRegistry::all() const
{
    return m_apis;
}

} // namespace Vexamo
