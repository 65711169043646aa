#include "core/loading/QREtiquetasLBm1.h"

#include "core/i18n/ULenguaje.h"
#include "core/loading/QREtiquetasColumnas.h"
#include "core/loading/TextosEtiqueta.h"

#include <QLocale>

using namespace PiezasEtiqueta;
using namespace TextosEtiqueta;

namespace {

const ReportFont kRotulo {kReportSansFamily, 7.0, true};
const ReportFont kValor {kReportSansFamily, 8.0};
const ReportFont kCara {kReportSansFamily, 6.0, false, true};
// The widths of the list columns in characters: the name (cut there on this sheet), the
// appearance and the dose.
constexpr int kCaracteresNombre = 65;
constexpr int kCaracteresAspecto = 20;
constexpr int kCaracteresDosis = 30;

QString Rotulo(const char *componente, const QString &porDefecto)
{
    return TraducirInforme(QStringLiteral("QREtiquetasFormLBm1"), QLatin1String(componente), porDefecto);
}

class TDibujo
{
public:
    TDibujo(ReportBand &banda, double x, const TEtiquetaCarga &etiqueta, const TOpcionesEtiqueta &opciones)
        : m_banda(banda)
        , m_x(x)
        , m_etiqueta(etiqueta)
        , m_opciones(opciones)
    { }

    void delantera()
    {
        const TCabeceraEtiqueta &c = m_etiqueta.cabecera;
        TextoEtiqueta(m_banda, QRectF(m_x + 5, 2, 60, 4),
                      Rotulo("lblDelantera", QStringLiteral("ETIQUETA DELANTERA")), kCara);
        // The patient's name takes up to two lines.
        TextoEtiqueta(m_banda, QRectF(m_x + 5, 8, 28, 5), Rotulo("lblPaciente", QStringLiteral("PACIENTE :")),
                      kRotulo);
        TextoEtiqueta(m_banda, QRectF(m_x + 34, 8, 68, 8), c.Nombre, kValor).wordWrap = true;
        const QList<std::pair<QString, QString>> campos {
                {Rotulo("lblId", QStringLiteral("ID :")), c.refPaciente},
                {Rotulo("lblBlister", QStringLiteral("Nº BLISTER :")), QString::number(c.refRecarga)},
                {Rotulo("lblPreparado", QStringLiteral("PREPARADO :")),
                 c.FechaRealizado.toString(QLocale().dateTimeFormat(QLocale::ShortFormat))},
                {Rotulo("lblInicio", QStringLiteral("FECHA INICIO :")), Fecha(c.FechaInicio)},
                {Rotulo("lblFin", QStringLiteral("FECHA FIN :")), Fecha(c.FechaFin)},
                {Rotulo("lblFarmacia", QStringLiteral("FARMACIA :")), c.farmacia},
                {Rotulo("lblTelefono", QStringLiteral("TEL :")), c.telefonoFarmacia}};
        double y = 17;
        for (const auto &[rotulo, valor] : campos) {
            TextoEtiqueta(m_banda, QRectF(m_x + 5, y, 28, 5), rotulo, kRotulo);
            TextoEtiqueta(m_banda, QRectF(m_x + 34, y, 68, 5), valor, kValor);
            y += 6;
        }
        Imagen(m_banda, c, QRectF(m_x + 105, 8, 36, 44), QRectF(m_x + 5, 60, 136, 24));
        m_banda.addLine(QPointF(m_x + 3, 86), QPointF(m_x + kAnchoCara, 86));
    }

