#pragma once

#include <QLatin1String>

// Record keys that the viewer reads and writes beyond those of BCFapi/BCFKeys.h: topic fields of
// BCF 2.1 and 3.0 that the model library's records carry, the component visibility of a viewpoint,
// and the value lists of a project extension (named after the lists of a BCF 3.0 extensions.xml).
namespace ViewerKeys {

// Topic record
inline const QLatin1String DueDate("due_date");
inline const QLatin1String Stage("stage");
inline const QLatin1String ReferenceLinks("reference_links");

// Component set
inline const QLatin1String Visibility("visibility");
inline const QLatin1String Exceptions("exceptions");

// Project extension
inline const QLatin1String TopicTypes("topic_types");
inline const QLatin1String TopicStatuses("topic_statuses");
inline const QLatin1String Priorities("priorities");
inline const QLatin1String TopicLabels("topic_labels");
inline const QLatin1String Users("users");
inline const QLatin1String Stages("stages");

} // namespace ViewerKeys
