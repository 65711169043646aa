#include "core/patients/HojaAdministracion.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dosing/ConsultaPlan.h"
#include "core/loading/TextosEtiqueta.h"
#include "core/stock/PendientesReceta.h"

#include <QLocale>
#include <QSqlQuery>

#include <algorithm>
#include <array>

namespace {

// A chart row while its weeks are summed: each week's cells in hundredths of a pill, Monday
// first; an empty week is one to which no blister portion added anything.
struct TFilaEnCurso
{
    TFilaHoja fila;
    std::array<QList<qint64>, kSemanasHoja> centesimas;
};

// The patient's fields every chart row repeats, and the day the patient's last load started
// (null when none); nothing for a patient that does not exist.
std::optional<std::pair<TFilaHoja, QDate>> LeerPaciente(TDM &dm, qint64 idPaciente)
{
    TConsulta query
            = dm.Consulta(QStringLiteral("SELECT Nombre, refPaciente, FechaNacimiento, Enfermedades, "
                                         "Alergias, Problemas, MedicoNombre, Direccion, "
                                         "FechaUltimaCargaRealizada FROM Paciente WHERE idPaciente = ?"),
                          {idPaciente});
    if (!query.next())
        return std::nullopt;
    TFilaHoja paciente;
    paciente.IDPaciente = idPaciente;
    paciente.Nombre = query.value(0).toString().toUpper();
    paciente.RefPaciente = query.value(1).toString();
    paciente.FNacimiento = SqlFecha::leerDia(query.value(2));
    paciente.Enfermedades = query.value(3).toString();
    paciente.Alergias = query.value(4).toString();
    paciente.Problemas = query.value(5).toString();
    paciente.MedicoCab = query.value(6).toString();
    paciente.Direccion = query.value(7).toString();
    return std::pair {paciente, SqlFecha::leerDia(query.value(8))};
}

TFilaEnCurso NuevaFila(const TFilaHoja &paciente, const TDosis &porcion, int emblistable)
{
    TFilaEnCurso nueva {paciente, {}};
    TFilaHoja &fila = nueva.fila;
    fila.IDmedicamento = porcion.IdMedicamento;
    fila.medicamento = TextosEtiqueta::SinPrefijoFraccion(porcion.Nombre);
    fila.Medico = porcion.Medico;
    fila.Dosis_text = porcion.DosisEtiqueta;
    fila.Descripcion = porcion.Aspecto;
    fila.Emblistable = emblistable;
    return nueva;
}

// Adds the portion to its medication's row of the patient (appended when new). A portion given
// apart, or never expanded because its dose cannot be placed, goes to a row of its own kind, so
// that neither hides the other: the blister row keeps its quantities, the other its dose text.
void Anotar(QList<TFilaEnCurso> &filas, const TFilaHoja &paciente, const TDosis &porcion, int semana)
{
    const bool enBlister = porcion.EsSPD && !porcion.SinExpandir();
    const int emblistable = enBlister ? kHojaEnBlister : kHojaFueraBlister;
    auto fila = std::find_if(filas.begin(), filas.end(), [&](const TFilaEnCurso &f) {
        return f.fila.IDmedicamento == porcion.IdMedicamento && f.fila.Emblistable == emblistable;
    });
    if (fila == filas.end()) {
        filas.append(NuevaFila(paciente, porcion, emblistable));
        fila = filas.end() - 1;
    }
    if (!enBlister)
        return;
    QList<qint64> &celdas = fila->centesimas[static_cast<size_t>(semana)];
    if (celdas.isEmpty())
        celdas.fill(0, kCeldasSemana);
    const qint64 unidad = EnCentesimas(porcion.Porcion);
    for (int i = 0; i < kCeldasSemana; ++i)
        celdas[i] += porcion.Plan.value(i) * unidad;
}

// Whole pills as the locale writes decimals, without trailing zeros: "1", "0,5", "0,66".
QString TextoPastillas(qint64 centesimas)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(centesimas / 100.0, 'f', QLocale::FloatingPointShortest);
}

