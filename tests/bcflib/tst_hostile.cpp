#include "TestHelpers.h"
class T : public QObject { Q_OBJECT };
BCFLIB_TEST_MAIN(T)
#include "tst_hostile.moc"
