#include "core/patients/InformeHojaAdministracion.h"

#include "core/dosing/UDispenserTypes.h"
#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "core/patients/ArchivosPaciente.h"
#include "core/settings/uPreferencias.h"
#include "core/stock/InformeStock.h"

#include <QFile>
#include <QLocale>

#include <algorithm>
#include <functional>

namespace {

// A4 landscape inside its margins.
constexpr double kAncho = 277.0;
constexpr double kAltoPagina = 190.0;
constexpr double kAltoCabeceraPagina = 18.0;
constexpr double kAltoPie = 18.0;
// What every patient page may hold below the page header and above the footer.
constexpr double kAltoCuerpo = kAltoPagina - kAltoCabeceraPagina - kAltoPie;
constexpr double kAltoPaciente = 26.0;
constexpr double kFila = 5.0;
constexpr double kEtiqueta = 24.0;
constexpr double kAnchoFoto = 22.0;

const ReportFont kNormal {kReportSansFamily, 8.0};
const ReportFont kNegrita {kReportSansFamily, 8.0, true};
const ReportFont kPequena {kReportSansFamily, 6.5};
const ReportFont kPequenaNegrita {kReportSansFamily, 6.5, true};
const ReportFont kCelda {kReportSansFamily, 6.0};

// The weekly layout: the medication block, the slot names, the time column, then 35 days.
constexpr double kAnchoBloque = 62.0;
constexpr double kAnchoFranja = 16.0;
constexpr double kAnchoHora = 10.0;
constexpr double kXDiasSemanal = kAnchoBloque + kAnchoFranja + kAnchoHora;
constexpr double kAltoFranja = 4.0;
constexpr double kAltoSemanas = 8.0;

// The slot layout: medication and dose, then 35 days.
constexpr double kAnchoMedicamento = 68.0;
constexpr double kAnchoDosis = 50.0;
constexpr double kXDiasFranjas = kAnchoMedicamento + kAnchoDosis;
constexpr double kAltoDias = 5.0;
constexpr double kAltoGrupoEmblistable = 6.0;
constexpr double kAltoGrupoFranja = 5.0;
constexpr double kAltoLineaFranja = 4.5;

// The day columns of a layout, from `x` to the right edge of the page.
struct TColumnasDias
{
    double x;
    double Ancho() const { return (kAncho - x) / kDiasHoja; }
    double X(int dia) const { return x + dia * Ancho(); }
};

QString Texto(const char *clave, const char *porDefecto)
{
    return Traducir(QString::fromLatin1(clave), QString::fromUtf8(porDefecto));
}

// "0" is nothing due: the box stays empty for the carer.
QString ValorImpreso(const QString &valor)
{
    return valor == QLatin1String("0") ? QString() : valor;
}

QString LetraDia(const QDate &fecha)
{
    switch (fecha.dayOfWeek()) {
    case Qt::Monday:
        return Texto("STR_MCLUN", "L");
    case Qt::Tuesday:
        return Texto("STR_MCMAR", "M");
    case Qt::Wednesday:
        return Texto("STR_MCMIE", "X");
    case Qt::Thursday:
        return Texto("STR_MCJUE", "J");
    case Qt::Friday:
        return Texto("STR_MCVIE", "V");
    case Qt::Saturday:
        return Texto("STR_MCSAB", "S");
    default:
        return Texto("STR_MCDOM", "D");
    }
}

QString NombreFranja(int franja)
{
    switch (franja) {
    case 1:
        return Texto("STR_CDESAYUNO", "DESAYUNO");
    case 2:
        return Texto("STR_CCOMIDA", "COMIDA");
    case 3:
        return Texto("STR_CMERIENDA", "CENA");
    case 4:
        return Texto("STR_CCENA", "NOCHE");
    default:
        return Texto("STR_CNO_ESPECI_NO_EMBLIS", "Sin Especificar");
    }
}

QString TituloHoja()
{
    return Texto("INF_MAR_TITULO", "LISTADO ADMINISTRACION MEDICAMENTOS");
}

void Cabecera(TReportDocument &informe, const TFarmaciaHoja &farmacia)
{
    informe.title = TituloHoja();
    informe.page = ReportPageSetup::a4(true);
    ReportBand &banda = informe.addBand(ReportBand::Kind::PageHeader, kAltoCabeceraPagina);
    banda.addText(QRectF(0, 0, 180, 7), TituloHoja(), ReportFont {kReportSansFamily, 12.0, true});
    banda.addText(QRectF(0, 8, 180, 9), farmacia.Texto, kNormal, Qt::AlignLeft | Qt::AlignTop);
    banda.addImage(QRectF(kAncho - 40, 0, 40, 16), farmacia.Logo);
    banda.addLine(QPointF(0, kAltoCabeceraPagina - 0.5), QPointF(kAncho, kAltoCabeceraPagina - 0.5));
}

// Signature boxes under the day columns, the legend of administration codes, the pages and the
// print date.
void Pie(TReportDocument &informe, const TColumnasDias &dias, const QDate &fechaImpresion)
{
    ReportBand &banda = informe.addBand(ReportBand::Kind::PageFooter, kAltoPie);
    banda.addText(QRectF(dias.x - kEtiqueta, 1, kEtiqueta - 1, 6), Texto("INF_MAR_FIRMA", "Firma :"),
                  kNegrita, Qt::AlignRight | Qt::AlignVCenter);
    for (int dia = 0; dia < kDiasHoja; ++dia)
        banda.addBox(QRectF(dias.X(dia), 1, dias.Ancho(), 6));
    banda.addText(
            QRectF(0, 8, kAncho, 4),
            Texto("INF_MAR_CLAVE",
                  "Clave :    R  rechazado    N   nauseas    H   hospitalizado    L   Salida    D   destruida"
                  "    D/C   discontinuo    S   Durmiendo    P   pulso    N/R   no necesario    O   otros"),
            kPequena);
    banda.addPageNumber(QRectF(0, 13, 80, 4),
                        Texto("INF_MAR_PAGINAS", "Páginas : ") + QStringLiteral("%1 / %2"), kPequena,
                        Qt::AlignLeft | Qt::AlignVCenter);
    banda.addText(QRectF(kAncho - 80, 13, 80, 4),
                  Texto("INF_MAR_IMPRESO", "Impreso : ") + TextoFecha(fechaImpresion), kPequena,
                  Qt::AlignRight | Qt::AlignVCenter);
}

void Campo(ReportBand &banda, double x, double y, double ancho, const QString &etiqueta, const QString &valor)
{
    banda.addText(QRectF(x, y, kEtiqueta, kFila), etiqueta, kNegrita);
    banda.addText(QRectF(x + kEtiqueta, y, ancho - kEtiqueta, kFila), valor, kNormal);
}

// The patient as every page of the patient shows it, with the photo at the right.
void DatosPaciente(ReportBand &banda, const TFilaHoja &paciente, const QByteArray &foto)
{
    const double ancho = kAncho - kAnchoFoto - 2;
    const double mitad = ancho / 2;
    Campo(banda, 0, 0, mitad + 40, Texto("INF_MAR_NOMBRE", "Nombre"), paciente.Nombre);
    banda.addText(QRectF(mitad + 40, 0, mitad - 40, kFila), paciente.RefPaciente, kNegrita);
    Campo(banda, 0, kFila, ancho, Texto("INF_MAR_DIRECCION", "Dirección"), paciente.Direccion);
    Campo(banda, 0, 2 * kFila, mitad, Texto("INF_MAR_FNACIMIENTO", "F. Nacimiento"),
          TextoFecha(paciente.FNacimiento));
    Campo(banda, mitad, 2 * kFila, mitad, Texto("INF_MAR_MEDICO", "Medico"), paciente.MedicoCab);
    Campo(banda, 0, 3 * kFila, mitad, Texto("INF_MAR_FECHA_INICIO", "Fecha Inicio"),
          TextoFecha(paciente.WD[0]));
    Campo(banda, 0, 4 * kFila, ancho, Texto("INF_MAR_ALERGIAS", "Alergias"), paciente.Alergias);
    banda.addImage(QRectF(kAncho - kAnchoFoto, 0, kAnchoFoto, kAltoPaciente - 1), foto);
}

// One patient's pages. Each page starts with the patient and the column headings, so that a page
// that comes loose still says whom and which days it is for; the bands are placed so that each
// page is filled here and never broken by the layout.
class TPaginasPaciente
{
public:
    using Encabezado = std::function<void(ReportBand &banda, double y)>;

