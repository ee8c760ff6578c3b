#include "commands/nuovo.h"

#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "core/scenario.h"
#include "platform/cartella_reale.h"
#include "platform/sostituzione.h"
#include "cli/esiti.h"
#include "cli/messaggi.h"
#include "cli/percorsi.h"
#include "cli/rapporto.h"
#include "commands/scenario_iniziale.h"

namespace fs = std::filesystem;

namespace {

struct file_iniziale {
  std::string nome;
  std::vector<std::string> righe;
};

// Prepares a file of the set: its lines, each ended by CR LF.
esito_file prepara_file(insieme_sostituzioni& insieme, const file_iniziale& f) {
  std::string testo;
  for (const std::string& riga : f.righe) testo += riga + "\r\n";
  return insieme.prepara(f.nome, [&testo](scrittore_file& scrittore) {
    scrittore.scrivi(testo.data(), testo.size());
  });
}

// True when none of the files is there yet; otherwise names each one that is.
bool nessuno_esiste(const std::vector<std::string>& percorsi,
                    std::ostream& errori) {
  bool liberi = true;
  for (const std::string& percorso : percorsi) {
    std::error_code problema;
    if (fs::exists(fs::symlink_status(percorso, problema))) {
      errori << messaggi::file_esistente(percorso) << '\n';
      liberi = false;
    }
  }
  if (!liberi) errori << messaggi::nessun_file_scritto() << '\n';
  return liberi;
}

}  // namespace

std::string nome_linea_iniziale(const opzioni_nuovo& o) {
  return o.nome_linea + "_linea.txt";
}

std::string nome_treno_iniziale(const opzioni_nuovo& o) {
  return o.nome_linea + "_" + o.codice_treno + ".txt";
}

int esegui_nuovo(const opzioni_nuovo& o, std::ostream& uscita,
                 std::ostream& errori) {
  scenario sc;
  const esito_nomi nomi = scenario_da_nomi(o.nome_linea, o.codice_treno, sc);
  if (nomi.motivo != nome_rifiutato::nessuno) return errore_nome(nomi, errori);
  const std::string radice = percorso_pulito(o.cartella);
  if (auto fine = prepara_cartella(radice, errori)) return *fine;
  cartella_reale c(radice);
  c.imposta_attesa(attesa_con_avviso(o.attesa_blocco, errori));
  const file_iniziale file[] = {
      {nome_linea_iniziale(o), righe_linea_iniziale()},
      {nome_treno_iniziale(o), righe_treno_iniziale()}};
  if (!nessuno_esiste({c.percorso(file[0].nome), c.percorso(file[1].nome)},
                      errori)) {
    return uscita_errore_file;
  }
  // The two are one set: a run that fails leaves neither, and the next one
  // finds the names free.
  insieme_sostituzioni insieme(c);
  for (const file_iniziale& f : file) {
    const esito_file scritto = prepara_file(insieme, f);
    if (!scritto.ok) return errore_file(scritto, errori);
  }
  for (const file_iniziale& f : file) uscita << c.percorso(f.nome) << '\n';
  if (auto fine = uscita_prima_di_pubblicare(uscita, errori)) return *fine;
  const esito_file pubblicati = insieme.pubblica();
  if (!pubblicati.ok) return errore_file(pubblicati, errori);
  return uscita_riuscita;
}
