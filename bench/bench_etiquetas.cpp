// Rendering the "Completo" label sheet of a load of 20 blister lines to a PDF: building the
// report from the load's lists, laying it out and writing the file.
#include "core/loading/EtiquetasCarga.h"
#include "render/PdfExport.h"
#include "render/ReportLayout.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QByteArray foto()
{
    QImage imagen(300, 400, QImage::Format_RGB32);
    imagen.fill(QColor(120, 160, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    imagen.save(&buffer, "JPG", 20);
    return bytes;
}

TEtiquetaCarga cargaDeVeinteLineas()
{
    TEtiquetaCarga etiqueta;
    etiqueta.datos.existe = true;
    etiqueta.datos.idPaciente = 12;
    for (int i = 0; i < 20; ++i) {
        TFilaEtiqueta fila;
        fila.SPD = QStringLiteral("SI");
        fila.idmedicamento = QString::number(6500001 + i);
        fila.medicamento = fila.idmedicamento + QStringLiteral(" MEDICAMENTO %1 10 MG").arg(i);
        fila.descripcion = QStringLiteral("COM REDONDO BLANCO");
        fila.posologia = QStringLiteral("1-0-0,5-0");
        fila.lote = QStringLiteral("L%1").arg(i);
        fila.caducidad = QStringLiteral("06/2026");
        fila.Cantidad = 10.5;
        etiqueta.datos.ListaBlister << fila;
        TFilaLeyenda leyenda;
        leyenda.IDmedicamento = fila.idmedicamento;
        leyenda.IDmedicamentoR = fila.idmedicamento;
        leyenda.medicamento = fila.medicamento;
        leyenda.lote = fila.lote;
        leyenda.caducidad = fila.caducidad;
        leyenda.Numref = i + 1;
        etiqueta.datos.Leyenda << leyenda;
        for (size_t celda = 0; celda < etiqueta.celdas.size(); celda += 2)
            etiqueta.celdas[celda] << TFilaCelda {6500001 + i, fila.medicamento, i + 1, 1.0,
                                                  fila.lote,   fila.caducidad,   1};
    }
    TCabeceraEtiqueta &c = etiqueta.cabecera;
    c.idPaciente = 12;
    c.Nombre = QStringLiteral("GARCIA LOPEZ, MARIA");
    c.refRecarga = 5;
    c.FechaRealizado = QDateTime(QDate(2024, 5, 5), QTime(18, 30));
    c.FechaInicio = QDate(2024, 5, 6);
    c.FechaFin = QDate(2024, 5, 12);
    c.farmacia = QStringLiteral("FARMACIA CENTRAL");
    c.medico = QStringLiteral("DRA. RUIZ");
    c.imagen = foto();
    c.esFoto = true;
    c.codigo = QStringLiteral("00120050");
    return etiqueta;
}

void completoAPdf(benchmark::State &state)
{
    const TEtiquetaCarga etiqueta = cargaDeVeinteLineas();
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("completo.pdf"));
    for (auto _ : state) {
        const TReportDocument informe = InformeEtiquetas(etiqueta, TFormatoEtiqueta::Completo, {});
        const TLaidOutReport laidOut = ReportLayout::layOut(informe);
        if (!PdfExport::write(laidOut, ruta).ok())
            state.SkipWithError("PDF not written");
    }
}
BENCHMARK(completoAPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
