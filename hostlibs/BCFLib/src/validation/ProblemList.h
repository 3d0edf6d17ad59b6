#pragma once

#include "BCFLib/ValidationProblem.h"

#include <QVector>

namespace BCFLib {

// Collects the findings of the validation steps.
class ProblemList
{
public:
    void error(const QString& check, const QString& entry, int line, const QString& message)
    {
        add(ValidationProblem::Error, check, entry, line, 0, message);
    }
    void warning(const QString& check, const QString& entry, int line, const QString& message)
    {
        add(ValidationProblem::Warning, check, entry, line, 0, message);
    }
    void add(ValidationProblem::Severity severity, const QString& check, const QString& entry, int line, int column,
             const QString& message);

    const QVector<ValidationProblem>& items() const { return m_items; }

private:
    QVector<ValidationProblem> m_items;
};

} // namespace BCFLib
