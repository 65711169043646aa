#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/DialogoModal.h"
#include "support/LibroXlsx.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/medication/FDlgMedicamentoEditar.h"
#include "ui/medication/FMedicamentos.h"
#include "ui/reports/Fpreview.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The medications list driven by its components, on a temporary database.
class TestFormMedicamentos : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados mensajes;
    };

    static void addMedication(TDM &dm, qint64 codigo, const QString &nombre, int manual)
    {
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), codigo},
                   {QStringLiteral("Medicamento"), nombre},
                   {QStringLiteral("Descripcion"), QStringLiteral("1G")},
                   {QStringLiteral("iManual"), manual}});
    }
    template<typename T> static T *Hijo(QWidget &padre, const char *nombre)
    {
        auto *hijo = padre.findChild<T *>(QString::fromLatin1(nombre));
        Q_ASSERT(hijo);
        return hijo;
    }
    static QStringList Nombres(QWidget &form)
    {
        QAbstractItemModel *modelo = Hijo<QTableView>(form, "grdMedicamentos")->model();
        QStringList nombres;
        for (int fila = 0; fila < modelo->rowCount(); ++fila)
            nombres << modelo->index(fila, 1).data().toString();
        return nombres;
    }
    static void Escanear(QWidget &form, const QString &codigo)
    {
        auto *edicion = Hijo<QLineEdit>(form, "edtCodigo");
        edicion->setText(codigo);
        emit edicion->editingFinished();
    }

