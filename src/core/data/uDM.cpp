#include "core/data/uDM.h"

#include "core/common/AppError.h"
#include "core/data/DatabaseSchema.h"
#include "core/data/ErrorTransitorio.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/ValoresMostrados.h"
#include "core/i18n/ULenguaje.h"
#include "core/shell/uLog.h"
#include "core/users/TUsuarios.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlRecord>
#include <QThread>

namespace {

TDM *g_instancia = nullptr;

QString nuevoNombreConexion()
{
    static QAtomicInt contador;
    return QStringLiteral("pastillero-%1").arg(contador.fetchAndAddRelaxed(1));
}

constexpr int kEsperaBloqueoMs = 10000;

QString errorBaseDatos(const QSqlError &error)
{
    return Traducir(QStringLiteral("ERR_BASE_DATOS"), QStringLiteral("Error en la base de datos: "))
            + error.text();
}

// The table a statement stores rows in (INSERT or UPDATE); empty for any other statement.
QString TablaGuardada(const QString &sql)
{
    static const QRegularExpression guardado(QStringLiteral("^\\s*(?:INSERT\\s+INTO|UPDATE)\\s+(\\w+)"),
                                             QRegularExpression::CaseInsensitiveOption);
    return guardado.match(sql).captured(1);
}

// The tables whose refused rows the user is told about by the storage notice.
bool ConAvisoDeGuardado(const QString &tabla)
{
    for (const char *nombre : {"Paciente", "RecargaLinea", "SPD", "Inventario"}) {
        if (tabla.compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

TDM::TDM(const AppDirectory &directory)
    : TDM(ConnectionText::forDirectory(directory), directory)
{ }

TDM::TDM(const ConnectionText &connection, const AppDirectory &directory)
    : m_connection(connection)
    , m_directory(directory)
    , m_connectionName(nuevoNombreConexion())
{
    Q_ASSERT_X(!g_instancia, "TDM", "only one data module at a time");
    try {
        AbrirBaseDatos();
    } catch (...) {
        m_database = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        throw;
    }
    g_instancia = this;
}

TDM::~TDM()
{
    if (g_instancia == this)
        g_instancia = nullptr;
    CerrarConexion();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

void TDM::CerrarConexion()
{
    m_sentencias->Vaciar();
    m_database.close();
}

TDM &DM()
{
    Q_ASSERT_X(g_instancia, "DM", "the data module has not been created");
    return *g_instancia;
}

bool HayDM()
{
    return g_instancia != nullptr;
}

void TDM::fallo(const QString &mensaje) const
{
    throw AppError(mensaje);
}

void TDM::falloSentencia(const QSqlError &error, const QString &sql) const
{
    if (esTransitorio(error))
        throw ErrorTransitorio(errorBaseDatos(error));
    if (ConAvisoDeGuardado(TablaGuardada(sql)))
        ManejadorErrores::AvisarErrorGuardado(error.databaseText());
    fallo(errorBaseDatos(error));
}

bool TDM::esTransitorio(const QSqlError &error) const
{
    const QString codigo = error.nativeErrorCode();
    if (motor() == SqlEngine::SQLite) {
        // SQLITE_BUSY and SQLITE_LOCKED, with their extended codes.
        const int primario = codigo.toInt() & 0xff;
        return primario == 5 || primario == 6;
    }
    // deadlock_detected, serialization_failure, lock_not_available (lock_timeout)
    return codigo == QLatin1String("40P01") || codigo == QLatin1String("40001")
            || codigo == QLatin1String("55P03");
}

void TDM::AbrirBaseDatos()
{
    if (!m_connection.isValid())
        fallo(Traducir(QStringLiteral("ERR_BD_CONEXION_INVALIDA"),
                       QStringLiteral("La conexión con la base de datos no es válida: "))
              + m_connection.describe());
    if (m_connection.engine() == SqlEngine::SQLite)
        abrirSQLite();
    else
        abrirPostgreSQL();

    const QString error = DatabaseSchema::create(m_database, motor());
    if (!error.isEmpty())
        fallo(Traducir(QStringLiteral("ERR_BD_ESQUEMA"),
                       QStringLiteral("No se pueden crear las tablas de la base de datos "))
              + m_connection.describe() + QStringLiteral(": ") + error);
}

void TDM::abrirSQLite()
{
    const QString path = m_connection.filePath();
    const QFileInfo file(path);
    if (!file.exists()) {
        // Only the default file is created: a configured path that is missing is a folder that is
        // not reachable, and an empty database there would hide the pharmacy's data.
        if (!m_connection.isDefaultLocation() || !QDir().mkpath(file.absolutePath()))
            fallo(Traducir(QStringLiteral("ERR_BD_NO_EXISTE"),
                           QStringLiteral("No se encuentra la base de datos "))
                  + path);
    } else if (!file.isWritable() || !QFileInfo(file.absolutePath()).isWritable()) {
        fallo(Traducir(QStringLiteral("ERR_BD_SOLO_LECTURA"),
                       QStringLiteral("La base de datos no se puede modificar (solo lectura): "))
              + path);
    }

    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_database.setDatabaseName(path);
    m_database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kEsperaBloqueoMs));
    if (!m_database.open())
        fallo(Traducir(QStringLiteral("ERR_BD_ABRIR"), QStringLiteral("No se puede abrir la base de datos "))
              + path + QStringLiteral(": ") + m_database.lastError().text());
    QSqlQuery comprobacion(m_database);
    if (!comprobacion.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        fallo(Traducir(QStringLiteral("ERR_BD_NO_VALIDA"),
                       QStringLiteral("El fichero no es una base de datos válida: "))
              + path);
}

void TDM::abrirPostgreSQL()
{
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connectionName);
    m_database.setHostName(m_connection.host());
    m_database.setPort(m_connection.port());
    m_database.setDatabaseName(m_connection.database());
    m_database.setUserName(m_connection.userName());
    m_database.setPassword(m_connection.password());
    QString options = QStringLiteral("connect_timeout=10");
    if (!m_connection.options().isEmpty())
        options += QLatin1Char(';') + m_connection.options();
    m_database.setConnectOptions(options);
    if (!m_database.open())
        fallo(Traducir(QStringLiteral("ERR_BD_ABRIR"), QStringLiteral("No se puede abrir la base de datos "))
              + m_connection.describe() + QStringLiteral(": ") + m_database.lastError().text());
    // Stored times are wall-clock values: the session reads and writes them in UTC so that the
    // server's zone never shifts them.
    QSqlQuery zona(m_database);
    if (!zona.exec(QStringLiteral("SET TIME ZONE 'UTC'")))
        fallo(errorBaseDatos(zona.lastError()));
    EstablecerEsperaBloqueo(kEsperaBloqueoMs);
}

void TDM::EstablecerEsperaBloqueo(int milisegundos)
{
    ejecutarControl(motor() == SqlEngine::SQLite
                            ? QStringLiteral("PRAGMA busy_timeout = %1").arg(milisegundos)
                            : QStringLiteral("SET lock_timeout = %1").arg(milisegundos));
}

QString TDM::RutaBaseDatos() const
{
    return m_connection.engine() == SqlEngine::SQLite ? m_connection.filePath() : QString();
}

QString TDM::DirectorioBaseDatos() const
{
    if (m_connection.engine() != SqlEngine::SQLite)
        return m_connection.sharedFolder().isEmpty() ? m_directory.path() : m_connection.sharedFolder();
    return QFileInfo(m_connection.filePath()).absolutePath();
}

TConsulta TDM::Consulta(const QString &sql, const QVariantList &valores)
{
    // A statement without values runs as it is: PostgreSQL prepares only queries and changes of
    // rows, not changes of structure.
    if (valores.isEmpty()) {
        QSqlQuery query = nuevaSentencia();
        if (!query.exec(sql))
            falloSentencia(query.lastError(), sql);
        return TConsulta(std::move(query));
    }
    QSqlQuery query = sentenciaPreparada(sql);
    for (int i = 0; i < valores.size(); ++i)
        query.bindValue(i, valores.at(i));
    if (!query.exec())
        falloSentencia(query.lastError(), sql);
    return TConsulta(std::move(query), m_sentencias, sql);
}

QSqlQuery TDM::nuevaSentencia()
{
    QSqlQuery query(m_database);
    // PostgreSQL reads a forward-only result row by row over the connection, and a statement run
    // while its rows are read would cut them short; its results are fetched whole instead, so a
    // reader may run other statements between its rows on either engine.
    query.setForwardOnly(motor() == SqlEngine::SQLite);
    return query;
}

QSqlQuery TDM::sentenciaPreparada(const QString &sql)
{
    if (std::optional<QSqlQuery> guardada = m_sentencias->Tomar(sql))
        return std::move(*guardada);
    QSqlQuery query = nuevaSentencia();
    if (!query.prepare(sql))
        falloSentencia(query.lastError(), sql);
    return query;
}

int TDM::Ejecutar(const QString &sql, const QVariantList &valores)
{
    return Consulta(sql, valores).numRowsAffected();
}

QVariant TDM::Valor(const QString &sql, const QVariantList &valores)
{
    TConsulta query = Consulta(sql, valores);
    return query.next() ? query.value(0) : QVariant();
}

qint64 TDM::Anadir(const QString &tabla, const QVariantMap &campos)
{
    const DatabaseSchema::Table *esquema = DatabaseSchema::table(tabla);
    if (!esquema)
        fallo(Traducir(QStringLiteral("ERR_TABLA_DESCONOCIDA"), QStringLiteral("Tabla desconocida: "))
              + tabla);
    const DatabaseSchema::Column *clave = esquema->autoKey();
    QStringList columnas;
    QStringList marcas;
    QVariantList valores;
    for (auto it = campos.cbegin(); it != campos.cend(); ++it) {
        const DatabaseSchema::Column *columna = esquema->column(it.key());
        if (!columna || columna == clave)
            fallo(Traducir(QStringLiteral("ERR_COLUMNA_NO_ADMITIDA"),
                           QStringLiteral("Columna no admitida en "))
                  + esquema->name + QStringLiteral(": ") + it.key());
        columnas << columna->name;
        marcas << QStringLiteral("?");
        valores << it.value();
    }
    QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(esquema->name, columnas.join(QStringLiteral(", ")),
                               marcas.join(QStringLiteral(", ")));
    if (columnas.isEmpty())
        sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(esquema->name);
    if (!clave) {
        Ejecutar(sql, valores);
        return 0;
    }
    return Valor(sql + QStringLiteral(" RETURNING ") + clave->name, valores).toLongLong();
}

void TDM::EnTransaccion(const std::function<void()> &trabajo)
{
    if (m_nivelTransaccion > 0) {
        trabajo();
        return;
    }
    // SQLite takes the write lock at once, so two workstations never both read and then fail
    // to write half-way through.
    ejecutarControl(motor() == SqlEngine::SQLite ? QStringLiteral("BEGIN IMMEDIATE")
                                                 : QStringLiteral("BEGIN"));
    m_nivelTransaccion = 1;
    auto deshacer = [this] {
        m_nivelTransaccion = 0;
        QSqlQuery(m_database).exec(QStringLiteral("ROLLBACK"));
    };
    try {
        trabajo();
    } catch (...) {
        deshacer();
        throw;
    }
    QSqlQuery commit(m_database);
    if (!commit.exec(QStringLiteral("COMMIT"))) {
        const QSqlError error = commit.lastError();
        deshacer();
        falloSentencia(error);
    }
    m_nivelTransaccion = 0;
}

void TDM::EnTransaccionPaciente(qint64 idPaciente, const std::function<void()> &trabajo)
{
    if (m_nivelTransaccion > 0) {
        bloquearPaciente(idPaciente);
        trabajo();
        return;
    }
    for (int intento = 1;; ++intento) {
        try {
            EnTransaccion([&] {
                bloquearPaciente(idPaciente);
                trabajo();
            });
            return;
        } catch (const ErrorTransitorio &error) {
            if (intento == kIntentosTransaccion)
                throw;
            Log(QStringLiteral(": REINTENTO: %1 paciente %2: ").arg(intento).arg(idPaciente)
                + error.message());
            // A short pause of varying length, so two workstations that collided do not meet again.
            QThread::msleep(QRandomGenerator::global()->bounded(10u, 60u) * unsigned(intento));
        }
    }
}

void TDM::bloquearPaciente(qint64 idPaciente)
{
    // On SQLite the transaction already began as the one writer (BEGIN IMMEDIATE).
    if (motor() == SqlEngine::PostgreSQL)
        Consulta(QStringLiteral("SELECT idPaciente FROM Paciente WHERE idPaciente = ? FOR UPDATE"),
                 {idPaciente});
}

void TDM::ejecutarControl(const QString &sentencia)
{
    // Transaction control cannot be a prepared statement on PostgreSQL.
    QSqlQuery query(m_database);
    if (!query.exec(sentencia))
        falloSentencia(query.lastError());
}

void TDM::EnPuntoDeGuardado(const std::function<void()> &trabajo)
{
    if (m_nivelTransaccion == 0) {
        EnTransaccion(trabajo);
        return;
    }
    const QString punto = QStringLiteral("punto_%1").arg(m_nivelTransaccion);
    ejecutarControl(QStringLiteral("SAVEPOINT ") + punto);
    ++m_nivelTransaccion;
    try {
        trabajo();
    } catch (...) {
        --m_nivelTransaccion;
        QSqlQuery(m_database).exec(QStringLiteral("ROLLBACK TO SAVEPOINT ") + punto);
        QSqlQuery(m_database).exec(QStringLiteral("RELEASE SAVEPOINT ") + punto);
        throw;
    }
    --m_nivelTransaccion;
    ejecutarControl(QStringLiteral("RELEASE SAVEPOINT ") + punto);
}

bool TDM::ComprobarUsuario(const QString &usuario, const QString &clave)
{
    Usuario.reset();
    Usuario = TUsuarios(*this).Comprobar(usuario, clave);
    return Usuario.has_value();
}

bool TDM::activarPaciente(const QString &condicion, const QVariant &valor)
{
    PacienteActivo.reset();
    idPacienteActivo = 0;
    if (valor.toString().trimmed().isEmpty())
        return false;
    TConsulta query = Consulta(QStringLiteral("SELECT idPaciente, Nombre, Iactivo FROM Paciente WHERE ")
                                       + condicion + QStringLiteral(" ORDER BY idPaciente LIMIT 1"),
                               {valor});
    if (!query.next())
        return false;
    TPaciente paciente;
    paciente.idPaciente = query.value(0).toInt();
    paciente.idTexto = QString::number(paciente.idPaciente);
    paciente.Nombre = query.value(1).toString();
    paciente.Iactivo = query.value(2).isNull() ? 1 : query.value(2).toInt();
    PacienteActivo = paciente;
    idPacienteActivo = paciente.idPaciente;
    return true;
}

bool TDM::PacienteActivoPorDNI(const QString &dni)
{
    return activarPaciente(QStringLiteral("UPPER(DNI) = UPPER(?)"), dni);
}

bool TDM::PacienteActivoPorReferencia(const QString &referencia)
{
    return activarPaciente(QStringLiteral("UPPER(refPaciente) = UPPER(?)"), referencia);
}

bool TDM::PacienteActivoPorTelefono(const QString &telefono)
{
    return activarPaciente(QStringLiteral("Telefono = ?"), telefono);
}

bool TDM::PacienteActivoPorId(const QString &id)
{
    bool numero = false;
    const int valor = id.trimmed().toInt(&numero);
    if (!numero) {
        PacienteActivo.reset();
        idPacienteActivo = 0;
        return false;
    }
    return activarPaciente(QStringLiteral("idPaciente = ?"), valor);
}

int TDM::SiguienteCodigo(int codTab)
{
    // The list's reserved list holds its highest deleted code, so a deleted code is never given
    // again (a patient's stored category would otherwise come to name the new one).
    const QVariant maximo
            = Valor(QStringLiteral("SELECT MAX(Codigo) FROM TabMaestras WHERE CodTab IN (?, ?)"),
                    {codTab, ListaMarcaCodigos(codTab)});
    return maximo.isNull() ? 1 : maximo.toInt() + 1;
}

QString TDM::DescripcionCategoria(const QString &codigo)
{
    bool numero = false;
    const int valor = codigo.trimmed().toInt(&numero);
    if (!numero)
        return {};
    return Valor(QStringLiteral("SELECT Descripcion FROM TabMaestras WHERE CodTab = ? AND Codigo = ?"),
                 {kListaCategorias, valor})
            .toString();
}

QString TDM::TextoCategoria(int codigo)
{
    TConsulta query
            = Consulta(QStringLiteral("SELECT Descripcion FROM TabMaestras WHERE CodTab = ? AND Codigo = ?"),
                       {kListaCategorias, codigo});
    if (query.next())
        return query.value(0).toString();
    return Traducir(QStringLiteral("STR_CATEGORIA_INEXISTENTE"), QStringLiteral("Categoria No Asignada "))
            + QLatin1Char(' ') + QString::number(codigo);
}

QList<TCodigos> TDM::ListaCategorias()
{
    // Jet sorted texts without regard to case; both engines are told so explicitly.
    TConsulta query = Consulta(QStringLiteral("SELECT Codigo, Descripcion FROM TabMaestras WHERE CodTab = ? "
                                              "ORDER BY UPPER(Descripcion), Codigo"),
                               {kListaCategorias});
    QList<TCodigos> lista;
    while (query.next())
        lista.append({query.value(0).toInt(), query.value(1).toString()});
    return lista;
}

QList<TCodigos> TDM::ListaCategoriasConVacia()
{
    QList<TCodigos> lista {
            {0, Traducir(QStringLiteral("STR_SIN_CATEGORIA"), QStringLiteral("SIN CATEGORIA ASIGNADA"))}};
    lista.append(ListaCategorias());
    return lista;
}

bool TDM::CategoriaEnUso(int codigo)
{
    return !Valor(QStringLiteral("SELECT 1 FROM Paciente WHERE CodCategoria = ? LIMIT 1"), {codigo}).isNull();
}

QString TDM::NombreMedicamento(qint64 codigo)
{
    TConsulta query = Consulta(
            QStringLiteral(
                    "SELECT DescUsuario, Medicamento, Descripcion FROM Medicamento WHERE idMedicamento = ?"),
            {codigo});
    if (query.next())
        return ValoresMostrados::NombreMostrado(query.value(0).toString(), query.value(1).toString(),
                                                query.value(2).toString());
    return Traducir(QStringLiteral("STR_MEDICAMENTO_REFERENCIA"),
                    QStringLiteral("El medicamento con la referencia"))
            + QString::number(codigo)
            + Traducir(QStringLiteral("STR_MEDICAMENTO_NO_EXISTE"), QStringLiteral(" no Existe"));
}

bool TDM::EsPrincipioActivo(const QString &codigo)
{
    bool numero = false;
    const qint64 valor = codigo.trimmed().toLongLong(&numero);
    if (!numero)
        return false;
    return Valor(QStringLiteral("SELECT IPrinActiv FROM Medicamento WHERE idMedicamento = ?"), {valor})
                   .toInt()
            == 1;
}

int TDM::NumeroMedicamentos()
{
    return Valor(QStringLiteral("SELECT count(*) FROM Medicamento")).toInt();
}

QString TDM::ListaMedicamentosSql(bool principiosActivos)
{
    const QString filtro = principiosActivos ? QStringLiteral("IPrinActiv = 1")
                                             : QStringLiteral("(IPrinActiv <> 1 OR IPrinActiv IS NULL)");
    return QStringLiteral(
                   "SELECT m.*, %1 AS Completo FROM Medicamento m WHERE %2 ORDER BY UPPER(m.Medicamento), "
                   "m.idMedicamento")
            .arg(ValoresMostrados::NombreMostradoSql(QStringLiteral("m")), filtro);
}

QString TDM::FiltroMedicamentosSql(const QString &texto, bool soloManuales, QVariantList &valores)
{
    QStringList condiciones {QStringLiteral("1 = 1")};
    if (!texto.isEmpty()) {
        // A prefix compared by length, not LIKE: "%" and "_" typed by the user stay plain text.
        condiciones << QStringLiteral("SUBSTR(UPPER(%1), 1, ?) = ?")
                               .arg(ValoresMostrados::NombreMostradoSql(QStringLiteral("m")));
        valores << static_cast<int>(texto.size()) << texto.toUpper();
    }
    if (soloManuales)
        condiciones << QStringLiteral("m.iManual = 1");
    return condiciones.join(QStringLiteral(" AND "));
}

QString TDM::ListaPacientesSql()
{
    // Only the category list is joined: a code of another master list must not name a category.
    return QStringLiteral(
            "SELECT p.*, t.Descripcion AS CategoriaText FROM Paciente p LEFT JOIN TabMaestras t "
            "ON t.CodTab = 0 AND p.CodCategoria = t.Codigo");
}

QString TDM::FechaSQL(const QDate &fecha)
{
    return QLatin1Char('#') + fecha.toString(QStringLiteral("MM/dd/yyyy")) + QLatin1Char('#');
}
