#include "platform/ProcessBase.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <chrono>
#include <thread>

#include "platform/Win32Text.h"

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// How long output is still read once the tool has ended but something it
// started keeps the pipe open; then the job ends those leftovers.
constexpr auto kDrainAfterExit = std::chrono::seconds(2);
constexpr DWORD kPollMs = 20;

// One argument as the C runtime's command line parser reads it back.
void AppendArgument(std::wstring& line, const std::wstring& argument) {
  if (!line.empty()) line += L' ';
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    line += argument;
    return;
  }
  line += L'"';
  size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote escaped.
    line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    line += c;
  }
  line.append(backslashes * 2, L'\\');  // before the closing quote
  line += L'"';
}

std::wstring CommandLine(const ProcessSpec& spec) {
  std::wstring line;
  AppendArgument(line, Widen(spec.Program));
  for (const std::string& argument : spec.Arguments) AppendArgument(line, Widen(argument));
  return line;
}

// Closes a handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE h = nullptr) : H(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Reset(); }
  void Reset(HANDLE h = nullptr) {
    if (H) CloseHandle(H);
    H = h == INVALID_HANDLE_VALUE ? nullptr : h;
  }
  HANDLE get() const { return H; }
  HANDLE* out() { return &H; }

 private:
  HANDLE H;
};

class WinProcess final : public ProcessBase {
 public:
  WinProcess(const ProcessSpec& spec, Handlers handlers) : ProcessBase(std::move(handlers)) {
    std::string failure = Launch(spec);
    Reader = std::thread([this, failure] {
      if (!failure.empty()) {
        Finish({ProcessExit::Kind::FailedToStart, 0, failure});
        return;
      }
      Stream();
      Finish(Outcome());
    });
  }

  ~WinProcess() override {
    Stop();
    if (Reader.joinable()) Reader.join();
  }

  void Stop() override {
    std::lock_guard<std::mutex> lock(Mutex);
    if (StopRequested || Done) return;
    StopRequested = true;
    if (Job.get()) TerminateJobObject(Job.get(), 1);
  }

 private:
  // Empty, or why the child could not be started.
  std::string Launch(const ProcessSpec& spec) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    Handle write;
    if (!CreatePipe(OutRead.out(), write.out(), &inherit, 0)) return LastErrorText();
    SetHandleInformation(OutRead.get(), HANDLE_FLAG_INHERIT, 0);
    Handle null(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                            nullptr));

    // Ends every process of the tree when stopped or when this object goes.
    Job.Reset(CreateJobObjectW(nullptr, nullptr));
    if (!Job.get()) return LastErrorText();
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(Job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);

    // Only these two handles reach the child, whatever other threads open.
    HANDLE inherited[2] = {write.get(), null.get()};
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<char> attributeBuffer(size);
    auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeBuffer.data());
    if (!InitializeProcThreadAttributeList(attributes, 1, 0, &size)) return LastErrorText();
    UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                              null.get() ? sizeof inherited : sizeof(HANDLE), nullptr, nullptr);

    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = null.get();
    startup.StartupInfo.hStdOutput = write.get();
    startup.StartupInfo.hStdError = write.get();
    startup.lpAttributeList = attributes;

    std::wstring commandLine = CommandLine(spec);
    const std::wstring program = Widen(spec.Program);
    const std::wstring folder = Widen(spec.WorkingDirectory);
    PROCESS_INFORMATION info{};
    const BOOL started = CreateProcessW(
        program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
        CREATE_SUSPENDED | CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT | EXTENDED_STARTUPINFO_PRESENT, nullptr,
        folder.empty() ? nullptr : folder.c_str(), &startup.StartupInfo, &info);
    const DWORD error = GetLastError();
    DeleteProcThreadAttributeList(attributes);
    if (!started) return ErrorText(error);
    ProcessHandle.Reset(info.hProcess);
    AssignProcessToJobObject(Job.get(), info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    return {};
  }

  // Polls the pipe, so that the reader never blocks on a pipe that something
  // the tool left behind holds open.
  void Stream() {
    LineLimiter limiter;
    char buffer[4096];
    bool ended = false;
    Clock::time_point endTime;
    for (;;) {
      DWORD available = 0;
      if (!PeekNamedPipe(OutRead.get(), nullptr, 0, nullptr, &available, nullptr)) break;  // closed
      if (available > 0) {
        DWORD n = 0;
        if (!ReadFile(OutRead.get(), buffer, available < sizeof buffer ? available : sizeof buffer, &n, nullptr))
          break;
        const std::string text = limiter.Filter(std::string_view(buffer, n));
        if (!text.empty() && H.Output) H.Output(text);
        continue;
      }
      if (WaitForSingleObject(ProcessHandle.get(), kPollMs) != WAIT_OBJECT_0) continue;
      if (!ended) {
        ended = true;
        endTime = Clock::now();
      } else if (Clock::now() - endTime > kDrainAfterExit) {
        TerminateJobObject(Job.get(), 1);
        break;
      } else {
        Sleep(kPollMs);
      }
    }
  }

  ProcessExit Outcome() {
    WaitForSingleObject(ProcessHandle.get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(ProcessHandle.get(), &code);
    ProcessExit exit;
    std::lock_guard<std::mutex> lock(Mutex);
    if (StopRequested) {
      exit.How = ProcessExit::Kind::Stopped;
    } else if (code >= 0xC0000000u) {
      // An NTSTATUS error code: an access violation, a stack overflow, ...
      exit.How = ProcessExit::Kind::Crashed;
      exit.Status = static_cast<int>(code);
    } else {
      exit.Status = static_cast<int>(code);
    }
    return exit;
  }

  Handle Job, ProcessHandle, OutRead;
  bool StopRequested = false;
  std::thread Reader;
};

}  // namespace

std::unique_ptr<Process> Process::Start(const ProcessSpec& spec, Handlers handlers) {
  return std::make_unique<WinProcess>(spec, std::move(handlers));
}

Result<> StartDetached(const ProcessSpec& spec) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = CommandLine(spec);
  const std::wstring program = Widen(spec.Program);
  const std::wstring folder = Widen(spec.WorkingDirectory);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                      nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    return Failure{spec.Program + " could not be started in " +
                   (spec.WorkingDirectory.empty() ? std::string(".") : spec.WorkingDirectory) + ": " +
                   LastErrorText()};
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return {};
}

Result<std::string> ToConsoleCodePage(const std::string& utf8) {
  const std::wstring wide = Widen(utf8);
  if (wide.empty()) return std::string();
  const UINT codePage = ConsoleCodePage();
  BOOL lost = FALSE;
  const int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                    nullptr, 0, nullptr, &lost);
  if (n <= 0 || lost) {
    // Name the first character that has no place in the code page.
    for (const wchar_t c : wide) {
      BOOL missing = FALSE;
      char out[8];
      WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &c, 1, out, sizeof out, nullptr, &missing);
      if (missing) {
        return Failure{"the character '" + Narrow(std::wstring(1, c)) + "' cannot be written in code page " +
                       std::to_string(codePage)};
      }
    }
    return Failure{"the text cannot be written in code page " + std::to_string(codePage)};
  }
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), bytes.data(), n,
                      nullptr, nullptr);
  return bytes;
}

}  // namespace platform
