// The event rules every control of the window follows.

#include "platform/controls.h"

#include <QAbstractItemView>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace ramulo;

class TstControls : public QObject {
    Q_OBJECT
private slots:
    void comboStartsWithoutSelection();
    void comboClickFromCodeAndFromUser();
    void checkBoxValues();
    void textBoxKeyPressComesBeforeTheChange_data();
    void textBoxKeyPressComesBeforeTheChange();
    void editorUsesCrLf_data();
    void editorUsesCrLf();
    void editorKeepsEveryCharacter();
    void folderListOpensAndReReads();
    void folderListRefusesWhatItCannotOpen();
    void driveListRaisesChangeOnlyOnAChange();
    void scrollBarClampsAndRaisesChange();
    void optionButtonsFormOneGroup();
    void statusBarPanels();
};

void TstControls::comboStartsWithoutSelection() {
    ComboBox combo;
    QSignalSpy clicks(&combo, &ComboBox::Click);
    combo.setEntries({"a", "b", "c"});
    QCOMPARE(combo.currentIndex(), -1);
    QCOMPARE(clicks.count(), 0);
    combo.setCurrentIndex(0); // the first selection is a change
    QCOMPARE(clicks.count(), 1);
    combo.setCurrentIndex(0); // the same entry again is not
    QCOMPARE(clicks.count(), 1);
}

void TstControls::comboClickFromCodeAndFromUser() {
    ComboBox combo;
    combo.setEntries({"a", "b", "c"});
    combo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&combo));
    combo.setCurrentIndex(1);
    QSignalSpy clicks(&combo, &ComboBox::Click);

    // The user moves to another entry with the keyboard: one click.
    QTest::keyClick(&combo, Qt::Key_Down);
    QCOMPARE(combo.currentIndex(), 2);
    QCOMPARE(clicks.count(), 1);

    // The user picks the entry already shown from the list: still one click.
    combo.showPopup();
    QAbstractItemView* view = combo.view();
    view->setCurrentIndex(combo.model()->index(2, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(combo.currentIndex(), 2);
    QCOMPARE(clicks.count(), 2);

    // And a different one from the list: one click, not two.
    combo.showPopup();
    view->setCurrentIndex(combo.model()->index(0, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(combo.currentIndex(), 0);
    QCOMPARE(clicks.count(), 3);
}

void TstControls::checkBoxValues() {
    CheckBox box("x");
    QSignalSpy clicks(&box, &CheckBox::Click);
    QCOMPARE(box.value(), 0);
    int seenInHandler = -1;
    connect(&box, &CheckBox::Click, [&] { seenInHandler = box.value(); });

    box.setValue(1);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(seenInHandler, 1); // the handler sees the new value
    box.setValue(2);
    QCOMPARE(box.value(), 2);
    QCOMPARE(clicks.count(), 2);
    box.setValue(2);
    QCOMPARE(clicks.count(), 2);

    // The user's click toggles between checked and unchecked only.
    box.click();
    QCOMPARE(box.value(), 1);
    box.click();
    QCOMPARE(box.value(), 0);
    box.click();
    QCOMPARE(box.value(), 1);
    QCOMPARE(clicks.count(), 5);
}

void TstControls::textBoxKeyPressComesBeforeTheChange_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("changes");
    QTest::newRow("letter") << int(Qt::Key_B) << "b"
                            << "ab" << 1;
    QTest::newRow("Enter changes nothing") << int(Qt::Key_Return) << ""
                                           << "a" << 0;
}

void TstControls::textBoxKeyPressComesBeforeTheChange() {
    QFETCH(int, key);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(int, changes);

    TextBox box("a");
    QStringList events;
    connect(&box, &TextBox::KeyPress, [&](QChar) { events << "key:" + box.text(); });
    connect(&box, &TextBox::Change, [&] { events << "change:" + box.text(); });
    QTest::keyClick(&box, Qt::Key(key), Qt::NoModifier);
    QCOMPARE(box.text(), after);
    QStringList expected{"key:a"};
    if (changes)
        expected << "change:" + after;
    QCOMPARE(events, expected);
    Q_UNUSED(typed);

    // Setting the text from code raises change alone.
    events.clear();
    box.setText("z");
    QCOMPARE(events, QStringList{"change:z"});
}

void TstControls::editorUsesCrLf_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("lines") << "a\r\nb"
                           << "a\nb";
    QTest::newRow("empty lines and a final break") << "\r\na\r\n\r\n"
                                                   << "\na\n\n";
    QTest::newRow("spaces kept") << "  a  \r\n \t"
                                 << "  a  \n \t";
    QTest::newRow("lone CR and LF stay inside their line")
        << "a\rb\r\nc\nd\n\r" << QStringLiteral("a\u240Db\nc\nd\n\u240D");
}

void TstControls::editorUsesCrLf() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    EditorBox editor;
    QSignalSpy changes(&editor, &EditorBox::Change);
    editor.setText(text);
    QCOMPARE(editor.text(), text);
    QCOMPARE(editor.property("plainText").toString(), shown);
    // A new editor is empty: setting the empty text changes nothing.
    QCOMPARE(changes.count(), text.isEmpty() ? 0 : 1);
    editor.setText(text);
    QCOMPARE(changes.count(), text.isEmpty() ? 0 : 1);
}

