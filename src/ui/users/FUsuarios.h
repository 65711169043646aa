#pragma once

#include "core/users/TUsuarios.h"
#include "ui/i18n/TKelvoForm.h"

class QLineEdit;
class QStandardItemModel;
class QTableView;

// The users screen: the users created here (service users are not listed), re-read whenever the
// screen is shown, found by the beginning of the user name or of the full name, and created,
// edited and deleted through the user dialog. The logged-in user and the last pharmacist cannot
// be deleted.
class TFormUsuarios : public TKelvoForm
{
    Q_OBJECT

public:
    explicit TFormUsuarios(QWidget *parent = nullptr);

    void btnNuevoClick();
    void btnEditarClick();
    void btnBorrarClick();

    // Re-reads the list and selects the user with this id (the first row when it is gone).
    void Refrescar(int idSeleccionar = 0);
    // The id of the selected user; 0 when the list is empty.
    int idSeleccionado() const;

protected:
    void showEvent(QShowEvent *evento) override;

private:
    // Selects the first row whose column begins with the text, without regard to case.
    void Buscar(int columna, const QString &texto);
    void SeleccionarFila(int fila);

    QList<TFilaUsuario> m_usuarios;
    QLineEdit *m_edtBuscarUsuario;
    QLineEdit *m_edtBuscarNombre;
    QTableView *m_grdUsuarios;
    QStandardItemModel *m_modelo;
};
