#include "core/data/ActualizacionBaseDatos.h"

#include "core/data/SqlFecha.h"
#include "core/data/uApp.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/shell/uLog.h"

#include <QStringList>

#include <algorithm>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kHecho = QStringLiteral("1");

using Trabajo = std::function<void(TDM &dm, qint64 idConf)>;

struct TPaso
{
    QString clave;
    // The tables the step writes besides CONF, in the order the lock rule takes them.
    QStringList tablas;
    Trabajo trabajo;
};

// The lines of a CONF memo; a final line break adds no empty line.
QStringList LineasDe(const QString &texto)
{
    QStringList lineas;
    if (texto.isEmpty())
        return lineas;
    for (QString linea : texto.split(QLatin1Char('\n'))) {
        if (linea.endsWith(QLatin1Char('\r')))
            linea.chop(1);
        lineas << linea;
    }
    if (lineas.last().isEmpty())
        lineas.removeLast();
    return lineas;
}

struct TRegistro
{
    qint64 idConf = 0;
    QStringList lineas;
};

// The CONF row and its record of steps done; a database without the row gets it here.
TRegistro LeerRegistro(TDM &dm)
{
    TConsulta fila
            = dm.Consulta(QStringLiteral("SELECT idConf, UPDVersion FROM CONF ORDER BY idConf LIMIT 1"));
    if (fila.next())
        return {fila.value(0).toLongLong(), LineasDe(fila.value(1).toString())};
    return {dm.Anadir(QStringLiteral("CONF"), {}), {}};
}

bool Hecho(const QStringList &registro, const QString &clave)
{
    return ValorDe(registro, clave) == kHecho;
}

bool PasoHecho(TDM &dm, const QString &clave)
{
    TConsulta fila = dm.Consulta(QStringLiteral("SELECT UPDVersion FROM CONF ORDER BY idConf LIMIT 1"));
    return fila.next() && Hecho(LineasDe(fila.value(0).toString()), clave);
}

// Appends the step's line; a line of the key with another value is set to done instead, as the
// first line of a key is the one read and an appended one would leave the step undone for ever.
void Anotar(TDM &dm, TRegistro registro, const QString &clave)
{
    const QString hecha = clave + QLatin1Char('=') + kHecho;
    const QString prefijo = clave + QLatin1Char('=');
    const auto linea
            = std::find_if(registro.lineas.begin(), registro.lineas.end(), [&](const QString &texto) {
                  return texto.startsWith(prefijo, Qt::CaseInsensitive);
              });
    if (linea != registro.lineas.end())
        *linea = hecha;
    else
        registro.lineas << hecha;
    dm.Ejecutar(QStringLiteral("UPDATE CONF SET UPDVersion = ? WHERE idConf = ?"),
                {registro.lineas.join(kCrLf), registro.idConf});
}

// The steps rewrite rows of every patient at once, so the per-patient lock does not fit them:
// each step is one transaction over whole tables. On PostgreSQL the tables it writes are locked
// against every other writer, CONF first, so two workstations starting together run the step
// one after the other and the second finds it recorded; on SQLite the transaction already
// begins as the one writer.
void BloquearTablas(TDM &dm, const QStringList &tablas)
{
    if (dm.motor() == SqlEngine::PostgreSQL)
        dm.Ejecutar(QStringLiteral("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE")
                            .arg((QStringList {QStringLiteral("CONF")} + tablas).join(QStringLiteral(", "))));
}

// The step's work and its record in one transaction. The record is read again under the lock:
// another workstation may have run the step meanwhile.
void EjecutarPaso(TDM &dm, const TPaso &paso, const Trabajo &trabajo)
{
    dm.EnTransaccion([&] {
        BloquearTablas(dm, paso.tablas);
        const TRegistro registro = LeerRegistro(dm);
        if (Hecho(registro.lineas, paso.clave))
            return;
        if (trabajo)
            trabajo(dm, registro.idConf);
        Anotar(dm, registro, paso.clave);
    });
}

// "ACTDB1": the product actually used is the prescribed one where none was stored.
void ProductoUsado(TDM &dm, qint64)
{
    dm.Ejecutar(QStringLiteral("UPDATE RecargaLinea SET idMedicamentoR = idMedicamento "
                               "WHERE idMedicamentoR IS NULL OR idMedicamentoR = 0"));
    dm.Ejecutar(QStringLiteral("UPDATE Inventario SET IdMedicamentoReal = idMedicamento "
                               "WHERE IdMedicamentoReal IS NULL"));
}

// "ACTDB2": every treatment line becomes version 1 of its patient's history, as loaded.
Trabajo PrimeraVersion(const QDate &hoy)
{
    return [hoy](TDM &dm, qint64) {
        // PostgreSQL cannot tell the type of a value in a select list: it is told.
        const QString fecha = dm.motor() == SqlEngine::PostgreSQL ? QStringLiteral("CAST(? AS TIMESTAMP)")
                                                                  : QStringLiteral("?");
        dm.Ejecutar(QStringLiteral("INSERT INTO SPDHIST (IdVersion, ID, FechaActualizacion, IDPaciente, "
                                   "IDMedicamento, Inicio, Fin, Dosis, DosisEtiqueta, Medico, Notas, "
                                   "username, IuCarga) "
                                   "SELECT 1, id, %1, idPaciente, idMedicamento, Inicio, Fin, Dosis, "
                                   "DosisEtiqueta, Medico, Notas, ?, 1 FROM SPD")
                            .arg(fecha),
                    {SqlFecha::valor(hoy), QStringLiteral("TZR")});
    };
}

