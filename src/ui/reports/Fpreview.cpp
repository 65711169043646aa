#include "ui/reports/Fpreview.h"

#include "core/i18n/ULenguaje.h"
#include "core/reports/NombreArchivo.h"
#include "core/reports/ReportFile.h"
#include "core/shell/AppDirectory.h"
#include "core/shell/Version.h"
#include "render/PdfExport.h"
#include "render/ReportLayout.h"
#include "render/ReportPainter.h"
#include "ui/i18n/Componente.h"
#include "ui/reports/ReportPrinting.h"
#include "ui/shell/Mensajes.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>

namespace {

constexpr double kMmPerInch = 25.4;

QList<TFormPreview *> &previews()
{
    static QList<TFormPreview *> open;
    return open;
}

TFormPreview::ProveedorCabecera &proveedorCabecera()
{
    static TFormPreview::ProveedorCabecera proveedor;
    return proveedor;
}

CorreoInforme &correo()
{
    static CorreoInforme instance;
    return instance;
}

// The save dialog's filters, in the order of ReportFormat.
QStringList filtrosGuardar()
{
    return {QStringLiteral("Adobe PDF File (*.pdf)"), QStringLiteral("Excel File (*.xlsx)"),
            QStringLiteral("Word File (*.rtf)"), QStringLiteral("txt File (*.txt)"),
            QStringLiteral("QuickReport File (*.qrp)")};
}

QPushButton *boton(const QString &nombre, const QString &texto, QWidget *parent)
{
    auto *button = new QPushButton(texto, parent);
    button->setObjectName(nombre);
    button->setAutoDefault(false);
    return button;
}

// The preview's labels show the page, the zoom and the header's data, never a fixed text.
QLabel *etiqueta(const QString &nombre, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(nombre);
    TextosDeCodigo(*label);
    return label;
}

} // namespace

TFormPreview *TFormPreview::reemplazarAbiertos(const TReportDocument &informe)
{
    // Closing frees the window (it deletes itself on close) once control returns to the loop.
    const QList<TFormPreview *> open = previews();
    for (TFormPreview *previous : open)
        previous->close();
    return new TFormPreview(informe, VentanaPrincipal());
}

// The application's main window, when it is shown: a preview belongs to it, so it opens in front
// of the screen that asked for it and closes with the application.
QWidget *TFormPreview::VentanaPrincipal()
{
    for (QWidget *ventana : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow *>(ventana) && ventana->isVisible())
            return ventana;
    }
    return nullptr;
}

TFormPreview *TFormPreview::Mostrar(const TReportDocument &informe)
{
    TFormPreview *preview = reemplazarAbiertos(informe);
    preview->show();
    preview->raise();
    preview->activateWindow();
    return preview;
}

void TFormPreview::MostrarModal(const TReportDocument &informe)
{
    reemplazarAbiertos(informe)->exec();
}

QList<TFormPreview *> TFormPreview::abiertos()
{
    QList<TFormPreview *> open;
    for (TFormPreview *preview : previews()) {
        if (preview->isVisible())
            open.append(preview);
    }
    return open;
}

void TFormPreview::setProveedorCabecera(ProveedorCabecera proveedor)
{
    proveedorCabecera() = std::move(proveedor);
}

void TFormPreview::setCorreo(const CorreoInforme &nuevo)
{
    correo() = nuevo;
}

