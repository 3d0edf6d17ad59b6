#pragma once

#include <QString>
#include <functional>

namespace BCFLib {

class BCFModel;

// Reads a BCF 2.0 or 2.1 archive into a model (not exported).
class BCFArchiveReader
{
public:
    // Progress: the number of steps is announced once through addMax, then advanced by addSteps.
    using ProgressFunction = std::function<void(qint64)>;

    explicit BCFArchiveReader(BCFModel* model);
    void setProgress(ProgressFunction addMax, ProgressFunction addSteps);

    // Fills the model from the file. A file that cannot be used at all sets the model's load
    // error; skipped parts add load warnings. Returns false when the load error was set.
    bool read(const QString& fileName);

private:
    BCFModel* m_model;
    ProgressFunction m_addMax;
    ProgressFunction m_addSteps;
};

} // namespace BCFLib
