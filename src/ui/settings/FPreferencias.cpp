#include "ui/settings/FPreferencias.h"

#include "core/dispenser/ConfiguracionMaquina.h"
#include "core/dispenser/UDispenserTCP.h"
#include "core/i18n/ULenguaje.h"
#include "core/shell/AppDirectory.h"
#include "core/shell/IniFile.h"
#include "ui/data/BackupSistema.h"
#include "ui/dispenser/ActualizacionSoftware.h"
#include "ui/dispenser/FConfigurarRedMaquina.h"
#include "ui/i18n/Componente.h"
#include "ui/i18n/TKelvoVentana.h"
#include "ui/loading/QREtiquetasImpresion.h"
#include "ui/shell/Destinos.h"
#include "ui/shell/FDlgNotasVersion.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/SoporteSat.h"
#include "ui/shell/TMenuAdministracion.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// A logo larger than this on its longer side is scaled down before it is stored: reports print
// it a few centimetres wide, and the CONF row is read by every workstation.
constexpr int kLadoMaximoLogo = 800;

QLineEdit *CampoTexto(QWidget *padre, const char *nombre)
{
    return Componente<QLineEdit>(padre, nombre);
}

QComboBox *Lista(QWidget *padre, const char *nombre, const QStringList &elementos)
{
    auto *lista = Componente<QComboBox>(padre, nombre);
    lista->addItems(elementos);
    return lista;
}

// The picture as stored: PNG, scaled to kLadoMaximoLogo when larger.
QByteArray LogoGuardable(const QImage &imagen)
{
    const QImage escalada = std::max(imagen.width(), imagen.height()) > kLadoMaximoLogo
            ? imagen.scaled(kLadoMaximoLogo, kLadoMaximoLogo, Qt::KeepAspectRatio, Qt::SmoothTransformation)
            : imagen;
    QByteArray datos;
    QBuffer buffer(&datos);
    buffer.open(QIODevice::WriteOnly);
    escalada.save(&buffer, "PNG");
    return datos;
}

} // namespace

TFormPreferencias::TFormPreferencias(QWidget *parent)
    : TPantalla(parent)
    , m_paginas(Componente<QTabWidget>(this, "tabPaginas"))
{
    setObjectName(QStringLiteral("FormPreferencias"));
    setWindowTitle(QStringLiteral("PREFERENCIAS"));
    m_paginas->addTab(PaginaFarmacia(), QStringLiteral("FARMACIA"));
    m_paginas->addTab(PaginaCarga(), QStringLiteral("CARGA"));
    m_paginas->addTab(PaginaEtiquetas(), QStringLiteral("ETIQUETAS"));
    m_paginas->addTab(PaginaSistema(), QStringLiteral("SISTEMA"));
    auto *disposicion = new QHBoxLayout(this);
    disposicion->addWidget(new TMenuAdministracion(this));
    disposicion->addWidget(m_paginas, 1);
}

