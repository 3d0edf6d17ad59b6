#pragma once

#include <QObject>
#include <QString>

class QMessageBox;

namespace BCFTool {

// Answers the message boxes that the library opens (it reports to the user with static QMessageBox
// calls): each box is printed on stderr as "bcftool: <title>: <text>" and closed at once, with Ok,
// or No when the box asks a question, so that the tool never waits for a click.
class MessageBoxPrinter : public QObject
{
    Q_OBJECT

public:
    explicit MessageBoxPrinter(QObject* parent = nullptr);
    ~MessageBoxPrinter() override;

    int count() const { return m_count; }

signals:
    // Emitted from inside the box's own event loop, just after the answer was given.
    void answered(const QString& title, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void answer(QMessageBox* box);

    int m_count = 0;
};

} // namespace BCFTool
