#include "ui/data/FDlgSelectNetwork.h"

#include "core/common/Clock.h"
#include "core/data/ConnectionText.h"
#include "core/data/UbicacionBaseDatos.h"
#include "core/i18n/ULenguaje.h"
#include "core/shell/FinAplicacion.h"
#include "ui/i18n/Componente.h"
#include "ui/shell/Mensajes.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int kPuertoPostgreSQL = 5432;

// A label and its field on one row of the server panel.
void Fila(QGridLayout *rejilla, QLabel *etiqueta, QWidget *campo, QWidget *boton = nullptr)
{
    const int fila = rejilla->rowCount();
    rejilla->addWidget(etiqueta, fila, 0);
    rejilla->addWidget(campo, fila, 1);
    if (boton)
        rejilla->addWidget(boton, fila, 2);
}

} // namespace

TDlgSelectNetwork::TDlgSelectNetwork(const AppDirectory &directorio, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_directorio(directorio)
    , m_edtConectado(Componente<QLineEdit>(this, "edtConectado"))
    , m_rbLocal(Componente<QRadioButton>(this, "rbLocal", QStringLiteral("Instalacion Local")))
    , m_rbRed(Componente<QRadioButton>(this, "rbRed", QStringLiteral("Instalacion en Red")))
    , m_rbNoPrevia(
              Componente<QRadioButton>(this, "rbNoPrevia", QStringLiteral("No Existe Instalcion Previa")))
    , m_rbPrevia(Componente<QRadioButton>(this, "rbPrevia", QStringLiteral("Existe Instalacion Previa")))
    , m_panelRed(Componente<QWidget>(this, "pnlRed"))
    , m_edtServidor(Componente<QLineEdit>(this, "edtServidor"))
    , m_spnPuerto(Componente<QSpinBox>(this, "spnPuerto"))
    , m_edtBaseDatos(Componente<QLineEdit>(this, "edtBaseDatos"))
    , m_edtUsuario(Componente<QLineEdit>(this, "edtUsuario"))
    , m_edtClave(Componente<QLineEdit>(this, "edtClave"))
    , m_edtCarpeta(Componente<QLineEdit>(this, "edtCarpeta"))
{
    setObjectName(QStringLiteral("DlgSelectNetwork"));
    setWindowTitle(QStringLiteral("SELECT DATA BASE FILE"));
    setModal(true);

    m_edtConectado->setReadOnly(true);
    TextosDeCodigo(*m_edtConectado);
    m_spnPuerto->setRange(1, 65535);
    m_spnPuerto->setValue(kPuertoPostgreSQL);
    m_edtClave->setEchoMode(QLineEdit::Password);

    auto *conectado = new QHBoxLayout;
    conectado->addWidget(Componente<QLabel>(this, "lblConectado", QStringLiteral("Conectado a :")));
    conectado->addWidget(m_edtConectado, 1);

    // The two network choices exclude each other, apart from local / network.
    auto *previa = new QHBoxLayout;
    auto *grupoPrevia = Componente<QWidget>(this, "pnlPrevia");
    auto *disposicionPrevia = new QHBoxLayout(grupoPrevia);
    disposicionPrevia->setContentsMargins({});
    disposicionPrevia->addWidget(m_rbNoPrevia);
    disposicionPrevia->addWidget(m_rbPrevia);
    previa->addSpacing(24);
    previa->addWidget(grupoPrevia);
    m_rbNoPrevia->setChecked(true);

    auto *btnCarpeta = Componente<QPushButton>(this, "btnCarpeta", QStringLiteral("..."));
    TextosDeCodigo(*btnCarpeta);
    auto *servidor = new QGridLayout(m_panelRed);
    Fila(servidor, Componente<QLabel>(this, "lblServidor", QStringLiteral("SERVIDOR")), m_edtServidor);
    Fila(servidor, Componente<QLabel>(this, "lblPuerto", QStringLiteral("PUERTO")), m_spnPuerto);
    Fila(servidor, Componente<QLabel>(this, "lblBaseDatos", QStringLiteral("BASE DE DATOS")), m_edtBaseDatos);
    Fila(servidor, Componente<QLabel>(this, "lblUsuario", QStringLiteral("USUARIO")), m_edtUsuario);
    Fila(servidor, Componente<QLabel>(this, "lblClave", QStringLiteral("CONTRASEÑA")), m_edtClave);
    Fila(servidor, Componente<QLabel>(this, "lblCarpeta", QStringLiteral("CARPETA COMPARTIDA")), m_edtCarpeta,
         btnCarpeta);

    auto *grupoTipo = Componente<QGroupBox>(this, "grpTipoInstalacion");
    grupoTipo->setTitle(QStringLiteral("Tipo Instalacion"));
    auto *tipo = new QVBoxLayout(grupoTipo);
    tipo->addWidget(m_rbLocal);
    tipo->addWidget(m_rbRed);
    tipo->addLayout(previa);
    tipo->addWidget(m_panelRed);

    auto *btnConectar = Componente<QPushButton>(this, "btnConectar", QStringLiteral("CONECTAR"));
    auto *btnContinuar = Componente<QPushButton>(this, "btnContinuar", QStringLiteral("CONTINUAR"));
    btnConectar->setAutoDefault(false);
    btnContinuar->setAutoDefault(false);
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(btnConectar);
    botones->addWidget(btnContinuar);

    auto *disposicion = new QVBoxLayout(this);
    disposicion->addLayout(conectado);
    disposicion->addWidget(grupoTipo);
    disposicion->addLayout(botones);

    connect(m_rbRed, &QRadioButton::toggled, this, [this] { ActualizarHabilitados(); });
    connect(btnCarpeta, &QPushButton::clicked, this, [this] { ElegirCarpeta(); });
    connect(btnConectar, &QPushButton::clicked, this, [this] { btnConectarClick(); });
    connect(btnContinuar, &QPushButton::clicked, this, [this] { btnContinuarClick(); });

    m_edtConectado->setText(UbicacionBaseDatos::Descripcion(m_directorio));
    RellenarServidor();
    ActualizarHabilitados();
}

// A workstation already on a server starts from that server's values (never its password).
void TDlgSelectNetwork::RellenarServidor()
{
    const ConnectionText actual = ConnectionText::forDirectory(m_directorio);
    const bool enRed = actual.engine() == SqlEngine::PostgreSQL;
    (enRed ? m_rbRed : m_rbLocal)->setChecked(true);
    if (!enRed)
        return;
    m_rbPrevia->setChecked(true);
    m_edtServidor->setText(actual.host());
    m_spnPuerto->setValue(actual.port());
    m_edtBaseDatos->setText(actual.database());
    m_edtUsuario->setText(actual.userName());
    m_edtCarpeta->setText(actual.sharedFolder());
}

void TDlgSelectNetwork::ActualizarHabilitados()
{
    const bool red = m_rbRed->isChecked();
    m_rbNoPrevia->setEnabled(red);
    m_rbPrevia->setEnabled(red);
    m_panelRed->setEnabled(red);
}

void TDlgSelectNetwork::ElegirCarpeta()
{
    const QString carpeta = QFileDialog::getExistingDirectory(
            this,
            Traducir(QStringLiteral("STR_SELECCIONAR_DIRECTORIO_BD"),
                     QStringLiteral("Seleccionar Directorio Para dejar la base de datos")),
            m_edtCarpeta->text());
    if (!carpeta.isEmpty())
        m_edtCarpeta->setText(carpeta);
}

QString TDlgSelectNetwork::UrlServidor() const
{
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setHost(m_edtServidor->text().trimmed());
    url.setPort(m_spnPuerto->value());
    url.setPath(QLatin1Char('/') + m_edtBaseDatos->text().trimmed());
    url.setUserName(m_edtUsuario->text().trimmed());
    url.setPassword(m_edtClave->text());
    return url.toString(QUrl::FullyEncoded);
}

void TDlgSelectNetwork::btnConectarClick()
{
    using namespace UbicacionBaseDatos;
    const QString carpeta = m_edtCarpeta->text().trimmed();
    TResultado resultado;
    if (m_rbLocal->isChecked())
        resultado = InstalarLocal(m_directorio);
    else if (m_rbNoPrevia->isChecked())
        resultado = CrearInstalacionRed(m_directorio, UrlServidor(), carpeta, Clock::now());
    else
        resultado = ConectarInstalacionExistente(m_directorio, UrlServidor(), carpeta);
    if (!resultado.conectado) {
        MostrarError(resultado.error);
        return;
    }
    m_reiniciar = true;
    m_edtConectado->setText(Descripcion(m_directorio));
    if (resultado.yaTeniaDatos)
        MostrarAviso(Traducir(QStringLiteral("MSG_BD_RED_CON_DATOS"),
                              QStringLiteral("LA BASE DE DATOS YA TENIA DATOS: NO SE HA COPIADO NADA Y ESTE "
                                             "PUESTO SOLO SE CONECTA A ELLA")));
    MostrarAviso(Traducir(QStringLiteral("MSG_CONEXION_BUENA"), QStringLiteral("CONECTADO CORRECTAMENTE")));
}

void TDlgSelectNetwork::btnContinuarClick()
{
    if (!m_reiniciar) {
        accept();
        return;
    }
    MostrarAviso(Traducir(QStringLiteral("WRN_CONECT_PARAR_PROGRAMA"),
                          QStringLiteral("EL PROGRAMA SE VA A CERRAR PARA QUE SURTA EFECTO LA  CONEXION")));
    TerminarAplicacion();
    QDialog::done(Accepted);
}

void TDlgSelectNetwork::done(int resultado)
{
    if (!UbicacionBaseDatos::HayConexionConfigurada(m_directorio)) {
        MostrarError(Traducir(QStringLiteral("MSG_APLICACION_NO_CONECTADA_BD"),
                              QStringLiteral("LA APLICACION NO ESTA CONECTADA A NINGUNA BASE DE DATOS"))
                     + QLatin1Char(' '));
        return;
    }
    TKelvoDlgForm::done(resultado);
}
