// Every window and label sheet of the application, built in Spanish with capture mode on and then
// in each other language with the catalogue the application ships. A window fails when capture
// finds a text of it that the catalogue lacks (the failure lists the lines to translate), when
// it has no form line at all, or when a text it shows in another language is still the Spanish
// one, unless the word is the same in both languages or names a person, a place or a medicine.
#include "../../core/loading/CargaPrueba.h"
#include "core/common/Clock.h"
#include "core/dispenser/UDispenserTCP.h"
#include "core/i18n/LineaCatalogo.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/EtiquetasCarga.h"
#include "core/loading/GuardarCarga.h"
#include "core/loading/ValidacionCarga.h"
#include "core/patients/EntradaEditorTratamiento.h"
#include "core/settings/uPreferencias.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/audit/FAuditoria.h"
#include "ui/data/FDlgBackupRestaurar.h"
#include "ui/data/FDlgSelectNetwork.h"
#include "ui/dispenser/DlgActualizacionMaquina.h"
#include "ui/dispenser/FCambioVersionMaquina.h"
#include "ui/dispenser/FConfigurarRedMaquina.h"
#include "ui/dispenser/FParametrosMaquina.h"
#include "ui/i18n/FDlgSelectLanguaje.h"
#include "ui/i18n/FDlgTraducirConcepto.h"
#include "ui/i18n/FPantallaTraducciones.h"
#include "ui/i18n/TextosVentana.h"
#include "ui/loading/FCargas.h"
#include "ui/loading/FCategoriaCarga.h"
#include "ui/loading/FDlgBlisterManual.h"
#include "ui/loading/FDlgValCarga.h"
#include "ui/loading/FPacienteCarga.h"
#include "ui/masters/FCategorias.h"
#include "ui/masters/FDlgTabMaestras.h"
#include "ui/medication/FDlgMedicamentoEditar.h"
#include "ui/medication/FDlgPedirMedicamento.h"
#include "ui/medication/FMedicamentos.h"
#include "ui/patients/FCategoriaPacientes.h"
#include "ui/patients/FDlgReceta.h"
#include "ui/patients/FDlgSeleccionarInforme.h"
#include "ui/patients/FDlgTratamientoEditarV2.h"
#include "ui/patients/FFichaPaciente.h"
#include "ui/patients/FListados.h"
#include "ui/patients/FPacienteFicha.h"
#include "ui/patients/FPacienteTratamiento.h"
#include "ui/patients/FPacienteTratamientoHist.h"
#include "ui/patients/FPacientes.h"
#include "ui/reports/Fpreview.h"
#include "ui/settings/FPreferencias.h"
#include "ui/shell/FCategoria.h"
#include "ui/shell/FDlgNotasVersion.h"
#include "ui/shell/FDlgSelectFecha.h"
#include "ui/shell/FPaciente.h"
#include "ui/shell/FPrincipal.h"
#include "ui/shell/TDlgMensaje.h"
#include "ui/shell/TDlgQuestion.h"
#include "ui/stock/FCInventario.h"
#include "ui/stock/FCTrazabilidad.h"
#include "ui/stock/FCategoriaEntrega.h"
#include "ui/stock/FDlgIntroducirToma.h"
#include "ui/stock/FDlgInventarioMedicamento.h"
#include "ui/stock/FDlgModificarCantidad.h"
#include "ui/stock/FNecesidades.h"
#include "ui/stock/FPacienteEntrega.h"
#include "ui/stock/FPacienteRetorno.h"
#include "ui/users/FDlgCambiarClave.h"
#include "ui/users/FDlgLogin.h"
#include "ui/users/FDlgUsuario.h"
#include "ui/users/FUsuarios.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFile>
#include <QHeaderView>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QTableWidget>
#include <QTest>

#include <functional>
#include <memory>

using namespace CargaPrueba;

namespace {

constexpr qint64 kEnalapril = 700001;
constexpr qint64 kParche = 700003;
const QDate kLunes(2024, 5, 6);

// Everything the windows reach: a copy of the shipped catalogue (capture writes into it), a
// database with a pharmacist, a care home chosen as category, a patient of it whose treatment has a
// medication in the blister and one outside it, and a stored load of that patient; the machine link and the
// messages recorded.
struct Entorno
{
    FixedClock reloj {kLunes};
    TestDatabase db;
    TLenguaje lenguaje {CopiaDelCatalogo(db)};
    TDM dm {db.directory()};
    TPreferences preferencias {IniFile(db.directory().iniFile())};
    MensajesGrabados grabados;
    TDispenserTCP link {TConfiguracionRedDispensador::Local(0, 9)};
    int paciente = 0;
    qint64 carga = 0;

