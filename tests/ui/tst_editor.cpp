// The editor and its formatting controls, through the real window with the
// service doubles: which gesture invalidates the create command, which one
// rebuilds the preview, and what the automatic preview switch changes.

#include "app/form1.h"
#include "support/doubles.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextCursor>

using namespace ramulo;
using namespace ramulo::test;

// A user's gesture on one of the formatting controls.
enum class Gesture {
    CaseList,      // Combo1: "TOUT EN MAJUSCULES"
    SeparatorList, // Combo2: "espace > souligné"
    ForbiddenList, // Combo3: " > remplacés par des tirets -"
    PrefixSwitch,  // click on prefcheck, from unchecked
    SuffixSwitch,  // click on suffcheck, from unchecked
    PrefixTyped,   // "x" typed at the end of the prefix, switched on beforehand
    PrefixSet,     // the prefix text replaced by "P-" from code
    SuffixTyped,   // "x" typed at the end of the suffix, switched on beforehand
    SuffixSet,     // the suffix text replaced by "-S" from code
    AutoPreviewOn, // click on livepreview, from unchecked
};
Q_DECLARE_METATYPE(Gesture)

// A change of the editor's text.
enum class Edit {
    Typed,            // Enter and "a" typed at the end
    EnterTyped,       // Enter alone at the end
    Pasted,           // "c", a line break and "d" pasted at the end
    SetFromCode,      // the whole text replaced, as a name source does
    Cleared,          // the clear button
    BackspaceAtStart, // a key press that changes nothing
};
Q_DECLARE_METATYPE(Edit)

class TstEditor : public QObject {
    Q_OBJECT
private slots:
    void gestureRebuildsThePreview_data();
    void gestureRebuildsThePreview();
    void gestureOnlyInvalidatesWithoutAutomaticPreview_data();
    void gestureOnlyInvalidatesWithoutAutomaticPreview();
    void keyInAffixBoxRefreshesBeforeAndAfterIt_data();
    void keyInAffixBoxRefreshesBeforeAndAfterIt();
    void editorEditsNeverRefresh_data();
    void editorEditsNeverRefresh();
    void clearingAnEmptyEditor();
    void switchesEnableTheirTextBoxes_data();
    void switchesEnableTheirTextBoxes();
    void automaticPreviewSwitch_data();
    void automaticPreviewSwitch();
    void pickingTheEntryAlreadyShown_data();
    void pickingTheEntryAlreadyShown();
};

namespace {
// Two names; the second holds a forbidden character, so that every list has
// something to change.
const QString kList = QStringLiteral("mon dossier\r\na/b");
const QString kEditorWarning = QStringLiteral("DOUBLONS EDITEURS DETECTES");
const QString kFolderWarning = QStringLiteral("DOUBLONS DOSSIERS DETECTES");

QString preview(const Form1& w) {
    return w.rtb1->toPlainText();
}

QString total(const Form1& w) {
    return w.SB1->panelText(3);
}

// A click on the box itself, where the user aims.
void clickBox(CheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator =
        box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
}

// Brings the window to where the gesture can be made: the switch of a text box
// on, automatic preview off before it is switched on again.
void prepare(Form1& w, Gesture gesture) {
    switch (gesture) {
    case Gesture::PrefixTyped:
    case Gesture::PrefixSet:
        clickBox(w.prefcheck);
        break;
    case Gesture::SuffixTyped:
    case Gesture::SuffixSet:
        clickBox(w.suffcheck);
        break;
    case Gesture::AutoPreviewOn:
        clickBox(w.livepreview);
        break;
    default:
        break;
    }
}

void perform(Form1& w, Gesture gesture) {
    switch (gesture) {
    case Gesture::CaseList:
        w.Combo1->setCurrentIndex(4);
        break;
    case Gesture::SeparatorList:
        w.Combo2->setCurrentIndex(1);
        break;
    case Gesture::ForbiddenList:
        w.Combo3->setCurrentIndex(3);
        break;
    case Gesture::PrefixSwitch:
        clickBox(w.prefcheck);
        break;
    case Gesture::SuffixSwitch:
        clickBox(w.suffcheck);
        break;
    case Gesture::PrefixTyped:
        QTest::keyClick(w.preftext, Qt::Key_X);
        break;
    case Gesture::PrefixSet:
        w.preftext->setText(QStringLiteral("P-"));
        break;
    case Gesture::SuffixTyped:
        QTest::keyClick(w.sufftext, Qt::Key_X);
        break;
    case Gesture::SuffixSet:
        w.sufftext->setText(QStringLiteral("-S"));
        break;
    case Gesture::AutoPreviewOn:
        clickBox(w.livepreview);
        break;
    }
}

// The names of kList once the gesture has been made.
struct Row {
    const char* name;
    Gesture gesture;
    const char* names;
};
const Row kGestures[] = {
    {"case list", Gesture::CaseList, "MON DOSSIER\nAB"},
    {"separator list", Gesture::SeparatorList, "mon_dossier\nab"},
    {"forbidden-character list", Gesture::ForbiddenList, "mon dossier\na-b"},
    {"prefix switch", Gesture::PrefixSwitch, "pre_mon dossier\npre_ab"},
    {"suffix switch", Gesture::SuffixSwitch, "mon dossier_suff\nab_suff"},
    {"prefix typed", Gesture::PrefixTyped, "pre_xmon dossier\npre_xab"},
    {"prefix set", Gesture::PrefixSet, "P-mon dossier\nP-ab"},
    {"suffix typed", Gesture::SuffixTyped, "mon dossier_suffx\nab_suffx"},
    {"suffix set", Gesture::SuffixSet, "mon dossier-S\nab-S"},
};

bool isTyped(Gesture gesture) {
    return gesture == Gesture::PrefixTyped || gesture == Gesture::SuffixTyped;
}

bool isAffixText(Gesture gesture) {
    return isTyped(gesture) || gesture == Gesture::PrefixSet || gesture == Gesture::SuffixSet;
}
} // namespace

