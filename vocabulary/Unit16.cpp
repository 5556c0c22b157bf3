#include "vocabulary/Unit16.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QScreen>
#include <algorithm>
#include <chrono>

#include "app/centre.h"
#include "app/core/errors.h"
#include "app/core/foldcase.h"
#include "app/core/qtext.h"
#include "text/drillkeys.h"
#include "app/core/textfile.h"
#include "dictionary/Unit9.h"
#include "dictionary/lookup.h"
#include "lessons/framebutton.h"
#include "text/Unit21.h"
#include "text/icons.h"
#include "text/styletables.h"

namespace lx {

namespace {

constexpr int kBarHeight = 40;
constexpr int kIconButton = 33;
constexpr int kGridRowHeight = 18;
const QColor kCaptionColour(0x80, 0x00, 0x80);
const QString kFilter = "*.txt;;*.*";

// Pictures of the list commands, drawn in the course's palette.
enum class ListIcon { Open, Save, Merge, Cut, Build, Clear, Up, Down };

QPixmap DrawListIcon(ListIcon icon, int size = 22) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 22.0, size / 22.0);
  const QPen ink(palette::kInk, 1.4);
  auto page = [&](qreal x, qreal y, const QColor& fill) {
    p.setPen(ink);
    p.setBrush(fill);
    p.drawRect(QRectF(x, y, 11, 14));
    p.setPen(QPen(palette::kBlue, 1));
    for (int i = 0; i < 3; ++i) p.drawLine(QPointF(x + 2.5, y + 4 + 3 * i), QPointF(x + 8.5, y + 4 + 3 * i));
  };
  switch (icon) {
    case ListIcon::Open: {
      p.setPen(ink);
      p.setBrush(QColor(0xF0, 0xC8, 0x50));
      QPainterPath folder;
      folder.moveTo(2, 6); folder.lineTo(8, 6); folder.lineTo(10, 8); folder.lineTo(19, 8);
      folder.lineTo(19, 18); folder.lineTo(2, 18); folder.closeSubpath();
      p.drawPath(folder);
      p.setBrush(QColor(0xF8, 0xE0, 0x90));
      p.drawPolygon(QPolygonF({QPointF(4, 11), QPointF(21, 11), QPointF(19, 18), QPointF(2, 18)}));
      break;
    }
    case ListIcon::Save:
      p.setPen(ink);
      p.setBrush(palette::kBlue);
      p.drawRoundedRect(QRectF(3, 3, 16, 16), 2, 2);
      p.setBrush(palette::kPaper);
      p.drawRect(QRectF(6, 3, 10, 6));
      p.drawRect(QRectF(6, 12, 10, 7));
      break;
    case ListIcon::Merge:
      page(2, 2, palette::kPaper);
      page(9, 6, palette::kPaper);
      p.setPen(QPen(palette::kGreen, 2.2));
      p.drawLine(QPointF(4, 17), QPointF(8, 17));
      p.drawLine(QPointF(6, 15), QPointF(6, 19));
      break;
    case ListIcon::Cut:
      page(2, 2, palette::kPaper);
      page(9, 6, palette::kPaper);
      p.setPen(QPen(palette::kRed, 2.2));
      p.drawLine(QPointF(3, 17), QPointF(9, 17));
      break;
    case ListIcon::Build:
      page(2, 3, palette::kPaper);
      p.setPen(QPen(palette::kGreen, 2));
      p.drawLine(QPointF(14, 11), QPointF(20, 11));
      p.drawLine(QPointF(17, 8), QPointF(20, 11));
      p.drawLine(QPointF(17, 14), QPointF(20, 11));
      break;
    case ListIcon::Clear:
      page(4, 3, palette::kPaper);
      p.setPen(QPen(palette::kRed, 2.4));
      p.drawLine(QPointF(10, 10), QPointF(19, 19));
      p.drawLine(QPointF(19, 10), QPointF(10, 19));
      break;
    case ListIcon::Up:
    case ListIcon::Down: {
      p.setPen(ink);
      p.setBrush(palette::kBlue);
      const bool up = icon == ListIcon::Up;
      const qreal tip = up ? 3 : 19, base = up ? 12 : 10, tail = up ? 19 : 3;
      p.drawPolygon(QPolygonF({QPointF(11, tip), QPointF(19, base), QPointF(14, base), QPointF(14, tail),
                               QPointF(8, tail), QPointF(8, base), QPointF(3, base)}));
      break;
    }
  }
  return pixmap;
}

QToolButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const QPixmap& icon,
                        const QString& hint) {
  auto* button = new FrameButton(caption, icon, kCaptionColour, parent);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

// A field of the list file: a pasted tab or line break would split the entry's
// line, so each becomes a space.
std::string OneField(const QString& text) {
  std::string field = FromQ(text);
  std::replace_if(field.begin(), field.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
  return field;
}

QString CannotRead(const std::string& path) {
  return QString("Не удалось прочитать файл %1").arg(QString::fromStdString(path));
}

// The drill keys, also by their key codes when a layout gives them other text.
bool IsDrillKey(const QKeyEvent& event, bool& next) {
  const DrillKey key = DrillKeyOf(event);
  next = key == DrillKey::Next || (key == DrillKey::None && event.key() == Qt::Key_Z);
  return key != DrillKey::None || event.key() == Qt::Key_Z || event.key() == Qt::Key_X;
}

}  // namespace

Tform16::Tform16(WordList& list, Lesson6Context context, QWidget* parent)
    : QWidget(parent, Qt::Window),
      list_(list),
      context_(std::move(context)),
      random_(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())) {
  setObjectName("form16");
  setWindowTitle("Lexitar - Lesson 6");
  resize(636, 501);
  draw_ = [this](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); };
  notice_ = [this](const QString& message) { QMessageBox::information(this, "Lexitar", message); };
  defaultList_ = std::make_unique<DefaultListFile>(context_.dataDir.Path("data\\w01.txt"), list_);
  // The dialogs open in the data folder first, then where the learner last chose a file.
  lastFolder_ = QString::fromStdString(context_.dataDir.Path("data"));
  BuildControls();
  static const SettingsSlots kNoSettings;
  renderer_ = std::make_unique<MarkupRenderer>(*RichEdit1, styles::lesson6(),
                                               context_.settings ? *context_.settings : kNoSettings);
  static const SoundIndex kNoSounds;
  picker_ = new PanePicker(*RichEdit1, context_.soundIndex ? *context_.soundIndex : kNoSounds, WordChars::Standard,
                           context_.pickHandlers);
  subscription_ = list_.Subscribe([this] { ListChanged(); });
  FormCreate();
}

Tform16::~Tform16() { list_.Unsubscribe(subscription_); }

void Tform16::BuildControls() {
  sPageControl1 = new QTabWidget(this);
  sPageControl1->setObjectName("sPageControl1");
  drillPage_ = new QWidget;
  drillPage_->setObjectName("TabSheet1");
  listPage_ = new QWidget;
  listPage_->setObjectName("TabSheet2");
  sPageControl1->addTab(drillPage_, "Заучивание слов");
  sPageControl1->addTab(listPage_, "Список слов");
  BuildDrillPage(drillPage_);
  BuildListPage(listPage_);
  connect(sPageControl1, &QTabWidget::currentChanged, this, [this](int page) {
    if (page == 0) RichEdit1->setFocus();
  });

  SpeedButton40 = MakeButton(this, "SpeedButton40", QString(), DrawIcon(Icon::Help, 24), "Окно помощи");
  SpeedButton41 = MakeButton(this, "SpeedButton41", QString(), DrawIcon(Icon::Dictionary, 24), "Окно словаря");
  SpeedButton42 = MakeButton(this, "SpeedButton42", QString(), DrawIcon(Icon::Settings, 24), "Окно настроек");
  SpeedButton6 = MakeButton(this, "SpeedButton6", QString(), DrawIcon(Icon::Close, 24), "Закрыть Урок 6");
  SpeedButton41->setCheckable(true);
  SpeedButton42->setCheckable(true);
  connect(SpeedButton40, &QToolButton::clicked, this, &Tform16::SpeedButton40Click);
  connect(SpeedButton41, &QToolButton::clicked, this, &Tform16::SpeedButton41Click);
  connect(SpeedButton42, &QToolButton::clicked, this, &Tform16::SpeedButton42Click);
  connect(SpeedButton6, &QToolButton::clicked, this, &Tform16::SpeedButton6Click);
  SpeedButton40->setEnabled(context_.help != nullptr);
  SpeedButton41->setEnabled(context_.dictionary != nullptr);
  SpeedButton42->setEnabled(context_.settingsWindow != nullptr);
  if (context_.dictionary) context_.dictionary->EnrolToggle(SpeedButton41);
  if (context_.help) context_.help->RegisterCaretPane(RichEdit1);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(40);
  connect(Timer1, &QTimer::timeout, this, &Tform16::Timer1Timer);
  Timer1->start();
}

