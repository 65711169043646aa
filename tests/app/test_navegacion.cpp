// What a pharmacist reaches by clicking from the main window, with the screens connected as the
// application connects them: the administration entry, its side menu, and the patient hub's card
// and treatment.
#include "app/Pantallas.h"
#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dispenser/UDispenserTCP.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/FinAplicacion.h"
#include "support/DialogoModal.h"
#include "support/MaquinaPrueba.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/audit/FAuditoria.h"
#include "ui/data/FDlgBackupRestaurar.h"
#include "ui/data/FDlgSelectNetwork.h"
#include "ui/dispenser/FConfigurarRedMaquina.h"
#include "ui/dispenser/FParametrosMaquina.h"
#include "ui/i18n/FPantallaTraducciones.h"
#include "ui/loading/FCargas.h"
#include "ui/loading/FCategoriaCarga.h"
#include "ui/masters/FCategorias.h"
#include "ui/masters/FDlgTabMaestras.h"
#include "ui/medication/FMedicamentos.h"
#include "ui/patients/FCategoriaPacientes.h"
#include "ui/patients/FFichaPaciente.h"
#include "ui/patients/FListados.h"
#include "ui/patients/FPacienteTratamiento.h"
#include "ui/patients/FPacienteTratamientoHist.h"
#include "ui/patients/FPacientes.h"
#include "ui/reports/Fpreview.h"
#include "ui/settings/FPreferencias.h"
#include "ui/shell/FCategoria.h"
#include "ui/shell/FDlgNotasVersion.h"
#include "ui/shell/FMain.h"
#include "ui/shell/FPaciente.h"
#include "ui/shell/FPrincipal.h"
#include "ui/stock/FCInventario.h"
#include "ui/stock/FCTrazabilidad.h"
#include "ui/stock/FCategoriaEntrega.h"
#include "ui/stock/FNecesidades.h"
#include "ui/stock/FPacienteEntrega.h"
#include "ui/stock/FPacienteRetorno.h"
#include "ui/users/FUsuarios.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>

class TestNavegacion : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        Entorno()
        {
            preferencias.Pais = QStringLiteral("0");
            dm.Usuario = TUsuario {1, QStringLiteral("rosa"), QStringLiteral("ROSA"), {}, true};
            dm.Anadir(QStringLiteral("Paciente"),
                      {{QStringLiteral("refPaciente"), QStringLiteral("R-001")},
                       {QStringLiteral("Nombre"), QStringLiteral("ANA")},
                       {QStringLiteral("DNI"), QStringLiteral("1A")},
                       {QStringLiteral("Telefono"), QStringLiteral("600")},
                       {QStringLiteral("Iactivo"), 1},
                       {QStringLiteral("FechaNacimiento"), SqlFecha::valor(QDate(1950, 3, 15))}});
            RegistrarPantallas();
            ventana.show();
            ventana.AbrirPantalla<TFormMain>();
        }
        // Clicks the button of the screen shown and lets queued navigation run.
        void Pulsar(const char *boton)
        {
            auto *pulsado = ventana.PantallaActual()->findChild<QPushButton *>(QString::fromLatin1(boton));
            QVERIFY2(pulsado, boton);
            QTest::mouseClick(pulsado, Qt::LeftButton);
            QCoreApplication::processEvents();
        }
        template<typename T> bool Muestra() const { return qobject_cast<T *>(ventana.PantallaActual()); }

        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados grabados;
        TFormInicio ventana {[] { return true; }};
    };

