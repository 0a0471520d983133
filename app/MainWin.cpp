#include "app/MainWin.h"

#include <QCloseEvent>
#include <QDialog>
#include <QKeySequence>
#include <QShortcut>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>

#include <exception>
#include <iostream>

#include "app/About.h"
#include "app/Fonts.h"
#include "app/RadioGroup.h"
#include "app/Resources.h"
#include "app/Setup.h"
#include "app/compile/CompileController.h"
#include "app/compile/CompileOutputForm.h"
#include "app/compile/GameLauncher.h"
#include "app/SetupData.h"
#include "labyrinth/Labyrinth.h"
#include "platform/Platform.h"

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
  return button;
}

TRadioGroup* MakeGroup(const QString& name, const QString& title, const QStringList& items,
                       int itemIndex, QWidget* parent, int x, int y, int w, int h) {
  auto* group = new TRadioGroup(title, items, itemIndex, parent);
  group->setObjectName(name);
  group->setGeometry(x, y, w, h);
  return group;
}

}  // namespace

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      AppDir(platform::CurrentDirectory()) {
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

  ButAbout = MakeButton(QStringLiteral("ButAbout"), QStringLiteral("About"), ButPanel, 16, 165, 75, 25);
  ButSetup = MakeButton(QStringLiteral("ButSetup"), QStringLiteral("Setup"), ButPanel, 16, 135, 75, 25);
  ButGenMap = MakeButton(QStringLiteral("ButGenMap"), QStringLiteral("Generate .map"), ButPanel, 13, 10, 81, 25);
  ButGenBsp = MakeButton(QStringLiteral("ButGenBsp"), QStringLiteral("Generate .bsp"), ButPanel, 13, 48, 81, 25);
  ButRun = MakeButton(QStringLiteral("ButRun"), QStringLiteral("Run Half-Life"), ButPanel, 13, 85, 81, 25);

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

  ButExit = MakeButton(QStringLiteral("ButExit"), QStringLiteral("Exit"), ButPanel, 16, 202, 75, 25);
  ButExit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));

  SetupData = new TSetupLines(TSetupLines::DefaultLines(), this);
  SetupData->setObjectName(QStringLiteral("SetupData"));

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
  MakeLabyrinth = [](int mapDim, int mapCompl, int skill, int monstersType, int gameType,
                     int friends) {
    return std::make_unique<Labyrinth>(mapDim, mapCompl, skill, monstersType, gameType, friends);
  };
  GenerateLevel = [](Labyrinth& lab) { return lab.GenerateLevel(kMaxAttempts); };
  RunModal = [](QDialog& dialog) { return dialog.exec(); };

  Compile = new CompileController(this);
  CompileOutput = new TCompileOutputForm(this);
  connect(Compile, &CompileController::Output, CompileOutput, &TCompileOutputForm::AppendText);
  connect(Compile, &CompileController::Finished, this, &TMainForm::CompileFinished);
  CompileRunning = [this] { return Compile->IsRunning(); };
  ConfirmStopCompile = [this] {
    return QMessageBox::question(this, ApplicationTitle(),
                                 QStringLiteral("A compile is running. Stop it and quit?")) ==
           QMessageBox::Yes;
  };
  StartGame = [](const QString& hlDir, QString* error) { return LaunchGame(hlDir, error); };
  auto* showOutput = new QShortcut(QKeySequence(QStringLiteral("Ctrl+L")), this);
  connect(showOutput, &QShortcut::activated, CompileOutput, &TCompileOutputForm::ShowAndRaise);
  ButGenBsp->setToolTip(QStringLiteral("Compile quorvel.map with the map tools (Ctrl+L shows their output)"));

  if (!MainForm) MainForm = this;
  FormCreate();
}

TMainForm::~TMainForm() {
  FormDestroy();
  if (MainForm == this) MainForm = nullptr;
}

QString TMainForm::ApplicationTitle() { return QStringLiteral("Quorvel"); }

