// The About box, opened from the window as the user opens it.

#include "about/frmabout.h"
#include "app/form1.h"
#include "support/doubles.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

class TestAbout : public QObject {
    Q_OBJECT
    ramulo::test::Harness m_h;
    std::optional<Form1> m_w;

private slots:
    void init() {
        m_w.emplace(m_h.services());
        m_w->show();
        QApplication::setActiveWindow(&*m_w);
        QVERIFY(QTest::qWaitForWindowActive(&*m_w));
    }

    // Each opening makes a new box, with the build's version and the focus on
    // OK; Enter and Escape close and discard it.
    void opensFreshAndCloses_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void opensFreshAndCloses() {
        QFETCH(int, key);
        QList<QPointer<frmAbout>> boxes;
        for (int opening = 0; opening < 2; ++opening) {
            QStringList seen;
            bool stayedOpen = false;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
                if (!box || !QTest::qWaitForWindowActive(box))
                    return;
                boxes << box;
                seen << box->windowTitle() << box->lblTitle->text() << box->lblVersion->text()
                     << box->focusWidget()->objectName();
                QTest::keyClick(box->focusWidget(), Qt::Key(key));
                QTimer::singleShot(500, box, [&stayedOpen, box] {
                    stayedOpen = true;
                    box->reject();
                });
            });
            m_w->Command5->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(seen, QStringList({"À propos de Ramulo", "Ramulo",
                                        "Version " RAMULO_PROJECT_VERSION, "cmdOK"}));
            QVERIFY(!stayedOpen);
        }
        QCOMPARE(boxes.size(), 2);
        QVERIFY(boxes[0].isNull() && boxes[1].isNull()); // each discarded on closing
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
