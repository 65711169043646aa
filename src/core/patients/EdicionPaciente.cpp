#include "core/patients/EdicionPaciente.h"

#include "core/audit/uLOPD.h"
#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "core/patients/ArchivosPaciente.h"
#include "core/patients/EsFecha.h"
#include "core/patients/TextoBusqueda.h"

#include <QSqlQuery>

namespace {

const QString kRef = QStringLiteral("refPaciente");
const QString kDNI = QStringLiteral("DNI");
const QString kFechaNacimiento = QStringLiteral("FechaNacimiento");
const QString kIactivo = QStringLiteral("Iactivo");

// The columns of Paciente the card shows and writes, in the order they are read.
const QStringList &Columnas()
{
    static const QStringList columnas {
            kRef,
            kDNI,
            QStringLiteral("Nombre"),
            QStringLiteral("Direccion"),
            QStringLiteral("Telefono"),
            QStringLiteral("Email"),
            kFechaNacimiento,
            QStringLiteral("Varon"),
            QStringLiteral("CodCategoria"),
            kIactivo,
            QStringLiteral("IFotoBlis"),
            QStringLiteral("IConInven"),
            QStringLiteral("Problemas"),
            QStringLiteral("Enfermedades"),
            QStringLiteral("Alergias"),
            QStringLiteral("Notas"),
            QStringLiteral("MedicoNombre"),
            QStringLiteral("MedicoTelefono"),
            QStringLiteral("MedicoDireccion"),
            QStringLiteral("MedicoEmail"),
            QStringLiteral("ContactoNombre"),
            QStringLiteral("ContactoTelefono"),
            QStringLiteral("ContactoDireccion"),
            QStringLiteral("ContactoEmail"),
    };
    return columnas;
}

int Flag(bool valor)
{
    return valor ? 1 : 0;
}

// The card's values as they are stored, one comparable value per column: texts trimmed (the free
// texts as typed), the identity number without separators, the doctor in upper case.
QVariantMap ValoresFicha(const TFichaPaciente &f, bool conInventario)
{
    return {
            {kRef, f.refPaciente.trimmed()},
            {kDNI, DNISinSeparadores(f.DNI)},
            {QStringLiteral("Nombre"), f.Nombre.trimmed()},
            {QStringLiteral("Direccion"), f.Direccion.trimmed()},
            {QStringLiteral("Telefono"), f.Telefono.trimmed()},
            {QStringLiteral("Email"), f.Email.trimmed()},
            {kFechaNacimiento, LeerFecha(f.FechaNacimiento)},
            {QStringLiteral("Varon"), Flag(f.Varon)},
            {QStringLiteral("CodCategoria"), f.CodCategoria},
            {kIactivo, Flag(f.Activo)},
            {QStringLiteral("IFotoBlis"), Flag(f.FotoBlister)},
            {QStringLiteral("IConInven"), Flag(conInventario && f.ControlInventario)},
            {QStringLiteral("Problemas"), f.Problemas},
            {QStringLiteral("Enfermedades"), f.Enfermedades},
            {QStringLiteral("Alergias"), f.Alergias},
            {QStringLiteral("Notas"), f.Notas},
            {QStringLiteral("MedicoNombre"), f.Medico.Nombre.trimmed().toUpper()},
            {QStringLiteral("MedicoTelefono"), f.Medico.Telefono.trimmed()},
            {QStringLiteral("MedicoDireccion"), f.Medico.Direccion.trimmed()},
            {QStringLiteral("MedicoEmail"), f.Medico.Email.trimmed()},
            {QStringLiteral("ContactoNombre"), f.Contacto.Nombre.trimmed()},
            {QStringLiteral("ContactoTelefono"), f.Contacto.Telefono.trimmed()},
            {QStringLiteral("ContactoDireccion"), f.Contacto.Direccion.trimmed()},
            {QStringLiteral("ContactoEmail"), f.Contacto.Email.trimmed()},
    };
}

// A stored value in the form ValoresFicha gives it. Null flags read as the rest of the
// application reads them: an active patient, no photo on the blister, stock controlled.
QVariant ValorLeido(const QString &columna, const QVariant &valor)
{
    if (columna == kFechaNacimiento)
        return SqlFecha::leerDia(valor);
    if (columna == QLatin1String("Varon") || columna == QLatin1String("IFotoBlis"))
        return Flag(!valor.isNull() && valor.toInt() != 0);
    if (columna == QLatin1String("CodCategoria"))
        return valor.toInt();
    if (columna == kIactivo)
        return Flag(valor.isNull() || valor.toInt() != 0);
    if (columna == QLatin1String("IConInven"))
        return Flag(valor.isNull() || valor.toInt() == 1);
    return valor.toString();
}

// A value of ValoresFicha as it is written.
QVariant ValorEscrito(const QString &columna, const QVariant &valor)
{
    if (columna == kFechaNacimiento)
        return SqlFecha::valor(valor.toDate());
    if (columna == QLatin1String("CodCategoria") && valor.toInt() == 0)
        return QVariant(QMetaType(QMetaType::Int));
    return valor;
}

// Deactivating dates the patient's leaving; reactivating clears it.
QVariant FechaBaja(const QVariantMap &columnas)
{
    return SqlFecha::valor(columnas.value(kIactivo).toInt() == 1 ? QDate() : Clock::today());
}

std::optional<QVariantMap> LeerFila(TDM &dm, qint64 idPaciente)
{
    TConsulta fila = dm.Consulta(QStringLiteral("SELECT %1 FROM Paciente WHERE idPaciente = ?")
                                         .arg(Columnas().join(QStringLiteral(", "))),
                                 {idPaciente});
    if (!fila.next())
        return std::nullopt;
    QVariantMap valores;
    for (int i = 0; i < Columnas().size(); ++i)
        valores.insert(Columnas().at(i), ValorLeido(Columnas().at(i), fila.value(i)));
    return valores;
}

TFichaPaciente Ficha(const QVariantMap &c)
{
    const auto texto = [&c](const char *columna) { return c.value(QLatin1String(columna)).toString(); };
    const auto flag = [&c](const char *columna) { return c.value(QLatin1String(columna)).toInt() == 1; };
    TFichaPaciente f;
    f.refPaciente = texto("refPaciente");
    f.DNI = texto("DNI");
    f.Nombre = texto("Nombre");
    f.Direccion = texto("Direccion");
    f.Telefono = texto("Telefono");
    f.Email = texto("Email");
    f.FechaNacimiento = TextoFecha(c.value(kFechaNacimiento).toDate());
    f.Varon = flag("Varon");
    f.CodCategoria = c.value(QStringLiteral("CodCategoria")).toInt();
    f.Activo = flag("Iactivo");
    f.FotoBlister = flag("IFotoBlis");
    f.ControlInventario = flag("IConInven");
    f.Problemas = texto("Problemas");
    f.Enfermedades = texto("Enfermedades");
    f.Alergias = texto("Alergias");
    f.Notas = texto("Notas");
    f.Medico = {texto("MedicoNombre"), texto("MedicoTelefono"), texto("MedicoDireccion"),
                texto("MedicoEmail")};
    f.Contacto = {texto("ContactoNombre"), texto("ContactoTelefono"), texto("ContactoDireccion"),
                  texto("ContactoEmail")};
    return f;
}

QString MensajeDNIRepetido()
{
    return Traducir(QStringLiteral("ERR_DNI_PACIENTE_REPETIDO"),
                    QStringLiteral("YA EXISTE OTRO PACIENTE CON EL MISMO DNI"));
}

QString MensajeReferenciaRepetida()
{
    return Traducir(QStringLiteral("ERR_REF_PACIENTE_REPETIDO"),
                    QStringLiteral("YA EXISTE OTRO PACIENTE CON LA MISMA REFERENCIA"));
}

ErrorFicha PacienteNoExiste()
{
    return ErrorFicha(TCampoFicha::Ninguno,
                      Traducir(QStringLiteral("ERR_PACIENTE_NO_EXISTE"),
                               QStringLiteral("EL PACIENTE NO EXISTE: OTRO PUESTO LO HA ELIMINADO")));
}

// Any lock number will do as long as every card takes the same one.
constexpr int kBloqueoReferencias = 51001;

} // namespace

