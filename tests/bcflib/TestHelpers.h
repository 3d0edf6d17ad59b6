#pragma once

#include "BCFLib/BCFModel.h"
#include "BCFLib/ReadLimits.h"

#include "BCFTestSupport/TestMain.h"

#include <QByteArray>
#include <QSharedPointer>
#include <QString>

namespace BCFLibTest {

// Reads archive bytes as a file on disk would be read.
QSharedPointer<BCFLib::BCFModel> load(const QByteArray& archive, const BCFLib::ReadLimits& limits = BCFLib::ReadLimits());
QSharedPointer<BCFLib::BCFModel> loadFile(const QString& fileName);

// A minimal valid BCF 2.1 markup for a topic.
QByteArray markup(const QString& topicGuid, const QString& title, const QString& extra = QString());
QByteArray versionFile(const QString& versionId = QStringLiteral("2.1"));

} // namespace BCFLibTest
