#include "core/patients/InformeTratamiento.h"

#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace {

constexpr double kAncho = 190.0; // the A4 page inside its margins
constexpr double kFila = 5.0;
constexpr double kEtiqueta = 42.0; // the width of a caption before its value

const ReportFont kNormal {kReportSansFamily, 8.0};
const ReportFont kNegrita {kReportSansFamily, 8.0, true};
const ReportFont kPosologia {kReportMonoFamily, 7.0};

QString Texto(const char *clave, const char *porDefecto)
{
    return Traducir(QString::fromLatin1(clave), QString::fromUtf8(porDefecto));
}

// A caption in bold and its value beside it, on one row of a band.
void Campo(ReportBand &banda, double x, double y, double ancho, const QString &etiqueta, const QString &valor)
{
    banda.addText(QRectF(x, y, kEtiqueta, kFila), etiqueta, kNegrita);
    banda.addText(QRectF(x + kEtiqueta, y, ancho - kEtiqueta, kFila), valor, kNormal);
}

void Cabecera(TReportDocument &informe, const QString &titulo, const TMembreteFarmacia &membrete)
{
    ReportBand &banda = informe.addBand(ReportBand::Kind::PageHeader, 24.0);
    banda.addText(QRectF(0, 0, 140, 8), titulo, ReportFont {kReportSansFamily, 12.0, true});
    banda.addImage(QRectF(kAncho - 40, 0, 40, 16), membrete.Logo);
    banda.addText(QRectF(0, 9, 140, kFila), membrete.DireccionTelefono, kNormal);
    banda.addPageNumber(QRectF(kAncho - 40, 18, 40, kFila), QStringLiteral("%1  / %2"), kNormal);
    banda.addLine(QPointF(0, 23.5), QPointF(kAncho, 23.5));
}

void Paciente(TReportDocument &informe, const TPacienteInforme &paciente,
              const std::optional<TVersionInforme> &version, bool paginaNueva)
{
    ReportBand &banda = informe.addBand(ReportBand::Kind::GroupHeader, 4 * kFila + 3);
    banda.newPageBefore = paginaNueva;
    const double mitad = kAncho / 2;
    Campo(banda, 0, 0, mitad, Texto("INF_TRAT_PACIENTE", "PACIENTE"),
          paciente.RefPaciente + QStringLiteral("  ") + paciente.Nombre);
    Campo(banda, 0, kFila, mitad, Texto("INF_TRAT_FECHA_ALTA", "FECHA ALTA:"),
          TextoFecha(paciente.FechaAlta));
    Campo(banda, 0, 2 * kFila, mitad, Texto("INF_TRAT_FECHA_BAJA", "FECHA BAJA:"),
          TextoFecha(paciente.FechaBaja));
    banda.addText(QRectF(0, 3 * kFila, mitad, kFila), paciente.Categoria, kNegrita);
    // Without a version the block's captions are blanked too.
    const TVersionInforme datos = version.value_or(TVersionInforme {});
    const auto rotulo
            = [&](const char *clave, const char *texto) { return version ? Texto(clave, texto) : QString(); };
    Campo(banda, mitad, 0, mitad, rotulo("INF_TRAT_VERSION", "VERSION :"), datos.Version);
    Campo(banda, mitad, kFila, mitad, rotulo("INF_TRAT_FECHA", "FECHA :"), datos.Fecha);
    Campo(banda, mitad, 2 * kFila, mitad, rotulo("INF_TRAT_RESPONSABLE", "RESPONSABLE :"), datos.Responsable);
    Campo(banda, mitad, 3 * kFila, mitad, rotulo("INF_TRAT_UTILIZADO", "UTILIZADO EN CARGAS:"),
          datos.UtilizadoEnCargas);
}

// The dose as the sheet prints it: in words for a blister line, in a fixed-pitch font that keeps
// its columns; as stored for any other line, and for a blister rule that has no words (weekly and
// positional monthly rules), so that no line is printed without its dose.
std::pair<QString, ReportFont> Pauta(const TFilaTratamiento &linea)
{
    QString palabras = linea.Kelvo ? TextoPosologia(linea.Dosis) : QString();
    palabras.remove(QLatin1Char('\r')); // its lines end with LF CR
    if (palabras.trimmed().isEmpty())
        return {linea.Dosis, kNormal};
    return {palabras.trimmed(), kPosologia};
}

