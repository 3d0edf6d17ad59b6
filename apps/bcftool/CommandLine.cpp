#include "CommandLine.h"

#include <QVector>

namespace BCFTool {

namespace {

struct CommandSpec {
    const char* name;
    int arguments;             // exact number of positional arguments
    QStringList valueOptions;  // options followed by a value ("--to 1.0" or "--to=1.0")
    QStringList flagOptions;   // options without a value
};

const QVector<CommandSpec>& commandSpecs()
{
    static const QVector<CommandSpec> specs = {
        {"info", 1, {}, {QStringLiteral("json")}},
        {"convert", 2, {QStringLiteral("to")}, {}},
        {"check", 1, {QStringLiteral("schemas")}, {QStringLiteral("json")}},
        {"sample", 1, {}, {}},
        {"open", 1, {}, {}},
        {"topics", 0, {}, {}},
        {"show", 1, {}, {}},
        // comment TOPIC TEXT, or comment TOPIC --file PATH; TEXT or PATH "-" reads standard input.
        {"comment", 2, {QStringLiteral("author"), QStringLiteral("file")}, {}},
        {"save", 1, {QStringLiteral("to")}, {}},
        {"export", 1, {}, {}},
    };
    return specs;
}

const CommandSpec* findSpec(const QString& name)
{
    for (const CommandSpec& spec : commandSpecs()) {
        if (name == QLatin1String(spec.name))
            return &spec;
    }
    return nullptr;
}

} // namespace

QString CommandLine::option(const QString& name, const QString& fallback) const
{
    return m_options.value(name, fallback);
}

bool CommandLine::fail(const QString& message)
{
    m_error = message;
    return false;
}

bool CommandLine::parse(const QStringList& arguments)
{
    m_help = false;
    m_command.clear();
    m_arguments.clear();
    m_options.clear();
    m_error.clear();

    if (arguments.isEmpty())
        return fail(QStringLiteral("no command given"));

    // Options are parsed against the command's own list, so the command comes first; --help may
    // stand anywhere before "--".
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            m_help = true;
            return true;
        }
    }

    m_command = arguments.first();
    const CommandSpec* spec = findSpec(m_command);
    if (!spec)
        return fail(QStringLiteral("unknown command '%1'").arg(m_command));

    bool optionsEnded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1String("--")) || argument.size() == 2) {
            if (!optionsEnded && argument == QLatin1String("--")) {
                optionsEnded = true;
                continue;
            }
            m_arguments.append(argument);
            continue;
        }
        QString name = argument.mid(2);
        QString value;
        bool hasInlineValue = false;
        const int equals = name.indexOf(QLatin1Char('='));
        if (equals >= 0) {
            value = name.mid(equals + 1);
            name = name.left(equals);
            hasInlineValue = true;
        }
        if (m_options.contains(name))
            return fail(QStringLiteral("option --%1 given twice").arg(name));
        if (spec->flagOptions.contains(name)) {
            if (hasInlineValue)
                return fail(QStringLiteral("option --%1 takes no value").arg(name));
            m_options.insert(name, QString());
        } else if (spec->valueOptions.contains(name)) {
            if (!hasInlineValue) {
                if (i + 1 >= arguments.size())
                    return fail(QStringLiteral("option --%1 needs a value").arg(name));
                value = arguments.at(++i);
            }
            m_options.insert(name, value);
        } else {
            return fail(QStringLiteral("unknown option --%1 for '%2'").arg(name, m_command));
        }
    }

    // The text of a comment comes either as an argument or from --file.
    const int expected = spec->arguments - (hasOption(QStringLiteral("file")) ? 1 : 0);
    if (m_arguments.size() != expected) {
        return fail(QStringLiteral("'%1' takes %2 argument(s), %3 given")
                        .arg(m_command)
                        .arg(expected)
                        .arg(m_arguments.size()));
    }
    if (hasOption(QStringLiteral("to"))) {
        const QString to = option(QStringLiteral("to"));
        if (to != QLatin1String("2.1") && to != QLatin1String("1.0") && to != QLatin1String("3.0"))
            return fail(QStringLiteral("--to takes 1.0, 2.1 or 3.0, not '%1'").arg(to));
        if (to == QLatin1String("1.0") && m_command == QLatin1String("save"))
            return fail(QStringLiteral("save --to takes 2.1 or 3.0; use 'export' for BCF 1.0"));
    }
    for (const QString& argument : qAsConst(m_arguments)) {
        if (argument.isEmpty())
            return fail(QStringLiteral("empty argument for '%1'").arg(m_command));
    }
    return true;
}

QString CommandLine::usage()
{
    return QStringLiteral(
        "Usage: bcftool COMMAND [ARGUMENTS]\n"
        "\n"
        "BCF files:\n"
        "  info FILE [--json]              version, project, validity and one line per topic\n"
        "                                  (--json: project and topic records as JSON)\n"
        "  convert IN OUT [--to 1.0|2.1|3.0]  write IN as BCF 2.1 (default), 3.0 or 1.0; what\n"
        "                                  the target version cannot hold is listed on stderr\n"
        "  check FILE [--schemas DIR] [--json]\n"
        "                                  validate FILE: its XML against the BCF schemas in DIR\n"
        "                                  (DIR/2.1/markup.xsd, ... or one version's folder; without\n"
        "                                  it the schema checks are skipped), ids, references,\n"
        "                                  images, dates and values; one line per problem\n"
        "  sample OUT                      write a small demonstration BCF 2.1 file\n"
        "\n"
        "Working cache (the viewer's document workflow, without a window):\n"
        "  open FILE                       load FILE into the working cache, replacing its content\n"
        "  topics                          list the topics of the working cache\n"
        "  show TOPIC                      show a topic with its comments and viewpoints\n"
        "  comment TOPIC TEXT [--author NAME]\n"
        "                                  add a comment to a topic (author: NAME, else $USER)\n"
        "  comment TOPIC --file PATH [--author NAME]\n"
        "                                  the same with the text of a file; TEXT or PATH \"-\"\n"
        "                                  reads the text from standard input\n"
        "  save OUT [--to 2.1|3.0]         write the working cache in its document's version (3.0\n"
        "                                  for a 3.0 file, else 2.1) or the one given; what the\n"
        "                                  target version cannot hold is listed on stderr\n"
        "  export OUT                      write the working cache as BCF 1.0\n"
        "\n"
        "TOPIC is a topic guid as listed by 'topics', or an unambiguous beginning of one.\n"
        "Use '--' before an argument that begins with '--'.\n"
        "\n"
        "Exit status:\n"
        "  0   success\n"
        "  1   check: the file has problems\n"
        "  2   the file is missing, unreadable or not a valid BCF file\n"
        "  3   the command could not be carried out (unwritable output, unknown topic, ...)\n"
        "  64  bad command line\n");
}

} // namespace BCFTool
