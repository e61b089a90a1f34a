// The platform layer on the real system: the controls' event rules and the real services.

#include "platform/paths.h"
#include "support/doubles.h"

#include <QClipboard>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>

#include <algorithm>

using namespace ramulo;
using namespace ramulo::test;

// A box: its icon, Annuler beside OK, report lines, lines after them given and shown, scrolls.
using BoxRow = std::tuple<int, bool, int, QStringList, QStringList, bool>;
Q_DECLARE_METATYPE(BoxRow)

class TstPlatform : public QObject {
    Q_OBJECT
private slots:
    // A pick in a list clicks once, the entry already shown too. A check box clicks at each
    // change of value; the user's click never grays it. The option buttons of a parent form
    // one group, the one selected still clicks, and Enter clicks once, as Space does.
    void clicks() {
        ComboBox combo;
        combo.setEntries({"a", "b", "c"});
        combo.setCurrentIndex(1); // from code; the user then picks it again, then another
        QSignalSpy picks(&combo, &ComboBox::Click);
        for (const int row : {1, 0}) {
            combo.showPopup();
            combo.view()->setCurrentIndex(combo.model()->index(row, 0));
            QTest::keyClick(combo.view(), Qt::Key_Return);
            QCOMPARE(picks.count(), 2 - row); // one click a pick
        }
        QString clicked; // the check box's value, or the option button's caption
        CheckBox box("x");
        connect(&box, &CheckBox::Click, [&] { clicked += QString::number(box.value()); });
        for (const int value : {1, 2, 2, 0, 2, -1, -1, -1}) // -1: the user clicks
            value < 0 ? box.click() : box.setValue(value);
        QWidget page;
        OptionButton a("a", &page), b("b", &page);
        for (OptionButton* button : {&a, &b})
            connect(button, &OptionButton::Click, [&, button] { clicked += button->text(); });
        a.setChecked(true);
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(&b, key);
        QTest::mouseClick(&b, Qt::LeftButton);
        QVERIFY(b.isChecked() && !a.isChecked());
        a.setChecked(true); // from code, then pressed as a screen reader presses it
        a.click();
        QCOMPARE(clicked, "1202101abbbbaa");
    }

    // The editor gives its text back as set, no-break spaces and lone CR or LF included, and
    // the characters that show them; only CR LF ends a line. The same text again raises
    // nothing; the revision tells a change. A word too long to wrap at its end wraps anywhere.
    void editorText() {
        using enum QTextOption::WrapMode;
        // Filled by slices of 2^18 characters, the first ending between the halves of a pair.
        const QString pairAtEdge = QString((1 << 18) - 1, u'x') + "😀" + QString(1 << 22, u'x');
        for (const QString& text :
             QStringList{"\r\na\r\n", "a\u00A0 \r\n\t", "a\rb\r\n\n\r", "\r\u240D\n\u2028\r\n\u2028\n\u240D\r",
                         pairAtEdge + "\r\n\ry\n" + QChar(0xD800)}) {
            EditorBox editor;
            QSignalSpy changes(&editor, &EditorBox::Change);
            editor.setText(text);
            const quint64 revision = editor.revision();
            editor.setText(text);
            QCOMPARE(editor.text(), text);
            QCOMPARE(editor.blockCount(), text.count("\r\n") + 1);
            QCOMPARE(changes.count(), 1);
            QVERIFY(revision > 0 && revision < 100 && editor.revision() == revision);
            QCOMPARE(editor.wordWrapMode(), text.size() > 1000 ? WrapAnywhere : WrapAtWordBoundaryOrAnywhere);
        }
        // Typed and pasted characters stay themselves beside a lone CR; Shift+Enter is Enter.
        EditorBox editor;
        editor.setText("a\r");
        editor.moveCursor(QTextCursor::End); // right after the lone CR
        QTest::sendKeyEvent(QTest::Click, &editor, Qt::Key_unknown, "\u240D", Qt::NoModifier);
        QTest::keyClick(&editor, Qt::Key_Return, Qt::ShiftModifier);
        QGuiApplication::clipboard()->setText("\u2028c");
        editor.paste();
        QCOMPARE(editor.text(), QStringLiteral("a\r\u240D\r\n\u2028c"));
        editor.setText(QString(2001, u'x'));
        editor.paste(); // the long word is still there
        QCOMPARE(editor.wordWrapMode(), WrapAnywhere);
    }

