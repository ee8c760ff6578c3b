#include "aiuti.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "app/strumenti.h"
#include "cli/lingua.h"

namespace fs = std::filesystem;

cartella_temporanea::cartella_temporanea(const std::string& suffisso) {
  static std::atomic<int> contatore{0};
  percorso_ = fs::temp_directory_path() /
              ("scenario_test_" + std::to_string(::getpid()) + "_" +
               std::to_string(contatore++) + suffisso);
  fs::remove_all(percorso_);
  fs::create_directories(percorso_);
}

cartella_temporanea::~cartella_temporanea() {
  std::error_code ignorato;
  fs::permissions(percorso_, fs::perms::owner_all, fs::perm_options::add,
                  ignorato);
  fs::remove_all(percorso_, ignorato);
}

std::string leggi_tutto(const fs::path& file) {
  std::ifstream ingresso(file, std::ios::binary);
  if (!ingresso) throw std::runtime_error("cannot read " + file.string());
  std::ostringstream contenuto;
  contenuto << ingresso.rdbuf();
  return contenuto.str();
}

void scrivi_tutto(const fs::path& file, const std::string& contenuto) {
  std::ofstream uscita(file, std::ios::binary | std::ios::trunc);
  uscita << contenuto;
}

std::vector<std::string> righe_crlf(const std::string& contenuto) {
  std::vector<std::string> righe;
  std::size_t inizio = 0;
  for (;;) {
    std::size_t fine = contenuto.find("\r\n", inizio);
    if (fine == std::string::npos) {
      righe.push_back(contenuto.substr(inizio));
      return righe;
    }
    righe.push_back(contenuto.substr(inizio, fine - inizio));
    inizio = fine + 2;
  }
}

std::vector<std::string> elenco(const fs::path& cartella) {
  std::vector<std::string> nomi;
  for (const auto& voce : fs::directory_iterator(cartella)) {
    nomi.push_back(voce.path().filename().string());
  }
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

int esegui(const std::string& comando, std::string* uscita,
           std::string* errori) {
  cartella_temporanea cattura;
  const std::string file_uscita = cattura / "uscita";
  const std::string file_errori = cattura / "errori";
  const std::string completo =
      comando + " >'" + file_uscita + "' 2>'" + file_errori + "' </dev/null";
  int stato = std::system(completo.c_str());
  if (uscita) *uscita = leggi_tutto(file_uscita);
  if (errori) *errori = leggi_tutto(file_errori);
  return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

int controlla_descrizioni(const std::string& linea, const std::string& treno,
                          std::string* uscita, std::string* errori) {
  return esegui("'" + std::string(PROGRAMMA) + "' check --strict '" + linea +
                    "' '" + treno + "'",
                uscita, errori);
}

std::vector<std::string> comandi_del_programma() {
  std::string aiuto;
  esegui("'" + std::string(PROGRAMMA) + "' --help", &aiuto);
  const std::size_t inizio = aiuto.find(traduci("Commands") + std::string(":"));
  std::istringstream righe(inizio == std::string::npos ? ""
                                                       : aiuto.substr(inizio));
  std::vector<std::string> comandi;
  std::string riga, nome;
  std::getline(righe, riga);
  while (std::getline(righe, riga) && !riga.empty()) {
    std::istringstream(riga) >> nome;
    comandi.push_back(nome);
  }
  return comandi;
}

std::string installa_programma(const fs::path& cartella) {
  const fs::path copia = cartella / "scenario_builder";
  fs::copy_file(PROGRAMMA, copia, fs::copy_options::overwrite_existing);
  fs::copy(fs::path(CARTELLA_COSTRUZIONE) / "share",
           cartella.parent_path() / "share",
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  return copia.string();
}

std::string fixture(const std::string& nome) {
  return std::string(CARTELLA_FIXTURE) + "/" + nome;
}

int strumenti(std::vector<std::string> argomenti, std::string& uscita,
              std::string& errori) {
  argomenti.insert(argomenti.begin(), "scenario_builder");
  std::vector<char*> argv;
  for (std::string& a : argomenti) argv.push_back(a.data());
  std::ostringstream u, e;
  const int esito =
      esegui_strumenti(static_cast<int>(argv.size()), argv.data(), u, e);
  uscita = u.str();
  errori = e.str();
  return esito;
}

std::string virgolette(const std::string& testo) { return "'" + testo + "'"; }

int esegui_script(const std::string& testo, std::string* uscita,
                  std::string* errori, const std::string& prefisso) {
  cartella_temporanea cartella;
  scrivi_tutto(cartella / "prova.sh", testo);
  return esegui(prefisso + "sh " + virgolette(cartella / "prova.sh"), uscita,
                errori);
}
