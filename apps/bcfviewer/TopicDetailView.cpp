#include "TopicDetailView.h"

#include "CommentEditor.h"
#include "CommentList.h"
#include "SnapshotStrip.h"
#include "ViewerKeys.h"

#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapi.h"

#include <QDateTime>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QUrl>
#include <QVBoxLayout>

#include <memory>

using namespace Vexamo;

namespace {

const QString RelatedScheme = QStringLiteral("topic:");

QString displayDate(const QVariant& value)
{
    const QDateTime date = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    return date.isValid() ? QLocale().toString(date.toLocalTime(), QLocale::ShortFormat) : value.toString();
}

QLabel* textLabel(QWidget* parent, Qt::TextFormat format = Qt::PlainText)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(format);
    label->setWordWrap(true);
    label->setTextInteractionFlags(format == Qt::PlainText ? Qt::TextSelectableByMouse
                                                           : Qt::TextBrowserInteraction);
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

// "date by author", either part optional.
QString stamp(const QVariantMap& record, QLatin1String dateKey, QLatin1String authorKey)
{
    const QString date = record.value(dateKey).toString().isEmpty() ? QString() : displayDate(record.value(dateKey));
    const QString author = record.value(authorKey).toString();
    if (author.isEmpty())
        return date;
    return date.isEmpty() ? author : TopicDetailView::tr("%1 by %2").arg(date, author);
}

// Links as rich text made of escaped parts; only web addresses become clickable.
QString linksHtml(const QStringList& links)
{
    QStringList parts;
    for (const QString& link : links) {
        const QUrl url(link, QUrl::StrictMode);
        const bool web = url.isValid() && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
        parts << (web ? QStringLiteral("<a href=\"%1\">%2</a>")
                            .arg(QString::fromUtf8(url.toEncoded()).toHtmlEscaped(), link.toHtmlEscaped())
                      : link.toHtmlEscaped());
    }
    return parts.join(QStringLiteral("<br>"));
}

} // namespace