QWidget *TFormPreferencias::PaginaFarmacia()
{
    auto *pagina = Componente<QWidget>(this, "pgFarmacia");
    m_edtNombre = CampoTexto(pagina, "edtNombre");
    m_edtTitular = CampoTexto(pagina, "edtTitular");
    m_edtTelefono = CampoTexto(pagina, "edtTelefono");
    m_memDireccion = Componente<QPlainTextEdit>(pagina, "memDireccion");
    m_edtEmail = CampoTexto(pagina, "edtEmail");
    m_edtWeb = CampoTexto(pagina, "edtWeb");
    m_edtCP = CampoTexto(pagina, "edtCP");
    m_edtCF = CampoTexto(pagina, "edtCF");
    m_memMedicos = Componente<QPlainTextEdit>(pagina, "memMedicos");
    m_imgLogo = Componente<QLabel>(pagina, "imgLogo");
    TextosDeCodigo(*m_imgLogo);
    m_imgLogo->setFixedSize(200, 120);
    m_imgLogo->setAlignment(Qt::AlignCenter);
    auto *datos = new QFormLayout;
    datos->addRow(Componente<QLabel>(pagina, "lblNombre", QStringLiteral("NOMBRE")), m_edtNombre);
    datos->addRow(Componente<QLabel>(pagina, "lblTitular", QStringLiteral("TITULAR/ES")), m_edtTitular);
    datos->addRow(Componente<QLabel>(pagina, "lblTelefono", QStringLiteral("TELÉFONO")), m_edtTelefono);
    datos->addRow(Componente<QLabel>(pagina, "lblDireccion", QStringLiteral("DIRECCIÓN")), m_memDireccion);
    datos->addRow(Componente<QLabel>(pagina, "lblEmail", QStringLiteral("EMAIL")), m_edtEmail);
    datos->addRow(Componente<QLabel>(pagina, "lblWeb", QStringLiteral("WEB")), m_edtWeb);
    datos->addRow(Componente<QLabel>(pagina, "lblCP", QStringLiteral("C. PROVINCIA")), m_edtCP);
    datos->addRow(Componente<QLabel>(pagina, "lblCF", QStringLiteral("C. FARMACIA")), m_edtCF);
    datos->addRow(Componente<QLabel>(pagina, "lblMedicos", QStringLiteral("MÉDICOS")), m_memMedicos);
    auto *btnEditarLogo = Componente<QPushButton>(pagina, "btnEditarLogo", QStringLiteral("EDITAR"));
    auto *btnBorrarLogo = Componente<QPushButton>(pagina, "btnBorrarLogo", QStringLiteral("BORRAR"));
    auto *logo = new QVBoxLayout;
    logo->addWidget(Componente<QLabel>(pagina, "lblLogo", QStringLiteral("LOGOTIPO")));
    logo->addWidget(m_imgLogo);
    logo->addWidget(btnEditarLogo);
    logo->addWidget(btnBorrarLogo);
    logo->addStretch();
    auto *disposicion = new QHBoxLayout(pagina);
    disposicion->addLayout(datos, 1);
    disposicion->addLayout(logo);
    connect(btnEditarLogo, &QPushButton::clicked, this, [this] {
        const QString fichero = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                             QStringLiteral("*.bmp *.jpg *.jpeg *.png"));
        if (!fichero.isEmpty())
            CargarLogo(fichero);
    });
    connect(btnBorrarLogo, &QPushButton::clicked, this, &TFormPreferencias::BorrarLogo);
    return pagina;
}

