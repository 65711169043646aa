#include "ui/i18n/FPantallaTraducciones.h"

#include "core/data/ManejadorErrores.h"
#include "core/i18n/ULenguaje.h"
#include "ui/i18n/Componente.h"
#include "ui/i18n/FDlgTraducirConcepto.h"
#include "ui/reports/ListadoRejilla.h"
#include "ui/shell/Mensajes.h"

#include <QColor>
#include <QComboBox>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// Grid columns: the screen, the key, then the five languages in catalogue order.
constexpr int kColCodigo = 0;
constexpr int kColCampo = 1;
constexpr int kColPrimerIdioma = 2;
constexpr int kColumnas = kColPrimerIdioma + LineaCatalogo::kIdiomas;
// The row of the working copy a grid row shows.
constexpr int kRolFila = Qt::UserRole + 1;

const char *const kCajasBusqueda[LineaCatalogo::kIdiomas]
        = {"edtBuscarCastellano", "edtBuscarPortugues", "edtBuscarFrances", "edtBuscarIngles",
           "edtBuscarItaliano"};

QPushButton *Boton(QWidget *padre, const char *nombre, const QString &texto, QHBoxLayout *fila)
{
    auto *boton = Componente<QPushButton>(padre, nombre, texto);
    boton->setAutoDefault(false);
    fila->addWidget(boton);
    return boton;
}

} // namespace

