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
#include <iterator>

#include "app/Look.h"
#include "app/Placement.h"

namespace {

constexpr int kClientWidth = 297;
constexpr int kFieldWidth = 266;

// Each folder's row: its controls' names, its caption and the chooser's
// title, and where the next row starts at the least.
struct FolderRow {
  shell::FolderKind Kind;
  const char* Names[3];
  const char* Caption;
  const char* Title;
  int NextTop;
};
const FolderRow kFolderRows[] = {
    {shell::FolderKind::Tools, {"Label1", "DirTool", "NoteTool"}, "Compilation Tools Directory",
     "Compile tools folder", 68},
    {shell::FolderKind::Game, {"Label2", "DirHL", "NoteHL"}, "Half-Life Main Directory", "Half-Life folder", 120},
};

QString Shown(const std::string& line) { return QFile::decodeName(QByteArray::fromStdString(line)); }

}  // namespace

TSetupForm::TSetupForm(shell::Session& session, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      S(session) {
  setObjectName(QStringLiteral("SetupForm"));
  setWindowTitle(QStringLiteral("Setup"));
  setFont(PixelFont(11));

  Folders.reserve(std::size(kFolderRows));
  for (const FolderRow& row : kFolderRows) {
    QLabel* label = PixelLabel(this, row.Names[0], QString::fromUtf8(row.Caption), 11, true);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(row.Names[1]));
    auto* browse = new QToolButton(this);
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(QStringLiteral("Choose a folder"));
    const Folder& folder = Folders.emplace_back(
        Folder{row.Kind, label, edit, browse, PixelLabel(this, row.Names[2], QString(), 11), row.NextTop});
    folder.Note->setWordWrap(true);
    // A typed folder counts once the field is left (or Enter pressed), not at every key.
    connect(edit, &QLineEdit::editingFinished, this, [this, &folder] { Store(folder); });
    connect(browse, &QToolButton::clicked, this, [this, &folder, title = QString::fromUtf8(row.Title)] {
      const QString chosen = ChooseFolder ? ChooseFolder(this, title, folder.Edit->text())
                                          : QFileDialog::getExistingDirectory(this, title, folder.Edit->text());
      if (chosen.isEmpty()) return;
      folder.Edit->setText(QDir::toNativeSeparators(chosen));
      Store(folder);
    });
    edit->setText(Shown(row.Kind == shell::FolderKind::Tools ? S.Folders().ToolDir() : S.Folders().GameDir()));
  }
  LabelQuality = PixelLabel(this, "LabelQuality", QStringLiteral("Compile &Quality"), 11, true);
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

  // The stored folders go back as they are shown, which notes them.
  for (const Folder& folder : Folders) Store(folder);
  if (owner) CentreOn(*this, *owner->window());
}

void TSetupForm::done(int result) {
  for (const Folder& field : Folders) Store(field);
  QDialog::done(result);
}

void TSetupForm::Store(const Folder& folder) {
  const bool tools = folder.Kind == shell::FolderKind::Tools;
  const std::string& stored = tools ? S.Folders().ToolDir() : S.Folders().GameDir();
  const QString text = folder.Edit->text();
  const std::string bytes = Shown(stored) == text ? stored : QFile::encodeName(text).toStdString();
  folder.Note->setText(QString::fromLocal8Bit(S.StoreFolder(folder.Kind, bytes)));
  LayOut();
}

void TSetupForm::LayOut() {
  int y = 13;
  const auto place = [&y](QWidget* widget, int x, int width, int height, int gap) {
    widget->setGeometry(x, y, width, height);
    widget->setVisible(height > 0);
    y += height + gap;
  };
  for (const Folder& folder : Folders) {
    place(folder.Label, 20, 200, 13, 3);
    folder.Browse->setGeometry(16 + kFieldWidth - 20, y, 20, 21);
    place(folder.Edit, 16, kFieldWidth - 20, 21, 2);
    const QLabel* note = folder.Note;
    place(folder.Note, 16, kFieldWidth, note->text().isEmpty() ? 0 : note->heightForWidth(kFieldWidth), 4);
    y = std::max(y, folder.NextTop);
  }
  place(LabelQuality, 20, 110, 21, -21);
  place(Quality, 130, 152, 21, 8);
  place(ButClose, 111, 75, 25, 5);
  setFixedSize(kClientWidth, y);
}
