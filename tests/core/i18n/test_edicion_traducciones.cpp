// The translation editor's working copy: which lines each filter shows, which texts and keys it
// refuses, and how it writes the catalogue (every text whole, the old file kept on failure).
#include "core/common/AppError.h"
#include "core/i18n/EdicionTraducciones.h"
#include "core/i18n/ULenguaje.h"
#include "support/TestAppDirectory.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QStringList kLineas = {
        QStringLiteral("CAPTION_AVISO=AVISO|AVISO|AVIS|WARNING|AVVISO||||"),
        QStringLiteral("FormMain.btnBuscar.text=BUSCAR|PROCURAR||SEARCH|CERCA||||"),
        QStringLiteral("FormMain.lblTitulo.text=BUSCAR PACIENTE|||FIND PATIENT|||||"),
        QStringLiteral("FormPacientes.btnNuevo.text=NUEVO|NOVO|NOUVEAU|NEW|NUOVO||||"),
        QStringLiteral("FormPacientes.btnBorrar.text=BORRAR|APAGAR|SUPPRIMER||ELIMINA||||"),
};

QStringList TodasLasClaves()
{
    QStringList claves;
    for (const QString &linea : kLineas)
        claves << LineaCatalogo::Clave(linea);
    return claves;
}

using Textos = std::array<QString, LineaCatalogo::kIdiomas>;

QStringList Claves(const TEdicionTraducciones &edicion)
{
    QStringList claves;
    for (const int fila : edicion.Visibles())
        claves << edicion.Filas().at(fila).Campo;
    return claves;
}

// Makes every write beyond `bytes` fail, as a full disk does, for one scope; unlike file
// permissions it holds for the superuser too.
class LimiteTamanoFichero
{
public:
    explicit LimiteTamanoFichero(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of ending the process
        getrlimit(RLIMIT_FSIZE, &m_anterior);
        rlimit limite = m_anterior;
        limite.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteTamanoFichero() { setrlimit(RLIMIT_FSIZE, &m_anterior); }

private:
    rlimit m_anterior {};
};

} // namespace

class TestEdicionTraducciones : public QObject
{
    Q_OBJECT

private slots:
    // Filters, in the order the user applies them: a screen ("" for "Ver Todos"), then
    // "Sin Traduccion" or not, then a search in one language.
    void filtros_data()
    {
        QTest::addColumn<int>("columna");
        QTest::addColumn<QString>("pantalla");
        QTest::addColumn<bool>("sinTraduccion");
        QTest::addColumn<int>("idiomaBusqueda");
        QTest::addColumn<QString>("busqueda");
        QTest::addColumn<QStringList>("claves");
        QTest::newRow("screen") << 4 << "FormMain" << false << 0 << ""
                                << QStringList {"FormMain.btnBuscar.text", "FormMain.lblTitulo.text"};
        QTest::newRow("messages under Literal")
                << 4 << "Literal" << false << 0 << "" << QStringList {"CAPTION_AVISO"};
        QTest::newRow("window without lines") << 4 << "FormUsuarios" << false << 0 << "" << QStringList {};
        QTest::newRow("all") << 4 << "" << false << 0 << "" << TodasLasClaves();
        QTest::newRow("screen without French")
                << 3 << "FormMain" << true << 0 << ""
                << QStringList {"FormMain.btnBuscar.text", "FormMain.lblTitulo.text"};
        QTest::newRow("screen without English")
                << 4 << "FormPacientes" << true << 0 << "" << QStringList {"FormPacientes.btnBorrar.text"};
        QTest::newRow("any language missing, all screens")
                << 1 << "" << true << 0 << ""
                << QStringList {"FormMain.btnBuscar.text", "FormMain.lblTitulo.text",
                                "FormPacientes.btnBorrar.text"};
        QTest::newRow("prefix search") << 4 << "" << false << 0 << "bus"
                                       << QStringList {"FormMain.btnBuscar.text", "FormMain.lblTitulo.text"};
        QTest::newRow("word anywhere")
                << 4 << "" << false << 3 << "%pat%" << QStringList {"FormMain.lblTitulo.text"};
        QTest::newRow("search inside the screen") << 4 << "FormPacientes" << false << 0 << "%R%"
                                                  << QStringList {"FormPacientes.btnBorrar.text"};
        QTest::newRow("search narrows untranslated")
                << 1 << "" << true << 1 << "APA" << QStringList {"FormPacientes.btnBorrar.text"};
    }
    void filtros()
    {
        QFETCH(int, columna);
        QFETCH(QString, pantalla);
        QFETCH(bool, sinTraduccion);
        QFETCH(int, idiomaBusqueda);
        QFETCH(QString, busqueda);
        QFETCH(QStringList, claves);
        TEdicionTraducciones edicion(kLineas, columna);
        if (pantalla.isEmpty())
            edicion.VerTodos();
        else
            edicion.FiltrarPantalla(pantalla);
        if (sinTraduccion)
            edicion.SinTraduccion();
        edicion.Buscar(idiomaBusqueda, busqueda);
        QCOMPARE(Claves(edicion), claves);
    }

