// The TextMate grammar's regular expressions on the fixtures' descriptions:
// every header, keyword line, comment and number is matched as what it is,
// and nothing else is taken for a keyword. (Oniguruma's leading (?i) is
// JavaScript's i flag.)
const { test } = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');

const grammatica = JSON.parse(fs.readFileSync(
  path.join(__dirname, '..', 'syntaxes', 'scenario.tmLanguage.json'), 'utf8'));
const regola = (nome) => {
  const testo = grammatica.repository[nome].match;
  return testo.startsWith('(?i)') ? new RegExp(testo.slice(4), 'iu') : new RegExp(testo, 'u');
};
const fixture = path.join(__dirname, '..', '..', '..', 'tests', 'fixtures');
const descrizioni = ['piccola/linea.txt', 'piccola/treno.txt', 'attesi/linea.txt',
  'attesi/treno.txt', 'errate/treno.txt'];

const righe = (file) => new TextDecoder('windows-1252')
  .decode(fs.readFileSync(path.join(fixture, file))).split(/\r\n|\r|\n/);

const parole = /^(lunghezza percorso|progressiva chilometrica|sfondo|ripetizione segnali|pendenza|curva|montagna|indicatori_vmax|cartello_indicatore|numero vetture|percentuale massa frenata|sabbia|orologio|aderenza|velocit|stazione|segnale|rallentamento|abbattimento)/i;

for (const file of descrizioni) {
  test(file, () => {
    for (const riga of righe(file)) {
      const campo = riga.split(',')[0].trim();
      const intestazione = /^\[.*\]$/.test(riga.trim());
      assert.strictEqual(regola('header').test(riga), intestazione, riga);
      if (intestazione || campo === '') continue;
      const commento = /-/.test(campo) && !/^[-+]?[0-9]/.test(campo);
      assert.strictEqual(regola('comment').test(riga), commento, riga);
      if (commento) continue;
      assert.strictEqual(regola('keyword').test(riga), parole.test(campo), riga);
      const numeri = riga.split(',').slice(1).map((v) => v.trim()).filter((v) => /^[-+]?[0-9]+$/.test(v));
      if (numeri.length > 0) {
        const trovati = riga.match(new RegExp(regola('number').source, 'gu')) || [];
        assert.ok(trovati.length >= numeri.length, riga);
      }
    }
  });
}

test('what is not a keyword', () => {
  for (const riga of ['pendneza, 1000, 4', '[pendenze]', '- pendenza in un commento', '  4000, 5'])
    assert.ok(!regola('keyword').test(riga), riga);
  assert.ok(regola('string').test('cartello_indicatore, 2500, "PONTE, VECCHIO"'));
});
