#pragma once

#include "TopicChoices.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class TopicFilterProxy;

// The filters above the topic list: a text search and one choice per field (status, type, priority,
// assignee, label), applied to a TopicFilterProxy as they change, and how many topics match.
class TopicFilterBar : public QWidget
{
    Q_OBJECT

public:
    explicit TopicFilterBar(TopicFilterProxy* proxy, QWidget* parent = nullptr);

    // Refills the choices; a chosen value stays chosen while the document still has it.
    void setChoices(const TopicChoices& choices);
    // Moves the keyboard focus into the search field and selects its text.
    void focusSearch();
    void updateCount();

    QLineEdit* searchField() const { return m_search; }
    QComboBox* filterBox(TopicChoices::Field field) const;
    QLabel* countLabel() const { return m_count; }

private:
    TopicFilterProxy* m_proxy = nullptr;
    QLineEdit* m_search = nullptr;
    QComboBox* m_boxes[TopicChoices::FieldCount] = {};
    QLabel* m_count = nullptr;
};
