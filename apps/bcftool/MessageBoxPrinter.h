#pragma once

#include <QObject>
#include <QString>

namespace BCFTool {

// Answers the message boxes that the library opens: while it lives it is the QtTools message-box
// answerer, so each box is printed on stderr as "bcftool: <title>: <text>" and answered at once,
// with No when the box offers it, else Ok, so that the tool never waits for a click.
class MessageBoxPrinter : public QObject
{
    Q_OBJECT

public:
    explicit MessageBoxPrinter(QObject* parent = nullptr);
    ~MessageBoxPrinter() override;

    int count() const { return m_count; }

signals:
    // Emitted from inside the library's call, just after the answer was given.
    void answered(const QString& title, const QString& text);

private:
    int m_count = 0;
};

} // namespace BCFTool
