#include "core/patients/EditorTratamiento.h"

#include "core/common/Clock.h"
#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/VentanaCarga.h"

namespace {

QString TextoFechaOpcional(const QDate &fecha)
{
    return fecha.isValid() ? TextoFecha(fecha) : QString();
}

QDate FechaOpcional(const QString &texto)
{
    return texto.trimmed().isEmpty() ? QDate() : LeerFechaCampo(texto);
}

TErrorEditor ErrorFormatoFecha(TCampoEditor campo)
{
    return {Traducir(QStringLiteral("ERR_FECHA_FORMATO"), QStringLiteral("EL FORMATO ES INCORRECTO")), campo};
}

} // namespace

TEditorTratamiento::TEditorTratamiento(TEntradaEditorTratamiento entrada)
    : Medico(entrada.Medico)
    , Inicio(TextoFecha(entrada.Inicio.isValid() ? entrada.Inicio : Clock::today()))
    , Fin(TextoFechaOpcional(entrada.Fin))
    , Notas(entrada.Notas)
    , m_entrada(std::move(entrada))
{
    RellenarDosis(m_entrada.Dosis, m_entrada.DosisEtiqueta);
}

QString TEditorTratamiento::Caption() const
{
    return SPD() ? Traducir(QStringLiteral("CAPTION_TRATAMIENTO_EDITAR_EMPLISTADO"),
                            QStringLiteral("DEFINIR TRATAMIENTO EMBLISTADO Kelvo"))
                 : Traducir(QStringLiteral("CAPTION_TRATAMIENTO_EDITAR_NO_EMPLISTADO"),
                            QStringLiteral("DEFINIR TRATAMIENTO NO EMBLISTADO"));
}

void TEditorTratamiento::RellenarDosis(const QString &dosis, const QString &etiqueta)
{
    if (!SPD()) {
        Dosis = TEstadoDosis();
        DosisLibre = dosis;
        DosisEtiqueta = etiqueta;
        return;
    }
    // A line stored as not going into the blister has no blister dose to show, nor a label dose.
    Dosis = TEstadoDosis::Abrir(dosis, m_entrada.DosisS1);
    DosisEtiqueta = TEstadoDosis::GuardadaSinBlister(dosis, m_entrada.DosisS1) ? QString() : etiqueta;
    DosisLibre.clear();
}

void TEditorTratamiento::CambiarSPD(bool si)
{
    if (si == SPD() || SoloLectura())
        return;
    m_entrada.SPD = si;
    RellenarDosis(QString(), si ? QString() : DosisEtiqueta);
}

std::optional<TErrorEditor> TEditorTratamiento::Validar() const
{
    const QDate inicio = LeerFechaCampo(Inicio);
    if (!inicio.isValid())
        return ErrorFormatoFecha(TCampoEditor::Inicio);
    if (!Fin.trimmed().isEmpty()) {
        const QDate fin = LeerFechaCampo(Fin);
        if (!fin.isValid())
            return ErrorFormatoFecha(TCampoEditor::Fin);
        if (fin < inicio)
            return TErrorEditor {
                    Traducir(QStringLiteral("ERR_FECHA_INFERIOR"),
                             QStringLiteral("LA FECHA FINAL NO PUEDE SER INFERIOR A LA FECHA INICIAL")),
                    TCampoEditor::Fin};
    }
    if (!SPD())
        return std::nullopt;
    return Dosis.Validar(inicio, FechaOpcional(Fin));
}

TLineaEditada TEditorTratamiento::Linea() const
{
    TLineaEditada linea;
    linea.idMedicamento = m_entrada.idMedicamento;
    linea.SPD = SPD();
    linea.SPDInicial = m_entrada.SPDInicial;
    linea.Inicio = LeerFechaCampo(Inicio);
    linea.Fin = FechaOpcional(Fin);
    linea.Dosis = SPD() ? Dosis.Texto() : DosisLibre;
    linea.DosisAlAbrir = SPD() ? Dosis.AlAbrir() : QString();
    linea.DosisEtiqueta = DosisEtiqueta;
    linea.Medico = Medico.trimmed();
    linea.Notas = Notas;
    linea.Cantidad = m_entrada.Cantidad;
    return linea;
}

void TEditorTratamiento::Guardada(const TLineaEditada &linea, const TLineaGuardada &guardada)
{
    m_entrada.Medico = linea.Medico;
    m_entrada.Inicio = linea.Inicio;
    m_entrada.Fin = linea.Fin;
    m_entrada.Notas = linea.Notas;
    m_entrada.Dosis = guardada.Dosis;
    m_entrada.DosisEtiqueta = guardada.DosisEtiqueta;
    m_entrada.DosisS1 = linea.SPD ? guardada.Dosis : TEstadoDosis::kDosisSinBlister;
}
