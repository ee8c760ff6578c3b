# Writes a C++ source that holds files as byte arrays, each behind a function
# returning a std::string_view, so that the page's style and script and the
# reference that the language server quotes are kept as real files and still
# travel inside the program (an array has no length limit; a literal has).
#   cmake -DUSCITA=out.cpp -DVOCI="funzione=file|funzione=file" -P incorpora.cmake
set(testo "// Made by cmake/incorpora.cmake from the files it names; do not edit.\n")
string(APPEND testo "#include <string_view>\n\nnamespace {\n")
set(funzioni "")
string(REPLACE "|" ";" voci "${VOCI}")
foreach(voce ${voci})
  string(REPLACE "=" ";" parti "${voce}")
  list(GET parti 0 funzione)
  list(GET parti 1 file)
  if(file MATCHES "\\.js$")
    # A script travels in every page: without its whole-line comments and
    # its indentation, which are for its readers (a line never starts
    # inside a string in these scripts).
    file(READ "${file}" sorgente)
    string(REGEX REPLACE "\n[ \t]*//[^\n]*" "" sorgente "${sorgente}")
    string(REGEX REPLACE "\n[ \t]+" "\n" sorgente "${sorgente}")
    file(WRITE "${USCITA}.js" "${sorgente}")
    file(READ "${USCITA}.js" esadecimale HEX)
    file(REMOVE "${USCITA}.js")
  else()
    file(READ "${file}" esadecimale HEX)
  endif()
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," byte "${esadecimale}")
  string(REGEX REPLACE "(([^,]*,){16})" "\\1\n    " byte "${byte}")
  string(APPEND testo "constexpr char dati_${funzione}[] = {\n    ${byte}'\\0'};\n")
  string(APPEND funzioni "std::string_view ${funzione}() {\n"
         "  return {dati_${funzione}, sizeof dati_${funzione} - 1};\n}\n")
endforeach()
string(APPEND testo "\n}  // namespace\n\n${funzioni}")
file(WRITE "${USCITA}.nuovo" "${testo}")
file(RENAME "${USCITA}.nuovo" "${USCITA}")
