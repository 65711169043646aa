#pragma once

#include "core/i18n/EdicionTraducciones.h"
#include "ui/i18n/TKelvoDlgForm.h"

#include <array>

class QComboBox;
class QHBoxLayout;
class QPushButton;
class QStandardItem;
class QStandardItemModel;
class QTableView;
class TListadoRejilla;

// The translation editor: the catalogue lines of one window (chosen in "Pantalla :"), the
// Spanish text beside the language in use, editable in the grid or, with a double click, in the
// line dialog. "Aplicar" saves the catalogue and translates every open window again; "Aceptar"
// does the same and closes. "Excel" (developer mode) writes the grid to a spreadsheet.
class TFPantallaTraducciones : public TKelvoDlgForm
{
    Q_OBJECT

public:
    // `ventana`: the window whose lines are shown first; `columna`: the language index + 1.
    TFPantallaTraducciones(QWidget &ventana, int columna, QWidget *parent = nullptr);

    const TEdicionTraducciones &Edicion() const { return m_edicion; }

    void SeleccionarPantalla(const QString &codigo);
    void btnVerTodosClick();
    void btnSinTraduccionClick();
    void btnNuevoClick();
    void EditarFila(int filaVista);
    // Save; false when the file could not be written (the handler has reported it).
    bool btnAplicarClick();
    void btnAceptarClick();
    void btnExcelClick();

private:
    QHBoxLayout *CrearCabecera();
    QHBoxLayout *CrearBusquedas();
    void CrearRejilla();
    QHBoxLayout *CrearPie();
    void MarcarColumnaOrdenada();
    bool IdiomaVisible(int idioma) const;
    void Rellenar();
    void DisponerColumnas(bool conClave);
    void CeldaCambiada(QStandardItem *celda);

    TEdicionTraducciones m_edicion;
    QComboBox *m_cbPantallas;
    QTableView *m_rejilla;
    QStandardItemModel *m_modelo;
    TListadoRejilla *m_listado = nullptr;
    bool m_rellenando = false;
};

// Opens the editor modally on a window's lines with the given column type.
void EditarTraducciones(QWidget &ventana, int columna);
// The column type of the language in use (index + 1).
int ColumnaIdiomaActual();
