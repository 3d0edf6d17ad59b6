#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace BCFLib {

class Topic;

// A comment of a topic. Status, verbal status and the reply reference come from BCF 2.0 files
// and are kept so that nothing read is lost.
class BCFLIB_EXPORT Comment
{
public:
    explicit Comment(const QString& guid);
    virtual ~Comment();

    QString guid() const { return m_guid; }
    Topic* topic() const { return m_topic; }
    void setTopic(Topic* topic) { m_topic = topic; }

    QDateTime date() const { return m_date; }
    void setDate(const QDateTime& date) { m_date = date; }
    QString author() const { return m_author; }
    void setAuthor(const QString& author) { m_author = author; }
    QString text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }
    QString viewpointGuid() const { return m_viewpointGuid; }
    void setViewpointGuid(const QString& guid) { m_viewpointGuid = guid; }
    QDateTime modifiedDate() const { return m_modifiedDate; }
    void setModifiedDate(const QDateTime& date) { m_modifiedDate = date; }
    QString modifiedAuthor() const { return m_modifiedAuthor; }
    void setModifiedAuthor(const QString& author) { m_modifiedAuthor = author; }
    QString status() const { return m_status; }
    void setStatus(const QString& status) { m_status = status; }
    QString verbalStatus() const { return m_verbalStatus; }
    void setVerbalStatus(const QString& status) { m_verbalStatus = status; }
    QString replyToCommentGuid() const { return m_replyToCommentGuid; }
    void setReplyToCommentGuid(const QString& guid) { m_replyToCommentGuid = guid; }

    // {"guid", "comment", "author", "date" (ISO 8601, empty when unset)} always; "status",
    // "verbal_status", "viewpoint_guid", "modified_date", "modified_author",
    // "reply_to_comment_guid" when set.
    virtual QVariant toQVariant() const;
    // Replaces everything but the guid (the comment's identity) from a comment record; a missing
    // key clears its field. Dates are parsed with IsoDateTime.
    virtual void fromQVariant(const QVariant& record);

private:
    QString m_guid;
    Topic* m_topic = nullptr;
    QDateTime m_date;
    QString m_author;
    QString m_text;
    QString m_viewpointGuid;
    QDateTime m_modifiedDate;
    QString m_modifiedAuthor;
    QString m_status;
    QString m_verbalStatus;
    QString m_replyToCommentGuid;
};

} // namespace BCFLib
