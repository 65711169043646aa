#include "core/i18n/ULenguaje.h"
#include "core/shell/IniFile.h"
#include "core/shell/uLog.h"
#include "support/TestAppDirectory.h"
#include "ui/i18n/Componente.h"
#include "ui/i18n/TKelvoDlgForm.h"
#include "ui/i18n/TKelvoForm.h"
#include "ui/i18n/UTraducirForm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace {

template<typename T> T *Crear(QWidget *padre, const char *nombre)
{
    auto *widget = new T(padre);
    widget->setObjectName(QString::fromLatin1(nombre));
    padre->layout()->addWidget(widget);
    return widget;
}

// A screen with one component of each kind the catalogue translates, some of them nested.
class TFormPrueba : public TKelvoForm
{
public:
    TFormPrueba()
    {
        setObjectName(QStringLiteral("FormPrueba"));
        setWindowTitle(QStringLiteral("Pacientes"));
        new QVBoxLayout(this);
        auto *grupo = Crear<QGroupBox>(this, "grpDatos");
        grupo->setTitle(QStringLiteral("Datos"));
        new QVBoxLayout(grupo);
        Crear<QLabel>(grupo, "lblNombre")->setText(QStringLiteral("Nombre"));
        auto *edicion = Crear<QLineEdit>(grupo, "edtNombre");
        edicion->setText(QStringLiteral("GARCIA"));
        edicion->setPlaceholderText(QStringLiteral("Apellidos"));
        auto *boton = Crear<QPushButton>(this, "btnBuscar");
        boton->setText(QStringLiteral("Buscar"));
        boton->setToolTip(QStringLiteral("Busca el paciente"));
        auto *combo = Crear<QComboBox>(this, "cmbTipo");
        combo->addItems({QStringLiteral("Uno"), QStringLiteral("Dos"), QStringLiteral("Tres")});
        combo->setCurrentIndex(2);
        auto *tabla = Crear<QTableWidget>(this, "tblLineas");
        tabla->setColumnCount(2);
        tabla->setHorizontalHeaderLabels({QStringLiteral("Fecha"), QStringLiteral("Dosis")});
        auto *pestanas = Crear<QTabWidget>(this, "tabPaginas");
        pestanas->addTab(new QWidget, QStringLiteral("Ficha"));
        pestanas->addTab(new QWidget, QStringLiteral("Tratamiento"));
        auto *separador = Crear<QLabel>(this, "lblSeparador");
        separador->setText(QStringLiteral("-"));
        separador->setToolTip(QStringLiteral("no se captura"));
        auto *accion = new QAction(QStringLiteral("Imprimir"), this);
        accion->setObjectName(QStringLiteral("actImprimir"));
    }
    template<typename T> T *Hijo(const char *nombre) { return findChild<T *>(QString::fromLatin1(nombre)); }
};

class TDlgPrueba : public TKelvoDlgForm
{
public:
    TDlgPrueba()
    {
        setObjectName(QStringLiteral("DlgPrueba"));
        setWindowTitle(QStringLiteral("Confirmar"));
        new QVBoxLayout(this);
        Crear<QPushButton>(this, "btnAceptar")->setText(QStringLiteral("Aceptar"));
    }
};

// An application directory with a catalogue file and the event log switched on.
struct Entorno
{
    explicit Entorno(const QByteArray &catalogo)
    {
        dir.write(QStringLiteral("pastillero.ini"), "[TALLER]\r\nTEST=1\r\n");
        uLog::IniciarLog(IniFile(dir.file(QStringLiteral("pastillero.ini"))),
                         dir.file(QStringLiteral("pastillero.log")));
        lenguaje = std::make_unique<TLenguaje>(dir.write(QStringLiteral("pastillero.lng"), catalogo));
    }
    ~Entorno() { uLog::CerrarLog(); }
    QString Catalogo() const { return QString::fromUtf8(dir.read(QStringLiteral("pastillero.lng"))); }
    TestAppDirectory dir;
    std::unique_ptr<TLenguaje> lenguaje;
};

