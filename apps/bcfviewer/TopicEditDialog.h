#pragma once

#include "TopicChoices.h"

#include <QDialog>
#include <QVariantMap>

class LabelPicker;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QDialogButtonBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Edits the fields of a topic (title, type, status, priority, assigned to, labels, due date, stage,
// description), or those of a new one with an optional snapshot image. The lists offer the
// document's choices; where free text is allowed the boxes are editable. The dialog only edits a
// copy of the record: editedTopic() gives it back with the changed fields, and a key the topic did
// not have is added only when it gets a value.
class TopicEditDialog : public QDialog
{
    Q_OBJECT

public:
    enum Mode { EditTopic, NewTopic };

    TopicEditDialog(Mode mode, const TopicChoices& choices, QWidget* parent = nullptr);

    void setTopic(const QVariantMap& topic);
    QVariantMap editedTopic() const;
    // The image file chosen for the new topic's snapshot; empty when none.
    QString snapshotFile() const;

    QLineEdit* titleEdit() const { return m_title; }
    QComboBox* fieldBox(TopicChoices::Field field) const { return m_boxes[field]; }
    LabelPicker* labelPicker() const { return m_labels; }
    QCheckBox* dueCheck() const { return m_hasDue; }
    QDateEdit* dueEdit() const { return m_due; }
    QPlainTextEdit* descriptionEdit() const { return m_description; }
    QDialogButtonBox* buttons() const { return m_buttons; }
    QPushButton* snapshotButton() const { return m_chooseSnapshot; }

private:
    void chooseSnapshot();
    void updateAcceptable();

    TopicChoices m_choices;
    QVariantMap m_original;
    QLineEdit* m_title = nullptr;
    QComboBox* m_boxes[TopicChoices::FieldCount] = {};
    LabelPicker* m_labels = nullptr;
    QCheckBox* m_hasDue = nullptr;
    QDateEdit* m_due = nullptr;
    QPlainTextEdit* m_description = nullptr;
    QLineEdit* m_snapshot = nullptr;
    QPushButton* m_chooseSnapshot = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
