#pragma once

#include <QLatin1String>

// Keys of the records that the model's conversions produce and accept. The annotation keys are the
// ones every store of annotations uses; the keys for content that lives in files of a BCF archive
// (images, snippet and document files) carry that content as base64 text so that a record written
// back into a model restores it.
namespace BCFLib {
namespace Keys {

// Project record
inline const QLatin1String ProjectId("project_id");
inline const QLatin1String Name("name");
inline const QLatin1String ExtensionSchema("extension_schema");
inline const QLatin1String ExtensionSchemaData("extension_schema_data");

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
inline const QLatin1String ReferenceLinks("reference_links");
inline const QLatin1String Description("description");
inline const QLatin1String Stage("stage");
inline const QLatin1String ServerAssignedId("server_assigned_id");
inline const QLatin1String DueDate("due_date");
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
inline const QLatin1String ViewpointGuid("viewpoint_guid");
inline const QLatin1String ReplyToCommentGuid("reply_to_comment_guid");

// Viewpoint record
inline const QLatin1String OrthogonalCamera("orthogonal_camera");
inline const QLatin1String PerspectiveCamera("perspective_camera");
inline const QLatin1String Lines("lines");
inline const QLatin1String ClippingPlanes("clipping_planes");
inline const QLatin1String Components("components");
inline const QLatin1String Bitmaps("bitmaps");
inline const QLatin1String ViewpointFile("viewpoint_file");
inline const QLatin1String SnapshotFile("snapshot_file");

// Camera, line and clipping plane records
inline const QLatin1String CameraViewPoint("camera_view_point");
inline const QLatin1String CameraDirection("camera_direction");
inline const QLatin1String CameraUpVector("camera_up_vector");
inline const QLatin1String ViewToWorldScale("view_to_world_scale");
inline const QLatin1String FieldOfView("field_of_view");
inline const QLatin1String AspectRatio("aspect_ratio");
inline const QLatin1String StartPoint("start_point");
inline const QLatin1String EndPoint("end_point");
inline const QLatin1String Location("location");
inline const QLatin1String Direction("direction");

// Point record
inline const QLatin1String X("x");
inline const QLatin1String Y("y");
inline const QLatin1String Z("z");

// Component set
inline const QLatin1String Selection("selection");
inline const QLatin1String Visibility("visibility");
inline const QLatin1String DefaultVisibility("default_visibility");
inline const QLatin1String Exceptions("exceptions");
inline const QLatin1String ViewSetupHints("view_setup_hints");
inline const QLatin1String SpacesVisible("spaces_visible");
inline const QLatin1String SpaceBoundariesVisible("space_boundaries_visible");
inline const QLatin1String OpeningsVisible("openings_visible");
inline const QLatin1String Coloring("coloring");
inline const QLatin1String Color("color");
// Component record
inline const QLatin1String IfcGuid("ifc_guid");
inline const QLatin1String OriginatingSystem("originating_system");
inline const QLatin1String AuthoringToolId("authoring_tool_id");

// Bitmap record ("guid", "location", "reference" as above)
inline const QLatin1String BitmapType("bitmap_type");
inline const QLatin1String BitmapData("bitmap_data");
inline const QLatin1String Normal("normal");
inline const QLatin1String Up("up");
inline const QLatin1String Height("height");

// Bim snippet record
inline const QLatin1String SnippetType("snippet_type");
inline const QLatin1String IsExternal("is_external");
inline const QLatin1String Reference("reference");
inline const QLatin1String ReferenceSchema("reference_schema");
inline const QLatin1String SnippetData("snippet_data");

// File record ("date", "reference", "is_external" as above)
inline const QLatin1String IfcProject("ifc_project");
inline const QLatin1String IfcSpatialStructureElement("ifc_spatial_structure_element");
inline const QLatin1String FileName("file_name");
inline const QLatin1String FileData("file_data");
inline const QLatin1String Id("id");

// Document reference record ("guid", "is_external", "description" as above)
inline const QLatin1String ReferencedDocument("referenced_document");
inline const QLatin1String DocumentData("document_data");
inline const QLatin1String DocumentGuid("document_guid");
inline const QLatin1String Url("url");

// Project record, BCF 3.0 additions: "extensions" (the lists of extensions.xml) and "documents"
// (the documents of documents.xml, each {"guid", "filename", "description", "document_data"})
inline const QLatin1String Extensions("extensions");
inline const QLatin1String Documents("documents");
inline const QLatin1String Filename("filename");
// Keys of the "extensions" map
inline const QLatin1String ExtensionTopicTypes("topic_type");
inline const QLatin1String ExtensionTopicStatuses("topic_status");
inline const QLatin1String ExtensionPriorities("priority");
inline const QLatin1String ExtensionTopicLabels("topic_label");
inline const QLatin1String ExtensionUsers("users");
inline const QLatin1String ExtensionSnippetTypes("snippet_type");
inline const QLatin1String ExtensionStages("stage");

} // namespace Keys
} // namespace BCFLib
