#pragma once

#include <QObject>
#include <QString>

class DocumentEditor;
class QAction;
class QWidget;
class TopicListModel;

namespace Vexamo {
class BCFapi;
}

// The user's commands on topics and comments: the actions New Topic (Ctrl+T), Edit Topic (F2) and
// Delete Topic (Delete, where the host adds the action to its list), which open the topic form or
// ask before deleting, and the comment commands of the details. The changes themselves go through
// a DocumentEditor, whose signals tell the host which topic to refresh.
class TopicCommands : public QObject
{
    Q_OBJECT

public:
    // topics: the listed topics, whose values the form offers; window: the parent of dialogs.
    TopicCommands(Vexamo::BCFapi* api, const TopicListModel* topics, QWidget* window);

    DocumentEditor* editor() const { return m_editor; }
    QAction* newTopicAction() const { return m_new; }
    QAction* editTopicAction() const { return m_edit; }
    QAction* deleteTopicAction() const { return m_delete; }

    // The topic that Edit and Delete act on; empty disables them.
    void setCurrentTopic(const QString& topicId);

    void newTopic();
    void editTopic();
    void deleteTopic();
    // commentId is empty for a new comment.
    void submitComment(const QString& topicId, const QString& commentId, const QString& text);
    void removeComment(const QString& topicId, const QString& commentId);

signals:
    void topicCreated(const QString& topicId);
    // A short note of what was done, for the status bar.
    void done(const QString& message);

private:
    bool confirm(const QString& title, const QString& question) const;

    Vexamo::BCFapi* m_api = nullptr;
    const TopicListModel* m_topics = nullptr;
    QWidget* m_window = nullptr;
    DocumentEditor* m_editor = nullptr;
    QAction* m_new = nullptr;
    QAction* m_edit = nullptr;
    QAction* m_delete = nullptr;
    QString m_currentTopic;
};
