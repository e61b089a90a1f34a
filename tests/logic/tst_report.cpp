#include <QTest>
class X : public QObject {
    Q_OBJECT private slots : void none() { QVERIFY(false); }
};
QTEST_MAIN(X)
#include "tst_report.moc"
