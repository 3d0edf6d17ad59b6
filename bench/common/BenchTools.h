#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QTextStream;
struct BCFArchiveGenerator;

namespace BenchTools {

// Peak resident memory of this process in bytes (VmHWM), or -1 where the system does not tell.
qint64 peakResidentBytes();

// Current resident memory of this process in bytes (VmRSS), or -1 where the system does not tell.
qint64 residentBytes();

// Runs program with arguments (in workingDir when given) and returns its wall time in
// milliseconds, or -1 when it is missing or fails.
qint64 timeProcess(const QString& program, const QStringList& arguments, const QString& workingDir = QString());

// The median of values (the upper one of an even count); 0 when there are none.
double median(std::vector<double> values);
// "318.4 MB" style text for a byte count (decimal megabytes).
QString megabytes(qint64 bytes);

// The report stream of a benchmark (standard output).
QTextStream& out();

// "load 900 ms vs unzip -t 800 ms: 1.12x (target <= 1.2x)", or "load 900 ms (unzip not available)"
// when the floor could not be measured (floorMs not above zero).
QString againstFloor(const QString& what, qint64 ms, const QString& floorCommand, qint64 floorMs,
                     const QString& floorProgram, double target);

// One standard scenario: its name, its generator, the number of runs and a folder for its data.
// Returns false when the scenario failed or its result is incomplete.
using Scenario = std::function<bool(const QString& name, const BCFArchiveGenerator& generator, int runs,
                                    const QString& dir)>;

// Runs the standard scenarios (BCFArchiveGenerator::manyViewpoints as "viewpoints",
// manyTopics as "topics") that the options "--scenario viewpoints|topics|all" (default all) and
// "--runs N" (default 3) of args select, in BCF 2.1 or, with "--version 3.0", BCF 3.0, with their data in a temporary folder named after
// benchName that is removed afterwards. Returns the exit code: 0 when all passed, 1 when one
// failed, 2 when there is no temporary folder.
int runStandardScenarios(const QStringList& args, const QString& benchName, const Scenario& scenario);

} // namespace BenchTools
