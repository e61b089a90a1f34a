// The generator's number reading and lists, and a preset file's bytes as text.

#include "sources/numbers.h"
#include "sources/presets.h"

#include <QTest>

#include <cfloat>

using namespace ramulo;

Q_DECLARE_METATYPE(GeneratorInputs)

class TstSources : public QObject {
    Q_OBJECT
private slots:
    void readNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("stops at a letter") << "12abc" << 12.0;
        QTest::newRow("comma is no decimal point") << "1,5" << 1.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks anywhere") << " 1 2\t3\n" << 123.0;
        QTest::newRow("sign, then blanks") << "- 5" << -5.0;
        QTest::newRow("two signs") << "+-5" << 0.0;
        QTest::newRow("point first, second point stops") << ".5.5" << 0.5;
        QTest::newRow("exponent") << "2E3x" << 2000.0;
        QTest::newRow("exponent with d and sign") << "5D-1" << 0.5;
        QTest::newRow("signs before and in the exponent") << "-1.5e-3" << -0.0015;
        QTest::newRow("exponent without digits") << "7d" << 7.0;
        QTest::newRow("Arabic-Indic digit is no digit") << "\u0663" << 0.0;
        QTest::newRow("too large") << "1e999" << DBL_MAX;
    }
    void readNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        // To the last bit: QCOMPARE of doubles is fuzzy, and takes any subnormal for 0.
        QCOMPARE(QString::number(ramulo::readNumber(text), 'g', 17), QString::number(value, 'g', 17));
    }

    void list_data() {
        QTest::addColumn<GeneratorInputs>("inputs"); // mode, start, step, count, digits
        QTest::addColumn<QString>("lines");          // joined by "|"; "-" for no list
        const auto row = [](const char* name, const GeneratorInputs& inputs, const char* lines) {
            QTest::newRow(name) << inputs << QString(lines);
        };
        using enum GeneratorMode;
        row("step 5, three digits", {Sequence, 0, 5, 4, 3}, "000|005|010|015");
        row("longer than the digits", {Sequence, 98, 1, 4, 2}, "98|99|100|101");
        row("fractional count", {Sequence, 1, 1, 2.5, 1}, "1|2");
        row("count below 1", {Sequence, 1, 1, 0.9, 2}, "");
        row("negative count", {Sequence, 1, 1, -2, 2}, "");
        row("fractional values", {Sequence, 0.5, 0.1, 3, 1}, "0.5|0.6|0.7");
        row("negative, padded as text", {Sequence, -5, 1, 2, 3}, "0-5|0-4");
        row("15 digits plain, 10^15 not", {Sequence, 999999999999999, 1, 2, 2}, "999999999999999|1e+15");
        row("15 significant digits", {Sequence, 123456789012345.6, 1, 1, 2}, "123456789012346");
        row("ranges", {Interval, 1, 50, 3, 2}, "01-50|51-100|101-150");
        row("ranges, 20 digits", {Interval, 9, 1, 1, 20}, "00000000000000000009-00000000000000000009");
        row("largest values written", {Sequence, 8e307, 8e307, 2, 1}, "8e+307|1.6e+308");
        row("a sum too large", {Sequence, 8e307, 8e307, 3, 1}, "-");
        row("a range's end too large", {Interval, DBL_MAX, 1e308, 1, 1}, "-");
        row("random: one draw a name, r times 10^digits", {Random, -1, 0, 4, 2}, "00|99|50|07");
        row("random: the largest draw is 15 nines", {Random, 0, 0, 2, 15}, "000000000000000|999999999999999");
    }
    void list() {
        QFETCH(GeneratorInputs, inputs);
        QFETCH(QString, lines);
        const QList<double> draws{0.0, 1 - 0x1p-53, 0.5, 0.0799}; // [0, 1), as the random source
        qsizetype drawn = 0;
        const auto text = generateList(inputs, [&] { return draws.at(drawn++); });
        QCOMPARE(text.value_or("-"), QString(lines).replace('|', "\r\n"));
        QCOMPARE(drawn, inputs.mode == GeneratorMode::Random ? lines.count('|') + 1 : 0);
    }

    // A preset file's bytes as the editor's text, or "- " and why there is none (the saved
    // inputs of fuzz_presets hold more encodings).
    void preset_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, const QByteArray& bytes, const QString& text) {
            QTest::newRow(name) << bytes << text;
        };
        row("inner empty line kept, final break dropped", "A\r\n\r\nB\r\n", "A\r\n\r\nB");
        row("final empty line kept", "A\r\n\r\n", "A\r\n");
        row("CR LF, LF and CR alone", "\r\n\r\na\rb\nc\r\n\n\rd\r", "a\r\nb\r\nc\r\n\r\n\r\nd");
        row("Windows-1252", "R\xE9union \x80\r\n\x9C", "Réunion €\r\nœ");
        // A file cut in the middle of a UTF-8 sequence is no UTF-8: its last letter is Windows-1252.
        row("cut short: Windows-1252", "Caf\xE9", "Café");
        row("a NUL is no text", QByteArray("a\0b\r\n", 5), "- ce n'est pas un fichier texte.");
        for (const char* cut : {"fffe 6100 62", "fffe 6100 3dd8"}) // UTF-16 cut: an odd byte, half a pair last
            row(cut, QByteArray::fromHex(cut), "- le fichier UTF-16 est coupé : son dernier caractère est incomplet.");
        row("UTF-16 little-endian, a pair last (DCD8 swapped is high)", QByteArray::fromHex("fffe 3dd8 d8dc"),
            QString::fromUtf16(u"\U0001F4D8"));
    }
    void preset() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QString why;
        QCOMPARE(presetText(bytes, &why).value_or("- " + why), text);
    }
};

QTEST_APPLESS_MAIN(TstSources)
#include "tst_sources.moc"
