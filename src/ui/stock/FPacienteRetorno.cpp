#include "ui/stock/FPacienteRetorno.h"

#include "core/audit/uLOPD.h"
#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "core/patients/EsFecha.h"
#include "core/reports/InformeTomasRetornadas.h"
#include "core/settings/uPreferencias.h"
#include "core/stock/FechaRetorno.h"
#include "core/stock/GuardarRetorno.h"
#include "ui/i18n/Componente.h"
#include "ui/reports/Fpreview.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TMarcoPantalla.h"
#include "ui/stock/FDlgIntroducirToma.h"
#include "ui/stock/TBlisterRetorno.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString AvisoNoEncontrada()
{
    return Traducir(QStringLiteral("WRN_RECARGA_NO_ENCONTRADA"),
                    QStringLiteral("NO SE HA ENCONTRADO LA ROSSETA SOLICITADA"));
}

} // namespace

TFormPacienteRetorno::TFormPacienteRetorno(QWidget *parent)
    : TPantalla(parent)
    , m_lblReferencia(Componente<QLabel>(this, "lblReferencia"))
    , m_lblNombre(Componente<QLabel>(this, "lblNombre"))
    , m_lblFechaAlta(Componente<QLabel>(this, "lblFechaAlta"))
    , m_lblPreparador(Componente<QLabel>(this, "lblValorPreparador"))
    , m_lblRealizado(Componente<QLabel>(this, "lblValorRealizado"))
    , m_lblInicio(Componente<QLabel>(this, "lblValorInicio"))
    , m_lblFin(Componente<QLabel>(this, "lblValorFin"))
    , m_lblHumedad(Componente<QLabel>(this, "lblValorHumedad"))
    , m_lblTemperatura(Componente<QLabel>(this, "lblValorTemperatura"))
    , m_edtFechaRetorno(Componente<QLineEdit>(this, "edtFechaRetorno"))
    , m_btnCalendario(Componente<QPushButton>(this, "btnCalendario", QStringLiteral("...")))
    , m_calendario(new QCalendarWidget(this))
    , m_edtCodigo(Componente<QLineEdit>(this, "edtCodigo"))
    , m_blister(new TBlisterRetorno(this))
    , m_grdTomas(Componente<QTableWidget>(this, "grdTomas"))
    , m_btnImprimir(Componente<QPushButton>(this, "btnImprimir", QStringLiteral("IMPRIMIR")))
{
    setObjectName(QStringLiteral("FormPacienteRetorno"));
    m_calendario->setObjectName(QStringLiteral("calFechaRetorno"));
    m_calendario->setWindowFlags(Qt::Popup);
    m_grdTomas->setColumnCount(kColumnas);
    m_grdTomas->setHorizontalHeaderLabels(
            {QStringLiteral("TOMA"), QStringLiteral("DIA"), QStringLiteral("MOTIVO")});
    m_grdTomas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdTomas->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdTomas->verticalHeader()->hide();
    m_grdTomas->horizontalHeader()->setStretchLastSection(true);

    auto *paciente = new QHBoxLayout;
    paciente->addWidget(Componente<QLabel>(this, "lblPaciente", QStringLiteral("PACIENTE")));
    paciente->addWidget(m_lblReferencia);
    paciente->addWidget(m_lblNombre);
    paciente->addSpacing(16);
    paciente->addWidget(Componente<QLabel>(this, "lblAlta", QStringLiteral("FECHA ALTA")));
    paciente->addWidget(m_lblFechaAlta);
    paciente->addStretch();
    paciente->addWidget(Componente<QLabel>(this, "lblCodigo", QStringLiteral("REF. BLISTER Kelvo")));
    paciente->addWidget(m_edtCodigo);
    auto *btnBuscar = Componente<QPushButton>(this, "btnBuscar", QStringLiteral("BUSCAR"));
    paciente->addWidget(btnBuscar);

    auto *carga = new QGridLayout;
    const auto campo = [&](int fila, int columna, const char *nombre, const char *texto, QWidget *valor) {
        carga->addWidget(Componente<QLabel>(this, nombre, QString::fromUtf8(texto)), fila, columna);
        carga->addWidget(valor, fila, columna + 1);
    };
    campo(0, 0, "lblPreparador", "PREPARADOR", m_lblPreparador);
    campo(0, 2, "lblRealizado", "REALIZADO", m_lblRealizado);
    campo(0, 4, "lblInicio", "INICIO", m_lblInicio);
    campo(0, 6, "lblFin", "FIN", m_lblFin);
    campo(1, 0, "lblHumedad", "HUMEDAD", m_lblHumedad);
    campo(1, 2, "lblTemperatura", "TEMPERATURA", m_lblTemperatura);
    auto *retornado = new QHBoxLayout;
    retornado->addWidget(m_edtFechaRetorno);
    retornado->addWidget(m_btnCalendario);
    carga->addWidget(Componente<QLabel>(this, "lblRetornado", QStringLiteral("RETORNADO")), 1, 4);
    carga->addLayout(retornado, 1, 5, 1, 3);

    auto *grpBlister = Componente<QGroupBox>(this, "grpBlister");
    grpBlister->setTitle(QStringLiteral("RETORNO BLISTER"));
    (new QVBoxLayout(grpBlister))->addWidget(m_blister);
    auto *grpTomas = Componente<QGroupBox>(this, "grpTomas");
    grpTomas->setTitle(QStringLiteral("TOMAS RETORNADAS"));
    (new QVBoxLayout(grpTomas))->addWidget(m_grdTomas);
    auto *secciones = new QHBoxLayout;
    secciones->addWidget(grpBlister, 3);
    secciones->addWidget(grpTomas, 2);

    auto *btnVolver = Componente<QPushButton>(this, "btnVolver", QStringLiteral("VOLVER"));
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(m_btnImprimir);
    botones->addWidget(btnVolver);

    auto *marco = new TMarcoPantalla(this);
    auto *pantalla = new QVBoxLayout(this);
    pantalla->setContentsMargins(0, 0, 0, 0);
    pantalla->addWidget(marco);
    auto *contenido = new QVBoxLayout(marco->Contenido());
    contenido->addLayout(paciente);
    contenido->addLayout(carga);
    contenido->addLayout(secciones, 1);
    contenido->addLayout(botones);

    connect(m_blister, &TBlisterRetorno::tomaPulsada, this, &TFormPacienteRetorno::CeldaClick);
    connect(btnBuscar, &QPushButton::clicked, this, &TFormPacienteRetorno::btnBuscarClick);
    connect(m_edtCodigo, &QLineEdit::returnPressed, this, &TFormPacienteRetorno::btnBuscarClick);
    connect(m_btnImprimir, &QPushButton::clicked, this, &TFormPacienteRetorno::btnImprimirClick);
    connect(btnVolver, &QPushButton::clicked, this, &TFormPacienteRetorno::btnVolverClick);
    connect(m_btnCalendario, &QPushButton::clicked, this, &TFormPacienteRetorno::btnCalendarioClick);
    connect(m_calendario, &QCalendarWidget::activated, this, [this](const QDate &dia) {
        m_edtFechaRetorno->setText(TextoFecha(dia));
        m_calendario->hide();
    });
}

