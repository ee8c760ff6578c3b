// The report page's pure functions, in node: node --test tests/page/
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const F = require(path.join(__dirname, '..', '..', 'src', 'page', 'pagina_funzioni.js'));

test('number formats', () => {
  const casi = [
    // [value, tondo, breve, distanza]
    [0.3, 1, '0.3', '0.3 m'],
    [7, 10, '7', '7 m'],
    [11, 20, '11', '11 m'],
    [101, 200, '101', '101 m'],
    [201, 500, '201', '201 m'],
    [999.5, 1000, '999.5', '999.5 m'],
    [1000, 1000, '1000', '1 km'],
    [46150, 50000, '46150', '46.15 km'],
    [123456.7891, 200000, '123457', '123.457 km'],
  ];
  for (const [v, t, b, d] of casi) {
    assert.equal(F.tondo(v), t, `tondo(${v})`);
    assert.equal(F.breve(v), b, `breve(${v})`);
    assert.equal(F.distanza(v, 'km'), d, `distanza(${v})`);
  }
  assert.equal(F.distanza(-500, 'km'), '-500 m');
  assert.equal(F.km3(69), '69.000');
  assert.equal(F.km3(46.15), '46.150');
  assert.equal(F.frase('{1} of {0}, {1}', ['a', 'b']), 'b of a, b');
});

test('search: what a query asks for', () => {
  const casi = [
    // [query, line with progressives, answer]
    ['46000', false, {forma: 'metri', metri: 46000}],
    ['46000 m', true, {forma: 'metri', metri: 46000}],
    ['46 km', true, {forma: 'km', metri: 46000}],
    ['KM 46', true, {forma: 'km', metri: 46000}],
    ['23.5', true, {forma: 'km', metri: 23500}],
    ['23,5', false, {forma: 'km', metri: 23500}],
    ['46.000', false, {forma: 'km', metri: 46000}],
    ['69.000', true, {forma: 'progressiva', km: 69, metri: 69000}],
    ['69,250', true, {forma: 'progressiva', km: 69.25, metri: 69250}],
    ['69.000 km', true, {forma: 'km', metri: 69000}],
    ['69+000', false, {forma: 'progressiva', km: 69}],
    [' 69+250 ', true, {forma: 'progressiva', km: 69.25}],
    ['km 12+5', true, {forma: 'progressiva', km: 12.5}],
    ['-5', false, {forma: 'metri', metri: -5}],
  ];
  for (const [q, p, atteso] of casi) assert.deepEqual(F.leggi_ricerca(q, p), atteso, q);
  for (const q of ['Lavis', 'S12', '12+', '1.2.3', '69+0000', '', 'km']) assert.equal(F.leggi_ricerca(q, true), null, q);
});

test('names: accents, case, underscores and blanks do not count', () => {
  assert.equal(F.semplice('TRENTO_SCALO'), 'trento scalo');
  assert.equal(F.semplice('Salorno  Salurn'), 'salorno salurn');
  assert.equal(F.semplice('Mezzocorona Città'), 'mezzocorona citta');
});

test('progressive km both ways', () => {
  // From 0 up from 10.000 km; from 5000 m down from 20.000 km; from 8000 m up from 1.000 km.
  const p = [[8000, 1000, 0], [5000, 20000, 1], [0, 10000, 0]];
  const casi = [[0, 10], [4999, 14.999], [5000, 20], [6000, 19], [7999, 17.001], [8000, 1], [9000, 2]];
  for (const [m, km] of casi) {
    assert.ok(Math.abs(F.progressiva(p, m) - km) < 1e-9, `progressiva(${m})`);
  }
  assert.deepEqual(F.metri_della_progressiva(p, 12, 10000), [2000]);
  // 19.000 is passed twice: going down after 5000 m, none before.
  assert.deepEqual(F.metri_della_progressiva(p, 19, 10000), [6000]);
  assert.deepEqual(F.metri_della_progressiva(p, 2, 10000), [9000]);
  // 14.000 on the way up and on the way down.
  const su_e_giu = [[5000, 15000, 1], [0, 10000, 0]];
  assert.deepEqual(F.metri_della_progressiva(su_e_giu, 14, 10000), [4000, 6000]);
  assert.deepEqual(F.metri_della_progressiva(p, 50, 10000), []);
  // The first segment ends at the route's end, the others at the next start.
  assert.deepEqual(F.metri_della_progressiva(p, 3, 10000), [10000]);
  assert.deepEqual(F.metri_della_progressiva(p, 3, 9999), []);
  assert.deepEqual(F.metri_della_progressiva([[0, 0, 0]], 69, 990000), [69000]);
  // Before the first start the last segment goes on backwards.
  assert.deepEqual(F.metri_della_progressiva([[1000, 5000, 0]], 4.5, 3000), [500]);
});

