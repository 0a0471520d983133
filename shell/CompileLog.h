#pragma once
// The compile output as a terminal shows it, for a window to display.
//
// The tools write for a terminal: SDHLT redraws a progress counter after a
// '\r' thousands of times a second, and a tool may print without end. A text
// view that took those bytes as they are would grow lines of tens of
// kilobytes and fall behind for minutes. CompileLog plays the terminal
// instead: '\n' ends a line, '\r' returns to the line's start so that the
// next text overwrites it, '\b' moves one column back, a tab moves to the
// next multiple of 8 columns, and other control characters and ANSI escape
// sequences are dropped. It keeps only the last kMaxLines lines and
// kMaxBytes bytes, each line cut at kMaxLineBytes (marked with kCutMark),
// and hands a view what changed since its last update.
//
// The bytes are the tools' own (UTF-8 or the system's code page); a column is
// one byte, or one whole UTF-8 character. Not thread-safe: one owner feeds it
// and takes its updates.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

// What a view does to catch up with the log.
struct CompileLogUpdate {
  // Drop everything shown first: lines it never saw have already gone.
  bool Reset = false;
  // Lines completed since the last update, oldest first. They replace the
  // unfinished line the view shows last.
  std::vector<std::string> Lines;
  // The unfinished last line as it is now (empty after a '\n'); always shown
  // last.
  std::string Current;
  // The completed lines the log holds now: a view keeps at most this many
  // (the newest) before the current line.
  std::size_t Held = 0;
};

class CompileLog {
 public:
  static constexpr std::size_t kMaxLines = 10000;
  static constexpr std::size_t kMaxBytes = 4 << 20;
  static constexpr std::size_t kMaxLineBytes = 4096;
  static constexpr std::string_view kCutMark = " [...]";

  explicit CompileLog(std::size_t maxLines = kMaxLines, std::size_t maxBytes = kMaxBytes);

  void Feed(std::string_view bytes);
  // True when something changed since the last TakeUpdate.
  bool Changed() const { return Dirty; }
  CompileLogUpdate TakeUpdate();

  // Every line held and the current one, '\n' between them.
  std::string Text() const;

 private:
  void Put(std::string_view character);
  void EndLine();
  void Trim();

  std::size_t MaxLines, MaxBytes;
  std::deque<std::string> Lines;  // completed
  std::size_t LineBytes = 0;      // in Lines
  std::size_t Unsent = 0;         // the newest lines the view has not had
  bool ResetPending = false;
  bool Dirty = false;

  std::string Line;        // the current line
  std::size_t Column = 0;  // a byte offset into Line, at a character's start
  bool Cut = false;        // Line reached kMaxLineBytes

  // A character or escape sequence cut between two pieces.
  std::string Partial;
  enum class Escape { None, Start, Csi, Osc, OscEsc } InEscape = Escape::None;
  std::size_t EscapeLength = 0;
};

}  // namespace shell
