#include "ui/data/FDlgBackupRestaurar.h"

#include "core/data/CopiaSeguridad.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/shell/FinAplicacion.h"
#include "ui/shell/Mensajes.h"

#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace CopiaSeguridad;

TDlgBackupRestaurar::TDlgBackupRestaurar(QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_carpeta(CarpetaBackup(DM()))
    , m_lista(new QListWidget(this))
{
    setObjectName(QStringLiteral("DlgBackupRestaurar"));
    setWindowTitle(QStringLiteral("RESTAURAR BACKUP"));
    m_lista->setObjectName(QStringLiteral("lstBackups"));
    auto *btnRestaurar = new QPushButton(QStringLiteral("RESTAURAR"), this);
    btnRestaurar->setObjectName(QStringLiteral("btnRestaurar"));
    auto *btnSalir = new QPushButton(QStringLiteral("SALIR"), this);
    btnSalir->setObjectName(QStringLiteral("btnSalir"));
    connect(btnRestaurar, &QPushButton::clicked, this, &TDlgBackupRestaurar::btnRestaurarClick);
    connect(btnSalir, &QPushButton::clicked, this, &QDialog::reject);
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(btnRestaurar);
    botones->addWidget(btnSalir);
    auto *disposicion = new QVBoxLayout(this);
    disposicion->addWidget(m_lista, 1);
    disposicion->addLayout(botones);
    resize(420, 360);
    LlenarLista();
}

void TDlgBackupRestaurar::LlenarLista()
{
    QDir().mkpath(m_carpeta);
    m_lista->addItems(QDir(m_carpeta).entryList(QDir::Files, QDir::Name));
}

void TDlgBackupRestaurar::btnRestaurarClick()
{
    const QListWidgetItem *elegido = m_lista->currentItem();
    if (!elegido)
        return;
    if (Confirmar(Traducir(QStringLiteral("QST_RESTAURAR_SISTEMA"),
                           QStringLiteral("¿ESTA SEGURO DE RESTAURAR EL SISTEMA?")))
        != 1)
        return;
    if (!BackupDisponible(DM().motor())) {
        MostrarAviso(TextoBackupNoDisponible());
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const TResultadoRestauracion resultado
            = RestaurarBaseDatos(DM(), QDir(m_carpeta).filePath(elegido->text()));
    QGuiApplication::restoreOverrideCursor();
    MostrarAviso(RegistrarRestauracion(resultado));
    // A file refused before the connection closed changed nothing: the application goes on.
    if (!resultado.conexionCerrada)
        return;
    MostrarAviso(
            Traducir(QStringLiteral("WRN_RESTAURACION_PARAR_PROGRAMA"),
                     QStringLiteral("EL PROGRAMA SE VA A CERRAR PARA QUE SURTA EFECTO LA  RESTAURACION")));
    accept();
    TerminarAplicacion();
}
