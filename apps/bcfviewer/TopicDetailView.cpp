#include "TopicDetailView.h"

#include "SnapshotStrip.h"

#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapi.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <memory>

using namespace Vexamo;

namespace {

QString displayDate(const QVariant& value)
{
    const QDateTime date = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    return date.isValid() ? QLocale().toString(date.toLocalTime(), QLocale::ShortFormat) : value.toString();
}

QLabel* plainLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel* heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

TopicDetailView::TopicDetailView(QWidget* parent)
    : QWidget(parent)
{
    m_title = plainLabel(this);
    QFont titleFont = m_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.35);
    titleFont.setBold(true);
    m_title->setFont(titleFont);

    m_fields = plainLabel(this);
    m_fields->setForegroundRole(QPalette::PlaceholderText);
    m_description = plainLabel(this);
    m_snapshots = new SnapshotStrip(this);

    m_comments = new QTextBrowser(this);
    m_comments->setOpenLinks(false);
    m_comments->setMinimumHeight(120);

    m_commentEdit = new QLineEdit(this);
    m_commentEdit->setPlaceholderText(tr("Write a comment..."));
    m_addButton = new QPushButton(tr("Add comment"), this);
    connect(m_commentEdit, &QLineEdit::returnPressed, this, &TopicDetailView::submitComment);
    connect(m_commentEdit, &QLineEdit::textChanged, this, &TopicDetailView::updateEnabled);
    connect(m_addButton, &QPushButton::clicked, this, &TopicDetailView::submitComment);

    auto* commentRow = new QHBoxLayout;
    commentRow->addWidget(m_commentEdit, 1);
    commentRow->addWidget(m_addButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_fields);
    layout->addSpacing(6);
    layout->addWidget(m_description);
    layout->addSpacing(6);
    layout->addWidget(heading(tr("Snapshots"), this));
    layout->addWidget(m_snapshots);
    layout->addWidget(heading(tr("Comments"), this));
    layout->addWidget(m_comments, 1);
    layout->addLayout(commentRow);

    clear();
}

void TopicDetailView::clear()
{
    m_topicId.clear();
    m_title->setText(tr("No topic selected"));
    m_fields->clear();
    m_description->clear();
    m_snapshots->setSnapshots({});
    m_comments->clear();
    m_commentEdit->clear();
    updateEnabled();
}

void TopicDetailView::showTopic(const BCFapi& api, const QString& topicId)
{
    const QVariantMap topic = api.getSingleTopic(topicId, QString());
    if (topic.isEmpty()) {
        clear();
        return;
    }
    m_topicId = topicId;
    m_title->setText(topic.value(BCFKeys::Title).toString());

    QStringList fields;
    auto addField = [&fields, &topic](const QString& label, QLatin1String key) {
        const QString value = topic.value(key).toString();
        if (!value.isEmpty())
            fields << label.arg(value);
    };
    addField(tr("Type: %1"), BCFKeys::TopicType);
    addField(tr("Status: %1"), BCFKeys::TopicStatus);
    addField(tr("Priority: %1"), BCFKeys::Priority);
    addField(tr("Assigned to: %1"), BCFKeys::AssignedTo);
    QString created = tr("Created %1").arg(displayDate(topic.value(BCFKeys::CreationDate)));
    if (!topic.value(BCFKeys::CreationAuthor).toString().isEmpty())
        created += tr(" by %1").arg(topic.value(BCFKeys::CreationAuthor).toString());
    fields << created;
    m_fields->setText(fields.join(QStringLiteral("   \u00b7   ")));

    const QString description = topic.value(BCFKeys::Description).toString();
    m_description->setText(description.isEmpty() ? tr("(no description)") : description);

    QList<QImage> images;
    const QVariantList viewpoints = api.getViewpoint(topicId, QString());
    for (const QVariant& viewpoint : viewpoints) {
        const QString viewpointId = viewpoint.toMap().value(BCFKeys::Guid).toString();
        const std::unique_ptr<QByteArray> snapshot(api.getSnapshotContent(topicId, viewpointId, QString()));
        if (snapshot && !snapshot->isEmpty())
            images.append(QImage::fromData(*snapshot));
    }
    m_snapshots->setSnapshots(images);

    // Comments as HTML built from escaped text only.
    QString html;
    const QVariantList comments = api.getComment(topicId, QString());
    for (const QVariant& item : comments) {
        const QVariantMap comment = item.toMap();
        QString text = comment.value(BCFKeys::Comment).toString().toHtmlEscaped();
        text.replace(QLatin1Char('\n'), QLatin1String("<br>"));
        html += QStringLiteral("<p><b>%1</b> <span style=\"color:gray\">%2</span><br>%3</p>")
                    .arg(comment.value(BCFKeys::Author).toString().toHtmlEscaped(),
                         displayDate(comment.value(BCFKeys::Date)).toHtmlEscaped(), text);
    }
    if (comments.isEmpty())
        html = QStringLiteral("<p style=\"color:gray\">%1</p>").arg(tr("No comments yet.").toHtmlEscaped());
    m_comments->setHtml(html);
    updateEnabled();
}

void TopicDetailView::submitComment()
{
    const QString text = m_commentEdit->text().trimmed();
    if (m_topicId.isEmpty() || text.isEmpty())
        return;
    m_commentEdit->clear();
    emit commentRequested(m_topicId, text);
}

void TopicDetailView::updateEnabled()
{
    m_commentEdit->setEnabled(!m_topicId.isEmpty());
    m_addButton->setEnabled(!m_topicId.isEmpty() && !m_commentEdit->text().trimmed().isEmpty());
}
