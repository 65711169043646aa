#include "core/data/TablasMaestras.h"

#include "core/common/AppError.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"

namespace {

// Separators of the lists the application stores as text in one column.
const QString kCaracteresReservados = QStringLiteral("|;");

// The description of a reserved list's row; never shown, it tells what the row is for.
const QString kDescripcionMarca = QStringLiteral("ULTIMO CODIGO BORRADO");

} // namespace

TTablasMaestras::TTablasMaestras(TDM &dm)
    : m_dm(dm)
{ }

QList<TEntradaMaestra> TTablasMaestras::Lista(int codTab)
{
    TConsulta filas = m_dm.Consulta(
            QStringLiteral("SELECT Codigo, Descripcion FROM TabMaestras WHERE CodTab = ? ORDER BY Codigo"),
            {codTab});
    QList<TEntradaMaestra> lista;
    while (filas.next())
        lista.append({filas.value(0).toInt(), filas.value(1).toString()});
    return lista;
}

QString TTablasMaestras::ErrorDescripcion(const QString &descripcion)
{
    if (descripcion.trimmed().isEmpty())
        return Traducir(QStringLiteral("ERR_DESCRIPCION_OBLIGATORIO"),
                        QStringLiteral("Descripcion es un campo obligatorio."));
    for (const QChar caracter : kCaracteresReservados) {
        if (descripcion.contains(caracter))
            return Traducir(QStringLiteral("ERR_DESCRIPCION_CARACTER_RESERVADO"),
                            QStringLiteral("La descripcion no puede contener el caracter %1"))
                    .arg(caracter);
    }
    return {};
}

QString TTablasMaestras::MotivoBorradoImposible(int codTab, int codigo)
{
    // Loads and stock rows belong to patients, so the patients are the only users of a category.
    if (codTab == TDM::kListaCategorias && m_dm.CategoriaEnUso(codigo))
        return Traducir(QStringLiteral("ERR_CATEGORIA_UTILIZADA_EN_PACIENTE"),
                        QStringLiteral("LA CATEGORIA YA ESTA SIENDO UTILIZADO EN ALGUN PACIENTE"));
    return {};
}

void TTablasMaestras::ComprobarDescripcion(const QString &descripcion)
{
    if (const QString error = ErrorDescripcion(descripcion); !error.isEmpty())
        throw AppError(error);
}

int TTablasMaestras::Anadir(int codTab, const QString &descripcion)
{
    ComprobarDescripcion(descripcion);
    int codigo = 0;
    // The code is taken inside the transaction, so two workstations adding at once do not
    // collide on the code each of them saw before.
    m_dm.EnTransaccion([&] {
        codigo = m_dm.SiguienteCodigo(codTab);
        m_dm.Anadir(QStringLiteral("TabMaestras"),
                    {{QStringLiteral("CodTab"), codTab},
                     {QStringLiteral("Codigo"), codigo},
                     {QStringLiteral("Descripcion"), descripcion}});
    });
    return codigo;
}

void TTablasMaestras::Modificar(int codTab, int codigo, const QString &descripcion)
{
    ComprobarDescripcion(descripcion);
    m_dm.EnTransaccion([&] {
        const int cambiadas
                = m_dm.Ejecutar(QStringLiteral("UPDATE TabMaestras SET Descripcion = ? WHERE CodTab = ? "
                                               "AND Codigo = ?"),
                                {descripcion, codTab, codigo});
        if (cambiadas == 0)
            throw AppError(Traducir(QStringLiteral("ERR_TABMAESTRA_NO_EXISTE"),
                                    QStringLiteral("EL ELEMENTO YA NO EXISTE EN LA LISTA")));
    });
}

void TTablasMaestras::Borrar(int codTab, int codigo)
{
    m_dm.EnTransaccion([&] {
        if (const QString motivo = MotivoBorradoImposible(codTab, codigo); !motivo.isEmpty())
            throw AppError(motivo);
        const int borradas = m_dm.Ejecutar(
                QStringLiteral("DELETE FROM TabMaestras WHERE CodTab = ? AND Codigo = ?"), {codTab, codigo});
        if (borradas > 0)
            RecordarCodigoBorrado(codTab, codigo);
    });
    if (codTab == TDM::kListaCategorias && m_dm.Categoria && m_dm.Categoria->Codigo == codigo)
        m_dm.Categoria.reset(); // the main screen's choice named the category just deleted
}

void TTablasMaestras::RecordarCodigoBorrado(int codTab, int codigo)
{
    const int marca = TDM::ListaMarcaCodigos(codTab);
    const QVariant anterior
            = m_dm.Valor(QStringLiteral("SELECT MAX(Codigo) FROM TabMaestras WHERE CodTab = ?"), {marca});
    if (!anterior.isNull() && anterior.toInt() >= codigo)
        return;
    m_dm.Ejecutar(QStringLiteral("DELETE FROM TabMaestras WHERE CodTab = ?"), {marca});
    m_dm.Anadir(QStringLiteral("TabMaestras"),
                {{QStringLiteral("CodTab"), marca},
                 {QStringLiteral("Codigo"), codigo},
                 {QStringLiteral("Descripcion"), kDescripcionMarca}});
}