    Entorno()
    {
        dm.Usuario = TUsuario {1, QStringLiteral("rosa"), QStringLiteral("ROSA"), {}, true};
        dm.Ejecutar(QStringLiteral(
                "INSERT INTO TabMaestras (CodTab, Codigo, Descripcion) VALUES (0, 3, 'RESIDENCIA SOL')"));
        dm.Categoria = TCategoria {3, QStringLiteral("RESIDENCIA SOL")};
        paciente = CargaPrueba::paciente(dm);
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET MedicoNombre = 'DRA. RUIZ', CodCategoria = 3 "
                                   "WHERE idPaciente = ?"),
                    {paciente});
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        medicamento(dm, kParche, QStringLiteral("PARCHE"), QStringLiteral("5 MG"));
        dm.Ejecutar(QStringLiteral("UPDATE Medicamento SET SPD = 0 WHERE idMedicamento = ?"), {kParche});
        const int enalapril = tratamiento(dm, paciente, kEnalapril, 20);
        const int parche = tratamiento(dm, paciente, kParche, 0, QStringLiteral("0-0-0-1:D:D:1"));
        stock(dm, paciente, kEnalapril, 20);
        TRecarga recarga;
        recarga.Add(porcion(enalapril, kEnalapril, 1.0, 7, true, QStringLiteral("ENALAPRIL 10 MG")));
        recarga.Add(porcion(parche, kParche, 1.0, 0, false, QStringLiteral("PARCHE 5 MG")));
        carga = GuardarCarga(recarga, kLunes, kLunes.addDays(6));
        dm.PacienteActivoPorId(QString::number(paciente));
    }

    static QString CopiaDelCatalogo(TestDatabase &db)
    {
        QFile catalogo(QStringLiteral(PASTILLERO_SOURCE_DIR "/translations/pastillero.lng"));
        catalogo.open(QIODevice::ReadOnly);
        return db.appDirectory().write(QStringLiteral("pastillero.lng"), catalogo.readAll());
    }
};

// A text a window or a sheet shows, with where it shows it.
struct TTexto
{
    QString donde;
    QString texto;
};

// One build of a window or a label sheet: its form name and its texts in the order shown.
struct TVista
{
    QString formulario;
    QList<TTexto> textos;
};

void Agregar(QList<TTexto> &textos, const QString &donde, const QStringList &entradas,
             const std::function<bool(int)> &oculta = {})
{
    for (int i = 0; i < entradas.size(); ++i) {
        if (!oculta || !oculta(i))
            textos.append({donde + QLatin1Char('#') + QString::number(i), entradas.at(i)});
    }
}

// The cells and the row headings of a grid: texts the window writes itself ("SI", slot names).
void AgregarCeldas(QList<TTexto> &textos, const QString &donde, const QTableWidget &rejilla)
{
    for (int fila = 0; fila < rejilla.rowCount(); ++fila) {
        if (const QTableWidgetItem *titulo = rejilla.verticalHeaderItem(fila);
            titulo && rejilla.verticalHeader()->isVisible())
            textos.append({donde + QStringLiteral(".fila") + QString::number(fila), titulo->text()});
        for (int columna = 0; columna < rejilla.columnCount(); ++columna) {
            const QTableWidgetItem *celda = rejilla.item(fila, columna);
            if (celda && !rejilla.isColumnHidden(columna))
                textos.append({donde + QStringLiteral(".celda"), celda->text()});
        }
    }
}

// The toolkit's own parts of a widget (a calendar's month names follow the system's locale).
bool DelToolkit(const QObject &objeto)
{
    for (const QObject *o = &objeto; o; o = o->parent()) {
        if (o->objectName().startsWith(QLatin1String("qt_")) || qobject_cast<const QCalendarWidget *>(o))
            return true;
    }
    return false;
}

