#include "ui/stock/FDlgIntroducirToma.h"

#include "core/i18n/ULenguaje.h"
#include "ui/i18n/BotonesDialogo.h"
#include "ui/i18n/Componente.h"
#include "ui/shell/Mensajes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TDlgIntroducirToma::TDlgIntroducirToma(QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_memComentario(Componente<QPlainTextEdit>(this, "memComentario"))
    , m_edtComprimidos(Componente<QLineEdit>(this, "edtComprimidos", QStringLiteral("0")))
{
    setObjectName(QStringLiteral("DlgIntroducirToma"));
    setWindowTitle(Traducir(QStringLiteral("CAPTION_INTRODUCIR_TOMA"), QStringLiteral("INTRODUCIR TOMA")));
    m_memComentario->setTabChangesFocus(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Componente<QLabel>(this, "lblComentario", QStringLiteral("COMENTARIO")));
    layout->addWidget(m_memComentario);
    auto *comprimidos = new QHBoxLayout;
    comprimidos->addWidget(Componente<QLabel>(this, "lblComprimidos", QStringLiteral("COMPRIMIDOS")));
    comprimidos->addWidget(m_edtComprimidos);
    comprimidos->addStretch();
    layout->addLayout(comprimidos);
    layout->addLayout(BotonesAceptarCancelar(this, [this] { btnAceptarClick(); }));
    m_memComentario->setFocus();
}

QString TDlgIntroducirToma::Comentario() const
{
    return m_memComentario->toPlainText();
}

void TDlgIntroducirToma::btnAceptarClick()
{
    const std::optional<int> comprimidos = LeerComprimidosToma(m_edtComprimidos->text());
    if (!comprimidos) {
        MostrarError(Traducir(QStringLiteral("ERR_DATO_NUMERICO"),
                              QStringLiteral("EL DATO A INTRODUCIR DEBE SER NUMERICO MAYOR QUE CERO")));
        m_edtComprimidos->setFocus();
        m_edtComprimidos->selectAll();
        return;
    }
    m_comprimidos = *comprimidos;
    accept();
}

std::optional<TTomaRetornada> TDlgIntroducirToma::Pedir(QWidget *parent)
{
    TDlgIntroducirToma dialogo(parent);
    if (dialogo.exec() != QDialog::Accepted)
        return std::nullopt;
    return TTomaRetornada {true, dialogo.Comprimidos(), dialogo.Comentario()};
}
