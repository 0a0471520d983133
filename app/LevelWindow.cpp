#include "app/LevelWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Placement.h"
#include "shell/LevelButtons.h"

namespace {

// Eight pixels a cell: a Very Big level still fits a small screen.
constexpr int kWantedCell = 8;

QString Text(const std::string& text) { return QString::fromLocal8Bit(text); }

shell::TextMeasure Measure(const QFontMetrics& metrics) {
  return {metrics.height(), [metrics](const std::string& text) {
            return metrics.horizontalAdvance(QString::fromStdString(text));
          }};
}

QString Rows(const std::vector<std::pair<std::string, std::string>>& rows) {
  QString html = QStringLiteral("<table>");
  for (const auto& [name, value] : rows)
    html += QStringLiteral("<tr><td>%1:&nbsp;</td><td>%2</td></tr>")
                .arg(Text(name).toHtmlEscaped(), Text(value).toHtmlEscaped());
  return html + QStringLiteral("</table>");
}

}  // namespace

void TLevelPictureView::SetPicture(shell::LevelPicture picture) {
  Shown = std::move(picture);
  updateGeometry();
  update();
}

std::vector<shell::PictureMark> TLevelPictureView::Marks() const {
  return shell::LayOutPicture(Shown, width(), height(), Measure(fontMetrics()));
}

QSize TLevelPictureView::sizeHint() const {
  const auto [width, height] = shell::PictureSize(Shown, kWantedCell, Measure(fontMetrics()));
  return {width, height};
}

void TLevelPictureView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor text = palette().color(QPalette::WindowText);
  for (const shell::PictureMark& mark : Marks()) {
    const QColor colour = mark.Colour ? QColor(QString::fromLatin1(mark.Colour)) : text;
    const QRect box(mark.X, mark.Y, mark.Width, mark.Height);
    switch (mark.What) {
      case shell::PictureMark::Kind::Fill:
        painter.fillRect(box, colour);
        break;
      case shell::PictureMark::Kind::Dot:
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QRectF(box).center(), box.width() * 0.4, box.height() * 0.4);
        break;
      case shell::PictureMark::Kind::Text:
        painter.setPen(colour);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(mark.Text));
        break;
      case shell::PictureMark::Kind::ScaleBar:
        painter.setPen(QPen(colour, 1));
        painter.drawPolyline(QPolygon({box.topLeft(), box.bottomLeft(), box.bottomRight(), box.topRight()}));
        break;
    }
  }
}

TLevelWindow::TLevelWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QStringLiteral("Level"));
  Picture = new TLevelPictureView(this);
  Picture->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  Picture->setMinimumSize(200, 200);
  SeedText = new QLabel(this);
  SeedText->setTextInteractionFlags(Qt::TextSelectableByMouse);
  SeedText->setStyleSheet(QStringLiteral("font-weight: bold"));
  OptionsText = new QLabel(this);
  CountsText = new QLabel(this);

  // Made in the order Tab follows.
  const auto button = [this](const char* text, const char* tip = "") {
    auto* button = new QPushButton(QString::fromUtf8(text), this);
    button->setToolTip(QString::fromUtf8(tip));
    return button;
  };
  const auto field = [this](const char* pattern) {
    auto* edit = new QLineEdit(this);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(pattern)), edit));
    return edit;
  };
  ButCopyCommand = button("&Copy command line");  // its tooltip is the command line
  ButCompilePlay = button("Compile and &play", "Generate .bsp, then Run Half-Life when the compile succeeded");
  SeedEdit = field("[0-9]{1,20}");  // digits only; the session says when they are no seed
  SeedEdit->setPlaceholderText(QStringLiteral("Seed"));
  ButMakeAgain = button("Make &again", "Write the level of this seed with the main window's options");
  NameEdit = field("[A-Za-z0-9_-]{0,32}");
  ButKeep = button("&Keep level");
  KeptList = new QTreeWidget(this);
  KeptList->setRootIsDecorated(false);
  QStringList columns;
  for (const char* column : shell::kKeptColumns) columns << QString::fromUtf8(column);
  KeptList->setHeaderLabels(columns);
  KeptList->setMinimumHeight(100);
  ButPlayKept = button("P&lay");
  ButCompileKept = button("C&ompile");
  ButDeleteKept = button("&Delete");
  connect(KeptList, &QTreeWidget::currentItemChanged, this, &TLevelWindow::EnableButtons);
  connect(NameEdit, &QLineEdit::returnPressed, ButKeep, &QPushButton::click);
  CloseOnEscape(*this);

  // A narrow column beside the picture, which takes the rest: the facts
  // above each other, then the buttons.
  auto* again = new QHBoxLayout;
  again->addWidget(SeedEdit);
  again->addWidget(ButMakeAgain);
  auto* side = new QVBoxLayout;  // the stretch between the facts and the buttons
  for (QWidget* widget : std::initializer_list<QWidget*>{SeedText, OptionsText, CountsText, nullptr, ButCopyCommand,
                                                         ButCompilePlay})
    widget ? side->addWidget(widget) : side->addStretch();
  side->addLayout(again);
  auto* top = new QHBoxLayout;
  top->addWidget(Picture, 1);
  top->addLayout(side);
  // Below, the whole width: keeping this level and the kept levels' buttons, then their list.
  auto* keep = new QHBoxLayout;
  for (QWidget* widget : std::initializer_list<QWidget*>{NameEdit, ButKeep, ButPlayKept, ButCompileKept, ButDeleteKept})
    keep->addWidget(widget, widget == NameEdit);
  keep->insertSpacing(2, 16);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(keep);
  layout->addWidget(KeptList);
}

