#!/usr/bin/env python3
"""Times the language server's diagnostics after a change against a fresh `check`.

    scripts/misura_lsp.py [PROGRAM] [--metri 990000] [--volte 7]

Writes a 990-km pair (the route of scripts/misura_compilazione.py) as L_linea.txt and
L_T.txt, starts `PROGRAM lsp`, opens the train run (its line is read from disk), then
changes one value of it again and again: each time, the time from the change until the
diagnostics of the train run arrive (the server runs with `--pause 0`, so that it checks
at once instead of waiting for the typing to pause). Runs
`PROGRAM check` on the same two files as often, in turn, and prints the median times and
the median ratio (below 1: the server is the faster).
"""
import argparse, json, os, statistics, subprocess, sys, tempfile, time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from misura_compilazione import descrizioni  # noqa: E402

def cornice(messaggio):
    corpo = json.dumps(messaggio).encode()
    return b"Content-Length: %d\r\n\r\n" % len(corpo) + corpo


def leggi(processo):
    lunghezza = 0
    while True:
        riga = processo.stdout.readline()
        if riga in (b"\r\n", b""):
            break
        if riga.lower().startswith(b"content-length:"):
            lunghezza = int(riga.split(b":")[1])
    return json.loads(processo.stdout.read(lunghezza))


def attendi_diagnostiche(processo, uri):
    while True:
        m = leggi(processo)
        if m.get("method") == "textDocument/publishDiagnostics" and m["params"]["uri"] == uri:
            return m


def misura(programma, metri, volte):
    linea, treno = descrizioni(metri)
    with tempfile.TemporaryDirectory() as cartella:
        percorso_linea = os.path.join(cartella, "L_linea.txt")
        percorso_treno = os.path.join(cartella, "L_T.txt")
        for percorso, testo in ((percorso_linea, linea), (percorso_treno, treno)):
            with open(percorso, "w", encoding="cp1252", newline="") as f:
                f.write(testo)
        uri = "file://" + percorso_treno
        server = subprocess.Popen([programma, "lsp", "--pause", "0"], stdin=subprocess.PIPE,
                                  stdout=subprocess.PIPE)
        invia = lambda m: (server.stdin.write(cornice(m)), server.stdin.flush())
        invia({"jsonrpc": "2.0", "id": 1, "method": "initialize",
               "params": {"capabilities": {}}})
        leggi(server)
        invia({"jsonrpc": "2.0", "method": "textDocument/didOpen",
               "params": {"textDocument": {"uri": uri, "languageId": "s", "version": 1,
                                           "text": treno}}})
        attendi_diagnostiche(server, uri)
        tempi_server, tempi_check, rapporti = [], [], []
        riga = treno.split("\r\n").index("[segnali]") + 1
        for n in range(volte):
            inizio = time.perf_counter()
            invia({"jsonrpc": "2.0", "method": "textDocument/didChange",
                   "params": {"textDocument": {"uri": uri, "version": n + 2},
                              "contentChanges": [{"range": {
                                  "start": {"line": riga, "character": 9},
                                  "end": {"line": riga, "character": 10}},
                                  "text": str(n % 9 + 1)}]}})
            attendi_diagnostiche(server, uri)
            s = time.perf_counter() - inizio
            inizio = time.perf_counter()
            subprocess.run([programma, "check", percorso_linea, percorso_treno],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            c = time.perf_counter() - inizio
            tempi_server.append(s)
            tempi_check.append(c)
            rapporti.append(s / c)
        invia({"jsonrpc": "2.0", "id": 2, "method": "shutdown"})
        invia({"jsonrpc": "2.0", "method": "exit"})
        server.wait(timeout=30)
    return (statistics.median(tempi_server), statistics.median(tempi_check),
            statistics.median(rapporti))


def main():
    a = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    a.add_argument("programma", nargs="?", default="build/bin/scenario_builder")
    a.add_argument("--metri", type=int, default=990000)
    a.add_argument("--volte", type=int, default=7)
    o = a.parse_args()
    server, check, rapporto = misura(o.programma, o.metri, o.volte)
    print(f"{o.metri} m: diagnostics after a change {server:.3f} s "
          f"(--pause 0), a fresh check {check:.3f} s, "
          f"ratio {rapporto:.2f}")


if __name__ == "__main__":
    main()
