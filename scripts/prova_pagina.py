#!/usr/bin/env python3
"""Opens report pages in headless Chromium at given widths, checks their layout
and controls, and saves screenshots.

    scripts/prova_pagina.py PROGRAM OUT_DIR        the browser test of `make test`
    scripts/prova_pagina.py --pagina PAGE.html --larghezza 420 --png OUT.png [--frammento '#vista=0-5000'] [--senza-script]

The test compiles seven routes with PROGRAM (the default scenario, the small
hand-written one, the same with a faulty train run, the same with a line
description whose reading stops, a 30-km mountain line, a 990-km route made
here and the same with 340 warnings), writes their pages, opens each at 1280
and 420 pixels at three ranges (`#vista=A-B`) and checks in the page that no
text of its drawings overlaps another or leaves its drawing, that the track
line crosses no label of the map, and that nothing is wider than the window
(the check travels with this script, not in the page; `--frammento
'#verifica'` runs it on one page), and saves a screenshot of each page and
of the 990-km one zoomed in, also one without scripts. Chromium is driven
through its DevTools pipe, so that the viewport is exactly the width asked for
(a headless window is never narrower than 500 pixels) and the page is read
once it has loaded. Exits 1 on any failed check, 2 when Chromium cannot be
started.
"""
import argparse, base64, fcntl, json, os, select, shutil, subprocess, sys, tempfile, time

RADICE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BANDIERE = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            "--hide-scrollbars", "--remote-debugging-pipe"]
ATTESA = 60  # seconds for any one answer of the browser