// With automatic preview on, every formatting gesture rebuilds the preview,
// and the create command ends enabled exactly when the new list is clean. In
// the "folder exists" rows a folder with the first new name appeared in the
// destination after the last clean preview: the command, enabled before the
// gesture, must end disabled.
void TstEditor::gestureRebuildsThePreview_data() {
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<QString>("names");
    QTest::addColumn<bool>("folderExists");
    QTest::addColumn<int>("runs");
    QTest::addColumn<QStringList>("warnings");

    for (const Row& row : kGestures) {
        // A typed key refreshes twice: with the text before the key, then after.
        const int runs = isTyped(row.gesture) ? 2 : 1;
        const QString names = QString::fromUtf8(row.names);
        QTest::addRow("%s, clean", row.name)
            << row.gesture << names << false << runs << QStringList{};
        QTest::addRow("%s, folder exists", row.name)
            << row.gesture << names << true << runs << QStringList{kFolderWarning};
    }
    QTest::newRow("automatic preview checked, clean")
        << Gesture::AutoPreviewOn << "mon dossier\nab" << false << 1 << QStringList{};
    QTest::newRow("automatic preview checked, folder exists")
        << Gesture::AutoPreviewOn << "mon dossier\nab" << true << 1 << QStringList{kFolderWarning};
}

void TstEditor::gestureRebuildsThePreview() {
    QFETCH(Gesture, gesture);
    QFETCH(QString, names);
    QFETCH(bool, folderExists);
    QFETCH(int, runs);
    QFETCH(QStringList, warnings);

    Harness h;
    Form1 w(h.services());
    prepare(w, gesture);
    w.Text1->setText(kList);
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QVERIFY(w.Command3->isEnabled());
    if (gesture != Gesture::AutoPreviewOn)
        QVERIFY(preview(w) != names);
    if (folderExists)
        h.makeFolder(QStringLiteral("work/") + names.section(QLatin1Char('\n'), 0, 0));
    const int runsBefore = w.previewRuns();

    perform(w, gesture);
    QCOMPARE(w.livepreview->value(), 1);
    QCOMPARE(w.previewRuns(), runsBefore + runs);
    QCOMPARE(preview(w), names);
    QCOMPARE(total(w), QStringLiteral("Total : 2"));
    QCOMPARE(h.messages->titles(), warnings);
    QCOMPARE(w.Command3->isEnabled(), !folderExists);
}

