#pragma once

#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListWidget;

// Chooses a topic's labels: the known labels as a list of check boxes, and, where the document
// allows free text, a line for new ones separated by commas.
class LabelPicker : public QWidget
{
    Q_OBJECT

public:
    explicit LabelPicker(QWidget* parent = nullptr);

    // known: the labels on offer; chosen: the checked ones (kept even when not on offer).
    void setLabels(const QStringList& known, const QStringList& chosen, bool allowNew);
    // The checked labels in list order, then the new ones as typed, without duplicates.
    QStringList labels() const;

    QListWidget* list() const { return m_list; }
    QLineEdit* newLabels() const { return m_new; }

private:
    QListWidget* m_list = nullptr;
    QLineEdit* m_new = nullptr;
};
