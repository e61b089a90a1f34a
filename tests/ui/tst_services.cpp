// The real services, on the real system.

#include "platform/paths.h"
#include "platform/real_services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace ramulo;

class TstServices : public QObject {
    Q_OBJECT
private slots:
    void folderExists();
    void createFolder();
    void randomSourceStartsAlikeEveryTime();
    void programInfo();
    void drives();
    void messageBox_data();
    void messageBox();
    void longMessageFitsTheScreen_data();
    void longMessageFitsTheScreen();
};

void TstServices::folderExists() {
    QTemporaryDir tmp;
    QDir(tmp.path()).mkdir("Dossier");
    QFile file(tmp.filePath("fichier"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    RealFileSystem fs;
    QVERIFY(fs.folderExists(tmp.filePath("Dossier")));
    QVERIFY(fs.folderExists(joinPath(displayPath(tmp.path()), "Dossier")));
    QVERIFY(!fs.folderExists(tmp.filePath("fichier"))); // a file is no folder
    QVERIFY(!fs.folderExists(tmp.filePath("absent")));
    QVERIFY(!fs.folderExists(tmp.filePath("absent/sous")));
    QVERIFY(!fs.folderExists(tmp.filePath(QString(300, 'x')))); // too long to exist
    QVERIFY(fs.folderExists(tmp.filePath(QStringLiteral("Été"))) ==
            QDir(tmp.path()).exists(QStringLiteral("Été")));
}

void TstServices::createFolder() {
    QTemporaryDir tmp;
    RealFileSystem fs;
    const QString made = tmp.filePath(QStringLiteral("Réunions 2007"));
    QCOMPARE(fs.createFolder(made), std::nullopt);
    QVERIFY(QFileInfo(made).isDir());

    // Failures come back with the system's reason.
    const auto again = fs.createFolder(made);
    QVERIFY(again.has_value());
    QVERIFY(!again->isEmpty());
    QFile file(tmp.filePath("fichier"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(fs.createFolder(tmp.filePath("fichier")).has_value());
    QVERIFY(fs.createFolder(tmp.filePath("absent/sous")).has_value());
    QVERIFY(!QFileInfo(tmp.filePath("absent")).exists()); // only that one folder, never parents
}

void TstServices::randomSourceStartsAlikeEveryTime() {
    RealRandomSource first, second;
    QList<double> a, b;
    for (int i = 0; i < 1000; ++i) {
        a << first.next();
        b << second.next();
    }
    QCOMPARE(a, b);
    double low = 1, high = 0;
    for (double r : a) {
        QVERIFY(r >= 0.0 && r < 1.0);
        low = std::min(low, r);
        high = std::max(high, r);
    }
    QVERIFY(low < 0.01 && high > 0.99);     // spread over the whole range
    QVERIFY(a.mid(0, 10) != a.mid(10, 10)); // each draw goes on
}

void TstServices::programInfo() {
    RealProgramInfo info;
    QCOMPARE(info.title(), QStringLiteral("Ramulo"));
    QCOMPARE(info.versionMajor(), 1);
    QCOMPARE(info.versionMinor(), 1);
    QCOMPARE(info.versionRevision(), 0);
    QCOMPARE(info.programFolder(), displayPath(QCoreApplication::applicationDirPath()));
}

void TstServices::drives() {
    RealDrives drives;
    const QStringList all = drives.list();
    QVERIFY(all.contains(drives.systemDrive()));
    QVERIFY(drives.systemDrive().endsWith(QDir::separator()));
    QCOMPARE(drives.workingFolder(), displayPath(QDir::currentPath()));
    QVERIFY(all.contains(drives.driveOf(drives.workingFolder())));
    QCOMPARE(drives.notReady(drives.systemDrive()), std::nullopt);
    QTemporaryDir tmp;
    const auto absent = drives.notReady(tmp.filePath("absent"));
    QVERIFY(absent.has_value());
    QVERIFY(!absent->isEmpty());
    const QString current = drives.currentFolder(drives.systemDrive());
    QVERIFY(current.startsWith(drives.systemDrive()));
    QVERIFY(QDir(current).exists());
}

void TstServices::messageBox_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("press");
    QTest::addColumn<int>("answer");
    using B = MessageBoxes::Buttons;
    using I = MessageBoxes::Icon;
    using A = MessageBoxes::Answer;
    QTest::newRow("OK alone") << int(B::Ok) << int(I::Warning) << "OK" << int(A::Ok);
    QTest::newRow("OK of two") << int(B::OkCancel) << int(I::None) << "OK" << int(A::Ok);
    QTest::newRow("Cancel") << int(B::OkCancel) << int(I::None) << "Annuler" << int(A::Cancel);
    QTest::newRow("closed with Escape")
        << int(B::OkCancel) << int(I::Information) << "" << int(A::Cancel);
}

void TstServices::messageBox() {
    QFETCH(int, buttons);
    QFETCH(int, icon);
    QFETCH(QString, press);
    QFETCH(int, answer);

    QString seenTitle, seenText;
    QStringList seenButtons;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenIcon = box->icon();
        for (QAbstractButton* b : box->buttons())
            seenButtons << b->text();
        if (press.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton* b : box->buttons())
            if (b->text() == press)
                b->click();
    });
    RealMessageBoxes boxes;
    const auto result = boxes.show("Texte\r\nsur deux lignes", "TITRE",
                                   MessageBoxes::Buttons(buttons), MessageBoxes::Icon(icon));
    QCOMPARE(int(result), answer);
    QCOMPARE(seenTitle, QStringLiteral("TITRE"));
    QCOMPARE(seenText, QStringLiteral("Texte\r\nsur deux lignes"));
    seenButtons.sort();
    const QStringList expectedButtons = buttons == int(MessageBoxes::Buttons::Ok)
                                            ? QStringList{"OK"}
                                            : QStringList{"Annuler", "OK"};
    QCOMPARE(seenButtons, expectedButtons);
    const QMessageBox::Icon expectedIcon =
        icon == int(MessageBoxes::Icon::Warning)       ? QMessageBox::Warning
        : icon == int(MessageBoxes::Icon::Information) ? QMessageBox::Information
                                                       : QMessageBox::NoIcon;
    QCOMPARE(seenIcon, expectedIcon);
}

void TstServices::longMessageFitsTheScreen_data() {
    QTest::addColumn<int>("reportLines");
    QTest::newRow("40 lines: the text as it is") << 40;
    QTest::newRow("41 lines: scrolling") << 41;
    QTest::newRow("5000 lines: scrolling") << 5000;
}

void TstServices::longMessageFitsTheScreen() {
    QFETCH(int, reportLines);
    QStringList lines{"ATTENTION ! Les lignes suivantes sont en double :"};
    for (int i = 0; i < reportLines; ++i)
        lines << QStringLiteral("- nom %1").arg(i);
    const QString text = lines.join("\r\n");

    QString seenText, seenReport;
    bool fits = false, okInside = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seenText = box->text();
        if (auto* report = box->findChild<QPlainTextEdit*>("report"))
            seenReport = report->toPlainText();
        const QRect screen = box->screen()->availableGeometry();
        fits = box->width() <= screen.width() && box->height() <= screen.height();
        QAbstractButton* ok = box->buttons().value(0);
        okInside = ok && box->rect().contains(QRect(ok->mapTo(box, QPoint(0, 0)), ok->size()));
        if (ok)
            ok->click();
    });
    RealMessageBoxes boxes;
    QCOMPARE(boxes.show(text, "DOUBLONS", MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning),
             MessageBoxes::Answer::Ok);
    QVERIFY(fits);
    QVERIFY(okInside);
    if (reportLines <= 40) {
        QCOMPARE(seenText, text);
        QCOMPARE(seenReport, QString());
    } else {
        QCOMPARE(seenText, lines.first());
        QCOMPARE(seenReport, lines.mid(1).join("\n")); // the whole report, readable
    }
}

QTEST_MAIN(TstServices)
#include "tst_services.moc"
