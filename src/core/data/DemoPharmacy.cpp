#include "core/data/DemoPharmacy.h"

#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/IniFile.h"
#include "core/shell/PasswordHash.h"

namespace DemoPharmacy {

namespace {

struct Medicamento
{
    qint64 codigo;
    const char *nombre;
    const char *descripcion;
    int unidades;
    double pvp;
    const char *forma; // "COMPRIMIDO", "CAPSULA", other forms do not go into the blister
    const char *color;
    int volumen; // 1 small, 2 medium, 3 large
    bool blister;
    bool principioActivo;
};

// A catalogue of common medications of a community pharmacy.
const Medicamento kMedicamentos[] = {
        {6500011, "ENALAPRIL", "20 MG 28 COMPRIMIDOS", 28, 2.50, "COMPRIMIDO", "BLANCO", 1, true, false},
        {6500028, "AMLODIPINO", "5 MG 30 COMPRIMIDOS", 30, 1.98, "COMPRIMIDO", "BLANCO", 1, true, false},
        {6500035, "LOSARTAN", "50 MG 28 COMPRIMIDOS RECUBIERTOS", 28, 3.10, "COMPRIMIDO", "BLANCO", 2, true,
         false},
        {6500042, "HIDROCLOROTIAZIDA", "25 MG 20 COMPRIMIDOS", 20, 1.45, "COMPRIMIDO", "BLANCO", 1, true,
         false},
        {6500059, "FUROSEMIDA", "40 MG 30 COMPRIMIDOS", 30, 1.60, "COMPRIMIDO", "BLANCO", 1, true, false},
        {6500066, "BISOPROLOL", "5 MG 30 COMPRIMIDOS", 30, 2.20, "COMPRIMIDO", "AMARILLO", 1, true, false},
        {6500073, "ATORVASTATINA", "20 MG 28 COMPRIMIDOS", 28, 3.90, "COMPRIMIDO", "BLANCO", 2, true, false},
        {6500080, "SIMVASTATINA", "20 MG 28 COMPRIMIDOS", 28, 1.85, "COMPRIMIDO", "ROSA", 2, true, false},
        {6500097, "METFORMINA", "850 MG 50 COMPRIMIDOS", 50, 2.05, "COMPRIMIDO", "BLANCO", 3, true, false},
        {6500103, "SITAGLIPTINA", "100 MG 28 COMPRIMIDOS", 28, 33.40, "COMPRIMIDO", "BEIGE", 2, true, false},
        {6500110, "GLICLAZIDA", "30 MG 60 COMPRIMIDOS", 60, 3.45, "COMPRIMIDO", "BLANCO", 1, true, false},
        {6500127, "OMEPRAZOL", "20 MG 28 CAPSULAS", 28, 2.45, "CAPSULA", "BLANCO Y ROSA", 2, true, false},
        {6500134, "PANTOPRAZOL", "40 MG 28 COMPRIMIDOS", 28, 3.75, "COMPRIMIDO", "AMARILLO", 2, true, false},
        {6500141, "ACIDO ACETILSALICILICO", "100 MG 30 COMPRIMIDOS", 30, 1.45, "COMPRIMIDO", "BLANCO", 1,
         true, false},
        {6500158, "CLOPIDOGREL", "75 MG 28 COMPRIMIDOS", 28, 4.05, "COMPRIMIDO", "ROSA", 2, true, false},
        {6500165, "ACENOCUMAROL", "4 MG 20 COMPRIMIDOS", 20, 1.76, "COMPRIMIDO", "BLANCO", 1, true, false},
        {6500172, "APIXABAN", "5 MG 60 COMPRIMIDOS", 60, 52.87, "COMPRIMIDO", "ROSA", 1, true, false},
        {6500189, "LEVOTIROXINA", "100 MCG 100 COMPRIMIDOS", 100, 3.15, "COMPRIMIDO", "BLANCO", 1, true,
         false},
        {6500196, "PARACETAMOL", "1 G 40 COMPRIMIDOS", 40, 2.39, "COMPRIMIDO", "BLANCO", 3, true, false},
        {6500202, "METAMIZOL", "575 MG 20 CAPSULAS", 20, 2.73, "CAPSULA", "ROJO", 2, true, false},
        {6500219, "IBUPROFENO", "600 MG 40 COMPRIMIDOS", 40, 2.12, "COMPRIMIDO", "BLANCO", 3, true, false},
        {6500226, "TRAMADOL", "50 MG 20 CAPSULAS", 20, 2.60, "CAPSULA", "VERDE", 2, true, false},
        {6500233, "GABAPENTINA", "300 MG 90 CAPSULAS", 90, 9.80, "CAPSULA", "AMARILLO", 2, true, false},
        {6500240, "PREGABALINA", "75 MG 56 CAPSULAS", 56, 6.85, "CAPSULA", "BLANCO", 2, true, false},
        {6500257, "SERTRALINA", "50 MG 30 COMPRIMIDOS", 30, 3.95, "COMPRIMIDO", "BLANCO", 2, true, false},
        {6500264, "ESCITALOPRAM", "10 MG 28 COMPRIMIDOS", 28, 4.60, "COMPRIMIDO", "BLANCO", 1, true, false},
        {6500271, "MIRTAZAPINA", "15 MG 30 COMPRIMIDOS", 30, 4.25, "COMPRIMIDO", "AMARILLO", 1, true, false},
        {6500288, "LORAZEPAM", "1 MG 50 COMPRIMIDOS", 50, 1.90, "COMPRIMIDO", "BLANCO", 1, true, false},
        {6500295, "LORMETAZEPAM", "1 MG 30 COMPRIMIDOS", 30, 1.40, "COMPRIMIDO", "BLANCO", 1, true, false},
        {6500301, "QUETIAPINA", "25 MG 60 COMPRIMIDOS", 60, 3.30, "COMPRIMIDO", "MELOCOTON", 1, true, false},
        {6500318, "RISPERIDONA", "1 MG 60 COMPRIMIDOS", 60, 8.40, "COMPRIMIDO", "BLANCO", 1, true, false},
        {6500325, "DONEPEZILO", "5 MG 28 COMPRIMIDOS", 28, 6.95, "COMPRIMIDO", "BLANCO", 1, true, false},
        {6500332, "MEMANTINA", "20 MG 56 COMPRIMIDOS", 56, 38.50, "COMPRIMIDO", "ROJO", 2, true, false},
        {6500349, "LEVODOPA/CARBIDOPA", "250/25 MG 100 COMPRIMIDOS", 100, 7.45, "COMPRIMIDO", "AZUL", 2, true,
         false},
        {6500356, "TAMSULOSINA", "0,4 MG 30 CAPSULAS", 30, 4.40, "CAPSULA", "NARANJA Y VERDE", 2, true,
         false},
        {6500363, "ALOPURINOL", "100 MG 25 COMPRIMIDOS", 25, 1.35, "COMPRIMIDO", "BLANCO", 1, true, false},
        {6500370, "CALCIO/COLECALCIFEROL", "600 MG/400 UI 60 COMPRIMIDOS MASTICABLES", 60, 5.90, "COMPRIMIDO",
         "BLANCO", 3, true, false},
        {6500387, "ACIDO ALENDRONICO", "70 MG 4 COMPRIMIDOS", 4, 4.35, "COMPRIMIDO", "BLANCO", 2, true,
         false},
        {6500394, "METOTREXATO", "2,5 MG 50 COMPRIMIDOS", 50, 3.05, "COMPRIMIDO", "AMARILLO", 1, true, false},
        {6500400, "SALBUTAMOL", "100 MCG INHALADOR 200 DOSIS", 200, 2.50, "INHALADOR", "AZUL", 3, false,
         false},
        {6500417, "LACTULOSA", "10 G SOBRES 50 SOBRES", 50, 4.80, "SOBRE", "", 3, false, false},
        {6999991, "OMEPRAZOL", "20 MG PRINCIPIO ACTIVO", 0, 0, "CAPSULA", "", 2, true, true},
};

struct Paciente
{
    const char *ref;
    int dniNumero;
    const char *nombre;
    bool varon;
    int anioNacimiento;
    int categoria; // 0 none, 1 or 2 the demo categories
    const char *telefono;
};

const Paciente kPacientes[] = {
        {"R-001", 10234567, "ANTONIA GARCIA LOPEZ", false, 1934, 1, "910000001"},
        {"R-002", 11345678, "MANUEL FERNANDEZ RUIZ", true, 1938, 1, "910000002"},
        {"R-003", 12456789, "CARMEN MARTINEZ SANZ", false, 1941, 1, "910000003"},
        {"R-004", 13567890, "JOSE RODRIGUEZ GIL", true, 1936, 1, "910000004"},
        {"R-005", 14678901, "DOLORES SANCHEZ MORENO", false, 1944, 1, "910000005"},
        {"C-001", 15789012, "FRANCISCO PEREZ NAVARRO", true, 1947, 2, "910000006"},
        {"C-002", 16890123, "PILAR GOMEZ ORTIZ", false, 1950, 2, "910000007"},
        {"C-003", 17901234, "ANTONIO DIAZ SERRANO", true, 1945, 2, "910000008"},
        {"D-001", 18012345, "MARIA JIMENEZ CASTRO", false, 1952, 0, "610000009"},
        {"D-002", 19123456, "JUAN MUÑOZ DELGADO", true, 1949, 0, "610000010"},
        {"D-003", 20234567, "ISABEL ALONSO ROMERO", false, 1958, 0, "610000011"},
        {"D-004", 21345678, "LUIS O'NEILL VAZQUEZ", true, 1955, 0, "610000012"},
};

struct Linea
{
    qint64 medicamento;
    const char *dosis; // a dose text of every rule kind, or free text for medication outside the blister
    const char *etiqueta;
};

// Treatment lines, given out to the patients in turn: every rule of the dose text appears.
const Linea kLineas[] = {
        {6500011, "1-0-1-0:D:D:1", "1 DESAYUNO, 1 CENA"},
        {6500073, "0-0-1-0:D:D:1", "1 CENA"},
        {6500097, "1-1-1-0:D:D:1", "1 EN CADA COMIDA"},
        {6500127, "1-0-0-0:D:D:1", "1 EN AYUNAS"},
        {6500141, "0-1-0-0:D:D:1", "1 COMIDA"},
        {6500059, "1-0-0-0:D:D:2", "1 DESAYUNO CADA 2 DIAS"},
        {6500394, "1-0-0-0:S:1:0000100", "1 LOS VIERNES"},
        {6500387, "1-0-0-0:S:1:1000000", "1 LOS LUNES EN AYUNAS"},
        {6500165, "0-0-0,5-0:S:1:1111110", "MEDIO EN LA CENA DE LUNES A SABADO"},
        {6500189, "1-0-0-0:D:R:21:7", "1 DESAYUNO 21 DIAS, 7 DE DESCANSO"},
        {6500370, "0-1-0-0:M:D:1:1", "1 COMIDA EL DIA 1 DE CADA MES"},
        {6500363, "1-0-0-0:M:P:1:1:1", "1 EL PRIMER LUNES DE CADA MES"},
        {6500288, "0-0-0-1:3", "1 AL ACOSTARSE CADA 3 DIAS"},
        {6500028, "0-0-0,25-0:D:D:1", "UN CUARTO EN LA CENA"},
        {6500301, "0-0-0-1:S:2:0000011", "1 NOCHE FINES DE SEMANA ALTERNOS"},
        {6500196, "1-0-1-0-1-0-1-0-1-0-1-0-1-0-1-0-1-0-1-0-0-0-1-0-0-0-1-0:T", "SEGUN TABLA SEMANAL"},
        {6500400, "2 INHALACIONES CADA 12 HORAS", "2 INHALACIONES CADA 12 HORAS"},
        {6500417, "1 SOBRE SI PRECISA", "1 SOBRE SI PRECISA"},
};

const char kLetrasDni[] = "TRWAGMYFPDXBNJZSQVHLCKE";
const QString kNoEmblistable = QStringLiteral("0-0-0-0:0");

QString dni(int numero)
{
    return QString::number(numero) + QLatin1Char(kLetrasDni[numero % 23]);
}

bool esTextoDeDosis(const QString &dosis)
{
    return dosis.contains(QLatin1Char(':')) && dosis.at(0).isDigit();
}

void anadirMedicamentos(TDM &dm)
{
    for (const Medicamento &m : kMedicamentos) {
        const QString forma = QString::fromUtf8(m.forma);
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), m.codigo},
                   {QStringLiteral("Medicamento"), QString::fromUtf8(m.nombre)},
                   {QStringLiteral("Descripcion"), QString::fromUtf8(m.descripcion)},
                   {QStringLiteral("Unidades"), m.unidades},
                   {QStringLiteral("PVP"), m.pvp},
                   {QStringLiteral("Via"), QStringLiteral("ORAL")},
                   {QStringLiteral("Definido"), 1},
                   {QStringLiteral("SPD"), m.blister ? 1 : 0},
                   {QStringLiteral("Comprimido"), forma == QLatin1String("COMPRIMIDO") ? 1 : 0},
                   {QStringLiteral("Capsula"), forma == QLatin1String("CAPSULA") ? 1 : 0},
                   {QStringLiteral("Forma"), forma},
                   {QStringLiteral("Color"), QString::fromUtf8(m.color)},
                   {QStringLiteral("Volumen"), m.volumen},
                   {QStringLiteral("iManual"), 0},
                   {QStringLiteral("IPrinActiv"), m.principioActivo ? 1 : 0}});
    }
}

