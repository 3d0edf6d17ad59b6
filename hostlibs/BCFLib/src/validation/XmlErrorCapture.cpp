#include "XmlErrorCapture.h"

#include "ProblemList.h"

#include <libxml/globals.h>

namespace BCFLib {

XmlErrorCapture::XmlErrorCapture(ProblemList& problems, const QString& check, const QString& entry)
    : m_problems(problems)
    , m_check(check)
    , m_entry(entry)
    , m_previousStructured(xmlStructuredError)
    , m_previousStructuredData(xmlStructuredErrorContext)
    , m_previousGeneric(xmlGenericError)
    , m_previousGenericData(xmlGenericErrorContext)
{
    xmlSetStructuredErrorFunc(this, &XmlErrorCapture::handle);
    xmlSetGenericErrorFunc(nullptr, &XmlErrorCapture::ignoreGeneric);
}

XmlErrorCapture::~XmlErrorCapture()
{
    xmlSetStructuredErrorFunc(m_previousStructuredData, m_previousStructured);
    xmlSetGenericErrorFunc(m_previousGenericData, m_previousGeneric);
}

void XmlErrorCapture::handle(void* userData, xmlErrorPtr error)
{
    auto* capture = static_cast<XmlErrorCapture*>(userData);
    if (!capture || !error || error->level == XML_ERR_NONE)
        return;
    ++capture->m_count;
    const ValidationProblem::Severity severity
        = error->level == XML_ERR_WARNING ? ValidationProblem::Warning : ValidationProblem::Error;
    const QString message = QString::fromUtf8(error->message ? error->message : "unknown XML error").trimmed();
    capture->m_problems.add(severity, capture->m_check, capture->m_entry, error->line, error->int2, message);
}

} // namespace BCFLib
