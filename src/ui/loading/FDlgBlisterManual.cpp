#include "ui/loading/FDlgBlisterManual.h"

#include "core/dosing/UDispenserTypes.h"
#include "core/i18n/ULenguaje.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QStringList kDias {QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("X"), QStringLiteral("J"),
                         QStringLiteral("V"), QStringLiteral("S"), QStringLiteral("D")};
const QStringList kTomas {QStringLiteral("DESAYUNO"), QStringLiteral("COMIDA"), QStringLiteral("CENA"),
                          QStringLiteral("NOCHE")};

QLabel *Etiqueta(QWidget *padre, const QString &nombre, const QString &texto)
{
    auto *etiqueta = new QLabel(texto, padre);
    etiqueta->setObjectName(nombre);
    return etiqueta;
}

} // namespace

TDlgBlisterManual::TDlgBlisterManual(const TBlisterManual &blister, QWidget *parent)
    : TKelvoDlgForm(parent)
{
    setObjectName(QStringLiteral("DlgBlisterManual"));
    setWindowTitle(QStringLiteral("CARGA MANUAL"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Etiqueta(this, QStringLiteral("lblPaciente"), blister.paciente));
    layout->addWidget(Etiqueta(this, QStringLiteral("lblMedicamento"),
                               blister.idMedicamento + QLatin1Char(' ') + blister.medicamento));
    layout->addWidget(Etiqueta(this, QStringLiteral("lblAspecto"), blister.aspecto));

    // One row per time of day, one column per day, as the blister lies on the table.
    auto *celdas = new QGridLayout;
    for (int dia = 0; dia < kDias.size(); ++dia)
        celdas->addWidget(new QLabel(kDias.at(dia), this), 0, dia + 1, Qt::AlignCenter);
    for (int toma = 0; toma < kTomas.size(); ++toma)
        celdas->addWidget(new QLabel(kTomas.at(toma), this), toma + 1, 0);
    const QStringList cuentas = blister.celdas.split(QLatin1Char(';'));
    for (int celda = 0; celda < kCeldasSemana && celda < cuentas.size(); ++celda) {
        const QString cuenta = cuentas.at(celda) == QLatin1String("0") ? QString() : cuentas.at(celda);
        auto *etiqueta = Etiqueta(this, QStringLiteral("lblCelda%1").arg(celda), cuenta);
        etiqueta->setAlignment(Qt::AlignCenter);
        etiqueta->setMinimumSize(36, 28);
        etiqueta->setFrameShape(blister.tipoBlister == 1 ? QFrame::Box : QFrame::Panel);
        celdas->addWidget(etiqueta, celda % kTomasDia + 1, celda / kTomasDia + 1);
    }
    layout->addLayout(celdas);

    auto *botones = new QDialogButtonBox(this);
    auto *btnAceptar = botones->addButton(QStringLiteral("ACEPTAR"), QDialogButtonBox::AcceptRole);
    btnAceptar->setObjectName(QStringLiteral("btnAceptar"));
    auto *btnCancelar = botones->addButton(QStringLiteral("CANCELAR"), QDialogButtonBox::RejectRole);
    btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
    layout->addWidget(botones);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool TDlgBlisterManual::Mostrar(const TBlisterManual &blister, QWidget *parent)
{
    TDlgBlisterManual dialogo(blister, parent);
    return dialogo.exec() == QDialog::Accepted;
}
