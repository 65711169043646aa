#include "ui/stock/PanelReparto.h"

#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/VentanaCarga.h"
#include "core/medication/uEAN.h"
#include "core/settings/uPreferencias.h"
#include "core/stock/InformesNecesidades.h"
#include "ui/i18n/Componente.h"
#include "ui/reports/Fpreview.h"
#include "ui/shell/CampoFecha.h"
#include "ui/shell/FDlgSelectFecha.h"
#include "ui/shell/Mensajes.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>

TPanelReparto::TPanelReparto(QWidget *parent)
    : QWidget(parent)
    , m_edtCN(Componente<QLineEdit>(this, "edtCN"))
    , m_lblMedicamento(Componente<QLabel>(this, "lblNombreMedicamento"))
    , m_edtProducto(Componente<QLineEdit>(this, "edtProducto"))
    , m_cmbProducto(Componente<QComboBox>(this, "cmbProducto"))
    , m_edtLote(Componente<QLineEdit>(this, "edtLote"))
    , m_fecCaducidad(new TCampoFecha(QStringLiteral("edtCaducidad"), this))
    , m_edtCajas(Componente<QLineEdit>(this, "edtCajas"))
{
    setObjectName(QStringLiteral("pnlReparto"));
    TextosDeCodigo(*m_cmbProducto); // the products of the medication
    m_edtCN->setReadOnly(true);
    m_fecCaducidad->setTexto(QString());
    auto *btnRepartir = Componente<QPushButton>(this, "btnRepartir", QStringLiteral("REPARTIR"));
    auto *btnImprimir = Componente<QPushButton>(this, "btnImprimirAsignacion", QStringLiteral("IMPRIMIR"));

    const auto titulo = [this](const char *nombre, const char *texto) {
        return Componente<QLabel>(this, nombre, QString::fromUtf8(texto));
    };
    auto *rejilla = new QGridLayout(this);
    rejilla->addWidget(titulo("lblCN", "CN"), 0, 0);
    rejilla->addWidget(m_edtCN, 0, 1);
    rejilla->addWidget(titulo("lblMedicamento", "MEDICAMENTO"), 1, 0);
    rejilla->addWidget(m_lblMedicamento, 1, 1, 1, 2);
    rejilla->addWidget(titulo("lblProducto", "CÓDIGO MEDICAMENTO"), 2, 0);
    rejilla->addWidget(m_edtProducto, 2, 1);
    rejilla->addWidget(m_cmbProducto, 2, 2);
    rejilla->addWidget(titulo("lblLote", "LOTE"), 3, 0);
    rejilla->addWidget(m_edtLote, 3, 1);
    rejilla->addWidget(titulo("lblCaducidad", "CADUCIDAD"), 4, 0);
    rejilla->addWidget(m_fecCaducidad, 4, 1);
    rejilla->addWidget(titulo("lblCajas", "CAJAS DISPONIBLES"), 5, 0);
    rejilla->addWidget(m_edtCajas, 5, 1);
    auto *botones = new QHBoxLayout;
    botones->addWidget(btnRepartir);
    botones->addWidget(btnImprimir);
    rejilla->addLayout(botones, 6, 0, 1, 3);
    rejilla->setColumnStretch(2, 1);

    connect(btnRepartir, &QPushButton::clicked, this, &TPanelReparto::btnRepartirClick);
    connect(btnImprimir, &QPushButton::clicked, this, &TPanelReparto::btnImprimirClick);
    connect(m_edtProducto, &QLineEdit::editingFinished, this, &TPanelReparto::edtProductoExit);
    connect(m_cmbProducto, &QComboBox::activated, this, &TPanelReparto::cmbProductoChange);
}

void TPanelReparto::MostrarMedicamento(qint64 idMedicamento, const QString &nombre)
{
    LlenarProductos();
    m_edtCN->setText(QString::number(idMedicamento));
    m_lblMedicamento->setText(nombre);
}

void TPanelReparto::Limpiar()
{
    for (QLineEdit *campo : {m_edtCN, m_edtProducto, m_edtLote, m_edtCajas})
        campo->clear();
    m_fecCaducidad->setTexto(QString());
    m_lblMedicamento->clear();
    m_cmbProducto->setCurrentIndex(-1);
}

