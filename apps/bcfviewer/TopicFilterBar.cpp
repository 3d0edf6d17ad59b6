#include "TopicFilterBar.h"

#include "TopicFilterProxy.h"
#include "TopicListModel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

// The fields that can be filtered, in the order of the boxes, with the text of "any value".
struct FilterField {
    TopicChoices::Field field;
    const char* anyText;
};
const FilterField Filters[] = {
    {TopicChoices::Status, QT_TRANSLATE_NOOP("TopicFilterBar", "Any status")},
    {TopicChoices::Type, QT_TRANSLATE_NOOP("TopicFilterBar", "Any type")},
    {TopicChoices::Priority, QT_TRANSLATE_NOOP("TopicFilterBar", "Any priority")},
    {TopicChoices::AssignedTo, QT_TRANSLATE_NOOP("TopicFilterBar", "Anyone")},
    {TopicChoices::Label, QT_TRANSLATE_NOOP("TopicFilterBar", "Any label")},
};

} // namespace

TopicFilterBar::TopicFilterBar(TopicFilterProxy* proxy, QWidget* parent)
    : QWidget(parent)
    , m_proxy(proxy)
{
    m_search = new QLineEdit(this);
    m_search->setPlaceholderText(tr("Search title, description and comments (Ctrl+F)"));
    m_search->setClearButtonEnabled(true);
    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_proxy->setSearchText(text);
        updateCount();
    });
    m_count = new QLabel(this);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(m_count);

    auto* boxRow = new QHBoxLayout;
    for (const FilterField& filter : Filters) {
        auto* box = new QComboBox(this);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(6);
        box->addItem(tr(filter.anyText));
        box->setToolTip(tr(filter.anyText));
        const TopicChoices::Field field = filter.field;
        connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this, box, field](int index) {
            m_proxy->setFieldFilter(field, index > 0 ? box->itemText(index) : QString());
            updateCount();
        });
        m_boxes[field] = box;
        boxRow->addWidget(box, 1);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(searchRow);
    layout->addLayout(boxRow);
    updateCount();
}

QComboBox* TopicFilterBar::filterBox(TopicChoices::Field field) const
{
    return m_boxes[field];
}

void TopicFilterBar::setChoices(const TopicChoices& choices)
{
    for (const FilterField& filter : Filters) {
        QComboBox* box = m_boxes[filter.field];
        const QString chosen = box->currentIndex() > 0 ? box->currentText() : QString();
        QStringList values = choices.values(filter.field);
        // A chosen value that no topic has any more stays, so the list does not change under the user.
        if (!chosen.isEmpty() && !values.contains(chosen))
            values << chosen;
        QSignalBlocker block(box);
        while (box->count() > 1)
            box->removeItem(1);
        box->addItems(values);
        box->setCurrentIndex(chosen.isEmpty() ? 0 : box->findText(chosen));
    }
    updateCount();
}

void TopicFilterBar::focusSearch()
{
    m_search->setFocus(Qt::ShortcutFocusReason);
    m_search->selectAll();
}

void TopicFilterBar::updateCount()
{
    const int total = m_proxy->sourceModel() ? m_proxy->sourceModel()->rowCount() : 0;
    const int shown = m_proxy->rowCount();
    const QString all = TopicListModel::countText(total);
    m_count->setText(shown == total ? all : tr("%1 of %2").arg(shown).arg(all));
}
