#pragma once

#include <QString>
#include <QtGlobal>

// The records the dispenser machine reports, as the link keeps them and as the protocol
// decoder hands them over. Each answer is decoded whole into one of these before the link
// stores anything, so a malformed answer never leaves half of its values behind.

// The machine's network settings ("answerip", and the tail of "answerconfig").
struct TRedMaquina
{
    QString IPLocal; // the machine's own address as it reports it
    QString IPCampo2; // not shown; sent back unchanged by "CONFIGIP"
    QString DNS;
    QString Mascara;
    QString Gateway;

    bool operator==(const TRedMaquina &) const = default;
};

// The machine's own settings ("answerconfig").
struct TConfigMaquina
{
    qint32 IdiomaMaquina = 0; // language index 0-4
    qint32 Sonidos = 0; // 1 on, 0 off
    qint32 Recuperacion = 0;
    qint32 ConfigCarga = 0;

    bool operator==(const TConfigMaquina &) const = default;
};

// The ten information fields ("answerinfo"), in answer order.
struct TInfoMaquina
{
    QString IdMaq;
    QString IdDIGI;
    QString Contador;
    QString Ver_PIC;
    QString Ver_uPC;
    QString Ver_UBoot;
    QString Ver_Kernel;
    QString Ver_RootFS;
    QString ADCSensor;
    QString ADCSensi;

    bool operator==(const TInfoMaquina &) const = default;
};
