#include "ui/shell/TAreaTrabajo.h"

#include "ui/shell/TrabajoEnCurso.h"

namespace {

const char *const kPropiedadEfimera = "pastilleroSeDestruyeAlCerrar";

} // namespace

TAreaTrabajo::TSinRepintar::TSinRepintar(QWidget &area)
    : m_area(area)
    , m_antes(area.updatesEnabled())
{
    m_area.setUpdatesEnabled(false);
}

TAreaTrabajo::TSinRepintar::~TSinRepintar()
{
    m_area.setUpdatesEnabled(m_antes);
}

TAreaTrabajo::TAreaTrabajo(QWidget *parent)
    : QStackedWidget(parent)
    , m_vacia(new QWidget(this))
{
    setObjectName(QStringLiteral("AreaTrabajo"));
    m_vacia->setObjectName(QStringLiteral("SinPantalla"));
    addWidget(m_vacia);
}

QWidget *TAreaTrabajo::PantallaActual() const
{
    QWidget *actual = currentWidget();
    return actual == m_vacia ? nullptr : actual;
}

void TAreaTrabajo::Colocar(QWidget *pantalla, bool seDestruyeAlCerrar)
{
    pantalla->setWindowFlags(Qt::Widget);
    pantalla->setProperty(kPropiedadEfimera, seDestruyeAlCerrar);
    addWidget(pantalla);
}

void TAreaTrabajo::OcultarPantallaActual()
{
    QWidget *actual = PantallaActual();
    setCurrentWidget(m_vacia);
    if (actual && actual->property(kPropiedadEfimera).toBool())
        Retirar(actual);
}

void TAreaTrabajo::CerrarSi(const std::function<bool(const QWidget &)> &condicion)
{
    QList<QWidget *> cerradas;
    for (int i = 0; i < count(); ++i) {
        if (widget(i) != m_vacia && condicion(*widget(i)))
            cerradas.append(widget(i));
    }
    if (cerradas.contains(currentWidget()))
        setCurrentWidget(m_vacia);
    for (QWidget *pantalla : cerradas)
        Retirar(pantalla);
}

void TAreaTrabajo::Retirar(QWidget *pantalla)
{
    removeWidget(pantalla);
    pantalla->hide();
    pantalla->deleteLater();
}

std::optional<bool> TAreaTrabajo::SalirDeLaAplicacion()
{
    std::optional<bool> salir;
    for (int i = 0; i < count(); ++i) {
        auto *pantalla = dynamic_cast<TTrabajoEnCurso *>(widget(i));
        if (!pantalla)
            continue;
        if (const std::optional<bool> respuesta = pantalla->SalirDeLaAplicacion()) {
            if (!*respuesta)
                return false;
            salir = true;
        }
    }
    return salir;
}