// Every translatable text of the window and of every widget and action in it, named or not.
QList<TTexto> TextosDe(QWidget &ventana)
{
    QList<TTexto> textos;
    QList<QObject *> objetos {&ventana};
    for (QObject *hijo : ventana.findChildren<QObject *>()) {
        if ((hijo->isWidgetType() || qobject_cast<QAction *>(hijo)) && !DelToolkit(*hijo))
            objetos.append(hijo);
    }
    for (QObject *objeto : std::as_const(objetos)) {
        const QString nombre = objeto->objectName().isEmpty()
                ? QString::fromLatin1(objeto->metaObject()->className())
                : objeto->objectName();
        const auto *rejilla = qobject_cast<const QTableWidget *>(objeto);
        for (const TextosVentana::TPropiedad &propiedad :
             TextosVentana::Propiedades(*objeto, objeto == &ventana)) {
            const QString texto = TextosVentana::Leer(*objeto, propiedad.Nombre);
            const QString donde = nombre + QLatin1Char('.') + propiedad.Nombre;
            if (!propiedad.Lista)
                textos.append({donde, texto});
            else if (!texto.isEmpty())
                Agregar(textos, donde, texto.split(QLatin1Char('#')), [rejilla, &propiedad](int columna) {
                    return rejilla && propiedad.Nombre == QLatin1String("headers")
                            && rejilla->isColumnHidden(columna);
                });
        }
        if (rejilla)
            AgregarCeldas(textos, nombre, *rejilla);
    }
    return textos;
}

TVista Mostrar(std::unique_ptr<QWidget> ventana)
{
    ventana->show();
    QTest::qWait(0);
    return {ventana->objectName(), TextosDe(*ventana)};
}

template<typename T, typename... Argumentos>
std::function<TVista(Entorno &)> Ventana(Argumentos... argumentos)
{
    return [=](Entorno &) { return Mostrar(std::make_unique<T>(argumentos...)); };
}

// The texts a label sheet prints, in the layout given.
std::function<TVista(Entorno &)> Etiqueta(TFormatoEtiqueta formato, const char *formulario)
{
    return [=](Entorno &e) {
        const TEtiquetaCarga etiqueta = LeerEtiquetaCarga(e.carga);
        const TReportDocument informe = InformeEtiquetas(etiqueta, formato, OpcionesEtiqueta(etiqueta));
        TVista vista {QString::fromLatin1(formulario), {}};
        for (const ReportBand &banda : informe.bands) {
            for (const ReportElement &elemento : banda.elements) {
                if (elemento.kind == ReportElement::Kind::Text)
                    vista.textos.append({QStringLiteral("etiqueta"), elemento.text});
            }
        }
        return vista;
    };
}

// A window or a label sheet of the application and how the test builds it.
struct TVentanaPrueba
{
    const char *nombre;
    std::function<TVista(Entorno &)> construir;
};

