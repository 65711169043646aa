#include "ui/shell/TAreaTrabajo.h"
#include "ui/shell/TPantalla.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

namespace {

// Screens that count how often they were built and shown.
template<int N> class Pantalla : public TPantalla
{
public:
    explicit Pantalla(QWidget *parent = nullptr)
        : TPantalla(parent)
        , campo(new QLineEdit(this))
    {
        ++creadas;
    }
    static inline int creadas = 0;
    int mostrada = 0;
    QLineEdit *campo;

protected:
    void AlMostrar() override { ++mostrada; }
};
using PantallaA = Pantalla<1>;
using PantallaB = Pantalla<2>;

// A screen that is not kept, like the patient card.
class Ficha : public QWidget
{
public:
    static constexpr bool kSeDestruyeAlCerrar = true;
    explicit Ficha(QWidget *parent = nullptr)
        : QWidget(parent)
    {
        ++creadas;
    }
    static inline int creadas = 0;
};

void Diferidas()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

template<class T> int Cuantas(const TAreaTrabajo &area)
{
    int cuantas = 0;
    for (int i = 0; i < area.count(); ++i)
        cuantas += typeid(*area.widget(i)) == typeid(T) ? 1 : 0;
    return cuantas;
}

} // namespace

// One screen at a time in the main window's working area, kept between uses.
class TestAreaTrabajo : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        PantallaA::creadas = 0;
        PantallaB::creadas = 0;
        Ficha::creadas = 0;
    }

    void vuelveLaMismaPantallaComoSeDejo()
    {
        TAreaTrabajo area;
        area.show();
        PantallaA *a = area.AbrirPantalla<PantallaA>(QStringLiteral("primera"));
        a->campo->setText(QStringLiteral("filtro"));
        PantallaB *b = area.AbrirPantalla<PantallaB>();
        QVERIFY(b->isVisible());
        QVERIFY(!a->isVisible());
        QCOMPARE(area.PantallaActual(), b);

        QCOMPARE(area.AbrirPantalla<PantallaA>(QStringLiteral("segunda")), a);
        QCOMPARE(PantallaA::creadas, 1);
        QCOMPARE(Cuantas<PantallaA>(area), 1);
        QCOMPARE(a->campo->text(), QStringLiteral("filtro"));
        QCOMPARE(a->Tag(), QStringLiteral("segunda"));
        QCOMPARE(a->mostrada, 2);
        QVERIFY(a->isVisible());
        QVERIFY(!b->isVisible());
    }

    void abrirLaPantallaActualLaMuestraDeNuevo()
    {
        TAreaTrabajo area;
        area.show();
        PantallaA *a = area.AbrirPantalla<PantallaA>();
        area.AbrirPantalla<PantallaA>(QStringLiteral("otra"));
        QCOMPARE(a->mostrada, 2);
        QCOMPARE(a->Tag(), QStringLiteral("otra"));
        QCOMPARE(area.PantallaActual(), a);
    }

    void cerrarLaActualNoDejaNinguna()
    {
        TAreaTrabajo area;
        area.show();
        PantallaA *a = area.AbrirPantalla<PantallaA>();
        area.CerrarPantallaActual();
        QCOMPARE(area.PantallaActual(), nullptr);
        QVERIFY(!a->isVisible());
        QCOMPARE(area.AbrirPantalla<PantallaA>(), a);
    }

    void cerrarPantallasDestruyeDespuesDeLaAccion()
    {
        TAreaTrabajo area;
        area.show();
        QPointer<PantallaA> a = area.AbrirPantalla<PantallaA>();
        a->campo->setText(QStringLiteral("ref"));
        area.CerrarPantallas<PantallaA>();
        QCOMPARE(area.PantallaActual(), nullptr);
        // The closing screen can still read its fields until its action ends.
        QVERIFY(a);
        QCOMPARE(a->campo->text(), QStringLiteral("ref"));
        Diferidas();
        QVERIFY(!a);

        PantallaA *nueva = area.AbrirPantalla<PantallaA>();
        QCOMPARE(PantallaA::creadas, 2);
        QVERIFY(nueva->campo->text().isEmpty());
    }

    void cerrarPantallasNoBuscaLaQueSeVaADestruir()
    {
        TAreaTrabajo area;
        area.show();
        area.AbrirPantalla<PantallaA>();
        area.CerrarPantallas<PantallaA>();
        area.AbrirPantalla<PantallaA>();
        QCOMPARE(PantallaA::creadas, 2);
        QCOMPARE(Cuantas<PantallaA>(area), 1);
    }

    void cerrarPantallasDeOtraClaseDejaLaActual()
    {
        TAreaTrabajo area;
        area.show();
        QPointer<PantallaA> a = area.AbrirPantalla<PantallaA>();
        PantallaB *b = area.AbrirPantalla<PantallaB>();
        area.CerrarPantallas<PantallaA>();
        Diferidas();
        QVERIFY(!a);
        QCOMPARE(area.PantallaActual(), b);
        QVERIFY(b->isVisible());
    }

    void laFichaSeDestruyeAlSustituirla()
    {
        TAreaTrabajo area;
        area.show();
        QPointer<Ficha> ficha = area.AbrirPantalla<Ficha>();
        area.AbrirPantalla<PantallaB>();
        Diferidas();
        QVERIFY(!ficha);
        QCOMPARE(Cuantas<Ficha>(area), 0);
    }

    void laFichaSeCreaDeNuevoCadaVez()
    {
        TAreaTrabajo area;
        area.show();
        QPointer<Ficha> primera = area.AbrirPantalla<Ficha>();
        Ficha *segunda = area.AbrirPantalla<Ficha>();
        QCOMPARE(Ficha::creadas, 2);
        Diferidas();
        QVERIFY(!primera);
        QCOMPARE(area.PantallaActual(), segunda);
        area.CerrarPantallaActual();
        Diferidas();
        QCOMPARE(Cuantas<Ficha>(area), 0);
    }
};

QTEST_MAIN(TestAreaTrabajo)
#include "test_area_trabajo.moc"