private slots:
    void filtersByOwnEntriesAndNameStart()
    {
        Entorno e;
        addMedication(e.dm, 1, QStringLiteral("ASPIRINA"), 0);
        addMedication(e.dm, 2, QStringLiteral("ASPIRINA PLUS"), 1);
        addMedication(e.dm, 3, QStringLiteral("IBUPROFENO"), 1);
        TFormMedicamentos form;
        form.show();
        QCOMPARE(Nombres(form).size(), 3);
        Hijo<QLineEdit>(form, "edtNombre")->setText(QStringLiteral("asp"));
        QCOMPARE(Nombres(form),
                 (QStringList {QStringLiteral("ASPIRINA 1G"), QStringLiteral("ASPIRINA PLUS 1G")}));
        Hijo<QComboBox>(form, "cmbPropios")->setCurrentIndex(1);
        QCOMPARE(Nombres(form), QStringList {QStringLiteral("ASPIRINA PLUS 1G")});
        Hijo<QLineEdit>(form, "edtNombre")->setText(QStringLiteral("%"));
        QCOMPARE(Nombres(form), QStringList {});
    }

    void scannedCodeFindsTheRow()
    {
        Entorno e;
        e.preferencias.Pais = QStringLiteral("0");
        addMedication(e.dm, 1234568, QStringLiteral("ESCANEADO"), 0);
        TFormMedicamentos form;
        form.show();
        Escanear(form, QStringLiteral("8470001234568"));
        QCOMPARE(Hijo<QLineEdit>(form, "edtCodigo")->text(), QStringLiteral("1234568"));
        QCOMPARE(form.CodigoSeleccionado(), 1234568);
    }

    void newEntryIsSelectedOnceStored()
    {
        Entorno e;
        addMedication(e.dm, 1, QStringLiteral("ASPIRINA"), 0);
        TFormMedicamentos form;
        form.show();
        CuandoSeAbra<TDlgMedicamentoEditar>([](TDlgMedicamentoEditar &editor) {
            Hijo<QLineEdit>(editor, "edtCodigo")->setText(QStringLiteral("999999"));
            Hijo<QLineEdit>(editor, "edtNombre")->setText(QStringLiteral("MI FORMULA"));
            Hijo<QLineEdit>(editor, "edtDescripcion")->setText(QStringLiteral("1G"));
            Hijo<QRadioButton>(editor, "rbSpdNo")->click();
            Hijo<QPushButton>(editor, "btnAceptar")->click();
        });
        Hijo<QPushButton>(form, "btnNuevo")->click();
        QCOMPARE(Nombres(form).size(), 2);
        QCOMPARE(form.CodigoSeleccionado(), 999999);
    }

    void editOpensTheSelectedEntry()
    {
        Entorno e;
        addMedication(e.dm, 1, QStringLiteral("ASPIRINA"), 0);
        addMedication(e.dm, 2, QStringLiteral("IBUPROFENO"), 0);
        TFormMedicamentos form;
        form.show();
        Hijo<QPushButton>(form, "btnEditar")->click(); // nothing selected: no editor
        auto *codigo = Hijo<QLineEdit>(form, "edtCodigo");
        codigo->setText(QStringLiteral("2"));
        emit codigo->textEdited(codigo->text());
        qint64 abierto = 0;
        CuandoSeAbra<TDlgMedicamentoEditar>([&abierto](TDlgMedicamentoEditar &editor) {
            abierto = editor.Codigo();
            editor.reject();
        });
        emit Hijo<QTableView>(form, "grdMedicamentos")->doubleClicked({});
        QCOMPARE(abierto, 2);
    }

    void usedMedicationIsNotDeleted()
    {
        Entorno e;
        addMedication(e.dm, 5, QStringLiteral("PROPIO"), 1);
        e.dm.Anadir(QStringLiteral("Inventario"), {{QStringLiteral("IdMedicamentoReal"), 5}});
        TFormMedicamentos form;
        form.show();
        Escanear(form, QStringLiteral("5"));
        Hijo<QPushButton>(form, "btnBorrar")->click();
        const QStringList errores = e.mensajes.Textos(PresentadorMensajes::TTipo::Error);
        QCOMPARE(errores.size(), 1);
        QVERIFY(errores.first().startsWith(QStringLiteral("BORRADO IMPOSIBLE")));
        QVERIFY(e.mensajes.Textos(PresentadorMensajes::TTipo::Confirmar).isEmpty());
        QCOMPARE(Nombres(form).size(), 1);
    }

    void unusedOwnEntryIsDeletedAfterConfirmation()
    {
        Entorno e;
        addMedication(e.dm, 5, QStringLiteral("PROPIO"), 1);
        TFormMedicamentos form;
        form.show();
        Escanear(form, QStringLiteral("5"));
        e.mensajes.Responder(2);
        Hijo<QPushButton>(form, "btnBorrar")->click();
        QCOMPARE(Nombres(form).size(), 1); // the user said no
        Hijo<QPushButton>(form, "btnBorrar")->click();
        QCOMPARE(e.mensajes.Textos(PresentadorMensajes::TTipo::Confirmar).size(), 2);
        QCOMPARE(Nombres(form).size(), 0);
    }

    void clickOnTitleSortsDescendingFirst()
    {
        Entorno e;
        addMedication(e.dm, 1, QStringLiteral("BETA"), 0);
        addMedication(e.dm, 2, QStringLiteral("ALFA"), 0);
        addMedication(e.dm, 3, QStringLiteral("GAMMA"), 0);
        TFormMedicamentos form;
        form.show();
        auto *rejilla = Hijo<QTableView>(form, "grdMedicamentos");
        QHeaderView *titulos = rejilla->horizontalHeader();
        const auto click = [&](int columna) {
            QTest::mouseClick(titulos->viewport(), Qt::LeftButton, {},
                              QPoint(titulos->sectionViewportPosition(columna) + 5, titulos->height() / 2));
        };
        click(1);
        QCOMPARE(Nombres(form),
                 (QStringList {QStringLiteral("GAMMA 1G"), QStringLiteral("BETA 1G"),
                               QStringLiteral("ALFA 1G")}));
        click(1);
        QCOMPARE(Nombres(form),
                 (QStringList {QStringLiteral("ALFA 1G"), QStringLiteral("BETA 1G"),
                               QStringLiteral("GAMMA 1G")}));
        // The selection follows the medication, not the row number.
        Escanear(form, QStringLiteral("3"));
        QCOMPARE(form.CodigoSeleccionado(), 3);
        click(0);
        QCOMPARE(form.CodigoSeleccionado(), 3);
        QCOMPARE(rejilla->model()->index(0, 0).data().toInt(), 3);
    }

    void onlyOwnEntriesArePrinted()
    {
        Entorno e;
        addMedication(e.dm, 1, QStringLiteral("CATALOGO"), 0);
        addMedication(e.dm, 2, QStringLiteral("PROPIO"), 1);
        TFormMedicamentos form;
        form.show();
        auto *imprimir = Hijo<QPushButton>(form, "btnImprimir");
        QVERIFY(!imprimir->isVisible());
        Hijo<QComboBox>(form, "cmbPropios")->setCurrentIndex(1);
        QVERIFY(imprimir->isVisible());
        imprimir->click();
        QCOMPARE(TFormPreview::abiertos().size(), 1);
        TFormPreview *vista = TFormPreview::abiertos().first();
        QCOMPARE(vista->informe().title(), QStringLiteral("MEDICAMENTOS CREADOS MANUALMENTE"));
        vista->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void exportWritesTheListAsShown_data()
    {
        QTest::addColumn<int>("propios");
        QTest::addColumn<QList<QStringList>>("celdas");
        const QStringList titulos {QStringLiteral("CN"), QStringLiteral("Nombre"), QStringLiteral("PVP"),
                                   QStringLiteral("UNIDADES")};
        const QStringList propio {QStringLiteral("2"), QStringLiteral("PROPIO 1G"), QString(), QString()};
        const QStringList catalogo {QStringLiteral("1"), QStringLiteral("CATALOGO 1G"), QString(), QString()};
        // A click on the name's title sorts descending first; the file follows the grid.
        QTest::newRow("whole catalogue") << 0 << QList<QStringList> {titulos, propio, catalogo};
        QTest::newRow("own entries") << 1 << QList<QStringList> {titulos, propio};
    }
    void exportWritesTheListAsShown()
    {
        QFETCH(int, propios);
        QFETCH(QList<QStringList>, celdas);
        Entorno e;
        addMedication(e.dm, 1, QStringLiteral("CATALOGO"), 0);
        addMedication(e.dm, 2, QStringLiteral("PROPIO"), 1);
        TFormMedicamentos form;
        form.show();
        Hijo<QComboBox>(form, "cmbPropios")->setCurrentIndex(propios);
        QHeaderView *titulos = Hijo<QTableView>(form, "grdMedicamentos")->horizontalHeader();
        QTest::mouseClick(titulos->viewport(), Qt::LeftButton, {},
                          QPoint(titulos->sectionViewportPosition(1) + 5, titulos->height() / 2));
        QTemporaryDir carpeta;
        CuandoSeAbra<QFileDialog>([&carpeta](QFileDialog &dialogo) {
            dialogo.selectFile(carpeta.filePath(QStringLiteral("medicamentos")));
            static_cast<QDialog &>(dialogo).accept();
        });
        Hijo<QPushButton>(form, "btnExportar")->click();
        QVERIFY(e.mensajes.mensajes.isEmpty());
        QCOMPARE(LibroXlsx::Celdas(carpeta.filePath(QStringLiteral("medicamentos.xlsx"))), celdas);
    }
};

QTEST_MAIN(TestFormMedicamentos)
#include "test_form_medicamentos.moc"
