#pragma once

#include "core/patients/ListaPacientes.h"
#include "ui/shell/TPantalla.h"

#include <QHash>

#include <functional>

class QComboBox;
class TComboCategorias;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QStandardItemModel;
class QTableView;
class TListadoRejilla;

// The patients list, the entry of the administration screens: the patients filtered by activity
// and category, inactive ones in red, sorted by a click on a column title, found by the beginning
// of their reference, name or identity number. A double click opens an active patient's hub; the
// buttons create, edit, deactivate or reactivate, and delete patients, and print the list and the
// selected patients' cards. Filters, sort and the selected patient are kept while the screen lives.
class TFormPacientes : public TPantalla
{
    Q_OBJECT

public:
    explicit TFormPacientes(QWidget *parent = nullptr);

    // The patient card, connected by the composition root: true when the card stored the patient.
    std::function<bool()> OnNuevoPaciente;
    std::function<bool(qint64 idPaciente)> OnEditarPaciente;

    // Re-reads the categories and the list with the filters chosen, in the order last chosen, and
    // keeps the current patient selected while it is listed. Runs each time the screen is shown.
    void Refrescar();
    // The patient of the current row; 0 when none.
    qint64 idSeleccionado() const;

protected:
    void AlMostrar() override;
    // A double click on the label of a search box sorts by its column, as a click on its title.
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    TFiltroPacientes Filtro() const;
    void LlenarRejilla(const QList<TFilaListaPacientes> &filas);
    // Selects the first row whose column begins with the text, without regard to case.
    void Buscar(int columna, const QString &texto);
    bool SeleccionarId(qint64 id);
    void SeleccionarFila(int fila);
    QList<qint64> IdsListados() const;
    void ActualizarBotonBaja();

    void grdPacientesDblClick(const QModelIndex &indice);
    void btnNuevoClick();
    void btnEditarClick();
    void btnBajaClick();
    void btnBorrarClick();
    void btnImprimirClick();
    void btnTarjetasClick();

    QComboBox *m_cmbActivo;
    TComboCategorias *m_cmbCategoria;
    QLineEdit *m_edtBuscarReferencia;
    QLineEdit *m_edtBuscarNombre;
    QLineEdit *m_edtBuscarDNI;
    QTableView *m_grdPacientes;
    QStandardItemModel *m_modelo;
    TListadoRejilla *m_listado;
    QPushButton *m_btnBaja;
    QHash<QObject *, int> m_etiquetasOrden; // search box label -> its column
};
