#include "DocumentEditor.h"

#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapi.h"

#include <QBuffer>
#include <QDateTime>
#include <QImageReader>

using namespace Vexamo;

DocumentEditor::DocumentEditor(BCFapi* api, QObject* parent)
    : QObject(parent)
    , m_api(api)
{
}

QString DocumentEditor::now() const
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
}

QString DocumentEditor::createTopic(QVariantMap topic, const QString& snapshotFile, QString* error)
{
    QByteArray png;
    if (!snapshotFile.isEmpty()) {
        QImageReader reader(snapshotFile);
        const QImage image = reader.read();
        if (image.isNull()) {
            if (error)
                *error = tr("The image %1 cannot be read: %2").arg(snapshotFile, reader.errorString());
            return QString();
        }
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }

    topic.remove(BCFKeys::Guid);
    topic.insert(BCFKeys::CreationDate, now());
    topic.insert(BCFKeys::CreationAuthor, m_api->username());
    const QString topicId = m_api->createTopic(topic, QString());
    if (!png.isEmpty()) {
        const QString viewpointId = m_api->createViewpoint(topicId, QVariantMap(), QString());
        m_api->editSnapshotContent(topicId, viewpointId, &png, QString());
    }
    emit topicChanged(topicId);
    return topicId;
}

void DocumentEditor::editTopic(const QString& topicId, QVariantMap topic)
{
    topic.insert(BCFKeys::ModifiedDate, now());
    topic.insert(BCFKeys::ModifiedAuthor, m_api->username());
    m_api->editSingleTopic(topicId, topic, QString());
    emit topicChanged(topicId);
}

void DocumentEditor::removeTopic(const QString& topicId)
{
    m_api->removeSingleTopic(topicId, QString());
    emit topicRemoved(topicId);
}

QString DocumentEditor::addComment(const QString& topicId, const QString& text)
{
    QVariantMap comment;
    comment.insert(BCFKeys::Comment, text);
    comment.insert(BCFKeys::Author, m_api->username());
    comment.insert(BCFKeys::Date, now());
    const QString commentId = m_api->createComment(topicId, comment, QString());
    emit topicChanged(topicId);
    return commentId;
}

void DocumentEditor::editComment(const QString& topicId, const QString& commentId, const QString& text)
{
    QVariantMap comment = m_api->getSingleComment(topicId, commentId, QString());
    if (comment.isEmpty())
        return;
    comment.insert(BCFKeys::Comment, text);
    comment.insert(BCFKeys::ModifiedDate, now());
    comment.insert(BCFKeys::ModifiedAuthor, m_api->username());
    m_api->editSingleComment(topicId, commentId, comment, QString());
    emit topicChanged(topicId);
}

void DocumentEditor::removeComment(const QString& topicId, const QString& commentId)
{
    m_api->removeSingleComment(topicId, commentId, QString());
    emit topicChanged(topicId);
}