// With automatic preview off (unchecked, or grayed, which counts as off) a
// gesture leaves the preview and the count alone; the lists and switches
// disable the create command, the prefix and suffix texts leave it as it was.
// The new setting still holds: the preview button shows it.
void TstEditor::gestureOnlyInvalidatesWithoutAutomaticPreview_data() {
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<QString>("names");
    QTest::addColumn<int>("automaticPreview");
    QTest::addColumn<bool>("enabledBefore");

    for (const Row& row : kGestures) {
        const QString names = QString::fromUtf8(row.names);
        QTest::addRow("%s", row.name) << row.gesture << names << 0 << true;
        if (isAffixText(row.gesture))
            QTest::addRow("%s, create command disabled before", row.name)
                << row.gesture << names << 0 << false;
    }
    QTest::newRow("case list, automatic preview grayed")
        << Gesture::CaseList << "MON DOSSIER\nAB" << 2 << true;
    QTest::newRow("prefix switch, automatic preview grayed")
        << Gesture::PrefixSwitch << "pre_mon dossier\npre_ab" << 2 << true;
    QTest::newRow("prefix typed, automatic preview grayed")
        << Gesture::PrefixTyped << "pre_xmon dossier\npre_xab" << 2 << true;
    QTest::newRow("suffix set, automatic preview grayed")
        << Gesture::SuffixSet << "mon dossier-S\nab-S" << 2 << true;
}

void TstEditor::gestureOnlyInvalidatesWithoutAutomaticPreview() {
    QFETCH(Gesture, gesture);
    QFETCH(QString, names);
    QFETCH(int, automaticPreview);
    QFETCH(bool, enabledBefore);

    Harness h;
    Form1 w(h.services());
    prepare(w, gesture);
    w.livepreview->setValue(automaticPreview);
    w.Text1->setText(kList);
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QVERIFY(w.Command3->isEnabled());
    if (!enabledBefore) {
        // An edit that keeps the same names still needs a new preview.
        w.Text1->setText(kList + QStringLiteral("\r\n"));
        QVERIFY(!w.Command3->isEnabled());
    }
    const QString before = preview(w);
    const QString totalBefore = total(w);
    const int runsBefore = w.previewRuns();

    perform(w, gesture);
    QCOMPARE(w.previewRuns(), runsBefore);
    QCOMPARE(preview(w), before);
    QCOMPARE(total(w), totalBefore);
    QVERIFY(h.messages->shown.isEmpty());
    QCOMPARE(w.Command3->isEnabled(), enabledBefore && isAffixText(gesture));

    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QCOMPARE(preview(w), names);
    QVERIFY(w.Command3->isEnabled());
}

// A key in the prefix or suffix box refreshes once from the key press, with the
// text as it was, and once from the change, with the new text; a key that
// changes nothing refreshes once, a key that is no character not at all. The
// preview pane is read each time a warning box is open.
void TstEditor::keyInAffixBoxRefreshesBeforeAndAfterIt_data() {
    QTest::addColumn<bool>("suffix");
    QTest::addColumn<QString>("affix");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("existing"); // a folder in the destination, or nothing
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("affixAfter");
    QTest::addColumn<int>("runs");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<QStringList>("previewsWhileWarning");
    QTest::addColumn<bool>("enabledAfter");

    const QString twice = QStringLiteral("a\r\na");
    QTest::newRow("prefix, letter, duplicates")
        << false << "p" << twice << "" << int(Qt::Key_X) << "px" << 2
        << QStringList{kEditorWarning, kEditorWarning} << QStringList{"pa\npa", "pxa\npxa"}
        << false;
    QTest::newRow("suffix, letter, duplicates")
        << true << "s" << twice << "" << int(Qt::Key_X) << "sx" << 2
        << QStringList{kEditorWarning, kEditorWarning} << QStringList{"as\nas", "asx\nasx"}
        << false;
    QTest::newRow("prefix, Backspace, duplicates")
        << false << "p" << twice << "" << int(Qt::Key_Backspace) << "" << 2
        << QStringList{kEditorWarning, kEditorWarning} << QStringList{"pa\npa", "a\na"} << false;
    QTest::newRow("prefix, Enter, duplicates")
        << false << "p" << twice << "" << int(Qt::Key_Return) << "p" << 1
        << QStringList{kEditorWarning} << QStringList{"pa\npa"} << false;
    QTest::newRow("suffix, Enter, duplicates")
        << true << "s" << twice << "" << int(Qt::Key_Return) << "s" << 1
        << QStringList{kEditorWarning} << QStringList{"as\nas"} << false;
    QTest::newRow("prefix, cursor key, duplicates")
        << false << "p" << twice << "" << int(Qt::Key_Left) << "p" << 0 << QStringList{}
        << QStringList{} << false;
    // The folder of the old name exists, that of the new one does not: the
    // first run warns, the second finds the list clean.
    QTest::newRow("prefix, letter, folder of the old name exists")
        << false << "p"
        << "a"
        << "pa" << int(Qt::Key_X) << "px" << 2 << QStringList{kFolderWarning} << QStringList{"pa"}
        << true;
    // And the other way round: a clean first run does not keep the command enabled.
    QTest::newRow("suffix, letter, folder of the new name exists")
        << true << "s"
        << "a"
        << "asx" << int(Qt::Key_X) << "sx" << 2 << QStringList{kFolderWarning} << QStringList{"asx"}
        << false;
}

