#pragma once
// What "Generate .bsp" runs: the four map compile tools on AppDir/quorvel,
// then the compiled level moved into the game's maps folder.
//
// On Windows the tools and the move run from a batch file in ToolDir through
// the command interpreter; elsewhere each tool is its own child process (no
// shell, so no folder name can be taken for a command) and the program moves
// the level itself. Both plans can be built on any platform so that both can
// be tested everywhere; MakeCompilePlan picks the one for this system.

#include <QList>
#include <QString>
#include <QStringList>

struct CompileDirs {
  QString AppDir;   // holds quorvel.map; the tools leave quorvel.bsp beside it
  QString ToolDir;  // the compile tools
  QString HLDir;    // the game's main folder; levels go to valve/maps in it
};

// One child process of the run.
struct CompileStep {
  QString Description;  // the tool's name, or the batch file's for Windows
  QString Program;      // absolute path, or the command interpreter
  QStringList Arguments;
  QString WorkingDirectory;
};

struct CompilePlan {
  QList<CompileStep> Steps;

  // Windows only: the batch file to write before the first step and to delete
  // after the run, whatever happened. Empty elsewhere.
  QString BatchPath;
  QString BatchText;

  // Files the tools read and write beside the map.
  QString MapPath;  // AppDir/quorvel.map
  QString BspPath;  // AppDir/quorvel.bsp
  QString ErrPath;  // AppDir/quorvel.err: written by a tool that failed
  QString LinPath;  // AppDir/quorvel.lin: written by the bsp tool on a leak

  QString MapsDir;     // HLDir/valve/maps
  QString TargetPath;  // HLDir/valve/maps/quorvel.bsp

  // True when the program moves BspPath to TargetPath after the last step;
  // false when the batch file does it.
  bool MoveAfterSteps = false;
};

// The batch file's lines, each ending in CR LF:
//   @echo off
//   qcsg.exe "AppDir\quorvel"        then a check that stops the batch
//   qbsp2.exe "AppDir\quorvel"       ditto
//   vis.exe "AppDir\quorvel"         ditto
//   qrad.exe "AppDir\quorvel"        ditto
//   move  "AppDir\quorvel.bsp" "HLDir\valve\maps"
// Paths are quoted and every '%' in them doubled, so the interpreter takes
// spaces, '&', ';' and '%' in folder names literally. A tool that fails ends
// the batch with exit status BatchToolFailureStatus(tool number), so the
// later tools do not run and no older quorvel.bsp is moved.
QString BatchFileText(const QString& appDir, const QString& hlDir);

// The batch's exit status when tool 1 to 4 failed: 11 to 14, apart from the 1
// a failed move leaves.
int BatchToolFailureStatus(int toolNumber);
// The Windows tool that a batch exit status names, or empty.
QString BatchFailedTool(int exitStatus);

// The four Windows tool names in batch order.
QStringList WindowsToolNames();

// The names each step of a POSIX run looks for in ToolDir, in order of
// preference: {"hlcsg", "sdHLCSG"}, {"hlbsp", "sdHLBSP"}, ...
QList<QStringList> PosixToolFamilies();

// The Windows plan: the batch file above, run by commandInterpreter (COMSPEC)
// in ToolDir. Checks nothing.
CompilePlan MakeWindowsPlan(const CompileDirs& dirs, const QString& commandInterpreter);

// The POSIX plan: each step is the first executable in ToolDir among its
// family's names, given "-threads threads AppDir/quorvel". False, with a
// message naming the names looked for and the folder, when a tool is missing.
bool MakePosixPlan(const CompileDirs& dirs, unsigned threads, CompilePlan* plan, QString* error);

// AppDir/quorvel.map with this system's separator.
QString MapSourcePath(const QString& appDir);

// The plan for this system (COMSPEC or cmd.exe on Windows, one thread per
// core elsewhere).
bool MakeCompilePlan(const CompileDirs& dirs, CompilePlan* plan, QString* error);

// A step's command line for the output window, with arguments quoted the way
// the system's shell would need them.
QString CommandLineText(const CompileStep& step);
