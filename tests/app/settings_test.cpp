#include <gtest/gtest.h>

#include "support/qtapp.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

#include "app/Unit17.h"
#include "text/styletables.h"

namespace {


QRgb SwatchPixel(lx::TForm17& form, int n) {
  auto* swatch = form.findChild<QLabel*>(QString("Image%1").arg(n));
  return swatch->pixmap().toImage().pixel(16, 16) & 0xFFFFFF;
}

void Press(lx::TForm17& form, const char* name) { form.findChild<QToolButton*>(name)->click(); }

TEST(SettingsWindow, SwatchesShowThePanesColoursAndChosenColours) {
  lx::test::App();
  lx::SettingsSlots store;
  store.set(6, std::to_string(lx::RgbToStored(0x123456)));
  lx::TForm17 form(store);
  EXPECT_EQ(form.windowTitle(), "Настройки");
  struct Case {
    int swatch;
    QRgb rgb;
  } cases[] = {{7, 0xD8E6EB}, {8, 0xFFFFFF}, {9, 0xA6CAF0}, {10, 0xFFFBF0}, {1, 0x200040},
               {2, 0xFF0000}, {3, 0x123456}, {4, 0xC80020}, {13, 0xC83280}};
  for (const auto& c : cases) EXPECT_EQ(SwatchPixel(form, c.swatch), c.rgb) << "Image" << c.swatch;
  EXPECT_TRUE(form.findChild<QLabel*>("Image11")->isHidden());
  // A confirmed choice goes into the working copy only; a cancelled one changes nothing.
  form.SetColorChooser([](uint32_t, uint32_t& chosen) { chosen = 0x00FF00; return true; });
  form.SwatchClick(7);
  EXPECT_EQ(SwatchPixel(form, 7), 0x00FF00u);
  EXPECT_EQ(form.workingCopy()[0], std::to_string(lx::RgbToStored(0x00FF00)));
  EXPECT_TRUE(store.empty(1));
  form.SetColorChooser([](uint32_t, uint32_t&) { return false; });
  form.SwatchClick(8);
  EXPECT_TRUE(form.workingCopy()[1].empty());
}

// With empty slots, each text swatch shows the colour the lesson texts are drawn in.
TEST(SettingsWindow, TextSwatchesMatchTheColoursOfTheRenderedTexts) {
  lx::test::App();
  lx::SettingsSlots store;
  lx::TForm17 form(store);
  int checked = 0;
  for (int swatch = 1; swatch <= 13; ++swatch) {
    const int slot = lx::SwatchSlot(swatch);
    if (slot < 4 || slot > 10) continue;
    for (const lx::StyleRule& rule : lx::styles::lesson3().codes) {
      if (!rule.defined || rule.colourSlot != slot) continue;
      EXPECT_EQ(SwatchPixel(form, swatch), rule.colour) << "Image" << swatch << " (slot " << slot << ")";
      ++checked;
    }
  }
  EXPECT_EQ(checked, 7);
}

TEST(SettingsWindow, SizeListShowsTwelveForEmptyOrUnknown) {
  lx::test::App();
  for (const char* stored : {"", "15", "abc", "16"}) {
    lx::SettingsSlots store;
    store.set(3, stored);
    lx::TForm17 form(store);
    EXPECT_EQ(form.sizeList()->currentText(), std::string(stored) == "16" ? "16" : "12") << stored;
  }
}

TEST(SettingsWindow, CloseDropsUnappliedChangesAndReleasesToggles) {
  lx::test::App();
  lx::SettingsSlots store;
  store.set(3, "14");
  lx::TForm17 form(store);
  QToolButton toggle;
  toggle.setCheckable(true);
  toggle.setChecked(true);
  form.EnrolToggle(&toggle);
  form.sizeList()->setCurrentText("16");
  form.ComboBox1Change();
  EXPECT_EQ(form.workingCopy()[2], "16");
  Press(form, "SpeedButton4");
  EXPECT_EQ(store.get(3), "14");
  EXPECT_EQ(form.sizeList()->currentText(), "14");
  EXPECT_FALSE(toggle.isChecked());
}

TEST(SettingsWindow, ResetThenApplyEmptiesTheFourteenSlots) {
  lx::test::App();
  lx::SettingsSlots store;
  for (int s = 1; s <= 15; ++s) store.set(s, "255");
  lx::TForm17 form(store);
  int applied = 0;
  form.OnApply([&](const lx::SettingsSlots& appliedStore) {
    ++applied;
    EXPECT_EQ(appliedStore.RgbOr(1, 0xD8E6EB), 0xD8E6EBu);
    EXPECT_EQ(appliedStore.IntOr(3, 12), 12);
  });
  Press(form, "SpeedButton2");
  EXPECT_EQ(store.get(1), "255");  // nothing applied yet
  Press(form, "SpeedButton1");
  EXPECT_EQ(applied, 1);
  for (int s = 1; s <= 14; ++s) EXPECT_TRUE(store.empty(s)) << s;
  EXPECT_EQ(store.get(15), "255");
}

}  // namespace