TEdicionPaciente::TEdicionPaciente(TDM &dm)
    : m_dm(dm)
{
    if (!ArchivosPaciente::VaciarCarpetaNueva(m_dm))
        throw AppError(
                Traducir(QStringLiteral("ERR_VACIAR_CARPETA_NUEVA"),
                         QStringLiteral(
                                 "NO SE HAN PODIDO QUITAR LOS ARCHIVOS DE UN PACIENTE NUEVO ANTERIOR: "))
                + Carpeta());
}

TEdicionPaciente::TEdicionPaciente(TDM &dm, qint64 idPaciente)
    : m_dm(dm)
{
    Abrir(idPaciente);
}

void TEdicionPaciente::Abrir(qint64 idPaciente)
{
    const std::optional<QVariantMap> fila = LeerFila(m_dm, idPaciente);
    if (!fila)
        throw PacienteNoExiste();
    m_idPaciente = idPaciente;
    m_columnas = *fila;
    m_abierta = Ficha(m_columnas);
}

QString TEdicionPaciente::Carpeta() const
{
    return ArchivosPaciente::Carpeta(m_dm, m_idPaciente);
}

bool TEdicionPaciente::OtroConDNI(const QString &dni) const
{
    // Identity numbers stored with separators by older versions are compared without them.
    return !m_dm.Valor(QStringLiteral(
                               "SELECT 1 FROM Paciente WHERE UPPER(REPLACE(REPLACE(REPLACE(DNI, ' ', ''), "
                               "'-', ''), '/', '')) = UPPER(?) AND idPaciente <> ? LIMIT 1"),
                       {dni, m_idPaciente})
                    .isNull();
}

