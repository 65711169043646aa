#include "core/dosing/UDispenserTypes.h"

#include "core/common/Clock.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace {

const QString kGuion = QStringLiteral("-");
const QString kDosPuntos = QStringLiteral(":");
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

// A rule argument (days, weeks, months, ordinal, weekday): digits only.
std::optional<int> LeerArgumento(QString &resto)
{
    return LeerCuenta(CortarHasta(resto, kDosPuntos));
}

TSemana SemanaVacia()
{
    return {QStringLiteral("0;").repeated(kCeldasSemana), 0};
}

QDate FinEfectivo(const QDate &fin)
{
    return fin.isValid() ? fin : Clock::today().addDays(kDiasSinFin);
}

int IndiceCelda(const QDate &fecha, int toma)
{
    return (fecha.dayOfWeek() - 1) * kTomasDia + toma;
}

// The four slot values of a repetition-form dose; `resto` keeps the rule after the first ":".
std::array<QString, kTomasDia> CortarValores(QString &resto)
{
    std::array<QString, kTomasDia> valores;
    for (int toma = 0; toma < kTomasDia - 1; ++toma)
        valores[toma] = CortarHasta(resto, kGuion);
    valores[kTomasDia - 1] = CortarHasta(resto, kDosPuntos);
    return valores;
}

// "D:D:n" every n days; "D:R:t:r" t days of taking, then r days of rest. `dias` counts from
// the treatment start. Closed forms of the day-by-day walks.
bool AplicaReglaDias(QString resto, qint64 dias)
{
    const QString subcabeza = CortarHasta(resto, kDosPuntos);
    if (subcabeza == QLatin1String("D")) {
        const auto cada = LeerArgumento(resto);
        return cada && *cada >= 1 && dias % *cada == 0;
    }
    if (subcabeza == QLatin1String("R")) {
        const auto toma = LeerArgumento(resto);
        const auto descanso = LeerArgumento(resto);
        if (!toma || !descanso || *toma < 1)
            return false;
        return *descanso == 0 || dias % (*toma + *descanso) < *toma;
    }
    return false;
}

