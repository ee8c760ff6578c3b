// The live page that `watch` serves: it follows the server's events and puts
// each new build's page in place of the one shown, without a reload, keeping
// the view: the range, the item chosen and the search (which the page's own
// script keeps in the address and reads back from it), the scroll and the
// sections opened. It runs before the page's script, so that it knows the
// listeners that script puts on the window and the document and takes them
// off before the script runs again on the new page.
(function () {
'use strict';
var doc = document, ascoltatori = [];
[window, doc].forEach(function (t) {
  var aggiungi = t.addEventListener;
  t.addEventListener = function (tipo, f, o) {
    ascoltatori.push([t, tipo, f, o]);
    return aggiungi.call(t, tipo, f, o);
  };
});
function stato() { return doc.getElementById('vivo-stato'); }
function mostrato() { var s = stato(); return s ? +s.getAttribute('data-numero') : 0; }

// The new page's body in place of the old one, parsed where it goes, then the
// page's script run again on it.
function scambia(testo) {
  var inizio = testo.indexOf('<body'), apertura = testo.indexOf('>', inizio), fine = testo.lastIndexOf('</body>');
  if (inizio < 0 || apertura < 0 || fine < apertura) return;
  // The head and the body's own attributes, from the page without its body.
  var testa = new DOMParser().parseFromString(testo.slice(0, apertura + 1) + '</body></html>', 'text/html');
  var x = window.scrollX, y = window.scrollY, cercato = doc.getElementById('cerca-esito');
  var esito = cercato ? cercato.textContent : '';
  var aperti = [].map.call(doc.querySelectorAll('details'), function (d) { return d.open; });
  ascoltatori.splice(0).forEach(function (a) { a[0].removeEventListener(a[1], a[2], a[3]); });
  var corpo = doc.body;
  [].slice.call(corpo.attributes).forEach(function (a) { corpo.removeAttribute(a.name); });
  [].forEach.call(testa.body.attributes, function (a) { corpo.setAttribute(a.name, a.value); });
  // Scripts put in by innerHTML do not run: the page's own is run below.
  corpo.innerHTML = testo.slice(apertura + 1, fine);
  var codice = [].map.call(corpo.querySelectorAll('script'), function (s) {
    var suo = s.id !== 'vivo' ? s.textContent : '';
    s.parentNode.removeChild(s);
    return suo;
  }).join('\n');
  doc.title = testa.title;
  [].forEach.call(doc.querySelectorAll('details'), function (d, i) { if (i < aperti.length) d.open = aperti[i]; });
  if (codice.trim()) new Function(codice)();
  cercato = doc.getElementById('cerca-esito');
  if (cercato && !cercato.textContent) cercato.textContent = esito;
  window.scrollTo(x, y);
}

// One page asked at a time; a build that came meanwhile is asked next.
var voluto = 0, inCorso = false;
function aggiorna() {
  if (inCorso || !voluto || voluto === mostrato()) return;
  inCorso = true;
  var riuscito = false;
  fetch('/', {cache: 'no-store'}).then(function (r) { return r.text(); }).then(function (t) {
    scambia(t);
    riuscito = true;
  }).catch(function () {}).then(function () {
    inCorso = false;
    if (riuscito) aggiorna();
  });
}
// A watch that stopped answering is said on the page, which stays as it is.
function scollegato(si) {
  var s = stato();
  if (!s) return;
  var p = s.querySelector('.scollegato');
  if (si && !p) {
    p = doc.createElement('p');
    p.className = 'scollegato';
    p.style.fontWeight = 'bold';
    p.textContent = s.getAttribute('data-scollegato');
    s.appendChild(p);
  } else if (!si && p) {
    p.parentNode.removeChild(p);
  }
}
var fonte = new EventSource('/eventi');
fonte.addEventListener('pagina', function (e) {
  scollegato(false);
  voluto = +e.data;
  aggiorna();
});
fonte.addEventListener('error', function () { scollegato(true); });
})();
