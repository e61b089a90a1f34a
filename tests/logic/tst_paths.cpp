// Paths as shown, and the name list split: rules the preview and creation share.

#include "editor/namelist.h"
#include "platform/paths.h"

#include <QDir>
#include <QTest>

using namespace ramulo;

class TstPaths : public QObject {
    Q_OBJECT
private slots:
    void displayPaths();
    void splitLines_data();
    void splitLines();
};

// Only a root keeps its final separator once displayed.
void TstPaths::displayPaths() {
    QCOMPARE(displayPath(QDir::rootPath()), QDir::toNativeSeparators(QDir::rootPath()));
    const QString tmp = QDir::toNativeSeparators(QDir::cleanPath(QDir::tempPath()));
    QCOMPARE(displayPath(QDir::tempPath() + "/./a/../"), tmp);
}

void TstPaths::splitLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty editor gives no line") << "" << QStringList{};
    QTest::newRow("final CR LF gives an empty last line") << "a\r\nb\r\n"
                                                          << QStringList{"a", "b", ""};
    QTest::newRow("empty lines kept") << "\r\na\r\n\r\nb" << QStringList{"", "a", "", "b"};
    QTest::newRow("CR CR LF") << "a\r\r\nb" << QStringList{"a\r", "b"};
}

void TstPaths::splitLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(ramulo::splitLines(text), lines);
}

QTEST_APPLESS_MAIN(TstPaths)
#include "tst_paths.moc"
