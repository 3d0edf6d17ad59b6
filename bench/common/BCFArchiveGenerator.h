#pragma once

#include <QByteArray>
#include <QString>

// Generates large synthetic BCF 2.1 or 3.0 content for benchmarks, written directly with QuaZip so that it
// does not depend on the reader or writer under measurement. Every topic has a markup with
// commentsPerTopic comments, viewpointsPerTopic viewpoints (perspective camera and a few selected
// components) and one snapshot per viewpoint of snapshotBytes incompressible PNG-like bytes. The
// first viewpoint of a topic is viewpoint.bcfv / snapshot.png, further ones <guid>.bcfv / <guid>.png.
// XML is deflated and snapshots are stored, as "zip -n .png" does. Guids and bytes are
// deterministic, so two runs give the same archive. In 3.0 mode the same content is written in the
// 3.0 layout: comments and viewpoints inside the topic, extensions.xml, ProjectInfo, an aspect ratio.
struct BCFArchiveGenerator
{
    int topics = 3000;
    int viewpointsPerTopic = 1;
    int commentsPerTopic = 5;
    int snapshotBytes = 100 * 1024;
    bool version3 = false;

    // The two standard scenarios: 500 topics x 2 viewpoints x 150 KiB snapshots, and 3000 topics x
    // 1 viewpoint x 100 KiB snapshot x 5 comments.
    static BCFArchiveGenerator manyViewpoints();
    static BCFArchiveGenerator manyTopics();

    // Writes the archive; false when it cannot be written.
    bool writeArchive(const QString& fileName) const;
    // Writes the same files as a folder tree under dir (for "zip -r" comparisons).
    bool writeTree(const QString& dir) const;

    // Sum of the uncompressed sizes of all files: what a loader has to hold at least.
    qint64 payloadBytes() const;
    int entryCount() const { return (version3 ? 3 : 2) + topics * (1 + 2 * viewpointsPerTopic); }
    QString describe() const;

    // Identifiers and content, for checks after a load.
    static QString topicGuid(int topic);
    static QString viewpointGuid(int topic, int viewpoint);
    static QString commentGuid(int topic, int comment);
    QByteArray snapshot(int topic, int viewpoint) const;
    QByteArray markup(int topic) const;
    QByteArray visualizationInfo(int topic, int viewpoint) const;
    QByteArray versionFile() const;
    QByteArray projectFile() const;
    QByteArray extensionsFile() const;
    static QString viewpointFileName(int topic, int viewpoint);
    static QString snapshotFileName(int topic, int viewpoint);
};
