#include "core/settings/uPreferencias.h"

#include "core/data/ActualizacionBaseDatos.h"
#include "core/data/uApp.h"
#include "core/data/uDM.h"
#include "core/shell/ComprobacionActualizaciones.h"
#include "core/shell/uLog.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <variant>

namespace {

using Valores = TPreferenciasValores;
using Miembro = std::variant<bool Valores::*, int Valores::*, QString Valores::*>;

struct Campo
{
    const char *clave;
    Miembro miembro;
    bool columnaAntigua; // an older CONF column of the same name is read when Param lacks the key
};

// In the order the lines are stored.
const Campo kCampos[] = {
        {"LogCom", &Valores::LogCom, true},
        {"ServerMode", &Valores::ServerMode, true},
        {"HumedadMinima", &Valores::HumedadMinima, true},
        {"HumedadMaxima", &Valores::HumedadMaxima, true},
        {"TemperaturaMinima", &Valores::TemperaturaMinima, true},
        {"TemperaturaMaxima", &Valores::TemperaturaMaxima, true},
        {"Varitemperatura", &Valores::Varitemperatura, false},
        {"Varihumedad", &Valores::Varihumedad, false},
        {"ofNombre", &Valores::ofNombre, true},
        {"ofTitular", &Valores::ofTitular, true},
        {"ofTelefono", &Valores::ofTelefono, true},
        {"ofDireccion", &Valores::ofDireccion, true},
        {"ofEmail", &Valores::ofEmail, true},
        {"ofWeb", &Valores::ofWeb, true},
        {"ofCP", &Valores::ofCP, true},
        {"ofCF", &Valores::ofCF, true},
        {"EtiquetasDX", &Valores::EtiquetasDX, true},
        {"EtiquetasDY", &Valores::EtiquetasDY, true},
        {"IdatMedOB", &Valores::IdatMedOB, true},
        {"ETIPRINTER", &Valores::ETIPRINTER, false},
        {"IP", &Valores::IP, false},
        {"Idioma", &Valores::Idioma, false},
        {"Pais", &Valores::Pais, false},
        {"TipoBlister", &Valores::TipoBlister, false},
        {"PEtiquetas", &Valores::PEtiquetas, false},
};

const QString kCrLf = QStringLiteral("\r\n");
const QString kSaltoGuardado = QStringLiteral(" ||");
const QString kEtiquetasPorDefecto = QStringLiteral("LB-m.000");
const QString kSeccionPreferencias = QStringLiteral("PREFERENCES");

TPreferences *g_instancia = nullptr;

QStringList partirLineas(const QString &texto)
{
    QStringList lineas;
    for (QString linea : texto.split(QLatin1Char('\n'))) {
        if (linea.endsWith(QLatin1Char('\r')))
            linea.chop(1);
        if (!linea.isEmpty())
            lineas << linea;
    }
    return lineas;
}

QString claveDe(const QString &linea)
{
    const qsizetype igual = linea.indexOf(QLatin1Char('='));
    return igual < 0 ? QString() : linea.left(igual);
}

bool esClavePropia(const QString &clave)
{
    for (const Campo &campo : kCampos) {
        if (clave.compare(QLatin1String(campo.clave), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// A number as the preferences store it; a malformed one keeps the default and is logged, so one
// bad line never stops the start-up.
int numero(const QString &clave, const QString &texto, int porDefecto)
{
    bool ok = false;
    const int valor = texto.trimmed().toInt(&ok);
    if (ok)
        return valor;
    Log(QStringLiteral(": ERROR:Preferencia ") + clave + QStringLiteral(" no numerica \"") + texto
        + QStringLiteral("\", se usa ") + QString::number(porDefecto));
    return porDefecto;
}

// The value of one field: the Param line, else the older column, else the default.
void leerCampo(Valores &valores, const Campo &campo, const QStringList &param, const QSqlRecord &conf)
{
    const QString clave = QLatin1String(campo.clave);
    QVariant valor = ValorDe(param, clave);
    if (valor.toString().isEmpty()) {
        const int columna = campo.columnaAntigua ? conf.indexOf(clave) : -1;
        valor = columna >= 0 ? conf.value(columna) : QVariant();
        if (valor.isNull() || valor.toString().isEmpty())
            return;
    }
    std::visit(
            [&](auto miembro) {
                using Tipo = std::remove_cvref_t<decltype(valores.*miembro)>;
                if constexpr (std::is_same_v<Tipo, bool>)
                    valores.*miembro = numero(clave, valor.toString(), valores.*miembro ? 1 : 0) != 0;
                else if constexpr (std::is_same_v<Tipo, int>)
                    valores.*miembro = numero(clave, valor.toString(), valores.*miembro);
                else
                    valores.*miembro = valor.toString();
            },
            campo.miembro);
}

QString textoDe(const Valores &valores, const Campo &campo)
{
    return std::visit(
            [&](auto miembro) -> QString {
                using Tipo = std::remove_cvref_t<decltype(valores.*miembro)>;
                if constexpr (std::is_same_v<Tipo, bool>)
                    return valores.*miembro ? QStringLiteral("1") : QStringLiteral("0");
                else if constexpr (std::is_same_v<Tipo, int>)
                    return QString::number(valores.*miembro);
                else
                    return valores.*miembro;
            },
            campo.miembro);
}

TConsulta leerFilaConf(bool paraEscribir)
{
    QString sql = QStringLiteral("SELECT * FROM CONF ORDER BY idConf LIMIT 1");
    if (paraEscribir && DM().motor() == SqlEngine::PostgreSQL)
        sql += QStringLiteral(" FOR UPDATE");
    return DM().Consulta(sql);
}

// The id of the CONF row, created when the table is empty, inside the caller's transaction.
qint64 filaConfParaEscribir(QSqlRecord &fila)
{
    TConsulta query = leerFilaConf(true);
    if (query.next()) {
        fila = query.record();
        return fila.value(QStringLiteral("idConf")).toLongLong();
    }
    // A new database: it already holds everything the upgrades of older databases add.
    const qint64 id
            = DM().Anadir(QStringLiteral("CONF"),
                          {{QStringLiteral("UPDVersion"), ActualizacionBaseDatos::RegistroCompleto()}});
    fila = QSqlRecord();
    return id;
}

// The stored doctors with this workstation's removals and additions since it read them, so that a
// doctor another workstation added meanwhile stays.
QStringList medicosCombinados(QStringList guardados, const QStringList &leidos, const QStringList &mios)
{
    for (const QString &medico : leidos) {
        if (!mios.contains(medico))
            guardados.removeAll(medico);
    }
    for (const QString &medico : mios) {
        if (!leidos.contains(medico) && !guardados.contains(medico))
            guardados << medico;
    }
    return guardados;
}

} // namespace

TPreferenciasValores TPreferenciasValores::desde(const QStringList &param, const QSqlRecord &conf)
{
    TPreferenciasValores valores;
    for (const Campo &campo : kCampos)
        leerCampo(valores, campo, param, conf);
    valores.ofDireccion.replace(kSaltoGuardado, kCrLf);
    if (valores.PEtiquetas == QLatin1String("0"))
        valores.PEtiquetas = kEtiquetasPorDefecto;
    return valores;
}

QStringList TPreferenciasValores::lineas() const
{
    TPreferenciasValores guardable = *this;
    guardable.ofDireccion.replace(kCrLf, kSaltoGuardado);
    QStringList resultado;
    for (const Campo &campo : kCampos)
        resultado << QLatin1String(campo.clave) + QLatin1Char('=') + textoDe(guardable, campo);
    return resultado;
}

TPreferences::TPreferences(IniFile ini)
    : m_ini(std::move(ini))
{
    Cargar();
    g_instancia = this;
}

TPreferences::~TPreferences()
{
    if (g_instancia == this)
        g_instancia = nullptr;
}

TPreferences &Preferencias()
{
    Q_ASSERT_X(g_instancia, "Preferencias", "the preferences have not been created");
    return *g_instancia;
}

void GuardarPreferencias()
{
    Preferencias().Guardar();
}

void RecargarPreferencias()
{
    Preferencias().Cargar();
}

void TPreferences::aplicar(const TPreferenciasValores &valores)
{
    static_cast<TPreferenciasValores &>(*this) = valores;
    m_lineasLeidas = lineas();
    NoReinoUnido = Pais != QLatin1String("3");
}

void TPreferences::Cargar()
{
    TConsulta query = leerFilaConf(false);
    QSqlRecord fila;
    if (query.next())
        fila = query.record();
    Param = partirLineas(fila.value(QStringLiteral("Param")).toString());
    Medicos = partirLineas(fila.value(QStringLiteral("Medicos")).toString());
    m_medicosLeidos = Medicos;
    Logo = fila.value(QStringLiteral("LOGO")).toByteArray();
    m_logoLeido = Logo;
    aplicar(TPreferenciasValores::desde(Param, fila));
    // The workstation's own label printer wins over the shared one.
    const QString impresora = m_ini.readString(kSeccionPreferencias, QStringLiteral("ETIPRINTER"));
    if (!impresora.isEmpty()) {
        ETIPRINTER = impresora;
        m_lineasLeidas = lineas();
    }
}

void TPreferences::Guardar()
{
    NoReinoUnido = Pais != QLatin1String("3");
    const QStringList mias = lineas();
    QStringList escritas;
    QStringList medicos = Medicos;
    DM().EnTransaccion([&] {
        QSqlRecord fila;
        const qint64 id = filaConfParaEscribir(fila);
        const QStringList paramActual = partirLineas(fila.value(QStringLiteral("Param")).toString());
        const QStringList actuales = TPreferenciasValores::desde(paramActual, fila).lineas();
        for (qsizetype i = 0; i < mias.size(); ++i) {
            // This workstation's label printer is always written; any other value only when
            // it was changed here.
            const bool cambiada = mias.at(i) != m_lineasLeidas.value(i)
                    || claveDe(mias.at(i)) == QLatin1String("ETIPRINTER");
            escritas << (cambiada ? mias.at(i) : actuales.at(i));
        }
        for (const QString &linea : paramActual) {
            if (!esClavePropia(claveDe(linea)))
                escritas << linea;
        }
        DM().Ejecutar(QStringLiteral("UPDATE CONF SET Param = ? WHERE idConf = ?"),
                      {escritas.join(kCrLf), id});
        if (Logo != m_logoLeido)
            DM().Ejecutar(QStringLiteral("UPDATE CONF SET LOGO = ? WHERE idConf = ?"), {Logo, id});
        if (Medicos != m_medicosLeidos) {
            medicos = medicosCombinados(partirLineas(fila.value(QStringLiteral("Medicos")).toString()),
                                        m_medicosLeidos, Medicos);
            DM().Ejecutar(QStringLiteral("UPDATE CONF SET Medicos = ? WHERE idConf = ?"),
                          {medicos.join(kCrLf), id});
        }
    });
    Medicos = medicos;
    m_medicosLeidos = medicos;
    m_ini.writeString(kSeccionPreferencias, QStringLiteral("ETIPRINTER"), ETIPRINTER);
    Param = escritas;
    m_logoLeido = Logo;
    aplicar(TPreferenciasValores::desde(escritas, QSqlRecord()));
}

void TPreferences::AnadirMedico(const QString &nombre)
{
    const QString medico = nombre.trimmed().toUpper();
    if (medico.isEmpty())
        return;
    QStringList lista;
    DM().EnTransaccion([&] {
        QSqlRecord fila;
        const qint64 id = filaConfParaEscribir(fila);
        lista = partirLineas(fila.value(QStringLiteral("Medicos")).toString());
        for (const QString &existente : lista) {
            if (existente.trimmed().compare(medico, Qt::CaseInsensitive) == 0)
                return;
        }
        lista << medico;
        DM().Ejecutar(QStringLiteral("UPDATE CONF SET Medicos = ? WHERE idConf = ?"),
                      {lista.join(kCrLf), id});
    });
    Medicos = lista;
    m_medicosLeidos = lista;
}

void TPreferences::PaisPorDefecto()
{
    static const QStringList kIdiomasConPais {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                                              QStringLiteral("3")};
    if (Pais.isEmpty() && kIdiomasConPais.contains(Idioma))
        Pais = Idioma;
    Guardar();
}

void MarcarCatalogoVacio(IniFile &ini)
{
    if (DM().NumeroMedicamentos() != 0)
        return;
    ini.writeString(QStringLiteral("VERSION"), ClaveCatalogoMedicamentos(Preferencias().Pais),
                    QStringLiteral("0"));
}
