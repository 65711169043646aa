#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/patients/EdicionPaciente.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSqlQuery>
#include <QTest>

// The patient card's rules: its checks in order, what storing writes, the unique references and
// identity numbers, the audit rows and two workstations editing one patient.
class TestEdicionPaciente : public QObject
{
    Q_OBJECT

    static constexpr auto kCaption = "EDITAR PACIENTE";

    struct Entorno
    {
        FixedClock reloj {QDate(2024, 5, 6)};
        TestDatabase db;
        TDM dm {db.directory()};
    };

    static TFichaPaciente Valida()
    {
        TFichaPaciente f;
        f.Nombre = QStringLiteral("ANA PEREZ");
        f.Telefono = QStringLiteral("600111222");
        f.DNI = QStringLiteral("12345678Z");
        f.FechaNacimiento = QStringLiteral("5/3/1950");
        return f;
    }

    static qint64 Crear(TDM &dm, TFichaPaciente ficha)
    {
        TEdicionPaciente edicion(dm);
        return edicion.Guardar(ficha, QStringLiteral("NUEVO PACIENTE"), true).idPaciente;
    }

    static qint64 CrearOtro(TDM &dm, const QString &ref, const QString &dni)
    {
        TFichaPaciente otro = Valida();
        otro.Nombre = QStringLiteral("OTRO ") + ref;
        otro.refPaciente = ref;
        otro.DNI = dni;
        return Crear(dm, otro);
    }

    static QVariant Columna(TDM &dm, qint64 id, const QString &columna)
    {
        return dm.Valor(QStringLiteral("SELECT %1 FROM Paciente WHERE idPaciente = ?").arg(columna), {id});
    }

    static QStringList Auditoria(TDM &dm)
    {
        TConsulta filas = dm.Consulta(
                QStringLiteral("SELECT Accion, Operacion, refPaciente FROM LOPD_Auditoria ORDER BY IdAudit"));
        QStringList lineas;
        while (filas.next())
            lineas << QStringList {filas.value(0).toString(), filas.value(1).toString(),
                                   filas.value(2).toString()}
                              .join(QLatin1Char('|'));
        return lineas;
    }

