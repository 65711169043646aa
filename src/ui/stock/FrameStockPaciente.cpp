#include "ui/stock/FrameStockPaciente.h"

#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "core/stock/AuditoriaStock.h"
#include "ui/i18n/Componente.h"
#include "ui/i18n/TKelvoForm.h"
#include "ui/stock/TAltaStock.h"
#include "ui/stock/TGridStock.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TFrameStockPaciente::TFrameStockPaciente(QWidget *parent)
    : QWidget(parent)
    , m_grdStock(new TGridStock(this))
    , m_btnCompleto(Componente<QPushButton>(this, "btnCompleto"))
{
    setObjectName(QStringLiteral("FrameStockPaciente"));
    auto *btnIntroducir
            = Componente<QPushButton>(this, "btnIntroducir", QStringLiteral("INTRODUCIR MEDICAMENTO"));
    auto *btnModificar = Componente<QPushButton>(this, "btnModificar", QStringLiteral("MODIFICAR"));
    auto *btnBorrar = Componente<QPushButton>(this, "btnBorrar", QStringLiteral("BORRAR"));
    m_btnCompleto->hide();
    TextosDeCodigo(*m_btnCompleto); // it names the view it switches to
    auto *botones = new QHBoxLayout;
    for (QPushButton *boton : {btnIntroducir, btnModificar, btnBorrar, m_btnCompleto})
        botones->addWidget(boton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grdStock);
    layout->addLayout(botones);

    connect(btnIntroducir, &QPushButton::clicked, this, &TFrameStockPaciente::btnIntroducirClick);
    connect(btnModificar, &QPushButton::clicked, this, &TFrameStockPaciente::btnModificarClick);
    connect(btnBorrar, &QPushButton::clicked, this, &TFrameStockPaciente::btnBorrarClick);
    connect(m_btnCompleto, &QPushButton::clicked, this, &TFrameStockPaciente::btnCompletoClick);
    connect(m_grdStock, &TGridStock::cellDoubleClicked, this, &TFrameStockPaciente::btnModificarClick);
    Refrescar();
}

void TFrameStockPaciente::EstablecerEditorLinea(std::function<bool(const TNuevaLineaTratamiento &)> editor)
{
    m_editorLinea = std::move(editor);
}

QString TFrameStockPaciente::Caption() const
{
    // The screen that hosts the panel, not the main window it is shown in.
    for (const QWidget *ventana = parentWidget(); ventana; ventana = ventana->parentWidget()) {
        if (qobject_cast<const TKelvoForm *>(ventana))
            return ventana->windowTitle();
    }
    return window()->windowTitle();
}

void TFrameStockPaciente::Refrescar()
{
    // Stock, lots and expiry dates are not kept in the United Kingdom.
    const bool conStock = Preferencias().NoReinoUnido;
    setHidden(!conStock);
    // The button names the view it switches to.
    m_btnCompleto->setText(m_soloLinea
                                   ? Traducir(QStringLiteral("CAPTION_COMPLETO"), QStringLiteral("COMPLETO"))
                                   : Traducir(QStringLiteral("CAPTION_ACTUAL"), QStringLiteral("ACTUAL")));
    if (conStock) {
        m_grdStock->Cargar(DM().idPacienteActivo,
                           m_soloLinea ? std::optional<qint64>(m_medicamentoLinea) : std::nullopt);
    }
}

void TFrameStockPaciente::SeleccionarLinea(qint64 idMedicamento)
{
    if (idMedicamento == m_medicamentoLinea)
        return;
    m_medicamentoLinea = idMedicamento;
    if (m_soloLinea)
        Refrescar();
}

void TFrameStockPaciente::btnCompletoClick()
{
    m_soloLinea = !m_soloLinea;
    Refrescar();
}

std::optional<qint64> TFrameStockPaciente::Introducir(qint64 esperado,
                                                      std::function<qint64(const TEntradaStock &)> guardar)
{
    if (!Preferencias().NoReinoUnido)
        return std::nullopt;
    TAltaStock alta(DM().idPacienteActivo, this);
    alta.CompletarAntes(m_editorLinea);
    if (guardar)
        alta.GuardarCon(std::move(guardar));
    const std::optional<TStockAnadido> anadido = alta.Ejecutar(esperado);
    if (!anadido)
        return std::nullopt;
    Refrescar();
    m_grdStock->Seleccionar(anadido->idInventario);
    return anadido->idMedicamento;
}

void TFrameStockPaciente::btnIntroducirClick()
{
    const std::optional<qint64> idMedicamento = Introducir(0);
    if (!idMedicamento)
        return;
    emit StockCambiado(*idMedicamento);
}

bool TFrameStockPaciente::Dispensar(qint64 idMedicamento,
                                    std::function<qint64(const TEntradaStock &)> guardar)
{
    const std::optional<qint64> introducido = Introducir(idMedicamento, std::move(guardar));
    if (!introducido)
        return false;
    AuditoriaStock::Dispensar(Caption());
    emit StockCambiado(*introducido);
    return true;
}

void TFrameStockPaciente::btnModificarClick()
{
    const std::optional<TFilaStockPaciente> fila = m_grdStock->FilaSeleccionada();
    if (!fila)
        return;
    const bool modificada = m_grdStock->ModificarSeleccionada();
    Refrescar();
    if (!modificada)
        return;
    AuditoriaStock::Modificacion(Caption());
    emit StockCambiado(fila->idMedicamento);
}

void TFrameStockPaciente::btnBorrarClick()
{
    const std::optional<TFilaStockPaciente> fila = m_grdStock->FilaSeleccionada();
    if (!fila || !m_grdStock->BorrarSeleccionada())
        return;
    AuditoriaStock::Baja(Caption());
    Refrescar();
    emit StockCambiado(fila->idMedicamento);
}