void TstEditor::keyInAffixBoxRefreshesBeforeAndAfterIt() {
    QFETCH(bool, suffix);
    QFETCH(QString, affix);
    QFETCH(QString, list);
    QFETCH(QString, existing);
    QFETCH(int, key);
    QFETCH(QString, affixAfter);
    QFETCH(int, runs);
    QFETCH(QStringList, warnings);
    QFETCH(QStringList, previewsWhileWarning);
    QFETCH(bool, enabledAfter);

    Harness h;
    Form1 w(h.services());
    CheckBox* const check = suffix ? w.suffcheck : w.prefcheck;
    TextBox* const box = suffix ? w.sufftext : w.preftext;
    clickBox(check);
    box->setText(affix);
    if (!existing.isEmpty())
        h.makeFolder(QStringLiteral("work/") + existing);
    w.Text1->setText(list);
    const int runsBefore = w.previewRuns();

    QStringList previews;
    h.messages->onShow = [&] {
        previews << preview(w);
    };
    QTest::keyClick(box, Qt::Key(key));
    QCOMPARE(box->text(), affixAfter);
    QCOMPARE(w.previewRuns(), runsBefore + runs);
    QCOMPARE(h.messages->titles(), warnings);
    QCOMPARE(previews, previewsWhileWarning);
    QCOMPARE(w.Command3->isEnabled(), enabledAfter);
}

// Editing the names never rebuilds the preview, whatever automatic preview
// says: the preview keeps the old names and count, the create command is
// disabled, also by a key press that changes nothing.
void TstEditor::editorEditsNeverRefresh_data() {
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<int>("automaticPreview");
    QTest::addColumn<QString>("text");

    const struct {
        const char* name;
        Edit edit;
        const char* text;
    } edits[] = {
        {"typed", Edit::Typed, "a\r\nb\r\na"},
        {"Enter typed", Edit::EnterTyped, "a\r\nb\r\n"},
        {"pasted", Edit::Pasted, "a\r\nbc\r\nd"},
        {"set from code", Edit::SetFromCode, "a\r\na"},
        {"cleared", Edit::Cleared, ""},
        {"Backspace at the start", Edit::BackspaceAtStart, "a\r\nb"},
    };
    for (const auto& edit : edits) {
        QTest::addRow("%s, automatic preview on", edit.name) << edit.edit << 1 << edit.text;
        QTest::addRow("%s, automatic preview off", edit.name) << edit.edit << 0 << edit.text;
    }
}

void TstEditor::editorEditsNeverRefresh() {
    QFETCH(Edit, edit);
    QFETCH(int, automaticPreview);
    QFETCH(QString, text);

    Harness h;
    Form1 w(h.services());
    w.livepreview->setValue(automaticPreview);
    w.Text1->setText(QStringLiteral("a\r\nb"));
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QCOMPARE(preview(w), QStringLiteral("a\nb"));
    QVERIFY(w.Command3->isEnabled());
    const int runsBefore = w.previewRuns();

    switch (edit) {
    case Edit::Typed:
        w.Text1->moveCursor(QTextCursor::End);
        QTest::keyClick(w.Text1, Qt::Key_Return);
        QTest::keyClicks(w.Text1, QStringLiteral("a"));
        break;
    case Edit::EnterTyped:
        w.Text1->moveCursor(QTextCursor::End);
        QTest::keyClick(w.Text1, Qt::Key_Return);
        break;
    case Edit::Pasted:
        QApplication::clipboard()->setText(QStringLiteral("c\nd"));
        w.Text1->moveCursor(QTextCursor::End);
        w.Text1->paste();
        break;
    case Edit::SetFromCode:
        w.Text1->setText(QStringLiteral("a\r\na"));
        break;
    case Edit::Cleared:
        QTest::mouseClick(w.Command4, Qt::LeftButton);
        break;
    case Edit::BackspaceAtStart:
        w.Text1->moveCursor(QTextCursor::Start);
        QTest::keyClick(w.Text1, Qt::Key_Backspace);
        break;
    }
    QCOMPARE(w.Text1->text(), text);
    QCOMPARE(w.previewRuns(), runsBefore);
    QCOMPARE(preview(w), QStringLiteral("a\nb"));
    QCOMPARE(total(w), QStringLiteral("Total : 2"));
    QVERIFY(h.messages->shown.isEmpty());
    QVERIFY(!w.Command3->isEnabled());
}

