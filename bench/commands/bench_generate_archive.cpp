// Writes one of the generator's standard archives, for the end-to-end command benchmark:
//   bench_generate_archive medium|large|small|lean OUT.bcf [TREE_DIR]
// medium: 500 topics x 2 viewpoints, 150 KiB snapshots; large: 3000 topics x 5 comments, 100 KiB
// snapshots; small: 3 topics made like the large ones; lean: the large topics with 1 KiB
// snapshots, a long open in a small file. With TREE_DIR the same files are also
// written there as a folder tree. Prints the guid of the first topic.
#include "BCFArchiveGenerator.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    const QString scenario = args.value(1);
    if (args.size() < 3 || args.size() > 4
        || (scenario != QLatin1String("medium") && scenario != QLatin1String("large")
            && scenario != QLatin1String("small") && scenario != QLatin1String("lean"))) {
        err << "usage: bench_generate_archive medium|large|small|lean OUT.bcf [TREE_DIR]\n";
        return 64;
    }
    BCFArchiveGenerator generator = scenario == QLatin1String("medium")
        ? BCFArchiveGenerator::manyViewpoints()
        : BCFArchiveGenerator::manyTopics();
    if (scenario == QLatin1String("small"))
        generator.topics = 3;
    if (scenario == QLatin1String("lean"))
        generator.snapshotBytes = 1024;
    if (!generator.writeArchive(args.at(2))) {
        err << "cannot write " << args.at(2) << "\n";
        return 1;
    }
    if (args.size() == 4 && !generator.writeTree(args.at(3))) {
        err << "cannot write the tree " << args.at(3) << "\n";
        return 1;
    }
    QTextStream(stdout) << BCFArchiveGenerator::topicGuid(0) << "\n";
    return 0;
}