// The catalogue's products (no active-ingredient entries), read once when first needed.
void TPanelReparto::LlenarProductos()
{
    if (m_cmbProducto->count() > 0)
        return;
    m_cmbProducto->addItem(QString(), 0);
    ManejadorErrores::Proteger([this] {
        TConsulta query = DM().Consulta(TDM::ListaMedicamentosSql(false));
        const int completo = query.record().indexOf(QStringLiteral("Completo"));
        const int id = query.record().indexOf(QStringLiteral("idMedicamento"));
        while (query.next())
            m_cmbProducto->addItem(query.value(completo).toString(), query.value(id).toLongLong());
    });
}

void TPanelReparto::edtProductoExit()
{
    m_edtProducto->setText(CortarCodigoEscaneado(m_edtProducto->text(), Preferencias().Pais));
}

void TPanelReparto::cmbProductoChange(int indice)
{
    const qint64 codigo = m_cmbProducto->itemData(indice).toLongLong();
    m_edtProducto->setText(codigo != 0 ? QString::number(codigo) : QString());
}

void TPanelReparto::Enfocar(TCampoReparto campo)
{
    switch (campo) {
    case TCampoReparto::Producto:
        m_edtProducto->setFocus();
        break;
    case TCampoReparto::CN:
        m_edtCN->setFocus();
        break;
    case TCampoReparto::Lote:
        m_edtLote->setFocus();
        break;
    case TCampoReparto::Caducidad:
        m_fecCaducidad->Campo()->setFocus();
        break;
    case TCampoReparto::Cajas:
        m_edtCajas->setFocus();
        break;
    case TCampoReparto::Ninguno:
        break;
    }
}

void TPanelReparto::btnRepartirClick()
{
    const TCamposReparto campos {m_edtProducto->text(), m_edtCN->text(), m_edtLote->text(),
                                 m_fecCaducidad->Texto(), m_edtCajas->text()};
    ManejadorErrores::Proteger([&] {
        const TRepartoLeido reparto = LeerReparto(DM(), Preferencias(), campos, Clock::today());
        if (!reparto.valido()) {
            MostrarError(reparto.error);
            Enfocar(reparto.campo);
            return;
        }
        const QList<TFilaNecesidad> cargas
                = CargasPlanificadas ? CargasPlanificadas() : QList<TFilaNecesidad>();
        if (const std::optional<QDate> finSemana
            = CaducanAntesDeLaCarga(reparto.Caducidad, cargas, reparto.idMedicamento)) {
            const QString pregunta
                    = Traducir(QStringLiteral("QST_CAJAS_CADUCAN_ANTES_CARGA"),
                               QStringLiteral("LAS CAJAS CADUCAN ANTES DEL %1, FIN DE LA PRIMERA "
                                              "SEMANA PLANIFICADA: LA CARGA NO LAS ACEPTARA. "
                                              "¿REPARTIRLAS DE TODOS MODOS?"))
                              .arg(TextoFechaCampo(*finSemana));
            if (Confirmar(pregunta) != 1) {
                m_fecCaducidad->Campo()->setFocus();
                return;
            }
        }
        try {
            QList<TAsignacion> asignadas;
            RepartirCajas(DM(), PacientesAServir ? PacientesAServir() : QList<TPacienteMedicamento>(),
                          reparto, Clock::now(), asignadas);
        } catch (const AppError &error) {
            MostrarError(error.message());
            return;
        }
        Limpiar();
        emit repartido();
    });
}

void TPanelReparto::btnImprimirClick()
{
    const std::optional<QDate> desde = TDlgSelectFecha::Pedir(
            Traducir(QStringLiteral("QST_SELECCIONAR_FECHA"), QStringLiteral("SELECCIONAR FECHA")),
            Traducir(QStringLiteral("QST_ASIGNACIONES_DESDE"),
                     QStringLiteral("ASIGNACIONES DESDE LA FECHA :")),
            false, this);
    if (!desde)
        return;
    ManejadorErrores::Proteger([&] {
        const QList<TAsignacion> asignaciones = AsignacionesDesde(DM(), *desde);
        if (!asignaciones.isEmpty())
            TFormPreview::Mostrar(
                    InformeAsignaciones(asignaciones, MembreteFarmacia(Preferencias()), Clock::today()));
    });
}