    // The folder list shows the chain down to the open folder, then its visible sub-folders and
    // links to folders; Enter opens a row. A drive shows its kind; one the list lacks is added.
    void folderList() {
        QTemporaryDir tmp;
        for (const char* sub : {"dest/B", "dest/a", "dest/.cache"})
            QDir(tmp.path()).mkpath(sub);
        QVERIFY(QFile(tmp.filePath("dest/e")).open(QIODevice::WriteOnly));
        QStringList listed{"dest", "a", "B"};
#ifndef Q_OS_WIN // links are made on POSIX alone
        listed << "c";
        QVERIFY(QFile::link(tmp.filePath("dest/B"), tmp.filePath("dest/c")));
        QVERIFY(QFile::link(tmp.filePath("absent"), tmp.filePath("dest/d")));
#endif
        FolderList list(std::make_shared<RealFileSystem>());
        list.setPath(QDir::toNativeSeparators(tmp.filePath("dest")));
        const int chain = QDir::cleanPath(tmp.filePath("dest")).count('/') + 1; // root to dest
        QStringList rows{list.rowText(0)};
        for (int row = chain - 1; row < list.count(); ++row)
            rows << list.rowText(row).trimmed();
        QCOMPARE(rows, QStringList{QDir::toNativeSeparators(QDir::rootPath())} + listed);
        for (const auto& [row, path] : {std::pair{chain, "dest/a"}, {chain - 1, "dest"}}) {
            list.setCurrentRow(row); // "a", then "dest" up the chain
            QTest::keyClick(&list, Qt::Key_Return);
            QCOMPARE(list.path(), QDir::toNativeSeparators(tmp.filePath(path)));
        }
        DriveList drives;
        drives.setDrives({"C:\\", "E:\\"}, {"disque local", ""});
        drives.setDrive("c:\\");
        QStringList shown{drives.drive(), drives.currentText()};
        drives.setDrive("D:\\");
        QCOMPARE(shown << drives.drive() << drives.currentText() << drives.itemText(1),
                 QStringList({"C:\\", "C:\\ (disque local)", "D:\\", "D:\\", "E:\\"}));
    }

