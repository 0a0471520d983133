#include "shell/CommandLine.h"

#include <cstdio>
#include <cstring>

namespace shell {

namespace {

bool PlainWord(const std::string& word, ShellRules rules) {
  if (word.empty()) return false;
  const char* more = rules == ShellRules::Windows ? "-_./:=+,@\\" : "-_./:=+,@%";
  for (const char c : word) {
    const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!letterOrDigit && !std::strchr(more, c)) return false;
  }
  return true;
}

// The length of the well-formed UTF-8 character at text[at] (no overlong
// form, no surrogate, at most U+10FFFF); 0 when the byte starts none.
std::size_t Utf8Length(const std::string& text, std::size_t at) {
  const auto byte = [&text](std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
  const unsigned first = byte(at);
  const auto follows = [&](std::size_t i, unsigned low = 0x80, unsigned high = 0xBF) {
    return byte(i) >= low && byte(i) <= high;
  };
  if (first < 0x80) return 1;
  if (first >= 0xC2 && first <= 0xDF) return follows(at + 1) ? 2 : 0;
  if (first >= 0xE0 && first <= 0xEF) {
    const unsigned low = first == 0xE0 ? 0xA0 : 0x80, high = first == 0xED ? 0x9F : 0xBF;
    return follows(at + 1, low, high) && follows(at + 2) ? 3 : 0;
  }
  if (first >= 0xF0 && first <= 0xF4) {
    const unsigned low = first == 0xF0 ? 0x90 : 0x80, high = first == 0xF4 ? 0x8F : 0xBF;
    return follows(at + 1, low, high) && follows(at + 2) && follows(at + 3) ? 4 : 0;
  }
  return 0;
}

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

std::string PosixQuoted(const std::string& word) {
  bool needsEscapes = false;
  for (std::size_t i = 0; i < word.size() && !needsEscapes;) {
    const std::size_t n = Utf8Length(word, i);
    needsEscapes = n == 0 || IsControl(static_cast<unsigned char>(word[i]));
    i += n;
  }
  if (!needsEscapes) {
    std::string out = "'";
    for (const char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
  }
  std::string out = "$'";
  for (std::size_t i = 0; i < word.size();) {
    const std::size_t n = Utf8Length(word, i);
    const auto c = static_cast<unsigned char>(word[i]);
    if (n == 0 || IsControl(c)) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02x", c);
      out += escape;
      ++i;
    } else {
      if (c == '\\' || c == '\'') out += '\\';
      out.append(word, i, n);
      i += n;
    }
  }
  return out + "'";
}

std::string WindowsQuoted(const std::string& word) {
  std::string out = "\"";
  std::size_t backslashes = 0;  // pending: doubled when a quote follows them
  for (const char c : word) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"' || c == '%') {
      // Close the quotes, write the character where cmd sees it escaped,
      // open them again.
      out.append(backslashes * 2, '\\');
      out += c == '"' ? "\"\\^\"\"" : "\"^%\"";
    } else {
      out.append(backslashes, '\\');
      out += c;
    }
    backslashes = 0;
  }
  out.append(backslashes * 2, '\\');
  return out + '"';
}

}  // namespace

std::string QuotedArgument(const std::string& argument, ShellRules rules) {
  if (PlainWord(argument, rules)) return argument;
  return rules == ShellRules::Windows ? WindowsQuoted(argument) : PosixQuoted(argument);
}

std::string CommandLineText(const std::string& program, const std::vector<std::string>& arguments,
                            ShellRules rules) {
  std::string text = QuotedArgument(program, rules);
  for (const std::string& argument : arguments) text += ' ' + QuotedArgument(argument, rules);
  return text;
}

}  // namespace shell
