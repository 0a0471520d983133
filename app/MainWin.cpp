#include "app/MainWin.h"

#include <QCloseEvent>
#include <QDialog>
#include <QKeySequence>
#include <QShortcut>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QMetaObject>
#include <QTimer>

#include <iostream>
#include <utility>

#include "app/About.h"
#include "app/CompileOutputForm.h"
#include "app/Fonts.h"
#include "app/LevelWindow.h"
#include "app/RadioGroup.h"
#include "app/Resources.h"
#include "app/Setup.h"
#include "platform/Platform.h"
#include "shell/GameLaunch.h"
#include "shell/Names.h"

namespace {

constexpr int kClientWidth = 462;
constexpr int kClientHeight = 254;
constexpr int kStatusHeight = 19;
constexpr int kPanelWidth = 106;

QPushButton* MakeButton(const QString& name, const QString& text, QWidget* parent, int x, int y,
                        int w, int h) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setGeometry(x, y, w, h);
  // The captions are nearly as wide as the buttons.
  button->setStyleSheet(QStringLiteral("QPushButton { padding: 0px 2px; }"));
  button->setAutoDefault(true);  // Enter presses the focused button, as in a dialog
  return button;
}

TRadioGroup* MakeGroup(const QString& name, const QString& title, const QStringList& items,
                       int itemIndex, QWidget* parent, int x, int y, int w, int h) {
  auto* group = new TRadioGroup(title, items, itemIndex, parent);
  group->setObjectName(name);
  group->setGeometry(x, y, w, h);
  return group;
}

// Messages name folders, which are the system's bytes.
QString FromShell(const std::string& text) { return QString::fromLocal8Bit(text); }

}  // namespace

TMainForm::TMainForm(QWidget* parent)
    : TMainForm({platform::CurrentDirectory(), shell::SettingsPath(platform::CurrentDirectory())},
                shell::Settings::Defaults(), parent) {}