void Tform16::BuildDrillPage(QWidget* page) {
  SpeedButton3 = MakeButton(page, "SpeedButton3", "Дальше...", QPixmap(), "Следующее слово (клавиша \"z\")");
  SpeedButton4 = MakeButton(page, "SpeedButton4", "Ответ", QPixmap(), "Перевод слова (клавиша \"x\")");
  SpeedButton5 = MakeButton(page, "SpeedButton5", "Знаю слово", QPixmap(), "Больше не показывать мне это слово");
  SpeedButton3->setGeometry(8, 6, 90, 27);
  SpeedButton4->setGeometry(104, 6, 80, 27);
  SpeedButton5->setGeometry(190, 6, 100, 27);
  connect(SpeedButton3, &QToolButton::clicked, this, &Tform16::Button2Click);
  connect(SpeedButton4, &QToolButton::clicked, this, &Tform16::Button3Click);
  connect(SpeedButton5, &QToolButton::clicked, this, &Tform16::Button4Click);

  sCheckBox2 = new QCheckBox("Случайно", page);
  sCheckBox2->setObjectName("sCheckBox2");
  sCheckBox2->setToolTip("Выводить слова случайно");
  sCheckBox2->setChecked(true);
  sCheckBox2->setGeometry(300, 10, 84, 20);
  sCheckBox1 = new QCheckBox("Звук сразу", page);
  sCheckBox1->setObjectName("sCheckBox1");
  sCheckBox1->setToolTip("Заучивать слова, воспринимая их на слух");
  sCheckBox1->setGeometry(386, 10, 92, 20);
  for (QCheckBox* box : {sCheckBox1, sCheckBox2}) box->setFocusPolicy(Qt::NoFocus);

  auto* memoryLabel = new QLabel("Память", page);
  memoryLabel->setObjectName("Label1");
  memoryLabel->setToolTip("Сколько одновременно запоминать слов");
  memoryLabel->setGeometry(484, 10, 50, 20);
  Edit1 = new QLineEdit("30", page);
  Edit1->setObjectName("Edit1");
  Edit1->setToolTip("Сколько одновременно запоминать слов");
  Edit1->setGeometry(536, 8, 44, 24);
  UpDown1 = new QScrollBar(Qt::Vertical, page);
  UpDown1->setObjectName("UpDown1");
  UpDown1->setRange(1, 1000);
  UpDown1->setValue(MemoryDrill::kDefaultMemorySize);
  // The upper arrow counts up, as a spin control does.
  UpDown1->setInvertedControls(true);
  UpDown1->setInvertedAppearance(true);
  UpDown1->setGeometry(580, 8, 16, 24);
  UpDown1->setFocusPolicy(Qt::NoFocus);
  connect(Edit1, &QLineEdit::textChanged, this, &Tform16::Edit1Change);
  connect(UpDown1, &QScrollBar::valueChanged, this, [this](int value) {
    if (ParseMemorySize(FromQ(Edit1->text())).value != value) Edit1->setText(QString::number(value));
  });

  RichEdit1 = new RichPane(page);
  RichEdit1->setObjectName("RichEdit1");
  RichEdit1->setReadOnly(false);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont face("MS Sans Serif");
  face.setPixelSize(11);
  face.setBold(true);
  RichEdit1->setFont(face);
  RichEdit1->document()->setDefaultFont(face);

  // The window sees the drill keys before the page's controls do.
  for (QWidget* w : std::initializer_list<QWidget*>{page, RichEdit1, Edit1, sCheckBox1, sCheckBox2})
    w->installEventFilter(this);
}

