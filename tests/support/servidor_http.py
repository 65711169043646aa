#!/usr/bin/env python3
"""A stand-in for the update server in tests: serves a folder on 127.0.0.1, on a free port that
it prints on its first line, until it is killed. Below a few path prefixes it misbehaves on
purpose:
  /redirige/...  redirects every request to itself
  /cortado/F     announces file F whole, sends half of it and closes the connection
  /lento/F       announces file F, sends its first byte and then nothing for a minute
  /fallo/...     answers 500
Everything else is a file of the folder (404 when missing)."""
import functools
import http.server
import os
import sys
import time


class Manejador(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        prefijo, _, resto = self.path.lstrip("/").partition("/")
        if prefijo == "redirige":
            self.send_response(302)
            self.send_header("Location", self.path)
            self.send_header("Content-Length", "0")
            self.end_headers()
        elif prefijo == "fallo":
            self.send_error(500)
        elif prefijo in ("cortado", "lento"):
            self.enviar_mal(prefijo, resto)
        else:
            super().do_GET()

    def enviar_mal(self, prefijo, nombre):
        with open(os.path.join(self.directory, nombre), "rb") as archivo:
            datos = archivo.read()
        self.send_response(200)
        self.send_header("Content-Length", str(len(datos)))
        self.end_headers()
        self.wfile.write(datos[: len(datos) // 2] if prefijo == "cortado" else datos[:1])
        self.wfile.flush()
        if prefijo == "lento":
            time.sleep(60)

    def log_message(self, *args):
        pass


servidor = http.server.ThreadingHTTPServer(
    ("127.0.0.1", 0), functools.partial(Manejador, directory=sys.argv[1]))
print(servidor.server_address[1], flush=True)
servidor.serve_forever()
