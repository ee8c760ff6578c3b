#include "validation/controllo.h"

#include <algorithm>

#include "validation/limiti.h"
#include "validation/regole.h"
#include "validation/sviste.h"
#include "validation/voci.h"

namespace {

// Far more problems than any author reads: the rest are counted.
constexpr std::size_t problemi_massimi = 20000;

void controlla_voci(const descrizione_letta& d, std::string_view testo,
                    const percorso& r, std::vector<problema>& p) {
  if (d.non_controllati > 0) {
    problema x;
    x.g = gravita::avviso;
    x.fonte = d.fonte;
    x.testo = {
        N_("a very long description: the first {0} fields checked, not the "
           "other {1}"),
        {std::to_string(campi_controllati), std::to_string(d.non_controllati)}};
    p.push_back(std::move(x));
  }
  controlla_campi_ignorati(d, p);
  controlla_valori(d, p);
  controlla_testi_tra_virgolette(d, p);
  controlla_ripetizioni(d, p);
  controlla_posizioni(d, r, p);
  controlla_intervalli(d, p);
  controlla_ordine(d, p);
  controlla_gallerie(d, r, p);
  controlla_orari(d, p);
  controlla_profili_da_zero(d, p);
  controlla_multipli_di_5(d, p);
  controlla_sovrapposizioni(d, p);
  controlla_rallentamenti_presto(d, p);
  controlla_valori_vuoti(d, p);
  aggiungi_indizi(d, testo, p);
}

// The lines whose items the checks already find wrong: the compiler would take
// the next line's fields for their values, so they are left out when it
// compiles again.
righe_escluse righe_sbagliate(const std::vector<problema>& p) {
  righe_escluse righe;
  for (const problema& x : p) {
    if (x.g == gravita::errore && x.riga > 0 && !x.del_file)
      righe.insert({x.fonte, x.riga});
  }
  return righe;
}

// A compiler fault on a line where a check already says what is wrong there:
// the check's words, with the compiler's code.
void unisci_ai_controlli(std::vector<problema>& controlli,
                         std::vector<problema>& guasti) {
  for (problema& g : guasti) {
    if (g.codice != 25 && g.codice != 102) continue;
    auto stesso = std::find_if(
        controlli.begin(), controlli.end(), [&](const problema& c) {
          if (c.g != gravita::errore || c.fonte != g.fonte) return false;
          return g.codice == 102 ? c.codice == 102
                                 : c.codice == 0 && c.riga == g.riga;
        });
    if (stesso == controlli.end()) continue;
    stesso->codice = g.codice;
    stesso->registrato = g.registrato;
    g.codice = -1;  // merged
  }
  guasti.erase(std::remove_if(guasti.begin(), guasti.end(),
                              [](const problema& g) { return g.codice < 0; }),
               guasti.end());
}

// A compilation whose reading recorded no fault holds every item's cells.
bool letta_per_intero(const diagnostica& registrata,
                      const esito_compilazione& esito) {
  if (esito.tipo != esito_compilazione::completata) return false;
  return std::all_of(registrata.storia.begin(), registrata.storia.end(),
                     [](const registro_errore& r) {
                       return r.luogo.fonte == fonte_lettura::scansione;
                     });
}

}  // namespace

std::vector<problema> controlla_descrizioni(const ingresso_controllo& in,
                                            const tabelle& compilate,
                                            const diagnostica& registrata,
                                            const esito_compilazione& esito) {
  std::vector<problema> controlli;
  if (!in.convertiti_da_utf8) {
    controlla_codifica(in.grezzi.linea, fonte_lettura::descrizione_linea,
                       controlli);
    controlla_codifica(in.grezzi.treno, fonte_lettura::descrizione_treno,
                       controlli);
  }
  const descrizione_letta linea = leggi_voci(
      in.testi.linea, fonte_lettura::descrizione_linea, in.con_piano);
  const descrizione_letta treno = leggi_voci(
      in.testi.treno, fonte_lettura::descrizione_treno, in.con_piano);
  const percorso r = percorso_di(linea);
  if (!controlla_stesso_file(in.grezzi.linea, in.grezzi.treno, controlli))
    controlla_scambio(linea, treno, controlli);
  controlla_voci(linea, in.testi.linea, r, controlli);
  controlla_voci(treno, in.testi.treno, r, controlli);
  controlla_limiti_in_vigore(linea, treno, controlli);
  controlla_cartelli_nascosti(linea, treno, controlli);
  controlla_stazioni_assenti(treno, controlli);

  std::vector<problema> guasti;
  const contesto_guasti x{in.sc,
                          in.testi,
                          in.con_piano,
                          linea,
                          treno,
                          r,
                          in.ricompilazioni_massime};
  aggiungi_guasti(x, registrata, esito, righe_sbagliate(controlli), guasti);
  unisci_ai_controlli(controlli, guasti);
  if (letta_per_intero(registrata, esito) && righe_sbagliate(controlli).empty())
    aggiungi_sovrascritti(x, compilate, guasti);
  controlli.insert(controlli.end(), guasti.begin(), guasti.end());
  aggiungi_non_letto(registrata.storia, linea, treno, in.testi.linea,
                     in.testi.treno, controlli);
  ordina_problemi(controlli);
  limita_problemi(controlli, problemi_massimi);
  return controlli;
}
