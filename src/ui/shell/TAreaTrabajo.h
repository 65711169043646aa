#pragma once

#include <QStackedWidget>
#include <QString>

#include <functional>
#include <optional>
#include <typeinfo>

// A screen class that declares `static constexpr bool kSeDestruyeAlCerrar = true;` is not kept:
// it is destroyed whenever it stops being shown and created afresh each time it is opened.
template<class T>
concept PantallaEfimera = requires
{
    requires T::kSeDestruyeAlCerrar;
};

// A screen that takes the short text it is opened with (its "tag") before it is shown.
template<class T>
concept PantallaConTag = requires(T &pantalla, const QString &tag)
{
    pantalla.AsignarTag(tag);
};

// The main window's working area: one screen shown at a time. A screen is created on first use
// and then kept, so opening it again brings back the same instance as it was left; the screen
// refreshes what it shows in its own "shown" event. There is at most one screen of each class.
class TAreaTrabajo : public QStackedWidget
{
    Q_OBJECT

public:
    explicit TAreaTrabajo(QWidget *parent = nullptr);

    // Hides the current screen, then shows the screen of class T (created when there is none),
    // after giving it the tag. Returns the screen shown.
    template<class T> T *AbrirPantalla(const QString &tag = {})
    {
        OcultarPantallaActual();
        T *pantalla = Buscar<T>();
        if (!pantalla) {
            TSinRepintar sinRepintar(*this);
            pantalla = new T(this);
            Colocar(pantalla, PantallaEfimera<T>);
        }
        if constexpr (PantallaConTag<T>)
            pantalla->AsignarTag(tag);
        setCurrentWidget(pantalla);
        return pantalla;
    }

    // Hides the current screen and shows none.
    void CerrarPantallaActual() { OcultarPantallaActual(); }

    // Closes every screen of class T; none is current afterwards when the current one was among
    // them. They are destroyed once the event being handled has finished, so a screen that
    // closes its own class can still read its fields to the end of its action; from now on
    // AbrirPantalla creates a new one.
    template<class T> void CerrarPantallas()
    {
        CerrarSi([](const QWidget &pantalla) { return typeid(pantalla) == typeid(T); });
    }

    // The screen of class T, if one exists.
    template<class T> T *Buscar() const
    {
        for (int i = 0; i < count(); ++i) {
            QWidget *pantalla = widget(i);
            if (typeid(*pantalla) == typeid(T))
                return static_cast<T *>(pantalla);
        }
        return nullptr;
    }

    // The screen shown; none when the area is empty.
    QWidget *PantallaActual() const;

    // Before the application closes: each screen with work running asks its user (see
    // TTrabajoEnCurso). Nothing when no screen has work running; false when the user stays.
    std::optional<bool> SalirDeLaAplicacion();

private:
    // Suspends repainting while a new screen is placed.
    class TSinRepintar
    {
    public:
        explicit TSinRepintar(QWidget &area);
        ~TSinRepintar();
        TSinRepintar(const TSinRepintar &) = delete;
        TSinRepintar &operator=(const TSinRepintar &) = delete;

    private:
        QWidget &m_area;
        bool m_antes;
    };

    void Colocar(QWidget *pantalla, bool seDestruyeAlCerrar);
    void OcultarPantallaActual();
    void CerrarSi(const std::function<bool(const QWidget &)> &condicion);
    void Retirar(QWidget *pantalla);

    QWidget *m_vacia;
};
