#pragma once

#include "core/data/ConnectionText.h"
#include "core/data/SentenciasPreparadas.h"
#include "core/data/SesionTypes.h"
#include "core/data/uApp.h"
#include "core/shell/AppDirectory.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

// The data module: the one owner of the database connection, the session (logged-in user,
// active patient, active category) and the small lookups many screens share. Created once by
// the start-up sequence; reached everywhere through DM().
//
// Every value reaches the database as a bound parameter: callers write statements with "?"
// placeholders and pass the values, never text built from what a user typed.
class TDM
{
public:
    // Opens the database of the application directory (see ConnectionText::forDirectory),
    // creating the default file and the missing tables. Throws AppError with a clear message
    // when the database cannot be used.
    explicit TDM(const AppDirectory &directory);
    TDM(const ConnectionText &connection, const AppDirectory &directory);
    ~TDM();
    TDM(const TDM &) = delete;
    TDM &operator=(const TDM &) = delete;

    SqlEngine motor() const { return m_connection.engine(); }
    const ConnectionText &conexion() const { return m_connection; }
    QSqlDatabase &database() { return m_database; }

    // Closes the connection for good (a restore replaces the database under it): the kept
    // statements go first, so none outlives its connection.
    void CerrarConexion();

    // The database file as configured (empty for a server database) and the folder beside which
    // backups and patient files live: that file's folder, a server database's shared folder, or
    // the application directory.
    QString RutaBaseDatos() const;
    // Where the data lives, for the log: the file, or the server and database (never a password).
    QString DescripcionConexion() const { return m_connection.describe(); }
    QString DirectorioBaseDatos() const;

    // --- Statements ------------------------------------------------------------------------
    // Runs a statement with its bound values; throws AppError when the database refuses it. A
    // statement with values is prepared once per connection and kept (see TSentenciasPreparadas).
    TConsulta Consulta(const QString &sql, const QVariantList &valores = {});
    // How many prepared statements the connection keeps for the next run.
    int SentenciasGuardadas() const { return m_sentencias->Cuantas(); }
    // Runs a statement that changes rows; the number of rows changed.
    int Ejecutar(const QString &sql, const QVariantList &valores = {});
    // The first column of the first row; a null value when there is no row.
    QVariant Valor(const QString &sql, const QVariantList &valores = {});
    // Appends one row to a table of the schema and returns the key the database assigned (0 for
    // tables whose key the application gives). Table and column names are checked against the
    // schema; the database assigns its keys itself.
    qint64 Anadir(const QString &tabla, const QVariantMap &campos);

    // Runs the unit of work in one transaction: everything it wrote is kept when it returns and
    // nothing when it throws (the exception then continues to the caller). Nested calls join the
    // outer transaction.
    void EnTransaccion(const std::function<void()> &trabajo);
    bool enTransaccion() const { return m_nivelTransaccion > 0; }
    // Like EnTransaccion, but inside an outer transaction a failure undoes only this work (a
    // savepoint) and leaves the outer transaction usable.
    void EnPuntoDeGuardado(const std::function<void()> &trabajo);

    // The one lock rule for changing a patient's loads, stock rows, treatment lines and their
    // quantities, and treatment versions. The work runs in one transaction that first takes the
    // patient (PostgreSQL: the patient's row FOR UPDATE; SQLite: the transaction starts as the
    // one writer), so two workstations acting on one patient act one after the other and no two
    // writers wait for each other's rows. The work then reads what it changes (never values read
    // before) and touches the rows in the order Paciente, Recarga, RecargaLinea, Inventario, SPD,
    // SPDHIST. A transient failure (ErrorTransitorio) runs the whole work again, up to
    // kIntentosTransaccion times, so the work must start from nothing each time; any other failure,
    // or the last transient one, continues to the caller with nothing written. Inside an outer
    // transaction the lock is taken and the work joins it.
    static constexpr int kIntentosTransaccion = 5;
    void EnTransaccionPaciente(qint64 idPaciente, const std::function<void()> &trabajo);
    // How long a statement waits for a lock another workstation holds before it fails as
    // transient (10 s by default).
    void EstablecerEsperaBloqueo(int milisegundos);

