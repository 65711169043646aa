#include "ui/patients/MarcoFichaPaciente.h"

#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/FechaCargaCategoria.h"
#include "core/loading/FechasCarga.h"
#include "core/patients/ArchivosPaciente.h"
#include "core/patients/EsFecha.h"
#include "core/settings/uPreferencias.h"
#include "render/FotoPaciente.h"
#include "ui/i18n/Componente.h"
#include "ui/patients/CampoMedico.h"
#include "ui/reports/Fpreview.h"
#include "ui/shell/Mensajes.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int kLadoFoto = 150; // pixels of the photo on the card

QString Etiqueta(const QWidget &marco, const char *nombre)
{
    const auto *etiqueta = marco.findChild<QLabel *>(QString::fromLatin1(nombre));
    return etiqueta ? etiqueta->text() : QString();
}

QString Titulo(const QWidget &marco, const char *nombre)
{
    const auto *grupo = marco.findChild<QGroupBox *>(QString::fromLatin1(nombre));
    return grupo ? grupo->title() : QString();
}

QString SiNo(bool valor)
{
    return valor ? Traducir(QStringLiteral("STR_SI"), QStringLiteral("SI"))
                 : Traducir(QStringLiteral("STR_NO"), QStringLiteral("NO"));
}

} // namespace

TMarcoFichaPaciente::TMarcoFichaPaciente(qint64 idPaciente, QWidget *parent)
    : QWidget(parent)
    , m_edtReferencia(Componente<QLineEdit>(this, "edtReferencia"))
    , m_edtDNI(Componente<QLineEdit>(this, "edtDNI"))
    , m_edtNombre(Componente<QLineEdit>(this, "edtNombre"))
    , m_edtDireccion(Componente<QLineEdit>(this, "edtDireccion"))
    , m_edtTelefono(Componente<QLineEdit>(this, "edtTelefono"))
    , m_edtEmail(Componente<QLineEdit>(this, "edtEmail"))
    , m_edtFechaNacimiento(Componente<QLineEdit>(this, "edtFechaNacimiento"))
    , m_btnCalendario(Componente<QToolButton>(this, "btnCalendario", QStringLiteral("...")))
    , m_calendario(Componente<QCalendarWidget>(this, "calFechaNacimiento"))
    , m_rbHombre(Componente<QRadioButton>(this, "rbHombre", QStringLiteral("HOMBRE")))
    , m_rbMujer(Componente<QRadioButton>(this, "rbMujer", QStringLiteral("MUJER")))
    , m_cmbCategoria(Componente<QComboBox>(this, "cmbCategoria"))
    , m_chkActivo(Componente<QCheckBox>(this, "chkActivo", QStringLiteral("ACTIVO EN APLICACION")))
    , m_chkFotoBlister(
              Componente<QCheckBox>(this, "chkFotoBlister", QStringLiteral("IMPRIMIR FOTO EN BLISTER")))
    , m_chkControlInventario(
              Componente<QCheckBox>(this, "chkControlInventario", QStringLiteral("CONTROL INVENTARIO")))
    , m_memProblemas(Componente<QPlainTextEdit>(this, "memProblemas"))
    , m_memEnfermedades(Componente<QPlainTextEdit>(this, "memEnfermedades"))
    , m_memAlergias(Componente<QPlainTextEdit>(this, "memAlergias"))
    , m_memNotas(Componente<QPlainTextEdit>(this, "memNotas"))
    , m_cmbMedicoNombre(Componente<TCampoMedico>(this, "cmbMedicoNombre"))
    , m_edtMedicoTelefono(Componente<QLineEdit>(this, "edtMedicoTelefono"))
    , m_edtMedicoDireccion(Componente<QLineEdit>(this, "edtMedicoDireccion"))
    , m_edtMedicoEmail(Componente<QLineEdit>(this, "edtMedicoEmail"))
    , m_edtContactoNombre(Componente<QLineEdit>(this, "edtContactoNombre"))
    , m_edtContactoTelefono(Componente<QLineEdit>(this, "edtContactoTelefono"))
    , m_edtContactoDireccion(Componente<QLineEdit>(this, "edtContactoDireccion"))
    , m_edtContactoEmail(Componente<QLineEdit>(this, "edtContactoEmail"))
    , m_imgFoto(Componente<QLabel>(this, "imgFoto"))
    , m_btnFotoEditar(Componente<QPushButton>(this, "btnFotoEditar", QStringLiteral("EDITAR")))
    , m_btnFotoBorrar(Componente<QPushButton>(this, "btnFotoBorrar", QStringLiteral("BORRAR")))
    , m_lstDocumentos(Componente<QListWidget>(this, "lstDocumentos"))
    , m_btnDocumentoInsertar(
              Componente<QPushButton>(this, "btnDocumentoInsertar", QStringLiteral("INSERTAR")))
    , m_btnDocumentoBorrar(Componente<QPushButton>(this, "btnDocumentoBorrar", QStringLiteral("BORRAR")))
{
    setObjectName(QStringLiteral("MarcoFichaPaciente"));
    Construir();
    try {
        m_edicion = idPaciente == 0 ? std::make_unique<TEdicionPaciente>(DM())
                                    : std::make_unique<TEdicionPaciente>(DM(), idPaciente);
    } catch (const AppError &error) {
        MostrarError(error.message());
        Bloquear();
        return;
    }
    m_soloLectura = !DM().EsFarmaceutico();
    Mostrar(m_edicion->Abierta());
    if (m_soloLectura)
        Bloquear();
}