    // What a folder holds, asked path by path, from one read of the folder and from threads:
    // the same answers. Folders are made level by level through the open destination, never
    // through a link nor outside it. A volume's rules where FUSE hides its file system.
    void fileSystem() {
#ifdef Q_OS_WIN
        // Every volume takes Windows' names only, in UTF-16 units, and ignores case (the report's
        // table has what the preview makes of that). A folder is made past 260 characters.
        PreviewedWindow h;
        const QString dest = h.makeFolder("dest\\" + QString(100, u'd'));
        const NameRules rules = h.files->nameRules(dest);
        QCOMPARE(QList<qsizetype>({rules.longestName, rules.longestPath, rules.utf16, rules.halfPairs,
                                   rules.ignoresCase, rules.windowsNames}),
                 QList<qsizetype>({255, 32760, 1, 1, 1, 1}));
        const QString name = QString(300 - dest.size() - 1, u'n'); // 255 characters at most
        Form1& w = h.open(dest, name);
        QVERIFY2(h.messages->boxes.isEmpty(), qPrintable(h.messages->boxes.join('\n')));
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        const QString path = dest + '\\' + name;
        QCOMPARE(path.size(), 300);
        QCOMPARE(h.files->asked, QStringList{path});
        QCOMPARE(h.files->RealFileSystem::entryAt(path), Entry::Folder);
        QCOMPARE(h.files->subFolders(dest), QStringList{name});
        // Wine takes any length: the form given to the system is checked too.
        const auto form = [](const QString& path) {
            return QString::fromStdWString(systemPath(path)->native());
        };
        QCOMPARE(form(path), "\\\\?\\" + path);
        const QString share = "serveur\\partage\\" + QString(240, u's');
        QCOMPARE(form("\\\\" + share), "\\\\?\\UNC\\" + share);
        QCOMPARE(form("C:/Users/" + QString(238, u'x')), "C:\\Users\\" + QString(238, u'x'));
        QCOMPARE(form("C:/Users/" + QString(239, u'x')), "\\\\?\\C:\\Users\\" + QString(239, u'x'));
        // The same name again: the system's own reason.
        QCOMPARE(h.files->createFolder(path), systemReason(Why::Exists));
#else
        QTemporaryDir tmp;
        RealFileSystem fs;
        for (const char* folder : {"Réunions 2007/Caf\u00e9", "e\u0301", "profond/Caf\u00e8", "profond/No\u00ebl",
                                   "profond/Noe\u0308l", "lettres/alpha", "vide", "2007"})
            QVERIFY(QDir(tmp.path()).mkpath(folder));
        for (const char* file : {"fichier", "profond/note"})
            QVERIFY(QFile(tmp.filePath(file)).open(QIODevice::WriteOnly));
        for (const auto& [to, link] :
             {std::pair{"Réunions 2007", "vers dossier"}, {"fichier", "vers fichier"}, {"absent", "lien"}})
            QVERIFY(QFile::link(tmp.filePath(to), tmp.filePath(link)));
        QVERIFY(makePipe(tmp.filePath("tube")));
        using E = Entry;
        // clang-format off
        const std::pair<QString, Entry> held[] = {
            {"Réunions 2007", E::Folder}, {"RÉUNIONS 2007", E::None}, {"fichier", E::File},
            {"vers dossier", E::FolderLink}, {"vers fichier", E::Link}, {"lien", E::Link},
            {"tube", E::Other}, {"absent", E::None}, {".", E::Folder}, {"..", E::Folder},
            {"Réunions 2007/../fichier", E::File}, {"\u00e9", E::None}, {"e\u0301", E::Folder},
            {QString(300, 'x'), E::None}, {QString("x") + QChar(0), E::None},
            {QString("z") + QChar(0xd800), E::None}, {"", E::Folder}, {"nulle/part", E::None}};
        // clang-format on
        QStringList names; // enough for the threads
        std::vector<Entry> oneByOne;
        while (names.size() < 2100)
            for (const auto& [name, entry] : held) {
                QVERIFY2(fs.entryAt(joinPath(tmp.path(), name)) == entry, qPrintable(name));
                names << name;
                oneByOne.push_back(entry);
            }
        QVERIFY2(fs.entriesByListing(tmp.path(), names) == oneByOne, "tmp compares names as bytes");
        QVERIFY(fs.entriesOneByOne(tmp.path(), names) == oneByOne);
        // A name respelt one level down (the window's test has the top level).
        QVERIFY(fs.entriesIn(tmp.path(), {"Réunions 2007/Cafe\u0301", "Réunions 2007/Cafe", "absent/\u00e9",
                                          "fichier/Cafe\u0301"}) ==
                (std::vector{E::RespeltFolder, E::None, E::None, E::None}));
        // Many names of one sub-folder: read once, with the names written otherwise.
        const QStringList deep{"Cafe\u0300", "Caf\u00e8", "note", "absent", "cafe", "Noe\u0308l"};
        const std::vector inside{E::RespeltFolder, E::Folder, E::File, E::None, E::None, E::Folder};
        QCOMPARE(fs.entriesIn(tmp.filePath("profond"), deep), inside);
        QStringList below; // the first name 65 times
        for (int i = 0; i < 70; ++i)
            below << "profond/" + deep.value(i, deep.first());
        const auto many = fs.entriesIn(tmp.path(), below);
        QCOMPARE(std::vector<Entry>(many.begin(), many.begin() + 6), inside);
        QVERIFY(std::count(many.begin(), many.end(), E::RespeltFolder) == 65);

        const auto maker = fs.folderMaker(tmp.path());
        qint64 count = 0;
        QStringList failed, made;
        for (const QString path :
             {"arbre/a/b", "arbre/a/c", "arbre/d", "Réunions 2007/e", "vers dossier/dehors", "fichier/f", "arbre/a"})
            if (maker->make(path.split('/'), count))
                failed << path;
        QCOMPARE(count, 6);
        QCOMPARE(failed, (QStringList{"vers dossier/dehors", "fichier/f", "arbre/a"}));
        for (const char* folder : {"arbre", "arbre/a", "Réunions 2007"})
            made << QDir(tmp.filePath(folder)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(made, (QStringList{"a", "d", "b", "c", "Caf\u00e9", "e"}));
        // A folder that is gone is not listed, and nothing is made in it.
        const QString gone = tmp.filePath("parti");
        QVERIFY(!fs.entriesByListing(gone, names));
        QVERIFY(fs.entriesIn(gone, names) == std::vector<Entry>(names.size(), E::None));
        QVERIFY(fs.folderMaker(gone)->make({"a"}, count).has_value());
        QCOMPARE(fs.nameRules(tmp.path()).ignoresCase, false);
#ifdef Q_OS_LINUX
        // Under FUSE the disk's type decides; else the destination is asked once if case matters.
        struct Fuse : RealFileSystem {
            QByteArray disk;        // what the disk holds, as udev or libblkid would say
            bool foldsCase = false; // the volume finds a name whatever its case
            int asked = 0;
            std::pair<std::uint32_t, QByteArray> volumeType(int) override { return {kFuseMagic, disk}; }
            std::optional<FileId> identityIn(int folder, const QByteArray& name) override {
                ++asked; // the names on the disk are in lower case
                return RealFileSystem::identityIn(folder, foldsCase ? name.toLower() : name);
            }
        } fuse;
        // Disk, case folded, folder: UTF-16, Windows names, case ignored. "vide" is asked by
        // its own name; "2007" has nothing to ask.
        using Row = std::tuple<const char*, bool, const char*, QList<int>>;
        for (const auto& [disk, folds, folder, rules] :
             std::initializer_list<Row>{{"exfat", false, "lettres", {1, 1, 1}},
                                        {"vfat", false, "lettres", {1, 1, 1}},
                                        {"ntfs", false, "lettres", {1, 0, 0}},
                                        {"ntfs", true, "lettres", {1, 0, 1}},
                                        {"", true, "2007", {0, 0, 0}},
                                        {"", false, "vide", {0, 0, 0}},
                                        {"", true, "vide", {0, 0, 1}}}) {
            fuse.disk = disk;
            fuse.foldsCase = folds;
            const NameRules r = Fuse(fuse).nameRules(tmp.filePath(folder)); // nothing kept
            QCOMPARE(QList<int>({r.utf16, r.windowsNames, r.ignoresCase}), rules);
        }
        // The last row's answer is kept for the destination, though its case is no longer folded.
        QVERIFY(fuse.nameRules(tmp.filePath("lettres")).ignoresCase);
        const int asked = fuse.asked;
        fuse.foldsCase = false;
        QVERIFY(fuse.nameRules(tmp.filePath("lettres")).ignoresCase && fuse.asked == asked);
#endif
#endif
    }

    void systemServices() {
        // What work aside throws comes back (its box is the creation's test).
        QVERIFY_THROWS_EXCEPTION(int, runAside(nullptr, "", [] { throw 1; }));
        // Draws spread over [0, 1), the same ones at every start of the program.
        RealRandomSource random, again;
        QList<double> draws(1000);
        std::ranges::generate(draws, [&] { return random.next(); });
        const auto [low, high] = std::ranges::minmax(draws);
        QVERIFY(low >= 0.0 && low < 0.01 && high > 0.99 && high < 1.0);
        QVERIFY(std::ranges::all_of(draws, [&](double d) { return d == again.next(); }));
        RealDrives drives; // the system's drive is ready, a folder that is gone is not
        QVERIFY(drives.list().contains(drives.driveOf(drives.workingFolder())));
        QCOMPARE(drives.notReady(drives.currentFolder(drives.systemDrive())), std::nullopt);
        QVERIFY(drives.notReady(QDir::tempPath() + "/absent-ramulo").has_value());
        // Only a root keeps its final separator once displayed.
        QCOMPARE(displayPath(QDir::tempPath() + "/./a/../"),
                 QDir::toNativeSeparators(QDir::cleanPath(QDir::tempPath())));
        FakeProgram copy; // the user's presets found as the program finds them
        copy.realRule = true;
#ifdef Q_OS_WIN
        // The drives as the drive list shows them, each one's current folder on it; Wine maps
        // Q: to a folder that does not exist, as an empty card reader: not ready, and why.
        const QStringList list = drives.list();
        QVERIFY2(list.contains("C:\\") && list.contains("Z:\\"), qPrintable(list.join(' ')));
        QCOMPARE(drives.systemDrive(), QStringLiteral("C:\\"));
        QCOMPARE(drives.driveOf("c:\\Users\\moi"), QStringLiteral("C:\\"));
        QCOMPARE(drives.notReady("C:\\"), std::nullopt);
        QCOMPARE(drives.kind("C:\\"), QStringLiteral("disque local"));
        for (const QString& drive : list)
            if (drive != "Q:\\")
                QCOMPARE(drives.driveOf(drives.currentFolder(drive)), drive);
        if (list.contains("Q:\\"))
            QVERIFY(!drives.notReady("Q:\\").value_or("").isEmpty());
        // An installed copy, the one whose folder the installer recorded, lists the user's presets
        // of %APPDATA%\Ramulo\presets; any other copy is portable.
        const QByteArray appData = qgetenv("APPDATA");
        qputenv("APPDATA", QStringLiteral("C:\\Données\\Itinérant").toLocal8Bit());
        QSettings key("HKEY_CURRENT_USER\\Software\\Ramulo\\Ramulo", QSettings::NativeFormat);
        key.setValue("Default", "C:\\Program Files\\Ramulo");
        key.sync();
        copy.folder = "D:\\Outils\\Ramulo"; // a portable copy
        const QString none = copy.userPresets();
        copy.folder = "C:\\PROGRAM FILES\\Ramulo"; // the installed one
        const QString own = copy.userPresets();
        key.remove("");
        key.sync();
        qputenv("APPDATA", appData);
        QCOMPARE(own, QStringLiteral("C:\\Données\\Itinérant\\Ramulo\\presets"));
        QCOMPARE(none, QString());
        QCOMPARE(copy.userPresets(), QString()); // the key is gone
#else
        // The user's presets, in an installed copy alone: under XDG_DATA_HOME if it is absolute.
        const QByteArray kept = qgetenv("XDG_DATA_HOME");
        for (const auto& [folder, set, presets] : {
                 std::array{"/home/moi/ramulo", "/srv", ""}, // a portable copy has none
                 {"/usr/lib/ramulo", "/srv/données/", "/srv/données/ramulo/presets"},
                 {"/opt/lib/ramulo", "relatif/share", "~/.local/share/ramulo/presets"},
             }) {
            qputenv("XDG_DATA_HOME", set);
            copy.folder = folder;
            QCOMPARE(copy.userPresets(), QString(presets).replace('~', QDir::homePath()));
        }
        qputenv("XDG_DATA_HOME", kept);
#endif
    }

    // Real boxes: title, icon, text, buttons, the answer. Past 40 report lines, or with lines
    // that wrap past the screen, the text scrolls under its first line; the box fits the screen.
    void messageBox_data() {
        QTest::addColumn<BoxRow>("row");
        // Lines of 1 MiB are cut beside surrogate pairs, kept whole; controls show as symbols.
        const QString a(149, 'a'), z(149, 'z'), huge = a + "😀" + QString(1 << 20, 'm') + "😀" + z;
        const QString cut = a + "😀…(1048576 caractères omis)…😀" + z;
        const QStringList wide(40, QString("0123456789 ").repeated(11).chopped(1)); // 120 wide
        // clang-format off
        QTest::newRow("cut, symbols, Annuler")
            << BoxRow{0, true, 1, {huge, "a\tb\rc\x01\x7f", huge}, {cut, "a␉b␍c␁␡", cut}, false};
        QTest::newRow("40 report lines: the text itself") << BoxRow{1, false, 40, {}, {}, false};
        QTest::newRow("41 report lines: scrolls") << BoxRow{2, false, 41, {}, {}, true};
        QTest::newRow("wrapped past the screen: scrolls") << BoxRow{1, false, 0, wide, wide, true};
        // clang-format on
    }
    void messageBox() {
        QFETCH(BoxRow, row);
        const auto& [icon, cancel, report, extra, shown, scrolls] = row;
        QStringList lines{"ATTENTION ! Les lignes suivantes sont en double :"};
        for (int i = 0; i < report; ++i)
            lines << QStringLiteral("- nom %1").arg(i);
        const QStringList expected = lines + shown;
        QStringList seen; // title, icon, text, scrolling text, captions
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            const auto* area = box->findChild<QPlainTextEdit*>("report");
            QStringList captions;
            for (QAbstractButton* b : box->buttons())
                captions << b->text();
            captions.sort();
            seen << box->windowTitle() << QString::number(box->icon()) << box->text()
                 << (area ? area->toPlainText() : QString()) << captions.join('|');
            QTest::keyClick(box, Qt::Key_Escape); // OK when alone, else Annuler
            QVERIFY(box->screen()->availableSize().boundedTo(box->size()) == box->size());
        });
        using M = MessageBoxes;
        const auto answer =
            RealMessageBoxes().show((lines + extra).join("\r\n"), "TITRE", M::Buttons(cancel), M::Icon(icon));
        QCOMPARE(answer, cancel ? M::Answer::Cancel : M::Answer::Ok);
        const int icons[] = {QMessageBox::NoIcon, QMessageBox::Warning, QMessageBox::Information};
        QCOMPARE(seen,
                 QStringList({"TITRE", QString::number(icons[icon]), scrolls ? expected.first() : expected.join("\n"),
                              scrolls ? expected.mid(1).join("\n") : QString(), cancel ? "Annuler|OK" : "OK"}));
    }
};

QTEST_MAIN(TstPlatform)
#include "tst_platform.moc"
