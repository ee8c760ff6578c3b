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
function Posti(w, h, presi, aria) { this.w = w; this.h = h; this.presi = presi.slice(); this.aria = aria; }
Posti.prototype.libero = function (s) {
  if (s[0] < 0 || s[1] < 0 || s[2] > this.w || s[3] > this.h) return false;
  for (var i = 0; i < this.presi.length; i++) if (sovrapposti(s, this.presi[i])) return false;
  return true;
};
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
        scatola: scatola, Posti: Posti, progressiva: progressiva,
        metri_della_progressiva: metri_della_progressiva, leggi_ricerca: leggi_ricerca, semplice: semplice,
        punti_di: punti_di, valore_a: valore_a, pendenza_a: pendenza_a, raggio: raggio};
})();
if (typeof module === 'object' && module.exports) module.exports = F;