const QByteArray kCatalogoPrueba
        = "FormPrueba.windowTitle=Pacientes|Doentes|Patients|Patients|Pazienti||||\r\n"
          "FormPrueba.lblnombre.text=Nombre|Nome|Nom|Name|Nome||||\r\n"
          "FormPrueba.grpDatos.title=Datos|Dados|Données|Data|Dati||||\r\n"
          "FormPrueba.btnBuscar.toolTip=||||||||\r\n"
          "FormPrueba.cmbTipo.items=Uno#Dos|Um#Dois|Un#Deux|One#Two|Uno#Due||||\r\n"
          "FormPrueba.tblLineas.headers=Fecha#Dosis#Sobra|||||||||\r\n"
          "FormPrueba.tabPaginas.tabs=|||Card#Treatment|||||\r\n"
          "FormPrueba.edtNombre.placeholderText=Apellidos||Nom de famille||||||\r\n"
          "FormPrueba.edtNombre.text=X|X|X|X|X||||\r\n"
          "FormPrueba.btnBuscar.styleSheet=color: red|||||||||\r\n"
          "FormPrueba.btnBuscar.objectName=otro|||||||||\r\n"
          "FormPrueba.lblNoExiste.text=Nada|||||||||\r\n"
          "FormPrueba.actImprimir.text=Imprimir|Imprimir|Imprimer|Print|Stampa||||\r\n"
          "formprueba.lblNombre.text=otro formulario|||||||||\r\n"
          "DlgPrueba.btnAceptar.text=Aceptar|Aceitar|Accepter|Accept|Accetta||||\r\n"
          "DlgPrueba.windowTitle=Confirmar|Confirmar|Confirmer|Confirm|Conferma||||\r\n";

} // namespace

class TestKelvoForms : public QObject
{
    Q_OBJECT

private slots:
    void init() { QApplication::setStyle(QStringLiteral("Fusion")); }

    void pantallaSeTraduceAntesDeMostrarse();
    void soloPropiedadesDeTextoPermitidas();
    void dialogoSeTraduceYQuedaEnElRegistro();
    void sinCatalogoConservaLosTextos();
    void laLineaPosteriorGana();
    void traducirTodasAplicaElNuevoIdioma();
    void capturaAgregaLosTextosQueFaltan();
    void capturaDeTextoConBarraYSaltoSeReleeIgual();
    void f2AbreElEditorYVuelveATraducir();
    void pantallaDentroDeOtraDejaLasTeclasALaVentana();
    void teclasDeCapturaSoloEnDesarrollo_data();
    void teclasDeCapturaSoloEnDesarrollo();
};

void TestKelvoForms::pantallaSeTraduceAntesDeMostrarse()
{
    Entorno entorno(kCatalogoPrueba);
    entorno.lenguaje->SetIdioma(2);
    TFormPrueba form;
    QCOMPARE(form.Hijo<QLabel>("lblNombre")->text(), QStringLiteral("Nombre"));
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Patients"));
    QCOMPARE(form.Hijo<QLabel>("lblNombre")->text(), QStringLiteral("Nom"));
    QCOMPARE(form.Hijo<QGroupBox>("grpDatos")->title(), QStringLiteral("Données"));
    QCOMPARE(form.Hijo<QPushButton>("btnBuscar")->toolTip(), QString());
    QCOMPARE(form.Hijo<QLineEdit>("edtNombre")->placeholderText(), QStringLiteral("Nom de famille"));
    QCOMPARE(form.findChild<QAction *>(QStringLiteral("actImprimir"))->text(), QStringLiteral("Imprimer"));

    // A list's line replaces the whole list: two items where the form had three.
    auto *combo = form.Hijo<QComboBox>("cmbTipo");
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("Un"));
    QCOMPARE(combo->itemText(1), QStringLiteral("Deux"));
    QCOMPARE(combo->currentIndex(), 0);

    auto *tabla = form.Hijo<QTableWidget>("tblLineas");
    QCOMPARE(tabla->columnCount(), 2);
    QCOMPARE(tabla->horizontalHeaderItem(1)->text(), QStringLiteral("Dosis"));

    auto *pestanas = form.Hijo<QTabWidget>("tabPaginas");
    QCOMPARE(pestanas->tabText(0), QStringLiteral("Ficha"));

    QVERIFY(entorno.dir.read(QStringLiteral("pastillero.log")).contains(": FORM: FormPrueba\r\n"));
}