test('labels take the first free place, inside the drawing', () => {
  const misura = {x: 0, y: -8, w: 30, h: 10};
  const posti = [[0, 0, 0], [0, 20, 1], [-4, 0, 2]];
  const p = new F.Posti(200, 100, [[0, 0, 10, 10]], 1.5);
  // Start-anchored right of the mark.
  assert.equal(p.trova(misura, 50, 50, posti), 0);
  assert.deepEqual(p.presi[1], [48.5, 40.5, 81.5, 53.5]);
  // The same mark again: the first place is taken, the second (below, centred) is free.
  assert.equal(p.trova(misura, 50, 50, posti), 1);
  assert.deepEqual(p.presi[2], [33.5, 60.5, 66.5, 73.5]);
  // Then end-anchored on the left of the mark.
  assert.equal(p.trova(misura, 50, 50, posti), 2);
  assert.deepEqual(p.presi[3], [14.5, 40.5, 47.5, 53.5]);
  assert.equal(p.trova(misura, 50, 50, posti), -1);
  assert.equal(p.presi.length, 4);
  // Out of the drawing on every side, and over a fixed box.
  assert.equal(p.trova(misura, 180, 50, [[0, 0, 0]]), -1);
  assert.equal(p.trova(misura, 120, 5, [[0, 0, 1]]), -1);
  assert.equal(p.trova(misura, 120, 99, [[0, 0, 1]]), -1);
  assert.equal(p.trova(misura, 3, 20, [[0, 0, 2]]), -1);
  assert.equal(p.trova(misura, 5, 15, [[0, 0, 0]]), -1);
  // Boxes that only touch do not overlap.
  assert.equal(F.sovrapposti([0, 0, 10, 10], [10, 0, 20, 10]), false);
  assert.equal(F.sovrapposti([0, 0, 10, 10], [9, 9, 20, 20]), true);
});

test('a segment meets a box: across, along an edge, inside, beside, past a corner', () => {
  const s = [10, 10, 20, 20];
  const casi = [
    // [a, b, meets]
    [[0, 15], [30, 15], true],    // straight across
    [[12, 12], [14, 18], true],   // wholly inside
    [[15, 0], [15, 10], true],    // ends on the top edge
    [[0, 0], [30, 30], true],     // through two corners
    [[0, 15], [9.9, 15], false],  // stops short on the left
    [[21, 0], [21, 30], false],   // beside, parallel
    [[0, 25], [25, 0], true],     // cuts a corner
    [[0, 45], [45, 0], false],    // passes the corner outside
    [[15, 15], [15, 15], true],   // a point inside
    [[5, 5], [5, 5], false],      // a point outside
  ];
  for (const [a, b, atteso] of casi) {
    assert.equal(F.taglia_scatola(a, b, s), atteso, JSON.stringify([a, b]));
    assert.equal(F.taglia_scatola(b, a, s), atteso, 'reversed ' + JSON.stringify([a, b]));
  }
});

