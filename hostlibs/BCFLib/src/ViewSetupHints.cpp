#include "BCFLib/ViewSetupHints.h"

#include "BCFLib/RecordKeys.h"
#include "RecordValues.h"

namespace BCFLib {

namespace {

void insertFlag(QVariantMap& record, const QString& key, const std::optional<bool>& flag)
{
    if (flag)
        record.insert(key, *flag);
}

std::optional<bool> flagFromRecord(const QVariantMap& record, const QString& key)
{
    const QVariant value = record.value(key);
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    return RecordValues::boolFromRecord(value, false);
}

} // namespace

QVariantMap ViewSetupHints::toQVariant() const
{
    QVariantMap record;
    insertFlag(record, Keys::SpacesVisible, spacesVisible);
    insertFlag(record, Keys::SpaceBoundariesVisible, spaceBoundariesVisible);
    insertFlag(record, Keys::OpeningsVisible, openingsVisible);
    return record;
}

ViewSetupHints ViewSetupHints::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    ViewSetupHints hints;
    hints.spacesVisible = flagFromRecord(map, Keys::SpacesVisible);
    hints.spaceBoundariesVisible = flagFromRecord(map, Keys::SpaceBoundariesVisible);
    hints.openingsVisible = flagFromRecord(map, Keys::OpeningsVisible);
    return hints;
}

} // namespace BCFLib