// "S:n:mmmmmmm": the flagged weekdays of every n-th block of 7 days from the treatment start.
bool AplicaReglaSemanas(QString resto, qint64 dias, int diaSemana)
{
    const auto cada = LeerArgumento(resto);
    const QString mascara = CortarHasta(resto, kDosPuntos);
    if (!cada || *cada < 1 || mascara.size() != kDiasSemana)
        return false;
    if (mascara.at(diaSemana - 1) != QLatin1Char('1'))
        return false;
    return dias == 0 || (dias / kDiasSemana) % *cada == 0;
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

// "M:D:day:n" on a day of the month, "M:P:ord:wd:n" on a position in the month, every n months
// counted from the month of the treatment start.
bool AplicaReglaMeses(QString resto, const QDate &inicio, const QDate &fecha)
{
    const QString subcabeza = CortarHasta(resto, kDosPuntos);
    if (subcabeza == QLatin1String("D")) {
        const auto dia = LeerArgumento(resto);
        const auto cada = LeerArgumento(resto);
        return dia && cada && *cada >= 1 && fecha.day() == *dia && MesesDesde(inicio, fecha) % *cada == 0;
    }
    if (subcabeza == QLatin1String("P")) {
        const auto ordinal = LeerArgumento(resto);
        const auto diaSemana = LeerArgumento(resto);
        const auto cada = LeerArgumento(resto);
        if (!ordinal || !diaSemana || !cada || *cada < 1 || MesesDesde(inicio, fecha) % *cada != 0)
            return false;
        return EnPosicionDelMes(*ordinal, *diaSemana, fecha);
    }
    return false;
}

void SumarFraccion(const QString &codigo, bool aceptaCincuenta, int &medios, int &cuartos, int &tercios)
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

TListasPorcion Dividir(const QStringList &valores, bool aceptaCincuenta)
{
    QStringList enteros, medios, cuartos, tercios;
    for (const QString &valor : valores) {
        const qsizetype coma = valor.indexOf(kComa);
        int m = 0, c = 0, t = 0;
        if (coma >= 0)
            SumarFraccion(valor.mid(coma + 1), aceptaCincuenta, m, c, t);
        enteros << (coma >= 0 ? valor.left(coma) : valor);
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

bool EsReglaDeDigito(const QString &cabeza)
{
    return cabeza.size() == 1 && cabeza.at(0) >= QLatin1Char('1') && cabeza.at(0) <= QLatin1Char('7');
}

TListasPorcion DividirPauta(const QString &valores)
{
    QString resto = valores;
    const auto cuatro = CortarValores(resto);
    return Dividir(QStringList(cuatro.cbegin(), cuatro.cend()), false);
}

TListasPorcion DividirTabla(const QString &valores)
{
    return Dividir(valores.split(kGuion), true);
}

namespace {

// A value of a dose: a count, optionally followed by "," and one of the fraction codes.
bool ValorLegible(const QString &valor, bool tabla)
{
    QString fraccion = valor;
    const QString entero = CortarHasta(fraccion, QString(kComa));
    const auto cuenta = LeerCuenta(entero);
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
bool ArgumentosLegibles(QString resto, std::initializer_list<std::pair<int, int>> limites)
{
    for (const auto &[minimo, maximo] : limites) {
        const auto argumento = LeerArgumento(resto);
        if (!argumento || *argumento < minimo || *argumento > maximo)
            return false;
    }
    return resto.isEmpty();
}

bool ReglaLegible(QString regla)
{
    constexpr int kSinLimite = 9999;
    if (EsReglaDeDigito(regla))
        return true;
    const QString cabeza = CortarHasta(regla, kDosPuntos);
    const QString subcabeza = CortarHasta(regla, kDosPuntos);
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
    QString regla = dosis;
    const QStringList valores = CortarHasta(regla, kDosPuntos).split(kGuion);
    const bool tabla = regla == QLatin1String("T");
    if (valores.size() != (tabla ? kCeldasSemana : kTomasDia))
        return false;
    for (const QString &valor : valores) {
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

namespace {

// TomaEnFecha with the treatment's end already resolved (a week asks "today" only once).
bool AplicaEnFecha(const QString &dosis, const QDate &inicio, const QDate &finEfectivo, const QDate &desde,
                   const QDate &hasta, const QDate &fecha)
{
    QString resto = dosis;
    CortarValores(resto);
    QString cabeza = CortarHasta(resto, kDosPuntos);
    if (EsReglaDeDigito(cabeza)) {
        resto = QStringLiteral("D:") + cabeza;
        cabeza = QStringLiteral("D");
    }
    if (cabeza != QLatin1String("D") && cabeza != QLatin1String("S") && cabeza != QLatin1String("M"))
        return false;
    if (!inicio.isValid() || !desde.isValid() || !hasta.isValid() || !fecha.isValid())
        return false;
    if (fecha < inicio || fecha < desde || fecha > std::min(hasta, finEfectivo))
        return false;

    const qint64 dias = inicio.daysTo(fecha);
    if (cabeza == QLatin1String("D"))
        return AplicaReglaDias(resto, dias);
    if (cabeza == QLatin1String("S"))
        return AplicaReglaSemanas(resto, dias, fecha.dayOfWeek());
    return AplicaReglaMeses(resto, inicio, fecha);
}

} // namespace

bool TomaEnFecha(const QString &dosis, const QDate &inicio, const QDate &fin, const QDate &desde,
                 const QDate &hasta, const QDate &fecha)
{
    return AplicaEnFecha(dosis, inicio, FinEfectivo(fin), desde, hasta, fecha);
}

TSemana ExpandirSemanaPauta(const QString &dosis, const QDate &inicio, const QDate &fin, const QDate &desde,
                            const QDate &hasta)
{
    if (!inicio.isValid() || !desde.isValid() || !hasta.isValid() || inicio > hasta
        || (fin.isValid() && fin < desde))
        return SemanaVacia();
    if (dosis.isEmpty() || dosis == kDosisVacia)
        return SemanaVacia();

    QString resto = dosis;
    std::array<int, kTomasDia> cuentas {};
    const auto valores = CortarValores(resto);
    for (int toma = 0; toma < kTomasDia; ++toma) {
        const auto cuenta = LeerCuenta(valores[toma]);
        if (!cuenta)
            return SemanaVacia();
        cuentas[toma] = *cuenta;
    }

    const QDate finEfectivo = FinEfectivo(fin);
    TArrayPastillas celdas(kCeldasSemana, 0);
    int total = 0;
    for (int dia = 0; dia < kDiasSemana; ++dia) {
        const QDate fecha = desde.addDays(dia);
        if (!AplicaEnFecha(dosis, inicio, finEfectivo, desde, hasta, fecha))
            continue;
        for (int toma = 0; toma < kTomasDia; ++toma) {
            celdas[IndiceCelda(fecha, toma)] = cuentas[toma];
            total += cuentas[toma];
        }
    }
    QString lista;
    for (const qint32 cuenta : std::as_const(celdas))
        lista += QString::number(cuenta) + kPuntoYComa;
    return {lista, total};
}

TSemana ExpandirSemanaTabla(const QString &lista, const QDate &inicio, const QDate &fin, const QDate &desde,
                            const QDate &hasta)
{
    const QStringList valores = lista.split(kGuion);
    if (valores.size() != kCeldasSemana || !desde.isValid() || !hasta.isValid())
        return SemanaVacia();
    TArrayPastillas tabla;
    for (const QString &valor : valores) {
        const auto cuenta = LeerCuenta(valor);
        if (!cuenta || *cuenta > kMaximoCeldaTabla)
            return SemanaVacia();
        tabla << *cuenta;
    }

    const QDate finEfectivo = FinEfectivo(fin);
    TArrayPastillas celdas(kCeldasSemana, 0);
    int total = 0;
    for (int dia = 0; dia < kDiasSemana; ++dia) {
        const QDate fecha = desde.addDays(dia);
        const bool enTratamiento = (!inicio.isValid() || inicio <= fecha) && fecha <= finEfectivo;
        if (!enTratamiento || fecha > hasta)
            continue;
        for (int toma = 0; toma < kTomasDia; ++toma) {
            const int celda = IndiceCelda(fecha, toma);
            celdas[celda] = tabla.at(celda);
            total += tabla.at(celda);
        }
    }
    QString texto;
    for (const qint32 cuenta : std::as_const(celdas))
        texto += QString::number(cuenta) + kPuntoYComa;
    return {texto, total};
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
    AsignarCuentas(cuentas);
    if (!soloActual) {
        Plan = Actual;
        qint64 carga = 0;
        for (const qint32 cuenta : std::as_const(Plan))
            carga += cuenta;
        Carga = SumaAcotada(carga);
        ActualizarEstado();
    }
    return true;
}

void TDosis::AsignarArray(const TArrayPastillas &cuentas)
{
    if (!cuentas.isEmpty())
        AsignarCuentas(cuentas);
}

void TDosis::AsignarCuentas(const TArrayPastillas &cuentas)
{
    SumaActual = 0;
    for (int indice = 0; indice < cuentas.size(); ++indice)
        SetCelda(indice, cuentas.at(indice));
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
