#include "cli/documentazione_cli.h"

#include <CLI/CLI.hpp>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <vector>

#include "cli/lingua.h"
#include "cli/messaggi.h"
#include "cli/testi_cli.h"

namespace {

// A flag takes no value; an option does.
bool prende_valore(const CLI::Option& o) { return o.get_expected_max() > 0; }

// --- Manual page
// --------------------------------------------------------------

// The code point of the UTF-8 sequence at `i`, moving `i` past it; a byte that
// begins no whole sequence stands for itself.
unsigned lettera_utf8(std::string_view t, std::size_t& i) {
  const auto byte = [&](std::size_t k) {
    return static_cast<unsigned char>(t[k]);
  };
  const unsigned primo = byte(i);
  const std::size_t seguenti = primo >= 0xF0 ? 3 : primo >= 0xE0 ? 2 : 1;
  bool intera = primo >= 0xC0 && primo < 0xF8 && i + seguenti < t.size();
  for (std::size_t k = 1; intera && k <= seguenti; ++k)
    intera = (byte(i + k) & 0xC0) == 0x80;
  if (!intera) {
    ++i;
    return primo;
  }
  unsigned codice = primo & (0x3Fu >> seguenti);
  for (std::size_t k = 1; k <= seguenti; ++k)
    codice = (codice << 6) | (byte(i + k) & 0x3Fu);
  i += seguenti + 1;
  return codice;
}

std::string glifo(unsigned codice) {
  char testo[16];
  std::snprintf(testo, sizeof testo, "\\[u%04X]", codice);
  return testo;
}

// Lines of help text joined into one filled paragraph each; a blank line
// starts a new one.
std::string paragrafi(std::string_view testo) {
  std::string risultato;
  std::istringstream righe{std::string(testo)};
  std::string riga;
  bool a_capo = true;
  while (std::getline(righe, riga)) {
    if (riga.empty()) {
      risultato += "\n.PP\n";
      a_capo = true;
      continue;
    }
    if (!a_capo) risultato += '\n';
    risultato += testo_roff(riga);
    a_capo = false;
  }
  return risultato + '\n';
}

// "--out DIR=." as the help shows an option, in bold and italics.
std::string voce_opzione(const CLI::Option& o) {
  std::string testo =
      "\\fB" + testo_roff(o.get_name(o.get_positional(), true)) + "\\fR";
  if (!o.get_positional() && prende_valore(o))
    testo += " \\fI" + testo_roff(tipo_tradotto(o.get_type_name())) + "\\fR";
  if (!o.get_default_str().empty())
    testo += "=" + testo_roff(o.get_default_str());
  return testo;
}

void opzioni_roff(std::ostream& o, const CLI::App& app) {
  for (bool posizionali : {true, false}) {
    for (const CLI::Option* opzione : app.get_options()) {
      if (opzione->get_group().empty() ||
          opzione->get_positional() != posizionali)
        continue;
      o << ".TP\n"
        << voce_opzione(*opzione) << '\n'
        << testo_roff(opzione->get_description()) << '\n';
    }
  }
}

// The synopsis of a command: its name, "[OPZIONI]" and its arguments.
void sintassi_comando(std::ostream& o, const CLI::App& app,
                      const CLI::App& comando) {
  o << ".B " << testo_roff(app.get_name() + " " + comando.get_name()) << '\n'
    << "[\\fI" << testo_roff(messaggi::sezione_opzioni()) << "\\fR]";
  for (const CLI::Option* opzione : comando.get_options()) {
    if (!opzione->get_positional()) continue;
    const std::string nome =
        "\\fI" + testo_roff(opzione->get_name(true)) + "\\fR";
    o << ' ' << (opzione->get_required() ? nome : "[" + nome + "]");
  }
  o << '\n';
}

// The example that closes a command's help: its first line as text, the
// others as they are typed.
void esempio_roff(std::ostream& o, const std::string& piede) {
  if (piede.empty()) return;
  std::istringstream righe(piede);
  std::string riga;
  std::getline(righe, riga);
  o << ".PP\n" << testo_roff(riga) << "\n.RS\n.nf\n";
  while (std::getline(righe, riga)) {
    const std::size_t inizio = riga.find_first_not_of(' ');
    if (inizio != std::string::npos)
      o << testo_roff(riga.substr(inizio)) << '\n';
  }
  o << ".fi\n.RE\n";
}

void comandi_roff(std::ostream& o, const CLI::App& app) {
  o << ".SH " << testo_roff(messaggi::sezione_comandi()) << '\n';
  for (const CLI::App* comando : app.get_subcommands({})) {
    o << ".SS " << testo_roff(comando->get_name()) << '\n'
      << testo_roff(comando->get_description()) << "\n.PP\n";
    sintassi_comando(o, app, *comando);
    opzioni_roff(o, *comando);
    esempio_roff(o, comando->get_footer());
  }
}

void voci_roff(std::ostream& o, std::string_view sezione,
               std::span<const messaggi::voce_manuale> voci) {
  o << ".SH " << testo_roff(sezione) << '\n';
  for (const messaggi::voce_manuale& v : voci) {
    o << ".TP\n.B " << testo_roff(v.nome) << '\n'
      << testo_roff(traduci(v.testo)) << '\n';
  }
}

// --- Bash completion
// ------------------------------------------------------------

// What an argument of this type completes to: "-d" folders, "-f" files, ""
// nothing.
std::string_view completa(const std::string& tipo) {
  if (tipo == "DIR") return "-d";
  if (tipo == "FILE") return "-f";
  return "";
}

// Every name of the visible options, or of one option, joined by `tra`.
std::string nomi_opzione(const CLI::Option& o, std::string_view tra) {
  std::string nomi;
  for (const std::string& s : o.get_snames())
    nomi += std::string(tra) + "-" + s;
  for (const std::string& l : o.get_lnames())
    nomi += std::string(tra) + "--" + l;
  return nomi.substr(std::min(nomi.size(), tra.size()));
}

std::string nomi_opzioni(const CLI::App& app) {
  std::string nomi;
  for (const CLI::Option* o : app.get_options()) {
    if (!o->get_group().empty() && !o->get_positional())
      nomi += " " + nomi_opzione(*o, " ");
  }
  return nomi.substr(std::min<std::size_t>(nomi.size(), 1));
}

// What the command's arguments complete to: files when one takes a file,
// else folders when one takes a folder.
std::string_view completa_argomenti(const CLI::App& comando) {
  std::string_view scelta;
  for (const CLI::Option* o : comando.get_options()) {
    if (!o->get_positional()) continue;
    const std::string_view tipo = completa(o->get_type_name());
    if (tipo == "-f" || scelta.empty()) scelta = tipo;
  }
  return scelta;
}

// The lines of one command's case: a value after an option, an option name,
// or an argument.
void caso_bash(std::ostream& o, const CLI::App& comando,
               const std::string& funzione) {
  o << "    case \"$prev\" in\n";
  for (const CLI::Option* opzione : comando.get_options()) {
    if (opzione->get_positional() || !prende_valore(*opzione) ||
        opzione->get_group().empty())
      continue;
    o << "      " << nomi_opzione(*opzione, "|") << ") " << funzione
      << "_parole \"" << completa(opzione->get_type_name())
      << "\"; return ;;\n";
  }
  o << "    esac\n"
    << "    if [[ \"$cur\" == -* ]]; then\n"
    << "      mapfile -t COMPREPLY < <(compgen -W \"" << nomi_opzioni(comando)
    << "\" -- \"$cur\")\n"
    << "    else\n"
    << "      " << funzione << "_parole \"" << completa_argomenti(comando)
    << "\"\n"
    << "    fi ;;\n";
}

}  // namespace