const QList<TVentanaPrueba> &Ventanas()
{
    static const QList<TVentanaPrueba> ventanas = {
            {"DlgLogin", Ventana<TDlgLogin>()},
            {"DlgSelectLanguaje", Ventana<TDlgSelectLanguaje>()},
            {"FPantallaTraducciones",
             [](Entorno &) {
                 QWidget editada;
                 editada.setObjectName(QStringLiteral("FormMain"));
                 TVista vista = Mostrar(std::make_unique<TFPantallaTraducciones>(editada, 1));
                 // The screen selector lists the form names of the catalogue: data.
                 vista.textos.removeIf(
                         [](const TTexto &t) { return t.donde.startsWith(QLatin1String("cbPantallas.")); });
                 return vista;
             }},
            {"FormFDlgTraducirConcepto",
             Ventana<TFormFDlgTraducirConcepto>(TFilaTraduccion {}, 1, true,
                                                TFormFDlgTraducirConcepto::Guardar())},
            {"FormMain", Ventana<TFormMain>()},
            {"FormPaciente", Ventana<TFormPaciente>()},
            {"FormCategoria", Ventana<TFormCategoria>()},
            {"DlgMensaje",
             Ventana<TDlgMensaje>(PresentadorMensajes::TTipo::Confirmar, QStringLiteral("?"), 0)},
            {"DlgQuestion", Ventana<TDlgQuestion>(QStringLiteral("?"), std::function<void()>())},
            {"DlgSelectFecha", Ventana<TDlgSelectFecha>(QStringLiteral("?"), QStringLiteral("?"), false)},
            {"DlgNotasVersion", Ventana<TDlgNotasVersion>(QString(), QStringList())},
            {"DlgActualizacionMaquina", Ventana<TDlgActualizacionMaquina>()},
            {"FormCambioVersionMaquina",
             Ventana<TFormCambioVersionMaquina>(QStringLiteral("1.2"),
                                                std::function<bool()>([] { return true; }))},
            {"FormPreview", Ventana<TFormPreview>(TReportDocument {})},
            {"DlgBackupRestaurar", Ventana<TDlgBackupRestaurar>()},
            {"DlgSelectNetwork",
             [](Entorno &e) { return Mostrar(std::make_unique<TDlgSelectNetwork>(e.db.directory())); }},
            {"FormPreferencias", Ventana<TFormPreferencias>()},
            {"DlgParametrosMaquina", Ventana<TDlgParametrosMaquina>(TParametrosMaquina {})},
            {"DlgConfigurarRedMaquina", Ventana<TDlgConfigurarRedMaquina>(TRedMaquina {})},
            {"FormUsuarios", Ventana<TFormUsuarios>()},
            {"DlgUsuario", Ventana<TDlgUsuario>()},
            {"DlgCambiarClave", Ventana<TDlgCambiarClave>(1)},
            {"FormCategorias", Ventana<TFormCategorias>()},
            {"DlgTabMaestras", Ventana<TDlgTabMaestras>(TDM::kListaCategorias, std::nullopt)},
            {"FormPacientes", Ventana<TFormPacientes>()},
            {"FormPacienteFicha", Ventana<TFormPacienteFicha>(qint64(0))},
            {"FormFichaPaciente", Ventana<TFormFichaPaciente>()},
            {"FormPacienteTratamiento", Ventana<TFormPacienteTratamiento>()},
            {"FormPacienteTratamientoHist", Ventana<TFormPacienteTratamientoHist>()},
            {"DlgTratamientoEditarv2", Ventana<TDlgTratamientoEditarv2>(TEntradaEditorTratamiento {})},
            {"DlgReceta", Ventana<TDlgReceta>()},
            {"DlgSeleccionarInforme", Ventana<TDlgSeleccionarInforme>()},
            {"FormCategoriaPacientes", Ventana<TFormCategoriaPacientes>()},
            {"FormMedicamentos", Ventana<TFormMedicamentos>()},
            {"DlgMedicamentoEditar", Ventana<TDlgMedicamentoEditar>(qint64(0))},
            {"DlgPedirMedicamento", Ventana<TDlgPedirMedicamento>(kEnalapril)},
            {"FormPacienteCarga",
             [](Entorno &) {
                 auto pantalla = std::make_unique<TFormPacienteCarga>();
                 pantalla->show();
                 pantalla->AbrirCargaPaciente();
                 return Mostrar(std::move(pantalla));
             }},
            {"FormCategoriaCarga", Ventana<TFormCategoriaCarga>()},
            {"FormCargas", Ventana<TFormCargas>()},
            {"FormAuditoria", Ventana<TFormAuditoria>()},
            {"DlgValCarga",
             [](Entorno &e) { return Mostrar(std::make_unique<TDlgValCarga>(TValidacionCarga(e.carga))); }},
            {"DlgBlisterManual", Ventana<TDlgBlisterManual>(TBlisterManual {})},
            {"DlgBlisterManualRedondo",
             [](Entorno &) {
                 TBlisterManual redondo;
                 redondo.tipoBlister = 0;
                 return Mostrar(std::make_unique<TDlgBlisterManual>(redondo));
             }},
            {"FormCInventario", Ventana<TFormCInventario>()},
            {"FormCTrazabilidad", Ventana<TFormCTrazabilidad>()},
            {"DlgInventarioMedicamento",
             [](Entorno &e) {
                 return Mostrar(std::make_unique<TDlgInventarioMedicamento>(e.paciente, kEnalapril));
             }},
            {"DlgModificarCantidad", Ventana<TDlgModificarCantidad>(1.0)},
            {"DlgIntroducirToma", Ventana<TDlgIntroducirToma>()},
            {"FormNecesidades", Ventana<TFormNecesidades>()},
            {"FormListados", Ventana<TFormListados>()},
            {"FormPacienteEntrega", Ventana<TFormPacienteEntrega>()},
            {"FormCategoriaEntrega", Ventana<TFormCategoriaEntrega>()},
            {"FormPacienteRetorno", Ventana<TFormPacienteRetorno>()},
            {"QREtiquetasForm", Etiqueta(TFormatoEtiqueta::Base, "QREtiquetasForm")},
            {"QREtiquetasForm_002", Etiqueta(TFormatoEtiqueta::BaseCantidades, "QREtiquetasForm")},
            {"QREtiquetasFormLBm1", Etiqueta(TFormatoEtiqueta::Rotulada, "QREtiquetasFormLBm1")},
            {"QREtiquetasFormCompleto", Etiqueta(TFormatoEtiqueta::Completo, "QREtiquetasFormLBm1")},
    };
    return ventanas;
}

