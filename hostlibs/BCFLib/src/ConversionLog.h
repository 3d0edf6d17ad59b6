#pragma once

#include "BCFLib/ConversionNote.h"

#include <QHash>
#include <QString>

namespace BCFLib {

// Collects what a writer leaves out or changes, one note per kind and topic with a count.
class ConversionLog
{
public:
    // Adds count to the note of kind for topic (empty: the document itself); a count of 0 adds nothing.
    void add(const QString& kind, const QString& topic, int count = 1);
    ConversionReport report() const { return m_notes; }

private:
    ConversionReport m_notes;
    QHash<QString, int> m_index; // kind + '\n' + topic -> position in m_notes
};

// The kinds of notes, as the report shows them.
namespace ConversionKind {
inline const char* const IllegalCharacters = "characters XML cannot carry were dropped";
inline const char* const IdMapped = "identifiers that are not UUIDs were written as name-based UUIDs";
inline const char* const CommentStatus = "comment Status, VerbalStatus or ReplyToComment left out";
inline const char* const ServerAssignedId = "ServerAssignedId left out";
inline const char* const AspectRatio = "camera AspectRatio left out";
inline const char* const DocumentDescription = "document description left out";
inline const char* const UnreferencedDocument = "document referenced by no topic left out";
inline const char* const SnippetTypes = "snippet type list left out of the extension schema";
inline const char* const ExtensionSchema = "extension schema file replaced by extensions.xml";
inline const char* const TopicType = "missing TopicType written as \"Issue\"";
inline const char* const TopicStatus = "missing TopicStatus written as \"Open\"";
inline const char* const RequiredText = "missing required text written as a placeholder";
inline const char* const CameraAdded = "viewpoint without camera given a default perspective camera";
inline const char* const SecondCamera = "orthogonal camera left out (a 3.0 viewpoint has one camera)";
inline const char* const FieldOfView = "FieldOfView outside (0, 180) written as 60";
inline const char* const HeaderFileId = "header file Id left out";
inline const char* const ColourGroup = "colour group without a valid colour left out";
inline const char* const EmptyDocumentReference = "document reference without document or URL left out";
} // namespace ConversionKind

} // namespace BCFLib
