#include "shell/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace shell {

namespace {

bool PlainWord(const std::string& word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || std::strchr("-_./:=+,@%", c);
  });
}

#ifdef _WIN32
// cmd and the C runtime: double quotes; a quote is escaped with a backslash,
// and so are the backslashes before a quote or the closing quote.
std::string Quoted(const std::string& word) {
  std::string out = "\"";
  std::size_t backslashes = 0;
  for (const char c : word) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');
  return out + '"';
}
#else
// POSIX shells: single quotes keep everything but a single quote, which is
// closed, escaped and reopened.
std::string Quoted(const std::string& word) {
  std::string out = "'";
  for (const char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}
#endif

}  // namespace

std::string CommandLineText(const std::string& program, const std::vector<std::string>& args) {
  std::string text = PlainWord(program) ? program : Quoted(program);
  for (const std::string& arg : args) text += ' ' + (PlainWord(arg) ? arg : Quoted(arg));
  return text;
}

}  // namespace shell
