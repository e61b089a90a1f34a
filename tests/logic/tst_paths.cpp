// Path joining and the name list split: the rules the preview and creation share.

#include "editor/namelist.h"
#include "platform/paths.h"

#include <QDir>
#include <QTest>

using namespace ramulo;

class TstPaths : public QObject {
    Q_OBJECT
private slots:
    void paths();
    void splitLines_data();
    void splitLines();
};

void TstPaths::paths() {
    const QString s = QDir::separator();
    // A root ends with the separator and gets no second one.
    QCOMPARE(joinPath(s, "A"), s + "A");
    QCOMPARE(joinPath(s + "d", " a b "), s + "d" + s + " a b ");
    QCOMPARE(presetsFolder(s), s + "presets");
    QCOMPARE(presetsFolder(s + "Outils"), s + "Outils" + s + "presets");
    // Only a root keeps its final separator once displayed.
    QCOMPARE(displayPath(QDir::rootPath()), QDir::toNativeSeparators(QDir::rootPath()));
    const QString tmp = QDir::toNativeSeparators(QDir::cleanPath(QDir::tempPath()));
    QCOMPARE(displayPath(QDir::tempPath() + "/./a/../"), tmp);
    QCOMPARE(unreadableFolder(QDir::tempPath()), std::nullopt);
    QVERIFY(unreadableFolder(QDir::tempPath() + "/absent-ramulo").has_value());
}

void TstPaths::splitLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty editor gives no line") << "" << QStringList{};
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
