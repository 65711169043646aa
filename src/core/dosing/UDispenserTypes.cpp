#include "core/dosing/UDispenserTypes.h"

#include "core/common/Clock.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace {

const QChar kGuion = QLatin1Char('-');
const QChar kDosPuntos = QLatin1Char(':');
const QChar kComa = QLatin1Char(',');
const QChar kPuntoYComa = QLatin1Char(';');

// A treatment without an end date runs until this many days after today.
constexpr int kDiasSinFin = 3000;
// No blister cell holds more than 9999 units: a longer number in a dose text is malformed.
constexpr int kCifrasMaximas = 4;
// A cell of the weekly table is a single digit.
constexpr int kMaximoCeldaTabla = 9;
constexpr int kDiasSemana = 7;

// A count written as digits only, without blanks or sign, within the blister's bounds.
std::optional<int> LeerCuenta(QStringView texto)
{
    if (texto.isEmpty() || texto.size() > kCifrasMaximas)
        return std::nullopt;
    int valor = 0;
    for (const QChar c : texto) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        valor = valor * 10 + (c.unicode() - '0');
    }
    return valor;
}

// The text before the first separator; `resto` keeps what follows it. Without a separator the
// whole text is returned and `resto` becomes empty (CortarHasta, without copying).
QStringView Cortar(QStringView &resto, QChar separador)
{
    const qsizetype posicion = resto.indexOf(separador);
    const QStringView antes = posicion < 0 ? resto : resto.first(posicion);
    resto = posicion < 0 ? QStringView() : resto.sliced(posicion + 1);
    return antes;
}

// A rule argument (days, weeks, months, ordinal, weekday): digits only.
std::optional<int> LeerArgumento(QStringView &resto)
{
    return LeerCuenta(Cortar(resto, kDosPuntos));
}

// The four slot values of a repetition-form dose; `resto` keeps the rule after the first ":".
std::array<QStringView, kTomasDia> CortarValores(QStringView &resto)
{
    std::array<QStringView, kTomasDia> valores;
    for (int toma = 0; toma < kTomasDia - 1; ++toma)
        valores[toma] = Cortar(resto, kGuion);
    valores[kTomasDia - 1] = Cortar(resto, kDosPuntos);
    return valores;
}

using TTipoRegla = TReglaPauta::TTipo;

// "D:D:n" every n days; "D:R:t:r" t days of taking, then r days of rest.
TReglaPauta LeerReglaDias(QStringView resto)
{
    const QStringView subcabeza = Cortar(resto, kDosPuntos);
    if (subcabeza == QLatin1String("D")) {
        const auto cada = LeerArgumento(resto);
        if (cada && *cada >= 1)
            return {.Tipo = TTipoRegla::CadaDias, .Cada = *cada};
    }
    if (subcabeza == QLatin1String("R")) {
        const auto toma = LeerArgumento(resto);
        const auto descanso = LeerArgumento(resto);
        if (toma && descanso && *toma >= 1)
            return {.Tipo = TTipoRegla::TomaDescanso, .Toma = *toma, .Descanso = *descanso};
    }
    return {};
}

// "S:n:mmmmmmm": the weekdays flagged "1" of every n-th block of 7 days.
TReglaPauta LeerReglaSemanas(QStringView resto)
{
    const auto cada = LeerArgumento(resto);
    const QStringView mascara = Cortar(resto, kDosPuntos);
    if (!cada || *cada < 1 || mascara.size() != kDiasSemana)
        return {};
    quint8 dias = 0;
    for (int dia = 0; dia < kDiasSemana; ++dia) {
        if (mascara.at(dia) == QLatin1Char('1'))
            dias |= quint8(1U << dia);
    }
    return {.Tipo = TTipoRegla::Semanas, .Cada = *cada, .Dias = dias};
}

// "M:D:day:n" on a day of the month, "M:P:ord:wd:n" on a position in the month, every n months.
TReglaPauta LeerReglaMeses(QStringView resto)
{
    const QStringView subcabeza = Cortar(resto, kDosPuntos);
    if (subcabeza == QLatin1String("D")) {
        const auto dia = LeerArgumento(resto);
        const auto cada = LeerArgumento(resto);
        if (dia && cada && *cada >= 1)
            return {.Tipo = TTipoRegla::DiaDelMes, .Cada = *cada, .Dia = *dia};
    }
    if (subcabeza == QLatin1String("P")) {
        const auto ordinal = LeerArgumento(resto);
        const auto diaSemana = LeerArgumento(resto);
        const auto cada = LeerArgumento(resto);
        if (ordinal && diaSemana && cada && *cada >= 1)
            return {.Tipo = TTipoRegla::PosicionDelMes,
                    .Cada = *cada,
                    .Ordinal = *ordinal,
                    .DiaSemana = *diaSemana};
    }
    return {};
}

