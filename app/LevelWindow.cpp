#include "app/LevelWindow.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

#include "app/LevelPictureView.h"
#include "cli/Options.h"
#include "shell/OptionNames.h"

namespace {

constexpr int kGap = 8;

QString Text(const std::string& text) { return QString::fromLocal8Bit(text); }

QString Rows(const std::vector<std::pair<QString, QString>>& rows) {
  QString html = QStringLiteral("<table>");
  for (const auto& [name, value] : rows)
    html += QStringLiteral("<tr><td>%1:&nbsp;</td><td>%2</td></tr>").arg(name.toHtmlEscaped(), value.toHtmlEscaped());
  return html + QStringLiteral("</table>");
}

}  // namespace

TLevelWindow::TLevelWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("LevelWindow"));
  setWindowTitle(QStringLiteral("Level"));
  Picture = new TLevelPictureView(this);
  SeedText = new QLabel(this);
  SeedText->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont bold = SeedText->font();
  bold.setBold(true);
  SeedText->setFont(bold);
  OptionsText = new QLabel(this);
  CountsText = new QLabel(this);

  ButCopyCommand = new QPushButton(QStringLiteral("&Copy command line"), this);
  ButCopyCommand->setToolTip(QStringLiteral("The quorvel-cli call that writes this same level"));
  SeedEdit = new QLineEdit(this);
  SeedEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,10}")), SeedEdit));
  SeedEdit->setPlaceholderText(QStringLiteral("Seed"));
  ButMakeAgain = new QPushButton(QStringLiteral("Make &again"), this);
  ButMakeAgain->setToolTip(QStringLiteral("Write the level of this seed with the main window's options"));
  ButCompilePlay = new QPushButton(QStringLiteral("Compile and &play"), this);
  ButCompilePlay->setToolTip(QStringLiteral("Generate .bsp, then Run Half-Life when the compile succeeded"));

  connect(ButCopyCommand, &QPushButton::clicked, this,
          [this] { QGuiApplication::clipboard()->setText(Command); });
  connect(ButMakeAgain, &QPushButton::clicked, this, &TLevelWindow::MakeAgainClick);
  connect(SeedEdit, &QLineEdit::returnPressed, this, &TLevelWindow::MakeAgainClick);
  connect(ButCompilePlay, &QPushButton::clicked, this, &TLevelWindow::CompileAndPlay);

  // Options beside counts and the buttons two by two: at twice the scale
  // the window still fits a 1280x800 screen.
  auto* facts = new QHBoxLayout;
  facts->addWidget(OptionsText, 0, Qt::AlignTop);
  facts->addSpacing(12);
  facts->addWidget(CountsText, 0, Qt::AlignTop);
  auto* buttons = new QGridLayout;
  buttons->addWidget(ButCopyCommand, 0, 0);
  buttons->addWidget(ButCompilePlay, 0, 1);
  buttons->addWidget(SeedEdit, 1, 0);
  buttons->addWidget(ButMakeAgain, 1, 1);
  auto* side = new QVBoxLayout;
  side->addWidget(SeedText);
  side->addLayout(facts);
  side->addStretch();
  side->addLayout(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(Picture, 1);
  layout->addLayout(side);
  setTabOrder(ButCopyCommand, ButCompilePlay);
  setTabOrder(ButCompilePlay, SeedEdit);
  setTabOrder(SeedEdit, ButMakeAgain);
}

void TLevelWindow::ShowLevel(const shell::GeneratedMap& level, const LabyrinthOptions& options,
                             const std::string& gameDir) {
  Picture->SetPicture(shell::MakeLevelPicture(level.Layout, level.Characters));
  const QString seed = QString::number(level.Seed);
  SeedText->setText(QStringLiteral("Seed %1").arg(seed));
  SeedEdit->setText(seed);

  std::vector<std::pair<QString, QString>> rows;
  for (const auto& [group, item] : shell::OptionCaptions(options)) rows.emplace_back(Text(group), Text(item));
  OptionsText->setText(Rows(rows));
  CountsText->setText(Rows({
      {QStringLiteral("Attempts used"), QString::number(level.Attempts)},
      {QStringLiteral("Grid"), QStringLiteral("%1 x %2 cells").arg(level.Width).arg(level.Height)},
      {QStringLiteral("Brushes"), QString::number(level.Brushes)},
      {QStringLiteral("Entities"), QString::number(level.Entities)},
      {QStringLiteral("Monsters"), QString::number(level.Monsters)},
      {QStringLiteral("Weapons"), QString::number(level.Weapons)},
      {QStringLiteral("Ammunition"), QString::number(level.Ammunition)},
      {QStringLiteral("Items"), QString::number(level.Items)},
  }));
  Command = Text(cli::CommandLineText(cli::ArgumentsFor(options, level.Seed, gameDir)));
  ButCopyCommand->setToolTip(Command);
  setWindowTitle(QStringLiteral("Level %1").arg(seed));
}

void TLevelWindow::ShowBeside(const QWidget& main) {
  const QRect frame = main.frameGeometry();
  const QScreen* screen = main.screen() ? main.screen() : QGuiApplication::primaryScreen();
  const QRect room = screen->availableGeometry();
  // The edges a window manager adds around the window; before its first
  // show, those of the main window.
  const QSize edges = isVisible() ? frameGeometry().size() - size() : frame.size() - main.size();
  const QSize least = minimumSizeHint() + edges;
  QSize outer = (isVisible() ? size() : sizeHint()) + edges;
  // The side with more room; the window narrows to it, down to its least
  // width, so that it covers as little of the main window as it can.
  const int rightRoom = room.right() - frame.right() - kGap;
  const int leftRoom = frame.left() - kGap - room.left();
  const bool right = rightRoom >= outer.width() || rightRoom >= leftRoom;
  outer.setWidth(std::max(least.width(), std::min(outer.width(), right ? rightRoom : leftRoom)));
  outer = outer.boundedTo(room.size());
  resize(outer - edges);
  int x = right ? frame.right() + 1 + kGap : frame.left() - kGap - outer.width();
  x = std::clamp(x, room.left(), room.right() + 1 - outer.width());
  const int y = std::clamp(frame.top(), room.top(), room.bottom() + 1 - outer.height());
  move(x, y);
  show();
  raise();
  activateWindow();
}

void TLevelWindow::SetActionsEnabled(bool enabled) {
  ButMakeAgain->setEnabled(enabled);
  ButCompilePlay->setEnabled(enabled);
}

void TLevelWindow::MakeAgainClick() {
  bool ok = false;
  const uint seed = SeedEdit->text().toUInt(&ok);
  if (ok && ButMakeAgain->isEnabled()) emit MakeAgain(seed);
}
