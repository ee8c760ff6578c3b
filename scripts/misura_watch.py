#!/usr/bin/env python3
"""Times `watch` from a save to the changed page against a `compile --report` process.

    scripts/misura_watch.py [PROGRAM] [--metri 990000] [--volte 9]

Makes the benchmark's long route (scripts/misura_compilazione.py), times
`compile --report` on it as a process, then starts `watch` on the same files,
opens the served page in headless Chromium and, as many times, changes the
train run on disk and times three steps: the save to the server's event (the
debounce and the build), the save to the page changed in the browser (the new
page fetched, put in place and drawn, its view kept). Prints the medians and
the ratio of the last to the compile; the goal is at most 2. Runs in turn, so
that both see the same load of a shared machine.
"""
import argparse, os, statistics, subprocess, sys, tempfile, threading, time, urllib.request

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from misura_compilazione import descrizioni  # noqa: E402
from prova_pagina import Chromium  # noqa: E402


class Eventi:
    """The server's event stream, read in a thread: the time each build's event came."""

    def __init__(self, indirizzo):
        self.arrivi = {}
        self.flusso = urllib.request.urlopen(indirizzo + "eventi")
        threading.Thread(target=self._leggi, daemon=True).start()

    def _leggi(self):
        for riga in self.flusso:
            if riga.startswith(b"data: "):
                self.arrivi[int(riga[6:])] = time.monotonic()


def compile_report(programma, cartella):
    inizio = time.perf_counter()
    subprocess.run([programma, "compile", "l.txt", "t.txt", "--out", "c", "--report"],
                   cwd=cartella, check=True, stdout=subprocess.DEVNULL)
    return time.perf_counter() - inizio


def salva_e_attendi(browser, eventi, treno, testo, prima):
    inizio = time.monotonic()
    with open(treno, "w", newline="") as f:
        f.write(testo)
    while time.monotonic() - inizio < 30:
        n = browser.valuta("+document.getElementById('vivo-stato').getAttribute('data-numero')")
        if n and n > prima:
            fine = time.monotonic()
            return n, eventi.arrivi.get(n, fine) - inizio, fine - inizio
        time.sleep(0.005)
    raise RuntimeError("la pagina non è cambiata")


def main():
    radice = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    a = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    a.add_argument("programma", nargs="?", default=os.path.join(radice, "build/bin/scenario_builder"))
    a.add_argument("--metri", type=int, default=990000)
    a.add_argument("--volte", type=int, default=9)
    o = a.parse_args()
    programma = os.path.abspath(o.programma)
    with tempfile.TemporaryDirectory() as lavoro:
        linea, treno = descrizioni(o.metri)
        for nome, testo in (("l.txt", linea), ("t.txt", treno)):
            with open(os.path.join(lavoro, nome), "w", newline="") as f:
                f.write(testo)
        os.makedirs(os.path.join(lavoro, "c"))
        vigila = subprocess.Popen([programma, "watch", "l.txt", "t.txt", "--out", "w", "--port", "0"],
                                  cwd=lavoro, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        indirizzo = vigila.stdout.readline().strip()
        threading.Thread(target=lambda: [None for _ in vigila.stdout], daemon=True).start()
        browser = Chromium()
        try:
            browser.apri(indirizzo + "#vista=400000-430000", 1280)
            eventi = Eventi(indirizzo)
            numero = browser.valuta("+document.getElementById('vivo-stato').getAttribute('data-numero')")
            compilazioni, server, pagina = [], [], []
            for volta in range(o.volte):
                compilazioni.append(compile_report(programma, lavoro))
                # A train run that differs each time: a signal moved by 50 m.
                testo = treno.replace("segnale, 1350,", f"segnale, {1350 + 50 * (volta % 2 + 1)},")
                numero, t_server, t_pagina = salva_e_attendi(
                    browser, eventi, os.path.join(lavoro, "t.txt"), testo, numero)
                server.append(t_server)
                pagina.append(t_pagina)
            vista = browser.valuta("location.hash")
        finally:
            browser.chiudi()
            vigila.terminate()
            vigila.wait()
    c, s, p = (statistics.median(x) * 1000 for x in (compilazioni, server, pagina))
    print(f"route of {o.metri} m, {o.volte} saves (medians)")
    print(f"  compile --report process: {c:.0f} ms")
    print(f"  watch, save to the server's event: {s:.0f} ms (with the {100} ms quiet wait)")
    print(f"  watch, save to the changed page in the browser: {p:.0f} ms "
          f"(min {min(pagina) * 1000:.0f}, max {max(pagina) * 1000:.0f})")
    print(f"  ratio page / compile: {p / c:.2f} (goal: at most 2); view kept: {vista}")


if __name__ == "__main__":
    main()
