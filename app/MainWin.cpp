#include "app/MainWin.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

#include "app/About.h"
#include "app/CompileOutputForm.h"
#include "app/Look.h"
#include "app/LevelWindow.h"
#include "app/Placement.h"
#include "app/Setup.h"
#include "platform/StopSignals.h"
#include "shell/Names.h"

namespace {

constexpr int kClientWidth = 462;
constexpr int kClientHeight = 254;
constexpr int kStatusHeight = 19;
constexpr int kPanelWidth = 106;

// Where each option group stands, in the option table's order.
const std::array<QRect, 6> kGroupPlaces = {{
    {8, 5, 98, 126}, {112, 5, 136, 126}, {252, 5, 96, 126},  // a row of three, and another below
    {8, 150, 93, 81}, {129, 150, 93, 81}, {255, 150, 93, 81},
}};

// The panel's buttons top to bottom, and what they do; the first three are
// the actions, whose tooltip says why while they are off.
struct ButtonPlace {
  const char* ObjectName;
  const char* Caption;
  QRect Rect;
  const char* ToolTip;
  void (*Command)(TMainForm& form);
};
const ButtonPlace kButtons[] = {
    {"ButGenMap", "Generate .&map", {13, 10, 81, 25}, "", [](TMainForm& form) { form.Session().GenerateMap(); }},
    {"ButGenBsp", "Generate .&bsp", {13, 48, 81, 25},
     "Compile the level with the map tools (Ctrl+L shows their output)",
     [](TMainForm& form) { form.Session().Compile(); }},
    {"ButRun", "&Run Half-Life", {13, 85, 81, 25}, "", [](TMainForm& form) { form.Session().RunGame(); }},
    {"ButSetup", "&Setup", {16, 135, 75, 25}, "",
     [](TMainForm& form) {
       TSetupForm(form.Session(), &form).exec();  // gone before SetupClosed
       form.Session().SetupClosed();
     }},
    {"ButAbout", "&About", {16, 165, 75, 25}, "", [](TMainForm& form) { TAboutLicenseDlg(&form).exec(); }},
    {"ButExit", "E&xit", {16, 202, 75, 25}, "", [](TMainForm& form) { form.close(); }},
};

// Texts from the shell name folders, which are the system's bytes.
QString FromShell(const std::string& text) { return QString::fromLocal8Bit(text); }

}  // namespace

TMainForm::TMainForm(const shell::StartFolders& folders, shell::Settings defaults, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
  setWindowTitle(QString::fromUtf8(shell::kApplicationTitle));
  setFont(PixelFont(11));
  setFixedSize(kClientWidth, kClientHeight);
  setWindowIcon(ProgramIcon());

  // Tab follows the order of creation, which is what the eye does: the
  // option groups in the table's order, which is the reading order, then the
  // buttons top to bottom.
  for (const shell::OptionSpec& spec : shell::LevelOptionTable()) {
    auto* box = new QGroupBox(QString::fromUtf8(spec.Caption), this);
    box->setObjectName(QString::fromLatin1(spec.Name));
    box->setGeometry(kGroupPlaces.at(static_cast<std::size_t>(Groups.size())));
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 2, 0, 2);
    layout->setSpacing(0);
    auto* group = new QButtonGroup(box);
    for (const shell::OptionItem& item : spec.Items) {
      auto* button = new QRadioButton(QString::fromUtf8(item.Caption), box);
      // The narrow pixel layout leaves little room beside the indicator.
      button->setStyleSheet(QStringLiteral("QRadioButton { spacing: 3px; }"));
      // Tab lands on the chosen item only; the arrow keys move within the group.
      button->setFocusPolicy(Qt::ClickFocus);
      group->addButton(button, static_cast<int>(group->buttons().size()));
      layout->addWidget(button);
    }
    connect(group, &QButtonGroup::idToggled, this, [this, group, &spec](int item, bool checked) {
      group->button(item)->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
      if (checked && S) S->ChooseOption(spec, item);  // not the session's own first state
    });
    Groups.push_back(group);
  }

  const int panelHeight = kClientHeight - kStatusHeight;
  auto* panel = new QFrame(this);
  panel->setGeometry(kClientWidth - kPanelWidth, 0, kPanelWidth, panelHeight);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  for (const ButtonPlace& place : kButtons) {
    auto* button = new QPushButton(QString::fromUtf8(place.Caption), panel);
    button->setObjectName(QString::fromLatin1(place.ObjectName));
    button->setGeometry(place.Rect);
    button->setToolTip(QString::fromUtf8(place.ToolTip));
    // The captions are nearly as wide as the buttons.
    button->setStyleSheet(QStringLiteral("QPushButton { padding: 0px 2px; }"));
    button->setAutoDefault(true);  // Enter presses the focused button, as in a dialog
    connect(button, &QPushButton::clicked, this, [this, command = place.Command] { command(*this); });
    if (Actions.size() < 3) Actions.push_back(button);
  }
  const QList<QPushButton*> buttons = panel->findChildren<QPushButton*>();
  buttons.back()->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));

  auto* statusBar = new QStatusBar(this);
  statusBar->setSizeGripEnabled(false);
  statusBar->setGeometry(0, panelHeight, kClientWidth, kStatusHeight);
  // The status on the left; the step and the seed on the right, when there are.
  const auto label = [statusBar](const char* name, bool right) {
    auto* label = new QLabel(statusBar);
    label->setObjectName(QString::fromLatin1(name));
    label->setVisible(!right);
    right ? statusBar->addPermanentWidget(label) : statusBar->addWidget(label, 1);
    return label;
  };
  StatusLabel = label("StatusText", false);
  StepField = label("StepField", true);
  SeedLabel = label("SeedLabel", true);
  SeedLabel->setToolTip(QStringLiteral("Show the level (Ctrl+E)"));
  StepTimer = new QTimer(this);

  CompileOutput = new TCompileOutputForm(this);
  LevelWindow = new TLevelWindow(this);
  S = std::make_unique<shell::Session>(*this, folders, std::move(defaults));
  LevelWindow->Connect(*S);
  // The keyboard starts on the first command that can run: Setup at a first start.
  (*std::find_if(buttons.begin(), buttons.end(), [](QPushButton* button) { return button->isEnabled(); }))->setFocus();
  connect(StepTimer, &QTimer::timeout, this, [this] { S->Tick(); });
  connect(CompileOutput->ButStop, &QPushButton::clicked, this, [this] { S->StopCompile(); });
  connect(SeedLabel, &QLabel::linkActivated, this, [this] { S->ShowLevelWindow(); });
  // Ctrl+L and Ctrl+E in every window of the program, and the action
  // buttons' access keys in the windows this one opens too.
  new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), this, [this] { CompileOutput->ShowAndRaise(); },
                Qt::ApplicationShortcut);
  new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), this, [this] { S->ShowLevelWindow(); }, Qt::ApplicationShortcut);
  for (QWidget* window : std::initializer_list<QWidget*>{CompileOutput, LevelWindow})
    for (QPushButton* button : Actions)
      new QShortcut(QKeySequence::mnemonic(button->text()), window, [button] {
        if (button->isEnabled()) button->click();
      });
}