void TstControls::editorKeepsEveryCharacter() {
    EditorBox editor;
    // A no-break space is part of a name, not a space to be folded.
    editor.setText(QStringLiteral("a\u00A0b\r\nc"));
    QCOMPARE(editor.text(), QStringLiteral("a\u00A0b\r\nc"));

    // Typing: keyPress runs before the key reaches the text.
    QStringList events;
    connect(&editor, &EditorBox::KeyPress, [&](QChar) { events << "key:" + editor.text(); });
    connect(&editor, &EditorBox::Change, [&] { events << "change"; });
    editor.moveCursor(QTextCursor::End);
    QTest::keyClick(&editor, Qt::Key_Return);
    QTest::keyClicks(&editor, "d");
    QCOMPARE(editor.text(), QStringLiteral("a\u00A0b\r\nc\r\nd"));
    QCOMPARE(events, (QStringList{"key:" + QStringLiteral("a\u00A0b\r\nc"), "change",
                                  "key:" + QStringLiteral("a\u00A0b\r\nc\r\n"), "change"}));
}

void TstControls::folderListOpensAndReReads() {
    QTemporaryDir tmp;
    QDir(tmp.path()).mkpath("dest/b");
    QDir(tmp.path()).mkpath("dest/A");
    QDir(tmp.path()).mkpath("dest/.cache");
    const QString dest = QDir::toNativeSeparators(tmp.filePath("dest"));

    FolderList list;
    QSignalSpy changes(&list, &FolderList::Change);
    list.setPath(dest);
    QCOMPARE(list.path(), dest);
    QCOMPARE(list.property("path").toString(), dest);
    QCOMPARE(changes.count(), 1);
    list.setPath(dest + QDir::separator()); // the same folder
    QCOMPARE(changes.count(), 1);

    // The chain from the root to the open folder, then its sub-folders,
    // hidden ones left out.
    auto rows = [&list] {
        QStringList r;
        for (int i = 0; i < list.count(); ++i)
            r << list.item(i)->text().trimmed();
        return r;
    };
    const int chain = QDir::cleanPath(tmp.filePath("dest")).count('/') + 1;
    QCOMPARE(list.count(), chain + 2);
    QCOMPARE(rows().first(), QDir::toNativeSeparators(QDir::rootPath()));
    QCOMPARE(rows().at(chain - 1), QStringLiteral("dest"));
    QCOMPARE(rows().mid(chain), (QStringList{"A", "b"}));

    // Re-reading shows a new folder without a change of path.
    QDir(tmp.path()).mkpath("dest/c");
    list.refresh();
    QCOMPARE(rows().mid(chain), (QStringList{"A", "b", "c"}));
    QCOMPARE(changes.count(), 1);

    // Enter on a sub-folder opens it; on a folder of the chain goes back up.
    list.setCurrentRow(chain); // "A"
    QTest::keyClick(&list, Qt::Key_Return);
    QCOMPARE(list.path(), QDir::toNativeSeparators(tmp.filePath("dest/A")));
    QCOMPARE(changes.count(), 2);
    list.setCurrentRow(chain - 1); // "dest"
    QTest::keyClick(&list, Qt::Key_Return);
    QCOMPARE(list.path(), dest);
    QCOMPARE(changes.count(), 3);
}

