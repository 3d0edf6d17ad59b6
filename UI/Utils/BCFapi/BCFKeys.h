#pragma once

#include <QLatin1String>

// Keys of the annotation records that cross the BCFapi interface. Every record key is spelled
// here once and used by name everywhere else.
namespace Vexamo {
namespace BCFKeys {

// Project record
inline const QLatin1String ProjectId("project_id");

// Topic record
inline const QLatin1String Guid("guid");
inline const QLatin1String Title("title");
inline const QLatin1String CreationDate("creation_date");
inline const QLatin1String CreationAuthor("creation_author");
inline const QLatin1String ModifiedDate("modified_date");
inline const QLatin1String ModifiedAuthor("modified_author");
inline const QLatin1String TopicType("topic_type");
inline const QLatin1String TopicStatus("topic_status");
inline const QLatin1String Priority("priority");
inline const QLatin1String Index("index");
inline const QLatin1String Labels("labels");
inline const QLatin1String AssignedTo("assigned_to");
inline const QLatin1String ReferenceLink("reference_link");
inline const QLatin1String Description("description");
inline const QLatin1String BimSnippet("bim_snippet");
inline const QLatin1String Files("files");
inline const QLatin1String DocumentReferences("document_references");
inline const QLatin1String RelatedTopics("related_topics");
inline const QLatin1String Comments("comments");
inline const QLatin1String Viewpoints("viewpoints");

// Comment record
inline const QLatin1String Comment("comment");
inline const QLatin1String Author("author");
inline const QLatin1String Date("date");
inline const QLatin1String Status("status");
inline const QLatin1String VerbalStatus("verbal_status");

// Viewpoint record
inline const QLatin1String OrthogonalCamera("orthogonal_camera");
inline const QLatin1String PerspectiveCamera("perspective_camera");
inline const QLatin1String Lines("lines");
inline const QLatin1String ClippingPlanes("clipping_planes");
inline const QLatin1String Components("components");
inline const QLatin1String Snapshot("snapshot");
inline const QLatin1String Bitmaps("bitmaps");

// Camera, line and clipping plane records
inline const QLatin1String CameraViewPoint("camera_view_point");
inline const QLatin1String CameraDirection("camera_direction");
inline const QLatin1String CameraUpVector("camera_up_vector");
inline const QLatin1String ViewToWorldScale("view_to_world_scale");
inline const QLatin1String FieldOfView("field_of_view");
inline const QLatin1String StartPoint("start_point");
inline const QLatin1String EndPoint("end_point");
inline const QLatin1String Location("location");
inline const QLatin1String Direction("direction");

// Point record
inline const QLatin1String X("x");
inline const QLatin1String Y("y");
inline const QLatin1String Z("z");

// Component set and component record
inline const QLatin1String Selection("selection");
inline const QLatin1String IfcGuid("ifc_guid");
inline const QLatin1String OriginatingSystem("originating_system");
inline const QLatin1String AuthoringToolId("authoring_tool_id");

// Bim snippet record
inline const QLatin1String SnippetType("snippet_type");
inline const QLatin1String IsExternal("is_external");
inline const QLatin1String Reference("reference");
inline const QLatin1String ReferenceSchema("reference_schema");

// File record
inline const QLatin1String IfcProject("ifc_project");
inline const QLatin1String IfcSpatialStructureElement("ifc_spatial_structure_element");
inline const QLatin1String FileName("file_name");
// "date" of a file record is Date above.

// Snapshot record (working cache only)
inline const QLatin1String SnapshotType("snapshot_type");
inline const QLatin1String SnapshotData("snapshot_data");

} // namespace BCFKeys
} // namespace Vexamo