void TestKelvoForms::soloPropiedadesDeTextoPermitidas()
{
    Entorno entorno(kCatalogoPrueba);
    TFormPrueba form;
    form.show();
    QCOMPARE(form.Hijo<QLineEdit>("edtNombre")->text(), QStringLiteral("GARCIA"));
    QVERIFY(form.Hijo<QPushButton>("btnBuscar"));
    QCOMPARE(form.Hijo<QPushButton>("btnBuscar")->styleSheet(), QString());
    QCOMPARE(form.Hijo<QTableWidget>("tblLineas")->horizontalHeaderItem(0)->text(), QStringLiteral("Fecha"));
}

void TestKelvoForms::dialogoSeTraduceYQuedaEnElRegistro()
{
    Entorno entorno(kCatalogoPrueba);
    entorno.lenguaje->SetIdioma(4);
    TDlgPrueba dialogo;
    dialogo.show();
    QCOMPARE(dialogo.windowTitle(), QStringLiteral("Conferma"));
    QCOMPARE(dialogo.findChild<QPushButton *>(QStringLiteral("btnAceptar"))->text(),
             QStringLiteral("Accetta"));
    QVERIFY(entorno.dir.read(QStringLiteral("pastillero.log")).contains(": FORM: DlgPrueba\r\n"));
}

void TestKelvoForms::sinCatalogoConservaLosTextos()
{
    TFormPrueba form;
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Pacientes"));
    QCOMPARE(form.Hijo<QLabel>("lblNombre")->text(), QStringLiteral("Nombre"));
}

void TestKelvoForms::laLineaPosteriorGana()
{
    Entorno entorno("FormPrueba.lblNombre.text=Uno||||||||\r\nFormPrueba.lblnombre.text=Dos||||||||\r\n");
    TFormPrueba form;
    form.show();
    QCOMPARE(form.Hijo<QLabel>("lblNombre")->text(), QStringLiteral("Uno"));
}

void TestKelvoForms::traducirTodasAplicaElNuevoIdioma()
{
    Entorno entorno(kCatalogoPrueba);
    TFormPrueba form;
    TDlgPrueba dialogo;
    form.show();
    dialogo.show();
    entorno.lenguaje->SetIdioma(3);
    TKelvoVentana::TraducirTodas();
    QCOMPARE(form.Hijo<QLabel>("lblNombre")->text(), QStringLiteral("Name"));
    QCOMPARE(form.Hijo<QTabWidget>("tabPaginas")->tabText(1), QStringLiteral("Treatment"));
    QCOMPARE(dialogo.windowTitle(), QStringLiteral("Confirm"));
}

void TestKelvoForms::capturaAgregaLosTextosQueFaltan()
{
    Entorno entorno("FormPrueba.btnBuscar.text=Buscar||||||||\r\n");
    entorno.lenguaje->SetModoDesarrollo(true);
    entorno.lenguaje->SetModoCaptura(true);
    TFormPrueba form;
    // A date the screen writes itself, and a screen shown inside it: neither is the screen's line.
    TextosDeCodigo(*Componente<QLabel>(&form, "lblFecha", QStringLiteral("06/05/2024")));
    auto *interior = new TKelvoForm(&form);
    interior->setObjectName(QStringLiteral("FormInterior"));
    Componente<QPushButton>(interior, "btnInterior", QStringLiteral("Volver"));
    form.show();
    const QStringList lineas = entorno.Catalogo().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lineas,
             (QStringList {
                     "FormInterior.btnInterior.text=Volver||||||||",
                     "FormPrueba.actImprimir.text=Imprimir||||||||",
                     "FormPrueba.btnBuscar.text=Buscar||||||||",
                     "FormPrueba.cmbTipo.items=Uno#Dos#Tres||||||||",
                     "FormPrueba.edtNombre.placeholderText=Apellidos||||||||",
                     "FormPrueba.grpDatos.title=Datos||||||||",
                     "FormPrueba.lblNombre.text=Nombre||||||||",
                     "FormPrueba.tabPaginas.tabs=Ficha#Tratamiento||||||||",
                     "FormPrueba.tblLineas.headers=Fecha#Dosis||||||||",
                     "FormPrueba.windowTitle=Pacientes||||||||",
             }));
}

