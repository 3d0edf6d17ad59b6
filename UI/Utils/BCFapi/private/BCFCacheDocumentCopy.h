#pragma once

#include <QString>

namespace BCFLib {
class BCFModel;
}

namespace Vexamo {

class BCFapi;
class BCFCacheStore;

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
//      document.getSnapshotContent(topic, viewpoint, project) (with a model given, see intoCache
//      below: the model topic's readSnapshot instead); then one
//      store.createTopic(topic with each snapshot inside its viewpoint as {"snapshot_type": "png",
//      "snapshot_data": bytes}) per topic, straight into the store that builds the new document
//      (a side directory, see BCFCacheStore::replaceWith). The first topic the store cannot take
//      (a full disk, a read-only cache) ends the copy: false, with the topic and the store's
//      reason in *error. Each topic's snapshots are released once its record is written.
//  fromCache: cache.getTopic(project), or for a BCFCacheApi cache.topicIds() and then
//      cache.getSingleTopic(id, project) per id (with model and store given, see fromCache below:
//      the store's topicWithSnapshotsDescribed) on the global thread pool, a few topics ahead; for
//      each topic, in the cache's order, document.createTopic(topic, project), then
//      document.editSnapshotContent(topic, viewpoint, bytes, project) for each viewpoint whose
//      record holds a snapshot (with model and store given: none). No getSnapshotContent on the
//      cache.
// Bitmap contents are not moved: the cache keeps none. A subclass of either store therefore sees
// these calls, not the sequence of copyFromInterface.
namespace BCFCacheDocumentCopy {

// model: the model behind document when document is a BCFFileApi, else null. Its snapshots are then
// read from it once each, with their reasons: one that cannot be read (an image left in a file that
// changed since it was loaded) fails the copy instead of being left out.
bool intoCache(const BCFapi& document, BCFCacheStore& store, QString* error,
               const BCFLib::BCFModel* model = nullptr);
// False, with the first refused item in *error, when a topic file of the cache could not be read
// (the save is refused rather than written without that topic), the document refuses a topic, or keeps fewer
// comments or viewpoints of a topic than its record holds: a save must then fail, never write a
// partial file.
// model and store: the model behind document when document is a BCFFileApi, and the store behind
// cache when cache is a BCFCacheApi. Given both, topics are read from the store with their
// snapshots described, not decoded, and the snapshots are left in the topic files as sources the
// model reads when it is written (BCFCacheSnapshotSource): the store must then outlive the model's
// write, and a save holds a few images at a time instead of the whole document's.
bool fromCache(const BCFapi& cache, BCFapi& document, QString* error = nullptr, BCFLib::BCFModel* model = nullptr,
               const BCFCacheStore* store = nullptr);

} // namespace BCFCacheDocumentCopy
} // namespace Vexamo
