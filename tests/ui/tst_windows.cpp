// Windows' own services, on the real system: drives, the names its file
// systems refuse as the preview reports them, long paths, a drive that is not
// ready, and the user's presets of an installed copy. Under Wine, scripts/windows
// maps drive Q: to a folder that does not exist, as an empty card reader.

#include "app/form1.h"
#include "support/doubles.h"

#include <QSettings>
#include <QTest>

#include <windows.h>

using namespace ramulo;
using namespace ramulo::test;

class TstWindows : public QObject {
    Q_OBJECT
private slots:
    // The drives as the drive list shows them; each one's current folder lies on it.
    void drives() {
        RealDrives drives;
        const QStringList list = drives.list();
        QVERIFY2(list.contains("C:\\") && list.contains("Z:\\"), qPrintable(list.join(' ')));
        QCOMPARE(drives.systemDrive(), QStringLiteral("C:\\"));
        QCOMPARE(drives.driveOf("c:\\Users\\moi"), QStringLiteral("C:\\"));
        QVERIFY(drives.currentFolder("C:\\").startsWith("C:\\"));
        QCOMPARE(drives.notReady("C:\\"), std::nullopt);
        QCOMPARE(drives.kind("C:\\"), QStringLiteral("disque local"));
        for (const QString& drive : list)
            if (drive != "Q:\\")
                QCOMPARE(drives.driveOf(drives.currentFolder(drive)), drive);
    }

    // The destination's volume ignores case and takes Windows' names only:
    // each refusal reaches the third box with its reason, and nothing is made.
    void refusedNames() {
        PreviewedWindow h;
        const QString dest = h.makeFolder("dest");
        Form1& w = h.open(dest, "Dossier\r\ndossier\r\nCON\r\nnul.txt\r\nCOM\u00b9\r\nfin.\r\n"
                                "fin \r\nCOM0\r\nLPT0.txt\r\nconin$");
        const QString reserved = "nom réservé par le système",
                      final = "le système retire le point ou l'espace final";
        QStringList refused;
        for (const auto& [line, why] : std::initializer_list<std::pair<QString, QString>>{
                 {"dossier", "même dossier que la ligne « Dossier »"},
                 {"CON", reserved},
                 {"nul.txt", reserved},
                 {"COM\u00b9", reserved},
                 {"fin.", final},
                 {"conin$", reserved}})
            refused << "- " + line + " > " + line + " (" + why + ")";
        QCOMPARE(h.messages->boxes,
                 QStringList("DOSSIERS IMPOSSIBLES A CREER [warning, OK]\nATTENTION ! Les "
                             "dossiers suivants ne pourront pas être créés, renommez-les ou "
                             "supprimez-les dans l'Editeur :\r\n" +
                             refused.join("\r\n")));
        QVERIFY(!w.Command3->isEnabled());
        // "fin " loses its space in the chain, before the system could.
        QCOMPARE(w.SB1->panelText(3), QStringLiteral("Total : 10"));
    }

    // A folder is made past the 260 characters of a plain path, and found there.
    void longPath() {
        PreviewedWindow h; // a name of 255 characters at most
        const QString dest = h.makeFolder("dest\\" + QString(100, u'd'));
        const QString name = QString(300 - dest.size() - 1, u'n');
        Form1& w = h.open(dest, name);
        QVERIFY2(h.messages->boxes.isEmpty(), qPrintable(h.messages->boxes.join('\n')));
        QVERIFY(w.Command3->isEnabled());
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        const QString path = dest + '\\' + name;
        QCOMPARE(path.size(), 300);
        QCOMPARE(h.files->asked, QStringList{path});
        QCOMPARE(h.files->RealFileSystem::entryAt(path), Entry::Folder);
        QCOMPARE(h.files->subFolders(dest), QStringList{name});
        QCOMPARE(h.messages->titles(),
                 QStringList("CREATION DE DOSSIERS EFFECTUEE [information, OK]"));
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

    // Drive Q: leads nowhere: picking it leaves the destination where it was,
    // the drive list back on its drive, with the system's reason in a box.
    void driveNotReady() {
        RealDrives real;
        if (!real.list().contains("Q:\\"))
            QSKIP("no drive Q: standing for a drive that is not ready");
        const auto reason = real.notReady("Q:\\");
        QVERIFY(reason.has_value() && !reason->isEmpty());

        Harness h; // the real drives
        Form1 w({h.messages, h.files, nullptr, nullptr, h.program});
        const QString start = w.Dir1->path();
        w.Drive1->setDrive("Q:\\");
        QCOMPARE(w.Dir1->path(), start);
        QCOMPARE(w.Drive1->drive(), real.driveOf(start));
        QCOMPARE(h.messages->boxes,
                 QStringList("Répertoire de destination [warning, OK]\nLe disque Q:\\ n'est pas "
                             "prêt :\r\n" +
                             *reason));
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
