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
    # Line 10 (0-based 9) sets 100 km/h from 500 m: cell 10, speed byte 20.
    # Line 7 (0-based 6) is the adhesion, whose keyword the editor misspells.
    ambiente = dict(os.environ, SB_PROGRAM=os.path.abspath(programma), SB_FILE=treno,
                    SB_OUT=uscita, SB_HOVER="12,2", SB_HOVER_VALUE="9,21",
                    SB_COMPLETION="6,0", SB_SLIP="6", LC_ALL="C", LANGUAGE="")
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
    valore = letto["hover_value"]
    assert valore and "Compiled: cell 10 holds `velocita` = 20" in valore, valore
    assert "read back: 100 km/h" in valore, valore
    sezioni = {s["name"]: [c["name"] for c in s.get("children", [])]
               for s in letto["symbols"]}
    assert "Cesina 4025 m" in sezioni.get("[stazioni]", []), letto["symbols"]
    assert "aderenza" in letto["completion"] and "[stazioni]" in letto["completion"], \
        letto["completion"]
    assert letto["slip"] == "aderneza,   0,    95", letto
    assert letto.get("fix_title") == 'Write "aderenza"', letto
    assert letto["fixed"] == letto["expected"], letto
    print("neovim: %d diagnostics, hover of %d characters, %d sections, %d completions, "
          "fix %r applied" % (len(letto["diagnostics"]), len(letto["hover"]),
                              len(letto["symbols"]), len(letto["completion"]),
                              letto["fix_title"]))
