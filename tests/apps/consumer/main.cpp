// Builds a document in memory through BCFFileApi, copies it into a second store, exports it as
// BCF 1.0 and registers the stores: the public interface of the installed package, end to end.
#include "BCFapi/BCF1Export.h"
#include "BCFapi/BCFFileApi.h"
#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapiRegistry.h"
#include "BCFLib/BCFModel.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: consumer OUT.bcf\n");
        return 2;
    }
    using namespace Vexamo;

    BCFFileApi source(BCFLib::BCFModel::Create(), nullptr);
    const QString topic = source.createTopic(QVariantMap{{BCFKeys::Title, QStringLiteral("Consumer topic")},
                                                         {BCFKeys::TopicStatus, QStringLiteral("Open")}},
                                             QString());
    source.createComment(topic, QVariantMap{{BCFKeys::Comment, QStringLiteral("Linked against the package")},
                                            {BCFKeys::Author, QStringLiteral("consumer")}},
                         QString());

    BCFFileApi copy(BCFLib::BCFModel::Create(), nullptr);
    copy.copyFromInterface(source);
    BCFapiRegistry::Get()->registerBCFapi(&copy);

    BCF1Export exporter(&copy);
    const bool exported = exporter.serialize(QString::fromLocal8Bit(argv[1]));
    const int topics = copy.getTopic(QString()).size();
    const int comments = copy.getComment(copy.getTopic(QString()).value(0).toMap().value(BCFKeys::Guid).toString(), QString()).size();
    BCFapiRegistry::Get()->unregisterBCFapi(&copy);

    std::printf("topics=%d comments=%d exported=%s\n", topics, comments, exported ? "yes" : "no");
    return (exported && topics == 1 && comments == 1 && QFileInfo(QString::fromLocal8Bit(argv[1])).size() > 0) ? 0 : 1;
}
