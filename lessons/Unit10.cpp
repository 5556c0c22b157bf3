#include "lessons/Unit10.h"

#include <QDesktopServices>
#include <QUrl>
#include <algorithm>
#include <array>

#include "app/core/qtext.h"

namespace lx {
namespace {

const QColor kNavy(0x00, 0x00, 0x80);

LessonLayout Layout() {
  LessonLayout l;
  l.objectName = "form10";
  l.caption = "Lexitar - Lesson 3";
  l.size = QSize(815, 593);
  l.descriptionCaption = "Урок 3";
  l.descriptionHint = "Описание Урока 3";
  l.exercisesHint = "Упражнения Урока 3";
  l.closeName = "SpeedButton8";
  l.closeHint = "Закрыть Урок 3";
  l.helpPage = "data\\html\\les3_.html";
  l.textFolder = "data\\texts\\les3";
  l.styles = &styles::lesson3();
  l.pictures = &pictures::lesson3();
  l.topics = {{"SpeedButton14", "Существительное", 2, kNavy}, {"SpeedButton15", "Артикль", 3, kNavy},
              {"SpeedButton16", "Прилагательное", 4, kNavy},  {"SpeedButton17", "Наречие", 5, kNavy},
              {"SpeedButton5", "Местоимение", 6, kNavy},      {"SpeedButton3", "Числительное", 7, kNavy},
              {"SpeedButton2", "Предлог", 8, kNavy},          {"SpeedButton7", "Союз", 9, kNavy},
              {"SpeedButton6", "Глагол", Tform10::kVerbTopic, kNavy}};
  return l;
}

const QString kSpreadsheetPhrase = "verbs.xls (щелкните здесь)";
const QString kWordListPhrase = "verbs.txt (щелкните здесь)";

// The caret offsets of a phrase: from before its first character to after its last.
LinkRegion RegionOf(const QString& paneText, const QString& phrase) {
  const qsizetype at = paneText.indexOf(phrase);
  if (at < 0) return {};
  return {static_cast<int>(at), static_cast<int>(at + phrase.size())};
}

bool IsOneOf(const std::string& key, std::initializer_list<const char*> words) {
  return std::any_of(words.begin(), words.end(), [&](const char* w) { return key == FromQ(QString::fromUtf8(w)); });
}

}  // namespace

Tform10::Tform10(LessonContext context, QWidget* parent)
    : LessonFrame(Layout(), context, parent), dataDir_(context.dataDir) {
  openDocument_ = [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
  picker().SetBeforeLookUp([this](const std::string& key, int caretOffset) { LinkClick(key, caretOffset); });
}

void Tform10::TextRendered(int id) {
  if (id != kVerbTopic) return;
  const QString text = RichEdit1->PaneText();
  spreadsheetLink_ = RegionOf(text, kSpreadsheetPhrase);
  wordListLink_ = RegionOf(text, kWordListPhrase);
}

void Tform10::LinkClick(const std::string& key, int caretOffset) {
  // The regions belong to the verb topic's text; elsewhere a click is ordinary.
  if (shownTopic() != kVerbTopic) return;
  if (spreadsheetLink_.contains(caretOffset) && IsOneOf(key, {"verbs", "xls", "щелкните", "здесь"})) {
    if (openDocument_) openDocument_(QString::fromStdString(dataDir_.Path("verbs.xls")));
  } else if (wordListLink_.contains(caretOffset) && IsOneOf(key, {"verbs", "txt", "щелкните", "здесь"})) {
    if (loadVerbList_) loadVerbList_(dataDir_.Path("verbs.txt"));
  }
}

}  // namespace lx
