// The main window as it is drawn: every control inside its frame and clear of
// its neighbours, the keyboard order, and what screen readers hear.

#include "app/form1.h"
#include "support/doubles.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <optional>

namespace {
// The keyboard order of the controls that take focus, as designed.
const QStringList kTabOrder{"Command1", "Command2", "Drive1",    "Dir1",        "Command3",
                            "autotab",  "File1",    "Text1",     "rtb1",        "Slider1",
                            "Command4", "Combo1",   "prefcheck", "preftext",    "suffcheck",
                            "sufftext", "Combo2",   "Command5",  "livepreview", "Combo3",
                            "Text2",    "Text4",    "Text3",     "HScroll1",    "Command6",
                            "Command7", "Command8", "Option1_0", "Option1_1",   "Option1_2"};
} // namespace

class TestLayout : public QObject {
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

    // Each control lies inside its parent and overlaps no sibling, but for the
    // two pages laid on the tab strip, one shown at a time. Twips rounded to
    // pixels may make neighbours share their edge.
    void placesDoNotOverlap() {
        for (int tab : {0, 1}) {
            m_w->autotab->setCurrentIndex(tab);
            const QList<QWidget*> parents = m_w->findChildren<QWidget*>() << &*m_w;
            for (QWidget* parent : parents) {
                QList<QWidget*> shown;
                for (QWidget* c : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                    if (c->isVisibleTo(&*m_w) && !c->objectName().isEmpty() &&
                        !c->objectName().startsWith("qt_"))
                        shown << c;
                for (QWidget* c : shown) {
                    QVERIFY2(parent->rect().contains(c->geometry()), qPrintable(c->objectName()));
                    for (QWidget* other : shown)
                        QVERIFY2(c == other || c == m_w->autotab || other == m_w->autotab ||
                                     !c->geometry()
                                          .adjusted(0, 0, -1, -1)
                                          .intersects(other->geometry().adjusted(0, 0, -1, -1)),
                                 qPrintable(c->objectName() + " / " + other->objectName()));
                }
            }
        }
    }

    // The focus chain follows the design; Tab goes round it past the disabled
    // controls, the hidden page and the option buttons not selected.
    void keyboardOrder() {
        QStringList chain{"Command1"};
        for (QWidget* c = m_w->Command1; (c = c->nextInFocusChain()) != m_w->Command1;)
            if (kTabOrder.contains(c->objectName()))
                chain << c->objectName();
        QCOMPARE(chain, kTabOrder);
        for (int tab : {0, 1}) {
            m_w->autotab->setCurrentIndex(tab);
            QStringList ring, walked;
            for (const QString& name : kTabOrder)
                if (auto* c = m_w->findChild<QWidget*>(name);
                    c->isVisible() && c->isEnabled() &&
                    (!qobject_cast<ramulo::OptionButton*>(c) || c->property("checked").toBool()))
                    ring << name;
            m_w->Command1->setFocus(Qt::TabFocusReason);
            while (walked.size() < ring.size()) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                walked << QApplication::focusWidget()->objectName();
            }
            QCOMPARE(walked, ring.mid(1) << ring.first());
        }
    }

    // Each control that takes focus, and the status bar, has a short name of its
    // own and its tooltip as description; the generator's fields are named by
    // their captions; the window and the status bar have their roles, and the
    // bar's panels can be read.
    void screenReaders() {
        QStringList names;
        for (const QString& control : kTabOrder + QStringList{"SB1"}) {
            auto* c = m_w->findChild<QWidget*>(control);
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
            if (a->role() == QAccessible::PageTabList) // read as its current tab
                a = a->child(0);
            const auto labels = a->relations(QAccessible::Label);
            const QString name = a->role() == QAccessible::ComboBox && !labels.isEmpty()
                                     ? labels.first().first->text(QAccessible::Name)
                                     : a->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty() && name.size() <= 30 && name != c->toolTip() &&
                         !names.contains(name),
                     qPrintable(control + ": " + name));
            names << name;
            QCOMPARE(a->text(QAccessible::Description), c->toolTip());
        }
        const std::pair<QLabel*, QWidget*> captions[] = {
            {m_w->Label4, m_w->Text2}, {m_w->Label6, m_w->Text4}, {m_w->Label5, m_w->Text3}};
        for (const auto& [caption, field] : captions)
            QCOMPARE(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name),
                     caption->text());
        QCOMPARE(QAccessible::queryAccessibleInterface(&*m_w)->role(), QAccessible::Window);
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(m_w->SB1);
        QCOMPARE(bar->role(), QAccessible::StatusBar);
        QStringList panels;
        for (int i = 0; i < bar->childCount(); ++i)
            panels << bar->child(i)->text(QAccessible::Name);
        QCOMPARE(panels, QStringList({"Destination :", m_w->SB1->panelText(2), "Total : 0"}));
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
