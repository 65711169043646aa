#include "core/patients/EstadoDosis.h"

#include "core/i18n/ULenguaje.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace {

const QString kGuion = QStringLiteral("-");
const QString kDosPuntos = QStringLiteral(":");
const QString kComa = QStringLiteral(",");

// The expansion reads at most four digits per count.
constexpr int kCifrasMaximas = 4;
constexpr int kMaximoCuenta = 9999;
constexpr int kUltimoOrdinal = 5; // "ULTIMO"
constexpr int kPosicionDia = 8; // "DIA": the day of the month
constexpr int kDiasMes = 31;
// Months stepped n at a time come back to the same month of a year in the same place of the
// leap-year cycle within 48 steps: a monthly rule that takes on no day in them never takes.
constexpr int kPasosMensuales = 48;

struct TFraccionCodigo
{
    TFraccion fraccion;
    const char *codigo;
    double valor;
};

constexpr TFraccionCodigo kFracciones[] = {
        {TFraccion::Ninguna, "", 0.0},   {TFraccion::Cuarto, "25", 0.25},
        {TFraccion::Medio, "5", 0.5},    {TFraccion::TresCuartos, "75", 0.75},
        {TFraccion::Tercio, "33", 0.33}, {TFraccion::DosTercios, "66", 0.66},
};

// Digits only, without blanks or sign, as many as the expansion reads.
std::optional<int> LeerCifras(const QString &texto)
{
    if (texto.isEmpty() || texto.size() > kCifrasMaximas)
        return std::nullopt;
    for (const QChar c : texto) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return texto.toInt();
}

QString SinBlancos(const QString &campo)
{
    QString limpio;
    for (const QChar c : campo) {
        if (!c.isSpace())
            limpio += c;
    }
    return limpio;
}

// A count typed into a number field; blanks typed in it do not count.
std::optional<int> LeerNumero(const QString &campo)
{
    return LeerCifras(SinBlancos(campo));
}

bool EnRango(const QString &campo, int minimo, int maximo)
{
    const std::optional<int> numero = LeerNumero(campo);
    return numero && *numero >= minimo && *numero <= maximo;
}

// A number field as it goes into the dose text.
QString TextoNumero(const QString &campo)
{
    const std::optional<int> numero = LeerNumero(campo);
    return numero ? QString::number(*numero) : SinBlancos(campo);
}

// The fraction a code after the comma selects: none for no code, a blank or "0".
std::optional<TFraccion> FraccionDeCodigo(const QString &codigo)
{
    if (codigo == QLatin1String(" ") || codigo == QLatin1String("0"))
        return TFraccion::Ninguna;
    for (const TFraccionCodigo &f : kFracciones) {
        if (codigo == QLatin1String(f.codigo))
            return f.fraccion;
    }
    return std::nullopt;
}

// One slot value "whole,code": the whole part ("0" when empty) and the fraction. False when the
// value says more than the controls can show.
bool LeerValor(const QString &valor, int &unidades, TFraccion &fraccion)
{
    QString codigo = valor;
    const QString entero = CortarHasta(codigo, kComa);
    const std::optional<int> cuenta = entero.isEmpty() ? 0 : LeerCifras(entero);
    const std::optional<TFraccion> leida = FraccionDeCodigo(codigo);
    unidades = cuenta.value_or(0);
    fraccion = leida.value_or(TFraccion::Ninguna);
    return cuenta && leida;
}

// A cell of the weekly table the blister can hold: one digit, optionally a fraction code ("50"
// is the table's older half).
const QRegularExpression &FormatoCelda()
{
    static const QRegularExpression formato(QStringLiteral("^[0-9](,(0|25|5|50|75|33|66))?$"));
    return formato;
}

bool CeldaValida(const QString &celda)
{
    const QString texto = celda.trimmed();
    return texto.isEmpty() || FormatoCelda().match(texto).hasMatch();
}

// The quantity a valid cell holds.
double ValorCelda(const QString &celda)
{
    QString codigo = celda.trimmed();
    const double entero = CortarHasta(codigo, kComa).toInt();
    if (codigo == QLatin1String("50"))
        codigo = QStringLiteral("5");
    for (const TFraccionCodigo &f : kFracciones) {
        if (codigo == QLatin1String(f.codigo))
            return entero + f.valor;
    }
    return entero;
}

