// The About box, opened from the window as the user opens it.

#include "about/frmabout.h"
#include "app/form1.h"
#include "support/doubles.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

class TestAbout : public QObject {
    Q_OBJECT
    ramulo::test::Harness m_h;
    std::optional<Form1> m_w;

    // Clicks the About button and runs `inside` while the box is open. The box
    // must close by what `inside` does; if it stays open, it is closed and the
    // test fails. Returns whether the box was open and then discarded.
    bool whileOpen(const std::function<void(frmAbout&)>& inside) {
        QPointer<frmAbout> seen;
        bool opened = false, stayedOpen = false;
        QTimer::singleShot(0, [&] {
            seen = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
            if (!(opened = seen) || !QTest::qWaitForWindowActive(seen))
                return;
            inside(*seen);
            // Tied to the box: it goes with the box, and so never outlives this call.
            QTimer::singleShot(500, seen, [&] {
                stayedOpen = true;
                seen->reject();
            });
        });
        m_w->Command5->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return opened && !stayedOpen && seen.isNull();
    }

private slots:
    void init() {
        m_w.emplace(m_h.services());
        m_w->show();
        QApplication::setActiveWindow(&*m_w);
        QVERIFY(QTest::qWaitForWindowActive(&*m_w));
    }

    // Each opening makes a new box with the same texts, the version from the
    // build, the focus on OK, at the centre of the window.
    void textsAtEachOpening() {
        QStringList first;
        for (int opening = 0; opening < 2; ++opening) {
            QStringList seen;
            QVERIFY(whileOpen([&](frmAbout& box) {
                seen << box.windowTitle() << box.lblTitle->text() << box.lblVersion->text()
                     << box.Label1->text() << box.RichTextBox1->toPlainText()
                     << box.RichTextBox2->toPlainText() << box.lblDisclaimer->text();
                const QPoint off = box.frameGeometry().center() - m_w->frameGeometry().center();
                seen << QString::number(off.manhattanLength() <= 2)
                     << box.focusWidget()->objectName()
                     << QString::number(box.size().width()) + "x" +
                            QString::number(box.size().height());
                box.cmdOK->click();
            }));
            if (opening == 0)
                first = seen;
            QCOMPARE(seen, first);
        }
        QCOMPARE(first.mid(0, 4),
                 QStringList({"À propos de Ramulo", "Ramulo", "Version " RAMULO_PROJECT_VERSION,
                              "Fontionnement :"}));
        QVERIFY(first[4].startsWith("Ce petit utilitaire sert à générer des dossiers (vides, bien "
                                    "sûr) et permet de créer rapidemement des arborescences "
                                    "prêates à accueillir vos fichiers pour un classement "
                                    "thématique. "));
        QVERIFY(first[5].startsWith("Définissez  un répertoire de destination, puis choisissez"));
        QVERIFY(first[5].endsWith("et un clic dessus créé les dossiers."));
        QVERIFY(first[6].contains("l'équipe Ramulo"));
        QCOMPARE(first.mid(7), QStringList({"1", "cmdOK", "505x311"}));
    }

    // A fixed dialog frame; every control at its place, in twips, with its font;
    // OK first in the keyboard order, then the two paragraphs.
    void frameAndPlaces() {
        struct Place {
            const char* name;
            int left, top, width, height;
            const char* font;
        };
        const Place places[] = {
            {"cmdOK", 5520, 4080, 1140, 465, "Verdana 8.25"},
            {"picIcon", 240, 240, 480, 480, "MS Sans Serif 8.25"},
            {"lblDisclaimer", 240, 3960, 4545, 555, "Microsoft Sans Serif 8.25"},
            {"lblTitle", 1080, 240, 4485, 315, "Verdana 14.25 bold"},
            {"lblVersion", 1080, 600, 4485, 225, "Verdana 8.25"},
            {"RichTextBox1", 1080, 960, 6255, 975, "Microsoft Sans Serif 8.5"},
            {"Label1", 1080, 2040, 1455, 255, "MS Sans Serif 8.25 bold"},
            {"RichTextBox2", 1080, 2280, 6255, 1335, "Microsoft Sans Serif 8.5"},
        };
        QVERIFY(whileOpen([&](frmAbout& box) {
            QCOMPARE(box.minimumSize(), box.maximumSize());
            QCOMPARE(box.windowFlags() & (Qt::WindowType_Mask | Qt::WindowMinMaxButtonsHint),
                     Qt::Dialog);
            QCOMPARE(box.picIcon->pixmap().size(), QSize(32, 32));
            for (const Place& p : places) {
                const auto* c = box.findChild<QWidget*>(p.name);
                QVERIFY2(c, p.name);
                QCOMPARE(c->geometry(), ramulo::twipsRect(p.left, p.top, p.width, p.height));
                const QFont f = c->font();
                QCOMPARE(f.family() + ' ' + QString::number(f.pointSizeF()) +
                             (f.bold() ? " bold" : ""),
                         QString(p.font));
            }
            QStringList order;
            for (QWidget* c = box.cmdOK; order.size() < 3; c = c->nextInFocusChain())
                if (c->focusPolicy() & Qt::TabFocus)
                    order << c->objectName();
            QCOMPARE(order, QStringList({"cmdOK", "RichTextBox1", "RichTextBox2"}));
            box.cmdOK->click();
        }));
    }

    void enterAndEscapeClose_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void enterAndEscapeClose() {
        QFETCH(int, key);
        QVERIFY(
            whileOpen([&](frmAbout& box) { QTest::keyClick(box.focusWidget(), Qt::Key(key)); }));
    }

    // While the box is open, clicks and keys on the window do nothing.
    void windowTakesNoInput() {
        m_w->Text1->setText("garde");
        QVERIFY(whileOpen([&](frmAbout& box) {
            QWindow* window = m_w->windowHandle();
            const QPoint clear = m_w->Command4->mapTo(&*m_w, m_w->Command4->rect().center());
            QTest::mouseClick(window, Qt::LeftButton, {}, clear);
            QTest::keyClick(window, Qt::Key_X);
            QCOMPARE(m_w->Text1->text(), "garde");
            box.cmdOK->click();
        }));
        QCOMPARE(m_w->Text1->text(), "garde");
    }

    // The box and what takes focus in it have names; its paragraphs can be read.
    void readByScreenReaders() {
        QVERIFY(whileOpen([&](frmAbout& box) {
            QStringList names;
            for (QWidget* c :
                 std::initializer_list<QWidget*>{box.cmdOK, box.RichTextBox1, box.RichTextBox2})
                names << QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name);
            QCOMPARE(names, QStringList({"OK", "Description", "Mode d'emploi"}));
            QCOMPARE(QAccessible::queryAccessibleInterface(&box)->role(), QAccessible::Dialog);
            box.cmdOK->click();
        }));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
