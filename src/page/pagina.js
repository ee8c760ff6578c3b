
(function () {
'use strict';
var doc = document, NS = 'http://www.w3.org/2000/svg';
var L = Math.max(1, +doc.body.getAttribute('data-lunghezza') || 1);
var vista = {a: 0, b: L}, minimo = Math.min(L, 400), ARIA = 1.5;
var SPAZIO = +doc.body.getAttribute('data-spazio'), METRI_PER_PIXEL = +doc.body.getAttribute('data-dettagli');
var descrizioni = {};
function $(id) { return doc.getElementById(id); }
function crea(nome, attributi, padre) {
  var e = doc.createElementNS(NS, nome);
  for (var k in attributi) e.setAttribute(k, attributi[k]);
  if (padre) padre.appendChild(e);
  return e;
}
var tondo = F.tondo, frase = F.frase, semplice = F.semplice;
function distanza(m) { return F.distanza(m, T.km); }
function classe(e, nome, si) { e.classList.toggle(nome, !!si); }

// --- Labels: measured once, then placed in priority order where they fit.
function misura(t) {
  var b = t.getBBox(), x = +t.getAttribute('x'), y = +t.getAttribute('y');
  var a = t.getAttribute('text-anchor') || 'start';
  var sx = b.x - x + (a === 'middle' ? b.width / 2 : a === 'end' ? b.width : 0);
  return {x: sx, y: b.y - y, w: b.width, h: b.height};
}
function metti(t, p) {
  t.setAttribute('x', p[0]); t.setAttribute('y', p[1]);
  t.setAttribute('text-anchor', ['start', 'middle', 'end'][p[2]]);
}
function Etichette(w, h, fissi, linee) { F.Posti.call(this, w, h, fissi, ARIA, linee); }
Etichette.prototype = Object.create(F.Posti.prototype);
// A station's name that finds no place clear of all the track shown may
// cross the track outside the range (`riserva`: the lines of the range's
// stretch only), where a route winds back over itself.
Etichette.prototype.colloca = function (t, m, x, y, posti, riserva) {
  var i = this.trova(m, x, y, posti), tutte = this.linee;
  if (i < 0 && riserva) { this.linee = riserva; i = this.trova(m, x, y, posti); this.linee = tutte; }
  if (i >= 0) metti(t, posti[i]);
  classe(t, 'muta', i < 0);
  return i >= 0;
};

// --- A drawing: its items, with the metre and the aspect of each.
function Disegno(svg) {
  var d = this, aspetti = {};
  d.svg = svg; d.aspetti = aspetti;
  JSON.parse(svg.getAttribute('data-voci')).forEach(function (a, i) { a.i = i; aspetti[a.k] = a; });
  d.voci = [].map.call(svg.querySelectorAll('g.v'), function (g) {
    var k = g.getAttribute('class').split(' ')[1], t = g.querySelector('text.et');
    var xy = /translate\(([^,]+),([^)]+)\)/.exec(g.getAttribute('transform'));
    classe(g, 'fuori', false);
    if (t) classe(t, 'muta', false);
    return {g: g, a: aspetti[k], k: g.getAttribute('data-k'), m: +g.getAttribute('data-m'),
            y0: +xy[2], et: t, nome: t ? t.textContent : ''};
  });
  d.voci.forEach(function (v, i) { v.i = i; if (v.et) v.misura = misura(v.et); });
  d.voci.sort(function (p, q) { return p.a.i - q.a.i || p.i - q.i; });
  d.conti = {};
  [].forEach.call(svg.querySelectorAll('title'), function (t) {
    var k = t.parentNode.getAttribute('data-k');
    if (k) descrizioni[k] = t.textContent;
    t.parentNode.removeChild(t);
  });
  // The problems' marks as written (grouped for the whole route) go: the
  // script groups them again at each zoom, from clones of the first ones.
  d.modelli = {}; d.capo = {}; d.segni = []; d.testi = {};
  d.voci = d.voci.filter(function (v) {
    if (!/^p[ea]$/.test(v.a.k)) return true;
    if (!d.modelli[v.a.k]) d.modelli[v.a.k] = {g: v.g, a: v.a, y0: v.y0, padre: v.g.parentNode};
    v.g.parentNode.removeChild(v.g);
    return false;
  });
}
Disegno.prototype.fissi = function () {
  return [].map.call(this.svg.querySelectorAll('text.fisso'), function (t) {
    var b = t.getBBox();
    return [b.x - ARIA, b.y - ARIA, b.x + b.width + ARIA, b.y + b.height + ARIA];
  });
};
// Shows the items of the range at their places (`dove` gives x and y, or
// nothing) and places the labels; detail kinds only from a zoom on and while
// their marks have room.
Disegno.prototype.disponi = function (dove, spazio, etichette) {
  var conti = {};
  this.raggruppa(dove);
  this.voci.forEach(function (v) {
    if (v.m >= vista.a && v.m <= vista.b) conti[v.a.k] = (conti[v.a.k] || 0) + 1;
  });
  var dettagli = (vista.b - vista.a) / spazio <= METRI_PER_PIXEL;
  var visibili = this.voci.filter(function (v) {
    var p = v.m >= vista.a && v.m <= vista.b && dove(v);
    var si = !!p && (!v.a.d || dettagli && (conti[v.a.k] || 0) * SPAZIO <= spazio);
    classe(v.g, 'fuori', !si);
    if (!si) return false;
    v.x = p[0]; v.y = p[1];
    v.g.setAttribute('transform', 'translate(' + p[0].toFixed(1) + ',' + p[1].toFixed(1) + ')');
    return true;
  });
  visibili.forEach(function (v) {
    var r = v.a.r, y = v.y + v.a.y;
    if (r > 0) etichette.presi.push([v.x - r, y - r, v.x + r, y + r]);
  });
  visibili.forEach(function (v) {
    if (v.et) etichette.colloca(v.et, v.misura, v.x, v.y, v.a.p, v.a.k === 'st' && etichette.riserva);
  });
};
// --- The problems' marks: one a place, and the places that stand within
// RAGGIO pixels of each other at the zoom shown share one mark, with their
// count. The places come from the problems' list, whose rows give the
// metre, the message and file:line of each; a group of the list unticked
// takes its problems off the drawings.
var RAGGIO = 32, luoghi = [];
function al_metro(m) {
  var p = profili && profili.progressive.length;
  return Math.round(m) + ' m' + (p ? ' (' + T.progr + ' ' + F.km3(profili.progressiva(m)) + ' ' + T.km + ')' : '');
}
function luoghi_dei_problemi() {
  var per_metro = {};
  [].forEach.call(doc.querySelectorAll('#problemi tr[data-m]'), function (r) {
    var k = r.getAttribute('data-k'), c = r.cells, m = +r.getAttribute('data-m'), errore = /^pe/.test(k);
    var q = {k: k, m: m, errore: errore, riga: r, gruppo: r.closest('details.gruppo'),
             testo: (errore ? '' : c[0].textContent + ': ') + c[3].textContent, dove: c[2].textContent};
    if (!per_metro[m]) luoghi.push(per_metro[m] = {m: m, problemi: []});
    per_metro[m].problemi.push(q);
  });
  luoghi.sort(function (a, b) { return a.m - b.m; });
}
// What a mark for these problems says: a problem's own message and place,
// or their count and where they lie; only errors are labelled.
function segno_dei_problemi(problemi) {
  var capo = problemi.filter(function (q) { return q.errore; })[0] || problemi[0], n = problemi.length;
  var primo = problemi[0].m, ultimo = problemi[n - 1].m, conto = frase(T.problemi, [n]);
  var errore = capo.errore;
  return {capo: capo, errore: errore,
          etichetta: !errore ? '' : n > 1 ? conto : capo.testo.slice(0, capo.testo.indexOf(':')),
          descrizione: n > 1 ? conto + ' ' + frase(T.da_a, [al_metro(primo), al_metro(ultimo)])
                             : capo.testo + ' — ' + al_metro(capo.m) + (capo.dove ? ' · ' + capo.dove : '')};
}
// The problems outside the range share one hidden mark, so that each has
// its mark in each drawing.
Disegno.prototype.raggruppa = function (dove) {
  var d = this, posti = [], qui = [], fuori = [];
  d.segni.forEach(function (v) { v.g.parentNode.removeChild(v.g); });
  d.capo = {}; d.testi = {};
  luoghi.forEach(function (l) {
    var accesi = l.problemi.filter(function (q) { return !q.gruppo || !q.gruppo.classList.contains('fuori'); });
    var p = accesi.length && l.m >= vista.a && l.m <= vista.b && dove({m: l.m, y0: 0});
    if (p) { posti.push(p); qui.push(accesi); } else fuori = fuori.concat(accesi);
  });
  var segni = F.grappoli(posti, RAGGIO).map(function (gruppo) {
    var problemi = [].concat.apply([], gruppo.map(function (i) { return qui[i]; }));
    return d.segno(segno_dei_problemi(problemi), problemi);
  }).filter(Boolean);
  var nascosto = fuori.length && d.segno(segno_dei_problemi(fuori), fuori);
  if (nascosto) classe(nascosto.g, 'fuori', true);
  d.segni = nascosto ? segni.concat([nascosto]) : segni;
  d.voci = d.voci.filter(function (v) { return !v.problema; }).concat(segni);
  d.voci.sort(function (p, q) { return p.a.i - q.a.i || p.m - q.m; });
};
// A mark cloned from the page's own, for the problems it stands for.
// The page writes a kind's marks only where one stands for problems of the
// whole route: a kind it did not write is drawn with the drawing's `forme`
// (as the page draws them).
Disegno.prototype.modello = function (k) {
  var d = this, padre = d.svg.querySelector('g.voci');
  if (d.modelli[k] || !padre || !d.aspetti[k]) return d.modelli[k];
  var g = crea('g', {'class': 'v ' + k, transform: 'translate(0,0)'});
  d.forme[k].forEach(function (f) { crea(f[0], f[1], g); });
  if (k === 'pe') crea('text', {'class': 'et'}, g);
  return (d.modelli[k] = {g: g, a: d.aspetti[k], y0: 0, padre: padre});
};
Disegno.prototype.segno = function (s, problemi) {
  var d = this, modello = d.modello(s.errore ? 'pe' : 'pa');
  if (!modello) return null;
  var g = modello.g.cloneNode(true), t = g.querySelector('text.et'), k = s.capo.k;
  g.setAttribute('data-k', k);
  g.setAttribute('data-m', s.capo.m);
  classe(g, 'fuori', false); classe(g, 'scelta', false);
  if (t && !s.etichetta) { g.removeChild(t); t = null; }
  modello.padre.appendChild(g);
  if (t) { t.textContent = s.etichetta; classe(t, 'muta', false); }
  d.testi[k] = s.descrizione;
  problemi.forEach(function (q) { d.capo[q.k] = k; });
  var v = {g: g, a: modello.a, k: k, m: s.capo.m, y0: modello.y0, et: t, nome: s.etichetta, problema: true};
  if (t) v.misura = misura(t);
  return v;
};
function larghezza(svg) { return Math.max(200, Math.round(svg.parentNode.clientWidth)); }

// --- The map: the plan's points with their metres, fitted to the range.
var mappa = null, profili = null;
function Mappa(svg) {
  Disegno.call(this, svg);
  var b = $('binario');
  this.m = b.getAttribute('data-m').split(' ').map(Number);
  this.p = b.getAttribute('points').split(' ').map(function (q) { return q.split(',').map(Number); });
  this.piano = $('mappa-piano');
  // The range shown, marked along the track under it.
  this.tratto = crea('polyline', {'class': 'evidenza'});
  this.piano.insertBefore(this.tratto, b);
}
Mappa.prototype = Object.create(Disegno.prototype);
Mappa.prototype.forme = {pe: [['circle', {r: 7}], ['path', {d: 'M-4,-4L4,4M-4,4L4,-4'}]],
                         pa: [['path', {d: 'M0,-7L6.5,5H-6.5Z'}]]};
Mappa.prototype.punto_piano = function (m) {
  var M = this.m, lo = 0, hi = M.length - 1;
  if (m <= M[0]) return this.p[0];
  if (m >= M[hi]) return this.p[hi];
  while (hi - lo > 1) { var c = (lo + hi) >> 1; if (M[c] <= m) lo = c; else hi = c; }
  var f = (m - M[lo]) / (M[hi] - M[lo]), a = this.p[lo], z = this.p[hi];
  return [a[0] + (z[0] - a[0]) * f, a[1] + (z[1] - a[1]) * f];
};
Mappa.prototype.schermo = function (m) {
  var q = this.punto_piano(m);
  return [q[0] * this.s * this.r + this.tx, q[1] * this.s * this.r + this.ty];
};
Mappa.prototype.disegna = function () {
  var d = this, W = larghezza(d.svg), H = Math.max(260, Math.min(440, Math.round(W * 0.36)));
  var x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300, g = 36;
  var punti = [d.punto_piano(vista.b), d.punto_piano(vista.a)];
  for (var i = 0; i < d.m.length; i++) if (d.m[i] > vista.a && d.m[i] < vista.b) punti.push(d.p[i]);
  punti.forEach(function (q) {
    x0 = Math.min(x0, q[0]); x1 = Math.max(x1, q[0]); y0 = Math.min(y0, q[1]); y1 = Math.max(y1, q[1]);
  });
  d.s = Math.min((W - 2 * g) / Math.max(1, x1 - x0), (H - 2 * g) / Math.max(1, y1 - y0));
  // A stretch that runs back to the left is turned half round, so that its
  // start stays on the left at every zoom (the whole route runs left to right).
  d.r = vista.b - vista.a < L && punti[1][0] > punti[0][0] ? -1 : 1;
  d.tx = W / 2 - (x0 + x1) / 2 * d.s * d.r; d.ty = H / 2 - (y0 + y1) / 2 * d.s * d.r;
  d.svg.setAttribute('viewBox', '0 0 ' + W + ' ' + H);
  d.piano.setAttribute('transform', 'matrix(' + [d.s * d.r, 0, 0, d.s * d.r, d.tx, d.ty].join(' ') + ')');
  var tratto = [punti[1]].concat(punti.slice(2), [punti[0]]);
  d.tratto.setAttribute('points', vista.b - vista.a < L ? tratto.join(' ') : '');
  var et = new Etichette(W, H, [], d.linee(d.p, W, H)), scala = tondo(90 / d.s), px = scala * d.s;
  et.riserva = d.linee(tratto, W, H);
  var sb = $('scala');
  sb.setAttribute('transform', 'translate(12,' + (H - 12) + ')');
  sb.querySelector('path').setAttribute('d', 'M0,-4V0H' + px.toFixed(1) + 'V-4');
  sb.querySelector('text').textContent = distanza(scala);
  et.presi.push([10, H - 32, 14 + Math.max(px, 40), H - 8]);
  d.disponi(function (v) {
    var p = d.schermo(v.m);
    return p[0] >= 0 && p[0] <= W && p[1] >= 0 && p[1] <= H ? p : null;
  }, W - 24, et);
  d.chilometri(W, H, et);
};
// The track as drawn, in the drawing's pixels: no label may cross it.
Mappa.prototype.linee = function (punti, W, H) {
  var d = this, k = d.s * d.r, linee = new F.Linee(40, 1.5);
  linee.aggiungi(punti.map(function (q) { return [q[0] * k + d.tx, q[1] * k + d.ty]; }), [0, 0, W, H]);
  return linee;
};
Mappa.prototype.chilometri = function (W, H, et) {
  var g = $('mappa-km'), passo = tondo(Math.max(100, 70 / this.s));
  while (g.firstChild) g.removeChild(g.firstChild);
  for (var m = Math.ceil(vista.a / passo) * passo; m <= Math.min(vista.b, L - 1); m += passo) {
    var p = this.schermo(m);
    if (m <= 0 || p[0] < 0 || p[0] > W || p[1] < 0 || p[1] > H) continue;
    var k = crea('g', {'class': 'km', transform: 'translate(' + p[0].toFixed(1) + ',' + p[1].toFixed(1) + ')'}, g);
    crea('circle', {r: 2}, k);
    var t = crea('text', {'class': 'et', x: 0, y: 13, 'text-anchor': 'middle'}, k);
    t.textContent = distanza(m);
    // Beside the post, or a little off where the track runs by it.
    et.colloca(t, misura(t), p[0], p[1], [[0, 13, 1], [0, -5, 1], [5, 3, 0], [-5, 3, 2],
      [0, 20, 1], [0, -12, 1], [11, 3, 0], [-11, 3, 2]]);
  }
};

// --- The profiles: the inner drawing stretched to the range, the axis.
function Profili(svg) {
  Disegno.call(this, svg);
  this.sx = +svg.getAttribute('data-sinistra'); this.dx = +svg.getAttribute('data-destra');
  this.asse = +svg.getAttribute('data-asse');
  this.progressive = JSON.parse(svg.getAttribute('data-progressive') || '[]');
  this.dati = $('profili-dati');
}
Profili.prototype = Object.create(Disegno.prototype);
Profili.prototype.forme = {pe: [['line', {y1: 52, y2: 492}]], pa: [['path', {d: 'M0,59l-4.5,-8h9z'}]]};
Profili.prototype.progressiva = function (m) { return F.progressiva(this.progressive, m); };
Profili.prototype.x = function (m) { return this.sx + (m - vista.a) / (vista.b - vista.a) * this.utile; };
Profili.prototype.metro = function (x) { return vista.a + (x - this.sx) / this.utile * (vista.b - vista.a); };
Profili.prototype.disegna = function () {
  var d = this, W = larghezza(d.svg), H = +d.svg.viewBox.baseVal.height;
  d.utile = W - d.sx - d.dx;
  d.svg.setAttribute('viewBox', '0 0 ' + W + ' ' + H);
  [].forEach.call(d.svg.querySelectorAll('.riquadro'), function (r) { r.setAttribute('width', d.utile); });
  d.dati.setAttribute('width', d.utile);
  d.dati.setAttribute('viewBox', vista.a + ' 0 ' + (vista.b - vista.a) + ' ' + H);
  var et = new Etichette(W, H, d.fissi());
  d.disponi(function (v) {
    return [d.x(v.m), v.y0];
  }, d.utile, et);
  d.assi(W);
};
Profili.prototype.assi = function (W) {
  var g = $('profili-asse'), a = this.asse, passo = tondo(Math.max(100, 70 * (vista.b - vista.a) / this.utile));
  while (g.firstChild) g.removeChild(g.firstChild);
  for (var m = Math.ceil(vista.a / passo) * passo; m <= vista.b + 0.5; m += passo) {
    var x = this.x(m).toFixed(1);
    crea('path', {d: 'M' + x + ',' + a + 'v6'}, g);
    var righe = [distanza(m)];
    if (this.progressive.length) righe.push(T.progr + ' ' + this.progressiva(m).toFixed(1));
    for (var i = 0; i < righe.length; i++) {
      var t = crea('text', {x: x, y: a + 20 + 14 * i, 'text-anchor': 'middle', 'class': i ? 'progr' : ''}, g);
      t.textContent = righe[i];
      var b = t.getBBox();
      if (b.x < 0 || b.x + b.width > W) g.removeChild(t);
    }
  }
};

// --- The range shown, and the ways to change it.
function disegna() {
  if (mappa) mappa.disegna();
  if (profili) profili.disegna();
  evidenzia(scelta);
  // A problem's row names the mark that stands for it on the map now.
  luoghi.forEach(function (l) {
    l.problemi.forEach(function (q) {
      var c = mappa && mappa.capo[q.k];
      if (c) q.riga.setAttribute('data-c', c); else q.riga.removeAttribute('data-c');
    });
  });
  $('vista-testo').textContent = frase(T.vista, [distanza(Math.round(vista.a)), distanza(Math.round(vista.b))]);
}
function imposta(a, b) {
  var ampiezza = Math.max(minimo, Math.min(L, b - a)), c = (a + b) / 2;
  a = c - ampiezza / 2; b = c + ampiezza / 2;
  if (a < 0) { b -= a; a = 0; }
  if (b > L) { a = Math.max(0, a - (b - L)); b = L; }
  vista.a = a; vista.b = b;
  disegna();
  scriviVista();
}
function ingrandisci(f, c) {
  if (c == null) c = (vista.a + vista.b) / 2;
  imposta(c - (c - vista.a) * f, c + (vista.b - c) * f);
}
function sposta(metri) { imposta(vista.a + metri, vista.b + metri); }
var azioni = {
  riduci: function () { ingrandisci(2); }, ingrandisci: function () { ingrandisci(0.5); },
  indietro: function () { sposta(-(vista.b - vista.a) / 2); }, avanti: function () { sposta((vista.b - vista.a) / 2); },
  tutto: function () { imposta(0, L); }
};
// Metres per pixel of a horizontal drag, and the metre under a point.
function metriPerPixel(d) { return d === profili ? (vista.b - vista.a) / d.utile : 1 / d.s; }
function metroSotto(d, x, y) {
  if (d === profili) return d.metro(x);
  var meglio = vista.a, minima = 1e300;
  for (var i = 0; i < d.m.length; i++) {
    if (d.m[i] < vista.a || d.m[i] > vista.b) continue;
    var q = d.schermo(d.m[i]), e = (q[0] - x) * (q[0] - x) + (q[1] - y) * (q[1] - y);
    if (e < minima) { minima = e; meglio = d.m[i]; }
  }
  return meglio;
}
function locale(d, e) {
  var r = d.svg.getBoundingClientRect(), k = d.svg.viewBox.baseVal.width / r.width;
  return [(e.clientX - r.left) * k, (e.clientY - r.top) * k];
}
function gesti(d) {
  var dita = {}, inizio = null;
  d.svg.addEventListener('wheel', function (e) {
    e.preventDefault();
    var p = locale(d, e);
    ingrandisci(e.deltaY > 0 ? 1.25 : 0.8, metroSotto(d, p[0], p[1]));
  }, {passive: false});
  d.svg.addEventListener('dblclick', function (e) {
    var p = locale(d, e);
    ingrandisci(0.5, metroSotto(d, p[0], p[1]));
  });
  d.svg.addEventListener('pointerdown', function (e) {
    dita[e.pointerId] = locale(d, e);
    inizio = {a: vista.a, b: vista.b, k: metriPerPixel(d), dita: JSON.parse(JSON.stringify(dita)), mosso: false};
  });
  d.svg.addEventListener('pointermove', function (e) {
    if (!inizio || !dita[e.pointerId]) return;
    dita[e.pointerId] = locale(d, e);
    var id = Object.keys(dita), p0 = inizio.dita[id[0]], p = dita[id[0]];
    if (!p0) return;
    if (!inizio.mosso && Math.abs(p[0] - p0[0]) + Math.abs(p[1] - p0[1]) < 5) return;
    if (!inizio.mosso) { inizio.mosso = true; d.svg.setPointerCapture(e.pointerId); nascondi(); }
    var ampiezza = inizio.b - inizio.a, c = (inizio.a + inizio.b) / 2;
    if (id.length > 1 && inizio.dita[id[1]]) {
      var q0 = inizio.dita[id[1]], q = dita[id[1]];
      var f = Math.hypot(p0[0] - q0[0], p0[1] - q0[1]) / Math.max(10, Math.hypot(p[0] - q[0], p[1] - q[1]));
      imposta(c - ampiezza * f / 2, c + ampiezza * f / 2);
    } else {
      var s = -(p[0] - p0[0]) * inizio.k;
      imposta(inizio.a + s, inizio.b + s);
    }
  });
  function fine(e) {
    delete dita[e.pointerId];
    if (inizio && inizio.mosso) { d.svg.dataset.trascinato = '1'; }
    if (!Object.keys(dita).length) inizio = null;
  }
  d.svg.addEventListener('pointerup', fine);
  d.svg.addEventListener('pointercancel', fine);
}

// --- What an item is: a tooltip on hover, kept on a tap or a click.
var suggerimento = $('suggerimento'), fermo = false;
function mostra(testo, x, y) {
  suggerimento.textContent = testo;
  suggerimento.hidden = false;
  var w = suggerimento.offsetWidth, h = suggerimento.offsetHeight;
  var sx = Math.min(x + 12, doc.documentElement.clientWidth - w - 4);
  suggerimento.style.left = Math.max(4, sx) + window.scrollX + 'px';
  suggerimento.style.top = (y + 16 + h > window.innerHeight ? y - h - 10 : y + 16) + window.scrollY + 'px';
}
function nascondi() { suggerimento.hidden = true; fermo = false; }
// What an item is: the problems' marks of each drawing say it themselves.
function descrizione(k, d) { return d && d.testi[k] || descrizioni[k]; }
function chiaveDi(e, d) {
  for (var n = e.target; n && n.getAttribute; n = n.parentNode) {
    var k = n.getAttribute('data-k');
    if (k && descrizione(k, d)) return k;
  }
  return null;
}
// The item chosen, marked wherever it is shown; a problem also by the mark
// that stands for it in each drawing.
var scelta = null;
function evidenzia(k) {
  scelta = k;
  [].forEach.call(doc.querySelectorAll('.scelta'), function (n) { classe(n, 'scelta', false); });
  if (!k) return;
  [].forEach.call(doc.querySelectorAll('[data-k="' + k + '"]'), function (n) { classe(n, 'scelta', true); });
  [mappa, profili].forEach(function (d) {
    var c = d && d.capo[k];
    if (c) [].forEach.call(d.svg.querySelectorAll('g.v[data-k="' + c + '"]'), function (n) { classe(n, 'scelta', true); });
  });
}
// The mark that stands for an item in the first drawing that shows it.
function segno_di(k) {
  var d = [mappa, profili].filter(function (d) { return d && d.capo[k]; })[0];
  return doc.querySelector('.disegno g.v[data-k="' + (d ? d.capo[k] : k) + '"]:not(.fuori)');
}
function suggerimenti(d) {
  d.svg.addEventListener('pointermove', function (e) {
    if (fermo || e.buttons) return;
    var k = chiaveDi(e, d);
    if (k) mostra(descrizione(k, d), e.clientX, e.clientY); else nascondi();
  });
  d.svg.addEventListener('pointerleave', function () { if (!fermo) nascondi(); });
  d.svg.addEventListener('click', function (e) {
    if (d.svg.dataset.trascinato) { delete d.svg.dataset.trascinato; return; }
    var k = chiaveDi(e, d);
    if (!k) { nascondi(); evidenzia(null); return; }
    mostra(descrizione(k, d), e.clientX, e.clientY);
    fermo = true;
    evidenzia(k);
  });
}

// --- Going to an item or a metre: the range around it, the item marked.
function vai(k, da, a) {
  var ampiezza = Math.min(vista.b - vista.a, Math.max(2000, minimo));
  if (a > da) imposta(da - (a - da) * 0.15, a + (a - da) * 0.15);
  else imposta(da - ampiezza / 2, da + ampiezza / 2);
  evidenzia(k);
  var primo = $('mappa') || $('profili');
  primo.parentNode.scrollIntoView({block: 'start'});
  var m = k && segno_di(k), c = m && m.getAttribute('data-k');
  var t = m && descrizione(c, mappa && m.ownerSVGElement === mappa.svg ? mappa : profili);
  if (t) {
    var r = m.getBoundingClientRect();
    mostra(t, r.left + r.width / 2, r.top + r.height / 2);
    fermo = true;
  } else {
    nascondi();
  }
}
function tabelle() {
  [].forEach.call(doc.querySelectorAll('tr[data-m]'), function (r) {
    r.addEventListener('click', function () {
      vai(r.getAttribute('data-k'), +r.getAttribute('data-m'), +(r.getAttribute('data-a') || -1));
    });
  });
  [].forEach.call(doc.querySelectorAll('table.voci th'), function (th) {
    th.setAttribute('aria-sort', 'none');
    th.addEventListener('click', function () { ordina(th); });
  });
}
function valore(td) {
  var t = td ? td.textContent.trim() : '', n = Number(t);
  return t !== '' && isFinite(n) ? n : t;
}
function ordina(th) {
  var tr = th.parentNode, i = [].indexOf.call(tr.children, th), corpo = th.closest('table').tBodies[0];
  var su = th.getAttribute('aria-sort') !== 'ascending';
  [].forEach.call(tr.children, function (c) { c.setAttribute('aria-sort', 'none'); });
  th.setAttribute('aria-sort', su ? 'ascending' : 'descending');
  var righe = [].slice.call(corpo.rows);
  righe.sort(function (p, q) {
    var a = valore(p.cells[i]), b = valore(q.cells[i]), r;
    if (typeof a === 'number' && typeof b === 'number') r = a - b;
    else r = String(a).localeCompare(String(b), 'it', {numeric: true});
    return su ? r : -r;
  });
  righe.forEach(function (r) { corpo.appendChild(r); });
}

// --- The readout at the cursor (or a tap): the values at that metre read
// off the profiles' lines.
function Lettura(d) {
  var pannelli = JSON.parse(d.svg.getAttribute('data-pannelli') || '[]'), l = this;
  function linea(classe, n) {
    var p = d.svg.querySelector('polyline.' + classe), q = pannelli[n];
    if (!p || !q) return [];
    return F.punti_di(p.getAttribute('points'), function (y) { return q[2] + (1 - (y - q[0]) / q[1]) * (q[3] - q[2]); });
  }
  l.quota = linea('altimetria', 0); l.limite = linea('efficace', 1); l.curvatura = linea('curvatura', 2);
  l.stazioni = d.voci.filter(function (v) { return v.a.k === 'st'; });
}
Lettura.prototype.testo = function (m) {
  var vuoto = '—', l = this;
  function cifra(x, n) { return x == null ? vuoto : x.toFixed(n); }
  var r = F.raggio(F.valore_a(l.curvatura, m)), vicina = null;
  l.stazioni.forEach(function (s) { if (!vicina || Math.abs(s.m - m) < Math.abs(vicina.m - m)) vicina = s; });
  return frase(T.lettura, [Math.round(m), profili.progressive.length ? F.km3(profili.progressiva(m)) : vuoto,
    cifra(F.valore_a(l.quota, m), 1), cifra(F.pendenza_a(l.quota, m), 1),
    !l.curvatura.length ? vuoto : r == null ? T.rettilineo : frase(T.raggio, [r]),
    cifra(F.valore_a(l.limite, m), 0), vicina ? vicina.nome + ' (' + distanza(Math.abs(vicina.m - m)) + ')' : vuoto]);
};
var lettura = null;
function leggi(d, e) {
  var p = locale(d, e), m = Math.max(0, Math.min(L, metroSotto(d, p[0], p[1])));
  var r = $('lettura');
  r.textContent = lettura.testo(m);
  r.setAttribute('data-m', Math.round(m));
}
function letture() {
  if (!profili) return;
  lettura = new Lettura(profili);
  [mappa, profili].forEach(function (d) {
    if (!d) return;
    d.svg.addEventListener('pointermove', function (e) { if (!e.buttons) leggi(d, e); });
    d.svg.addEventListener('click', function (e) { leggi(d, e); });
  });
}

// --- A drawing as a file: the drawing shown with the page's style in it;
// PNG painted from it where the browser allows.
function salva(blob, nome) {
  var a = doc.createElement('a');
  a.href = URL.createObjectURL(blob);
  a.download = nome;
  doc.body.appendChild(a);
  a.click();
  doc.body.removeChild(a);
}
function come_svg(svg) {
  var copia = svg.cloneNode(true), stile = doc.createElementNS(NS, 'style'), v = svg.viewBox.baseVal;
  stile.textContent = doc.querySelector('style').textContent;
  copia.insertBefore(stile, copia.firstChild);
  copia.setAttribute('width', v.width);
  copia.setAttribute('height', v.height);
  [].forEach.call(copia.querySelectorAll('.fuori, .muta'), function (e) { e.parentNode.removeChild(e); });
  return new XMLSerializer().serializeToString(copia);
}
function scarica(id, formato) {
  var svg = $(id), testo = come_svg(svg), nome = id + '.' + formato;
  if (formato === 'svg') { salva(new Blob([testo], {type: 'image/svg+xml'}), nome); return; }
  var immagine = new Image(), v = svg.viewBox.baseVal;
  immagine.onload = function () {
    var tela = doc.createElement('canvas');
    tela.width = v.width * 2; tela.height = v.height * 2;
    var g = tela.getContext('2d');
    g.scale(2, 2);
    g.drawImage(immagine, 0, 0);
    try {
      tela.toBlob(function (b) { if (b) salva(b, nome); });
    } catch {
      // A browser that will not export what it painted: SVG only.
    }
  };
  immagine.src = 'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(testo);
}
function scaricamenti() {
  [].forEach.call(doc.querySelectorAll('[data-scarica]'), function (b) {
    var svg = $(b.getAttribute('data-scarica'));
    if (!svg || svg.tagName.toLowerCase() !== 'svg') return;
    b.parentNode.hidden = false;
    b.addEventListener('click', function () { scarica(b.getAttribute('data-scarica'), b.getAttribute('data-formato')); });
  });
}

// --- The problems' filters: errors and each kind of warning. A group
// unticked is hidden, and the marks are made again from the others.
function filtri() {
  var f = $('filtri');
  if (!f) return;
  f.hidden = false;
  function applica() {
    var spenti = {};
    [].forEach.call(f.querySelectorAll('input'), function (c) { spenti[c.getAttribute('data-filtro')] = !c.checked; });
    [].forEach.call(doc.querySelectorAll('details.gruppo'), function (g) {
      classe(g, 'fuori', !!spenti[g.getAttribute('data-gruppo')]);
    });
    disegna();
  }
  f.addEventListener('change', applica);
}

// --- The search: a position in metres or km, or a name.
var trovati = [], indice = 0, cercato = '';
// A position: the progressive printed on the train sheet, km or metres from
// the start; the answer says which it read.
function cerca_posizione(r, esito) {
  var progressive = profili ? profili.progressive : [];
  if (r.forma === 'progressiva') {
    var metri = F.metri_della_progressiva(progressive, r.km, L);
    var assente = frase(T.progressiva_assente, [F.km3(r.km)]);
    if (!metri.length && r.metri == null) { esito.textContent = assente; return; }
    if (!metri.length) {
      // 46.000 on a line without that progressive: kilometres from the start.
      cerca_posizione({forma: 'km', metri: r.metri}, esito);
      esito.textContent = assente + '; ' + esito.textContent;
      return;
    }
    esito.textContent = frase(T.progressiva_trovata, [F.km3(r.km), distanza(metri[0])]);
    vai(null, metri[0], -1);
    return;
  }
  var m = r.metri;
  esito.textContent = m < 0 || m > L ? frase(T.oltre, [distanza(m), distanza(L)]) : frase(T.dall_inizio, [distanza(m)]);
  vai(null, m, -1);
}
function cerca(testo) {
  var q = testo.trim(), esito = $('cerca-esito');
  var r = F.leggi_ricerca(q, !!(profili && profili.progressive.length));
  if (r) { cerca_posizione(r, esito); return; }
  if (semplice(q) !== cercato) {
    cercato = semplice(q); indice = 0;
    var d = profili || mappa, esatti = [], altri = [];
    d.voci.forEach(function (v) {
      if (!/^(st|sg|ct|iv|pe|pa)/.test(v.k)) return;
      if (semplice(v.nome) === cercato) esatti.push(v);
      else if (cercato && semplice(descrizioni[v.k] || '').indexOf(cercato) >= 0) altri.push(v);
    });
    trovati = esatti.concat(altri);
  }
  if (!trovati.length) { esito.textContent = T.nessun_risultato; return; }
  var v = trovati[indice % trovati.length];
  esito.textContent = frase(T.risultato, [indice % trovati.length + 1, trovati.length]) + ': ' + (v.nome || descrizioni[v.k] || '');
  indice++;
  vai(v.k, v.m, -1);
}

// --- Start: the drawings take over from the static layout.
luoghi_dei_problemi();
if ($('mappa') && $('mappa').tagName.toLowerCase() === 'svg') mappa = new Mappa($('mappa'));
if ($('profili')) profili = new Profili($('profili'));
[mappa, profili].forEach(function (d) { if (d) { gesti(d); suggerimenti(d); } });
[].forEach.call(doc.querySelectorAll('[data-azione]'), function (b) {
  b.addEventListener('click', function () { azioni[b.getAttribute('data-azione')](); });
});
$('cerca').addEventListener('submit', function (e) { e.preventDefault(); cerca($('cerca-testo').value); });
doc.addEventListener('keydown', function (e) { if (e.key === 'Escape') { nascondi(); evidenzia(null); } });
tabelle();
filtri();
scaricamenti();
letture();
$('comandi').hidden = false;
$('senza-script').hidden = true;
var pronto = 0;
window.addEventListener('resize', function () {
  cancelAnimationFrame(pronto);
  pronto = requestAnimationFrame(disegna);
});

// --- The view in the page's address (#vista=A-B&scelta=K&cerca=TEXT): read
// back on load, so that a reload, a bookmark or a new build keeps it, and
// written as it changes, once the page has started.
var vistaPronta = false, cercata = '';
function parteVista(nome) {
  var p = new RegExp('[#&]' + nome + '=([^&]*)').exec(location.hash);
  try { return p ? decodeURIComponent(p[1]) : ''; } catch { return ''; }
}
function scriviVista() {
  if (!vistaPronta) return;
  var h = '#vista=' + Math.round(vista.a) + '-' + Math.round(vista.b);
  if (scelta) h += '&scelta=' + encodeURIComponent(scelta);
  if (cercata) h += '&cerca=' + encodeURIComponent(cercata);
  if (h === location.hash) return;
  try { history.replaceState(history.state, '', h); } catch { location.replace(h); }
}
var frammento = /vista=(-?[\d.]+)-([\d.]+)/.exec(location.hash);
if (frammento) imposta(+frammento[1], +frammento[2]); else imposta(0, L);
if (/^[\w-]+$/.test(parteVista('scelta'))) evidenzia(parteVista('scelta'));
cercata = parteVista('cerca');
$('cerca-testo').value = cercata;
vistaPronta = true;
doc.addEventListener('click', scriviVista);
doc.addEventListener('keydown', scriviVista);
$('cerca').addEventListener('submit', function () { cercata = $('cerca-testo').value.trim(); scriviVista(); });
})();
