#include "reader/Unit2.h"

#include "app/centre.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <future>
#include <memory>

#include "app/core/errors.h"
#include "app/core/qtext.h"
#include "app/core/textfile.h"
#include "dictionary/Unit9.h"
#include "reader/autosync.h"
#include "reader/readericons.h"
#include "reader/textcodec.h"
#include "reader/updown.h"
#include "reader/wordkey.h"
#include "text/Unit21.h"
#include "text/renderer.h"
#include "text/icons.h"
#include "text/wordpick.h"

namespace lx {

namespace {

constexpr int kWidth = 908;
constexpr int kHeight = 674;
constexpr int kRightColumn = 140;
constexpr int kQuickHeight = 120;
constexpr int kNotesHeight = 89;
constexpr int kLookupTicks = 8;
const QColor kSkyBlue(166, 202, 240);
const QColor kNotesDefault(216, 230, 235);
const QColor kQuickDefault(166, 202, 240);
const QColor kRussianDefault(255, 251, 240);
const QString kTextFilter = QStringLiteral("*.txt|*.txt|*.*|*.*");
const QString kProjectFilter = QStringLiteral("*.acp|*.acp|*.*|*.*");
const QString kAudioFilter = QStringLiteral("*.mp3|*.mp3|*.wav|*.wav|*.*|*.*");

// "*.txt|*.txt|*.*|*.*" as a Qt dialog filter.
QString QtFilter(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) out << parts[i] + " (" + parts[i + 1] + ")";
  return out.join(";;");
}

// A slot edited by hand into something that is not a number is reported (once, by the
// slots themselves) and its default used: the reader is created all the same.
int SlotInt(const SettingsSlots& settings, int slot, int fallback) {
  try {
    return settings.IntOr(slot, fallback);
  } catch (const ConvertError& e) {
    ReportTextError(ToQ(e.what()));
    return fallback;
  }
}

QColor StoredColour(const SettingsSlots& settings, int slot, const QColor& fallback) {
  if (settings.empty(slot)) return fallback;
  const uint32_t rgb = StoredToRgb(SlotInt(settings, slot, RgbToStored(fallback.rgb() & 0xFFFFFF)));
  return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

void SetBase(QWidget* w, const QColor& colour) {
  QPalette p = w->palette();
  p.setColor(QPalette::Base, colour);
  w->setPalette(p);
}

QToolButton* Button(const char* name, const QString& hint, const QPixmap& icon, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setToolTip(hint);
  b->setIcon(icon);
  b->setIconSize(QSize(22, 22));
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

QToolButton* Toggle(const char* name, const QString& hint, const QPixmap& icon, bool down, QWidget* parent) {
  QToolButton* b = Button(name, hint, icon, parent);
  b->setCheckable(true);
  b->setChecked(down);
  return b;
}

QLabel* Label(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

const SoundIndex& EmptyIndex() {
  static const SoundIndex index;
  return index;
}

// Whole rows, a fixed header, 20-pixel rows, no editing.
void SetUpGrid(QTableWidget* grid, const QStringList& headers) {
  grid->setColumnCount(headers.size());
  grid->setHorizontalHeaderLabels(headers);
  grid->verticalHeader()->setVisible(false);
  grid->verticalHeader()->setDefaultSectionSize(20);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid->horizontalHeader()->setStretchLastSection(true);
  // The narrow columns' captions fit in a slightly smaller face.
  QFont header = grid->horizontalHeader()->font();
  header.setPointSizeF(header.pointSizeF() * 0.85);
  grid->horizontalHeader()->setFont(header);
}

void SetCell(QTableWidget* grid, int row, int column, const QString& text) {
  auto* item = grid->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    grid->setItem(row, column, item);
  }
  item->setText(text);
}

}  // namespace

TForm2::TForm2(ReaderContext context, QWidget* parent) : QWidget(parent), context_(std::move(context)) {
  if (!context_.showError) context_.showError = [](const QString&) {};
  // The dialogs start in the sample book's folder, then where the learner last chose a file.
  auto folder = std::make_shared<QString>(QString::fromStdString(context_.dataDir.Path("data\\book")));
  auto remember = [folder](const QString& chosen) {
    if (!chosen.isEmpty()) *folder = QFileInfo(chosen).absolutePath();
    return chosen.toStdString();
  };
  dialogs_.openFile = [this, folder, remember](const QString& filter) {
    return remember(QFileDialog::getOpenFileName(this, QString(), *folder, QtFilter(filter)));
  };
  dialogs_.saveFile = [this, folder, remember](const QString& filter, const QString& suffix) {
    QFileDialog dialog(this, QString(), *folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QtFilter(filter));
    dialog.setDefaultSuffix(suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::string();
    return remember(dialog.selectedFiles().front());
  };
  dialogs_.confirm = [this](const QString& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Lexitar"), question, QMessageBox::NoButton, this);
    QPushButton* yes = box.addButton(QStringLiteral("Заменить"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.exec();
    return box.clickedButton() == yes;
  };
  TransportView& view = *this;
  transport_ = std::make_unique<ReaderTransport>(project_, stream_, view);
  BuildControls();
  WireSignals();
  FormCreate();
}

TForm2::~TForm2() {
  CancelAutoSync();
  transport_.reset();
  stream_.Close();
}

// ---------------------------------------------------------------------------
// Layout

void TForm2::BuildControls() {
  setObjectName("form2");
  setWindowTitle(QStringLiteral("Lexitar - Lesson 7"));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kSkyBlue);
  setPalette(pal);
  setAutoFillBackground(true);
  resize(kWidth, kHeight);

  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(2, 2, 2, 2);
  Splitter1 = new QSplitter(Qt::Horizontal, this);
  Splitter1->setObjectName("Splitter1");
  outer->addWidget(Splitter1);

  Splitter2 = new QSplitter(Qt::Vertical, Splitter1);
  Splitter2->setObjectName("Splitter2");
  sPageControl1 = new QTabWidget(Splitter2);
  sPageControl1->setObjectName("sPageControl1");
  sPageControl1->addTab(BuildEnglishTab(), QStringLiteral("Английский текст"));
  sPageControl1->addTab(BuildRussianTab(), QStringLiteral("Русский текст"));
  sPageControl1->addTab(BuildProjectTab(), QStringLiteral("Управление проектом"));
  RichEdit3 = new RichPane(Splitter2);
  RichEdit3->setObjectName("RichEdit3");
  Panel3 = BuildControlBar();
  Panel3->setParent(Splitter2);
  RichEdit4 = new RichPane(Splitter2);
  RichEdit4->setObjectName("RichEdit4");
  RichEdit4->setReadOnly(false);
  RichEdit4->setVisible(false);
  Splitter2->addWidget(sPageControl1);
  Splitter2->addWidget(RichEdit3);
  Splitter2->addWidget(Panel3);
  Splitter2->addWidget(RichEdit4);
  Splitter2->setStretchFactor(0, 1);
  for (int i = 1; i < 4; ++i) Splitter2->setStretchFactor(i, 0);
  Splitter2->setCollapsible(2, false);
  Splitter2->setSizes({kHeight - kQuickHeight - Panel3->sizeHint().height(), kQuickHeight,
                       Panel3->sizeHint().height(), kNotesHeight});

  QWidget* column = BuildWordColumn();
  Splitter1->addWidget(Splitter2);
  Splitter1->addWidget(column);
  Splitter1->setStretchFactor(0, 1);
  Splitter1->setStretchFactor(1, 0);
  Splitter1->setSizes({kWidth - kRightColumn, kRightColumn});

  for (RichPane* pane : {RichEdit1, RichEdit2, RichEdit3, RichEdit4}) {
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setTextInteractionFlags(pane == RichEdit4 ? Qt::TextEditorInteraction
                                                    : Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    pane->setCursorWidth(1);
  }

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(100);
  Timer2 = new QTimer(this);
  Timer2->setObjectName("Timer2");
  Timer2->setInterval(40);
  Timer3 = new QTimer(this);
  Timer3->setObjectName("Timer3");
  Timer3->setSingleShot(true);
}

QWidget* TForm2::BuildEnglishTab() {
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(2, 2, 2, 2);
  auto* bar = new QHBoxLayout;
  SpeedButton13 = Button("SpeedButton13", QStringLiteral("Загрузить английский текст"),
                         DrawReaderIcon(ReaderIcon::Open), page);
  SpeedButton14 = Toggle("SpeedButton14", QStringLiteral("Звучание аудиокниги"), context_.soundPictures[1], true, page);
  auto* title = Label(QStringLiteral("Английский - English"), page);
  title->setStyleSheet("font-weight: bold; color: #203060;");
  Label15 = Label(QStringLiteral(" Идет запись контрольных точек "), page);
  Label15->setObjectName("Label15");
  Label15->setStyleSheet("font-weight: bold; color: red; background: rgb(0, 0, 96);");
  Label15->setVisible(false);
  sBitBtn1 = new QPushButton(QStringLiteral("Ошибка"), page);
  sBitBtn1->setObjectName("sBitBtn1");
  sBitBtn1->setToolTip(QStringLiteral("Стереть последнюю контрольную точку, отмотать назад"));
  sBitBtn1->setStyleSheet("color: red; font-weight: bold;");
  sBitBtn1->setFocusPolicy(Qt::NoFocus);
  sBitBtn1->setVisible(false);
  SpeedButton15 = Button("SpeedButton15", QStringLiteral("Перейти по закладке"),
                         DrawReaderIcon(ReaderIcon::BookmarkGo), page);
  SpeedButton16 = Button("SpeedButton16", QStringLiteral("Сделать закладку"),
                         DrawReaderIcon(ReaderIcon::BookmarkSet), page);
  for (QWidget* w : std::initializer_list<QWidget*>{SpeedButton13, SpeedButton14, title, Label15, sBitBtn1})
    bar->addWidget(w);
  bar->addStretch(1);
  bar->addWidget(SpeedButton15);
  bar->addWidget(SpeedButton16);
  v->addLayout(bar);
  RichEdit1 = new RichPane(page);
  RichEdit1->setObjectName("RichEdit1");
  v->addWidget(RichEdit1, 1);
  return page;
}

QWidget* TForm2::BuildRussianTab() {
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(2, 2, 2, 2);
  auto* bar = new QHBoxLayout;
  SpeedButton19 = Button("SpeedButton19", QStringLiteral("Загрузить русский текст"),
                         DrawReaderIcon(ReaderIcon::Open), page);
  auto* title = Label(QStringLiteral("Русский - Rissian"), page);
  title->setStyleSheet("font-weight: bold; color: #203060;");
  SpeedButton17 = Button("SpeedButton17", QStringLiteral("Перейти по закладке"),
                         DrawReaderIcon(ReaderIcon::BookmarkGo), page);
  SpeedButton18 = Button("SpeedButton18", QStringLiteral("Сделать закладку"),
                         DrawReaderIcon(ReaderIcon::BookmarkSet), page);
  bar->addWidget(SpeedButton19);
  bar->addWidget(title);
  bar->addStretch(1);
  bar->addWidget(SpeedButton17);
  bar->addWidget(SpeedButton18);
  v->addLayout(bar);
  RichEdit2 = new RichPane(page);
  RichEdit2->setObjectName("RichEdit2");
  v->addWidget(RichEdit2, 1);
  return page;
}

QWidget* TForm2::BuildProjectTab() {
  auto* page = new QWidget;
  auto* g = new QGridLayout(page);
  g->setContentsMargins(6, 6, 6, 6);
  auto pathField = [page](const char* name) {
    auto* e = new QLineEdit(page);
    e->setObjectName(name);
    e->setReadOnly(true);
    return e;
  };
  Edit2 = pathField("Edit2");
  Edit4 = pathField("Edit4");
  Edit5 = pathField("Edit5");
  SpeedButton20 = Button("SpeedButton20", QStringLiteral("Загрузить проект"), DrawReaderIcon(ReaderIcon::Open), page);
  SpeedButton23 = Button("SpeedButton23", QStringLiteral("Сохранить проект"), DrawReaderIcon(ReaderIcon::Save), page);
  SpeedButton21 = Button("SpeedButton21", QStringLiteral("Загрузить английский текст"),
                         DrawReaderIcon(ReaderIcon::Open), page);
  SpeedButton22 = Button("SpeedButton22", QStringLiteral("Загрузить русский текст"),
                         DrawReaderIcon(ReaderIcon::Open), page);
  g->addWidget(Label(QStringLiteral("Файл проекта"), page), 0, 0, 1, 3);
  g->addWidget(Edit2, 1, 0);
  g->addWidget(SpeedButton20, 1, 1);
  g->addWidget(SpeedButton23, 1, 2);
  g->addWidget(Label(QStringLiteral("Файл английского текста"), page), 2, 0, 1, 3);
  g->addWidget(Edit4, 3, 0);
  g->addWidget(SpeedButton21, 3, 1);
  g->addWidget(Label(QStringLiteral("Файл русского текста"), page), 4, 0, 1, 3);
  g->addWidget(Edit5, 5, 0);
  g->addWidget(SpeedButton22, 5, 1);

  auto* options = new QHBoxLayout;
  Edit3 = new QLineEdit(page);
  Edit3->setObjectName("Edit3");
  Edit3->setToolTip(QStringLiteral("Время звучания аудиокниги при щелчке"));
  Edit3->setFixedWidth(40);
  UpDown1 = new UpDown(Edit3, 0, 100, 10, page);
  UpDown1->setObjectName("UpDown1");
  RangeLabel = Label(QStringLiteral("- Ширина диапазона озвучивания, сек."), page);
  RangeLabel->setObjectName("RangeLabel");
  CheckBox1 = new QCheckBox(QStringLiteral("Озвучивать по маркерам"), page);
  CheckBox1->setObjectName("CheckBox1");
  CheckBox1->setToolTip(QStringLiteral("Звучание аудиокниги от маркера слева до маркера справа"));
  Edit8 = new QLineEdit(QString::fromLatin1(kDefaultMarkers.data(), static_cast<qsizetype>(kDefaultMarkers.size())),
                        page);
  Edit8->setObjectName("Edit8");
  Edit8->setToolTip(QStringLiteral("Символы - маркеры"));
  Edit8->setFixedWidth(80);
  options->addWidget(Edit3);
  options->addWidget(UpDown1);
  options->addWidget(RangeLabel);
  options->addSpacing(20);
  options->addWidget(CheckBox1);
  options->addWidget(Edit8);
  options->addStretch(1);
  g->addLayout(options, 6, 0, 1, 3);

  auto* pointsBar = new QHBoxLayout;
  pointsBar->addWidget(Label(QStringLiteral("Контрольные точки:"), page));
  pointsBar->addStretch(1);
  AutoSyncButton = new QPushButton(QStringLiteral("Синхронизировать автоматически"), page);
  AutoSyncButton->setObjectName("AutoSyncButton");
  AutoSyncButton->setToolTip(
      QStringLiteral("Вычислить контрольные точки по английскому тексту и текущему аудиофайлу"));
  AutoSyncButton->setMinimumWidth(AutoSyncButton->sizeHint().width() + 16);
  pointsBar->addWidget(AutoSyncButton);
  SpeedButton24 = Button("SpeedButton24", QStringLiteral("Удалить контрольную точку"),
                         DrawReaderIcon(ReaderIcon::DeletePoint), page);
  SpeedButton10 = Button("SpeedButton10", QStringLiteral("Поменять путь к аудиофайлу"),
                         DrawReaderIcon(ReaderIcon::Path), page);
  pointsBar->addWidget(SpeedButton24);
  pointsBar->addWidget(SpeedButton10);
  g->addLayout(pointsBar, 7, 0, 1, 3);
  StringGrid1 = new QTableWidget(page);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setToolTip(QStringLiteral("Контрольные точки"));
  SetUpGrid(StringGrid1, {QStringLiteral("#"), QStringLiteral("Файл аудио"), QStringLiteral("Точка текста"),
                          QStringLiteral("Точка аудио"), QStringLiteral("Строка текста")});
  const int widths[] = {35, 66, 77, 77};
  for (int c = 0; c < 4; ++c) StringGrid1->setColumnWidth(c, widths[c]);
  StringGrid1->setStyleSheet(
      "QTableWidget { background: rgb(255, 248, 240); }"
      "QTableWidget::item:selected { background: rgb(192, 160, 255); color: rgb(0, 64, 176); }");
  g->addWidget(StringGrid1, 8, 0, 1, 3);
  g->setRowStretch(8, 1);
  g->setColumnStretch(0, 1);
  return page;
}

QWidget* TForm2::BuildControlBar() {
  auto* bar = new QWidget;
  bar->setObjectName("Panel3");
  auto* v = new QVBoxLayout(bar);
  v->setContentsMargins(2, 0, 2, 2);
  v->setSpacing(0);
  TrackBar1 = new QSlider(Qt::Horizontal, bar);
  TrackBar1->setObjectName("TrackBar1");
  TrackBar1->setRange(0, 0);
  TrackBar1->setTickPosition(QSlider::NoTicks);
  v->addWidget(TrackBar1);
  auto* row = new QHBoxLayout;
  SpeedButton1 = Button("SpeedButton1", QStringLiteral("Воспроизведение / Запись контрольных точек"),
                        DrawReaderIcon(ReaderIcon::Play), bar);
  SpeedButton2 = Button("SpeedButton2", QStringLiteral("Стоп / Пауза"), DrawReaderIcon(ReaderIcon::Stop), bar);
  SpeedButton4 = Button("SpeedButton4", QStringLiteral("Назад"), DrawReaderIcon(ReaderIcon::Back), bar);
  SpeedButton3 = Button("SpeedButton3", QStringLiteral("Вперед"), DrawReaderIcon(ReaderIcon::Forward), bar);
  ComboBox1 = new QComboBox(bar);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setToolTip(QStringLiteral("Список аудиофайлов"));
  ComboBox1->setMinimumWidth(120);
  SpeedButton5 = Button("SpeedButton5", QStringLiteral("Добавить аудиофайл"), DrawReaderIcon(ReaderIcon::Add), bar);
  SpeedButton6 = Button("SpeedButton6", QStringLiteral("Удалить аудиофайл из списка"),
                        DrawReaderIcon(ReaderIcon::Remove), bar);
  SpeedButton7 = Toggle("SpeedButton7", QStringLiteral("Поле быстрого перевода"), DrawReaderIcon(ReaderIcon::Quick),
                        true, bar);
  SpeedButton8 = Toggle("SpeedButton8", QStringLiteral("Поле заметок"), DrawReaderIcon(ReaderIcon::Notes), false, bar);
  SpeedButton12 = Button("SpeedButton12", QStringLiteral("Окно помощи"), DrawIcon(Icon::Help), bar);
  SpeedButton9 = Toggle("SpeedButton9", QStringLiteral("Окно словаря"), DrawIcon(Icon::Dictionary), false, bar);
  SpeedButton11 = Toggle("SpeedButton11", QStringLiteral("Окно настроек"), DrawIcon(Icon::Settings), false, bar);
  Edit6 = new QLineEdit(bar);
  Edit6->setObjectName("Edit6");
  Edit6->setToolTip(QStringLiteral("Откуда начинать быстрый перевод"));
  Edit6->setFixedWidth(32);
  UpDown2 = new UpDown(Edit6, -30, 3, -1, bar);
  UpDown2->setObjectName("UpDown2");
  Edit7 = new QLineEdit(bar);
  Edit7->setObjectName("Edit7");
  Edit7->setToolTip(QStringLiteral("Где заканчивать быстрый перевод"));
  Edit7->setFixedWidth(32);
  UpDown3 = new UpDown(Edit7, -3, 30, 4, bar);
  UpDown3->setObjectName("UpDown3");
  Label1 = Label(QStringLiteral("0          "), bar);
  Label1->setObjectName("Label1");
  Label1->setStyleSheet("color: blue;");
  Label1->setMinimumWidth(70);
  for (QWidget* w : std::initializer_list<QWidget*>{SpeedButton1, SpeedButton2, SpeedButton4, SpeedButton3})
    row->addWidget(w);
  row->addWidget(ComboBox1, 1);
  row->addWidget(SpeedButton5);
  row->addWidget(SpeedButton6);
  row->addSpacing(12);
  for (QWidget* w : std::initializer_list<QWidget*>{SpeedButton7, SpeedButton8, SpeedButton12, SpeedButton9,
                                                    SpeedButton11, Edit6, UpDown2, Edit7, UpDown3, Label1})
    row->addWidget(w);
  v->addLayout(row);
  bar->setFixedHeight(bar->sizeHint().height());
  return bar;
}

QWidget* TForm2::BuildWordColumn() {
  auto* column = new QWidget;
  column->setObjectName("Panel7");
  auto* v = new QVBoxLayout(column);
  v->setContentsMargins(0, 0, 0, 0);
  StringGrid2 = new QTableWidget(column);
  StringGrid2->setObjectName("StringGrid2");
  SetUpGrid(StringGrid2, {QStringLiteral("#"), QStringLiteral("Cлова")});
  StringGrid2->setColumnWidth(0, 28);
  StringGrid2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid2->setStyleSheet(
      "QTableWidget { background: rgb(186, 237, 205); }"
      "QTableWidget::item:selected { background: rgb(160, 160, 255); color: rgb(96, 48, 16); }");
  v->addWidget(StringGrid2, 1);
  Panel9 = new QWidget(column);
  Panel9->setObjectName("Panel9");
  auto* p9 = new QVBoxLayout(Panel9);
  p9->setContentsMargins(2, 2, 2, 2);
  Edit1 = new QLineEdit(Panel9);
  Edit1->setObjectName("Edit1");
  p9->addWidget(Edit1);
  auto* buttons = new QHBoxLayout;
  SpeedButton25 = Button("SpeedButton25", QStringLiteral("Добавить слово в список"), DrawReaderIcon(ReaderIcon::Add),
                         Panel9);
  SpeedButton25->setText(QStringLiteral("w"));
  SpeedButton25->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  SpeedButton26 = Button("SpeedButton26", QStringLiteral("Удалить слово из списка"),
                         DrawReaderIcon(ReaderIcon::Remove), Panel9);
  SpeedButton26->setText(QStringLiteral("w"));
  SpeedButton26->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  SpeedButton27 = Button("SpeedButton27", QStringLiteral("Сохранить список слов"),
                         DrawReaderIcon(ReaderIcon::SaveList), Panel9);
  SpeedButton28 = Button("SpeedButton28", QStringLiteral("Закрыть Урок 7"), DrawIcon(Icon::Close), Panel9);
  for (QToolButton* b : {SpeedButton25, SpeedButton26, SpeedButton27, SpeedButton28}) buttons->addWidget(b);
  p9->addLayout(buttons);
  v->addWidget(Panel9);
  column->setMinimumWidth(kRightColumn - 30);
  return column;
}

void TForm2::WireSignals() {
  connect(SpeedButton13, &QToolButton::clicked, this, &TForm2::SpeedButton13Click);
  connect(SpeedButton21, &QToolButton::clicked, this, &TForm2::SpeedButton13Click);
  connect(SpeedButton19, &QToolButton::clicked, this, &TForm2::SpeedButton19Click);
  connect(SpeedButton22, &QToolButton::clicked, this, &TForm2::SpeedButton19Click);
  connect(SpeedButton20, &QToolButton::clicked, this, &TForm2::SpeedButton20Click);
  connect(SpeedButton23, &QToolButton::clicked, this, &TForm2::SpeedButton23Click);
  connect(SpeedButton5, &QToolButton::clicked, this, &TForm2::SpeedButton5Click);
  connect(SpeedButton6, &QToolButton::clicked, this, &TForm2::SpeedButton6Click);
  connect(SpeedButton10, &QToolButton::clicked, this, &TForm2::SpeedButton10Click);
  connect(SpeedButton24, &QToolButton::clicked, this, &TForm2::SpeedButton24Click);
  connect(AutoSyncButton, &QPushButton::clicked, this, &TForm2::AutoSyncClick);
  connect(ComboBox1, &QComboBox::activated, this, &TForm2::ComboBox1Change);
  connect(SpeedButton1, &QToolButton::clicked, this, &TForm2::SpeedButton1Click);
  connect(SpeedButton2, &QToolButton::clicked, this, &TForm2::SpeedButton2Click);
  connect(SpeedButton3, &QToolButton::clicked, this, &TForm2::SpeedButton3Click);
  connect(SpeedButton4, &QToolButton::clicked, this, &TForm2::SpeedButton4Click);
  connect(sBitBtn1, &QPushButton::clicked, this, &TForm2::sBitBtn1Click);
  connect(SpeedButton14, &QToolButton::clicked, this, &TForm2::SpeedButton14Click);
  connect(CheckBox1, &QCheckBox::clicked, this, &TForm2::CheckBox1Click);
  connect(Edit8, &QLineEdit::textChanged, this, [this](const QString& text) {
    transport_->markers = FromQ(text);
    if (context_.settings) context_.settings->set(42, FromQ(text));
  });
  connect(Edit3, &QLineEdit::textChanged, this, &TForm2::Edit3Change);
  connect(Edit6, &QLineEdit::textChanged, this, &TForm2::Edit6Change);
  connect(Edit7, &QLineEdit::textChanged, this, &TForm2::Edit7Change);
  UpDown2->OnClick([this] { UpDown3->SetMin(UpDown2->position()); });
  UpDown3->OnClick([this] { UpDown2->SetMax(UpDown3->position()); });
  connect(TrackBar1, &QSlider::valueChanged, this, [this](int value) {
    if (trackFollow_) transport_->SliderMoved(value);
  });
  connect(Timer1, &QTimer::timeout, this, &TForm2::Timer1Timer);
  connect(Timer2, &QTimer::timeout, this, &TForm2::Timer2Timer);
  connect(Timer3, &QTimer::timeout, this, &TForm2::Timer3Timer);
  connect(Edit1, &QLineEdit::textChanged, this, &TForm2::Edit1Change);
  connect(SpeedButton25, &QToolButton::clicked, this, &TForm2::SpeedButton25Click);
  connect(SpeedButton26, &QToolButton::clicked, this, &TForm2::SpeedButton26Click);
  connect(SpeedButton27, &QToolButton::clicked, this, &TForm2::SpeedButton27Click);
  connect(StringGrid2, &QTableWidget::currentCellChanged, this,
          [this](int row, int, int, int) { StringGrid2SelectCell(row + 1); });
  connect(StringGrid1, &QTableWidget::currentCellChanged, this,
          [this](int row, int, int, int) { selectedPointRow_ = row + 1; });
  connect(SpeedButton15, &QToolButton::clicked, this, &TForm2::SpeedButton15Click);
  connect(SpeedButton16, &QToolButton::clicked, this, &TForm2::SpeedButton16Click);
  connect(SpeedButton17, &QToolButton::clicked, this, &TForm2::SpeedButton17Click);
  connect(SpeedButton18, &QToolButton::clicked, this, &TForm2::SpeedButton18Click);
  connect(SpeedButton7, &QToolButton::clicked, this, &TForm2::SpeedButton7Click);
  connect(SpeedButton8, &QToolButton::clicked, this, &TForm2::SpeedButton8Click);
  connect(SpeedButton9, &QToolButton::clicked, this, &TForm2::SpeedButton9Click);
  connect(SpeedButton11, &QToolButton::clicked, this, &TForm2::SpeedButton11Click);
  connect(SpeedButton12, &QToolButton::clicked, this, &TForm2::SpeedButton12Click);
  connect(SpeedButton28, &QToolButton::clicked, this, &TForm2::SpeedButton28Click);

  // The English pane dispatches its own clicks; the other three use the standard
  // pane action after the reader's own step.
  const SoundIndex& index = context_.soundIndex ? *context_.soundIndex : EmptyIndex();
  RichPane* picked[3] = {RichEdit2, RichEdit3, RichEdit4};
  for (int i = 0; i < 3; ++i) {
    pickers_[i] = new PanePicker(*picked[i], index, WordChars::Reader, context_.pickHandlers);
    pickers_[i]->SetKeepCaret(true);
  }
  // Installed after the pickers, so this filter sees a press first.
  for (RichPane* pane : {RichEdit1, RichEdit2, RichEdit3, RichEdit4}) {
    pane->viewport()->installEventFilter(this);
    pane->viewport()->setMouseTracking(true);
  }
  StringGrid2->viewport()->installEventFilter(this);
  StringGrid2->viewport()->setMouseTracking(true);
  if (context_.wordList) {
    QPointer<TForm2> self(this);
    context_.wordList->Subscribe([self] {
      if (self) self->cellfulla();
    });
  }
}

// ---------------------------------------------------------------------------
// Creation

void TForm2::ApplyStoredGeometry() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move((area.width() - width()) / 2, (area.height() - height()) / 2);
  }
  if (!context_.settings) return;
  const SettingsSlots& s = *context_.settings;
  QRect place = geometry();
  if (!s.empty(19)) place.moveLeft(SlotInt(s, 19, place.left()));
  if (!s.empty(20)) place.moveTop(SlotInt(s, 20, place.top()));
  if (!s.empty(21)) place.setWidth(SlotInt(s, 21, place.width()));
  if (!s.empty(22)) place.setHeight(SlotInt(s, 22, place.height()));
  PlaceFromStored(*this, place.left(), place.top(), place.width(), place.height());
}

void TForm2::FormCreate() {
  pendingWord_.clear();
  for (RichPane* pane : {RichEdit1, RichEdit2, RichEdit3, RichEdit4}) pane->SetFirstLineIndent(5 * 96.0 / 72.0);
  ApplyStoredGeometry();
  const SettingsSlots* s = context_.settings;
  if (s) {
    if (!s->empty(28)) UpDown1->SetPosition(SlotInt(*s, 28, 10));
    if (!s->empty(29)) UpDown2->SetPosition(SlotInt(*s, 29, -1));
    if (!s->empty(30)) UpDown3->SetPosition(SlotInt(*s, 30, 4));
    if (!s->empty(41)) {
      CheckBox1->setChecked(true);
      CheckBox1Click();
    }
    if (!s->empty(42)) Edit8->setText(ToQ(s->get(42)));
    if (!s->empty(34)) {
      SpeedButton14->setChecked(false);
      SpeedButton14Click();
    }
    if (!s->empty(35)) {
      SpeedButton7->setChecked(false);
      SpeedButton7Click();
    }
    if (!s->empty(36)) {
      SpeedButton8->setChecked(true);
      SetNotesShown(true);
    }
  }
  UpDown3->SetMin(UpDown2->position());
  UpDown2->SetMax(UpDown3->position());
  Edit3Change();
  Edit6Change();
  Edit7Change();
  transport_->markers = FromQ(Edit8->text());
  cellfulla();
  RefreshPointTable(0);
  if (s) {
    ApplySettings(*s);
    if (s->get(33) == "true") SpeedButton9->setChecked(true);
    if (!s->empty(31)) sPageControl1->setCurrentIndex(SlotInt(*s, 31, 0));
  } else {
    ApplySettings(SettingsSlots());
  }
  if (context_.dictionary) context_.dictionary->EnrolToggle(SpeedButton9);
  Timer1->start();
  Timer2->start();
}

void TForm2::ApplySettings(const SettingsSlots& settings) {
  SetBase(RichEdit4, StoredColour(settings, 1, kNotesDefault));
  SetBase(RichEdit1, StoredColour(settings, 2, QApplication::palette().color(QPalette::Base)));
  SetBase(RichEdit3, StoredColour(settings, 11, kQuickDefault));
  SetBase(RichEdit2, StoredColour(settings, 12, kRussianDefault));
  const int size = SlotInt(settings, 3, 12);
  for (RichPane* pane : {RichEdit1, RichEdit2, RichEdit3, RichEdit4}) {
    QFont font(QStringLiteral("Georgia"));
    font.setPointSize(size);
    pane->setFont(font);
    pane->document()->setDefaultFont(font);
    pane->setTextColor(Qt::black);
  }
}

void TForm2::GatherSlots(SettingsSlots& stored) const {
  const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  stored.set(19, std::to_string(normal.left()));
  stored.set(20, std::to_string(normal.top()));
  stored.set(21, std::to_string(normal.width()));
  stored.set(22, std::to_string(normal.height()));
  stored.set(28, std::to_string(UpDown1->position()));
  stored.set(29, std::to_string(UpDown2->position()));
  stored.set(30, std::to_string(UpDown3->position()));
  stored.set(31, std::to_string(sPageControl1->currentIndex()));
  stored.set(34, SpeedButton14->isChecked() ? "" : "false");
  stored.set(35, SpeedButton7->isChecked() ? "" : "false");
  stored.set(36, SpeedButton8->isChecked() ? "true" : "");
  stored.set(37, std::to_string(RichEdit3->height()));
  stored.set(38, std::to_string(RichEdit4->height()));
  stored.set(39, std::to_string(Splitter1->widget(1)->width()));
}

void TForm2::ShowError(const QString& message) { context_.showError(message); }

// ---------------------------------------------------------------------------
// Texts

std::string TForm2::PaneBytes(const RichPane& pane) { return FromQ(pane.PaneText()); }

bool TForm2::LoadPane(RichPane& pane, const std::string& path) {
  pane.ClearPane();
  pane.setVisible(false);
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) {
    pane.setVisible(true);
    ShowError(QStringLiteral("Cannot open file \"%1\"").arg(QString::fromStdString(path)));
    return false;
  }
  const std::u16string text = DecodeText(bytes);
  QString q = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  q.replace(QChar('\r'), QChar('\n'));
  pane.setPlainText(q);
  pane.SetFirstLineIndent(5 * 96.0 / 72.0);
  pane.SetCaretOffset(0);
  pane.ScrollCaretIntoView();
  return true;
}

bool TForm2::LoadEnglishText(const std::string& path) {
  if (!LoadPane(*RichEdit1, path)) return false;
  project_.englishPath = path;
  Edit4->setText(QString::fromStdString(path));
  englishText_ = PaneBytes(*RichEdit1);
  alignment_.SplitEnglish(englishText_);
  RichEdit1->setVisible(true);
  return true;
}

bool TForm2::LoadRussianText(const std::string& path) {
  if (!LoadPane(*RichEdit2, path)) return false;
  project_.russianPath = path;
  Edit5->setText(QString::fromStdString(path));
  russianText_ = PaneBytes(*RichEdit2);
  alignment_.SplitRussian(russianText_);
  RichEdit2->setVisible(true);
  return true;
}

void TForm2::SpeedButton13Click() {
  const std::string path = dialogs_.openFile(kTextFilter);
  if (!path.empty()) LoadEnglishText(path);
}

void TForm2::SpeedButton19Click() {
  const std::string path = dialogs_.openFile(kTextFilter);
  if (!path.empty()) LoadRussianText(path);
}

// ---------------------------------------------------------------------------
// Project

void TForm2::SpeedButton20Click() {
  const std::string path = dialogs_.openFile(kProjectFilter);
  if (!path.empty()) LoadProjectFile(path);
}

void TForm2::LoadProjectFile(const std::string& path) {
  Edit2->setText(QString::fromStdString(path));
  QString error;
  try {
    LoadProject(path, project_);
  } catch (const std::exception& e) {
    error = QString::fromStdString(e.what());
  }
  // What was read stays: the texts named so far load, the entries read are listed.
  const std::string english = project_.englishPath, russian = project_.russianPath;
  if (!english.empty() && FileCanBeOpened(english)) LoadEnglishText(english);
  project_.englishPath = english;
  Edit4->setText(QString::fromStdString(english));
  if (!russian.empty() && FileCanBeOpened(russian)) LoadRussianText(russian);
  project_.russianPath = russian;
  Edit5->setText(QString::fromStdString(russian));
  Edit3->setText(QString::fromStdString(RangeSecondsText(project_.rangeWidth)));
  UpDown1->FollowBuddy();
  RichEdit1->SetCaretOffset(project_.englishBookmark);
  RichEdit1->ScrollCaretIntoView();
  RichEdit2->SetCaretOffset(project_.russianBookmark);
  RichEdit2->ScrollCaretIntoView();
  sPageControl1->setCurrentIndex(2);
  RefreshAudioList();
  transport_->OpenCurrentEntry(false);
  if (!project_.entries.empty()) transport_->SetAudioReady(true);
  RefreshPointTable(0);
  if (!error.isEmpty()) ShowError(error);
}

void TForm2::SpeedButton23Click() {
  const std::string path = dialogs_.saveFile(kProjectFilter, QStringLiteral("acp"));
  if (!path.empty()) SaveProjectFile(path);
}

void TForm2::SaveProjectFile(const std::string& path) {
  try {
    SaveProject(WithAcpExtension(path), project_);
  } catch (const std::exception& e) {
    ShowError(QString::fromStdString(e.what()));
  }
}

void TForm2::SpeedButton5Click() {
  const std::string path = dialogs_.openFile(kAudioFilter);
  if (!path.empty()) AddAudioFile(path);
}

void TForm2::AddAudioFile(const std::string& path) {
  if (!project_.AddAudioEntry(path, true)) {
    ShowError(QStringLiteral("В проекте уже 100 аудиофайлов: новый не добавлен."));
    return;
  }
  RefreshAudioList();
  RefreshPointTable(0);
  transport_->OpenCurrentEntry(true);
  transport_->SetAudioReady(true);
}

void TForm2::SpeedButton6Click() {
  if (project_.currentEntry == 0) return;
  project_.RemoveCurrentEntry();
  RefreshAudioList();
  transport_->OpenCurrentEntry(true);
  RefreshPointTable(0);
}

void TForm2::SpeedButton10Click() {
  const std::string path = dialogs_.openFile(kAudioFilter);
  if (path.empty() || project_.currentEntry == 0) return;
  project_.ChangeCurrentPath(path);
  RefreshAudioList();
  transport_->OpenCurrentEntry(true);
}

void TForm2::ComboBox1Change(int index) {
  if (!project_.SelectEntry(index + 1)) return;
  transport_->OpenCurrentEntry(true);
  RefreshPointTable(0);
}

void TForm2::SpeedButton24Click() {
  if (project_.DeleteControlPoint(selectedPointRow_)) RefreshPointTable(0);
}

struct TForm2::AutoSyncJob {
  AutoSyncControl control;
  std::future<AutoSyncResult> result;
  int32_t entry = 0;
  std::string audioPath;
  std::string text;
};

void TForm2::AutoSyncClick() {
  if (autoSync_) return;
  const AudioEntry* entry = project_.current();
  if (englishText_.empty()) {
    context_.showError(QStringLiteral("Сначала откройте английский текст книги."));
    return;
  }
  if (!entry) {
    context_.showError(QStringLiteral("Сначала добавьте аудиофайл книги в список аудиофайлов."));
    return;
  }
  if (!entry->points.empty() &&
      !dialogs_.confirm(QStringLiteral("У аудиофайла «%1» уже есть контрольные точки (%2). Заменить их вычисленными?")
                            .arg(QString::fromStdString(entry->name))
                            .arg(entry->points.size())))
    return;
  autoSync_ = std::make_unique<AutoSyncJob>();
  autoSync_->entry = project_.currentEntry;
  autoSync_->audioPath = entry->path;
  autoSync_->text = englishText_;
  AutoSyncJob* job = autoSync_.get();
  job->result = std::async(std::launch::async, [job] { return ComputeControlPoints(job->text, job->audioPath, job->control); });
  AutoSyncButton->setEnabled(false);
  if (context_.progressBegin) context_.progressBegin([this] { CancelAutoSync(); });
  if (!autoSyncTimer_) {
    autoSyncTimer_ = new QTimer(this);
    autoSyncTimer_->setInterval(50);
    connect(autoSyncTimer_, &QTimer::timeout, this, &TForm2::AutoSyncTick);
  }
  autoSyncTimer_->start();
}

void TForm2::CancelAutoSync() {
  if (!autoSync_) return;
  autoSync_->control.cancel.store(true);
  autoSync_->result.wait();
  AutoSyncTick();
}

void TForm2::AutoSyncTick() {
  if (!autoSync_) return;
  if (context_.progressStep) context_.progressStep(autoSync_->control.percent.load());
  if (autoSync_->result.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
  autoSyncTimer_->stop();
  const std::unique_ptr<AutoSyncJob> job = std::move(autoSync_);
  const AutoSyncResult r = job->result.get();
  AutoSyncButton->setEnabled(true);
  if (context_.progressEnd) context_.progressEnd();
  if (r.cancelled) return;
  if (!r.ok) {
    context_.showError(QString::fromStdString(r.message));
    return;
  }
  // The window stayed open to the learner: the points go in only where they belong.
  const AudioEntry* entry = project_.current();
  if (project_.currentEntry != job->entry || !entry || entry->path != job->audioPath || englishText_ != job->text) {
    context_.showError(QStringLiteral("Пока шла синхронизация, аудиофайл или английский текст сменились: "
                                      "контрольные точки не внесены. Запустите синхронизацию снова."));
    return;
  }
  project_.current()->points.clear();
  for (const AutoSyncPoint& p : r.points)
    if (project_.InsertControlPoint(p.textPosition, p.audioMs, englishText_) == 0) break;
  RefreshPointTable(1);
}

void TForm2::RefreshAudioList() {
  const QSignalBlocker block(ComboBox1);
  ComboBox1->clear();
  for (const AudioEntry& e : project_.entries) ComboBox1->addItem(QString::fromStdString(e.name));
  ComboBox1->setCurrentIndex(project_.currentEntry - 1);
}

void TForm2::RefreshPointTable(int32_t cursorRow) {
  const QSignalBlocker block(StringGrid1);
  const AudioEntry* entry = project_.current();
  const int rows = entry && !entry->points.empty() ? static_cast<int>(entry->points.size()) : 1;
  StringGrid1->clearContents();
  StringGrid1->setRowCount(rows);
  if (entry) {
    for (int r = 0; r < static_cast<int>(entry->points.size()); ++r) {
      const ControlPoint& cp = entry->points[static_cast<size_t>(r)];
      SetCell(StringGrid1, r, 0, QString::number(r + 1));
      SetCell(StringGrid1, r, 1, QString::number(project_.currentEntry));
      SetCell(StringGrid1, r, 2, QString::number(cp.textPosition));
      SetCell(StringGrid1, r, 3, QString::number(cp.audioMs));
      SetCell(StringGrid1, r, 4, ToQ(cp.textLine));
    }
  }
  if (cursorRow > 0 && cursorRow <= rows) {
    StringGrid1->setCurrentCell(cursorRow - 1, 0);
    StringGrid1->scrollToItem(StringGrid1->item(cursorRow - 1, 0));
    selectedPointRow_ = cursorRow;
  }
}

void TForm2::Edit3Change() {
  project_.rangeWidth = RangeWidthFromText(FromQ(Edit3->text()), project_.rangeWidth);
}

// ---------------------------------------------------------------------------
// TransportView

void TForm2::ShowRecording(bool shown) {
  Label15->setVisible(shown);
  sBitBtn1->setVisible(shown);
}

void TForm2::SetSliderMaximum(int32_t seconds) {
  trackFollow_ = false;
  TrackBar1->setMaximum(std::max(0, seconds));
  trackFollow_ = true;
}

void TForm2::ShowPosition(int32_t seconds, int32_t ms) {
  trackFollow_ = false;
  TrackBar1->setValue(std::min(seconds, TrackBar1->maximum()));
  Label1->setText(QString::number(ms));
  trackFollow_ = true;
}

void TForm2::ShowPositionLabel(int32_t ms) { Label1->setText(QString::number(ms)); }

int32_t TForm2::SliderMaximum() const { return TrackBar1->maximum(); }

void TForm2::ArmStretchTimer(int32_t intervalMs) { Timer3->start(intervalMs); }

void TForm2::DisarmStretchTimer() { Timer3->stop(); }

void TForm2::PointsChanged(int32_t cursorRow) {
  RefreshAudioList();
  RefreshPointTable(cursorRow);
}

void TForm2::SpeedButton14Click() {
  if (SpeedButton14->isChecked()) {
    SpeedButton14->setIcon(context_.soundPictures[1]);
    transport_->AudiobookDown();
  } else {
    SpeedButton14->setIcon(context_.soundPictures[0]);
    transport_->audiobookOn = false;
  }
}

void TForm2::CheckBox1Click() {
  const bool on = CheckBox1->isChecked();
  transport_->markerMode = on;
  for (QWidget* w : std::initializer_list<QWidget*>{Edit3, UpDown1, RangeLabel}) w->setEnabled(!on);
  if (context_.settings) context_.settings->set(41, on ? "t" : "");
}

// ---------------------------------------------------------------------------
// Clicks in the panes

void TForm2::RichEdit1MouseDown() {
  const int32_t p = RichEdit1->CaretOffset();
  if (alignment_.valid()) SyncFrom(true, p);
  if (!transport_->playMode() && !SpeedButton14->isChecked()) {
    PickEnglishWord();
    return;
  }
  if (transport_->playMode()) {
    transport_->EnglishClick(p, englishText_);
    return;
  }
  PickEnglishWord();
  transport_->EnglishClick(p, englishText_);
}

void TForm2::RichEdit2MouseDown() {
  if (alignment_.valid()) SyncFrom(false, RichEdit2->CaretOffset());
}

void TForm2::SyncFrom(bool fromEnglish, int32_t caret) {
  const SentenceTable& a = fromEnglish ? alignment_.english() : alignment_.russian();
  const SentenceTable& b = fromEnglish ? alignment_.russian() : alignment_.english();
  const std::string& textB = fromEnglish ? russianText_ : englishText_;
  RichPane* paneB = fromEnglish ? RichEdit2 : RichEdit1;
  const PartnerExcerpt x = PartnerExcerptOf(a, b, textB, BoundaryOfOffset(a, caret), quickStart_, quickEnd_);
  paneB->SetCaretOffset(x.caret);
  paneB->ScrollCaretIntoView();
  FillQuickPane(x.text);
}

void TForm2::FillQuickPane(const std::string& excerpt) {
  QString text = ToQ(excerpt);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\r'), QChar('\n'));
  QStringList lines = text.split('\n');
  while (!lines.isEmpty() && (lines.front().isEmpty() || lines.front() == QStringLiteral(" ") ||
                              lines.front() == QStringLiteral("\t")))
    lines.pop_front();
  RichEdit3->setPlainText(lines.join('\n'));
  RichEdit3->SetFirstLineIndent(5 * 96.0 / 72.0);
}

void TForm2::PickEnglishWord() {
  const std::string line = FromQ(RichEdit1->LineText(RichEdit1->CaretLine()));
  const PickedWord picked = PickWordAt(line, RichEdit1->CaretColumn(), WordChars::Reader);
  if (picked.empty()) return;
  const PickHandlers& h = context_.pickHandlers;
  if (!SpeedButton14->isChecked()) {
    const SoundIndex& index = context_.soundIndex ? *context_.soundIndex : EmptyIndex();
    const PickAction action = ResolvePick(picked, index);
    if (action.lookUp) {
      if (h.setEntry) h.setEntry(action.key);
      if (h.lookUp) h.lookUp();
      SetWordField(action.key);
    }
    if (action.soundEntry > 0 && h.play) h.play(action.soundEntry);
    return;
  }
  if (picked.bracketed) return;
  const std::string key = LookupKeyOf(picked.word);
  if (context_.dictionary) context_.dictionary->SpeakOnLookup = false;
  if (h.setEntry) h.setEntry(key);
  if (h.lookUp) h.lookUp();
  if (context_.dictionary) context_.dictionary->SpeakOnLookup = true;
  SetWordField(key);
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  RichPane* panes[4] = {RichEdit1, RichEdit2, RichEdit3, RichEdit4};
  RichPane* pane = nullptr;
  for (RichPane* p : panes)
    if (watched == p->viewport()) pane = p;
  if (event->type() == QEvent::MouseMove) {
    auto focusOwnedHere = [&] {
      QWidget* f = QApplication::focusWidget();
      for (RichPane* p : panes)
        if (f == p) return true;
      return f == StringGrid2;
    };
    const bool dictionaryActive = context_.pickHandlers.dictionaryActive && context_.pickHandlers.dictionaryActive();
    if (pane && !pane->hasFocus() && (dictionaryActive || focusOwnedHere())) pane->setFocus();
    if (watched == StringGrid2->viewport() && !StringGrid2->hasFocus()) {
      QWidget* f = QApplication::focusWidget();
      for (RichPane* p : panes)
        if (f == p) StringGrid2->setFocus();
    }
    return false;
  }
  if (event->type() != QEvent::MouseButtonPress || !pane) return false;
  auto* press = static_cast<QMouseEvent*>(event);
  pane->setTextCursor(pane->cursorForPosition(press->position().toPoint()));
  if (pane == RichEdit1) {
    RichEdit1MouseDown();
    return press->button() != Qt::LeftButton;
  }
  if (pane == RichEdit2) RichEdit2MouseDown();
  return false;  // the picker runs next
}

// ---------------------------------------------------------------------------
// Word field and word grid

void TForm2::SetWordField(const std::string& key) {
  wordFieldGuard_ = false;
  Edit1->setText(ToQ(key));
  wordFieldGuard_ = true;
}

void TForm2::Edit1Change() {
  if (!wordFieldGuard_ || Edit1->text().isEmpty()) return;
  const WordKey k = WordFieldKey(FromQ(Edit1->text()));
  const PickHandlers& h = context_.pickHandlers;
  if (h.setEntry) h.setEntry(k.key);
  if (h.lookUp) h.lookUp();
  if (k.pronounce && context_.soundIndex && h.play) {
    if (const int entry = context_.soundIndex->FindWord(k.key)) h.play(entry);
  }
}

void TForm2::cellfulla() {
  const QSignalBlocker block(StringGrid2);
  const size_t count = context_.wordList ? context_.wordList->count() : 0;
  StringGrid2->clearContents();
  StringGrid2->setRowCount(count == 0 ? 1 : static_cast<int>(count));
  for (size_t k = 1; k <= count; ++k) {
    SetCell(StringGrid2, static_cast<int>(k - 1), 0, QString::number(k));
    SetCell(StringGrid2, static_cast<int>(k - 1), 1, ToQ(context_.wordList->at(k).word));
  }
  if (selectedWordRow_ > 0 && static_cast<size_t>(selectedWordRow_) <= count)
    StringGrid2->setCurrentCell(selectedWordRow_ - 1, 1);
}

void TForm2::SelectWordRow(int row) {
  selectedWordRow_ = row;
  const QSignalBlocker block(StringGrid2);
  StringGrid2->setCurrentCell(row - 1, 1);
}

void TForm2::SpeedButton25Click() {
  if (!context_.wordList) return;
  const std::string word = FromQ(Edit1->text());
  if (word.empty() || !context_.wordList->AppendWord(word)) return;
  const int row = static_cast<int>(context_.wordList->count());
  SelectWordRow(row);
  if (context_.selectLesson6Row) context_.selectLesson6Row(row);
}

void TForm2::SpeedButton26Click() {
  if (!context_.wordList) return;
  const int r = selectedWordRow_;
  if (r < 1 || static_cast<size_t>(r) > context_.wordList->count()) return;
  context_.wordList->Delete(static_cast<size_t>(r));
  if (context_.selectLesson6Row) context_.selectLesson6Row(r);
}

void TForm2::SpeedButton27Click() {
  if (!context_.wordList) return;
  const std::string chosen = dialogs_.saveFile(kTextFilter, QStringLiteral("txt"));
  if (chosen.empty()) return;
  const std::string path = WithTxtExtension(chosen);
  if (!SaveWordList(path, *context_.wordList))
    ShowError(QStringLiteral("Cannot create file \"%1\"").arg(QString::fromStdString(path)));
}

void TForm2::StringGrid2SelectCell(int row) {
  selectedWordRow_ = row;
  pendingWord_.clear();
  if (context_.wordList && row >= 1 && static_cast<size_t>(row) <= context_.wordList->count())
    pendingWord_ = context_.wordList->at(static_cast<size_t>(row)).word;
  ticks_ = 0;
}

void TForm2::Timer2Timer() {
  ++ticks_;
  if (ticks_ == kLookupTicks) {
    if (!pendingWord_.empty()) {
      const WordKey k = WordFieldKey(pendingWord_);
      const PickHandlers& h = context_.pickHandlers;
      const bool differs = !context_.dictionary || FromQ(context_.dictionary->Edit1->text()) != k.key;
      if (differs) {
        if (h.setEntry) h.setEntry(k.key);
        if (h.lookUp) h.lookUp();
      }
      if (k.pronounce && context_.soundIndex && h.play) {
        if (const int entry = context_.soundIndex->FindWord(k.key)) h.play(entry);
      }
      pendingWord_.clear();
    }
    ++ticks_;
  }
  if (ticks_ > 1000000) ticks_ = kLookupTicks + 1;
}

// ---------------------------------------------------------------------------
// Bookmarks, quick-translation range, toggles

void TForm2::SpeedButton16Click() {
  RichEdit1->setFocus();
  project_.englishBookmark = RichEdit1->CaretOffset();
}

void TForm2::SpeedButton15Click() {
  RichEdit1->SetCaretOffset(project_.englishBookmark);
  RichEdit1->ScrollCaretIntoView();
}

void TForm2::SpeedButton18Click() {
  RichEdit2->setFocus();
  project_.russianBookmark = RichEdit2->CaretOffset();
}

void TForm2::SpeedButton17Click() {
  RichEdit2->SetCaretOffset(project_.russianBookmark);
  RichEdit2->ScrollCaretIntoView();
}

namespace {
// The offset typed into a quick-translation field. A sign alone is a number being
// typed: it keeps the value without an error box.
bool ReadOffset(const QString& text, int32_t& value, bool& partial) {
  partial = text == QStringLiteral("-") || text == QStringLiteral("+");
  bool ok = false;
  const int v = text.trimmed().toInt(&ok);
  if (ok) value = v;
  return ok;
}
}  // namespace

void TForm2::Edit6Change() {
  if (Edit6->text().isEmpty()) return;
  bool partial = false;
  if (!ReadOffset(Edit6->text(), quickStart_, partial) && !partial)
    ShowError(QStringLiteral("'%1' is not a valid integer value").arg(Edit6->text()));
}

void TForm2::Edit7Change() {
  if (Edit7->text().isEmpty()) return;
  bool partial = false;
  if (!ReadOffset(Edit7->text(), quickEnd_, partial) && !partial)
    ShowError(QStringLiteral("'%1' is not a valid integer value").arg(Edit7->text()));
}

void TForm2::SpeedButton7Click() { RichEdit3->setVisible(SpeedButton7->isChecked()); }

void TForm2::SetNotesShown(bool shown) {
  if (RichEdit4->isVisible() == shown) return;
  const int delta = kNotesHeight + 5;
  RichEdit4->setVisible(shown);
  resize(width(), height() + (shown ? delta : -delta));
  if (shown) {
    QList<int> sizes = Splitter2->sizes();
    sizes[3] = kNotesHeight;
    Splitter2->setSizes(sizes);
  }
}

void TForm2::SpeedButton8Click() { SetNotesShown(SpeedButton8->isChecked()); }

void TForm2::SpeedButton9Click() {
  if (!context_.dictionary) return;
  if (SpeedButton9->isChecked())
    context_.dictionary->op9();
  else
    context_.dictionary->cl9();
}

void TForm2::SpeedButton11Click() {
  if (context_.settingsWindow) context_.settingsWindow->setVisible(SpeedButton11->isChecked());
}

void TForm2::SpeedButton12Click() {
  if (context_.help) context_.help->newurl("data\\html\\les7_.html");
}

void TForm2::SpeedButton28Click() {
  if (transport_->playMode()) transport_->StopClick();
  hide();
}

void TForm2::closeEvent(QCloseEvent* event) {
  if (transport_->playMode()) transport_->StopClick();
  QWidget::closeEvent(event);
}

}  // namespace lx