QList<int> anadirCategorias(TDM &dm)
{
    QList<int> codigos;
    for (const QString &descripcion :
         {QStringLiteral("RESIDENCIA LOS ROSALES"), QStringLiteral("CENTRO DE DIA SAN ROQUE")}) {
        const int codigo = dm.SiguienteCodigo(TDM::kListaCategorias);
        dm.Anadir(QStringLiteral("TabMaestras"),
                  {{QStringLiteral("CodTab"), TDM::kListaCategorias},
                   {QStringLiteral("Codigo"), codigo},
                   {QStringLiteral("Descripcion"), descripcion}});
        codigos << codigo;
    }
    return codigos;
}

void anadirUsuario(TDM &dm, const QString &nombre, const char *usuario, const char *clave, int perfil)
{
    dm.Anadir(QStringLiteral("Usuario"),
              {{QStringLiteral("Nombre"), nombre},
               {QStringLiteral("username"), QString::fromLatin1(usuario)},
               {QStringLiteral("password"), PasswordHash::Crear(QString::fromLatin1(clave))},
               {QStringLiteral("idPerfil"), perfil},
               {QStringLiteral("iSupUser"), 0}});
}

// One treatment line with its first history version and, for blister medication, a stock row.
void anadirLinea(TDM &dm, qint64 idPaciente, const Linea &linea, const QString &medico, int numero)
{
    const QDate hoy = Clock::today();
    const QDate inicio = hoy.addDays(-30 - numero);
    const QString dosis = QString::fromUtf8(linea.dosis);
    const bool emblistable = esTextoDeDosis(dosis);
    const double cantidad = emblistable ? 30 + (numero % 4) * 10 : 0;
    const qint64 id = dm.Anadir(
            QStringLiteral("SPD"),
            {{QStringLiteral("idPaciente"), idPaciente},
             {QStringLiteral("idMedicamento"), linea.medicamento},
             {QStringLiteral("Cantidad"), cantidad},
             {QStringLiteral("Inicio"), SqlFecha::valor(inicio)},
             {QStringLiteral("Fin"), SqlFecha::valor(numero % 5 == 4 ? hoy.addDays(60) : QDate())},
             {QStringLiteral("Dosis"), dosis},
             {QStringLiteral("DosisS1"), emblistable ? dosis : kNoEmblistable},
             {QStringLiteral("Medico"), medico},
             {QStringLiteral("DosisEtiqueta"), QString::fromUtf8(linea.etiqueta)},
             {QStringLiteral("SPDP"), emblistable ? QVariant() : QVariant(0)}});
    dm.Anadir(QStringLiteral("SPDHIST"),
              {{QStringLiteral("IdVersion"), 1},
               {QStringLiteral("ID"), id},
               {QStringLiteral("FechaActualizacion"), SqlFecha::valor(inicio)},
               {QStringLiteral("IDPaciente"), idPaciente},
               {QStringLiteral("IDMedicamento"), linea.medicamento},
               {QStringLiteral("Inicio"), SqlFecha::valor(inicio)},
               {QStringLiteral("Dosis"), dosis},
               {QStringLiteral("DosisEtiqueta"), QString::fromUtf8(linea.etiqueta)},
               {QStringLiteral("Medico"), medico},
               {QStringLiteral("username"), QString::fromLatin1(kFarmaceutico)},
               {QStringLiteral("IuCarga"), 0}});
    if (!emblistable)
        return;
    dm.Anadir(
            QStringLiteral("Inventario"),
            {{QStringLiteral("idPaciente"), idPaciente},
             {QStringLiteral("idMedicamento"), linea.medicamento},
             {QStringLiteral("IdMedicamentoReal"), linea.medicamento},
             {QStringLiteral("Lote"), QStringLiteral("L%1%2").arg(hoy.year() % 100).arg(1000 + numero * 37)},
             {QStringLiteral("Caducidad"),
              SqlFecha::valor(QDate(hoy.year() + 1 + numero % 2, 1 + numero % 12, 1))},
             {QStringLiteral("CantidadRestante"), cantidad},
             {QStringLiteral("FechaAsignacion"), SqlFecha::valor(inicio)},
             {QStringLiteral("TipoAsignacion"), 0}});
}

