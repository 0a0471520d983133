#include "app/Setup.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

#include "app/Look.h"
#include "app/Placement.h"

namespace {

constexpr int kClientWidth = 297;
constexpr int kFieldWidth = 266;

// Each folder's row: its settings line, its controls' names (caption, field,
// "...", note), its caption, the chooser's title, and the next row's least top.
struct FolderRow {
  shell::FolderKind Kind;
  const std::string& (shell::Settings::*Stored)() const;
  const char* Names[4];
  const char* Caption;
  const char* Title;
  int NextTop;
};
const FolderRow kFolderRows[] = {
    {shell::FolderKind::Tools, &shell::Settings::ToolDir, {"Label1", "DirTool", "BrowseTool", "NoteTool"},
     "Compilation Tools Directory", "Compile tools folder", 68},
    {shell::FolderKind::Game, &shell::Settings::GameDir, {"Label2", "DirHL", "BrowseHL", "NoteHL"},
     "Half-Life Main Directory", "Half-Life folder", 120},
};

const FolderRow& RowOf(shell::FolderKind kind) { return kFolderRows[kind == shell::FolderKind::Tools ? 0 : 1]; }

QString Shown(const std::string& line) { return QFile::decodeName(QByteArray::fromStdString(line)); }

}  // namespace

TSetupForm::TSetupForm(shell::Session& session, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      S(session) {
  setWindowTitle(QStringLiteral("Setup"));
  setFont(PixelFont(11));

  for (const FolderRow& row : kFolderRows) {
    PixelLabel(this, row.Names[0], QString::fromUtf8(row.Caption), 11, true);
    auto* edit = new QLineEdit(Shown((S.Folders().*row.Stored)()), this);
    edit->setObjectName(QString::fromLatin1(row.Names[1]));
    auto* browse = new QToolButton(this);
    browse->setObjectName(QString::fromLatin1(row.Names[2]));
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(QStringLiteral("Choose a folder"));
    PixelLabel(this, row.Names[3], QString(), 11)->setWordWrap(true);
    // A typed folder counts once the field is left (or Enter pressed), not at every key.
    connect(edit, &QLineEdit::editingFinished, this, [this, &row] { Store(row.Kind); });
    connect(browse, &QToolButton::clicked, this, [this, &row, edit] {
      const QString title = QString::fromUtf8(row.Title);
      const QString chosen = ChooseFolder ? ChooseFolder(this, title, edit->text())
                                          : QFileDialog::getExistingDirectory(this, title, edit->text());
      if (chosen.isEmpty()) return;
      edit->setText(QDir::toNativeSeparators(chosen));
      Store(row.Kind);
    });
  }
  QLabel* label = PixelLabel(this, "LabelQuality", QStringLiteral("Compile &Quality"), 11, true);
  auto* quality = new QComboBox(this);
  quality->setObjectName(QStringLiteral("Quality"));
  for (const shell::QualitySpec& spec : shell::QualityTable()) quality->addItem(QString::fromUtf8(spec.Caption));
  quality->setCurrentIndex(static_cast<int>(S.Quality()));
  label->setBuddy(quality);
  connect(quality, &QComboBox::currentIndexChanged, this,
          [this](int index) { S.ChooseQuality(shell::QualityTable().at(static_cast<std::size_t>(index)).Quality); });

  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("ButClose"));
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  // The stored folders go back as they are shown, which notes them.
  for (const FolderRow& row : kFolderRows) Store(row.Kind);
  if (owner) CentreOn(*this, *owner->window());
}

void TSetupForm::done(int result) {
  for (const FolderRow& row : kFolderRows) Store(row.Kind);
  QDialog::done(result);
}

void TSetupForm::Store(shell::FolderKind kind) {
  const std::string& stored = (S.Folders().*RowOf(kind).Stored)();
  const QString text = Part<QLineEdit>(RowOf(kind).Names[1])->text();
  const std::string bytes = Shown(stored) == text ? stored : QFile::encodeName(text).toStdString();
  Part<QLabel>(RowOf(kind).Names[3])->setText(QString::fromLocal8Bit(S.StoreFolder(kind, bytes)));
  LayOut();
}

void TSetupForm::LayOut() {
  int y = 13;
  const auto place = [this, &y](const char* name, int x, int width, int height, int gap) {
    Part(name)->setGeometry(x, y, width, height);
    Part(name)->setVisible(height > 0);
    y += height + gap;
  };
  for (const FolderRow& row : kFolderRows) {
    place(row.Names[0], 20, 200, 13, 3);
    Part(row.Names[2])->setGeometry(16 + kFieldWidth - 20, y, 20, 21);
    place(row.Names[1], 16, kFieldWidth - 20, 21, 2);
    const QLabel* note = Part<QLabel>(row.Names[3]);
    place(row.Names[3], 16, kFieldWidth, note->text().isEmpty() ? 0 : note->heightForWidth(kFieldWidth), 4);
    y = std::max(y, row.NextTop);
  }
  place("LabelQuality", 20, 110, 21, -21);
  place("Quality", 130, 152, 21, 8);
  place("ButClose", 111, 75, 25, 5);
  setFixedSize(kClientWidth, y);
}