void TLevelWindow::Connect(shell::Session& session) {
  Session = &session;
  connect(ButCopyCommand, &QPushButton::clicked, this, [this] {
    QGuiApplication::clipboard()->setText(Text(Session->Level().CommandLine));
    Session->CommandCopied();
  });
  const auto makeAgain = [this] {
    if (ButMakeAgain->isEnabled()) Session->MakeAgain(SeedEdit->text().toStdString());
  };
  connect(ButMakeAgain, &QPushButton::clicked, this, makeAgain);
  connect(SeedEdit, &QLineEdit::returnPressed, this, makeAgain);
  connect(ButCompilePlay, &QPushButton::clicked, this, [this] { Session->CompileAndPlay(); });
  connect(ButKeep, &QPushButton::clicked, this, [this] { Session->KeepLevel(NameEdit->text().toStdString()); });
  connect(ButPlayKept, &QPushButton::clicked, this, [this] { Session->PlayKept(ChosenKept()); });
  connect(ButCompileKept, &QPushButton::clicked, this, [this] { Session->CompileKept(ChosenKept()); });
  connect(ButDeleteKept, &QPushButton::clicked, this, [this] { Session->DeleteKept(ChosenKept()); });
  EnableButtons();
}

void TLevelWindow::ShowSheet(const shell::LevelSheet& sheet) {
  Picture->SetPicture(sheet.Picture);
  SeedText->setText(Text(sheet.SeedLine));
  if (sheet.NewLevel) SeedEdit->setText(Text(sheet.SeedField));
  if (sheet.NewLevel) NameEdit->setText(Text(sheet.KeepName));
  const QString chosen = QString::fromStdString(ChosenKept());
  KeptList->clear();
  for (const shell::KeptRow& row : sheet.Kept) {
    auto* item = new QTreeWidgetItem(KeptList);
    for (int column = 0; column < KeptList->columnCount(); ++column) item->setText(column, Text(row.at(column)));
    if (item->text(0) == chosen) KeptList->setCurrentItem(item);
  }
  for (int column = 0; column < KeptList->columnCount(); ++column) KeptList->resizeColumnToContents(column);
  EnableButtons();
  OptionsText->setText(Rows(sheet.Options));
  CountsText->setText(Rows(sheet.Counts));
  ButCopyCommand->setToolTip(Text(sheet.CommandLine));
  ButCopyCommand->setEnabled(sheet.HasLevel);
  setWindowTitle(Text(sheet.Title));
}

std::string TLevelWindow::ChosenKept() const {
  return KeptList->currentItem() ? KeptList->currentItem()->text(0).toStdString() : std::string();
}

void TLevelWindow::EnableButtons() {
  if (!Session) return;  // the session is still being made
  const shell::LevelButtons on =
      shell::LevelButtonsFor(Session->State().ActionsEnabled, Session->Level().HasLevel, KeptList->currentItem());
  const std::pair<QPushButton*, bool> buttons[] = {{ButMakeAgain, on.MakeAgain}, {ButCompilePlay, on.CompilePlay},
                                                   {ButKeep, on.Keep}, {ButPlayKept, on.PlayKept},
                                                   {ButCompileKept, on.CompileKept}, {ButDeleteKept, on.DeleteKept}};
  for (const auto& [button, enabled] : buttons) button->setEnabled(enabled);
}