int MesesDesde(const QDate &inicio, const QDate &fecha)
{
    return (fecha.year() * 12 + fecha.month()) - (inicio.year() * 12 + inicio.month());
}

// Position in the month of "M:P": ordinals 1 to 4 select that occurrence of the weekday (or
// that day of the month for wd 8); 5 and above the last one.
bool EnPosicionDelMes(int ordinal, int diaSemana, const QDate &fecha)
{
    constexpr int kUltimo = 5;
    constexpr int kDiaDelMes = 8;
    if (ordinal < 1)
        return false;
    if (diaSemana >= 1 && diaSemana <= kDiasSemana) {
        if (fecha.dayOfWeek() != diaSemana)
            return false;
        if (ordinal >= kUltimo)
            return fecha.day() + kDiasSemana > fecha.daysInMonth();
        return (fecha.day() - 1) / kDiasSemana + 1 == ordinal;
    }
    if (diaSemana == kDiaDelMes)
        return ordinal >= kUltimo ? fecha.day() == fecha.daysInMonth() : fecha.day() == ordinal;
    return false;
}

// Whether the rule takes on a date from the treatment start on. Day and week counts start at
// the treatment start, month counts at its month: closed forms of the day-by-day walks.
bool AplicaRegla(const TReglaPauta &regla, const QDate &inicio, const QDate &fecha)
{
    const qint64 dias = inicio.daysTo(fecha);
    switch (regla.Tipo) {
    case TTipoRegla::Nunca:
        return false;
    case TTipoRegla::CadaDias:
        return dias % regla.Cada == 0;
    case TTipoRegla::TomaDescanso:
        return regla.Descanso == 0 || dias % (regla.Toma + regla.Descanso) < regla.Toma;
    case TTipoRegla::Semanas:
        return (regla.Dias & (1U << (fecha.dayOfWeek() - 1))) != 0 && (dias / kDiasSemana) % regla.Cada == 0;
    case TTipoRegla::DiaDelMes:
        return fecha.day() == regla.Dia && MesesDesde(inicio, fecha) % regla.Cada == 0;
    case TTipoRegla::PosicionDelMes:
        return MesesDesde(inicio, fecha) % regla.Cada == 0
                && EnPosicionDelMes(regla.Ordinal, regla.DiaSemana, fecha);
    }
    return false;
}

void SumarFraccion(QStringView codigo, bool aceptaCincuenta, int &medios, int &cuartos, int &tercios)
{
    if (codigo == QLatin1String("5") || (aceptaCincuenta && codigo == QLatin1String("50")))
        medios = 1;
    else if (codigo == QLatin1String("25"))
        cuartos = 1;
    else if (codigo == QLatin1String("75"))
        medios = cuartos = 1;
    else if (codigo == QLatin1String("33"))
        tercios = 1;
    else if (codigo == QLatin1String("66"))
        tercios = 2;
}

TListasPorcion Dividir(std::span<const QStringView> valores, bool aceptaCincuenta)
{
    QStringList enteros, medios, cuartos, tercios;
    for (const QStringView valor : valores) {
        const qsizetype coma = valor.indexOf(kComa);
        int m = 0, c = 0, t = 0;
        if (coma >= 0)
            SumarFraccion(valor.sliced(coma + 1), aceptaCincuenta, m, c, t);
        enteros << (coma >= 0 ? valor.first(coma) : valor).toString();
        medios << QString::number(m);
        cuartos << QString::number(c);
        tercios << QString::number(t);
    }
    return {enteros.join(kGuion), medios.join(kGuion), cuartos.join(kGuion), tercios.join(kGuion)};
}

