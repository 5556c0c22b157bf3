// The tables of the shipped lesson texts, in the course fonts at every text size the
// settings window offers, fit their window's pane at its initial size: no row of a
// table wraps.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QTextBlock>
#include <QTextLayout>
#include <filesystem>
#include <memory>

#include "app/core/qtext.h"
#include "app/Unit17.h"
#include "app/fonts.h"
#include "fixture.h"
#include "lessons/Unit10.h"
#include "lessons/Unit12.h"
#include "lessons/Unit14.h"
#include "support/qtapp.h"
#include "text/picturetable.h"

namespace {

TEST(LessonTables, EveryRowFitsThePaneOnOneLine) {
  lx::test::App();
  // The fonts and pictures of the build's data folder, the texts of the sources.
  const lx::DataDir built(std::filesystem::current_path().string());
  lx::CourseFonts fonts;
  fonts.Register(built);
  lx::PictureTable pictures;
  pictures.Load(built);
  lx::SettingsSlots settings;
  lx::test::PickRecord record;
  lx::LessonContext context;
  context.dataDir = lx::DataDir(LEXITAR_SOURCE_DIR);
  context.pictureTable = &pictures;
  context.settings = &settings;
  context.soundIndex = &lx::test::TinySoundIndex();
  context.pickHandlers = lx::test::RecordingHandlers(record);

  // The sizes the learner can choose, as the settings window lists them.
  QStringList sizes;
  {
    lx::SettingsSlots scratch;
    lx::TForm17 form17(scratch);
    const auto* list = form17.findChild<QComboBox*>("ComboBox1");
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < list->count(); ++i) sizes << list->itemText(i);
  }
  ASSERT_GE(sizes.size(), 7);

  std::vector<std::unique_ptr<lx::LessonFrame>> windows;
  windows.push_back(std::make_unique<lx::Tform10>(context));
  windows.push_back(std::make_unique<lx::Tform12>(context));
  windows.push_back(std::make_unique<lx::Tform14>(context));
  int rows = 0;
  for (const QString& size : sizes) {
    settings.set(3, size.toStdString());
    for (auto& w : windows) {
      w->show();
      std::vector<int> ids = {lx::LessonFrame::kDescriptionId};
      for (const lx::TopicButton& t : w->layout().topics) ids.push_back(t.id);
      for (int id : ids) {
        w->ShowTopic(id);
        for (QTextBlock b = w->RichEdit1->document()->begin(); b.isValid(); b = b.next()) {
          if (b.blockFormat().tabPositions().isEmpty()) continue;
          ++rows;
          EXPECT_EQ(b.layout()->lineCount(), 1) << "size " << size.toStdString() << ", " << w->layout().textFolder
                                                << " t" << id << ": " << b.text().toStdString();
        }
      }
    }
  }
  EXPECT_GT(rows, 100 * sizes.size()) << "the lessons' tables were not found";
  fonts.Unregister();
}

}  // namespace
