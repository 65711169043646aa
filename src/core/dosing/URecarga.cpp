#include "core/dosing/URecarga.h"

#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"

namespace {

// One portion size of a plan row: its split list read for expansion and whether the line's
// stock is first set aside for it.
struct TPorcionFila
{
    TDosisLeida dosis;
    double tamano;
    bool cubierta;
    QLatin1String prefijo;
};

bool EsPorcionVacia(const QString &lista, bool tabla)
{
    return tabla ? SumaLista(lista) == 0 : lista == kListaPautaVacia;
}

void AsignarAspecto(const TFilaPlan &fila, TDosis &porcion)
{
    const QString aspecto = QLatin1Char(' ') + fila.Forma + QLatin1Char(' ') + fila.Color;
    if (fila.Comprimido) {
        porcion.Aspecto = Traducir(QStringLiteral("STR_COMPRIMIDO"), QStringLiteral("COMPRIMIDO")) + aspecto;
        porcion.AspectoCorto = Traducir(QStringLiteral("STR_COMPRIMIDO_C"), QStringLiteral("COM")) + aspecto;
    } else {
        porcion.Aspecto = Traducir(QStringLiteral("STR_CAPSULA"), QStringLiteral("CAPSULA")) + aspecto;
        porcion.AspectoCorto = Traducir(QStringLiteral("STR_CAPSULA_C"), QStringLiteral("CAP")) + aspecto;
    }
}

// A portion of a plan row with the row's texts, before its week and stock are set.
std::unique_ptr<TDosis> PorcionConTextos(const TFilaPlan &fila, double tamano)
{
    auto porcion = std::make_unique<TDosis>(tamano);
    porcion->IdLinea = fila.id;
    porcion->IdMedicamento = fila.idMedicamento;
    porcion->EsSPD = fila.SPDP ? *fila.SPDP == 1 : fila.SPD;
    porcion->Lote = fila.Lote.value_or(QStringLiteral("******"));
    porcion->Caducidad = TextoFecha(fila.Caducidad);
    porcion->Medico = fila.Medico;
    porcion->Nombre = NombreLinea(fila);
    porcion->Estado = EstadoDosis::kNuevo;
    porcion->Dosis = fila.Dosis;
    porcion->DosisEtiqueta = fila.DosisEtiqueta.value_or(fila.Dosis);
    AsignarAspecto(fila, *porcion);
    return porcion;
}

// A portion that is listed but not placed: `cuenta` 0 (given apart) or -1 (never expanded).
void MarcarSinColocar(TDosis &porcion, int cuenta)
{
    porcion.Carga = cuenta;
    porcion.Cargadas = cuenta;
    porcion.ActualizarEstado();
}

// One portion of a plan row: its texts from the row, its week and its stock. Returns nothing
// for a blister portion with nothing to place. `cantidad` is the line's remaining stock in
// hundredths, reduced by what the portion takes.
std::unique_ptr<TDosis> CrearPorcion(const TFilaPlan &fila, const TPorcionFila &tipo, qint64 &cantidad,
                                     const TVentanaDosis &ventana)
{
    auto porcion = PorcionConTextos(fila, tipo.tamano);
    bool enBlister = porcion->EsSPD;
    int cuenta = 0;
    if (porcion->EsSPD && fila.Dosis != fila.DosisS1 && fila.DosisS1 == kDosisNoBlister) {
        // Entered as not going into the blister; its medication now does: listed, not expanded.
        porcion->Dosis = kDosisEmblistable;
        cuenta = -1;
        enBlister = false;
    }

    const qint64 centesimasPorUnidad = EnCentesimas(tipo.tamano);
    if (enBlister) {
        const TSemanaCeldas semana = ExpandirSemana(tipo.dosis, ventana);
        cuenta = semana.Cuenta;
        porcion->ListaSemana = TextoSemana(semana);
        porcion->Disponible = (tipo.cubierta ? cuenta * centesimasPorUnidad : cantidad) / 100.0;
        porcion->AsignarPlan(semana.Celdas);
    } else {
        MarcarSinColocar(*porcion, cuenta);
    }
    porcion->VaciarActual();

    if (enBlister && porcion->Carga <= 0)
        return nullptr;
    if (!porcion->SinExpandir())
        cantidad -= cuenta * centesimasPorUnidad;
    porcion->Nombre.prepend(tipo.prefijo);
    return porcion;
}

// The portions of a row in building order: thirds, quarters, halves, wholes; empty ones left out.
QList<TPorcionFila> PorcionesDeFila(const TFilaPlan &fila)
{
    QString regla = fila.Dosis;
    const QString valores = CortarHasta(regla, QStringLiteral(":"));
    const bool tabla = regla == QLatin1String("T");
    const TListasPorcion listas = tabla ? DividirTabla(valores) : DividirPauta(valores);
    const bool hayEnteros = !EsPorcionVacia(listas.Enteros, tabla);
    const bool hayMedios = !EsPorcionVacia(listas.Medios, tabla);
    // A split list holds the four values of its size; the rule is the line's, read once.
    const TReglaPauta reglaLeida = tabla ? TReglaPauta {} : LeerReglaPauta(regla);
    const auto porcion = [&](const QString &lista, double tamano, bool cubierta, QLatin1String prefijo) {
        TDosisLeida leida = tabla ? LeerDosisTabla(lista) : LeerDosisPauta(lista);
        leida.Regla = reglaLeida;
        return TPorcionFila {leida, tamano, cubierta, prefijo};
    };

    QList<TPorcionFila> porciones;
    if (!EsPorcionVacia(listas.Tercios, tabla))
        porciones << porcion(listas.Tercios, kPorcionTercio, hayEnteros, QLatin1String("(1/3) "));
    if (!EsPorcionVacia(listas.Cuartos, tabla))
        porciones << porcion(listas.Cuartos, kPorcionCuarto, hayMedios || hayEnteros,
                             QLatin1String("(1/4) "));
    if (hayMedios)
        porciones << porcion(listas.Medios, kPorcionMedia, hayEnteros, QLatin1String("(1/2) "));
    if (hayEnteros)
        porciones << porcion(listas.Enteros, kPorcionEntera, false, QLatin1String());
    return porciones;
}

} // namespace

