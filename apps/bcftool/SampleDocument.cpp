#include "SampleDocument.h"

#include "SnapshotPainter.h"

#include "BCFapi/BCFFileApi.h"
#include "BCFapi/BCFKeys.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/Project.h"

#include <QColor>
#include <QStringList>

namespace BCFTool {

using namespace Vexamo;

namespace {

QVariantMap point(double x, double y, double z)
{
    return QVariantMap{{BCFKeys::X, x}, {BCFKeys::Y, y}, {BCFKeys::Z, z}};
}

QVariantMap comment(const QString& guid, const QString& text, const QString& author, const QString& date)
{
    return QVariantMap{{BCFKeys::Guid, guid}, {BCFKeys::Comment, text}, {BCFKeys::Author, author}, {BCFKeys::Date, date}};
}

QVariantMap perspectiveViewpoint(const QString& guid, const QVariantMap& position, const QVariantMap& direction)
{
    const QVariantMap camera{{BCFKeys::CameraViewPoint, position},
                             {BCFKeys::CameraDirection, direction},
                             {BCFKeys::CameraUpVector, point(0, 0, 1)},
                             {BCFKeys::FieldOfView, 60.0}};
    return QVariantMap{{BCFKeys::Guid, guid}, {BCFKeys::PerspectiveCamera, camera}};
}

QVariantMap selection(const QStringList& ifcGuids)
{
    QVariantList components;
    for (const QString& ifcGuid : ifcGuids) {
        components.append(QVariantMap{{BCFKeys::IfcGuid, ifcGuid},
                                      {BCFKeys::OriginatingSystem, QStringLiteral("Example Modeller 2026")}});
    }
    return QVariantMap{{BCFKeys::Selection, components}};
}

void addSnapshot(BCFFileApi& api, const QString& topic, const QString& viewpoint, int variant,
                 const QString& caption, const QColor& highlight)
{
    QByteArray png = SnapshotPainter::paint(variant, caption, highlight);
    api.editSnapshotContent(topic, viewpoint, &png, QString());
}

void addDoorTopic(BCFFileApi& api)
{
    const QString topic = QStringLiteral("23b8c1e9-3924-46de-beb1-3b9046685257");
    api.createTopic(QVariantMap{{BCFKeys::Guid, topic},
                                {BCFKeys::Title, QStringLiteral("Entrance door clashes with ventilation duct")},
                                {BCFKeys::TopicType, QStringLiteral("Clash")},
                                {BCFKeys::TopicStatus, QStringLiteral("Open")},
                                {BCFKeys::Priority, QStringLiteral("High")},
                                {BCFKeys::Labels, QStringList{QStringLiteral("Architecture"), QStringLiteral("HVAC")}},
                                {BCFKeys::AssignedTo, QStringLiteral("anna.berg@example.com")},
                                {BCFKeys::CreationDate, QStringLiteral("2026-03-02T09:15:00Z")},
                                {BCFKeys::CreationAuthor, QStringLiteral("jonas.meier@example.com")},
                                {BCFKeys::Description,
                                 QStringLiteral("The supply duct above the main entrance runs through the door "
                                                "frame. Lower the duct or move the door 300 mm to the east.")}},
                    QString());
    api.createComment(topic,
                      comment(QStringLiteral("17fc695a-07a0-4a6e-8822-e8f36c031199"),
                              QStringLiteral("Found in the coordination model of week 9."),
                              QStringLiteral("jonas.meier@example.com"), QStringLiteral("2026-03-02T09:16:00Z")),
                      QString());
    api.createComment(topic,
                      comment(QStringLiteral("9a1de644-815e-46d1-bb8f-aa1837f8a88b"),
                              QStringLiteral("HVAC can lower the duct by 250 mm; is that enough?"),
                              QStringLiteral("anna.berg@example.com"), QStringLiteral("2026-03-03T14:02:00Z")),
                      QString());
    const QString viewpoint = api.createViewpoint(
        topic,
        perspectiveViewpoint(QStringLiteral("6c307511-b2b9-437a-a8df-6ec4ce4a2bbd"), point(12.5, -18.0, 1.7),
                             point(-0.35, 0.94, 0.0)),
        QString());
    api.setComponent(topic, viewpoint,
                     selection({QStringLiteral("2MF28NhmDBiRVyFakgdbCT"), QStringLiteral("0K2pX4Q1n7BuWzm$B3vz_q")}),
                     QString());
    addSnapshot(api, topic, viewpoint, 0, QStringLiteral("Entrance door / supply duct"), QColor(0xd6, 0x28, 0x28));
}

void addFireRatingTopic(BCFFileApi& api)
{
    const QString topic = QStringLiteral("bd9c66b3-ad3c-4d6d-9a3d-1fa7bc8960a9");
    api.createTopic(QVariantMap{{BCFKeys::Guid, topic},
                                {BCFKeys::Title, QStringLiteral("Fire rating missing on stair core walls")},
                                {BCFKeys::TopicType, QStringLiteral("Issue")},
                                {BCFKeys::TopicStatus, QStringLiteral("In Progress")},
                                {BCFKeys::Priority, QStringLiteral("Normal")},
                                {BCFKeys::Labels, QStringList{QStringLiteral("Fire safety")}},
                                {BCFKeys::AssignedTo, QStringLiteral("lea.novak@example.com")},
                                {BCFKeys::CreationDate, QStringLiteral("2026-03-04T10:30:00Z")},
                                {BCFKeys::CreationAuthor, QStringLiteral("anna.berg@example.com")},
                                {BCFKeys::Description,
                                 QStringLiteral("The walls of the north stair core have no FireRating "
                                                "property. They need REI 90.")}},
                    QString());
    api.createComment(topic,
                      comment(QStringLiteral("b74d0fb1-32e7-4629-8fad-c1a606cb0fb3"),
                              QStringLiteral("Property set will be added in the next model issue."),
                              QStringLiteral("lea.novak@example.com"), QStringLiteral("2026-03-05T08:45:00Z")),
                      QString());

    const QVariantMap camera{{BCFKeys::CameraViewPoint, point(30.0, 4.0, 25.0)},
                             {BCFKeys::CameraDirection, point(0, 0, -1)},
                             {BCFKeys::CameraUpVector, point(0, 1, 0)},
                             {BCFKeys::ViewToWorldScale, 18.0}};
    const QVariantList lines{QVariantMap{{BCFKeys::StartPoint, point(24.0, 2.0, 0.0)},
                                         {BCFKeys::EndPoint, point(24.0, 9.5, 0.0)}}};
    const QVariantList planes{QVariantMap{{BCFKeys::Location, point(0, 0, 4.2)},
                                          {BCFKeys::Direction, point(0, 0, 1)}}};
    const QString viewpoint = api.createViewpoint(topic,
                                                  QVariantMap{{BCFKeys::Guid, QStringLiteral("371ecd7b-27cd-4130-8722-9389571aa876")},
                                                              {BCFKeys::OrthogonalCamera, camera},
                                                              {BCFKeys::Lines, lines},
                                                              {BCFKeys::ClippingPlanes, planes}},
                                                  QString());
    addSnapshot(api, topic, viewpoint, 1, QStringLiteral("North stair core, level 3"), QColor(0xe6, 0x8a, 0x00));
}

void addRailingTopic(BCFFileApi& api)
{
    const QString topic = QStringLiteral("972a8469-1641-4f82-8b9d-2434e465e150");
    api.createTopic(QVariantMap{{BCFKeys::Guid, topic},
                                {BCFKeys::Title, QStringLiteral("Check railing height on roof terrace")},
                                {BCFKeys::TopicType, QStringLiteral("Request")},
                                {BCFKeys::TopicStatus, QStringLiteral("Closed")},
                                {BCFKeys::Priority, QStringLiteral("Low")},
                                {BCFKeys::AssignedTo, QStringLiteral("jonas.meier@example.com")},
                                {BCFKeys::CreationDate, QStringLiteral("2026-03-06T16:20:00Z")},
                                {BCFKeys::CreationAuthor, QStringLiteral("lea.novak@example.com")},
                                {BCFKeys::Description,
                                 QStringLiteral("Railing must be at least 1.10 m above the finished roof level.")},
                                {BCFKeys::RelatedTopics, QStringList{QStringLiteral("23b8c1e9-3924-46de-beb1-3b9046685257")}}},
                    QString());
    api.createComment(topic,
                      comment(QStringLiteral("6b65a6a4-8b81-48f6-b38a-088ca65ed389"),
                              QStringLiteral("Measured in the model: 1.00 m."), QStringLiteral("lea.novak@example.com"),
                              QStringLiteral("2026-03-06T16:25:00Z")),
                      QString());
    api.createComment(topic,
                      comment(QStringLiteral("47378190-96da-4dac-b2ff-5d2a386ecbe0"),
                              QStringLiteral("Raised to 1.10 m in revision C."), QStringLiteral("jonas.meier@example.com"),
                              QStringLiteral("2026-03-09T11:00:00Z")),
                      QString());
    api.createComment(topic,
                      comment(QStringLiteral("c241330b-01a9-471f-9e8a-774bcf36d58b"), QStringLiteral("Checked, closing."),
                              QStringLiteral("lea.novak@example.com"), QStringLiteral("2026-03-10T09:30:00Z")),
                      QString());
    const QString first = api.createViewpoint(
        topic,
        perspectiveViewpoint(QStringLiteral("1a2a73ed-562b-4f79-8374-59eef50bea63"), point(-6.0, 14.0, 22.0),
                             point(0.6, -0.5, -0.62)),
        QString());
    addSnapshot(api, topic, first, 2, QStringLiteral("Roof terrace railing"), QColor(0x2e, 0x8b, 0x57));
    // A second viewpoint without a snapshot: a camera only.
    api.createViewpoint(topic,
                        perspectiveViewpoint(QStringLiteral("5be6128e-18c2-4797-a142-ea7d17be3111"),
                                             point(4.0, 20.0, 21.5), point(0.0, -1.0, 0.0)),
                        QString());
}

} // namespace

bool SampleDocument::write(const QString& path)
{
    const QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create();
    BCFLib::Project* project = model->addProject(QStringLiteral("bdd640fb-0667-4ad1-9c80-317fa3b1799d"));
    project->setName(QStringLiteral("Riverside Office - design review"));
    {
        BCFFileApi api(model, nullptr);
        addDoorTopic(api);
        addFireRatingTopic(api);
        addRailingTopic(api);
    }
    return model->serialize(path);
}

} // namespace BCFTool
