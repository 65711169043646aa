#include "core/i18n/ULenguaje.h"
#include "support/MensajesGrabados.h"
#include "ui/stock/FDlgModificarCantidad.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

class TestDlgModificarCantidad : public QObject
{
    Q_OBJECT

private slots:
    void quantities_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("aceptada");
        QTest::addColumn<double>("cantidad");
        QTest::newRow("comma") << "3,5" << true << 3.5;
        QTest::newRow("point") << "3.5" << true << 3.5;
        QTest::newRow("zero") << "0" << true << 0.0;
        QTest::newRow("negative") << "-1" << false << 12.0;
        QTest::newRow("letters") << "tres" << false << 12.0;
        QTest::newRow("empty") << "" << false << 12.0;
    }
    void quantities()
    {
        QFETCH(QString, texto);
        QFETCH(bool, aceptada);
        QFETCH(double, cantidad);
        TLenguaje lenguaje(QStringLiteral("/nonexistent/pastillero.lng"));
        MensajesGrabados grabados;
        TDlgModificarCantidad dialogo(12);
        dialogo.show();
        auto *edicion = dialogo.findChild<QLineEdit *>(QStringLiteral("edtCantidad"));
        QVERIFY(edicion);
        QCOMPARE(edicion->text(), QStringLiteral("12"));
        edicion->setText(texto);
        QTest::mouseClick(dialogo.findChild<QPushButton *>(QStringLiteral("btnAceptar")), Qt::LeftButton);
        QCOMPARE(dialogo.result() == QDialog::Accepted, aceptada);
        QCOMPARE(dialogo.isVisible(), !aceptada);
        QCOMPARE(dialogo.Cantidad(), cantidad);
        QCOMPARE(grabados.Textos(PresentadorMensajes::TTipo::Error),
                 aceptada ? QStringList()
                          : QStringList {
                                  QStringLiteral("EL DATO A INTRODUCIR DEBE SER NUMERICO MAYOR QUE CERO")});
        if (!aceptada)
            QCOMPARE(dialogo.focusWidget(), edicion);
    }

    // The quantity is shown and read in the locale's form; the keypad's "." types its separator.
    void locales_data()
    {
        QTest::addColumn<QLocale>("local");
        QTest::addColumn<QString>("mostrada");
        QTest::addColumn<QString>("tecleada");
        QTest::newRow("Spanish") << QLocale(QLocale::Spanish, QLocale::Spain) << "12,5"
                                 << "3,75";
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedKingdom) << "12.5"
                                 << "3.75";
    }
    void locales()
    {
        QFETCH(QLocale, local);
        QFETCH(QString, mostrada);
        QFETCH(QString, tecleada);
        const QLocale anterior;
        QLocale::setDefault(local);
        TLenguaje lenguaje(QStringLiteral("/nonexistent/pastillero.lng"));
        MensajesGrabados grabados;
        TDlgModificarCantidad dialogo(12.5);
        dialogo.show();
        auto *edicion = dialogo.findChild<QLineEdit *>(QStringLiteral("edtCantidad"));
        QCOMPARE(edicion->text(), mostrada);
        edicion->clear();
        QTest::keyClicks(edicion, QStringLiteral("3.75"));
        QCOMPARE(edicion->text(), tecleada);
        QTest::mouseClick(dialogo.findChild<QPushButton *>(QStringLiteral("btnAceptar")), Qt::LeftButton);
        QLocale::setDefault(anterior);
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        QCOMPARE(dialogo.Cantidad(), 3.75);
    }

    void nonFiniteQuantityIsRefused()
    {
        TLenguaje lenguaje(QStringLiteral("/nonexistent/pastillero.lng"));
        MensajesGrabados grabados;
        TDlgModificarCantidad dialogo(12);
        dialogo.show();
        dialogo.findChild<QLineEdit *>(QStringLiteral("edtCantidad"))
                ->setText(QString(400, QLatin1Char('9')));
        QTest::mouseClick(dialogo.findChild<QPushButton *>(QStringLiteral("btnAceptar")), Qt::LeftButton);
        QCOMPARE(dialogo.result(), int(QDialog::Rejected));
        QCOMPARE(grabados.Textos(PresentadorMensajes::TTipo::Error).size(), 1);
    }
};

QTEST_MAIN(TestDlgModificarCantidad)
#include "test_dlg_modificar_cantidad.moc"
