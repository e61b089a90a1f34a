// The event rules every control of the window follows.

#include "platform/controls.h"
#include "platform/editor_box.h"
#include "platform/folder_lists.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace ramulo;

class TstControls : public QObject {
    Q_OBJECT
private slots:
    // A user's pick clicks once, the entry already shown too.
    void comboBoxClicks() {
        ComboBox combo;
        combo.setEntries({"a", "b", "c"});
        QSignalSpy clicks(&combo, &ComboBox::Click);
        combo.setCurrentIndex(1); // from code; the user then picks it again
        QCOMPARE(clicks.count(), 1);
        for (const int row : {1, 0}) {
            clicks.clear();
            combo.showPopup();
            combo.view()->setCurrentIndex(combo.model()->index(row, 0));
            QTest::keyClick(combo.view(), Qt::Key_Return);
            QCOMPARE(clicks.count(), 1);
        }
    }

    // A click follows each change of value; the user's click never grays the box.
    void checkBoxValues() {
        CheckBox box("x");
        QList<int> seen;
        connect(&box, &CheckBox::Click, [&] { seen << box.value(); });
        for (const int value : {1, 2, 2, 0, 2})
            box.setValue(value);
        for (int i = 0; i < 3; ++i)
            box.click();
        QCOMPARE(seen, (QList<int>{1, 2, 0, 2, 1, 0, 1}));
    }

    // The editor's text comes back as it was set, no-break spaces and lone CR or
    // LF included, and the characters that show them too; only CR LF ends a line.
    // Setting the same text raises nothing. The revision tells readers of
    // the text that it changed.
    void editorText() {
        // The last text is long enough to have its document built aside.
        for (const QString& text : QStringList{"\r\na\r\n", "a\u00A0 \r\n\t", "a\rb\r\n\n\r",
                                               "\r\u240D\n\u2028\r\n\u2028\n\u240D\r",
                                               QString(1 << 22, u'x') + "\r\n\ry\n"}) {
            EditorBox editor;
            QSignalSpy changes(&editor, &EditorBox::Change);
            editor.setText(text);
            const quint64 revision = editor.revision();
            editor.setText(text);
            QCOMPARE(editor.text(), text);
            QCOMPARE(editor.blockCount(), text.count("\r\n") + 1);
            QCOMPARE(changes.count(), 1);
            QVERIFY(revision > 0 && revision < 100 && editor.revision() == revision);
            // A word too long to wrap at its end wraps anywhere.
            QCOMPARE(editor.wordWrapMode(), text.size() > 1000
                                                ? QTextOption::WrapAnywhere
                                                : QTextOption::WrapAtWordBoundaryOrAnywhere);
        }
    }

    // Typed and pasted characters stay themselves, also beside a lone CR or LF;
    // Shift+Enter ends the line as Enter does.
    void editorKeys() {
        EditorBox editor;
        editor.setText("a\r");
        editor.moveCursor(QTextCursor::End); // right after the lone CR
        QTest::sendKeyEvent(QTest::Click, &editor, Qt::Key_unknown, "\u240D", Qt::NoModifier);
        QTest::keyClick(&editor, Qt::Key_Return, Qt::ShiftModifier);
        QGuiApplication::clipboard()->setText("\u2028c");
        editor.paste();
        QCOMPARE(editor.text(), QStringLiteral("a\r\u240D\r\n\u2028c"));
    }

    void folderList() {
        QTemporaryDir tmp;
        for (const char* sub : {"dest/B", "dest/a", "dest/.cache"}) // hidden: not listed
            QDir(tmp.path()).mkpath(sub);
        // A link to a folder is listed; a file and a broken link are not.
        QVERIFY(QFile::link(tmp.filePath("dest/B"), tmp.filePath("dest/c")));
        QVERIFY(QFile::link(tmp.filePath("absent"), tmp.filePath("dest/d")));
        QVERIFY(QFile(tmp.filePath("dest/e")).open(QIODevice::WriteOnly));
        const QString dest = QDir::toNativeSeparators(tmp.filePath("dest"));
        FolderList list;
        QSignalSpy changes(&list, &FolderList::Change);
        list.setPath(dest);

        const int chain = QDir::cleanPath(tmp.filePath("dest")).count('/') + 1; // root to dest
        QStringList rows;
        for (int row = chain - 1; row < list.count(); ++row)
            rows << list.rowText(row).trimmed();
        QCOMPARE(rows, (QStringList{"dest", "a", "B", "c"}));
        list.setCurrentRow(chain); // Enter on "a" opens it
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(list.path(), QDir::toNativeSeparators(tmp.filePath("dest/a")));
        list.setCurrentRow(chain - 1); // and on "dest", up the chain, goes back
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(list.path(), dest);
        QCOMPARE(changes.count(), 3);

        DriveList drives; // a drive the list does not hold is added, and shown
        drives.setDrives({"C:\\"});
        drives.setDrive("D:\\");
        QCOMPARE(drives.drive(), "D:\\");
    }

    // The option buttons of a parent form one group; the one selected still clicks.
    // Enter clicks a focused button once, as Space does.
    void buttons() {
        QWidget page;
        OptionButton a("a", &page), b("b", &page);
        a.setChecked(true);
        QSignalSpy clicks(&b, &OptionButton::Click);
        for (const int expected : {1, 2}) {
            QTest::mouseClick(&b, Qt::LeftButton);
            QCOMPARE(clicks.count(), expected);
        }
        QVERIFY(b.isChecked() && !a.isChecked());
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
            QTest::keyClick(&b, key);
        QCOMPARE(clicks.count(), 5);
        QTest::keyClick(&a, Qt::Key_Enter);
        QVERIFY(a.isChecked());
    }
};

QTEST_MAIN(TstControls)
#include "tst_controls.moc"
