#pragma once

#include <QByteArray>
#include <QString>

// Writes a synthetic BCF 2.1 archive for load and save measurements: topicCount topics, each with
// commentCount comments and one viewpoint (perspective camera) whose snapshot is snapshotBytes of
// incompressible PNG-like data. Markup is deflated, snapshots are stored as zip -n .png would.
// Written directly with QuaZip, so it does not depend on the writer under measurement.
// The benchmarks use bench/common/BCFArchiveGenerator; this older generator remains only for the
// workflow test that compiles it in (tests/workflow), until that test moves to the common one.
struct LargeBCFArchive {
    int topicCount = 3000;
    int commentCount = 5;
    int snapshotBytes = 100 * 1024;

    bool write(const QString& path) const;

    // The identifiers and content that write() uses, for checks after a load.
    static QString topicGuid(int topic);
    static QString viewpointGuid(int topic);
    static QString commentGuid(int topic, int comment);
    QByteArray snapshot(int topic) const;
};
