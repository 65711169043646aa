#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/uLog.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/patients/FPacientes.h"
#include "ui/reports/Fpreview.h"
#include "ui/shell/Destinos.h"
#include "ui/shell/FMain.h"
#include "ui/shell/FPaciente.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using TTipo = PresentadorMensajes::TTipo;

namespace {

template<typename T> T *Hijo(QWidget *padre, const char *nombre)
{
    auto *hijo = padre->findChild<T *>(QString::fromLatin1(nombre));
    Q_ASSERT(hijo);
    return hijo;
}

enum Columna { kIdentificador, kNombre, kDNI, kActivo, kCategoria };

} // namespace

// The patients list driven by its components, inside the main window.
class TestFormPacientes : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        Entorno()
        {
            preferencias.Pais = QStringLiteral("0");
            dm.Ejecutar(QStringLiteral("INSERT INTO TabMaestras (CodTab, Codigo, Descripcion) VALUES "
                                       "(0, 3, 'RESIDENCIA NORTE'), (0, 5, 'CENTRO DE DIA')"));
            Paciente(12, QStringLiteral("ANA"), QStringLiteral("12345678Z"), 1, 3);
            Paciente(40, QStringLiteral("EVA"), QStringLiteral("87654321X"), 0, 3);
            Paciente(41, QStringLiteral("BEA"), QStringLiteral("11111111H"), 1, 5);
            Paciente(12345, QStringLiteral("CARLOS"), QStringLiteral("22222222J"), 1, {});
        }
        void Paciente(int id, const QString &ref, const QString &dni, int activo, const QVariant &categoria)
        {
            dm.Ejecutar(
                    QStringLiteral("INSERT INTO Paciente (idPaciente, refPaciente, DNI, Nombre, Telefono, "
                                   "Iactivo, CodCategoria) VALUES (?, ?, ?, ?, '600000000', ?, ?)"),
                    {id, ref, dni, QStringLiteral("NOMBRE ") + ref, activo,
                     categoria.isValid() ? categoria : QVariant(QMetaType(QMetaType::Int))});
        }
        // Opened once: opening it again would read the list again, as showing it does.
        TFormPacientes *Lista()
        {
            if (auto *actual = qobject_cast<TFormPacientes *>(ventana.PantallaActual()))
                return actual;
            ventana.show();
            return ventana.AbrirPantalla<TFormPacientes>();
        }
        QTableView *Rejilla() { return Hijo<QTableView>(Lista(), "grdPacientes"); }
        QStringList Columna(int columna)
        {
            QAbstractItemModel *modelo = Rejilla()->model();
            QStringList textos;
            for (int fila = 0; fila < modelo->rowCount(); ++fila)
                textos << modelo->index(fila, columna).data().toString();
            return textos;
        }
        QString Seleccionado()
        {
            const QModelIndex actual = Rejilla()->currentIndex();
            return actual.isValid() ? actual.siblingAtColumn(kIdentificador).data().toString() : QString();
        }
        int Fila(const QString &ref) { return int(Columna(kIdentificador).indexOf(ref)); }
        void Seleccionar(const QString &ref)
        {
            const int fila = Fila(ref);
            QVERIFY(fila >= 0);
            QTableView *rejilla = Rejilla();
            QTest::mouseClick(rejilla->viewport(), Qt::LeftButton, {},
                              rejilla->visualRect(rejilla->model()->index(fila, kNombre)).center());
        }
        void DobleClic(const QString &ref)
        {
            const int fila = Fila(ref);
            QVERIFY(fila >= 0);
            QTableView *rejilla = Rejilla();
            const QPoint punto = rejilla->visualRect(rejilla->model()->index(fila, kNombre)).center();
            QTest::mouseClick(rejilla->viewport(), Qt::LeftButton, {}, punto);
            QTest::mouseDClick(rejilla->viewport(), Qt::LeftButton, {}, punto);
        }
        void Boton(const char *nombre) { Hijo<QPushButton>(Lista(), nombre)->click(); }
        int Iactivo(int id)
        {
            return dm.Valor(QStringLiteral("SELECT Iactivo FROM Paciente WHERE idPaciente = ?"), {id})
                    .toInt();
        }

        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados grabados;
        TFormInicio ventana {[] { return true; }};
    };

    static void CerrarVistaPrevia()
    {
        for (TFormPreview *vista : TFormPreview::abiertos())
            vista->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private slots:
    void cleanup()
    {
        uLog::CerrarLog();
        RegistrarDestino(TDestino::ListaPacientes, {});
    }

    void filtros_data()
    {
        QTest::addColumn<QString>("activo");
        QTest::addColumn<QString>("categoria");
        QTest::addColumn<QStringList>("referencias");
        QTest::newRow("activos por defecto") << "Si"
                                             << "" << QStringList {"ANA", "BEA", "CARLOS"};
        QTest::newRow("inactivos") << "No"
                                   << "" << QStringList {"EVA"};
        QTest::newRow("todos") << "Todos"
                               << "" << QStringList {"ANA", "EVA", "BEA", "CARLOS"};
        QTest::newRow("activos de una categoria") << "Si"
                                                  << "RESIDENCIA NORTE" << QStringList {"ANA"};
        QTest::newRow("todos de una categoria") << "Todos"
                                                << "RESIDENCIA NORTE" << QStringList {"ANA", "EVA"};
        QTest::newRow("inactivos de otra") << "No"
                                           << "CENTRO DE DIA" << QStringList {};
    }
    void filtros()
    {
        QFETCH(QString, activo);
        QFETCH(QString, categoria);
        QFETCH(QStringList, referencias);
        Entorno e;
        TFormPacientes *lista = e.Lista();
        auto *cmbActivo = Hijo<QComboBox>(lista, "cmbActivo");
        QCOMPARE(cmbActivo->currentText(), QStringLiteral("Si"));
        cmbActivo->setCurrentText(activo);
        auto *cmbCategoria = Hijo<QComboBox>(lista, "cmbCategoria");
        QCOMPARE(cmbCategoria->count(), 3);
        cmbCategoria->setCurrentText(categoria);
        QCOMPARE(e.Columna(kIdentificador), referencias);
    }

    void losInactivosEnRojo()
    {
        Entorno e;
        Hijo<QComboBox>(e.Lista(), "cmbActivo")->setCurrentText(QStringLiteral("Todos"));
        QAbstractItemModel *modelo = e.Rejilla()->model();
        for (int fila = 0; fila < modelo->rowCount(); ++fila) {
            const bool inactivo = modelo->index(fila, kIdentificador).data() == QStringLiteral("EVA");
            QCOMPARE(modelo->index(fila, kActivo).data().toString(),
                     inactivo ? QStringLiteral("NO") : QStringLiteral("SI"));
            for (int columna = 0; columna < modelo->columnCount(); ++columna)
                QCOMPARE(modelo->index(fila, columna).data(Qt::ForegroundRole).value<QBrush>().color()
                                 == Qt::red,
                         inactivo);
        }
    }

    void unClicEnElTituloOrdenaDescendenteYLuegoAscendente()
    {
        Entorno e;
        QHeaderView *titulos = e.Rejilla()->horizontalHeader();
        QTest::mouseClick(titulos->viewport(), Qt::LeftButton, {},
                          QPoint(titulos->sectionViewportPosition(kNombre) + 5, titulos->height() / 2));
        QCOMPARE(e.Columna(kIdentificador), (QStringList {"CARLOS", "BEA", "ANA"}));
        QTest::mouseClick(titulos->viewport(), Qt::LeftButton, {},
                          QPoint(titulos->sectionViewportPosition(kNombre) + 5, titulos->height() / 2));
        QCOMPARE(e.Columna(kIdentificador), (QStringList {"ANA", "BEA", "CARLOS"}));
        // The order stays when the list is read again.
        Hijo<QComboBox>(e.Lista(), "cmbActivo")->setCurrentText(QStringLiteral("Todos"));
        QCOMPARE(e.Columna(kIdentificador), (QStringList {"ANA", "BEA", "CARLOS", "EVA"}));
    }

    void elDobleClicEnLaEtiquetaDeUnaBusquedaOrdenaPorSuColumna()
    {
        Entorno e;
        auto *etiqueta = Hijo<QLabel>(e.Lista(), "lblBuscarReferencia");
        QTest::mouseDClick(etiqueta, Qt::LeftButton);
        QCOMPARE(e.Columna(kIdentificador), (QStringList {"CARLOS", "BEA", "ANA"}));
        QTest::mouseDClick(etiqueta, Qt::LeftButton);
        QCOMPARE(e.Columna(kIdentificador), (QStringList {"ANA", "BEA", "CARLOS"}));
    }

    void bajaYAltaSegunLaFila()
    {
        Entorno e;
        Hijo<QComboBox>(e.Lista(), "cmbActivo")->setCurrentText(QStringLiteral("Todos"));
        auto *baja = Hijo<QPushButton>(e.Lista(), "btnBaja");
        e.Seleccionar(QStringLiteral("EVA"));
        QCOMPARE(baja->text(), QStringLiteral("ALTA"));
        e.Seleccionar(QStringLiteral("ANA"));
        QCOMPARE(baja->text(), QStringLiteral("BAJA"));

        baja->click();
        QCOMPARE(e.Iactivo(12), 0);
        QCOMPARE(e.Seleccionado(), QStringLiteral("ANA"));
        QCOMPARE(baja->text(), QStringLiteral("ALTA"));
        QCOMPARE(e.Rejilla()->currentIndex().siblingAtColumn(kActivo).data().toString(),
                 QStringLiteral("NO"));

        baja->click();
        QCOMPARE(e.Iactivo(12), 1);
        QCOMPARE(baja->text(), QStringLiteral("BAJA"));
    }

    void unaBajaSaleDeLaListaDeActivos()
    {
        Entorno e;
        e.Seleccionar(QStringLiteral("BEA"));
        e.Boton("btnBaja");
        QCOMPARE(e.Iactivo(41), 0);
        QCOMPARE(e.Columna(kIdentificador), (QStringList {"ANA", "CARLOS"}));
        QCOMPARE(e.Seleccionado(), QStringLiteral("CARLOS"));
    }

    void elDobleClicAbreElPacienteYVolverRegresaALaLista()
    {
        Entorno e;
        e.db.appDirectory().write(QStringLiteral("pastillero.ini"), "[TALLER]\r\nTEST=1\r\n");
        uLog::IniciarLog(IniFile(e.db.directory().iniFile()),
                         e.db.directory().file(QStringLiteral("pastillero.log")));
        RegistrarDestino(TDestino::ListaPacientes, [] { FormInicio().AbrirPantalla<TFormPacientes>(); });
        Hijo<QComboBox>(e.Lista(), "cmbCategoria")->setCurrentText(QStringLiteral("CENTRO DE DIA"));
        e.ventana.Marcas.desdeCargaCategoria = true;

        e.DobleClic(QStringLiteral("BEA"));
        auto *hub = qobject_cast<TFormPaciente *>(e.ventana.PantallaActual());
        QVERIFY(hub);
        QCOMPARE(e.dm.idPacienteActivo, 41);
        QFile log(e.db.directory().file(QStringLiteral("pastillero.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains(" : PACI:41\r\n"));

        Hijo<QPushButton>(hub, "btnVolver")->click();
        QVERIFY(qobject_cast<TFormPacientes *>(e.ventana.PantallaActual()));
        QCOMPARE(Hijo<QComboBox>(e.Lista(), "cmbCategoria")->currentText(), QStringLiteral("CENTRO DE DIA"));
        QCOMPARE(e.Seleccionado(), QStringLiteral("BEA"));
    }

    void elDobleClicEnUnInactivoNoHaceNada_data()
    {
        QTest::addColumn<bool>("yaInactivo"); // or deactivated on another workstation since
        QTest::newRow("inactivo en la lista") << true;
        QTest::newRow("dado de baja en otro puesto") << false;
    }
    void elDobleClicEnUnInactivoNoHaceNada()
    {
        QFETCH(bool, yaInactivo);
        Entorno e;
        Hijo<QComboBox>(e.Lista(), "cmbActivo")->setCurrentText(QStringLiteral("Todos"));
        const QString ref = yaInactivo ? QStringLiteral("EVA") : QStringLiteral("ANA");
        if (!yaInactivo)
            e.dm.Ejecutar(QStringLiteral("UPDATE Paciente SET Iactivo = 0 WHERE refPaciente = 'ANA'"));
        e.DobleClic(ref);
        QVERIFY(qobject_cast<TFormPacientes *>(e.ventana.PantallaActual()));
        QCOMPARE(e.dm.idPacienteActivo, 0);
        QVERIFY(!e.dm.PacienteActivo);
    }

    void lasBusquedasMuevenLaSeleccion_data()
    {
        QTest::addColumn<QByteArray>("caja");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("seleccionado");
        QTest::newRow("referencia sin mayusculas") << QByteArray("edtBuscarReferencia") << "car"
                                                   << "CARLOS";
        QTest::newRow("nombre") << QByteArray("edtBuscarNombre") << "nombre b"
                                << "BEA";
        QTest::newRow("el primero que empieza asi") << QByteArray("edtBuscarNombre") << "NOMBRE"
                                                    << "ANA";
        QTest::newRow("DNI") << QByteArray("edtBuscarDNI") << "2222"
                             << "CARLOS";
        QTest::newRow("solo el principio") << QByteArray("edtBuscarDNI") << "5678"
                                           << "BEA";
    }
    void lasBusquedasMuevenLaSeleccion()
    {
        QFETCH(QByteArray, caja);
        QFETCH(QString, texto);
        QFETCH(QString, seleccionado);
        Entorno e;
        e.Seleccionar(QStringLiteral("BEA"));
        QTest::keyClicks(Hijo<QLineEdit>(e.Lista(), caja.constData()), texto);
        QCOMPARE(e.Seleccionado(), seleccionado);
    }

    void borrarPreguntaYBorra_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<bool>("conCarga");
        QTest::addColumn<QStringList>("errores");
        QTest::addColumn<QStringList>("quedan");
        QTest::newRow("aceptado") << 1 << false << QStringList {} << QStringList {"ANA", "CARLOS"};
        QTest::newRow("cancelado") << 2 << false << QStringList {} << QStringList {"ANA", "BEA", "CARLOS"};
        QTest::newRow("con una carga")
                << 1 << true << QStringList {"BORRADO IMPOSIBLE, EXISTEN CARGAS DEL PACIENTE"}
                << QStringList {"ANA", "BEA", "CARLOS"};
    }
    void borrarPreguntaYBorra()
    {
        QFETCH(int, respuesta);
        QFETCH(bool, conCarga);
        QFETCH(QStringList, errores);
        QFETCH(QStringList, quedan);
        Entorno e;
        if (conCarga)
            e.dm.Anadir(QStringLiteral("Recarga"),
                        {{QStringLiteral("idPaciente"), 41}, {QStringLiteral("refRecarga"), 1}});
        e.Seleccionar(QStringLiteral("BEA"));
        e.grabados.Responder(respuesta);
        e.Boton("btnBorrar");
        QCOMPARE(e.grabados.Textos(TTipo::Confirmar),
                 QStringList {QStringLiteral("¿ESTA SEGURO QUE QUIERE ELIMINAR EL PACIENTE?")});
        QCOMPARE(e.grabados.Textos(TTipo::Error), errores);
        QCOMPARE(e.Columna(kIdentificador), quedan);
        const bool borrado = !quedan.contains(QStringLiteral("BEA"));
        QCOMPARE(e.dm.Valor(QStringLiteral(
                                    "SELECT COUNT(*) FROM LOPD_Auditoria WHERE Accion = 'PACIENTES' AND "
                                    "Operacion = 'BAJA' AND refPaciente = '41'"))
                         .toInt(),
                 borrado ? 1 : 0);
    }

    void nuevoVaAlPacienteCreado()
    {
        Entorno e;
        TFormPacientes *lista = e.Lista();
        lista->OnNuevoPaciente = [&e] {
            e.Paciente(50, QStringLiteral("ZOE"), QStringLiteral("33333333P"), 1, {});
            return true;
        };
        e.Seleccionar(QStringLiteral("ANA"));
        e.Boton("btnNuevo");
        QCOMPARE(e.Columna(kIdentificador), (QStringList {"ANA", "BEA", "ZOE", "CARLOS"}));
        QCOMPARE(e.Seleccionado(), QStringLiteral("ZOE"));
    }

    void editarRecibeElPacienteYVuelveASuFila()
    {
        Entorno e;
        TFormPacientes *lista = e.Lista();
        qint64 editado = 0;
        lista->OnEditarPaciente = [&e, &editado](qint64 id) {
            editado = id;
            e.dm.Ejecutar(QStringLiteral("UPDATE Paciente SET Nombre = 'BEATRIZ' WHERE idPaciente = ?"),
                          {id});
            return true;
        };
        e.Seleccionar(QStringLiteral("BEA"));
        e.Boton("btnEditar");
        QCOMPARE(editado, 41);
        QCOMPARE(e.Seleccionado(), QStringLiteral("BEA"));
        QCOMPARE(e.Rejilla()->currentIndex().siblingAtColumn(kNombre).data().toString(),
                 QStringLiteral("BEATRIZ"));
    }

    void sinFichaConectadaAvisa()
    {
        Entorno e;
        e.Boton("btnNuevo");
        e.Boton("btnEditar");
        QCOMPARE(e.grabados.Textos(TTipo::Aviso).size(), 2);
    }

    void tarjetasDeLosSeleccionados()
    {
        Entorno e;
        QTableView *rejilla = e.Rejilla();
        rejilla->selectRow(e.Fila(QStringLiteral("CARLOS")));
        QTest::mouseClick(rejilla->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          rejilla->visualRect(rejilla->model()->index(e.Fila(QStringLiteral("ANA")), kNombre))
                                  .center());
        e.Boton("btnTarjetas");
        QCOMPARE(TFormPreview::abiertos().size(), 1);
        const TLaidOutReport &informe = TFormPreview::abiertos().first()->informe();
        QCOMPARE(informe.title(), QStringLiteral("LISTADO DE PACIENTES"));
        QStringList codigos;
        for (const ReportPage &pagina : informe.pages) {
            for (const PlacedElement &colocado : pagina.elements) {
                if (colocado.element.kind == ReportElement::Kind::Barcode)
                    codigos << colocado.element.text;
            }
        }
        QCOMPARE(codigos, (QStringList {"00120005", "CARLOS"}));
        // Every bar code could be drawn as one.
        QCOMPARE(informe.warnings, QStringList {});
        CerrarVistaPrevia();
    }

    void imprimirMuestraElListadoFiltrado()
    {
        Entorno e;
        e.Boton("btnImprimir");
        QCOMPARE(TFormPreview::abiertos().size(), 1);
        const TLaidOutReport &informe = TFormPreview::abiertos().first()->informe();
        QCOMPARE(informe.title(), QStringLiteral("LISTADO DE PACIENTES"));
        QStringList textos;
        for (const PlacedElement &colocado : informe.pages.first().elements)
            textos << colocado.element.text;
        QVERIFY(textos.contains(QStringLiteral("BEA")));
        QVERIFY(!textos.contains(QStringLiteral("EVA")));
        CerrarVistaPrevia();
    }

    void importarYExportarOcultosNoEstanHechos()
    {
        Entorno e;
        TFormPacientes *lista = e.Lista();
        for (const char *nombre : {"btnImportar", "btnExportar"}) {
            QVERIFY(!Hijo<QPushButton>(lista, nombre)->isVisible());
            e.Boton(nombre);
        }
        QCOMPARE(e.grabados.Textos(TTipo::Aviso),
                 (QStringList {QStringLiteral("NOT IMPLEMENTED: IMPORTAR PACIENTES "),
                               QStringLiteral("NOT IMPLEMENTED: REALIZAR BACKUP")}));
    }
};

QTEST_MAIN(TestFormPacientes)
#include "test_form_pacientes.moc"
