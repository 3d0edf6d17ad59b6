#pragma once

#include <QObject>
#include <QString>

namespace Vexamo {
class OperationStatusSink;
}

namespace BCFTool {

// Shows the progress of long operations (loading a file, ...) as one updating line on stderr,
// but only when stderr is a terminal: pipes and log files get no progress noise.
class TerminalProgress : public QObject
{
    Q_OBJECT

public:
    explicit TerminalProgress(QObject* parent = nullptr);
    ~TerminalProgress() override;

private:
    void show(const QString& title, qint64 value, qint64 maximum);
    void clear();

    Vexamo::OperationStatusSink* m_sink = nullptr;
};

} // namespace BCFTool
