#include "core/common/AppError.h"
#include "core/common/TextEncoding.h"
#include "core/i18n/LineaCatalogo.h"
#include "core/i18n/ULenguaje.h"
#include "support/TestAppDirectory.h"

#include <QTest>

namespace {

// A catalogue loaded from a file holding the given lines.
struct Catalogo
{
    explicit Catalogo(const QStringList &lineas)
        : ruta(dir.write(QStringLiteral("pastillero.lng"), (lineas.join(QStringLiteral("\r\n"))).toUtf8()))
        , lenguaje(ruta)
    { }
    TestAppDirectory dir;
    QString ruta;
    TLenguaje lenguaje;
};

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void componerYLeerRecuperaCadaTexto_data();
    void componerYLeerRecuperaCadaTexto();
    void lineaCapturadaTieneOchoBarras();
    void lineaDelEditorTieneOchoBarras();
    void escapeDesconocidoSeLeeTalCual();

    void traducir_data();
    void traducir();
    void claveAusenteNoCambiaElCatalogo();
    void idiomaDesdePreferencia_data();
    void idiomaDesdePreferencia();

    void cargaOrdenaYQuitaDuplicadosSinMayusculas();
    void cargaAceptaCualquierFinDeLinea();
    void cargaLeeWindows1252DeInstalacionesAntiguas();
    void cargaDescartaLineasSinClave();
    void ficheroAusenteDaCatalogoVacio();
    void catalogoInstaladoCompletaElDelUsuario_data();
    void catalogoInstaladoCompletaElDelUsuario();
    void agregarMantieneElOrden();

    void guardarEscribeUtf8ConCrLfYSeReleeIgual();
    void guardarSinPoderEscribirLanzaError();

    void textosDeVentana();
    void existeClaveDistingueMayusculas();
    void modoCapturaSoloEnDesarrollo();

    void codigoIdioma_data();
    void codigoIdioma();
    void paisSegunIdioma_data();
    void paisSegunIdioma();
    void nombreLocalizado_data();
    void nombreLocalizado();
    void traducirSinCatalogoDevuelveElTextoPorDefecto();
};

void TestCatalogue::componerYLeerRecuperaCadaTexto_data()
{
    QTest::addColumn<QString>("texto");
    QTest::newRow("plain") << "ACEPTAR";
    QTest::newRow("bar") << "A|B";
    QTest::newRow("bars only") << "||";
    QTest::newRow("line breaks") << "uno\r\ndos\nfin\r";
    QTest::newRow("escape look-alike") << "&#124; es una barra";
    QTest::newRow("ampersand mnemonic") << "&Aceptar & salir";
    QTest::newRow("ampersand hash at the end") << "fin&#";
    QTest::newRow("equals and dots") << "a=b.c";
    QTest::newRow("accents") << "¿AÑADIR LÍNEA?";
    QTest::newRow("empty") << "";
}

void TestCatalogue::componerYLeerRecuperaCadaTexto()
{
    QFETCH(QString, texto);
    const QString linea = LineaCatalogo::Componer(QStringLiteral("MSG_X"),
                                                  {QStringLiteral("es"), QStringLiteral("pt"), texto});
    QVERIFY(!linea.contains(QLatin1Char('\n')) && !linea.contains(QLatin1Char('\r')));
    QCOMPARE(linea.count(QLatin1Char('|')), 8);
    QCOMPARE(LineaCatalogo::Clave(linea), QStringLiteral("MSG_X"));
    QCOMPARE(LineaCatalogo::TextoDeIdioma(linea, 2), texto.isEmpty() ? QStringLiteral("es") : texto);
    QCOMPARE(LineaCatalogo::TextoDeIdioma(linea, 1), QStringLiteral("pt"));
}

void TestCatalogue::lineaCapturadaTieneOchoBarras()
{
    QCOMPARE(LineaCatalogo::Componer(QStringLiteral("FormA.btn.text"), {QStringLiteral("Buscar")}),
             QStringLiteral("FormA.btn.text=Buscar||||||||"));
}

void TestCatalogue::lineaDelEditorTieneOchoBarras()
{
    QCOMPARE(LineaCatalogo::Componer(QStringLiteral("K"), {"a", "b", "c", "d", "e"}),
             QStringLiteral("K=a|b|c|d|e||||"));
}