void TstControls::folderListRefusesWhatItCannotOpen() {
    QTemporaryDir tmp;
    FolderList list;
    list.setPath(tmp.path());
    QSignalSpy changes(&list, &FolderList::Change);
    QSignalSpy failures(&list, &FolderList::openFailed);
    list.setPath(tmp.filePath("absent"));
    QCOMPARE(changes.count(), 0);
    QCOMPARE(failures.count(), 1);
    QCOMPARE(list.path(), QDir::toNativeSeparators(tmp.path()));
}

void TstControls::driveListRaisesChangeOnlyOnAChange() {
    DriveList drives;
    drives.setDrives({"/", "/mnt/x"});
    QSignalSpy changes(&drives, &DriveList::Change);
    drives.setDrive("/");
    QCOMPARE(changes.count(), 0);
    drives.setDrive("/mnt/x");
    QCOMPARE(changes.count(), 1);
    QCOMPARE(drives.property("drive").toString(), QStringLiteral("/mnt/x"));
    drives.setDrive("/mnt/x");
    QCOMPARE(changes.count(), 1);
}

void TstControls::scrollBarClampsAndRaisesChange() {
    ScrollBar bar;
    bar.setRange(1, 20);
    bar.setValue(18);
    QSignalSpy changes(&bar, &ScrollBar::Change);
    bar.setMaximum(15);
    QCOMPARE(bar.value(), 15);
    QCOMPARE(changes.count(), 1);
    bar.setMaximum(20); // raising it changes nothing
    QCOMPARE(bar.value(), 15);
    QCOMPARE(changes.count(), 1);
}

void TstControls::optionButtonsFormOneGroup() {
    QWidget page;
    OptionButton a("a", &page), b("b", &page), c("c", &page);
    a.setChecked(true);
    QSignalSpy clicksB(&b, &OptionButton::Click);
    QSignalSpy clicksA(&a, &OptionButton::Click);
    QTest::mouseClick(&b, Qt::LeftButton);
    QVERIFY(b.isChecked());
    QVERIFY(!a.isChecked());
    QCOMPARE(clicksB.count(), 1);
    QCOMPARE(clicksA.count(), 0);
    QTest::mouseClick(&b, Qt::LeftButton); // already selected: still a click
    QVERIFY(b.isChecked());
    QCOMPARE(clicksB.count(), 2);
    c.setChecked(true); // from code
    QVERIFY(!b.isChecked());
}

void TstControls::statusBarPanels() {
    StatusBar bar;
    bar.setObjectName("SB1");
    bar.addPanel("one", 50);
    bar.addPanel("", 0, "tip");
    bar.setPanelText(2, "/x");
    auto* second = bar.findChild<QLabel*>("SB1_2");
    QVERIFY(second);
    QCOMPARE(second->property("text").toString(), QStringLiteral("/x"));
    QCOMPARE(bar.panelText(1), QStringLiteral("one"));
    QCOMPARE(second->toolTip(), QStringLiteral("tip"));
}

QTEST_MAIN(TstControls)
#include "tst_controls.moc"
