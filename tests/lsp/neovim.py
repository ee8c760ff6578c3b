#!/usr/bin/env python3
"""Neovim headless as the editor: tests/lsp/neovim.lua opens a faulty train run
beside its line description, attaches `PROGRAM lsp`, and reads the diagnostics
and a hover back (and the outline, a completion, a quick fix applied); this checks
what it read. Then Neovim runs the set-up that docs/editors.md gives, as it stands.

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

# The set-up of docs/editors.md as it stands, with the program on the PATH: a
# train run opened in its folder gets the server's diagnostics and the code page.
import re  # noqa: E402
guida = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs", "editors.md")
with open(guida, encoding="utf-8") as f:
    configurazione = re.search(r"## Neovim.*?```lua\n(.*?)```", f.read(), re.S).group(1)
with tempfile.TemporaryDirectory() as cartella:
    shutil.copy(os.path.join(fixture, "piccola", "linea.txt"),
                os.path.join(cartella, "P_linea.txt"))
    shutil.copy(os.path.join(fixture, "errate", "treno.txt"), os.path.join(cartella, "P_T.txt"))
    programmi = os.path.join(cartella, "bin")
    os.mkdir(programmi)
    os.symlink(os.path.abspath(programma), os.path.join(programmi, "scenario_builder"))
    inizio = os.path.join(cartella, "init.lua")
    with open(inizio, "w") as f:
        f.write(configurazione)
    uscita = os.path.join(cartella, "letto.txt")
    lettura = os.path.join(cartella, "leggi.lua")
    with open(lettura, "w") as f:
        f.write("vim.wait(15000, function() return #vim.diagnostic.get(0) > 0 end, 50)\n"
                "local f = io.open(%r, 'w')\n"
                "for _, d in ipairs(vim.diagnostic.get(0)) do f:write(d.lnum, '\\n') end\n"
                "f:write(vim.bo.fileencoding, '\\n')\n"
                "f:close()\nvim.cmd('qa!')\n" % uscita)
    ambiente = dict(os.environ, PATH=programmi + os.pathsep + os.environ.get("PATH", ""),
                    LC_ALL="C", LANGUAGE="")
    subprocess.run(["nvim", "--headless", "-n", "-u", inizio, "-c", "luafile " + lettura,
                    "P_T.txt"], cwd=cartella, env=ambiente, timeout=60, check=True,
                   stdin=subprocess.DEVNULL)
    with open(uscita) as f:
        righe = f.read().split()
    assert righe == ["12", "cp1252"], righe
    print("neovim with docs/editors.md: the diagnostic of line 13, cp1252")