void TFormPacienteRetorno::AlMostrar()
{
    setWindowTitle(
            Traducir(QStringLiteral("CAPTION_RETORNO_PACIENTE"), QStringLiteral("RETORNOS PACIENTES")));
    MostrarPaciente();
    std::optional<qint64> ultima;
    ManejadorErrores::Proteger([&] { ultima = UltimaCargaPaciente(DM(), DM().idPacienteActivo); });
    MostrarCarga(ultima);
    Auditar(windowTitle(), LOPD::kModificacion, LOPD::kAceptado);
}

void TFormPacienteRetorno::MostrarPaciente()
{
    m_refPaciente.clear();
    m_lblNombre->clear();
    m_lblFechaAlta->clear();
    ManejadorErrores::Proteger([&] {
        TConsulta paciente = DM().Consulta(
                QStringLiteral("SELECT refPaciente, Nombre, FechaAlta FROM Paciente WHERE idPaciente = ?"),
                {DM().idPacienteActivo});
        if (!paciente.next())
            return;
        m_refPaciente = paciente.value(0).toString();
        m_lblNombre->setText(paciente.value(1).toString());
        m_lblFechaAlta->setText(TextoFecha(SqlFecha::leerDia(paciente.value(2))));
    });
    m_lblReferencia->setText(m_refPaciente);
}

void TFormPacienteRetorno::MostrarCarga(const std::optional<qint64> &idRecarga)
{
    m_carga.reset();
    if (idRecarga)
        ManejadorErrores::Proteger([&] { m_carga = LeerCargaRetorno(DM(), *idRecarga); });
    m_lblPreparador->setText(m_carga ? m_carga->Preparador : QString());
    m_lblRealizado->setText(m_carga ? TextoFecha(m_carga->FechaRealizado.date()) + QLatin1Char(' ')
                                            + m_carga->FechaRealizado.time().toString(QStringLiteral("HH:mm"))
                                    : QString());
    m_lblInicio->setText(m_carga ? TextoFecha(m_carga->FechaInicio) : QString());
    m_lblFin->setText(m_carga ? TextoFecha(m_carga->FechaFin) : QString());
    m_lblHumedad->setText(m_carga ? m_carga->TextoHumedad() : QString());
    m_lblTemperatura->setText(m_carga ? m_carga->TextoTemperatura() : QString());
    m_edtCodigo->setText(m_carga ? QString::number(m_carga->refRecarga) : QString());
    m_edtFechaRetorno->setText(m_carga ? TextoFecha(m_carga->FechaRetornado) : QString());
    m_blister->setEnabled(m_carga.has_value());
    m_btnImprimir->setEnabled(m_carga.has_value());
    MostrarTomas();
}

