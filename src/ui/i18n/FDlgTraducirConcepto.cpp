#include "ui/i18n/FDlgTraducirConcepto.h"

#include "ui/i18n/BotonesDialogo.h"
#include "ui/i18n/Componente.h"
#include "ui/shell/Mensajes.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

struct TCampoIdioma
{
    const char *etiqueta;
    const char *caja;
    const char *texto;
};
const TCampoIdioma kCampos[LineaCatalogo::kIdiomas] = {{"lblCastellano", "edtCastellano", "CASTELLANO"},
                                                       {"lblPortugues", "edtPortugues", "PORTUGUES"},
                                                       {"lblFrances", "edtFrances", "FRANCES"},
                                                       {"lblIngles", "edtIngles", "INGLES"},
                                                       {"lblItaliano", "edtItaliano", "ITALIANO"}};

} // namespace

TFormFDlgTraducirConcepto::TFormFDlgTraducirConcepto(const TFilaTraduccion &fila, int columna, bool nueva,
                                                     Guardar guardar, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_guardar(std::move(guardar))
    , m_edtClave(Componente<QLineEdit>(this, "edtClave"))
{
    setObjectName(QStringLiteral("FormFDlgTraducirConcepto"));
    setWindowTitle(QStringLiteral("Literales"));
    resize(700, sizeHint().height());
    auto *campos = new QFormLayout;
    auto *lblClave = Componente<QLabel>(this, "lblClave", QStringLiteral("CLAVE"));
    TextosDeCodigo(*m_edtClave);
    m_edtClave->setText(fila.Campo);
    m_edtClave->setReadOnly(!nueva);
    campos->addRow(lblClave, m_edtClave);

    const int elegido = columna - 1;
    // The chosen language comes second, right below the Spanish text.
    QList<int> orden {0};
    if (elegido > 0)
        orden << elegido;
    for (int idioma = 1; idioma < LineaCatalogo::kIdiomas; ++idioma) {
        if (!orden.contains(idioma))
            orden << idioma;
    }
    for (const int idioma : orden) {
        auto *etiqueta = Componente<QLabel>(this, kCampos[idioma].etiqueta,
                                            QString::fromLatin1(kCampos[idioma].texto));
        auto *caja = Componente<QLineEdit>(this, kCampos[idioma].caja);
        TextosDeCodigo(*caja);
        caja->setText(fila.Textos.at(idioma));
        m_edtTextos.at(idioma) = caja;
        const bool visible = elegido == 0 || idioma == 0 || idioma == elegido;
        etiqueta->setVisible(visible);
        caja->setVisible(visible);
        campos->addRow(etiqueta, caja);
    }
    m_edtTextos.at(0)->setReadOnly(!nueva);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(campos);
    layout->addLayout(BotonesAceptarCancelar(this, [this] { btnAceptarClick(); }));
    (nueva ? m_edtClave : m_edtTextos.at(elegido > 0 ? elegido : 0))->setFocus();
}

void TFormFDlgTraducirConcepto::btnAceptarClick()
{
    Textos textos;
    for (int idioma = 0; idioma < LineaCatalogo::kIdiomas; ++idioma)
        textos.at(idioma) = m_edtTextos.at(idioma)->text();
    if (const QString error = m_guardar(m_edtClave->text(), textos); !error.isEmpty()) {
        MostrarError(error);
        return;
    }
    accept();
}
