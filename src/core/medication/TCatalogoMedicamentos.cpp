#include "core/medication/TCatalogoMedicamentos.h"

#include "core/common/AppError.h"
#include "core/data/ValoresMostrados.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/stock/uInventario.h"

#include <QSqlQuery>

#include <algorithm>

namespace {

constexpr qint64 kCodigoMaximo = 999999;

} // namespace

bool TCatalogoMedicamentos::Existe(qint64 idMedicamento)
{
    return m_dm.Valor(QStringLiteral("SELECT COUNT(*) FROM Medicamento WHERE idMedicamento = ?"),
                      {idMedicamento})
                   .toInt()
            > 0;
}

std::optional<TFichaMedicamento> TCatalogoMedicamentos::Ficha(qint64 idMedicamento)
{
    TConsulta fila = m_dm.Consulta(QStringLiteral("SELECT Definido, SPD, Unidades, DescUsuario, Medicamento, "
                                                  "Descripcion FROM Medicamento WHERE idMedicamento = ?"),
                                   {idMedicamento});
    if (!fila.next())
        return std::nullopt;
    // Jet stored true as -1: any value other than 0 and Null is true.
    return TFichaMedicamento {fila.value(0).toInt() != 0, fila.value(1).toInt() != 0, fila.value(2).toInt(),
                              ValoresMostrados::NombreMostrado(fila.value(3).toString(),
                                                               fila.value(4).toString(),
                                                               fila.value(5).toString())};
}

QString TCatalogoMedicamentos::SentenciaEnUso()
{
    // One EXISTS per column, so that each one is answered by that column's index.
    return QStringLiteral("SELECT CASE WHEN EXISTS (SELECT 1 FROM Inventario WHERE idMedicamento = ?) "
                          "OR EXISTS (SELECT 1 FROM Inventario WHERE IdMedicamentoReal = ?) "
                          "OR EXISTS (SELECT 1 FROM RecargaLinea WHERE idMedicamento = ?) "
                          "OR EXISTS (SELECT 1 FROM RecargaLinea WHERE idMedicamentoR = ?) "
                          "OR EXISTS (SELECT 1 FROM Receta WHERE idMedicamento = ?) "
                          "OR EXISTS (SELECT 1 FROM SPD WHERE idMedicamento = ?) "
                          "OR EXISTS (SELECT 1 FROM SPDHIST WHERE IDMedicamento = ?) "
                          "THEN 1 ELSE 0 END");
}

bool TCatalogoMedicamentos::EnUso(qint64 idMedicamento)
{
    const QVariantList valores(SentenciaEnUso().count(QLatin1Char('?')), idMedicamento);
    return m_dm.Valor(SentenciaEnUso(), valores).toInt() != 0;
}

QString TCatalogoMedicamentos::MotivoBorradoImposible(qint64 idMedicamento)
{
    TConsulta fila = m_dm.Consulta(QStringLiteral("SELECT iManual FROM Medicamento WHERE idMedicamento = ?"),
                                   {idMedicamento});
    if (!fila.next() || fila.value(0).toInt() != 1)
        return Traducir(QStringLiteral("ERR_MEDICAMENTO_NO_MANUAL"),
                        QStringLiteral("BORRADO IMPOSIBLE. SOLO SE PUEDEN BORRAR MEDICAMENTOS INTRODUCIDOS "
                                       "MANUALMENTE"));
    if (EnUso(idMedicamento))
        return Traducir(
                QStringLiteral("ERR_MEDICAMENTO_YA_UTILIZADO"),
                QStringLiteral("BORRADO IMPOSIBLE. MEDICAMENTO YA ESTA SIENDO UTILIZADO EN LA APLICACION"));
    return {};
}

void TCatalogoMedicamentos::BorrarMedicamento(qint64 idMedicamento)
{
    m_dm.EnTransaccion([&] {
        if (const QString motivo = MotivoBorradoImposible(idMedicamento); !motivo.isEmpty())
            throw AppError(motivo);
        m_dm.Ejecutar(QStringLiteral("DELETE FROM Medicamento WHERE idMedicamento = ?"), {idMedicamento});
    });
}