void Tform16::BuildListPage(QWidget* page) {
  auto label = [page](const char* name, const QString& text) {
    auto* l = new QLabel(text, page);
    l->setObjectName(name);
    return l;
  };
  Edit2 = new QLineEdit(page);
  Edit2->setObjectName("Edit2");
  ComboBox1 = new QComboBox(page);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setToolTip("часть речи слова");
  ComboBox1->addItem(" ");
  for (PosCode code = 1; code <= kPosVerb; ++code) ComboBox1->addItem(ToQ(PosTag(code)));
  ComboBox2 = new QComboBox(page);
  ComboBox2->setObjectName("ComboBox2");
  ComboBox2->setToolTip("Метка знакомого слова");
  ComboBox2->addItems({" ", "z"});
  Memo1 = new QPlainTextEdit(page);
  Memo1->setObjectName("Memo1");
  Edit3 = new QLineEdit(page);
  Edit3->setObjectName("Edit3");
  Edit4 = new QLineEdit(page);
  Edit4->setObjectName("Edit4");
  Edit5 = new QLineEdit(page);
  Edit5->setObjectName("Edit5");
  Label3 = label("Label3", "2 форма");
  Label4 = label("Label4", "3 форма");
  Label5 = label("Label5", "4 форма");
  ShowFormFields(false);

  connect(Edit2, &QLineEdit::textChanged, this, &Tform16::Edit2Change);
  connect(Edit3, &QLineEdit::textChanged, this, &Tform16::Edit3Change);
  connect(Edit4, &QLineEdit::textChanged, this, &Tform16::Edit4Change);
  connect(Edit5, &QLineEdit::textChanged, this, &Tform16::Edit5Change);
  connect(Memo1, &QPlainTextEdit::textChanged, this, &Tform16::Memo1Change);
  connect(ComboBox1, &QComboBox::activated, this, &Tform16::ComboBox1Change);
  connect(ComboBox2, &QComboBox::activated, this, &Tform16::ComboBox2Change);

  struct Command {
    QToolButton** button;
    const char* name;
    QString caption;
    std::optional<ListIcon> icon;
    QString hint;
    void (Tform16::*handler)();
  };
  const Command commands[] = {
      {&SpeedButton12, "SpeedButton12", {}, ListIcon::Open, "Открыть список слов", &Tform16::Button6Click},
      {&SpeedButton13, "SpeedButton13", {}, ListIcon::Save, "Сохранить список слов", &Tform16::Button7Click},
      {&SpeedButton14, "SpeedButton14", {}, ListIcon::Merge, "Объединить со списком слов", &Tform16::Button8Click},
      {&SpeedButton15, "SpeedButton15", {}, ListIcon::Cut, "Вырезать список слов", &Tform16::Button9Click},
      {&SpeedButton16, "SpeedButton16", {}, ListIcon::Build, "Создать список слов из текста", &Tform16::Button12Click},
      {&SpeedButton17, "SpeedButton17", {}, ListIcon::Clear, "Очистить список", &Tform16::Button13Click},
      {&SpeedButton18, "SpeedButton18", "QT", std::nullopt, "Быстрый перевод слов", &Tform16::SpeedButton18Click},
      {&SpeedButton7, "SpeedButton7", "новое", std::nullopt, "Добавить новое слово", &Tform16::Button10Click},
      {&SpeedButton8, "SpeedButton8", "удалить", std::nullopt, "Удалить текущее слово", &Tform16::Button11Click},
      {&SpeedButton1, "SpeedButton1", {}, ListIcon::Up, "Переместить слово вверх", &Tform16::SpeedButton1Click},
      {&SpeedButton2, "SpeedButton2", {}, ListIcon::Down, "Переместить слово вниз", &Tform16::SpeedButton2Click},
      {&SpeedButton9, "SpeedButton9", "сл", std::nullopt, "Сортировать по слову", &Tform16::SpeedButton9Click},
      {&SpeedButton10, "SpeedButton10", "чр", std::nullopt, "Сортировать по частям речи", &Tform16::SpeedButton10Click},
      {&SpeedButton11, "SpeedButton11", "з", std::nullopt, "Сортировать по метке знакомого слова",
       &Tform16::SpeedButton11Click},
  };
  for (const Command& c : commands) {
    *c.button = MakeButton(page, c.name, c.caption, c.icon ? DrawListIcon(*c.icon) : QPixmap(), c.hint);
    connect(*c.button, &QToolButton::clicked, this, c.handler);
  }

  StringGrid1 = new QTableView(page);
  StringGrid1->setObjectName("StringGrid1");
  model_ = new WordListModel(list_, this);
  StringGrid1->setModel(model_);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setWordWrap(false);
  StringGrid1->setShowGrid(true);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
  StringGrid1->verticalHeader()->setMinimumSectionSize(kGridRowHeight);
  QHeaderView* header = StringGrid1->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Fixed);
  header->setStretchLastSection(true);
  header->setHighlightSections(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  const int widths[] = {41, 145, 38, 16};
  for (int c = 0; c < 4; ++c) StringGrid1->setColumnWidth(c, widths[c]);
  // Bold and small, so that "noun" and "prep" fit the narrow tag column.
  QFont body = StringGrid1->font();
  body.setBold(true);
  body.setPixelSize(11);
  StringGrid1->setFont(body);
  StringGrid1->setTextElideMode(Qt::ElideNone);
  // The grid's colours through its palette: a style sheet would slow the painting
  // of a long list.
  QPalette colours = StringGrid1->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    colours.setColor(group, QPalette::Base, QColor(186, 237, 205));
    colours.setColor(group, QPalette::Text, QColor(0, 64, 128));
    colours.setColor(group, QPalette::Highlight, QColor(160, 160, 255));
    colours.setColor(group, QPalette::HighlightedText, QColor(96, 48, 16));
    colours.setColor(group, QPalette::Button, QColor(186, 205, 205));
    colours.setColor(group, QPalette::ButtonText, QColor(0, 64, 128));
  }
  StringGrid1->setPalette(colours);
  header->setPalette(colours);
  connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) {
            if (current.isValid()) StringGrid1SelectCell(current.row() + 1);
          });
  LayOutListPage();
}

void Tform16::FormCreate() {
  static const SettingsSlots kNoSettings;
  const SettingsSlots& stored = context_.settings ? *context_.settings : kNoSettings;
  PlaceFromSlots(stored);
  if (!stored.empty(27)) Edit1->setText(ToQ(stored.get(27)));
  if (!stored.empty(32)) {
    int32_t page = 0;
    if (TryStrToInt(stored.get(32), page) && (page == 0 || page == 1)) sPageControl1->setCurrentIndex(page);
  }
  SetBackground(stored);
  if (stored.get(33) == "true") SpeedButton41->setChecked(true);
  const std::string path = defaultList_->path();
  const ListLoad load = defaultList_->Load();
  if (!load.opened) {
    ReportTextError(CannotRead(path));
    return;  // the last creation step is skipped, as after any read error
  }
  ReportUnread(path, load.unread);
  sCheckBox1->setChecked(stored.get(44) == "true");
}

void Tform16::PlaceFromSlots(const SettingsSlots& stored) {
  CentreOnScreen(*this);
  QRect place = frameGeometry();
  int values[4] = {place.x(), place.y(), width(), height()};
  for (int i = 0; i < 4; ++i) {
    int32_t v = 0;
    // A damaged slot keeps the centred place rather than losing the window.
    if (!stored.empty(23 + i) && TryStrToInt(stored.get(23 + i), v)) values[i] = v;
  }
  PlaceFromStored(*this, values[0], values[1], std::max(values[2], 200), std::max(values[3], 150));
}

