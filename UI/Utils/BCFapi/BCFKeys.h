#pragma once

#include "BCFLib/RecordKeys.h"

#include <QLatin1String>

// Keys of the annotation records that cross the BCFapi interface. The model library spells each
// record key once (BCFLib/RecordKeys.h); this namespace names the ones the interface uses, and adds
// the keys that only the working cache keeps.
namespace Vexamo {
namespace BCFKeys {

// Project record
using BCFLib::Keys::ProjectId;

// Project extension record (getProjectExtension): the value lists of the document, from a BCF 3.0
// extensions.xml or the enumerations of a BCF 2.1 extensions.xsd; each a list of strings, present
// only when not empty.
using BCFLib::Keys::ExtensionTopicTypes;
using BCFLib::Keys::ExtensionTopicStatuses;
using BCFLib::Keys::ExtensionPriorities;
using BCFLib::Keys::ExtensionTopicLabels;
using BCFLib::Keys::ExtensionUsers;
using BCFLib::Keys::ExtensionSnippetTypes;
using BCFLib::Keys::ExtensionStages;

// Topic record
using BCFLib::Keys::Guid;
using BCFLib::Keys::Title;
using BCFLib::Keys::CreationDate;
using BCFLib::Keys::CreationAuthor;
using BCFLib::Keys::ModifiedDate;
using BCFLib::Keys::ModifiedAuthor;
using BCFLib::Keys::TopicType;
using BCFLib::Keys::TopicStatus;
using BCFLib::Keys::Priority;
using BCFLib::Keys::Index;
using BCFLib::Keys::Labels;
using BCFLib::Keys::AssignedTo;
using BCFLib::Keys::ReferenceLink;
using BCFLib::Keys::ReferenceLinks; // BCF 3.0: every reference link, a list of strings
using BCFLib::Keys::DueDate;
using BCFLib::Keys::Stage;
using BCFLib::Keys::Description;
using BCFLib::Keys::BimSnippet;
using BCFLib::Keys::Files;
using BCFLib::Keys::DocumentReferences;
using BCFLib::Keys::RelatedTopics;
using BCFLib::Keys::Comments;
using BCFLib::Keys::Viewpoints;

// Comment record
using BCFLib::Keys::Comment;
using BCFLib::Keys::Author;
using BCFLib::Keys::Date;
using BCFLib::Keys::Status;
using BCFLib::Keys::VerbalStatus;

// Viewpoint record
using BCFLib::Keys::OrthogonalCamera;
using BCFLib::Keys::PerspectiveCamera;
using BCFLib::Keys::Lines;
using BCFLib::Keys::ClippingPlanes;
using BCFLib::Keys::Components;
inline const QLatin1String Snapshot("snapshot");
using BCFLib::Keys::Bitmaps;

// Camera, line and clipping plane records
using BCFLib::Keys::CameraViewPoint;
using BCFLib::Keys::CameraDirection;
using BCFLib::Keys::CameraUpVector;
using BCFLib::Keys::ViewToWorldScale;
using BCFLib::Keys::FieldOfView;
using BCFLib::Keys::StartPoint;
using BCFLib::Keys::EndPoint;
using BCFLib::Keys::Location;
using BCFLib::Keys::Direction;

// Point record
using BCFLib::Keys::X;
using BCFLib::Keys::Y;
using BCFLib::Keys::Z;

// Component set and component record
using BCFLib::Keys::Selection;
using BCFLib::Keys::Visibility;
using BCFLib::Keys::Exceptions;
using BCFLib::Keys::IfcGuid;
using BCFLib::Keys::OriginatingSystem;
using BCFLib::Keys::AuthoringToolId;

// Bim snippet record
using BCFLib::Keys::SnippetType;
using BCFLib::Keys::IsExternal;
using BCFLib::Keys::Reference;
using BCFLib::Keys::ReferenceSchema;

// File record
using BCFLib::Keys::IfcProject;
using BCFLib::Keys::IfcSpatialStructureElement;
using BCFLib::Keys::FileName;
// "date" of a file record is Date above.

// Snapshot record (working cache only)
inline const QLatin1String SnapshotType("snapshot_type");
inline const QLatin1String SnapshotData("snapshot_data");

} // namespace BCFKeys
} // namespace Vexamo
