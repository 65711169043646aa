#include "ui/loading/RejillasCarga.h"

#include "core/i18n/ULenguaje.h"
#include "core/loading/FilasCarga.h"
#include "core/loading/TSesionCarga.h"
#include "ui/i18n/Componente.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace RejillasCarga {

namespace {

// Columns of the other medication grid.
enum ColumnaOtroMedicamento { kColOtroSPD, kColOtroMedicamento, kColOtroPosologia, kColOtroDescripcion };

// A small blister: a strip of cells, filled for medication that goes into the blister.
QIcon IconoBlister(bool enBlister)
{
    QPixmap dibujo(24, 12);
    dibujo.fill(Qt::transparent);
    QPainter pintor(&dibujo);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setPen(QPen(Qt::darkGray, 1));
    pintor.setBrush(QColor(235, 235, 235));
    pintor.drawRoundedRect(QRectF(0.5, 0.5, 23, 11), 2, 2);
    pintor.setBrush(enBlister ? QColor(40, 140, 60) : Qt::white);
    for (int celda = 0; celda < 4; ++celda)
        pintor.drawEllipse(QRectF(2 + celda * 5.5, 3, 4, 6));
    return QIcon(dibujo);
}

void Fila(QTableWidget &rejilla, int fila, const QStringList &textos, const QColor &color = {})
{
    for (int columna = 0; columna < textos.size(); ++columna) {
        auto *celda = new QTableWidgetItem(textos.at(columna));
        if (color.isValid())
            celda->setForeground(color);
        rejilla.setItem(fila, columna, celda);
    }
}

} // namespace

QTableWidget *Rejilla(QWidget *padre, const char *nombre, const QStringList &campos, int columnaNombre)
{
    auto *rejilla = Componente<QTableWidget>(padre, nombre);
    rejilla->setColumnCount(int(campos.size()));
    QStringList titulos;
    for (const QString &campo : campos)
        titulos << QLatin1Char('-') + campo;
    rejilla->setHorizontalHeaderLabels(titulos);
    rejilla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rejilla->setSelectionBehavior(QAbstractItemView::SelectRows);
    rejilla->setSelectionMode(QAbstractItemView::SingleSelection);
    rejilla->verticalHeader()->hide();
    rejilla->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    rejilla->horizontalHeader()->setSectionResizeMode(columnaNombre, QHeaderView::Stretch);
    return rejilla;
}

QTableWidget *RejillaMedicamentos(QWidget *padre)
{
    QTableWidget *rejilla
            = Rejilla(padre, "grdMedicamentos",
                      {QStringLiteral("SPD"), QStringLiteral("Medicamento"), QStringLiteral("Carga"),
                       QStringLiteral("Falta"), QStringLiteral("Estado"), QStringLiteral("Dosis"),
                       QStringLiteral("Disponible"), QStringLiteral("Porcion"), QStringLiteral("Descripcion"),
                       QStringLiteral("Posologia"), QStringLiteral("icorrect"),
                       QStringLiteral("IdMedicamento"), QStringLiteral("Inventario")},
                      kColMedicamento);
    for (int columna = kColDosis; columna < kColumnasMedicamento; ++columna)
        rejilla->setColumnHidden(columna, true);
    return rejilla;
}

QTableWidget *RejillaOtros(QWidget *padre)
{
    QTableWidget *rejilla = Rejilla(padre, "grdOtros",
                                    {QStringLiteral("SPD"), QStringLiteral("Medicamento"),
                                     QStringLiteral("Posologia"), QStringLiteral("Descripcion")},
                                    kColOtroMedicamento);
    rejilla->setColumnHidden(kColOtroDescripcion, true);
    return rejilla;
}

void LlenarRejillas(QTableWidget &medicamentos, QTableWidget &otros, const TSesionCarga &sesion,
                    const QHash<qint32, double> &inventario)
{
    const QList<TFilaMedicamento> filas
            = FilasMedicamentos(sesion.Carga(), sesion.Paciente().conInventario, sesion.LimiteCaducidad());
    medicamentos.setRowCount(0);
    medicamentos.setRowCount(int(filas.size()));
    const QLocale local;
    for (int i = 0; i < filas.size(); ++i) {
        const TFilaMedicamento &f = filas.at(i);
        Fila(medicamentos, i,
             {f.SPD, f.Medicamento, QString::number(f.Carga), QString::number(f.Falta), f.Estado, f.Dosis,
              local.toString(f.Disponible), local.toString(f.Porcion), f.Descripcion, f.Posologia,
              f.icorrect ? QStringLiteral("1") : QStringLiteral("0"), QString::number(f.IdMedicamento),
              local.toString(inventario.value(f.IdLinea))},
             f.icorrect ? QColor() : QColor(Qt::red));
        medicamentos.item(i, kColSPD)->setIcon(IconoBlister(true));
        medicamentos.item(i, kColMedicamento)->setToolTip(f.Medicamento);
    }
    const QList<TFilaOtroMedicamento> otras = FilasOtrosMedicamentos(sesion.Carga());
    otros.setRowCount(0);
    otros.setRowCount(int(otras.size()));
    for (int i = 0; i < otras.size(); ++i) {
        const TFilaOtroMedicamento &f = otras.at(i);
        Fila(otros, i, {f.SPD, f.Medicamento, f.Posologia, f.Descripcion});
        otros.item(i, kColOtroSPD)->setIcon(IconoBlister(false));
        otros.item(i, kColOtroMedicamento)->setToolTip(f.Medicamento);
    }
    if (sesion.IndiceActual() >= 0 && sesion.IndiceActual() < medicamentos.rowCount())
        medicamentos.selectRow(sesion.IndiceActual());
}

QString TextoEstadoUI(int estado)
{
    switch (estado) {
    case EstadoCargaUI::kCargando:
        return Traducir(QStringLiteral("STR_INICIADO"), QStringLiteral("(CARGANDO...)"));
    case EstadoCargaUI::kCancelado:
        return Traducir(QStringLiteral("STR_CANCELADO"), QStringLiteral("(CANCELADO)"));
    case EstadoCargaUI::kCompletado:
        return Traducir(QStringLiteral("STR_COMPLETADO"), QStringLiteral("(COMPLETADO)"));
    default:
        return Traducir(QStringLiteral("STR_CARGADO"), QStringLiteral("(SIN COMENZAR)"));
    }
}

void MostrarConexion(QLabel &etiqueta, bool conectado)
{
    if (conectado) {
        etiqueta.setText(Traducir(QStringLiteral("STR_CONECTADO"), QStringLiteral("CONECTADO")));
        etiqueta.setStyleSheet(QStringLiteral("color: white; background-color: green;"));
    } else {
        etiqueta.setText(Traducir(QStringLiteral("STR_DESCONECTADO"), QStringLiteral("DESCONECTADO")));
        etiqueta.setStyleSheet(QString());
    }
}

std::optional<QDate> ElegirFecha(QWidget *padre, const QDate &fecha)
{
    QDialog dialogo(padre);
    dialogo.setObjectName(QStringLiteral("DlgCalendario"));
    auto *calendario = Componente<QCalendarWidget>(&dialogo, "calendario");
    calendario->setSelectedDate(fecha);
    auto *layout = new QVBoxLayout(&dialogo);
    layout->addWidget(calendario);
    QObject::connect(calendario, &QCalendarWidget::activated, &dialogo, &QDialog::accept);
    if (dialogo.exec() != QDialog::Accepted)
        return std::nullopt;
    return calendario->selectedDate();
}

} // namespace RejillasCarga
