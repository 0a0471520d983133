#pragma once
// Stand-ins for the compile tools and the game: small shell scripts written
// into temporary folders. Each appends what it was given to the file named
// by QUORVEL_FAKE_LOG ("tool=NAME", "cwd=DIR", then one "arg=" line per
// argument) and then does what its body says; $map is its last argument.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// Bodies a tool may have.
namespace fake {
extern const char* const kSucceed;      // prints a line, exits 0
extern const char* const kWriteBsp;     // writes "$map.bsp" ("new"), exits 0
extern const char* const kFail;         // appends to "$map.err", exits 3
extern const char* const kFailQuietly;  // exits 2, writes nothing
extern const char* const kErrFileOnly;  // writes "$map.err", exits 0
extern const char* const kLeak;         // .bsp, .err, .lin and .pts, exits 0
extern const char* const kSleep;        // starts sleep 30 in the background, records its pid, waits
extern const char* const kCrash;        // kills itself with SIGSEGV
}  // namespace fake

// AppDir with quorvel.map, ToolDir, HLDir with valve/maps, and the log, all
// below one temporary folder; folder names get `decoration` appended.
class FakeSetup {
 public:
  explicit FakeSetup(const QString& decoration = QString());
  ~FakeSetup();

  QString AppDir, ToolDir, HLDir, MapsDir, LogPath;

  // Writes an executable script ToolDir/name (or another folder) with body.
  void WriteTool(const QString& name, const char* body, const QString& dir = QString());
  // hlcsg, hlbsp (kWriteBsp), hlvis, hlrad, or the sd family; bodies[i]
  // replaces the default of step i when given.
  void WriteTools(const QStringList& names = {}, const QList<const char*>& bodies = {});

  // The log's records, one per run of a script: its lines without prefix
  // "tool=".
  QList<QStringList> Records() const;
  QStringList ToolsRun() const;
  // The pid that a kSleep tool recorded, 0 before it did.
  long SleepPid() const;

  static QStringList LinuxNames();  // hlcsg hlbsp hlvis hlrad
  static QStringList SdNames();     // sdHLCSG sdHLBSP sdHLVIS sdHLRAD

 private:
  QTemporaryDir Root;
  QByteArray OldLog;
};

QString ReadFile(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);
bool FileThere(const QString& path);

// Runs the event loop until done() or the timeout; done()'s last value.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

// True when the process is gone or a zombie.
bool ProcessEnded(long pid);
