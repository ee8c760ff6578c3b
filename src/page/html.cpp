#include "page/html.h"

#include "platform/cp1252.h"

std::string xml(const std::string& utf8) {
  std::string t;
  for (char c : utf8) {
    switch (c) {
      case '&':
        t += "&amp;";
        break;
      case '<':
        t += "&lt;";
        break;
      case '>':
        t += "&gt;";
        break;
      case '"':
        t += "&quot;";
        break;
      case '\'':
        t += "&#39;";
        break;
      default:
        // Control characters are not allowed in XML text.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') {
          t += ' ';
        } else {
          t += c;
        }
    }
  }
  return t;
}

std::string testo(const std::string& cp1252) {
  return xml(cp1252_a_utf8(cp1252));
}
