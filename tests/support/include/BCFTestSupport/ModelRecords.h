#pragma once

#include "BCFLib/BCFModel.h"

#include <QSharedPointer>
#include <QStringList>
#include <QVariant>

namespace BCFTest {

// The official test cases of a BCF version: every *.bcf under testcases/<version> of
// bcfSharedDir(), sorted.
QStringList officialCases(const QString& version = QStringLiteral("2.1"));
// For a _data function: the column "fileName" with one row per official case. Skips the test
// function, with a visible message, when the shared data or the cases are missing.
void addOfficialCaseRows(const QString& version = QStringLiteral("2.1"));

// Loads a file the way the application does (BCFLoadingWorker::doLoad, then model()).
QSharedPointer<BCFLib::BCFModel> loadAsViewer(const QString& fileName);

// How a record is compared after a save.
enum class RecordForm {
    AsRead,           // as the model gives it
    WithoutFileNames, // without what the writer names itself: viewpoint and snapshot files, bitmap guids
    AsWritten21,      // WithoutFileNames, with the BCF 2.1 writer's rules applied (see ModelRecords.cpp)
    AsWritten30       // AsWritten21's rules that 3.0 shares, with its defaults, lower-case guids and
                      // without what one side of a 2.1/3.0 conversion cannot hold (apply to both sides)
};
QVariantMap topicRecordIn(QVariantMap topic, RecordForm form);

// The records of a model: "version", "project", "extension_schema", "extension_schema_data" and
// "topics" (Topic::toQVariant of each, in order, with "snapshots": viewpoint guid -> bytes).
QVariantMap modelRecord(const BCFLib::BCFModel& model, RecordForm form = RecordForm::AsRead);

// Compares two records recursively, values under date keys ("date", "*_date") as instants.
// Returns an empty string when equal, else the path and values of the first difference.
QString compareRecords(const QVariant& expected, const QVariant& actual, const QString& path = QString());

} // namespace BCFTest