TopicDetailView::TopicDetailView(QWidget* parent)
    : QWidget(parent)
{
    auto* header = new QWidget;
    m_title = textLabel(header);
    QFont titleFont = m_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setBold(true);
    m_title->setFont(titleFont);

    m_fieldGrid = new QGridLayout;
    m_fieldGrid->setHorizontalSpacing(8);
    m_fieldGrid->setVerticalSpacing(2);
    m_fieldGrid->setColumnStretch(1, 1);
    m_fieldGrid->setColumnStretch(3, 1);
    for (const QString& caption : {tr("Type"), tr("Status"), tr("Priority"), tr("Assigned to"), tr("Labels"),
                                   tr("Stage"), tr("Due date"), tr("Index")})
        addField(caption, false);
    addField(tr("Created"), true);
    addField(tr("Modified"), true);

    m_links = textLabel(header, Qt::RichText);
    m_links->setOpenExternalLinks(true);
    m_related = textLabel(header, Qt::RichText);
    connect(m_related, &QLabel::linkActivated, this, [this](const QString& link) {
        if (link.startsWith(RelatedScheme))
            emit relatedTopicActivated(link.mid(RelatedScheme.size()));
    });
    const int row = m_fieldGrid->rowCount();
    m_fieldGrid->addWidget(new QLabel(tr("Links:"), header), row, 0, Qt::AlignTop);
    m_fieldGrid->addWidget(m_links, row, 1, 1, 3);
    m_fieldGrid->addWidget(new QLabel(tr("Related:"), header), row + 1, 0, Qt::AlignTop);
    m_fieldGrid->addWidget(m_related, row + 1, 1, 1, 3);

    m_description = textLabel(header);
    m_snapshots = new SnapshotStrip(header);
    connect(m_snapshots, &SnapshotStrip::snapshotActivated, this,
            [this](const QString& viewpointId) { emit snapshotActivated(m_topicId, viewpointId); });

    auto* headerLayout = new QVBoxLayout(header);
    headerLayout->addWidget(m_title);
    headerLayout->addLayout(m_fieldGrid);
    headerLayout->addSpacing(4);
    headerLayout->addWidget(m_description);
    headerLayout->addWidget(m_snapshots);
    headerLayout->addStretch();
    // The fields wrap to the pane's width and scroll vertically when they do not fit.
    m_header = header;
    m_headerScroll = new QScrollArea;
    m_headerScroll->setWidget(header);
    m_headerScroll->setWidgetResizable(true);
    m_headerScroll->setFrameShape(QFrame::NoFrame);
    m_headerScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_headerScroll->viewport()->installEventFilter(this);

    auto* commentsPane = new QWidget;
    m_comments = new CommentList(commentsPane);
    m_editComment = new QPushButton(tr("Edit"), commentsPane);
    m_deleteComment = new QPushButton(tr("Delete"), commentsPane);
    m_editor = new CommentEditor(commentsPane);
    connect(m_comments, &QListWidget::itemSelectionChanged, this, &TopicDetailView::updateEnabled);
    connect(m_editComment, &QPushButton::clicked, this, [this] {
        const QString id = m_comments->selectedCommentId();
        if (!id.isEmpty())
            m_editor->startEditing(id, m_comments->commentText(id));
    });
    connect(m_deleteComment, &QPushButton::clicked, this, [this] {
        const QString id = m_comments->selectedCommentId();
        if (!id.isEmpty())
            emit commentRemovalRequested(m_topicId, id);
    });
    connect(m_editor, &CommentEditor::submitted, this, [this](const QString& commentId, const QString& text) {
        if (!m_topicId.isEmpty())
            emit commentSubmitted(m_topicId, commentId, text);
    });

    auto* commentHeader = new QHBoxLayout;
    commentHeader->addWidget(heading(tr("Comments"), commentsPane), 1);
    commentHeader->addWidget(m_editComment);
    commentHeader->addWidget(m_deleteComment);
    auto* commentsLayout = new QVBoxLayout(commentsPane);
    commentsLayout->setContentsMargins(9, 0, 9, 0);
    commentsLayout->addLayout(commentHeader);
    commentsLayout->addWidget(m_comments, 1);
    commentsLayout->addWidget(m_editor);

    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("detailSplitter"));
    m_splitter->addWidget(m_headerScroll);
    m_splitter->addWidget(commentsPane);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 2);
    m_splitter->setSizes({330, 230});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);

    clear();
}

bool TopicDetailView::eventFilter(QObject* watched, QEvent* event)
{
    // A scroll area keeps a wider widget as it is; the header must follow the pane's width so that
    // its labels wrap instead of being cut.
    if (watched == m_headerScroll->viewport() && event->type() == QEvent::Resize)
        m_header->setFixedWidth(m_headerScroll->viewport()->width());
    return QWidget::eventFilter(watched, event);
}

// Short fields go two to a row; a wide one takes a row of its own.
QLabel* TopicDetailView::addField(const QString& caption, bool wide)
{
    auto* name = new QLabel(tr("%1:").arg(caption));
    QLabel* value = textLabel(nullptr);
    if (wide || m_gridColumn == 2) {
        m_gridColumn = 0;
        ++m_gridRow;
    }
    m_fieldGrid->addWidget(name, m_gridRow, m_gridColumn, Qt::AlignTop);
    m_fieldGrid->addWidget(value, m_gridRow, m_gridColumn + 1, 1, wide ? 3 : 1);
    m_gridColumn = wide ? 2 : m_gridColumn + 2;
    m_fields.append({caption, value});
    return value;
}

QString TopicDetailView::fieldText(const QString& caption) const
{
    for (const auto& field : m_fields) {
        if (field.first == caption)
            return field.second->text();
    }
    return QString();
}