test('labels keep clear of the track line', () => {
  const misura = {x: 0, y: -8, w: 30, h: 10};
  // A track running down through the mark at x 50, then off to the right.
  const linee = new F.Linee(40, 1.5);
  linee.aggiungi([[50, -100], [50, 60], [300, 60]], [0, 0, 200, 100]);
  const p = new F.Posti(200, 100, [], 1.5, linee);
  // Centred above the mark: crossed by the track. On the right: free.
  assert.equal(p.trova(misura, 50, 40, [[0, -6, 1], [6, 3, 0]]), 1);
  // Below the mark: the horizontal leg at y 60 runs through it.
  assert.equal(p.trova(misura, 120, 50, [[0, 14, 1]]), -1);
  // Within the lines' half width of the box is crossing too.
  assert.equal(linee.taglia([51.4, 0, 70, 10]), true);
  assert.equal(linee.taglia([51.6, 0, 70, 10]), false);
  // A segment that only passes through cells far from the box is not tried.
  const lontane = new F.Linee(10, 0);
  lontane.aggiungi([[0, 0], [1000, 0]]);
  assert.equal(lontane.taglia([500, 5, 520, 20]), false);
  assert.equal(lontane.taglia([500, -5, 520, 20]), true);
  // Segments outside the drawing are left out.
  const fuori = new F.Linee(40, 0);
  fuori.aggiungi([[-50, -50], [-10, -10], [-10, 500]], [0, 0, 200, 100]);
  assert.deepEqual(fuori.celle, {});
});

test('marks close on the screen share one', () => {
  // Places along a track that folds back: the last comes back near the first
  // and joins its group; a place within reach of two groups' first places
  // joins the earlier group; the distance is to a group's first place, so a
  // chain of close places does not run on for ever.
  const posti = [[0, 0], [5, 0], [12, 0], [30, 0], [31, 8], [0, 1], [18, 0], [-40, -40]];
  assert.deepEqual(F.grappoli(posti, 12), [[0, 1, 2, 5], [3, 4, 6], [7]]);
  assert.deepEqual(F.grappoli(posti, 18), [[0, 1, 2, 5, 6], [3, 4], [7]]);
  assert.deepEqual(F.grappoli(posti, 0), [[0], [1], [2], [3], [4], [5], [6], [7]]);
  assert.deepEqual(F.grappoli(posti, 100), [[0, 1, 2, 3, 4, 5, 6, 7]]);
  assert.deepEqual(F.grappoli([[5, 5], [5, 5]], 0), [[0, 1]]);
  assert.deepEqual(F.grappoli([], 10), []);
  // Across the grid's cells: 11 px apart, on both sides of a cell's edge.
  assert.deepEqual(F.grappoli([[9.5, 9.5], [20.5, 9.5], [-1.5, 9.5]], 12), [[0, 1, 2]]);
});

test('values read off a line', () => {
  // Pixels down to values: y 100 is 0, each pixel up one more.
  const quota = F.punti_di(' 0,100 1000,90 1000,90 3000,110 ', (y) => 100 - y);
  assert.deepEqual(quota, [[0, 0], [1000, 10], [1000, 10], [3000, -10]]);
  assert.equal(F.valore_a(quota, 500), 5);
  assert.equal(F.valore_a(quota, 2000), 0);
  assert.equal(F.valore_a(quota, 3000), -10);
  assert.equal(F.valore_a(quota, 3001), null);
  assert.equal(F.valore_a(quota, -1), null);
  assert.equal(F.pendenza_a(quota, 500), 10);
  assert.equal(F.pendenza_a(quota, 1500), -10);
  // A step line: the value after the step at the step's metre.
  const limite = [[0, 60], [500, 60], [500, 100], [900, 100]];
  assert.equal(F.valore_a(limite, 499), 60);
  assert.equal(F.valore_a(limite, 500), 100);
  assert.equal(F.valore_a(limite, 900), 100);
  // Curvature in 1/km to a radius in metres; nearly straight is straight.
  assert.equal(F.raggio(2), 500);
  assert.equal(F.raggio(-3.3), 303);
  assert.equal(F.raggio(0.01), null);
  assert.equal(F.raggio(null), null);
});
