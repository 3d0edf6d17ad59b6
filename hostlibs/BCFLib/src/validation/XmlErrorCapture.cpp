#include "XmlErrorCapture.h"

#include "ProblemList.h"

#include <libxml/globals.h>

namespace BCFLib {

namespace {

// A damaged or foreign entry can give thousands of findings; the first ones tell what is wrong.
const int sMaxListed = 50;

} // namespace

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
    if (m_count > sMaxListed)
        m_problems.add(ValidationProblem::Error, m_check, m_entry, 0, 0,
                       QStringLiteral("%1 further problems of this entry are not listed").arg(m_count - sMaxListed));
    xmlSetStructuredErrorFunc(m_previousStructuredData, m_previousStructured);
    xmlSetGenericErrorFunc(m_previousGenericData, m_previousGeneric);
}

void XmlErrorCapture::handle(void* userData, xmlErrorPtr error)
{
    auto* capture = static_cast<XmlErrorCapture*>(userData);
    if (!capture || !error || error->level == XML_ERR_NONE)
        return;
    if (++capture->m_count > sMaxListed)
        return;
    const ValidationProblem::Severity severity
        = error->level == XML_ERR_WARNING ? ValidationProblem::Warning : ValidationProblem::Error;
    const QString message = QString::fromUtf8(error->message ? error->message : "unknown XML error").trimmed();
    capture->m_problems.add(severity, capture->m_check, capture->m_entry, error->line, error->int2, message);
}

} // namespace BCFLib