qint32 SumaAcotada(qint64 suma)
{
    return static_cast<qint32>(
            std::clamp<qint64>(suma, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

} // namespace

QString CortarHasta(QString &texto, const QString &separador)
{
    const qsizetype posicion = texto.indexOf(separador);
    if (posicion < 0 || separador.isEmpty()) {
        QString todo = texto;
        texto.clear();
        return todo;
    }
    const QString antes = texto.left(posicion);
    texto.remove(0, posicion + separador.size());
    return antes;
}

bool EsReglaDeDigito(QStringView cabeza)
{
    return cabeza.size() == 1 && cabeza.at(0) >= QLatin1Char('1') && cabeza.at(0) <= QLatin1Char('7');
}

TListasPorcion DividirPauta(const QString &valores)
{
    QStringView resto = valores;
    return Dividir(CortarValores(resto), false);
}

TListasPorcion DividirTabla(const QString &valores)
{
    return Dividir(QStringView(valores).split(kGuion), true);
}

namespace {

// A value of a dose: a count, optionally followed by "," and one of the fraction codes.
bool ValorLegible(QStringView valor, bool tabla)
{
    QStringView fraccion = valor;
    const auto cuenta = LeerCuenta(Cortar(fraccion, kComa));
    if (!cuenta || (tabla && *cuenta > kMaximoCeldaTabla))
        return false;
    if (!valor.contains(kComa))
        return true;
    static const QStringList kCodigos {QStringLiteral("5"), QStringLiteral("25"), QStringLiteral("75"),
                                       QStringLiteral("33"), QStringLiteral("66")};
    return kCodigos.contains(fraccion) || (tabla && fraccion == QLatin1String("50"));
}

// Reads the rule's numbers in order, each within its bounds; false when one is missing or out of
// bounds, or when text is left over.
bool ArgumentosLegibles(QStringView resto, std::initializer_list<std::pair<int, int>> limites)
{
    for (const auto &[minimo, maximo] : limites) {
        const auto argumento = LeerArgumento(resto);
        if (!argumento || *argumento < minimo || *argumento > maximo)
            return false;
    }
    return resto.isEmpty();
}

bool ReglaLegible(QStringView regla)
{
    constexpr int kSinLimite = 9999;
    if (EsReglaDeDigito(regla))
        return true;
    const QStringView cabeza = Cortar(regla, kDosPuntos);
    const QStringView subcabeza = Cortar(regla, kDosPuntos);
    if (cabeza == QLatin1String("D") && subcabeza == QLatin1String("D"))
        return ArgumentosLegibles(regla, {{1, kSinLimite}});
    if (cabeza == QLatin1String("D") && subcabeza == QLatin1String("R"))
        return ArgumentosLegibles(regla, {{1, kSinLimite}, {0, kSinLimite}});
    if (cabeza == QLatin1String("S")) {
        const auto cada = LeerCuenta(subcabeza);
        return cada && *cada >= 1 && regla.size() == kDiasSemana && regla.contains(QLatin1Char('1'))
                && std::all_of(regla.cbegin(), regla.cend(),
                               [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('1'); });
    }
    if (cabeza == QLatin1String("M") && subcabeza == QLatin1String("D"))
        return ArgumentosLegibles(regla, {{1, 31}, {1, kSinLimite}});
    if (cabeza == QLatin1String("M") && subcabeza == QLatin1String("P"))
        return ArgumentosLegibles(regla, {{1, 5}, {1, 8}, {1, kSinLimite}});
    return false;
}

} // namespace

bool DosisLegible(const QString &dosis)
{
    QStringView regla = dosis;
    const QList<QStringView> valores = Cortar(regla, kDosPuntos).split(kGuion);
    const bool tabla = regla == QLatin1String("T");
    if (valores.size() != (tabla ? kCeldasSemana : kTomasDia))
        return false;
    for (const QStringView valor : valores) {
        if (!ValorLegible(valor, tabla))
            return false;
    }
    return tabla || ReglaLegible(regla);
}

int SumaLista(const QString &lista)
{
    qint64 suma = 0;
    for (const QString &item : lista.split(kGuion))
        suma += LeerCuenta(item).value_or(0);
    return SumaAcotada(suma);
}

bool EsArrayVacio(const TArrayPastillas &cuentas)
{
    return std::all_of(cuentas.cbegin(), cuentas.cend(), [](qint32 cuenta) { return cuenta == 0; });
}

// Text after the numbers a rule needs is ignored, and the older digit form is "every n days"
// whatever follows it.
TReglaPauta LeerReglaPauta(QStringView regla)
{
    const QStringView cabeza = Cortar(regla, kDosPuntos);
    if (EsReglaDeDigito(cabeza))
        return {.Tipo = TTipoRegla::CadaDias, .Cada = cabeza.at(0).unicode() - '0'};
    if (cabeza == QLatin1String("D"))
        return LeerReglaDias(regla);
    if (cabeza == QLatin1String("S"))
        return LeerReglaSemanas(regla);
    if (cabeza == QLatin1String("M"))
        return LeerReglaMeses(regla);
    return {};
}

TDosisLeida LeerDosisPauta(QStringView dosis)
{
    TDosisLeida leida;
    const auto valores = CortarValores(dosis);
    leida.Legible = true;
    for (int toma = 0; toma < kTomasDia; ++toma) {
        const auto cuenta = LeerCuenta(valores[toma]);
        leida.Legible = leida.Legible && cuenta.has_value();
        leida.Cuentas[toma] = cuenta.value_or(0);
    }
    leida.Regla = LeerReglaPauta(dosis);
    return leida;
}

TDosisLeida LeerDosisTabla(QStringView lista)
{
    TDosisLeida leida;
    leida.Tabla = true;
    if (lista.count(kGuion) != kCeldasSemana - 1)
        return leida;
    for (qint32 &celda : leida.Cuentas) {
        const auto cuenta = LeerCuenta(Cortar(lista, kGuion));
        if (!cuenta || *cuenta > kMaximoCeldaTabla)
            return leida;
        celda = *cuenta;
    }
    leida.Legible = true;
    return leida;
}

QDate FinEfectivo(const QDate &fin)
{
    return fin.isValid() ? fin : Clock::today().addDays(kDiasSinFin);
}

bool TomaEnFecha(const TReglaPauta &regla, const TVentanaDosis &ventana, const QDate &fecha)
{
    const QDate &inicio = ventana.Inicio;
    if (!inicio.isValid() || !ventana.Desde.isValid() || !ventana.Hasta.isValid() || !fecha.isValid())
        return false;
    if (fecha < inicio || fecha < ventana.Desde || fecha > std::min(ventana.Hasta, ventana.Fin))
        return false;
    return AplicaRegla(regla, inicio, fecha);
}

namespace {

// A repetition form takes on the days of its rule; a weekly table on every day of the
// treatment within the window.
bool TomaDiaSemana(const TDosisLeida &dosis, const TVentanaDosis &ventana, const QDate &fecha)
{
    if (!dosis.Tabla)
        return TomaEnFecha(dosis.Regla, ventana, fecha);
    const bool enTratamiento = (!ventana.Inicio.isValid() || ventana.Inicio <= fecha) && fecha <= ventana.Fin;
    return enTratamiento && fecha <= ventana.Hasta;
}

// Copies the day's four slot counts into its cells: a table holds them for every weekday, a
// repetition form once for all days.
void ColocarDia(TSemanaCeldas &semana, const TDosisLeida &dosis, const QDate &fecha)
{
    const int primera = (fecha.dayOfWeek() - 1) * kTomasDia;
    const int origen = dosis.Tabla ? primera : 0;
    for (int toma = 0; toma < kTomasDia; ++toma) {
        semana.Celdas[primera + toma] = dosis.Cuentas[origen + toma];
        semana.Cuenta += dosis.Cuentas[origen + toma];
    }
}

TSemana ComoTexto(const TSemanaCeldas &semana)
{
    return {TextoSemana(semana), semana.Cuenta};
}

} // namespace

TSemanaCeldas ExpandirSemana(const TDosisLeida &dosis, const TVentanaDosis &ventana)
{
    TSemanaCeldas semana;
    if (!dosis.Legible || !ventana.Desde.isValid() || !ventana.Hasta.isValid())
        return semana;
    for (int dia = 0; dia < kDiasSemana; ++dia) {
        const QDate fecha = ventana.Desde.addDays(dia);
        if (TomaDiaSemana(dosis, ventana, fecha))
            ColocarDia(semana, dosis, fecha);
    }
    return semana;
}

QString TextoSemana(const TSemanaCeldas &semana)
{
    // Room for the longest count ("-2147483648") and its ";" in every cell.
    constexpr int kCaracteresCelda = 12;
    std::array<char, kCeldasSemana * kCaracteresCelda> texto;
    char *fin = texto.data();
    for (const qint32 cuenta : semana.Celdas) {
        fin = std::to_chars(fin, texto.data() + texto.size(), cuenta).ptr;
        *fin++ = ';';
    }
    return QString::fromLatin1(texto.data(), fin - texto.data());
}

bool TomaEnFecha(const QString &dosis, const QDate &inicio, const QDate &fin, const QDate &desde,
                 const QDate &hasta, const QDate &fecha)
{
    return TomaEnFecha(LeerDosisPauta(dosis).Regla, {inicio, FinEfectivo(fin), desde, hasta}, fecha);
}

TSemana ExpandirSemanaPauta(const QString &dosis, const QDate &inicio, const QDate &fin, const QDate &desde,
                            const QDate &hasta)
{
    return ComoTexto(ExpandirSemana(LeerDosisPauta(dosis), {inicio, FinEfectivo(fin), desde, hasta}));
}

TSemana ExpandirSemanaTabla(const QString &lista, const QDate &inicio, const QDate &fin, const QDate &desde,
                            const QDate &hasta)
{
    return ComoTexto(ExpandirSemana(LeerDosisTabla(lista), {inicio, FinEfectivo(fin), desde, hasta}));
}

qint64 EnCentesimas(double cantidad)
{
    constexpr double kLimite = 1e15;
    if (std::isnan(cantidad))
        return 0;
    return std::llround(std::clamp(cantidad, -kLimite, kLimite) * 100.0);
}

TDosis::TDosis(double porcion)
    : Plan(kCeldasSemana, 0)
    , Actual(kCeldasSemana, 0)
    , Porcion(porcion)
{ }

void TDosis::SetCelda(int indice, qint32 cuenta)
{
    if (indice < 0 || indice >= NumCeldas || indice >= Actual.size())
        return;
    Actual[indice] = cuenta;
    SumaActual = SumaAcotada(qint64(SumaActual) + cuenta);
}

bool TDosis::AsignarLista(const QString &lista, bool soloActual)
{
    QStringList items = lista.split(kPuntoYComa);
    if (items.constLast().isEmpty())
        items.removeLast();
    TArrayPastillas cuentas;
    for (const QString &item : std::as_const(items)) {
        bool ok = false;
        const int cuenta = item.toInt(&ok);
        if (!ok || item.trimmed() != item)
            return false;
        cuentas << cuenta;
    }
    if (soloActual)
        AsignarCuentas(cuentas);
    else
        AsignarPlan(cuentas);
    return true;
}

void TDosis::AsignarPlan(std::span<const qint32> cuentas)
{
    AsignarCuentas(cuentas);
    Plan = Actual;
    qint64 carga = 0;
    for (const qint32 cuenta : std::as_const(Plan))
        carga += cuenta;
    Carga = SumaAcotada(carga);
    ActualizarEstado();
}

void TDosis::AsignarArray(const TArrayPastillas &cuentas)
{
    if (!cuentas.isEmpty())
        AsignarCuentas(cuentas);
}

void TDosis::AsignarCuentas(std::span<const qint32> cuentas)
{
    SumaActual = 0;
    for (size_t indice = 0; indice < cuentas.size(); ++indice)
        SetCelda(static_cast<int>(indice), cuentas[indice]);
}

void TDosis::Reiniciar()
{
    SumaActual = Carga;
    Cargadas = 0;
    Actual = Plan;
    ActualizarEstado();
}

void TDosis::ActualizarEstado()
{
    Estado = EstadoDosis::kPendiente;
    if (Cargadas == Carga)
        Estado = EstadoDosis::kCompletado;
    if (Carga == -1 && Cargadas == -1)
        Estado = EstadoDosis::kSpdMal;
    if (qint64(Carga) * EnCentesimas(Porcion) > EnCentesimas(Disponible))
        Estado = EstadoDosis::kInsuficiente;
}

void TDosis::VaciarActual()
{
    Actual.fill(0);
}

QString TDosis::ListaPendiente() const
{
    const bool igual = ActualIgualPlan();
    QStringList cuentas;
    const qsizetype celdas = std::min({qsizetype(NumCeldas), Plan.size(), Actual.size()});
    for (qsizetype i = 0; i < celdas; ++i)
        cuentas << QString::number(igual ? Actual.at(i) : qint64(Plan.at(i)) - Actual.at(i));
    return cuentas.join(kPuntoYComa);
}

bool TDosis::ActualIgualPlan() const
{
    if (Plan.size() < Actual.size())
        return false;
    return std::equal(Actual.cbegin(), Actual.cend(), Plan.cbegin());
}