TMainForm::~TMainForm() {
  // A failed save is the program's to report (main.cpp); here it is too late.
  (void)S->Finish();
  S.reset();  // before the widgets the compile reports to go
}

void TMainForm::EndOnStopSignals() {
  platform::CatchStopSignals();
  auto* poll = new QTimer(qApp);
  connect(poll, &QTimer::timeout, poll, [poll] {
    if (!platform::StopSignal()) return;
    poll->stop();
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* form = qobject_cast<TMainForm*>(window)) form->S->EndNow();
    QApplication::closeAllWindows();
  });
  poll->start(100);
}

void TMainForm::ShowState(const shell::MainState& state) {
  for (qsizetype i = 0; i < Groups.size(); ++i)
    Groups[i]->button(shell::LevelOptionTable()[static_cast<std::size_t>(i)].Get(state.Options))->setChecked(true);
  for (qsizetype i = 0; i < Actions.size(); ++i)
    Actions[i]->setToolTip(FromShell(state.DisabledReason.empty() ? kButtons[i].ToolTip : state.DisabledReason));
  if (state.ActionsEnabled != Actions[0]->isEnabled()) {
    if (!state.ActionsEnabled && Actions.contains(focusWidget())) FocusBeforeDisabling = focusWidget();
    for (QPushButton* button : Actions) button->setEnabled(state.ActionsEnabled);
    if (!state.ActionsEnabled) {
      FocusWhileDisabled = focusWidget();
    } else if (FocusBeforeDisabling) {
      if (focusWidget() == FocusWhileDisabled) FocusBeforeDisabling->setFocus();
      FocusBeforeDisabling = nullptr;
    }
  }
  LevelWindow->EnableButtons();
  StatusLabel->setText(FromShell(state.Status));
  StepField->setText(FromShell(state.Step));
  StepField->setVisible(!state.Step.empty());
  if (state.Compiling != StepTimer->isActive()) state.Compiling ? StepTimer->start(1000) : StepTimer->stop();
  CompileOutput->ButStop->setEnabled(state.Compiling);
  SeedLabel->setText(QStringLiteral("<a href=\"level\">%1</a>").arg(FromShell(state.Seed)));
  SeedLabel->setVisible(!state.Seed.empty());
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
  QMessageBox(QMessageBox::Critical, windowTitle(), FromShell(text), QMessageBox::Ok, this).exec();
}

bool TMainForm::Ask(const std::string& question) {
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