bool LeerTabla(const QString &valores, TControlesDosis &controles)
{
    controles.Modo = TModoDosis::Semanal;
    const QStringList celdas = valores.split(kGuion);
    bool legible = celdas.size() == kCeldasSemana;
    for (int i = 0; i < std::min<int>(int(celdas.size()), kCeldasSemana); ++i) {
        const QString &celda = celdas.at(i);
        controles.Celdas[i] = celda == QLatin1String("0") ? QString() : celda;
        legible = legible && FormatoCelda().match(celda).hasMatch();
    }
    return legible;
}

bool LeerValores(const QString &valores, TControlesDosis &controles)
{
    QString resto = valores;
    bool legible = true;
    for (int toma = 0; toma < kTomasDia; ++toma) {
        const QString valor = toma < kTomasDia - 1 ? CortarHasta(resto, kGuion) : resto;
        legible = LeerValor(valor, controles.Unidades[toma], controles.Fracciones[toma]) && legible;
    }
    return legible;
}

bool EsCuenta(const QString &texto)
{
    return LeerCifras(texto).has_value();
}

bool LeerReglaDias(QString resto, TControlesDosis &controles)
{
    const QString subcabeza = CortarHasta(resto, kDosPuntos);
    if (subcabeza == QLatin1String("D")) {
        controles.OpcionDiaria = TOpcionDiaria::Cada;
        controles.CadaDias = CortarHasta(resto, kDosPuntos);
        return resto.isEmpty() && EsCuenta(controles.CadaDias);
    }
    if (subcabeza == QLatin1String("R")) {
        controles.OpcionDiaria = TOpcionDiaria::PorCada;
        controles.DiasToma = CortarHasta(resto, kDosPuntos);
        controles.DiasDescanso = CortarHasta(resto, kDosPuntos);
        return resto.isEmpty() && EsCuenta(controles.DiasToma) && EsCuenta(controles.DiasDescanso);
    }
    return false;
}

bool LeerReglaSemanas(QString resto, TControlesDosis &controles)
{
    controles.Periodicidad = TPeriodicidad::Semanal;
    controles.CadaSemanas = CortarHasta(resto, kDosPuntos);
    const QString mascara = CortarHasta(resto, kDosPuntos);
    bool legible = resto.isEmpty() && EsCuenta(controles.CadaSemanas) && mascara.size() == kDiasTabla;
    for (int dia = 0; dia < kDiasTabla; ++dia) {
        const QChar marca = mascara.size() > dia ? mascara.at(dia) : QLatin1Char('0');
        controles.DiasSemana[dia] = marca == QLatin1Char('1');
        legible = legible && (marca == QLatin1Char('0') || marca == QLatin1Char('1'));
    }
    return legible;
}

// A position in one of the editor's lists (1 to `ultima`); 0 when it names none.
int Posicion(const QString &texto, int ultima)
{
    const int posicion = LeerCifras(texto).value_or(0);
    return posicion >= 1 && posicion <= ultima ? posicion : 0;
}

bool LeerReglaMeses(QString resto, TControlesDosis &controles)
{
    controles.Periodicidad = TPeriodicidad::Mensual;
    const QString subcabeza = CortarHasta(resto, kDosPuntos);
    if (subcabeza == QLatin1String("D")) {
        controles.OpcionMensual = TOpcionMensual::ElDia;
        controles.DiaMes = CortarHasta(resto, kDosPuntos);
        controles.CadaMesesDia = CortarHasta(resto, kDosPuntos);
        return resto.isEmpty() && EsCuenta(controles.DiaMes) && EsCuenta(controles.CadaMesesDia);
    }
    if (subcabeza == QLatin1String("P")) {
        controles.OpcionMensual = TOpcionMensual::El;
        controles.Ordinal = Posicion(CortarHasta(resto, kDosPuntos), kUltimoOrdinal);
        controles.DiaPosicion = Posicion(CortarHasta(resto, kDosPuntos), kPosicionDia);
        controles.CadaMesesPosicion = CortarHasta(resto, kDosPuntos);
        return resto.isEmpty() && controles.Ordinal > 0 && controles.DiaPosicion > 0
                && EsCuenta(controles.CadaMesesPosicion);
    }
    return false;
}

