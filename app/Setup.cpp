#include "app/Setup.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

#include "app/DirectoryEdit.h"
#include "app/Fonts.h"

namespace {

constexpr int kClientWidth = 297;
constexpr int kFieldWidth = 266;

QString Shown(const std::string& line) { return QFile::decodeName(QByteArray::fromStdString(line)); }

QLabel* MakeLabel(const QString& name, const QString& text, bool bold, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFont(PixelFont(11, bold));
  return label;
}

}  // namespace

TSetupForm::TSetupForm(shell::Session& session, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      S(session) {
  setObjectName(QStringLiteral("SetupForm"));
  setWindowTitle(QStringLiteral("Setup"));
  setFont(PixelFont(11));

  Label1 = MakeLabel(QStringLiteral("Label1"), QStringLiteral("Compilation Tools Directory"), true, this);
  Label2 = MakeLabel(QStringLiteral("Label2"), QStringLiteral("Half-Life Main Directory"), true, this);
  DirTool = new TDirectoryEdit(QStringLiteral("Compile tools folder"), this);
  DirTool->setObjectName(QStringLiteral("DirTool"));
  DirHL = new TDirectoryEdit(QStringLiteral("Half-Life folder"), this);
  DirHL->setObjectName(QStringLiteral("DirHL"));
  NoteTool = MakeLabel(QStringLiteral("NoteTool"), QString(), false, this);
  NoteHL = MakeLabel(QStringLiteral("NoteHL"), QString(), false, this);
  for (QLabel* note : {NoteTool, NoteHL}) note->setWordWrap(true);
  LabelQuality = MakeLabel(QStringLiteral("LabelQuality"), QStringLiteral("Compile &Quality"), true, this);
  Quality = new QComboBox(this);
  for (const shell::QualitySpec& spec : shell::QualityTable()) Quality->addItem(QString::fromUtf8(spec.Caption));
  Quality->setCurrentIndex(static_cast<int>(S.Quality()));
  LabelQuality->setBuddy(Quality);
  connect(Quality, &QComboBox::currentIndexChanged, this,
          [this](int index) { S.ChooseQuality(shell::QualityTable().at(static_cast<std::size_t>(index)).Quality); });

  ButClose = new QPushButton(QStringLiteral("Close"), this);
  ButClose->setObjectName(QStringLiteral("ButClose"));
  ButClose->setDefault(true);
  connect(ButClose, &QPushButton::clicked, this, &QDialog::accept);

  connect(DirTool, &TDirectoryEdit::Changed, this, &TSetupForm::DirToolChange);
  connect(DirHL, &TDirectoryEdit::Changed, this, &TSetupForm::DirHLChange);
  FormCreate();
  if (owner) CentreOn(owner->window());
}

// Qt's own placement guesses the frame of a window without a window manager,
// and is off by that much; a frame like the owner's is the better guess.
void TSetupForm::CentreOn(const QWidget* owner) {
  const QRect frame = owner->frameGeometry();
  QRect placed(QPoint(), size() + frame.size() - owner->size());
  placed.moveCenter(frame.center());
  if (const QScreen* screen = owner->screen()) {
    const QRect room = screen->availableGeometry();
    placed.moveLeft(std::max(room.left(), std::min(placed.left(), room.right() + 1 - placed.width())));
    placed.moveTop(std::max(room.top(), std::min(placed.top(), room.bottom() + 1 - placed.height())));
  }
  move(placed.topLeft());
}

// Filling the fields raises their change events, which store the lines back.
void TSetupForm::FormCreate() {
  DirTool->SetText(Shown(S.Folders().ToolDir()));
  DirHL->SetText(Shown(S.Folders().GameDir()));
}

void TSetupForm::done(int result) {
  DirToolChange();
  DirHLChange();
  QDialog::done(result);
}

void TSetupForm::DirToolChange() { Store(shell::FolderKind::Tools, DirTool->Text(), NoteTool); }

void TSetupForm::DirHLChange() { Store(shell::FolderKind::Game, DirHL->Text(), NoteHL); }

void TSetupForm::Store(shell::FolderKind kind, const QString& text, QLabel* note) {
  const std::string& stored = kind == shell::FolderKind::Tools ? S.Folders().ToolDir() : S.Folders().GameDir();
  const std::string bytes = Shown(stored) == text ? stored : QFile::encodeName(text).toStdString();
  note->setText(QString::fromLocal8Bit(S.StoreFolder(kind, bytes)));
  LayOut();
}

void TSetupForm::LayOut() {
  int y = 13;
  const auto place = [&y](QWidget* widget, int x, int width, int height, int gap) {
    widget->setGeometry(x, y, width, height);
    widget->setVisible(height > 0);
    y += height + gap;
  };
  const auto noteHeight = [](QLabel* note) { return note->text().isEmpty() ? 0 : note->heightForWidth(kFieldWidth); };
  place(Label1, 20, 200, 13, 3);
  place(DirTool, 16, kFieldWidth, 21, 2);
  place(NoteTool, 16, kFieldWidth, noteHeight(NoteTool), 4);
  y = std::max(y, 68);
  place(Label2, 20, 200, 13, 3);
  place(DirHL, 16, kFieldWidth, 21, 2);
  place(NoteHL, 16, kFieldWidth, noteHeight(NoteHL), 4);
  y = std::max(y, 120);
  place(LabelQuality, 20, 110, 21, -21);
  place(Quality, 130, 152, 21, 8);
  place(ButClose, 111, 75, 25, 5);
  setFixedSize(kClientWidth, y);
}
