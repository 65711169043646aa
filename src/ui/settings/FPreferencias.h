#pragma once

#include "core/settings/EdicionPreferencias.h"
#include "ui/shell/TPantalla.h"
#include "ui/shell/TrabajoEnCurso.h"

#include <QByteArray>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

// The preferences screen of the administration: the pharmacy's data, the loading limits, the
// label settings, the doctors and the logo are stored when the screen is left; language, country,
// blister type and label layout take effect and are stored as soon as they change. It also starts
// the system functions (backup, restore, database location, the machine's functions).
class TFormPreferencias : public TPantalla, public TTrabajoEnCurso
{
    Q_OBJECT

public:
    explicit TFormPreferencias(QWidget *parent = nullptr);

    // Stores what the user changed. A field that fails its check is shown with its message and
    // selected; nothing is stored then and false is returned.
    bool GuardarPantalla();
    // Whether leaving would store anything.
    bool HayCambios() const;
    // The logo from a picture file; a file that is not a picture is refused with a message.
    void CargarLogo(const QString &fichero);
    void BorrarLogo();

    std::optional<bool> SalirDeLaAplicacion() override;

protected:
    void AlMostrar() override;
    void hideEvent(QHideEvent *evento) override;

private:
    QWidget *PaginaFarmacia();
    QWidget *PaginaCarga();
    QWidget *PaginaEtiquetas();
    QWidget *PaginaSistema();
    void Rellenar(const TCamposPreferencias &campos);
    TCamposPreferencias Campos() const;
    QLineEdit *CampoNumerico(TCampoNumerico campo) const;
    void LeerMaquina();
    void MostrarLogo();
    void CambiarIdioma(int idioma);
    void CambiarPais(int pais);
    void CambiarTipoCarga(int tipo);
    void CambiarTipoBlister(int tipo);
    void CambiarPlantilla(int indice);

    QTabWidget *m_paginas;
    QLineEdit *m_edtNombre, *m_edtTitular, *m_edtTelefono, *m_edtEmail, *m_edtWeb, *m_edtCP, *m_edtCF;
    QPlainTextEdit *m_memDireccion;
    QPlainTextEdit *m_memMedicos;
    QLabel *m_imgLogo;
    QLineEdit *m_edtTempMin, *m_edtTempMax, *m_edtHumMin, *m_edtHumMax, *m_edtT, *m_edtH;
    QComboBox *m_cmbIdioma, *m_cmbPais, *m_cmbTipoCarga, *m_cmbTipoBlister;
    QLabel *m_lblPais, *m_lblTipoBlister;
    QLineEdit *m_edtDX, *m_edtDY;
    QComboBox *m_cmbImpresora, *m_cmbPlantilla;
    QCheckBox *m_chkLoteCaducidad;
    QString m_ip; // carried unseen through the save
    QString m_impresoraGuardada; // shown even when it is not installed any more
    QByteArray m_logo;
    TLecturasMaquina m_lecturas;
    bool m_logoEditado = false;
    bool m_idiomaCambiado = false;
    bool m_rellenando = false;
    bool m_guardadoFallido = false; // the edit is kept until the user corrects it
};