    // "{id}" stands for the patient's identifier.
    static QString ConId(QString texto, qint64 id)
    {
        return texto.replace(QStringLiteral("{id}"), QString::number(id));
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void validaEnOrden_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("telefono");
        QTest::addColumn<QString>("dni");
        QTest::addColumn<QString>("referencia");
        QTest::addColumn<QString>("fecha");
        QTest::addColumn<bool>("fotoBlister");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("campo");
        const int nombre = int(TCampoFicha::Nombre);
        const int telefono = int(TCampoFicha::Telefono);
        const int dni = int(TCampoFicha::DNI);
        const int ref = int(TCampoFicha::Referencia);
        const int fecha = int(TCampoFicha::FechaNacimiento);
        QTest::newRow("1 nombre en blanco antes que todo")
                << "  "
                << ""
                << ""
                << "ANA"
                << "" << true << "NOMBRE ES UN CAMPO OBLIGATORIO" << nombre;
        QTest::newRow("2 telefono") << "LUIS"
                                    << " "
                                    << ""
                                    << "ana"
                                    << "x" << true << "TELEFONO ES UN CAMPO OBLIGATORIO" << telefono;
        QTest::newRow("3 dni solo separadores") << "LUIS"
                                                << "600"
                                                << " - / "
                                                << "ANA"
                                                << "x" << true << "DNI ES UN CAMPO OBLIGATORIO" << dni;
        QTest::newRow("4 dni de diez caracteres")
                << "LUIS"
                << "600"
                << "1234567890"
                << "ANA"
                << "x" << true << "EL DNI NO PUEDE TENER MAS QUE 9 CARACTERES" << dni;
        QTest::newRow("5 dni de otro con separadores y minuscula")
                << "LUIS"
                << "600"
                << "11111111-h"
                << "ANA"
                << "x" << true << "YA EXISTE OTRO PACIENTE CON EL MISMO DNI" << dni;
        QTest::newRow("6 referencia de otro en minusculas")
                << "LUIS"
                << "600"
                << "22222222J"
                << "ana"
                << "x" << true << "YA EXISTE OTRO PACIENTE CON LA MISMA REFERENCIA" << ref;
        QTest::newRow("7 fecha que no existe") << "LUIS"
                                               << "600"
                                               << "22222222J"
                                               << ""
                                               << "31/2/1950" << true << "INTRODUCIR FECHA VALIDA" << fecha;
        QTest::newRow("7 fecha vacia") << "LUIS"
                                       << "600"
                                       << "22222222J"
                                       << ""
                                       << "" << true << "INTRODUCIR FECHA VALIDA" << fecha;
        QTest::newRow("8 nacido hoy")
                << "LUIS"
                << "600"
                << "22222222J"
                << ""
                << "6/5/2024" << true << "LA FECHA DE NACIMIENTO NO PUEDE SER MAYOR QUE EL DIA ACTUAL"
                << fecha;
        QTest::newRow("9 foto en el blister sin foto")
                << "LUIS"
                << "600"
                << "22222222J"
                << ""
                << "5/5/2024" << true << "INSERTAR FOTOGRAFIA DEL PACIENTE" << int(TCampoFicha::Foto);
        QTest::newRow("todo correcto, dni de nueve tras quitar el guion")
                << "LUIS"
                << "600"
                << "22222222-j"
                << "BEA"
                << "05/05/24" << false << "" << int(TCampoFicha::Ninguno);
    }
    void validaEnOrden()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, telefono);
        QFETCH(QString, dni);
        QFETCH(QString, referencia);
        QFETCH(QString, fecha);
        QFETCH(bool, fotoBlister);
        QFETCH(QString, mensaje);
        QFETCH(int, campo);
        Entorno e;
        CrearOtro(e.dm, QStringLiteral("ANA"), QStringLiteral("11111111H"));
        TFichaPaciente ficha;
        ficha.Nombre = nombre;
        ficha.Telefono = telefono;
        ficha.DNI = dni;
        ficha.refPaciente = referencia;
        ficha.FechaNacimiento = fecha;
        ficha.FotoBlister = fotoBlister;
        const std::optional<ErrorFicha> error = TEdicionPaciente(e.dm).Validar(ficha);
        QCOMPARE(error ? error->message() : QString(), mensaje);
        QCOMPARE(error ? int(error->campo()) : int(TCampoFicha::Ninguno), campo);
    }

    // The identity number and reference the card was opened with are the patient's own, whatever
    // case or separators they are typed with.
    void susPropiosDatosNoSeRepiten()
    {
        Entorno e;
        const qint64 id = CrearOtro(e.dm, QStringLiteral("ANA"), QStringLiteral("11111111H"));
        TEdicionPaciente edicion(e.dm, id);
        TFichaPaciente ficha = edicion.Abierta();
        ficha.DNI = QStringLiteral("11111111-h");
        ficha.refPaciente = QStringLiteral("ana");
        QVERIFY(!edicion.Validar(ficha));
        QVERIFY(edicion.HaCambiado(ficha, true)); // the reference's case did change
        edicion.Guardar(ficha, QString::fromLatin1(kCaption), true);
        QCOMPARE(Columna(e.dm, id, QStringLiteral("DNI")).toString(), QStringLiteral("11111111H"));
        QCOMPARE(Columna(e.dm, id, QStringLiteral("refPaciente")).toString(), QStringLiteral("ana"));
    }

    void unPacienteNuevoSeGuardaCompleto()
    {
        Entorno e;
        TFichaPaciente ficha = Valida();
        ficha.refPaciente = QStringLiteral("  R-7 ");
        ficha.DNI = QStringLiteral(" 12345678-z ");
        ficha.Varon = false;
        ficha.Medico.Nombre = QStringLiteral(" dr. gil ");
        ficha.CodCategoria = 3;
        ficha.Notas = QStringLiteral("  nota\nen dos lineas ");
        const qint64 id = Crear(e.dm, ficha);
        TConsulta fila
                = e.dm.Consulta(QStringLiteral("SELECT refPaciente, DNI, Varon, MedicoNombre, CodCategoria, "
                                               "Notas, FechaAlta, FechaBaja, Iactivo, "
                                               "NumeroUltimaCargaRealizada, FechaNacimiento, IConInven "
                                               "FROM Paciente WHERE idPaciente = ?"),
                                {id});
        QVERIFY(fila.next());
        QCOMPARE(fila.value(0).toString(), QStringLiteral("R-7"));
        QCOMPARE(fila.value(1).toString(), QStringLiteral("12345678Z"));
        QCOMPARE(fila.value(2).toInt(), 0);
        QCOMPARE(fila.value(3).toString(), QStringLiteral("DR. GIL"));
        QCOMPARE(fila.value(4).toInt(), 3);
        QCOMPARE(fila.value(5).toString(), ficha.Notas);
        QCOMPARE(SqlFecha::leerDia(fila.value(6)), QDate(2024, 5, 6));
        QVERIFY(fila.value(7).isNull());
        QCOMPARE(fila.value(8).toInt(), 1);
        QCOMPARE(fila.value(9).toInt(), 0);
        QCOMPARE(SqlFecha::leerDia(fila.value(10)), QDate(1950, 3, 5));
        QCOMPARE(fila.value(11).toInt(), 1);
    }

    void referenciaVaciaSegunElIdentificador_data()
    {
        QTest::addColumn<bool>("nuevo");
        QTest::addColumn<QStringList>("ocupadas");
        QTest::addColumn<QString>("esperada");
        for (const bool nuevo : {true, false}) {
            const char *quien = nuevo ? "nuevo" : "existente";
            QTest::addRow("%s: el identificador libre", quien) << nuevo << QStringList {} << "{id}";
            QTest::addRow("%s: el identificador es de otro", quien)
                    << nuevo << QStringList {"{id}"} << "{id}-1";
            QTest::addRow("%s: -1 tambien", quien) << nuevo << QStringList {"{id}", "{id}-1"} << "{id}-2";
            QTest::addRow("%s: el primer hueco", quien)
                    << nuevo << QStringList {"{id}", "{id}-2"} << "{id}-1";
        }
    }
    void referenciaVaciaSegunElIdentificador()
    {
        QFETCH(bool, nuevo);
        QFETCH(QStringList, ocupadas);
        QFETCH(QString, esperada);
        Entorno e;
        QList<qint64> otros;
        for (int i = 0; i < ocupadas.size(); ++i)
            otros << CrearOtro(e.dm, QStringLiteral("X%1").arg(i), QStringLiteral("1000000%1").arg(i));
        qint64 id = 0;
        if (!nuevo) {
            TFichaPaciente propio = Valida();
            propio.refPaciente = QStringLiteral("PROPIA");
            id = Crear(e.dm, propio);
        } else {
            // The identifier the new patient will get: the one after the latest.
            id = e.dm.Anadir(QStringLiteral("Paciente"),
                             {{QStringLiteral("Nombre"), QStringLiteral("SONDA")}});
            e.dm.Ejecutar(QStringLiteral("DELETE FROM Paciente WHERE idPaciente = ?"), {id});
            ++id;
        }
        for (int i = 0; i < ocupadas.size(); ++i)
            e.dm.Ejecutar(QStringLiteral("UPDATE Paciente SET refPaciente = ? WHERE idPaciente = ?"),
                          {ConId(ocupadas.at(i), id), otros.at(i)});

        TEdicionPaciente edicion = nuevo ? TEdicionPaciente(e.dm) : TEdicionPaciente(e.dm, id);
        TFichaPaciente ficha = nuevo ? Valida() : edicion.Abierta();
        ficha.refPaciente = QStringLiteral("  ");
        const TGuardadoFicha guardado = edicion.Guardar(ficha, QString::fromLatin1(kCaption), true);
        QCOMPARE(guardado.idPaciente, id);
        QCOMPARE(guardado.refPaciente, ConId(esperada, id));
        QCOMPARE(guardado.referenciaRepetida, !ocupadas.isEmpty());
        QCOMPARE(Columna(e.dm, id, QStringLiteral("refPaciente")).toString(), ConId(esperada, id));
    }

    // A reference or identity number another card stored after this one was checked is refused
    // when storing.
    void unValorRepetidoSeCompruebaAlGuardar_data()
    {
        QTest::addColumn<QString>("columna");
        QTest::addColumn<QString>("otroValor");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<int>("campo");
        QTest::newRow("referencia") << "refPaciente"
                                    << "ANA"
                                    << "ana" << int(TCampoFicha::Referencia);
        QTest::newRow("dni") << "DNI"
                             << "11111111H"
                             << "11111111-h" << int(TCampoFicha::DNI);
    }
    void unValorRepetidoSeCompruebaAlGuardar()
    {
        QFETCH(QString, columna);
        QFETCH(QString, otroValor);
        QFETCH(QString, valor);
        QFETCH(int, campo);
        Entorno e;
        TEdicionPaciente primera(e.dm);
        TFichaPaciente ficha = Valida();
        (columna == QLatin1String("DNI") ? ficha.DNI : ficha.refPaciente) = valor;
        QVERIFY(!primera.Validar(ficha));
        CrearOtro(e.dm, columna == QLatin1String("DNI") ? QStringLiteral("OTRA") : otroValor,
                  columna == QLatin1String("DNI") ? otroValor : QStringLiteral("33333333P"));
        try {
            primera.Guardar(ficha, QStringLiteral("NUEVO PACIENTE"), true);
            QFAIL("stored a value another patient has");
        } catch (const ErrorFicha &error) {
            QCOMPARE(int(error.campo()), campo);
        }
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT count(*) FROM Paciente")).toInt(), 1);
        QVERIFY(primera.EsNuevo());
    }

    void haCambiado_data()
    {
        QTest::addColumn<QString>("cambio");
        QTest::addColumn<bool>("conInventario");
        QTest::addColumn<bool>("cambiado");
        QTest::newRow("nada") << "" << true << false;
        QTest::newRow("el dni con guion y minuscula es el mismo") << "dni" << true << false;
        QTest::newRow("la fecha escrita de otra forma es la misma") << "fecha" << true << false;
        QTest::newRow("el medico en minusculas es el mismo") << "medico" << true << false;
        QTest::newRow("el nombre") << "nombre" << true << true;
        QTest::newRow("una nota") << "notas" << true << true;
        QTest::newRow("la categoria") << "categoria" << true << true;
        QTest::newRow("desactivado") << "activo" << true << true;
        QTest::newRow("sin inventario el control se apaga") << "" << false << true;
    }
    void haCambiado()
    {
        QFETCH(QString, cambio);
        QFETCH(bool, conInventario);
        QFETCH(bool, cambiado);
        Entorno e;
        TFichaPaciente inicial = Valida();
        inicial.Medico.Nombre = QStringLiteral("DR. GIL");
        const qint64 id = Crear(e.dm, inicial);
        TEdicionPaciente edicion(e.dm, id);
        TFichaPaciente ficha = edicion.Abierta();
        if (cambio == QLatin1String("dni"))
            ficha.DNI = QStringLiteral("12345678-z");
        else if (cambio == QLatin1String("fecha"))
            ficha.FechaNacimiento = QStringLiteral("05/03/50");
        else if (cambio == QLatin1String("medico"))
            ficha.Medico.Nombre = QStringLiteral("dr. gil ");
        else if (cambio == QLatin1String("nombre"))
            ficha.Nombre = QStringLiteral("ANA PEREZ GIL");
        else if (cambio == QLatin1String("notas"))
            ficha.Notas = QStringLiteral("x");
        else if (cambio == QLatin1String("categoria"))
            ficha.CodCategoria = 2;
        else if (cambio == QLatin1String("activo"))
            ficha.Activo = false;
        QCOMPARE(edicion.HaCambiado(ficha, conInventario), cambiado);
        edicion.Guardar(ficha, QString::fromLatin1(kCaption), conInventario);
        QCOMPARE(Auditoria(e.dm).last(),
                 QStringLiteral("EDITAR PACIENTE|%1|%2").arg(cambiado ? "MODIFICACION" : "CONSULTA").arg(id));
    }

    void filasDeAuditoria()
    {
        Entorno e;
        TEdicionPaciente nueva(e.dm);
        const qint64 id = nueva.Guardar(Valida(), QStringLiteral("NUEVO PACIENTE"), true).idPaciente;
        TEdicionPaciente(e.dm).Descartar(QStringLiteral("NUEVO PACIENTE")); // a new card left: no row
        TEdicionPaciente consultada(e.dm, id);
        consultada.Descartar(QString::fromLatin1(kCaption));
        consultada.AuditarImpresion();
        const QString n = QString::number(id);
        QCOMPARE(Auditoria(e.dm),
                 (QStringList {QStringLiteral("NUEVO PACIENTE|ALTA|") + n,
                               QStringLiteral("EDITAR PACIENTE|CONSULTA|") + n,
                               QStringLiteral("LISTADO FICHA PACIENTE|CONSULTA|") + n}));
    }

    // Deactivating dates it today; storing the card again later keeps that date.
    void laFechaDeBajaEsLaDelCambio()
    {
        Entorno e;
        const qint64 id = Crear(e.dm, Valida());
        {
            TEdicionPaciente edicion(e.dm, id);
            TFichaPaciente ficha = edicion.Abierta();
            ficha.Activo = false;
            edicion.Guardar(ficha, QString::fromLatin1(kCaption), true);
        }
        FixedClock despues(QDate(2024, 6, 1));
        TEdicionPaciente edicion(e.dm, id);
        QVERIFY(!edicion.Abierta().Activo);
        edicion.Guardar(edicion.Abierta(), QString::fromLatin1(kCaption), true);
        QCOMPARE(Columna(e.dm, id, QStringLiteral("Iactivo")).toInt(), 0);
        QCOMPARE(SqlFecha::leerDia(Columna(e.dm, id, QStringLiteral("FechaBaja"))), QDate(2024, 5, 6));
        TFichaPaciente activa = edicion.Abierta();
        activa.Activo = true;
        edicion.Guardar(activa, QString::fromLatin1(kCaption), true);
        QVERIFY(Columna(e.dm, id, QStringLiteral("FechaBaja")).isNull());
    }

    // Two workstations with the card of one patient open: each store writes the fields its user
    // changed; the second store of a field the first one changed is refused whole.
    void dosPuestosEditanElMismoPaciente_data()
    {
        QTest::addColumn<QString>("primero");
        QTest::addColumn<QString>("segundo");
        QTest::addColumn<bool>("rechazado");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("telefono");
        QTest::newRow("campos distintos: se guardan los dos") << "nombre"
                                                              << "telefono" << false << "ANA GIL"
                                                              << "699000000";
        QTest::newRow("el mismo campo: el segundo se rechaza") << "nombre"
                                                               << "nombre y telefono" << true << "ANA GIL"
                                                               << "600111222";
        QTest::newRow("sin cambios en el segundo: nada que rechazar") << "nombre"
                                                                      << "" << false << "ANA GIL"
                                                                      << "600111222";
    }
    void dosPuestosEditanElMismoPaciente()
    {
        QFETCH(QString, primero);
        QFETCH(QString, segundo);
        QFETCH(bool, rechazado);
        QFETCH(QString, nombre);
        QFETCH(QString, telefono);
        Entorno e;
        const qint64 id = Crear(e.dm, Valida());
        TEdicionPaciente a(e.dm, id);
        TEdicionPaciente b(e.dm, id);
        const auto editar = [](TFichaPaciente ficha, const QString &que) {
            if (que.contains(QLatin1String("nombre")))
                ficha.Nombre = QStringLiteral("ANA GIL");
            if (que.contains(QLatin1String("telefono")))
                ficha.Telefono = QStringLiteral("699000000");
            return ficha;
        };
        // A load stored meanwhile changes the row too, in columns the card does not show.
        e.dm.Ejecutar(
                QStringLiteral("UPDATE Paciente SET NumeroUltimaCargaRealizada = 4 WHERE idPaciente = ?"),
                {id});
        a.Guardar(editar(a.Abierta(), primero), QString::fromLatin1(kCaption), true);
        bool fallo = false;
        try {
            TFichaPaciente ficha = editar(b.Abierta(), segundo);
            if (segundo.contains(QLatin1String("nombre")))
                ficha.Nombre = QStringLiteral("ANA RUIZ");
            b.Guardar(ficha, QString::fromLatin1(kCaption), true);
        } catch (const ErrorFicha &error) {
            fallo = true;
            QVERIFY(error.message().startsWith(QStringLiteral("OTRO PUESTO HA CAMBIADO")));
        }
        QCOMPARE(fallo, rechazado);
        QCOMPARE(Columna(e.dm, id, QStringLiteral("Nombre")).toString(), nombre);
        QCOMPARE(Columna(e.dm, id, QStringLiteral("Telefono")).toString(), telefono);
        QCOMPARE(Columna(e.dm, id, QStringLiteral("NumeroUltimaCargaRealizada")).toInt(), 4);
    }

    void unPacienteBorradoNoSeAbreNiSeGuarda()
    {
        Entorno e;
        const qint64 id = Crear(e.dm, Valida());
        TEdicionPaciente edicion(e.dm, id);
        e.dm.Ejecutar(QStringLiteral("DELETE FROM Paciente WHERE idPaciente = ?"), {id});
        QVERIFY_THROWS_EXCEPTION(ErrorFicha,
                                 edicion.Guardar(edicion.Abierta(), QString::fromLatin1(kCaption), true));
        QVERIFY_THROWS_EXCEPTION(ErrorFicha, TEdicionPaciente(e.dm, id));
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT count(*) FROM Paciente")).toInt(), 0);
    }

    // The database refuses the row: the error reaches the card, nothing is written and the card is
    // still the new patient's, with its files where they were.
    void unGuardadoRechazadoNoDejaNada()
    {
        Entorno e;
        if (e.db.engine() == SqlEngine::SQLite) {
            e.dm.Ejecutar(QStringLiteral("CREATE TRIGGER rechazar BEFORE INSERT ON Paciente "
                                         "BEGIN SELECT RAISE(ABORT, 'rechazado'); END"));
        } else {
            e.dm.Ejecutar(QStringLiteral("CREATE FUNCTION rechazar() RETURNS trigger AS $$ BEGIN "
                                         "RAISE EXCEPTION 'rechazado'; END $$ LANGUAGE plpgsql"));
            e.dm.Ejecutar(QStringLiteral("CREATE TRIGGER rechazar BEFORE INSERT ON Paciente "
                                         "FOR EACH ROW EXECUTE FUNCTION rechazar()"));
        }
        TEdicionPaciente edicion(e.dm);
        e.db.appDirectory().write(QStringLiteral("files/NEW/informe.pdf"), "pdf");
        try {
            edicion.Guardar(Valida(), QStringLiteral("NUEVO PACIENTE"), true);
            QFAIL("the refused row was reported as stored");
        } catch (const AppError &error) {
            QVERIFY2(error.message().contains(QStringLiteral("rechazado")), qPrintable(error.message()));
        }
        QVERIFY(edicion.EsNuevo());
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT count(*) FROM Paciente")).toInt(), 0);
        QVERIFY(Auditoria(e.dm).isEmpty());
        QVERIFY(e.db.appDirectory().exists(QStringLiteral("files/NEW/informe.pdf")));
    }

    void elNuevoPacienteSeQuedaConSusArchivos()
    {
        Entorno e;
        e.db.appDirectory().write(QStringLiteral("files/NEW/de-otro.pdf"), "viejo");
        TEdicionPaciente edicion(e.dm);
        QVERIFY(!e.db.appDirectory().exists(QStringLiteral("files/NEW/de-otro.pdf")));
        e.db.appDirectory().write(QStringLiteral("files/NEW/informe.pdf"), "pdf");
        TFichaPaciente ficha = Valida();
        ficha.FotoBlister = true;
        QCOMPARE(edicion.Validar(ficha)->message(), QStringLiteral("INSERTAR FOTOGRAFIA DEL PACIENTE"));
        e.db.appDirectory().write(QStringLiteral("files/NEW/fotopaciente.JPG"), "jpeg");
        QVERIFY(!edicion.Validar(ficha));
        const qint64 id = edicion.Guardar(ficha, QStringLiteral("NUEVO PACIENTE"), true).idPaciente;
        QVERIFY(!e.db.appDirectory().exists(QStringLiteral("files/NEW")));
        QCOMPARE(e.db.appDirectory().read(QStringLiteral("files/%1/informe.pdf").arg(id)), QByteArray("pdf"));
        QCOMPARE(edicion.Carpeta(), e.db.appDirectory().file(QStringLiteral("files/%1").arg(id)));
    }

    void unaFichaNuevaCanceladaNoDejaArchivos()
    {
        Entorno e;
        TEdicionPaciente edicion(e.dm);
        e.db.appDirectory().write(QStringLiteral("files/NEW/FOTOPaciente.jpg"), "jpeg");
        edicion.Descartar(QStringLiteral("NUEVO PACIENTE"));
        QVERIFY(!e.db.appDirectory().exists(QStringLiteral("files/NEW")));
        QVERIFY(Auditoria(e.dm).isEmpty());
    }
};

PASTILLERO_DATA_TEST_MAIN(TestEdicionPaciente)
#include "test_edicion_paciente.moc"