    // A text or key that would break its catalogue line apart is refused, pasted or typed, and
    // the row keeps its texts; so is a key the catalogue already has.
    void textosYClavesRechazados_data()
    {
        QTest::addColumn<QString>("clave"); // empty: edit the first row instead of adding one
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("aceptado");
        QTest::newRow("text with bar") << ""
                                       << "A|B" << false;
        QTest::newRow("text with line feed") << ""
                                             << "A\nB" << false;
        QTest::newRow("pasted text with CR LF") << ""
                                                << "LINEA 1\r\nLINEA 2" << false;
        QTest::newRow("text with carriage return") << ""
                                                   << "A\rB" << false;
        QTest::newRow("plain text") << ""
                                    << "AVISO!" << true;
        QTest::newRow("new key") << "FormMain.btnSalir.text"
                                 << "SALIR" << true;
        QTest::newRow("existing key, other case") << "formmain.BTNBUSCAR.text"
                                                  << "BUSCAR" << false;
        QTest::newRow("key with equals") << "FormMain.a=b"
                                         << "X" << false;
        QTest::newRow("key with bar") << "FormMain.a|b"
                                      << "X" << false;
        QTest::newRow("key with line feed") << "FormMain.a\nb"
                                            << "X" << false;
        QTest::newRow("empty key") << " "
                                   << "X" << false;
        QTest::newRow("new key, text with bar") << "FormMain.btnSalir.text"
                                                << "SA|IR" << false;
    }
    void textosYClavesRechazados()
    {
        QFETCH(QString, clave);
        QFETCH(QString, texto);
        QFETCH(bool, aceptado);
        TEdicionTraducciones edicion(kLineas, 1);
        const QList<TFilaTraduccion> antes = edicion.Filas();
        const Textos textos {QStringLiteral("ES"), QStringLiteral("PT"), QStringLiteral("FR"), texto,
                             QStringLiteral("IT")};
        const QString error
                = clave.isEmpty() ? edicion.Modificar(0, textos) : edicion.Agregar(clave.trimmed(), textos);
        QCOMPARE(error.isEmpty(), aceptado);
        if (aceptado) {
            QCOMPARE(edicion.Filas().at(clave.isEmpty() ? 0 : antes.size()).Textos, textos);
            return;
        }
        QCOMPARE(edicion.Filas().size(), antes.size());
        QCOMPARE(edicion.Filas().first().Textos, antes.first().Textos);
    }

    // Saved texts come back whole, however long, and every line has its five texts and four
    // empty fields.
    void guardarYVolverALeer_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::newRow("short") << "HOLA";
        QTest::newRow("5000 characters") << QString(5000, QLatin1Char('x'));
        QTest::newRow("accents and symbols") << "¿AÑADIR? ç & #1 &#38;";
    }
    void guardarYVolverALeer()
    {
        QFETCH(QString, texto);
        TestAppDirectory dir;
        const QString fichero = dir.file(QStringLiteral("pastillero.lng"));
        {
            TLenguaje lenguaje(fichero);
            for (const QString &linea : kLineas)
                lenguaje.Agregar(linea);
            TEdicionTraducciones edicion(lenguaje.Lineas(), 4);
            QVERIFY(edicion.Agregar(QStringLiteral("FormMain.lblLargo.text"), {texto, {}, {}, texto, {}})
                            .isEmpty());
            edicion.Guardar(lenguaje);
        }
        const QString contenido = QString::fromUtf8(dir.read(QStringLiteral("pastillero.lng")));
        const QStringList lineas = contenido.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lineas.size(), kLineas.size() + 1);
        for (const QString &linea : lineas)
            QCOMPARE(linea.mid(linea.indexOf(QLatin1Char('=')) + 1).count(QLatin1Char('|')), 8);
        TLenguaje releido(fichero);
        releido.SetIdioma(3);
        QCOMPARE(releido.Traducir(QStringLiteral("FormMain.lblLargo.text"), {}), texto);
        QCOMPARE(releido.Lineas().size(), kLineas.size() + 1);
    }

    // A catalogue that cannot be written is reported, and the file on disk stays as it was.
    void unFalloAlGuardarDejaElFichero_data()
    {
        QTest::addColumn<QString>("obstaculo");
        QTest::newRow("disk full") << "disco";
        QTest::newRow("read-only file") << "fichero";
        QTest::newRow("read-only folder") << "carpeta";
    }
    void unFalloAlGuardarDejaElFichero()
    {
        QFETCH(QString, obstaculo);
        if (obstaculo != QLatin1String("disco") && geteuid() == 0)
            QSKIP("the superuser may write any file");
        TestAppDirectory dir;
        const QByteArray anterior("FormMain.btnBuscar.text=BUSCAR|||||||||\r\n");
        const QString fichero = dir.write(QStringLiteral("pastillero.lng"), anterior);
        TLenguaje lenguaje(fichero);
        TEdicionTraducciones edicion(kLineas, 1);
        QVERIFY(edicion.Modificar(0, {QString(500, QLatin1Char('A')), {}, {}, {}, {}}).isEmpty());
        if (obstaculo == QLatin1String("fichero"))
            QFile::setPermissions(fichero, QFile::ReadOwner);
        if (obstaculo == QLatin1String("carpeta"))
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        bool fallo = false;
        try {
            const LimiteTamanoFichero limite(obstaculo == QLatin1String("disco") ? 64 : RLIM_INFINITY);
            edicion.Guardar(lenguaje);
        } catch (const AppError &error) {
            fallo = error.message().contains(QStringLiteral("pastillero.lng"));
        }
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(fallo);
        QCOMPARE(dir.read(QStringLiteral("pastillero.lng")), anterior);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("pastillero.lng")});
    }
};

QTEST_MAIN(TestEdicionTraducciones)
#include "test_edicion_traducciones.moc"
