#pragma once

#include <QString>

namespace BCFTool {

// The demonstration document of "bcftool sample": a small design review of an office building
// with three topics, their comments and viewpoints (cameras, a markup line, a clipping plane,
// selected components) and generated snapshot images. Identifiers and dates are fixed, so every
// run writes the same content.
class SampleDocument
{
public:
    // Builds the document through BCFFileApi and writes it as BCF 2.1; false when it cannot be written.
    static bool write(const QString& path);
};

} // namespace BCFTool
