#include "compiler/uscita_binaria.h"

#include "app/nomi_file.h"
#include "compiler/codifica.h"
#include "platform/sostituzione.h"

namespace {

// Large tables are encoded a slice at a time, so no second image of a 20 MB
// table is held.
constexpr std::size_t blocco = 1 << 16;

void scarica(std::string& d, scrittore_file& uscita) {
  uscita.scrivi(d.data(), d.size());
  d.clear();
}

void metti_variante(std::string& d, tipo_variante tipo, double valore) {
  metti_intero(d, static_cast<int16_t>(tipo));
  switch (tipo) {
    case tipo_variante::vuoto:
      break;
    case tipo_variante::intero:
      metti_intero(d, static_cast<int16_t>(valore));
      break;
    case tipo_variante::doppio:
      metti_doppio(d, valore);
      break;
  }
}

}  // namespace

void codifica_cella(std::string& d, const cella& c) {
  metti_byte(d, c.tipo);
  metti_intero(d, c.dato1);
  metti_intero(d, c.dato2);
  metti_intero(d, c.dato3);
  metti_intero(d, c.dato4);
  metti_byte(d, c.tempo);
  metti_byte(d, c.avvicinamento);
  metti_byte(d, c.montagna);
  metti_byte(d, c.velocita);
  metti_byte(d, c.pendenza);
  metti_byte(d, c.aderenza);
}

void codifica_stazione(std::string& d, const stazione& r) {
  metti_byte(d, r.tipo);
  metti_long(d, r.inizio);
  metti_long(d, r.fine);
  metti_long(d, r.posizione);
  metti_byte(d, r.campo4);
  metti_testo(d, r.nome);
  metti_intero(d, r.campo7);
  metti_intero(d, r.campo8);
  metti_intero(d, r.campo10);
  metti_intero(d, r.campo11);
  metti_intero(d, r.campo12);
  metti_byte(d, r.campo9);
  metti_byte(d, r.campo13);
  metti_byte(d, r.campo6);
  metti_byte(d, r.campo5);
  metti_long(d, r.orario);
}

void codifica_asse(std::string& d, const coordinate_piano& p, int asse,
                   int32_t da, int32_t a) {
  for (int32_t m = da; m <= a; ++m) {
    const auto i = static_cast<std::size_t>(m);
    metti_variante(d, p.tipo[asse][i], p.valore[asse][i]);
  }
}

esito_file scrivi_file_binari(const stato& s, cartella& c) {
  if (s.j != 0) {
    const coordinate_piano& piano = s.planimetria;
    esito_file esito = sostituisci_file(
        c, nome_geometria_linea(s), [&](scrittore_file& uscita) {
          std::string d;
          for (int asse = 0; asse < 2; ++asse) {
            for (int32_t m = 0; m <= piano.ultimo_metro(); m += 4096) {
              codifica_asse(d, piano, asse, m,
                            std::min(m + 4095, piano.ultimo_metro()));
              scarica(d, uscita);
            }
          }
        });
    if (!esito.ok) return esito;
  }
  esito_file esito = sostituisci_file(c, nome_tabella_stazioni(s),
                                      [&](scrittore_file& uscita) {
                                        std::string d;
                                        for (const stazione& r : s.stazioni)
                                          codifica_stazione(d, r);
                                        scarica(d, uscita);
                                      });
  if (!esito.ok) return esito;
  return sostituisci_file(c, nome_tabella_celle(s),
                          [&](scrittore_file& uscita) {
                            std::string d;
                            for (const cella& cella : s.celle) {
                              codifica_cella(d, cella);
                              if (d.size() >= blocco) scarica(d, uscita);
                            }
                            scarica(d, uscita);
                          });
}
