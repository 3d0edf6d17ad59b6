#include "TopicDetailView.h"

#include "CommentEditor.h"
#include "CommentList.h"
#include "SnapshotStrip.h"

#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapi.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <memory>

using namespace Vexamo;

namespace {

const QString RelatedScheme = QStringLiteral("topic");

QString displayDate(const QVariant& value)
{
    const QDateTime date = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    return date.isValid() ? QLocale().toString(date.toLocalTime(), QLocale::ShortFormat) : value.toString();
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

bool isWebLink(const QUrl& url)
{
    return url.isValid() && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

// A table row of escaped text; html holds links built from escaped parts.
QString row(const QString& caption, const QString& html)
{
    return QStringLiteral("<tr><td style=\"color:gray; padding-right:8px\">%1</td><td>%2</td></tr>")
        .arg(caption.toHtmlEscaped(), html);
}

} // namespace

TopicDetailView::TopicDetailView(QWidget* parent)
    : QWidget(parent)
{
    auto* topicPane = new QWidget;
    m_text = new QTextBrowser(topicPane);
    m_text->setOpenLinks(false);
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->viewport()->setAutoFillBackground(false);
    connect(m_text, &QTextBrowser::anchorClicked, this, &TopicDetailView::openLink);
    m_snapshots = new SnapshotStrip(topicPane);
    connect(m_snapshots, &SnapshotStrip::snapshotActivated, this,
            [this](const QString& viewpointId) { emit snapshotActivated(m_topicId, viewpointId); });
    auto* topicLayout = new QVBoxLayout(topicPane);
    topicLayout->setContentsMargins(6, 6, 6, 0);
    topicLayout->addWidget(m_text, 1);
    topicLayout->addWidget(m_snapshots);

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
    commentsLayout->setContentsMargins(6, 4, 6, 0);
    commentsLayout->addLayout(commentHeader);
    commentsLayout->addWidget(m_comments, 1);
    commentsLayout->addWidget(m_editor);

    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("detailSplitter"));
    m_splitter->addWidget(topicPane);
    m_splitter->addWidget(commentsPane);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 2);
    m_splitter->setSizes({350, 210});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);

    clear();
}

QString TopicDetailView::fieldText(const QString& caption) const
{
    return m_fieldTexts.value(caption);
}

void TopicDetailView::openLink(const QUrl& link)
{
    if (link.scheme() == RelatedScheme)
        emit relatedTopicActivated(link.path(QUrl::FullyDecoded));
    else if (isWebLink(link))
        QDesktopServices::openUrl(link);
}

void TopicDetailView::keepDraft()
{
    if (m_topicId.isEmpty())
        return;
    const QString text = m_editor->textEdit()->toPlainText();
    if (text.trimmed().isEmpty())
        m_drafts.remove(m_topicId);
    else
        m_drafts.insert(m_topicId, {m_editor->editedCommentId(), text});
}

void TopicDetailView::restoreDraft(const QString& topicId)
{
    const Draft draft = m_drafts.take(topicId);
    if (draft.text.isEmpty())
        m_editor->reset();
    else
        m_editor->setDraft(draft.commentId, draft.text);
}

void TopicDetailView::clear()
{
    keepDraft();
    m_topicId.clear();
    m_fieldTexts.clear();
    m_text->setHtml(QStringLiteral("<p style=\"color:gray\">%1</p>").arg(tr("No topic selected").toHtmlEscaped()));
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
    if (topicId != m_topicId) {
        keepDraft();
        restoreDraft(topicId);
    }
    m_topicId = topicId;

    const QString index = topic.contains(BCFKeys::Index) && topic.value(BCFKeys::Index).toInt() >= 0
                              ? QString::number(topic.value(BCFKeys::Index).toInt())
                              : QString();
    const QString due = topic.value(BCFKeys::DueDate).toString();
    const QList<QPair<QString, QString>> fields = {
        {tr("Type"), topic.value(BCFKeys::TopicType).toString()},
        {tr("Status"), topic.value(BCFKeys::TopicStatus).toString()},
        {tr("Priority"), topic.value(BCFKeys::Priority).toString()},
        {tr("Assigned to"), topic.value(BCFKeys::AssignedTo).toString()},
        {tr("Labels"), topic.value(BCFKeys::Labels).toStringList().join(QStringLiteral(", "))},
        {tr("Stage"), topic.value(BCFKeys::Stage).toString()},
        {tr("Due date"), due.isEmpty() ? QString() : displayDate(due)},
        {tr("Index"), index},
        {tr("Created"), stamp(topic, BCFKeys::CreationDate, BCFKeys::CreationAuthor)},
        {tr("Modified"), stamp(topic, BCFKeys::ModifiedDate, BCFKeys::ModifiedAuthor)},
    };
    const QString dash = QStringLiteral("\u2013");
    m_fieldTexts.clear();
    QString rows;
    for (const auto& field : fields) {
        m_fieldTexts.insert(field.first, field.second);
        rows += row(field.first, field.second.isEmpty() ? dash : field.second.toHtmlEscaped());
    }

    // Links: only web addresses become clickable; everything else is shown as text.
    QStringList links = topic.value(BCFKeys::ReferenceLinks).toStringList();
    const QString link = topic.value(BCFKeys::ReferenceLink).toString();
    if (!link.isEmpty() && !links.contains(link))
        links.prepend(link);
    QStringList linkHtml;
    for (const QString& text : qAsConst(links)) {
        const QUrl url(text, QUrl::StrictMode);
        linkHtml << (isWebLink(url) ? QStringLiteral("<a href=\"%1\">%2</a>")
                                          .arg(QString::fromUtf8(url.toEncoded()).toHtmlEscaped(), text.toHtmlEscaped())
                                    : text.toHtmlEscaped());
    }
    m_fieldTexts.insert(tr("Links"), links.join(QLatin1Char('\n')));
    rows += row(tr("Links"), linkHtml.isEmpty() ? dash : linkHtml.join(QStringLiteral("<br>")));

    QStringList related;
    QStringList relatedTitles;
    for (const QString& relatedId : api.getRelatedTopics(topicId, QString())) {
        const QString title = api.getSingleTopic(relatedId, QString()).value(BCFKeys::Title).toString();
        QUrl target;
        target.setScheme(RelatedScheme);
        target.setPath(relatedId);
        relatedTitles << (title.isEmpty() ? relatedId : title);
        related << QStringLiteral("<a href=\"%1\">%2</a>")
                       .arg(QString::fromUtf8(target.toEncoded()).toHtmlEscaped(),
                            (title.isEmpty() ? relatedId : title).toHtmlEscaped());
    }
    m_fieldTexts.insert(tr("Related"), relatedTitles.join(QLatin1Char('\n')));
    rows += row(tr("Related"), related.isEmpty() ? dash : related.join(QStringLiteral("<br>")));

    QString description = topic.value(BCFKeys::Description).toString().toHtmlEscaped();
    description.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    m_text->setHtml(QStringLiteral("<h3>%1</h3><table cellspacing=\"1\">%2</table><p>%3</p>")
                        .arg(topic.value(BCFKeys::Title).toString().toHtmlEscaped(), rows,
                             description.isEmpty() ? tr("(no description)") : description));

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
