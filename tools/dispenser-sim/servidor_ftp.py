#!/usr/bin/env python3
"""The dispenser machine's FTP service, for tests of the software update.

Listens on 127.0.0.1 only. The FTP root is the given folder, with a "tmp" folder inside it (the
machine's temporary folder, where update packages are copied). One account with full rights;
any other login is refused. Fault switches: refuse every upload, cut an upload's data
connection after a number of bytes, or receive uploads slowly.

Prints "LISTO <port>" once listening; ends when standard input reaches end of file (so it dies
with the process that started it) or on SIGTERM.
"""

import argparse
import logging
import os
import signal
import socket
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler, PassiveDTP
from pyftpdlib.log import config_logging, logger
from pyftpdlib.servers import FTPServer

DIRECCION = "127.0.0.1"  # never reachable from outside this computer


def leer_opciones():
    opciones = argparse.ArgumentParser(description=__doc__)
    opciones.add_argument("--puerto", type=int, required=True, help="0 picks a free port")
    opciones.add_argument("--directorio", required=True)
    opciones.add_argument("--usuario", required=True)
    opciones.add_argument("--clave", required=True)
    opciones.add_argument("--rechazar-subida", action="store_true")
    opciones.add_argument("--cortar-tras", type=int, metavar="BYTES")
    opciones.add_argument("--lento", type=int, metavar="BYTES_POR_SEGUNDO", help="a slow machine")
    return opciones.parse_args()


def manejador_rechazando_subidas(base):
    """Logins work, but every upload is refused as a full or read-only machine would."""

    class Manejador(base):
        def _rechazar(self, _linea, *_args, **_kwargs):
            self.respond("550 Upload refused.")

        ftp_STOR = ftp_APPE = ftp_STOU = _rechazar

    return Manejador


def canal_datos(opciones):
    """The data connection of an upload: dropped once `--cortar-tras` bytes have arrived, and
    with `--lento` paused for 100 ms after each tenth of that rate."""
    limite = opciones.cortar_tras
    tramo = max(1, opciones.lento // 10) if opciones.lento else None

    class CanalDatos(DTPHandler):
        _leidos_tramo = 0

        def handle_read(self):
            lectura = self.ac_in_buffer_size
            if limite is not None:
                # Never read past the limit, so exactly `limite` bytes reach the file.
                self.ac_in_buffer_size = max(1, min(lectura, limite - self.tot_bytes_received))
            super().handle_read()
            self.ac_in_buffer_size = lectura
            if not self.receive or self._closed:
                return
            if limite is not None and self.tot_bytes_received >= limite:
                self._resp = ("426 Connection cut; transfer aborted.", logger.debug)
                self.close()
            elif tramo and self.tot_bytes_received - self._leidos_tramo >= tramo:
                self._leidos_tramo = self.tot_bytes_received
                self.del_channel()
                self.call_later(0.1, self.add_channel)  # cancelled if the connection closes

        handle_read_event = handle_read  # the loop calls this alias of the base class

    return CanalDatos


class PasivoVentanaPequena(PassiveDTP):
    """Data connections with a small receive window: with a slow machine the client cannot park
    the file in this computer's buffers, so what it counts as sent is what the machine took."""

    def __init__(self, cmd_channel, extmode=False):
        super().__init__(cmd_channel, extmode)
        self.socket.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 65536)  # inherited on accept


def crear_servidor(opciones):
    os.makedirs(os.path.join(opciones.directorio, "tmp"), exist_ok=True)
    autorizador = DummyAuthorizer()
    autorizador.add_user(opciones.usuario, opciones.clave, opciones.directorio, perm="elradfmwMT")

    manejador = FTPHandler
    if opciones.rechazar_subida:
        manejador = manejador_rechazando_subidas(manejador)
    atributos = {"authorizer": autorizador, "dtp_handler": canal_datos(opciones)}
    if opciones.lento:
        atributos["passive_dtp"] = PasivoVentanaPequena
    manejador = type("ManejadorMaquina", (manejador,), atributos)
    return FTPServer((DIRECCION, opciones.puerto), manejador)


def terminar_al_cerrarse_entrada():
    """SIGTERM to the main thread at end of standard input: the serving loop ends cleanly."""
    principal = threading.main_thread().ident

    def vigilar():
        while os.read(sys.stdin.fileno(), 4096):  # unbuffered: no lock held at exit
            pass
        signal.pthread_kill(principal, signal.SIGTERM)

    threading.Thread(target=vigilar, daemon=True).start()


def main():
    opciones = leer_opciones()
    config_logging(level=logging.WARNING)
    servidor = crear_servidor(opciones)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    terminar_al_cerrarse_entrada()
    print("LISTO %d" % servidor.address[1], flush=True)
    servidor.serve_forever()


if __name__ == "__main__":
    main()