void TestCatalogue::escapeDesconocidoSeLeeTalCual()
{
    QCOMPARE(LineaCatalogo::Desescapar(QStringLiteral("&#65; &#12 &#")), QStringLiteral("&#65; &#12 &#"));
}

void TestCatalogue::traducir_data()
{
    QTest::addColumn<QStringList>("lineas");
    QTest::addColumn<int>("idioma");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("esperado");

    const QStringList sinIngles = {QStringLiteral("STR_HOLA=HOLA|OLÁ|SALUT||CIAO||||")};
    QTest::newRow("upper-case key looked up in lower case") << sinIngles << 2 << "str_hola"
                                                            << "SALUT";
    QTest::newRow("English empty gives Spanish") << sinIngles << 3 << "STR_HOLA"
                                                 << "HOLA";
    QTest::newRow("Italian") << sinIngles << 4 << "STR_HOLA"
                             << "CIAO";
    QTest::newRow("Spanish") << sinIngles << 0 << "STR_HOLA"
                             << "HOLA";
    QTest::newRow("missing key") << sinIngles << 1 << "STR_ADIOS"
                                 << "defecto";
    QTest::newRow("all fields empty") << QStringList {"STR_HOLA=||||||||"} << 1 << "STR_HOLA"
                                      << "defecto";
    QTest::newRow("catalogue rewords Spanish") << QStringList {"STR_HOLA=BUENAS||||||||"} << 3 << "STR_HOLA"
                                               << "BUENAS";
    QTest::newRow("short value") << QStringList {"STR_HOLA=HOLA|OLÁ"} << 4 << "STR_HOLA"
                                 << "HOLA";
    QTest::newRow("no bar at all") << QStringList {"STR_HOLA=HOLA"} << 2 << "STR_HOLA"
                                   << "HOLA";
    QTest::newRow("value with equals") << QStringList {"STR_HOLA=A=B|C=D||||||"} << 1 << "STR_HOLA"
                                       << "C=D";
    QTest::newRow("escaped bar") << QStringList {"STR_HOLA=A&#124;B|C||||||"} << 0 << "STR_HOLA"
                                 << "A|B";
    QTest::newRow("first of two lines of one key")
            << QStringList {"STR_HOLA=B||||||||", "STR_HOLA=A||||||||"} << 0 << "STR_HOLA"
            << "A";
    QTest::newRow("window key is no message") << QStringList {"Form.Btn.text=X||||||||"} << 0 << "Form"
                                              << "defecto";
}

void TestCatalogue::traducir()
{
    QFETCH(QStringList, lineas);
    QFETCH(int, idioma);
    QFETCH(QString, clave);
    Catalogo catalogo(lineas);
    catalogo.lenguaje.SetIdioma(idioma);
    QTEST(catalogo.lenguaje.Traducir(clave, QStringLiteral("defecto")), "esperado");
    QTEST(Traducir(clave, QStringLiteral("defecto")), "esperado");
}

void TestCatalogue::claveAusenteNoCambiaElCatalogo()
{
    Catalogo catalogo({QStringLiteral("STR_HOLA=HOLA||||||||")});
    const QStringList antes = catalogo.lenguaje.Lineas();
    QCOMPARE(Traducir(QStringLiteral("STR_NUEVA"), QStringLiteral("NUEVA")), QStringLiteral("NUEVA"));
    QCOMPARE(catalogo.lenguaje.Lineas(), antes);
    QCOMPARE(catalogo.dir.read(QStringLiteral("pastillero.lng")), QByteArray("STR_HOLA=HOLA||||||||"));
}

void TestCatalogue::idiomaDesdePreferencia_data()
{
    QTest::addColumn<QString>("preferencia");
    QTest::addColumn<int>("idioma");
    QTest::newRow("Portuguese") << "1" << 1;
    QTest::newRow("Italian") << "4" << 4;
    QTest::newRow("with blanks") << " 3 " << 3;
    QTest::newRow("not a number") << "EN" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("out of range") << "7" << 0;
    QTest::newRow("negative") << "-1" << 0;
}

void TestCatalogue::idiomaDesdePreferencia()
{
    QFETCH(QString, preferencia);
    TLenguaje lenguaje(QStringLiteral("/nonexistent/pastillero.lng"));
    lenguaje.SetIdioma(2);
    lenguaje.SetIdioma(preferencia);
    QTEST(lenguaje.Idioma(), "idioma");
}

