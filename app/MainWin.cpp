#include "app/MainWin.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

#include <algorithm>

#include "app/About.h"
#include "app/CompileOutputForm.h"
#include "app/Look.h"
#include "app/LevelWindow.h"
#include "app/Placement.h"
#include "app/RadioGroup.h"
#include "app/Setup.h"
#include "platform/StopSignals.h"
#include "shell/Names.h"

namespace {

constexpr int kClientWidth = 462;
constexpr int kClientHeight = 254;
constexpr int kStatusHeight = 19;
constexpr int kPanelWidth = 106;

// Where each option group stands, by its option's name.
struct GroupPlace {
  const char* Option;
  const char* ObjectName;
  QRect Rect;
};
const GroupPlace kGroupPlaces[] = {
    {"dimension", "RGMapDim", {8, 5, 98, 126}},      {"monsters", "RGMonsters", {112, 5, 136, 126}},
    {"game-type", "RGGameType", {252, 5, 96, 126}},  {"complexity", "RGMapCompl", {8, 150, 93, 81}},
    {"skill", "RGSkill", {129, 150, 93, 81}},        {"friends", "RGBarney", {255, 150, 93, 81}},
};

const GroupPlace& PlaceOf(const shell::OptionSpec& spec) {
  for (const GroupPlace& place : kGroupPlaces)
    if (std::string(place.Option) == spec.Name) return place;
  throw std::logic_error(std::string("no place for the option ") + spec.Name);
}

// The panel's buttons top to bottom; the first three are the actions, whose
// tooltip says why while they are off.
struct ButtonPlace {
  const char* ObjectName;
  const char* Caption;
  QRect Rect;
  const char* ToolTip;
};
const ButtonPlace kButtons[] = {
    {"ButGenMap", "Generate .&map", {13, 10, 81, 25}, ""},
    {"ButGenBsp", "Generate .&bsp", {13, 48, 81, 25},
     "Compile the level with the map tools (Ctrl+L shows their output)"},
    {"ButRun", "&Run Half-Life", {13, 85, 81, 25}, ""},
    {"ButSetup", "&Setup", {16, 135, 75, 25}, ""},
    {"ButAbout", "&About", {16, 165, 75, 25}, ""},
    {"ButExit", "E&xit", {16, 202, 75, 25}, ""},
};

// Texts from the shell name folders, which are the system's bytes.
QString FromShell(const std::string& text) { return QString::fromLocal8Bit(text); }

}  // namespace

TMainForm::TMainForm(const shell::StartFolders& folders, shell::Settings defaults, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QString::fromUtf8(shell::kApplicationTitle));
  setFont(PixelFont(11));
  setFixedSize(kClientWidth, kClientHeight);
  setWindowIcon(ProgramIcon());

  // Tab follows the order of creation, which is what the eye does: the
  // option groups in the table's order, which is the reading order, then the
  // buttons top to bottom.
  for (const shell::OptionSpec& spec : shell::LevelOptionTable()) {
    QStringList items;
    for (const shell::OptionItem& item : spec.Items) items << QString::fromUtf8(item.Caption);
    auto* group = new TRadioGroup(QString::fromUtf8(spec.Caption), items, this);
    group->setObjectName(QString::fromLatin1(PlaceOf(spec).ObjectName));
    group->setGeometry(PlaceOf(spec).Rect);
    Groups.push_back(group);
  }

  const int panelHeight = kClientHeight - kStatusHeight;
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("ButPanel"));
  panel->setGeometry(kClientWidth - kPanelWidth, 0, kPanelWidth, panelHeight);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  std::vector<QPushButton*> buttons;
  for (const ButtonPlace& place : kButtons) {
    auto* button = new QPushButton(QString::fromUtf8(place.Caption), panel);
    button->setObjectName(QString::fromLatin1(place.ObjectName));
    button->setGeometry(place.Rect);
    button->setToolTip(QString::fromUtf8(place.ToolTip));
    // The captions are nearly as wide as the buttons.
    button->setStyleSheet(QStringLiteral("QPushButton { padding: 0px 2px; }"));
    button->setAutoDefault(true);  // Enter presses the focused button, as in a dialog
    buttons.push_back(button);
  }
  Actions.assign(buttons.begin(), buttons.begin() + 3);
  buttons[5]->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));

  auto* statusBar = new QStatusBar(this);
  statusBar->setObjectName(QStringLiteral("StatusBar"));
  statusBar->setSizeGripEnabled(false);
  statusBar->setGeometry(0, panelHeight, kClientWidth, kStatusHeight);
  const auto label = [statusBar](const char* name) {
    auto* label = new QLabel(statusBar);
    label->setObjectName(QString::fromLatin1(name));
    return label;
  };
  StatusLabel = label("StatusText");
  statusBar->addWidget(StatusLabel, 1);
  StepField = label("StepField");
  statusBar->addPermanentWidget(StepField);
  StepField->hide();
  SeedLabel = label("SeedLabel");
  SeedLabel->setToolTip(QStringLiteral("Show the level (Ctrl+E)"));
  SeedLabel->hide();
  statusBar->addPermanentWidget(SeedLabel);
  StepTimer = new QTimer(this);
  StepTimer->setInterval(1000);

  RunModal = [](QDialog& dialog) { return dialog.exec(); };
  CompileOutput = new TCompileOutputForm(this);
  LevelWindow = new TLevelWindow(this);
  S = std::make_unique<shell::Session>(*this, folders, std::move(defaults));
  LevelWindow->Connect(*S);
  for (std::size_t i = 0; i < Groups.size(); ++i)
    connect(Groups[i], &TRadioGroup::Chosen, this,
            [this, i](int item) { S->ChooseOption(shell::LevelOptionTable()[i], item); });

  connect(buttons[0], &QPushButton::clicked, this, [this] { S->GenerateMap(); });
  connect(buttons[1], &QPushButton::clicked, this, [this] { S->Compile(); });
  connect(buttons[2], &QPushButton::clicked, this, [this] { S->RunGame(); });
  connect(buttons[3], &QPushButton::clicked, this, [this] {
    {
      TSetupForm dialog(*S, this);
      RunModal(dialog);
    }
    S->SetupClosed();
  });
  connect(buttons[4], &QPushButton::clicked, this, [this] {
    TAboutLicenseDlg dialog(this);
    RunModal(dialog);
  });
  connect(buttons[5], &QPushButton::clicked, this, &QWidget::close);
  connect(StepTimer, &QTimer::timeout, this, [this] { S->Tick(); });
  connect(CompileOutput->ButStop, &QPushButton::clicked, this, [this] { S->StopCompile(); });
  connect(SeedLabel, &QLabel::linkActivated, this, [this] { S->ShowLevelWindow(); });
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
    for (QPushButton* button : Actions)
      shortcut(window, QKeySequence::mnemonic(button->text()), [button] {
        if (button->isEnabled()) button->click();
      });
}

