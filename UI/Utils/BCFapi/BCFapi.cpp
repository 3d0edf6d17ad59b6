#include "BCFapi/BCFapi.h"

#include "BCFapi/BCFKeys.h"

#include <memory>

namespace Vexamo {

namespace {

// The action signals carry a QAction*; a queued connection needs the type registered by name.
void registerActionMetaType()
{
    static const int id = qRegisterMetaType<QAction*>("QAction*");
    Q_UNUSED(id)
}

} // namespace

BCFapi::BCFapi(QObject* parent)
    : QObject(parent)
{
    registerActionMetaType();
}

BCFapi::BCFapi(QString version, QObject* parent)
    : QObject(parent)
    , m_version(std::move(version))
{
    registerActionMetaType();
}

// The actions are QObject children of the implementation; QObject deletes them.
BCFapi::~BCFapi() = default;

QString BCFapi::version() const
{
    return m_version;
}

bool BCFapi::hasProjectList() const
{
    return false;
}

void BCFapi::setCurrentProject(const QString& project_id)
{
    Q_UNUSED(project_id)
}

QString BCFapi::getCurrentProject() const
{
    return QString();
}

void BCFapi::copyFromInterface(const BCFapi& source)
{
    // The receiver's own projects decide how often the source's topics are copied.
    const QVariantList projects = getProject();
    if (projects.isEmpty()) {
        copyTopicList(source, QString());
        return;
    }
    for (const QVariant& project : projects)
        copyTopicList(source, project.toMap().value(BCFKeys::ProjectId).toString());
}

void BCFapi::copyTopicList(const BCFapi& source, const QString& project_id)
{
    const QVariantList topics = source.getTopic(project_id);
    for (const QVariant& topicValue : topics) {
        const QVariantMap topic = topicValue.toMap();
        // Read before the topic is created: a receiver that refuses the topic does not stop the
        // transfer of its contents, which is asked for under the source's id.
        const QString topicId = topic.value(BCFKeys::Guid).toString();
        createTopic(topic, project_id);

        if (!topic.contains(BCFKeys::Viewpoints))
            continue;
        const QVariantList viewpoints = topic.value(BCFKeys::Viewpoints).toList();
        for (const QVariant& viewpointValue : viewpoints) {
            const QVariantMap viewpoint = viewpointValue.toMap();
            const QString viewpointId = viewpoint.value(BCFKeys::Guid).toString();

            const std::unique_ptr<QByteArray> snapshot(source.getSnapshotContent(topicId, viewpointId, project_id));
            if (snapshot)
                editSnapshotContent(topicId, viewpointId, snapshot.get(), project_id);

            if (!viewpoint.contains(BCFKeys::Bitmaps))
                continue;
            const QVariantList bitmaps = viewpoint.value(BCFKeys::Bitmaps).toList();
            for (const QVariant& bitmapValue : bitmaps) {
                const QString bitmapId = bitmapValue.toMap().value(BCFKeys::Guid).toString();
                const std::unique_ptr<QByteArray> bitmap(
                    source.getBitmapContent(topicId, viewpointId, bitmapId, project_id));
                if (bitmap)
                    editBitmapContent(topicId, viewpointId, bitmapId, bitmap.get(), project_id);
            }
        }
    }
}

} // namespace Vexamo
