#include "core/dosing/URecarga.h"

#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"

#include <array>

namespace {

bool EsPorcionVacia(const QString &lista, bool tabla)
{
    return tabla ? SumaLista(lista) == 0 : lista == kListaPautaVacia;
}

QString Aspecto(const TFilaPlan &fila, TDosis &porcion)
{
    const QString aspecto = fila.Forma + QLatin1Char(' ') + fila.Color;
    if (fila.Comprimido) {
        porcion.AspectoCorto = Traducir(QStringLiteral("STR_COMPRIMIDO_C"), QStringLiteral("COM"))
                + QLatin1Char(' ') + aspecto;
        return Traducir(QStringLiteral("STR_COMPRIMIDO"), QStringLiteral("COMPRIMIDO")) + QLatin1Char(' ')
                + aspecto;
    }
    porcion.AspectoCorto
            = Traducir(QStringLiteral("STR_CAPSULA_C"), QStringLiteral("CAP")) + QLatin1Char(' ') + aspecto;
    return Traducir(QStringLiteral("STR_CAPSULA"), QStringLiteral("CAPSULA")) + QLatin1Char(' ') + aspecto;
}

// One portion of a plan row: its texts from the row, its week expanded from `dosisPorcion` (a
// split list of a weekly table, or a split list with its rule) and its stock. Returns nothing
// for a blister portion with nothing to place. `cantidad` is the line's remaining stock in
// hundredths, reduced by what the portion takes.
std::unique_ptr<TDosis> CrearPorcion(const TFilaPlan &fila, const QString &dosisPorcion, bool tabla,
                                     double tamano, bool cubierta, qint64 &cantidad, const QDate &desde,
                                     const QDate &hasta)
{
    auto porcion = std::make_unique<TDosis>(tamano);
    porcion->IdLinea = fila.id;
    porcion->IdMedicamento = fila.idMedicamento;
    porcion->EsSPD = fila.SPDP ? *fila.SPDP == 1 : fila.SPD;
    porcion->Lote = fila.Lote.value_or(QStringLiteral("******"));
    porcion->Caducidad = TextoFecha(fila.Caducidad);
    porcion->Medico = fila.Medico;
    porcion->Nombre = fila.DescUsuario.isEmpty() ? fila.Medicamento + QLatin1Char(' ') + fila.Descripcion
                                                 : fila.DescUsuario;
    porcion->Estado = EstadoDosis::kNuevo;
    porcion->Dosis = fila.Dosis;
    porcion->DosisEtiqueta = fila.DosisEtiqueta.value_or(fila.Dosis);
    porcion->Aspecto = Aspecto(fila, *porcion);

    bool enBlister = porcion->EsSPD;
    int cuenta = 0;
    if (porcion->EsSPD && fila.Dosis != fila.DosisS1 && fila.DosisS1 == kDosisNoBlister) {
        // Entered as not going into the blister; its medication now does: listed, not expanded.
        porcion->Dosis = kDosisEmblistable;
        cuenta = -1;
        enBlister = false;
    }

    const qint64 centesimasPorUnidad = EnCentesimas(tamano);
    if (enBlister) {
        const TSemana semana = tabla ? ExpandirSemanaTabla(dosisPorcion, fila.Inicio, fila.Fin, desde, hasta)
                                     : ExpandirSemanaPauta(dosisPorcion, fila.Inicio, fila.Fin, desde, hasta);
        cuenta = semana.Cuenta;
        porcion->ListaSemana = semana.Lista;
        porcion->Disponible = (cubierta ? cuenta * centesimasPorUnidad : cantidad) / 100.0;
        [[maybe_unused]] const bool leida = porcion->AsignarLista(semana.Lista, false);
        Q_ASSERT(leida); // an expanded week is always 28 counts
    } else {
        porcion->Carga = cuenta;
        porcion->Cargadas = cuenta;
        porcion->ActualizarEstado();
    }
    porcion->VaciarActual();

    if (enBlister && porcion->Carga <= 0)
        return nullptr;
    if (!porcion->SinExpandir())
        cantidad -= cuenta * centesimasPorUnidad;
    return porcion;
}

} // namespace

void TRecarga::Vaciar()
{
    m_lineas.clear();
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
        QString regla = fila.Dosis;
        const QString valores = CortarHasta(regla, QStringLiteral(":"));
        const bool tabla = regla == QLatin1String("T");
        const TListasPorcion listas = tabla ? DividirTabla(valores) : DividirPauta(valores);
        const bool hayEnteros = !EsPorcionVacia(listas.Enteros, tabla);
        const bool hayMedios = !EsPorcionVacia(listas.Medios, tabla);

        struct TPorcionFila
        {
            const QString &lista;
            double tamano;
            bool cubierta;
            QLatin1String prefijo;
        };
        const std::array<TPorcionFila, 4> porciones = {{
                {listas.Tercios, kPorcionTercio, hayEnteros, QLatin1String("(1/3) ")},
                {listas.Cuartos, kPorcionCuarto, hayMedios || hayEnteros, QLatin1String("(1/4) ")},
                {listas.Medios, kPorcionMedia, hayEnteros, QLatin1String("(1/2) ")},
                {listas.Enteros, kPorcionEntera, false, QLatin1String()},
        }};
        for (const TPorcionFila &p : porciones) {
            if (EsPorcionVacia(p.lista, tabla))
                continue;
            const QString dosis = tabla ? p.lista : p.lista + QLatin1Char(':') + regla;
            auto porcion = CrearPorcion(fila, dosis, tabla, p.tamano, p.cubierta, cantidad, desde, hasta);
            if (!porcion)
                continue;
            porcion->Nombre.prepend(p.prefijo);
            carga.Add(std::move(porcion));
        }
    }
}