// The week's cells as texts starting on the week's first day (the Monday-first grid turned);
// 28 empty texts for a week without values.
QStringList TextosSemana(const QList<qint64> &centesimas, const QDate &primerDia)
{
    if (centesimas.isEmpty())
        return QStringList(kCeldasSemana, QString());
    const int desplazamiento = (primerDia.dayOfWeek() - 1) * kTomasDia;
    QStringList textos;
    for (int i = 0; i < kCeldasSemana; ++i)
        textos << TextoPastillas(centesimas[(i + desplazamiento) % kCeldasSemana]);
    return textos;
}

// The chart rows of one patient whose weeks start on `inicio`.
QList<TFilaHoja> FilasPaciente(TDM &dm, const TFilaHoja &paciente, const QDate &inicio)
{
    QList<TFilaEnCurso> filas;
    TRecarga carga;
    for (int semana = 0; semana < kSemanasHoja; ++semana) {
        const QDate desde = inicio.addDays(7 * semana);
        const QDate hasta = desde.addDays(6);
        ConstruirCarga(carga, ConsultaPlan(dm, paciente.IDPaciente, desde, hasta), desde, hasta);
        for (int i = 0; i < carga.Count(); ++i)
            Anotar(filas, paciente, *carga.Linea(i), semana);
        for (const TDosis &linea : std::as_const(carga.SinPorcion))
            Anotar(filas, paciente, linea, semana);
    }

    QList<TFilaHoja> resultado;
    for (const TFilaEnCurso &enCurso : std::as_const(filas)) {
        TFilaHoja fila = enCurso.fila;
        for (int semana = 0; semana < kSemanasHoja; ++semana) {
            fila.WD[semana] = inicio.addDays(7 * semana);
            fila.DoW[semana] = TextosSemana(enCurso.centesimas[static_cast<size_t>(semana)], fila.WD[semana]);
        }
        resultado << fila;
    }
    return resultado;
}

bool HayAlgoDebido(const QStringList &valores)
{
    return std::any_of(valores.cbegin(), valores.cend(),
                       [](const QString &valor) { return !valor.isEmpty() && valor != QLatin1String("0"); });
}

// The 35 values of one slot (1 to 4) of a blister row: its cell of every day, week after week.
QStringList ValoresFranja(const TFilaHoja &fila, int franja)
{
    QStringList valores;
    for (const QStringList &semana : fila.DoW) {
        for (int dia = 0; dia < 7; ++dia)
            valores << semana.value(dia * kTomasDia + franja - 1);
    }
    return valores;
}

} // namespace

QList<TFilaHoja> HojaAdministracion(TDM &dm, const QList<qint64> &pacientes,
                                    const std::optional<QDate> &inicio, const QDate &hoy)
{
    QList<TFilaHoja> filas;
    for (const qint64 idPaciente : pacientes) {
        const auto paciente = LeerPaciente(dm, idPaciente);
        if (paciente)
            filas << FilasPaciente(dm, paciente->first,
                                   inicio.value_or(InicioProximaCarga(paciente->second, hoy)));
    }
    return filas;
}

QList<TFilaFranja> HojaAdministracionFranjas(const QList<TFilaHoja> &filas)
{
    QList<TFilaFranja> franjas;
    for (const TFilaHoja &fila : filas) {
        if (fila.Emblistable != kHojaEnBlister) {
            franjas << TFilaFranja {kFranjaFueraBlister, fila, {}};
            continue;
        }
        for (int franja = 1; franja <= kTomasDia; ++franja) {
            const QStringList valores = ValoresFranja(fila, franja);
            if (HayAlgoDebido(valores))
                franjas << TFilaFranja {franja, fila, valores};
        }
    }
    return franjas;
}
