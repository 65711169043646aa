#include "ui/loading/FDlgValCarga.h"

#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/dosing/UDispenserTypes.h"
#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "ui/i18n/Componente.h"
#include "ui/loading/QREtiquetasImpresion.h"
#include "ui/loading/RuedaBlister.h"
#include "ui/shell/Mensajes.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableWidget>
#include <QVBoxLayout>

#include <optional>

namespace {

QString TextoMomento(const QDateTime &momento)
{
    if (!momento.isValid())
        return {};
    return TextoFecha(momento.date()) + QLatin1Char(' ') + momento.time().toString(QStringLiteral("HH:mm"));
}

void Llenar(QTableWidget *tabla, const QList<QStringList> &filas)
{
    tabla->setRowCount(int(filas.size()));
    for (int fila = 0; fila < filas.size(); ++fila) {
        for (int columna = 0; columna < filas.at(fila).size(); ++columna)
            tabla->setItem(fila, columna, new QTableWidgetItem(filas.at(fila).at(columna)));
    }
}

QTableWidget *Tabla(QWidget *padre, const char *nombre, const QStringList &titulos)
{
    auto *tabla = Componente<QTableWidget>(padre, nombre);
    tabla->setColumnCount(int(titulos.size()));
    tabla->setHorizontalHeaderLabels(titulos);
    tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla->setSelectionMode(QAbstractItemView::NoSelection);
    tabla->verticalHeader()->hide();
    tabla->horizontalHeader()->setStretchLastSection(true);
    return tabla;
}

} // namespace