TMarcoFichaPaciente::~TMarcoFichaPaciente() = default;

void TMarcoFichaPaciente::Construir()
{
    const auto etiqueta = [this](const char *nombre, const QString &texto) {
        return Componente<QLabel>(this, nombre, texto);
    };
    const auto grupo = [this](const char *nombre, const QString &titulo) {
        auto *caja = Componente<QGroupBox>(this, nombre);
        caja->setTitle(titulo);
        return caja;
    };

    m_edtReferencia->setMaxLength(50);
    m_edtDNI->setMaxLength(15); // separators are typed, the stored number has at most 9 characters
    m_edtNombre->setMaxLength(50);
    m_edtDireccion->setMaxLength(50);
    m_edtTelefono->setMaxLength(15);
    m_edtEmail->setMaxLength(100);
    m_edtMedicoTelefono->setMaxLength(15);
    m_edtMedicoDireccion->setMaxLength(255);
    m_edtMedicoEmail->setMaxLength(100);
    m_edtContactoNombre->setMaxLength(50);
    m_edtContactoTelefono->setMaxLength(15);
    m_edtContactoDireccion->setMaxLength(255);
    m_edtContactoEmail->setMaxLength(50);
    m_calendario->setWindowFlags(Qt::Popup);
    m_calendario->hide();
    m_imgFoto->setFixedSize(kLadoFoto, kLadoFoto);
    m_imgFoto->setAlignment(Qt::AlignCenter);
    m_imgFoto->setFrameShape(QFrame::Box);
    auto *sexo = new QButtonGroup(this);
    sexo->addButton(m_rbHombre);
    sexo->addButton(m_rbMujer);
    for (const TCodigos &categoria : DM().ListaCategoriasConVacia())
        m_cmbCategoria->addItem(categoria.Descripcion, categoria.Codigo);
    TextosDeCodigo(*m_cmbCategoria); // the pharmacy's categories
    m_chkControlInventario->setVisible(Preferencias().NoReinoUnido);

    auto *datos = grupo("grpDatos", QStringLiteral("DATOS PACIENTE"));
    auto *formDatos = new QFormLayout(datos);
    formDatos->addRow(etiqueta("lblReferencia", QStringLiteral("IDENTIFICADOR")), m_edtReferencia);
    formDatos->addRow(etiqueta("lblDNI", QStringLiteral("DNI")), m_edtDNI);
    formDatos->addRow(etiqueta("lblNombre", QStringLiteral("NOMBRE")), m_edtNombre);
    formDatos->addRow(etiqueta("lblDireccion", QStringLiteral("DIRECCION")), m_edtDireccion);
    formDatos->addRow(etiqueta("lblTelefono", QStringLiteral("TELEFONO")), m_edtTelefono);
    formDatos->addRow(etiqueta("lblEmail", QStringLiteral("E-MAIL")), m_edtEmail);
    auto *fecha = new QHBoxLayout;
    fecha->addWidget(m_edtFechaNacimiento, 1);
    fecha->addWidget(m_btnCalendario);
    formDatos->addRow(etiqueta("lblFechaNacimiento", QStringLiteral("FECHA NACIMIENTO")), fecha);
    auto *sexos = new QHBoxLayout;
    sexos->addWidget(m_rbHombre);
    sexos->addWidget(m_rbMujer);
    formDatos->addRow(etiqueta("lblSexo", QStringLiteral("SEXO")), sexos);
    formDatos->addRow(etiqueta("lblCategoria", QStringLiteral("CATEGORIA")), m_cmbCategoria);
    formDatos->addRow(m_chkActivo);
    formDatos->addRow(m_chkFotoBlister);
    formDatos->addRow(m_chkControlInventario);

    auto *medico = grupo("grpMedico", QStringLiteral("CONTACTO MÉDICO"));
    auto *formMedico = new QFormLayout(medico);
    formMedico->addRow(etiqueta("lblMedicoNombre", QStringLiteral("NOMBRE")), m_cmbMedicoNombre);
    formMedico->addRow(etiqueta("lblMedicoTelefono", QStringLiteral("TELEFONO")), m_edtMedicoTelefono);
    formMedico->addRow(etiqueta("lblMedicoDireccion", QStringLiteral("DIRECCION")), m_edtMedicoDireccion);
    formMedico->addRow(etiqueta("lblMedicoEmail", QStringLiteral("E-MAIL")), m_edtMedicoEmail);
    auto *contacto = grupo("grpContacto", QStringLiteral("CONTACTO FAMILIAR ó CUIDADOR/A"));
    auto *formContacto = new QFormLayout(contacto);
    formContacto->addRow(etiqueta("lblContactoNombre", QStringLiteral("NOMBRE")), m_edtContactoNombre);
    formContacto->addRow(etiqueta("lblContactoTelefono", QStringLiteral("TELEFONO")), m_edtContactoTelefono);
    formContacto->addRow(etiqueta("lblContactoDireccion", QStringLiteral("DIRECCION")),
                         m_edtContactoDireccion);
    formContacto->addRow(etiqueta("lblContactoEmail", QStringLiteral("E-MAIL")), m_edtContactoEmail);
    auto *contactos = new QVBoxLayout;
    contactos->addWidget(medico);
    contactos->addWidget(contacto);

    auto *foto = grupo("grpFoto", QStringLiteral("FOTO"));
    auto *cajaFoto = new QVBoxLayout(foto);
    cajaFoto->addWidget(m_imgFoto, 0, Qt::AlignHCenter);
    auto *botonesFoto = new QHBoxLayout;
    botonesFoto->addWidget(m_btnFotoEditar);
    botonesFoto->addWidget(m_btnFotoBorrar);
    cajaFoto->addLayout(botonesFoto);
    auto *documentos = grupo("grpDocumentos", QStringLiteral("DOCUMENTOS"));
    auto *cajaDocumentos = new QVBoxLayout(documentos);
    cajaDocumentos->addWidget(m_lstDocumentos);
    auto *botonesDocumentos = new QHBoxLayout;
    botonesDocumentos->addWidget(m_btnDocumentoInsertar);
    botonesDocumentos->addWidget(m_btnDocumentoBorrar);
    cajaDocumentos->addLayout(botonesDocumentos);
    auto *archivos = new QVBoxLayout;
    archivos->addWidget(foto);
    archivos->addWidget(documentos, 1);

    auto *textos = new QHBoxLayout;
    const std::initializer_list<std::tuple<const char *, QString, QPlainTextEdit *>> memos {
            {"grpProblemas", QStringLiteral("PROBLEMAS MEDICAMENTOS"), m_memProblemas},
            {"grpEnfermedades", QStringLiteral("ENFERMEDADES CRÓNICAS"), m_memEnfermedades},
            {"grpAlergias", QStringLiteral("ALERGIAS"), m_memAlergias},
            {"grpNotas", QStringLiteral("NOTAS"), m_memNotas}};
    for (const auto &[nombre, titulo, memo] : memos) {
        auto *caja = grupo(nombre, titulo);
        (new QVBoxLayout(caja))->addWidget(memo);
        textos->addWidget(caja);
    }

    auto *rejilla = new QGridLayout(this);
    rejilla->setContentsMargins(0, 0, 0, 0);
    rejilla->addWidget(datos, 0, 0);
    rejilla->addLayout(contactos, 0, 1);
    rejilla->addLayout(archivos, 0, 2);
    rejilla->addLayout(textos, 1, 0, 1, 3);

    connect(m_btnCalendario, &QToolButton::clicked, this, &TMarcoFichaPaciente::MostrarCalendario);
    connect(m_calendario, &QCalendarWidget::clicked, this, [this](const QDate &dia) {
        m_edtFechaNacimiento->setText(TextoFecha(dia));
        m_calendario->hide();
    });
    connect(m_cmbCategoria, &QComboBox::activated, this, &TMarcoFichaPaciente::CategoriaElegida);
    connect(m_btnFotoEditar, &QPushButton::clicked, this, &TMarcoFichaPaciente::btnFotoEditarClick);
    connect(m_btnFotoBorrar, &QPushButton::clicked, this, &TMarcoFichaPaciente::BorrarFoto);
    connect(m_btnDocumentoInsertar, &QPushButton::clicked, this,
            &TMarcoFichaPaciente::btnDocumentoInsertarClick);
    connect(m_btnDocumentoBorrar, &QPushButton::clicked, this, &TMarcoFichaPaciente::BorrarDocumento);
    connect(m_lstDocumentos, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { AbrirDocumento(item->text()); });
}

