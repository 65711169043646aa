// The translation editor on a real window: F2 opens it on that window's lines with the column of
// the language in use, and "Aplicar" saves the catalogue and shows the edited text at once.
#include "core/i18n/ULenguaje.h"
#include "support/DialogoModal.h"
#include "support/MensajesGrabados.h"
#include "support/TestAppDirectory.h"
#include "ui/i18n/FDlgTraducirConcepto.h"
#include "ui/i18n/FPantallaTraducciones.h"
#include "ui/i18n/TKelvoVentana.h"
#include "ui/shell/FDlgSelectFecha.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

namespace {

// A copy of the catalogue made for the test: the editor writes it.
const QByteArray kCatalogo
        = "DlgSelectFecha.btnAceptar.text=ACEPTAR|ACEITAR|ACCEPTER|ACCEPT|ACCETTA||||\r\n"
          "DlgSelectFecha.btnCancelar.text=CANCELAR|CANCELAR|ANNULER|CANCEL|ANNULLA||||\r\n"
          "FormMain.btnBuscar.text=BUSCAR|PROCURAR|CHERCHER|SEARCH|CERCA||||\r\n";

constexpr int kColumnaCampo = 1;
constexpr int kColumnaCastellano = 2;

// Types a text into the grid cell of a key and language, as an edit in place does.
void EscribirCelda(TFPantallaTraducciones &editor, const QString &clave, int idioma, const QString &texto)
{
    auto *modelo = qobject_cast<QStandardItemModel *>(
            editor.findChild<QTableView *>(QStringLiteral("grdTraducciones"))->model());
    const QList<QStandardItem *> filas = modelo->findItems(clave, Qt::MatchExactly, kColumnaCampo);
    QCOMPARE(filas.size(), 1);
    modelo->item(filas.first()->row(), kColumnaCastellano + idioma)->setText(texto);
}

} // namespace

class TestPantallaTraducciones : public QObject
{
    Q_OBJECT

private slots:
    void f2EditaLaVentanaYAplicarLaTraduce_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("aplicado");
        QTest::newRow("English") << 3 << "OK, DONE" << true;
        QTest::newRow("Italian") << 4 << "VA BENE" << true;
        QTest::newRow("pasted line break refused") << 3 << "OK\r\nDONE" << false;
    }
    void f2EditaLaVentanaYAplicarLaTraduce()
    {
        QFETCH(int, idioma);
        QFETCH(QString, texto);
        QFETCH(bool, aplicado);
        TestAppDirectory dir;
        const QString fichero = dir.write(QStringLiteral("pastillero.lng"), kCatalogo);
        TLenguaje lenguaje(fichero);
        lenguaje.SetIdioma(idioma);
        MensajesGrabados mensajes;
        TKelvoVentana::SetEditorTraducciones(&EditarTraducciones);
        TDlgSelectFecha ventana(QStringLiteral("FECHA"), QStringLiteral("FECHA :"), false);
        ventana.show();
        QVERIFY(QTest::qWaitForWindowActive(&ventana));
        const auto *btnAceptar = ventana.findChild<QPushButton *>(QStringLiteral("btnAceptar"));
        const QString original = btnAceptar->text();

        QStringList claves;
        int columna = 0;
        QString mientrasAbierto;
        CuandoSeAbra<TFPantallaTraducciones>([&](TFPantallaTraducciones &editor) {
            for (const int fila : editor.Edicion().Visibles())
                claves << editor.Edicion().Filas().at(fila).Campo;
            columna = editor.Edicion().Columna();
            EscribirCelda(editor, QStringLiteral("DlgSelectFecha.btnAceptar.text"), idioma, texto);
            QTest::mouseClick(editor.findChild<QPushButton *>(QStringLiteral("btnAplicar")), Qt::LeftButton);
            mientrasAbierto = btnAceptar->text();
            editor.reject();
        });
        QTest::keyClick(&ventana, Qt::Key_F2);
        TKelvoVentana::SetEditorTraducciones({});

        QCOMPARE(claves,
                 (QStringList {QStringLiteral("DlgSelectFecha.btnAceptar.text"),
                               QStringLiteral("DlgSelectFecha.btnCancelar.text")}));
        QCOMPARE(columna, idioma + 1);
        QCOMPARE(mientrasAbierto, aplicado ? texto : original);
        QCOMPARE(dir.read(QStringLiteral("pastillero.lng")).contains(texto.toUtf8()), aplicado);
        QCOMPARE(mensajes.mensajes.isEmpty(), aplicado);
    }

    // A double click opens "Literales" on the row; "Aceptar" stores the texts, unless one is refused:
    // then the message is shown and the dialog stays open.
    void elDialogoDeLineaEditaLaFila_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("aceptado");
        QTest::newRow("plain text") << "SEARCH NOW" << true;
        QTest::newRow("vertical bar") << "SEARCH|NOW" << false;
    }
    void elDialogoDeLineaEditaLaFila()
    {
        QFETCH(QString, texto);
        QFETCH(bool, aceptado);
        TestAppDirectory dir;
        TLenguaje lenguaje(dir.write(QStringLiteral("pastillero.lng"), kCatalogo));
        MensajesGrabados mensajes;
        QWidget ventana;
        ventana.setObjectName(QStringLiteral("FormMain"));
        TFPantallaTraducciones editor(ventana, 4);
        bool abiertoTrasAceptar = false;
        CuandoSeAbra<TFormFDlgTraducirConcepto>([&](TFormFDlgTraducirConcepto &dialogo) {
            QVERIFY(!dialogo.findChild<QLineEdit *>(QStringLiteral("edtFrances"))->isVisibleTo(&dialogo));
            dialogo.findChild<QLineEdit *>(QStringLiteral("edtIngles"))->setText(texto);
            dialogo.btnAceptarClick();
            abiertoTrasAceptar = dialogo.result() != QDialog::Accepted;
            dialogo.reject();
        });
        editor.EditarFila(0);
        QCOMPARE(abiertoTrasAceptar, !aceptado);
        QCOMPARE(editor.Edicion().Filas().at(2).Textos.at(3), aceptado ? texto : QStringLiteral("SEARCH"));
        QCOMPARE(mensajes.mensajes.isEmpty(), aceptado);
    }
};

QTEST_MAIN(TestPantallaTraducciones)
#include "test_pantalla_traducciones.moc"
