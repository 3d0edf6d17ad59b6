#include "ProblemList.h"

namespace BCFLib {

void ProblemList::add(ValidationProblem::Severity severity, const QString& check, const QString& entry, int line,
                      int column, const QString& message)
{
    ValidationProblem problem;
    problem.severity = severity;
    problem.check = check;
    problem.entry = entry;
    problem.line = qMax(0, line);
    problem.column = qMax(0, column);
    problem.message = message;
    m_items.append(problem);
}

} // namespace BCFLib