bool TMarcoFichaPaciente::EsNuevo() const
{
    return m_edicion && m_edicion->EsNuevo();
}

qint64 TMarcoFichaPaciente::IdPaciente() const
{
    return m_edicion ? m_edicion->IdPaciente() : 0;
}

QString TMarcoFichaPaciente::Carpeta() const
{
    return m_edicion ? m_edicion->Carpeta() : QString();
}

void TMarcoFichaPaciente::Mostrar(const TFichaPaciente &f)
{
    m_edtReferencia->setText(f.refPaciente);
    m_edtDNI->setText(f.DNI);
    m_edtNombre->setText(f.Nombre);
    m_edtDireccion->setText(f.Direccion);
    m_edtTelefono->setText(f.Telefono);
    m_edtEmail->setText(f.Email);
    m_edtFechaNacimiento->setText(f.FechaNacimiento);
    (f.Varon ? m_rbHombre : m_rbMujer)->setChecked(true);
    SeleccionarCategoria(f.CodCategoria);
    m_chkActivo->setChecked(f.Activo);
    m_chkFotoBlister->setChecked(f.FotoBlister);
    m_chkControlInventario->setChecked(f.ControlInventario);
    m_memProblemas->setPlainText(f.Problemas);
    m_memEnfermedades->setPlainText(f.Enfermedades);
    m_memAlergias->setPlainText(f.Alergias);
    m_memNotas->setPlainText(f.Notas);
    m_cmbMedicoNombre->Mostrar(f.Medico.Nombre);
    m_edtMedicoTelefono->setText(f.Medico.Telefono);
    m_edtMedicoDireccion->setText(f.Medico.Direccion);
    m_edtMedicoEmail->setText(f.Medico.Email);
    m_edtContactoNombre->setText(f.Contacto.Nombre);
    m_edtContactoTelefono->setText(f.Contacto.Telefono);
    m_edtContactoDireccion->setText(f.Contacto.Direccion);
    m_edtContactoEmail->setText(f.Contacto.Email);
    MostrarFoto();
    MostrarDocumentos();
}

