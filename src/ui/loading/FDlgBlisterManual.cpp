#include "ui/loading/FDlgBlisterManual.h"

#include "core/dosing/NombresSemana.h"
#include "core/dosing/UDispenserTypes.h"
#include "core/settings/uPreferencias.h"
#include "ui/i18n/Componente.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Where the cells lie on the pictures of the round card, in pixels: the first cell's centre,
// the distance between neighbouring cells and the cells' diameter.
constexpr int kPrimeraX = 195;
constexpr int kPrimeraY = 105;
constexpr int kPaso = 90;
constexpr int kDiametro = 76;

const QString kIdiomaPorDefecto = QStringLiteral("3");

} // namespace

TDlgBlisterManual::TDlgBlisterManual(const TBlisterManual &blister, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_forma(FormaBlister(blister.tipoBlister))
{
    const bool cuadrada = m_forma == TFormaBlister::Cuadrada;
    setObjectName(cuadrada ? QStringLiteral("DlgBlisterManual") : QStringLiteral("DlgBlisterManualRedondo"));
    setWindowTitle(cuadrada ? QStringLiteral("BLISTER MANUAL") : QStringLiteral("BLISTER MANUAL REDONDO"));

    auto *datos = new QFormLayout;
    const auto dato = [&](const char *titulo, const QString &textoTitulo, const char *nombre,
                          const QString &valor) {
        datos->addRow(Componente<QLabel>(this, titulo, textoTitulo), Componente<QLabel>(this, nombre, valor));
    };
    dato("lblTituloPaciente", QStringLiteral("PACIENTE"), "lblPaciente", blister.paciente);
    dato("lblTituloMedicamento", QStringLiteral("MEDICAMENTO"), "lblMedicamento", blister.medicamento);
    dato("lblTituloDescripcion", QStringLiteral("DESCRIPCION"), "lblAspecto", blister.aspecto);
    dato("lblTituloCN", QStringLiteral("CN"), "lblCN", blister.idMedicamento);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(datos);
    const QStringList textos = TextosCeldasManual(blister.celdas, blister.porcion, m_forma);
    if (cuadrada) {
        auto *rejilla = new QGridLayout;
        CeldasCuadradas(rejilla, textos);
        layout->addLayout(rejilla);
    } else {
        layout->addWidget(CeldasRedondas(textos), 0, Qt::AlignCenter);
    }

    auto *btnContinuar = Componente<QPushButton>(this, "btnContinuar", QStringLiteral("CONTINUAR"));
    btnContinuar->setDefault(true);
    auto *btnCancelar = Componente<QPushButton>(this, "btnCancelar", QStringLiteral("CANCELAR"));
    btnCancelar->setAutoDefault(false);
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(btnContinuar);
    botones->addWidget(btnCancelar);
    layout->addLayout(botones);
    connect(btnContinuar, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
    btnContinuar->setFocus();
}

QString TDlgBlisterManual::ImagenRedonda(const QString &idioma)
{
    const QString ruta = QStringLiteral(":/carga/blister_redondo_%1.png");
    const bool conocido
            = idioma.size() == 1 && idioma.at(0) >= QLatin1Char('0') && idioma.at(0) <= QLatin1Char('4');
    return ruta.arg(conocido ? idioma : kIdiomaPorDefecto);
}

QLabel *TDlgBlisterManual::Celda(QWidget *padre, int celda, const QString &texto)
{
    auto *etiqueta = new QLabel(texto, padre);
    etiqueta->setObjectName(QStringLiteral("lblCelda%1").arg(celda));
    etiqueta->setAlignment(Qt::AlignCenter);
    QFont letra = etiqueta->font();
    letra.setBold(true);
    etiqueta->setFont(letra);
    return etiqueta;
}

// Days and times of day as every cell of the application names them; one row per time of day.
void TDlgBlisterManual::CeldasCuadradas(QGridLayout *rejilla, const QStringList &textos)
{
    const QStringList dias = NombresDias();
    const QStringList tomas = NombresTomas();
    for (int dia = 0; dia < dias.size(); ++dia)
        rejilla->addWidget(new QLabel(dias.at(dia), this), 0, dia + 1, Qt::AlignCenter);
    for (int toma = 0; toma < tomas.size(); ++toma)
        rejilla->addWidget(new QLabel(tomas.at(toma), this), toma + 1, 0);
    for (int celda = 0; celda < kCeldasSemana; ++celda) {
        QLabel *etiqueta = Celda(this, celda, textos.value(celda));
        etiqueta->setMinimumSize(80, 44);
        etiqueta->setFrameShape(QFrame::Box);
        rejilla->addWidget(etiqueta, celda % kTomasDia + 1, celda / kTomasDia + 1);
    }
}

// The card's picture carries the names of the days and times; the texts lie on its cells.
QWidget *TDlgBlisterManual::CeldasRedondas(const QStringList &textos)
{
    auto *tarjeta = Componente<QLabel>(this, "imgBlister");
    const QPixmap imagen(ImagenRedonda(Preferencias().Idioma));
    tarjeta->setPixmap(imagen);
    tarjeta->setFixedSize(imagen.size());
    for (int celda = 0; celda < kCeldasSemana; ++celda) {
        QLabel *etiqueta = Celda(tarjeta, celda, textos.value(celda));
        const QPoint centro(kPrimeraX + (celda / kTomasDia) * kPaso, kPrimeraY + (celda % kTomasDia) * kPaso);
        etiqueta->setGeometry(
                QRect(centro - QPoint(kDiametro / 2, kDiametro / 2), QSize(kDiametro, kDiametro)));
    }
    return tarjeta;
}

int BlisterManual(const TBlisterManual &blister, QWidget *parent)
{
    TDlgBlisterManual dialogo(blister, parent);
    return dialogo.exec() == QDialog::Accepted ? 1 : 2;
}