TDlgValCarga::TDlgValCarga(TValidacionCarga carga, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_carga(std::move(carga))
    , m_rueda(new TRuedaBlister(this))
    , m_grdMedicacion(
              Tabla(this, "grdMedicacion", {QStringLiteral("CANTIDAD"), QStringLiteral("MEDICAMENTO")}))
    , m_grdAlveolo(Tabla(this, "grdAlveolo",
                         {QStringLiteral("CANTIDAD"), QStringLiteral("MEDICAMENTO"),
                          QStringLiteral("DESCRIPCION"), QStringLiteral("LOTE")}))
    , m_lblCelda(Componente<QLabel>(this, "lblCelda"))
    , m_btnValidar(Componente<QPushButton>(this, "btnValidar", QStringLiteral("VALIDAR")))
{
    setObjectName(QStringLiteral("DlgValCarga"));
    setWindowTitle(QStringLiteral("Validacion Cargas"));
    m_rueda->setObjectName(QStringLiteral("rueda"));
    TextosDeCodigo(*m_lblCelda); // the cell pointed at

    auto *cabecera = new QGridLayout;
    const auto campo
            = [&](int fila, int columna, const char *titulo, const QString &texto, const char *valor) {
                  cabecera->addWidget(Componente<QLabel>(this, titulo, texto), fila, columna * 2);
                  cabecera->addWidget(Valor(valor), fila, columna * 2 + 1);
              };
    campo(0, 0, "lblTituloPaciente", QStringLiteral("PACIENTE :"), "lblPaciente");
    campo(0, 1, "lblTituloRefPaciente", QStringLiteral("ID :"), "lblRefPaciente");
    campo(0, 2, "lblTituloRecarga", QStringLiteral("Nº BLISTER"), "lblRecarga");
    campo(1, 0, "lblTituloRealizado", QStringLiteral("PREPERADO :"), "lblRealizado");
    campo(1, 1, "lblTituloInicio", QStringLiteral("INICIO :"), "lblInicio");
    campo(1, 2, "lblTituloFin", QStringLiteral("FIN :"), "lblFin");
    campo(2, 0, "lblTituloPreparador", QStringLiteral("PREPARADOR POR :"), "lblPreparador");
    campo(2, 1, "lblTituloValidador", QStringLiteral("VALIDADO POR :"), "lblValidador");
    campo(2, 2, "lblTituloValidado", QStringLiteral("VALIDADO :"), "lblValidado");
    campo(3, 0, "lblTituloEntregado", QStringLiteral("ENTREGADO :"), "lblEntregado");
    campo(3, 1, "lblTituloRetornado", QStringLiteral("RETORNADO :"), "lblRetornado");

    auto *alveolo = Componente<QGroupBox>(this, "grpAlveolo");
    alveolo->setTitle(QStringLiteral("MEDICACION INCLUIDA EN EL ALVEOLO"));
    auto *contenido = new QVBoxLayout(alveolo);
    contenido->addWidget(m_lblCelda);
    contenido->addWidget(m_grdAlveolo);
    auto *derecha = new QVBoxLayout;
    derecha->addWidget(Componente<QLabel>(this, "lblTituloMedicacion",
                                          QStringLiteral("MEDICACION INCLUIDA EN EL BLISTER")));
    derecha->addWidget(m_grdMedicacion);
    derecha->addWidget(alveolo);
    auto *centro = new QHBoxLayout;
    centro->addWidget(m_rueda, 1);
    centro->addLayout(derecha, 1);

    auto *btnImprimir = Componente<QPushButton>(this, "btnImprimir", QStringLiteral("IMPRIMIR"));
    auto *btnSalir = Componente<QPushButton>(this, "btnSalir", QStringLiteral("SALIR"));
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    for (QPushButton *boton : {m_btnValidar, btnImprimir, btnSalir}) {
        boton->setAutoDefault(false);
        botones->addWidget(boton);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(cabecera);
    layout->addLayout(centro, 1);
    layout->addLayout(botones);

    connect(m_rueda, &TRuedaBlister::celdaSenalada, this, &TDlgValCarga::MostrarCelda);
    connect(m_btnValidar, &QPushButton::clicked, this, &TDlgValCarga::btnValidarClick);
    connect(btnImprimir, &QPushButton::clicked, this, &TDlgValCarga::btnImprimirClick);
    connect(btnSalir, &QPushButton::clicked, this, &QDialog::accept);

    MostrarCabecera();
    MostrarMedicacion();
    m_rueda->Marcar(0);
    MostrarCelda(0);
    resize(1000, 640);
}

QLabel *TDlgValCarga::Valor(const char *nombre)
{
    auto *etiqueta = new QLabel(this);
    etiqueta->setObjectName(QString::fromLatin1(nombre));
    TextosDeCodigo(*etiqueta); // the load's data
    m_valores.insert(etiqueta->objectName(), etiqueta);
    return etiqueta;
}

void TDlgValCarga::MostrarCabecera()
{
    const TCabeceraValidacion &c = m_carga.Cabecera();
    const QList<std::pair<const char *, QString>> valores {
            {"lblPaciente", c.Paciente},
            {"lblRefPaciente", c.RefPaciente},
            {"lblRecarga", QString::number(c.refRecarga)},
            {"lblRealizado", TextoMomento(c.FechaRealizado)},
            {"lblInicio", TextoFecha(c.FechaInicio)},
            {"lblFin", TextoFecha(c.FechaFin)},
            {"lblPreparador", c.Preparador},
            {"lblValidador", c.Validador},
            {"lblValidado", TextoMomento(c.FechaValidado)},
            {"lblEntregado", TextoMomento(c.FechaEntrega)},
            {"lblRetornado", TextoMomento(c.FechaRetornado)},
    };
    for (const auto &[nombre, texto] : valores)
        m_valores.value(QString::fromLatin1(nombre))->setText(texto);
    // A load is validated once; the button stays for the others.
    m_btnValidar->setEnabled(m_carga.existe() && !c.Validada());
}

void TDlgValCarga::MostrarMedicacion()
{
    QList<QStringList> filas;
    for (const TFilaMedicacionBlister &fila : m_carga.MedicacionBlister())
        filas << QStringList {fila.Cantidad, fila.Medicamento};
    Llenar(m_grdMedicacion, filas);
    QStringList unidades;
    for (int celda = 0; celda < kCeldasSemana; ++celda) {
        const std::optional<int> cuenta = m_carga.UnidadesCelda(celda);
        unidades << (cuenta ? QStringLiteral("%1").arg(*cuenta, 2) : QString());
    }
    m_rueda->AsignarTextos(unidades);
}

void TDlgValCarga::MostrarCelda(int celda)
{
    m_lblCelda->setText(TValidacionCarga::NombreCelda(celda));
    QList<QStringList> filas;
    for (const TFilaAlveolo &fila : m_carga.Alveolo(celda))
        filas << QStringList {fila.Cantidad, fila.Medicamento, fila.Aspecto, fila.Lote};
    Llenar(m_grdAlveolo, filas);
}

void TDlgValCarga::btnValidarClick()
{
    if (!m_carga.existe() || m_carga.Cabecera().Validada())
        return;
    if (Confirmar(Traducir(QStringLiteral("QST_VALIDAR_CARGA"),
                           QStringLiteral("¿ESTA SEGURO QUE QUIERE VALIDAR LA CARGA?")))
        != 1)
        return;
    const TValidacionCarga::TResultado resultado = m_carga.Validar();
    MostrarCabecera();
    if (resultado == TValidacionCarga::TResultado::YaValidada)
        MostrarAviso(Traducir(QStringLiteral("WRN_CARGA_YA_VALIDADA"),
                              QStringLiteral("LA CARGA YA HABIA SIDO VALIDADA DESDE OTRO PUESTO")));
    else if (resultado == TValidacionCarga::TResultado::NoExiste)
        MostrarAviso(Traducir(QStringLiteral("WRN_CARGA_BORRADA"),
                              QStringLiteral("LA CARGA HA SIDO BORRADA DESDE OTRO PUESTO")));
}

void TDlgValCarga::btnImprimirClick()
{
    QREtiquetasImpresion::MostrarResumenCarga(m_carga.Cabecera().idRecarga);
    AuditarImpresionEtiquetas(); // the validation's own row, beside the print's
}

void ValidarCarga(qint64 idRecarga, QWidget *parent)
{
    std::optional<TValidacionCarga> carga;
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restaurar = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        ManejadorErrores::Proteger([&] { carga.emplace(idRecarga); });
    }
    if (!carga || !carga->existe())
        return;
    DM().PacienteActivoPorId(QString::number(carga->Cabecera().idPaciente));
    carga->AuditarConsulta();
    TDlgValCarga dialogo(std::move(*carga), parent);
    dialogo.exec();
}