TFichaPaciente TMarcoFichaPaciente::Ficha() const
{
    TFichaPaciente f;
    f.refPaciente = m_edtReferencia->text();
    f.DNI = m_edtDNI->text();
    f.Nombre = m_edtNombre->text();
    f.Direccion = m_edtDireccion->text();
    f.Telefono = m_edtTelefono->text();
    f.Email = m_edtEmail->text();
    f.FechaNacimiento = m_edtFechaNacimiento->text();
    f.Varon = !m_rbMujer->isChecked();
    f.CodCategoria = m_cmbCategoria->currentData().toInt();
    f.Activo = m_chkActivo->isChecked();
    f.FotoBlister = m_chkFotoBlister->isChecked();
    f.ControlInventario = m_chkControlInventario->isChecked();
    f.Problemas = m_memProblemas->toPlainText();
    f.Enfermedades = m_memEnfermedades->toPlainText();
    f.Alergias = m_memAlergias->toPlainText();
    f.Notas = m_memNotas->toPlainText();
    f.Medico = {m_cmbMedicoNombre->currentText(), m_edtMedicoTelefono->text(), m_edtMedicoDireccion->text(),
                m_edtMedicoEmail->text()};
    f.Contacto = {m_edtContactoNombre->text(), m_edtContactoTelefono->text(), m_edtContactoDireccion->text(),
                  m_edtContactoEmail->text()};
    return f;
}