    // --- Session ---------------------------------------------------------------------------
    int idPacienteActivo = 0;
    std::optional<TPaciente> PacienteActivo;
    std::optional<TUsuario> Usuario;
    std::optional<TCategoria> Categoria;

    // Drops the logged-in user, then makes the user with this name and password the logged-in
    // one (see TUsuarios::Comprobar); false, with no user, when none matches.
    bool ComprobarUsuario(const QString &usuario, const QString &clave);
    // True when the logged-in user has the pharmacist profile.
    bool EsFarmaceutico() const { return Usuario && Usuario->esFarmaceutico; }

    // Each drops the active patient, then makes the first patient whose column equals the text
    // (whole value; identity number and reference without regard to case) the active one.
    // False, with no active patient, when none matches or the text is empty.
    bool PacienteActivoPorDNI(const QString &dni);
    bool PacienteActivoPorReferencia(const QString &referencia);
    bool PacienteActivoPorTelefono(const QString &telefono);
    bool PacienteActivoPorId(const QString &id);

    // --- Master lists ----------------------------------------------------------------------
    static constexpr int kListaCategorias = 0;
    // The reserved list that keeps the highest code ever deleted from list `codTab` (see
    // TTablasMaestras); negative, so it never meets a list in use.
    static constexpr int ListaMarcaCodigos(int codTab) { return -1 - codTab; }
    // One above the highest code the list holds or ever held; 1 for a list never used.
    int SiguienteCodigo(int codTab);
    QString DescripcionCategoria(const QString &codigo);
    QString TextoCategoria(int codigo);
    QList<TCodigos> ListaCategorias();
    QList<TCodigos> ListaCategoriasConVacia();
    bool CategoriaEnUso(int codigo);

    // --- Medications -----------------------------------------------------------------------
    QString NombreMedicamento(qint64 codigo);
    bool EsPrincipioActivo(const QString &codigo);
    int NumeroMedicamentos();

    // The statements of the shared lists. The medication lists carry the column "Completo"
    // (the displayed name) and are ordered by name; the patient list carries "CategoriaText".
    static QString ListaMedicamentosSql(bool principiosActivos);
    static QString ListaPacientesSql();

    // The catalogue screen's filter of the medication table: a row passes when its displayed
    // name begins with the text (compared in upper case; an empty text passes every row) and, with
    // `soloManuales`, when it was created in the application (iManual 1). The condition applies to
    // Medicamento under the alias "m"; its values are appended to `valores`.
    static QString FiltroMedicamentosSql(const QString &texto, bool soloManuales, QVariantList &valores);

    // The Jet date literal "#mm/dd/yyyy#" for texts that still carry one.
    static QString FechaSQL(const QDate &fecha);

private:
    void AbrirBaseDatos();
    void abrirSQLite();
    void abrirPostgreSQL();
    [[noreturn]] void fallo(const QString &mensaje) const;
    // A statement the database refused: transient failures as ErrorTransitorio; a refused row of
    // a patient, load line, treatment line or stock row is first shown as the storage notice.
    [[noreturn]] void falloSentencia(const QSqlError &error, const QString &sql = {}) const;
    bool esTransitorio(const QSqlError &error) const;
    void bloquearPaciente(qint64 idPaciente);
    void ejecutarControl(const QString &sentencia);
    bool activarPaciente(const QString &condicion, const QVariant &valor);
    QSqlQuery nuevaSentencia();
    QSqlQuery sentenciaPreparada(const QString &sql);

    ConnectionText m_connection;
    AppDirectory m_directory;
    QString m_connectionName;
    QSqlDatabase m_database;
    int m_nivelTransaccion = 0;
    std::shared_ptr<TSentenciasPreparadas> m_sentencias = std::make_shared<TSentenciasPreparadas>();
};

// The process-wide data module; it must exist.
TDM &DM();
// True while a data module exists (the audit log and the error handler ask before using it).
bool HayDM();
