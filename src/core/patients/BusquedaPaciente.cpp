#include "core/patients/BusquedaPaciente.h"

#include "core/data/uDM.h"

namespace {

// Patient cards carry the identifier in their first four digits.
constexpr qsizetype kDigitosIdEnTarjeta = 4;

bool Buscar(TDM &dm, const TIntentoBusqueda &intento)
{
    switch (intento.columna) {
    case TIntentoBusqueda::TColumna::Referencia:
        return dm.PacienteActivoPorReferencia(intento.valor);
    case TIntentoBusqueda::TColumna::Id:
        return dm.PacienteActivoPorId(intento.valor);
    case TIntentoBusqueda::TColumna::Telefono:
        return dm.PacienteActivoPorTelefono(intento.valor);
    case TIntentoBusqueda::TColumna::DNI:
        return dm.PacienteActivoPorDNI(intento.valor);
    }
    return false;
}

void SinPacienteActivo(TDM &dm)
{
    dm.PacienteActivo.reset();
    dm.idPacienteActivo = 0;
}

} // namespace

QList<TIntentoBusqueda> IntentosBusqueda(const QString &texto, TTipoTextoBusqueda tipo)
{
    using TColumna = TIntentoBusqueda::TColumna;
    switch (tipo) {
    case TTipoTextoBusqueda::Digitos: {
        QList<TIntentoBusqueda> intentos {{TColumna::Referencia, texto}, {TColumna::Id, texto}};
        if (texto.size() > kDigitosIdEnTarjeta)
            intentos.append({TColumna::Id, texto.left(kDigitosIdEnTarjeta)});
        return intentos;
    }
    case TTipoTextoBusqueda::NueveDigitos:
        return {{TColumna::Telefono, texto}};
    case TTipoTextoBusqueda::EAN8:
        return {{TColumna::Referencia, texto}, {TColumna::Id, texto.left(kDigitosIdEnTarjeta)}};
    case TTipoTextoBusqueda::DNI:
        // Stored identity numbers have no separators (and at most 9 characters).
        return {{TColumna::DNI, DNISinSeparadores(texto)}};
    case TTipoTextoBusqueda::Texto:
        return {{TColumna::Referencia, texto}, {TColumna::DNI, texto}};
    case TTipoTextoBusqueda::Vacio:
    case TTipoTextoBusqueda::EAN13:
        break;
    }
    return {};
}

TBusquedaPaciente BuscarPaciente(TDM &dm, const QString &texto, const QString &pais)
{
    SinPacienteActivo(dm);
    const QString limpio = LimpiarTextoBusqueda(texto);
    TBusquedaPaciente busqueda;
    for (const TIntentoBusqueda &intento : IntentosBusqueda(limpio, TipoTextoBusqueda(limpio, pais))) {
        if (Buscar(dm, intento))
            break;
    }
    if (!dm.PacienteActivo)
        return busqueda;
    if (dm.PacienteActivo->Iactivo == 0) {
        SinPacienteActivo(dm);
        busqueda.resultado = TBusquedaPaciente::TResultado::NoActivo;
        return busqueda;
    }
    busqueda.resultado = TBusquedaPaciente::TResultado::Encontrado;
    busqueda.refPaciente = dm.Valor(QStringLiteral("SELECT refPaciente FROM Paciente WHERE idPaciente = ?"),
                                    {dm.idPacienteActivo})
                                   .toString();
    return busqueda;
}