void TestCatalogue::cargaOrdenaYQuitaDuplicadosSinMayusculas()
{
    Catalogo catalogo({QStringLiteral("zeta=Z"), QStringLiteral("STR_B=Uno"), QStringLiteral("Alfa=A"),
                       QStringLiteral("str_b=UNO"), QStringLiteral("STR_B=Dos")});
    QCOMPARE(catalogo.lenguaje.Lineas(), (QStringList {"Alfa=A", "STR_B=Dos", "STR_B=Uno", "zeta=Z"}));
}

void TestCatalogue::cargaAceptaCualquierFinDeLinea()
{
    TestAppDirectory dir;
    const QString ruta = dir.write(QStringLiteral("x.lng"),
                                   "\xEF\xBB\xBF"
                                   "A=1\rB=2\nC=3\r\nD=4\r\n\r\n");
    const TLenguaje lenguaje(ruta);
    QCOMPARE(lenguaje.Lineas(), (QStringList {"A=1", "B=2", "C=3", "D=4"}));
}

void TestCatalogue::cargaLeeWindows1252DeInstalacionesAntiguas()
{
    TestAppDirectory dir;
    const QString ruta = dir.write(
            QStringLiteral("x.lng"),
            TextEncoding::toWindows1252(QStringLiteral("QST_SALIR=¿SALIR DEL AÑO?|SAIR?||||||||\r\n")));
    const TLenguaje lenguaje(ruta);
    QCOMPARE(lenguaje.Traducir(QStringLiteral("QST_SALIR"), {}), QStringLiteral("¿SALIR DEL AÑO?"));
}

void TestCatalogue::cargaDescartaLineasSinClave()
{
    Catalogo catalogo({QStringLiteral("basura"), QStringLiteral("A=1"), QString()});
    QCOMPARE(catalogo.lenguaje.Lineas(), QStringList {"A=1"});
}

void TestCatalogue::ficheroAusenteDaCatalogoVacio()
{
    TestAppDirectory dir;
    const TLenguaje lenguaje(dir.file(QStringLiteral("pastillero.lng")));
    QVERIFY(lenguaje.Lineas().isEmpty());
    QCOMPARE(lenguaje.Traducir(QStringLiteral("STR_X"), QStringLiteral("X")), QStringLiteral("X"));
    QVERIFY(!dir.exists(QStringLiteral("pastillero.lng")));
}

void TestCatalogue::catalogoInstaladoCompletaElDelUsuario_data()
{
    QTest::addColumn<QStringList>("usuario"); // empty: the user has no catalogue yet
    QTest::addColumn<QStringList>("instalado");
    QTest::addColumn<QStringList>("lineas");
    QTest::addColumn<QStringList>("guardadas"); // what saving writes to the user's file
    const QStringList instalado {"A=Uno|One", "B=Dos|Two", "C=Tres|Three"};
    QTest::newRow("first start: the shipped catalogue")
            << QStringList {} << instalado << instalado << QStringList {"N=Nueva"};
    QTest::newRow("a newer package adds its keys, the user's texts stay")
            << QStringList {"a=UNO editado", "Z=Propia"} << instalado
            << QStringList {"a=UNO editado", "B=Dos|Two", "C=Tres|Three", "Z=Propia"}
            << QStringList {"a=UNO editado", "N=Nueva", "Z=Propia"};
    QTest::newRow("no shipped catalogue (portable copy)")
            << QStringList {"A=1"} << QStringList {} << QStringList {"A=1"} << QStringList {"A=1", "N=Nueva"};
}