class Chromium:
    """One headless browser, spoken to as JSON messages over file descriptors 3 and 4."""

    def __init__(self):
        eseguibile = shutil.which("chromium") or shutil.which("chromium-browser")
        if not eseguibile:
            raise RuntimeError("chromium non trovato: scripts/installa_dipendenze.sh lo installa")
        self.profilo = tempfile.mkdtemp(prefix="profilo_chromium_")
        verso, da_noi = os.pipe()
        a_noi, da_lui = os.pipe()
        os.set_inheritable(verso, True)
        os.set_inheritable(da_lui, True)

        def descrittori():
            # Out of the way first, so that neither lands on the other's number.
            a, b = (fcntl.fcntl(f, fcntl.F_DUPFD, 10) for f in (verso, da_lui))
            os.dup2(a, 3)
            os.dup2(b, 4)

        ambiente = dict(os.environ)
        ambiente.setdefault("HOME", self.profilo)  # where the browser keeps its caches
        self.processo = subprocess.Popen(
            [eseguibile] + BANDIERE + ["--user-data-dir=" + self.profilo, "about:blank"],
            env=ambiente,
            pass_fds=(3, 4, verso, da_lui), preexec_fn=descrittori,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(verso)
        os.close(da_lui)
        self.scrivi, self.leggi = da_noi, a_noi
        self.numero, self.resto, self.eventi = 0, b"", []
        bersaglio = self.comando("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.sessione = self.comando("Target.attachToTarget",
                                     {"targetId": bersaglio, "flatten": True})["sessionId"]
        self.comando("Page.enable", sessione=True)

    def _messaggio(self, scadenza):
        while b"\0" not in self.resto:
            resta = scadenza - time.monotonic()
            if resta <= 0 or not select.select([self.leggi], [], [], resta)[0]:
                raise RuntimeError("chromium non risponde")
            pezzo = os.read(self.leggi, 1 << 20)
            if not pezzo:
                raise RuntimeError("chromium si è chiuso")
            self.resto += pezzo
        testo, self.resto = self.resto.split(b"\0", 1)
        return json.loads(testo)

    def comando(self, metodo, parametri=None, sessione=False):
        self.numero += 1
        m = {"id": self.numero, "method": metodo, "params": parametri or {}}
        if sessione:
            m["sessionId"] = self.sessione
        os.write(self.scrivi, json.dumps(m).encode() + b"\0")
        scadenza = time.monotonic() + ATTESA
        while True:
            r = self._messaggio(scadenza)
            if r.get("id") == self.numero:
                if "error" in r:
                    raise RuntimeError(f"{metodo}: {r['error']}")
                return r.get("result", {})
            self.eventi.append(r)

    def attendi(self, evento):
        scadenza = time.monotonic() + ATTESA
        while True:
            for i, e in enumerate(self.eventi):
                if e.get("method") == evento:
                    del self.eventi[i]
                    return e
            self.eventi.append(self._messaggio(scadenza))

    def apri(self, url, larghezza, altezza=900, script=True):
        self.comando("Emulation.setDeviceMetricsOverride",
                     {"width": larghezza, "height": altezza, "deviceScaleFactor": 1,
                      "mobile": larghezza < 600}, sessione=True)
        self.comando("Emulation.setScriptExecutionDisabled", {"value": not script}, sessione=True)
        # Through an empty page, so that the same page with another fragment
        # is loaded anew and not only scrolled.
        for indirizzo in ("about:blank", url):
            self.eventi.clear()
            self.comando("Page.navigate", {"url": indirizzo}, sessione=True)
            self.attendi("Page.loadEventFired")

    def valuta(self, espressione):
        r = self.comando("Runtime.evaluate", {"expression": espressione, "returnByValue": True,
                                              "awaitPromise": True},
                         sessione=True)
        return r["result"].get("value")

    def fotografa(self, png, larghezza, da=0, altezza=None, x=0, scala=1):
        altezza = altezza or self.valuta("document.documentElement.scrollHeight") - da
        immagine = self.comando("Page.captureScreenshot", {
            "format": "png", "captureBeyondViewport": True,
            "clip": {"x": x, "y": da, "width": larghezza, "height": min(altezza, 6000),
                     "scale": scala}},
            sessione=True)
        with open(png, "wb") as f:
            f.write(base64.b64decode(immagine["data"]))

    def chiudi(self):
        try:
            self.comando("Browser.close")
        except (RuntimeError, OSError):
            pass
        try:
            self.processo.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.processo.kill()
            self.processo.wait()
        os.close(self.scrivi)
        os.close(self.leggi)
        shutil.rmtree(self.profilo, ignore_errors=True)


def url_di(pagina, frammento=""):
    return "file://" + os.path.abspath(pagina) + frammento


# The layout check, run in the page: with every table open, no text of a
# drawing may overlap another or leave its drawing, and nothing may be wider
# than the window. Returns [faults, texts seen].
CONTROLLO_DISPOSIZIONE = """(function () {
  var doc = document, guasti = [], n = 0;
  // A label of the map that the track line runs through: the track's
  // segments on the screen, each clipped to the label's box.
  function taglia(a, b, s) {
    var t0 = 0, t1 = 1, dx = b[0] - a[0], dy = b[1] - a[1];
    var lati = [[-dx, a[0] - s[0]], [dx, s[2] - a[0]], [-dy, a[1] - s[1]], [dy, s[3] - a[1]]];
    for (var i = 0; i < 4; i++) {
      var p = lati[i][0], q = lati[i][1];
      if (p === 0) { if (q < 0) return false; continue; }
      var t = q / p;
      if (p < 0) { if (t > t1) return false; t0 = Math.max(t0, t); } else { if (t < t0) return false; t1 = Math.min(t1, t); }
    }
    return true;
  }
  // A station's name may cross the track outside the range shown where
  // the route winds back over itself, never the range's own stretch.
  function sullo_schermo(b) {
    var c = b.getScreenCTM(), punti = [];
    for (var k = 0; k < b.points.numberOfItems; k++) {
      var q = b.points.getItem(k);
      punti.push([c.a * q.x + c.c * q.y + c.e, c.b * q.x + c.d * q.y + c.f]);
    }
    return punti;
  }
  function sul_binario(svg) {
    var tutto = sullo_schermo(doc.getElementById('binario')), trovati = [];
    var tratto = sullo_schermo(svg.querySelector('.evidenza'));
    svg.querySelectorAll('g.v text, g.km text').forEach(function (t) {
      var r = t.getBoundingClientRect(), s = [r.left + .5, r.top + .5, r.right - .5, r.bottom - .5];
      var punti = t.closest('g.st') && tratto.length ? tratto : tutto;
      if (!r.width || !t.textContent) return;
      for (var k = 1; k < punti.length; k++) {
        if (taglia(punti[k - 1], punti[k], s)) { trovati.push('mappa: il binario attraversa "' + t.textContent + '"'); return; }
      }
    });
    return trovati;
  }
  doc.querySelectorAll('details:not([open])').forEach(function (e) { e.open = true; });
  ['mappa', 'profili'].forEach(function (id) {
    var s = doc.getElementById(id);
    if (!s || s.tagName.toLowerCase() !== 'svg') return;
    var r = s.getBoundingClientRect(), scatole = [];
    s.querySelectorAll('text').forEach(function (t) {
      var b = t.getBoundingClientRect();
      if (!b.width || !t.textContent) return;
      scatole.push([b.left, b.top, b.right, b.bottom, t.textContent]);
      if (b.left < r.left - 0.5 || b.right > r.right + 0.5 || b.top < r.top - 0.5 || b.bottom > r.bottom + 0.5)
        guasti.push(id + ': "' + t.textContent + '" esce dal disegno');
    });
    scatole.sort(function (p, q) { return p[0] - q[0]; });
    for (var i = 0; i < scatole.length; i++) {
      for (var j = i + 1; j < scatole.length && scatole[j][0] < scatole[i][2] - 0.5; j++) {
        var p = scatole[i], q = scatole[j];
        if (p[1] < q[3] - 0.5 && q[1] < p[3] - 0.5) guasti.push(id + ': "' + p[4] + '" copre "' + q[4] + '"');
      }
    }
    n += scatole.length;
    if (id === 'mappa') guasti = guasti.concat(sul_binario(s));
  });
  // Table cells wrap between words, never inside one (the places of the
  // problems excepted: a path may break anywhere); the first rows of each.
  doc.querySelectorAll('table').forEach(function (t) {
    [].slice.call(t.rows, 0, 30).forEach(function (r) {
      [].forEach.call(r.cells, function (c) {
        if (c.closest('#problemi') && c.cellIndex === 2) return;
        var testo = c.firstChild;
        if (!testo || testo.nodeType !== 3) return;
        var re = /\\S+/g, m;
        while ((m = re.exec(testo.data))) {
          var q = doc.createRange();
          q.setStart(testo, m.index); q.setEnd(testo, m.index + m[0].length);
          var righe = {};
          [].forEach.call(q.getClientRects(), function (b) { if (b.width) righe[Math.round(b.top)] = 1; });
          if (Object.keys(righe).length > 1) { guasti.push('parola spezzata in una tabella: ' + m[0]); return; }
        }
      });
    });
  });
  var cw = doc.documentElement.clientWidth;
  if (doc.documentElement.scrollWidth > cw) guasti.push('pagina larga ' + doc.documentElement.scrollWidth + ' px su ' + cw);
  doc.querySelectorAll('body *').forEach(function (e) {
    if (e.closest('svg') || e.id === 'suggerimento') return;
    var b = e.getBoundingClientRect();
    if (b.width && (b.right > cw + 0.5 || b.left < -0.5)) guasti.push(e.tagName.toLowerCase() + (e.id ? '#' + e.id : '') + ' esce dalla pagina');
  });
  return [guasti, n];
})()"""

# The route's length and the first station's metre, from the page.
MISURE = """[+document.body.getAttribute('data-lunghezza'),
  +((document.querySelector('g.v.st') || document.body).getAttribute('data-m') || -1)]"""


def verifica(browser, pagina, larghezza):
    """The layout check at this width over the whole route, a stretch of an
    eighth at 40 % and 2 km around the first station: (passed, report)."""
    browser.apri(url_di(pagina), larghezza)
    lunghezza, stazione = browser.valuta(MISURE)
    centro = stazione if stazione >= 0 else lunghezza / 2
    guasti, etichette = [], 0
    for a, b in ((0, lunghezza), (lunghezza * 0.4, lunghezza * 0.4 + lunghezza / 8),
                 (centro - 1000, centro + 1000)):
        browser.apri(url_di(pagina, f"#vista={a:.0f}-{b:.0f}"), larghezza)
        trovati, n = browser.valuta(CONTROLLO_DISPOSIZIONE)
        guasti += trovati
        etichette += n
    larga = browser.valuta("document.documentElement.clientWidth")
    if larga != larghezza:
        guasti.append(f"finestra di {larga} px invece di {larghezza}")
    esito = (f"verifica: {'GUASTI' if guasti or not etichette else 'ok'}; etichette {etichette}; "
             f"finestra {larga} px" + "".join("\n" + g for g in guasti[:40]))
    return not guasti and etichette > 0, esito


# Without scripts the drawings keep the layout they were written with: the
# same check as the page's own, on the texts shown.
CONTROLLO_STATICO = """(function () {
  var guasti = [], d = document.documentElement;
  ['mappa', 'profili'].forEach(function (id) {
    var s = document.getElementById(id), b = [];
    if (!s || s.tagName.toLowerCase() !== 'svg') return;
    var r = s.getBoundingClientRect();
    if (!r.width) guasti.push(id + ' non mostrato');
    s.querySelectorAll('text').forEach(function (t) {
      var q = t.getBoundingClientRect();
      if (!q.width || !t.textContent) return;
      b.push([q, t.textContent]);
      if (q.left < r.left - .5 || q.right > r.right + .5 || q.top < r.top - .5 || q.bottom > r.bottom + .5)
        guasti.push(id + ': "' + t.textContent + '" esce dal disegno');
    });
    for (var i = 0; i < b.length; i++) for (var j = i + 1; j < b.length; j++) {
      var p = b[i][0], q = b[j][0];
      if (p.left < q.right - .5 && q.left < p.right - .5 && p.top < q.bottom - .5 && q.top < p.bottom - .5)
        guasti.push(id + ': "' + b[i][1] + '" copre "' + b[j][1] + '"');
    }
  });
  if (d.scrollWidth > d.clientWidth) guasti.push('pagina larga ' + d.scrollWidth + ' px');
  if (!document.getElementById('comandi').hidden) guasti.push('comandi mostrati senza script');
  // The profiles' frames are outlines: a fill would hide the lines drawn in them.
  document.querySelectorAll('rect.riquadro').forEach(function (q) {
    if (getComputedStyle(q).fill !== 'none') guasti.push('riquadro dei profili pieno: ' + getComputedStyle(q).fill);
  });
  return guasti.join('\\n');
})()"""


# What a person does on the default scenario's page: find a station by name
# and a place by metres, zoom with the buttons and the wheel, drag, hover and
# tap a mark, sort a table and go to one of its rows. Returns the faults.
CONTROLLO_INTERAZIONI = """(function () {
  var d = document, guasti = [];
  function vista() {
    var v = d.getElementById('profili-dati').getAttribute('viewBox').split(' ').map(Number);
    return [Math.round(v[0]), Math.round(v[0] + v[2])];
  }
  function atteso(cosa, a, b) {
    var v = vista();
    if (Math.abs(v[0] - a) > 1 || Math.abs(v[1] - b) > 1) guasti.push(cosa + ': vista ' + v + ' invece di ' + [a, b]);
  }
  function cerca(q) { d.getElementById('cerca-testo').value = q; d.getElementById('cerca').requestSubmit(); }
  function bottone(azione) { d.querySelector('[data-azione=' + azione + ']').click(); }
  function suggerisce(testo) {
    var s = d.getElementById('suggerimento');
    return !s.hidden && s.textContent.indexOf(testo) >= 0;
  }
  function centro(e) { var r = e.getBoundingClientRect(); return {clientX: r.left + r.width / 2, clientY: r.top + r.height / 2}; }
  // The readout at known metres, the whole route shown: 46000 m is Lavis,
  // after 4.8 km at -4 and 6.3 km at -1 per mille; 20000 m on the -4 per
  // mille stretch; 1000 m in a curve, under the 95 km/h of the board at 700 m.
  var pr = d.getElementById('profili'), rp = pr.getBoundingClientRect(), W = pr.viewBox.baseVal.width;
  [[46000, ['46000 m, progr. 104.300 km', 'quota -25.5 m', 'pendenza 0.0 ‰', 'Lavis (0 m)']],
   [20000, ['pendenza -4.0 ‰', 'rettilineo', 'limite 140 km/h']],
   [1000, ['raggio ', 'limite 95 km/h']]].forEach(function (c) {
    var x = 56 + c[0] / 62000 * (W - 70);
    pr.dispatchEvent(new PointerEvent('pointermove', {clientX: rp.left + x * rp.width / W, clientY: rp.top + 300, bubbles: true}));
    var t = d.getElementById('lettura').textContent;
    c[1].forEach(function (q) { if (t.indexOf(q) < 0) guasti.push('lettura a ' + c[0] + ' m: "' + t + '" senza "' + q + '"'); });
  });
  cerca('lavis');
  atteso('cerca lavis', 45000, 47000);
  if (d.querySelectorAll('.scelta[data-k=st10]').length < 3) guasti.push('Lavis non evidenziata nei disegni e nella tabella');
  if (!suggerisce('Stazione Lavis — 46000 m')) guasti.push('cerca lavis: nessun suggerimento');
  cerca('S12');
  atteso('cerca S12', 24350, 26350);
  cerca('20 km');
  atteso('cerca 20 km', 19000, 21000);
  cerca('46.000');
  atteso('cerca 46.000 (km)', 45000, 47000);
  function esito(cosa, testo) {
    var e = d.getElementById('cerca-esito').textContent;
    if (e.indexOf(testo) < 0) guasti.push(cosa + ': esito "' + e + '" senza "' + testo + '"');
  }
  esito('cerca 46.000 (km)', 'nessuna progressiva km 46.000');
  // The line's progressive runs down from 150.300 km at its start.
  bottone('tutto');
  cerca('104.300');
  atteso('cerca 104.300 (progressiva)', 45000, 47000);
  esito('cerca 104.300', 'progressiva km 104.300 a 46 km');
  bottone('tutto');
  cerca('104+300');
  atteso('cerca 104+300 (progressiva)', 45000, 47000);
  cerca('46000');
  esito('cerca 46000', "46 km dall'inizio");
  cerca('70 km');
  if (d.getElementById('cerca-esito').textContent.indexOf('oltre il percorso') < 0)
    guasti.push('cerca 70 km: nessun avviso oltre il percorso');
  cerca('trento_scalo');
  if (!suggerisce('TRENTO SCALO')) guasti.push('cerca trento_scalo: nessun suggerimento');
  bottone('tutto');
  atteso('tutto', 0, 62000);
  bottone('ingrandisci');
  atteso('ingrandisci', 15500, 46500);
  bottone('avanti');
  atteso('avanti', 31000, 62000);
  bottone('riduci');
  atteso('riduci', 0, 62000);
  var p = d.getElementById('profili'), r = p.getBoundingClientRect();
  var x = r.left + 56 + (r.width - 70) / 2, y = r.top + 300;
  p.dispatchEvent(new WheelEvent('wheel', {deltaY: -100, clientX: x, clientY: y, bubbles: true, cancelable: true}));
  atteso('rotella', 6200, 55800);
  p.dispatchEvent(new PointerEvent('pointerdown', {pointerId: 1, clientX: x, clientY: y, bubbles: true}));
  p.dispatchEvent(new PointerEvent('pointermove', {pointerId: 1, clientX: x - 100, clientY: y, buttons: 1, bubbles: true}));
  p.dispatchEvent(new PointerEvent('pointerup', {pointerId: 1, clientX: x - 100, clientY: y, bubbles: true}));
  var v = vista();
  if (!(v[0] > 6200 && Math.abs(v[1] - v[0] - 49600) <= 1)) guasti.push('trascinamento: vista ' + v);
  bottone('tutto');
  var segno = d.querySelector('#mappa g.v.st[data-k=st5]');
  segno.dispatchEvent(new PointerEvent('pointermove', Object.assign({bubbles: true}, centro(segno))));
  if (!suggerisce('Stazione Ora / Auer — 16150 m')) guasti.push('passaggio su Ora / Auer: nessun suggerimento');
  segno.dispatchEvent(new MouseEvent('click', Object.assign({bubbles: true}, centro(segno))));
  if (!d.querySelector('#orario tr.scelta[data-k=st5]')) guasti.push('tocco su Ora / Auer: riga non evidenziata');
  var th = d.querySelectorAll('#tab-sg th')[1];
  th.click(); th.click();
  var prima = d.querySelector('#tab-sg tbody tr');
  if (prima.getAttribute('data-k') !== 'sg22') guasti.push('ordinamento: prima riga ' + prima.getAttribute('data-k'));
  prima.click();
  atteso('riga S22', 51950, 53950);
  return guasti.join('\\n');
})()"""


# Each drawing downloads as SVG (well formed, with its track and the page's
# style) and as PNG (a picture of the drawing's size, twice the pixels).
CONTROLLO_SCARICA = """(async function () {
  var d = document, guasti = [], file = [];
  URL.createObjectURL = function (b) { file.push(b); return 'about:blank'; };
  HTMLAnchorElement.prototype.click = function () {};  // no download in the test
  for (var id of ['mappa', 'profili']) {
    for (var formato of ['svg', 'png']) {
      var b = d.querySelector('[data-scarica=' + id + '][data-formato=' + formato + ']');
      if (!b || b.parentNode.hidden) { guasti.push(id + ' ' + formato + ': nessun bottone'); continue; }
      file.length = 0;
      b.click();
      for (var i = 0; i < 50 && !file.length; i++) await new Promise(function (r) { setTimeout(r, 100); });
      if (!file.length) { guasti.push(id + ' ' + formato + ': nessun file'); continue; }
      if (formato === 'svg') {
        var testo = await file[0].text();
        var x = new DOMParser().parseFromString(testo, 'image/svg+xml');
        if (x.querySelector('parsererror') || x.documentElement.id !== id) guasti.push(id + '.svg non valido');
        if (!x.querySelector('style') || !x.querySelector(id === 'mappa' ? '#binario' : '.altimetria')) guasti.push(id + '.svg incompleto');
      } else {
        var im = await createImageBitmap(file[0]), v = d.getElementById(id).viewBox.baseVal;
        if (file[0].type !== 'image/png' || im.width !== 2 * v.width || im.height !== 2 * v.height)
          guasti.push(id + '.png: ' + file[0].type + ' ' + im.width + 'x' + im.height);
      }
    }
  }
  return guasti.join('\\n');
})()"""


def interazioni(browser, pagina, larghezza):
    browser.apri(url_di(pagina), larghezza)
    return browser.valuta(CONTROLLO_INTERAZIONI)


def senza_script(browser, pagina, larghezza):
    """Without scripts: the whole route drawn, no text over another, nothing
    wider than the window. Returns the faults found, one a line."""
    browser.apri(url_di(pagina), larghezza, script=False)
    return browser.valuta(CONTROLLO_STATICO)


def percorso_lungo(cartella, metri):
    """A route of `metri` metres: the benchmark's descriptions."""
    sys.path.insert(0, os.path.join(RADICE, "scripts"))
    from misura_compilazione import descrizioni
    linea, treno = descrizioni(metri)
    for nome, testo in (("linea.txt", linea), ("treno.txt", treno)):
        with open(os.path.join(cartella, nome), "w", newline="") as f:
            f.write(testo)
    return os.path.join(cartella, "linea.txt"), os.path.join(cartella, "treno.txt")


def con_avvisi(linea, treno):
    """The same route with hundreds of warnings: every signal 10 m off the
    50-m grid (a warning at its metre), and every thirtieth with a value too
    many (a warning of another kind, at no metre)."""
    righe = open(treno, newline="").read().split("\r\n")
    n = 0
    for i, r in enumerate(righe):
        if r.startswith("segnale, "):
            campi = r.split(", ")
            campi[1] = str(int(campi[1]) + 10)
            if n % 30 == 0:
                campi.append("7")
            righe[i] = ", ".join(campi)
            n += 1
    nuovo = treno[:-4] + "_avvisi.txt"
    with open(nuovo, "w", newline="") as f:
        f.write("\r\n".join(righe))
    return linea, nuovo


# On the route with hundreds of warnings: the problems grouped by kind with
# their counts, one mark per place (not a label each), the filters hide the
# marks and the rows of a kind, a row goes to the mark that stands for it.
CONTROLLO_PROBLEMI = """(function () {
  var d = document, guasti = [];
  var gruppi = d.querySelectorAll('details.gruppo');
  if (gruppi.length !== 2) guasti.push('gruppi: ' + gruppi.length + ' invece di 2');
  var conti = [].map.call(gruppi, function (g) { return g.querySelectorAll('tbody tr').length; });
  if (conti.join() !== '329,11') guasti.push('problemi per gruppo: ' + conti);
  gruppi.forEach(function (g, i) {
    if (g.querySelector('summary').textContent.indexOf('(' + conti[i] + ')') < 0) guasti.push('gruppo senza conto: ' + g.querySelector('summary').textContent);
  });
  if (d.querySelector('summary').textContent.indexOf('fuori dalla griglia') < 0 && d.querySelector('summary').textContent.indexOf('griglia') < 0)
    guasti.push('tipo del primo gruppo: ' + d.querySelector('summary').textContent);
  var segni = d.querySelectorAll('#mappa g.v.pa'), visibili = d.querySelectorAll('#mappa g.v.pa:not(.fuori)');
  if (segni.length > 70 || segni.length < 20) guasti.push('segni degli avvisi sulla mappa: ' + segni.length);
  if (d.querySelectorAll('.disegno g.v.pa text').length) guasti.push('avvisi con etichetta');
  var filtro = d.querySelector('#filtri input[data-filtro=g1]');
  if (!filtro || d.getElementById('filtri').hidden) { guasti.push('nessun filtro'); return guasti.join('\\n'); }
  filtro.click();
  if (d.querySelectorAll('#mappa g.v.pa:not(.fuori)').length) guasti.push('filtro: segni ancora mostrati');
  if (!gruppi[0].classList.contains('fuori')) guasti.push('filtro: gruppo ancora mostrato');
  filtro.click();
  if (d.querySelectorAll('#mappa g.v.pa:not(.fuori)').length !== visibili.length) guasti.push('filtro tolto: segni non tornati');
  gruppi[0].open = true;
  var riga = gruppi[0].querySelector('tr[data-c]');
  if (!riga) { guasti.push('nessuna riga raggruppata'); return guasti.join('\\n'); }
  riga.click();
  if (!d.querySelector('#mappa g.v.scelta[data-k=' + riga.getAttribute('data-c') + ']')) guasti.push('riga: segno non evidenziato');
  var s = d.getElementById('suggerimento');
  // The mark's tooltip: the problems it stands for, or the row's own
  // problem with its file:line.
  if (s.hidden || s.textContent.indexOf('problemi') < 0 && s.textContent.indexOf(riga.cells[2].textContent) < 0)
    guasti.push('riga: suggerimento "' + s.textContent + '"');
  return guasti.join('\\n');
})()"""


# The problems' marks are grouped by their distance on the screen at the
# range shown: over the whole 990-km route a mark stands for several places,
# zoomed to 30 km each place (a signal every 3 km) has its own in the
# profiles; every row of a problem in the range names a mark shown on the
# map (`data-c`), and a mark's tooltip counts what it stands for.
CONTROLLO_GRAPPOLI = """(function () {
  var d = document, guasti = [];
  var v = d.getElementById('profili-dati').getAttribute('viewBox').split(' ').map(Number), a = v[0], b = v[0] + v[2];
  var luoghi = {}, righe = [].filter.call(d.querySelectorAll('#problemi tr[data-m]'), function (r) {
    var m = +r.getAttribute('data-m');
    if (m < a || m > b) return false;
    luoghi[m] = 1;
    return true;
  });
  var n = Object.keys(luoghi).length, conti = {};
  ['mappa', 'profili'].forEach(function (id) {
    conti[id] = d.querySelectorAll('#' + id + ' g.v.pa:not(.fuori), #' + id + ' g.v.pe:not(.fuori)').length;
  });
  var intera = b - a > 900000;
  if (intera ? conti.profili * 3 > n || conti.mappa * 3 > n : conti.profili !== n)
    guasti.push('vista ' + [a, b] + ': luoghi ' + n + ', segni ' + JSON.stringify(conti));
  var per_segno = {};
  righe.forEach(function (r) {
    var c = r.getAttribute('data-c'), s = c && d.querySelector('#mappa g.v[data-k=' + c + ']:not(.fuori)');
    if (!s) guasti.push('riga ' + r.getAttribute('data-k') + ': nessun segno sulla mappa (' + c + ')');
    else per_segno[c] = (per_segno[c] || 0) + 1;
  });
  Object.keys(per_segno).forEach(function (c) {
    if (per_segno[c] < 2) return;
    var s = d.querySelector('#mappa g.v[data-k=' + c + ']');
    s.dispatchEvent(new PointerEvent('pointermove', {bubbles: true, clientX: 1, clientY: 1}));
    var t = d.getElementById('suggerimento').textContent;
    if (t.indexOf(per_segno[c] + ' problemi') !== 0) guasti.push('segno ' + c + ' per ' + per_segno[c] + ': "' + t + '"');
  });
  if (intera && !Object.keys(per_segno).some(function (c) { return per_segno[c] > 1; })) guasti.push('nessun segno per più problemi');
  return guasti.join('\\n');
})()"""


# Zoomed anywhere on the long route, the map keeps the range's start on the
# left of its end: the range marked along the track, from its first point to
# its last, as the map draws it.
CONTROLLO_VERSO = """(function () {
  var d = document, guasti = [], L = +d.body.getAttribute('data-lunghezza');
  function verso(cosa) {
    var t = d.querySelector('#mappa .evidenza'), q = t.points, c = t.getCTM();
    if (!q.numberOfItems) return;
    var a = q.getItem(0), b = q.getItem(q.numberOfItems - 1);
    var xa = c.a * a.x + c.c * a.y + c.e, xb = c.a * b.x + c.c * b.y + c.e;
    if (xa > xb + 0.5) guasti.push(cosa + ': inizio a destra (' + xa.toFixed(1) + ' > ' + xb.toFixed(1) + ')');
  }
  for (var k = 0; k < 40; k++) {
    var m = Math.round((k + 0.5) * L / 40);
    d.getElementById('cerca-testo').value = m + ' m';
    d.getElementById('cerca').requestSubmit();
    verso(m + ' m');
    d.querySelector('[data-azione=riduci]').click();
    verso(m + ' m ridotta');
  }
  return guasti.join('\\n');
})()"""


# A line description whose reading stopped at a gradient that is not a
# number (line 17, after the gradient of 6 per mille from 1500 m): the line's
# data is shaded as not read from 1500 m and the elevation is not drawn as
# the -100 per mille that the empty cells decode to.
CONTROLLO_NON_LETTO = """(function () {
  var d = document, guasti = [], pr = d.getElementById('profili');
  var pannello = JSON.parse(pr.getAttribute('data-pannelli'))[0];
  var punti = d.querySelector('#profili-dati polyline.altimetria').getAttribute('points').trim().split(' ').map(function (q) {
    var xy = q.split(',').map(Number);
    return [xy[0], pannello[2] + (1 - (xy[1] - pannello[0]) / pannello[1]) * (pannello[3] - pannello[2])];
  });
  for (var i = 1; i < punti.length; i++) {
    var g = (punti[i][1] - punti[i - 1][1]) / (punti[i][0] - punti[i - 1][0]) * 1000;
    if (g < -10 || g > 10) guasti.push('altimetria: ' + g.toFixed(1) + ' per mille da ' + punti[i - 1][0] + ' m');
  }
  if (punti[punti.length - 1][0] !== 1500) guasti.push('altimetria fino a ' + punti[punti.length - 1][0] + ' m');
  var piatta = d.querySelector('#profili-dati polyline.piatta');
  if (!piatta || piatta.getAttribute('points') !== '1500,196.0 8000,196.0') guasti.push('nessun tratto piano oltre la lettura');
  var nl = [].filter.call(d.querySelectorAll('#profili-dati rect.nl'), function (r) { return +r.getAttribute('y') < 200; });
  if (nl.length !== 1 || nl[0].getAttribute('x') !== '1500' || getComputedStyle(nl[0]).display === 'none')
    guasti.push('parte non letta della linea: ' + nl.map(function (r) { return r.getAttribute('x'); }));
  var rp = pr.getBoundingClientRect(), W = pr.viewBox.baseVal.width, x = 56 + 5000 / 8000 * (W - 70);
  pr.dispatchEvent(new PointerEvent('pointermove', {clientX: rp.left + x * rp.width / W, clientY: rp.top + 300, bubbles: true}));
  var t = d.getElementById('lettura').textContent;
  if (t.indexOf('quota —') < 0 || t.indexOf('pendenza —') < 0) guasti.push('lettura a 5000 m: ' + t);
  return guasti.join('\\n');
})()"""


# A warning 85 m from an error (the faulty train run with its first signal
# moved to 4110 m, off the 50-m grid): the page writes one mark for both, the
# error's. Zoomed in, the warning has a mark of its own, drawn as a warning.
CONTROLLO_VICINI = """(function () {
  var d = document, guasti = [];
  ['mappa', 'profili'].forEach(function (id) {
    var e = d.querySelectorAll('#' + id + ' g.v.pe:not(.fuori)'), a = d.querySelectorAll('#' + id + ' g.v.pa:not(.fuori)');
    if (e.length !== 1 || a.length !== 1 || !a[0].querySelector('path') || a[0].querySelector('circle, line, text'))
      guasti.push(id + ': errori ' + e.length + ', avvisi ' + a.length + (a.length ? ': ' + a[0].innerHTML : ''));
  });
  return guasti.join('\\n');
})()"""


def avviso_vicino(cartella, treno):
    """The faulty train run with its first signal at 4110 m."""
    testo = open(treno, newline="").read().replace("segnale,    2200,", "segnale,    4110,")
    nuovo = os.path.join(cartella, "treno_avviso_vicino.txt")
    with open(nuovo, "w", newline="") as f:
        f.write(testo)
    return nuovo


def compila(programma, linea, treno, cartella):
    os.makedirs(cartella, exist_ok=True)
    r = subprocess.run([programma, "compile", linea, treno, "--out", cartella, "--report"],
                       capture_output=True, text=True)
    pagina = os.path.join(cartella, "Valdora_Cesina_KT52806_report.html")
    if r.returncode not in (0, 1) or not os.path.exists(pagina):
        raise RuntimeError(f"compile {linea} {treno}: uscita {r.returncode}: {r.stderr}")
    return pagina


def prova(programma, uscita):
    os.makedirs(uscita, exist_ok=True)
    fixture = os.path.join(RADICE, "tests", "fixtures")
    lavoro = tempfile.mkdtemp(prefix="prova_pagina_")
    percorsi = {
        "predefinito": (os.path.join(fixture, "attesi", "linea.txt"),
                        os.path.join(fixture, "attesi", "treno.txt")),
        "piccola": (os.path.join(fixture, "piccola", "linea.txt"),
                    os.path.join(fixture, "piccola", "treno.txt")),
        "errata": (os.path.join(fixture, "piccola", "linea.txt"),
                   os.path.join(fixture, "errate", "treno.txt")),
        "linea_errata": (os.path.join(fixture, "errate", "linea.txt"),
                         os.path.join(fixture, "piccola", "treno.txt")),
        "montagna": (os.path.join(fixture, "montagna", "linea.txt"),
                     os.path.join(fixture, "montagna", "treno.txt")),
        "990km": percorso_lungo(lavoro, 990000),
    }
    percorsi["990km_avvisi"] = con_avvisi(*percorsi["990km"])
    guasti = prove = 0
    browser = Chromium()
    try:
        for nome, (linea, treno) in percorsi.items():
            pagina = compila(programma, linea, treno, os.path.join(lavoro, nome))
            print(f"{nome}: {os.path.getsize(pagina)} byte")
            for larghezza in (1280, 420):
                riuscita, esito = verifica(browser, pagina, larghezza)
                print(f"  {larghezza} px: {esito}")
                guasti += not riuscita
                prove += 1
                browser.apri(url_di(pagina), larghezza)
                browser.fotografa(os.path.join(uscita, f"{nome}_{larghezza}.png"), larghezza)
            if nome == "linea_errata":
                prove += 1
                browser.apri(url_di(pagina), 1280)
                esito = browser.valuta(CONTROLLO_NON_LETTO)
                print(f"  parte non letta: {esito or 'ok'}")
                guasti += bool(esito)
            if nome == "990km":
                prove += 1
                browser.apri(url_di(pagina), 1280)
                esito = browser.valuta(CONTROLLO_VERSO)
                print(f"  verso della mappa: {esito or 'ok'}")
                guasti += bool(esito)
            if nome == "990km_avvisi":
                prove += 2
                byte = os.path.getsize(pagina)
                if byte > 500 * 1000:
                    print(f"  pagina di {byte} byte, oltre 500 KB")
                    guasti += 1
                for larghezza in (1280, 420):
                    browser.apri(url_di(pagina), larghezza)
                    esito = browser.valuta(CONTROLLO_PROBLEMI)
                    print(f"  {larghezza} px, problemi: {esito or 'ok'}")
                    guasti += bool(esito)
                    for frammento in ("", "#vista=400000-430000"):
                        prove += 1
                        browser.apri(url_di(pagina, frammento), larghezza)
                        esito = browser.valuta(CONTROLLO_GRAPPOLI)
                        print(f"  {larghezza} px {frammento or 'intera'}, segni dei problemi: {esito or 'ok'}")
                        guasti += bool(esito)
            if nome == "predefinito":
                for larghezza in (1280, 420):
                    prove += 1
                    esito = interazioni(browser, pagina, larghezza)
                    print(f"  {larghezza} px, comandi: {esito or 'ok'}")
                    guasti += bool(esito)
                prove += 1
                browser.apri(url_di(pagina), 1280)
                esito = browser.valuta(CONTROLLO_SCARICA)
                print(f"  scarica: {esito or 'ok'}")
                guasti += bool(esito)
            for larghezza in (1280, 420):
                prove += 1
                statico = senza_script(browser, pagina, larghezza)
                print(f"  {larghezza} px senza script: {statico or 'ok'}")
                guasti += bool(statico)
        prove += 1
        vicino = compila(programma, percorsi["piccola"][0],
                         avviso_vicino(lavoro, os.path.join(fixture, "errate", "treno.txt")),
                         os.path.join(lavoro, "avviso_vicino"))
        browser.apri(url_di(vicino, "#vista=3900-4300"), 1280)
        esito = browser.valuta(CONTROLLO_VICINI)
        print(f"avviso vicino a un errore: {esito or 'ok'}")
        guasti += bool(esito)
        lunga = os.path.join(lavoro, "990km", "Valdora_Cesina_KT52806_report.html")
        browser.apri(url_di(lunga, "#vista=400000-430000"), 1280)
        browser.fotografa(os.path.join(uscita, "990km_ingrandita_1280.png"), 1280)
        browser.apri(url_di(lunga), 1280, script=False)
        browser.fotografa(os.path.join(uscita, "990km_senza_script_1280.png"), 1280)
    finally:
        browser.chiudi()
        shutil.rmtree(lavoro, ignore_errors=True)
    print(f"immagini in {uscita}")
    print(f"verifiche {prove}, non riuscite {guasti}")
    return 1 if guasti else 0


def main():
    a = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    a.add_argument("programma", nargs="?")
    a.add_argument("uscita", nargs="?")
    a.add_argument("--pagina")
    a.add_argument("--larghezza", type=int, default=1280)
    a.add_argument("--png")
    a.add_argument("--frammento", default="")
    a.add_argument("--senza-script", action="store_true")
    a.add_argument("--da", type=int, default=0, help="first pixel row of the screenshot")
    a.add_argument("--altezza", type=int, help="rows of the screenshot")
    a.add_argument("--x", type=int, default=0, help="first pixel column of the screenshot")
    a.add_argument("--ritaglio", type=int, help="columns of the screenshot")
    a.add_argument("--scala", type=float, default=1, help="magnification of the screenshot")
    o = a.parse_args()
    try:
        if o.pagina:
            browser = Chromium()
            try:
                if o.frammento == "#verifica":  # the layout check, then the page as it opens
                    print(verifica(browser, o.pagina, o.larghezza)[1])
                browser.apri(url_di(o.pagina, "" if o.frammento == "#verifica" else o.frammento),
                             o.larghezza, script=not o.senza_script)
                if o.png:
                    browser.fotografa(o.png, o.ritaglio or o.larghezza, o.da, o.altezza, o.x,
                                      o.scala)
            finally:
                browser.chiudi()
            return 0
        if not o.programma or not o.uscita:
            a.error("PROGRAM and OUT_DIR, or --pagina")
        return prova(o.programma, o.uscita)
    except (RuntimeError, OSError) as e:
        print(f"prova_pagina: {e}", file=sys.stderr)
        return 2


if __name__ == "__main__":
    sys.exit(main())
