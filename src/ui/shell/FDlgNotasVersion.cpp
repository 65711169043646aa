#include "ui/shell/FDlgNotasVersion.h"

#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/AppDirectory.h"
#include "core/shell/ReleaseNotes.h"
#include "ui/i18n/Componente.h"
#include "ui/shell/Mensajes.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TDlgNotasVersion::TDlgNotasVersion(const QString &titulo, const QStringList &notas, QWidget *parent)
    : TKelvoDlgForm(parent)
{
    setObjectName(QStringLiteral("DlgNotasVersion"));
    setModal(true);
    setWindowTitle(QStringLiteral("CONSULTA DE VERSION"));
    if (!titulo.isEmpty()) {
        // The caller's title, translated by the caller.
        TextosDeCodigo(*this);
        setWindowTitle(titulo);
    }
    auto *lstNotas = Componente<QListWidget>(this, "lstNotas");
    TextosDeCodigo(*lstNotas);
    lstNotas->setSelectionMode(QAbstractItemView::NoSelection);
    lstNotas->addItem(QStringLiteral(" "));
    lstNotas->addItems(notas);
    auto *btnAceptar = Componente<QPushButton>(this, "btnAceptar", QStringLiteral("ACEPTAR"));
    btnAceptar->setDefault(true);
    connect(btnAceptar, &QPushButton::clicked, this, &QDialog::accept);
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(btnAceptar);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lstNotas, 1);
    layout->addLayout(botones);
    resize(640, 480);
}

bool VerNotasVersion(const QString &build, const QString &titulo, const QString &fichero, QWidget *parent)
{
    TDlgNotasVersion ventana(titulo, ReleaseNotes::notesSince(ReleaseNotes::readNotes(fichero), build),
                             parent);
    return ventana.exec() == QDialog::Accepted;
}

void VerNotasDelIdioma(QWidget *parent)
{
    const QString fichero = ReleaseNotes::notesFile(AppDirectory::current(), Preferencias().Idioma);
    if (!QFile::exists(fichero)) {
        MostrarAviso(Traducir(QStringLiteral("MSG_SIN_NOTAS_VERSION"),
                              QStringLiteral("NO HAY NOTAS DE VERSION PARA ESTE IDIOMA")));
        return;
    }
    VerNotasVersion(ReleaseNotes::kWholeFile,
                    Traducir(QStringLiteral("CAPTION_INFO"), QStringLiteral("INFO")), fichero, parent);
}
