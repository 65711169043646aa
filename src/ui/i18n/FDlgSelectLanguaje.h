#pragma once

#include "ui/i18n/TKelvoDlgForm.h"

#include <functional>

class QListWidget;
class QPushButton;

// The first-start choice of language and country. Choosing a language switches the catalogue
// to it at once and tells the dispenser (through `alElegirIdioma`); "CONTINUE" closes the
// dialog once either list has a choice, and the window cannot be closed before. The caller
// stores the choices in the preferences: `Idioma()` and `Pais()` are the positions chosen as
// decimal text, empty when that list has no choice.
class TDlgSelectLanguaje : public TKelvoDlgForm
{
    Q_OBJECT

public:
    explicit TDlgSelectLanguaje(std::function<void(int idioma)> alElegirIdioma = {},
                                QWidget *parent = nullptr);

    QString Idioma() const { return m_idioma; }
    QString Pais() const { return m_pais; }

    void done(int resultado) override;

protected:
    void closeEvent(QCloseEvent *evento) override;

private:
    bool HayEleccion() const { return !m_idioma.isEmpty() || !m_pais.isEmpty(); }
    void IdiomaElegido(int fila);

    std::function<void(int)> m_alElegirIdioma;
    QListWidget *m_idiomas;
    QListWidget *m_paises;
    QString m_idioma;
    QString m_pais;
};
