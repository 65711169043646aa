#include "core/i18n/ULenguaje.h"
#include "ui/i18n/FDlgSelectLanguaje.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QListWidget *Lista(TDlgSelectLanguaje &dialogo, const char *nombre)
{
    return dialogo.findChild<QListWidget *>(QString::fromLatin1(nombre));
}

void Continuar(TDlgSelectLanguaje &dialogo)
{
    QTest::mouseClick(dialogo.findChild<QPushButton *>(QStringLiteral("btnContinuar")), Qt::LeftButton);
}

} // namespace

class TestSelectLanguage : public QObject
{
    Q_OBJECT

private slots:
    void listasDeIdiomasYPaises();
    void sinEleccionNoSeCierra();
    void elegirIdiomaCambiaElCatalogoYAvisaAlDispensador();
    void soloPaisBastaParaContinuar();
    void conEleccionSePuedeCerrar();
    void modalDevuelveLaEleccion();
};

void TestSelectLanguage::listasDeIdiomasYPaises()
{
    TDlgSelectLanguaje dialogo;
    QCOMPARE(dialogo.windowTitle(), QStringLiteral("SELECT LANGUAGE - COUNTRY"));
    QCOMPARE(Lista(dialogo, "lstIdioma")->count(), 5);
    QCOMPARE(Lista(dialogo, "lstIdioma")->item(1)->text(), QStringLiteral("Português"));
    QCOMPARE(Lista(dialogo, "lstPais")->count(), 6);
    QCOMPARE(Lista(dialogo, "lstPais")->item(3)->text(), QStringLiteral("United Kingdom"));
}

void TestSelectLanguage::sinEleccionNoSeCierra()
{
    TDlgSelectLanguaje dialogo;
    dialogo.show();
    Continuar(dialogo);
    QVERIFY(dialogo.isVisible());
    QVERIFY(!dialogo.close());
    dialogo.reject();
    QTest::keyClick(&dialogo, Qt::Key_Escape);
    QVERIFY(dialogo.isVisible());
    QCOMPARE(dialogo.Idioma(), QString());
    QCOMPARE(dialogo.Pais(), QString());
}

void TestSelectLanguage::elegirIdiomaCambiaElCatalogoYAvisaAlDispensador()
{
    TLenguaje lenguaje(QStringLiteral("/nonexistent/pastillero.lng"));
    QList<int> enviados;
    TDlgSelectLanguaje dialogo([&enviados](int idioma) { enviados << idioma; });
    dialogo.show();
    Lista(dialogo, "lstIdioma")->setCurrentRow(3);
    QCOMPARE(dialogo.Idioma(), QStringLiteral("3"));
    QCOMPARE(lenguaje.Idioma(), 3);
    QCOMPARE(enviados, QList<int> {3});
    Lista(dialogo, "lstIdioma")->setCurrentRow(2);
    QCOMPARE(dialogo.Idioma(), QStringLiteral("2"));
    QCOMPARE(enviados, (QList<int> {3, 2}));

    Continuar(dialogo);
    QVERIFY(!dialogo.isVisible());
    QCOMPARE(dialogo.result(), int(QDialog::Accepted));
    QCOMPARE(dialogo.Pais(), QString());
}

void TestSelectLanguage::soloPaisBastaParaContinuar()
{
    TDlgSelectLanguaje dialogo;
    dialogo.show();
    Lista(dialogo, "lstPais")->setCurrentRow(5);
    Continuar(dialogo);
    QVERIFY(!dialogo.isVisible());
    QCOMPARE(dialogo.Pais(), QStringLiteral("5"));
    QCOMPARE(dialogo.Idioma(), QString());
}

void TestSelectLanguage::conEleccionSePuedeCerrar()
{
    TDlgSelectLanguaje dialogo;
    dialogo.show();
    Lista(dialogo, "lstPais")->setCurrentRow(0);
    QVERIFY(dialogo.close());
    QCOMPARE(dialogo.Pais(), QStringLiteral("0"));
}

void TestSelectLanguage::modalDevuelveLaEleccion()
{
    TDlgSelectLanguaje dialogo;
    QTimer::singleShot(0, &dialogo, [&dialogo] {
        Lista(dialogo, "lstIdioma")->setCurrentRow(4);
        Lista(dialogo, "lstPais")->setCurrentRow(4);
        Continuar(dialogo);
    });
    QCOMPARE(dialogo.exec(), int(QDialog::Accepted));
    QCOMPARE(dialogo.Idioma(), QStringLiteral("4"));
    QCOMPARE(dialogo.Pais(), QStringLiteral("4"));
}

QTEST_MAIN(TestSelectLanguage)
#include "test_select_language.moc"
