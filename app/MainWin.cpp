#include "app/MainWin.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaObject>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

#include <utility>

#include "app/About.h"
#include "app/CompileOutputForm.h"
#include "app/Fonts.h"
#include "app/LevelWindow.h"
#include "app/RadioGroup.h"
#include "app/Resources.h"
#include "app/Setup.h"
#include "platform/Platform.h"
#include "platform/StopSignals.h"
#include "shell/Names.h"
#include "shell/Settings.h"

namespace {

constexpr int kClientWidth = 462;
constexpr int kClientHeight = 254;
constexpr int kStatusHeight = 19;
constexpr int kPanelWidth = 106;

// Where each option group stands, by its option's name.
struct GroupPlace {
  const char* Option;
  TRadioGroup* TMainForm::*Member;
  const char* ObjectName;
  QRect Rect;
};
const GroupPlace kGroupPlaces[] = {
    {"dimension", &TMainForm::RGMapDim, "RGMapDim", {8, 5, 98, 126}},
    {"monsters", &TMainForm::RGMonsters, "RGMonsters", {112, 5, 136, 126}},
    {"game-type", &TMainForm::RGGameType, "RGGameType", {252, 5, 96, 126}},
    {"complexity", &TMainForm::RGMapCompl, "RGMapCompl", {8, 150, 93, 81}},
    {"skill", &TMainForm::RGSkill, "RGSkill", {129, 150, 93, 81}},
    {"friends", &TMainForm::RGBarney, "RGBarney", {255, 150, 93, 81}},
};

const GroupPlace& PlaceOf(const shell::OptionSpec& spec) {
  for (const GroupPlace& place : kGroupPlaces)
    if (std::string(place.Option) == spec.Name) return place;
  throw std::logic_error(std::string("no place for the option ") + spec.Name);
}

QPushButton* MakeButton(const char* name, const QString& text, QWidget* parent, QRect rect) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(rect);
  // The captions are nearly as wide as the buttons.
  button->setStyleSheet(QStringLiteral("QPushButton { padding: 0px 2px; }"));
  button->setAutoDefault(true);  // Enter presses the focused button, as in a dialog
  return button;
}

// Texts from the shell name folders, which are the system's bytes.
QString FromShell(const std::string& text) { return QString::fromLocal8Bit(text); }

}  // namespace

TMainForm::TMainForm(QWidget* parent)
    : TMainForm({platform::CurrentDirectory(), shell::SettingsPath(platform::CurrentDirectory())},
                shell::Settings::Defaults(), parent) {}