// Clearing an editor that is empty already sets the same text again: the text
// does not change, so no change event invalidates the clean preview.
void TstEditor::clearingAnEmptyEditor() {
    Harness h;
    Form1 w(h.services());
    QVERIFY(w.Command3->isEnabled());
    const int runsBefore = w.previewRuns();
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    QCOMPARE(w.Text1->text(), QString());
    QCOMPARE(w.previewRuns(), runsBefore);
    QCOMPARE(total(w), QStringLiteral("Total : 0"));
    QVERIFY(w.Command3->isEnabled());
}

// A switch enables its text box while it is on (checked, or grayed from
// code), disables it while off, and never touches the text; the names follow
// the switch.
void TstEditor::switchesEnableTheirTextBoxes_data() {
    QTest::addColumn<bool>("suffix");
    QTest::addColumn<int>("on"); // 1 clicked by the user, 2 grayed from code
    QTest::addColumn<QString>("withAffix");
    QTest::addColumn<QString>("withTypedAffix");

    QTest::newRow("prefix, clicked") << false << 1 << "pre_a"
                                     << "pre_za";
    QTest::newRow("prefix, grayed") << false << 2 << "pre_a"
                                    << "pre_za";
    QTest::newRow("suffix, clicked") << true << 1 << "a_suff"
                                     << "a_suffz";
    QTest::newRow("suffix, grayed") << true << 2 << "a_suff"
                                    << "a_suffz";
}

void TstEditor::switchesEnableTheirTextBoxes() {
    QFETCH(bool, suffix);
    QFETCH(int, on);
    QFETCH(QString, withAffix);
    QFETCH(QString, withTypedAffix);

    Harness h;
    Form1 w(h.services());
    CheckBox* const check = suffix ? w.suffcheck : w.prefcheck;
    TextBox* const box = suffix ? w.sufftext : w.preftext;
    TextBox* const other = suffix ? w.preftext : w.sufftext;
    const QString start = box->text();
    w.Text1->setText(QStringLiteral("a"));

    if (on == 1)
        clickBox(check);
    else
        check->setValue(on);
    QCOMPARE(check->value(), on);
    QVERIFY(box->isEnabled());
    QVERIFY(!other->isEnabled());
    QCOMPARE(box->text(), start);
    QCOMPARE(preview(w), withAffix);

    QTest::keyClick(box, Qt::Key_Z);
    QCOMPARE(box->text(), start + QStringLiteral("z"));
    QCOMPARE(preview(w), withTypedAffix);

    if (on == 1)
        clickBox(check);
    else
        check->setValue(0);
    QCOMPARE(check->value(), 0);
    QVERIFY(!box->isEnabled());
    QCOMPARE(box->text(), start + QStringLiteral("z"));
    QCOMPARE(preview(w), QStringLiteral("a"));

    clickBox(check);
    QCOMPARE(check->value(), 1);
    QVERIFY(box->isEnabled());
    QCOMPARE(box->text(), start + QStringLiteral("z"));
    QCOMPARE(preview(w), withTypedAffix);
    QVERIFY(w.Command3->isEnabled());
}

