#include "BCFLib/BCFArchiveWriter.h"

#include "ArchivePlan.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/Topic.h"
#include "DocumentInfoWriter.h"
#include "GuidScope.h"
#include "MarkupWriter.h"
#include "TopicLayout.h"
#include "VisualizationInfoWriter.h"
#include "ZipArchiveOutput.h"
#include "ZipEntryIndex.h"

#include <QCoreApplication>
#include <memory>
#include <vector>

namespace BCFLib {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("BCFLib::BCFArchiveWriter", text);
}

// Plain zip counts entries and sizes in 16 and 32 bits; beyond these (with room for headers and
// the central directory) the archive is written as Zip64.
const int sMaxPlainEntries = 65000;
const qint64 sMaxPlainBytes = 0xF0000000LL;

const QLatin1String sDefaultExtensionSchemaName("extensions.xsd");

} // namespace

BCFArchiveWriter::BCFArchiveWriter(const BCFModel& model)
    : m_model(model)
{
}

bool BCFArchiveWriter::write(const QString& fileName)
{
    m_error.clear();
    ArchivePlan plan;
    DocumentInfoWriter documentInfo;

    plan.setGroup(0);
    plan.setData(plan.addFile(QStringLiteral("bcf.version"), true),
                 documentInfo.writeVersion(m_model.version().detailedVersion()));
    const bool hasProjectFile = m_model.project() || !m_model.extensionSchema().isEmpty()
                                || !m_model.extensionSchemaData().isEmpty();
    const int projectEntry = hasProjectFile ? plan.addFile(QStringLiteral("project.bcfp"), true) : -1;

    // Topic folders and their own files first, so that no attachment can take their names.
    GuidScope topicScope;
    const QList<Topic*> topics = m_model.topics();
    std::vector<std::unique_ptr<TopicLayout>> layouts;
    layouts.reserve(size_t(topics.size()));
    for (int i = 0; i < topics.size(); ++i) {
        plan.setGroup(i + 1);
        auto layout = std::make_unique<TopicLayout>(*topics.at(i), topicScope.assign(topics.at(i)->guid()), topicScope);
        if (!layout->placeTopicFiles(plan)) {
            m_error = tr("The topic %1 cannot be written: its files collide with others.").arg(topics.at(i)->guid());
            return false;
        }
        layouts.push_back(std::move(layout));
    }

    if (hasProjectFile) {
        plan.setGroup(0);
        QString reference = m_model.extensionSchema();
        const QByteArray schema = m_model.extensionSchemaData();
        if (!schema.isEmpty()) {
            const QString wanted = ZipEntryIndex::resolve(QString(), reference);
            const QString path = plan.placeReferencedFile(wanted, QString(), sDefaultExtensionSchemaName, schema, true);
            if (path != wanted)
                reference = path;
        }
        plan.setData(projectEntry, documentInfo.writeProject(m_model.project(), reference));
    }

    MarkupWriter markupWriter;
    VisualizationInfoWriter visualizationWriter;
    for (size_t i = 0; i < layouts.size(); ++i) {
        TopicLayout& layout = *layouts[i];
        plan.setGroup(int(i) + 1);
        layout.placeAttachments(plan);
        plan.setData(layout.markupEntry(), markupWriter.write(layout));
        for (const TopicLayout::ViewpointFiles& files : layout.viewpoints())
            plan.setData(files.visualizationEntry,
                         visualizationWriter.write(*files.viewpoint, files.guid, files.bitmapReferences));
    }

    const bool zip64 = m_zip64Mode == Zip64Mode::Always || plan.entryCount() > sMaxPlainEntries
                       || plan.totalBytes() > sMaxPlainBytes;
    ZipArchiveOutput output(fileName);
    if (!output.open(zip64, plan.hasNonAsciiPaths())) {
        m_error = output.errorString();
        return false;
    }
    for (const ArchivePlan::Entry* entry : plan.orderedEntries()) {
        const bool written = entry->path.endsWith(QLatin1Char('/'))
                                 ? output.addDirectory(entry->path)
                                 : output.addFile(entry->path, entry->data, entry->compress);
        if (!written) {
            m_error = output.errorString();
            return false;
        }
    }
    if (!output.commit()) {
        m_error = output.errorString();
        return false;
    }
    return true;
}

// BCFModel's writing lives here, beside the writer it delegates to.
bool BCFModel::serialize(const QString& fileName)
{
    return BCFArchiveWriter(*this).write(fileName);
}

} // namespace BCFLib
