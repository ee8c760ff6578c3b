#include "prova_formattazione.h"

#include <algorithm>
#include <array>
#include <utility>

#include "compiler/memorizza_percorso.h"
#include "core/scenario.h"
#include "formatting/formattazione.h"
#include "platform/cartella_memoria.h"

namespace {

// Taken out of the folder, not copied: a plan runs to hundreds of kilobytes,
// and the fuzzer compiles thousands of them.
std::string file_scritto(cartella_memoria& c, const std::string& nome) {
  const auto f = c.file.find(nome);
  return f == c.file.end() ? std::string() : std::move(f->second);
}

int tra(std::mt19937_64& g, int da, int a) {
  return std::uniform_int_distribution<int>(da, a)(g);
}

std::string spazi(std::mt19937_64& g) {
  static constexpr std::array<const char*, 6> scelte = {"",   " ",   "   ",
                                                        "\t", " \t", "      "};
  return scelte[static_cast<std::size_t>(tra(g, 0, 5))];
}

// The line with each comma's surroundings and the line's ends re-blanked.
std::string rispazia(const std::string& riga, std::mt19937_64& g) {
  std::string fuori = spazi(g);
  bool virgolette = false;
  std::string pezzo;
  const auto taglia = [](std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    return s.substr(i);
  };
  for (char c : riga) {
    if (c == '"') virgolette = !virgolette;
    if (c == ',' && !virgolette) {
      fuori += taglia(pezzo) + spazi(g) + "," + spazi(g);
      pezzo.clear();
    } else {
      pezzo += c;
    }
  }
  return fuori + (virgolette ? pezzo : taglia(pezzo)) + spazi(g);
}

std::string caso_strano(std::string riga, std::mt19937_64& g) {
  for (char& c : riga) {
    if (c >= 'a' && c <= 'z' && tra(g, 0, 3) == 0)
      c = static_cast<char>(c - 32);
  }
  return riga;
}

const char* fine_riga(std::mt19937_64& g) {
  const int n = tra(g, 0, 9);
  return n == 0 ? "\n" : n == 1 ? "\r" : "\r\n";
}

// A line whose last field is a name or a text, quoted; some with a comma.
std::string virgolette(const std::string& riga, std::mt19937_64& g) {
  const std::size_t virgola = riga.rfind(',');
  if (virgola == std::string::npos) return riga;
  std::string ultimo = riga.substr(virgola + 1);
  while (!ultimo.empty() && ultimo.front() == ' ') ultimo.erase(0, 1);
  if (ultimo.empty() || (ultimo[0] >= '0' && ultimo[0] <= '9') ||
      ultimo[0] == '-')
    return riga;
  if (tra(g, 0, 2) == 0) ultimo += ", bis";
  return riga.substr(0, virgola + 1) + " \"" + ultimo + "\"";
}

std::string guasto(std::string riga, std::mt19937_64& g) {
  static constexpr std::array<const char*, 6> valori = {
      "4.5", "x", "4 000", "+7", "99999999999", "\"aperto"};
  const std::size_t virgola = riga.find(',');
  if (virgola == std::string::npos) return riga;
  switch (tra(g, 0, 2)) {
    case 0:
      return riga.substr(0, virgola + 1) + " " +
             valori[static_cast<std::size_t>(tra(g, 0, 5))] + "," +
             riga.substr(virgola + 1);
    case 1:
      return riga.substr(0, riga.rfind(','));
    default:
      return riga + ", 8,5";
  }
}

}  // namespace

compilazione_byte compila_byte(const std::string& linea,
                               const std::string& treno, bool con_piano) {
  scenario sc;
  sc.nome_linea = sc.radice_linea = "Valdora_Cesina";
  sc.nome_treno = sc.radice_treno = "KT52806";
  cartella_memoria cartella;
  cartella.file[nome_descrizione_linea(sc)] = linea;
  cartella.file[nome_descrizione_treno(sc)] = treno;
  tabelle t;
  diagnostica d;
  const esito_compilazione esito =
      memorizza_percorso(sc, cartella, cartella, con_piano, t, d);
  return {static_cast<int>(esito.tipo),
          esito.codice,
          d.codice_errore,
          d.posizione_errore,
          file_scritto(cartella, nome_tabella_celle(sc)),
          file_scritto(cartella, nome_tabella_stazioni(sc)),
          file_scritto(cartella, nome_geometria_linea(sc))};
}

std::string formattato(const std::string& testo) {
  const esito_formattazione f = formatta(testo);
  return f.rifiutato ? testo : f.testo;
}

std::string controlla_garanzia(const std::string& linea,
                               const std::string& treno) {
  const std::string fl = formattato(linea), ft = formattato(treno);
  for (bool piano : {true, false}) {
    const compilazione_byte prima = compila_byte(linea, treno, piano);
    const compilazione_byte dopo = compila_byte(fl, ft, piano);
    if (!(prima == dopo))
      return std::string("compiled differently") +
             (piano ? "" : " without the plan") + ": code " +
             std::to_string(prima.codice_errore) + " at " +
             std::to_string(prima.posizione_errore) + " became " +
             std::to_string(dopo.codice_errore) + " at " +
             std::to_string(dopo.posizione_errore);
  }
  if (formattato(fl) != fl) return "the line description is no fixed point";
  if (formattato(ft) != ft)
    return "the train-run description is no fixed point";
  return "";
}

std::string guasta(const std::vector<std::string>& righe, std::mt19937_64& g,
                   bool guasti) {
  std::string testo;
  for (std::string riga : righe) {
    const int n = tra(g, 0, 29);
    if (n == 0) {
      for (int k = tra(g, 1, 12); k > 0; --k)
        testo += spazi(g) + "- a comment " + std::to_string(k) + spazi(g) +
                 fine_riga(g);
    } else if (n == 1) {
      for (int k = tra(g, 1, 3); k > 0; --k) testo += spazi(g) + fine_riga(g);
    } else if (n == 2) {
      testo += "- tre pendenza velocita\r\n";
    }
    if (tra(g, 0, 9) == 0) riga = caso_strano(riga, g);
    if (tra(g, 0, 3) == 0) riga = virgolette(riga, g);
    if (guasti && tra(g, 0, 39) == 0) riga = guasto(riga, g);
    testo += rispazia(riga, g) + fine_riga(g);
  }
  return testo;
}

std::string altri_spazi(const std::string& testo, std::mt19937_64& g) {
  // What stands up to the line of [generale] stays as written.
  std::string minuscolo = testo;
  std::transform(
      minuscolo.begin(), minuscolo.end(), minuscolo.begin(), [](char k) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(k)));
      });
  const std::size_t generale = minuscolo.find("[generale]");
  if (generale == std::string::npos) return testo;
  std::size_t inizio = testo.find("\r\n", generale);
  if (inizio == std::string::npos) return testo;
  inizio += 2;
  std::string fuori = testo.substr(0, inizio);
  for (std::size_t fine;
       (fine = testo.find("\r\n", inizio)) != std::string::npos;
       inizio = fine + 2) {
    const std::string riga = testo.substr(inizio, fine - inizio);
    // A line with quotes other than around its last field stays as
    // written, and so do its blanks.
    const auto quote = std::count(riga.begin(), riga.end(), '"');
    const bool a_posto = quote == 0 || (quote == 2 && riga.back() == '"');
    fuori += (a_posto ? rispazia(riga, g) : riga) + "\r\n";
  }
  return fuori + testo.substr(inizio);
}
