#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/patients/EdicionPaciente.h"
#include "core/settings/uPreferencias.h"
#include "support/MensajesGrabados.h"
#include "ui/patients/FFichaPaciente.h"
#include "ui/patients/FPacienteFicha.h"
#include "ui/patients/MarcoFichaPaciente.h"
#include "ui/reports/Fpreview.h"
#include "ui/users/DialogoModal.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

using TTipo = PresentadorMensajes::TTipo;

// The patient card as the user drives it: its checks in order with the focus on the field, storing
// a new patient, the doctor list, the category warning, documents, printing, the read-only card and
// the card inside the patient screen.
class TestFichaPaciente : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        FixedClock reloj {QDate(2024, 5, 6)};
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados grabados;

        explicit Entorno(bool farmaceutico = true)
        {
            dm.Usuario = TUsuario {1, QStringLiteral("ana"), QStringLiteral("ANA"), {}, farmaceutico};
        }
        qint64 Paciente(const QString &ref, const QString &dni, int categoria = 0)
        {
            return dm.Anadir(QStringLiteral("Paciente"),
                             {{QStringLiteral("refPaciente"), ref},
                              {QStringLiteral("DNI"), dni},
                              {QStringLiteral("Nombre"), QStringLiteral("PACIENTE ") + ref},
                              {QStringLiteral("Telefono"), QStringLiteral("600000000")},
                              {QStringLiteral("FechaNacimiento"), SqlFecha::valor(QDate(1950, 3, 5))},
                              {QStringLiteral("CodCategoria"), categoria},
                              {QStringLiteral("Iactivo"), 1}});
        }
        QStringList Errores() const { return grabados.Textos(TTipo::Error); }
        QStringList Auditoria()
        {
            TConsulta filas = dm.Consulta(
                    QStringLiteral("SELECT Accion, Operacion FROM LOPD_Auditoria ORDER BY IdAudit"));
            QStringList lineas;
            while (filas.next())
                lineas << filas.value(0).toString() + QLatin1Char('|') + filas.value(1).toString();
            return lineas;
        }
    };

    template<typename T> static T *Hijo(QWidget &padre, const QString &nombre)
    {
        auto *hijo = padre.findChild<T *>(nombre);
        Q_ASSERT(hijo);
        return hijo;
    }
    static void Escribir(QWidget &ficha, const QString &campo, const QString &texto)
    {
        Hijo<QLineEdit>(ficha, campo)->setText(texto);
    }
    static void Rellenar(QWidget &ficha)
    {
        Escribir(ficha, QStringLiteral("edtNombre"), QStringLiteral("ANA PEREZ"));
        Escribir(ficha, QStringLiteral("edtTelefono"), QStringLiteral("600111222"));
        Escribir(ficha, QStringLiteral("edtDNI"), QStringLiteral("12345678-z"));
        Escribir(ficha, QStringLiteral("edtFechaNacimiento"), QStringLiteral("5/3/1950"));
    }
    static void Aceptar(QWidget &ficha) { Hijo<QPushButton>(ficha, QStringLiteral("btnAceptar"))->click(); }
    static int Pacientes(TDM &dm)
    {
        return dm.Valor(QStringLiteral("SELECT count(*) FROM Paciente")).toInt();
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void laPrimeraComprobacionQueFallaLlevaAlCampo_data()
    {
        QTest::addColumn<QStringList>("campos"); // "component=text" over a correct card
        QTest::addColumn<bool>("fotoBlister");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("foco");
        QTest::newRow("nombre") << QStringList {"edtNombre= ", "edtTelefono=", "edtDNI="} << true
                                << "NOMBRE ES UN CAMPO OBLIGATORIO"
                                << "edtNombre";
        QTest::newRow("telefono") << QStringList {"edtTelefono=  ", "edtDNI="} << true
                                  << "TELEFONO ES UN CAMPO OBLIGATORIO"
                                  << "edtTelefono";
        QTest::newRow("dni vacio") << QStringList {"edtDNI= / ", "edtReferencia=OTRA"} << true
                                   << "DNI ES UN CAMPO OBLIGATORIO"
                                   << "edtDNI";
        QTest::newRow("dni largo") << QStringList {"edtDNI=123456789012"} << true
                                   << "EL DNI NO PUEDE TENER MAS QUE 9 CARACTERES"
                                   << "edtDNI";
        QTest::newRow("dni de otra") << QStringList {"edtDNI=11111111 h", "edtReferencia=otra"} << true
                                     << "YA EXISTE OTRO PACIENTE CON EL MISMO DNI"
                                     << "edtDNI";
        QTest::newRow("referencia de otra") << QStringList {"edtReferencia=otra", "edtFechaNacimiento=x"}
                                            << true << "YA EXISTE OTRO PACIENTE CON LA MISMA REFERENCIA"
                                            << "edtReferencia";
        QTest::newRow("fecha") << QStringList {"edtFechaNacimiento=30/2/1950"} << true
                               << "INTRODUCIR FECHA VALIDA"
                               << "edtFechaNacimiento";
        QTest::newRow("fecha futura") << QStringList {"edtFechaNacimiento=7/5/2024"} << true
                                      << "LA FECHA DE NACIMIENTO NO PUEDE SER MAYOR QUE EL DIA ACTUAL"
                                      << "edtFechaNacimiento";
        QTest::newRow("foto") << QStringList {} << true << "INSERTAR FOTOGRAFIA DEL PACIENTE"
                              << "btnFotoEditar";
    }
    void laPrimeraComprobacionQueFallaLlevaAlCampo()
    {
        QFETCH(QStringList, campos);
        QFETCH(bool, fotoBlister);
        QFETCH(QString, error);
        QFETCH(QString, foco);
        Entorno e;
        e.Paciente(QStringLiteral("OTRA"), QStringLiteral("11111111H"));
        TFormPacienteFicha dialogo(0);
        dialogo.show();
        Rellenar(dialogo);
        for (const QString &campo : campos)
            Escribir(dialogo, campo.section(QLatin1Char('='), 0, 0), campo.section(QLatin1Char('='), 1));
        Hijo<QCheckBox>(dialogo, QStringLiteral("chkFotoBlister"))->setChecked(fotoBlister);
        Aceptar(dialogo);
        QCOMPARE(e.Errores(), QStringList {error});
        QCOMPARE(dialogo.focusWidget()->objectName(), foco);
        QVERIFY(dialogo.isVisible());
        QCOMPARE(Pacientes(e.dm), 1);
    }

    void unPacienteNuevoSeGuardaDesdeLaFicha()
    {
        Entorno e;
        e.db.appDirectory().write(QStringLiteral("files/NEW/de-otro-paciente.pdf"), "viejo");
        const QString documento = e.db.appDirectory().write(QStringLiteral("escaneos/informe.pdf"), "pdf");
        TFormPacienteFicha dialogo(0);
        dialogo.show();
        QCOMPARE(dialogo.windowTitle(), QStringLiteral("NUEVO PACIENTE"));
        QCOMPARE(Hijo<QListWidget>(dialogo, QStringLiteral("lstDocumentos"))->count(), 0);
        Rellenar(dialogo);
        Hijo<QRadioButton>(dialogo, QStringLiteral("rbMujer"))->click();
        Hijo<QCalendarWidget>(dialogo, QStringLiteral("calFechaNacimiento"))->clicked(QDate(1948, 12, 24));
        QCOMPARE(Hijo<QLineEdit>(dialogo, QStringLiteral("edtFechaNacimiento"))->text(),
                 QStringLiteral("24/12/1948"));
        dialogo.Marco().InsertarDocumento(documento);
        Aceptar(dialogo);
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        QVERIFY(e.grabados.mensajes.isEmpty());
        TConsulta fila = e.dm.Consulta(
                QStringLiteral("SELECT idPaciente, refPaciente, DNI, Varon, FechaNacimiento FROM Paciente"));
        QVERIFY(fila.next());
        const qint64 id = fila.value(0).toLongLong();
        QCOMPARE(fila.value(1).toString(), QString::number(id));
        QCOMPARE(fila.value(2).toString(), QStringLiteral("12345678Z"));
        QCOMPARE(fila.value(3).toInt(), 0);
        QCOMPARE(SqlFecha::leerDia(fila.value(4)), QDate(1948, 12, 24));
        QCOMPARE(e.Auditoria(), QStringList {QStringLiteral("NUEVO PACIENTE|ALTA")});
        QCOMPARE(e.db.appDirectory().read(QStringLiteral("files/%1/informe.pdf").arg(id)), QByteArray("pdf"));
        QVERIFY(!e.db.appDirectory().exists(QStringLiteral("files/%1/de-otro-paciente.pdf").arg(id)));
    }

    void fichaNuevoPacienteDiceSiSeGuardo()
    {
        Entorno e;
        AlAbrir<TFormPacienteFicha>([](TFormPacienteFicha &dialogo) {
            Rellenar(dialogo);
            Aceptar(dialogo);
        });
        QVERIFY(FichaNuevoPaciente());
        AlAbrir<TFormPacienteFicha>([](TFormPacienteFicha &dialogo) {
            dialogo.Marco().InsertarDocumento(QStringLiteral("/etc/hostname"));
            dialogo.reject();
        });
        QVERIFY(!FichaNuevoPaciente());
        QCOMPARE(Pacientes(e.dm), 1);
        QVERIFY(!e.db.appDirectory().exists(QStringLiteral("files/NEW")));
    }

    void unaFichaQueNoSePuedeGuardarSeQuedaAbiertaConLoEscrito()
    {
        Entorno e;
        const qint64 id = e.Paciente(QStringLiteral("R1"), QStringLiteral("11111111H"));
        TFormPacienteFicha dialogo(id);
        dialogo.show();
        QCOMPARE(dialogo.windowTitle(), QStringLiteral("EDITAR PACIENTE"));
        // Another workstation changes the name meanwhile.
        TEdicionPaciente otro(e.dm, id);
        TFichaPaciente ficha = otro.Abierta();
        ficha.Nombre = QStringLiteral("NOMBRE DEL OTRO PUESTO");
        otro.Guardar(ficha, QStringLiteral("EDITAR PACIENTE"), true);

        Escribir(dialogo, QStringLiteral("edtNombre"), QStringLiteral("NOMBRE DE ESTE PUESTO"));
        Aceptar(dialogo);
        QCOMPARE(e.Errores().size(), 1);
        QVERIFY(e.Errores().first().startsWith(QStringLiteral("OTRO PUESTO HA CAMBIADO")));
        QVERIFY(dialogo.isVisible());
        QCOMPARE(Hijo<QLineEdit>(dialogo, QStringLiteral("edtNombre"))->text(),
                 QStringLiteral("NOMBRE DE ESTE PUESTO"));
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT Nombre FROM Paciente")).toString(),
                 QStringLiteral("NOMBRE DEL OTRO PUESTO"));
    }

    void elMedicoSeEscribeEnMayusculasYSeOfreceAnadirlo_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QStringList>("lista");
        QTest::newRow("si") << 1 << QStringList {"DR. GIL"};
        QTest::newRow("no") << 2 << QStringList {};
    }
    void elMedicoSeEscribeEnMayusculasYSeOfreceAnadirlo()
    {
        QFETCH(int, respuesta);
        QFETCH(QStringList, lista);
        Entorno e;
        TFormPacienteFicha dialogo(0);
        dialogo.show();
        auto *medico = Hijo<QComboBox>(dialogo, QStringLiteral("cmbMedicoNombre"));
        e.grabados.Responder(respuesta);
        medico->lineEdit()->setText(QStringLiteral(" dr. gil "));
        emit medico->lineEdit()->editingFinished();
        emit medico->lineEdit()->editingFinished(); // asked once for the name
        QCOMPARE(medico->currentText(), QStringLiteral("DR. GIL"));
        QCOMPARE(e.grabados.Textos(TTipo::Confirmar),
                 QStringList {QStringLiteral("¿DESEA AÑADIR ESTE MEDICO A LA LISTA DE MEDICOS?")});
        QCOMPARE(e.preferencias.Medicos, lista);
        TPreferences releidas {IniFile(e.db.directory().iniFile())};
        QCOMPARE(releidas.Medicos, lista);
    }

    void cambiarDeCategoriaAvisaDeLaProximaCarga_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<int>("categoria");
        QTest::newRow("se confirma") << 1 << 2;
        QTest::newRow("se deja la anterior") << 2 << 1;
    }
    void cambiarDeCategoriaAvisaDeLaProximaCarga()
    {
        QFETCH(int, respuesta);
        QFETCH(int, categoria);
        Entorno e;
        for (const auto &[codigo, nombre] : {std::pair {1, "RESIDENCIA"}, std::pair {2, "PLANTA"}})
            e.dm.Anadir(QStringLiteral("TabMaestras"),
                        {{QStringLiteral("CodTab"), 0},
                         {QStringLiteral("Codigo"), codigo},
                         {QStringLiteral("Descripcion"), QString::fromLatin1(nombre)}});
        const qint64 id = e.Paciente(QStringLiteral("R1"), QStringLiteral("11111111H"), 1);
        // The patient's last load ends on 12 May; the other category has none, so it loads today.
        e.dm.Anadir(QStringLiteral("Recarga"),
                    {{QStringLiteral("idPaciente"), id},
                     {QStringLiteral("refRecarga"), 1},
                     {QStringLiteral("FechaInicio"), SqlFecha::valor(QDate(2024, 5, 6))},
                     {QStringLiteral("FechaFin"), SqlFecha::valor(QDate(2024, 5, 12))}});
        TFormPacienteFicha dialogo(id);
        dialogo.show();
        auto *combo = Hijo<QComboBox>(dialogo, QStringLiteral("cmbCategoria"));
        QCOMPARE(combo->currentData().toInt(), 1);
        e.grabados.Responder(respuesta);
        const int planta = combo->findData(2);
        combo->setCurrentIndex(planta);
        emit combo->activated(planta);
        QCOMPARE(e.grabados.Textos(TTipo::Confirmar),
                 QStringList {
                         QStringLiteral("AVISO :\nLa proxima carga al PACIENTE será la del  : 13/05/2024\n"
                                        "La proxima carga de la CATEGORIA será la del : 06/05/2024\n"
                                        "¿ESTAS SEGURO QUE QUIERE CAMBIAR DE CATEGORIA?")});
        QCOMPARE(combo->currentData().toInt(), categoria);
    }

    void documentos()
    {
        Entorno e;
        const qint64 id = e.Paciente(QStringLiteral("R1"), QStringLiteral("11111111H"));
        const QString origen = e.db.appDirectory().write(QStringLiteral("escaneos/informe.pdf"), "nuevo");
        e.db.appDirectory().write(QStringLiteral("files/%1/informe.pdf").arg(id), "viejo");
        TFormPacienteFicha dialogo(id);
        dialogo.show();
        auto *lista = Hijo<QListWidget>(dialogo, QStringLiteral("lstDocumentos"));
        QCOMPARE(lista->count(), 1);
        e.grabados.Responder(2);
        dialogo.Marco().InsertarDocumento(origen);
        QCOMPARE(e.db.appDirectory().read(QStringLiteral("files/%1/informe.pdf").arg(id)),
                 QByteArray("viejo"));
        e.grabados.Responder(1);
        dialogo.Marco().InsertarDocumento(origen);
        QCOMPARE(e.db.appDirectory().read(QStringLiteral("files/%1/informe.pdf").arg(id)),
                 QByteArray("nuevo"));
        QCOMPARE(e.grabados.Textos(TTipo::Confirmar).size(), 2);

        lista->setCurrentRow(0);
        e.grabados.Responder(2);
        Hijo<QPushButton>(dialogo, QStringLiteral("btnDocumentoBorrar"))->click();
        QCOMPARE(lista->count(), 1);
        Hijo<QPushButton>(dialogo, QStringLiteral("btnDocumentoBorrar"))->click();
        QCOMPARE(lista->count(), 0);
        QCOMPARE(e.grabados.Textos(TTipo::Confirmar).last(),
                 QStringLiteral("¿ESTA SEGURO QUE QUIERE ELIMINAR EL DOCUMENTO?"));
        QVERIFY(!e.db.appDirectory().exists(QStringLiteral("files/%1/informe.pdf").arg(id)));
    }

    void imprimirGuardaMuestraYAudita()
    {
        Entorno e;
        TFormPacienteFicha dialogo(0);
        dialogo.show();
        Rellenar(dialogo);
        QString titulo;
        AlAbrir<TFormPreview>([&titulo](TFormPreview &vista) {
            titulo = vista.informe().title();
            vista.close();
        });
        Hijo<QPushButton>(dialogo, QStringLiteral("btnImprimir"))->click();
        QCOMPARE(titulo, QStringLiteral("FICHA PACIENTE"));
        QVERIFY(dialogo.Guardada());
        QCOMPARE(e.Auditoria(),
                 (QStringList {QStringLiteral("NUEVO PACIENTE|ALTA"),
                               QStringLiteral("LISTADO FICHA PACIENTE|CONSULTA")}));
        dialogo.reject(); // the stored patient's card was looked at
        QCOMPARE(e.Auditoria().last(), QStringLiteral("NUEVO PACIENTE|CONSULTA"));
        QCOMPARE(Pacientes(e.dm), 1);
    }

    void soloLecturaParaUnAuxiliar()
    {
        Entorno e(false);
        const qint64 id = e.Paciente(QStringLiteral("R1"), QStringLiteral("11111111H"));
        TFormPacienteFicha dialogo(id);
        dialogo.show();
        QVERIFY(Hijo<QLineEdit>(dialogo, QStringLiteral("edtNombre"))->isReadOnly());
        QVERIFY(!Hijo<QComboBox>(dialogo, QStringLiteral("cmbCategoria"))->isEnabled());
        QVERIFY(!Hijo<QPushButton>(dialogo, QStringLiteral("btnFotoEditar"))->isEnabled());
        QVERIFY(!Hijo<QPushButton>(dialogo, QStringLiteral("btnDocumentoInsertar"))->isEnabled());
        Escribir(dialogo, QStringLiteral("edtNombre"), QStringLiteral("CAMBIADO"));
        Aceptar(dialogo);
        QCOMPARE(dialogo.result(), int(QDialog::Rejected));
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT Nombre FROM Paciente")).toString(),
                 QStringLiteral("PACIENTE R1"));
        QCOMPARE(e.Auditoria(), QStringList {QStringLiteral("EDITAR PACIENTE|CONSULTA")});
    }

    void sinInventarioNoSeVeElControl()
    {
        Entorno e;
        e.preferencias.NoReinoUnido = false;
        TFormPacienteFicha dialogo(0);
        dialogo.show();
        QVERIFY(!Hijo<QCheckBox>(dialogo, QStringLiteral("chkControlInventario"))->isVisible());
        Rellenar(dialogo);
        Aceptar(dialogo);
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT IConInven FROM Paciente")).toInt(), 0);
    }

    void laFichaDentroDeLaPantallaDelPaciente()
    {
        Entorno e;
        const qint64 id = e.Paciente(QStringLiteral("R1"), QStringLiteral("11111111H"));
        e.dm.idPacienteActivo = int(id);
        TFormFichaPaciente pantalla;
        pantalla.show();
        QCOMPARE(Hijo<QLabel>(pantalla, QStringLiteral("lblCaption"))->text(),
                 QStringLiteral("FICHA PACIENTE"));
        QCOMPARE(Hijo<QLineEdit>(pantalla, QStringLiteral("edtReferencia"))->text(), QStringLiteral("R1"));
        QSignalSpy volver(&pantalla, &TFormFichaPaciente::volver);
        Escribir(pantalla, QStringLiteral("edtTelefono"), QString());
        Hijo<QPushButton>(pantalla, QStringLiteral("btnVolver"))->click();
        QCOMPARE(volver.count(), 0);
        QCOMPARE(e.Errores(), QStringList {QStringLiteral("TELEFONO ES UN CAMPO OBLIGATORIO")});
        Escribir(pantalla, QStringLiteral("edtTelefono"), QStringLiteral("699000000"));
        Hijo<QPushButton>(pantalla, QStringLiteral("btnVolver"))->click();
        QCOMPARE(volver.count(), 1);
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT Telefono FROM Paciente")).toString(),
                 QStringLiteral("699000000"));
        QCOMPARE(e.Auditoria(), QStringList {QStringLiteral("FICHA PACIENTE|MODIFICACION")});
    }
};

PASTILLERO_UI_DATA_TEST_MAIN(TestFichaPaciente)
#include "test_ficha_paciente.moc"