QWidget *TFormPreferencias::PaginaCarga()
{
    auto *pagina = Componente<QWidget>(this, "pgCarga");
    m_edtTempMin = CampoTexto(pagina, "edtTempMin");
    m_edtTempMax = CampoTexto(pagina, "edtTempMax");
    m_edtHumMin = CampoTexto(pagina, "edtHumMin");
    m_edtHumMax = CampoTexto(pagina, "edtHumMax");
    m_edtT = CampoTexto(pagina, "edtT");
    m_edtH = CampoTexto(pagina, "edtH");
    m_cmbIdioma = Lista(pagina, "cmbIdioma",
                        {QStringLiteral("Castellano"), QStringLiteral("Portugués"), QStringLiteral("Francés"),
                         QStringLiteral("Inglés"), QStringLiteral("Italiano")});
    m_cmbPais = Lista(pagina, "cmbPais",
                      {QStringLiteral("España"), QStringLiteral("Portugal"), QStringLiteral("Francia"),
                       QStringLiteral("Reino Unido"), QStringLiteral("Italia"), QStringLiteral("Eslovenia")});
    m_cmbTipoCarga = Lista(pagina, "cmbTipoCarga", {QStringLiteral("Automático"), QStringLiteral("Manual")});
    m_cmbTipoBlister
            = Lista(pagina, "cmbTipoBlister", {QStringLiteral("Redondo"), QStringLiteral("Cuadrado")});
    m_lblPais = Componente<QLabel>(pagina, "lblPais", QStringLiteral("PAIS"));
    m_lblTipoBlister = Componente<QLabel>(pagina, "lblTipoBlister", QStringLiteral("TIPO BLISTER"));
    auto *rejilla = new QGridLayout;
    rejilla->addWidget(Componente<QLabel>(pagina, "lblMin", QStringLiteral("MIN")), 0, 1);
    rejilla->addWidget(Componente<QLabel>(pagina, "lblMax", QStringLiteral("MAX")), 0, 2);
    rejilla->addWidget(
            Componente<QLabel>(pagina, "lblTemperatura", QStringLiteral("LÍMITES DE TEMPERATURA (ºC)")), 1,
            0);
    rejilla->addWidget(m_edtTempMin, 1, 1);
    rejilla->addWidget(m_edtTempMax, 1, 2);
    rejilla->addWidget(Componente<QLabel>(pagina, "lblT", QStringLiteral("T")), 1, 3);
    rejilla->addWidget(m_edtT, 1, 4);
    rejilla->addWidget(Componente<QLabel>(pagina, "lblHumedad", QStringLiteral("LÍMITES DE HUMEDAD (%)")), 2,
                       0);
    rejilla->addWidget(m_edtHumMin, 2, 1);
    rejilla->addWidget(m_edtHumMax, 2, 2);
    rejilla->addWidget(Componente<QLabel>(pagina, "lblH", QStringLiteral("H")), 2, 3);
    rejilla->addWidget(m_edtH, 2, 4);
    auto *opciones = new QFormLayout;
    opciones->addRow(Componente<QLabel>(pagina, "lblIdioma", QStringLiteral("IDIOMA")), m_cmbIdioma);
    opciones->addRow(m_lblPais, m_cmbPais);
    opciones->addRow(Componente<QLabel>(pagina, "lblTipoCarga", QStringLiteral("TIPO CARGA")),
                     m_cmbTipoCarga);
    opciones->addRow(m_lblTipoBlister, m_cmbTipoBlister);
    auto *disposicion = new QVBoxLayout(pagina);
    disposicion->addLayout(rejilla);
    disposicion->addLayout(opciones);
    disposicion->addStretch();
    connect(m_cmbIdioma, &QComboBox::activated, this, &TFormPreferencias::CambiarIdioma);
    connect(m_cmbPais, &QComboBox::activated, this, &TFormPreferencias::CambiarPais);
    connect(m_cmbTipoCarga, &QComboBox::activated, this, &TFormPreferencias::CambiarTipoCarga);
    connect(m_cmbTipoBlister, &QComboBox::activated, this, &TFormPreferencias::CambiarTipoBlister);
    return pagina;
}

QWidget *TFormPreferencias::PaginaEtiquetas()
{
    auto *pagina = Componente<QWidget>(this, "pgEtiquetas");
    m_edtDX = CampoTexto(pagina, "edtDX");
    m_edtDY = CampoTexto(pagina, "edtDY");
    m_cmbImpresora = Componente<QComboBox>(pagina, "cmbImpresora");
    TextosDeCodigo(*m_cmbImpresora);
    m_cmbPlantilla = Lista(pagina, "cmbPlantilla",
                           PlantillasEtiquetas(ExisteLenguaje() && Lenguaje().ModoDesarrollo()));
    TextosDeCodigo(*m_cmbPlantilla);
    m_chkLoteCaducidad = Componente<QCheckBox>(
            pagina, "chkLoteCaducidad", QStringLiteral("OBLIGATORIEDAD  LOTE Y CADUCIDAD MEDICAMENTO"));
    auto *btnProbar
            = Componente<QPushButton>(pagina, "btnProbarEtiquetas", QStringLiteral("PROBAR ETIQUETAS"));
    auto *disposicion = new QFormLayout(pagina);
    disposicion->addRow(Componente<QLabel>(pagina, "lblDX", QStringLiteral("dX")), m_edtDX);
    disposicion->addRow(Componente<QLabel>(pagina, "lblDY", QStringLiteral("dY")), m_edtDY);
    disposicion->addRow(Componente<QLabel>(pagina, "lblImpresora", QStringLiteral("IMPRESORA")),
                        m_cmbImpresora);
    disposicion->addRow(Componente<QLabel>(pagina, "lblPlantilla", QStringLiteral("PLANTILLA ETIQUETAS")),
                        m_cmbPlantilla);
    disposicion->addRow(m_chkLoteCaducidad);
    disposicion->addRow(btnProbar);
    connect(m_cmbPlantilla, &QComboBox::activated, this, &TFormPreferencias::CambiarPlantilla);
    connect(btnProbar, &QPushButton::clicked, this, [this] {
        if (GuardarPantalla())
            ImprimirEtiquetaDePrueba();
    });
    return pagina;
}

