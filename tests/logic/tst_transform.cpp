// The editor's text split into raw lines, and a raw line through the additions then the letter
// case, as the window does, or level by level in a tree.

#include "editor/line_paths.h"
#include "editor/namelist.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace ramulo;

struct Line {
    QString raw;
    AddsSettings adds;
    int caseMode = 0;
};
Q_DECLARE_METATYPE(Line)

class TstTransform : public QObject {
    Q_OBJECT
private slots:
    // Only CR LF ends a line; empty lines stay, the empty editor has none.
    void splitLines() {
        QCOMPARE(ramulo::splitLines(""), QStringList{});
        QCOMPARE(ramulo::splitLines("\r\na\r\r\n\r\nb\r\n"), QStringList({"", "a\r", "", "b", ""}));
    }

    void chain_data() {
        QTest::addColumn<Line>("line");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const Line& line, const QString& expected) {
            QTest::newRow(name) << line << expected;
        };
        // clang-format off
        const auto modes = [](int forbidden, int swap, bool affixes = false) {
            return AddsSettings{.prefixOn = affixes, .suffixOn = affixes,
                                .forbiddenMode = ForbiddenMode(forbidden), .separatorMode = SwapMode(swap)};
        };
        const QString all = u"a/b:c*d?e<f>g\\h\"i|j"_s, phrase = u"mon DOSSIER été"_s;
        const QChar low(0xDC00), high(0xD800);
        // Trimming removes spaces only; prefix and suffix go to non-empty lines only.
        row("tabs and nbsp stay", {u"\tA\u00A0"_s, {}, 0}, u"\tA\u00A0"_s);
        row("empty, everything on", {{}, modes(2, 0, true), 4}, {});
        row("blank", {u"   "_s, {}, 0}, {});
        row("blank, both on", {u"   "_s, modes(0, 0, true), 0}, u"pre_   _suff"_s);
        // Forbidden characters, every one of them, in each mode.
        row("removed", {all, modes(0, 0), 0}, u"abcdefghij"_s);
        row("to spaces", {all, modes(1, 0), 0}, u"a b c d e f g h i j"_s);
        row("to underscores", {all, modes(2, 0), 0}, u"a_b_c_d_e_f_g_h_i_j"_s);
        row("to dashes", {all, modes(3, 0), 0}, u"a-b-c-d-e-f-g-h-i-j"_s);
        row("replaced at the ends, trimmed", {u"?Rapport?"_s, modes(1, 0), 0}, u"Rapport"_s);
        row("replacement is swapped", {u"Q1/Q2"_s, modes(1, 1), 0}, u"Q1_Q2"_s);
        // The swap: one way, once over the text, before the trim (the modes are below).
        row("swap before trim", {u"  Projet  "_s, modes(0, 1), 0}, u"__Projet__"_s);
        row("swapped to spaces, trimmed", {u"_dossier_"_s, modes(0, 3), 0}, u"dossier"_s);
        // Prefix and suffix go through the whole chain.
        row("affixes swapped", {u"dossier"_s, modes(0, 3, true), 0}, u"pre dossier suff"_s);
        row("forbidden in prefix", {u"B"_s, {.prefixOn = true, .prefix = u"x:y-"_s}, 0}, u"xy-B"_s);
        row("prefix ending in space", {u"A"_s, {.prefixOn = true, .prefix = u"Dossier "_s}, 0}, u"Dossier A"_s);
        // Letter case, character by character.
        row("lower", {phrase, {}, 1}, u"mon dossier été"_s);
        row("sentence", {phrase, {}, 2}, u"Mon dossier été"_s);
        row("proper", {phrase, {}, 3}, u"Mon Dossier Été"_s);
        row("upper", {phrase, {}, 4}, u"MON DOSSIER ÉTÉ"_s);
        row("unknown case", {u"MiXeD"_s, {}, 5}, u"MiXeD"_s);
        row("sentence, digit first", {u"01 DOSSIER"_s, {}, 2}, u"01 dossier"_s);
        row("proper, blank separators only", {u"jean-pierre_DUPONT l'ami"_s, {}, 3}, u"Jean-pierre_dupont L'ami"_s);
        row("proper, control separators", {u"a\tb\nc\vd\fe\rf\0g"_s, {}, 3}, u"A\tB\nC\vD\fE\rF\0G"_s);
        row("proper, nbsp is no separator", {u"a\u00A0b"_s, {}, 3}, u"A\u00A0b"_s);
        row("sharp s keeps its length", {u"straße"_s, {}, 4}, u"STRAßE"_s);
        row("outside the BMP", {u"\U00010428 \U00010428"_s, {}, 3}, u"\U00010400 \U00010400"_s);
        // U+10000 narrowed to 16 bits would read as NUL, a separator.
        row("U+10000 is no separator", {u"\U00010000ab"_s, {}, 3}, u"\U00010000ab"_s);
        row("half pairs stay, letters beside them cased", {u"a"_s + low + u"b"_s + high, {}, 4},
            u"A"_s + low + u"B"_s + high);
        // Modes 1 to 6: space > _, space > -, _ > space, _ > -, - > space, - > _; 7 is unknown.
        const QStringList swapped{u"a_b-c_d"_s, u"a-b-c_d"_s, u"a b-c d"_s, u"a b-c-d"_s,
                                  u"a b c_d"_s, u"a b_c_d"_s, u"a b-c_d"_s};
        for (int mode = 1; mode <= 7; ++mode)
            QTest::addRow("swap mode %d", mode) << Line{u"a b-c_d"_s, modes(0, mode), 0} << swapped[mode - 1];
        // clang-format on
    }
    void chain() {
        QFETCH(Line, line);
        QFETCH(QString, expected);
        QCOMPARE(applyCase(applyAdds(line.raw, line.adds), CaseMode(line.caseMode)), expected);
    }

    // In a tree, a line with no separator and no leading TAB is named as the first entry names it;
    // its outer spaces are layout there, trimmed before the swap: no row swaps them.
    void oneLevelTree_data() {
        QTest::addColumn<Line>("line");
        // clang-format off
        const auto swap = [](int mode) { return AddsSettings{.separatorMode = SwapMode(mode)}; };
        const AddsSettings spelled{.prefixOn = true, .prefix = u"a*b_"_s, .suffixOn = true, .suffix = u" c?"_s,
                                   .separatorMode = SwapMode::UnderscoreToDash};
        QTest::newRow("the seven others removed") << Line{u"A:b*c?d\"e<f>g|h"_s, {}, 0};
        QTest::newRow("swapped to spaces, trimmed") << Line{u"_mon_dossier_"_s, swap(3), 2};
        QTest::newRow("dashes to spaces, trimmed") << Line{u"-: A-B :-"_s, swap(5), 1};
        QTest::newRow("affixes swapped and cleaned") << Line{u"rapport final"_s, spelled, 3};
        QTest::newRow("empty line, affixes on") << Line{{}, {.prefixOn = true, .suffixOn = true}, 4};
        QTest::newRow("upper case, dot") << Line{u"."_s, {}, 4};
        // clang-format on
    }
    void oneLevelTree() {
        QFETCH(Line, line);
        const NameChain flat{line.adds, CaseMode(line.caseMode)};
        NameChain tree = flat;
        tree.adds.forbiddenMode = ForbiddenMode::Tree;
        QCOMPARE(LineReader(tree).next(line.raw).path, flat(line.raw));
    }
};

QTEST_APPLESS_MAIN(TstTransform)
#include "tst_transform.moc"
