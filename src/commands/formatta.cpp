#include "commands/formatta.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <sstream>

#include "cli/esiti.h"
#include "cli/lingua.h"
#include "cli/rapporto.h"
#include "formatting/formattazione.h"
#include "formatting/impaginazione.h"
#include "platform/cartella_reale.h"
#include "platform/sostituzione.h"

namespace fs = std::filesystem;

namespace {

// Lines of context around each change of a diff.
constexpr std::size_t contesto = 3;
// Above this many line pairs the middle of two texts is shown replaced whole
// rather than matched line by line.
constexpr std::size_t coppie_massime = std::size_t{1} << 22;

enum class passo_diff { uguale, tolta, aggiunta };
struct riga_diff {
  passo_diff passo;
  std::size_t prima, dopo;  // line indexes in each text
};

// The longest common subsequence of the two middles, as a script of steps.
std::vector<riga_diff> script(const std::vector<riga_testo>& a,
                              const std::vector<riga_testo>& b) {
  std::size_t da = 0, ca = a.size(), cb = b.size();
  while (da < ca && da < cb && a[da].intera() == b[da].intera()) ++da;
  while (ca > da && cb > da && a[ca - 1].intera() == b[cb - 1].intera())
    --ca, --cb;
  const std::size_t n = ca - da, m = cb - da;
  std::vector<std::vector<uint32_t>> lcs;
  if (n * m <= coppie_massime) {
    lcs.assign(n + 1, std::vector<uint32_t>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
      for (std::size_t j = m; j-- > 0;)
        lcs[i][j] = a[da + i].intera() == b[da + j].intera()
                        ? lcs[i + 1][j + 1] + 1
                        : std::max(lcs[i + 1][j], lcs[i][j + 1]);
  }
  std::vector<riga_diff> s;
  for (std::size_t k = 0; k < da; ++k) s.push_back({passo_diff::uguale, k, k});
  std::size_t i = 0, j = 0;
  while (i < n || j < m) {
    const bool pari = !lcs.empty() && i < n && j < m &&
                      a[da + i].intera() == b[da + j].intera();
    if (pari) {
      s.push_back({passo_diff::uguale, da + i++, da + j++});
    } else if (j >= m ||
               (i < n && (lcs.empty() || lcs[i + 1][j] >= lcs[i][j + 1]))) {
      s.push_back({passo_diff::tolta, da + i++, da + j});
    } else {
      s.push_back({passo_diff::aggiunta, da + i, da + j++});
    }
  }
  for (std::size_t k = 0; ca + k < a.size(); ++k)
    s.push_back({passo_diff::uguale, ca + k, cb + k});
  return s;
}

void scrivi_riga(std::string& d, char segno, const riga_testo& r) {
  d += segno;
  d += r.intera();
  if (r.fine.empty()) d += "\n\\ No newline at end of file\n";
}

// One hunk: the steps [da, a) of the script.
void scrivi_blocco(std::string& d, const std::vector<riga_diff>& s,
                   std::size_t da, std::size_t a,
                   const std::vector<riga_testo>& prima,
                   const std::vector<riga_testo>& dopo) {
  std::size_t n_prima = 0, n_dopo = 0;
  for (std::size_t k = da; k < a; ++k) {
    n_prima += s[k].passo != passo_diff::aggiunta;
    n_dopo += s[k].passo != passo_diff::tolta;
  }
  const auto inizio = [](std::size_t riga, std::size_t quante) {
    return std::to_string(quante == 0 ? riga : riga + 1) + "," +
           std::to_string(quante);
  };
  d += "@@ -" + inizio(s[da].prima, n_prima) + " +" +
       inizio(s[da].dopo, n_dopo) + " @@\n";
  for (std::size_t k = da; k < a; ++k) {
    switch (s[k].passo) {
      case passo_diff::uguale:
        scrivi_riga(d, ' ', prima[s[k].prima]);
        break;
      case passo_diff::tolta:
        scrivi_riga(d, '-', prima[s[k].prima]);
        break;
      case passo_diff::aggiunta:
        scrivi_riga(d, '+', dopo[s[k].dopo]);
        break;
    }
  }
}

std::string leggi_tutto(std::istream& ingresso) {
  return {std::istreambuf_iterator<char>(ingresso),
          std::istreambuf_iterator<char>()};
}

struct esito_file_formattato {
  int uscita = uscita_riuscita;
  bool cambia = false;
};

// Reads one file (or standard input), formats it and does what was asked.
esito_file_formattato formatta_uno(const opzioni_formatta& o,
                                   const std::string& percorso,
                                   std::istream& ingresso, std::ostream& uscita,
                                   std::ostream& errori) {
  const bool standard = percorso == "-";
  const fs::path p(percorso);
  const std::string cartella =
      p.has_parent_path() ? p.parent_path().string() : ".";
  const std::string nome = p.filename().string();
  cartella_reale c(cartella);
  std::string byte;
  if (standard) {
    byte = leggi_tutto(ingresso);
  } else if (esito_file letto = c.leggi(nome, byte); !letto.ok) {
    letto.percorso = percorso;  // as the user wrote it
    return {errore_file(letto, errori)};
  }
  const esito_formattazione f = formatta(byte);
  if (f.rifiutato) {
    errori << percorso << ": " << traduci(f.motivo) << '\n';
    return {uscita_errore_file};
  }
  const bool cambia = f.testo != byte;
  if (o.differenze && cambia) uscita << diff_unificato(byte, f.testo, percorso);
  if (o.controlla && cambia) uscita << percorso << '\n';
  if (o.controlla || o.differenze) return {uscita_riuscita, cambia};
  if (standard) {
    uscita << f.testo;
    return {uscita_riuscita, cambia};
  }
  if (!cambia) return {uscita_riuscita, false};
  const esito_file scritto = sostituisci_file(c, nome, [&f](scrittore_file& s) {
    s.scrivi(f.testo.data(), f.testo.size());
  });
  if (!scritto.ok) {
    esito_file fallito = scritto;
    if (fallito.percorso == c.percorso(nome)) fallito.percorso = percorso;
    return {errore_file(fallito, errori)};
  }
  return {uscita_riuscita, true};
}

}  // namespace

std::string diff_unificato(std::string_view prima, std::string_view dopo,
                           const std::string& nome) {
  const std::vector<riga_testo> a = dividi_righe(prima);
  const std::vector<riga_testo> b = dividi_righe(dopo);
  const std::vector<riga_diff> s = script(a, b);
  std::string d;
  for (std::size_t k = 0; k < s.size();) {
    if (s[k].passo == passo_diff::uguale) {
      ++k;
      continue;
    }
    // A hunk: from `contesto` lines before this change to `contesto` after
    // the last change that lies within twice that of the one before.
    const std::size_t da = k > contesto ? k - contesto : 0;
    std::size_t ultimo = k;
    for (std::size_t j = k; j < s.size() && j <= ultimo + 2 * contesto; ++j) {
      if (s[j].passo != passo_diff::uguale) ultimo = j;
    }
    const std::size_t a_fine = std::min(s.size(), ultimo + contesto + 1);
    if (d.empty()) d = "--- " + nome + "\n+++ " + nome + "\n";
    scrivi_blocco(d, s, da, a_fine, a, b);
    k = a_fine;
  }
  return d;
}

int esegui_formatta(const opzioni_formatta& o, std::istream& ingresso,
                    std::ostream& uscita, std::ostream& errori) {
  int esito = uscita_riuscita;
  bool cambia = false;
  for (const std::string& percorso : o.file) {
    const esito_file_formattato f =
        formatta_uno(o, percorso, ingresso, uscita, errori);
    esito = std::max(esito, f.uscita);
    cambia = cambia || f.cambia;
  }
  if (o.controlla && cambia)
    esito = std::max(esito, static_cast<int>(uscita_errore_registrato));
  return esito;
}