QString NombreLinea(const TFilaPlan &fila)
{
    return fila.DescUsuario.isEmpty() ? fila.Medicamento + QLatin1Char(' ') + fila.Descripcion
                                      : fila.DescUsuario;
}

void TRecarga::Vaciar()
{
    m_lineas.clear();
    SinDosis.clear();
    SinPorcion.clear();
}

TDosis *TRecarga::Linea(int indice) const
{
    return indice >= 0 && indice < Count() ? m_lineas[static_cast<size_t>(indice)].get() : nullptr;
}

void TRecarga::Add(std::unique_ptr<TDosis> porcion)
{
    m_lineas.push_back(std::move(porcion));
}

int TRecarga::PrimeraPendiente() const
{
    for (int i = 0; i < Count(); ++i) {
        if (m_lineas[static_cast<size_t>(i)]->Estado != EstadoDosis::kCompletado)
            return i;
    }
    return -1;
}

TDosis *TRecarga::Siguiente()
{
    TDosis *porcion = Linea(PrimeraPendiente());
    if (!porcion)
        return nullptr;
    Estado = EstadoDosis::kCargando;
    porcion->Estado = EstadoDosis::kCargando;
    return porcion;
}

void TRecarga::Reiniciar()
{
    for (const auto &porcion : m_lineas) {
        porcion->Reiniciar();
        porcion->Estado = EstadoDosis::kReiniciado;
    }
    Estado = EstadoDosis::kReiniciado;
}

void ConstruirCarga(TRecarga &carga, const std::vector<TFilaPlan> &filas, const QDate &desde,
                    const QDate &hasta)
{
    carga.Vaciar();
    for (const TFilaPlan &fila : filas) {
        qint64 cantidad = EnCentesimas(fila.Cantidad);
        const QList<TPorcionFila> porciones = PorcionesDeFila(fila);
        const TVentanaDosis ventana {fila.Inicio, FinEfectivo(fila.Fin), desde, hasta};
        const bool enBlister = fila.SPDP ? *fila.SPDP == 1 : fila.SPD;
        const bool emblistable = fila.Dosis != fila.DosisS1 && fila.DosisS1 == kDosisNoBlister;
        const bool sinDosis = enBlister && !emblistable && (porciones.isEmpty() || !DosisLegible(fila.Dosis));
        if (sinDosis)
            carga.SinDosis << NombreLinea(fila);
        if (sinDosis || porciones.isEmpty()) {
            const auto linea = PorcionConTextos(fila, kPorcionEntera);
            MarcarSinColocar(*linea, -1);
            carga.SinPorcion << *linea;
        }
        for (const TPorcionFila &tipo : porciones) {
            if (auto porcion = CrearPorcion(fila, tipo, cantidad, ventana))
                carga.Add(std::move(porcion));
        }
    }
}
