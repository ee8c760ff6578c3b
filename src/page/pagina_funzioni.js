// The report page's pure functions: number formats, label placement, the
// kilometric progressive and what a search asks for. No document here, so
// that node tests them (tests/page/pagina_funzioni.test.js); the page's
// script (pagina.js, after this) reads them from `F`.
var F = (function () {
'use strict';
// The round step (1, 2 or 5 times a power of ten) of at least `min`.
function tondo(min) {
  for (var d = Math.pow(10, Math.floor(Math.log10(Math.max(min, 1)))); ; d *= 10) {
    if (d >= min) return d;
    if (2 * d >= min) return 2 * d;
    if (5 * d >= min) return 5 * d;
  }
}
// Six significant digits at most, no trailing zeros.
function breve(x) { return String(+x.toPrecision(6)); }
// A phrase of T with its parts in the places {0}, {1}.
function frase(t, parti) { return t.replace(/\{(\d)\}/g, function (x, n) { return parti[n]; }); }
// A distance in metres below a kilometre, else in kilometres (`km` is the word).
function distanza(m, km) { return Math.abs(m) < 1000 ? breve(m) + ' m' : breve(m / 1000) + ' ' + km; }
// A progressive as the train sheet prints it: kilometres with three decimals.
function km3(km) { return km.toFixed(3); }
function sovrapposti(p, q) { return p[0] < q[2] && q[0] < p[2] && p[1] < q[3] && q[1] < p[3]; }

// --- Labels: a label of measure `m` (its box from its anchor) at a mark at
// x, y takes the first of its places `posti` ([dx, dy, anchor 0 start,
// 1 middle, 2 end]) where its box, with `aria` around it, stays inside the
// drawing and clear of the boxes taken before it.
function scatola(m, x, y, p, aria) {
  var x0 = x + p[0] + m.x - m.w * p[2] / 2, y0 = y + p[1] + m.y;
  return [x0 - aria, y0 - aria, x0 + m.w + aria, y0 + m.h + aria];
}
// `linee`, when given, holds the lines drawn that no label may cross.
function Posti(w, h, presi, aria, linee) {
  this.w = w; this.h = h; this.presi = presi.slice(); this.aria = aria; this.linee = linee || null;
}
Posti.prototype.libero = function (s) {
  if (s[0] < 0 || s[1] < 0 || s[2] > this.w || s[3] > this.h) return false;
  for (var i = 0; i < this.presi.length; i++) if (sovrapposti(s, this.presi[i])) return false;
  return !this.linee || !this.linee.taglia(s);
};

// --- Lines drawn (the track on the map): whether the segment a-b meets the
// box s [x0, y0, x1, y1], clipped to it one side at a time.
function taglia_scatola(a, b, s) {
  var t0 = 0, t1 = 1, dx = b[0] - a[0], dy = b[1] - a[1];
  var lati = [[-dx, a[0] - s[0]], [dx, s[2] - a[0]], [-dy, a[1] - s[1]], [dy, s[3] - a[1]]];
  for (var i = 0; i < 4; i++) {
    var p = lati[i][0], q = lati[i][1];
    if (p === 0) { if (q < 0) return false; continue; }
    var t = q / p;
    if (p < 0) { if (t > t1) return false; if (t > t0) t0 = t; }
    else { if (t < t0) return false; if (t < t1) t1 = t; }
  }
  return true;
}
// The segments of polylines in a grid of `passo`-pixel cells, so that a box
// is tried only against the segments near it; `spessore` is the lines' half
// width, kept clear too.
function Linee(passo, spessore) { this.passo = passo; this.spessore = spessore; this.celle = {}; }
Linee.prototype.celle_di = function (s, fai) {
  var p = this.passo;
  for (var i = Math.floor(s[0] / p); i <= Math.floor(s[2] / p); i++)
    for (var j = Math.floor(s[1] / p); j <= Math.floor(s[3] / p); j++) fai(i + ',' + j);
};
// Adds a polyline, keeping only its segments that meet the box `dentro`.
Linee.prototype.aggiungi = function (punti, dentro) {
  var celle = this.celle;
  for (var k = 1; k < punti.length; k++) {
    var a = punti[k - 1], b = punti[k];
    if (dentro && !taglia_scatola(a, b, dentro)) continue;
    var s = [Math.min(a[0], b[0]), Math.min(a[1], b[1]), Math.max(a[0], b[0]), Math.max(a[1], b[1])];
    if (dentro) s = [Math.max(s[0], dentro[0]), Math.max(s[1], dentro[1]), Math.min(s[2], dentro[2]), Math.min(s[3], dentro[3])];
    this.celle_di(s, function (c) { (celle[c] = celle[c] || []).push([a, b]); });
  }
};
Linee.prototype.taglia = function (s) {
  var e = this.spessore, q = [s[0] - e, s[1] - e, s[2] + e, s[3] + e], celle = this.celle, si = false;
  this.celle_di(q, function (c) {
    var segmenti = celle[c] || [];
    for (var i = 0; !si && i < segmenti.length; i++) si = taglia_scatola(segmenti[i][0], segmenti[i][1], q);
  });
  return si;
};

// --- Marks that stand close on the screen share one: `posti` are [x, y] in
// the order of their metres; a place joins the first group whose first
// place stands within `raggio` pixels of it (a track that folds back brings
// later places near earlier ones), else starts a group. The groups as lists
// of indices, each in order, by their first place.
function grappoli(posti, raggio) {
  var gruppi = [], celle = {}, r2 = raggio * raggio, lato = Math.max(raggio, 1e-9);
  function cella(p, di, dj) { return (Math.floor(p[0] / lato) + di) + ',' + (Math.floor(p[1] / lato) + dj); }
  for (var i = 0; i < posti.length; i++) {
    var p = posti[i], meglio = -1;
    for (var di = -1; di <= 1; di++) {
      for (var dj = -1; dj <= 1; dj++) {
        (celle[cella(p, di, dj)] || []).forEach(function (g) {
          var c = posti[gruppi[g][0]], dx = p[0] - c[0], dy = p[1] - c[1];
          if (dx * dx + dy * dy <= r2 && (meglio < 0 || g < meglio)) meglio = g;
        });
      }
    }
    if (meglio >= 0) { gruppi[meglio].push(i); continue; }
    (celle[cella(p, 0, 0)] = celle[cella(p, 0, 0)] || []).push(gruppi.length);
    gruppi.push([i]);
  }
  return gruppi;
}
// The index of the place taken, or -1 when none is free.
Posti.prototype.trova = function (m, x, y, posti) {
  for (var i = 0; i < posti.length; i++) {
    var s = scatola(m, x, y, posti[i], this.aria);
    if (this.libero(s)) { this.presi.push(s); return i; }
  }
  return -1;
};

// --- The kilometric progressive: `p` holds [start metre, value in metres
// there, decreasing], greatest start first; before the first start the
// last one goes on backwards.
function progressiva(p, m) {
  var q = p[p.length - 1];
  for (var i = 0; i < p.length; i++) if (p[i][0] <= m) { q = p[i]; break; }
  return (q[2] ? q[1] - (m - q[0]) : q[1] + (m - q[0])) / 1000;
}
// The metres of the route (0 to `L`) where the progressive is `km`, first
// ones first.
function metri_della_progressiva(p, km, L) {
  var v = Math.round(km * 1000), trovati = [];
  for (var i = 0; i < p.length; i++) {
    var da = i === p.length - 1 ? 0 : p[i][0], a = i === 0 ? L : p[i - 1][0];
    var m = p[i][0] + (p[i][2] ? p[i][1] - v : v - p[i][1]);
    if (m >= da && m <= a && (m < a || i === 0)) trovati.push(m);
  }
  return trovati.sort(function (x, y) { return x - y; });
}

// --- What a search asks for: a progressive as the train sheet prints it
// (`69+000`, or `69.000` with three decimals on a line that has
// progressives; `metri` then says where it is read as kilometres from the
// start, when the line has no such progressive), kilometres (`46 km`,
// `km 46`, `23.5`) or metres (`46000`, `46000 m`); else null, a name.
function leggi_ricerca(testo, con_progressive) {
  var q = testo.trim();
  var piu = /^(?:km\s*)?(\d+)\+(\d{1,3})$/i.exec(q);
  if (piu) return {forma: 'progressiva', km: +piu[1] + +piu[2] / Math.pow(10, piu[2].length)};
  var n = /^(km\s*)?(-?\d+(?:([.,])(\d+))?)\s*(km|m)?$/i.exec(q);
  if (!n) return null;
  var valore = Number(n[2].replace(',', '.'));
  if (con_progressive && !n[1] && !n[5] && n[3] && n[4].length === 3 && valore >= 0)
    return {forma: 'progressiva', km: valore, metri: valore * 1000};
  // A number with a decimal part and no unit is kilometres (40.000, 23.5).
  var km = n[1] || (n[5] ? n[5].toLowerCase() === 'km' : !!n[3]);
  return {forma: km ? 'km' : 'metri', metri: valore * (km ? 1000 : 1)};
}
// --- Values read off a line: `punti` are [metre, value] by metre.
function punti_di(testo, valore) {
  return testo.trim().split(/\s+/).map(function (q) {
    var xy = q.split(',');
    return [+xy[0], valore(+xy[1])];
  });
}
// The segment of the line at metre m: the index of its first point, -1
// outside the line. On a step the later value counts.
function segmento(p, m) {
  if (!p.length || m < p[0][0] || m > p[p.length - 1][0]) return -1;
  var lo = 0, hi = p.length - 1;
  while (hi - lo > 1) { var c = (lo + hi) >> 1; if (p[c][0] <= m) lo = c; else hi = c; }
  return lo;
}
function valore_a(p, m) {
  var i = segmento(p, m);
  if (i < 0) return null;
  var a = p[i], z = p[Math.min(i + 1, p.length - 1)];
  return z[0] > a[0] ? a[1] + (z[1] - a[1]) * (m - a[0]) / (z[0] - a[0]) : z[1];
}
// The gradient in per mille of the stretch of the elevation line at m.
function pendenza_a(p, m) {
  var i = segmento(p, m);
  if (i < 0 || i + 1 >= p.length) return null;
  var a = p[i], z = p[i + 1];
  return z[0] > a[0] ? (z[1] - a[1]) / (z[0] - a[0]) * 1000 : 0;
}
// The radius in metres of a curvature in 1/km; null for straight track
// (a radius beyond 50 km).
function raggio(curvatura) {
  return curvatura == null || Math.abs(curvatura) < 0.02 ? null : Math.round(1000 / Math.abs(curvatura));
}

// Accents, case, underscores and repeated blanks do not count in a name.
function semplice(t) {
  return t.normalize('NFD').replace(/[\u0300-\u036f]/g, '').replace(/[_\s]+/g, ' ').toLowerCase();
}

return {tondo: tondo, breve: breve, frase: frase, distanza: distanza, km3: km3, sovrapposti: sovrapposti,
        scatola: scatola, Posti: Posti, taglia_scatola: taglia_scatola, Linee: Linee, grappoli: grappoli,
        progressiva: progressiva,
        metri_della_progressiva: metri_della_progressiva, leggi_ricerca: leggi_ricerca, semplice: semplice,
        punti_di: punti_di, valore_a: valore_a, pendenza_a: pendenza_a, raggio: raggio};
})();
if (typeof module === 'object' && module.exports) module.exports = F;
