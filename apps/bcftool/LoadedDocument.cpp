#include "LoadedDocument.h"

#include "BCFLib/BCFArchiveReader.h"
#include "BCFLib/BCFModel.h"
#include "QtTools/OperationStatus.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace BCFTool {

LoadedDocument LoadedDocument::read(const QString& path)
{
    LoadedDocument document;
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        document.m_title = QStringLiteral("Cannot open BCF file");
        document.m_message = info.exists() ? QStringLiteral("%1 is not a file").arg(path)
                                           : QStringLiteral("%1: no such file").arg(path);
        return document;
    }

    document.m_model = BCFLib::BCFModel::Create();
    {
        Vexamo::OperationStatus status(QStringLiteral("Reading %1").arg(info.fileName()), 0, true);
        BCFLib::BCFArchiveReader reader(document.m_model.data());
        reader.setProgress([&status](qint64 maximum) { status.addMax(qlonglong(maximum)); },
                           [&status](qint64 steps) { status.addStep(qlonglong(steps)); });
        // Commands read or convert the document once: its images stay in the file until a command
        // asks for one, so a large document does not sit in memory whole.
        reader.setDeferredImages(true);
        reader.read(path);
    }

    document.m_usable = document.m_model->isValid(info.fileName(), document.m_message, document.m_title);
    if (!document.m_usable && document.m_message.isEmpty()) {
        document.m_title = QStringLiteral("Cannot open BCF file");
        document.m_message = QStringLiteral("The file %1 could not be read.").arg(info.fileName());
    }
    return document;
}

} // namespace BCFTool