// The rule after the values; a rule that is not recognised selects nothing ("DIARIA" without an
// option).
bool LeerRegla(QString resto, TControlesDosis &controles)
{
    const QString cabeza = CortarHasta(resto, kDosPuntos);
    if (EsReglaDeDigito(cabeza)) {
        controles.OpcionDiaria = TOpcionDiaria::Cada;
        controles.CadaDias = cabeza;
        return resto.isEmpty();
    }
    if (cabeza == QLatin1String("D"))
        return LeerReglaDias(resto, controles);
    if (cabeza == QLatin1String("S"))
        return LeerReglaSemanas(resto, controles);
    if (cabeza == QLatin1String("M"))
        return LeerReglaMeses(resto, controles);
    return false;
}

// Fills the controls from a dose text; false when the text says more than they show.
bool LeerDosis(const QString &dosis, TControlesDosis &controles)
{
    QString resto = dosis;
    const QString valores = CortarHasta(resto, kDosPuntos);
    if (resto == QLatin1String("T"))
        return LeerTabla(valores, controles);
    const bool valoresLegibles = LeerValores(valores, controles);
    return LeerRegla(resto, controles) && valoresLegibles;
}

bool EsDosisVacia(const QString &dosis)
{
    return dosis.trimmed().isEmpty() || dosis == kDosisVacia || dosis == TEstadoDosis::kDosisSinBlister;
}

TErrorEditor Error(const char *clave, const char *texto, TCampoEditor campo)
{
    return {Traducir(QLatin1String(clave), QString::fromUtf8(texto)), campo};
}

// Whether a repetition-form dose takes on some day from `inicio` to `fin`: the day rules and
// the weekly rule within the first week, a monthly rule within its months.
bool AlgunaToma(const QString &dosis, const QDate &inicio, const QDate &fin, int cadaMeses)
{
    const TReglaPauta regla = LeerDosisPauta(dosis).Regla;
    const QDate finEfectivo = FinEfectivo(fin);
    const auto toma = [&](const QDate &fecha) {
        return !(fin.isValid() && fecha > fin)
                && TomaEnFecha(regla, {inicio, finEfectivo, inicio, fecha}, fecha);
    };
    if (cadaMeses <= 0) {
        for (int dia = 0; dia < kDiasTabla; ++dia) {
            if (toma(inicio.addDays(dia)))
                return true;
        }
        return false;
    }
    const QDate primero(inicio.year(), inicio.month(), 1);
    for (int paso = 0; paso < kPasosMensuales; ++paso) {
        const QDate mes = primero.addMonths(paso * cadaMeses);
        if (fin.isValid() && mes > fin)
            return false;
        for (int dia = 0; dia < mes.daysInMonth(); ++dia) {
            const QDate fecha = mes.addDays(dia);
            if (fecha >= inicio && toma(fecha))
                return true;
        }
    }
    return false;
}

} // namespace

const QString TEstadoDosis::kDosisSinBlister = QStringLiteral("0-0-0-0:0");

QString CodigoFraccion(TFraccion fraccion)
{
    for (const TFraccionCodigo &f : kFracciones) {
        if (f.fraccion == fraccion)
            return QLatin1String(f.codigo);
    }
    return {};
}

bool TEstadoDosis::GuardadaSinBlister(const QString &dosis, const QString &dosisS1)
{
    return dosisS1 == kDosisSinBlister && dosis != dosisS1;
}

TEstadoDosis TEstadoDosis::Abrir(const QString &dosis, const QString &dosisS1)
{
    TEstadoDosis estado;
    const bool sinBlister = GuardadaSinBlister(dosis, dosisS1);
    estado.m_alAbrir = sinBlister ? kDosisSinBlister : dosis;
    estado.m_legible = LeerDosis(estado.m_alAbrir, estado);
    estado.m_conservable = !EsDosisVacia(estado.m_alAbrir);
    estado.m_construidaAlAbrir = estado.Construir();
    return estado;
}

