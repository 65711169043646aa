#pragma once

#include <QBoxLayout>
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

    // Fills `pantalla` with a frame holding the side menu `TMenu` on the left and `lista` beside it.
    template<class TMenu> static void ConMenu(QWidget &pantalla, QLayout *lista)
    {
        auto *marco = new TMarcoPantalla(&pantalla);
        auto *capa = new QVBoxLayout(&pantalla);
        capa->setContentsMargins(0, 0, 0, 0);
        capa->addWidget(marco);
        auto *contenido = new QHBoxLayout(marco->Contenido());
        contenido->addWidget(new TMenu(marco->Contenido()));
        contenido->addLayout(lista, 1);
    }

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