    void trasera(bool lotesNumerados)
    {
        const TCabeceraEtiqueta &c = m_etiqueta.cabecera;
        TextoEtiqueta(m_banda, QRectF(m_x + 5, 88, 60, 4),
                      Rotulo("lblTrasera", QStringLiteral("ETIQUETA TRASERA")), kCara);
        const bool conMedico = !c.medico.isEmpty();
        TextoEtiqueta(m_banda, QRectF(m_x + 5, 93, 22, 5),
                      conMedico ? Rotulo("lblMedico", QStringLiteral("MEDICO :")) : QString(), kRotulo);
        TextoEtiqueta(m_banda, QRectF(m_x + 28, 93, 62, 5), conMedico ? c.medico : c.farmacia, kValor);
        TextoEtiqueta(m_banda, QRectF(m_x + 91, 93, 23, 5),
                      Rotulo("lblTelMedico", QStringLiteral("TELEFONO :")), kRotulo);
        TextoEtiqueta(m_banda, QRectF(m_x + 115, 93, 28, 5),
                      conMedico ? c.telefonoMedico : c.telefonoFarmacia, kValor);

        double y = 100;
        y = lista(y, Rotulo("lblIncluida", QStringLiteral("MEDICACIÓN  INCLUIDA EN EL BLISTER")),
                  PrimeraPorMedicamento(m_etiqueta.datos.ListaBlister), true);
        y = lista(y + 2, Rotulo("lblNoIncluida", QStringLiteral("MEDICACIÓN NO INCLUIDA EN EL BLISTER")),
                  m_etiqueta.datos.ListaOtros, false);
        const QStringList lotes = LineasLotes(m_etiqueta, m_opciones, lotesNumerados);
        // The heading of an empty lot list is left blank.
        const bool hayLotes = !lotes.isEmpty();
        // The two headings stand over the lot and expiry of the monospaced lines below them.
        const ReportFont fuenteLotes {kReportMonoFamily, 4.5};
        const int numero = lotesNumerados ? 4 : 0; // "(n) " in front of each line
        const auto sobreColumna = [&](int caracteres) {
            return m_x + 5 + TColumnasEtiqueta::AnchoCaracteres(caracteres + numero, fuenteLotes);
        };
        TextoEtiqueta(m_banda, QRectF(m_x + 5, y + 2, sobreColumna(kInicioLoteLinea) - m_x - 6, 4),
                      hayLotes ? Rotulo("lblLotes", QStringLiteral("LOTE CADUCIDAD MEDICAMENTOS INCLUIDOS"))
                               : QString(),
                      kRotulo);
        TextoEtiqueta(m_banda, QRectF(sobreColumna(kInicioLoteLinea), y + 2, 20, 4),
                      hayLotes ? Rotulo("lblLote", QStringLiteral("LOTE")) : QString(), kRotulo);
        TextoEtiqueta(m_banda, QRectF(sobreColumna(kInicioCaducidadLinea), y + 2, 25, 4),
                      hayLotes ? Rotulo("lblCaducidad", QStringLiteral("CADUCIDAD")) : QString(), kRotulo);
        Lineas(m_banda, QPointF(m_x + 5, y + 7), kAnchoCara, lotes, fuenteLotes);
        CodigoBarras(m_banda, QRectF(m_x + 95, 188, 45, 16), c.codigo);
    }

private:
    static constexpr double kAnchoCara = 141.0;

    double lista(double y, const QString &titulo, const QList<TFilaEtiqueta> &filas, bool enBlister)
    {
        // Both lists share the columns, headings over them.
        const TColumnasEtiqueta columnas(m_x + 5, kFuenteLista,
                                         {{kCaracteresNombre}, {kCaracteresAspecto}, {kCaracteresDosis}});
        TextoEtiqueta(m_banda, QRectF(m_x + 5, y, 120, 4), titulo, kRotulo);
        y += 4.5;
        const QStringList cabeceras {Rotulo("lblMedicamento", QStringLiteral("MEDICAMENTO")),
                                     Rotulo("lblDescripcion", QStringLiteral("DESCRIPCIÓN")),
                                     Rotulo("lblPosologia", QStringLiteral("POSOLOGÍA"))};
        for (int i = 0; i < cabeceras.size(); ++i)
            TextoEtiqueta(m_banda, QRectF(columnas.Izquierda(i), y, columnas.Ancho(i), 4), cabeceras.at(i),
                          kCara);
        y += 4;
        for (const TFilaEtiqueta &fila : filas) {
            const QString dosis = enBlister ? SignosFraccion(fila.posologia) : fila.posologia;
            columnas.Fila(m_banda, y,
                          {fila.medicamento.left(kCaracteresNombre),
                           fila.descripcion.left(kCaracteresAspecto), dosis.left(kCaracteresDosis)});
            y += kAltoLinea;
        }
        return y;
    }

    ReportBand &m_banda;
    double m_x;
    const TEtiquetaCarga &m_etiqueta;
    const TOpcionesEtiqueta &m_opciones;
};

} // namespace

TReportDocument TQREtiquetasFormLBm1::Construir(const TEtiquetaCarga &etiqueta,
                                                const TOpcionesEtiqueta &opciones)
{
    TReportDocument informe;
    ReportBand &banda = Hoja(informe, ReportPageSetup::a5(false), etiqueta, opciones);
    Dibujar(banda, 0.0, etiqueta, opciones, false);
    return informe;
}

void TQREtiquetasFormLBm1::Dibujar(ReportBand &banda, double x, const TEtiquetaCarga &etiqueta,
                                   const TOpcionesEtiqueta &opciones, bool lotesNumerados)
{
    TDibujo dibujo(banda, x, etiqueta, opciones);
    dibujo.delantera();
    dibujo.trasera(lotesNumerados);
}
