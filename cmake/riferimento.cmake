# Writes the reference of the description languages (INGRESSO, UTF-8) into a
# C++ source (USCITA) as one string, for the language server's hover.
file(READ ${INGRESSO} testo)
string(FIND "${testo}" ")riferimento\"" dentro)
if(NOT dentro EQUAL -1)
  message(FATAL_ERROR "${INGRESSO} holds the raw string's end mark")
endif()
file(WRITE ${USCITA}.tmp
  "// Generated from docs/descriptions.md by cmake/riferimento.cmake.\n"
  "#include <string_view>\n\n"
  "std::string_view testo_riferimento() {\n"
  "  static constexpr const char* testo = R\"riferimento(${testo})riferimento\";\n"
  "  return testo;\n}\n")
file(COPY_FILE ${USCITA}.tmp ${USCITA} ONLY_IF_DIFFERENT)
file(REMOVE ${USCITA}.tmp)
