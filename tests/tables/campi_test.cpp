// The field tables: the names that records 81 to 86 give their fields say the
// same as the typed access to those records.
#include "tables/campi.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The field of `record` whose number is `valore`, by its name in that record.
std::string_view campo_con_valore(const tabella_stazioni& t, int record,
                                  int64_t valore) {
  const stazione& r = t[static_cast<std::size_t>(record)];
  for (const campo<stazione>& f : campi_stazione) {
    if (!campo_di_testo(f) && valore_numerico(f, r) == valore)
      return nome_del_campo(record, f);
  }
  return "";
}

TEST(Campi, NomiDeiRecordGeneraliComeLAccessoTipizzato) {
  struct caso {
    int record;
    std::function<int32_t&(const dati_generali<tabella_stazioni>&)> campo;
    const char* nome;
  };
  using g = const dati_generali<tabella_stazioni>&;
  const caso casi[] = {
      {84, [](g d) -> int32_t& { return d.massa_frenata(); },
       "percentuale_massa_frenata"},
      {84, [](g d) -> int32_t& { return d.lunghezza_percorso(); },
       "lunghezza_percorso"},
      {84, [](g d) -> int32_t& { return d.numero_vetture(); },
       "numero_vetture"},
      {85, [](g d) -> int32_t& { return d.sfondo_uno(); }, "sfondo_uno"},
      {85, [](g d) -> int32_t& { return d.sfondo_due(); }, "sfondo_due"},
      {85, [](g d) -> int32_t& { return d.sfondo_tre(); }, "sfondo_tre"},
      {85, [](g d) -> int32_t& { return d.codice_gara_st(); },
       "codice_gara_st"},
      {86, [](g d) -> int32_t& { return d.ripetizione_inizio(); },
       "ripetizione_inizio"},
      {86, [](g d) -> int32_t& { return d.ripetizione_fine(); },
       "ripetizione_fine"},
      {86, [](g d) -> int32_t& { return d.ripetizione_codici(); },
       "ripetizione_codici"},
      {82, [](g d) -> int32_t& { return d.progressiva_inizio(1); }, "inizio"},
      {82, [](g d) -> int32_t& { return d.progressiva_valore(1); },
       "progressiva"},
      {83, [](g d) -> int32_t& { return d.progressiva_segno(2); },
       "decrescente"},
  };
  for (const caso& c : casi) {
    tabella_stazioni t{};
    c.campo(dati_generali(t)) = 4242;
    EXPECT_EQ(campo_con_valore(t, c.record, 4242), c.nome) << c.nome;
  }
  const std::pair<std::function<int16_t&(g)>, const char*> interi[] = {
      {[](g d) -> int16_t& { return d.valore_riservato(); },
       "valore_riservato"},
      {[](g d) -> int16_t& { return d.sabbia(); }, "sabbia"},
      {[](g d) -> int16_t& { return d.orologio_ore(); }, "orologio_ore"},
      {[](g d) -> int16_t& { return d.orologio_minuti(); }, "orologio_minuti"},
      {[](g d) -> int16_t& { return d.orologio_secondi(); },
       "orologio_secondi"},
  };
  for (const auto& [campo, nome] : interi) {
    tabella_stazioni t{};
    campo(dati_generali(t)) = 4242;
    const int record = std::string_view(nome) == "valore_riservato" ? 85 : 86;
    EXPECT_EQ(campo_con_valore(t, record, 4242), nome) << nome;
  }
}

TEST(Campi, FuoriDaiRecordGeneraliIlNomeDelCampo) {
  for (int record : {0, 1, 80}) {
    for (const campo<stazione>& f : campi_stazione)
      EXPECT_EQ(nome_del_campo(record, f), f.nome) << record;
  }
}

}  // namespace