void TMarcoFichaPaciente::SeleccionarCategoria(int codigo)
{
    int indice = m_cmbCategoria->findData(codigo);
    if (indice < 0) {
        // A code without its category row is shown as such, and kept unless changed.
        m_cmbCategoria->addItem(DM().TextoCategoria(codigo), codigo);
        indice = m_cmbCategoria->count() - 1;
    }
    m_cmbCategoria->setCurrentIndex(indice);
    m_categoriaAnterior = codigo;
}

void TMarcoFichaPaciente::Bloquear()
{
    for (QLineEdit *campo : findChildren<QLineEdit *>())
        campo->setReadOnly(true);
    for (QPlainTextEdit *memo : findChildren<QPlainTextEdit *>())
        memo->setReadOnly(true);
    for (QWidget *control : std::initializer_list<QWidget *> {
                 m_btnCalendario, m_rbHombre, m_rbMujer, m_cmbCategoria, m_chkActivo, m_chkFotoBlister,
                 m_chkControlInventario, m_cmbMedicoNombre, m_btnFotoEditar, m_btnFotoBorrar,
                 m_btnDocumentoInsertar, m_btnDocumentoBorrar})
        control->setEnabled(false);
}

void TMarcoFichaPaciente::Enfocar(TCampoFicha campo)
{
    QWidget *destino = nullptr;
    switch (campo) {
    case TCampoFicha::Referencia:
        destino = m_edtReferencia;
        break;
    case TCampoFicha::DNI:
        destino = m_edtDNI;
        break;
    case TCampoFicha::Nombre:
        destino = m_edtNombre;
        break;
    case TCampoFicha::Telefono:
        destino = m_edtTelefono;
        break;
    case TCampoFicha::FechaNacimiento:
        destino = m_edtFechaNacimiento;
        break;
    case TCampoFicha::Foto:
        destino = m_btnFotoEditar;
        break;
    case TCampoFicha::Ninguno:
        return;
    }
    destino->setFocus();
}

bool TMarcoFichaPaciente::Guardar(const QString &accion)
{
    if (!m_edicion || m_soloLectura)
        return false;
    const TFichaPaciente ficha = Ficha();
    if (const std::optional<ErrorFicha> error = m_edicion->Validar(ficha)) {
        MostrarError(error->message());
        Enfocar(error->campo());
        return false;
    }
    TGuardadoFicha guardado;
    try {
        guardado = m_edicion->Guardar(ficha, accion, Preferencias().NoReinoUnido);
    } catch (const ErrorFicha &error) {
        MostrarError(error.message());
        Enfocar(error.campo());
        return false;
    } catch (const AppError &error) {
        MostrarError(error.message());
        return false;
    }
    m_guardada = true;
    if (guardado.referenciaRepetida)
        MostrarAviso(
                Traducir(QStringLiteral("ERR_REF_PACIENTE_REPETIDO"),
                         QStringLiteral("YA EXISTE OTRO PACIENTE CON LA MISMA REFERENCIA"))
                + QLatin1Char('\n')
                + Traducir(QStringLiteral("MSG_REFERENCIA_ASIGNADA"), QStringLiteral("REFERENCIA ASIGNADA: "))
                + guardado.refPaciente);
    if (!guardado.errorArchivos.isEmpty())
        MostrarError(guardado.errorArchivos);
    Mostrar(m_edicion->Abierta());
    return true;
}

void TMarcoFichaPaciente::Descartar(const QString &accion)
{
    if (m_edicion)
        m_edicion->Descartar(accion);
}

