#include "ui/dispenser/FConfigurarRedMaquina.h"

#include "core/dispenser/UDispenserTCP.h"
#include "core/i18n/ULenguaje.h"
#include "ui/i18n/BotonesDialogo.h"
#include "ui/i18n/Componente.h"
#include "ui/shell/Mensajes.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// Four parts of up to three digits; blanks stand for the digits not typed.
const QString kMascaraDireccion = QStringLiteral("000.000.000.000; ");

QLineEdit *CampoDireccion(QWidget *padre, const char *nombre, const QString &valor)
{
    auto *campo = Componente<QLineEdit>(padre, nombre);
    campo->setInputMask(kMascaraDireccion);
    campo->setText(valor);
    TextosDeCodigo(*campo);
    return campo;
}

} // namespace

TDlgConfigurarRedMaquina::TDlgConfigurarRedMaquina(const TRedMaquina &reportada, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_red(reportada)
    , m_edtMascara(CampoDireccion(this, "edtMascara", reportada.Mascara))
    , m_edtGateway(CampoDireccion(this, "edtGateway", reportada.Gateway))
    , m_edtDNS(CampoDireccion(this, "edtDNS", reportada.DNS))
{
    setObjectName(QStringLiteral("DlgConfigurarRedMaquina"));
    setWindowTitle(QStringLiteral("CONFIGURACION IP MAQUINA"));
    setModal(true);
    auto *campos = new QFormLayout;
    campos->addRow(Componente<QLabel>(this, "lblMascara", QStringLiteral("MASK :")), m_edtMascara);
    campos->addRow(Componente<QLabel>(this, "lblGateway", QStringLiteral("GATEWAY :")), m_edtGateway);
    campos->addRow(Componente<QLabel>(this, "lblDNS", QStringLiteral("DNS :")), m_edtDNS);
    auto *disposicion = new QVBoxLayout(this);
    disposicion->addLayout(campos);
    disposicion->addLayout(BotonesAceptarCancelar(this, [this] { btnAceptarClick(); }));
}

QLineEdit *TDlgConfigurarRedMaquina::Campo(TCampoRed campo) const
{
    switch (campo) {
    case TCampoRed::Mascara:
        return m_edtMascara;
    case TCampoRed::Gateway:
        return m_edtGateway;
    case TCampoRed::DNS:
        return m_edtDNS;
    }
    return m_edtMascara;
}

void TDlgConfigurarRedMaquina::btnAceptarClick()
{
    const auto resultado = RedAEnviar(m_red, {m_edtMascara->text(), m_edtGateway->text(), m_edtDNS->text()});
    if (const auto *fallo = std::get_if<TFalloRed>(&resultado)) {
        MostrarError(fallo->resultado.Mensaje());
        Campo(fallo->campo)->setFocus();
        return;
    }
    m_red = std::get<TRedMaquina>(resultado);
    accept();
}

void ConfigurarRedMaquina(QWidget *parent)
{
    TDispenserTCP *maquina = DispenserSiExiste();
    const std::optional<TRedMaquina> reportada = maquina ? LeerRedConfigurable(*maquina) : std::nullopt;
    if (!reportada) {
        MostrarError(Traducir(QStringLiteral("ERR_MAQUINA_DESCONECTADA"),
                              QStringLiteral("NO SE PUEDE CARGAR PORQUE LA MAQUINA NO ESTA CONECTADA")));
        return;
    }
    TDlgConfigurarRedMaquina dialogo(*reportada, parent);
    if (dialogo.exec() == QDialog::Accepted)
        maquina->ConfigurarIP(dialogo.Red());
}
