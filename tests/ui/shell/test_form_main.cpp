#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/uLog.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/medication/FMedicamentos.h"
#include "ui/shell/Destinos.h"
#include "ui/shell/FCategoria.h"
#include "ui/shell/FMain.h"
#include "ui/shell/FPaciente.h"
#include "ui/shell/FPrincipal.h"
#include "ui/shell/TMenuAdministracion.h"
#include "ui/shell/TMenuConsultas.h"
#include "ui/stock/FCInventario.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using TTipo = PresentadorMensajes::TTipo;

namespace {

const QString kNoDisponible = QStringLiteral("ESTA OPCION AUN NO ESTA DISPONIBLE");

template<typename T> T *Hijo(QWidget *padre, const char *nombre)
{
    auto *hijo = padre->findChild<T *>(QString::fromLatin1(nombre));
    Q_ASSERT(hijo);
    return hijo;
}

// Registers a destination for one test and counts how often it was opened.
class DestinoGrabado
{
public:
    explicit DestinoGrabado(TDestino destino)
        : m_destino(destino)
    {
        RegistrarDestino(destino, [this] { ++abierto; });
    }
    ~DestinoGrabado() { RegistrarDestino(m_destino, {}); }
    int abierto = 0;

private:
    TDestino m_destino;
};

} // namespace

// The main window, the main screen's search and category choice, and the two hubs.
class TestFormMain : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        explicit Entorno(double versionMaquina = 0, int tipoCarga = 0)
        {
            preferencias.VersionMaquina = versionMaquina;
            preferencias.TipoCarga = tipoCarga;
            preferencias.Pais = QStringLiteral("0");
            Paciente(12, QStringLiteral("ANA"), QStringLiteral("12345678Z"), 1);
            Paciente(40, QStringLiteral("EVA"), QStringLiteral("87654321X"), 0);
            dm.Ejecutar(QStringLiteral("INSERT INTO TabMaestras (CodTab, Codigo, Descripcion) VALUES (0, 3, "
                                       "'RESIDENCIA NORTE')"));
            dm.Ejecutar(QStringLiteral(
                    "INSERT INTO TabMaestras (CodTab, Codigo, Descripcion) VALUES (0, 5, 'CENTRO DE DIA')"));
        }
        void Paciente(int id, const QString &ref, const QString &dni, int activo)
        {
            dm.Ejecutar(
                    QStringLiteral(
                            "INSERT INTO Paciente (idPaciente, refPaciente, DNI, Nombre, Telefono, Iactivo) "
                            "VALUES (?, ?, ?, ?, '600000000', ?)"),
                    {id, ref, dni, QStringLiteral("NOMBRE ") + ref, activo});
        }
        void Usuario(bool farmaceutico)
        {
            TUsuario usuario;
            usuario.Nombre = QStringLiteral("Luisa");
            usuario.Perfil = farmaceutico ? QStringLiteral("FARMACEUTICO") : QStringLiteral("AUXILIAR");
            usuario.esFarmaceutico = farmaceutico;
            dm.Usuario = usuario;
        }
        TFormMain *Principal()
        {
            ventana.show();
            return ventana.AbrirPantalla<TFormMain>();
        }
        void Buscar(const QString &texto)
        {
            auto *edicion = Hijo<QLineEdit>(Principal(), "edtBuscar");
            edicion->setText(texto);
            QTest::keyClick(edicion, Qt::Key_Return);
        }

        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados grabados;
        TFormInicio ventana {[] { return true; }};
    };