QList<TSeccionFicha> TMarcoFichaPaciente::Secciones() const
{
    const TFichaPaciente f = m_edicion->Abierta();
    const auto fila = [this](const char *etiqueta, const QString &valor) {
        return QPair<QString, QString>(Etiqueta(*this, etiqueta), valor);
    };
    TSeccionFicha datos {Titulo(*this, "grpDatos"),
                         {fila("lblReferencia", f.refPaciente),
                          fila("lblDNI", f.DNI),
                          fila("lblNombre", f.Nombre),
                          fila("lblDireccion", f.Direccion),
                          fila("lblTelefono", f.Telefono),
                          fila("lblEmail", f.Email),
                          fila("lblFechaNacimiento", f.FechaNacimiento),
                          fila("lblSexo", (f.Varon ? m_rbHombre : m_rbMujer)->text()),
                          fila("lblCategoria", m_cmbCategoria->currentText()),
                          {m_chkActivo->text(), SiNo(f.Activo)},
                          {m_chkFotoBlister->text(), SiNo(f.FotoBlister)}}};
    if (Preferencias().NoReinoUnido)
        datos.filas.append({m_chkControlInventario->text(), SiNo(f.ControlInventario)});
    const auto contacto = [&](const char *grupo, const TContactoPaciente &c, const char *nombre,
                              const char *telefono, const char *direccion, const char *email) {
        return TSeccionFicha {Titulo(*this, grupo),
                              {fila(nombre, c.Nombre), fila(telefono, c.Telefono),
                               fila(direccion, c.Direccion), fila(email, c.Email)}};
    };
    TSeccionFicha textos {QString(),
                          {{Titulo(*this, "grpProblemas"), f.Problemas},
                           {Titulo(*this, "grpEnfermedades"), f.Enfermedades},
                           {Titulo(*this, "grpAlergias"), f.Alergias},
                           {Titulo(*this, "grpNotas"), f.Notas}}};
    TSeccionFicha documentos {Titulo(*this, "grpDocumentos"), {}};
    for (const QString &nombre : ArchivosPaciente::Documentos(Carpeta()))
        documentos.filas.append({nombre, QString()});
    return {datos,
            contacto("grpMedico", f.Medico, "lblMedicoNombre", "lblMedicoTelefono", "lblMedicoDireccion",
                     "lblMedicoEmail"),
            contacto("grpContacto", f.Contacto, "lblContactoNombre", "lblContactoTelefono",
                     "lblContactoDireccion", "lblContactoEmail"),
            textos, documentos};
}

void TMarcoFichaPaciente::Imprimir(const QString &accion)
{
    if (!m_edicion || (m_soloLectura && m_edicion->EsNuevo()))
        return;
    if (!m_soloLectura && !Guardar(accion))
        return;
    QByteArray foto;
    const QString rutaFoto = ArchivosPaciente::RutaFoto(Carpeta());
    if (QFile fichero(rutaFoto); !rutaFoto.isEmpty() && fichero.open(QIODevice::ReadOnly))
        foto = fichero.readAll();
    TFormPreview::MostrarModal(InformeFichaPaciente(
            Traducir(QStringLiteral("CAPTION_FICHA_PACIENTE"), QStringLiteral("FICHA PACIENTE")), foto,
            Secciones()));
    m_edicion->AuditarImpresion();
}

