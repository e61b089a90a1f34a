// Windows' own services, on the real system: drives, the rules of its file
// systems, long paths and the user's presets of an installed copy. Under Wine,
// scripts/windows maps drive Q: to a folder that does not exist, as an empty
// card reader.

#include "support/doubles.h"

#include <QSettings>

using namespace ramulo;
using namespace ramulo::test;

class TstWindows : public QObject {
    Q_OBJECT
private slots:
    // The drives as the drive list shows them; each one's current folder lies
    // on it. A drive that leads nowhere is not ready, and the system says why.
    void drives() {
        RealDrives drives;
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
    }

    // Every volume takes Windows' names only, counted in UTF-16 units, and
    // ignores case (the report's table has what the preview makes of that). A
    // folder is made past the 260 characters of a plain path, and found there.
    void longPath() {
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
    }

    // An installed copy, the one whose folder the installer recorded, lists the
    // user's presets of %APPDATA%\Ramulo\presets; any other copy is portable.
    void userPresets() {
        struct Copy : RealProgramInfo {
            QString folder;
            QString programFolder() override { return folder; }
        };
        const QByteArray appData = qgetenv("APPDATA");
        qputenv("APPDATA", QStringLiteral("C:\\Données\\Itinérant").toLocal8Bit());
        QSettings key("HKEY_CURRENT_USER\\Software\\Ramulo\\Ramulo", QSettings::NativeFormat);
        key.setValue("Default", "C:\\Program Files\\Ramulo");
        key.sync();
        Copy installed, portable;
        installed.folder = "C:\\PROGRAM FILES\\Ramulo";
        portable.folder = "D:\\Outils\\Ramulo";
        const QString own = installed.userPresets(), none = portable.userPresets();
        key.remove("");
        key.sync();
        qputenv("APPDATA", appData);
        QCOMPARE(own, QStringLiteral("C:\\Données\\Itinérant\\Ramulo\\presets"));
        QCOMPARE(none, QString());
        QCOMPARE(installed.userPresets(), QString()); // the key is gone
    }
};

QTEST_MAIN(TstWindows)
#include "tst_windows.moc"
