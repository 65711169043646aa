#include "ui/i18n/FDlgSelectLanguaje.h"

#include "core/i18n/ULenguaje.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

// Each language and country is written in its own language: the dialog is shown before any
// language has been chosen, so its texts stay as they are in every language.
const QStringList kIdiomas
        = {QStringLiteral("Castellano"), QStringLiteral("Português"), QStringLiteral("Française"),
           QStringLiteral("English"), QStringLiteral("Italiano")};
const QStringList kPaises
        = {QStringLiteral("España"),         QStringLiteral("Portugal"), QStringLiteral("France"),
           QStringLiteral("United Kingdom"), QStringLiteral("Italia"),   QStringLiteral("Slovenia")};

QListWidget *Lista(QWidget *padre, const QString &nombre, const QStringList &elementos)
{
    auto *lista = new QListWidget(padre);
    lista->setObjectName(nombre);
    lista->addItems(elementos);
    return lista;
}

QLabel *Etiqueta(QWidget *padre, const QString &nombre, const QString &texto)
{
    auto *etiqueta = new QLabel(texto, padre);
    etiqueta->setObjectName(nombre);
    return etiqueta;
}

} // namespace

TDlgSelectLanguaje::TDlgSelectLanguaje(std::function<void(int idioma)> alElegirIdioma, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_alElegirIdioma(std::move(alElegirIdioma))
    , m_idiomas(Lista(this, QStringLiteral("lstIdioma"), kIdiomas))
    , m_paises(Lista(this, QStringLiteral("lstPais"), kPaises))
{
    setObjectName(QStringLiteral("DlgSelectLanguaje"));
    setWindowTitle(QStringLiteral("SELECT LANGUAGE - COUNTRY"));
    setModal(true);

    auto *continuar = new QPushButton(QStringLiteral("CONTINUE"), this);
    continuar->setObjectName(QStringLiteral("btnContinuar"));
    continuar->setDefault(true);

    auto *rejilla = new QGridLayout(this);
    rejilla->addWidget(Etiqueta(this, QStringLiteral("lblIdioma"), QStringLiteral("LANGUAGE")), 0, 0);
    rejilla->addWidget(Etiqueta(this, QStringLiteral("lblPais"), QStringLiteral("COUNTRY")), 0, 1);
    rejilla->addWidget(m_idiomas, 1, 0);
    rejilla->addWidget(m_paises, 1, 1);
    rejilla->addWidget(continuar, 2, 1, Qt::AlignRight);

    connect(m_idiomas, &QListWidget::currentRowChanged, this, &TDlgSelectLanguaje::IdiomaElegido);
    connect(m_paises, &QListWidget::currentRowChanged, this, [this](int fila) {
        if (fila >= 0)
            m_pais = QString::number(fila);
    });
    connect(continuar, &QPushButton::clicked, this, [this] {
        if (HayEleccion())
            accept();
    });
}

void TDlgSelectLanguaje::IdiomaElegido(int fila)
{
    if (fila < 0)
        return;
    m_idioma = QString::number(fila);
    if (ExisteLenguaje())
        Lenguaje().SetIdioma(fila);
    if (m_alElegirIdioma)
        m_alElegirIdioma(fila);
}

void TDlgSelectLanguaje::done(int resultado)
{
    // Escape and the window's close button end here too: nothing closes it without a choice.
    if (HayEleccion())
        TKelvoDlgForm::done(resultado);
}

void TDlgSelectLanguaje::closeEvent(QCloseEvent *evento)
{
    if (HayEleccion())
        TKelvoDlgForm::closeEvent(evento);
    else
        evento->ignore();
}