// The texts of a list written with "|" between them.
QSet<QString> Conjunto(const char *textos)
{
    const QStringList lista = QString::fromUtf8(textos).split(QLatin1Char('|'));
    return {lista.cbegin(), lista.cend()};
}

// Words of data, the same in every language: the fixture's people, medicines and their looks,
// lots and codes; the product's name and version; the month names the locale writes in dates; the
// names of the languages and countries, each in its own language; units.
const QSet<QString> kPalabrasDeDatos
        = Conjunto("ANA|PEREZ|REF|DRA|RUIZ|ROSA|RESIDENCIA|SOL|ENALAPRIL|PARCHE|MG|COM|REDONDO|BLANCO|L|D|"
                   "Pastillero|Kelvo"
                   "|Version|Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec|Castellano|Português|Française"
                   "|English|Italiano|España|Portugal|France|United|Kingdom|Italia|Slovenia|ºC|Excel");

// Texts written alike in Spanish and in every other language.
const QSet<QString> kIguales = Conjunto("SPD|E-MAIL|ID|ID :|DNS|DNS :");

// Texts written alike in Spanish and in one other language: Portuguese, French, English, Italian.
const QHash<int, QSet<QString>> kIgualesPorIdioma = {
        {1,
         Conjunto("ABRIR|AJUSTAR|ALERGIAS|AUDITORIA|AUXILIAR|AVISO|AZUL|BLISTER MANUAL"
                  "|BLISTER MANUAL REDONDO|CADA|CALCULAR|CANCELAR|CARGA|Carga|CARGAS"
                  "|CARGAS ANTERIORES|CATEGORIA|CATEGORIAS|COMPRIMIDO|COMPRIMIDOS|CONSULTA|CONSULTAS"
                  "|CONTACTO MÉDICO|CONTINUAR|CÁPSULA|dd/mm/aaaa|DE CADA|DE DESCANSO|DIA|DIAS"
                  "|DIAS DE TOMA|DISPENSAR|DOCUMENTOS|DOM|DOMINGO|EDITAR|ENTREGA|Entrega Blister"
                  "|ENTREGAR|ENTREGAR TODOS|ESTADO|Estado|ETIQUETAS|EXPORTAR|Falta|FALTAS|FICHA"
                  "|FILTRAR|FORMA|FOTO|GRANDE|GUARDAR|GUARDAR CARGA|IDENTIFICADOR|IMPORTAR"
                  "|IMPRIMIR|IMPRIMIR STOCK|LOTE|MEDICAMENTO|Medicamento|MEDICAMENTOS|MESES"
                  "|MODIFICAR|MOTIVO|MÉDICO:|NOTAS|Nº BLISTER|Nº BLISTER :|OCTOGONAL|PACIENTE"
                  "|PACIENTE :|PACIENTES|PERFIL|POR CADA|POSOLOGIA|Posologia|POSOLOGIA ETIQUETAS"
                  "|PREPARADO :|PREPARADO POR|PREPARADOR|PVP|REALIZADO|REDONDA|REF. BLISTER Kelvo"
                  "|REPETIR CADA|RESTAURAR|RESULTADO|SEGUNDO|SEMANAL|Semanas|SERVIDOR|SEXO|SISTEMA|SIT. "
                  "ENTREGA"
                  "|TEL :|TEMPERATURA|Temperatura|TODAS|Gateway|GATEWAY :"
                  "|TODOS|Todos|UTILIDADES|VALIDADO :|VALIDADO POR|VALIDADO POR :|VALIDAR"
                  "|Ver medicamentos|Aplicar|Cancelar|ITALIANO")},
        {2, Conjunto("FIN|FIN :|LUN|MAR|Nº BLISTER|Nº BLISTER :|VERSION")},
        {3,
         Conjunto("CONTINUE|COUNTRY|LANGUAGE|LOGIN|NO|No|SELECT LANGUAGE - COUNTRY|TEL :|VERSION"
                  "|Dispenser Parameters|ADC Sensor|Gateway|GATEWAY :|MASK :|EXIT")},
        {4,
         Conjunto("CATEGORIA|CENA|DOM|FARMACIA|FARMACIA :|FORMA|FOTO|GRANDE|INVENTARIO|Inventario|LUN|MAR"
                  "|MEDICO|MEDICO :|MOTIVO|NO|No|POSOLOGIA|Posologia|SAB|SISTEMA|TEL :|TELEFONO|TELEFONO :"
                  "|TEMPERATURA|Temperatura|ULTIMO|Gateway|GATEWAY :|ITALIANO")},
};