void TestCatalogue::catalogoInstaladoCompletaElDelUsuario()
{
    QFETCH(QStringList, usuario);
    QFETCH(QStringList, instalado);
    QFETCH(QStringList, lineas);
    QFETCH(QStringList, guardadas);
    TestAppDirectory dir;
    const QString propio = usuario.isEmpty()
            ? dir.file(QStringLiteral("pastillero.lng"))
            : dir.write(QStringLiteral("pastillero.lng"), usuario.join(QStringLiteral("\r\n")).toUtf8());
    const QString compartido = instalado.isEmpty()
            ? QString()
            : dir.write(QStringLiteral("instalado.lng"), instalado.join(QStringLiteral("\r\n")).toUtf8());
    TLenguaje lenguaje(propio, compartido);
    QCOMPARE(lenguaje.Lineas(), lineas);
    // The user's own lines and a new one are saved, in the user's file only; the editor writes
    // back by emptying the list and adding every line again.
    const QStringList editadas = lenguaje.Lineas() + QStringList {QStringLiteral("N=Nueva")};
    lenguaje.Vaciar();
    for (const QString &linea : editadas)
        lenguaje.Agregar(linea);
    lenguaje.Guardar();
    QCOMPARE(QString::fromUtf8(dir.read(QStringLiteral("pastillero.lng")))
                     .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts),
             guardadas);
    if (!compartido.isEmpty())
        QCOMPARE(dir.read(QStringLiteral("instalado.lng")), instalado.join(QStringLiteral("\r\n")).toUtf8());
}

void TestCatalogue::agregarMantieneElOrden()
{
    Catalogo catalogo({QStringLiteral("B=2")});
    QVERIFY(catalogo.lenguaje.Agregar(QStringLiteral("c=3")));
    QVERIFY(catalogo.lenguaje.Agregar(QStringLiteral("A=1")));
    QVERIFY(!catalogo.lenguaje.Agregar(QStringLiteral("b=2")));
    QCOMPARE(catalogo.lenguaje.Lineas(), (QStringList {"A=1", "B=2", "c=3"}));
    QCOMPARE(catalogo.lenguaje.Traducir(QStringLiteral("C"), {}), QStringLiteral("3"));
}

void TestCatalogue::guardarEscribeUtf8ConCrLfYSeReleeIgual()
{
    TestAppDirectory dir;
    const QString ruta = dir.write(QStringLiteral("pastillero.lng"), "STR_B=B||||||||");
    QStringList guardadas;
    {
        TLenguaje lenguaje(ruta);
        QVERIFY(lenguaje.AgregarCaptura(QStringLiteral("Form.lbl.text"), QStringLiteral("Año|2\n")));
        lenguaje.Guardar();
        guardadas = lenguaje.Lineas();
    }
    QCOMPARE(dir.read(QStringLiteral("pastillero.lng")),
             QByteArray("Form.lbl.text=A\xC3\xB1o&#124;2&#10;||||||||\r\nSTR_B=B||||||||\r\n"));
    const TLenguaje releido(ruta);
    QCOMPARE(releido.Lineas(), guardadas);
    QCOMPARE(releido.Traducir(QStringLiteral("form.lbl.text"), {}), QStringLiteral("Año|2\n"));
}

void TestCatalogue::guardarSinPoderEscribirLanzaError()
{
    TestAppDirectory dir;
    TLenguaje lenguaje(dir.file(QStringLiteral("no/such/folder/pastillero.lng")));
    lenguaje.Agregar(QStringLiteral("A=1"));
    QVERIFY_THROWS_EXCEPTION(AppError, lenguaje.Guardar());
}

void TestCatalogue::textosDeVentana()
{
    Catalogo catalogo({QStringLiteral("FormA.windowTitle=Pacientes|Doentes||||||||"),
                       QStringLiteral("FormA.btnBuscar.text=Buscar...|Procurar...||||||||"),
                       QStringLiteral("FormA.btnVacio.text=||||||||"), QStringLiteral("FormA.btnSinProp.=X"),
                       QStringLiteral("FormA.a.b.c=X"), QStringLiteral("forma.btnBuscar.text=otro"),
                       QStringLiteral("FormB.lbl.text=B"), QStringLiteral("FormA=sin punto"),
                       QStringLiteral("STR_FORMA=mensaje")});
    catalogo.lenguaje.SetIdioma(1);
    const auto textos = catalogo.lenguaje.TextosDeVentana(QStringLiteral("FormA"));
    QCOMPARE(textos.size(), 3);
    QCOMPARE(textos.at(0).Componente, QStringLiteral("btnBuscar"));
    QCOMPARE(textos.at(0).Propiedad, QStringLiteral("text"));
    QCOMPARE(textos.at(0).Texto, QStringLiteral("Procurar..."));
    QCOMPARE(textos.at(1).Componente, QStringLiteral("btnVacio"));
    QCOMPARE(textos.at(1).Texto, QString());
    QCOMPARE(textos.at(2).Componente, QStringLiteral("FormA"));
    QCOMPARE(textos.at(2).Propiedad, QStringLiteral("windowTitle"));
    QCOMPARE(textos.at(2).Texto, QStringLiteral("Doentes"));
}