void anadirPacientes(TDM &dm, const QList<int> &categorias, const QStringList &medicos)
{
    const QDate hoy = Clock::today();
    const int numeroLineas = static_cast<int>(std::size(kLineas));
    int siguienteLinea = 0;
    for (int i = 0; i < static_cast<int>(std::size(kPacientes)); ++i) {
        const Paciente &p = kPacientes[i];
        const QString medico = medicos.at(i % medicos.size());
        const qint64 id = dm.Anadir(
                QStringLiteral("Paciente"),
                {{QStringLiteral("refPaciente"), QString::fromUtf8(p.ref)},
                 {QStringLiteral("DNI"), dni(p.dniNumero)},
                 {QStringLiteral("FechaNacimiento"),
                  SqlFecha::valor(QDate(p.anioNacimiento, 1 + i % 12, 1 + i * 2))},
                 {QStringLiteral("Varon"), p.varon ? 1 : 0},
                 {QStringLiteral("FechaAlta"), SqlFecha::valor(hoy.addDays(-90 - i))},
                 {QStringLiteral("Nombre"), QString::fromUtf8(p.nombre)},
                 {QStringLiteral("Direccion"), QStringLiteral("C/ MAYOR %1").arg(i + 1)},
                 {QStringLiteral("Telefono"), QString::fromLatin1(p.telefono)},
                 {QStringLiteral("MedicoNombre"), medico},
                 {QStringLiteral("AsistenciaDomiciliaria"), p.categoria == 0 ? 1 : 0},
                 {QStringLiteral("NumeroUltimaCargaRealizada"), 0},
                 {QStringLiteral("Iactivo"), 1},
                 {QStringLiteral("CodCategoria"), p.categoria == 0 ? 0 : categorias.at(p.categoria - 1)},
                 {QStringLiteral("IFotoBlis"), 0},
                 {QStringLiteral("IConInven"), i % 3 == 2 ? 0 : 1}});
        // Four to six lines each, so that every line of the list is used.
        const int lineas = 4 + i % 3;
        for (int n = 0; n < lineas; ++n) {
            anadirLinea(dm, id, kLineas[siguienteLinea % numeroLineas], medico, siguienteLinea);
            ++siguienteLinea;
        }
    }
}

} // namespace