void TMarcoFichaPaciente::MostrarFoto()
{
    const QString ruta = ArchivosPaciente::RutaFoto(Carpeta());
    const QPixmap foto(ruta);
    if (ruta.isEmpty() || foto.isNull()) {
        m_imgFoto->clear();
        return;
    }
    m_imgFoto->setPixmap(foto.scaled(m_imgFoto->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TMarcoFichaPaciente::MostrarDocumentos()
{
    m_lstDocumentos->clear();
    m_lstDocumentos->addItems(ArchivosPaciente::Documentos(Carpeta()));
}

void TMarcoFichaPaciente::MostrarCalendario()
{
    const QDate fecha = LeerFecha(m_edtFechaNacimiento->text());
    m_calendario->setSelectedDate(fecha.isValid() ? fecha : Clock::today());
    m_calendario->move(m_btnCalendario->mapToGlobal(QPoint(0, m_btnCalendario->height())));
    m_calendario->show();
}

void TMarcoFichaPaciente::CategoriaElegida(int indice)
{
    const int codigo = m_cmbCategoria->itemData(indice).toInt();
    if (codigo == m_categoriaAnterior)
        return;
    // The warning is about loads: a new patient has none, and no category has no load of its own.
    if (!EsNuevo() && codigo != 0) {
        QDate paciente;
        QDate categoria;
        try {
            paciente = FechaSiguienteCarga(DM(), IdPaciente());
            categoria = FechaCargaCategoria(DM(), codigo);
        } catch (const AppError &error) {
            MostrarError(error.message());
            SeleccionarCategoria(m_categoriaAnterior);
            return;
        }
        if (paciente != categoria) {
            const QStringList lineas {
                    Traducir(QStringLiteral("CAPTION_AVISO"), QStringLiteral("AVISO")) + QStringLiteral(" :"),
                    Traducir(QStringLiteral("WRN_PROXIMA_CARGA_PACIENTE"),
                             QStringLiteral("La proxima carga al PACIENTE será la del  :"))
                            + QLatin1Char(' ') + TextoFecha(paciente),
                    Traducir(QStringLiteral("WRN_PROXIMA_CARGA_CATEGORIA"),
                             QStringLiteral("La proxima carga de la CATEGORIA será la del :"))
                            + QLatin1Char(' ') + TextoFecha(categoria),
                    Traducir(QStringLiteral("QST_CAMBIAR_CATEGORIA"),
                             QStringLiteral("¿ESTAS SEGURO QUE QUIERE CAMBIAR DE CATEGORIA?"))};
            if (Confirmar(lineas.join(QLatin1Char('\n'))) != 1) {
                SeleccionarCategoria(m_categoriaAnterior);
                return;
            }
        }
    }
    m_categoriaAnterior = codigo;
}

void TMarcoFichaPaciente::btnFotoEditarClick()
{
    QFileDialog dialogo(this, m_btnFotoEditar->text(), QString(),
                        QStringLiteral("JPG files (*.jpg *.jpeg);;BMP files (*.bmp)"));
    dialogo.setFileMode(QFileDialog::ExistingFile);
    if (dialogo.exec() == QDialog::Accepted && !dialogo.selectedFiles().isEmpty())
        ElegirFoto(dialogo.selectedFiles().first());
}

void TMarcoFichaPaciente::ElegirFoto(const QString &ruta)
{
    const QString error = GuardarFotoPaciente(ruta, Carpeta());
    if (!error.isEmpty())
        MostrarError(error);
    MostrarFoto();
}

void TMarcoFichaPaciente::BorrarFoto()
{
    if (!ArchivosPaciente::BorrarFoto(Carpeta()))
        MostrarError(Traducir(QStringLiteral("ERR_BORRAR_FOTO"),
                              QStringLiteral("NO SE HA PODIDO ELIMINAR LA FOTOGRAFIA")));
    MostrarFoto();
}

void TMarcoFichaPaciente::btnDocumentoInsertarClick()
{
    QFileDialog dialogo(this, m_btnDocumentoInsertar->text(), QString(),
                        QStringLiteral("Todos los ficheros (*)"));
    dialogo.setFileMode(QFileDialog::ExistingFile);
    if (dialogo.exec() == QDialog::Accepted && !dialogo.selectedFiles().isEmpty())
        InsertarDocumento(dialogo.selectedFiles().first());
}

void TMarcoFichaPaciente::InsertarDocumento(const QString &ruta)
{
    if (ArchivosPaciente::ExisteDocumento(Carpeta(), ruta)
        && Confirmar(Traducir(QStringLiteral("QST_SUSTITUIR_DOCUMENTO"),
                              QStringLiteral("YA EXISTE UN DOCUMENTO CON ESE NOMBRE. ¿DESEA SUSTITUIRLO?")))
                != 1)
        return;
    const QString error = ArchivosPaciente::CopiarDocumento(ruta, Carpeta());
    if (!error.isEmpty())
        MostrarError(error);
    MostrarDocumentos();
}

void TMarcoFichaPaciente::BorrarDocumento()
{
    const QListWidgetItem *item = m_lstDocumentos->currentItem();
    if (!item)
        return;
    const QString nombre = item->text();
    if (Confirmar(Traducir(QStringLiteral("QST_ELIMINAR_DOCUMENTO"),
                           QStringLiteral("¿ESTA SEGURO QUE QUIERE ELIMINAR EL DOCUMENTO?")))
        != 1)
        return;
    if (!ArchivosPaciente::BorrarDocumento(Carpeta(), nombre))
        MostrarError(Traducir(QStringLiteral("ERR_BORRAR_DOCUMENTO"),
                              QStringLiteral("NO SE HA PODIDO ELIMINAR EL DOCUMENTO: "))
                     + nombre);
    MostrarDocumentos();
}

void TMarcoFichaPaciente::AbrirDocumento(const QString &nombre)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QDir(Carpeta()).filePath(nombre))))
        MostrarError(Traducir(QStringLiteral("ERR_ABRIR_DOCUMENTO"),
                              QStringLiteral("NO SE HA PODIDO ABRIR EL DOCUMENTO: "))
                     + nombre);
}