    TPaginasPaciente(TReportDocument &informe, const TFilaHoja &paciente, QByteArray foto,
                     double altoEncabezado, Encabezado encabezado)
        : m_informe(informe)
        , m_paciente(paciente)
        , m_foto(std::move(foto))
        , m_altoEncabezado(altoEncabezado)
        , m_encabezado(std::move(encabezado))
    { }

    // Starts a new page unless `alto` fits on the current one; true when a page was started.
    bool Reservar(double alto)
    {
        constexpr double kTolerancia = 1e-6;
        if (m_empezada && alto <= m_libre + kTolerancia)
            return false;
        ReportBand &banda
                = m_informe.addBand(ReportBand::Kind::GroupHeader, kAltoPaciente + m_altoEncabezado);
        banda.newPageBefore = true;
        DatosPaciente(banda, m_paciente, m_foto);
        m_encabezado(banda, kAltoPaciente);
        m_libre = kAltoCuerpo - banda.height;
        m_empezada = true;
        return true;
    }

    ReportBand &Banda(ReportBand::Kind tipo, double alto)
    {
        m_libre -= alto;
        return m_informe.addBand(tipo, alto);
    }

private:
    TReportDocument &m_informe;
    const TFilaHoja &m_paciente;
    QByteArray m_foto;
    double m_altoEncabezado;
    Encabezado m_encabezado;
    double m_libre = 0;
    bool m_empezada = false;
};

// The day columns' rules of a line, a heavier one at each week's start.
void RejillaDias(ReportBand &banda, const TColumnasDias &dias, double y, double alto)
{
    for (int dia = 0; dia <= kDiasHoja; ++dia) {
        const double x = dias.X(dia);
        banda.addLine(QPointF(x, y), QPointF(x, y + alto), dia % 7 == 0 ? 0.4 : 0.1);
    }
}

void Valor(ReportBand &banda, const TColumnasDias &dias, int dia, double y, double alto, const QString &valor)
{
    const QString impreso = ValorImpreso(valor);
    if (!impreso.isEmpty())
        banda.addText(QRectF(dias.X(dia), y, dias.Ancho(), alto), impreso, kCelda, Qt::AlignCenter);
}

// Text keys are compared as the locale sorts them, so accented names fall in their place.
int Comparar(const QString &a, const QString &b)
{
    return QString::localeAwareCompare(a, b);
}

// Patients by name (and identifier, so two of one name stay apart), then blister medication
// first: negative, zero or positive as for a comparison.
int CompararPaciente(const TFilaHoja &a, const TFilaHoja &b)
{
    if (const int nombre = Comparar(a.Nombre, b.Nombre))
        return nombre;
    if (a.IDPaciente != b.IDPaciente)
        return a.IDPaciente < b.IDPaciente ? -1 : 1;
    return a.Emblistable - b.Emblistable;
}

// The rows of one patient after another, as [first, last) ranges of the sorted list.
template<typename Fila, typename DeHoja>
QList<std::pair<qsizetype, qsizetype>> PorPaciente(const QList<Fila> &filas, DeHoja hoja)
{
    QList<std::pair<qsizetype, qsizetype>> grupos;
    for (qsizetype i = 0; i < filas.size(); ++i) {
        if (grupos.isEmpty() || hoja(filas[i]).IDPaciente != hoja(filas[grupos.last().first]).IDPaciente)
            grupos.append({i, i});
        grupos.last().second = i + 1;
    }
    return grupos;
}

// ---- By week ----

const TColumnasDias kDiasSemanal {kXDiasSemanal};
constexpr double kAltoFilaSemanal = kTomasDia * kAltoFranja;

void EncabezadoSemanas(ReportBand &banda, double y, const TFilaHoja &paciente)
{
    const QLocale locale;
    const double anchoSemana = 7 * kDiasSemanal.Ancho();
    banda.addText(QRectF(kXDiasSemanal - kAnchoHora, y, kAnchoHora, kAltoSemanas),
                  Texto("INF_MAR_HORA", "HORA"), kPequenaNegrita, Qt::AlignCenter);
    for (int semana = 0; semana < kSemanasHoja; ++semana) {
        const QDate primerDia = paciente.WD[semana];
        banda.addText(QRectF(kDiasSemanal.X(7 * semana), y, anchoSemana, kAltoSemanas / 2),
                      Texto("STR_MCSEM", "S") + QStringLiteral(" : ")
                              + locale.toString(primerDia, QStringLiteral("d-MMM-yyyy")),
                      kPequenaNegrita, Qt::AlignCenter);
        for (int dia = 0; dia < 7; ++dia)
            banda.addText(QRectF(kDiasSemanal.X(7 * semana + dia), y + kAltoSemanas / 2, kDiasSemanal.Ancho(),
                                 kAltoSemanas / 2),
                          LetraDia(primerDia.addDays(dia)), kPequena, Qt::AlignCenter);
    }
    RejillaDias(banda, kDiasSemanal, y, kAltoSemanas);
}

// One medication: its block at the left, and a line per slot with the time column and the
// quantity due on each of the 35 days.
void FilaSemanal(ReportBand &banda, const TFilaHoja &fila)
{
    const QStringList bloque {QString::number(fila.IDmedicamento), fila.medicamento, fila.Dosis_text,
                              fila.Descripcion};
    for (int linea = 0; linea < bloque.size(); ++linea)
        banda.addText(QRectF(0.5, linea * kAltoFranja, kAnchoBloque - 1, kAltoFranja), bloque[linea],
                      linea == 1 ? kPequenaNegrita : kPequena);
    const QStringList franjas {Texto("INF_MAR_DESAYUNO", "Desayuno"), Texto("INF_MAR_COMIDA", "Comida"),
                               Texto("INF_MAR_CENA", "Cena"), Texto("INF_MAR_NOCHE", "Noche")};
    for (int franja = 0; franja < kTomasDia; ++franja) {
        const double y = franja * kAltoFranja;
        banda.addText(QRectF(kAnchoBloque + 0.5, y, kAnchoFranja - 1, kAltoFranja), franjas[franja],
                      kPequena);
        for (int semana = 0; semana < kSemanasHoja; ++semana) {
            for (int dia = 0; dia < 7; ++dia)
                Valor(banda, kDiasSemanal, 7 * semana + dia, y, kAltoFranja,
                      fila.DoW[semana].value(dia * kTomasDia + franja));
        }
        banda.addLine(QPointF(kAnchoBloque, y), QPointF(kAncho, y), 0.1);
    }
    banda.addLine(QPointF(0, 0), QPointF(kAncho, 0), 0.3);
    banda.addLine(QPointF(0, kAltoFilaSemanal), QPointF(kAncho, kAltoFilaSemanal), 0.3);
    for (const double x : {kAnchoBloque, kAnchoBloque + kAnchoFranja})
        banda.addLine(QPointF(x, 0), QPointF(x, kAltoFilaSemanal), 0.1);
    RejillaDias(banda, kDiasSemanal, 0, kAltoFilaSemanal);
}

// ---- By slot ----

const TColumnasDias kDiasFranjas {kXDiasFranjas};

void EncabezadoDias(ReportBand &banda, double y, const TFilaHoja &paciente)
{
    for (int dia = 0; dia < kDiasHoja; ++dia)
        banda.addText(QRectF(kDiasFranjas.X(dia), y, kDiasFranjas.Ancho(), kAltoDias),
                      paciente.WD[0].addDays(dia).toString(QStringLiteral("dd")), kPequenaNegrita,
                      Qt::AlignCenter);
    RejillaDias(banda, kDiasFranjas, y, kAltoDias);
}

QString NombreEmblistable(int emblistable)
{
    return emblistable == kHojaEnBlister ? Texto("STR_MED_EMBLISTADA", "MEDICACION EMBLISTADA")
                                         : Texto("STR_MED_NO_EMBLISTADA", "MEDICACION NO EMBLSTADA");
}

void GruposFranja(TPaginasPaciente &paginas, const TFilaFranja &fila, bool emblistable, bool franja)
{
    if (emblistable) {
        paginas.Banda(ReportBand::Kind::GroupHeader, kAltoGrupoEmblistable)
                .addText(QRectF(0, 1, kAncho, kAltoGrupoEmblistable - 1),
                         NombreEmblistable(fila.hoja.Emblistable), ReportFont {kReportSansFamily, 9.0, true});
    }
    if (franja) {
        paginas.Banda(ReportBand::Kind::GroupHeader, kAltoGrupoFranja)
                .addText(QRectF(2, 0, kAncho - 2, kAltoGrupoFranja), NombreFranja(fila.IDFranja), kNegrita);
    }
}

void LineaFranja(ReportBand &banda, const TFilaFranja &fila)
{
    banda.addText(QRectF(0.5, 0, kAnchoMedicamento - 1, kAltoLineaFranja), fila.hoja.medicamento,
                  kPequenaNegrita);
    banda.addText(QRectF(kAnchoMedicamento, 0, kAnchoDosis - 0.5, kAltoLineaFranja), fila.hoja.Dosis_text,
                  kPequena);
    for (int dia = 0; dia < fila.valores.size() && dia < kDiasHoja; ++dia)
        Valor(banda, kDiasFranjas, dia, 0, kAltoLineaFranja, fila.valores[dia]);
    banda.addLine(QPointF(0, kAltoLineaFranja), QPointF(kAncho, kAltoLineaFranja), 0.1);
    RejillaDias(banda, kDiasFranjas, 0, kAltoLineaFranja);
}

// One patient's slot rows; a page that starts inside a group repeats its headings.
void PacienteFranjas(TReportDocument &informe, const QList<TFilaFranja> &filas, qsizetype desde,
                     qsizetype hasta, QByteArray foto)
{
    const TFilaHoja &paciente = filas[desde].hoja;
    TPaginasPaciente paginas(informe, paciente, std::move(foto), kAltoDias,
                             [&](ReportBand &banda, double y) { EncabezadoDias(banda, y, paciente); });
    for (qsizetype i = desde; i < hasta; ++i) {
        const TFilaFranja &fila = filas[i];
        const bool nuevoEmblistable = i == desde || fila.hoja.Emblistable != filas[i - 1].hoja.Emblistable;
        const bool nuevaFranja = nuevoEmblistable || fila.IDFranja != filas[i - 1].IDFranja;
        const double alto = (nuevoEmblistable ? kAltoGrupoEmblistable : 0)
                + (nuevaFranja ? kAltoGrupoFranja : 0) + kAltoLineaFranja;
        const bool paginaNueva = paginas.Reservar(alto);
        GruposFranja(paginas, fila, nuevoEmblistable || paginaNueva, nuevaFranja || paginaNueva);
        LineaFranja(paginas.Banda(ReportBand::Kind::Detail, kAltoLineaFranja), fila);
    }
}

} // namespace