TMainForm::TMainForm(const shell::StartFolders& folders, shell::Settings defaults, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      AppDir(folders.AppDir),
      SettingsFile(folders.SettingsPath),
      DefaultSettings(std::move(defaults)) {
  setObjectName(QStringLiteral("MainForm"));
  setFont(PixelFont(11));
  setFixedSize(kClientWidth, kClientHeight);
  setWindowIcon(ProgramIcon());

  const int panelHeight = kClientHeight - kStatusHeight;
  ButPanel = new QFrame(this);
  ButPanel->setObjectName(QStringLiteral("ButPanel"));
  ButPanel->setGeometry(kClientWidth - kPanelWidth, 0, kPanelWidth, panelHeight);
  ButPanel->setFrameShape(QFrame::Panel);
  ButPanel->setFrameShadow(QFrame::Raised);

  ButAbout = MakeButton(QStringLiteral("ButAbout"), QStringLiteral("&About"), ButPanel, 16, 165, 75, 25);
  ButSetup = MakeButton(QStringLiteral("ButSetup"), QStringLiteral("&Setup"), ButPanel, 16, 135, 75, 25);
  ButGenMap = MakeButton(QStringLiteral("ButGenMap"), QStringLiteral("Generate .&map"), ButPanel, 13, 10, 81, 25);
  ButGenBsp = MakeButton(QStringLiteral("ButGenBsp"), QStringLiteral("Generate .&bsp"), ButPanel, 13, 48, 81, 25);
  ButRun = MakeButton(QStringLiteral("ButRun"), QStringLiteral("&Run Half-Life"), ButPanel, 13, 85, 81, 25);

  RGMapDim = MakeGroup(QStringLiteral("RGMapDim"), QStringLiteral("Map Dimension"),
                       {QStringLiteral("Very Small"), QStringLiteral("Small"), QStringLiteral("Medium"),
                        QStringLiteral("Big"), QStringLiteral("Very Big")},
                       1, this, 8, 5, 98, 126);
  RGMapCompl = MakeGroup(QStringLiteral("RGMapCompl"), QStringLiteral("Map Complexity"),
                         {QStringLiteral("Low"), QStringLiteral("Normal"), QStringLiteral("High")}, 1,
                         this, 8, 150, 93, 81);
  RGSkill = MakeGroup(QStringLiteral("RGSkill"), QStringLiteral("Skill"),
                      {QStringLiteral("Low"), QStringLiteral("Normal"), QStringLiteral("High")}, 1, this,
                      129, 150, 93, 81);
  RGMonsters = MakeGroup(QStringLiteral("RGMonsters"), QStringLiteral("Monsters Type"),
                         {QStringLiteral("All"), QStringLiteral("Grunts only"),
                          QStringLiteral("Grunts and Assassins"), QStringLiteral("Aliens only")},
                         0, this, 112, 5, 136, 126);
  RGBarney = MakeGroup(QStringLiteral("RGBarney"), QStringLiteral("Friends"),
                       {QStringLiteral("None"), QStringLiteral("1"), QStringLiteral("2")}, 0, this,
                       255, 150, 93, 81);

  ButExit = MakeButton(QStringLiteral("ButExit"), QStringLiteral("E&xit"), ButPanel, 16, 202, 75, 25);
  ButExit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));

  RGGameType = MakeGroup(QStringLiteral("RGGameType"), QStringLiteral("Game Type"),
                         {QStringLiteral("Kill all"), QStringLiteral("Find the exit")}, 1, this, 252,
                         5, 96, 126);

  StatusBar = new QStatusBar(this);
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->setSizeGripEnabled(false);
  StatusBar->setGeometry(0, panelHeight, kClientWidth, kStatusHeight);
  StatusLabel = new QLabel(StatusBar);
  StatusLabel->setObjectName(QStringLiteral("StatusText"));
  StatusBar->addWidget(StatusLabel, 1);
  StepField = new QLabel(StatusBar);
  StepField->setObjectName(QStringLiteral("StepField"));
  StatusBar->addPermanentWidget(StepField);
  StepField->hide();
  StepTimer = new QTimer(this);
  StepTimer->setInterval(1000);
  connect(StepTimer, &QTimer::timeout, this, &TMainForm::ShowStep);

  // Tab follows what the eye does: the option groups left to right, the top
  // row then the bottom row, then the buttons top to bottom.
  std::vector<QWidget*> tabOrder;
  for (TRadioGroup* group : {RGMapDim, RGMonsters, RGGameType, RGMapCompl, RGSkill, RGBarney})
    for (int i = 0; i < group->Count(); ++i) tabOrder.push_back(group->Item(i));
  for (QWidget* button : {ButGenMap, ButGenBsp, ButRun, ButSetup, ButAbout, ButExit}) tabOrder.push_back(button);
  for (std::size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);

  connect(ButGenMap, &QPushButton::clicked, this, &TMainForm::ButGenMapClick);
  connect(ButGenBsp, &QPushButton::clicked, this, &TMainForm::ButGenBspClick);
  connect(ButRun, &QPushButton::clicked, this, &TMainForm::ButRunClick);
  connect(ButSetup, &QPushButton::clicked, this, &TMainForm::ButSetupClick);
  connect(ButAbout, &QPushButton::clicked, this, &TMainForm::ButAboutClick);
  connect(ButExit, &QPushButton::clicked, this, &QWidget::close);

  ErrorDisplay = [this](const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), text, QMessageBox::Ok, this);
    box.exec();
  };
  RunModal = [](QDialog& dialog) { return dialog.exec(); };
  ExitErrorDisplay = [](const QString& text) { std::cerr << "quorvel: " << text.toLocal8Bit().constData() << '\n'; };
  Ask = [this](const QString& question) {
    return QMessageBox::question(this, ApplicationTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
  };

  CompileOutput = new TCompileOutputForm(this);
  auto* showOutput = new QShortcut(QKeySequence(QStringLiteral("Ctrl+L")), this);
  connect(showOutput, &QShortcut::activated, CompileOutput, &TCompileOutputForm::ShowAndRaise);
  connect(CompileOutput->ButStop, &QPushButton::clicked, this, [this] { Compile->Stop(); });
  ButGenBsp->setToolTip(QStringLiteral("Compile quorvel.map with the map tools (Ctrl+L shows their output)"));

  // The session reports from its own threads; a queued call brings each
  // report to this window's thread, and is dropped once the window is gone.
  shell::CompileSession::Callbacks calls;
  calls.Log = [this](const shell::CompileLogUpdate& update) { CompileOutput->ShowLog(update); };
  calls.StepStarted = [this](std::size_t index, std::size_t count, const std::string& name) {
    StepStarted(index, count, name);
  };
  calls.Finished = [this](const shell::CompileOutcome& outcome) { CompileFinished(outcome); };
  Compile = std::make_unique<shell::CompileSession>(
      [this](std::function<void()> call) { QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection); },
      std::move(calls));

  SetUpLevelWindow();
  FormCreate();
}

