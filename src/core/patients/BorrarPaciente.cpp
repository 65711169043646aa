#include "core/patients/BorrarPaciente.h"

#include "core/audit/uLOPD.h"
#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/patients/ArchivosPaciente.h"
#include "core/patients/uHistorialTratamiento.h"
#include "core/shell/uLog.h"
#include "core/stock/uInventario.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TBorradoPaciente::TBorradoPaciente(TDM &dm)
    : m_dm(dm)
{ }

TBorradoPaciente::TResultado TBorradoPaciente::Comprobar(qint64 idPaciente)
{
    const auto cuenta = [&](const QString &tabla) {
        return m_dm
                .Valor(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE idPaciente = ?").arg(tabla),
                       {idPaciente})
                .toInt();
    };
    if (cuenta(QStringLiteral("Recarga")) != 0)
        return TResultado::ConCargas;
    if (cuenta(QStringLiteral("SPD")) != 0)
        return TResultado::ConTratamientos;
    return TResultado::Borrado;
}

QString TBorradoPaciente::Mensaje(TResultado resultado)
{
    switch (resultado) {
    case TResultado::ConCargas:
        return Traducir(QStringLiteral("ERR_BORRADO_PACIENTE_EXISTE_CARGA"),
                        QStringLiteral("BORRADO IMPOSIBLE, EXISTEN CARGAS DEL PACIENTE"));
    case TResultado::ConTratamientos:
        return Traducir(QStringLiteral("ERR_BORRADO_PACIENTE_EXISTE_TRATAMIENTO"),
                        QStringLiteral("BORRADO IMPOSIBLE, EXISTEN TRATAMIENTOS DEL PACIENTE"));
    case TResultado::Borrado:
    case TResultado::NoExiste:
        break;
    }
    return {};
}

TBorradoPaciente::TResultado TBorradoPaciente::Borrar(qint64 idPaciente, const QString &accion)
{
    Q_ASSERT(!m_dm.enTransaccion());
    TResultado resultado = Comprobar(idPaciente);
    if (resultado != TResultado::Borrado)
        return resultado;
    m_dm.EnTransaccionPaciente(idPaciente, [&] {
        resultado = Comprobar(idPaciente);
        if (resultado != TResultado::Borrado)
            return;
        TInventario(m_dm).BorrarInventarioPaciente(idPaciente);
        THistorialTratamiento(m_dm).BorrarHistorialPaciente(idPaciente);
        m_dm.Ejecutar(QStringLiteral("DELETE FROM Receta WHERE idPaciente = ?"), {idPaciente});
        if (m_dm.Ejecutar(QStringLiteral("DELETE FROM Paciente WHERE idPaciente = ?"), {idPaciente}) == 0)
            resultado = TResultado::NoExiste;
    });
    if (resultado != TResultado::Borrado)
        return resultado;

    if (m_dm.idPacienteActivo == idPaciente) {
        m_dm.PacienteActivo.reset();
        m_dm.idPacienteActivo = 0;
    }
    RetirarCarpeta(idPaciente);
    const QString usuario = m_dm.Usuario ? m_dm.Usuario->username : QString();
    ManejadorErrores::Proteger(
            [&] { TLOPD(m_dm).Registrar(usuario, accion, int(idPaciente), LOPD::kBaja, LOPD::kAceptado); });
    return resultado;
}

QString TBorradoPaciente::CarpetaBorrados(const TDM &dm)
{
    return QDir(ArchivosPaciente::CarpetaArchivos(dm)).filePath(QStringLiteral("BORRADOS"));
}

void TBorradoPaciente::RetirarCarpeta(qint64 idPaciente)
{
    const QString carpeta = ArchivosPaciente::Carpeta(m_dm, idPaciente);
    if (!QFileInfo(carpeta).isDir())
        return;
    if (m_papelera && QFile::moveToTrash(carpeta))
        return;
    // Kept rather than destroyed: the documents of a patient deleted by mistake can be found again,
    // and a later patient never finds them in a folder of its own.
    const QString destino = CarpetaFechada(idPaciente);
    if (QDir().mkpath(QFileInfo(destino).absolutePath()) && QDir().rename(carpeta, destino))
        return;
    Log(QStringLiteral(": ERROR: la carpeta del paciente borrado %1 no se pudo retirar: ").arg(idPaciente)
        + QDir::toNativeSeparators(carpeta));
}

QString TBorradoPaciente::CarpetaFechada(qint64 idPaciente) const
{
    const QString base = CarpetaBorrados(m_dm) + QLatin1Char('/') + QString::number(idPaciente)
            + QLatin1Char('-') + Clock::now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString destino = base;
    for (int n = 2; QFileInfo::exists(destino); ++n)
        destino = base + QLatin1Char('-') + QString::number(n);
    return destino;
}