private slots:
    void laAdministracionLlevaALosPacientesYSuMenu()
    {
        Entorno e;
        e.Pulsar("btnAdministrar");
        QVERIFY(e.Muestra<TFormPacientes>());
        e.Pulsar("btnMedicamentos");
        QVERIFY(e.Muestra<TFormMedicamentos>());
        e.Pulsar("btnUsuarios");
        QVERIFY(e.Muestra<TFormUsuarios>());
        e.Pulsar("btnConsultas");
        QVERIFY(e.Muestra<TFormCargas>());
        e.Pulsar("btnInventario");
        QVERIFY(e.Muestra<TFormCInventario>());
        e.Pulsar("btnUtilidades");
        QVERIFY(e.Muestra<TFormNecesidades>());
        e.Pulsar("btnGestionSPD");
        e.Pulsar("btnAdministrar");
        e.Pulsar("btnPacientes");
        QVERIFY(e.Muestra<TFormPacientes>());
        QVERIFY(e.grabados.mensajes.isEmpty());
    }

    // The inquiries' "TRAZABILIDAD" opens the traceability view, which finds a patient's stock.
    void lasConsultasLlevanALaTrazabilidad()
    {
        Entorno e;
        e.dm.Anadir(QStringLiteral("Inventario"),
                    {{QStringLiteral("idPaciente"), 1},
                     {QStringLiteral("idMedicamento"), 654321},
                     {QStringLiteral("IdMedicamentoReal"), 654321},
                     {QStringLiteral("Lote"), QStringLiteral("L1")},
                     {QStringLiteral("CantidadRestante"), 8}});
        e.Pulsar("btnAdministrar");
        e.Pulsar("btnConsultas");
        e.Pulsar("btnTrazabilidad");
        QVERIFY(e.Muestra<TFormCTrazabilidad>());
        e.ventana.PantallaActual()
                ->findChild<QLineEdit *>(QStringLiteral("edtCodigo"))
                ->setText(QStringLiteral("654321"));
        e.Pulsar("btnFiltrar");
        const auto *lista
                = e.ventana.PantallaActual()->findChild<QTableView *>(QStringLiteral("grdTrazabilidad"));
        QCOMPARE(lista->model()->rowCount(), 1);
        QCOMPARE(lista->model()->index(0, 0).data().toString(), QStringLiteral("R-001"));
        QVERIFY(e.grabados.mensajes.isEmpty());
    }

    // The inquiries' menu leads to the audit view, which filters this month's log by action.
    void lasConsultasLlevanALaAuditoriaFiltrada()
    {
        Entorno e;
        for (const QString &accion : {QStringLiteral("FICHA PACIENTE"), QStringLiteral("CARGA D'ANA")})
            e.dm.Anadir(QStringLiteral("LOPD_Auditoria"),
                        {{QStringLiteral("FAudit"), SqlFecha::valor(Clock::now())},
                         {QStringLiteral("Accion"), accion}});
        e.Pulsar("btnAdministrar");
        e.Pulsar("btnConsultas");
        e.Pulsar("btnAuditoria");
        QVERIFY(e.Muestra<TFormAuditoria>());
        e.ventana.PantallaActual()
                ->findChild<QComboBox *>(QStringLiteral("cmbAccion"))
                ->setCurrentText(QStringLiteral("carga d'ana"));
        e.Pulsar("btnFiltrar");
        const QAbstractItemModel *lista = e.ventana.PantallaActual()
                                                  ->findChild<QTableView *>(QStringLiteral("grdAuditoria"))
                                                  ->model();
        QCOMPARE(lista->rowCount(), 1);
        QCOMPARE(lista->index(0, 4).data().toString(), QStringLiteral("CARGA D'ANA"));
        QVERIFY(e.grabados.mensajes.isEmpty());
    }

    void laAdministracionLlevaALasPreferencias()
    {
        Entorno e;
        e.Pulsar("btnAdministrar");
        e.Pulsar("btnPreferencias");
        QVERIFY(e.Muestra<TFormPreferencias>());
        e.Pulsar("btnUsuarios");
        QVERIFY(e.Muestra<TFormUsuarios>());
        QVERIFY(e.grabados.mensajes.isEmpty());
    }

    // "INFO" shows the whole notes file of the language, or says there is none.
    void lasPreferenciasMuestranLasNotasDeVersion()
    {
        Entorno e;
        AppDirectory::setCurrent(e.db.directory());
        e.Pulsar("btnAdministrar");
        e.Pulsar("btnPreferencias");
        e.Pulsar("btnInfo");
        QCOMPARE(e.grabados.Textos(MensajesGrabados::TTipo::Aviso),
                 QStringList {QStringLiteral("NO HAY NOTAS DE VERSION PARA ESTE IDIOMA")});
        e.db.appDirectory().write(QStringLiteral("Version.log"), "|||* NOVEDADES\n|*|1.0.0.19\n");
        QStringList notas;
        CuandoSeAbra<TDlgNotasVersion>([&notas](TDlgNotasVersion &ventana) {
            const auto *lista = ventana.findChild<QListWidget *>(QStringLiteral("lstNotas"));
            for (int i = 0; i < lista->count(); ++i)
                notas << lista->item(i)->text();
            ventana.accept();
        });
        e.Pulsar("btnInfo");
        AppDirectory::setCurrent(AppDirectory());
        QCOMPARE(notas,
                 (QStringList {QStringLiteral(" "), QStringLiteral("* NOVEDADES"),
                               QStringLiteral("1.0.0.19")}));
    }

    // Ctrl+F3 on the main window shows the machine's parameters; the preferences' "IP CONFIG"
    // its network settings and "ACTUALIZAR FIRMWARE" offers to update its software.
    void laMaquinaSeVeYSeConfigura()
    {
        Entorno e;
        std::unique_ptr<SimuladorDispensador> simulador;
        std::unique_ptr<TDispenserTCP> link;
        QVERIFY(MaquinaPrueba::Arrancar(MaquinaPrueba::Rapida(), simulador, link));
        QVERIFY(QTest::qWaitForWindowActive(&e.ventana));
        bool parametros = false;
        CuandoSeAbra<TDlgParametrosMaquina>([&parametros](TDlgParametrosMaquina &vista) {
            parametros = true;
            vista.accept();
        });
        QTest::keyClick(&e.ventana, Qt::Key_F3, Qt::ControlModifier);
        QVERIFY(parametros);
        e.Pulsar("btnAdministrar");
        e.Pulsar("btnPreferencias");
        bool red = false;
        CuandoSeAbra<TDlgConfigurarRedMaquina>([&red](TDlgConfigurarRedMaquina &dialogo) {
            red = true;
            dialogo.reject();
        });
        e.Pulsar("btnIPConfig");
        QVERIFY(red);
        QVERIFY(e.grabados.mensajes.isEmpty());
        e.grabados.Responder(2);
        e.Pulsar("btnActualizarFirmware");
        QCOMPARE(e.grabados.Textos(MensajesGrabados::TTipo::Confirmar),
                 QStringList {QStringLiteral("HA SOLICITADO UNA ACTUALIZACION DEL FIRMWARE DE LA MAQUINA\n\r"
                                             "¿QUIERE CONTINUAR?")});
    }

    void laAdministracionLlevaALaRestauracionDeCopias()
    {
        Entorno e;
        e.Pulsar("btnAdministrar");
        bool abierto = false;
        CuandoSeAbra<TDlgBackupRestaurar>([&abierto](TDlgBackupRestaurar &dialogo) {
            abierto = true;
            dialogo.reject();
        });
        e.Pulsar("btnRestaurarBackup");
        QVERIFY(abierto);
        QVERIFY(e.grabados.mensajes.isEmpty());
    }

    // The administration menu opens the translation editor on the lines of the screen shown.
    void laAdministracionLlevaAlEditorDeTraducciones()
    {
        Entorno e;
        e.lenguaje.Agregar(QStringLiteral("FormPacientes.btnNuevo.text=NUEVO|||NEW|||||"));
        e.lenguaje.Agregar(QStringLiteral("FormMain.btnBuscar.text=BUSCAR|||SEARCH|||||"));
        e.Pulsar("btnAdministrar");
        QStringList claves;
        CuandoSeAbra<TFPantallaTraducciones>([&claves](TFPantallaTraducciones &editor) {
            for (const int fila : editor.Edicion().Visibles())
                claves << editor.Edicion().Filas().at(fila).Campo;
            editor.reject();
        });
        e.Pulsar("btnTraducciones");
        QCOMPARE(claves, QStringList {QStringLiteral("FormPacientes.btnNuevo.text")});
        QVERIFY(e.Muestra<TFormPacientes>());
    }

    void laAdministracionLlevaALasCategorias()
    {
        Entorno e;
        e.Pulsar("btnAdministrar");
        e.Pulsar("btnCategorias");
        QVERIFY(e.Muestra<TFormCategorias>());
        CuandoSeAbra<TDlgTabMaestras>([](TDlgTabMaestras &dialogo) {
            dialogo.findChild<QLineEdit *>(QStringLiteral("edtDescripcion"))
                    ->setText(QStringLiteral("PLANTA 1"));
            QTest::mouseClick(dialogo.findChild<QPushButton *>(QStringLiteral("btnAceptar")), Qt::LeftButton);
        });
        e.Pulsar("btnNuevo");
        QCOMPARE(e.dm.TextoCategoria(1), QStringLiteral("PLANTA 1"));
        QVERIFY(e.grabados.mensajes.isEmpty());
    }

    // A chosen location ends the application so that the next start uses it.
    void laAdministracionLlevaALaUbicacionDeLaBaseDeDatos()
    {
        Entorno e;
        AppDirectory::setCurrent(e.db.directory());
        bool terminada = false;
        EstablecerFinAplicacion([&terminada] { terminada = true; });
        e.Pulsar("btnAdministrar");
        CuandoSeAbra<TDlgSelectNetwork>([](TDlgSelectNetwork &dialogo) {
            const auto pulsar = [&dialogo](const char *nombre) {
                QTest::mouseClick(dialogo.findChild<QAbstractButton *>(QString::fromLatin1(nombre)),
                                  Qt::LeftButton);
            };
            pulsar("rbLocal");
            pulsar("btnConectar");
            pulsar("btnContinuar");
        });
        e.Pulsar("btnBaseDatos");
        EstablecerFinAplicacion({});
        AppDirectory::setCurrent(AppDirectory());
        QVERIFY(terminada);
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Aviso),
                 (QStringList {
                         QStringLiteral("CONECTADO CORRECTAMENTE"),
                         QStringLiteral("EL PROGRAMA SE VA A CERRAR PARA QUE SURTA EFECTO LA  CONEXION")}));
    }

    void elPacienteLlevaASuFichaSuTratamientoYSusRetornos()
    {
        Entorno e;
        auto *buscar = e.ventana.PantallaActual()->findChild<QLineEdit *>(QStringLiteral("edtBuscar"));
        buscar->setText(QStringLiteral("R-001"));
        QTest::keyClick(buscar, Qt::Key_Return);
        QVERIFY(e.Muestra<TFormPaciente>());
        e.Pulsar("btnTratamiento");
        QVERIFY(e.Muestra<TFormPacienteTratamiento>());
        e.Pulsar("btnHistorico");
        QVERIFY(e.Muestra<TFormPacienteTratamientoHist>());
        e.Pulsar("btnActual");
        QVERIFY(e.Muestra<TFormPacienteTratamiento>());
        e.Pulsar("btnVolver");
        QVERIFY(e.Muestra<TFormPaciente>());
        e.Pulsar("btnFicha");
        QVERIFY(e.Muestra<TFormFichaPaciente>());
        QVERIFY(e.grabados.mensajes.isEmpty());
        e.Pulsar("btnVolver");
        // The returns open once the patient has a load.
        e.dm.Anadir(
                QStringLiteral("Recarga"),
                {{QStringLiteral("idPaciente"), e.dm.idPacienteActivo}, {QStringLiteral("refRecarga"), 1}});
        e.Pulsar("btnRetorno");
        QVERIFY(e.Muestra<TFormPacienteRetorno>());
        e.Pulsar("btnVolver");
        e.Pulsar("btnEntrega");
        QVERIFY(e.Muestra<TFormPacienteEntrega>());
        e.Pulsar("btnVolver");
        // A patient without treatment has no chart to print.
        e.Pulsar("btnHojaSemanas");
        QCOMPARE(e.grabados.Textos(MensajesGrabados::TTipo::Aviso),
                 QStringList {QStringLiteral("NO SE HAN ENCONTRADO DATOS")});
    }

    void laCategoriaLlevaASuEntregaYASuCarga()
    {
        Entorno e;
        e.dm.Ejecutar(QStringLiteral(
                "INSERT INTO TabMaestras (CodTab, Codigo, Descripcion) VALUES (0, 3, 'RESIDENCIA NORTE')"));
        e.preferencias.VersionMaquina = 2.2; // the category panel is shown with a machine
        e.Pulsar("btnAdministrar");
        e.Pulsar("btnGestionSPD"); // the main screen again, reading the categories
        e.ventana.PantallaActual()
                ->findChild<QComboBox *>(QStringLiteral("cmbCategorias"))
                ->setCurrentIndex(0);
        e.Pulsar("btnSeleccionar");
        QVERIFY(e.Muestra<TFormCategoria>());
        e.Pulsar("btnEntrega");
        QVERIFY(e.Muestra<TFormCategoriaEntrega>());
        e.Pulsar("btnVolver");
        e.Pulsar("btnPacientes");
        QVERIFY(e.Muestra<TFormCategoriaPacientes>());
        e.Pulsar("btnVolver");
        QVERIFY(e.Muestra<TFormCategoria>());
        // A link that listens but whose announcements reach no machine.
        TDispenserTCP link {TConfiguracionRedDispensador::Local(0, 9)};
        e.Pulsar("btnCarga");
        QVERIFY(e.Muestra<TFormCategoriaCarga>());
        e.ventana.CerrarPantallas<TFormCategoriaCarga>(); // before the link goes
        QCoreApplication::processEvents();
    }

    // The needs' "LISTADOS" prints the treatments of a category's ticked patients; the preview
    // shows the header of every screen.
    void losListadosImprimenLosTratamientosDeUnaCategoria()
    {
        Entorno e;
        e.dm.Usuario->Perfil = QStringLiteral("Farmaceutico");
        e.preferencias.ofTitular = QStringLiteral("Luis Gil");
        e.preferencias.ofNombre = QStringLiteral("Farmacia Sol");
        e.dm.Ejecutar(QStringLiteral(
                "INSERT INTO TabMaestras (CodTab, Codigo, Descripcion) VALUES (0, 3, 'RESIDENCIA NORTE')"));
        e.dm.Ejecutar(QStringLiteral("UPDATE Paciente SET CodCategoria = 3"));
        e.dm.Anadir(QStringLiteral("SPD"),
                    {{QStringLiteral("idPaciente"), 1},
                     {QStringLiteral("idMedicamento"), 654321},
                     {QStringLiteral("Dosis"), QStringLiteral("1-0-0-0:D:D:1")}});
        e.Pulsar("btnAdministrar");
        e.Pulsar("btnUtilidades");
        e.Pulsar("btnListados");
        QVERIFY(e.Muestra<TFormListados>());
        QWidget *listados = e.ventana.PantallaActual();
        auto *categoria = listados->findChild<QComboBox *>(QStringLiteral("cmbCategoria"));
        categoria->setCurrentIndex(categoria->findData(3));
        listados->findChild<QComboBox *>(QStringLiteral("cmbListado"))->setCurrentIndex(2);
        listados->findChild<QCheckBox *>(QStringLiteral("chkTodos"))->click();
        e.Pulsar("btnImprimir");
        QVERIFY(e.grabados.mensajes.isEmpty());
        QCOMPARE(TFormPreview::abiertos().size(), 1);
        TFormPreview *preview = TFormPreview::abiertos().first();
        const auto texto = [preview](const char *etiqueta) {
            return preview->findChild<QLabel *>(QString::fromLatin1(etiqueta))->text();
        };
        QCOMPARE(texto("lblUsuario"), QStringLiteral("ROSA - FARMACEUTICO"));
        QCOMPARE(texto("lblTitular"), QStringLiteral("LUIS GIL"));
        QCOMPARE(texto("lblFarmacia"), QStringLiteral("FARMACIA SOL"));
        QCOMPARE(preview->informe().title(), QStringLiteral("TRATAMIENTO DEL PACIENTE"));
        preview->close();
    }
};

QTEST_MAIN(TestNavegacion)
#include "test_navegacion.moc"