void TFormPacienteRetorno::MostrarTomas()
{
    const TTomasRetornadas tomas = m_carga ? m_carga->Tomas : TTomasRetornadas {};
    m_blister->Mostrar(tomas);
    const QList<int> marcadas = tomas.Marcadas();
    m_grdTomas->setRowCount(int(marcadas.size()));
    for (int fila = 0; fila < marcadas.size(); ++fila) {
        const int toma = marcadas.at(fila);
        const QStringList textos {TextoToma(toma), TextoDiaToma(toma),
                                  tomas.Toma(toma).Comentario.simplified()};
        for (int columna = 0; columna < kColumnas; ++columna)
            m_grdTomas->setItem(fila, columna, new QTableWidgetItem(textos.at(columna)));
    }
}

void TFormPacienteRetorno::CeldaClick(int toma)
{
    if (!m_carga)
        return;
    if (m_carga->Tomas.Toma(toma).Marcada) {
        if (Confirmar(Traducir(QStringLiteral("QST_ELIMINAR_TOMA"),
                               QStringLiteral("¿ESTA SEGURO QUE QUIERE ELIMINAR INFORMACION DE TOMA?")))
            != 1)
            return;
        m_carga->Tomas.Desmarcar(toma);
        AuditarToma(toma, LOPD::kBaja);
    } else {
        const std::optional<TTomaRetornada> introducida = TDlgIntroducirToma::Pedir(this);
        if (!introducida)
            return;
        m_carga->Tomas.Marcar(toma, introducida->Comprimidos, introducida->Comentario);
        AuditarToma(toma, LOPD::kAlta);
    }
    MostrarTomas();
}

void TFormPacienteRetorno::AuditarToma(int toma, int operacion)
{
    // The load is named by the number of the load shown, whatever the code field holds meanwhile.
    Auditar(windowTitle() + Traducir(QStringLiteral("CAPTION_LOPD_RETORNO"), QStringLiteral(" RETORNO "))
                    + QString::number(m_carga->refRecarga) + QLatin1Char(' ') + QString::number(toma),
            operacion, LOPD::kAceptado);
}

bool TFormPacienteRetorno::ValidarFechaRetorno()
{
    const TValidacionFechaRetorno validacion = ::ValidarFechaRetorno(m_edtFechaRetorno->text());
    switch (validacion.Resultado) {
    case TFechaRetorno::FormatoIncorrecto:
    case TFechaRetorno::PosteriorAHoy:
        MostrarError(validacion.Mensaje());
        m_edtFechaRetorno->setFocus();
        return false;
    case TFechaRetorno::Vacia:
        if (Confirmar(validacion.Mensaje()) != 1)
            return false;
        break;
    case TFechaRetorno::Valida:
        m_edtFechaRetorno->setText(TextoFecha(validacion.Fecha));
        break;
    }
    m_carga->FechaRetornado = validacion.Fecha;
    return true;
}

bool TFormPacienteRetorno::Guardar()
{
    switch (GuardarRetorno(DM(), m_carga->idRecarga, m_carga->Tomas, m_carga->FechaRetornado)) {
    case TResultadoRetorno::Guardado:
        return true;
    case TResultadoRetorno::CargaInexistente:
        MostrarAviso(AvisoNoEncontrada());
        return false;
    case TResultadoRetorno::Fallo:
        break; // the error handler has shown why
    }
    return false;
}

bool TFormPacienteRetorno::ValidarYGuardar()
{
    return !m_carga || (ValidarFechaRetorno() && Guardar());
}

void TFormPacienteRetorno::btnBuscarClick()
{
    if (!ValidarYGuardar())
        return;
    std::optional<qint64> encontrada;
    ManejadorErrores::Proteger(
            [&] { encontrada = CargaPacientePorCodigo(DM(), DM().idPacienteActivo, m_edtCodigo->text()); });
    if (!encontrada) {
        MostrarAviso(AvisoNoEncontrada());
        m_edtCodigo->setText(m_carga ? QString::number(m_carga->refRecarga) : QString());
        m_edtCodigo->setFocus();
        return;
    }
    MostrarCarga(encontrada);
}

void TFormPacienteRetorno::btnImprimirClick()
{
    if (!m_carga || !ValidarYGuardar())
        return;
    TReportDocument informe;
    if (!ManejadorErrores::Proteger([&] {
            informe = InformeTomasRetornadas(DatosTomasRetornadas(DM(), *m_carga),
                                             MembreteFarmacia(Preferencias()));
        }))
        return;
    TFormPreview::Mostrar(informe);
    Auditar(Traducir(QStringLiteral("CAPTION_LOPD_Listado_TOMAS_RETORNADAS"),
                     QStringLiteral("Listado TOMAS RETORNADAS")),
            LOPD::kConsulta, LOPD::kAceptado);
}

void TFormPacienteRetorno::btnVolverClick()
{
    if (!ValidarYGuardar())
        return;
    emit volver(m_refPaciente);
}

void TFormPacienteRetorno::btnCalendarioClick()
{
    const QDate fecha = LeerFecha(m_edtFechaRetorno->text());
    m_calendario->setSelectedDate(fecha.isValid() ? fecha : Clock::today());
    m_calendario->move(m_btnCalendario->mapToGlobal(QPoint(0, m_btnCalendario->height())));
    m_calendario->show();
}