bool TEstadoDosis::Cambiada() const
{
    return Construir() != m_construidaAlAbrir;
}

bool TEstadoDosis::ConservaGuardada() const
{
    return m_conservable && !Cambiada();
}

QString TEstadoDosis::Construir() const
{
    if (Modo == TModoDosis::Semanal) {
        QStringList celdas;
        for (const QString &celda : Celdas) {
            const QString texto = celda.trimmed();
            celdas << (texto.isEmpty() ? QStringLiteral("0") : texto);
        }
        return celdas.join(kGuion) + QStringLiteral(":T");
    }
    QStringList valores;
    for (int toma = 0; toma < kTomasDia; ++toma) {
        const QString codigo = CodigoFraccion(Fracciones[toma]);
        valores << QString::number(Unidades[toma]) + (codigo.isEmpty() ? QString() : kComa + codigo);
    }
    QString regla;
    switch (Periodicidad) {
    case TPeriodicidad::Diaria:
        if (OpcionDiaria == TOpcionDiaria::Cada)
            regla = QStringLiteral(":D:D:") + TextoNumero(CadaDias);
        else if (OpcionDiaria == TOpcionDiaria::PorCada)
            regla = QStringLiteral(":D:R:") + TextoNumero(DiasToma) + kDosPuntos + TextoNumero(DiasDescanso);
        break;
    case TPeriodicidad::Semanal: {
        QString mascara;
        for (const bool marcado : DiasSemana)
            mascara += marcado ? QLatin1Char('1') : QLatin1Char('0');
        regla = QStringLiteral(":S:") + TextoNumero(CadaSemanas) + kDosPuntos + mascara;
        break;
    }
    case TPeriodicidad::Mensual:
        if (OpcionMensual == TOpcionMensual::ElDia)
            regla = QStringLiteral(":M:D:") + TextoNumero(DiaMes) + kDosPuntos + TextoNumero(CadaMesesDia);
        else if (OpcionMensual == TOpcionMensual::El)
            regla = QStringLiteral(":M:P:%1:%2:").arg(Ordinal).arg(DiaPosicion)
                    + TextoNumero(CadaMesesPosicion);
        break;
    }
    return valores.join(kGuion) + regla;
}

QString TEstadoDosis::Texto() const
{
    return ConservaGuardada() ? m_alAbrir : Construir();
}

std::optional<TErrorEditor> TEstadoDosis::Validar(const QDate &inicio, const QDate &fin) const
{
    if (ConservaGuardada() && !m_legible)
        return std::nullopt;
    const std::optional<TErrorEditor> error = Modo == TModoDosis::Dias ? ValidarDias() : ValidarTabla();
    if (error)
        return error;
    return ValidarFechas(inicio, fin);
}

std::optional<TErrorEditor> TEstadoDosis::ValidarDias() const
{
    const bool sinUnidades = std::all_of(Unidades.cbegin(), Unidades.cend(), [](int n) { return n == 0; });
    const bool sinFracciones = std::all_of(Fracciones.cbegin(), Fracciones.cend(),
                                           [](TFraccion f) { return f == TFraccion::Ninguna; });
    if (sinUnidades && sinFracciones)
        return Error("ERR_TOMA_NO_DEFINIDA", "NO SE HA ESPECIFICADO NINGUNA TOMA",
                     TCampoEditor::FraccionDesayuno);
    return ValidarPeriodicidad();
}