QWidget *TFormPreferencias::PaginaSistema()
{
    auto *pagina = Componente<QWidget>(this, "pgSistema");
    struct TAccion
    {
        const char *nombre;
        QString texto;
        std::function<void()> accion;
    };
    const QList<TAccion> acciones {
            {"btnRealizarBackup", QStringLiteral("REALIZAR BACKUP"), [this] { RealizarBackupSistema(this); }},
            {"btnRestaurarBackup", QStringLiteral("RESTAURAR BACKUP"), [this] { RestaurarBackup(this); }},
            {"btnBaseDatos", QStringLiteral("BASE DE DATOS"), [] { AbrirDestino(TDestino::BaseDatos); }},
            {"btnIPConfig", QStringLiteral("IP CONFIG"), [this] { ConfigurarRedMaquina(this); }},
            {"btnActualizarFirmware", QStringLiteral("ACTUALIZAR FIRMWARE"),
             [this] {
                 ActualizarFirmwareMaquina(
                         this, QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier));
             }},
            {"btnEmailSAT", QStringLiteral("E-MAIL SAT"), [] { EnviarSolicitudSoporte(); }},
            {"btnInfo", QStringLiteral("INFO"), [this] { VerNotasDelIdioma(this); }},
    };
    auto *disposicion = new QVBoxLayout(pagina);
    for (const TAccion &accion : acciones) {
        auto *boton = Componente<QPushButton>(pagina, accion.nombre, accion.texto);
        connect(boton, &QPushButton::clicked, this, accion.accion);
        disposicion->addWidget(boton);
    }
    disposicion->addStretch();
    return pagina;
}

void TFormPreferencias::AlMostrar()
{
    // A save refused for a field keeps what the user typed until it is corrected.
    if (m_guardadoFallido)
        return;
    RecargarPreferencias();
    const TPreferences &prefs = Preferencias();
    LeerMaquina();
    m_rellenando = true;
    m_cmbImpresora->clear();
    m_cmbImpresora->addItems(QPrinterInfo::availablePrinterNames());
    TCamposPreferencias campos = CamposDe(prefs, prefs.Medicos, m_lecturas);
    // An empty address takes the workstation's own at the next save.
    if (campos.ip.isEmpty())
        campos.ip = IniFile(AppDirectory::current().iniFile())
                            .readString(QStringLiteral("VERSION"), QStringLiteral("IP"));
    Rellenar(campos);
    m_cmbIdioma->setCurrentIndex(prefs.Idioma.toInt());
    m_cmbPais->setCurrentIndex(prefs.Pais.isEmpty() ? -1 : prefs.Pais.toInt());
    const bool desarrollo = ExisteLenguaje() && Lenguaje().ModoDesarrollo();
    m_lblPais->setVisible(desarrollo);
    m_cmbPais->setVisible(desarrollo);
    m_cmbTipoCarga->setCurrentIndex(prefs.TipoCarga);
    m_cmbTipoBlister->setCurrentIndex(prefs.TipoBlister);
    m_lblTipoBlister->setVisible(prefs.TipoCarga == 1);
    m_cmbTipoBlister->setVisible(prefs.TipoCarga == 1);
    m_logo = prefs.Logo;
    MostrarLogo();
    m_logoEditado = false;
    m_idiomaCambiado = false;
    m_rellenando = false;
}

void TFormPreferencias::LeerMaquina()
{
    m_lecturas = {};
    TDispenser *maquina = DispenserSiExiste();
    if (!maquina)
        return;
    // The link keeps the settings; an unanswered request leaves the last ones known.
    maquina->PedirConfig();
    if (const auto ht = maquina->PedirHT())
        m_lecturas = {ht->humedad, ht->temperatura};
}

