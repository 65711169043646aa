#include "ui/stock/TBlisterRetorno.h"

#include "core/dosing/NombresSemana.h"
#include "core/stock/TomasRetornadas.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kDias = kCeldasSemana / kTomasDia;
const QString kEstiloLibre = QStringLiteral("QPushButton { background-color: white; }");
const QString kEstiloMarcada
        = QStringLiteral("QPushButton { background-color: #f5b041; font-weight: bold; }");

} // namespace

TBlisterRetorno::TBlisterRetorno(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("blisterRetorno"));
    auto *rejilla = new QGridLayout(this);
    rejilla->setSpacing(4);
    // The words are set by Mostrar in the current language; they are no text of the form.
    for (int dia = 0; dia < kDias; ++dia) {
        auto *rotulo = new QLabel(this);
        rotulo->setAlignment(Qt::AlignCenter);
        rejilla->addWidget(rotulo, 0, dia + 1);
        m_dias << rotulo;
    }
    for (int franja = 0; franja < kTomasDia; ++franja) {
        auto *rotulo = new QLabel(this);
        rejilla->addWidget(rotulo, franja + 1, 0);
        m_franjas << rotulo;
    }
    for (int toma = 1; toma <= TTomasRetornadas::kTomas; ++toma) {
        auto *celda = new QPushButton(this);
        celda->setObjectName(QStringLiteral("btnToma%1").arg(toma));
        celda->setMinimumSize(56, 44);
        celda->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        rejilla->addWidget(celda, (toma - 1) % kTomasDia + 1, (toma - 1) / kTomasDia + 1);
        connect(celda, &QPushButton::clicked, this, [this, toma] { emit tomaPulsada(toma); });
        m_celdas << celda;
    }
}

void TBlisterRetorno::Mostrar(const TTomasRetornadas &tomas)
{
    const QStringList dias = NombresDias();
    const QStringList franjas = NombresTomas();
    for (int dia = 0; dia < kDias; ++dia)
        m_dias.at(dia)->setText(dias.at(dia));
    for (int franja = 0; franja < kTomasDia; ++franja)
        m_franjas.at(franja)->setText(franjas.at(franja));
    for (int toma = 1; toma <= TTomasRetornadas::kTomas; ++toma) {
        const TTomaRetornada &marca = tomas.Toma(toma);
        QPushButton *celda = Celda(toma);
        celda->setText(marca.Marcada ? QStringLiteral("%1\n(%2)").arg(toma).arg(marca.Comprimidos)
                                     : QString::number(toma));
        celda->setStyleSheet(marca.Marcada ? kEstiloMarcada : kEstiloLibre);
        celda->setProperty("marcada", marca.Marcada);
    }
}

QPushButton *TBlisterRetorno::Celda(int toma) const
{
    return TTomasRetornadas::EsToma(toma) ? m_celdas.at(toma - 1) : nullptr;
}