bool TEdicionPaciente::OtroConReferencia(const QString &referencia, qint64 idPaciente) const
{
    return !m_dm.Valor(QStringLiteral("SELECT 1 FROM Paciente WHERE UPPER(refPaciente) = UPPER(?) "
                                      "AND idPaciente <> ? LIMIT 1"),
                       {referencia, idPaciente})
                    .isNull();
}

std::optional<ErrorFicha> TEdicionPaciente::Validar(const TFichaPaciente &ficha) const
{
    using C = TCampoFicha;
    if (ficha.Nombre.trimmed().isEmpty())
        return ErrorFicha(C::Nombre,
                          Traducir(QStringLiteral("ERR_NOMBRE_OBLIGATORIO"),
                                   QStringLiteral("NOMBRE ES UN CAMPO OBLIGATORIO")));
    if (ficha.Telefono.trimmed().isEmpty())
        return ErrorFicha(C::Telefono,
                          Traducir(QStringLiteral("ERR_TELEFONO_OBLIGATORIO"),
                                   QStringLiteral("TELEFONO ES UN CAMPO OBLIGATORIO")));
    const QString dni = DNISinSeparadores(ficha.DNI);
    if (dni.isEmpty())
        return ErrorFicha(C::DNI,
                          Traducir(QStringLiteral("ERR_DNI_OBLIGATORIO"),
                                   QStringLiteral("DNI ES UN CAMPO OBLIGATORIO")));
    if (dni.size() > 9)
        return ErrorFicha(C::DNI,
                          Traducir(QStringLiteral("ERR_TAMANO_DNI"),
                                   QStringLiteral("EL DNI NO PUEDE TENER MAS QUE 9 CARACTERES")));
    const QVariantMap columnas = ValoresFicha(ficha, true);
    try {
        ComprobarUnicos(columnas, {kDNI, kRef});
    } catch (const ErrorFicha &error) {
        return error;
    }
    const QDate nacimiento = LeerFecha(ficha.FechaNacimiento);
    if (!nacimiento.isValid())
        return ErrorFicha(
                C::FechaNacimiento,
                Traducir(QStringLiteral("ERR_FECHA_INVALIDA"), QStringLiteral("INTRODUCIR FECHA VALIDA")));
    if (nacimiento >= Clock::today())
        return ErrorFicha(
                C::FechaNacimiento,
                Traducir(QStringLiteral("ERR_FECHA_NACIMIENTO_MAYOR_HOY"),
                         QStringLiteral("LA FECHA DE NACIMIENTO NO PUEDE SER MAYOR QUE EL DIA ACTUAL")));
    if (ficha.FotoBlister && ArchivosPaciente::RutaFoto(Carpeta()).isEmpty())
        return ErrorFicha(C::Foto,
                          Traducir(QStringLiteral("ERR_FALTA_FOTO"),
                                   QStringLiteral("INSERTAR FOTOGRAFIA DEL PACIENTE")));
    return std::nullopt;
}

