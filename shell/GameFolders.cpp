#include "shell/GameFolders.h"

#include <filesystem>
#include <system_error>

#include "platform/SafeRead.h"
#include "shell/Paths.h"
#include "shell/SetupChecks.h"

namespace shell {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr char kGameInLibrary[] = "\\steamapps\\common\\Half-Life";
#else
constexpr char kGameInLibrary[] = "/steamapps/common/Half-Life";
#endif

// The quoted strings and braces of a Valve KeyValues text, in order; a
// brace comes back as "{" or "}" with quoted false.
struct Token {
  std::string Text;
  bool Quoted;
};

std::vector<Token> Tokens(std::string_view text) {
  std::vector<Token> tokens;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '{' || c == '}') {
      tokens.push_back({std::string(1, c), false});
    } else if (c == '"') {
      std::string value;
      for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) ++i;  // \\ and \" stand for the character
        value += text[i];
      }
      tokens.push_back({value, true});
    } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
      i = text.find('\n', i);
      if (i == std::string_view::npos) break;
    }
  }
  return tokens;
}

bool AllDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// Steam's lists are a few kilobytes: more is not such a list.
constexpr std::size_t kMaxListBytes = 1 << 20;

// Empty when the file is missing, unreadable, or not a regular file of at
// most kMaxListBytes (a FIFO there would block, a device never end).
std::string ReadList(const std::string& path) {
  const Result<std::optional<std::string>> bytes = platform::ReadFileSafely(path, kMaxListBytes);
  return bytes && *bytes ? **bytes : std::string();
}

}  // namespace

std::vector<std::string> SteamRoots(const UserEnvironment& env) {
#ifdef _WIN32
  // Steam writes the value with '/' ("c:/program files (x86)/steam").
  if (env.SteamPath.empty()) return {};
  return {PathString(FileSystemPath(env.SteamPath).make_preferred())};
#else
  const std::string& home = env.Home;
  return {home + "/.steam/steam", home + "/.local/share/Steam", home + "/.steam/debian-installation",
          home + "/.var/app/com.valvesoftware.Steam/.local/share/Steam"};
#endif
}

std::vector<std::string> ParseLibraryFolders(std::string_view vdf) {
  const std::vector<Token> tokens = Tokens(vdf);
  std::vector<std::string> folders;
  int depth = 0;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Token& token = tokens[i];
    if (!token.Quoted) {
      depth += token.Text == "{" ? 1 : -1;
      continue;
    }
    if (i + 1 >= tokens.size() || !tokens[i + 1].Quoted) continue;  // a key that opens a block
    const std::string& value = tokens[++i].Text;
    // Today's form: "N" { "path" "..." }; the older one: "N" "..." directly.
    if ((depth == 2 && token.Text == "path") || (depth == 1 && AllDigits(token.Text)))
      folders.push_back(value);
  }
  return folders;
}

std::vector<std::string> SteamLibraries(const UserEnvironment& env) {
  std::vector<std::string> libraries;
  std::vector<fs::path> seen;
  auto add = [&](const std::string& folder) {
    const fs::path path = FileSystemPath(folder);
    std::error_code ec;
    if (!fs::is_directory(path, ec)) return;
    // The same folder by another name (a link; on Windows another case) counts once.
    for (const fs::path& known : seen)
      if (fs::equivalent(known, path, ec)) return;
    seen.push_back(path);
    libraries.push_back(folder);
  };
  for (const std::string& root : SteamRoots(env)) {
    add(root);
    for (const char* list : {"/steamapps/libraryfolders.vdf", "/config/libraryfolders.vdf"})
      for (const std::string& library : ParseLibraryFolders(ReadList(root + list))) add(library);
  }
  return libraries;
}

std::string FindGameFolder(const UserEnvironment& env) {
  for (const std::string& library : SteamLibraries(env)) {
    const std::string game = library + kGameInLibrary;
    if (IsDirectory(game + "/valve")) return game;
  }
  return {};
}

bool InSteamLibrary(const std::string& gameDir) {
  fs::path game = fs::path(gameDir).lexically_normal();
  if (!game.has_filename()) game = game.parent_path();  // a trailing separator
  const fs::path common = game.parent_path();
  return !game.filename().empty() && common.filename() == "common" &&
         common.parent_path().filename() == "steamapps";
}

std::vector<std::string> UsualToolFolders(const UserEnvironment& env) {
#ifdef _WIN32
  return {JoinPath(env.Home, "hlcompilers"), "C:\\hlcompilers", "C:\\WorldCraft", "C:\\WorldCraft\\tools"};
#else
  const std::string& home = env.Home;
  return {home + "/hlcompilers", home + "/.local/bin", "/usr/local/bin", "/opt/hlcompilers"};
#endif
}

std::string FindToolsFolder(const UserEnvironment& env, const std::vector<std::string>& places) {
  std::vector<std::string> folders = env.PathFolders();
  folders.insert(folders.end(), places.begin(), places.end());
  for (const std::string& folder : folders)
    if (FindTools(folder)) return folder;
  return {};
}

Settings FoundDefaults(const UserEnvironment& env) {
  Settings settings = Settings::Defaults();
  const std::string tools = FindToolsFolder(env, UsualToolFolders(env));
  const std::string game = FindGameFolder(env);
  if (!tools.empty()) settings.SetLine(Settings::kToolLine, tools);
  if (!game.empty()) settings.SetLine(Settings::kGameLine, game);
  return settings;
}

Settings StartDefaults(const std::string& settingsPath, const UserEnvironment& env) {
  std::error_code ec;
  const bool nothingThere = fs::symlink_status(FileSystemPath(settingsPath), ec).type() == fs::file_type::not_found;
  return nothingThere ? FoundDefaults(env) : Settings::Defaults();
}

}  // namespace shell
