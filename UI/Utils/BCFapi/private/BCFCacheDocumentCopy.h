#pragma once

namespace Vexamo {

class BCFapi;

// Moves a whole document between the working cache and a model-backed BCFapi when the workflow
// opens or saves a file. It gives the same document as BCFapi::copyFromInterface, and the workflow
// uses it instead because the generic copy touches every topic file of the cache once more per
// viewpoint: its editSnapshotContent into the cache reads, parses and rewrites the whole topic
// file, and its getSnapshotContent out of the cache reads and parses it again. On large documents
// that made open and save several times slower. The speed-up needs the cache's record layout
// (snapshots inside the topic record), which BCFapi::copyFromInterface cannot know about, so the
// generic copy stays as specified for every other pair of stores.
//
// The calls made, for each project id of the receiver's getProject() (one empty id when it has
// none), are:
//  intoCache: document.getTopic(project); for each viewpoint of each topic
//      document.getSnapshotContent(topic, viewpoint, project); then one
//      cache.createTopic(topic with each snapshot inside its viewpoint as {"snapshot_type": "png",
//      "snapshot_data": bytes}, project) per topic. No editSnapshotContent on the cache.
//  fromCache: cache.getTopic(project), or for a BCFCacheApi cache.topicIds() and then
//      cache.getSingleTopic(id, project) per id on the global thread pool, a few topics ahead; for
//      each topic, in the cache's order, document.createTopic(topic, project), then
//      document.editSnapshotContent(topic, viewpoint, bytes, project) for each viewpoint whose
//      record holds a snapshot. No getSnapshotContent on the cache.
// Bitmap contents are not moved: the cache keeps none. A subclass of either store therefore sees
// these calls, not the sequence of copyFromInterface.
namespace BCFCacheDocumentCopy {

void intoCache(const BCFapi& document, BCFapi& cache);
void fromCache(const BCFapi& cache, BCFapi& document);

} // namespace BCFCacheDocumentCopy
} // namespace Vexamo
