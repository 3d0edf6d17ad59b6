#include "CheckCommand.h"

#include "Console.h"
#include "ExitCode.h"

#include "BCFLib/ArchiveValidator.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace BCFTool {

namespace {

QJsonObject toJson(const BCFLib::ValidationProblem& problem)
{
    QJsonObject object;
    object.insert(QStringLiteral("severity"), problem.severityText());
    object.insert(QStringLiteral("entry"), problem.entry);
    object.insert(QStringLiteral("line"), problem.line > 0 ? QJsonValue(problem.line) : QJsonValue());
    object.insert(QStringLiteral("column"), problem.column > 0 ? QJsonValue(problem.column) : QJsonValue());
    object.insert(QStringLiteral("check"), problem.check);
    object.insert(QStringLiteral("message"), problem.message);
    return object;
}

} // namespace

int CheckCommand::run(const QString& path, const QString& schemaFolder, bool json)
{
    if (!schemaFolder.isEmpty() && !QFileInfo(schemaFolder).isDir()) {
        Console::error(QStringLiteral("--schemas: %1 is not a folder").arg(Console::printable(schemaFolder)));
        Console::error(QStringLiteral("try 'bcftool --help'"));
        return UsageError;
    }
    BCFLib::ArchiveValidator validator;
    validator.setSchemaFolder(schemaFolder);
    const BCFLib::ArchiveValidator::Result result = validator.validate(path);
    if (result == BCFLib::ArchiveValidator::Unreadable) {
        Console::error(QStringLiteral("%1: cannot be checked: %2")
                           .arg(Console::printable(path), Console::printable(validator.errorString())));
        return UnreadableFile;
    }
    const QVector<BCFLib::ValidationProblem> problems = validator.problems();
    const QString version = validator.version().isEmpty() ? QStringLiteral("unknown") : validator.version();

    if (json) {
        QJsonObject root;
        root.insert(QStringLiteral("file"), QFileInfo(path).absoluteFilePath());
        root.insert(QStringLiteral("version"), validator.version());
        QJsonObject schemas;
        schemas.insert(QStringLiteral("checked"), validator.schemasChecked());
        schemas.insert(QStringLiteral("folder"), schemaFolder.isEmpty() ? QJsonValue() : QJsonValue(schemaFolder));
        schemas.insert(QStringLiteral("note"), validator.schemaNote());
        root.insert(QStringLiteral("schemas"), schemas);
        QJsonArray list;
        for (const BCFLib::ValidationProblem& problem : problems)
            list.append(toJson(problem));
        root.insert(QStringLiteral("problems"), list);
        Console::out(QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented)).trimmed());
    } else {
        if (!validator.schemasChecked())
            Console::out(QStringLiteral("Schema checks skipped: %1").arg(Console::printable(validator.schemaNote())));
        for (const BCFLib::ValidationProblem& problem : problems)
            Console::out(Console::printable(problem.toString()));
        int errors = 0;
        for (const BCFLib::ValidationProblem& problem : problems)
            errors += problem.severity == BCFLib::ValidationProblem::Error ? 1 : 0;
        if (problems.isEmpty())
            Console::out(QStringLiteral("%1: no problems found (BCF %2)").arg(Console::printable(path), version));
        else
            Console::out(QStringLiteral("%1: %2 problem(s), %3 error(s) and %4 warning(s) (BCF %5)")
                             .arg(Console::printable(path))
                             .arg(problems.size())
                             .arg(errors)
                             .arg(problems.size() - errors)
                             .arg(version));
    }
    return problems.isEmpty() ? Success : ProblemsFound;
}

} // namespace BCFTool
