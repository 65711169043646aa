#include "core/loading/CabeceraEtiqueta.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/loading/TextosEtiqueta.h"
#include "core/patients/ArchivosPaciente.h"
#include "core/settings/uPreferencias.h"

#include <QFile>
#include <QSqlQuery>

namespace {

QByteArray LeerFichero(const QString &ruta)
{
    QFile fichero(ruta);
    return fichero.open(QIODevice::ReadOnly) ? fichero.readAll() : QByteArray();
}

// The photo of the patient's folder: "FOTOPaciente.BMP", else "FOTOPaciente.jpg", in any case.
QByteArray FotoPaciente(TDM &dm, int idPaciente)
{
    const QString ruta = ArchivosPaciente::RutaFoto(ArchivosPaciente::Carpeta(dm, idPaciente));
    return ruta.isEmpty() ? QByteArray() : LeerFichero(ruta);
}

} // namespace

TCabeceraEtiqueta CabeceraEtiqueta(qint64 idRecarga)
{
    TDM &dm = DM();
    TCabeceraEtiqueta cabecera;
    TConsulta query = dm.Consulta(
            QStringLiteral(
                    "SELECT r.idPaciente, r.refRecarga, r.FechaRealizado, r.FechaInicio, r.FechaFin, "
                    "p.Nombre, "
                    "p.refPaciente, p.MedicoNombre, p.MedicoTelefono, p.IFotoBlis, p.IConInven "
                    "FROM Recarga r JOIN Paciente p ON p.idPaciente = r.idPaciente WHERE r.idRecarga = ?"),
            {idRecarga});
    if (!query.next())
        return cabecera;
    const TPreferences &preferencias = Preferencias();
    cabecera.idPaciente = query.value(0).toInt();
    cabecera.refRecarga = query.value(1).toInt();
    cabecera.FechaRealizado = SqlFecha::leer(query.value(2));
    cabecera.FechaInicio = SqlFecha::leerDia(query.value(3));
    cabecera.FechaFin = SqlFecha::leerDia(query.value(4));
    cabecera.Nombre = query.value(5).toString();
    cabecera.refPaciente = query.value(6).toString();
    cabecera.medico = query.value(7).toString();
    cabecera.telefonoMedico = query.value(8).toString();
    const bool conFoto = !query.value(9).isNull() && query.value(9).toInt() != 0;
    cabecera.conInventario = query.value(10).isNull() || query.value(10).toInt() == 1;
    cabecera.farmacia = preferencias.ofNombre;
    cabecera.telefonoFarmacia = preferencias.ofTelefono;
    cabecera.codigo = TextosEtiqueta::CodigoCarga(cabecera.idPaciente, cabecera.refRecarga);
    if (conFoto)
        cabecera.imagen = FotoPaciente(dm, cabecera.idPaciente);
    cabecera.esFoto = !cabecera.imagen.isEmpty();
    if (!cabecera.esFoto)
        cabecera.imagen = preferencias.Logo;
    return cabecera;
}
