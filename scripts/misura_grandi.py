#!/usr/bin/env python3
"""Time and peak memory of `check` on very large descriptions, per line.

    scripts/misura_grandi.py [PROGRAM] [--linee 100000 1000000] [--mib 64]
                             [--senza-64]

Writes a line description of the longest route (1,000,000 m) and train runs of
N signal lines each (signals every 50 m along the route and then round again,
so that most of them fall on cells already taken, which the checks must name
one by one), plus train runs of exactly 16, 32 and 64 MiB of such lines (64 MiB is the
largest file the program reads), so that the figures show whether time and
memory grow in step with the input. Runs `check` on each under GNU time and prints the wall
time, the processor time (user and system: on a shared machine the wall time
says more about the others), the peak resident memory, the processor time and
the memory per line, and the memory as a multiple of the input's size. The output itself is thrown away; its
exit status (1: problems found) is printed for reference.
"""
import argparse, os, subprocess, sys, tempfile

RADICE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MIB_64 = 64 * 1024 * 1024
METRI = 1_000_000


def linea():
    righe = ["[generale]", f"lunghezza percorso, {METRI}",
             "progressiva chilometrica uno, 0, 150300, 1", "[curve]"]
    for n, inizio in enumerate(range(1000, METRI - 2000, 2500)):
        righe.append(f"curva{'ds'[n % 2]}{n % 6 + 1}, {inizio}, 400")
    righe += ["[pendenze]", "pendenza, 0, 0", "[fine]"]
    return "\r\n".join(righe) + "\r\n"


def riga_segnale(n):
    # Cells 2 .. 19,900 in turn: the first round fills them, every later
    # round falls on a cell already taken.
    posizione = 100 + 50 * (n % 19800)
    return f"segnale, {posizione}, 2, 4, 0, 0, 0, 2, 2, 0, 0, 0\r\n"


TESTA = ("[generale]\r\nnumero vetture, 10\r\norologio, 8 0 0\r\n"
         "velocita, 0, 120\r\n[segnali]\r\n")
CODA = "[fine]\r\n"


def scrivi_treno(percorso, segnali=None, byte=None):
    """A train run of `segnali` signal lines, or of exactly `byte` bytes."""
    with open(percorso, "w", newline="", encoding="ascii") as f:
        scritti = f.write(TESTA)
        n = 0
        while True:
            riga = riga_segnale(n)
            if segnali is not None and n == segnali:
                break
            if byte is not None and scritti + len(riga) + len(CODA) > byte:
                break
            scritti += f.write(riga)
            n += 1
        if byte is not None:
            # Pads the last bytes with a comment line of the right length.
            resto = byte - scritti - len(CODA)
            if resto > 0:
                scritti += f.write("-" * max(resto - 2, 0) + "\r\n"[:resto])
        scritti += f.write(CODA)
    return n, scritti


def misura(programma, l, t):
    uscita = subprocess.run(
        ["/usr/bin/time", "-f", "%e %U %S %M", programma, "check", l, t],
        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
        errors="replace")
    secondi, utente, sistema, kb = uscita.stderr.strip().splitlines()[-1].split()
    return (float(secondi), float(utente) + float(sistema), int(kb) / 1024,
            uscita.returncode)


def main():
    a = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    a.add_argument("programma", nargs="?",
                   default=os.path.join(RADICE, "build", "bin", "scenario_builder"))
    a.add_argument("--linee", type=int, nargs="*", default=[100_000, 1_000_000])
    a.add_argument("--mib", type=int, nargs="*", default=[16, 32, 64],
                   help="train runs of exactly this many MiB (at most 64)")
    a.add_argument("--senza-64", action="store_true",
                   help="skip the files of an exact size in MiB")
    o = a.parse_args()
    with tempfile.TemporaryDirectory(prefix="misura_grandi_") as lavoro:
        l = os.path.join(lavoro, "linea.txt")
        with open(l, "w", newline="", encoding="ascii") as f:
            f.write(linea())
        casi = [(f"{n} signal lines", dict(segnali=n)) for n in o.linee]
        if not o.senza_64:
            casi += [(f"{m} MiB", dict(byte=m * MIB_64 // 64)) for m in o.mib]
        print(f"{'input':>22} {'bytes':>10} {'lines':>9} {'wall s':>7} {'cpu s':>7} "
              f"{'MB':>8} {'us/line':>8} {'B/line':>7} {'mem/size':>8} exit")
        for nome, come in casi:
            t = os.path.join(lavoro, "treno.txt")
            segnali, byte = scrivi_treno(t, **come)
            secondi, cpu, mb, esito = misura(o.programma, l, t)
            righe = segnali + 6
            print(f"{nome:>22} {byte:>10} {righe:>9} {secondi:>7.2f} {cpu:>7.2f} "
                  f"{mb:>8.1f} {cpu * 1e6 / righe:>8.2f} {mb * 1048576 / righe:>7.0f} "
                  f"{mb * 1048576 / byte:>8.2f} {esito}")
            sys.stdout.flush()


if __name__ == "__main__":
    main()