void TMainForm::SetUpLevelWindow() {
  LevelWindow = new TLevelWindow(this);
  connect(LevelWindow, &TLevelWindow::MakeAgain, this, [this](std::uint32_t seed) { GenerateLevel(seed); });
  connect(LevelWindow, &TLevelWindow::CompileAndPlay, this, [this] {
    AfterCompile = [this](bool succeeded) {
      if (succeeded) ButRunClick();
    };
    ButGenBspClick();
    if (!Compiling) AfterCompile = nullptr;
  });
  SeedLabel = new QLabel(StatusBar);
  SeedLabel->setObjectName(QStringLiteral("SeedLabel"));
  SeedLabel->setToolTip(QStringLiteral("Show the level (Ctrl+E)"));
  SeedLabel->hide();
  StatusBar->addPermanentWidget(SeedLabel);
  connect(SeedLabel, &QLabel::linkActivated, this, &TMainForm::ShowLevelWindow);
  auto* showLevel = new QShortcut(QKeySequence(QStringLiteral("Ctrl+E")), this);
  connect(showLevel, &QShortcut::activated, this, &TMainForm::ShowLevelWindow);
}

TMainForm::~TMainForm() {
  Compile.reset();  // ends a running tool before the widgets it reports to go
  FormDestroy();
}

QString TMainForm::ApplicationTitle() { return QString::fromUtf8(shell::kApplicationTitle); }

QString TMainForm::StatusText() const { return StatusLabel->text(); }

void TMainForm::SetStatusText(const QString& text) { StatusLabel->setText(text); }

void TMainForm::ShowError(const QString& text) {
  if (ErrorDisplay) ErrorDisplay(text);
}

void TMainForm::EnableActions() { SetActionsEnabled(!Compiling && SetupNeeded.isEmpty()); }

void TMainForm::SetActionsEnabled(bool enabled) {
  QWidget* focused = focusWidget();
  const bool actionFocused = focused == ButGenMap || focused == ButGenBsp || focused == ButRun;
  if (!enabled && actionFocused && focused->isEnabled()) FocusBeforeDisabling = focused;
  ButGenMap->setEnabled(enabled);
  ButGenBsp->setEnabled(enabled);
  ButRun->setEnabled(enabled);
  if (!enabled) {
    FocusWhileDisabled = focusWidget();
  } else if (FocusBeforeDisabling) {
    if (focusWidget() == FocusWhileDisabled) FocusBeforeDisabling->setFocus();
    FocusBeforeDisabling = nullptr;
  }
  LevelWindow->SetActionsEnabled(enabled);
}

void TMainForm::FormCreate() {
  setWindowTitle(ApplicationTitle());
  shell::StartSettings start = shell::LoadStartSettings(SettingsFile, DefaultSettings);
  SetupData = std::move(start.Data);
  // A file that is there but cannot be read is the user's: never replaced.
  SaveSettingsAtExit = start.SaveAtExit;
  SettingsProblem = FromShell(start.Problem);
  ShowSetupNeeded(start.SetupNeeded);
}

void TMainForm::ShowSetupNeeded(const std::string& reason) {
  const QString shown = SetupNeeded;
  SetupNeeded = FromShell(reason);
  static const char kReadyTip[] = "quorvelReadyToolTip";
  for (QPushButton* button : {ButGenMap, ButGenBsp, ButRun}) {
    if (!button->property(kReadyTip).isValid()) button->setProperty(kReadyTip, button->toolTip());
    button->setToolTip(SetupNeeded.isEmpty() ? button->property(kReadyTip).toString() : SetupNeeded);
  }
  if (!SetupNeeded.isEmpty() || StatusText() == shown) SetStatusText(SetupNeeded);  // other texts stay
  EnableActions();
}