void Linea(TReportDocument &informe, const TFilaTratamiento &linea)
{
    const double mitad = kAncho / 2;
    const double tercio = kAncho / 3;
    ReportBand &cabecera = informe.addBand(ReportBand::Kind::Detail, 5 * kFila + 2);
    cabecera.keepWithNext = true;
    cabecera.addLine(QPointF(0, 0.5), QPointF(kAncho, 0.5), 0.1);
    Campo(cabecera, 0, 1, kAncho, Texto("INF_TRAT_MEDICAMENTO", "MEDICAMENTO"), linea.Medicamento);
    Campo(cabecera, 0, 1 + kFila, mitad, Texto("INF_TRAT_CODIGO", "CODIGO MEDICAMENTO:"),
          QString::number(linea.IdMedicamento));
    Campo(cabecera, mitad, 1 + kFila, mitad, Texto("INF_TRAT_MEDICO", "MEDICO:"), linea.Medico);
    Campo(cabecera, 0, 1 + 2 * kFila, kAncho, Texto("INF_TRAT_NOMBRE", "NOMBRE:"), linea.Medicamento);
    Campo(cabecera, 0, 1 + 3 * kFila, tercio, Texto("INF_TRAT_EMBLISTABLE", "EMBLISTABLE:"),
          linea.Kelvo ? Traducir(QStringLiteral("STR_SI"), QStringLiteral("SI"))
                      : Traducir(QStringLiteral("STR_NO"), QStringLiteral("NO")));
    Campo(cabecera, tercio, 1 + 3 * kFila, tercio, Texto("INF_TRAT_FECHA_INICIO", "FECHA INICIO:"),
          TextoFecha(linea.Inicio));
    Campo(cabecera, 2 * tercio, 1 + 3 * kFila, tercio, Texto("INF_TRAT_FECHA_FIN", "FECHA FIN:"),
          TextoFecha(linea.Fin));

    ReportBand &pauta = informe.addBand(ReportBand::Kind::Detail, kFila);
    pauta.addText(QRectF(0, 0, kEtiqueta, kFila), Texto("INF_TRAT_PAUTA", "PAUTA POSOLOGICA:"), kNegrita);
    const auto [dosis, letra] = Pauta(linea);
    pauta.addText(QRectF(kEtiqueta, 0, kAncho - kEtiqueta, kFila), dosis, letra, Qt::AlignLeft | Qt::AlignTop)
            .wordWrap
            = true;
    if (!linea.Notas.trimmed().isEmpty()) {
        ReportBand &notas = informe.addBand(ReportBand::Kind::Detail, kFila);
        notas.addText(QRectF(0, 0, kAncho, kFila), linea.Notas.trimmed(), kNormal,
                      Qt::AlignLeft | Qt::AlignTop)
                .wordWrap
                = true;
    }
}

void VerificacionMedico(TReportDocument &informe)
{
    ReportBand &banda = informe.addBand(ReportBand::Kind::GroupFooter, 30.0);
    banda.addText(QRectF(0, 3, kAncho, kFila), Texto("INF_TRAT_VERIFICACION", "VERIFICACION DEL MEDICO"),
                  kNegrita);
    banda.addBox(QRectF(0, 9, kAncho, 20));
}

// One patient's block: the patient, the lines sorted by patient and medication, the doctor's check.
void Tratamiento(TReportDocument &informe, const TPacienteInforme &paciente, QList<TFilaTratamiento> lineas,
                 const std::optional<TVersionInforme> &version, bool paginaNueva)
{
    std::stable_sort(lineas.begin(), lineas.end(), [](const TFilaTratamiento &a, const TFilaTratamiento &b) {
        return std::tie(a.Idpaciente, a.IdMedicamento) < std::tie(b.Idpaciente, b.IdMedicamento);
    });
    Paciente(informe, paciente, version, paginaNueva);
    for (const TFilaTratamiento &linea : lineas)
        Linea(informe, linea);
    VerificacionMedico(informe);
}

TReportDocument Documento(const QString &titulo, const TMembreteFarmacia &membrete)
{
    TReportDocument informe;
    informe.title = titulo;
    informe.page = ReportPageSetup::a4();
    Cabecera(informe, titulo, membrete);
    return informe;
}

} // namespace

TReportDocument InformeTratamiento(const QString &titulo, const TPacienteInforme &paciente,
                                   QList<TFilaTratamiento> lineas,
                                   const std::optional<TVersionInforme> &version,
                                   const TMembreteFarmacia &membrete)
{
    TReportDocument informe = Documento(titulo, membrete);
    Tratamiento(informe, paciente, std::move(lineas), version, false);
    return informe;
}

TReportDocument InformeTratamientos(const QString &titulo, const QList<TTratamientoInforme> &tratamientos,
                                    const TMembreteFarmacia &membrete)
{
    TReportDocument informe = Documento(titulo, membrete);
    for (qsizetype i = 0; i < tratamientos.size(); ++i)
        Tratamiento(informe, tratamientos[i].paciente, tratamientos[i].lineas, std::nullopt, i > 0);
    return informe;
}