void TFormPreferencias::Rellenar(const TCamposPreferencias &campos)
{
    m_edtH->setText(campos.humedad);
    m_edtT->setText(campos.temperatura);
    m_edtH->setEnabled(m_lecturas.humedad.has_value());
    m_edtT->setEnabled(m_lecturas.temperatura.has_value());
    m_edtTempMin->setText(campos.temperaturaMinima);
    m_edtTempMax->setText(campos.temperaturaMaxima);
    m_edtHumMin->setText(campos.humedadMinima);
    m_edtHumMax->setText(campos.humedadMaxima);
    m_edtNombre->setText(campos.ofNombre);
    m_edtTitular->setText(campos.ofTitular);
    m_edtTelefono->setText(campos.ofTelefono);
    m_memDireccion->setPlainText(campos.ofDireccion);
    m_edtEmail->setText(campos.ofEmail);
    m_edtWeb->setText(campos.ofWeb);
    m_edtCP->setText(campos.ofCP);
    m_edtCF->setText(campos.ofCF);
    m_chkLoteCaducidad->setChecked(campos.idatMedOB);
    m_edtDX->setText(campos.etiquetasDX);
    m_edtDY->setText(campos.etiquetasDY);
    m_ip = campos.ip;
    // A printer that is not installed any more stays the stored one, with no entry selected.
    m_impresoraGuardada = campos.impresora;
    m_cmbImpresora->setCurrentIndex(m_cmbImpresora->findText(campos.impresora));
    m_cmbImpresora->setPlaceholderText(campos.impresora);
    m_cmbPlantilla->setCurrentIndex(m_cmbPlantilla->findText(campos.plantilla));
    m_memMedicos->setPlainText(campos.medicos.join(QLatin1Char('\n')));
}

TCamposPreferencias TFormPreferencias::Campos() const
{
    TCamposPreferencias campos;
    campos.humedad = m_edtH->text();
    campos.temperatura = m_edtT->text();
    campos.temperaturaMinima = m_edtTempMin->text();
    campos.temperaturaMaxima = m_edtTempMax->text();
    campos.humedadMinima = m_edtHumMin->text();
    campos.humedadMaxima = m_edtHumMax->text();
    campos.ofNombre = m_edtNombre->text();
    campos.ofTitular = m_edtTitular->text();
    campos.ofTelefono = m_edtTelefono->text();
    campos.ofDireccion = m_memDireccion->toPlainText();
    campos.ofEmail = m_edtEmail->text();
    campos.ofWeb = m_edtWeb->text();
    campos.ofCP = m_edtCP->text();
    campos.ofCF = m_edtCF->text();
    campos.idatMedOB = m_chkLoteCaducidad->isChecked();
    campos.etiquetasDX = m_edtDX->text();
    campos.etiquetasDY = m_edtDY->text();
    campos.ip = m_ip;
    campos.impresora
            = m_cmbImpresora->currentIndex() >= 0 ? m_cmbImpresora->currentText() : m_impresoraGuardada;
    campos.plantilla
            = m_cmbPlantilla->currentIndex() >= 0 ? m_cmbPlantilla->currentText() : Preferencias().PEtiquetas;
    campos.medicos = m_memMedicos->toPlainText().split(QLatin1Char('\n'));
    return campos;
}

QLineEdit *TFormPreferencias::CampoNumerico(TCampoNumerico campo) const
{
    switch (campo) {
    case TCampoNumerico::Humedad:
        return m_edtH;
    case TCampoNumerico::Temperatura:
        return m_edtT;
    case TCampoNumerico::TemperaturaMinima:
        return m_edtTempMin;
    case TCampoNumerico::TemperaturaMaxima:
        return m_edtTempMax;
    case TCampoNumerico::HumedadMinima:
        return m_edtHumMin;
    case TCampoNumerico::HumedadMaxima:
        return m_edtHumMax;
    case TCampoNumerico::EtiquetasDX:
        return m_edtDX;
    case TCampoNumerico::EtiquetasDY:
        return m_edtDY;
    }
    return m_edtDX;
}

bool TFormPreferencias::HayCambios() const
{
    const TPreferences &prefs = Preferencias();
    return m_logoEditado || m_idiomaCambiado || CamposCambiados(Campos(), prefs, prefs.Medicos, m_lecturas);
}