TFormPreview::TFormPreview(const TReportDocument &informe, QWidget *parent)
    : TKelvoDlgForm(parent)
{
    setObjectName(QStringLiteral("FormPreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    // The same caption as the main window.
    TextosDeCodigo(*this);
    setWindowTitle(QStringLiteral("Pastillero ") + VersionTexto());
    previews().append(this);
    construirPantalla();
    cargar(informe);
    resize(900, 700);
}

TFormPreview::~TFormPreview()
{
    previews().removeAll(this);
}

void TFormPreview::showEvent(QShowEvent *event)
{
    TKelvoDlgForm::showEvent(event);
    // The first time it is shown the whole page is fitted to the window.
    if (!m_ajustadaAlMostrar) {
        m_ajustadaAlMostrar = true;
        ajustarPagina();
    }
}

void TFormPreview::construirPantalla()
{
    auto *layout = new QVBoxLayout(this);

    const TTextosCabecera cabecera = proveedorCabecera() ? proveedorCabecera()() : TTextosCabecera {};
    auto *header = new QHBoxLayout;
    auto *izquierda = new QVBoxLayout;
    for (const auto &[nombre, texto] :
         {std::pair {"lblUsuario", cabecera.usuario}, std::pair {"lblTitular", cabecera.titular}}) {
        QLabel *linea = etiqueta(QString::fromLatin1(nombre), this);
        linea->setText(texto.toUpper());
        izquierda->addWidget(linea);
    }
    QLabel *farmacia = etiqueta(QStringLiteral("lblFarmacia"), this);
    farmacia->setText(cabecera.farmacia.toUpper());
    farmacia->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    header->addLayout(izquierda);
    header->addStretch();
    header->addWidget(farmacia);
    layout->addLayout(header);

    auto *tools = new QHBoxLayout;
    QPushButton *primera = boton(QStringLiteral("btnPrimera"), QStringLiteral("|<"), this);
    QPushButton *anterior = boton(QStringLiteral("btnAnterior"), QStringLiteral("<"), this);
    m_lblPagina = etiqueta(QStringLiteral("lblPagina"), this);
    QPushButton *siguiente = boton(QStringLiteral("btnSiguiente"), QStringLiteral(">"), this);
    QPushButton *ultima = boton(QStringLiteral("btnUltima"), QStringLiteral(">|"), this);
    auto *de = new QLabel(QStringLiteral("/"), this);
    m_lblPaginas = etiqueta(QStringLiteral("lblPaginas"), this);
    m_zoomSlider = new QSlider(Qt::Horizontal, this);
    m_zoomSlider->setObjectName(QStringLiteral("sliderZoom"));
    m_zoomSlider->setRange(kZoomMinimo, kZoomMaximo);
    m_zoomSlider->setMaximumWidth(200);
    m_lblZoom = etiqueta(QStringLiteral("lblZoom"), this);
    QPushButton *ajustar = boton(QStringLiteral("btnAjustar"), QStringLiteral("AJUSTAR"), this);
    QPushButton *imprimir = boton(QStringLiteral("btnImprimir"), QStringLiteral("IMPRIMIR"), this);
    QPushButton *guardar = boton(QStringLiteral("btnGuardar"), QStringLiteral("GUARDAR"), this);
    QPushButton *mail = boton(QStringLiteral("btnCorreo"), QStringLiteral("E-MAIL"), this);
    QPushButton *abrir = boton(QStringLiteral("btnAbrir"), QStringLiteral("ABRIR"), this);
    QPushButton *volver = boton(QStringLiteral("btnVolver"), QStringLiteral("VOLVER"), this);
    for (QWidget *widget :
         std::initializer_list<QWidget *> {primera, anterior, m_lblPagina, de, m_lblPaginas, siguiente,
                                           ultima, m_zoomSlider, m_lblZoom, ajustar})
        tools->addWidget(widget);
    tools->addStretch();
    for (QWidget *widget : std::initializer_list<QWidget *> {imprimir, guardar, mail, abrir, volver})
        tools->addWidget(widget);
    layout->addLayout(tools);

    m_imagen = etiqueta(QStringLiteral("imgPagina"), this);
    m_imagen->setAlignment(Qt::AlignCenter);
    m_vista = new QScrollArea(this);
    m_vista->setObjectName(QStringLiteral("vistaPagina"));
    m_vista->setAlignment(Qt::AlignCenter);
    m_vista->setBackgroundRole(QPalette::Dark);
    m_vista->setWidget(m_imagen);
    m_vista->setWidgetResizable(true);
    layout->addWidget(m_vista, 1);

    QLabel *version = etiqueta(QStringLiteral("lblVersion"), this);
    version->setText(VersionTexto());
    layout->addWidget(version);

    connect(primera, &QPushButton::clicked, this, [this] { irAPagina(1); });
    connect(anterior, &QPushButton::clicked, this, [this] { irAPagina(m_pagina - 1); });
    connect(siguiente, &QPushButton::clicked, this, [this] { irAPagina(m_pagina + 1); });
    connect(ultima, &QPushButton::clicked, this, [this] { irAPagina(numeroPaginas()); });
    connect(m_zoomSlider, &QSlider::valueChanged, this, &TFormPreview::setZoom);
    connect(ajustar, &QPushButton::clicked, this, &TFormPreview::ajustarPagina);
    connect(imprimir, &QPushButton::clicked, this, &TFormPreview::btnImprimirClick);
    connect(guardar, &QPushButton::clicked, this, &TFormPreview::btnGuardarClick);
    connect(mail, &QPushButton::clicked, this, &TFormPreview::enviarPorCorreo);
    connect(abrir, &QPushButton::clicked, this, &TFormPreview::btnAbrirClick);
    connect(volver, &QPushButton::clicked, this, &QDialog::close);
}

void TFormPreview::cargar(const TReportDocument &informe)
{
    m_informe = ReportLayout::layOut(informe);
    m_lblPaginas->setText(QString::number(numeroPaginas()));
    m_pagina = 1;
    mostrarPagina();
}

void TFormPreview::irAPagina(int pagina)
{
    m_pagina = qBound(1, pagina, numeroPaginas());
    mostrarPagina();
}

void TFormPreview::setZoom(int porcentaje)
{
    m_zoom = qBound(kZoomMinimo, porcentaje, kZoomMaximo);
    if (m_zoomSlider->value() != m_zoom) {
        const QSignalBlocker blocker(m_zoomSlider);
        m_zoomSlider->setValue(m_zoom);
    }
    m_lblZoom->setText(QStringLiteral("%1 %").arg(m_zoom));
    mostrarPagina();
}

void TFormPreview::ajustarPagina()
{
    const QSize area = m_vista->viewport()->size();
    const QSizeF page = m_informe.pageSize() / kMmPerInch * puntosPorPulgada(100);
    const double ratio = qMin(area.width() / page.width(), area.height() / page.height());
    setZoom(int(ratio * 100.0));
}

double TFormPreview::puntosPorPulgada(int porcentaje) const
{
    return logicalDpiX() * porcentaje / 100.0;
}

void TFormPreview::mostrarPagina()
{
    m_lblPagina->setText(QString::number(m_pagina));
    m_imagen->setPixmap(
            QPixmap::fromImage(ReportPainter::renderPage(m_informe, m_pagina - 1, puntosPorPulgada(m_zoom))));
}

void TFormPreview::btnImprimirClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_informe.title());
    printer.setPageOrientation(m_informe.document.page.landscape ? QPageLayout::Landscape
                                                                 : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, numeroPaginas());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ReportPrinting::Result result = ReportPrinting::printOn(m_informe, printer);
    if (result.outcome != ReportPrinting::Outcome::Printed)
        MostrarError(result.message);
}