// A text with a word that is not data, unless the language writes it as Spanish does.
bool PideTraduccion(const QString &texto, int idioma)
{
    const QString limpio = texto.trimmed();
    if (kIguales.contains(limpio) || kIgualesPorIdioma.value(idioma).contains(limpio))
        return false;
    static const QRegularExpression palabra(QStringLiteral("\\p{L}+"));
    for (auto palabras = palabra.globalMatch(limpio); palabras.hasNext();) {
        if (!kPalabrasDeDatos.contains(palabras.next().captured()))
            return true;
    }
    return false;
}

// The lines capture added, as the catalogue entries to translate ({key: Spanish text}).
QString LineasNuevas(const QStringList &antes, const QStringList &despues)
{
    QJsonObject nuevas;
    for (const QString &linea : despues) {
        if (!antes.contains(linea))
            nuevas.insert(LineaCatalogo::Clave(linea), LineaCatalogo::TextoDeIdioma(linea, 0));
    }
    return nuevas.isEmpty() ? QString()
                            : QString::fromUtf8(QJsonDocument(nuevas).toJson(QJsonDocument::Compact));
}

} // namespace

class TestVentanasIdiomas : public QObject
{
    Q_OBJECT

private slots:
    void cadaVentanaEnCadaIdioma_data()
    {
        QTest::addColumn<int>("ventana");
        for (int i = 0; i < Ventanas().size(); ++i)
            QTest::newRow(Ventanas().at(i).nombre) << i;
    }

    void cadaVentanaEnCadaIdioma()
    {
        QFETCH(int, ventana);
        const TVentanaPrueba &prueba = Ventanas().at(ventana);
        Entorno e;
        e.lenguaje.SetModoDesarrollo(true);
        e.lenguaje.SetModoCaptura(true);
        const QStringList antes = e.lenguaje.Lineas();
        const TVista espanol = prueba.construir(e);
        const QString nuevas = LineasNuevas(antes, e.lenguaje.Lineas());
        if (!nuevas.isEmpty())
            qInfo().noquote() << "lines missing from the catalogue:" << nuevas;
        QVERIFY2(nuevas.isEmpty(), "capture found texts the catalogue lacks");
        QVERIFY2(!e.lenguaje.TextosDeVentana(espanol.formulario).isEmpty(), "the window has no form line");
        e.lenguaje.SetModoCaptura(false);

        QStringList enEspanol;
        for (int idioma = 1; idioma < LineaCatalogo::kIdiomas; ++idioma) {
            e.lenguaje.SetIdioma(idioma);
            const TVista traducida = prueba.construir(e);
            QCOMPARE(traducida.textos.size(), espanol.textos.size());
            for (int i = 0; i < espanol.textos.size(); ++i) {
                const QString &texto = traducida.textos.at(i).texto;
                if (texto == espanol.textos.at(i).texto && PideTraduccion(texto, idioma))
                    enEspanol << QStringLiteral("%1 %2: %3")
                                         .arg(idioma)
                                         .arg(traducida.textos.at(i).donde, texto);
            }
        }
        if (!enEspanol.isEmpty())
            qInfo().noquote() << "still in Spanish:\n" << enEspanol.join(QStringLiteral("\n"));
        QVERIFY2(enEspanol.isEmpty(), "texts left in Spanish");
    }
};

QTEST_MAIN(TestVentanasIdiomas)
#include "test_ventanas_idiomas.moc"