bool TFormPreferencias::GuardarPantalla()
{
    if (!HayCambios())
        return true;
    TPreferences &prefs = Preferencias();
    const TLecturaCampos lectura = LeerCampos(Campos(), prefs, m_lecturas);
    if (lectura.error) {
        m_guardadoFallido = true;
        QLineEdit *campo = CampoNumerico(lectura.error->campo);
        m_paginas->setCurrentWidget(campo->parentWidget());
        campo->setFocus();
        campo->selectAll();
        MostrarError(lectura.error->mensaje);
        return false;
    }
    static_cast<TPreferenciasValores &>(prefs) = lectura.valores;
    prefs.Medicos = lectura.medicos;
    prefs.Logo = m_logo;
    prefs.Guardar();
    m_guardadoFallido = false;
    m_logoEditado = false;
    m_idiomaCambiado = false;
    return true;
}

std::optional<bool> TFormPreferencias::SalirDeLaAplicacion()
{
    // A screen left earlier was stored then, unless a field kept it from being stored.
    if (!(isVisible() || m_guardadoFallido) || !HayCambios())
        return std::nullopt;
    if (Confirmar(
                Traducir(QStringLiteral("MSG_GUARDAR_PREFERENCIAS"),
                         QStringLiteral("HAY CAMBIOS SIN GUARDAR EN LAS PREFERENCIAS. ¿GUARDARLOS Y SALIR?")))
        != 1)
        return false;
    return GuardarPantalla();
}

void TFormPreferencias::hideEvent(QHideEvent *evento)
{
    // Leaving the screen (another screen replaces it) stores it; a minimised window does not.
    if (!evento->spontaneous())
        GuardarPantalla();
    TPantalla::hideEvent(evento);
}

void TFormPreferencias::CargarLogo(const QString &fichero)
{
    QImageReader lector(fichero);
    lector.setAutoTransform(true);
    const QImage imagen = lector.read();
    if (imagen.isNull()) {
        MostrarError(Traducir(QStringLiteral("ERR_LOGO_NO_IMAGEN"),
                              QStringLiteral("EL FICHERO NO ES UNA IMAGEN")));
        return;
    }
    m_logo = LogoGuardable(imagen);
    m_logoEditado = true;
    MostrarLogo();
}

void TFormPreferencias::BorrarLogo()
{
    m_logo.clear();
    m_logoEditado = true;
    MostrarLogo();
}

void TFormPreferencias::MostrarLogo()
{
    QPixmap imagen;
    imagen.loadFromData(m_logo);
    m_imgLogo->setPixmap(imagen.isNull() ? QPixmap()
                                         : imagen.scaled(m_imgLogo->size(), Qt::KeepAspectRatio,
                                                         Qt::SmoothTransformation));
}

void TFormPreferencias::CambiarIdioma(int idioma)
{
    TPreferences &prefs = Preferencias();
    if (QString::number(idioma) == prefs.Idioma)
        return;
    if (TDispenser *maquina = DispenserSiExiste()) {
        // The machine keeps its sounds as they are; only its language changes.
        if (!ConfigurarIdiomaYSonidos(*maquina, idioma, maquina->Config.Sonidos)) {
            MostrarError(Traducir(
                    QStringLiteral("ERR_MAQUINA_ESPERA_CAMBIO_IDIOMA"),
                    QStringLiteral("NO SE PUEDE CAMBIAR EL IDIOMA PORQUE LA MAQUINA NO ESTA EN ESPERA")));
            m_cmbIdioma->setCurrentIndex(prefs.Idioma.toInt());
            return;
        }
    }
    prefs.Idioma = QString::number(idioma);
    m_idiomaCambiado = true;
    if (ExisteLenguaje())
        Lenguaje().SetIdioma(idioma);
    TKelvoVentana::TraducirTodas();
}

void TFormPreferencias::CambiarPais(int pais)
{
    Preferencias().Pais = QString::number(pais);
    Preferencias().Guardar();
}

void TFormPreferencias::CambiarTipoCarga(int tipo)
{
    Preferencias().TipoCarga = tipo;
    m_lblTipoBlister->setVisible(tipo == 1);
    m_cmbTipoBlister->setVisible(tipo == 1);
}

void TFormPreferencias::CambiarTipoBlister(int tipo)
{
    Preferencias().TipoBlister = tipo;
    Preferencias().Guardar();
}

void TFormPreferencias::CambiarPlantilla(int indice)
{
    Preferencias().PEtiquetas = m_cmbPlantilla->itemText(indice);
    Preferencias().Guardar();
}
