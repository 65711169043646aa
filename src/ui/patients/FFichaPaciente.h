#pragma once

#include "ui/shell/TPantalla.h"

class TMarcoFichaPaciente;

// The active patient's card inside the main window, reached from the patient hub's "FICHA":
// "FICHA PACIENTE" over the card, with "IMPRIMIR" and "VOLVER". "VOLVER" stores the card (a
// read-only card is only left) and then announces volver(); a card that cannot be stored keeps
// the screen open. Created afresh each time it is opened.
class TFormFichaPaciente : public TPantalla
{
    Q_OBJECT

public:
    static constexpr bool kSeDestruyeAlCerrar = true;

    explicit TFormFichaPaciente(QWidget *parent = nullptr);

    TMarcoFichaPaciente &Marco() const { return *m_marco; }

    void btnVolverClick();
    void btnImprimirClick();

signals:
    // The card was left: the patient hub opens again.
    void volver();

private:
    TMarcoFichaPaciente *m_marco;
};
