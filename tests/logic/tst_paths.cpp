// Path joining and the name list split: the rules the preview and creation
// share.

#include "editor/namelist.h"
#include "platform/paths.h"

#include <QDir>
#include <QTest>

using namespace ramulo;

class TstPaths : public QObject {
    Q_OBJECT
private slots:
    void joinPath_data();
    void joinPath();
    void presetsFolder_data();
    void presetsFolder();
    void displayPath();
    void splitLines_data();
    void splitLines();
};

void TstPaths::joinPath_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    const QString s = QDir::separator();
    QTest::newRow("root gets no second separator") << s << "A" << s + "A";
    QTest::newRow("folder gets one") << s + "home" + s + "x"
                                     << "A" << s + "home" + s + "x" + s + "A";
    QTest::newRow("name with spaces kept") << s + "d"
                                           << " a b " << s + "d" + s + " a b ";
}

void TstPaths::joinPath() {
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(ramulo::joinPath(folder, name), expected);
}

void TstPaths::presetsFolder_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("expected");
    const QString s = QDir::separator();
    QTest::newRow("program in a root") << s << s + "presets";
    QTest::newRow("program in a folder") << s + "Outils" << s + "Outils" + s + "presets";
}

void TstPaths::presetsFolder() {
    QFETCH(QString, program);
    QFETCH(QString, expected);
    QCOMPARE(ramulo::presetsFolder(program), expected);
}

void TstPaths::displayPath() {
    // Only a root keeps its final separator.
    const QString root = QDir::toNativeSeparators(QDir::rootPath());
    QCOMPARE(ramulo::displayPath(QDir::rootPath()), root);
    const QString tmp = QDir::tempPath();
    QVERIFY(!ramulo::displayPath(tmp + "/").endsWith(QDir::separator()));
    QCOMPARE(ramulo::displayPath(tmp + "/./a/../"), QDir::toNativeSeparators(QDir::cleanPath(tmp)));
}

void TstPaths::splitLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty editor gives no line") << "" << QStringList{};
    QTest::newRow("one line") << "a" << QStringList{"a"};
    QTest::newRow("final CR LF gives an empty last line") << "a\r\nb\r\n"
                                                          << QStringList{"a", "b", ""};
    QTest::newRow("empty lines kept") << "\r\na\r\n\r\nb" << QStringList{"", "a", "", "b"};
    QTest::newRow("lone CR and LF do not split") << "a\rb\nc\r\nd" << QStringList{"a\rb\nc", "d"};
    QTest::newRow("CR CR LF") << "a\r\r\nb" << QStringList{"a\r", "b"};
}

void TstPaths::splitLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(ramulo::splitLines(text), lines);
}

QTEST_APPLESS_MAIN(TstPaths)
#include "tst_paths.moc"