std::string testo_roff(std::string_view testo) {
  std::string r;
  bool inizio_riga = true;
  for (std::size_t i = 0; i < testo.size();) {
    const char c = testo[i];
    if (inizio_riga && (c == '.' || c == '\'')) r += "\\&";
    inizio_riga = c == '\n';
    if (static_cast<unsigned char>(c) >= 0x80) {
      r += glifo(lettera_utf8(testo, i));
      continue;
    }
    if (c == '\\') {
      r += "\\e";
    } else if (c == '-') {
      r += "\\-";
    } else {
      r += c;
    }
    ++i;
  }
  return r;
}

std::string pagina_manuale(const CLI::App& app, std::string_view versione) {
  std::ostringstream o;
  std::string nome = app.get_name();
  std::string maiuscolo;
  for (char c : nome) maiuscolo += static_cast<char>(std::toupper(c));
  o << ".TH " << testo_roff(maiuscolo) << " 1 \"\" \"" << testo_roff(versione)
    << "\"\n.SH " << testo_roff(messaggi::sezione_nome()) << '\n'
    << testo_roff(nome) << " \\- " << testo_roff(messaggi::titolo_manuale())
    << "\n.SH " << testo_roff(messaggi::sezione_sintassi()) << "\n.B "
    << testo_roff(nome) << "\n.br\n.B " << testo_roff(nome) << "\n[\\fI"
    << testo_roff(messaggi::sezione_opzioni()) << "\\fR]\n.I "
    << testo_roff(messaggi::parola_comando()) << "\n.SH "
    << testo_roff(messaggi::sezione_descrizione()) << '\n'
    << paragrafi(app.get_description()) << ".SH "
    << testo_roff(messaggi::sezione_opzioni()) << '\n';
  opzioni_roff(o, app);
  comandi_roff(o, app);
  voci_roff(o, messaggi::sezione_uscita(), messaggi::stati_di_uscita());
  voci_roff(o, messaggi::sezione_ambiente(), messaggi::variabili_ambiente());
  o << ".SH " << testo_roff(messaggi::sezione_vedere()) << '\n'
    << testo_roff(messaggi::vedere_anche()) << '\n';
  return o.str();
}