// The identity number, then the reference, of the card may not be another patient's; a value the
// card was opened with (whatever its case) is the patient's own.
void TEdicionPaciente::ComprobarUnicos(const QVariantMap &columnas, const QStringList &cambiadas) const
{
    const auto nuevo = [&](const QString &columna) {
        const QString valor = columnas.value(columna).toString();
        return cambiadas.contains(columna) && !valor.isEmpty()
                && valor.compare(m_columnas.value(columna).toString(), Qt::CaseInsensitive) != 0;
    };
    if (nuevo(kDNI) && OtroConDNI(columnas.value(kDNI).toString()))
        throw ErrorFicha(TCampoFicha::DNI, MensajeDNIRepetido());
    if (nuevo(kRef) && OtroConReferencia(columnas.value(kRef).toString(), m_idPaciente))
        throw ErrorFicha(TCampoFicha::Referencia, MensajeReferenciaRepetida());
}

QStringList TEdicionPaciente::Cambiadas(const QVariantMap &columnas) const
{
    if (EsNuevo())
        return Columnas();
    QStringList cambiadas;
    for (const QString &columna : Columnas()) {
        if (columnas.value(columna) != m_columnas.value(columna))
            cambiadas << columna;
    }
    return cambiadas;
}

bool TEdicionPaciente::HaCambiado(const TFichaPaciente &ficha, bool conInventario) const
{
    return !Cambiadas(ValoresFicha(ficha, conInventario)).isEmpty();
}

void TEdicionPaciente::BloquearReferencias()
{
    // SQLite: the transaction already began as the one writer.
    if (m_dm.motor() == SqlEngine::PostgreSQL)
        m_dm.Consulta(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kBloqueoReferencias));
}

QString TEdicionPaciente::ReferenciaLibre(qint64 idPaciente) const
{
    const QString identificador = QString::number(idPaciente);
    QString referencia = identificador;
    for (int n = 1; OtroConReferencia(referencia, idPaciente); ++n)
        referencia = identificador + QLatin1Char('-') + QString::number(n);
    return referencia;
}

qint64 TEdicionPaciente::Insertar(const QVariantMap &columnas)
{
    QVariantMap fila;
    for (const QString &columna : Columnas())
        fila.insert(columna, ValorEscrito(columna, columnas.value(columna)));
    fila.insert(QStringLiteral("FechaAlta"), SqlFecha::valor(Clock::today()));
    fila.insert(QStringLiteral("FechaBaja"), FechaBaja(columnas));
    fila.insert(QStringLiteral("NumeroUltimaCargaRealizada"), 0);
    return m_dm.Anadir(QStringLiteral("Paciente"), fila);
}

void TEdicionPaciente::Actualizar(const QVariantMap &columnas, const QStringList &cambiadas)
{
    if (cambiadas.isEmpty())
        return;
    QStringList asignaciones;
    QVariantList valores;
    for (const QString &columna : cambiadas) {
        asignaciones << columna + QStringLiteral(" = ?");
        valores << ValorEscrito(columna, columnas.value(columna));
    }
    if (cambiadas.contains(kIactivo)) {
        asignaciones << QStringLiteral("FechaBaja = ?");
        valores << FechaBaja(columnas);
    }
    valores << m_idPaciente;
    m_dm.Ejecutar(QStringLiteral("UPDATE Paciente SET %1 WHERE idPaciente = ?")
                          .arg(asignaciones.join(QStringLiteral(", "))),
                  valores);
}

