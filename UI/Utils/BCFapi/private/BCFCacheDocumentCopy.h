#pragma once

namespace Vexamo {

class BCFapi;

// Moves a whole document between the working cache and a model-backed BCFapi when a file is
// opened or saved. The result is the one of BCFapi::copyFromInterface (the same records reach the
// same create and snapshot operations of the receiver), but every topic file of the cache is
// touched once instead of once more per viewpoint:
//  - into the cache, each viewpoint's snapshot is put into the topic record (as the snapshot record
//    that editSnapshotContent would store) before the topic is created, so each topic file is
//    written once;
//  - out of the cache, the snapshot bytes are taken from the topic records that getTopic has just
//    read, where getSnapshotContent would read and parse each topic file again.
// Bitmap contents are not moved: the cache keeps none.
namespace BCFCacheDocumentCopy {

void intoCache(const BCFapi& document, BCFapi& cache);
void fromCache(const BCFapi& cache, BCFapi& document);

} // namespace BCFCacheDocumentCopy
} // namespace Vexamo
