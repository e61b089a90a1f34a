#include "editor/transform.h"

#include <QTest>

#include <climits>

using namespace Qt::StringLiterals;
using ramulo::AddsSettings;

Q_DECLARE_METATYPE(ramulo::AddsSettings)

namespace {

// Settings with both additions switched on, the default prefix and suffix kept.
AddsSettings withBoth(int separatorMode = 0) {
    return AddsSettings{.prefixOn = true, .suffixOn = true, .separatorMode = separatorMode};
}

QString fromUcs4(char32_t c) {
    return QString::fromUcs4(&c, 1);
}

} // namespace

class TstTransform : public QObject {
    Q_OBJECT

private slots:
    // A raw line through the additions, then the letter case, as the window does.
    void chain_data();
    void chain();

    // Inactive and unknown indexes give "nothing to do" values (empty text,
    // '\0' pair), so callers can test the result instead of the index.
    void inactiveModes_data();
    void inactiveModes();
};

void TstTransform::chain_data() {
    QTest::addColumn<QString>("raw");
    QTest::addColumn<AddsSettings>("adds");
    QTest::addColumn<int>("caseMode");
    QTest::addColumn<QString>("expected");

    const AddsSettings none;
    const auto forbidden = [](int mode, int separatorMode = 0) {
        return AddsSettings{.forbiddenMode = mode, .separatorMode = separatorMode};
    };
    const auto separator = [](int mode) {
        return AddsSettings{.separatorMode = mode};
    };
    const auto prefixed = [](const QString& prefix) {
        return AddsSettings{.prefixOn = true, .prefix = prefix};
    };

    // Plain lines and trimming.
    QTest::newRow("untouched") << u"Projet 2007"_s << none << 0 << u"Projet 2007"_s;
    QTest::newRow("spaces trimmed") << u"  Projet  "_s << none << 0 << u"Projet"_s;
    QTest::newRow("inner spaces kept") << u" a  b "_s << none << 0 << u"a  b"_s;
    QTest::newRow("tabs not trimmed") << u"\tDossier\t"_s << none << 0 << u"\tDossier\t"_s;
    QTest::newRow("nbsp not trimmed") << u"\u00A0x\u00A0"_s << none << 0 << u"\u00A0x\u00A0"_s;
    QTest::newRow("trailing CR LF kept") << u"x\r\n"_s << none << 0 << u"x\r\n"_s;
    QTest::newRow("inner CR kept") << u"a\rb"_s << none << 0 << u"a\rb"_s;
    QTest::newRow("inner LF kept") << u"a\nb"_s << none << 0 << u"a\nb"_s;
    QTest::newRow("upper initial kept") << u"Dossier"_s << none << 0 << u"Dossier"_s;
    QTest::newRow("lower initial kept") << u"dossier"_s << none << 0 << u"dossier"_s;
    QTest::newRow("NUL kept") << u"a\0b"_s << none << 0 << u"a\0b"_s;

    // Empty and blank lines.
    QTest::newRow("empty") << QString() << none << 0 << QString();
    QTest::newRow("empty, everything on")
        << QString()
        << AddsSettings{.prefixOn = true, .suffixOn = true, .forbiddenMode = 2, .separatorMode = 3}
        << 4 << QString();
    QTest::newRow("blank") << u"   "_s << none << 0 << QString();
    QTest::newRow("blank, prefix and suffix") << u"   "_s << withBoth() << 0 << u"pre_   _suff"_s;
    QTest::newRow("blank, suffix only")
        << u"   "_s << AddsSettings{.suffixOn = true} << 0 << u"_suff"_s;

    // Forbidden characters.
    const QString allForbidden = u"a/b:c*d?e<f>g\\h"_s;
    QTest::newRow("forbidden removed") << allForbidden << forbidden(0) << 0 << u"abcdefgh"_s;
    QTest::newRow("forbidden to space")
        << allForbidden << forbidden(1) << 0 << u"a b c d e f g h"_s;
    QTest::newRow("forbidden to underscore")
        << allForbidden << forbidden(2) << 0 << u"a_b_c_d_e_f_g_h"_s;
    QTest::newRow("forbidden to dash") << allForbidden << forbidden(3) << 0 << u"a-b-c-d-e-f-g-h"_s;
    QTest::newRow("quote and pipe") << u"a\"b|c"_s << forbidden(3) << 0 << u"a-b-c"_s;
    QTest::newRow("forbidden run") << u"a<>b"_s << forbidden(2) << 0 << u"a__b"_s;
    QTest::newRow("forbidden mode 4 removes") << u"a/b"_s << forbidden(4) << 0 << u"ab"_s;
    QTest::newRow("forbidden mode -1 removes") << u"a/b"_s << forbidden(-1) << 0 << u"ab"_s;
    QTest::newRow("forbidden mode INT_MAX removes")
        << u"a/b"_s << forbidden(INT_MAX) << 0 << u"ab"_s;
    QTest::newRow("fullwidth look-alike kept")
        << u"a\uFF0Fb"_s << forbidden(0) << 0 << u"a\uFF0Fb"_s;
    QTest::newRow("replaced at ends then trimmed")
        << u"?Rapport?"_s << forbidden(1) << 0 << u"Rapport"_s;
    QTest::newRow("only forbidden") << u"???"_s << forbidden(0) << 0 << QString();
    QTest::newRow("only forbidden, prefix on") << u"???"_s << prefixed(u"pre_"_s) << 0 << u"pre_"_s;
    QTest::newRow("only forbidden as spaces, both on")
        << u"???"_s << AddsSettings{.prefixOn = true, .suffixOn = true, .forbiddenMode = 1} << 0
        << u"pre_   _suff"_s;

    // Separator swap: one way, once.
    const QString mixed = u"mon dossier-final_2007"_s;
    QTest::newRow("space to underscore")
        << mixed << separator(1) << 0 << u"mon_dossier-final_2007"_s;
    QTest::newRow("space to dash") << mixed << separator(2) << 0 << u"mon-dossier-final_2007"_s;
    QTest::newRow("underscore to space")
        << mixed << separator(3) << 0 << u"mon dossier-final 2007"_s;
    QTest::newRow("underscore to dash")
        << mixed << separator(4) << 0 << u"mon dossier-final-2007"_s;
    QTest::newRow("dash to space") << mixed << separator(5) << 0 << u"mon dossier final_2007"_s;
    QTest::newRow("dash to underscore")
        << mixed << separator(6) << 0 << u"mon dossier_final_2007"_s;
    QTest::newRow("separator mode 7 ignored") << mixed << separator(7) << 0 << mixed;
    QTest::newRow("separator mode -1 ignored") << mixed << separator(-1) << 0 << mixed;
    QTest::newRow("swap runs before trim")
        << u"  Projet  "_s << separator(1) << 0 << u"__Projet__"_s;
    QTest::newRow("swapped to spaces then trimmed")
        << u"_dossier_"_s << separator(3) << 0 << u"dossier"_s;
    QTest::newRow("dashes to spaces then trimmed") << u"--x--"_s << separator(5) << 0 << u"x"_s;
    QTest::newRow("forbidden space swapped") << u"Q1/Q2"_s << forbidden(1, 1) << 0 << u"Q1_Q2"_s;
    QTest::newRow("forbidden underscore swapped") << u"a|b"_s << forbidden(2, 3) << 0 << u"a b"_s;
    QTest::newRow("forbidden dash swapped") << u"a*b"_s << forbidden(3, 6) << 0 << u"a_b"_s;
    QTest::newRow("forbidden swapped to space then trimmed")
        << u"*a*"_s << forbidden(2, 3) << 0 << u"a"_s;
    QTest::newRow("NUL untouched by no swap") << u"a\0b c"_s << none << 0 << u"a\0b c"_s;

    // Prefix and suffix.
    QTest::newRow("prefix and suffix") << u"dossier"_s << withBoth() << 0 << u"pre_dossier_suff"_s;
    QTest::newRow("prefix only") << u"dossier"_s << prefixed(u"pre_"_s) << 0 << u"pre_dossier"_s;
    QTest::newRow("suffix only") << u"dossier"_s << AddsSettings{.suffixOn = true} << 0
                                 << u"dossier_suff"_s;
    QTest::newRow("prefix and suffix swapped")
        << u"dossier"_s << withBoth(3) << 0 << u"pre dossier suff"_s;
    QTest::newRow("prefix and suffix, sentence")
        << u"dossier"_s << withBoth() << 2 << u"Pre_dossier_suff"_s;
    QTest::newRow("prefix and suffix, upper")
        << u"dossier"_s << withBoth() << 4 << u"PRE_DOSSIER_SUFF"_s;
    QTest::newRow("forbidden in prefix") << u"B"_s << prefixed(u"x:y-"_s) << 0 << u"xy-B"_s;
    QTest::newRow("prefix ending in space")
        << u"A"_s << prefixed(u"Dossier "_s) << 0 << u"Dossier A"_s;
    QTest::newRow("prefix of spaces trimmed") << u"A"_s << prefixed(u"  "_s) << 0 << u"A"_s;
    QTest::newRow("forbidden in suffix")
        << u"A"_s << AddsSettings{.suffixOn = true, .suffix = u" <v2>"_s, .forbiddenMode = 2} << 0
        << u"A _v2_"_s;
    QTest::newRow("prefix off ignores its text")
        << u"A"_s << AddsSettings{.prefix = u"zz"_s, .suffix = u"yy"_s} << 0 << u"A"_s;

    // Letter case.
    const QString phrase = u"mon DOSSIER été"_s;
    QTest::newRow("lower") << phrase << none << 1 << u"mon dossier été"_s;
    QTest::newRow("sentence") << phrase << none << 2 << u"Mon dossier été"_s;
    QTest::newRow("proper") << phrase << none << 3 << u"Mon Dossier Été"_s;
    QTest::newRow("upper") << phrase << none << 4 << u"MON DOSSIER ÉTÉ"_s;
    QTest::newRow("case mode 5 ignored") << u"MiXeD"_s << none << 5 << u"MiXeD"_s;
    QTest::newRow("case mode -1 ignored") << u"MiXeD"_s << none << -1 << u"MiXeD"_s;
    QTest::newRow("accents lower") << u"ÇA À ÉTÉ"_s << none << 1 << u"ça à été"_s;
    QTest::newRow("accents upper") << u"ça à été"_s << none << 4 << u"ÇA À ÉTÉ"_s;
    QTest::newRow("sentence, accented initial") << u"éCOLE"_s << none << 2 << u"École"_s;
    QTest::newRow("sentence, digit first") << u"01 DOSSIER"_s << none << 2 << u"01 dossier"_s;
    QTest::newRow("sentence, quote first") << u"'QUOTED' TEXT"_s << none << 2 << u"'quoted' text"_s;
    QTest::newRow("sentence, tab first") << u"\tABC"_s << none << 2 << u"\tabc"_s;
    QTest::newRow("proper, only blank separators")
        << u"jean-pierre_DUPONT l'ami"_s << none << 3 << u"Jean-pierre_dupont L'ami"_s;
    QTest::newRow("proper, punctuation and digits")
        << u"a.b,c(d)e 2PAC x"_s << none << 3 << u"A.b,c(d)e 2pac X"_s;
    QTest::newRow("proper, control separators")
        << u"a\tb\nc\vd\fe\rf\0g"_s << none << 3 << u"A\tB\nC\vD\fE\rF\0G"_s;
    QTest::newRow("proper, leading tab") << u"\tabc"_s << none << 3 << u"\tAbc"_s;
    QTest::newRow("proper, runs of spaces") << u"a   b"_s << none << 3 << u"A   B"_s;
    QTest::newRow("proper, nbsp and NEL are not separators")
        << u"a\u00A0b\u0085c\u2028d"_s << none << 3 << u"A\u00A0b\u0085c\u2028d"_s;
    // Word starts take the upper case form, not the title case one.
    QTest::newRow("proper, digraph")
        << u"\u01C6EMAL \u01C5"_s << none << 3 << u"\u01C4emal \u01C4"_s;
    QTest::newRow("proper after swap") << u"mon dossier"_s << separator(1) << 3 << u"Mon_dossier"_s;
    QTest::newRow("proper after forbidden space") << u"a/b"_s << forbidden(1) << 3 << u"A B"_s;

    // Simple, length-keeping case mapping.
    QTest::newRow("sharp s upper") << u"straße"_s << none << 4 << u"STRAßE"_s;
    QTest::newRow("sharp s proper") << u"ßa"_s << none << 3 << u"ßa"_s;
    QTest::newRow("apostrophe-n upper") << u"\u0149"_s << none << 4 << u"\u0149"_s;
    QTest::newRow("fi ligature upper") << u"\uFB01n"_s << none << 4 << u"\uFB01N"_s;
    QTest::newRow("final sigma lower") << u"ΟΔΟΣ"_s << none << 1 << u"οδοσ"_s;
    QTest::newRow("no case kept") << u"日本 123 €"_s << none << 4 << u"日本 123 €"_s;

    // Code points outside the BMP.
    const QString smallI = fromUcs4(U'\U00010428');
    const QString capitalI = fromUcs4(U'\U00010400');
    QTest::newRow("astral upper") << smallI << none << 4 << capitalI;
    QTest::newRow("astral lower") << capitalI << none << 1 << smallI;
    QTest::newRow("astral sentence") << capitalI + capitalI << none << 2 << capitalI + smallI;
    QTest::newRow("astral proper")
        << smallI + smallI + u' ' + smallI << none << 3 << capitalI + smallI + u' ' + capitalI;
    QTest::newRow("astral first, then ASCII")
        << smallI + u"AB"_s << none << 2 << capitalI + u"ab"_s;
    // U+10000 ends in 0x0000 once narrowed to 16 bits, which would read as NUL.
    QTest::newRow("astral not a separator")
        << fromUcs4(U'\U00010000') + u"abc"_s << none << 3 << fromUcs4(U'\U00010000') + u"abc"_s;
    QTest::newRow("lone high surrogate")
        << u"x"_s + QChar(0xD801) + u"ab"_s << none << 4 << u"X"_s + QChar(0xD801) + u"AB"_s;
    QTest::newRow("lone high surrogate at end")
        << u"ab"_s + QChar(0xD801) << none << 4 << u"AB"_s + QChar(0xD801);
    QTest::newRow("lone low surrogate first")
        << QChar(0xDC28) + u"AB"_s << none << 1 << QChar(0xDC28) + u"ab"_s;
    QTest::newRow("surrogates in wrong order")
        << QString(QChar(0xDC28)) + QChar(0xD801) + u"a"_s << none << 4
        << QString(QChar(0xDC28)) + QChar(0xD801) + u"A"_s;
}

void TstTransform::chain() {
    QFETCH(QString, raw);
    QFETCH(AddsSettings, adds);
    QFETCH(int, caseMode);
    QFETCH(QString, expected);

    const QString name = ramulo::applyCase(ramulo::applyAdds(raw, adds), caseMode);
    QCOMPARE(name, expected);
}

void TstTransform::inactiveModes_data() {
    QTest::addColumn<int>("mode");

    QTest::newRow("0") << 0;
    QTest::newRow("-1") << -1;
    QTest::newRow("7") << 7;
    QTest::newRow("INT_MIN") << INT_MIN;
    QTest::newRow("INT_MAX") << INT_MAX;
}

void TstTransform::inactiveModes() {
    QFETCH(int, mode);

    QVERIFY(ramulo::forbiddenReplacement(mode).isEmpty());
    const ramulo::Swap swap = ramulo::separatorSwap(mode);
    QCOMPARE(swap.from, u'\0');
    QCOMPARE(swap.to, u'\0');
}

QTEST_APPLESS_MAIN(TstTransform)
#include "tst_transform.moc"
