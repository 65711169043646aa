#include "core/patients/TarjetasPaciente.h"

#include "core/i18n/ULenguaje.h"
#include "core/medication/uEAN.h"
#include "core/patients/BusquedaPaciente.h"
#include "core/patients/TextoBusqueda.h"

namespace {

constexpr qint64 kMayorIdEnEAN8 = 9999;
// Longer references would make bars too thin to scan across a card.
constexpr qsizetype kMaximoCaracteresCode128 = 20;

// A card the size of a credit card, two across an A4 page.
constexpr double kAnchoTarjeta = 85.6;
constexpr double kAltoTarjeta = 54.0;
constexpr double kSeparacion = 6.0;
constexpr double kMargenTarjeta = 5.0;
constexpr double kAnchoModulo = 0.4; // millimetres per bar module
constexpr double kAltoCodigo = 24.0;

bool ImprimibleASCII(const QString &texto)
{
    for (const QChar c : texto) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

// Modules of the symbol with its quiet zones: EAN-8 has 67 and 7 on each side; Code 128 at most
// 11 per character (start and check character included), 13 for the stop and 10 on each side.
double Modulos(const TCodigoTarjeta &codigo)
{
    if (codigo.tipo == BarcodeType::Ean8)
        return 81;
    return 11.0 * double(codigo.datos.size() + 2) + 13 + 20;
}

void AnadirTarjeta(ReportBand &banda, double x, const TDatosTarjeta &paciente, const QString &pais)
{
    banda.addBox(QRectF(x, 0, kAnchoTarjeta, kAltoTarjeta));
    const double ancho = kAnchoTarjeta - 2 * kMargenTarjeta;
    ReportFont referencia;
    referencia.pointSize = 22;
    referencia.bold = true;
    banda.addText(QRectF(x + kMargenTarjeta, 4, ancho, 12), ReferenciaTarjeta(paciente.refPaciente),
                  referencia, Qt::AlignCenter);
    if (pais == QLatin1String("2")) {
        ReportFont nombre;
        nombre.pointSize = 11;
        banda.addText(QRectF(x + kMargenTarjeta, 17, ancho, 7), paciente.Nombre, nombre, Qt::AlignCenter);
    }
    const std::optional<TCodigoTarjeta> codigo = CodigoTarjetaPaciente(paciente, pais);
    if (!codigo)
        return;
    const double anchoCodigo = qMin(ancho, Modulos(*codigo) * kAnchoModulo);
    banda.addBarcode(QRectF(x + (kAnchoTarjeta - anchoCodigo) / 2, 26, anchoCodigo, kAltoCodigo),
                     codigo->tipo, codigo->datos);
}

} // namespace

std::optional<TCodigoTarjeta> CodigoTarjetaPaciente(const TDatosTarjeta &paciente, const QString &pais)
{
    if (paciente.idPaciente < 1)
        return std::nullopt;
    if (paciente.idPaciente <= kMayorIdEnEAN8) {
        QString datos = QString::asprintf("%.4d%.3d0", int(paciente.idPaciente), 0);
        DigitoControlEAN(datos);
        return TCodigoTarjeta {BarcodeType::Ean8, datos};
    }
    const QString &referencia = paciente.refPaciente;
    if (referencia.isEmpty() || referencia.size() > kMaximoCaracteresCode128 || !ImprimibleASCII(referencia)
        || LimpiarTextoBusqueda(referencia) != referencia)
        return std::nullopt;
    // The search must try the reference, whole, before anything else.
    const QList<TIntentoBusqueda> intentos
            = IntentosBusqueda(referencia, TipoTextoBusqueda(referencia, pais));
    const TIntentoBusqueda porReferencia {TIntentoBusqueda::TColumna::Referencia, referencia};
    if (intentos.isEmpty() || intentos.first() != porReferencia)
        return std::nullopt;
    return TCodigoTarjeta {BarcodeType::Code128, referencia};
}

QString ReferenciaTarjeta(const QString &refPaciente)
{
    return refPaciente.rightJustified(4, QLatin1Char('0'));
}

TReportDocument InformeTarjetasPacientes(const QList<TDatosTarjeta> &pacientes, const QString &pais)
{
    TReportDocument informe;
    informe.title = Traducir(QStringLiteral("CAPTION_LIS_LISTADO_DE_PACIENTES"),
                             QStringLiteral("LISTADO DE PACIENTES"));
    informe.page = ReportPageSetup::a4();
    for (qsizetype i = 0; i < pacientes.size(); i += 2) {
        ReportBand &banda = informe.addBand(ReportBand::Kind::Detail, kAltoTarjeta + kSeparacion);
        AnadirTarjeta(banda, 0, pacientes.at(i), pais);
        if (i + 1 < pacientes.size())
            AnadirTarjeta(banda, kAnchoTarjeta + kSeparacion, pacientes.at(i + 1), pais);
    }
    return informe;
}
