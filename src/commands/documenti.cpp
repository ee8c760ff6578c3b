#include "commands/documenti.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <tuple>
#include <utility>

#include "core/scrittura_testo.h"
#include "documents/testo_autore.h"
#include "platform/cartella_reale.h"
#include "cli/esiti.h"
#include "cli/lingua.h"
#include "cli/rapporto.h"

namespace fs = std::filesystem;

namespace {

// The three documents, in the order they are written and listed.
struct documento_autore {
  std::string (*nome)(const scenario&);
  std::vector<std::string> (*righe)(const tabelle&, const opzioni_documenti&);
};
constexpr documento_autore documenti[] = {
    {nome_scheda_treno, righe_scheda_autore},
    {nome_rallentamenti,
     [](const tabelle& t, const opzioni_documenti&) {
       return righe_rallentamenti_autore(t);
     }},
    {nome_note, righe_note_autore},
};

// Today's date on this machine's clock and time zone.
data_calendario data_di_oggi() {
  const std::time_t adesso = std::time(nullptr);
  std::tm locale{};
  localtime_r(&adesso, &locale);
  return {locale.tm_mday, locale.tm_mon + 1, locale.tm_year + 1900};
}

// What is wrong with a refused character.
std::string motivo_rifiuto(const rifiuto_testo& r) {
  char codice[16];
  std::snprintf(codice, sizeof codice, "U+%04X",
                static_cast<unsigned>(r.codice));
  switch (r.perche) {
    case rifiuto_testo::controllo:
      return sostituisci(traduci("control character {0} not allowed"),
                         {codice});
    case rifiuto_testo::non_rappresentabile:
      return sostituisci(
          traduci("the character {0} has no place in Windows-1252"), {codice});
    case rifiuto_testo::non_utf8:
      break;
  }
  return traduci("bytes that are not UTF-8");
}

// A value of an option that the documents cannot take.
int opzione_rifiutata(std::string_view opzione, const std::string& motivo,
                      std::ostream& errori) {
  errori << opzione << ": " << motivo << '\n';
  return uscita_uso_errato;
}

// One option's text in Windows-1252; its refusal reported.
std::optional<int> converti_opzione(std::string_view opzione,
                                    const std::string& utf8,
                                    std::string& cp1252, std::ostream& errori) {
  const testo_convertito t = converti_voce(utf8);
  if (t.ok()) {
    cp1252 = t.righe.front();
    return std::nullopt;
  }
  return opzione_rifiutata(opzione,
                           sostituisci(traduci("column {0}: {1}"),
                                       {std::to_string(t.rifiuto->colonna),
                                        motivo_rifiuto(*t.rifiuto)}),
                           errori);
}

std::optional<int> converti_voci(const richiesta_documenti& r,
                                 opzioni_documenti& v, std::ostream& errori) {
  using facoltativa = std::tuple<const char*, const std::optional<std::string>&,
                                 std::optional<std::string>&>;
  const facoltativa facoltative[] = {
      {"--massa-bloccata", r.massa_bloccata, v.massa_bloccata},
      {"--voce-alta", r.voce_alta, v.voce_alta},
      {"--voce-bassa", r.voce_bassa, v.voce_bassa}};
  for (const auto& [opzione, testo, destinazione] : facoltative) {
    if (!testo) continue;
    if (auto fine =
            converti_opzione(opzione, *testo, destinazione.emplace(), errori))
      return fine;
  }
  using sempre = std::tuple<const char*, const std::string&, std::string&>;
  const sempre sempre_presenti[] = {
      {"--classificazione", r.classificazione, v.classificazione},
      {"--autore", r.autore, v.autore},
      {"--email", r.email, v.email}};
  for (const auto& [opzione, testo, destinazione] : sempre_presenti) {
    if (auto fine = converti_opzione(opzione, testo, destinazione, errori))
      return fine;
  }
  return std::nullopt;
}

// The number and the date of the notes.
std::optional<int> numero_e_data(const richiesta_documenti& r,
                                 opzioni_documenti& v, std::ostream& errori) {
  if (r.numero < 1) {
    return opzione_rifiutata(
        "--numero",
        sostituisci(traduci("{0}: the scenario's number starts from 1"),
                    {std::to_string(r.numero)}),
        errori);
  }
  v.numero = r.numero;
  if (!r.data) {
    v.data = data_di_oggi();
    return std::nullopt;
  }
  const std::optional<data_calendario> data = leggi_data(*r.data);
  if (!data) {
    return opzione_rifiutata(
        "--data",
        sostituisci(traduci("\"{0}\": not a day (DD.MM.YYYY or YYYY-MM-DD)"),
                    {*r.data}),
        errori);
  }
  v.data = *data;
  return std::nullopt;
}

// The author's prose, read from its file and converted.
std::optional<int> leggi_prosa(const std::string& percorso,
                               opzioni_documenti& v, std::ostream& errori) {
  std::string contenuto;
  const esito_file letto = leggi_percorso(percorso, contenuto);
  if (!letto.ok) return errore_file(letto, errori);
  testo_convertito t = converti_testo(contenuto);
  if (!t.ok()) {
    errori << percorso << ":" << t.rifiuto->riga << ":" << t.rifiuto->colonna
           << ": " << motivo_rifiuto(*t.rifiuto) << '\n';
    return uscita_errore_file;
  }
  v.testo = std::move(t.righe);
  return std::nullopt;
}

// Refuses a document whose path is one of the files read, the same file
// under another name or through a link included.
std::optional<int> controlla_uscite(const scenario& sc, const cartella& uscita,
                                    const std::vector<std::string>& ingressi,
                                    std::ostream& errori) {
  for (const documento_autore& d : documenti) {
    const std::string scritto = uscita.percorso(d.nome(sc));
    for (const std::string& letto : ingressi) {
      std::error_code problema;
      if (!fs::equivalent(scritto, letto, problema)) continue;
      errori << sostituisci(traduci("{0}: a file that the command reads; the "
                                    "document does not replace it"),
                            {scritto})
             << '\n';
      return uscita_errore_file;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<data_calendario> leggi_data(std::string_view testo) {
  // Three numbers: day first between full stops, year first between hyphens.
  // The year has its four digits (24.03.01 is no day of year 1), the day and
  // the month one or two.
  const char separatore = testo.find('-') != std::string_view::npos ? '-' : '.';
  const std::size_t anno = separatore == '.' ? 2 : 0;
  std::array<int, 3> parti{};
  std::size_t inizio = 0;
  for (std::size_t k = 0; k < parti.size(); ++k) {
    const std::size_t fine =
        k + 1 < parti.size() ? testo.find(separatore, inizio) : testo.size();
    if (fine == std::string_view::npos) return std::nullopt;
    const std::string_view parte = testo.substr(inizio, fine - inizio);
    const bool cifre_giuste =
        k == anno ? parte.size() == 4 : !parte.empty() && parte.size() <= 2;
    if (!cifre_giuste) return std::nullopt;
    const auto [dove, errore] =
        std::from_chars(parte.data(), parte.data() + parte.size(), parti[k]);
    if (errore != std::errc() || dove != parte.data() + parte.size())
      return std::nullopt;
    inizio = fine + 1;
  }
  const data_calendario d = separatore == '.'
                                ? data_calendario{parti[0], parti[1], parti[2]}
                                : data_calendario{parti[2], parti[1], parti[0]};
  if (!data_esistente(d)) return std::nullopt;
  return d;
}

std::optional<int> prepara_documenti(const richiesta_documenti& r,
                                     const scenario& sc, const cartella& uscita,
                                     std::vector<std::string> ingressi,
                                     opzioni_documenti& voci,
                                     std::ostream& errori) {
  if (auto fine = converti_voci(r, voci, errori)) return fine;
  if (auto fine = numero_e_data(r, voci, errori)) return fine;
  if (r.testo) {
    if (auto fine = leggi_prosa(*r.testo, voci, errori)) return fine;
    ingressi.push_back(*r.testo);
  }
  return controlla_uscite(sc, uscita, ingressi, errori);
}

std::vector<std::string> nomi_documenti(const scenario& sc) {
  std::vector<std::string> nomi;
  for (const documento_autore& d : documenti) nomi.push_back(d.nome(sc));
  return nomi;
}

esito_file prepara_documenti_autore(const scenario& sc, const tabelle& t,
                                    const opzioni_documenti& voci,
                                    insieme_sostituzioni& insieme) {
  for (const documento_autore& d : documenti) {
    const esito_file preparato =
        prepara_file_testo(insieme, d.nome(sc), d.righe(t, voci));
    if (!preparato.ok) return preparato;
  }
  return esito_file::riuscito();
}

int scrivi_documenti(const scenario& sc, const tabelle& t,
                     const opzioni_documenti& voci, cartella& c,
                     std::ostream& uscita, std::ostream& errori) {
  insieme_sostituzioni insieme(c);
  esito_file scritti = prepara_documenti_autore(sc, t, voci, insieme);
  if (!scritti.ok) return errore_file(scritti, errori);
  // The list goes out before the set is published: a run that cannot tell
  // what it wrote replaces nothing.
  for (const std::string& nome : nomi_documenti(sc))
    uscita << c.percorso(nome) << '\n';
  if (auto fine = uscita_prima_di_pubblicare(uscita, errori)) return *fine;
  scritti = insieme.pubblica();
  if (!scritti.ok) return errore_file(scritti, errori);
  return uscita_riuscita;
}
