#include "shell/CompileLog.h"

namespace shell {

namespace {

constexpr char kEscape = '\x1b';
// Longer escape sequences are given up (and dropped): no tool writes them,
// and a stray ESC must not swallow the output after it.
constexpr std::size_t kMaxEscape = 64;
constexpr std::size_t kMaxOsc = 512;
constexpr std::size_t kTabWidth = 8;

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The length a UTF-8 lead byte announces; 1 for any other byte.
std::size_t CharacterLength(unsigned char lead) {
  if (lead >= 0xC0 && lead < 0xE0) return 2;
  if (lead >= 0xE0 && lead < 0xF0) return 3;
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  return 1;
}

std::string WithoutTrailingBlanks(std::string line) {
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

}  // namespace

CompileLog::CompileLog(std::size_t maxLines, std::size_t maxBytes) : MaxLines(maxLines), MaxBytes(maxBytes) {}

void CompileLog::Feed(std::string_view bytes) {
  if (!bytes.empty()) Dirty = true;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (InEscape != Escape::None) {
      ++EscapeLength;
      switch (InEscape) {
        case Escape::Start:  // ESC, then intermediates, then a final byte
          if (c == '[') InEscape = Escape::Csi;
          else if (c == ']') InEscape = Escape::Osc;
          else if (byte < 0x20 || byte > 0x2F) InEscape = Escape::None;
          break;
        case Escape::Csi:  // ESC [ parameters ... final byte
          if ((byte >= 0x40 && byte <= 0x7E) || EscapeLength > kMaxEscape) InEscape = Escape::None;
          break;
        case Escape::Osc:  // ESC ] text, ended by BEL or ESC '\'
          if (c == '\a' || EscapeLength > kMaxOsc) InEscape = Escape::None;
          else if (c == kEscape) InEscape = Escape::OscEsc;
          break;
        case Escape::OscEsc:
        case Escape::None:
          InEscape = Escape::None;
          break;
      }
      continue;
    }
    if (!Partial.empty()) {
      if (IsContinuation(c)) {
        Partial += c;
        if (Partial.size() == CharacterLength(static_cast<unsigned char>(Partial[0]))) {
          Put(Partial);
          Partial.clear();
        }
        continue;
      }
      Put(Partial);  // not UTF-8 after all: the bytes as they came
      Partial.clear();
    }
    if (c == kEscape) {
      InEscape = Escape::Start;
      EscapeLength = 0;
    } else if (c == '\n') {
      EndLine();
    } else if (c == '\r') {
      Column = 0;
    } else if (c == '\b') {
      while (Column > 0 && IsContinuation(Line[--Column])) {
      }
    } else if (c == '\t') {
      std::size_t characters = 0;
      for (std::size_t i = 0; i < Column; ++i) characters += !IsContinuation(Line[i]);
      for (std::size_t n = kTabWidth - characters % kTabWidth; n > 0; --n) {
        if (Column < Line.size()) {  // moves over what is there, as a terminal's tab does
          while (++Column < Line.size() && IsContinuation(Line[Column])) {
          }
        } else {
          Put(" ");
        }
      }
    } else if (byte < 0x20 || byte == 0x7F) {
      // Bells, form feeds, NULs: nothing a text view can show.
    } else if (CharacterLength(byte) > 1) {
      Partial = c;
    } else {
      Put(std::string_view(&c, 1));
    }
  }
}

void CompileLog::Put(std::string_view character) {
  if (Column < Line.size()) {
    std::size_t end = Column + 1;
    while (end < Line.size() && IsContinuation(Line[end])) ++end;
    if (Line.size() - (end - Column) + character.size() > kMaxLineBytes) return;
    Line.replace(Column, end - Column, character);
    Column += character.size();
    return;
  }
  if (Line.size() + character.size() > kMaxLineBytes) {
    Cut = true;
    return;
  }
  Line += character;
  Column = Line.size();
}

void CompileLog::EndLine() {
  std::string line = WithoutTrailingBlanks(std::move(Line));
  if (Cut) line += kCutMark;
  LineBytes += line.size();
  Lines.push_back(std::move(line));
  ++Unsent;
  Line.clear();
  Column = 0;
  Cut = false;
  Trim();
}

void CompileLog::Trim() {
  while (!Lines.empty() && (Lines.size() > MaxLines || LineBytes > MaxBytes)) {
    LineBytes -= Lines.front().size();
    Lines.pop_front();
  }
  if (Unsent > Lines.size()) {
    // The view never saw some of the lines that went: it starts again from
    // what is held.
    Unsent = Lines.size();
    ResetPending = true;
  }
}

CompileLogUpdate CompileLog::TakeUpdate() {
  CompileLogUpdate update;
  update.Reset = ResetPending;
  update.Lines.assign(Lines.end() - static_cast<std::ptrdiff_t>(Unsent), Lines.end());
  update.Current = WithoutTrailingBlanks(Line);
  if (Cut) update.Current += kCutMark;
  update.Held = Lines.size();
  Unsent = 0;
  ResetPending = false;
  Dirty = false;
  return update;
}

std::string CompileLog::Text() const {
  std::string text;
  for (const std::string& line : Lines) text += line + '\n';
  return text + WithoutTrailingBlanks(Line) + (Cut ? std::string(kCutMark) : std::string());
}

}  // namespace shell