TReportDocument InformeHojaAdministracion(const QList<TFilaHoja> &filas, const TFarmaciaHoja &farmacia,
                                          const QHash<qint64, QByteArray> &fotos, const QDate &fechaImpresion)
{
    QList<TFilaHoja> ordenadas = filas;
    std::stable_sort(ordenadas.begin(), ordenadas.end(), [](const TFilaHoja &a, const TFilaHoja &b) {
        const int paciente = CompararPaciente(a, b);
        return paciente != 0 ? paciente < 0 : Comparar(a.medicamento, b.medicamento) < 0;
    });
    TReportDocument informe;
    Cabecera(informe, farmacia);
    for (const auto &[desde, hasta] :
         PorPaciente(ordenadas, [](const TFilaHoja &f) -> const TFilaHoja & { return f; })) {
        const TFilaHoja &paciente = ordenadas[desde];
        TPaginasPaciente paginas(informe, paciente, fotos.value(paciente.IDPaciente), kAltoSemanas,
                                 [&](ReportBand &banda, double y) { EncabezadoSemanas(banda, y, paciente); });
        for (qsizetype i = desde; i < hasta; ++i) {
            paginas.Reservar(kAltoFilaSemanal);
            FilaSemanal(paginas.Banda(ReportBand::Kind::Detail, kAltoFilaSemanal), ordenadas[i]);
        }
    }
    Pie(informe, kDiasSemanal, fechaImpresion);
    return informe;
}

