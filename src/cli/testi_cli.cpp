#include "cli/testi_cli.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "cli/lingua.h"

namespace {

// The labels of CLI11's help that this program shows.
struct etichetta {
  const char* chiave;  // CLI11's own word
  const char* testo;   // ours, translated where it is set
};
constexpr std::array<etichetta, 9> etichette = {{
    {"Usage", N_("Usage")},
    {"OPTIONS", N_("OPTIONS")},
    {"SUBCOMMAND", N_("COMMAND")},
    {"SUBCOMMANDS", N_("COMMANDS")},
    {"Positionals", N_("Arguments")},
    {"REQUIRED", N_("REQUIRED")},
    {"Needs", N_("Needs")},
    {"Excludes", N_("Excludes")},
    {"Env", N_("Env")},
}};

// The type names of values that CLI11 gives and that are words; FILE and DIR
// are set by the program and read alike in both languages.
constexpr std::array<const char*, 2> tipi = {N_("TEXT"), N_("INT")};

template <typename Errore>
bool di_tipo(const CLI::ParseError& e) {
  return dynamic_cast<const Errore*>(&e) != nullptr;
}

// A parse error's message as CLI11 (2.x) words it, {0} to {2} standing for
// what it names, and ours.
struct forma_errore {
  bool (*tipo)(const CLI::ParseError&);
  std::string_view inglese;  // its message
  const char* nostro;
};
constexpr std::array<forma_errore, 11> forme_errori = {{
    {di_tipo<CLI::RequiredError>, "A subcommand is required",
     N_("a command is needed")},
    {di_tipo<CLI::RequiredError>, "{0} is required", N_("{0} is needed")},
    {di_tipo<CLI::ExcludesError>, "{0} excludes {1}",
     N_("{0} and {1} cannot be used together")},
    {di_tipo<CLI::RequiresError>, "{0} requires {1}", N_("{0} needs {1}")},
    {di_tipo<CLI::ValidationError>, "{0}: {1} not in {2}",
     N_("{0}: \"{1}\" is not one of {2}")},
    {di_tipo<CLI::ConversionError>, "Could not convert: {0} = {1}",
     N_("{0}: \"{1}\" is not a valid value")},
    {di_tipo<CLI::ConversionError>, "{0}: too many inputs for a flag",
     N_("{0} takes no value")},
    {di_tipo<CLI::ConversionError>, "{0}: Should be true/false or a number",
     N_("{0} takes no value")},
    {di_tipo<CLI::ArgumentMismatch>, "{0}: {1} required {2} missing",
     N_("{0} needs a value")},
    {di_tipo<CLI::ArgumentMismatch>, "{0} was given a disallowed flag override",
     N_("{0} takes no value")},
    {di_tipo<CLI::ArgumentMismatch>, "{0}: At Most 1 required but received {1}",
     N_("{0} can be given only once")},
}};

// The parts of `testo` that stand where `forma` has {0}, {1}, ...; nothing
// when the text has another shape. A part runs to the first place where the
// next fixed piece follows (the last part to the end).
std::optional<std::vector<std::string>> parti(std::string_view testo,
                                              std::string_view forma) {
  std::vector<std::string> trovate;
  std::size_t t = 0;
  while (!forma.empty()) {
    const std::size_t aperta = forma.find('{');
    const std::string_view fisso = forma.substr(0, aperta);
    if (testo.compare(t, fisso.size(), fisso) != 0) return std::nullopt;
    t += fisso.size();
    if (aperta == std::string_view::npos) break;
    forma.remove_prefix(aperta + 3);
    const std::string_view seguente = forma.substr(0, forma.find('{'));
    const std::size_t fine =
        seguente.empty() ? testo.size() : testo.find(seguente, t);
    if (fine == std::string_view::npos || fine == t) return std::nullopt;
    trovate.emplace_back(testo.substr(t, fine - t));
    t = fine;
  }
  if (t != testo.size()) return std::nullopt;
  return trovate;
}

// "The following argument(s) was/were not expected: a b".
std::optional<std::string> argomenti_in_piu(std::string_view testo) {
  const std::string_view dopo = ": ";
  const std::size_t inizio = testo.find(dopo);
  if (testo.rfind("The following argument", 0) != 0 ||
      inizio == std::string_view::npos)
    return std::nullopt;
  // CLI11 lists them from the last one typed: back in the order typed.
  std::vector<std::string> parole;
  std::string parola;
  for (char c : testo.substr(inizio + dopo.size())) {
    if (c != ' ') {
      parola += c;
    } else if (!parola.empty()) {
      parole.push_back(std::move(parola));
      parola.clear();
    }
  }
  if (!parola.empty()) parole.push_back(parola);
  std::string elenco;
  for (auto p = parole.rbegin(); p != parole.rend(); ++p)
    elenco += (elenco.empty() ? "" : " ") + *p;
  const auto quanti = static_cast<unsigned long>(parole.size());
  return sostituisci(traduci_plurale("unexpected argument: {0}",
                                     "unexpected arguments: {0}", quanti),
                     {elenco});
}

}  // namespace

std::shared_ptr<CLI::Formatter> formato_aiuto() {
  auto formato = std::make_shared<CLI::Formatter>();
  for (const etichetta& e : etichette)
    formato->label(e.chiave, traduci(e.testo));
  return formato;
}

void etichette_dei_tipi(CLI::App& app) {
  const auto formato = app.get_formatter();
  std::vector<CLI::App*> comandi = app.get_subcommands({});
  comandi.push_back(&app);
  for (const CLI::App* comando : comandi) {
    for (const CLI::Option* o : comando->get_options()) {
      const std::string tipo = o->get_type_name();
      if (!tipo.empty()) formato->label(tipo, tipo_tradotto(tipo));
    }
  }
}

std::string tipo_tradotto(const std::string& tipo) {
  const std::size_t due_punti = tipo.find(':');
  const std::string parola = tipo.substr(0, due_punti);
  const std::string resto =
      due_punti == std::string::npos ? "" : tipo.substr(due_punti);
  for (const char* t : tipi) {
    if (parola == t) return traduci(t) + resto;
  }
  return tipo;
}

std::string etichetta_uso() { return traduci("Usage"); }

std::string errore_della_riga(const CLI::ParseError& e) {
  const std::string testo = e.what();
  if (di_tipo<CLI::ExtrasError>(e)) {
    if (auto detto = argomenti_in_piu(testo)) return *detto;
  }
  for (const forma_errore& f : forme_errori) {
    if (!f.tipo(e)) continue;
    if (auto trovate = parti(testo, f.inglese))
      return sostituisci(traduci(f.nostro), *trovate);
  }
  return traduci("the command line is not valid");
}
