// Lesson 3's link phrases in the verb topic: clicks on their words open the verb
// table or load the verb list, then look the word up; other clicks are ordinary.
#include <gtest/gtest.h>

#include <QTest>

#include "app/core/qtext.h"
#include "fixture.h"
#include "lessons/Unit10.h"
#include "support/qtapp.h"

namespace {

using lx::test::Cp;

const QString kXls = "verbs.xls (щелкните здесь)";
const QString kTxt = "verbs.txt (щелкните здесь)";

struct LinkCase {
  const char* name;
  std::vector<int> topics;  // shown in this order before the click
  QString phrase;           // the click lands in the first occurrence of this text...
  QString word;             // ...on this word of it
  bool loaderSet;
  const char* opened;       // file handed to the desktop (beside the program), or nullptr
  const char* loaded;       // file handed to lesson 6 (beside the program), or nullptr
};

const LinkCase kCases[] = {
    {"здесь in the first phrase", {10}, kXls, "здесь", false, "verbs.xls", nullptr},
    {"xls in the first phrase", {10}, kXls, "xls", false, "verbs.xls", nullptr},
    {"verbs in the first phrase", {10}, kXls, "verbs", true, "verbs.xls", nullptr},
    {"txt in the second phrase", {10}, kTxt, "txt", true, nullptr, "verbs.txt"},
    {"здесь in the second phrase", {10}, kTxt, "здесь", true, nullptr, "verbs.txt"},
    {"second phrase before lesson 6 exists", {10}, kTxt, "txt", false, nullptr, nullptr},
    {"between the regions", {10}, "Между ними: щелкните здесь", "здесь", true, nullptr, nullptr},
    {"same phrase in another topic", {2}, kXls, "здесь", true, nullptr, nullptr},
    {"another topic after the verb topic", {10, 2}, kXls, "здесь", true, nullptr, nullptr},
};

TEST(LinkRegions, ClicksOnThePhrases) {
  lx::test::App();
  lx::test::CourseFolder folder("links");
  folder.WriteAllTexts();
  const std::vector<QString> verbTopic = {
      "#2Глагол (verb #5[vq:b]#2)", "", "#3Все формы: #1" + kXls, "#3Между ними: щелкните здесь",
      "#3Список для Урока 6: #1" + kTxt + "#3."};
  folder.Write("texts/les3/t10.txt", verbTopic);
  folder.Write("texts/les3/t02.txt", verbTopic);

  for (const LinkCase& c : kCases) {
    SCOPED_TRACE(c.name);
    lx::test::PickRecord record;
    lx::LessonContext context;
    context.dataDir = lx::DataDir(folder.root().string());
    context.soundIndex = &lx::test::TinySoundIndex();
    context.pickHandlers = lx::test::RecordingHandlers(record);
    lx::Tform10 w(context);
    std::vector<QString> opened;
    std::vector<std::string> loaded;
    w.SetDocumentOpener([&](const QString& path) { opened.push_back(path); });
    if (c.loaderSet) w.SetVerbListLoader([&](const std::string& path) { loaded.push_back(path); });
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    for (int topic : c.topics) w.ShowTopic(topic);

    const QString text = w.RichEdit1->PaneText();
    const int phrase = static_cast<int>(text.indexOf(c.phrase));
    ASSERT_GE(phrase, 0);
    const int offset = phrase + static_cast<int>(c.phrase.indexOf(c.word)) + 1;
    QTextCursor cursor(w.RichEdit1->document());
    cursor.setPosition(w.RichEdit1->PositionOfOffset(offset));
    QTest::mouseClick(w.RichEdit1->viewport(), Qt::LeftButton, {}, w.RichEdit1->cursorRect(cursor).center());
    ASSERT_EQ(w.RichEdit1->CaretOffset(), offset);

    // The word is always looked up.
    EXPECT_EQ(record.entries, std::vector<std::string>{lx::FromQ(c.word)});
    EXPECT_EQ(record.lookUps, 1);
    if (c.opened) {
      ASSERT_EQ(opened.size(), 1u);
      EXPECT_EQ(opened[0].toStdString(), (folder.root() / c.opened).string());
    } else {
      EXPECT_TRUE(opened.empty());
    }
    if (c.loaded) {
      ASSERT_EQ(loaded.size(), 1u);
      EXPECT_EQ(loaded[0], (folder.root() / c.loaded).string());
    } else {
      EXPECT_TRUE(loaded.empty());
    }
  }
}

TEST(LinkRegions, RecordedWhereThePhrasesAreRendered) {
  lx::test::App();
  lx::test::CourseFolder folder("regions");
  folder.WriteAllTexts();
  lx::LessonContext context;
  context.dataDir = lx::DataDir(folder.root().string());
  lx::Tform10 w(context);
  w.SpeedButton6Click();
  // No phrase in this verb topic: no region.
  EXPECT_TRUE(w.spreadsheetLink().empty());
  EXPECT_TRUE(w.wordListLink().empty());

  // Longer text before the phrases moves the regions with them.
  folder.Write("texts/les3/t10.txt", {"#2Глагол", "", "#3" + QString(300, 'x'), "#1" + kXls, "#1" + kTxt});
  w.SpeedButton14Click();
  w.SpeedButton6Click();
  const QString text = w.RichEdit1->PaneText();
  const int xls = static_cast<int>(text.indexOf(kXls)), txt = static_cast<int>(text.indexOf(kTxt));
  EXPECT_EQ(w.spreadsheetLink().first, xls);
  EXPECT_EQ(w.spreadsheetLink().last, xls + kXls.size());
  EXPECT_EQ(w.wordListLink().first, txt);
  EXPECT_EQ(w.wordListLink().last, txt + kTxt.size());
}

}  // namespace
