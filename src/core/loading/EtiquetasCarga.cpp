#include "core/loading/EtiquetasCarga.h"

#include "core/loading/QREtiquetas.h"
#include "core/loading/QREtiquetasCompleto.h"
#include "core/loading/QREtiquetasLBm1.h"
#include "core/loading/TextosEtiqueta.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/uLog.h"

#include <QLocale>

using namespace TextosEtiqueta;

TFormatoEtiqueta FormatoEtiqueta(const QString &pEtiquetas, int tipoCarga)
{
    const QString valor = pEtiquetas.trimmed();
    if (valor.isEmpty() || valor == QLatin1String("0") || valor == QLatin1String("LB-m.000"))
        return TFormatoEtiqueta::Base;
    if (valor == QLatin1String("LB-m.001"))
        return TFormatoEtiqueta::BaseCantidades;
    if (tipoCarga == 0)
        return TFormatoEtiqueta::Ninguno;
    if (valor == QLatin1String("LB-e.000"))
        return TFormatoEtiqueta::Rotulada;
    if (valor == QLatin1String("Completo"))
        return TFormatoEtiqueta::Completo;
    return TFormatoEtiqueta::Ninguno;
}

TEtiquetaCarga LeerEtiquetaCarga(qint64 idRecarga)
{
    TEtiquetaCarga etiqueta;
    etiqueta.datos = DatosEtiquetas(idRecarga);
    if (!etiqueta.existe())
        return etiqueta;
    etiqueta.celdas = RepartoCeldas(idRecarga, etiqueta.datos);
    etiqueta.cabecera = CabeceraEtiqueta(idRecarga);
    return etiqueta;
}

TOpcionesEtiqueta OpcionesEtiqueta(const TEtiquetaCarga &etiqueta)
{
    const TPreferences &preferencias = Preferencias();
    TOpcionesEtiqueta opciones;
    opciones.dx = preferencias.EtiquetasDX;
    opciones.dy = preferencias.EtiquetasDY;
    opciones.listaLotes = preferencias.IdatMedOB == 1 && etiqueta.cabecera.conInventario;
    opciones.reinoUnido = preferencias.Pais == QLatin1String("3");
    return opciones;
}

TReportDocument InformeEtiquetas(const TEtiquetaCarga &etiqueta, TFormatoEtiqueta formato,
                                 const TOpcionesEtiqueta &opciones)
{
    switch (formato) {
    case TFormatoEtiqueta::Base:
        return TQREtiquetasForm::Construir(etiqueta, opciones);
    case TFormatoEtiqueta::BaseCantidades:
        return TQREtiquetasForm_002::Construir(etiqueta, opciones);
    case TFormatoEtiqueta::Rotulada:
        return TQREtiquetasFormLBm1::Construir(etiqueta, opciones);
    case TFormatoEtiqueta::Completo:
        return TQREtiquetasFormCompleto::Construir(etiqueta, opciones);
    case TFormatoEtiqueta::Ninguno:
        break;
    }
    return {};
}

namespace PiezasEtiqueta {

ReportBand &Hoja(TReportDocument &informe, const ReportPageSetup &pagina, const TEtiquetaCarga &etiqueta,
                 const TOpcionesEtiqueta &opciones)
{
    informe.title = QStringLiteral("Etiquetas ") + etiqueta.cabecera.Nombre;
    informe.page = pagina;
    informe.page.margins = QMarginsF(opciones.dx, opciones.dy, 0.0, 0.0);
    return informe.addBand(ReportBand::Kind::Title, informe.page.contentRect().height());
}

QStringList LineasLotes(const TEtiquetaCarga &etiqueta, const TOpcionesEtiqueta &opciones, bool numeradas)
{
    QStringList lineas;
    if (!opciones.listaLotes)
        return lineas;
    for (const TFilaLeyenda &fila : etiqueta.datos.Leyenda) {
        QString lote = fila.lote;
        QString caducidad = fila.caducidad;
        lote.replace(QLatin1Char('@'), QLatin1Char('-'));
        caducidad.replace(QLatin1Char('@'), QLatin1Char('-'));
        QString linea = Columna(SinPrefijoFraccion(fila.medicamento), 50, 50) + QString(10, QLatin1Char(' '))
                + Columna(lote, 30, 30) + QString(6, QLatin1Char(' ')) + caducidad.left(15);
        static_assert(kInicioLoteLinea == 50 + 10 && kInicioCaducidadLinea == kInicioLoteLinea + 30 + 6);
        if (numeradas)
            linea.prepend(QStringLiteral("(%1) ").arg(fila.Numref));
        lineas << linea;
    }
    return lineas;
}

double Lineas(ReportBand &banda, const QPointF &origen, double ancho, const QStringList &lineas,
              const ReportFont &fuente)
{
    double y = origen.y();
    for (const QString &linea : lineas) {
        banda.addText(QRectF(origen.x(), y, ancho, kAltoLinea), linea, fuente);
        y += kAltoLinea;
    }
    return y - origen.y();
}

void CodigoBarras(ReportBand &banda, const QRectF &rect, const QString &codigo)
{
    if (CabeEnEan8(codigo)) {
        // The seven digits of the code; the bar code's own check digit takes the eighth place.
        banda.addBarcode(rect, BarcodeType::Ean8, codigo.left(7));
        return;
    }
    Log(QStringLiteral(": F_ERROR: Codigo de carga demasiado largo para EAN-8: ") + codigo);
    banda.addText(rect, codigo, ReportFont {kReportSansFamily, 10.0, true}, Qt::AlignCenter);
}

void Imagen(ReportBand &banda, const TCabeceraEtiqueta &cabecera, const QRectF &rectFoto,
            const QRectF &rectLogo)
{
    if (!cabecera.imagen.isEmpty())
        banda.addImage(cabecera.esFoto ? rectFoto : rectLogo, cabecera.imagen);
}

QList<TFilaEtiqueta> PrimeraPorMedicamento(const QList<TFilaEtiqueta> &lista)
{
    QList<TFilaEtiqueta> primeras;
    QStringList vistos;
    for (const TFilaEtiqueta &fila : lista) {
        if (vistos.contains(fila.idmedicamento))
            continue;
        vistos << fila.idmedicamento;
        primeras << fila;
    }
    return primeras;
}

QString Fecha(const QDate &fecha)
{
    return QLocale().toString(fecha, QLocale::ShortFormat);
}

} // namespace PiezasEtiqueta
