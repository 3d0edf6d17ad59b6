#pragma once

#include "BCFLib/ValidationProblem.h"

#include <QString>

#include <libxml/xmlerror.h>

namespace BCFLib {

class ProblemList;

// While it lives, libxml2's errors on this thread go to a ProblemList, attributed to one archive
// entry with their line and column, instead of to stderr. The previous handlers come back on
// destruction. Also usable as the context of a schema validation's structured error handler.
class XmlErrorCapture
{
public:
    XmlErrorCapture(ProblemList& problems, const QString& check, const QString& entry);
    ~XmlErrorCapture();
    XmlErrorCapture(const XmlErrorCapture&) = delete;
    XmlErrorCapture& operator=(const XmlErrorCapture&) = delete;

    void setEntry(const QString& entry) { m_entry = entry; }
    int count() const { return m_count; }

    // The structured handler; userData is an XmlErrorCapture.
    static void handle(void* userData, xmlErrorPtr error);

private:
    static void ignoreGeneric(void*, const char*, ...) {}

    ProblemList& m_problems;
    QString m_check;
    QString m_entry;
    int m_count = 0;
    xmlStructuredErrorFunc m_previousStructured;
    void* m_previousStructuredData;
    xmlGenericErrorFunc m_previousGeneric;
    void* m_previousGenericData;
};

} // namespace BCFLib