bool EsDirectorioDemo(const IniFile &ini)
{
    return ini.readInteger(QStringLiteral("DEMO"), QStringLiteral("FARMACIA"), 0) == 1;
}

bool Preparar(TDM &dm, TPreferences &preferencias)
{
    const bool vacia = dm.Valor(QStringLiteral("SELECT count(*) FROM Paciente")).toInt() == 0
            && dm.Valor(QStringLiteral("SELECT count(*) FROM Usuario")).toInt() == 0;
    if (!vacia)
        return false;
    const QStringList medicos {QStringLiteral("DRA. ELENA CANO"), QStringLiteral("DR. PABLO REYES")};
    dm.EnTransaccion([&] {
        preferencias.ofNombre = QStringLiteral("FARMACIA DEMOSTRACION");
        preferencias.ofTitular = QStringLiteral("LDA. ROSA MARTIN");
        preferencias.ofTelefono = QStringLiteral("910000000");
        preferencias.ofDireccion = QStringLiteral("PLAZA MAYOR 1\r\n28001 MADRID");
        preferencias.Guardar();
        for (const QString &medico : medicos)
            preferencias.AnadirMedico(medico);
        anadirUsuario(dm, QStringLiteral("ROSA MARTIN"), kFarmaceutico, kClaveFarmaceutico, 1);
        anadirUsuario(dm, QStringLiteral("JAVIER LEON"), kAuxiliar, kClaveAuxiliar, 0);
        anadirMedicamentos(dm);
        anadirPacientes(dm, anadirCategorias(dm), medicos);
    });
    return true;
}

bool PrepararSiProcede(const IniFile &ini, bool pedida, TDM &dm, TPreferences &preferencias)
{
    return (pedida || EsDirectorioDemo(ini)) && Preparar(dm, preferencias);
}

} // namespace DemoPharmacy
