#pragma once

#include "core/reports/CorreoInforme.h"
#include "core/shell/TextosCabecera.h"
#include "render/LaidOutReport.h"
#include "render/ReportExport.h"
#include "ui/i18n/TKelvoDlgForm.h"

#include <functional>

class QLabel;
class QScrollArea;
class QSlider;

// The one preview window of every report: pages through it, zooms, prints, saves it in five
// formats, mails it as a PDF and opens a report saved earlier. At most one is open: showing a
// report closes the preview before it. The window frees itself when closed.
class TFormPreview : public TKelvoDlgForm
{
    Q_OBJECT

public:
    // The header every screen shows (user and profile, the pharmacy's owner and name), read
    // when a preview is built; only the header's texts are shown, the preview has its own footer.
    using ProveedorCabecera = std::function<TTextosCabecera()>;

    // Lays the report out and shows it in a new preview, modeless or modal.
    static TFormPreview *Mostrar(const TReportDocument &informe);
    static void MostrarModal(const TReportDocument &informe);
    // The previews still open (at most one once Mostrar has run).
    static QList<TFormPreview *> abiertos();

    // Set once by the start-up sequence: where the header texts come from and how a file reaches
    // the mail program. Failures are shown with the standard error message.
    static void setProveedorCabecera(ProveedorCabecera proveedor);
    static void setCorreo(const CorreoInforme &correo);

    explicit TFormPreview(const TReportDocument &informe, QWidget *parent = nullptr);
    ~TFormPreview() override;

    const TLaidOutReport &informe() const { return m_informe; }
    int paginaActual() const { return m_pagina; }
    int numeroPaginas() const { return m_informe.pageCount(); }
    int zoom() const { return m_zoom; }

    void irAPagina(int pagina);
    void setZoom(int porcentaje);
    void ajustarPagina();

    // The operations behind the buttons, once the user has chosen the file (tests call them).
    bool guardarComo(const QString &ruta, ReportFormat formato);
    bool enviarPorCorreo();
    bool abrirInforme(const QString &ruta);

    static constexpr int kZoomMinimo = 10;
    static constexpr int kZoomMaximo = 130;

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void btnImprimirClick();
    void btnGuardarClick();
    void btnAbrirClick();

private:
    static TFormPreview *reemplazarAbiertos(const TReportDocument &informe);
    static QWidget *VentanaPrincipal();
    void construirPantalla();
    void cargar(const TReportDocument &informe);
    void mostrarPagina();
    double puntosPorPulgada(int porcentaje) const;

    TLaidOutReport m_informe;
    int m_pagina = 1;
    int m_zoom = 100;
    bool m_ajustadaAlMostrar = false;
    QScrollArea *m_vista = nullptr;
    QLabel *m_imagen = nullptr;
    QLabel *m_lblPagina = nullptr;
    QLabel *m_lblPaginas = nullptr;
    QLabel *m_lblZoom = nullptr;
    QSlider *m_zoomSlider = nullptr;
};
