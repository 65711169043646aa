#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <algorithm>

// Reads an EAN-8 (67 modules) or EAN-13 (95 modules) back from its modules, "1" a bar and "0" a
// space, the way a scanner does: guards, then each digit from its 7-module code. Left digits are
// in code set A (odd parity) or B (even parity); for an EAN-13 the sets of digits 2-7 give the
// first digit. Answers "?" for a digit it cannot read and a text starting with "bad" when the
// guards are wrong, so a test compares the whole result with the expected digits.
inline QString LeerEan(const QByteArray &modulos)
{
    static const QList<QByteArray> codigosA {"0001101", "0011001", "0010011", "0111101", "0100011",
                                             "0110001", "0101111", "0111011", "0110111", "0001011"};
    // The parity patterns of digits 2-7 ("A" odd, "B" even) for each first digit.
    static const QList<QByteArray> paridades {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                              "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
    const bool ean13 = modulos.size() == 95;
    if (!ean13 && modulos.size() != 67)
        return QStringLiteral("bad length %1").arg(modulos.size());
    const int mitad = ean13 ? 6 : 4;
    const int centro = 3 + 7 * mitad;
    if (modulos.left(3) != "101" || modulos.mid(centro, 5) != "01010" || modulos.right(3) != "101")
        return QStringLiteral("bad guards ") + QString::fromLatin1(modulos);

    const auto invertido = [](QByteArray codigo) {
        for (char &c : codigo)
            c = c == '1' ? '0' : '1';
        return codigo;
    };
    QString digitos;
    QByteArray paridad;
    for (int i = 0; i < mitad; ++i) {
        const QByteArray codigo = modulos.mid(3 + 7 * i, 7);
        qsizetype digito = codigosA.indexOf(codigo);
        paridad += 'A';
        if (digito < 0 && ean13) {
            // Set B is set C read backwards.
            QByteArray inverso = invertido(codigo);
            std::reverse(inverso.begin(), inverso.end());
            digito = codigosA.indexOf(inverso);
            paridad.back() = 'B';
        }
        digitos += digito < 0 ? QLatin1Char('?') : QLatin1Char(char('0' + digito));
    }
    for (int i = 0; i < mitad; ++i) {
        const qsizetype digito = codigosA.indexOf(invertido(modulos.mid(centro + 5 + 7 * i, 7)));
        digitos += digito < 0 ? QLatin1Char('?') : QLatin1Char(char('0' + digito));
    }
    if (ean13) {
        const qsizetype primero = paridades.indexOf(paridad);
        digitos.prepend(primero < 0 ? QLatin1Char('?') : QLatin1Char(char('0' + primero)));
    }
    return digitos;
}
