#include "sources/numbers.h"

#include <QByteArray>

#include <cfloat>
#include <cmath>
#include <cstdlib>

namespace ramulo {

double readNumber(QStringView text) {
    // The characters that make the number, blanks taken out, in the C form.
    QByteArray number;
    bool digits = false, point = false, exponent = false, exponentDigits = false;
    for (const QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        const char16_t u = c.unicode();
        const bool signAllowed = number.isEmpty() || number.endsWith('e');
        if (u >= u'0' && u <= u'9') {
            number += static_cast<char>(u);
            (exponent ? exponentDigits : digits) = true;
        } else if ((u == u'-' || u == u'+') && signAllowed) {
            number += static_cast<char>(u);
        } else if (u == u'.' && !point && !exponent) {
            number += '.';
            point = true;
        } else if ((u == u'e' || u == u'E' || u == u'd' || u == u'D') && digits && !exponent) {
            number += 'e';
            exponent = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    // An exponent without digits is no exponent: «1e» is 1.
    if (exponent && !exponentDigits)
        number.truncate(number.indexOf('e'));
    const double value = std::strtod(number.constData(), nullptr);
    return std::isfinite(value) ? value : std::copysign(DBL_MAX, value);
}

QString numberText(double value) {
    if (value == 0)
        return QStringLiteral("0"); // never "-0"
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(value, 'f', 0);
    return QString::number(value, 'g', 15);
}

namespace {
QString padded(QString text, int digits) {
    if (text.size() < digits)
        text.prepend(QString(digits - text.size(), u'0'));
    return text;
}
} // namespace

std::optional<QString> generateList(const GeneratorInputs& inputs,
                                    const std::function<double()>& draw) {
    QString result;
    bool finite = true; // a sum past the largest double is no number to write
    const auto written = [&finite](double value) {
        finite = finite && std::isfinite(value);
        return numberText(value);
    };
    for (double i = 0; i <= inputs.count - 1; ++i) {
        if (!result.isEmpty())
            result += QStringLiteral("\r\n");
        QString item;
        switch (inputs.mode) {
        case GeneratorMode::Sequence:
            item = written(inputs.start + i * inputs.step);
            break;
        case GeneratorMode::Random:
            item = written(std::floor(draw() * std::pow(10.0, inputs.digits)));
            break;
        case GeneratorMode::Interval:
            item = padded(written(inputs.start + i * inputs.step), inputs.digits) + u'-' +
                   padded(written(inputs.start + (i + 1) * inputs.step - 1), inputs.digits);
            break;
        }
        if (!finite)
            return std::nullopt;
        result += padded(item, inputs.digits);
    }
    return result;
}

} // namespace ramulo
