#include "ui/users/FUsuarios.h"

#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "ui/i18n/Componente.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TMenuAdministracion.h"
#include "ui/users/FDlgUsuario.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

enum Columna { kUsuario, kNombre, kClave, kPerfil };

const QString kClaveOculta = QStringLiteral("****");

} // namespace

TFormUsuarios::TFormUsuarios(QWidget *parent)
    : TKelvoForm(parent)
    , m_edtBuscarUsuario(new QLineEdit(this))
    , m_edtBuscarNombre(new QLineEdit(this))
    , m_grdUsuarios(new QTableView(this))
    , m_modelo(new QStandardItemModel(0, 4, this))
{
    setObjectName(QStringLiteral("FormUsuarios"));
    setWindowTitle(QStringLiteral("USUARIOS"));
    m_edtBuscarUsuario->setObjectName(QStringLiteral("edtBuscarUsuario"));
    m_edtBuscarNombre->setObjectName(QStringLiteral("edtBuscarNombre"));
    m_grdUsuarios->setObjectName(QStringLiteral("grdUsuarios"));
    m_modelo->setHorizontalHeaderLabels({QStringLiteral("USUARIO"), QStringLiteral("NOMBRE COMPLETO"),
                                         QStringLiteral("CLAVE"), QStringLiteral("PERFIL")});
    m_grdUsuarios->setModel(m_modelo);
    m_grdUsuarios->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdUsuarios->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdUsuarios->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdUsuarios->horizontalHeader()->setStretchLastSection(true);

    auto *busqueda = new QHBoxLayout;
    busqueda->addWidget(Componente<QLabel>(this, "lblBuscarUsuario", QStringLiteral("USUARIO")));
    busqueda->addWidget(m_edtBuscarUsuario);
    busqueda->addWidget(Componente<QLabel>(this, "lblBuscarNombre", QStringLiteral("NOMBRE")));
    busqueda->addWidget(m_edtBuscarNombre);
    auto *botones = new QHBoxLayout;
    QPushButton *btnNuevo = Componente<QPushButton>(this, "btnNuevo", QStringLiteral("NUEVO"));
    QPushButton *btnEditar = Componente<QPushButton>(this, "btnEditar", QStringLiteral("EDITAR"));
    QPushButton *btnBorrar = Componente<QPushButton>(this, "btnBorrar", QStringLiteral("BORRAR"));
    for (QPushButton *boton : {btnNuevo, btnEditar, btnBorrar})
        botones->addWidget(boton);
    auto *lista = new QVBoxLayout;
    lista->addLayout(busqueda);
    lista->addWidget(m_grdUsuarios);
    lista->addLayout(botones);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(new TMenuAdministracion(this));
    layout->addLayout(lista, 1);

    connect(m_edtBuscarUsuario, &QLineEdit::textChanged, this,
            [this](const QString &texto) { Buscar(kUsuario, texto); });
    connect(m_edtBuscarNombre, &QLineEdit::textChanged, this,
            [this](const QString &texto) { Buscar(kNombre, texto); });
    connect(m_grdUsuarios, &QTableView::doubleClicked, this, &TFormUsuarios::btnEditarClick);
    connect(btnNuevo, &QPushButton::clicked, this, &TFormUsuarios::btnNuevoClick);
    connect(btnEditar, &QPushButton::clicked, this, &TFormUsuarios::btnEditarClick);
    connect(btnBorrar, &QPushButton::clicked, this, &TFormUsuarios::btnBorrarClick);
}

void TFormUsuarios::showEvent(QShowEvent *evento)
{
    TKelvoForm::showEvent(evento);
    Refrescar(idSeleccionado());
}

void TFormUsuarios::Refrescar(int idSeleccionar)
{
    m_usuarios = TUsuarios(DM()).Lista();
    m_modelo->removeRows(0, m_modelo->rowCount());
    int seleccion = 0;
    for (const TFilaUsuario &usuario : m_usuarios) {
        if (usuario.idUsuario == idSeleccionar)
            seleccion = m_modelo->rowCount();
        QList<QStandardItem *> celdas {new QStandardItem(usuario.username), new QStandardItem(usuario.Nombre),
                                       new QStandardItem(kClaveOculta),
                                       new QStandardItem(NombrePerfil(usuario.idPerfil))};
        m_modelo->appendRow(celdas);
    }
    SeleccionarFila(seleccion);
}

int TFormUsuarios::idSeleccionado() const
{
    const int fila = m_grdUsuarios->currentIndex().row();
    return fila >= 0 && fila < m_usuarios.size() ? m_usuarios.at(fila).idUsuario : 0;
}

void TFormUsuarios::SeleccionarFila(int fila)
{
    if (fila < 0 || fila >= m_modelo->rowCount())
        return;
    m_grdUsuarios->setCurrentIndex(m_modelo->index(fila, 0));
    m_grdUsuarios->selectRow(fila);
}

void TFormUsuarios::Buscar(int columna, const QString &texto)
{
    for (int fila = 0; fila < m_usuarios.size(); ++fila) {
        const TFilaUsuario &usuario = m_usuarios.at(fila);
        const QString &valor = columna == kUsuario ? usuario.username : usuario.Nombre;
        if (valor.startsWith(texto, Qt::CaseInsensitive)) {
            SeleccionarFila(fila);
            return;
        }
    }
}

void TFormUsuarios::btnNuevoClick()
{
    TDlgUsuario dialogo(std::nullopt, this);
    if (dialogo.exec() == QDialog::Accepted)
        Refrescar(dialogo.idUsuario());
}

void TFormUsuarios::btnEditarClick()
{
    const int id = idSeleccionado();
    if (id == 0)
        return;
    // Another workstation may have changed or deleted the user meanwhile.
    Refrescar(id);
    if (idSeleccionado() != id)
        return;
    TDlgUsuario dialogo(m_usuarios.at(m_grdUsuarios->currentIndex().row()), this);
    if (dialogo.exec() == QDialog::Accepted)
        Refrescar(id);
}

void TFormUsuarios::btnBorrarClick()
{
    const int id = idSeleccionado();
    if (id == 0)
        return;
    TUsuarios usuarios(DM());
    if (const QString motivo = usuarios.MotivoBorradoImposible(id); !motivo.isEmpty()) {
        MostrarError(motivo);
        return;
    }
    if (Confirmar(Traducir(QStringLiteral("QST_ELIMINAR_USUARIO"),
                           QStringLiteral("¿ESTA SEGURO QUE QUIERE ELIMINAR EL USUARIO?")))
        != 1)
        return;
    ManejadorErrores::Proteger([&] { usuarios.Borrar(id); });
    Refrescar();
}