void TopicDetailView::clear()
{
    m_topicId.clear();
    m_title->setText(tr("No topic selected"));
    for (const auto& field : qAsConst(m_fields))
        field.second->clear();
    m_links->clear();
    m_related->clear();
    m_description->clear();
    m_snapshots->setSnapshots({});
    m_comments->setComments({});
    m_editor->reset();
    updateEnabled();
}

void TopicDetailView::showTopic(const BCFapi& api, const QString& topicId)
{
    const QVariantMap topic = api.getSingleTopic(topicId, QString());
    if (topic.isEmpty()) {
        clear();
        return;
    }
    if (topicId != m_topicId)
        m_editor->reset();
    m_topicId = topicId;
    m_title->setText(topic.value(BCFKeys::Title).toString());

    const QString dash = QStringLiteral("\u2013");
    const auto orDash = [&dash](const QString& text) { return text.isEmpty() ? dash : text; };
    const QString index = topic.contains(BCFKeys::Index) && topic.value(BCFKeys::Index).toInt() >= 0
                              ? QString::number(topic.value(BCFKeys::Index).toInt())
                              : QString();
    const QStringList values = {
        topic.value(BCFKeys::TopicType).toString(),
        topic.value(BCFKeys::TopicStatus).toString(),
        topic.value(BCFKeys::Priority).toString(),
        topic.value(BCFKeys::AssignedTo).toString(),
        topic.value(BCFKeys::Labels).toStringList().join(QStringLiteral(", ")),
        topic.value(ViewerKeys::Stage).toString(),
        topic.value(ViewerKeys::DueDate).toString().isEmpty() ? QString() : displayDate(topic.value(ViewerKeys::DueDate)),
        index,
        stamp(topic, BCFKeys::CreationDate, BCFKeys::CreationAuthor),
        stamp(topic, BCFKeys::ModifiedDate, BCFKeys::ModifiedAuthor),
    };
    for (int i = 0; i < m_fields.size() && i < values.size(); ++i)
        m_fields.at(i).second->setText(orDash(values.at(i)));

    QStringList links = topic.value(ViewerKeys::ReferenceLinks).toStringList();
    const QString link = topic.value(BCFKeys::ReferenceLink).toString();
    if (!link.isEmpty() && !links.contains(link))
        links.prepend(link);
    m_links->setText(links.isEmpty() ? dash : linksHtml(links));

    QStringList related;
    for (const QString& relatedId : api.getRelatedTopics(topicId, QString())) {
        const QString title = api.getSingleTopic(relatedId, QString()).value(BCFKeys::Title).toString();
        related << QStringLiteral("<a href=\"%1%2\">%3</a>")
                       .arg(RelatedScheme, relatedId.toHtmlEscaped(), (title.isEmpty() ? relatedId : title).toHtmlEscaped());
    }
    m_related->setText(related.isEmpty() ? dash : related.join(QStringLiteral("<br>")));

    const QString description = topic.value(BCFKeys::Description).toString();
    m_description->setText(description.isEmpty() ? tr("(no description)") : description);

    QList<SnapshotStrip::Snapshot> snapshots;
    for (const QVariant& viewpoint : api.getViewpoint(topicId, QString())) {
        const QString viewpointId = viewpoint.toMap().value(BCFKeys::Guid).toString();
        const std::unique_ptr<QByteArray> content(api.getSnapshotContent(topicId, viewpointId, QString()));
        if (content && !content->isEmpty())
            snapshots.append({viewpointId, QImage::fromData(*content)});
    }
    m_snapshots->setSnapshots(snapshots);

    const QString selectedComment = m_comments->selectedCommentId();
    m_comments->setComments(api.getComment(topicId, QString()));
    m_comments->selectComment(selectedComment);
    updateEnabled();
}

void TopicDetailView::updateEnabled()
{
    const bool hasTopic = !m_topicId.isEmpty();
    const bool hasComment = hasTopic && !m_comments->selectedCommentId().isEmpty();
    m_editor->setEnabled(hasTopic);
    m_editComment->setEnabled(hasComment);
    m_deleteComment->setEnabled(hasComment);
}