void TestKelvoForms::capturaDeTextoConBarraYSaltoSeReleeIgual()
{
    Entorno entorno("");
    entorno.lenguaje->SetModoDesarrollo(true);
    entorno.lenguaje->SetModoCaptura(true);
    const QString texto = QStringLiteral("Dosis | total\nsemana");
    {
        TDlgPrueba dialogo;
        dialogo.setWindowTitle(texto);
        dialogo.show();
    }
    QVERIFY(entorno.Catalogo().contains(
            QStringLiteral("DlgPrueba.windowTitle=Dosis &#124; total&#10;semana||||||||\r\n")));

    entorno.lenguaje.reset();
    entorno.lenguaje = std::make_unique<TLenguaje>(entorno.dir.file(QStringLiteral("pastillero.lng")));
    TDlgPrueba dialogo;
    dialogo.show();
    QCOMPARE(dialogo.windowTitle(), texto);
}

void TestKelvoForms::f2AbreElEditorYVuelveATraducir()
{
    Entorno entorno(kCatalogoPrueba);
    entorno.lenguaje->SetIdioma(1);
    QWidget *editada = nullptr;
    int columna = 0;
    TKelvoVentana::SetEditorTraducciones([&](QWidget &ventana, int columnaIdioma) {
        editada = &ventana;
        columna = columnaIdioma;
        Lenguaje().Agregar(QStringLiteral("DlgPrueba.btnAceptar.text=Aceptar|OK||||||||"));
    });
    TDlgPrueba dialogo;
    dialogo.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialogo));
    QTest::keyClick(&dialogo, Qt::Key_F2, Qt::ShiftModifier);
    TKelvoVentana::SetEditorTraducciones({});
    QCOMPARE(editada, &dialogo);
    QCOMPARE(columna, 2);
    QCOMPARE(dialogo.findChild<QPushButton *>(QStringLiteral("btnAceptar"))->text(), QStringLiteral("OK"));
}

void TestKelvoForms::pantallaDentroDeOtraDejaLasTeclasALaVentana()
{
    Entorno entorno("");
    QList<QWidget *> editadas;
    TKelvoVentana::SetEditorTraducciones([&](QWidget &ventana, int) { editadas << &ventana; });
    TFormPrueba principal;
    auto *pantalla = new TFormPrueba;
    pantalla->setObjectName(QStringLiteral("FormPantalla"));
    principal.layout()->addWidget(pantalla);
    principal.show();
    QVERIFY(QTest::qWaitForWindowActive(&principal));
    pantalla->Hijo<QLineEdit>("edtNombre")->setFocus();
    QTest::keyClick(pantalla->Hijo<QLineEdit>("edtNombre"), Qt::Key_F2);
    TKelvoVentana::SetEditorTraducciones({});
    QCOMPARE(editadas, QList<QWidget *> {&principal});
}

void TestKelvoForms::teclasDeCapturaSoloEnDesarrollo_data()
{
    QTest::addColumn<bool>("desarrollo");
    QTest::newRow("developer mode") << true;
    QTest::newRow("normal use") << false;
}

void TestKelvoForms::teclasDeCapturaSoloEnDesarrollo()
{
    QFETCH(bool, desarrollo);
    Entorno entorno("");
    entorno.lenguaje->SetModoDesarrollo(desarrollo);
    int avisos = 0; // the main window shows the mode in its caption
    TKelvoVentana::SetAlCambiarCaptura([&avisos] { ++avisos; });
    TFormPrueba form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F12, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(entorno.lenguaje->ModoCaptura(), desarrollo);
    QTest::keyClick(form.Hijo<QLineEdit>("edtNombre"), Qt::Key_F11, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!entorno.lenguaje->ModoCaptura());
    QCOMPARE(avisos, desarrollo ? 2 : 0);
    TKelvoVentana::SetAlCambiarCaptura({});
}

QTEST_MAIN(TestKelvoForms)
#include "test_kelvo_forms.moc"