void TCatalogoMedicamentos::GuardarMedicamento(const TDatosMedicamento &datos, bool nuevo, bool conInventario)
{
    const qint64 codigo = datos.Codigo.trimmed().toLongLong();
    m_dm.EnTransaccion([&] {
        TConsulta fila = m_dm.Consulta(
                QStringLiteral(
                        "SELECT iManual, Medicamento, Descripcion FROM Medicamento WHERE idMedicamento = ?"),
                {codigo});
        const bool existe = fila.next();
        if (!nuevo && !existe)
            throw AppError(Traducir(QStringLiteral("ERR_MEDICAMENTO_INEXISTENTE"),
                                    QStringLiteral("MEDICAMENTO INEXITENTE")));
        const bool editable = nuevo || fila.value(0).toInt() == 1;
        if (const QString error = ErrorMedicamento(datos, nuevo, editable, nuevo && existe, conInventario);
            !error.isEmpty())
            throw AppError(error);
        if (nuevo)
            m_dm.Anadir(QStringLiteral("Medicamento"),
                        {{QStringLiteral("idMedicamento"), codigo}, {QStringLiteral("iManual"), 1}});
        const QString nombre = editable ? datos.Medicamento.trimmed() : fila.value(1).toString();
        const QString descripcion = editable ? datos.Descripcion.trimmed() : fila.value(2).toString();
        // A new entry keeps the user description as typed; an existing one keeps it only when it
        // differs from name and description, which the list shows for an empty one anyway.
        const QString descUsuario
                = !nuevo && datos.DescUsuario.trimmed() == nombre + QLatin1Char(' ') + descripcion
                ? QString()
                : datos.DescUsuario.trimmed();
        if (editable) {
            const QVariant pvp
                    = datos.PVP.trimmed().isEmpty() ? QVariant() : QVariant(*LeerCantidad(datos.PVP));
            m_dm.Ejecutar(QStringLiteral("UPDATE Medicamento SET PVP = ?, Medicamento = ?, Descripcion = ? "
                                         "WHERE idMedicamento = ?"),
                          {pvp, nombre, descripcion, codigo});
        }
        m_dm.Ejecutar(QStringLiteral(
                              "UPDATE Medicamento SET DescUsuario = ?, Definido = 1, SPD = ?, IPrinActiv = ? "
                              "WHERE idMedicamento = ?"),
                      {descUsuario, *datos.SPD ? 1 : 0, datos.PrincipioActivo ? 1 : 0, codigo});
        if (*datos.SPD)
            m_dm.Ejecutar(QStringLiteral(
                                  "UPDATE Medicamento SET Comprimido = ?, Capsula = ?, Forma = ?, Color = ?, "
                                  "Volumen = ?, Unidades = ? WHERE idMedicamento = ?"),
                          {datos.Comprimido ? 1 : 0, datos.Comprimido ? 0 : 1, datos.Forma.trimmed(),
                           datos.Color.trimmed(), datos.Volumen,
                           conInventario ? datos.Unidades.trimmed().toInt() : 0, codigo});
    });
}

QString TCatalogoMedicamentos::ErrorSeparador(const QString &texto)
{
    if (!texto.contains(QLatin1Char(';')) && !texto.contains(QLatin1Char('|')))
        return {};
    return Traducir(QStringLiteral("ERR_TEXTO_SEPARADOR"),
                    QStringLiteral("NO SE PERMITEN LOS CARACTERES PUNTO Y COMA NI BARRA VERTICAL"));
}

QString TCatalogoMedicamentos::ErrorCodigoNuevo(const QString &texto)
{
    const QString codigo = texto.trimmed();
    if (codigo.isEmpty())
        return Traducir(QStringLiteral("ERR_MEDICAMENTO_CODIGO_NO_INTRODUCIDO"),
                        QStringLiteral("INTRODUCIR CODIGO MEDICAMENTO"));
    bool numero = false;
    const qint64 valor = codigo.toLongLong(&numero);
    const bool soloDigitos = std::all_of(codigo.cbegin(), codigo.cend(), [](QChar c) { return c.isDigit(); });
    if (!numero || !soloDigitos || valor <= 0)
        return Traducir(QStringLiteral("ERR_DATO_NUMERICO"),
                        QStringLiteral("EL DATO A INTRODUCIR DEBE SER NUMERICO MAYOR QUE CERO"));
    if (valor > kCodigoMaximo)
        return Traducir(QStringLiteral("ERR_MEDICAMENTO_CODIGO_INCORRECTO"),
                        QStringLiteral("CODIGO MEDICAMENTO INCORRECTO. HA DE SER MENOR O IGUAL QUE 999999"));
    return {};
}