void Tform16::GatherSlots(SettingsSlots& stored) const {
  const bool normal = !(isMinimized() || isMaximized());
  const QRect geometry = normal ? this->geometry() : normalGeometry();
  const QRect frame = frameGeometry();
  stored.set(23, std::to_string(normal ? frame.x() : geometry.x()));
  stored.set(24, std::to_string(normal ? frame.y() : geometry.y()));
  stored.set(25, std::to_string(geometry.width()));
  stored.set(26, std::to_string(geometry.height()));
  stored.set(27, FromQ(Edit1->text()));
  stored.set(32, std::to_string(sPageControl1->currentIndex()));
  stored.set(44, sCheckBox1->isChecked() ? "true" : "");
}

void Tform16::SetBackground(const SettingsSlots& settings) {
  SetPaneBackground(*RichEdit1, settings, 1, kDefaultBackgroundRgb);
}

void Tform16::ApplySettings(const SettingsSlots& settings) { SetBackground(settings); }

void Tform16::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  sPageControl1->setGeometry(0, 0, width(), std::max(0, height() - kBarHeight));
  int x = 8;
  for (QToolButton* b : {SpeedButton40, SpeedButton41, SpeedButton42}) {
    b->setGeometry(x, height() - kBarHeight + 4, kIconButton, kIconButton);
    x += kIconButton + 2;
  }
  SpeedButton6->setGeometry(width() - kIconButton - 8, height() - kBarHeight + 4, kIconButton, kIconButton);
  if (drillPage_) RichEdit1->setGeometry(0, 40, drillPage_->width(), std::max(0, drillPage_->height() - 40));
  LayOutListPage();
}

void Tform16::LayOutListPage() {
  if (!listPage_ || !StringGrid1) return;
  const int w = listPage_->width(), h = listPage_->height();
  constexpr int left = 6, fieldWidth = 226;
  int y = 6;
  Edit2->setGeometry(left, y, fieldWidth, 24);
  y += 28;
  ComboBox1->setGeometry(left, y, 110, 24);
  ComboBox2->setGeometry(left + 116, y, 50, 24);
  y += 28;
  Memo1->setGeometry(left, y, fieldWidth, 64);
  y += 68;
  for (auto [field, caption] : {std::pair{Edit3, Label3}, std::pair{Edit4, Label4}, std::pair{Edit5, Label5}}) {
    caption->setGeometry(left, y + 3, 60, 20);
    field->setGeometry(left + 62, y, fieldWidth - 62, 24);
    y += 26;
  }
  y += 4;
  int x = left;
  for (auto [b, bw] : {std::pair{SpeedButton7, 72}, std::pair{SpeedButton8, 72}, std::pair{SpeedButton1, 33},
                       std::pair{SpeedButton2, 33}}) {
    b->setGeometry(x, y, bw, 28);
    x += bw + 3;
  }
  y += 32;
  x = left;
  for (QToolButton* b : {SpeedButton12, SpeedButton13, SpeedButton14, SpeedButton15, SpeedButton16,
                         SpeedButton17}) {
    b->setGeometry(x, y, 33, 30);
    x += 36;
  }
  y += 34;
  x = left;
  for (QToolButton* b : {SpeedButton18, SpeedButton9, SpeedButton10, SpeedButton11}) {
    b->setGeometry(x, y, 40, 28);
    x += 43;
  }
  StringGrid1->setGeometry(left + fieldWidth + 6, 4, std::max(0, w - (left + fieldWidth + 10)), std::max(0, h - 8));
}

// ---- the list files ----

void Tform16::loadinfo(const std::string& path) {
  const ListLoad load = LoadListFile(path, list_);
  if (!load.opened) ReportTextError(CannotRead(path));
  ReportUnread(path, load.unread);
  cellfull();
}

void Tform16::ReportUnread(const std::string& path, size_t unread) {
  if (unread == 0) return;
  ReportTextError(QString("В файле «%1» больше %2 слов: прочитаны первые %2, ещё %3 строк не вошли в список.")
                   .arg(QString::fromStdString(path))
                   .arg(WordList::kCapacity)
                   .arg(unread));
}

void Tform16::SaveDefaultList() {
  const DefaultListFile::Saved saved = defaultList_->Save();
  if (!saved.beside) return;
  notice_(QString("Файл «%1» не был прочитан полностью, поэтому он оставлен как был. "
                  "Ваш изменённый список слов сохранён рядом с ним, в файле «%2».")
              .arg(QString::fromStdString(defaultList_->path()), QString::fromStdString(saved.path)));
}

void Tform16::cellfull() { model_->Refresh(); }

// ---- showing the window ----

void Tform16::OpenFromMain() {
  show();
  raise();
  activateWindow();
  if (sPageControl1->currentIndex() == 0) RichEdit1->setFocus();
}

void Tform16::ShowList(const std::string& path) {
  loadinfo(path);
  show();
  raise();
  sPageControl1->setCurrentIndex(1);
  activateWindow();
  setFocus();
}

void Tform16::SelectEntry(size_t entry) {
  if (entry < 1 || entry > list_.count()) return;
  MoveCurrentRow(entry);
}

