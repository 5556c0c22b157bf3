#include "Unit17.h"

#include "centre.h"

#include <QCloseEvent>
#include <QColorDialog>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include "app/core/errors.h"

namespace lx {
namespace {

// Swatch number -> working slot: Image1..Image6 text colours 1..6 (slots 4..9),
// Image7..Image12 backgrounds (slots 1, 2, 11, 12, 13, 14), Image13 text colour 7 (slot 10).
constexpr int kSwatchSlot[14] = {0, 4, 5, 6, 7, 8, 9, 1, 2, 11, 12, 13, 14, 10};

// What a swatch shows for an empty slot: the colour the panes really use then.
uint32_t DisplayDefault(int slot) {
  switch (slot) {
    case 1: return 0xD8E6EB;
    case 2: return 0xFFFFFF;
    case 11: return 0xA6CAF0;
    case 12: return 0xFFFBF0;
    case 13: case 14: return 0xFFFFFF;
    case 4: return 0x200040;
    case 5: return 0xFF0000;
    case 6: return 0x0040FF;
    case 7: return 0xC80020;
    case 8: return 0x8020C8;
    case 9: return 0x408000;
    case 10: return 0xC83280;
    default: return 0xFFFFFF;
  }
}

const char* const kSizes[] = {"6", "7", "8", "9", "10", "11", "12", "13", "14", "16", "18", "20"};

// A swatch is a label that reports clicks.
class Swatch : public QLabel {
 public:
  Swatch(std::function<void()> onClick, QWidget* parent) : QLabel(parent), onClick_(std::move(onClick)) {
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) onClick_();
  }

 private:
  std::function<void()> onClick_;
};

}  // namespace

int SwatchSlot(int swatch) { return swatch >= 1 && swatch <= 13 ? kSwatchSlot[swatch] : 0; }

TForm17::TForm17(SettingsSlots& settings, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      slots_(settings) {
  setObjectName("TForm17");
  setWindowTitle("Настройки");
  setFixedSize(330, 250);
  chooseColor_ = [this](uint32_t current, uint32_t& chosen) {
    const QColor c = QColorDialog::getColor(QColor::fromRgb(current), this);
    if (!c.isValid()) return false;
    chosen = c.rgb() & 0xFFFFFF;
    return true;
  };

  auto* background = new QGroupBox("Фон", this);
  background->setGeometry(8, 8, 314, 70);
  auto* font = new QGroupBox("Шрифт", this);
  font->setGeometry(8, 84, 314, 110);
  auto makeSwatch = [this](int number, QWidget* parent, int x, int y, const QString& hint) {
    auto* s = new Swatch([this, number] { SwatchClick(number); }, parent);
    s->setObjectName(QString("Image%1").arg(number));
    s->setGeometry(x, y, 32, 32);
    s->setToolTip(hint);
    swatches_[static_cast<size_t>(number - 1)] = s;
  };
  for (int i = 0; i < 6; ++i) makeSwatch(7 + i, background, 12 + i * 48, 26, QString("Цвет %1").arg(i + 1));
  swatches_[10]->hide();  // Image11 and Image12 are kept but not offered
  swatches_[11]->hide();
  auto* sizeLabel = new QLabel("Размер", font);
  sizeLabel->setGeometry(12, 24, 60, 24);
  ComboBox1_ = new QComboBox(font);
  ComboBox1_->setObjectName("ComboBox1");
  ComboBox1_->setGeometry(76, 24, 64, 24);
  ComboBox1_->setToolTip("Размер");
  for (const char* size : kSizes) ComboBox1_->addItem(size);
  connect(ComboBox1_, &QComboBox::activated, this, &TForm17::ComboBox1Change);
  for (int i = 0; i < 6; ++i) makeSwatch(1 + i, font, 12 + i * 42, 62, QString("Цвет %1").arg(i + 1));
  makeSwatch(13, font, 12 + 6 * 42, 62, "Цвет 7");

  auto makeButton = [this](const char* name, const QString& caption, const QString& hint, int x) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setText(caption);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(x, 206, caption.isEmpty() ? 34 : 100, 30);
    return b;
  };
  connect(makeButton("SpeedButton1", "Применить", "Применить новые настройки", 8), &QToolButton::clicked, this,
          &TForm17::SpeedButton1Click);
  connect(makeButton("SpeedButton2", "Сбросить", "Сбросить настройки по умолчанию", 114), &QToolButton::clicked, this,
          &TForm17::SpeedButton2Click);
  auto* closeButton = makeButton("SpeedButton4", "", "Закрыть окно настроек", 288);
  closeButton->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  connect(closeButton, &QToolButton::clicked, this, &TForm17::SpeedButton4Click);

  CentreOnScreen(*this);
  ReloadWorkingCopy();
}

void TForm17::OnApply(std::function<void(const SettingsSlots&)> apply) { appliers_.push_back(std::move(apply)); }
void TForm17::EnrolToggle(QAbstractButton* toggle) { toggles_.push_back(toggle); }

uint32_t TForm17::SwatchRgb(int swatch) const {
  const int slot = SwatchSlot(swatch);
  const std::string& value = working_[static_cast<size_t>(slot - 1)];
  int32_t stored = 0;
  return !value.empty() && TryStrToInt(value, stored) ? StoredToRgb(stored) : DisplayDefault(slot);
}

void TForm17::ReloadWorkingCopy() {
  for (int slot = 1; slot <= 14; ++slot) working_[static_cast<size_t>(slot - 1)] = slots_.get(slot);
  Redraw();
}

void TForm17::Redraw() {
  for (int number = 1; number <= 13; ++number) {
    QPixmap pix(32, 32);
    QPainter p(&pix);
    p.fillRect(pix.rect(), QColor::fromRgb(SwatchRgb(number)));
    p.setPen(Qt::black);
    p.drawRect(0, 0, 31, 31);
    swatches_[static_cast<size_t>(number - 1)]->setPixmap(pix);
  }
  const int index = ComboBox1_->findText(QString::fromStdString(working_[2]));
  ComboBox1_->setCurrentIndex(index >= 0 ? index : ComboBox1_->findText("12"));
}

void TForm17::SwatchClick(int swatch) {
  uint32_t chosen = 0;
  if (!chooseColor_ || !chooseColor_(SwatchRgb(swatch), chosen)) return;
  working_[static_cast<size_t>(SwatchSlot(swatch) - 1)] = std::to_string(RgbToStored(chosen));
  Redraw();
}

void TForm17::ComboBox1Change() { working_[2] = ComboBox1_->currentText().toStdString(); }

void TForm17::SpeedButton2Click() {
  for (auto& entry : working_) entry.clear();
  Redraw();
}

void TForm17::SpeedButton1Click() {
  for (int slot = 1; slot <= 14; ++slot) slots_.set(slot, working_[static_cast<size_t>(slot - 1)]);
  for (auto& apply : appliers_) apply(slots_);
}

void TForm17::ReleaseToggles() {
  for (auto& toggle : toggles_)
    if (toggle) toggle->setChecked(false);
}

void TForm17::SpeedButton4Click() { close(); }

void TForm17::closeEvent(QCloseEvent* event) {
  ReloadWorkingCopy();
  ReleaseToggles();
  event->accept();
}

}  // namespace lx