TFPantallaTraducciones::TFPantallaTraducciones(QWidget &ventana, int columna, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_edicion(ExisteLenguaje() ? Lenguaje().Lineas() : QStringList(), columna)
    , m_cbPantallas(Componente<QComboBox>(this, "cbPantallas"))
    , m_rejilla(Componente<QTableView>(this, "grdTraducciones"))
    , m_modelo(new QStandardItemModel(0, kColumnas, this))
{
    setObjectName(QStringLiteral("FPantallaTraducciones"));
    setWindowTitle(QStringLiteral("TRADUCCIONES"));
    resize(1000, 600);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(CrearCabecera());
    layout->addLayout(CrearBusquedas());
    CrearRejilla();
    layout->addWidget(m_rejilla, 1);
    layout->addLayout(CrearPie());
    SeleccionarPantalla(ventana.objectName());
}

QHBoxLayout *TFPantallaTraducciones::CrearCabecera()
{
    TextosDeCodigo(*m_cbPantallas);
    m_cbPantallas->addItems(m_edicion.Pantallas());
    m_cbPantallas->setCurrentIndex(-1);
    connect(m_cbPantallas, &QComboBox::currentTextChanged, this,
            &TFPantallaTraducciones::SeleccionarPantalla);
    auto *cabecera = new QHBoxLayout;
    cabecera->addWidget(Componente<QLabel>(this, "lblPantalla", QStringLiteral("Pantalla :")));
    cabecera->addWidget(m_cbPantallas, 1);
    connect(Boton(this, "btnVerTodos", QStringLiteral("Ver Todos"), cabecera), &QPushButton::clicked, this,
            &TFPantallaTraducciones::btnVerTodosClick);
    connect(Boton(this, "btnSinTraduccion", QStringLiteral("Sin Traduccion"), cabecera),
            &QPushButton::clicked, this, &TFPantallaTraducciones::btnSinTraduccionClick);
    connect(Boton(this, "btnNuevo", QStringLiteral("Nuevo"), cabecera), &QPushButton::clicked, this,
            &TFPantallaTraducciones::btnNuevoClick);
    return cabecera;
}

// One search box per language shown, above the grid.
QHBoxLayout *TFPantallaTraducciones::CrearBusquedas()
{
    auto *busquedas = new QHBoxLayout;
    for (int idioma = 0; idioma < LineaCatalogo::kIdiomas; ++idioma) {
        QLineEdit *caja = Componente<QLineEdit>(this, kCajasBusqueda[idioma]);
        TextosDeCodigo(*caja);
        caja->setVisible(IdiomaVisible(idioma));
        connect(caja, &QLineEdit::textChanged, this, [this, idioma](const QString &texto) {
            m_edicion.Buscar(idioma, texto);
            Rellenar();
        });
        busquedas->addWidget(caja);
    }
    return busquedas;
}

void TFPantallaTraducciones::CrearRejilla()
{
    m_modelo->setHorizontalHeaderLabels({QStringLiteral("CODIGO"), QStringLiteral("CLAVE"),
                                         QStringLiteral("CASTELLANO"), QStringLiteral("PORTUGUES"),
                                         QStringLiteral("FRANCES"), QStringLiteral("INGLES"),
                                         QStringLiteral("ITALIANO")});
    m_rejilla->setModel(m_modelo);
    // The visible columns share the width equally, also when the window is resized.
    m_rejilla->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_rejilla->verticalHeader()->hide();
    m_listado = new TListadoRejilla(*m_rejilla, Qt::AscendingOrder);
    // After the listing has sorted: the sorted column's title in dark red, the others in black.
    connect(m_rejilla->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TFPantallaTraducciones::MarcarColumnaOrdenada);
    connect(m_modelo, &QStandardItemModel::itemChanged, this, &TFPantallaTraducciones::CeldaCambiada);
    connect(m_rejilla, &QTableView::doubleClicked, this,
            [this](const QModelIndex &indice) { EditarFila(indice.row()); });
}

QHBoxLayout *TFPantallaTraducciones::CrearPie()
{
    auto *pie = new QHBoxLayout;
    QPushButton *btnExcel = Boton(this, "btnExcel", QStringLiteral("Excel"), pie);
    btnExcel->setVisible(ExisteLenguaje() && Lenguaje().ModoDesarrollo());
    connect(btnExcel, &QPushButton::clicked, this, &TFPantallaTraducciones::btnExcelClick);
    pie->addStretch();
    connect(Boton(this, "btnAplicar", QStringLiteral("Aplicar"), pie), &QPushButton::clicked, this,
            &TFPantallaTraducciones::btnAplicarClick);
    connect(Boton(this, "btnAceptar", QStringLiteral("Aceptar"), pie), &QPushButton::clicked, this,
            &TFPantallaTraducciones::btnAceptarClick);
    connect(Boton(this, "btnCancelar", QStringLiteral("Cancelar"), pie), &QPushButton::clicked, this,
            &QDialog::reject);
    return pie;
}

void TFPantallaTraducciones::MarcarColumnaOrdenada()
{
    for (int columna = 0; columna < kColumnas; ++columna) {
        const bool ordenada = columna == m_listado->ColumnaOrdenada();
        m_modelo->setHeaderData(columna, Qt::Horizontal, QColor(ordenada ? Qt::darkRed : Qt::black),
                                Qt::ForegroundRole);
    }
}

bool TFPantallaTraducciones::IdiomaVisible(int idioma) const
{
    return m_edicion.Columna() == 1 || idioma == 0 || idioma == m_edicion.IdiomaElegido();
}

void TFPantallaTraducciones::SeleccionarPantalla(const QString &codigo)
{
    if (codigo.isEmpty())
        return;
    const QSignalBlocker bloqueo(m_cbPantallas);
    m_cbPantallas->setCurrentText(codigo);
    m_edicion.FiltrarPantalla(codigo);
    DisponerColumnas(false);
    Rellenar();
}

void TFPantallaTraducciones::btnVerTodosClick()
{
    m_edicion.VerTodos();
    DisponerColumnas(true);
    Rellenar();
}

void TFPantallaTraducciones::btnSinTraduccionClick()
{
    m_edicion.SinTraduccion();
    Rellenar();
}

void TFPantallaTraducciones::DisponerColumnas(bool conClave)
{
    m_rejilla->setColumnHidden(kColCodigo, true);
    m_rejilla->setColumnHidden(kColCampo, !conClave);
    for (int idioma = 0; idioma < LineaCatalogo::kIdiomas; ++idioma) {
        m_rejilla->setColumnHidden(kColPrimerIdioma + idioma, !IdiomaVisible(idioma));
    }
}

void TFPantallaTraducciones::Rellenar()
{
    m_rellenando = true;
    m_modelo->removeRows(0, m_modelo->rowCount());
    // Spanish is read-only beside a single language; type 1 edits all five.
    const bool castellanoEditable = m_edicion.Columna() == 1;
    for (const int indice : m_edicion.Visibles()) {
        const TFilaTraduccion &fila = m_edicion.Filas().at(indice);
        QList<QStandardItem *> celdas {new QStandardItem(fila.Codigo), new QStandardItem(fila.Campo)};
        for (const QString &texto : fila.Textos)
            celdas << new QStandardItem(texto);
        for (int columna = 0; columna < kColumnas; ++columna) {
            const bool editable
                    = columna > kColPrimerIdioma || (columna == kColPrimerIdioma && castellanoEditable);
            celdas.at(columna)->setEditable(editable);
        }
        celdas.first()->setData(indice, kRolFila);
        m_modelo->appendRow(celdas);
    }
    m_listado->Reordenar();
    m_rellenando = false;
}

void TFPantallaTraducciones::CeldaCambiada(QStandardItem *celda)
{
    if (m_rellenando || celda->column() < kColPrimerIdioma)
        return;
    const int indice = m_modelo->item(celda->row(), kColCodigo)->data(kRolFila).toInt();
    auto textos = m_edicion.Filas().at(indice).Textos;
    textos.at(celda->column() - kColPrimerIdioma) = celda->text();
    if (const QString error = m_edicion.Modificar(indice, textos); !error.isEmpty()) {
        MostrarError(error);
        const QSignalBlocker bloqueo(m_modelo);
        celda->setText(m_edicion.Filas().at(indice).Textos.at(celda->column() - kColPrimerIdioma));
    }
}

void TFPantallaTraducciones::EditarFila(int filaVista)
{
    const QStandardItem *primera = m_modelo->item(filaVista, kColCodigo);
    if (!primera)
        return;
    const int indice = primera->data(kRolFila).toInt();
    TFormFDlgTraducirConcepto dialogo(
            m_edicion.Filas().at(indice), m_edicion.Columna(), false,
            [this, indice](const QString &, const TFormFDlgTraducirConcepto::Textos &textos) {
                return m_edicion.Modificar(indice, textos);
            },
            this);
    if (dialogo.exec() == QDialog::Accepted)
        Rellenar();
}

void TFPantallaTraducciones::btnNuevoClick()
{
    // A new key starts with the screen chosen; message keys ("Literal") have no prefix.
    const QString pantalla = m_cbPantallas->currentText();
    TFilaTraduccion nueva;
    if (!pantalla.isEmpty() && pantalla != TEdicionTraducciones::kLiteral)
        nueva.Campo = pantalla + QLatin1Char('.');
    TFormFDlgTraducirConcepto dialogo(
            nueva, 1, true,
            [this](const QString &clave, const TFormFDlgTraducirConcepto::Textos &textos) {
                return m_edicion.Agregar(clave, textos);
            },
            this);
    if (dialogo.exec() == QDialog::Accepted)
        Rellenar();
}

bool TFPantallaTraducciones::btnAplicarClick()
{
    if (!ExisteLenguaje() || !ManejadorErrores::Proteger([this] { m_edicion.Guardar(Lenguaje()); }))
        return false;
    TKelvoVentana::TraducirTodas();
    Rellenar();
    return true;
}

void TFPantallaTraducciones::btnAceptarClick()
{
    // A catalogue that could not be written keeps the editor open, so no edit is lost.
    if (btnAplicarClick())
        accept();
}

void TFPantallaTraducciones::btnExcelClick()
{
    const QString fichero = m_listado->ExportarConDialogo();
    if (!fichero.isEmpty() && !QDesktopServices::openUrl(QUrl::fromLocalFile(fichero)))
        MostrarAviso(Traducir(QStringLiteral("ERR_EXCEL_NO_INSTALADO"),
                              QStringLiteral("Cannot start Excel/Excel not installed ?")));
}

void EditarTraducciones(QWidget &ventana, int columna)
{
    TFPantallaTraducciones editor(ventana, columna, ventana.window());
    editor.exec();
}

int ColumnaIdiomaActual()
{
    return (ExisteLenguaje() ? Lenguaje().Idioma() : 0) + 1;
}