TMainForm::TMainForm(const shell::StartFolders& folders, shell::Settings defaults, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(ApplicationTitle());
  setFont(PixelFont(11));
  setFixedSize(kClientWidth, kClientHeight);
  setWindowIcon(ProgramIcon());

  const int panelHeight = kClientHeight - kStatusHeight;
  ButPanel = new QFrame(this);
  ButPanel->setObjectName(QStringLiteral("ButPanel"));
  ButPanel->setGeometry(kClientWidth - kPanelWidth, 0, kPanelWidth, panelHeight);
  ButPanel->setFrameShape(QFrame::Panel);
  ButPanel->setFrameShadow(QFrame::Raised);
  ButGenMap = MakeButton("ButGenMap", QStringLiteral("Generate .&map"), ButPanel, {13, 10, 81, 25});
  ButGenBsp = MakeButton("ButGenBsp", QStringLiteral("Generate .&bsp"), ButPanel, {13, 48, 81, 25});
  ButRun = MakeButton("ButRun", QStringLiteral("&Run Half-Life"), ButPanel, {13, 85, 81, 25});
  ButSetup = MakeButton("ButSetup", QStringLiteral("&Setup"), ButPanel, {16, 135, 75, 25});
  ButAbout = MakeButton("ButAbout", QStringLiteral("&About"), ButPanel, {16, 165, 75, 25});
  ButExit = MakeButton("ButExit", QStringLiteral("E&xit"), ButPanel, {16, 202, 75, 25});
  ButExit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  ButGenBsp->setToolTip(QStringLiteral("Compile the level with the map tools (Ctrl+L shows their output)"));

  std::vector<TRadioGroup*> groups;  // in the table's order, which is the reading order
  for (const shell::OptionSpec& spec : shell::LevelOptionTable()) {
    QStringList items;
    for (const shell::OptionItem& item : spec.Items) items << QString::fromUtf8(item.Caption);
    auto* group = new TRadioGroup(QString::fromUtf8(spec.Caption), items, spec.Default(), this);
    const GroupPlace& place = PlaceOf(spec);
    group->setObjectName(QString::fromLatin1(place.ObjectName));
    group->setGeometry(place.Rect);
    this->*place.Member = group;
    groups.push_back(group);
  }

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
  SeedLabel = new QLabel(StatusBar);
  SeedLabel->setObjectName(QStringLiteral("SeedLabel"));
  SeedLabel->setToolTip(QStringLiteral("Show the level (Ctrl+E)"));
  SeedLabel->hide();
  StatusBar->addPermanentWidget(SeedLabel);
  StepTimer = new QTimer(this);
  StepTimer->setInterval(1000);

  // Tab follows what the eye does: the option groups in reading order, then
  // the buttons top to bottom.
  std::vector<QWidget*> tabOrder;
  for (TRadioGroup* group : groups)
    for (int i = 0; i < group->Count(); ++i) tabOrder.push_back(group->Item(i));
  for (QWidget* button : {ButGenMap, ButGenBsp, ButRun, ButSetup, ButAbout, ButExit}) tabOrder.push_back(button);
  for (std::size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);

  ErrorDisplay = [this](const QString& text) {
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok, this);
    box.exec();
  };
  RunModal = [](QDialog& dialog) { return dialog.exec(); };
  AskUser = [this](const QString& question) {
    return QMessageBox::question(this, ApplicationTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
  };

  CompileOutput = new TCompileOutputForm(this);
  LevelWindow = new TLevelWindow(this);
  S = std::make_unique<shell::Session>(*this, folders, std::move(defaults));

  for (std::size_t i = 0; i < groups.size(); ++i)
    connect(groups[i], &TRadioGroup::Chosen, this,
            [this, i](int item) { S->ChooseOption(shell::LevelOptionTable()[i], item); });
  connect(ButGenMap, &QPushButton::clicked, this, &TMainForm::ButGenMapClick);
  connect(ButGenBsp, &QPushButton::clicked, this, &TMainForm::ButGenBspClick);
  connect(ButRun, &QPushButton::clicked, this, &TMainForm::ButRunClick);
  connect(ButSetup, &QPushButton::clicked, this, &TMainForm::ButSetupClick);
  connect(ButAbout, &QPushButton::clicked, this, &TMainForm::ButAboutClick);
  connect(ButExit, &QPushButton::clicked, this, &QWidget::close);
  connect(StepTimer, &QTimer::timeout, this, [this] { S->Tick(); });
  connect(CompileOutput->ButStop, &QPushButton::clicked, this, [this] { S->StopCompile(); });
  connect(SeedLabel, &QLabel::linkActivated, this, [this] { S->ShowLevelWindow(); });
  connect(LevelWindow, &TLevelWindow::MakeAgain, this, [this](const QString& seed) {
    S->MakeAgain(seed.toStdString());
  });
  connect(LevelWindow, &TLevelWindow::CompileAndPlay, this, [this] { S->CompileAndPlay(); });
  connect(LevelWindow, &TLevelWindow::CommandCopied, this, [this] { S->CommandCopied(); });
  connect(LevelWindow->ButKeep, &QPushButton::clicked, this,
          [this] { S->KeepLevel(LevelWindow->NameEdit->text().toStdString()); });
  const std::pair<QPushButton*, void (shell::Session::*)(const std::string&)> keptCommands[] = {
      {LevelWindow->ButPlayKept, &shell::Session::PlayKept},
      {LevelWindow->ButCompileKept, &shell::Session::CompileKept},
      {LevelWindow->ButDeleteKept, &shell::Session::DeleteKept}};
  for (const auto& [button, command] : keptCommands)
    connect(button, &QPushButton::clicked, this, [this, command = command] { (*S.*command)(LevelWindow->ChosenKept()); });
  // Ctrl+L and Ctrl+E in every window of the program, and the action
  // buttons' access keys in the windows this one opens too.
  const auto shortcut = [this](QWidget* in, const QKeySequence& keys, auto call) {
    auto* key = new QShortcut(keys, in);
    if (in == this) key->setContext(Qt::ApplicationShortcut);
    connect(key, &QShortcut::activated, this, call);
  };
  shortcut(this, QKeySequence(Qt::CTRL | Qt::Key_L), [this] { CompileOutput->ShowAndRaise(); });
  shortcut(this, QKeySequence(Qt::CTRL | Qt::Key_E), [this] { S->ShowLevelWindow(); });
  for (QWidget* window : std::initializer_list<QWidget*>{CompileOutput, LevelWindow})
    for (QPushButton* button : {ButGenMap, ButGenBsp, ButRun})
      shortcut(window, QKeySequence::mnemonic(button->text()), [button] {
        if (button->isEnabled()) button->click();
      });
}