std::string completamento_bash(const CLI::App& app) {
  const std::string funzione = "_" + app.get_name();
  std::string comandi, alternative;
  for (const CLI::App* c : app.get_subcommands({})) {
    comandi += (comandi.empty() ? "" : " ") + c->get_name();
    alternative += (alternative.empty() ? "" : "|") + c->get_name();
  }
  std::ostringstream o;
  o << "# bash completion for " << app.get_name()
    << ", generated from its command line.\n\n"
    << "# COMPREPLY from folder (-d) or file (-f) names, or nothing.\n"
    << funzione << "_parole() {\n"
    << "  [[ -z \"$1\" ]] || mapfile -t COMPREPLY < <(compgen \"$1\" -- "
       "\"$cur\")\n"
    << "}\n\n"
    << funzione << "() {\n"
    << "  local cur=\"${COMP_WORDS[COMP_CWORD]}\" "
       "prev=\"${COMP_WORDS[COMP_CWORD-1]}\" comando=\"\" i\n"
    << "  COMPREPLY=()\n"
    << "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
    << "    case \"${COMP_WORDS[i]}\" in\n"
    << "      " << alternative << ") comando=\"${COMP_WORDS[i]}\"; break ;;\n"
    << "    esac\n"
    << "  done\n"
    << "  case \"$comando\" in\n";
  for (const CLI::App* c : app.get_subcommands({})) {
    o << "  " << c->get_name() << ")\n";
    caso_bash(o, *c, funzione);
  }
  o << "  *)\n"
    << "    if [[ \"$cur\" == -* ]]; then\n"
    << "      mapfile -t COMPREPLY < <(compgen -W \"" << nomi_opzioni(app)
    << "\" -- \"$cur\")\n"
    << "    else\n"
    << "      mapfile -t COMPREPLY < <(compgen -W \"" << comandi
    << "\" -- \"$cur\")\n"
    << "    fi ;;\n"
    << "  esac\n"
    << "  return 0\n"
    << "}\n\n"
    << "complete -o filenames -F " << funzione << " " << app.get_name() << '\n';
  return o.str();
}
