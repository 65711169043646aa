#pragma once

#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"

// The catalogue switched to one language before anything else is built.
struct IdiomaDePrueba
{
    explicit IdiomaDePrueba(int idioma)
        : lenguaje {QStringLiteral(PASTILLERO_SOURCE_DIR "/translations/pastillero.lng")}
    {
        lenguaje.SetIdioma(idioma);
    }
    TLenguaje lenguaje;
};

// A screen's surroundings in one of the five languages: the catalogue in that language, a fresh
// database with its data module and preferences, and the messages recorded instead of shown.
struct EntornoIdioma
{
    explicit EntornoIdioma(int idioma)
        : idioma(idioma)
    { }
    IdiomaDePrueba idioma;
    TestDatabase db;
    TDM dm {db.directory()};
    TPreferences preferencias {IniFile(db.directory().iniFile())};
    MensajesGrabados grabados;
};