private slots:
    void cleanup() { uLog::CerrarLog(); }

    void alMostrarseAbreLaPantallaPrincipalConSuTitulo()
    {
        Entorno e(2.2);
        e.lenguaje.SetModoDesarrollo(true);
        e.ventana.show();
        QVERIFY(qobject_cast<TFormMain *>(e.ventana.PantallaActual()));
        QVERIFY(e.ventana.windowTitle().startsWith(QStringLiteral("Pastillero Version ")));
        QVERIFY(e.ventana.windowTitle().endsWith(QStringLiteral("   Firmware : 2.2  (BETA)  (DESARROLLO)")));
    }

    void unaTarjetaAbreElPacienteYLoRegistra()
    {
        Entorno e;
        e.db.appDirectory().write(QStringLiteral("pastillero.ini"), "[TALLER]\r\nTEST=1\r\n");
        uLog::IniciarLog(IniFile(e.db.directory().iniFile()),
                         e.db.directory().file(QStringLiteral("pastillero.log")));
        e.Buscar(QStringLiteral("00120005  "));
        auto *hub = qobject_cast<TFormPaciente *>(e.ventana.PantallaActual());
        QVERIFY(hub);
        QCOMPARE(Hijo<QLabel>(hub, "lblReferencia")->text(), QStringLiteral("ANA"));
        QCOMPARE(Hijo<QLabel>(hub, "lblNombre")->text(), QStringLiteral("NOMBRE ANA"));
        QCOMPARE(e.dm.idPacienteActivo, 12);
        QFile log(e.db.directory().file(QStringLiteral("pastillero.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains(" : PACI: ANA\r\n"));
    }

    void avisosDeLaBusqueda_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("aviso");
        const QString noEncontrado = QStringLiteral("NO SE HA ENCONTRADO EL PACIENTE SOLICITADO");
        QTest::newRow("EAN-13") << "4006381333931" << noEncontrado;
        QTest::newRow("vacio") << "" << noEncontrado;
        QTest::newRow("DNI de un paciente inactivo")
                << "87654321X" << QStringLiteral("EL PACIENTE SOLICITADO NO ESTA ACTIVO EN LA APLICACION");
    }
    void avisosDeLaBusqueda()
    {
        QFETCH(QString, texto);
        QFETCH(QString, aviso);
        Entorno e;
        e.dm.PacienteActivoPorId(QStringLiteral("12"));
        e.Buscar(texto);
        QCOMPARE(e.grabados.Textos(TTipo::Aviso), QStringList {aviso});
        QVERIFY(qobject_cast<TFormMain *>(e.ventana.PantallaActual()));
        QCOMPARE(e.dm.idPacienteActivo, 0);
        QVERIFY(!e.dm.PacienteActivo);
    }

    void unCodigoTrasUnAvisoSustituyeAlAnterior()
    {
        Entorno e;
        e.Buscar(QStringLiteral("NADIE"));
        auto *edicion = Hijo<QLineEdit>(e.ventana.PantallaActual(), "edtBuscar");
        QTest::keyClicks(edicion, QStringLiteral("00120005"));
        QTest::keyClick(edicion, Qt::Key_Return);
        QVERIFY(qobject_cast<TFormPaciente *>(e.ventana.PantallaActual()));
        QCOMPARE(e.dm.idPacienteActivo, 12);
    }

    void laBusquedaBorraLasMarcasDeSesion()
    {
        Entorno e;
        e.ventana.Marcas = {true, true};
        e.Buscar(QStringLiteral("NADIE"));
        QVERIFY(!e.ventana.Marcas.desdeCargaCategoria);
        QVERIFY(!e.ventana.Marcas.desdeListaPacientes);
    }

    void laCajaDeBusquedaSeVaciaAlVolver()
    {
        Entorno e;
        e.Buscar(QStringLiteral("ANA"));
        Hijo<QPushButton>(e.ventana.PantallaActual(), "btnVolver")->click();
        auto *principal = qobject_cast<TFormMain *>(e.ventana.PantallaActual());
        QVERIFY(principal);
        QVERIFY(Hijo<QLineEdit>(principal, "edtBuscar")->text().isEmpty());
    }

    void panelDeCategorias_data()
    {
        QTest::addColumn<double>("versionMaquina");
        QTest::addColumn<int>("tipoCarga");
        QTest::addColumn<bool>("visible");
        QTest::newRow("sin maquina automatica") << 0.0 << 0 << false;
        QTest::newRow("maquina antigua") << 1.3 << 0 << false;
        QTest::newRow("maquina 2.0") << 2.0 << 0 << true;
        QTest::newRow("maquina 2.2") << 2.2 << 0 << true;
        QTest::newRow("carga manual sin maquina") << 0.0 << 1 << true;
        QTest::newRow("carga manual maquina antigua") << 1.3 << 1 << true;
    }
    void panelDeCategorias()
    {
        QFETCH(double, versionMaquina);
        QFETCH(int, tipoCarga);
        QFETCH(bool, visible);
        Entorno e(versionMaquina, tipoCarga);
        QCOMPARE(Hijo<QWidget>(e.Principal(), "pnlCategorias")->isVisible(), visible);
    }

    void categoriasOrdenadasSinElegirNinguna()
    {
        Entorno e(2.0);
        auto *lista = Hijo<QComboBox>(e.Principal(), "cmbCategorias");
        QCOMPARE(lista->count(), 2);
        QCOMPARE(lista->itemText(0), QStringLiteral("CENTRO DE DIA"));
        QCOMPARE(lista->currentIndex(), -1);
        Hijo<QPushButton>(e.Principal(), "btnSeleccionar")->click();
        QVERIFY(qobject_cast<TFormMain *>(e.ventana.PantallaActual()));
        QVERIFY(!e.dm.Categoria);
    }

    void seleccionarAbreLaCategoria()
    {
        Entorno e(2.0);
        TFormMain *principal = e.Principal();
        Hijo<QComboBox>(principal, "cmbCategorias")->setCurrentIndex(1);
        Hijo<QPushButton>(principal, "btnSeleccionar")->click();
        auto *hub = qobject_cast<TFormCategoria *>(e.ventana.PantallaActual());
        QVERIFY(hub);
        QCOMPARE(e.dm.Categoria->Codigo, 3);
        QCOMPARE(Hijo<QLabel>(hub, "lblCategoria")->text(), QStringLiteral("RESIDENCIA NORTE"));
        QVERIFY(Hijo<QPushButton>(hub, "btnPacientes")->isVisible());
        Hijo<QPushButton>(hub, "btnVolver")->click();
        // Back on the main screen the active category stays chosen.
        QCOMPARE(Hijo<QComboBox>(e.ventana.PantallaActual(), "cmbCategorias")->currentText(),
                 QStringLiteral("RESIDENCIA NORTE"));
    }

    void administrarSoloParaFarmaceuticos_data()
    {
        QTest::addColumn<int>("usuario"); // 0 nobody, 1 assistant, 2 pharmacist
        QTest::addColumn<bool>("visible");
        QTest::newRow("sin usuario") << 0 << false;
        QTest::newRow("auxiliar") << 1 << false;
        QTest::newRow("farmaceutico") << 2 << true;
    }
    void administrarSoloParaFarmaceuticos()
    {
        QFETCH(int, usuario);
        QFETCH(bool, visible);
        Entorno e;
        if (usuario > 0)
            e.Usuario(usuario == 2);
        QCOMPARE(Hijo<QPushButton>(e.Principal(), "btnAdministrar")->isVisible(), visible);
    }

    void cabeceraConUsuarioYFarmacia()
    {
        Entorno e;
        e.Usuario(false);
        e.preferencias.ofNombre = QStringLiteral("Farmacia Sol");
        e.preferencias.ofTitular = QStringLiteral("Ana Ruiz");
        FixedClock reloj(QDate(2031, 3, 3));
        TFormMain *principal = e.Principal();
        QCOMPARE(Hijo<QLabel>(principal, "lblUsuario")->text(), QStringLiteral("LUISA - AUXILIAR"));
        QCOMPARE(Hijo<QLabel>(principal, "lblTitular")->text(), QStringLiteral("ANA RUIZ"));
        QCOMPARE(Hijo<QLabel>(principal, "lblFarmacia")->text(), QStringLiteral("FARMACIA SOL"));
        QVERIFY(Hijo<QLabel>(principal, "lblPie")->text().contains(QStringLiteral("2031")));
    }

    void entradasSinPantallaAvisan_data()
    {
        QTest::addColumn<QString>("entrada");
        QTest::newRow("ficha") << "btnFicha";
        QTest::newRow("tratamiento") << "btnTratamiento";
        QTest::newRow("carga") << "btnCarga";
        QTest::newRow("entrega") << "btnEntrega";
    }
    void entradasSinPantallaAvisan()
    {
        QFETCH(QString, entrada);
        Entorno e;
        e.Buscar(QStringLiteral("ANA"));
        QWidget *hub = e.ventana.PantallaActual();
        hub->findChild<QPushButton *>(entrada)->click();
        QCOMPARE(e.grabados.Textos(TTipo::Aviso), QStringList {kNoDisponible});
        QCOMPARE(e.ventana.PantallaActual(), hub);
    }

    void cargaAbreLaPantallaRegistrada()
    {
        Entorno e;
        DestinoGrabado carga(TDestino::CargaPaciente);
        e.Buscar(QStringLiteral("ANA"));
        Hijo<QPushButton>(e.ventana.PantallaActual(), "btnCarga")->click();
        QCOMPARE(carga.abierto, 1);
        QVERIFY(e.grabados.mensajes.isEmpty());
    }

    void retornoSinCargas()
    {
        Entorno e;
        DestinoGrabado retorno(TDestino::RetornoPaciente);
        e.Buscar(QStringLiteral("ANA"));
        Hijo<QPushButton>(e.ventana.PantallaActual(), "btnRetorno")->click();
        QCOMPARE(e.grabados.Textos(TTipo::Error),
                 QStringList {QStringLiteral("El paciente no tiene recargas que retornar")});
        QCOMPARE(retorno.abierto, 0);
    }

    void retornoConCargas()
    {
        Entorno e;
        DestinoGrabado retorno(TDestino::RetornoPaciente);
        e.dm.Ejecutar(QStringLiteral("INSERT INTO Recarga (idPaciente) VALUES (12)"));
        e.Buscar(QStringLiteral("ANA"));
        Hijo<QPushButton>(e.ventana.PantallaActual(), "btnRetorno")->click();
        QCOMPARE(retorno.abierto, 1);
    }

    void volverSegunDondeSeLlego()
    {
        Entorno e;
        DestinoGrabado cargaCategoria(TDestino::CargaCategoria);
        DestinoGrabado lista(TDestino::ListaPacientes);
        e.Buscar(QStringLiteral("ANA"));
        QWidget *hub = e.ventana.PantallaActual();
        e.ventana.Marcas = {true, true};
        Hijo<QPushButton>(hub, "btnVolver")->click();
        QCOMPARE(cargaCategoria.abierto, 1);
        e.ventana.Marcas = {false, true};
        Hijo<QPushButton>(hub, "btnVolver")->click();
        QCOMPARE(lista.abierto, 1);
        e.ventana.Marcas = {};
        Hijo<QPushButton>(hub, "btnVolver")->click();
        QVERIFY(qobject_cast<TFormMain *>(e.ventana.PantallaActual()));
    }

    void menuDeAdministracion()
    {
        Entorno e;
        e.ventana.show();
        TMenuAdministracion menu;
        Hijo<QPushButton>(&menu, "btnMedicamentos")->click();
        QVERIFY(qobject_cast<TFormMedicamentos *>(e.ventana.PantallaActual()));
        Hijo<QPushButton>(&menu, "btnUsuarios")->click();
        QCOMPARE(e.grabados.Textos(TTipo::Aviso), QStringList {kNoDisponible});
        Hijo<QPushButton>(&menu, "btnGestionSPD")->click();
        QVERIFY(qobject_cast<TFormMain *>(e.ventana.PantallaActual()));
    }

    void menuDeConsultas()
    {
        Entorno e;
        e.ventana.show();
        TMenuConsultas menu;
        Hijo<QPushButton>(&menu, "btnInventario")->click();
        QWidget *inventario = e.ventana.PantallaActual();
        QVERIFY(qobject_cast<TFormCInventario *>(inventario));
        // The stock inquiry carries the menu itself.
        Hijo<QPushButton>(inventario, "btnGestion")->click();
        QVERIFY(qobject_cast<TFormMedicamentos *>(e.ventana.PantallaActual()));
        Hijo<QPushButton>(&menu, "btnAuditoria")->click();
        QCOMPARE(e.grabados.Textos(TTipo::Aviso), QStringList {kNoDisponible});
        Hijo<QPushButton>(&menu, "btnGestionSPD")->click();
        QVERIFY(qobject_cast<TFormMain *>(e.ventana.PantallaActual()));
    }
};

QTEST_MAIN(TestFormMain)
#include "test_form_main.moc"
