#include "ui/dispenser/FParametrosMaquina.h"

#include "core/dispenser/UDispenserTCP.h"
#include "core/i18n/ULenguaje.h"
#include "ui/i18n/Componente.h"
#include "ui/shell/Mensajes.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDlgParametrosMaquina::TDlgParametrosMaquina(const TParametrosMaquina &parametros, QWidget *parent)
    : TKelvoDlgForm(parent)
{
    setObjectName(QStringLiteral("DlgParametrosMaquina"));
    setWindowTitle(QStringLiteral("Dispenser Parameters"));
    setModal(true);
    const TInfoMaquina &info = parametros.info;
    auto *filas = new QFormLayout;
    Fila(filas, "IdMaq", QStringLiteral("Numero de Serie"), info.IdMaq);
    Fila(filas, "IdDIGI", QStringLiteral("Version DIGI"), info.IdDIGI);
    Fila(filas, "VerPIC", QStringLiteral("Version PIC"), info.Ver_PIC);
    Fila(filas, "VeruPC", QStringLiteral("Version uPC"), info.Ver_uPC);
    Fila(filas, "VerUBoot", QStringLiteral("Version UBoot"), info.Ver_UBoot);
    Fila(filas, "VerKernel", QStringLiteral("VersionKernel"), info.Ver_Kernel);
    Fila(filas, "VerRootFS", QStringLiteral("Version RootFS"), info.Ver_RootFS);
    Fila(filas, "Contador", QStringLiteral("Num Blisters"), info.Contador);
    Fila(filas, "ADCSensor", QStringLiteral("ADC Sensor"), info.ADCSensor);
    Fila(filas, "ADCSensi", QStringLiteral("Sensibilidad"), info.ADCSensi);
    Fila(filas, "Version", QStringLiteral("Version"), parametros.version);
    Fila(filas, "Humedad", QStringLiteral("Humedad"), QString::number(parametros.humedad));
    Fila(filas, "Temperatura", QStringLiteral("Temperatura"), QString::number(parametros.temperatura));
    // The machine reports no blister position; the field is kept for the service staff.
    Fila(filas, "PosicionBlister", QStringLiteral("Posicion Blister"), QStringLiteral("0"));
    Fila(filas, "IPLocal", QStringLiteral("IP Local"), parametros.ipLocal);
    Fila(filas, "DNS", QStringLiteral("DNS"), parametros.red.DNS);
    Fila(filas, "Mascara", QStringLiteral("MASC"), parametros.red.Mascara);
    Fila(filas, "Gateway", QStringLiteral("Gateway"), parametros.red.Gateway);
    auto *btnSalir = Componente<QPushButton>(this, "btnSalir", QStringLiteral("EXIT"));
    btnSalir->setDefault(true);
    connect(btnSalir, &QPushButton::clicked, this, &QDialog::accept);
    auto *disposicion = new QVBoxLayout(this);
    disposicion->addLayout(filas);
    disposicion->addWidget(btnSalir, 0, Qt::AlignRight);
}

void TDlgParametrosMaquina::Fila(QFormLayout *filas, const char *nombre, const QString &rotulo,
                                 const QString &valor)
{
    const QByteArray componente(nombre);
    auto *campo = Componente<QLineEdit>(this, QByteArray("edt" + componente).constData());
    campo->setReadOnly(true);
    campo->setMinimumWidth(240); // "IP Local" holds two addresses
    campo->setText(valor);
    TextosDeCodigo(*campo);
    filas->addRow(Componente<QLabel>(this, QByteArray("lbl" + componente).constData(), rotulo), campo);
}

void VerParametrosMaquina(QWidget *parent)
{
    TDispenserTCP *maquina = DispenserSiExiste();
    const std::optional<TParametrosMaquina> parametros
            = maquina ? LeerParametrosMaquina(*maquina, maquina->DireccionMaquina()) : std::nullopt;
    if (!parametros) {
        MostrarError(Traducir(QStringLiteral("ERR_ACC_MAQUINA"),
                              QStringLiteral("NO SE HA PODIDO ACCEDER A NINGUNA MAQUINA")));
        return;
    }
    TDlgParametrosMaquina(*parametros, parent).exec();
}
