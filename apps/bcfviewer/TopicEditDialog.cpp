#include "TopicEditDialog.h"

#include "LabelPicker.h"

#include "BCFapi/BCFKeys.h"
#include "QtTools/FileDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Vexamo;

namespace {

// The single-value fields, their record keys and captions, in the order of the form.
struct ValueField {
    TopicChoices::Field field;
    QLatin1String key;
    const char* caption;
};
const ValueField ValueFields[] = {
    {TopicChoices::Type, BCFKeys::TopicType, QT_TRANSLATE_NOOP("TopicEditDialog", "&Type:")},
    {TopicChoices::Status, BCFKeys::TopicStatus, QT_TRANSLATE_NOOP("TopicEditDialog", "&Status:")},
    {TopicChoices::Priority, BCFKeys::Priority, QT_TRANSLATE_NOOP("TopicEditDialog", "&Priority:")},
    {TopicChoices::AssignedTo, BCFKeys::AssignedTo, QT_TRANSLATE_NOOP("TopicEditDialog", "&Assigned to:")},
    {TopicChoices::Stage, BCFKeys::Stage, QT_TRANSLATE_NOOP("TopicEditDialog", "St&age:")},
};

// Sets key to value, unless the record never had the key and the value is empty.
void setField(QVariantMap& record, QLatin1String key, const QVariant& value, bool empty)
{
    if (record.contains(key) || !empty)
        record.insert(key, value);
}

QDateTime dueDateOf(const QVariantMap& topic)
{
    return QDateTime::fromString(topic.value(BCFKeys::DueDate).toString(), Qt::ISODateWithMs);
}

} // namespace

TopicEditDialog::TopicEditDialog(Mode mode, const TopicChoices& choices, QWidget* parent)
    : QDialog(parent)
    , m_choices(choices)
{
    setWindowTitle(mode == NewTopic ? tr("New Topic") : tr("Edit Topic"));
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);

    m_title = new QLineEdit(this);
    connect(m_title, &QLineEdit::textChanged, this, &TopicEditDialog::updateAcceptable);
    form->addRow(tr("T&itle:"), m_title);

    for (const ValueField& value : ValueFields) {
        auto* box = new QComboBox(this);
        box->setEditable(choices.allowsFreeText(value.field));
        box->setInsertPolicy(QComboBox::NoInsert);
        m_boxes[value.field] = box;
        form->addRow(tr(value.caption), box);
    }

    m_labels = new LabelPicker(this);
    form->addRow(tr("&Labels:"), m_labels);

    m_hasDue = new QCheckBox(tr("Due on"), this);
    m_due = new QDateEdit(QDate::currentDate(), this);
    m_due->setCalendarPopup(true);
    m_due->setEnabled(false);
    connect(m_hasDue, &QCheckBox::toggled, m_due, &QWidget::setEnabled);
    auto* dueRow = new QHBoxLayout;
    dueRow->addWidget(m_hasDue);
    dueRow->addWidget(m_due, 1);
    form->addRow(tr("Due date:"), dueRow);

    m_description = new QPlainTextEdit(this);
    m_description->setTabChangesFocus(true);
    form->addRow(tr("&Description:"), m_description);

    if (mode == NewTopic) {
        m_snapshot = new QLineEdit(this);
        m_snapshot->setReadOnly(true);
        m_snapshot->setPlaceholderText(tr("No snapshot"));
        auto* choose = m_chooseSnapshot = new QPushButton(tr("C&hoose image..."), this);
        connect(choose, &QPushButton::clicked, this, &TopicEditDialog::chooseSnapshot);
        auto* snapshotRow = new QHBoxLayout;
        snapshotRow->addWidget(m_snapshot, 1);
        snapshotRow->addWidget(choose);
        form->addRow(tr("Snapshot:"), snapshotRow);
    }

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_buttons);
    resize(520, 560);
    setTopic(QVariantMap());
}

void TopicEditDialog::setTopic(const QVariantMap& topic)
{
    m_original = topic;
    m_title->setText(topic.value(BCFKeys::Title).toString());
    for (const ValueField& value : ValueFields) {
        QComboBox* box = m_boxes[value.field];
        const QString current = topic.value(value.key).toString();
        QStringList items{QString()};
        items << m_choices.values(value.field);
        if (!items.contains(current))
            items << current;
        box->clear();
        box->addItems(items);
        box->setCurrentIndex(box->findText(current));
    }
    m_labels->setLabels(m_choices.values(TopicChoices::Label), topic.value(BCFKeys::Labels).toStringList(),
                        m_choices.allowsFreeText(TopicChoices::Label));
    const QDateTime due = dueDateOf(topic);
    m_hasDue->setChecked(due.isValid());
    if (due.isValid())
        m_due->setDate(due.toLocalTime().date());
    m_description->setPlainText(topic.value(BCFKeys::Description).toString());
    updateAcceptable();
}

QVariantMap TopicEditDialog::editedTopic() const
{
    QVariantMap topic = m_original;
    const QString title = m_title->text().trimmed();
    setField(topic, BCFKeys::Title, title, title.isEmpty());
    for (const ValueField& value : ValueFields) {
        const QString text = m_boxes[value.field]->currentText().trimmed();
        setField(topic, value.key, text, text.isEmpty());
    }
    const QStringList labels = m_labels->labels();
    if (labels != topic.value(BCFKeys::Labels).toStringList())
        setField(topic, BCFKeys::Labels, labels, labels.isEmpty());

    // An unchanged due date keeps its original text (and time of day).
    const QDateTime due = dueDateOf(m_original);
    if (!m_hasDue->isChecked())
        setField(topic, BCFKeys::DueDate, QString(), true);
    else if (!due.isValid() || due.toLocalTime().date() != m_due->date()) {
        // The start of the chosen day here, with this zone's offset: shown in local time, it is
        // the day the user chose (midnight UTC would show as the day before west of Greenwich).
        const QDateTime start(m_due->date(), QTime(0, 0), Qt::LocalTime);
        topic.insert(BCFKeys::DueDate, start.toOffsetFromUtc(start.offsetFromUtc()).toString(Qt::ISODate));
    }

    const QString description = m_description->toPlainText();
    if (description != m_original.value(BCFKeys::Description).toString())
        setField(topic, BCFKeys::Description, description, description.isEmpty());
    return topic;
}

QString TopicEditDialog::snapshotFile() const
{
    return m_snapshot ? m_snapshot->text() : QString();
}

void TopicEditDialog::chooseSnapshot()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.%1").arg(QString::fromLatin1(format));
    const QString path = QtTools::getOpenFileName(QStringLiteral("BCFViewer/Snapshot"), this, tr("Choose snapshot"),
                                                  tr("Images (%1)").arg(patterns.join(QLatin1Char(' '))));
    if (!path.isEmpty())
        m_snapshot->setText(path);
}

void TopicEditDialog::updateAcceptable()
{
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_title->text().trimmed().isEmpty());
}
