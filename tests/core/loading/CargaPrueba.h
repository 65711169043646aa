#pragma once

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dosing/URecarga.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

// Builders of the rows a stored load needs (patient, medication, treatment line, stock rows) and
// of in-memory portions, shared by the tests of load saving, deletion and labels.
namespace CargaPrueba {

inline int paciente(TDM &dm, const QVariant &conInventario = 1,
                    const QString &nombre = QStringLiteral("ANA PEREZ"))
{
    const int id = int(dm.Anadir(QStringLiteral("Paciente"),
                                 {{QStringLiteral("Nombre"), nombre},
                                  {QStringLiteral("refPaciente"), QStringLiteral("REF-") + nombre.left(3)},
                                  {QStringLiteral("IConInven"), conInventario},
                                  {QStringLiteral("NumeroUltimaCargaRealizada"), 0}}));
    dm.idPacienteActivo = id;
    return id;
}

inline void medicamento(TDM &dm, qint64 id, const QString &nombre,
                        const QString &descripcion = QStringLiteral("10 MG"), const QVariant &manual = 0)
{
    dm.Anadir(QStringLiteral("Medicamento"),
              {{QStringLiteral("idMedicamento"), id},
               {QStringLiteral("Medicamento"), nombre},
               {QStringLiteral("Descripcion"), descripcion},
               {QStringLiteral("Comprimido"), 1},
               {QStringLiteral("Forma"), QStringLiteral("REDONDO")},
               {QStringLiteral("Color"), QStringLiteral("BLANCO")},
               {QStringLiteral("SPD"), 1},
               {QStringLiteral("iManual"), manual}});
}

inline int tratamiento(TDM &dm, int idPaciente, qint64 idMedicamento, double cantidad,
                       const QString &dosis = QStringLiteral("1-0-0-0:D:D:1"))
{
    return int(dm.Anadir(QStringLiteral("SPD"),
                         {{QStringLiteral("idPaciente"), idPaciente},
                          {QStringLiteral("idMedicamento"), idMedicamento},
                          {QStringLiteral("Cantidad"), cantidad},
                          {QStringLiteral("Dosis"), dosis},
                          {QStringLiteral("Inicio"), SqlFecha::valor(QDate(2024, 1, 1))}}));
}

inline qint64 stock(TDM &dm, int idPaciente, qint64 idMedicamento, double cantidad,
                    const QString &lote = QStringLiteral("L1"), const QDate &caducidad = QDate(2026, 6, 30),
                    const QVariant &real = {})
{
    return dm.Anadir(QStringLiteral("Inventario"),
                     {{QStringLiteral("idPaciente"), idPaciente},
                      {QStringLiteral("idMedicamento"), idMedicamento},
                      {QStringLiteral("IdMedicamentoReal"), real},
                      {QStringLiteral("Lote"), lote},
                      {QStringLiteral("Caducidad"), SqlFecha::valor(caducidad)},
                      {QStringLiteral("CantidadRestante"), cantidad},
                      {QStringLiteral("TipoAsignacion"), 0}});
}

// A week grid with `cuenta` in the first cell of each of the first `dias` days.
inline QString semana(int dias, int cuenta = 1)
{
    QString lista;
    for (int celda = 0; celda < kCeldasSemana; ++celda)
        lista += QString::number(celda % kTomasDia == 0 && celda / kTomasDia < dias ? cuenta : 0)
                + QLatin1Char(';');
    return lista;
}

// A portion of a treatment line with `unidades` units of `tamano` pills, one per day from Monday.
inline std::unique_ptr<TDosis> porcion(int idLinea, qint64 idMedicamento, double tamano, int unidades,
                                       bool enBlister = true,
                                       const QString &nombre = QStringLiteral("ENALAPRIL 10 MG"))
{
    auto dosis = std::make_unique<TDosis>(tamano);
    dosis->IdLinea = idLinea;
    dosis->IdMedicamento = idMedicamento;
    dosis->EsSPD = enBlister;
    dosis->Nombre = nombre;
    dosis->AspectoCorto = QStringLiteral("COM REDONDO BLANCO");
    dosis->Dosis = QStringLiteral("1-0-0-0:D:D:1");
    dosis->DosisEtiqueta = dosis->Dosis;
    if (enBlister) {
        dosis->ListaSemana = semana(qMin(unidades, 7), unidades > 7 ? 2 : 1);
        dosis->AsignarLista(dosis->ListaSemana, false);
        dosis->Carga = unidades;
    }
    return dosis;
}

// Every row of a table as text, in key order, without the columns named: to see that nothing
// changed.
inline QStringList volcado(TDM &dm, const QString &tabla, const QString &orden, const QStringList &sin = {})
{
    QStringList filas;
    TConsulta query
            = dm.Consulta(QStringLiteral("SELECT * FROM ") + tabla + QStringLiteral(" ORDER BY ") + orden);
    while (query.next()) {
        QStringList campos;
        const QSqlRecord registro = query.record();
        for (int i = 0; i < registro.count(); ++i) {
            if (!sin.contains(registro.fieldName(i), Qt::CaseInsensitive))
                campos << registro.fieldName(i).toLower() + QLatin1Char('=') + registro.value(i).toString();
        }
        filas << campos.join(QLatin1Char(','));
    }
    return filas;
}

// The database refuses every load line from now on, as a full disk or a lost server would; or
// accepts them again.
inline void rechazarLineasDeCarga(TDM &dm, bool rechazar)
{
    if (dm.motor() == SqlEngine::SQLite) {
        dm.Ejecutar(rechazar ? QStringLiteral("CREATE TRIGGER rechazo BEFORE INSERT ON RecargaLinea "
                                              "BEGIN SELECT RAISE(ABORT, 'rechazada'); END")
                             : QStringLiteral("DROP TRIGGER rechazo"));
        return;
    }
    if (!rechazar) {
        dm.Ejecutar(QStringLiteral("DROP TRIGGER rechazo ON RecargaLinea"));
        dm.Ejecutar(QStringLiteral("DROP FUNCTION rechazo()"));
        return;
    }
    dm.Ejecutar(QStringLiteral("CREATE FUNCTION rechazo() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION "
                               "'rechazada'; END $$ LANGUAGE plpgsql"));
    dm.Ejecutar(QStringLiteral("CREATE TRIGGER rechazo BEFORE INSERT ON RecargaLinea FOR EACH ROW "
                               "EXECUTE FUNCTION rechazo()"));
}

inline double sumaStock(TDM &dm, int idPaciente)
{
    return dm
            .Valor(QStringLiteral(
                           "SELECT COALESCE(SUM(CantidadRestante), 0) FROM Inventario WHERE idPaciente = ?"),
                   {idPaciente})
            .toDouble();
}

} // namespace CargaPrueba