TMainForm::~TMainForm() {
  // A failed save is the program's to report (main.cpp); here it is too late.
  (void)S->Finish();
  S.reset();  // before the widgets the compile reports to go
}

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

void TMainForm::ShowState(const shell::MainState& state) {
  for (std::size_t i = 0; i < Groups.size(); ++i)
    Groups[i]->SetItemIndex(shell::LevelOptionTable()[i].Get(state.Options));
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
  for (std::size_t i = 0; i < Actions.size(); ++i)
    Actions[i]->setToolTip(reason.isEmpty() ? QString::fromUtf8(kButtons[i].ToolTip) : reason);
  if (enabled == Actions[0]->isEnabled()) return;
  QWidget* focused = focusWidget();
  const bool actionFocused = std::find(Actions.begin(), Actions.end(), focused) != Actions.end();
  if (!enabled && actionFocused && focused->isEnabled()) FocusBeforeDisabling = focused;
  for (QPushButton* button : Actions) button->setEnabled(enabled);
  if (!enabled) {
    FocusWhileDisabled = focusWidget();
  } else if (FocusBeforeDisabling) {
    if (focusWidget() == FocusWhileDisabled) FocusBeforeDisabling->setFocus();
    FocusBeforeDisabling = nullptr;
  }
  LevelWindow->SetActionsEnabled(enabled);
}

void TMainForm::ShowLevel(const shell::LevelSheet& sheet) { LevelWindow->ShowSheet(sheet); }

void TMainForm::OpenLevelWindow(bool activate) {
  ShowBeside(*LevelWindow, *this, LevelWindow->sizeHint(), LevelWindow->minimumSizeHint(), activate);
}

void TMainForm::OpenCompileOutput() {
  CompileOutput->Clear();
  CompileOutput->ShowAndRaise(false);  // the keyboard stays with this window
}

void TMainForm::ShowCompileLog(const shell::CompileLogUpdate& update) { CompileOutput->ShowLog(update); }

void TMainForm::ShowError(const std::string& text) {
  if (ErrorDisplay) return ErrorDisplay(FromShell(text));
  QMessageBox(QMessageBox::Critical, windowTitle(), FromShell(text), QMessageBox::Ok, this).exec();
}

bool TMainForm::Ask(const std::string& question) {
  if (AskUser) return AskUser(FromShell(question));
  const auto answers = QMessageBox::Yes | QMessageBox::No;
  return QMessageBox::question(this, windowTitle(), FromShell(question), answers, QMessageBox::No) == QMessageBox::Yes;
}

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
