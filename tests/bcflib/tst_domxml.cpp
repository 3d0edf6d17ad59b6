// The DOM builders that the BCF 1.0 exporter and the writer use.

#include "BCFLib/DOMXml.h"
#include "TestHelpers.h"

#include <QLocale>
#include <cmath>
#include <limits>

using Vexamo::DOMXml;

class TestDomXml : public QObject
{
    Q_OBJECT

private slots:
    void elements();
    void shortestNumbers_data();
    void shortestNumbers();
};

void TestDomXml::elements()
{
    QDomDocument doc;
    // Point from a record as the model writes it, also with numbers as text (JSON round trips).
    const QVariantMap point{{QStringLiteral("x"), 1.5}, {QStringLiteral("y"), QStringLiteral("-2")}, {QStringLiteral("z"), 0.1}};
    const QDomElement element = DOMXml::createPointElement(doc, QStringLiteral("CameraViewPoint"), point);
    QCOMPARE(element.tagName(), QStringLiteral("CameraViewPoint"));
    QStringList children;
    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        children.append(child.tagName() + QLatin1Char('=') + child.text());
    QCOMPARE(children, (QStringList{"X=1.5", "Y=-2", "Z=0.1"}));

    QDomElement parent = doc.createElement(QStringLiteral("OrthogonalCamera"));
    DOMXml::AddNumberElement(doc, parent, QStringLiteral("ViewToWorldScale"), 12.25);
    QCOMPARE(parent.firstChildElement(QStringLiteral("ViewToWorldScale")).text(), QStringLiteral("12.25"));
}

void TestDomXml::shortestNumbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("integer") << 60.0 << "60";
    QTest::newRow("tenth") << 0.1 << "0.1";
    QTest::newRow("sum") << 0.1 + 0.2 << "0.30000000000000004";
    QTest::newRow("negative") << -0.548840699373907 << "-0.548840699373907";
    QTest::newRow("large") << 1e21 << "1e+21";
    QTest::newRow("tiny") << 5e-324 << "4.9406564584124654e-324";
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << "NaN";
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "INF";
    QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity() << "-INF";
}

void TestDomXml::shortestNumbers()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    // The text does not depend on the user's locale.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString written = DOMXml::numberText(value);
    QLocale::setDefault(QLocale::c());
    if (text == QLatin1String("4.9406564584124654e-324")) {
        QCOMPARE(written.toDouble(), value); // any shortest spelling of the smallest denormal reads back
        QVERIFY(written.size() <= text.size());
        return;
    }
    QCOMPARE(written, text);
    if (std::isfinite(value))
        QCOMPARE(written.toDouble(), value);
}

BCF_TEST_MAIN(TestDomXml)
#include "tst_domxml.moc"
