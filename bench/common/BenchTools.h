#pragma once

#include <QString>
#include <QStringList>

namespace BenchTools {

// Peak resident memory of this process in bytes (VmHWM), or -1 where the system does not tell.
qint64 peakResidentBytes();

// Runs program with arguments (in workingDir when given) and returns its wall time in
// milliseconds, or -1 when it is missing or fails.
qint64 timeProcess(const QString& program, const QStringList& arguments, const QString& workingDir = QString());

// "318.4 MB" style text for a byte count (decimal megabytes).
QString megabytes(qint64 bytes);

} // namespace BenchTools
