#include "core/loading/EtiquetaPrueba.h"

#include "core/i18n/ULenguaje.h"
#include "core/loading/TextosEtiqueta.h"
#include "core/settings/uPreferencias.h"

namespace {

TCabeceraEtiqueta Cabecera(const TPreferenciasValores &preferencias, const QByteArray &logo,
                           const QDateTime &ahora)
{
    TCabeceraEtiqueta cabecera;
    cabecera.Nombre = Traducir(QStringLiteral("STR_PACIENTE_PRUEBA"), QStringLiteral("PACIENTE DE PRUEBA"));
    cabecera.refPaciente = QStringLiteral("0000");
    cabecera.refRecarga = 1;
    cabecera.FechaRealizado = ahora;
    cabecera.FechaInicio = ahora.date();
    cabecera.FechaFin = ahora.date().addDays(6);
    cabecera.farmacia = preferencias.ofNombre;
    cabecera.telefonoFarmacia = preferencias.ofTelefono;
    cabecera.imagen = logo;
    cabecera.codigo = TextosEtiqueta::CodigoCarga(cabecera.idPaciente, cabecera.refRecarga);
    return cabecera;
}

} // namespace

TEtiquetaCarga EtiquetaDePrueba(const TPreferenciasValores &preferencias, const QByteArray &logo,
                                const QDateTime &ahora)
{
    TEtiquetaCarga etiqueta;
    etiqueta.cabecera = Cabecera(preferencias, logo, ahora);

    TFilaEtiqueta linea;
    linea.SPD = QStringLiteral("SI");
    linea.medicamento
            = Traducir(QStringLiteral("STR_MEDICAMENTO_PRUEBA"), QStringLiteral("MEDICAMENTO DE PRUEBA"));
    linea.descripcion = QStringLiteral("10 MG 30");
    linea.posologia = QStringLiteral("1-0-1-0");
    linea.lote = QStringLiteral("L0001");
    linea.caducidad = PiezasEtiqueta::Fecha(ahora.date().addYears(1));
    linea.idmedicamento = QStringLiteral("0");
    linea.DosisMaquina = QStringLiteral("1-0-1-0:D:D:1");
    linea.Cantidad = 14.0;

    TDatosEtiquetas &datos = etiqueta.datos;
    datos.existe = true;
    datos.ListaBlister << linea;
    datos.Leyenda << TFilaLeyenda {linea.idmedicamento, linea.medicamento, linea.descripcion,
                                   linea.caducidad,     linea.lote,        linea.Numref,
                                   linea.idmedicamento};

    // Morning and evening of every day: the first and third time slots.
    const TFilaCelda celda {0, linea.medicamento, linea.Numref, 1.0, linea.lote, linea.caducidad, 1};
    for (int dia = 0; dia < 7; ++dia) {
        etiqueta.celdas[dia * kTomasDia].append(celda);
        etiqueta.celdas[dia * kTomasDia + 2].append(celda);
    }
    return etiqueta;
}

bool FormatoConEtiquetaDePrueba(TFormatoEtiqueta formato)
{
    return formato == TFormatoEtiqueta::Base || formato == TFormatoEtiqueta::BaseCantidades
            || formato == TFormatoEtiqueta::Rotulada;
}