std::optional<TErrorEditor> TEstadoDosis::ValidarPeriodicidad() const
{
    const auto vacio = [](const QString &campo) { return SinBlancos(campo).isEmpty(); };
    switch (Periodicidad) {
    case TPeriodicidad::Diaria:
        if (OpcionDiaria == TOpcionDiaria::Ninguna)
            return Error("ERR_SECLECT_CRITERIO", "SELECCIONAR UN CRITERIO DE REPETICION",
                         TCampoEditor::OpcionDiaria);
        if (OpcionDiaria == TOpcionDiaria::Cada) {
            if (vacio(CadaDias))
                return Error("ERR_SELECT_NUMERO_DIAS", "FALTA INDICAR CADA CUANTOS DIAS",
                             TCampoEditor::CadaDias);
            if (!EnRango(CadaDias, 1, kMaximoCuenta))
                return Error("ERR_NUMERO_DIAS_INVALIDO",
                             "CADA CUANTOS DIAS DEBE SER UN NUMERO ENTERO DE 1 A 9999",
                             TCampoEditor::CadaDias);
            return std::nullopt;
        }
        if (vacio(DiasToma))
            return Error("ERR_SELECT_NUMERO_DIAS_TOMA", "FALTA INDICAR EL NUMERO DE DIAS DE TOMA",
                         TCampoEditor::DiasToma);
        if (!EnRango(DiasToma, 1, kMaximoCuenta))
            return Error("ERR_NUMERO_DIAS_TOMA_INVALIDO",
                         "LOS DIAS DE TOMA DEBEN SER UN NUMERO ENTERO DE 1 A 9999", TCampoEditor::DiasToma);
        if (vacio(DiasDescanso))
            return Error("ERR_SELECT_NUMERO_DIAS_DESCANSO", "FALTA INDICAR EL NUMERO DE DIAS DE DESCANSO",
                         TCampoEditor::DiasDescanso);
        if (!EnRango(DiasDescanso, 0, kMaximoCuenta))
            return Error("ERR_NUMERO_DIAS_DESCANSO_INVALIDO",
                         "LOS DIAS DE DESCANSO DEBEN SER UN NUMERO ENTERO DE 0 A 9999",
                         TCampoEditor::DiasDescanso);
        return std::nullopt;
    case TPeriodicidad::Semanal:
        if (!EnRango(CadaSemanas, 1, kMaximoCuenta))
            return Error("ERR_NUMERO_SEMANAS_INVALIDO",
                         "CADA CUANTAS SEMANAS DEBE SER UN NUMERO ENTERO DE 1 A 9999",
                         TCampoEditor::CadaSemanas);
        if (std::none_of(DiasSemana.cbegin(), DiasSemana.cend(), [](bool marcado) { return marcado; }))
            return Error("ERR_SELECT_DIAS_SEMANA", "FALTA MARCAR ALGUN DIA DE LA SEMANA",
                         TCampoEditor::DiasSemana);
        return std::nullopt;
    case TPeriodicidad::Mensual:
        if (OpcionMensual == TOpcionMensual::Ninguna)
            return Error("ERR_SECLECT_CRITERIO", "SELECCIONAR UN CRITERIO DE REPETICION",
                         TCampoEditor::OpcionMensual);
        if (OpcionMensual == TOpcionMensual::ElDia) {
            if (!EnRango(DiaMes, 1, kDiasMes))
                return Error("ERR_DIA_MES_INVALIDO", "EL DIA DEL MES DEBE SER UN NUMERO DEL 1 AL 31",
                             TCampoEditor::DiaMes);
            if (!EnRango(CadaMesesDia, 1, kMaximoCuenta))
                return Error("ERR_NUMERO_MESES_INVALIDO",
                             "CADA CUANTOS MESES DEBE SER UN NUMERO ENTERO DE 1 A 9999",
                             TCampoEditor::CadaMesesDia);
            return std::nullopt;
        }
        if (Ordinal < 1 || Ordinal > kUltimoOrdinal)
            return Error("ERR_SELECT_ORDINAL_MES",
                         "FALTA INDICAR EL ORDINAL: PRIMER, SEGUNDO, TERCER, CUARTO O ULTIMO",
                         TCampoEditor::Ordinal);
        if (DiaPosicion < 1 || DiaPosicion > kPosicionDia)
            return Error("ERR_SELECT_DIA_POSICION_MES", "FALTA INDICAR EL DIA: DE LUNES A DOMINGO O DIA",
                         TCampoEditor::DiaPosicion);
        if (!EnRango(CadaMesesPosicion, 1, kMaximoCuenta))
            return Error("ERR_NUMERO_MESES_INVALIDO",
                         "CADA CUANTOS MESES DEBE SER UN NUMERO ENTERO DE 1 A 9999",
                         TCampoEditor::CadaMesesPosicion);
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<TErrorEditor> TEstadoDosis::ValidarTabla() const
{
    double suma = 0.0;
    for (int celda = 0; celda < kCeldasSemana; ++celda) {
        if (!CeldaValida(Celdas[celda])) {
            TErrorEditor error
                    = Error("ERR_CELDA_TABLA_INVALIDA",
                            "UNA CELDA DE LA TABLA NO ES VALIDA, DEBE SER UNA CIFRA DE 0 A 9 SEGUIDA "
                            "SI ACASO DE ,25 ,5 ,75 ,33 O ,66:",
                            TCampoEditor::Tabla);
            error.Mensaje += QLatin1Char(' ') + Celdas[celda].trimmed();
            error.Celda = celda;
            return error;
        }
        suma += ValorCelda(Celdas[celda]);
    }
    if (suma <= 0.0)
        return Error("ERR_TOMA_NO_DEFINIDA", "NO SE HA ESPECIFICADO NINGUNA TOMA", TCampoEditor::Tabla);
    return std::nullopt;
}

std::optional<TErrorEditor> TEstadoDosis::ValidarFechas(const QDate &inicio, const QDate &fin) const
{
    if (!inicio.isValid())
        return std::nullopt;
    TCampoEditor campo = TCampoEditor::Tabla;
    bool toma = false;
    if (Modo == TModoDosis::Semanal) {
        toma = TablaTomaEntre(inicio, fin);
    } else if (Periodicidad == TPeriodicidad::Mensual) {
        const bool elDia = OpcionMensual == TOpcionMensual::ElDia;
        campo = elDia ? TCampoEditor::DiaMes : TCampoEditor::Ordinal;
        toma = AlgunaToma(Construir(), inicio, fin,
                          LeerNumero(elDia ? CadaMesesDia : CadaMesesPosicion).value_or(0));
    } else {
        campo = Periodicidad == TPeriodicidad::Semanal ? TCampoEditor::DiasSemana : TCampoEditor::Fin;
        toma = AlgunaToma(Construir(), inicio, fin, 0);
    }
    if (toma)
        return std::nullopt;
    return Error("ERR_PAUTA_SIN_TOMAS", "LA PAUTA NO TIENE NINGUNA TOMA ENTRE LA FECHA INICIAL Y LA FINAL",
                 campo);
}

bool TEstadoDosis::TablaTomaEntre(const QDate &inicio, const QDate &fin) const
{
    for (int dia = 0; dia < kDiasTabla; ++dia) {
        const QDate fecha = inicio.addDays(dia);
        if (fin.isValid() && fecha > fin)
            return false;
        const int primera = (fecha.dayOfWeek() - 1) * kTomasDia;
        for (int celda = primera; celda < primera + kTomasDia; ++celda) {
            if (ValorCelda(Celdas[celda]) > 0.0)
                return true;
        }
    }
    return false;
}

void TEstadoDosis::Sumar(int toma)
{
    if (toma >= 0 && toma < kTomasDia)
        ++Unidades[toma];
}

void TEstadoDosis::Restar(int toma)
{
    if (toma >= 0 && toma < kTomasDia && Unidades[toma] > 0)
        --Unidades[toma];
}

void TEstadoDosis::SumarTabla()
{
    ++UnidadesTabla;
}

void TEstadoDosis::RestarTabla()
{
    if (UnidadesTabla > 0)
        --UnidadesTabla;
}

QString TEstadoDosis::ValorTabla() const
{
    const QString codigo = CodigoFraccion(FraccionTabla);
    if (codigo.isEmpty())
        return UnidadesTabla == 0 ? QString() : QString::number(UnidadesTabla);
    return QString::number(UnidadesTabla) + kComa + codigo;
}

void TEstadoDosis::LlenarCelda(int dia, int toma)
{
    if (dia >= 0 && dia < kDiasTabla && toma >= 0 && toma < kTomasDia)
        Celdas[dia * kTomasDia + toma] = ValorTabla();
}

void TEstadoDosis::LlenarDia(int dia)
{
    for (int toma = 0; toma < kTomasDia; ++toma)
        LlenarCelda(dia, toma);
}

void TEstadoDosis::LlenarToma(int toma)
{
    for (int dia = 0; dia < kDiasTabla; ++dia)
        LlenarCelda(dia, toma);
}
