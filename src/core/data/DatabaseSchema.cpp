#include "core/data/DatabaseSchema.h"

#include "core/shell/uLog.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace DatabaseSchema {

namespace {

using T = ColumnType;

Column key(const char *name)
{
    return {QString::fromLatin1(name), T::Key};
}
Column integer(const char *name)
{
    return {QString::fromLatin1(name), T::Integer};
}
Column bigint(const char *name)
{
    return {QString::fromLatin1(name), T::BigInt};
}
Column small(const char *name)
{
    return {QString::fromLatin1(name), T::SmallInt};
}
Column dbl(const char *name)
{
    return {QString::fromLatin1(name), T::Double};
}
Column currency(const char *name)
{
    return {QString::fromLatin1(name), T::Currency};
}
Column date(const char *name)
{
    return {QString::fromLatin1(name), T::DateTime};
}
Column text(const char *name, int width)
{
    return {QString::fromLatin1(name), T::Text, width};
}
Column memo(const char *name)
{
    return {QString::fromLatin1(name), T::Memo};
}
Column binary(const char *name)
{
    return {QString::fromLatin1(name), T::Binary};
}

QList<Table> buildTables()
{
    return {
            {QStringLiteral("Paciente"),
             {key("idPaciente"),
              text("refPaciente", 50),
              text("DNI", 9),
              date("FechaNacimiento"),
              small("Varon"),
              date("FechaAlta"),
              date("FechaBaja"),
              text("Nombre", 50),
              text("Direccion", 50),
              text("Telefono", 15),
              text("Email", 100),
              text("MedicoNombre", 50),
              text("MedicoDireccion", 255),
              text("MedicoTelefono", 15),
              text("MedicoEmail", 100),
              text("ContactoNombre", 50),
              text("ContactoDireccion", 255),
              text("ContactoTelefono", 15),
              text("ContactoEmail", 50),
              memo("Enfermedades"),
              memo("Alergias"),
              memo("Problemas"),
              memo("Notas"),
              integer("idTratamiento"),
              small("AsistenciaDomiciliaria"),
              integer("NumeroUltimaCargaRealizada"),
              date("FechaUltimaCargaRealizada"),
              binary("Foto"),
              small("Iactivo"),
              small("CodCategoria"),
              small("IFotoBlis"),
              small("IConInven")}},
            {QStringLiteral("Medicamento"),
             {bigint("idMedicamento"), text("Medicamento", 50), text("Descripcion", 100),
              text("DescUsuario", 200), integer("Unidades"), currency("PVP"), text("Via", 50),
              small("Definido"), small("SPD"), small("Comprimido"), small("Capsula"), text("Forma", 20),
              text("Color", 20), small("Volumen"), integer("iManual"), integer("IPrinActiv")},
             QStringLiteral("idMedicamento")},
            {QStringLiteral("SPD"),
             {key("id"), integer("idPaciente"), bigint("idMedicamento"), text("Lote", 50), date("Caducidad"),
              dbl("Cantidad"), date("Inicio"), date("Fin"), text("Dosis", 250), text("DosisS1", 250),
              text("DosisS2", 9), text("DosisS3", 9), text("DosisS4", 9), text("Medico", 50),
              text("DosisEtiqueta", 250), memo("Notas"), integer("SPDP")}},
            {QStringLiteral("SPDHIST"),
             {integer("IdVersion"), integer("ID"), date("FechaActualizacion"), integer("IDPaciente"),
              bigint("IDMedicamento"), date("Inicio"), date("Fin"), text("Dosis", 250),
              text("DosisEtiqueta", 250), text("Medico", 50), memo("Notas"), integer("SPDP"),
              text("username", 50), integer("IuCarga"), date("Fecultcarga")}},
            {QStringLiteral("SPDDET"), {key("id"), integer("idSPD"), memo("Notas")}},
            {QStringLiteral("Recarga"),
             {key("idRecarga"),
              integer("refRecarga"),
              integer("idPaciente"),
              date("FechaRealizado"),
              date("FechaInicio"),
              date("FechaFin"),
              date("FechaCaducidad"),
              integer("Estado"),
              integer("idTipoBlister"),
              integer("idTratamiento"),
              memo("Notas"),
              integer("idUsuario"),
              small("Humedad"),
              small("Temperatura"),
              integer("TomasRetornadas"),
              integer("ComprimidosRetornados"),
              date("FechaRetornado"),
              date("FechaEntrega"),
              integer("IdValidador"),
              date("FechaValidado")}},
            {QStringLiteral("RecargaLinea"),
             {key("idRecargaLinea"), integer("idRecarga"), bigint("idMedicamento"), bigint("idMedicamentoR"),
              integer("idInventario"), dbl("Cantidad"), text("Dosis", 250), text("Lote", 50),
              date("Caducidad"), text("fcaducidad", 10), small("SPD"), text("Medicamento", 50),
              text("descripcion", 100), text("posologia", 255)}},
            {QStringLiteral("RecargaTomasRetornadas"),
             {integer("idRecarga"), integer("idToma"), integer("CantidadComprimidos"),
              text("Comentario", 255)}},
            {QStringLiteral("Inventario"),
             {key("idInventario"), integer("idPaciente"), bigint("idMedicamento"),
              bigint("IdMedicamentoReal"), text("Lote", 50), date("Caducidad"), dbl("CantidadRestante"),
              date("FechaAsignacion"), integer("TipoAsignacion")}},
            {QStringLiteral("Receta"),
             {key("idReceta"), integer("idPaciente"), bigint("idMedicamento"), date("FechaReceta"),
              text("MedicoReceta", 50), currency("PVP")}},
            {QStringLiteral("Usuario"),
             {key("idUsuario"), text("Nombre", 50), text("username", 50), text("password", 255),
              integer("idPerfil"), dbl("iSupUser"), small("CambiarClave")}},
            {QStringLiteral("LOPD_Auditoria"),
             {key("IdAudit"), date("FAudit"), text("Username", 50), text("UserOS", 50), text("Maquina", 50),
              text("Accion", 50), text("Resultado", 50), text("Operacion", 50), text("refPaciente", 50)}},
            {QStringLiteral("TabMaestras"),
             {integer("CodTab"), integer("Codigo"), text("Descripcion", 100)},
             QStringLiteral("CodTab, Codigo")},
            {QStringLiteral("CONF"),
             {key("idConf"),
              memo("Param"),
              memo("Medicos"),
              binary("LOGO"),
              memo("UPDVersion"),
              small("LogCom"),
              small("ServerMode"),
              small("HumedadMinima"),
              small("HumedadMaxima"),
              small("TemperaturaMinima"),
              small("TemperaturaMaxima"),
              integer("EtiquetasDX"),
              integer("EtiquetasDY"),
              small("IdatMedOB"),
              text("ofNombre", 255),
              text("ofTitular", 255),
              text("ofTelefono", 255),
              text("ofDireccion", 255),
              text("ofEmail", 255),
              text("ofWeb", 255),
              text("ofCP", 255),
              text("ofCF", 255)}},
    };
}

QList<Index> buildIndexes()
{
    auto ix = [](const char *name, const char *table, const char *expression) {
        return Index {QString::fromLatin1(name), QString::fromLatin1(table), QString::fromLatin1(expression)};
    };
    return {
            ix("ix_paciente_ref", "Paciente", "UPPER(refPaciente)"),
            ix("ix_paciente_dni", "Paciente", "UPPER(DNI)"),
            ix("ix_paciente_telefono", "Paciente", "Telefono"),
            ix("ix_paciente_categoria", "Paciente", "CodCategoria"),
            ix("ix_medicamento_nombre", "Medicamento", "Medicamento"),
            ix("ix_spd_paciente", "SPD", "idPaciente, Inicio"),
            ix("ix_spd_medicamento", "SPD", "idMedicamento"),
            ix("ix_spdhist_paciente", "SPDHIST", "IDPaciente, IdVersion"),
            ix("ix_spdhist_medicamento", "SPDHIST", "IDMedicamento"),
            ix("ix_recarga_paciente", "Recarga", "idPaciente, FechaInicio"),
            // With the key, so that the key range of a window of dates is read from the index alone.
            ix("ix_recarga_realizado_clave", "Recarga", "FechaRealizado, idRecarga"),
            ix("ix_recarga_inicio", "Recarga", "FechaInicio"),
            // Also there while ux_recarga_numero waits for duplicate load numbers to be resolved.
            ix("ix_recarga_numero", "Recarga", "idPaciente, refRecarga"),
            ix("ix_recargalinea_recarga", "RecargaLinea", "idRecarga"),
            ix("ix_recargalinea_medicamento", "RecargaLinea", "idMedicamento"),
            ix("ix_recargalinea_producto", "RecargaLinea", "idMedicamentoR"),
            ix("ix_recargalinea_lote", "RecargaLinea", "UPPER(Lote)"),
            ix("ix_tomas_recarga", "RecargaTomasRetornadas", "idRecarga"),
            ix("ix_inventario_paciente", "Inventario", "idPaciente, idMedicamento"),
            ix("ix_inventario_medicamento", "Inventario", "idMedicamento"),
            ix("ix_inventario_producto", "Inventario", "IdMedicamentoReal"),
            ix("ix_inventario_lote", "Inventario", "UPPER(Lote)"),
            ix("ix_receta_paciente", "Receta", "idPaciente"),
            ix("ix_receta_medicamento", "Receta", "idMedicamento"),
            ix("ix_usuario_username", "Usuario", "UPPER(username)"),
            ix("ix_auditoria_fecha", "LOPD_Auditoria", "FAudit"),
            ix("ix_auditoria_paciente", "LOPD_Auditoria", "refPaciente"),
            // The audit view's list of the actions present in the log steps along it.
            ix("ix_auditoria_accion", "LOPD_Auditoria", "Accion"),
    };
}

QString columnDefinition(const Column &column, SqlEngine engine)
{
    const bool sqlite = engine == SqlEngine::SQLite;
    switch (column.type) {
    case T::Key:
        return sqlite ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")
                      : QStringLiteral("INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
    case T::Integer:
        return QStringLiteral("INTEGER");
    case T::BigInt:
        return QStringLiteral("BIGINT");
    case T::SmallInt:
        return QStringLiteral("SMALLINT");
    case T::Double:
        return QStringLiteral("DOUBLE PRECISION");
    case T::Currency:
        return QStringLiteral("NUMERIC(19,4)");
    case T::DateTime:
        return QStringLiteral("TIMESTAMP");
    case T::Text:
        return sqlite
                ? QStringLiteral("VARCHAR(%1) CHECK (length(%2) <= %1)").arg(column.width).arg(column.name)
                : QStringLiteral("VARCHAR(%1)").arg(column.width);
    case T::Memo:
        return QStringLiteral("TEXT");
    case T::Binary:
        return sqlite ? QStringLiteral("BLOB") : QStringLiteral("BYTEA");
    }
    return {};
}

} // namespace

const Column *Table::column(const QString &wanted) const
{
    for (const Column &candidate : columns) {
        if (candidate.name.compare(wanted, Qt::CaseInsensitive) == 0)
            return &candidate;
    }
    return nullptr;
}

const Column *Table::autoKey() const
{
    for (const Column &candidate : columns) {
        if (candidate.type == T::Key)
            return &candidate;
    }
    return nullptr;
}

const QList<Table> &tables()
{
    static const QList<Table> all = buildTables();
    return all;
}

const QList<Index> &indexes()
{
    static const QList<Index> all = buildIndexes();
    return all;
}

const Table *table(const QString &name)
{
    for (const Table &candidate : tables()) {
        if (candidate.name.compare(name, Qt::CaseInsensitive) == 0)
            return &candidate;
    }
    return nullptr;
}

QString createTableStatement(const Table &table, SqlEngine engine)
{
    QStringList parts;
    for (const Column &column : table.columns)
        parts << column.name + QLatin1Char(' ') + columnDefinition(column, engine);
    if (!table.primaryKey.isEmpty())
        parts << QStringLiteral("PRIMARY KEY (%1)").arg(table.primaryKey);
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
            .arg(table.name, parts.join(QStringLiteral(", ")));
}

namespace {

bool hasField(const QSqlRecord &record, const QString &name)
{
    // PostgreSQL reports unquoted names in lower case.
    for (int i = 0; i < record.count(); ++i) {
        if (record.fieldName(i).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The columns of an existing table, read from an empty result (the drivers' own description of
// a table does not see PostgreSQL's search path); none for a table still to be created.
QSqlRecord existingColumns(const Table &table, const QSqlDatabase &database)
{
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(table.name)))
        return {};
    return query.record();
}

QStringList addMissingColumnStatements(const Table &table, const QSqlDatabase &database, SqlEngine engine)
{
    const QSqlRecord existing = existingColumns(table, database);
    QStringList statements;
    if (existing.isEmpty())
        return statements;
    for (const Column &column : table.columns) {
        if (column.type != T::Key && !hasField(existing, column.name))
            statements << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                                  .arg(table.name, column.name, columnDefinition(column, engine));
    }
    return statements;
}

const QString kIndiceNumeroCarga = QStringLiteral("ux_recarga_numero");

bool indexExists(QSqlQuery &query, const QString &name, SqlEngine engine)
{
    query.prepare(engine == SqlEngine::SQLite
                          ? QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?")
                          : QStringLiteral("SELECT 1 FROM pg_indexes WHERE schemaname = current_schema() AND "
                                           "indexname = ?"));
    query.addBindValue(engine == SqlEngine::SQLite ? name : name.toLower());
    const bool exists = query.exec() && query.next();
    query.finish();
    return exists;
}

// A load number names one load of a patient (it is half of the blister's bar code), guarded by a
// unique index. An older database that already holds two loads under one number keeps working:
// the duplicates are logged and the index waits for a start at which they are gone.
QString guardLoadNumbers(QSqlQuery &query, SqlEngine engine)
{
    if (indexExists(query, kIndiceNumeroCarga, engine))
        return {};
    if (!query.exec(QStringLiteral("SELECT idPaciente, refRecarga, COUNT(*) FROM Recarga "
                                   "GROUP BY idPaciente, refRecarga HAVING COUNT(*) > 1")))
        return query.lastError().text();
    bool duplicates = false;
    while (query.next()) {
        duplicates = true;
        Log(QStringLiteral(": ERROR:Numero de carga repetido: paciente %1, carga %2, %3 cargas")
                    .arg(query.value(0).toLongLong())
                    .arg(query.value(1).toLongLong())
                    .arg(query.value(2).toLongLong()));
    }
    query.finish();
    if (duplicates)
        return {};
    if (!query.exec(QStringLiteral("CREATE UNIQUE INDEX %1 ON Recarga (idPaciente, refRecarga)")
                            .arg(kIndiceNumeroCarga)))
        return query.lastError().text();
    return {};
}

} // namespace

QString create(QSqlDatabase &database, SqlEngine engine)
{
    QStringList statements;
    for (const Table &table : tables()) {
        statements << addMissingColumnStatements(table, database, engine);
        statements << createTableStatement(table, engine);
    }
    for (const Index &index : indexes())
        statements << QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                              .arg(index.name, index.table, index.expression);

    if (!database.transaction())
        return database.lastError().text();
    QSqlQuery query(database);
    for (const QString &statement : statements) {
        if (!query.exec(statement)) {
            const QString message = query.lastError().text();
            query.finish();
            database.rollback();
            return message;
        }
    }
    query.finish();
    if (const QString message = guardLoadNumbers(query, engine); !message.isEmpty()) {
        database.rollback();
        return message;
    }
    if (!database.commit()) {
        const QString message = database.lastError().text();
        database.rollback();
        return message;
    }
    return {};
}

} // namespace DatabaseSchema
