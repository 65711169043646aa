#pragma once

#include <QWidget>

class QLabel;

// The header and footer a screen shows around its own content: the logged-in user with the
// profile, the pharmacy's owner and name, and a small footer line with the current year. The
// texts are read again every time the frame is shown.
class TMarcoPantalla : public QWidget
{
    Q_OBJECT

public:
    explicit TMarcoPantalla(QWidget *parent = nullptr);

    // Where the screen places its own components.
    QWidget *Contenido() const { return m_contenido; }

    void Refrescar();

protected:
    void showEvent(QShowEvent *evento) override;

private:
    QLabel *m_lblUsuario;
    QLabel *m_lblTitular;
    QLabel *m_lblFarmacia;
    QWidget *m_contenido;
    QLabel *m_lblPie;
};
