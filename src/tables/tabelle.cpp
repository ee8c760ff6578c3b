#include "tables/tabelle.h"

#include <cmath>
#include <optional>

#include "tables/blocchi_piano.h"

tipo_variante coordinate_piano::tipo(int asse, int32_t metro) const {
  if (blocchi_) return blocchi_->tipo(asse, metro);
  return tipi_[static_cast<std::size_t>(asse)][static_cast<std::size_t>(metro)];
}

double coordinate_piano::valore(int asse, int32_t metro) const {
  if (blocchi_) return blocchi_->valore(asse, metro);
  return valori_[static_cast<std::size_t>(asse)][static_cast<std::size_t>(metro)];
}

int32_t coordinate_piano::metri_pieni() const {
  if (blocchi_) {
    if (const std::optional<int32_t> noti = blocchi_->metri_pieni())
      return *noti;
  }
  int32_t m = 0;
  for (; m <= ultimo_; ++m) {
    if (tipo(0, m) == tipo_variante::vuoto ||
        tipo(1, m) == tipo_variante::vuoto || !std::isfinite(x(m)) ||
        !std::isfinite(y(m)))
      break;
  }
  return m;
}

void coordinate_piano::alloca(int32_t ultimo_metro) {
  blocchi_.reset();
  ultimo_ = ultimo_metro;
  const auto metri = static_cast<std::size_t>(ultimo_metro) + 1;
  for (std::size_t asse = 0; asse < 2; ++asse) {
    tipi_[asse].assign(metri, tipo_variante::vuoto);
    valori_[asse].assign(metri, 0.0);
  }
}

void coordinate_piano::libera() {
  blocchi_.reset();
  ultimo_ = -1;
  for (std::size_t asse = 0; asse < 2; ++asse) {
    colonna<tipo_variante>().swap(tipi_[asse]);
    colonna<double>().swap(valori_[asse]);
  }
}

void coordinate_piano::da_blocchi(std::shared_ptr<blocchi_piano> blocchi) {
  libera();
  ultimo_ = blocchi->metri() - 1;
  blocchi_ = std::move(blocchi);
}

namespace {

struct nome_del_tipo {
  uint8_t tipo;
  const char* testo;  // for people, in English: the catalogue has the rest
  const char* dato;   // for scripts, the same in every language
};

constexpr nome_del_tipo nomi_dei_tipi[] = {
    {cella_vuota, N_("empty"), "vuota"},
    {cella_segnale, N_("signal"), "segnale"},
    {cella_fine_rallentamento, N_("slowdown end"), "fine rallentamento"},
    {cella_inizio_rallentamento, N_("slowdown start"), "inizio rallentamento"},
    {cella_avviso_rallentamento, N_("slowdown warning"),
     "avviso di rallentamento"},
    {cella_prima_dell_avviso, N_("before the slowdown warning"),
     "prima dell'avviso di rallentamento"},
    {cella_indicatore_vmax, N_("speed board"),
     "indicatore di velocit\xE0 massima"},
    {cella_fermata, N_("stop"), "fermata"},
    {cella_segno_galleria, N_("tunnel mark"), "segno di galleria"},
    {cella_codice_velocita, N_("speed code"), "codice di velocit\xE0"},
    {cella_codice_senza_valore, N_("code without a value"),
     "codice senza valore"},
    {cella_cartello, N_("board with text"), "cartello indicatore"},
};

const nome_del_tipo* trova_tipo(uint8_t tipo) {
  for (const nome_del_tipo& n : nomi_dei_tipi) {
    if (n.tipo == tipo) return &n;
  }
  return nullptr;
}

}  // namespace

messaggio nome_tipo_cella(uint8_t tipo) {
  if (const nome_del_tipo* n = trova_tipo(tipo)) return {n->testo};
  return {N_("kind {0}"), {std::to_string(tipo)}};
}

std::string codice_tipo_cella(uint8_t tipo) {
  if (const nome_del_tipo* n = trova_tipo(tipo)) return n->dato;
  return "tipo " + std::to_string(tipo);
}
