#include "lessons/Unit5.h"

#include <QPainter>

#include "app/centre.h"
#include "app/core/qtext.h"
#include "text/icons.h"

namespace lx {
namespace {

constexpr int kClientWidth = 405, kClientHeight = 339;
constexpr int kPictureHeight = 83;
constexpr int kPanelHeight = 256;
const QColor kPanelColour(236, 249, 216);  // stored 14219756
const QPoint kPairAt(250, 25);
const QPoint kTranscriptionAt(100, 25);

// The picture area: shows the window's picture.
class PictureArea : public QWidget {
 public:
  PictureArea(const QImage& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
  }

 private:
  const QImage& picture_;
};

// Text whose cell has its top left corner at `at`, on white.
void DrawText(QImage& image, const QString& text, const QFont& font, const QColor& ink, QPoint at) {
  QPainter p(&image);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setFont(font);
  const QFontMetrics metrics(font);
  p.fillRect(QRect(at, QSize(metrics.horizontalAdvance(text), metrics.height())), Qt::white);
  p.setPen(ink);
  p.drawText(QPoint(at.x(), at.y() + metrics.ascent()), text);
}

}  // namespace

const std::array<AlphabetLetter, Tform5::kLetters>& Tform5::Letters() {
  static const std::array<AlphabetLetter, kLetters> letters{{
      {"Aa", "A a", "[eI]", 1344},     {"Bb", "B b", "[bi:]", 1482},  {"Cc", "C c", "[si:]", 1673},
      {"Dd", "D d", "[di:]", 285},     {"Ee", "E e", "[i:]", 1963},   {"Ff", "F f", "[ef]", 2013},
      {"Gg", "G g", "[dZi:]", 2091},   {"Hh", "H h", "[eItS]", 2227}, {"Ii", "I i", "[aI]", 2276},
      {"Jj", "J j", "[dZeI]", 2290},   {"Kk", "K k", "[keI]", 2304},  {"Ll", "L l", "[el]", 643},
      {"Mm", "M m", "[em]", 2559},     {"Nn", "N n", "[en]", 2608},   {"Oo", "O o", "[qu]", 2611},
      {"Pp", "P p", "[pi:]", 2634},    {"Qq", "Q q", "[kju:]", 2848}, {"Rr", "R r", "[a:]", 2987},
      {"Ss", "S s", "[es]", 3121},     {"Tt", "T t", "[ti:]", 3194},  {"Uu", "U u", "[ju:]", 1984},
      {"Vv", "V v", "[vi:]", 3333},    {"Ww", "W w", "[dAblju:]", 3381}, {"Xx", "X x", "[eks]", 3382},
      {"Yy", "Y y", "[waI]", 3384},    {"Zz", "Z z", "[zed]", 3388},
  }};
  return letters;
}

Tform5::Tform5(std::function<void(int)> playnums, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      playnums_(std::move(playnums)) {
  setObjectName("form5");
  setWindowTitle("ABC");
  setFixedSize(kClientWidth, kClientHeight);

  picture_ = QImage(kClientWidth, kPictureHeight, QImage::Format_RGB32);
  Image1 = new PictureArea(picture_, this);
  Image1->setObjectName("Image1");
  Image1->setGeometry(0, 0, kClientWidth, kPictureHeight);

  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  Panel1->setAutoFillBackground(true);
  QPalette palette = Panel1->palette();
  palette.setColor(QPalette::Window, kPanelColour);
  Panel1->setPalette(palette);
  Panel1->setGeometry(0, kClientHeight - kPanelHeight, kClientWidth, kPanelHeight);

  QFont face("MS Sans Serif");
  face.setPixelSize(24);
  face.setBold(true);
  for (int k = 0; k < kLetters; ++k) {
    auto* button = new QToolButton(Panel1);
    button->setObjectName(QString("SpeedButton%1").arg(k + 1));
    button->setText(Letters()[static_cast<size_t>(k)].caption);
    button->setFont(face);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet("QToolButton { color: #0000ff; }");
    button->setGeometry(16 + 64 * (k / 5), 8 + 48 * (k % 5), 57, 41);
    connect(button, &QToolButton::clicked, this, [this, k] { LetterClick(k); });
    buttons_[static_cast<size_t>(k)] = button;
  }
  SpeedButton27 = new QToolButton(Panel1);
  SpeedButton27->setObjectName("SpeedButton27");
  SpeedButton27->setIcon(DrawIcon(Icon::Close, 24));
  SpeedButton27->setIconSize(QSize(24, 24));
  SpeedButton27->setAutoRaise(true);
  SpeedButton27->setFocusPolicy(Qt::NoFocus);
  SpeedButton27->setToolTip("Закрыть окно алфавита");
  SpeedButton27->setGeometry(kClientWidth - 33 - 12, kPanelHeight - 33 - 10, 33, 33);
  connect(SpeedButton27, &QToolButton::clicked, this, &Tform5::Button27Click);

  // Creation: an empty picture, the window centred on the screen.
  ClearPicture();
  CentreOnScreen(*this);
}

QToolButton* Tform5::LetterButton(int k) const {
  if (k < 0 || k >= kLetters) return nullptr;
  return buttons_[static_cast<size_t>(k)];
}

void Tform5::ClearPicture() {
  picture_.fill(Qt::white);
  QPainter p(&picture_);
  p.setPen(Qt::black);
  p.drawRect(0, 0, picture_.width() - 1, picture_.height() - 1);
  Image1->update();
}

void Tform5::LetterClick(int k) {
  if (k < 0 || k >= kLetters) return;
  const AlphabetLetter& letter = Letters()[static_cast<size_t>(k)];
  ClearPicture();
  QFont pair("Georgia");
  pair.setPointSize(15);
  DrawText(picture_, ToQ(std::string(letter.pair)), pair, QColor(0, 0, 255), kPairAt);
  QFont phonetic("PhoneticTM");
  phonetic.setPointSize(15);
  DrawText(picture_, ToQ(std::string(letter.transcription)), phonetic, QColor(255, 0, 0), kTranscriptionAt);
  Image1->update();
  if (playnums_) playnums_(letter.entry);
}

}  // namespace lx