// Checking automatic preview refreshes at once, after invalidating; any other
// new value (unchecked, grayed) changes nothing. Before the gesture the prefix
// text was changed without a refresh and a folder with the new name appeared,
// so a refresh shows the new name, warns and leaves the command disabled.
void TstEditor::automaticPreviewSwitch_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("byClick");
    QTest::addColumn<bool>("editedBefore"); // the create command disabled by an edit
    QTest::addColumn<bool>("refreshes");

    QTest::newRow("checked by a click") << 0 << 1 << true << false << true;
    QTest::newRow("checked from code") << 0 << 1 << false << false << true;
    QTest::newRow("checked by a click after an edit") << 0 << 1 << true << true << true;
    QTest::newRow("grayed, then checked by a click") << 2 << 1 << true << false << true;
    QTest::newRow("unchecked by a click") << 1 << 0 << true << false << false;
    QTest::newRow("unchecked by a click after an edit") << 1 << 0 << true << true << false;
    QTest::newRow("unchecked from code") << 1 << 0 << false << false << false;
    QTest::newRow("grayed from checked") << 1 << 2 << false << false << false;
    QTest::newRow("grayed from checked after an edit") << 1 << 2 << false << true << false;
    QTest::newRow("grayed from unchecked") << 0 << 2 << false << false << false;
}

void TstEditor::automaticPreviewSwitch() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, byClick);
    QFETCH(bool, editedBefore);
    QFETCH(bool, refreshes);

    Harness h;
    Form1 w(h.services());
    clickBox(w.prefcheck);
    w.Text1->setText(QStringLiteral("a"));
    w.livepreview->setValue(from);
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    w.preftext->setText(QStringLiteral("q"));
    if (editedBefore)
        w.Text1->setText(QStringLiteral("a\r\n"));
    QCOMPARE(w.Command3->isEnabled(), !editedBefore);
    h.makeFolder(QStringLiteral("work/qa"));
    const QString before = preview(w);
    const int runsBefore = w.previewRuns();

    if (byClick)
        clickBox(w.livepreview);
    else
        w.livepreview->setValue(to);
    QCOMPARE(w.livepreview->value(), to);

    if (refreshes) {
        QCOMPARE(w.previewRuns(), runsBefore + 1);
        QCOMPARE(preview(w), QStringLiteral("qa"));
        QCOMPARE(h.messages->titles(), QStringList{kFolderWarning});
        QVERIFY(!w.Command3->isEnabled());
    } else {
        QCOMPARE(w.previewRuns(), runsBefore);
        QCOMPARE(preview(w), before);
        QVERIFY(h.messages->shown.isEmpty());
        QCOMPARE(w.Command3->isEnabled(), !editedBefore);
    }
}

// The user choosing the entry that a list already shows (the one start-up
// selected) still runs the list's handler.
void TstEditor::pickingTheEntryAlreadyShown_data() {
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("automaticPreview");
    for (int list = 1; list <= 3; ++list) {
        QTest::addRow("Combo%d, automatic preview on", list) << list << 1;
        QTest::addRow("Combo%d, automatic preview off", list) << list << 0;
    }
}

void TstEditor::pickingTheEntryAlreadyShown() {
    QFETCH(int, list);
    QFETCH(int, automaticPreview);

    Harness h;
    Form1 w(h.services());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ComboBox* const combo = list == 1 ? w.Combo1 : list == 2 ? w.Combo2 : w.Combo3;
    QCOMPARE(combo->currentIndex(), 0);
    w.livepreview->setValue(automaticPreview);
    w.Text1->setText(QStringLiteral("a"));
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QVERIFY(w.Command3->isEnabled());
    if (automaticPreview == 1)
        w.Text1->setText(QStringLiteral("a\r\nb")); // not previewed yet
    const int runsBefore = w.previewRuns();

    combo->showPopup();
    QAbstractItemView* const view = combo->view();
    view->setCurrentIndex(combo->model()->index(0, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(combo->currentIndex(), 0);

    if (automaticPreview == 1) {
        QCOMPARE(w.previewRuns(), runsBefore + 1);
        QCOMPARE(preview(w), QStringLiteral("a\nb"));
        QCOMPARE(total(w), QStringLiteral("Total : 2"));
        QVERIFY(w.Command3->isEnabled());
    } else {
        QCOMPARE(w.previewRuns(), runsBefore);
        QCOMPARE(preview(w), QStringLiteral("a"));
        QCOMPARE(total(w), QStringLiteral("Total : 1"));
        QVERIFY(!w.Command3->isEnabled());
    }
}

QTEST_MAIN(TstEditor)
#include "tst_editor.moc"
