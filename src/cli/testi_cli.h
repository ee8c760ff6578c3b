// What the command-line parser (CLI11) would write in its own words, in the
// language of the run instead: the labels of its help ("Usage", "OPTIONS",
// "REQUIRED", the type of an option's value) and its parse errors, each
// turned into a message of ours.
#ifndef CLI_TESTI_CLI_H_
#define CLI_TESTI_CLI_H_

#include <CLI/CLI.hpp>
#include <memory>
#include <string>

// The help's layout with its labels translated; set on the program before its
// commands are added, so that they share it.
std::shared_ptr<CLI::Formatter> formato_aiuto();

// Gives the help's layout of `app` a label for the type of every option of
// the program and its commands ("TEXT", "INT:..."), translated.
void etichette_dei_tipi(CLI::App& app);

// An option's value type as the help shows it: "TEXT", "INT", "FILE",
// "TEXT:{windows-1252,utf-8}", its words translated.
std::string tipo_tradotto(const std::string& tipo);

// The label that begins the usage line ("Usage").
std::string etichetta_uso();

// A parse error of CLI11 said in our words: "--numero needs --documents",
// "unexpected argument: c".
std::string errore_della_riga(const CLI::ParseError& e);

#endif  // CLI_TESTI_CLI_H_
