#include "LabelPicker.h"

#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

LabelPicker::LabelPicker(QWidget* parent)
    : QWidget(parent)
    , m_list(new QListWidget(this))
    , m_new(new QLineEdit(this))
{
    m_list->setFlow(QListView::LeftToRight);
    m_list->setWrapping(true);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMaximumHeight(64);
    m_new->setPlaceholderText(tr("New labels, separated by commas"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    layout->addWidget(m_new);
}

void LabelPicker::setLabels(const QStringList& known, const QStringList& chosen, bool allowNew)
{
    m_list->clear();
    QStringList offered = known;
    for (const QString& label : chosen) {
        if (!offered.contains(label))
            offered << label;
    }
    for (const QString& label : offered) {
        auto* item = new QListWidgetItem(label, m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(chosen.contains(label) ? Qt::Checked : Qt::Unchecked);
    }
    m_list->setVisible(!offered.isEmpty());
    m_new->clear();
    m_new->setVisible(allowNew);
}

QStringList LabelPicker::labels() const
{
    QStringList result;
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->checkState() == Qt::Checked)
            result << m_list->item(i)->text();
    }
    if (m_new->isVisibleTo(this)) {
        for (const QString& part : m_new->text().split(QLatin1Char(','))) {
            const QString label = part.trimmed();
            if (!label.isEmpty() && !result.contains(label))
                result << label;
        }
    }
    return result;
}
