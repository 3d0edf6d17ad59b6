#include "BCFLib/Comment.h"

#include "BCFLib/IsoDateTime.h"
#include "BCFLib/RecordKeys.h"
#include "RecordValues.h"

namespace BCFLib {

Comment::Comment(const QString& guid)
    : m_guid(guid)
{
}

Comment::~Comment() = default;

QVariant Comment::toQVariant() const
{
    QVariantMap record;
    record.insert(Keys::Guid, m_guid);
    record.insert(Keys::Comment, m_text);
    record.insert(Keys::Author, m_author);
    record.insert(Keys::Date, IsoDateTime::format(m_date));
    RecordValues::insertIfNotEmpty(record, Keys::Status, m_status);
    RecordValues::insertIfNotEmpty(record, Keys::VerbalStatus, m_verbalStatus);
    RecordValues::insertIfNotEmpty(record, Keys::ViewpointGuid, m_viewpointGuid);
    RecordValues::insertIfNotEmpty(record, Keys::ModifiedDate, IsoDateTime::format(m_modifiedDate));
    RecordValues::insertIfNotEmpty(record, Keys::ModifiedAuthor, m_modifiedAuthor);
    RecordValues::insertIfNotEmpty(record, Keys::ReplyToCommentGuid, m_replyToCommentGuid);
    return record;
}

void Comment::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    m_text = map.value(Keys::Comment).toString();
    m_author = map.value(Keys::Author).toString();
    m_date = IsoDateTime::fromVariant(map.value(Keys::Date));
    m_status = map.value(Keys::Status).toString();
    m_verbalStatus = map.value(Keys::VerbalStatus).toString();
    m_viewpointGuid = map.value(Keys::ViewpointGuid).toString();
    m_modifiedDate = IsoDateTime::fromVariant(map.value(Keys::ModifiedDate));
    m_modifiedAuthor = map.value(Keys::ModifiedAuthor).toString();
    m_replyToCommentGuid = map.value(Keys::ReplyToCommentGuid).toString();
}

} // namespace BCFLib