void Tform16::MoveCurrentRow(size_t entry) {
  const QModelIndex index = model_->index(static_cast<int>(entry) - 1, 1);
  StringGrid1->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  StringGrid1->scrollTo(index);
  // The same row again (after a change of the list) still refreshes the fields.
  if (selectedEntry_ != entry) StringGrid1SelectCell(static_cast<int>(entry));
}

// ---- the drill ----

bool Tform16::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && sPageControl1->currentIndex() == 0) {
    auto* key = static_cast<QKeyEvent*>(event);
    bool next = false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return QWidget::eventFilter(watched, event);
    if (IsDrillKey(*key, next)) {
      if (!key->isAutoRepeat()) next ? Button2Click() : Button3Click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void Tform16::Render(const PanePieces& fragments) {
  for (const PanePiece& f : fragments) {
    if (f.lineEnd) renderer_->putfragln(ToQ(f.text), f.code);
    else renderer_->putfrag(ToQ(f.text), f.code);
  }
}

void Tform16::ShowDrillMessage(const QString& message) {
  RichEdit1->setUpdatesEnabled(false);
  renderer_->clear();
  for (int i = 0; i < 3; ++i) renderer_->putfragln(QString(), 3);
  renderer_->putfragln("             " + message, 3);
  RichEdit1->setUpdatesEnabled(true);
  FinishPane();
}

void Tform16::FinishPane() {
  QCoreApplication::processEvents();
  RichEdit1->HideCaret();
}

void Tform16::Button2Click() {
  if (list_.empty()) Button6Click();
  if (!drill_.Next(list_, sCheckBox2->isChecked(), draw_)) {
    ShowDrillMessage(list_.empty() ? "Список слов пуст: откройте список или добавьте слова на странице «Список слов»."
                                   : "Все слова списка отмечены как знакомые. Снимите метку «z» на странице "
                                     "«Список слов» или добавьте новые слова.");
    return;
  }
  RichEdit1->setUpdatesEnabled(false);
  renderer_->clear();
  Render(drill_.WordBlock());
  RichEdit1->setUpdatesEnabled(true);
  const std::string& word = drill_.current().word;
  if (sCheckBox1->isChecked() && !word.empty() && context_.soundIndex && context_.play) {
    if (const int entry = context_.soundIndex->FindWord(FoldLower(word))) context_.play(entry);
  }
  FinishPane();
}

void Tform16::Button3Click() {
  static const SoundIndex kNoSounds;
  static const DictTable kNoDictionary;
  const SoundIndex& sounds = context_.soundIndex ? *context_.soundIndex : kNoSounds;
  const DictTable& dict = context_.dictTable ? *context_.dictTable : kNoDictionary;
  const MemoryDrill::Answer answer =
      drill_.MakeAnswer(list_, sounds, dict, [&](std::string_view key) { return FindExactHeadword(dict, key); });
  // The answer replaces any earlier one: the word block is written again under it.
  RichEdit1->setUpdatesEnabled(false);
  renderer_->clear();
  Render(drill_.WordBlock());
  Render(answer.lines);
  RichEdit1->setUpdatesEnabled(true);
  QCoreApplication::processEvents();
  if (!drill_.current().word.empty() && context_.dictionary) {
    context_.dictionary->Edit1->setText(ToQ(answer.key));
    QCoreApplication::processEvents();
    context_.dictionary->LookUp();
    if (answer.soundEntry > 0 && answer.speak && context_.play) context_.play(answer.soundEntry);
  }
  FinishPane();
}

void Tform16::Button4Click() { drill_.Known(list_); }

void Tform16::Edit1Change() {
  const MemorySizeText size = ParseMemorySize(FromQ(Edit1->text()));
  if (ToQ(size.digits) != Edit1->text()) {
    const int cursor = Edit1->cursorPosition();
    Edit1->setText(ToQ(size.digits));  // runs this handler again with digits only
    Edit1->setCursorPosition(std::min(cursor, static_cast<int>(size.digits.size())));
    return;
  }
  drill_.SetMemorySize(size.value);
  const QSignalBlocker block(UpDown1);
  UpDown1->setValue(size.value);
}

// ---- the list page: selection and fields ----

void Tform16::StringGrid1SelectCell(int row) {
  selectedEntry_ = row > 0 ? static_cast<size_t>(row) : 0;
  FillFields(selectedEntry_);
  delayTicks_ = 0;
}

void Tform16::ShowFormFields(bool verb) {
  for (QWidget* w : std::initializer_list<QWidget*>{Edit3, Edit4, Edit5, Label3, Label4, Label5}) w->setVisible(verb);
}

void Tform16::FillFields(size_t k) {
  editSync_ = false;
  const tspi empty;
  const tspi& e = (k >= 1 && k <= list_.count()) ? list_.at(k) : empty;
  Edit2->setText(ToQ(e.word));
  ComboBox1->setCurrentIndex(std::clamp(e.pos, 0, kPosVerb));
  ShowFormFields(e.pos == kPosVerb);
  ComboBox2->setCurrentIndex(e.mark == ' ' ? 0 : 1);
  Memo1->clear();
  Memo1->setPlainText(ToQ(e.translation));
  Edit3->setText(ToQ(e.form2));
  Edit4->setText(ToQ(e.form3));
  Edit5->setText(ToQ(e.form4));
  editSync_ = true;
}

void Tform16::ListChanged() {
  if (storing_) return;
  // Rows that no longer exist give way to the last row; the fields always show the
  // entry of the selected row, so an edit never lands on another entry.
  if (selectedEntry_ > list_.count()) selectedEntry_ = list_.count();
  if (selectedEntry_ >= 1) {
    const QModelIndex index = model_->index(static_cast<int>(selectedEntry_) - 1, 1);
    if (StringGrid1->currentIndex().row() != index.row()) {
      const QSignalBlocker block(StringGrid1->selectionModel());
      StringGrid1->selectionModel()->setCurrentIndex(index,
                                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
  }
  FillFields(selectedEntry_);
}

tspi* Tform16::EditedEntry() {
  if (!editSync_ || selectedEntry_ < 1 || selectedEntry_ > list_.count()) return nullptr;
  return &list_.at(selectedEntry_);
}

std::pair<size_t, size_t> Tform16::SelectedRange() const {
  size_t first = selectedEntry_, last = selectedEntry_;
  for (const QModelIndex& row : StringGrid1->selectionModel()->selectedRows()) {
    const size_t k = static_cast<size_t>(row.row()) + 1;
    if (k > list_.count()) continue;
    first = std::min(first, k);
    last = std::max(last, k);
  }
  return {first, last};
}

void Tform16::StoreEdit(const std::function<void(tspi&)>& edit, bool wholeRange) {
  tspi* entry = EditedEntry();
  if (!entry) return;
  storing_ = true;
  edit(*entry);
  if (wholeRange) {
    const auto [first, last] = SelectedRange();
    for (size_t k = first; k <= last && k <= list_.count(); ++k)
      if (k != selectedEntry_) edit(list_.at(k));
  }
  list_.NotifyChanged();
  storing_ = false;
}

void Tform16::Edit2Change() { StoreEdit([t = OneField(Edit2->text())](tspi& e) { e.word = t; }, false); }
void Tform16::Edit3Change() { StoreEdit([t = OneField(Edit3->text())](tspi& e) { e.form2 = t; }, false); }
void Tform16::Edit4Change() { StoreEdit([t = OneField(Edit4->text())](tspi& e) { e.form3 = t; }, false); }
void Tform16::Edit5Change() { StoreEdit([t = OneField(Edit5->text())](tspi& e) { e.form4 = t; }, false); }

void Tform16::Memo1Change() {
  if (!EditedEntry()) return;
  // Lines joined by single spaces; one line in the list file.
  std::string translation;
  const QStringList lines = Memo1->toPlainText().split('\n');
  for (const QString& line : lines) translation += OneField(line) + ' ';
  if (translation.size() > 1) translation.pop_back();
  StoreEdit([&translation](tspi& e) { e.translation = translation; }, false);
}

void Tform16::ComboBox1Change() {
  const int item = ComboBox1->currentIndex();
  ShowFormFields(item == kPosVerb);
  StoreEdit([item](tspi& e) { e.pos = item; }, true);
}

void Tform16::ComboBox2Change() {
  const char mark = ComboBox2->currentIndex() == 1 ? 'z' : ' ';
  StoreEdit([mark](tspi& e) { e.mark = mark; }, true);
}

void Tform16::Timer1Timer() {
  ++delayTicks_;
  if (delayTicks_ != kDelayTicks) return;
  if (selectedEntry_ < 1 || selectedEntry_ > list_.count() || !context_.dictionary) return;
  Tform9& dictionary = *context_.dictionary;
  const QString word = ToQ(list_.at(selectedEntry_).word);
  if (dictionary.Edit1->text() == word) return;
  dictionary.SpeakOnLookup = false;
  dictionary.Edit1->setText(word);
  dictionary.LookUp();
  dictionary.SpeakOnLookup = true;
}

// ---- the list page: entry commands ----

void Tform16::Button10Click() {
  const size_t count = list_.count();
  if (list_.full()) {
    ReportTextError(QString("В списке уже %1 слов, больше он не вмещает. Удалите ненужные слова, "
                            "чтобы добавить новые.")
                        .arg(WordList::kCapacity));
    return;
  }
  if (selectedEntry_ >= 1 && selectedEntry_ < count) {
    // The selected row now holds the new entry, ready to be typed in.
    list_.InsertEmpty(selectedEntry_);
  } else if (selectedEntry_ == count && count >= 1) {
    if (!list_.Append(tspi{})) return;
    StringGrid1->setFocus();
    MoveCurrentRow(count + 1);
  } else if (count == 0) {
    list_.Append(tspi{});
    StringGrid1->setFocus();
    MoveCurrentRow(1);
  }
}

void Tform16::Button11Click() {
  if (selectedEntry_ < 1 || selectedEntry_ > list_.count()) return;
  const auto [first, last] = SelectedRange();
  if (last > first && !Confirm("Удалить все слова?!")) return;
  std::vector<tspi> entries = list_.entries();
  entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(first - 1),
                entries.begin() + static_cast<std::ptrdiff_t>(last));
  list_.Assign(std::move(entries));
}

void Tform16::SpeedButton1Click() {
  if (selectedEntry_ < 2 || selectedEntry_ > list_.count()) return;
  const size_t moved = selectedEntry_ - 1;
  storing_ = true;
  list_.SwapWithNext(moved);
  storing_ = false;
  StringGrid1->setFocus();
  MoveCurrentRow(moved);
}

void Tform16::SpeedButton2Click() {
  if (selectedEntry_ < 1 || selectedEntry_ >= list_.count()) return;
  const size_t moved = selectedEntry_ + 1;
  storing_ = true;
  list_.SwapWithNext(selectedEntry_);
  storing_ = false;
  StringGrid1->setFocus();
  MoveCurrentRow(moved);
}

void Tform16::SpeedButton9Click() { SortByWord(list_); }
void Tform16::SpeedButton10Click() { SortByPos(list_); }
void Tform16::SpeedButton11Click() { SortByMark(list_); }

// ---- the list page: file commands ----

std::string Tform16::ChooseFileToOpen() {
  QFileDialog dialog(this, QString(), lastFolder_, kFilter);
  dialog.setObjectName("OpenDialog1");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  lastFolder_ = dialog.directory().absolutePath();
  return dialog.selectedFiles().first().toStdString();
}

std::string Tform16::ChooseFileToSave() {
  QFileDialog dialog(this, QString(), lastFolder_, kFilter);
  dialog.setObjectName("SaveDialog1");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("txt");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  lastFolder_ = dialog.directory().absolutePath();
  return dialog.selectedFiles().first().toStdString();
}

bool Tform16::Confirm(const QString& question) {
  return QMessageBox::question(this, "Подтверждаете?!", question, QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

bool Tform16::ReadChosenFile(const std::string& path, std::string& bytes) {
  if (ReadFileBytes(path, bytes)) return true;
  ReportTextError(CannotRead(path));
  return false;
}

void Tform16::Button6Click() {
  const std::string path = ChooseFileToOpen();
  if (!path.empty()) loadinfo(path);
}

void Tform16::Button7Click() {
  std::string path = ChooseFileToSave();
  if (path.empty()) return;
  path = WithTxtExtension(path);
  if (!SaveWordList(path, list_)) {
    ReportTextError(QString("Не удалось записать файл %1").arg(QString::fromStdString(path)));
    return;
  }
  defaultList_->SavedAs(path);
}

void Tform16::Button8Click() {
  std::string bytes;
  const std::string path = ChooseFileToOpen();
  if (path.empty() || !ReadChosenFile(path, bytes)) return;
  ReportUnread(path, MergeLines(bytes, list_));
}

void Tform16::Button9Click() {
  std::string bytes;
  const std::string path = ChooseFileToOpen();
  if (path.empty() || !ReadChosenFile(path, bytes)) return;
  CutLines(bytes, list_);
}

void Tform16::Button13Click() {
  if (Confirm("Очистить список?!")) list_.Clear();
}

void Tform16::BeginLongCommand() {
  setEnabled(false);
  if (context_.progress.begin) context_.progress.begin();
}

void Tform16::EndLongCommand() {
  if (context_.progress.end) context_.progress.end();
  setEnabled(true);
}

ProgressFn Tform16::ProgressStep() {
  return [this](size_t done, size_t total) {
    if (context_.progress.step) context_.progress.step(static_cast<int>(done), static_cast<int>(total));
  };
}

const HeadwordIndex& Tform16::Headwords() {
  static const DictTable kNoDictionary;
  if (!headwords_) headwords_ = std::make_unique<HeadwordIndex>(context_.dictTable ? *context_.dictTable : kNoDictionary);
  return *headwords_;
}

void Tform16::Button12Click() {
  const std::string path = ChooseFileToOpen();
  if (path.empty()) return;
  // Answering No keeps the list as it is and ends the command.
  if (!Confirm("Очистить список?!")) return;
  std::string text;
  if (!ReadChosenFile(path, text)) return;
  BeginLongCommand();
  BuildFromText(text, Headwords(), list_, ProgressStep());
  EndLongCommand();
}

void Tform16::SpeedButton18Click() {
  BeginLongCommand();
  QuickTranslate(list_, Headwords(), ProgressStep());
  EndLongCommand();
}

// ---- the frame's buttons ----

void Tform16::SpeedButton40Click() {
  if (context_.help) context_.help->newurl("data\\html\\les6_.html");
}

void Tform16::SpeedButton41Click() {
  if (!context_.dictionary) return;
  if (SpeedButton41->isChecked()) context_.dictionary->op9();
  else context_.dictionary->cl9();
}

void Tform16::SpeedButton42Click() {
  if (context_.settingsWindow) context_.settingsWindow->setVisible(SpeedButton42->isChecked());
}

}  // namespace lx