void TestCatalogue::existeClaveDistingueMayusculas()
{
    Catalogo catalogo({QStringLiteral("FormA.lbl.text=X||||||||")});
    QVERIFY(catalogo.lenguaje.ExisteClave(QStringLiteral("FormA.lbl.text")));
    QVERIFY(!catalogo.lenguaje.ExisteClave(QStringLiteral("forma.lbl.text")));
    QVERIFY(!catalogo.lenguaje.ExisteClave(QStringLiteral("FormA.lbl")));
}

void TestCatalogue::modoCapturaSoloEnDesarrollo()
{
    TLenguaje lenguaje(QStringLiteral("/nonexistent/pastillero.lng"));
    lenguaje.SetModoCaptura(true);
    QVERIFY(!lenguaje.ModoCaptura());
    lenguaje.SetModoDesarrollo(true);
    lenguaje.SetModoCaptura(true);
    QVERIFY(lenguaje.ModoCaptura());
    lenguaje.SetModoCaptura(false);
    QVERIFY(!lenguaje.ModoCaptura());
}

void TestCatalogue::codigoIdioma_data()
{
    QTest::addColumn<QString>("idioma");
    QTest::addColumn<QString>("codigo");
    QTest::newRow("0") << "0"
                       << "ES";
    QTest::newRow("1") << "1"
                       << "PT";
    QTest::newRow("2") << "2"
                       << "FR";
    QTest::newRow("3") << "3"
                       << "EN";
    QTest::newRow("4") << "4"
                       << "IT";
    QTest::newRow("5") << "5"
                       << "ES";
    QTest::newRow("-1") << "-1"
                        << "ES";
    QTest::newRow("text") << "EN"
                          << "ES";
    QTest::newRow("empty") << ""
                           << "ES";
}

void TestCatalogue::codigoIdioma()
{
    QFETCH(QString, idioma);
    QTEST(CodigoIdioma(idioma), "codigo");
}

void TestCatalogue::paisSegunIdioma_data()
{
    QTest::addColumn<QString>("idioma");
    QTest::addColumn<QString>("pais");
    QTest::newRow("Spanish") << "0"
                             << "0";
    QTest::newRow("Portuguese") << "1"
                                << "1";
    QTest::newRow("French") << "2"
                            << "2";
    QTest::newRow("English") << "3"
                             << "3";
    QTest::newRow("Italian has no country") << "4"
                                            << "";
    QTest::newRow("not a language") << "x"
                                    << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCatalogue::paisSegunIdioma()
{
    QFETCH(QString, idioma);
    QTEST(PaisSegunIdioma(idioma), "pais");
}

void TestCatalogue::nombreLocalizado_data()
{
    QTest::addColumn<QString>("idioma");
    QTest::addColumn<QString>("nombre");
    QTest::newRow("Spanish") << "0"
                             << "Kelvo.pdf";
    QTest::newRow("French") << "2"
                            << "Kelvo_FR.pdf";
    QTest::newRow("Italian") << "4"
                             << "Kelvo_IT.pdf";
    QTest::newRow("unknown") << "9"
                             << "Kelvo_ES.pdf";
}

void TestCatalogue::nombreLocalizado()
{
    QFETCH(QString, idioma);
    QTEST(NombreLocalizado(QStringLiteral("Kelvo"), QStringLiteral(".pdf"), idioma), "nombre");
}

void TestCatalogue::traducirSinCatalogoDevuelveElTextoPorDefecto()
{
    QVERIFY(!ExisteLenguaje());
    QCOMPARE(Traducir(QStringLiteral("STR_X"), QStringLiteral("X")), QStringLiteral("X"));
    {
        Catalogo catalogo({QStringLiteral("STR_X=EQUIS||||||||")});
        QVERIFY(ExisteLenguaje());
        QCOMPARE(Traducir(QStringLiteral("STR_X"), QStringLiteral("X")), QStringLiteral("EQUIS"));
    }
    QVERIFY(!ExisteLenguaje());
    QCOMPARE(Traducir(QStringLiteral("STR_X"), QStringLiteral("X")), QStringLiteral("X"));
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