// Adds the name unless the list holds it already (compared trimmed and in upper case).
void AnadirMedico(QStringList &lista, const QString &nombre, const QString &comoSeGuarda)
{
    const QString clave = nombre.trimmed().toUpper();
    if (clave.isEmpty())
        return;
    for (const QString &medico : lista) {
        if (medico.trimmed().toUpper() == clave)
            return;
    }
    lista << comoSeGuarda;
}

// "ACTDB4": the shared list of doctors, from the patients' cards and then the treatment history;
// it replaces whatever list was stored. Names are compared here, not in SQL, because SQLite's
// UPPER knows no accented letters.
void ListaMedicos(TDM &dm, qint64 idConf)
{
    QStringList lista;
    TConsulta pacientes = dm.Consulta(QStringLiteral(
            "SELECT MedicoNombre FROM Paciente GROUP BY MedicoNombre ORDER BY MIN(idPaciente)"));
    while (pacientes.next()) {
        const QString nombre = pacientes.value(0).toString();
        AnadirMedico(lista, nombre, nombre.trimmed().toUpper());
    }
    TConsulta historia = dm.Consulta(
            QStringLiteral("SELECT Medico FROM SPDHIST GROUP BY Medico ORDER BY MIN(IDPaciente), Medico"));
    while (historia.next()) {
        const QString nombre = historia.value(0).toString();
        AnadirMedico(lista, nombre, nombre.toUpper());
    }
    dm.Ejecutar(QStringLiteral("UPDATE CONF SET Medicos = ? WHERE idConf = ?"), {lista.join(kCrLf), idConf});
}

// "ACTDB5": each unlinked load line is linked to the first stock row (the lowest number) of its
// load's patient with the line's medication, lot and expiry; a line with none stays unlinked.
void EnlazarStock(TDM &dm, qint64)
{
    dm.Ejecutar(QStringLiteral(
            "UPDATE RecargaLinea SET idInventario = ("
            "SELECT MIN(I.idInventario) FROM Inventario I JOIN Recarga R ON R.idPaciente = I.idPaciente "
            "WHERE R.idRecarga = RecargaLinea.idRecarga AND I.idMedicamento = RecargaLinea.idMedicamento "
            "AND I.Lote = RecargaLinea.Lote AND I.Caducidad = RecargaLinea.Caducidad) "
            "WHERE idInventario IS NULL"));
}

QList<TPaso> Pasos(const QDate &hoy)
{
    return {
            {QStringLiteral("ACTDB1"),
             {QStringLiteral("RecargaLinea"), QStringLiteral("Inventario")},
             ProductoUsado},
            {QStringLiteral("ACTDB2"), {QStringLiteral("SPDHIST")}, PrimeraVersion(hoy)},
            {QStringLiteral("ACTDB4"), {}, ListaMedicos},
    };
}

const TPaso kEnlaceStock {QStringLiteral("ACTDB5"), {QStringLiteral("RecargaLinea")}, EnlazarStock};

// The linking runs only when the user accepts the notice; the step is recorded either way.
void EnlazarTrasAviso(TDM &dm, const ActualizacionBaseDatos::Aviso &aviso)
{
    if (PasoHecho(dm, kEnlaceStock.clave))
        return;
    const QString texto = Traducir(
            QStringLiteral("MSG_ACT_BASE_DATOS"),
            QStringLiteral(
                    "SE VA HA PROCEDER A ACTUALIZAR LA BASE DE DATOS. ESTE PROCESO LLEVARA ALGUNOS MINUTOS"));
    Log(QStringLiteral(": F_ERROR:") + texto);
    bool enlazado = false;
    aviso(texto, [&] {
        EjecutarPaso(dm, kEnlaceStock, kEnlaceStock.trabajo);
        enlazado = true;
    });
    if (!enlazado)
        EjecutarPaso(dm, kEnlaceStock, {});
}

} // namespace

QString ActualizacionBaseDatos::RegistroCompleto()
{
    QList<TPaso> pasos = Pasos({});
    pasos << kEnlaceStock;
    QStringList lineas;
    for (const TPaso &paso : pasos)
        lineas << paso.clave + QLatin1Char('=') + kHecho;
    return lineas.join(kCrLf);
}

void ActualizarBaseDatos(TDM &dm, const QDate &hoy, const ActualizacionBaseDatos::Aviso &aviso)
{
    for (const TPaso &paso : Pasos(hoy))
        EjecutarPaso(dm, paso, paso.trabajo);
    EnlazarTrasAviso(dm, aviso);
}
