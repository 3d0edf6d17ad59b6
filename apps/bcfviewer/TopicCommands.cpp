#include "TopicCommands.h"

#include "DocumentEditor.h"
#include "TopicChoices.h"
#include "TopicEditDialog.h"
#include "TopicListModel.h"

#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapi.h"
#include "QtTools/MessageBoxes.h"

#include <QAction>
#include <QMessageBox>

using namespace Vexamo;

TopicCommands::TopicCommands(BCFapi* api, const TopicListModel* topics, QWidget* window)
    : QObject(window)
    , m_api(api)
    , m_topics(topics)
    , m_window(window)
    , m_editor(new DocumentEditor(api, this))
{
    m_new = new QAction(tr("&New Topic..."), this);
    m_new->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(m_new, &QAction::triggered, this, &TopicCommands::newTopic);
    m_edit = new QAction(tr("&Edit Topic..."), this);
    m_edit->setShortcut(QKeySequence(Qt::Key_F2));
    connect(m_edit, &QAction::triggered, this, &TopicCommands::editTopic);
    m_delete = new QAction(tr("&Delete Topic"), this);
    // Delete acts where the host adds the action (its list) only: in text fields it deletes text.
    m_delete->setShortcut(QKeySequence::Delete);
    m_delete->setShortcutContext(Qt::WidgetShortcut);
    connect(m_delete, &QAction::triggered, this, &TopicCommands::deleteTopic);
    setCurrentTopic(QString());
}

void TopicCommands::setCurrentTopic(const QString& topicId)
{
    m_currentTopic = topicId;
    m_edit->setEnabled(!topicId.isEmpty());
    m_delete->setEnabled(!topicId.isEmpty());
}

bool TopicCommands::confirm(const QString& title, const QString& question) const
{
    return QtTools::question(m_window, title, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

void TopicCommands::newTopic()
{
    auto* dialog = new TopicEditDialog(TopicEditDialog::NewTopic,
                                       TopicChoices(m_api->getProjectExtension(QString()), m_topics->rows()), m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        QString error;
        const QString topicId = m_editor->createTopic(dialog->editedTopic(), dialog->snapshotFile(), &error);
        if (topicId.isEmpty()) {
            QtTools::warning(m_window, tr("New Topic"), error);
            return;
        }
        emit topicCreated(topicId);
        emit done(tr("Topic created"));
    });
    dialog->open();
}

void TopicCommands::editTopic()
{
    const QString topicId = m_currentTopic;
    if (topicId.isEmpty())
        return;
    auto* dialog = new TopicEditDialog(TopicEditDialog::EditTopic,
                                       TopicChoices(m_api->getProjectExtension(QString()), m_topics->rows()), m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setTopic(m_api->getSingleTopic(topicId, QString()));
    connect(dialog, &QDialog::accepted, this, [this, dialog, topicId] {
        // The form's fields go into the record as it is now, so that comments and snapshots
        // changed while the form was open are kept.
        QVariantMap current = m_api->getSingleTopic(topicId, QString());
        if (current.isEmpty()) {
            // Removed meanwhile (here or by another program): say so rather than drop the edits
            // without a word.
            QtTools::warning(m_window, tr("Edit Topic"),
                             tr("The topic was removed while it was being edited; the changes were not saved."));
            return;
        }
        const QVariantMap edited = dialog->editedTopic();
        for (auto it = edited.cbegin(); it != edited.cend(); ++it) {
            if (it.key() != BCFKeys::Comments && it.key() != BCFKeys::Viewpoints)
                current.insert(it.key(), it.value());
        }
        m_editor->editTopic(topicId, current);
        emit done(tr("Topic saved"));
    });
    dialog->open();
}

void TopicCommands::deleteTopic()
{
    const QString topicId = m_currentTopic;
    if (topicId.isEmpty())
        return;
    const QString title = m_api->getSingleTopic(topicId, QString()).value(BCFKeys::Title).toString();
    if (!confirm(tr("Delete Topic"), tr("Delete the topic \"%1\" with its comments and snapshots?").arg(title)))
        return;
    m_editor->removeTopic(topicId);
    emit done(tr("Topic deleted"));
}

void TopicCommands::submitComment(const QString& topicId, const QString& commentId, const QString& text)
{
    if (commentId.isEmpty()) {
        m_editor->addComment(topicId, text);
        emit done(tr("Comment added"));
    } else {
        m_editor->editComment(topicId, commentId, text);
        emit done(tr("Comment saved"));
    }
}

void TopicCommands::removeComment(const QString& topicId, const QString& commentId)
{
    if (!confirm(tr("Delete Comment"), tr("Delete the selected comment?")))
        return;
    m_editor->removeComment(topicId, commentId);
    emit done(tr("Comment deleted"));
}
