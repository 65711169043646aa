#pragma once

#include "ui/shell/TPantalla.h"

#include <optional>

class QCheckBox;
class QComboBox;
class TComboCategorias;
class TRejillaPacientesNecesidad;

// "LISTADOS", beside the needs: the active patients of a category (or of none, or every one), of
// which the user ticks some and prints their administration chart by week or by time slot (from
// a start date asked first) or their treatment sheets, all through the preview. Nothing is written.
class TFormListados : public TPantalla
{
    Q_OBJECT

public:
    // The documents offered, in the order of the print choice.
    enum class TListado { Administracion, AdministracionFranjas, Tratamientos };

    explicit TFormListados(QWidget *parent = nullptr);

    void cmbCategoriaChange();
    void chkTodosClick(bool marcados);
    void btnImprimirClick();

protected:
    // Each visit starts afresh: every active patient, none ticked.
    void AlMostrar() override;

private:
    // Nothing for the empty entry (every patient), else the code (0: without category).
    std::optional<int> CategoriaElegida() const;
    void ImprimirHoja(const QList<qint64> &pacientes, bool porFranjas);
    void IrAlPrimerPaciente();

    TComboCategorias *m_cmbCategoria;
    QCheckBox *m_chkTodos;
    TRejillaPacientesNecesidad *m_grdPacientes;
    QComboBox *m_cmbListado;
};
