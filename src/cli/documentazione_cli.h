// What the command line says of itself, generated from the parser's own
// description of the program, so that neither can drift from the help: the
// manual page (roff) and the bash completion script.
#ifndef CLI_DOCUMENTAZIONE_CLI_H_
#define CLI_DOCUMENTAZIONE_CLI_H_

#include <string>
#include <string_view>

namespace CLI {
class App;
}

// Text set in roff: backslashes, minus signs and a leading period or quote
// escaped, letters outside ASCII (UTF-8) as named glyphs.
std::string testo_roff(std::string_view testo);

// The manual page of section 1: name, synopsis, description, the program's
// options, each command with its arguments, options and example, the exit
// statuses and the environment.
std::string pagina_manuale(const CLI::App& app, std::string_view versione);

// A bash completion script: commands, each command's options, and file or
// folder names where an argument or an option takes one (type FILE or DIR).
std::string completamento_bash(const CLI::App& app);

#endif  // CLI_DOCUMENTAZIONE_CLI_H_
