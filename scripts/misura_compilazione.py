#!/usr/bin/env python3
"""Times `compile` on a long route against copying its own output files and syncing the copies.

    scripts/misura_compilazione.py [PROGRAM] [--metri 990000] [--volte 15]

Builds a line description of the given length (curves of every class, gradients,
tunnels, boards) and a train run (stations, signals, slowdowns), compiles it
several times, copies the three output files and syncs the copies as many times
in turn (the floor: every file the compiler writes is synced and renamed over
the older one), and prints the median times and the median ratio. Then the
peak resident memory of `compile`, `compile --report`, `report` and
`inspect --json` beside that of `--version`, on a 10-km route and on the long one; the time of `report` from
the files against `compile --report` of the same route, and what the page
adds to `compile` with its size (each peak the median of seven runs); and the default build
(the bare program) against copying its six files and syncing them. Each time is
given as wall time and as CPU time (user + system), the steadier figure on a
shared machine.
"""
import argparse, os, resource, shutil, statistics, subprocess, sys, tempfile, time


def descrizioni(metri):
    linea = ["[generale]", f"lunghezza percorso, {metri}",
             "progressiva chilometrica uno, 0, 150300, 1",
             "ripetizione segnali 4 codici, 0, 50000", "[curve]"]
    for n, inizio in enumerate(range(1000, metri - 2000, 2500)):
        lato = "d" if n % 2 else "s"
        linea.append(f"curva{lato}{n % 6 + 1}, {inizio}, {400 + 100 * (n % 5)}")
    linea.append("[pendenze]")
    for n, p in enumerate(range(0, metri - 1000, 3000)):
        linea.append(f"pendenza, {p}, {(n % 9) - 4}")
    linea.append("[montagne]")
    for p in range(5000, metri - 5000, 40000):
        linea.append(f"montagna, {p}, {p + 1200}, 12")
    linea.append("[cartelli]")
    for p in range(700, metri - 1000, 20000):
        linea.append(f"indicatori_vmax, {p}, 100, 110, 120, 0, 100, 110, 120, 0")
    linea.append("[fine]")
    treno = ["[generale]", "numero vetture, 10", "percentuale massa frenata, 120",
             "sabbia, 300", "orologio, 8 0 0", "aderenza, 0, 100",
             "velocita, 0, 120", "[stazioni]"]
    passo = max(3000, metri // 70 // 3000 * 3000)
    stazioni = list(range(0, metri - 1000, passo))[:70]
    for n, p in enumerate(stazioni):
        treno.append(f"stazione, {p}, 12, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, S{n}")
    treno.append("[segnali]")
    for p in range(1350, metri - 2000, 3000):
        treno.append(f"segnale, {p}, 2, 4, 0, 0, 0, 2, 2, 0, 0, 0")
    treno.append("[fine]")
    return "\r\n".join(linea) + "\r\n", "\r\n".join(treno) + "\r\n"


def una_volta(comando):
    """Wall time and CPU time (user + system, of the command and its own
    children) of one run."""
    inizio = time.perf_counter()
    processo = subprocess.Popen(comando, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
    _, stato, uso = os.wait4(processo.pid, 0)
    parete = time.perf_counter() - inizio
    if os.waitstatus_to_exitcode(stato) != 0:
        raise subprocess.CalledProcessError(os.waitstatus_to_exitcode(stato), comando)
    return parete, uso.ru_utime + uso.ru_stime


class coppie:
    """Median wall and CPU times of two commands, run in turn so that both see
    the same load of a shared machine, and the medians of the paired ratios."""

    def __init__(self, comando, altro, volte):
        mediana = statistics.median
        misure = [(una_volta(comando), una_volta(altro)) for _ in range(volte)]
        self.parete = mediana(a[0] for a, _ in misure)
        self.parete_altro = mediana(b[0] for _, b in misure)
        self.cpu = mediana(a[1] for a, _ in misure)
        self.cpu_altro = mediana(b[1] for _, b in misure)
        self.rapporto = mediana(a[0] / b[0] for a, b in misure)
        self.rapporto_cpu = mediana(a[1] / max(b[1], 1e-4) for a, b in misure)

    def testo(self, nome, nome_altro):
        return (f"  {nome} {self.parete * 1000:.1f} ms (CPU {self.cpu * 1000:.1f}), "
                f"{nome_altro} {self.parete_altro * 1000:.1f} ms "
                f"(CPU {self.cpu_altro * 1000:.1f}), ratio {self.rapporto:.2f} "
                f"(CPU {self.rapporto_cpu:.2f})")


def picco_memoria_mb(comando, cartella=None, volte=7):
    """The median of several runs' peaks: the same run's peak varies by a few
    hundred kilobytes (where the loader and the heap happen to fall)."""
    picchi = []
    for _ in range(volte):
        # GNU time reads the child's own peak: a peak taken through Python's
        # children would count the interpreter that forked it.
        uscita = subprocess.run(["/usr/bin/time", "-f", "%M"] + comando, cwd=cartella,
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                text=True, check=True).stderr
        picchi.append(int(uscita.strip().splitlines()[-1]) / 1024)
    return statistics.median(picchi)


def copia_e_sincronizza(file, copie):
    """cp of the files into `copie`, then sync of each copy."""
    nomi = " ".join(f'"{os.path.join(copie, os.path.basename(f))}"' for f in file)
    return ["sh", "-c", f'cp "$@" "{copie}" && sync {nomi}', "sh"] + file


def scrivi_descrizioni(lavoro, metri, prefisso):
    linea, treno = descrizioni(metri)
    percorsi = []
    for nome, testo in ((prefisso + "l.txt", linea), (prefisso + "t.txt", treno)):
        percorsi.append(os.path.join(lavoro, nome))
        with open(percorsi[-1], "w", newline="") as f:
            f.write(testo)
    return percorsi


def misura_compile(programma, metri, volte, lavoro):
    l, t = scrivi_descrizioni(lavoro, metri, "")
    uscita = os.path.join(lavoro, "uscita")
    os.makedirs(uscita)
    comando = [programma, "compile", l, t, "--out", uscita]
    subprocess.run(comando, check=True, stdout=subprocess.DEVNULL)
    file = [os.path.join(uscita, n) for n in sorted(os.listdir(uscita))]
    byte = sum(os.path.getsize(f) for f in file)
    copie = os.path.join(lavoro, "copie")
    os.makedirs(copie)
    misura = coppie(comando, copia_e_sincronizza(file, copie), volte)
    print(f"compile, {metri} m: {len(file)} files, {byte} bytes")
    print(misura.testo("compile", "cp and sync"))


def misura_memoria(programma, metri, lavoro):
    """Peak memory of compile, compile --report, report and inspect --json
    beside --version's, on a 10-km route and on the long one."""
    base = picco_memoria_mb([programma, "--version"])
    print(f"peak memory (MB); --version {base:.1f}")
    print(f"  {'route':>10} {'compile':>8} {'--report':>8} {'report':>8} {'inspect':>8}"
          "  worst/--version")
    for m in (10000, metri):
        prefisso = f"m{m}_"
        l, t = scrivi_descrizioni(lavoro, m, prefisso)
        uscita = os.path.join(lavoro, prefisso + "uscita")
        os.makedirs(uscita)
        compila = [programma, "compile", l, t, "--out", uscita]
        subprocess.run(compila, check=True, stdout=subprocess.DEVNULL)
        valori = [picco_memoria_mb(compila),
                  picco_memoria_mb(compila + ["--report"]),
                  picco_memoria_mb([programma, "report", uscita]),
                  picco_memoria_mb([programma, "inspect", "--json"] +
                                   [os.path.join(uscita, n) for n in sorted(os.listdir(uscita))
                                    if not n.endswith(".html")])]
        print(f"  {m // 1000:>7} km " + " ".join(f"{v:>8.1f}" for v in valori) +
              f"  {max(valori) / base:.2f}x")


def misura_report(programma, volte, lavoro):
    """`report` from the files against `compile --report` of the same route, and
    the page's own cost: `compile --report` less `compile`, paired run by run
    (building the page and writing it), with the page's size."""
    l, t = os.path.join(lavoro, "l.txt"), os.path.join(lavoro, "t.txt")
    uscita = os.path.join(lavoro, "uscita_report")
    os.makedirs(uscita)
    compila = [programma, "compile", l, t, "--out", uscita]
    subprocess.run(compila + ["--report"], check=True, stdout=subprocess.DEVNULL)
    byte = sum(os.path.getsize(os.path.join(uscita, n)) for n in os.listdir(uscita)
               if n.endswith(".html"))
    misura = coppie([programma, "report", uscita], compila + ["--report"], volte)
    print("report from the files against compile --report:")
    print(misura.testo("report", "compile --report"))
    pagina = coppie(compila + ["--report"], compila, volte)
    print(f"the page ({byte} bytes): compile --report against compile, "
          f"{(pagina.parete - pagina.parete_altro) * 1000:.1f} ms more:")
    print(pagina.testo("compile --report", "compile"))


def misura_costruzione(programma, volte, lavoro):
    cartella = os.path.join(lavoro, "predefinita")
    os.makedirs(cartella)
    copia = os.path.join(cartella, "scenario_builder")
    shutil.copy2(programma, copia)
    subprocess.run([copia], check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    file = [os.path.join(cartella, n) for n in sorted(os.listdir(cartella))
            if n != "scenario_builder"]
    copie = os.path.join(lavoro, "copie_predefinita")
    os.makedirs(copie)
    misura = coppie([copia], copia_e_sincronizza(file, copie), volte)
    memoria = picco_memoria_mb([copia])
    print(f"default build: {len(file)} files, "
          f"{sum(os.path.getsize(f) for f in file)} bytes, peak memory {memoria:.1f} MB")
    print(misura.testo("build", "cp and sync"))


def main():
    radice = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    argomenti = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    argomenti.add_argument("programma", nargs="?",
                           default=os.path.join(radice, "build/bin/scenario_builder"))
    argomenti.add_argument("--metri", type=int, default=990000)
    argomenti.add_argument("--volte", type=int, default=15)
    a = argomenti.parse_args()
    print(f"load average {os.getloadavg()[0]:.2f}")
    with tempfile.TemporaryDirectory() as lavoro:
        misura_compile(os.path.abspath(a.programma), a.metri, a.volte, lavoro)
        misura_memoria(os.path.abspath(a.programma), a.metri, lavoro)
        misura_report(os.path.abspath(a.programma), a.volte, lavoro)
        misura_costruzione(os.path.abspath(a.programma), a.volte, lavoro)


if __name__ == "__main__":
    main()
