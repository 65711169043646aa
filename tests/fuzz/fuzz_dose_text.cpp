// Any text as a dose: splitting, expansion over a week and the portion built from it must never
// crash, hang or break the grid's shape (28 counts whose sum is the week's count).

#include "core/common/Clock.h"
#include "core/dosing/UDispenserTypes.h"
#include "core/dosing/UPosologia.h"
#include "core/dosing/URecarga.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {

void Verificar(bool condicion)
{
    if (!condicion)
        __builtin_trap();
}

void VerificarSemana(const TSemana &semana)
{
    Verificar(semana.Lista.endsWith(QLatin1Char(';')));
    const QStringList celdas = semana.Lista.chopped(1).split(QLatin1Char(';'));
    Verificar(celdas.size() == kCeldasSemana);
    qint64 suma = 0;
    for (const QString &celda : celdas) {
        bool ok = false;
        const int cuenta = celda.toInt(&ok);
        Verificar(ok && cuenta >= 0);
        suma += cuenta;
    }
    Verificar(suma == semana.Cuenta);

    TDosis dosis(kPorcionTercio);
    dosis.Disponible = 1.0;
    Verificar(dosis.AsignarLista(semana.Lista, false));
    Verificar(dosis.Carga == semana.Cuenta);
    dosis.VaciarActual();
    Verificar(dosis.ListaPendiente().count(QLatin1Char(';')) == kCeldasSemana - 1);
}

void Expandir(const QString &dosis, const QDate &inicio, const QDate &fin, const QDate &desde)
{
    const QDate hasta = desde.addDays(6);
    QString resto = dosis;
    const QString valores = CortarHasta(resto, QStringLiteral(":"));
    if (resto == QLatin1String("T")) {
        const TListasPorcion listas = DividirTabla(valores);
        for (const QString &lista : {listas.Enteros, listas.Medios, valores})
            VerificarSemana(ExpandirSemanaTabla(lista, inicio, fin, desde, hasta));
        return;
    }
    const TListasPorcion listas = DividirPauta(valores);
    for (const QString &fracciones : {listas.Medios, listas.Cuartos, listas.Tercios})
        Verificar(fracciones.count(QLatin1Char('-')) == kTomasDia - 1);
    for (const QString &lista : {listas.Enteros, listas.Cuartos, listas.Tercios})
        VerificarSemana(ExpandirSemanaPauta(lista + QLatin1Char(':') + resto, inicio, fin, desde, hasta));
    VerificarSemana(ExpandirSemanaPauta(dosis, inicio, fin, desde, hasta));
    for (int dia = 0; dia < 7; ++dia)
        TomaEnFecha(dosis, inicio, fin, desde, hasta, desde.addDays(dia));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t tamano)
{
    static const FixedClock reloj(QDate(2026, 5, 20));
    const QString dosis
            = QString::fromUtf8(reinterpret_cast<const char *>(datos), static_cast<qsizetype>(tamano));
    const QDate lunes(2026, 6, 1);
    Expandir(dosis, lunes, QDate(), lunes);
    Expandir(dosis, QDate(2025, 12, 31), QDate(2026, 6, 3), QDate(2026, 6, 4));
    Expandir(dosis, lunes.addDays(-int(tamano % 400)), QDate(), QDate(2026, 6, 29));
    Expandir(dosis, QDate(), QDate(), lunes);

    // Reading a dose's grammar never fails, whatever the text.
    DosisLegible(dosis);
    const QString texto = TextoPosologia(dosis);
    Verificar(texto.isEmpty() || texto.endsWith(QStringLiteral("\n\r")));
    FechaLocal(dosis);

    // The same text as a treatment line's dose, in and out of the blister: every portion built
    // is a week of 28 cells whose plan sums to its load, and never a negative quantity.
    for (const bool blister : {true, false}) {
        TFilaPlan fila;
        fila.SPD = blister;
        fila.Dosis = dosis;
        fila.DosisS1 = blister ? dosis : QStringLiteral("0-0-0-0:0");
        fila.Inicio = QDate(2026, 5, 31);
        fila.Cantidad = double(tamano % 50) / 3.0;
        TRecarga carga;
        ConstruirCarga(carga, {fila}, lunes, lunes.addDays(6));
        for (int i = 0; i < carga.Count(); ++i) {
            const TDosis &p = *carga.Linea(i);
            Verificar(p.Carga >= 0 && p.Plan.size() == kCeldasSemana && EsArrayVacio(p.Actual));
            if (blister)
                VerificarSemana({p.ListaSemana, p.Carga});
        }
    }

    TDosis porcion;
    if (porcion.AsignarLista(dosis, false))
        porcion.ListaPendiente();
    SumaLista(dosis);
    return 0;
}
