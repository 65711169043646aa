#pragma once

#include "core/loading/CeldasBlisterManual.h"
#include "core/loading/DialogosCarga.h"
#include "ui/i18n/TKelvoDlgForm.h"

class QGridLayout;
class QLabel;

// The manual filling of one portion: the patient, the medication with its appearance and
// number, and the blister's 28 cells (days across, times of day down) with what to place in
// each. Two cards exist: square cells in a captioned grid ("BLISTER MANUAL") and round cells over
// a picture of the card in the language of the preferences ("BLISTER MANUAL REDONDO"); the
// blister's tipoBlister chooses. "CONTINUAR" (Enter) when the cells are filled; "CANCELAR"
// (Escape) or closing the dialog abandons the load.
class TDlgBlisterManual : public TKelvoDlgForm
{
    Q_OBJECT

public:
    explicit TDlgBlisterManual(const TBlisterManual &blister, QWidget *parent = nullptr);

    TFormaBlister Forma() const { return m_forma; }

    // The picture of the round card for the language preference: one per language "0" to "4",
    // the English one for any other value.
    static QString ImagenRedonda(const QString &idioma);

private:
    void CeldasCuadradas(QGridLayout *rejilla, const QStringList &textos);
    QWidget *CeldasRedondas(const QStringList &textos);
    QLabel *Celda(QWidget *padre, int celda, const QString &texto);

    TFormaBlister m_forma;
};

// Shows the dialog of the blister's card modally: 1 when the user continues, 2 when the user
// cancels.
int BlisterManual(const TBlisterManual &blister, QWidget *parent = nullptr);