void TMainForm::FormDestroy() {
  if (!SaveSettingsAtExit) return;
  const Result<> saved = shell::SaveSettings(SettingsFile, SetupData);
  if (!saved && ExitErrorDisplay) ExitErrorDisplay(FromShell(saved.Error()));
}

void TMainForm::ButGenMapClick() { GenerateLevel(std::nullopt); }

void TMainForm::GenerateLevel(std::optional<std::uint32_t> seed) {
  SetStatusText(QString());
  shell::GenerateRequest request;
  request.Options = {RGMapDim->ItemIndex(), RGMapCompl->ItemIndex(), RGSkill->ItemIndex(),
                     RGMonsters->ItemIndex(), RGGameType->ItemIndex(), RGBarney->ItemIndex()};
  request.AppDir = AppDir;
  request.GameDir = SetupData.GameDir();
  request.Seed = seed ? *seed : shell::TakeNextSeed(LastSeed);
  Result<shell::GeneratedMap> made = shell::GenerateMap(request);
  if (!made) {
    ShowError(FromShell(made.Error()));
    return;
  }
  const bool first = !LastMap;
  LastMap = *made;
  SetStatusText(FromShell(made->StatusText));
  SeedLabel->setText(QStringLiteral("<a href=\"level\">Seed %1</a>").arg(made->Seed));
  SeedLabel->show();
  LevelWindow->ShowLevel(*made, request.Options, request.GameDir);
  if (first) LevelWindow->ShowBeside(*this);
}

void TMainForm::ShowLevelWindow() {
  if (LastMap) LevelWindow->ShowBeside(*this);
}

void TMainForm::ButGenBspClick() {
  SetActionsEnabled(false);
  SetStatusText(QString());
  CompileOutput->Clear();
  CompileOutput->ShowAndRaise();
  Compiling = Compile->Start(shell::CompileDirs{AppDir, SetupData.ToolDir(), SetupData.GameDir()});
  CompileOutput->ButStop->setEnabled(Compiling);
  CompileClock.start();
  EnableActions();
}

void TMainForm::StepStarted(std::size_t index, std::size_t count, const std::string& name) {
  StepIndex = index;
  StepCount = count;
  StepName = name;
  ShowStep();
  StepField->show();
  StepTimer->start();
}

void TMainForm::ShowStep() {
  const auto elapsed = std::chrono::seconds(CompileClock.elapsed() / 1000);
  StepField->setText(FromShell(shell::CompileStepText(StepName, StepIndex, StepCount, elapsed)));
}

void TMainForm::CompileFinished(const shell::CompileOutcome& outcome) {
  Compiling = false;
  LastCompileFailed = !outcome.Ok;
  StepTimer->stop();
  StepField->hide();
  CompileOutput->ButStop->setEnabled(false);
  SetStatusText(FromShell(outcome.StatusText));
  EnableActions();
  if (!outcome.ErrorText.empty()) ShowError(FromShell(outcome.ErrorText));
  if (auto next = std::exchange(AfterCompile, nullptr)) next(outcome.Ok);
}

void TMainForm::ButRunClick() {
  const shell::RunCheck check = shell::CheckLevelToRun(SetupData.GameDir(), LastCompileFailed);
  if (check.How == shell::RunCheck::Kind::Refuse) return ShowError(FromShell(check.Text));
  if (check.How == shell::RunCheck::Kind::Confirm && !Ask(FromShell(check.Text))) return;
  const Result<> started = shell::LaunchGame(SetupData.GameDir());
  if (!started) return ShowError(FromShell(started.Error()));
  SetStatusText(QString::fromUtf8(shell::kHalfLifeStarted));
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (Compiling) {
    if (!Ask(QStringLiteral("A compile is running. Stop it and quit?"))) {
      event->ignore();
      return;
    }
    Compile->Stop();
  }
  CompileOutput->close();
  LevelWindow->close();
  event->accept();
}

void TMainForm::ButSetupClick() {
  {
    TSetupForm dialog(SetupData, this);
    RunModal(dialog);
  }
  ShowSetupNeeded(shell::SetupNeeded(SetupData));
}

void TMainForm::ButAboutClick() {
  TAboutLicenseDlg dialog(this);
  RunModal(dialog);
}
