#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QObject>
#include <QPointer>
#include <QSharedPointer>
#include <QString>

class QThread;

namespace BCFLib {

class BCFModel;

// Loads a BCF archive into a new model. Create it on the thread that will use the model, move it
// to a reader thread and invoke doLoad() there (queued). doLoad() reports progress through
// addMaxSig/addStepsSig, hands the model to the creating thread and emits loadingFinished().
// model() is valid after loadingFinished(); check the result with BCFModel::isValid().
class BCFLIB_EXPORT BCFLoadingWorker : public QObject
{
    Q_OBJECT
public:
    explicit BCFLoadingWorker(QString fileName, QObject* parent = nullptr);
    ~BCFLoadingWorker() override;

    QSharedPointer<BCFModel> model() const { return m_model; }
    QString filename() const { return m_fileName; }
    // Leaves the snapshots in the file until they are asked for (see
    // BCFArchiveReader::setDeferredImages); set before doLoad().
    void setDeferredImages(bool deferred) { m_deferImages = deferred; }

    Q_INVOKABLE void doLoad();

signals:
    void addMaxSig(qlonglong max);
    void addStepsSig(qlonglong steps);
    void loadingFinished();

private:
    QString m_fileName;
    bool m_deferImages = false;
    QPointer<QThread> m_creatorThread;
    QSharedPointer<BCFModel> m_model;
};

} // namespace BCFLib
