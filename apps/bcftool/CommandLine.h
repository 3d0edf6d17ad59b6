#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace BCFTool {

// The parsed command line of bcftool: a command, its positional arguments and its options.
// parse() checks the command name, the number of arguments and which options the command takes;
// on a mistake it returns false and error() says what is wrong.
class CommandLine
{
public:
    // arguments: the command line without the program name.
    bool parse(const QStringList& arguments);

    bool helpRequested() const { return m_help; }
    QString command() const { return m_command; }
    QStringList arguments() const { return m_arguments; }
    QString argument(int index) const { return m_arguments.value(index); }
    bool hasOption(const QString& name) const { return m_options.contains(name); }
    QString option(const QString& name, const QString& fallback = QString()) const;
    QString error() const { return m_error; }

    static QString usage();

private:
    bool fail(const QString& message);

    bool m_help = false;
    QString m_command;
    QStringList m_arguments;
    QHash<QString, QString> m_options;
    QString m_error;
};

} // namespace BCFTool