TGuardadoFicha TEdicionPaciente::Guardar(const TFichaPaciente &ficha, const QString &accion,
                                         bool conInventario)
{
    const QVariantMap columnas = ValoresFicha(ficha, conInventario);
    const QStringList cambiadas = Cambiadas(columnas);
    TGuardadoFicha guardado;
    const auto asignarReferencia = [&] {
        guardado.refPaciente = ReferenciaLibre(guardado.idPaciente);
        guardado.referenciaRepetida = guardado.refPaciente != QString::number(guardado.idPaciente);
        m_dm.Ejecutar(QStringLiteral("UPDATE Paciente SET refPaciente = ? WHERE idPaciente = ?"),
                      {guardado.refPaciente, guardado.idPaciente});
    };

    if (EsNuevo()) {
        m_dm.EnTransaccion([&] {
            guardado = {};
            BloquearReferencias();
            ComprobarUnicos(columnas, cambiadas);
            guardado.idPaciente = Insertar(columnas);
            guardado.cambiado = true;
            guardado.refPaciente = columnas.value(kRef).toString();
            if (guardado.refPaciente.isEmpty())
                asignarReferencia();
        });
        m_idPaciente = guardado.idPaciente;
        guardado.errorArchivos = ArchivosPaciente::AdoptarCarpetaNueva(m_dm, m_idPaciente);
        Auditar(accion, LOPD::kAlta);
    } else {
        m_dm.EnTransaccionPaciente(m_idPaciente, [&] {
            guardado = {};
            guardado.idPaciente = m_idPaciente;
            guardado.cambiado = !cambiadas.isEmpty();
            BloquearReferencias();
            const std::optional<QVariantMap> actual = LeerFila(m_dm, m_idPaciente);
            if (!actual)
                throw PacienteNoExiste();
            for (const QString &columna : cambiadas) {
                if (actual->value(columna) != m_columnas.value(columna))
                    throw ErrorFicha(
                            TCampoFicha::Ninguno,
                            Traducir(QStringLiteral("ERR_PACIENTE_MODIFICADO_OTRO_PUESTO"),
                                     QStringLiteral("OTRO PUESTO HA CAMBIADO ESTOS DATOS DEL PACIENTE "
                                                    "MIENTRAS LA FICHA ESTABA ABIERTA. NO SE HA GUARDADO "
                                                    "NADA: CANCELE Y VUELVA A ABRIR LA FICHA.")));
            }
            ComprobarUnicos(columnas, cambiadas);
            Actualizar(columnas, cambiadas);
            guardado.refPaciente = (cambiadas.contains(kRef) ? columnas : *actual).value(kRef).toString();
            if (guardado.refPaciente.trimmed().isEmpty())
                asignarReferencia();
        });
        Auditar(accion, guardado.cambiado ? LOPD::kModificacion : LOPD::kConsulta);
    }
    Abrir(m_idPaciente);
    return guardado;
}

void TEdicionPaciente::Descartar(const QString &accion)
{
    if (EsNuevo())
        ArchivosPaciente::VaciarCarpetaNueva(m_dm);
    else
        Auditar(accion, LOPD::kConsulta);
}

void TEdicionPaciente::AuditarImpresion() const
{
    Auditar(Traducir(QStringLiteral("CAPTION_LOPD_LISTADO_FICHA_PACIENTE"),
                     QStringLiteral("LISTADO FICHA PACIENTE")),
            LOPD::kConsulta);
}

void TEdicionPaciente::Auditar(const QString &accion, int operacion) const
{
    const QString usuario = m_dm.Usuario ? m_dm.Usuario->username : QString();
    ManejadorErrores::Proteger(
            [&] { TLOPD(m_dm).Registrar(usuario, accion, int(m_idPaciente), operacion, LOPD::kAceptado); });
}
