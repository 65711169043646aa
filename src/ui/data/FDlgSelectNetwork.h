#pragma once

#include "core/shell/AppDirectory.h"
#include "ui/i18n/TKelvoDlgForm.h"

class QLineEdit;
class QRadioButton;
class QSpinBox;
class QWidget;

// "SELECT DATA BASE FILE": where this workstation's database lives. A local installation uses
// "data.dat" of the application directory; a network installation a PostgreSQL server shared by
// the workstations, with a shared folder for the patients' files, either made new from this
// workstation's data or an existing one. "CONECTAR" tests the choice and keeps it only when the
// test succeeds; a kept choice takes effect at the next start, so "CONTINUAR" then ends the
// application. The dialog cannot be closed while the workstation has no connection setting.
class TDlgSelectNetwork : public TKelvoDlgForm
{
    Q_OBJECT

public:
    explicit TDlgSelectNetwork(const AppDirectory &directorio = AppDirectory::current(),
                               QWidget *parent = nullptr);

    void done(int resultado) override;

private:
    void RellenarServidor();
    void ActualizarHabilitados();
    void ElegirCarpeta();
    void btnConectarClick();
    void btnContinuarClick();
    QString UrlServidor() const;

    AppDirectory m_directorio;
    bool m_reiniciar = false;
    QLineEdit *m_edtConectado;
    QRadioButton *m_rbLocal;
    QRadioButton *m_rbRed;
    QRadioButton *m_rbNoPrevia;
    QRadioButton *m_rbPrevia;
    QWidget *m_panelRed;
    QLineEdit *m_edtServidor;
    QSpinBox *m_spnPuerto;
    QLineEdit *m_edtBaseDatos;
    QLineEdit *m_edtUsuario;
    QLineEdit *m_edtClave;
    QLineEdit *m_edtCarpeta;
};