TReportDocument InformeHojaFranjas(const QList<TFilaFranja> &filas, const TFarmaciaHoja &farmacia,
                                   const QHash<qint64, QByteArray> &fotos, const QDate &fechaImpresion)
{
    QList<TFilaFranja> ordenadas = filas;
    std::stable_sort(ordenadas.begin(), ordenadas.end(), [](const TFilaFranja &a, const TFilaFranja &b) {
        if (const int paciente = CompararPaciente(a.hoja, b.hoja))
            return paciente < 0;
        if (a.IDFranja != b.IDFranja)
            return a.IDFranja < b.IDFranja;
        return Comparar(a.hoja.medicamento, b.hoja.medicamento) < 0;
    });
    TReportDocument informe;
    Cabecera(informe, farmacia);
    for (const auto &[desde, hasta] :
         PorPaciente(ordenadas, [](const TFilaFranja &f) -> const TFilaHoja & { return f.hoja; }))
        PacienteFranjas(informe, ordenadas, desde, hasta, fotos.value(ordenadas[desde].hoja.IDPaciente));
    Pie(informe, kDiasFranjas, fechaImpresion);
    return informe;
}

QHash<qint64, QByteArray> FotosPacientes(const TDM &dm, const QList<qint64> &pacientes)
{
    QHash<qint64, QByteArray> fotos;
    for (const qint64 idPaciente : pacientes) {
        const QString ruta = ArchivosPaciente::RutaFoto(ArchivosPaciente::Carpeta(dm, idPaciente));
        QFile fichero(ruta);
        if (!ruta.isEmpty() && fichero.open(QIODevice::ReadOnly))
            fotos.insert(idPaciente, fichero.readAll());
    }
    return fotos;
}

TFarmaciaHoja FarmaciaHoja(const TPreferences &preferencias)
{
    const TMembreteFarmacia membrete = MembreteFarmacia(preferencias);
    return {membrete.Logo, preferencias.ofNombre.trimmed() + QLatin1Char('\n') + membrete.DireccionTelefono};
}