void TFormPreview::btnGuardarClick()
{
    QFileDialog dialog(this,
                       Traducir(QStringLiteral("CAPTION_GUARDAR_INFORME"), QStringLiteral("Save report")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filtrosGuardar());
    dialog.setDefaultSuffix(ReportExport::extension(ReportFormat::Pdf));
    dialog.selectFile(NombreArchivoSeguro(m_informe.title()));
    // The chosen filter decides the format, and so the extension a bare name gets.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(ReportExport::extension(ReportFormat(filtrosGuardar().indexOf(filter))));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const auto formato = ReportFormat(qMax(0, filtrosGuardar().indexOf(dialog.selectedNameFilter())));
    guardarComo(dialog.selectedFiles().first(), formato);
}

bool TFormPreview::guardarComo(const QString &ruta, ReportFormat formato)
{
    const ReportIoResult result = ReportExport::write(m_informe, formato, ruta);
    if (!result.ok())
        MostrarError(result.error);
    return result.ok();
}

bool TFormPreview::enviarPorCorreo()
{
    // The PDF goes to the application's "temp" folder, named after the report; the process's
    // working directory is left alone.
    const AppDirectory &directory = AppDirectory::current();
    const QString folder
            = directory.isValid() ? directory.tempDir() : QDir::temp().filePath(QStringLiteral("pastillero"));
    if (!QDir().mkpath(folder)) {
        MostrarError(ReportIoResult::cannotWrite(folder, QString()).error);
        return false;
    }
    const QString path
            = QDir(folder).filePath(NombreArchivoSeguro(m_informe.title()) + QStringLiteral(".pdf"));
    ReportIoResult result = PdfExport::write(m_informe, path);
    if (result.ok())
        result = correo().enviar(path);
    if (!result.ok())
        MostrarError(result.error);
    return result.ok();
}

void TFormPreview::btnAbrirClick()
{
    const QString ruta = QFileDialog::getOpenFileName(
            this, Traducir(QStringLiteral("CAPTION_ABRIR_INFORME"), QStringLiteral("ABRIR INFORME")),
            QString(), QStringLiteral("QuickReport Files (*.QRP *.qrp)"));
    if (!ruta.isEmpty())
        abrirInforme(ruta);
}

bool TFormPreview::abrirInforme(const QString &ruta)
{
    const TReportFile::Opened opened = TReportFile::open(ruta);
    if (!opened.document) {
        MostrarError(opened.error);
        return false;
    }
    cargar(*opened.document);
    ajustarPagina();
    return true;
}
