#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

namespace Vexamo {
class BCFapi;
}

// The edits the viewer makes to the open document, through the BCFapi record operations only:
// topics are created, edited and removed, comments added, edited and removed. Every edit stamps
// the current user and time where the record has a place for them, and announces which topic
// changed, so that the window refreshes only that row.
class DocumentEditor : public QObject
{
    Q_OBJECT

public:
    explicit DocumentEditor(Vexamo::BCFapi* api, QObject* parent = nullptr);

    // Creates a topic from the record and, when snapshotFile is given, one viewpoint with that
    // image as its snapshot (stored as PNG). Returns the new topic's id; empty with *error set when
    // the image cannot be read (nothing is created then).
    QString createTopic(QVariantMap topic, const QString& snapshotFile, QString* error);
    // Writes the edited record (as read with getSingleTopic and changed) back.
    void editTopic(const QString& topicId, QVariantMap topic);
    void removeTopic(const QString& topicId);

    QString addComment(const QString& topicId, const QString& text);
    void editComment(const QString& topicId, const QString& commentId, const QString& text);
    void removeComment(const QString& topicId, const QString& commentId);

signals:
    // topicId was created or changed (its record, comments or snapshots).
    void topicChanged(const QString& topicId);
    void topicRemoved(const QString& topicId);

private:
    QString now() const;

    Vexamo::BCFapi* m_api = nullptr;
};
