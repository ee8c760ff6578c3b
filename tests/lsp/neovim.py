#!/usr/bin/env python3
"""Neovim headless as the editor: tests/lsp/neovim.lua opens a faulty train run
beside its line description, attaches `PROGRAM lsp`, and reads the diagnostics
and a hover back; this checks what it read.

    tests/lsp/neovim.py PROGRAM FIXTURES
"""
import json, os, shutil, subprocess, sys, tempfile

programma, fixture = sys.argv[1], sys.argv[2]
with tempfile.TemporaryDirectory() as cartella:
    shutil.copy(os.path.join(fixture, "piccola", "linea.txt"),
                os.path.join(cartella, "P_linea.txt"))
    treno = os.path.join(cartella, "P_T.txt")
    shutil.copy(os.path.join(fixture, "errate", "treno.txt"), treno)
    uscita = os.path.join(cartella, "risultato.json")
    # Line 13 (0-based 12) holds the station at 4025 m, off the grid.
    ambiente = dict(os.environ, SB_PROGRAM=os.path.abspath(programma), SB_FILE=treno,
                    SB_OUT=uscita, SB_HOVER="12,2", LC_ALL="C", LANGUAGE="")
    script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "neovim.lua")
    subprocess.run(["nvim", "--headless", "--clean", "-n", "-c", "luafile " + script],
                   env=ambiente, timeout=60, check=True, stdin=subprocess.DEVNULL)
    with open(uscita) as f:
        letto = json.load(f)
    prima = {(d["line"], d["code"]) for d in letto["diagnostics"]}
    assert (12, 8) in prima, letto
    d = next(d for d in letto["diagnostics"] if d["code"] == 8)
    assert d["source"] == "scenario_builder" and d["severity"] == 1, d
    assert d["col"] == 13 and d["end_col"] == 17, d  # the value 4025
    assert "[recorded]" in d["message"], d
    assert letto["hover"] and letto["hover"].startswith("### T7 `stazione`"), letto["hover"]
    print("neovim: %d diagnostics, hover of %d characters" %
          (len(letto["diagnostics"]), len(letto["hover"])))
