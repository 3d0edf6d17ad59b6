#pragma once

#include "BCFLib/BCFModel.h"
#include "BCFLib/ReadLimits.h"

#include "BCFTestSupport/TestMain.h"

#include <QByteArray>
#include <QMap>
#include <QStringList>
#include <QSharedPointer>
#include <QString>

namespace BCFLibTest {

// Reads archive bytes as a file on disk would be read.
QSharedPointer<BCFLib::BCFModel> load(const QByteArray& archive, const BCFLib::ReadLimits& limits = BCFLib::ReadLimits());
QSharedPointer<BCFLib::BCFModel> loadFile(const QString& fileName);

// A minimal valid BCF 2.1 markup for a topic.
QByteArray markup(const QString& topicGuid, const QString& title, const QString& extra = QString());
QByteArray versionFile(const QString& versionId = QStringLiteral("2.1"));
// A real PNG image of that size.
QByteArray pngImage(int width, int height);

// Archives the project makes itself, so that a clone without the shared data still tests every
// layer: "generated <version>" (the benchmarks' generator: two topics, two viewpoints and a comment
// each), "fixture 3.0" (the tree under tests/data/validation/3.0) and "field 2.0" (the BCF
// 2.0-style tree under tests/data/field20). Their entries by name:
using Entries = QMap<QString, QByteArray>;
Entries localEntries(const QString& name);
bool writeEntries(const QString& fileName, const Entries& entries);
// The archive written once per run into a temporary folder; empty when it cannot be written.
QString localArchive(const QString& name);

// False, after failing the test under CI=true and skipping it elsewhere, when the shared data
// (bcfSharedDir()) is missing. Use as: if (!BCFLibTest::sharedDataAt()) return;
bool sharedDataAt();
// For a _data function: the column "fileName" with, per version, a row per local archive (when
// local) and one per official case when the shared data is there. Without it: under CI=true a
// row naming the missing folder (which fails to load); elsewhere the official rows are left out,
// and the test function is skipped when no row is left.
void addCaseRows(const QStringList& versions, bool local = true);

} // namespace BCFLibTest
