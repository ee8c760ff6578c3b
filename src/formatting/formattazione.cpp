#include "formatting/formattazione.h"

#include <algorithm>
#include <array>

#include "core/testi.h"
#include "formatting/impaginazione.h"
#include "formatting/traccia.h"
#include "platform/cp1252.h"

namespace {

constexpr std::array modi = {
    modo_lettura::linea, modo_lettura::linea_senza_piano, modo_lettura::treno};

using tracce = std::array<traccia_lettura, 3>;

tracce traccia_tutte(std::string_view testo) {
  return {traccia(testo, modi[0]), traccia(testo, modi[1]),
          traccia(testo, modi[2])};
}

const char* rifiuto(std::string_view byte) {
  if (byte.size() > dimensione_massima_formattazione)
    return N_("the file is larger than 4 MB: a description is a few kilobytes");
  const bool bom16 =
      byte.size() >= 2 && ((byte[0] == '\xFF' && byte[1] == '\xFE') ||
                           (byte[0] == '\xFE' && byte[1] == '\xFF'));
  if (bom16 || byte.substr(0, 64).find('\0') != std::string_view::npos)
    return N_(
        "the file is in UTF-16: a description is Windows-1252 text, one "
        "byte a letter");
  if (byte.find('\0') != std::string_view::npos)
    return N_("the file holds NUL bytes: it is not the text of a description");
  return nullptr;
}

// The lines that stay as written: those before [generale] (skipped by the
// reader) and those from a value that the reader cannot read on (the reading
// stops there).
std::vector<bool> righe_fisse(std::size_t quante, const tracce& t,
                              fonte_lettura fonte) {
  const bool treno = fonte == fonte_lettura::descrizione_treno;
  const traccia_lettura& prima = treno ? t[2] : t[0];
  int guasto = prima.riga_guasto;
  if (!treno && t[1].riga_guasto != 0)
    guasto =
        guasto == 0 ? t[1].riga_guasto : std::min(guasto, t[1].riga_guasto);
  std::vector<bool> fisse(quante, false);
  for (std::size_t i = 0; i < quante; ++i) {
    const int riga = static_cast<int>(i) + 1;
    fisse[i] = prima.riga_generale == 0 || riga < prima.riga_generale ||
               (guasto != 0 && riga >= guasto);
  }
  return fisse;
}

struct prova {
  std::string testo;
  std::vector<int> origine;  // the input line (from 0) of each output line
  std::vector<bool> cambiate;
};

prova componi(const std::vector<riga_testo>& righe,
              const std::vector<bool>& fisse, bool utf8) {
  const std::vector<std::optional<std::string>> uscita =
      impagina(righe, fisse, utf8);
  prova p;
  p.cambiate.resize(righe.size());
  for (std::size_t i = 0; i < righe.size(); ++i) {
    p.cambiate[i] = !uscita[i] || *uscita[i] != righe[i].intera();
    if (!uscita[i]) continue;
    p.testo += *uscita[i];
    p.origine.push_back(static_cast<int>(i));
  }
  return p;
}

// The input lines that a differing event went over, from 0, in both texts.
std::pair<int, int> righe_della_differenza(const evento_lettura& prima,
                                           const evento_lettura& dopo,
                                           const prova& p, int quante) {
  const auto origine = [&](int riga) {
    if (p.origine.empty()) return 0;
    const int k =
        std::clamp(riga - 1, 0, static_cast<int>(p.origine.size()) - 1);
    return p.origine[static_cast<std::size_t>(k)];
  };
  const int da = std::min(prima.riga_inizio - 1, origine(dopo.riga_inizio));
  const int a = std::max(prima.riga_fine - 1, origine(dopo.riga_fine));
  return {std::clamp(da, 0, quante - 1), std::clamp(a, 0, quante - 1)};
}

// Marks as fixed the changed lines that a difference went over, or else the
// last changed line before them. False when no changed line is left.
bool fissa_righe(std::pair<int, int> tratto, const prova& p,
                 std::vector<bool>& fisse) {
  bool fissata = false;
  for (int i = tratto.first; i <= tratto.second; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (p.cambiate[k] && !fisse[k]) fisse[k] = fissata = true;
  }
  for (int i = tratto.first - 1; !fissata && i >= 0; --i) {
    const auto k = static_cast<std::size_t>(i);
    if (p.cambiate[k] && !fisse[k]) fisse[k] = fissata = true;
  }
  for (std::size_t k = tratto.second + 1; !fissata && k < fisse.size(); ++k) {
    if (p.cambiate[k] && !fisse[k]) fisse[k] = fissata = true;
  }
  return fissata;
}

bool utf8_con_lettere(std::string_view byte) {
  return std::any_of(
             byte.begin(), byte.end(),
             [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) &&
         utf8_valido(byte);
}

// How many times one pass may fix lines before it leaves the whole text as
// written: each try reads the text again, so a text with a great many lines
// that must stay would cost a reading for each.
constexpr int prove_massime = 100;

// One pass: the layout, then the proof, fixing lines until the traces agree.
// `prima` are the traces of `byte`; `del_risultato` gets those of the text
// returned, which the next pass starts from instead of reading it again.
std::string passo(std::string_view byte, const tracce& prima,
                  fonte_lettura fonte, tracce& del_risultato) {
  const auto come_era = [&] {
    del_risultato = prima;
    return std::string(byte);
  };
  const std::vector<riga_testo> righe = dividi_righe(byte);
  if (righe.empty()) return come_era();
  std::vector<bool> fisse = righe_fisse(righe.size(), prima, fonte);
  const bool utf8 = utf8_con_lettere(byte);
  const int quante = static_cast<int>(righe.size());
  for (int volta = 0; volta < prove_massime; ++volta) {
    prova p = componi(righe, fisse, utf8);
    // A text laid out as it already was reads as it did: its traces are
    // those it came with (the last pass of every run, and every pass over a
    // text already formatted, would read it three times for nothing).
    if (p.testo == byte) return come_era();
    tracce dopo = traccia_tutte(p.testo);
    bool uguali = true;
    for (std::size_t m = 0; m < modi.size() && uguali; ++m) {
      const long d = prima_differenza(prima[m], dopo[m]);
      if (d < 0) continue;
      uguali = false;
      // Every trace ends with its end event, so both hold event d.
      const auto i = static_cast<std::size_t>(d);
      const auto tratto = righe_della_differenza(
          prima[m].eventi.at(i), dopo[m].eventi.at(i), p, quante);
      if (!fissa_righe(tratto, p, fisse)) return come_era();
    }
    if (uguali) {
      del_risultato = std::move(dopo);
      return std::move(p.testo);
    }
  }
  return come_era();
}

}  // namespace

esito_formattazione formatta(std::string_view byte) {
  esito_formattazione e;
  e.motivo = rifiuto(byte);
  if (e.motivo != nullptr) {
    e.rifiutato = true;
    return e;
  }
  const tracce prima = traccia_tutte(byte);
  if (prima[2].parole > prima[0].parole)
    e.fonte = fonte_lettura::descrizione_treno;
  // Each pass reads as its input; a few more make the layout its own fixed
  // point, and a text that does not settle stays as written.
  tracce del_testo;
  std::string testo = passo(byte, prima, e.fonte, del_testo);
  for (int volta = 0; volta < 4; ++volta) {
    tracce dell_altro;
    std::string ancora = passo(testo, del_testo, e.fonte, dell_altro);
    if (ancora == testo) {
      e.testo = std::move(testo);
      return e;
    }
    testo = std::move(ancora);
    del_testo = std::move(dell_altro);
  }
  e.testo = std::string(byte);
  return e;
}