std::string TMainForm::MapPath() const { return platform::JoinPath(AppDir, "quorvel.map"); }

std::string TMainForm::SettingsPath() const { return platform::JoinPath(AppDir, "quorvel.ini"); }

QString TMainForm::StatusText() const { return StatusLabel->text(); }

void TMainForm::SetStatusText(const QString& text) { StatusLabel->setText(text); }

void TMainForm::ShowError(const QString& text) {
  if (ErrorDisplay) ErrorDisplay(text);
}

void TMainForm::EnableActions() {
  if (CompileRunning && CompileRunning()) return;
  SetActionsEnabled(true);
}

void TMainForm::SetActionsEnabled(bool enabled) {
  ButGenMap->setEnabled(enabled);
  ButGenBsp->setEnabled(enabled);
  ButRun->setEnabled(enabled);
}

void TMainForm::FormCreate() {
  setWindowTitle(ApplicationTitle());
  connect(SetupData, &TSetupLines::Changed, this, &TMainForm::SetupDataChange);
  // No settings yet: the directories must come from the Setup dialog first.
  if (!SetupData->LoadFromFile(SettingsPath())) SetActionsEnabled(false);
}

void TMainForm::FormDestroy() {
  const std::string path = SettingsPath();
  const WriteResult result = SetupData->SaveToFile(path);
  if (!result)
    std::cerr << "quorvel: cannot save the settings to " << path << ": " << result.Error << '\n';
}

void TMainForm::SetupDataChange() {
  ToolDir = SetupData->Line(TSetupLines::kToolLine).toStdString();
  HLDir = SetupData->Line(TSetupLines::kGameLine).toStdString();
}

void TMainForm::ButGenMapClick() {
  SetStatusText(QString());
  try {
    const std::unique_ptr<Labyrinth> lab =
        MakeLabyrinth(RGMapDim->ItemIndex(), RGMapCompl->ItemIndex(), RGSkill->ItemIndex(),
                      RGMonsters->ItemIndex(), RGGameType->ItemIndex(), RGBarney->ItemIndex());
    if (GenerateLevel(*lab) == 0) {
      ShowError(QStringLiteral("Error generating labyrinth: try again"));
      return;
    }
    lab->GameDir = HLDir;
    const std::string path = MapPath();
    const WriteResult result = lab->WriteMap(path);
    if (!result) {
      ShowError(QStringLiteral("Cannot write %1: %2")
                    .arg(QString::fromStdString(path), QString::fromStdString(result.Error)));
      return;
    }
    SetStatusText(QStringLiteral(".map generated"));
  } catch (const std::exception& e) {
    ShowError(QString::fromUtf8(e.what()));
  }
}

void TMainForm::ButGenBspClick() {
  SetActionsEnabled(false);
  SetStatusText(QString());
  CompileOutput->Clear();
  CompileOutput->ShowAndRaise();
  // A check that fails reports through CompileFinished before Start returns.
  Compile->Start(QString::fromStdString(AppDir), QString::fromStdString(ToolDir),
                 QString::fromStdString(HLDir));
}

void TMainForm::CompileFinished(bool, const QString& statusText, const QString& errorText) {
  SetStatusText(statusText);
  EnableActions();
  if (!errorText.isEmpty()) ShowError(errorText);
}

void TMainForm::ButRunClick() {
  QString error;
  if (!StartGame(QString::fromStdString(HLDir), &error)) ShowError(error);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (Compile->IsRunning()) {
    if (!ConfirmStopCompile()) {
      event->ignore();
      return;
    }
    Compile->Stop();
  }
  CompileOutput->close();
  event->accept();
}

void TMainForm::ButSetupClick() {
  {
    TSetupForm dialog(*SetupData, this);
    RunModal(dialog);
  }
  EnableActions();
}

void TMainForm::ButAboutClick() {
  TAboutLicenseDlg dialog(this);
  RunModal(dialog);
}