TMainForm::~TMainForm() {
  // A failed save is the program's to report (main.cpp); here it is too late.
  (void)S->Finish();
  S.reset();  // before the widgets the compile reports to go
}

QString TMainForm::ApplicationTitle() { return QString::fromUtf8(shell::kApplicationTitle); }

QString TMainForm::StatusText() const { return StatusLabel->text(); }

void TMainForm::EndNow() {
  S->EndNow();
  close();
}

void TMainForm::EndOnStopSignals() {
  platform::CatchStopSignals();
  auto* poll = new QTimer(qApp);
  connect(poll, &QTimer::timeout, poll, [poll] {
    if (!platform::StopSignal()) return;
    poll->stop();
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* form = qobject_cast<TMainForm*>(window)) form->EndNow();
    QApplication::closeAllWindows();
  });
  poll->start(100);
}

void TMainForm::ButGenMapClick() { S->GenerateMap(); }

void TMainForm::ButGenBspClick() { S->Compile(); }

void TMainForm::ButRunClick() { S->RunGame(); }

void TMainForm::ButSetupClick() {
  {
    TSetupForm dialog(*S, this);
    RunModal(dialog);
  }
  S->SetupClosed();
}

void TMainForm::ButAboutClick() {
  TAboutLicenseDlg dialog(this);
  RunModal(dialog);
}

void TMainForm::ShowState(const shell::MainState& state) {
  for (const shell::OptionSpec& spec : shell::LevelOptionTable())
    (this->*PlaceOf(spec).Member)->SetItemIndex(spec.Get(state.Options));
  SetActionsEnabled(state.ActionsEnabled, FromShell(state.DisabledReason));
  StatusLabel->setText(FromShell(state.Status));
  StepField->setText(FromShell(state.Step));
  StepField->setVisible(!state.Step.empty());
  if (state.Compiling != StepTimer->isActive()) state.Compiling ? StepTimer->start() : StepTimer->stop();
  CompileOutput->ButStop->setEnabled(state.Compiling);
  SeedLabel->setText(QStringLiteral("<a href=\"level\">%1</a>").arg(FromShell(state.Seed)));
  SeedLabel->setVisible(!state.Seed.empty());
}

void TMainForm::SetActionsEnabled(bool enabled, const QString& reason) {
  static const char kReadyTip[] = "quorvelReadyToolTip";
  for (QPushButton* button : {ButGenMap, ButGenBsp, ButRun}) {
    if (!button->property(kReadyTip).isValid()) button->setProperty(kReadyTip, button->toolTip());
    button->setToolTip(reason.isEmpty() ? button->property(kReadyTip).toString() : reason);
  }
  if (enabled == ButGenMap->isEnabled()) return;
  QWidget* focused = focusWidget();
  const bool actionFocused = focused == ButGenMap || focused == ButGenBsp || focused == ButRun;
  if (!enabled && actionFocused && focused->isEnabled()) FocusBeforeDisabling = focused;
  for (QPushButton* button : {ButGenMap, ButGenBsp, ButRun}) button->setEnabled(enabled);
  if (!enabled) {
    FocusWhileDisabled = focusWidget();
  } else if (FocusBeforeDisabling) {
    if (focusWidget() == FocusWhileDisabled) FocusBeforeDisabling->setFocus();
    FocusBeforeDisabling = nullptr;
  }
  LevelWindow->SetActionsEnabled(enabled);
}

void TMainForm::ShowLevel(const shell::LevelSheet& sheet) { LevelWindow->ShowSheet(sheet); }

void TMainForm::OpenLevelWindow(bool activate) { LevelWindow->ShowBeside(*this, activate); }

void TMainForm::OpenCompileOutput() {
  CompileOutput->Clear();
  CompileOutput->ShowAndRaise(false);  // the keyboard stays with this window
}

void TMainForm::ShowCompileLog(const shell::CompileLogUpdate& update) { CompileOutput->ShowLog(update); }

void TMainForm::ShowError(const std::string& text) {
  if (ErrorDisplay) ErrorDisplay(FromShell(text));
}

bool TMainForm::Ask(const std::string& question) { return AskUser && AskUser(FromShell(question)); }

// The session reports from its own threads; a queued call brings each report
// to this window's thread, and is dropped once the window is gone.
void TMainForm::Post(std::function<void()> call) {
  QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!S->MayClose()) return event->ignore();
  CompileOutput->close();
  LevelWindow->close();
  event->accept();
}
